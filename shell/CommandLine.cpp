// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandLine.h"

#include "store/Version.h"

#include <QCommandLineParser>

namespace lumenar {

namespace {

const char kUsage[] = "Usage: lumenar [--help | --version]\n"
                      "The liturgical calendar of the Roman rite, in the desktop's notification area.\n"
                      "\n"
                      "Options:\n"
                      "  -h, --help     Show this help and exit.\n"
                      "  -v, --version  Show the version and exit.\n"
                      "\n"
                      "Qt's options for graphical programs (-platform, -style, -session ...) are accepted too.\n"
                      "SIGTERM or SIGINT ends the program as its Exit command does.\n";

// Qt's documented options of QGuiApplication and QApplication, which Qt itself reads.
void addQtOptions(QCommandLineParser &parser)
{
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
             "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet", "qmljsdebugger"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's options are written with one dash: -platform is one option, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    addQtOptions(parser);

    auto refuse = [](const QString &why) {
        return CommandLine{CommandLine::Action::Refuse, QStringLiteral("lumenar: %1 (see lumenar --help)").arg(why)};
    };
    if (!parser.parse(arguments)) {
        QString why = parser.errorText();
        if (why.endsWith(u'.'))
            why.chop(1);
        return refuse(why);
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(
            QStringLiteral("takes no arguments, but was given \"%1\"").arg(parser.positionalArguments().join(u' ')));
    if (parser.isSet(help))
        return {CommandLine::Action::Help, QString::fromLatin1(kUsage)};
    if (parser.isSet(version))
        return {CommandLine::Action::Version, QStringLiteral("lumenar %1\n").arg(QLatin1String(kVersion))};
    return {};
}

} // namespace lumenar
