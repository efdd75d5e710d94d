// SPDX-License-Identifier: GPL-3.0-or-later
// A year put together from the store's rows, how it answers by day, and its year table.
// The shipped calendar's days are checked against published calendars in test_sweep.
#include "engine/DayLookup.h"
#include "engine/YearAssembly.h"
#include "engine/YearCache.h"
#include "tests/support/TestDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace lumenar;
using lumenar::test::shippedSource;

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
    for (const Celebration &c : year.rows())
        if (c.name == name)
            dates << c.date;
    return dates;
}

FixedCelebration fixed(int month, int day, const char *name, int rank = 12, int colour = 0)
{
    return {month, day, QString::fromUtf8(name), rank, colour};
}

} // namespace

// The solemnities leave Sundays, Holy Week and the Easter octave, in both calendars: St.
// Joseph a Sunday of Lent for the Monday, Holy Week for the Saturday before Palm Sunday (and
// stays on that Saturday); the Annunciation a Sunday of Lent for the Monday, Palm Sunday, Good
// Friday, Easter Sunday and its octave for the Monday after the Second Sunday of Easter.
TEST(Assembly, SolemnitiesAreTransferred)
{
    const QString joseph = QStringLiteral("St. Joseph, Husband of Mary");
    const QString annunciation = QStringLiteral("Annunciation of the Lord");
    const struct
    {
        const QString &name;
        QDate expected;
    } cases[] = {{joseph, {2023, 3, 20}}, {joseph, {2008, 3, 15}}, {joseph, {2035, 3, 17}}, {joseph, {2016, 3, 19}},
        {annunciation, {2012, 3, 26}}, {annunciation, {2018, 4, 9}}, {annunciation, {2016, 4, 4}},
        {annunciation, {2035, 4, 2}}, {annunciation, {2285, 3, 30}}};
    for (Variant variant : {Variant::Universal, Variant::Usa}) {
        for (const auto &c : cases)
            EXPECT_EQ(datesOf(test::assembledYear(variant, c.expected.year()), c.name), QList<QDate>{c.expected})
                << qPrintable(c.expected.toString(Qt::ISODate)) << (variant == Variant::Usa ? " (USA)" : "");
    }
    // The USA's day of prayer of 22 January leaves a Sunday.
    const YearCalendar usa = test::assembledYear(Variant::Usa, 2023);
    EXPECT_EQ(namesOn(usa, {2023, 1, 22}), QStringList{"Third Sunday of Ordinary Time"});
    EXPECT_EQ(namesOn(usa, {2023, 1, 23}), QStringList{"Day of Prayer for the Legal Protection of Unborn Children"});
}

TEST(Assembly, UsaDeletionsTakeOneRowPerDayAndOnlyUniversalOnes)
{
    // The USA's own rows of these days come in afterwards and must survive.
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
    EXPECT_TRUE(datesOf(y2028, "Universal Jul 14").isEmpty());
    EXPECT_EQ(datesOf(y2028, "Universal Jul 15"), QList<QDate>{QDate(2028, 7, 15)});
    // 3 March before Lent: a USA day without Universal rows.
    EXPECT_EQ(namesOn(BuildUsaYear(source, 2025), {2025, 3, 3}), QStringList{"USA Mar 3"});

    // Each of the USA's proper days gives up its Universal row when the USA keeps a row that day.
    for (const auto &without : {std::pair{0, 0}, {1, 5}}) {
        source.universalFixed.clear();
        source.usaFixed.clear();
        for (const auto &[month, day] :
            {std::pair{1, 4}, {1, 5}, {1, 6}, {3, 3}, {5, 15}, {7, 1}, {9, 9}, {11, 13}, {12, 9}}) {
            source.universalFixed.push_back(fixed(month, day, "Universal", 1));
            if (std::pair{month, day} != without)
                source.usaFixed.push_back(fixed(month, day, "USA", 1));
        }
        EXPECT_EQ(datesOf(BuildUsaYear(source, 2026), "Universal"),
            without.first ? QList<QDate>{QDate(2026, without.first, without.second)} : QList<QDate>());
    }
}

TEST(Assembly, EachDayKeepsItsLeastRankAndRowsAreNumberedByDateThenColour)
{
    CalendarSource source = shippedSource();
    source.universalFixed = {fixed(7, 7, "Green memorial", 10, 2), fixed(7, 7, "Red memorial", 10, 12),
        fixed(7, 7, "Optional"), fixed(2, 17, "Unranked before Lent", 0), fixed(2, 19, "Unranked in Lent", 0),
        fixed(4, 11, "Unranked in the octave", 0), fixed(4, 13, "Unranked after the octave", 0)};
    const YearCalendar year = BuildUniversalYear(source, 2026);
    EXPECT_EQ(namesOn(year, {2026, 7, 7}), (QStringList{"Red memorial", "Green memorial"}));
    // Unranked rows take the season's rank inside its days (sharing them with its weekday),
    // the lowest rank elsewhere.
    for (const auto &[date, rank] : {std::pair{QDate(2026, 2, 17), 13}, {QDate(2026, 2, 19), 9},
             {QDate(2026, 4, 11), 2}, {QDate(2026, 4, 13), 13}}) {
        const auto day = year.day(date);
        ASSERT_EQ(day.size(), 2u) << qPrintable(date.toString());
        EXPECT_EQ(day[0].rank, rank) << qPrintable(date.toString());
        EXPECT_EQ(day[1].rank, rank) << qPrintable(date.toString());
    }
    // A weekday without a name is left out; without the anchors of the seasons no weekday is added.
    source.weekdayNames.remove(3);
    EXPECT_TRUE(BuildUniversalYear(source, 2026).day({2026, 7, 14}).empty());
    source.universalMovable.clear();
    EXPECT_EQ(BuildUniversalYear(source, 2026).rows().size(), 6u);
}

// A year is written into its table whole, in one transaction: a failed write leaves the
// previous year, and a year outside the calendar is refused before anything changes.
TEST(Assembly, TheYearTableHoldsTheLastYearBuilt)
{
    test::TempDatabase db;
    Store store = db.open();
    const YearCalendar built = BuildYear(store, Variant::Universal, 2026);
    auto table = [&] {
        return store
            .scalar("SELECT group_concat(ID || '|' || Data || '|' || Eveniment || '|' || TipZi "
                    "|| '|' || Rang || '|' || Culori || '|' || ifnull(Cheie, ''), ';') "
                    "FROM (SELECT * FROM C_Univ_Temp ORDER BY ID)")
            .toString();
    };
    QStringList rows;
    for (const Celebration &c : built.rows())
        rows << QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
                    .arg(QString::number(c.id), c.date.toString(Qt::ISODate), c.name, c.weekday,
                        QString::number(c.rank), QString::number(c.colour), c.commentKey);
    const QString written = table();
    EXPECT_EQ(written, rows.join(u';'));
    // The views read it: the search's, and a season's weekday finds its shared commentary.
    EXPECT_EQ(store.scalar("SELECT Id FROM srcUNIV WHERE Even = 'Pentecost'").toInt(), built.day({2026, 5, 24})[0].id);
    const Celebration &weekday = built.day({2026, 7, 8})[0];
    EXPECT_FALSE(readCommentary(store, weekday).isEmpty());
    EXPECT_EQ(store.scalar("SELECT Comentariu FROM C_Univ WHERE ID = ?", {weekday.id}).toString(),
        readCommentary(store, weekday));

    store.exec("CREATE TRIGGER full BEFORE INSERT ON C_Univ_Temp WHEN NEW.Data > '2027-06-01' "
               "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    for (int year : {2027, 1582, 4901})
        EXPECT_EQ(
            test::errorKindOf([&] { BuildYear(store, Variant::Universal, std::int16_t(year)); }), ErrorKind::Step);
    EXPECT_EQ(table(), written);
    store.exec("DROP TABLE Sezoane");
    EXPECT_EQ(test::errorKindOf([&] { BuildYear(store, Variant::Usa, 2027); }), ErrorKind::BadData);
}

// Each year is assembled once, then read from memory; the least recently used gives way.
TEST(Assembly, TheCacheAssemblesEachYearOnce)
{
    test::TempDatabase db;
    Store store = db.open();
    YearCache cache(store, 2);
    const auto first = cache.year(Variant::Usa, 2026);
    EXPECT_EQ(cache.year(Variant::Usa, 2026), first);
    EXPECT_EQ(store.scalar("SELECT count(*) FROM C_USA_Temp").toInt(), int(first->rows().size()));
    cache.year(Variant::Universal, 2026);
    cache.year(Variant::Usa, 2026); // used again: it stays
    cache.year(Variant::Universal, 2027);
    EXPECT_EQ(cache.year(Variant::Usa, 2026), first);
    EXPECT_EQ(cache.assemblies(), 3);
    cache.year(Variant::Universal, 2026); // gave way to 2027
    EXPECT_EQ(cache.assemblies(), 4);
}

// A year answers by day and by number, for days with several rows, none, or another year.
TEST(YearCalendar, FindsDaysAndRows)
{
    auto row = [](int id, QDate date, int colour) {
        return Celebration{id, date, QString::number(id), {}, colour, 13, {}};
    };
    const YearCalendar year(computeYearDates(2024, Variant::Universal),
        {row(1, {2024, 1, 1}, 0), row(2, {2024, 2, 29}, 12), row(3, {2024, 2, 29}, 2), row(4, {2024, 12, 31}, 9)});
    EXPECT_EQ(year.day({2024, 2, 29}).size(), 2u);
    EXPECT_EQ(year.dayColour({2024, 2, 29}), 12); // the first row, highest code, decides
    EXPECT_EQ(year.dayColour({2024, 12, 31}), 9);
    EXPECT_EQ(year.dayColour({2024, 3, 1}), 0); // no row: black
    EXPECT_TRUE(year.day({2025, 1, 1}).empty());
    EXPECT_EQ(year.firstRowOf({2024, 2, 29}), 1);
    EXPECT_EQ(year.firstRowOf({2024, 12, 31}), 3);
    EXPECT_EQ(year.firstRowOf({2024, 2, 28}), -1);
    EXPECT_EQ(year.byId(4)->date, QDate(2024, 12, 31));
    EXPECT_EQ(year.byId(0), nullptr);
    EXPECT_EQ(year.byId(5), nullptr);
}

TEST(Colours, PaletteIconsAndLiturgicalNames)
{
    auto rgb = [](int code) {
        const auto c = paletteColour(code);
        return c ? QStringLiteral("%1 %2 %3").arg(c->red).arg(c->green).arg(c->blue) : QString();
    };
    ASSERT_EQ(palette().size(), 16u);
    EXPECT_EQ(QStringList({rgb(0), rgb(2), rgb(7), rgb(9), rgb(12), rgb(15), rgb(-1), rgb(16)}),
        QStringList({"0 0 0", "0 128 0", "192 192 192", "0 0 255", "255 0 0", "255 255 255", "", ""}));
    // Only four codes have day icons.
    EXPECT_EQ(iconColourForCode(0), IconColour::Black);
    EXPECT_EQ(iconColourForCode(2), IconColour::Green);
    EXPECT_EQ(iconColourForCode(9), IconColour::Blue);
    EXPECT_EQ(iconColourForCode(12), IconColour::Red);
    for (int code : {1, 3, 7, 8, 11, 13, 15, 16, -1})
        EXPECT_FALSE(iconColourForCode(code)) << code;
    EXPECT_EQ(QStringList({liturgicalColourName(0), liturgicalColourName(2), liturgicalColourName(9),
                  liturgicalColourName(12), liturgicalColourName(14), liturgicalColourName(16)}),
        QStringList({"white", "green", "violet", "red", "light yellow", "colour 16"}));
}
