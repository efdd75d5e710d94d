// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayLookup.h"

#include <QString>
#include <span>

namespace lumenar {

// The tray's tooltip: today's celebrations one per line, in the order given, trimmed, then
// the day's details line when there is one.
QString BuildTrayTooltip(std::span<const Celebration> rows, const QString &detailsLine = {});

} // namespace lumenar
