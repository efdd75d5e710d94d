// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LiturgicalDate.h"
#include "store/Errors.h"

#include <gtest/gtest.h>
#include <limits>

using namespace lumenar;

namespace {

// An independent Gregorian computus (the anonymous "Meeus/Jones/Butcher" rule), to check
// the 16-bit rule against.
QDate referenceEaster(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(y, month, day);
}

} // namespace

TEST(EasterSunday, MatchesAnIndependentComputusForEveryAcceptedYear)
{
    for (int y = kFirstYear; y <= kLastYear; ++y) {
        const QDate easter = EasterSunday(static_cast<std::int16_t>(y));
        ASSERT_EQ(easter, referenceEaster(y)) << "year " << y;
        ASSERT_EQ(weekdayNumber(easter), 1) << "year " << y;
        ASSERT_GE(easter, QDate(y, 3, 22));
        ASSERT_LE(easter, QDate(y, 4, 25));
    }
}

TEST(EasterSunday, KnownYearsAndBothCorrections)
{
    const struct
    {
        int year, month, day;
    } cases[] = {
        {1583, 4, 10},
        {2000, 4, 23},
        {2001, 4, 15},
        {2025, 4, 20},
        {1818, 3, 22},
        {2285, 3, 22},
        {1943, 4, 25},
        {2038, 4, 25},
        {4900, 4, 25},
        {1609, 4, 19}, // I = 29: one day earlier than the uncorrected 26 April
        {1954, 4, 18}, // I = 28 with N = 16
        {1981, 4, 19},
        {2008, 3, 23},
        {2026, 4, 5},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EasterSunday(static_cast<std::int16_t>(c.year)), QDate(c.year, c.month, c.day)) << c.year;
}

TEST(EasterSunday, OverflowIsAnErrorNotAWrap)
{
    try {
        EasterSunday(std::numeric_limits<std::int16_t>::max());
        FAIL() << "no error";
    } catch (const LumenarError &e) {
        EXPECT_EQ(e.kind(), ErrorKind::Overflow);
    }
}

TEST(WeekdaySearch, OnOrBeforeAndAfterStayWithinSixDays)
{
    const QDate start(2026, 12, 6); // a Sunday
    for (int offset = 0; offset < 14; ++offset) {
        const QDate d = start.addDays(offset);
        for (int w = 1; w <= 7; ++w) {
            const QString text = QString::number(w);
            const QDate before = WeekdayOnOrBefore(d, text);
            const QDate after = WeekdayOnOrAfter(d, text);
            EXPECT_EQ(weekdayNumber(before), w);
            EXPECT_EQ(weekdayNumber(after), w);
            EXPECT_GE(before.daysTo(d), 0);
            EXPECT_LE(before.daysTo(d), 6);
            EXPECT_GE(d.daysTo(after), 0);
            EXPECT_LE(d.daysTo(after), 6);
            if (weekdayNumber(d) == w) {
                EXPECT_EQ(before, d);
                EXPECT_EQ(after, d);
            }
        }
    }
}

TEST(WeekdaySearch, KnownDatesAndTextsThatNameNoWeekday)
{
    EXPECT_EQ(WeekdayOnOrBefore(QDate(2001, 1, 8), u"1"), QDate(2001, 1, 7));
    EXPECT_EQ(WeekdayOnOrAfter(QDate(2001, 11, 22), u"5"), QDate(2001, 11, 22));
    EXPECT_EQ(WeekdayOnOrBefore(QDate(2025, 11, 28), u"5"), QDate(2025, 11, 27)); // Thanksgiving
    for (const char16_t *text : {u"0", u"8", u"", u"01"}) {
        EXPECT_EQ(WeekdayOnOrBefore(QDate(2026, 3, 4), text), QDate(2026, 2, 25));
        EXPECT_EQ(WeekdayOnOrAfter(QDate(2026, 3, 4), text), QDate(2026, 3, 11));
    }
}

TEST(Weeks, AddAndSubtract)
{
    const QDate d(2026, 2, 18);
    EXPECT_EQ(AddWeeks(d, 0), d);
    EXPECT_EQ(SubtractWeeks(d, 0), d);
    EXPECT_EQ(AddWeeks(d, 6), QDate(2026, 4, 1));
    EXPECT_EQ(AddWeeks(QDate(2026, 12, 27), 1), QDate(2027, 1, 3)); // across the year
    for (int n : {-60, -1, 1, 5, 52, 1000})
        EXPECT_EQ(SubtractWeeks(d, n), AddWeeks(d, -n)) << n;
}

TEST(Weeks, CountsBeyond32BitsAreErrors)
{
    const QDate d(2026, 1, 1);
    for (std::int32_t n : {std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
             std::numeric_limits<std::int32_t>::max() / 7 + 1}) {
        EXPECT_THROW(AddWeeks(d, n), LumenarError) << n;
        EXPECT_THROW(SubtractWeeks(d, n), LumenarError) << n;
    }
}
