// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/MovableDates.h"

#include "engine/LiturgicalDate.h"
#include "store/Store.h"

#include <QHash>
#include <QStringList>

#include <array>

namespace lumenar {

namespace {

const QString kSunday = QStringLiteral("1");
const QString kMonday = QStringLiteral("2");
const QString kWednesday = QStringLiteral("4");
const QString kThursday = QStringLiteral("5");
const QString kFriday = QStringLiteral("6");
const QString kSaturday = QStringLiteral("7");

// Sundays of Ordinary Time before Lent, second to ninth.
const std::array<QString, 8> kEarlyOrdinarySundays = {
    QStringLiteral("Second Sunday of Ordinary Time"),
    QStringLiteral("Third Sunday of Ordinary Time"),
    QStringLiteral("Fourth Sunday of Ordinary Time"),
    QStringLiteral("Fifth Sunday of Ordinary Time"),
    QStringLiteral("Sixth Sunday of Ordinary Time"),
    QStringLiteral("Seventh Sunday of Ordinary Time"),
    QStringLiteral("Eighth Sunday of Ordinary Time"),
    QStringLiteral("Ninth Sunday of Ordinary Time"),
};

// Counted back from the Thirty-Third, down to the Sunday after Holy Trinity.
const std::array<QString, 25> kLateOrdinarySundays = {
    QStringLiteral("Thirty-Second Sunday of Ordinary Time"),
    QStringLiteral("Thirty-First Sunday of Ordinary Time"),
    QStringLiteral("Thirtieth Sunday of Ordinary Time"),
    QStringLiteral("Twenty-Ninth Sunday of Ordinary Time"),
    QStringLiteral("Twenty-Eighth Sunday of Ordinary Time"),
    QStringLiteral("Twenty-Seventh Sunday of Ordinary Time"),
    QStringLiteral("Twenty-Sixth Sunday of Ordinary Time"),
    QStringLiteral("Twenty-Fifth Sunday of Ordinary Time"),
    QStringLiteral("Twenty-Fourth Sunday of Ordinary Time"),
    QStringLiteral("Twenty-Third Sunday of Ordinary Time"),
    QStringLiteral("Twenty-Second Sunday of Ordinary Time"),
    QStringLiteral("Twenty-First Sunday of Ordinary Time"),
    QStringLiteral("Twentieth Sunday of Ordinary Time"),
    QStringLiteral("Nineteenth Sunday of Ordinary Time"),
    QStringLiteral("Eighteenth Sunday of Ordinary Time"),
    QStringLiteral("Seventeenth Sunday of Ordinary Time"),
    QStringLiteral("Sixteenth Sunday of Ordinary Time"),
    QStringLiteral("Fifteenth Sunday of Ordinary Time"),
    QStringLiteral("Fourteenth Sunday of Ordinary Time"),
    QStringLiteral("Thirteenth Sunday of Ordinary Time"),
    QStringLiteral("Twelfth Sunday of Ordinary Time"),
    QStringLiteral("Eleventh Sunday of Ordinary Time"),
    QStringLiteral("Tenth Sunday of Ordinary Time"),
    QStringLiteral("Ninth Sunday of Ordinary Time"),
    QStringLiteral("Eighth Sunday of Ordinary Time"),
};

const std::array<QString, 4> kLaterLentSundays = {
    QStringLiteral("Second Sunday in Lent"),
    QStringLiteral("Third Sunday in Lent"),
    QStringLiteral("Fourth Sunday in Lent"),
    QStringLiteral("Fifth Sunday in Lent"),
};

const std::array<QString, 6> kEasterSundays = {
    QStringLiteral("Second Sunday of Easter"),
    QStringLiteral("Third Sunday of Easter"),
    QStringLiteral("Fourth Sunday of Easter"),
    QStringLiteral("Fifth Sunday of Easter"),
    QStringLiteral("Sixth Sunday of Easter"),
    QStringLiteral("Seventh Sunday of Easter"),
};

QDate ashWednesday(const QDate &easter)
{
    return WeekdayOnOrBefore(easter.addDays(-42), kWednesday);
}

} // namespace

std::vector<MovableDate> movableDates(std::int16_t year, Variant variant)
{
    const bool usa = variant == Variant::Usa;
    std::vector<MovableDate> out;
    out.reserve(80);
    auto write = [&out](const QString &name, const QDate &date) { out.push_back({name, date}); };

    const QDate E = EasterSunday(year);

    // Christmas season and the Sundays after the Baptism.
    QDate epiphany = EpiphanyFixedDate(year);
    if (usa) {
        epiphany = WeekdayOnOrBefore(QDate(year, 1, 8), kSunday);
        write(QStringLiteral("Epiphany of the Lord"), epiphany);
    }
    write(QStringLiteral("Easter Sunday"), E);

    QDate baptism;
    if (!usa)
        baptism = WeekdayOnOrAfter(QDate(year, 1, 7), kSunday);
    else if (epiphany == QDate(year, 1, 7))
        baptism = QDate(year, 1, 8);
    else if (epiphany == QDate(year, 1, 8))
        baptism = QDate(year, 1, 9);
    else
        baptism = WeekdayOnOrAfter(epiphany.addDays(1), kSunday);
    write(QStringLiteral("Baptism of the Lord"), baptism);

    // When the Baptism is kept on a Monday, the Second Sunday is the Sunday after it.
    const QDate firstOrdinarySunday = WeekdayOnOrAfter(baptism.addDays(1), kSunday);
    for (int k = 1; k <= int(kEarlyOrdinarySundays.size()); ++k)
        write(kEarlyOrdinarySundays[k - 1], AddWeeks(firstOrdinarySunday, k - 1));

    // Lent and Holy Week.
    const QDate AW = ashWednesday(E);
    write(QStringLiteral("Ash Wednesday"), AW);
    const QDate L1 = WeekdayOnOrAfter(AW, kSunday);
    write(QStringLiteral("First Sunday in Lent"), L1);
    for (int k = 1; k <= int(kLaterLentSundays.size()); ++k)
        write(kLaterLentSundays[k - 1], AddWeeks(L1, k));
    const QDate palm = WeekdayOnOrBefore(E.addDays(-1), kSunday);
    write(QStringLiteral("Passion (Palm) Sunday"), palm);
    write(QStringLiteral("Monday of Holy Week"), palm.addDays(1));
    write(QStringLiteral("Tuesday of Holy Week"), palm.addDays(2));
    write(QStringLiteral("Wednesday of Holy Week"), palm.addDays(3));
    write(QStringLiteral("Holy Thursday"), WeekdayOnOrBefore(E.addDays(-1), kThursday));
    write(QStringLiteral("Good Friday"), WeekdayOnOrBefore(E.addDays(-1), kFriday));
    write(QStringLiteral("Holy Saturday"), WeekdayOnOrBefore(E.addDays(-1), kSaturday));

    // Easter season. Where the Ascension is kept on the Seventh Sunday, that Sunday is the
    // Ascension and has no date of its own.
    for (int k = 1; k <= int(kEasterSundays.size()); ++k) {
        if (usa && k == 6)
            continue;
        write(kEasterSundays[k - 1], AddWeeks(E, k));
    }
    write(QStringLiteral("Ascension of the Lord"), usa ? AddWeeks(E, 6) : WeekdayOnOrAfter(AddWeeks(E, 5), kThursday));
    const QDate P = WeekdayOnOrBefore(E.addDays(50), kSunday);
    write(QStringLiteral("Pentecost"), P);
    write(QStringLiteral("Mary, Mother of the Church"), WeekdayOnOrAfter(P.addDays(1), kMonday));
    write(QStringLiteral("Holy Trinity"), WeekdayOnOrAfter(P.addDays(1), kSunday));
    const QDate T = P.addDays(14);
    const QDate C = usa ? E.addDays(63) : P.addDays(11);
    write(QStringLiteral("The Body and Blood of Christ (Corpus Christi)"), C);
    write(QStringLiteral("Sacred Heart of Jesus"), WeekdayOnOrAfter(C.addDays(2), kFriday));
    write(QStringLiteral("Immaculate Heart of Mary"), E.addDays(69));

    // The end of the year and the Sundays counted back from it.
    const QDate K = WeekdayOnOrBefore(QDate(year, 11, 26), kSunday);
    write(QStringLiteral("Christ the King"), K);
    QDate D = SubtractWeeks(K, 1);
    write(QStringLiteral("Thirty-Third Sunday of Ordinary Time"), D);
    for (const QString &name : kLateOrdinarySundays) {
        if (D == T)
            break;
        D = SubtractWeeks(D, 1);
        write(name, D);
    }

    if (usa)
        write(QStringLiteral("Thanksgiving Day"), WeekdayOnOrBefore(QDate(year, 11, 28), kThursday));

    const QDate christmas(year, 12, 25);
    write(QStringLiteral("The Holy Family"),
        weekdayNumber(christmas) == 1 ? QDate(year, 12, 30) : WeekdayOnOrBefore(QDate(year, 12, 31), kSunday));
    const QDate A4 = WeekdayOnOrBefore(QDate(year, 12, 24), kSunday);
    const QDate A3 = WeekdayOnOrBefore(A4.addDays(-1), kSunday);
    const QDate A2 = WeekdayOnOrBefore(A3.addDays(-1), kSunday);
    const QDate A1 = WeekdayOnOrBefore(A2.addDays(-1), kSunday);
    write(QStringLiteral("Fourth Sunday of Advent"), A4);
    write(QStringLiteral("Third Sunday of Advent"), A3);
    write(QStringLiteral("Second Sunday of Advent"), A2);
    write(QStringLiteral("First Sunday of Advent"), A1);

    const QDate firstAfterChristmas = WeekdayOnOrAfter(QDate(year - 1, 12, 25), kSunday);
    write(QStringLiteral("Second Sunday of Christmas"), WeekdayOnOrAfter(firstAfterChristmas.addDays(1), kSunday));
    return out;
}

void ComputeMovableDates(const Store &store, std::int16_t year, const QString &variantCode)
{
    Variant variant;
    if (variantCode == QLatin1String("UNIV"))
        variant = Variant::Universal;
    else if (variantCode == QLatin1String("USA"))
        variant = Variant::Usa;
    else
        return;

    const QString &table = tablesFor(variant).movableTable;

    // A later date for a name replaces an earlier one. Names are unique in the table, so one
    // pass gives each row its date, or none when this year computes none for it.
    QStringList names;
    QHash<QString, QDate> finalDate;
    for (const MovableDate &entry : movableDates(year, variant)) {
        if (!finalDate.contains(entry.name))
            names << entry.name;
        finalDate[entry.name] = entry.date;
    }
    QVariantList values;
    values.reserve(names.size() * 2);
    for (const QString &name : names)
        values << name << finalDate[name].toString(Qt::ISODate);

    store.run(QStringLiteral("UPDATE %1 SET Data = CASE evenimentuniv %2 END")
                  .arg(table, QStringList(names.size(), QStringLiteral("WHEN ? THEN ?")).join(u' ')),
        values);
}

std::vector<SeasonRankWindow> seasonRankWindows(std::int16_t year)
{
    const QDate E = EasterSunday(year);
    const QDate AW = ashWednesday(E);
    const QDate L1 = WeekdayOnOrAfter(AW, kSunday);
    std::vector<SeasonRankWindow> windows{{E, 2}, {AW, 9}};
    for (int k = 0; k < 5; ++k)
        windows.push_back({AddWeeks(L1, k), 9});
    windows.push_back({QDate(year, 12, 17), 9});
    windows.push_back({QDate(year, 12, 26), 9});
    return windows;
}

void FillSeasonRank(const Store &store, Variant variant, const QDate &start, int rank)
{
    store.run(QStringLiteral("UPDATE %1 SET Rang = ? WHERE (Rang = 0 OR Rang IS NULL) AND Data BETWEEN ? AND ?")
                  .arg(tablesFor(variant).yearTable),
        {rank, start.toString(Qt::ISODate), start.addDays(7).toString(Qt::ISODate)});
}

} // namespace lumenar
