// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Variant.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

namespace lumenar {

// The dates a year of one calendar hangs on, worked out once and handed to every rule that
// needs them.
struct YearDates
{
    int year = 0;
    Variant variant = Variant::Universal;
    QDate easter;
    QDate epiphany; // 6 January, or the USA's Sunday from 2 to 8 January
    QDate baptism;  // a Monday in the USA when Epiphany takes 7 or 8 January
    QDate ashWednesday;
    QDate firstSundayOfLent;
    QDate palmSunday;
    QDate ascension; // Thursday, or the USA's Seventh Sunday of Easter
    QDate pentecost;
    QDate trinity;
    QDate corpusChristi;
    QDate sundayAfterTrinity; // the last Sunday the backward count of Ordinary Time reaches
    QDate christTheKing;
    QDate firstSundayOfAdvent;
    QDate christmas;
};

// Throws LumenarError(Overflow) only for years far outside 1583..4900.
YearDates computeYearDates(std::int16_t year, Variant variant);

struct MovableDate
{
    QString name;
    QDate date;
};

// The dates of a year's movable celebrations, in the order they are written: a later
// entry for the same name (the Eighth and Ninth Sundays of Ordinary Time) replaces an
// earlier one.
std::vector<MovableDate> ComputeMovableDates(const YearDates &dates);

// A stretch of the year whose unranked days take a season's rank: the privileged days of
// the Easter octave, Lent, late Advent and the Christmas octave.
struct SeasonRankWindow
{
    QDate start; // the window runs from start to start + 7 days, both included
    int rank;
};
std::vector<SeasonRankWindow> seasonRankWindows(const YearDates &dates);

} // namespace lumenar
