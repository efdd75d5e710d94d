// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LiturgicalDate.h"
#include "engine/MovableDates.h"
#include "tests/support/TestDatabase.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace lumenar;

namespace {

// The final date of each name: a later entry replaces an earlier one.
QMap<QString, QDate> finalDates(int year, Variant variant)
{
    QMap<QString, QDate> dates;
    for (const MovableDate &entry : ComputeMovableDates(computeYearDates(static_cast<std::int16_t>(year), variant)))
        dates[entry.name] = entry.date;
    return dates;
}

struct Expected
{
    int year;
    Variant variant;
    const char *name;
    QDate date; // invalid: the name gets no date that year
};

const QString kOT = QStringLiteral(" Sunday of Ordinary Time");

} // namespace

// Dates worked out by hand from a calendar of each year.
TEST(MovableDates, HandCheckedYears)
{
    const Variant U = Variant::Universal, A = Variant::Usa;
    const Expected cases[] = {
        // Universal 2001
        {2001, U, "Easter Sunday", {2001, 4, 15}},
        {2001, U, "Baptism of the Lord", {2001, 1, 7}},
        {2001, U, "Second Sunday of Ordinary Time", {2001, 1, 14}},
        {2001, U, "Eighth Sunday of Ordinary Time", {2001, 2, 25}},
        {2001, U, "Ninth Sunday of Ordinary Time", {2001, 3, 4}},
        {2001, U, "Ash Wednesday", {2001, 2, 28}},
        {2001, U, "First Sunday in Lent", {2001, 3, 4}},
        {2001, U, "Fifth Sunday in Lent", {2001, 4, 1}},
        {2001, U, "Passion (Palm) Sunday", {2001, 4, 8}},
        {2001, U, "Holy Thursday", {2001, 4, 12}},
        {2001, U, "Good Friday", {2001, 4, 13}},
        {2001, U, "Holy Saturday", {2001, 4, 14}},
        {2001, U, "Seventh Sunday of Easter", {2001, 5, 27}},
        {2001, U, "Ascension of the Lord", {2001, 5, 24}},
        {2001, U, "Pentecost", {2001, 6, 3}},
        {2001, U, "Mary, Mother of the Church", {2001, 6, 4}},
        {2001, U, "Holy Trinity", {2001, 6, 10}},
        {2001, U, "The Body and Blood of Christ (Corpus Christi)", {2001, 6, 14}},
        {2001, U, "Sacred Heart of Jesus", {2001, 6, 22}},
        {2001, U, "Immaculate Heart of Mary", {2001, 6, 23}},
        {2001, U, "Thirty-Third Sunday of Ordinary Time", {2001, 11, 18}},
        {2001, U, "Eleventh Sunday of Ordinary Time", {2001, 6, 17}},
        {2001, U, "Tenth Sunday of Ordinary Time", {}},
        {2001, U, "Christ the King", {2001, 11, 25}},
        {2001, U, "First Sunday of Advent", {2001, 12, 2}},
        {2001, U, "Second Sunday of Advent", {2001, 12, 9}},
        {2001, U, "Third Sunday of Advent", {2001, 12, 16}},
        {2001, U, "Fourth Sunday of Advent", {2001, 12, 23}},
        {2001, U, "The Holy Family", {2001, 12, 30}},
        {2001, U, "Second Sunday of Christmas", {2001, 1, 7}},
        {2001, U, "Epiphany of the Lord", {}},
        {2001, U, "Thanksgiving Day", {}},
        // Universal 2008: the count back reaches the Eighth, replacing the Lenten dates.
        {2008, U, "Easter Sunday", {2008, 3, 23}},
        {2008, U, "Fifth Sunday of Ordinary Time", {2008, 2, 10}},
        {2008, U, "Seventh Sunday of Ordinary Time", {2008, 2, 24}},
        {2008, U, "Ninth Sunday of Ordinary Time", {2008, 6, 1}},
        {2008, U, "Eighth Sunday of Ordinary Time", {2008, 5, 25}},
        {2008, U, "Tenth Sunday of Ordinary Time", {2008, 6, 8}},
        // Universal 2038: Easter at its latest; the count stops at the Thirteenth.
        {2038, U, "Easter Sunday", {2038, 4, 25}},
        {2038, U, "Thirteenth Sunday of Ordinary Time", {2038, 6, 27}},
        {2038, U, "Twelfth Sunday of Ordinary Time", {}},
        {2038, U, "Eleventh Sunday of Ordinary Time", {}},
        {2038, U, "Tenth Sunday of Ordinary Time", {}},
        {2038, U, "Ninth Sunday of Ordinary Time", {2038, 3, 7}},
        {2038, U, "Ash Wednesday", {2038, 3, 10}},
        // USA 2001: Epiphany on 7 January, Baptism on Monday 8 January, Sundays after it.
        {2001, A, "Epiphany of the Lord", {2001, 1, 7}},
        {2001, A, "Baptism of the Lord", {2001, 1, 8}},
        {2001, A, "Second Sunday of Ordinary Time", {2001, 1, 14}},
        {2001, A, "Eighth Sunday of Ordinary Time", {2001, 2, 25}},
        {2001, A, "Ninth Sunday of Ordinary Time", {2001, 3, 4}},
        {2001, A, "Ascension of the Lord", {2001, 5, 27}},
        {2001, A, "Seventh Sunday of Easter", {}},
        {2001, A, "The Body and Blood of Christ (Corpus Christi)", {2001, 6, 17}},
        {2001, A, "Sacred Heart of Jesus", {2001, 6, 22}},
        {2001, A, "Thanksgiving Day", {2001, 11, 22}},
        // USA 2017 and 2018: Epiphany on 8 and 7 January.
        {2017, A, "Epiphany of the Lord", {2017, 1, 8}},
        {2017, A, "Baptism of the Lord", {2017, 1, 9}},
        {2017, A, "Second Sunday of Ordinary Time", {2017, 1, 15}},
        {2017, A, "Thanksgiving Day", {2017, 11, 23}},
        {2018, A, "Epiphany of the Lord", {2018, 1, 7}},
        {2018, A, "Baptism of the Lord", {2018, 1, 8}},
        {2018, A, "Second Sunday of Ordinary Time", {2018, 1, 14}},
        {2018, A, "Ninth Sunday of Ordinary Time", {2018, 6, 3}}, // count back: Trinity 27 May
        {2018, A, "Easter Sunday", {2018, 4, 1}},
        // USA 2025
        {2025, A, "Epiphany of the Lord", {2025, 1, 5}},
        {2025, A, "Baptism of the Lord", {2025, 1, 12}},
        {2025, A, "Second Sunday of Ordinary Time", {2025, 1, 19}},
        {2025, A, "Easter Sunday", {2025, 4, 20}},
        {2025, A, "Ascension of the Lord", {2025, 6, 1}},
        {2025, A, "The Body and Blood of Christ (Corpus Christi)", {2025, 6, 22}},
        {2025, A, "Twelfth Sunday of Ordinary Time", {2025, 6, 22}},
        {2025, A, "Eleventh Sunday of Ordinary Time", {}},
        {2025, A, "Sacred Heart of Jesus", {2025, 6, 27}},
        {2025, A, "Thanksgiving Day", {2025, 11, 27}},
        {2025, A, "Christ the King", {2025, 11, 23}},
        {2025, A, "First Sunday of Advent", {2025, 11, 30}},
        {2025, A, "Second Sunday of Christmas", {2025, 1, 5}},
        // Christmas on a Sunday; and the year after one.
        {2022, U, "The Holy Family", {2022, 12, 30}},
        {2012, U, "Second Sunday of Christmas", {2012, 1, 1}},
        {2026, A, "Ascension of the Lord", {2026, 5, 17}},
        {2026, U, "Ascension of the Lord", {2026, 5, 14}},
    };
    for (const Expected &c : cases) {
        const QMap<QString, QDate> dates = finalDates(c.year, c.variant);
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(dates.value(name), c.date) << c.year << (c.variant == U ? " Universal " : " USA ") << c.name;
    }
}

// Whatever the year, the dates keep the shape of the liturgical year.
TEST(MovableDates, EveryYearKeepsItsShape)
{
    for (int y = kFirstYear; y <= kLastYear; y += 7) {
        for (Variant v : {Variant::Universal, Variant::Usa}) {
            const QMap<QString, QDate> d = finalDates(y, v);
            for (auto it = d.begin(); it != d.end(); ++it) {
                if (!it.value().isValid())
                    continue;
                if (it.key().contains(QLatin1String("Sunday")) || it.key() == QLatin1String("Pentecost")
                    || it.key() == QLatin1String("Holy Trinity") || it.key() == QLatin1String("Christ the King")) {
                    ASSERT_EQ(weekdayNumber(it.value()), 1) << y << ' ' << qPrintable(it.key());
                }
                if (it.key() != QLatin1String("Second Sunday of Christmas")) {
                    ASSERT_EQ(it.value().year(), y) << qPrintable(it.key());
                }
            }
            // Every early Sunday of Ordinary Time has a date; the count back meets Trinity + 7.
            for (const char *n : {"Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth", "Ninth"})
                ASSERT_TRUE(d.value(QString::fromLatin1(n) + kOT).isValid()) << y << ' ' << n;
            ASSERT_EQ(
                d.value(QStringLiteral("Holy Trinity")).addDays(7), d.value(QStringLiteral("Pentecost")).addDays(14));
            ASSERT_EQ(d.value(QStringLiteral("First Sunday of Advent")),
                d.value(QStringLiteral("Christ the King")).addDays(7));
            const QDate baptism = d.value(QStringLiteral("Baptism of the Lord"));
            ASSERT_GE(baptism, QDate(y, 1, 7));
            ASSERT_LE(baptism, QDate(y, 1, 13));
            // The year's dates and the celebrations written from them agree.
            const YearDates dates = computeYearDates(static_cast<std::int16_t>(y), v);
            const std::pair<QDate, const char *> named[] = {{dates.easter, "Easter Sunday"},
                {dates.baptism, "Baptism of the Lord"}, {dates.ashWednesday, "Ash Wednesday"},
                {dates.firstSundayOfLent, "First Sunday in Lent"}, {dates.palmSunday, "Passion (Palm) Sunday"},
                {dates.ascension, "Ascension of the Lord"}, {dates.pentecost, "Pentecost"},
                {dates.trinity, "Holy Trinity"}, {dates.corpusChristi, "The Body and Blood of Christ (Corpus Christi)"},
                {dates.christTheKing, "Christ the King"}, {dates.firstSundayOfAdvent, "First Sunday of Advent"}};
            for (const auto &[date, name] : named)
                ASSERT_EQ(date, d.value(QString::fromLatin1(name))) << y << ' ' << name;
        }
    }
}

TEST(SeasonRank, WindowsCoverTheEasterOctaveLentAndTheChristmasDays)
{
    const auto windows = seasonRankWindows(computeYearDates(2026, Variant::Universal));
    ASSERT_EQ(windows.size(), 9u);
    EXPECT_EQ(windows[0].start, QDate(2026, 4, 5));
    EXPECT_EQ(windows[0].rank, 2);
    EXPECT_EQ(windows[1].start, QDate(2026, 2, 18));
    EXPECT_EQ(windows[6].start.addDays(7), QDate(2026, 3, 29)); // the last Lenten window reaches Palm Sunday
    EXPECT_EQ(windows[7].start, QDate(2026, 12, 17));
    EXPECT_EQ(windows[8].start, QDate(2026, 12, 26));
}
