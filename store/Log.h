// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>
#include <exception>

namespace lumenar {

// The program's one logging category ("lumenar"): QT_LOGGING_RULES="lumenar.debug=true"
// shows its debug messages; warnings show by default.
Q_DECLARE_LOGGING_CATEGORY(lcLumenar)

// Writes what went wrong underneath, and where it was caught, before the user is told in
// the program's own words.
void logCaught(const char *place, const std::exception &error);

} // namespace lumenar
