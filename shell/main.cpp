// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: a tray icon with today's liturgical day, and the windows behind it.
#include "shell/DayIcon.h"
#include "shell/Dialogs.h"
#include "shell/Shell.h"
#include "shell/SingleInstance.h"
#include "store/DatabaseLocation.h"
#include "store/Settings.h"
#include "store/Store.h"
#include "store/Version.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

using namespace lumenar;

namespace {

// Qt aborts when it cannot reach a display; say so plainly instead.
bool displayAvailable()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

int g_signalPipe[2] = {-1, -1};

void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] auto n = ::write(g_signalPipe[0], &byte, 1);
}

// SIGTERM (logout, shutdown, kill) and SIGINT end the program through its own exit path,
// on the event loop, where it is safe to touch the database.
void routeTerminationSignals(Shell &shell)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, &shell);
    QObject::connect(notifier, &QSocketNotifier::activated, &shell, [&shell, notifier] {
        char byte;
        [[maybe_unused]] auto n = ::read(g_signalPipe[1], &byte, 1);
        notifier->setEnabled(false);
        shell.exitProgram();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "lumenar: no graphical display is available (DISPLAY and WAYLAND_DISPLAY are unset).\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(settingsOrganization());
    QApplication::setApplicationName(QStringLiteral("lumenar"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // Until today's page is drawn, windows carry the program's own icon.
    QApplication::setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // The program lives in the notification area; its windows come and go.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (!instance.claim())
        return 0;

    Dialogs dialogs;
    Clock clock;
    QString database;
    try {
        database = prepareDatabase();
    } catch (const LumenarError &error) {
        dialogs.message(nullptr, QMessageBox::Critical, LumenarError::dataErrorTitle(), error.message());
        return 1;
    }
    Shell shell(database, clock, dialogs, Shell::Options{});
    QObject::connect(&shell, &Shell::quitRequested, &app, [](int code) { QCoreApplication::exit(code); });
    QObject::connect(&instance, &SingleInstance::showRequested, &shell, &Shell::showMainWindow);
    // A session that ends by quitting the application still tidies and compacts, once.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &shell, &Shell::shutdown);
    routeTerminationSignals(shell);
    if (!shell.start())
        return 1;
    return app.exec();
}
