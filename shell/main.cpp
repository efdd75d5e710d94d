// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: a tray icon with today's liturgical day, and the windows behind it.
#include "shell/CommandLine.h"
#include "shell/DayIcon.h"
#include "shell/Shell.h"
#include "shell/SingleInstance.h"
#include "shell/TerminationSignals.h"
#include "store/DatabaseLocation.h"
#include "store/Log.h"
#include "store/Settings.h"
#include "store/Store.h"
#include "store/Version.h"
#include "ui/Dialogs.h"

#include <QApplication>

#include <cstdio>

using namespace lumenar;

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayAvailable()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    // From here on SIGTERM and SIGINT are only noted; each step of start-up below looks.
    TerminationSignals::install();

    // Before any display or other running program is touched.
    const CommandLine command = parseCommandLine(argumentList(argc, argv));
    switch (command.action) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version:
        std::fputs(qPrintable(command.text), stdout);
        return 0;
    case CommandLine::Action::Refuse:
        std::fprintf(stderr, "%s\n", qPrintable(command.text));
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    if (!displayAvailable()) {
        std::fprintf(stderr, "lumenar: no graphical display is available (DISPLAY and WAYLAND_DISPLAY are unset).\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(Settings::organization());
    QApplication::setApplicationName(QStringLiteral("lumenar"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // Until today's page is drawn, windows carry the program's own icon.
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // The program lives in the notification area; its windows come and go.
    QApplication::setQuitOnLastWindowClosed(false);

    // Nothing of this run is in the database yet: a request to end just ends.
    Dialogs dialogs;
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &app, [&dialogs] { dialogs.closeAll(); });
    if (TerminationSignals::requested())
        return 0;
    SingleInstance instance;
    if (!instance.claim() || TerminationSignals::requested())
        return 0;
    WorkingDatabase database;
    try {
        database = prepareDatabase();
    } catch (const LumenarError &error) {
        logCaught("main", error);
        if (error.kind() == ErrorKind::InUse)
            dialogs.message(nullptr, QMessageBox::Warning, Dialogs::defaultTitle(), error.message());
        else
            dialogs.message(nullptr, QMessageBox::Critical, LumenarError::dataErrorTitle(), error.message());
        return 1;
    }
    if (TerminationSignals::requested())
        return 0;

    Clock clock;
    Shell shell(database.path, clock, dialogs, Shell::Options{});
    shell.setStopRequested(&TerminationSignals::requested);
    QObject::connect(&terminations, &TerminationSignals::received, &shell, [&shell] { shell.requestExit(0); });
    QObject::connect(&instance, &SingleInstance::showRequested, &shell, &Shell::showMainWindow);
    // From the moment the event loop ends, a new start waits for this one to let go.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &instance, &SingleInstance::stopListening);
    if (!shell.start())
        return 1;
    // The exit path runs in here, after every loop has returned, and the database is let go
    // only after it (its lock goes with `database`, after `shell`).
    return shell.exec();
}
