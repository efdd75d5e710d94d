// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/YearAssembly.h"

#include "engine/LiturgicalDate.h"
#include "engine/MovableDates.h"
#include "store/Store.h"

#include <optional>
#include <utility>

namespace lumenar {

namespace {

const QString kStJoseph = QStringLiteral("St. Joseph, Husband of Mary");
const QString kAnnunciation = QStringLiteral("Annunciation of the Lord");
const QString kImmaculateConception = QStringLiteral("Immaculate Conception of the Virgin Mary");
const QString kEpiphany = QStringLiteral("Epiphany of the Lord");
const QString kDayOfPrayer = QStringLiteral("Day of Prayer for the Legal Protection of Unborn Children");
const QString kMotherOfTheChurch = QStringLiteral("Mary, Mother of the Church");
const QString kJohnTheBaptist = QStringLiteral("Nativity of St. John the Baptist");
const QString kPeterAndPaul = QStringLiteral("Sts. Peter and Paul, Apostles");
const QString kCorpusChristi = QStringLiteral("The Body and Blood of Christ (Corpus Christi)");
const QString kSacredHeart = QStringLiteral("Sacred Heart of Jesus");
const QString kThanksgiving = QStringLiteral("Thanksgiving Day");
const QString kYearColumns = QStringLiteral("Data, Eveniment, TipZi, Culori, Rang, ID, Cheie");
// The weekday number of Data as text, "1" = Sunday, from its Julian day number (0 = Monday).
const QString kWeekdayNumber = QStringLiteral("CAST(CAST(julianday(Data) + 1.5 AS INTEGER) % 7 + 1 AS TEXT)");

// Runs the data preparation: whatever fails there means the store's data is unusable.
template <typename Work> void asBadData(Work &&work)
{
    try {
        work();
    } catch (const LumenarError &error) {
        if (error.kind() == ErrorKind::BadData)
            throw;
        throw LumenarError(ErrorKind::BadData, LumenarError::badDataText(), error.fullText());
    }
}

QString iso(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

struct Row
{
    qint64 rowid;
    QDate date;
};

// "First row" is the first in insertion order; the stored queries insert in a fixed order.
// `condition` is one of this file's constant SQL texts, with one bound value.
std::optional<Row> firstRowWhere(const Store &store, const QString &table, const char *condition, const QString &value)
{
    QSqlQuery query = store.exec(QStringLiteral("SELECT rowid, Data FROM %1 WHERE %2 ORDER BY rowid LIMIT 1")
                                     .arg(table, QLatin1String(condition)),
        {value});
    if (!query.next())
        return std::nullopt;
    return Row{query.value(0).toLongLong(), QDate::fromString(query.value(1).toString(), Qt::ISODate)};
}

std::optional<Row> firstRowNamed(const Store &store, const QString &table, const QString &name)
{
    return firstRowWhere(store, table, "Eveniment = ?", name);
}

// monthDay as "MM-DD", whatever the year.
std::optional<Row> firstRowOnDay(const Store &store, const QString &table, const QString &monthDay)
{
    return firstRowWhere(store, table, "substr(Data, 6, 5) = ?", monthDay);
}

void moveRow(const Store &store, const QString &table, const Row &row, const QDate &to)
{
    store.run(QStringLiteral("UPDATE %1 SET Data = ? WHERE rowid = ?").arg(table), {iso(to), row.rowid});
}

void deleteRow(const Store &store, const QString &table, const Row &row)
{
    store.run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(table), {row.rowid});
}

bool isSunday(const QDate &date)
{
    return weekdayNumber(date) == 1;
}
QDate followingMonday(const QDate &date)
{
    return WeekdayOnOrAfter(date, u"2");
}

// Two solemnities never share a day: a fixed solemnity of a saint that meets a movable
// solemnity of the Lord is anticipated to the day before (the Congregation's answer for
// the Sacred Heart and St. John the Baptist in 2022).
void anticipateSaintBeforeTheLord(const Store &store, const QString &table, const QString &saint)
{
    const auto row = firstRowNamed(store, table, saint);
    if (row
        && store
               .scalar(QStringLiteral("SELECT 1 FROM %1 WHERE Data = ? AND Eveniment IN (?, ?) LIMIT 1").arg(table),
                   {iso(row->date), kCorpusChristi, kSacredHeart})
               .isValid())
        moveRow(store, table, *row, row->date.addDays(-1));
}

// Moves St. Joseph, the Annunciation, the Immaculate Conception, St. John the Baptist and
// Sts. Peter and Paul off the days where they cannot be kept, before precedence is
// decided, so they compete on their new day.
void transferSolemnities(const Store &store, const QString &table, std::int16_t year)
{
    const QDate easter = EasterSunday(year);
    const QDate palmSunday = easter.addDays(-7);
    const QDate secondSundayOfEaster = easter.addDays(7);

    if (auto joseph = firstRowNamed(store, table, kStJoseph)) {
        // Holy Week and the Easter octave outrank him; he is kept on the Saturday before
        // Palm Sunday, the last free day before them.
        if (joseph->date >= palmSunday && joseph->date <= secondSundayOfEaster)
            moveRow(store, table, *joseph, palmSunday.addDays(-1));
        else if (isSunday(joseph->date))
            moveRow(store, table, *joseph, followingMonday(joseph->date));
    }

    if (auto annunciation = firstRowNamed(store, table, kAnnunciation)) {
        const qint64 n = annunciation->date.daysTo(easter);
        if (isSunday(annunciation->date) && annunciation->date != easter && n != 7)
            moveRow(store, table, *annunciation, followingMonday(annunciation->date));
        else if (n >= -7 && n <= 7)
            moveRow(store, table, *annunciation, followingMonday(secondSundayOfEaster));
    }

    if (auto immaculate = firstRowNamed(store, table, kImmaculateConception)) {
        if (isSunday(immaculate->date))
            moveRow(store, table, *immaculate, followingMonday(immaculate->date));
    }

    anticipateSaintBeforeTheLord(store, table, kJohnTheBaptist);
    anticipateSaintBeforeTheLord(store, table, kPeterAndPaul);
}

// The memorial of the Monday after Pentecost is preferred to any other memorial of its day,
// obligatory or optional, which lapses that year; a feast still prevails over it.
void preferMotherOfTheChurch(const Store &store, const QString &table)
{
    if (auto mother = firstRowNamed(store, table, kMotherOfTheChurch))
        store.run(QStringLiteral("DELETE FROM %1 WHERE Data = ? AND rowid <> ? AND Rang BETWEEN 10 AND 12").arg(table),
            {iso(mother->date), mother->rowid});
}

// The USA's changes to the Universal rows, made while the year table holds nothing else.
void adaptUniversalRowsForUsa(const Store &store)
{
    const QString table = tablesFor(Variant::Usa).yearTable;
    // Days on which the USA keeps a celebration of its own in place of a Universal one; each
    // loses its first row, if any. The days are distinct, so one reading finds them all.
    static const QVariantList kProperDays{
        QStringLiteral("01-04"),
        QStringLiteral("01-05"),
        QStringLiteral("01-06"),
        QStringLiteral("03-03"),
        QStringLiteral("05-15"),
        QStringLiteral("07-01"),
        QStringLiteral("09-09"),
        QStringLiteral("11-13"),
        QStringLiteral("12-09"),
    };
    QVariantList firstRows;
    QSqlQuery firsts = store.exec(QStringLiteral("SELECT min(RowRef) FROM UnivFerialReading "
                                                 "WHERE substr(data, 6, 5) IN (?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                                 "GROUP BY substr(data, 6, 5)"),
        kProperDays);
    while (firsts.next())
        firstRows << firsts.value(0);
    firsts.finish();
    for (const QVariant &row : firstRows)
        store.run(QStringLiteral("DELETE FROM UnivFerialReading WHERE RowRef = ?"), {row});

    // Epiphany comes back as the movable Sunday.
    if (auto epiphany = firstRowNamed(store, table, kEpiphany))
        deleteRow(store, table, *epiphany);
    // St. Camillus: 14 July belongs to St. Kateri; he comes back on 18 July.
    if (auto camillus = firstRowOnDay(store, table, QStringLiteral("07-14")))
        deleteRow(store, table, *camillus);
    // St. Paul of the Cross: 19 October belongs to the North American Martyrs.
    if (auto paul = firstRowOnDay(store, table, QStringLiteral("10-19")))
        moveRow(store, table, *paul, QDate(paul->date.year(), 10, 20));
    // Our Lady of Guadalupe: the USA keeps her on 12 December with its own rank.
    if (auto guadalupe = firstRowOnDay(store, table, QStringLiteral("12-12")))
        deleteRow(store, table, *guadalupe);
}

// Takes the rows of that name out of the year table, to be put back after precedence.
QList<QVariantList> setAside(const Store &store, const QString &table, const QString &name)
{
    QList<QVariantList> rows;
    QSqlQuery query = store.exec(
        QStringLiteral("SELECT Data, Eveniment, Culori, Rang, Cheie FROM %1 WHERE Eveniment = ? ORDER BY rowid")
            .arg(table),
        {name});
    while (query.next())
        rows << QVariantList{query.value(0), query.value(1), query.value(2), query.value(3), query.value(4)};
    query.finish();
    store.run(QStringLiteral("DELETE FROM %1 WHERE Eveniment = ?").arg(table), {name});
    return rows;
}

// The USA keeps its day of prayer of 22 January on the Monday when that day is a Sunday.
void transferUsaDays(const Store &store)
{
    const QString table = tablesFor(Variant::Usa).yearTable;
    if (auto prayer = firstRowNamed(store, table, kDayOfPrayer)) {
        if (isSunday(prayer->date))
            moveRow(store, table, *prayer, followingMonday(prayer->date));
    }
}

void applySeasonRanks(const Store &store, Variant variant, std::int16_t year)
{
    // The calendar's own rows all carry a rank; only a store with unranked rows needs this.
    if (!store
             .scalar(QStringLiteral("SELECT 1 FROM %1 WHERE Rang = 0 OR Rang IS NULL LIMIT 1")
                         .arg(tablesFor(variant).yearTable))
             .isValid())
        return;
    for (const SeasonRankWindow &window : seasonRankWindows(year))
        FillSeasonRank(store, variant, window.start, window.rank);
}

void defaultRank(const Store &store, const QString &table)
{
    store.run(QStringLiteral("UPDATE %1 SET Rang = 13 WHERE Rang = 0 OR Rang IS NULL").arg(table));
}

// Keeps per day the rows of least rank, in reading order, with their weekday numbers; the
// rows set aside join their day after the others.
void finishYear(const Store &store, const VariantTables &t, const QList<QVariantList> &besideTheDay = {})
{
    store.dropTableIfExists(t.scratchTable); // a leftover of an interrupted run
    store.runStoredQuery(t.leastRankQuery);
    for (const QVariantList &row : besideTheDay)
        store.run(QStringLiteral("INSERT INTO %1 (Data, Eveniment, Culori, Rang, Cheie) VALUES (?, ?, ?, ?, ?)")
                      .arg(t.scratchTable),
            row);
    store.run(QStringLiteral("DELETE FROM %1").arg(t.yearTable));
    // Reinserted in reading order, so that the row numbers are the new rowids, and with the
    // weekday numbers already in place, so that the weekday query finds nothing to rewrite.
    store.run(QStringLiteral("INSERT INTO %1 (%2) SELECT Data, Eveniment, %4, Culori, Rang, ID, Cheie FROM %3 "
                             "ORDER BY Data, Culori DESC, rowid")
                  .arg(t.yearTable, kYearColumns, t.scratchTable, kWeekdayNumber));
    store.dropTableIfExists(t.scratchTable);
    store.runStoredQuery(t.weekdayQuery);
}

// Names the weekdays and numbers the rows in one pass: the rows already stand in reading
// order, so each number is the row's place in the table.
void nameAndNumberRows(const Store &store, const QString &table)
{
    store.run(QStringLiteral("UPDATE %1 SET TipZi = CASE TipZi WHEN '1' THEN 'Sun' WHEN '2' THEN 'Mon' "
                             "WHEN '3' THEN 'Tue' WHEN '4' THEN 'Wed' WHEN '5' THEN 'Thu' WHEN '6' THEN 'Fri' "
                             "WHEN '7' THEN 'Sat' ELSE TipZi END, ID = rowid - (SELECT min(rowid) FROM %1) + 1")
                  .arg(table));
}

void checkYear(std::int16_t year)
{
    if (year < kFirstYear || year > kLastYear)
        throw LumenarError(ErrorKind::Step,
            QStringLiteral("The year must be from %1 to %2.").arg(kFirstYear).arg(kLastYear), QString::number(year));
}

} // namespace

void UpdateFixedDatesUniversal(const Store &store, std::int16_t year)
{
    store.run(QStringLiteral("UPDATE Calendar_Fix_Univ SET AnCurent = ?"), {int(year)});
    store.runStoredQuery(QStringLiteral("ActualizareDataUniv"));
}

void UpdateFixedDatesUsa(const Store &store, std::int16_t year)
{
    store.run(QStringLiteral("UPDATE C_DIF_USA SET AnCurent = ?"), {int(year)});
    store.run(QStringLiteral("UPDATE Calendar_Fix_Univ SET AnCurent = ?"), {int(year)});
    store.runStoredQuery(QStringLiteral("ActualizareDataUniv"));
    store.runStoredQuery(QStringLiteral("ActualizareDataDifUSA"));
}

void DefaultRankUniversal(const Store &store)
{
    defaultRank(store, tablesFor(Variant::Universal).yearTable);
}

void DefaultRankUsa(const Store &store)
{
    defaultRank(store, tablesFor(Variant::Usa).yearTable);
}

void BuildUniversalYear(const Store &store, std::int16_t year)
{
    checkYear(year);
    const VariantTables &t = tablesFor(Variant::Universal);
    Store::Transaction tx(store);
    asBadData([&] {
        UpdateFixedDatesUniversal(store, year);
        ComputeMovableDates(store, year, t.movableCode);
        store.run(QStringLiteral("DELETE FROM %1").arg(t.yearTable));
        store.runStoredQuery(t.fixedQuery);
        store.runStoredQuery(t.movableQuery);
        applySeasonRanks(store, Variant::Universal, year);
    });
    DefaultRankUniversal(store);
    transferSolemnities(store, t.yearTable, year);
    preferMotherOfTheChurch(store, t.yearTable);
    store.runStoredQuery(t.othersQuery);
    finishYear(store, t);
    nameAndNumberRows(store, t.yearTable);
    tx.commit();
}

void BuildUsaYear(const Store &store, std::int16_t year)
{
    checkYear(year);
    const VariantTables &t = tablesFor(Variant::Usa);
    Store::Transaction tx(store);
    asBadData([&] {
        UpdateFixedDatesUsa(store, year);
        ComputeMovableDates(store, year, t.movableCode);
        store.run(QStringLiteral("DELETE FROM %1").arg(t.yearTable));
        store.runStoredQuery(t.fixedQuery);
        adaptUniversalRowsForUsa(store);
        store.runStoredQuery(QStringLiteral("DateFixeDIF->CalUSA"));
        store.runStoredQuery(t.movableQuery);
        applySeasonRanks(store, Variant::Usa, year);
        DefaultRankUsa(store);
        transferSolemnities(store, t.yearTable, year);
        transferUsaDays(store);
        preferMotherOfTheChurch(store, t.yearTable);
        // Thanksgiving Day is a proper Mass said on its Thursday, not the day's celebration:
        // it takes nothing from the weekday or the memorials the day keeps by precedence.
        const QList<QVariantList> thanksgiving = setAside(store, t.yearTable, kThanksgiving);
        store.runStoredQuery(t.othersQuery);
        finishYear(store, t, thanksgiving);
    });
    nameAndNumberRows(store, t.yearTable);
    tx.commit();
}

void BuildYear(const Store &store, Variant variant, std::int16_t year)
{
    if (variant == Variant::Universal)
        BuildUniversalYear(store, year);
    else
        BuildUsaYear(store, year);
}

} // namespace lumenar
