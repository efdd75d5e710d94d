// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lumenar {

// What the desktop program's command line asks for. The program takes no arguments of its
// own but --help and --version; Qt's options for graphical programs (-platform, -style,
// -session, which a session manager passes when it restores the program, ...) are let
// through to Qt.
struct CommandLine
{
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    // What to print: the usage, the version line, or why the arguments are refused.
    QString text;
};

// `arguments` as the program received them, its own name first.
CommandLine parseCommandLine(const QStringList &arguments);

} // namespace lumenar
