// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayLookup.h"
#include "engine/Variant.h"
#include "engine/YearCalendar.h"

#include <QDateTime>
#include <QString>
#include <span>

namespace lumenar {

// Celebrations of `year` as tab-separated text: a header line, then one line per
// celebration, its day's details after the row's own columns.
QString toTsv(const YearCalendar &year, std::span<const Celebration> rows);

// Celebrations of `year` as an iCalendar (RFC 5545) text with CRLF line ends: one all-day
// event per celebration, its day's details in the description. UIDs depend only on date,
// name and variant, so a re-import updates events instead of duplicating them.
QString toICalendar(const YearCalendar &year, std::span<const Celebration> rows, const QDateTime &stamp);

// The words a rank stands for in the order of precedence.
QString rankDescription(int rank);

} // namespace lumenar
