// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LiturgicalDate.h"
#include "engine/YearAssembly.h"
#include "engine/YearCache.h"
#include "tests/support/TestDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::shippedSource;
using lumenar::test::TempDatabase;

namespace {

QStringList namesOn(const YearCalendar &year, const QDate &date)
{
    QStringList names;
    for (const Celebration &c : year.day(date))
        names << c.name;
    return names;
}

QList<QDate> datesOf(const YearCalendar &year, const QString &name)
{
    QList<QDate> dates;
    for (const Celebration &c : year.rows()) {
        if (c.name == name)
            dates << c.date;
    }
    return dates;
}

FixedCelebration fixed(int month, int day, const char *name, int rank = 12, int colour = 0)
{
    return {month, day, QString::fromUtf8(name), rank, colour};
}

QString yearTable(const Store &store, Variant variant)
{
    return store
        .scalar(QStringLiteral("SELECT group_concat(ID || '|' || Data || '|' || Eveniment || '|' || TipZi, ';') "
                               "FROM (SELECT * FROM %1 ORDER BY ID)")
                    .arg(tablesFor(variant).yearTable))
        .toString();
}

} // namespace

// The three solemnities leave Sundays, Holy Week and the Easter octave, in both calendars.
TEST(Assembly, SolemnitiesAreTransferred)
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
        {2022, "Nativity of St. John the Baptist", {2022, 6, 23}}, // the Sacred Heart's Friday
    };
    for (Variant variant : {Variant::Universal, Variant::Usa}) {
        for (const auto &c : cases) {
            const YearCalendar year = assembleYear(shippedSource(), variant, static_cast<std::int16_t>(c.year));
            EXPECT_EQ(datesOf(year, QString::fromUtf8(c.name)), QList<QDate>{c.expected})
                << c.year << ' ' << c.name << (variant == Variant::Usa ? " (USA)" : "");
        }
    }
    // A store without one of them leaves the others alone.
    CalendarSource withoutJoseph = shippedSource();
    std::erase_if(withoutJoseph.universalFixed,
        [](const FixedCelebration &f) { return f.name == QLatin1String("St. Joseph, Husband of Mary"); });
    const YearCalendar year = BuildUniversalYear(withoutJoseph, 2024);
    EXPECT_TRUE(datesOf(year, QStringLiteral("St. Joseph, Husband of Mary")).isEmpty());
    EXPECT_EQ(datesOf(year, QStringLiteral("Annunciation of the Lord")), QList<QDate>{QDate(2024, 4, 8)});
}

TEST(Assembly, UsaReplacesTheUniversalRowsOfItsOwnDays)
{
    const YearCalendar usa = BuildUsaYear(shippedSource(), 2026);
    EXPECT_EQ(namesOn(usa, {2026, 7, 14}), QStringList{"St. Kateri Tekakwitha, Virgin"});
    EXPECT_EQ(datesOf(usa, QStringLiteral("St. Camillus de Lellis, Priest")), QList<QDate>{QDate(2026, 7, 18)});
    EXPECT_EQ(datesOf(usa, QStringLiteral("St. Paul of the Cross, Priest")), QList<QDate>{QDate(2026, 10, 20)});
    EXPECT_EQ(namesOn(usa, {2026, 10, 19}),
        QStringList{"Sts. John de Brébeuf and Isaac Jogues, Priests, and Companions, Martyrs"});
    EXPECT_EQ(datesOf(usa, QStringLiteral("St. Juan Diego Cuauhtlatoatzin")), QList<QDate>{QDate(2026, 12, 9)});
    // Epiphany is the Sunday; 6 January is St. André Bessette's.
    EXPECT_EQ(datesOf(usa, QStringLiteral("Epiphany of the Lord")), QList<QDate>{QDate(2026, 1, 4)});
    EXPECT_EQ(namesOn(usa, {2026, 1, 6}), QStringList{"St. André Bessette, Religious"});
    // Our Lady of Guadalupe once, with the USA's rank; nothing lands on 18 August.
    ASSERT_EQ(usa.day({2026, 12, 12}).size(), 1u);
    EXPECT_EQ(usa.day({2026, 12, 12})[0].name, QStringLiteral("Our Lady of Guadalupe"));
    EXPECT_EQ(usa.day({2026, 12, 12})[0].rank, 8);
    EXPECT_EQ(namesOn(usa, {2026, 8, 18}), QStringList{"Tuesday of the Twentieth Week of Ordinary Time"});
    // The Ascension on the Sunday; St. Matthias keeps the Thursday.
    EXPECT_EQ(namesOn(usa, {2026, 5, 17}), QStringList{"Ascension of the Lord"});
    EXPECT_EQ(namesOn(usa, {2026, 5, 14}), QStringList{"St. Matthias, Apostle"});
    // The day of prayer of 22 January leaves a Sunday.
    const QString prayer = QStringLiteral("Day of Prayer for the Legal Protection of Unborn Children");
    const YearCalendar usa2023 = BuildUsaYear(shippedSource(), 2023);
    EXPECT_EQ(namesOn(usa2023, {2023, 1, 22}), QStringList{"Third Sunday of Ordinary Time"});
    EXPECT_EQ(namesOn(usa2023, {2023, 1, 23}), QStringList{prayer});
    EXPECT_EQ(datesOf(usa, prayer), QList<QDate>{QDate(2026, 1, 22)});
}

TEST(Assembly, UsaDeletionsTakeOneRowPerDayAndOnlyUniversalOnes)
{
    // Two Universal rows on 4 January, one on 12 December and on 19 October; the USA's own
    // rows of those days come in afterwards and must survive.
    CalendarSource source = shippedSource();
    source.universalFixed = {fixed(1, 4, "Universal A"), fixed(1, 4, "Universal B"), fixed(12, 12, "Universal Dec 12"),
        fixed(10, 19, "Universal Oct 19 first"), fixed(10, 19, "Universal Oct 19 second"),
        fixed(7, 14, "Universal Jul 14"), fixed(7, 15, "Universal Jul 15")};
    source.usaFixed = {fixed(1, 4, "USA Jan 4"), fixed(12, 12, "USA Dec 12"), fixed(3, 3, "USA Mar 3")};
    const YearCalendar y2027 = BuildUsaYear(source, 2027);
    EXPECT_EQ(namesOn(y2027, {2027, 1, 4}), (QStringList{"Universal B", "USA Jan 4"}));
    EXPECT_EQ(namesOn(y2027, {2027, 12, 12}), QStringList{"Third Sunday of Advent"});
    const YearCalendar y2028 = BuildUsaYear(source, 2028);
    EXPECT_EQ(namesOn(y2028, {2028, 12, 12}), QStringList{"USA Dec 12"});
    EXPECT_EQ(namesOn(y2028, {2028, 10, 19}), QStringList{"Universal Oct 19 second"});
    EXPECT_EQ(namesOn(y2028, {2028, 10, 20}), QStringList{"Universal Oct 19 first"});
    EXPECT_TRUE(datesOf(y2028, QStringLiteral("Universal Jul 14")).isEmpty());
    EXPECT_EQ(datesOf(y2028, QStringLiteral("Universal Jul 15")), QList<QDate>{QDate(2028, 7, 15)});
    // 3 March before Lent: a USA day without Universal rows.
    EXPECT_EQ(namesOn(BuildUsaYear(source, 2025), {2025, 3, 3}), QStringList{"USA Mar 3"});
}

TEST(Assembly, EachDayKeepsItsLeastRankAndRowsAreNumberedByDateThenColour)
{
    CalendarSource source = shippedSource();
    source.universalFixed = {fixed(7, 7, "Green memorial", 10, 2), fixed(7, 7, "Red memorial", 10, 12),
        fixed(7, 7, "Optional"), fixed(2, 17, "Unranked before Lent", 0), fixed(2, 19, "Unranked in Lent", 0),
        fixed(4, 11, "Unranked in the octave", 0), fixed(4, 13, "Unranked after the octave", 0)};
    const YearCalendar year = BuildUniversalYear(source, 2026);
    EXPECT_EQ(namesOn(year, {2026, 7, 7}), (QStringList{"Red memorial", "Green memorial"}));
    // Unranked rows take the season's rank inside its days (and share them with its
    // weekday), the lowest rank elsewhere.
    const struct
    {
        QDate date;
        int rank;
    } unranked[] = {{{2026, 2, 17}, 13}, {{2026, 2, 19}, 9}, {{2026, 4, 11}, 2}, {{2026, 4, 13}, 13}};
    for (const auto &u : unranked) {
        const auto day = year.day(u.date);
        ASSERT_EQ(day.size(), 2u) << qPrintable(u.date.toString());
        EXPECT_EQ(day[0].rank, u.rank) << qPrintable(u.date.toString());
        EXPECT_EQ(day[1].rank, u.rank) << qPrintable(u.date.toString());
    }
    // A store without the anchors of the seasons gives no weekdays at all.
    source.universalMovable.clear();
    EXPECT_EQ(BuildUniversalYear(source, 2026).rows().size(), 6u);
}

// A year is written into its table whole, in one transaction; the views and the search
// view read it. A failed write leaves the previous year; a year outside the calendar is
// refused before anything changes.
TEST(Assembly, TheYearTableHoldsTheLastYearBuilt)
{
    TempDatabase db;
    Store store = db.open();
    const YearCalendar built = BuildYear(store, Variant::Universal, 2026);
    const QString table = yearTable(store, Variant::Universal);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT count(*) FROM C_Univ")).toInt(), int(built.rows().size()));
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT Id FROM srcUNIV WHERE Even = 'Pentecost'")).toInt(),
        built.day({2026, 5, 24})[0].id);
    // A season's weekday finds its shared commentary through the view, as through the store.
    const Celebration &weekday = built.day({2026, 7, 8})[0];
    EXPECT_FALSE(weekday.commentKey.isEmpty());
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT Comentariu FROM C_Univ WHERE ID = ?"), {weekday.id}).toString(),
        readCommentary(store, weekday));
    EXPECT_FALSE(readCommentary(store, weekday).isEmpty());

    store.exec(QStringLiteral("CREATE TRIGGER full BEFORE INSERT ON C_Univ_Temp WHEN NEW.Data > '2027-06-01' "
                              "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    EXPECT_EQ(test::errorKindOf([&] { BuildYear(store, Variant::Universal, 2027); }), ErrorKind::Step);
    EXPECT_EQ(test::errorKindOf([&] { BuildYear(store, Variant::Universal, 1582); }), ErrorKind::Step);
    EXPECT_EQ(test::errorKindOf([&] { BuildYear(store, Variant::Universal, 4901); }), ErrorKind::Step);
    EXPECT_EQ(yearTable(store, Variant::Universal), table);

    store.exec(QStringLiteral("DROP TABLE Sezoane"));
    EXPECT_EQ(test::errorKindOf([&] { BuildYear(store, Variant::Usa, 2027); }), ErrorKind::BadData);
}

// Each year is assembled once, then read from memory; the oldest gives way.
TEST(Assembly, TheCacheAssemblesEachYearOnce)
{
    TempDatabase db;
    Store store = db.open();
    YearCache cache(store, 2);
    const auto first = cache.year(Variant::Usa, 2026);
    EXPECT_EQ(cache.year(Variant::Usa, 2026), first);
    EXPECT_EQ(cache.assemblies(), 1);
    EXPECT_EQ(store.scalar(QStringLiteral("SELECT count(*) FROM C_USA_Temp")).toInt(), int(first->rows().size()));
    cache.year(Variant::Universal, 2026);
    cache.year(Variant::Usa, 2026); // used again: it stays
    cache.year(Variant::Universal, 2027);
    EXPECT_EQ(cache.year(Variant::Usa, 2026), first);
    EXPECT_EQ(cache.assemblies(), 3);
    cache.year(Variant::Universal, 2026); // gave way to 2027
    EXPECT_EQ(cache.assemblies(), 4);
}
