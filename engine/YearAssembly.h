// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/YearCalendar.h"

#include <cstdint>

namespace lumenar {

class Store;

// Assembles one year of a calendar from the store's rows: fixed and movable celebrations
// merged, the three solemnities moved off Sundays and Holy Week, a saint's solemnity moved
// off a solemnity of the Lord (and, in the USA, the day of prayer of 22 January off a
// Sunday), the other memorials of Mary, Mother of the Church's Monday dropped, the weekdays
// of the seasons added, the rows of least rank kept per day (and, in the USA, Thanksgiving
// Day put beside them), weekdays named and rows numbered 1..n by date and colour. A year
// outside 1583..4900 throws LumenarError(Step).
YearCalendar BuildUniversalYear(const CalendarSource &source, std::int16_t year);
// The USA first replaces the Universal rows of its own days, then adds its own rows.
YearCalendar BuildUsaYear(const CalendarSource &source, std::int16_t year);
YearCalendar assembleYear(const CalendarSource &source, Variant variant, std::int16_t year);

// Assembles the year and writes it into the variant's year table (C_Univ_Temp / C_USA_Temp)
// in one transaction: on failure the table keeps the year it held.
YearCalendar BuildYear(const Store &store, const CalendarSource &source, Variant variant, std::int16_t year);
// The same, reading the store's rows first (they throw LumenarError(BadData) when unreadable).
YearCalendar BuildYear(const Store &store, Variant variant, std::int16_t year);

} // namespace lumenar
