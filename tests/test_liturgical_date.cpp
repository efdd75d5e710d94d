// SPDX-License-Identifier: GPL-3.0-or-later
// The dates a year hangs on: Easter, the weekday searches and the movable celebrations.
// Most movable dates are checked through the assembled years (test_sweep); here are those
// only a year's final dates show.
#include "engine/LiturgicalDate.h"
#include "engine/MovableDates.h"
#include "tests/support/TestDatabase.h"

#include <QMap>
#include <gtest/gtest.h>
#include <limits>

using namespace lumenar;

namespace {

// An independent Gregorian computus (Meeus/Jones/Butcher) to check the 16-bit rule against.
QDate referenceEaster(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int l = (32 + 2 * e + 2 * (c / 4) - h - c % 4) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return QDate(y, n / 31, n % 31 + 1);
}

} // namespace

TEST(EasterSunday, MatchesAnIndependentComputusAndOverflowIsAnError)
{
    for (int y = kFirstYear; y <= kLastYear; ++y)
        ASSERT_EQ(EasterSunday(static_cast<std::int16_t>(y)), referenceEaster(y)) << y;
    EXPECT_EQ(test::errorKindOf([] { EasterSunday(std::numeric_limits<std::int16_t>::max()); }), ErrorKind::Overflow);
}

TEST(WeekdaySearch, FindsTheNearestDayEitherWayAndNothingForOtherTexts)
{
    const QDate sunday(2026, 12, 6);
    for (int i = 0; i < 7; ++i) {
        const QDate d = sunday.addDays(i);
        for (int w = 1; w <= 7; ++w) {
            const int ahead = (w - 1 - i + 7) % 7;
            EXPECT_EQ(WeekdayOnOrAfter(d, QString::number(w)), d.addDays(ahead)) << i << ' ' << w;
            EXPECT_EQ(WeekdayOnOrBefore(d, QString::number(w)), d.addDays(ahead ? ahead - 7 : 0)) << i << ' ' << w;
        }
    }
    for (const char16_t *text : {u"0", u"8", u"", u"01"}) {
        EXPECT_EQ(WeekdayOnOrBefore(QDate(2026, 3, 4), text), QDate(2026, 2, 25));
        EXPECT_EQ(WeekdayOnOrAfter(QDate(2026, 3, 4), text), QDate(2026, 3, 11));
    }
}

TEST(Weeks, AddAndSubtractWithin32Bits)
{
    const QDate d(2026, 2, 18);
    EXPECT_EQ(AddWeeks(d, 6), QDate(2026, 4, 1));
    EXPECT_EQ(AddWeeks(QDate(2026, 12, 27), 1), QDate(2027, 1, 3));
    for (int n : {-60, -1, 0, 1, 5, 1000})
        EXPECT_EQ(SubtractWeeks(d, n), AddWeeks(d, -n)) << n;
    using Limits = std::numeric_limits<std::int32_t>;
    for (std::int32_t n : {Limits::max(), Limits::min(), Limits::max() / 7 + 1}) {
        EXPECT_THROW(AddWeeks(d, n), LumenarError) << n;
        EXPECT_THROW(SubtractWeeks(d, n), LumenarError) << n;
    }
}

// Worked out by hand from a calendar of each year. A name of one word is that Sunday of
// Ordinary Time.
TEST(MovableDates, HandCheckedYears)
{
    const Variant U = Variant::Universal, A = Variant::Usa;
    const struct
    {
        int year;
        Variant variant;
        const char *name;
        int month, day; // 0, 0: no date
    } cases[] = {{2001, U, "Second", 1, 14}, {2001, U, "Eighth", 2, 25}, {2001, U, "Ninth", 3, 4},
        {2001, U, "Tenth", 0, 0}, {2001, U, "Eleventh", 6, 17}, {2001, U, "Thirty-Third", 11, 18},
        // The count back reaches the Eighth, replacing the dates before Lent.
        {2008, U, "Fifth", 2, 10}, {2008, U, "Seventh", 2, 24}, {2008, U, "Eighth", 5, 25}, {2008, U, "Ninth", 6, 1},
        {2008, U, "Tenth", 6, 8},
        // Easter at its latest: the count stops at the Thirteenth.
        {2038, U, "Thirteenth", 6, 27}, {2038, U, "Twelfth", 0, 0}, {2038, U, "Ninth", 3, 7},
        // Christmas on a Sunday; the year after one.
        {2022, U, "The Holy Family", 12, 30}, {2012, U, "Second Sunday of Christmas", 1, 1},
        // The USA's Epiphany on 7, 8 and 2 January, the Baptism then on a Monday or a Sunday.
        {2001, A, "Epiphany of the Lord", 1, 7}, {2001, A, "Baptism of the Lord", 1, 8}, {2001, A, "Second", 1, 14},
        {2017, A, "Epiphany of the Lord", 1, 8}, {2017, A, "Baptism of the Lord", 1, 9}, {2017, A, "Second", 1, 15},
        {2022, A, "Epiphany of the Lord", 1, 2}, {2025, A, "Second", 1, 19}, {2025, A, "Twelfth", 6, 22},
        {2025, A, "Eleventh", 0, 0}, {2018, A, "Ninth", 6, 3}};
    for (const auto &c : cases) {
        QMap<QString, QDate> dates; // a later entry replaces an earlier one
        for (const MovableDate &entry : ComputeMovableDates(computeYearDates(std::int16_t(c.year), c.variant)))
            dates[entry.name] = entry.date;
        QString name = QString::fromUtf8(c.name);
        if (!name.contains(u' '))
            name += QStringLiteral(" Sunday of Ordinary Time");
        EXPECT_EQ(dates.value(name), QDate(c.year, c.month, c.day))
            << c.year << (c.variant == U ? " Universal " : " USA ") << c.name;
    }
}

TEST(SeasonRank, WindowsCoverTheEasterOctaveLentAndTheChristmasDays)
{
    std::vector<std::pair<QDate, int>> windows;
    for (const SeasonRankWindow &w : seasonRankWindows(computeYearDates(2026, Variant::Universal)))
        windows.emplace_back(w.start, w.rank);
    const std::vector<std::pair<QDate, int>> expected{{{2026, 4, 5}, 2}, {{2026, 2, 18}, 9}, {{2026, 2, 22}, 9},
        {{2026, 3, 1}, 9}, {{2026, 3, 8}, 9}, {{2026, 3, 15}, 9}, {{2026, 3, 22}, 9}, {{2026, 12, 17}, 9},
        {{2026, 12, 26}, 9}};
    EXPECT_EQ(windows, expected);
}
