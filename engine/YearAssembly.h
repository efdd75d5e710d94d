// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Variant.h"

#include <cstdint>

namespace lumenar {

class Store;

// Rebuilds the variant's year table (C_Univ_Temp / C_USA_Temp) with the celebrations of
// one year: fixed and movable celebrations merged, the three solemnities moved off
// Sundays and Holy Week, a saint's solemnity moved off a solemnity of the Lord (and, in
// the USA, the day of prayer of 22 January off a Sunday), the other memorials of Mary,
// Mother of the Church's Monday dropped, the rows of least rank kept per day (and, in
// the USA, Thanksgiving Day put beside them), weekday names written and rows numbered
// 1..n by date and colour. It runs in one transaction: on failure the table keeps the
// year it held before. Failures of the data preparation throw LumenarError(BadData);
// later failures throw the step's own error.
void BuildUniversalYear(const Store &store, std::int16_t year);
void BuildUsaYear(const Store &store, std::int16_t year);
void BuildYear(const Store &store, Variant variant, std::int16_t year);

// Moves the fixed-date tables into `year`.
void UpdateFixedDatesUniversal(const Store &store, std::int16_t year);
void UpdateFixedDatesUsa(const Store &store, std::int16_t year);

// Gives rank 13 to every row of the year table that has none.
void DefaultRankUniversal(const Store &store);
void DefaultRankUsa(const Store &store);

} // namespace lumenar
