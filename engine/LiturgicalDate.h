// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QStringView>
#include <cstdint>

namespace lumenar {

// Years the calendar accepts.
inline constexpr int kFirstYear = 1583;
inline constexpr int kLastYear = 4900;

// Weekday numbers of the calendar: 1 = Sunday … 7 = Saturday.
int weekdayNumber(const QDate &date);

// Gregorian Easter Sunday (Oudin's integer rule, worked in 16-bit arithmetic). Throws
// LumenarError(Overflow) when an intermediate value leaves the 16-bit range.
QDate EasterSunday(std::int16_t year);

// The latest date on or before `date` whose weekday number, as text, is `weekday`
// ("1".."7"). A text that names no weekday never matches: the result is date − 7.
QDate WeekdayOnOrBefore(const QDate &date, QStringView weekday);
// The earliest such date on or after `date`; date + 7 when nothing matches.
QDate WeekdayOnOrAfter(const QDate &date, QStringView weekday);

// date ± 7·n days; 7·n must fit in 32 bits, or LumenarError(Overflow) is thrown.
QDate AddWeeks(const QDate &date, std::int32_t weeks);
QDate SubtractWeeks(const QDate &date, std::int32_t weeks);

} // namespace lumenar
