// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/MovableDates.h"
#include "store/YearTable.h"

#include <QLatin1String>
#include <QString>
#include <span>

namespace lumenar {

enum class Season { Advent, Christmas, Lent, Triduum, Easter, Ordinary };

// What the readings and the Office follow on one day, and whether Mass is of precept.
struct DayDetails
{
    Season season = Season::Ordinary;
    char sundayCycle = 'A'; // of the liturgical year the day belongs to: 'A', 'B' or 'C'
    int weekdayCycle = 1;   // 1 or 2: the weekday Lectionary's Year I or Year II
    int psalterWeek = 1;    // 1..4
    bool obligation = false;
};

// Worked out from the year's dates and the celebrations the assembled year keeps on that day
// (which tell where the solemnities of precept fell). `date` must lie in dates.year.
DayDetails dayDetails(const YearDates &dates, const QDate &date, std::span<const Celebration> rowsOfDay);

// "advent", "christmas", "lent", "triduum", "easter", "ordinary".
QLatin1String seasonCode(Season season);
// "Advent", "Christmas Time", "Lent", "Easter Triduum", "Easter Time", "Ordinary Time".
QString seasonName(Season season);
// "I" or "II".
QLatin1String weekdayCycleText(int cycle);

// The day in one line: "Advent · Year B · Weekday I · Psalter week 2", followed by
// " · Holy day of obligation" on such a day.
QString dayDetailsLine(const DayDetails &details);

} // namespace lumenar
