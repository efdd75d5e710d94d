// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayLookup.h"
#include "engine/LiturgicalDate.h"
#include "engine/MovableDates.h"
#include "engine/YearAssembly.h"
#include "tests/support/TestDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::TempDatabase;

namespace {

QStringList namesOn(const Store &store, Variant variant, const QDate &date)
{
    QStringList names;
    for (const Celebration &c : dayCelebrations(store, variant, date))
        names << c.name;
    return names;
}

QList<QDate> datesOf(const Store &store, Variant variant, const QString &name)
{
    QList<QDate> dates;
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT Data FROM %1 WHERE Eveniment = ? ORDER BY Data").arg(tablesFor(variant).yearTable),
        {name});
    while (q.next())
        dates << QDate::fromString(q.value(0).toString(), Qt::ISODate);
    return dates;
}

QString yearSnapshot(const Store &store, Variant variant)
{
    return store
        .scalar(QStringLiteral("SELECT group_concat(ID || '|' || Data || '|' || Eveniment || '|' || TipZi, ';') "
                               "FROM (SELECT * FROM %1 ORDER BY ID)")
                    .arg(tablesFor(variant).yearTable))
        .toString();
}

// Replaces the fixed-date tables with a few rows of a test's own.
void useFixedRows(const Store &store, const QString &table, const QList<QVariantList> &rows)
{
    store.exec(QStringLiteral("DELETE FROM %1").arg(table));
    for (const QVariantList &row : rows)
        store.exec(
            QStringLiteral("INSERT INTO %1 (Luna, Zi, Eveniment, Rang, Culori) VALUES (?, ?, ?, ?, ?)").arg(table),
            row);
}

class Assembly : public ::testing::Test
{
protected:
    TempDatabase db;
    Store store = db.open();
};

} // namespace

// The three solemnities leave Sundays, Holy Week and the Easter octave, in both calendars.
TEST_F(Assembly, SolemnitiesAreTransferred)
{
    const struct
    {
        int year;
        const char *name;
        QDate expected;
    } cases[] = {
        {2026, "St. Joseph, Husband of Mary", {2026, 3, 19}}, // a Thursday of Lent
        {2023, "St. Joseph, Husband of Mary", {2023, 3, 20}}, // Sunday of Lent -> Monday
        {2008, "St. Joseph, Husband of Mary", {2008, 3, 15}}, // Holy Wednesday -> Saturday before Palm Sunday
        {2035, "St. Joseph, Husband of Mary", {2035, 3, 17}}, // Monday of Holy Week
        {2016, "St. Joseph, Husband of Mary", {2016, 3, 19}}, // the Saturday before Palm Sunday itself
        {2026, "Annunciation of the Lord", {2026, 3, 25}},    // a weekday of Lent
        {2012, "Annunciation of the Lord", {2012, 3, 26}},    // Sunday of Lent -> Monday
        {2018, "Annunciation of the Lord", {2018, 4, 9}},     // Palm Sunday -> Easter + 8
        {2024, "Annunciation of the Lord", {2024, 4, 8}},     // Monday of Holy Week
        {2016, "Annunciation of the Lord", {2016, 4, 4}},     // Good Friday
        {2035, "Annunciation of the Lord", {2035, 4, 2}},     // Easter Sunday itself
        {2285, "Annunciation of the Lord", {2285, 3, 30}},    // inside the Easter octave
        {2024, "Immaculate Conception of the Virgin Mary", {2024, 12, 9}}, // Sunday of Advent -> Monday
        {2025, "Immaculate Conception of the Virgin Mary", {2025, 12, 8}},
    };
    for (Variant variant : {Variant::Universal, Variant::Usa}) {
        for (const auto &c : cases) {
            BuildYear(store, variant, static_cast<std::int16_t>(c.year));
            const QString name = QString::fromUtf8(c.name);
            EXPECT_EQ(datesOf(store, variant, name), QList<QDate>{c.expected})
                << c.year << ' ' << c.name << (variant == Variant::Usa ? " (USA)" : "");
        }
    }
}

TEST_F(Assembly, AMissingSolemnityLeavesTheOthersAlone)
{
    store.exec(QStringLiteral("DELETE FROM Calendar_Fix_Univ WHERE Eveniment = 'St. Joseph, Husband of Mary'"));
    BuildUniversalYear(store, 2024);
    EXPECT_TRUE(datesOf(store, Variant::Universal, QStringLiteral("St. Joseph, Husband of Mary")).isEmpty());
    EXPECT_EQ(datesOf(store, Variant::Universal, QStringLiteral("Annunciation of the Lord")),
        QList<QDate>{QDate(2024, 4, 8)});
    EXPECT_EQ(datesOf(store, Variant::Universal, QStringLiteral("Immaculate Conception of the Virgin Mary")),
        QList<QDate>{QDate(2024, 12, 9)});
}

TEST_F(Assembly, UsaReplacesTheUniversalRowsOfItsOwnDays)
{
    BuildUsaYear(store, 2026);
    const Variant usa = Variant::Usa;
    EXPECT_EQ(namesOn(store, usa, {2026, 7, 14}), QStringList{"St. Kateri Tekakwitha, Virgin"});
    EXPECT_EQ(datesOf(store, usa, QStringLiteral("St. Camillus de Lellis, Priest")), QList<QDate>{QDate(2026, 7, 18)});
    EXPECT_EQ(datesOf(store, usa, QStringLiteral("St. Paul of the Cross, Priest")), QList<QDate>{QDate(2026, 10, 20)});
    EXPECT_EQ(namesOn(store, usa, {2026, 10, 19}),
        QStringList{"Sts. John de Brébeuf and Isaac Jogues, Priests, and Companions, Martyrs"});
    EXPECT_EQ(datesOf(store, usa, QStringLiteral("St. Juan Diego Cuauhtlatoatzin")), QList<QDate>{QDate(2026, 12, 9)});
    // Epiphany is the Sunday; 6 January is St. André Bessette's.
    EXPECT_EQ(datesOf(store, usa, QStringLiteral("Epiphany of the Lord")), QList<QDate>{QDate(2026, 1, 4)});
    EXPECT_EQ(namesOn(store, usa, {2026, 1, 6}), QStringList{"St. André Bessette, Religious"});
    // Our Lady of Guadalupe once, with the USA's rank; nothing lands on 18 August.
    const auto guadalupe = dayCelebrations(store, usa, {2026, 12, 12});
    ASSERT_EQ(guadalupe.size(), 1u);
    EXPECT_EQ(guadalupe[0].name, QStringLiteral("Our Lady of Guadalupe"));
    EXPECT_EQ(guadalupe[0].rank, 8);
    EXPECT_EQ(namesOn(store, usa, {2026, 8, 18}), QStringList{"Tuesday of the Twentieth Week of Ordinary Time"});
    // The Ascension on the Sunday; St. Matthias keeps the Thursday.
    EXPECT_EQ(namesOn(store, usa, {2026, 5, 17}), QStringList{"Ascension of the Lord"});
    EXPECT_EQ(namesOn(store, usa, {2026, 5, 14}), QStringList{"St. Matthias, Apostle"});
}

TEST_F(Assembly, UsaDayOfPrayerLeavesASunday)
{
    const QString prayer = QStringLiteral("Day of Prayer for the Legal Protection of Unborn Children");
    BuildUsaYear(store, 2023); // 22 January 2023 is a Sunday
    EXPECT_EQ(datesOf(store, Variant::Usa, prayer), QList<QDate>{QDate(2023, 1, 23)});
    EXPECT_EQ(namesOn(store, Variant::Usa, {2023, 1, 22}), QStringList{"Third Sunday of Ordinary Time"});
    EXPECT_EQ(namesOn(store, Variant::Usa, {2023, 1, 23}), QStringList{prayer});
    BuildUsaYear(store, 2026);
    EXPECT_EQ(datesOf(store, Variant::Usa, prayer), QList<QDate>{QDate(2026, 1, 22)});
}

TEST_F(Assembly, UsaDeletionsTakeOneRowPerDayAndOnlyUniversalOnes)
{
    // Two Universal rows on 4 January, one on 12 December and on 19 October; the USA's own
    // rows of those days come in afterwards and must survive.
    useFixedRows(store, QStringLiteral("Calendar_Fix_Univ"),
        {{1, 4, "Universal A", 12, 0}, {1, 4, "Universal B", 12, 0}, {12, 12, "Universal Dec 12", 12, 0},
            {10, 19, "Universal Oct 19 first", 12, 0}, {10, 19, "Universal Oct 19 second", 12, 0},
            {7, 14, "Universal Jul 14", 12, 0}, {7, 15, "Universal Jul 15", 12, 0}});
    useFixedRows(store, QStringLiteral("C_DIF_USA"),
        {{1, 4, "USA Jan 4", 12, 0}, {12, 12, "USA Dec 12", 12, 0}, {3, 3, "USA Mar 3", 12, 0}});
    BuildUsaYear(store, 2026); // 4 January 2026 is a Sunday: use a weekday year too
    BuildUsaYear(store, 2027);
    const Variant usa = Variant::Usa;
    EXPECT_EQ(namesOn(store, usa, {2027, 1, 4}), (QStringList{"Universal B", "USA Jan 4"}));
    EXPECT_EQ(namesOn(store, usa, {2027, 12, 12}), QStringList{"Third Sunday of Advent"});
    BuildUsaYear(store, 2028);
    EXPECT_EQ(namesOn(store, usa, {2028, 12, 12}), QStringList{"USA Dec 12"});
    EXPECT_EQ(namesOn(store, usa, {2028, 10, 19}), QStringList{"Universal Oct 19 second"});
    EXPECT_EQ(namesOn(store, usa, {2028, 10, 20}), QStringList{"Universal Oct 19 first"});
    EXPECT_TRUE(datesOf(store, usa, QStringLiteral("Universal Jul 14")).isEmpty());
    EXPECT_EQ(datesOf(store, usa, QStringLiteral("Universal Jul 15")), QList<QDate>{QDate(2028, 7, 15)});
    BuildUsaYear(store, 2025); // 3 March before Lent: a USA day without Universal rows
    EXPECT_EQ(namesOn(store, usa, {2025, 3, 3}), QStringList{"USA Mar 3"});
}

TEST_F(Assembly, EachDayKeepsItsLeastRankAndRowsAreNumberedByDateThenColour)
{
    useFixedRows(store, QStringLiteral("Calendar_Fix_Univ"),
        {{7, 7, "Green memorial", 10, 2}, {7, 7, "Red memorial", 10, 12}, {7, 7, "Optional", 12, 0},
            {7, 8, "Unranked summer saint", QVariant(), 0}, {3, 10, "Unranked Lent saint", QVariant(), 0}});
    BuildUniversalYear(store, 2026);
    const auto july7 = dayCelebrations(store, Variant::Universal, {2026, 7, 7});
    ASSERT_EQ(july7.size(), 2u);
    EXPECT_EQ(july7[0].name, QStringLiteral("Red memorial")); // higher colour code first
    EXPECT_EQ(july7[1].name, QStringLiteral("Green memorial"));
    EXPECT_EQ(july7[0].id + 1, july7[1].id);
    // Unranked rows take the default 13 (and share the day with the weekday), or the
    // season's rank 9 in Lent.
    EXPECT_EQ(namesOn(store, Variant::Universal, {2026, 7, 8}).size(), 2);
    EXPECT_EQ(dayCelebrations(store, Variant::Universal, {2026, 7, 8})[0].rank, 13);
    const auto march10 = dayCelebrations(store, Variant::Universal, {2026, 3, 10});
    ASSERT_EQ(march10.size(), 2u);
    EXPECT_EQ(march10[0].rank, 9);

    const auto year = yearCelebrations(store, Variant::Universal);
    for (size_t i = 0; i < year.size(); ++i) {
        ASSERT_EQ(year[i].id, int(i) + 1);
        if (i > 0) {
            ASSERT_TRUE(year[i - 1].date < year[i].date
                || (year[i - 1].date == year[i].date && year[i - 1].colour >= year[i].colour));
        }
    }
}

TEST_F(Assembly, WeekdaysAreNamed)
{
    BuildUniversalYear(store, 2026);
    static const char *names[] = {"", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (const Celebration &c : yearCelebrations(store, Variant::Universal))
        ASSERT_EQ(c.weekday, QLatin1String(names[weekdayNumber(c.date)])) << qPrintable(c.date.toString());
}

TEST_F(Assembly, AFailedAssemblyLeavesThePreviousYearWhole)
{
    BuildUniversalYear(store, 2026);
    BuildUsaYear(store, 2026);
    const QString universal = yearSnapshot(store, Variant::Universal);
    const QString usa = yearSnapshot(store, Variant::Usa);
    const QString movable = store.scalar(QStringLiteral("SELECT group_concat(Data) FROM Variabile_Univ")).toString();

    // A late step fails: the caller reports it in its own words. (A connection keeps the
    // stored queries it has prepared, so the broken store is opened afresh.)
    store.exec(QStringLiteral("UPDATE StoredQueries SET Sql = 'UPDATE NoSuchTable SET x = 1' WHERE Name = 'doTipZi'"));
    store = db.open();
    EXPECT_EQ(test::errorKindOf([&] { BuildUniversalYear(store, 2027); }), ErrorKind::Step);
    EXPECT_EQ(yearSnapshot(store, Variant::Universal), universal);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT group_concat(Data) FROM Variabile_Univ")).toString(), movable);

    // The data preparation fails: a data error.
    store.exec(QStringLiteral("DELETE FROM StoredQueries WHERE Name = 'DateFixe->CalUSA'"));
    store = db.open();
    EXPECT_EQ(test::errorKindOf([&] { BuildUsaYear(store, 2027); }), ErrorKind::BadData);
    EXPECT_EQ(yearSnapshot(store, Variant::Usa), usa);

    // A year outside the calendar is refused before anything changes.
    EXPECT_EQ(test::errorKindOf([&] { BuildUniversalYear(store, 1582); }), ErrorKind::Step);
    EXPECT_EQ(test::errorKindOf([&] { BuildUniversalYear(store, 4901); }), ErrorKind::Step);
    EXPECT_EQ(yearSnapshot(store, Variant::Universal), universal);
}

TEST_F(Assembly, ALeftoverScratchTableIsReplaced)
{
    store.exec(QStringLiteral("CREATE TABLE C_Univ_tmp (junk)"));
    store.exec(QStringLiteral("CREATE TABLE C_USA_tmp AS SELECT * FROM C_USA_Temp"));
    BuildUniversalYear(store, 2026);
    BuildUsaYear(store, 2026);
    EXPECT_FALSE(store.hasTable(QStringLiteral("C_Univ_tmp")));
    EXPECT_FALSE(store.hasTable(QStringLiteral("C_USA_tmp")));
    EXPECT_EQ(namesOn(store, Variant::Universal, {2026, 4, 5}), QStringList{"Easter Sunday"});
}

TEST_F(Assembly, TheViewsCarryTheYearAndTheSearchReadsIt)
{
    BuildUniversalYear(store, 2026);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT count(*) FROM C_Univ")).toInt(),
        store.scalar(QStringLiteral("SELECT count(*) FROM C_Univ_Temp")).toInt());
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT Id FROM srcUNIV WHERE Even LIKE ?"), {QStringLiteral("%Pentecost%")})
                  .toInt(),
        store.scalar(QStringLiteral("SELECT ID FROM C_Univ_Temp WHERE Data = '2026-05-24'")).toInt());
}
