// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

namespace lumenar {

// Every date the program writes for people reads month/day/year in US English, whatever
// the user's locale: the names in the calendar data are English too.
QString shortDateText(const QDate &date);  // 12/25/2026
QString longDateText(const QDate &date);   // Friday, December 25, 2026
QString mediumDateText(const QDate &date); // Dec 25, 2026
// The date column of the year list: the stored weekday, then "Jan-05".
QString listDateText(const QString &weekday, const QDate &date);

// The date with `year` and today's month and day; 29 February in a common year is 1 March.
QDate sameDayInYear(const QDate &today, int year);

} // namespace lumenar
