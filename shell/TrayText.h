// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayLookup.h"

#include <QString>
#include <vector>

namespace lumenar {

// The tray's tooltip: today's celebrations one per line, in the order given, trimmed.
QString BuildTrayTooltip(const std::vector<Celebration> &rows);

} // namespace lumenar
