// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayLookup.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace lumenar {

// The year as tab-separated text: a header line, then one line per celebration.
QString toTsv(const std::vector<Celebration> &rows);

// The year as an iCalendar (RFC 5545) text with CRLF line ends: one all-day event per
// celebration. UIDs depend only on date, name and variant, so a re-import updates events
// instead of duplicating them.
QString toICalendar(const std::vector<Celebration> &rows, Variant variant, int year, const QDateTime &stamp);

// The words a rank stands for in the order of precedence.
QString rankDescription(int rank);

} // namespace lumenar
