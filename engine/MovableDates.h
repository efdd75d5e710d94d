// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Variant.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

namespace lumenar {

class Store;

struct MovableDate
{
    QString name;
    QDate date;
};

// The dates of a year's movable celebrations, in the order they are written: a later
// entry for the same name (the Eighth and Ninth Sundays of Ordinary Time) replaces an
// earlier one.
std::vector<MovableDate> movableDates(std::int16_t year, Variant variant);

// Writes the movable dates of `year` into the variant's table of movable celebrations
// ("UNIV": Variabile_Univ, "USA": Variabile_USA). Every row loses its date first; a name
// with no row is skipped; any other code changes nothing.
void ComputeMovableDates(const Store &store, std::int16_t year, const QString &variantCode);

// A stretch of the year whose unranked days take a season's rank: the privileged days of
// the Easter octave, Lent, late Advent and the Christmas octave.
struct SeasonRankWindow
{
    QDate start; // the window runs from start to start + 7 days, both included
    int rank;
};
std::vector<SeasonRankWindow> seasonRankWindows(std::int16_t year);

// Gives `rank` to the rows of the variant's year table dated start … start + 7 days that
// have no rank yet (0 or empty).
void FillSeasonRank(const Store &store, Variant variant, const QDate &start, int rank);

} // namespace lumenar
