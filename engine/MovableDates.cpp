// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/MovableDates.h"

#include "engine/LiturgicalDate.h"

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

} // namespace

YearDates computeYearDates(std::int16_t year, Variant variant)
{
    const bool usa = variant == Variant::Usa;
    YearDates d;
    d.year = year;
    d.variant = variant;
    d.easter = EasterSunday(year);
    const QDate &E = d.easter;

    d.epiphany = usa ? WeekdayOnOrBefore(QDate(year, 1, 8), kSunday) : QDate(year, 1, 6);
    if (!usa)
        d.baptism = WeekdayOnOrAfter(QDate(year, 1, 7), kSunday);
    else if (d.epiphany == QDate(year, 1, 7))
        d.baptism = QDate(year, 1, 8);
    else if (d.epiphany == QDate(year, 1, 8))
        d.baptism = QDate(year, 1, 9);
    else
        d.baptism = WeekdayOnOrAfter(d.epiphany.addDays(1), kSunday);

    d.ashWednesday = WeekdayOnOrBefore(E.addDays(-42), kWednesday);
    d.firstSundayOfLent = WeekdayOnOrAfter(d.ashWednesday, kSunday);
    d.palmSunday = WeekdayOnOrBefore(E.addDays(-1), kSunday);
    d.ascension = usa ? AddWeeks(E, 6) : WeekdayOnOrAfter(AddWeeks(E, 5), kThursday);
    d.pentecost = WeekdayOnOrBefore(E.addDays(50), kSunday);
    d.trinity = WeekdayOnOrAfter(d.pentecost.addDays(1), kSunday);
    d.sundayAfterTrinity = d.pentecost.addDays(14);
    d.corpusChristi = usa ? E.addDays(63) : d.pentecost.addDays(11);
    d.christTheKing = WeekdayOnOrBefore(QDate(year, 11, 26), kSunday);
    d.christmas = QDate(year, 12, 25);
    const QDate fourthOfAdvent = WeekdayOnOrBefore(QDate(year, 12, 24), kSunday);
    d.firstSundayOfAdvent = fourthOfAdvent.addDays(-21);
    return d;
}

std::vector<MovableDate> ComputeMovableDates(const YearDates &d)
{
    const bool usa = d.variant == Variant::Usa;
    const int year = d.year;
    const QDate &E = d.easter;
    std::vector<MovableDate> out;
    out.reserve(80);
    auto write = [&out](const QString &name, const QDate &date) { out.push_back({name, date}); };

    // Christmas season and the Sundays after the Baptism.
    if (usa)
        write(QStringLiteral("Epiphany of the Lord"), d.epiphany);
    write(QStringLiteral("Easter Sunday"), E);
    write(QStringLiteral("Baptism of the Lord"), d.baptism);

    // When the Baptism is kept on a Monday, the Second Sunday is the Sunday after it.
    const QDate firstOrdinarySunday = WeekdayOnOrAfter(d.baptism.addDays(1), kSunday);
    for (int k = 1; k <= int(kEarlyOrdinarySundays.size()); ++k)
        write(kEarlyOrdinarySundays[k - 1], AddWeeks(firstOrdinarySunday, k - 1));

    // Lent and Holy Week.
    write(QStringLiteral("Ash Wednesday"), d.ashWednesday);
    write(QStringLiteral("First Sunday in Lent"), d.firstSundayOfLent);
    for (int k = 1; k <= int(kLaterLentSundays.size()); ++k)
        write(kLaterLentSundays[k - 1], AddWeeks(d.firstSundayOfLent, k));
    write(QStringLiteral("Passion (Palm) Sunday"), d.palmSunday);
    write(QStringLiteral("Monday of Holy Week"), d.palmSunday.addDays(1));
    write(QStringLiteral("Tuesday of Holy Week"), d.palmSunday.addDays(2));
    write(QStringLiteral("Wednesday of Holy Week"), d.palmSunday.addDays(3));
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
    write(QStringLiteral("Ascension of the Lord"), d.ascension);
    write(QStringLiteral("Pentecost"), d.pentecost);
    write(QStringLiteral("Mary, Mother of the Church"), WeekdayOnOrAfter(d.pentecost.addDays(1), kMonday));
    write(QStringLiteral("Holy Trinity"), d.trinity);
    write(QStringLiteral("The Body and Blood of Christ (Corpus Christi)"), d.corpusChristi);
    write(QStringLiteral("Sacred Heart of Jesus"), WeekdayOnOrAfter(d.corpusChristi.addDays(2), kFriday));
    write(QStringLiteral("Immaculate Heart of Mary"), E.addDays(69));

    // The end of the year and the Sundays counted back from it.
    write(QStringLiteral("Christ the King"), d.christTheKing);
    QDate D = SubtractWeeks(d.christTheKing, 1);
    write(QStringLiteral("Thirty-Third Sunday of Ordinary Time"), D);
    for (const QString &name : kLateOrdinarySundays) {
        if (D == d.sundayAfterTrinity)
            break;
        D = SubtractWeeks(D, 1);
        write(name, D);
    }

    if (usa)
        write(QStringLiteral("Thanksgiving Day"), WeekdayOnOrBefore(QDate(year, 11, 28), kThursday));

    write(QStringLiteral("The Holy Family"),
        weekdayNumber(d.christmas) == 1 ? QDate(year, 12, 30) : WeekdayOnOrBefore(QDate(year, 12, 31), kSunday));
    const QDate A1 = d.firstSundayOfAdvent;
    write(QStringLiteral("Fourth Sunday of Advent"), A1.addDays(21));
    write(QStringLiteral("Third Sunday of Advent"), A1.addDays(14));
    write(QStringLiteral("Second Sunday of Advent"), A1.addDays(7));
    write(QStringLiteral("First Sunday of Advent"), A1);

    const QDate firstAfterChristmas = WeekdayOnOrAfter(QDate(year - 1, 12, 25), kSunday);
    write(QStringLiteral("Second Sunday of Christmas"), WeekdayOnOrAfter(firstAfterChristmas.addDays(1), kSunday));
    return out;
}

std::vector<SeasonRankWindow> seasonRankWindows(const YearDates &d)
{
    std::vector<SeasonRankWindow> windows{{d.easter, 2}, {d.ashWednesday, 9}};
    for (int k = 0; k < 5; ++k)
        windows.push_back({AddWeeks(d.firstSundayOfLent, k), 9});
    windows.push_back({QDate(d.year, 12, 17), 9});
    windows.push_back({QDate(d.year, 12, 26), 9});
    return windows;
}

} // namespace lumenar
