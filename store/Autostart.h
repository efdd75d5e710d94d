// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumenar {

// Start at login: an XDG autostart entry named after the application id in
// $XDG_CONFIG_HOME/autostart (by default ~/.config/autostart).
QString autostartFilePath();

// Whether the entry exists.
bool autostartEnabled();

// Writes the entry, starting `program` (by default the running executable), or removes
// it. Throws LumenarError whose message is for the user; a failed write leaves no entry
// half written.
void setAutostartEnabled(bool enabled, const QString &program = {});

} // namespace lumenar
