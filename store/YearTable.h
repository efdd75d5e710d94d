// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace lumenar {

class Store;

// One celebration of an assembled year: a row of the year tables.
struct Celebration
{
    int id = 0; // 1..n in date order, highest colour code first within a day
    QDate date;
    QString name;
    QString weekday; // "Sun" … "Sat"
    int colour = 0;  // palette code
    int rank = 0;
    // The commentary's name when it is not the celebration's own (a season's weekdays share one).
    QString commentKey;
};

// A celebration kept on the same day every year.
struct FixedCelebration
{
    int month = 0;
    int day = 0;
    QString name;
    int rank = 0; // 0: not ranked in the store
    int colour = 0;
};

// A celebration whose date the engine works out each year, found by its name.
struct MovableCelebration
{
    QString name;
    int rank = 0;
    int colour = 0;
};

// How the weekdays of one season that no celebration fills are named, ranked and coloured.
struct SeasonWeekdays
{
    QString model; // {weekday}, {ordinal} and {day} stand for the day's own words
    int rank = 0;
    int colour = 0;
    QString commentKey;
};

// Everything a year is assembled from, as the store holds it; rows in the tables' order.
struct CalendarSource
{
    std::vector<FixedCelebration> universalFixed;
    std::vector<FixedCelebration> usaFixed; // the USA's own days and ranks
    std::vector<MovableCelebration> universalMovable;
    std::vector<MovableCelebration> usaMovable;
    QHash<QString, SeasonWeekdays> seasons; // by season code
    QHash<int, QString> ordinals;           // 1 "First" … 34 "Thirty-Fourth"
    QHash<int, QString> weekdayNames;       // 1 "Sunday" … 7 "Saturday"
};

// Reads the calendar's source tables. Throws LumenarError(BadData) when they cannot be read.
CalendarSource readCalendarSource(const Store &store);

// Replaces the rows of a year table (C_Univ_Temp or C_USA_Temp) in one transaction, so that
// the views and any other reader of the file see the year whole.
void writeYearTable(const Store &store, const QString &table, const std::vector<Celebration> &rows);

// The commentary of a celebration (rich text), empty when it has none.
QString readCommentary(const Store &store, const Celebration &celebration);

} // namespace lumenar
