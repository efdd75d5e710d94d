// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayDetails.h"

#include <algorithm>
#include <array>

namespace lumenar {

namespace {

const QString kMotherOfGod = QStringLiteral("Mary, the Holy Mother of God");
const QString kEpiphany = QStringLiteral("Epiphany of the Lord");
const QString kStJoseph = QStringLiteral("St. Joseph, Husband of Mary");
const QString kAscension = QStringLiteral("Ascension of the Lord");
const QString kCorpusChristi = QStringLiteral("The Body and Blood of Christ (Corpus Christi)");
const QString kPeterAndPaul = QStringLiteral("Sts. Peter and Paul, Apostles");
const QString kAssumption = QStringLiteral("Assumption of the Blessed Virgin Mary");
const QString kAllSaints = QStringLiteral("All Saints");
const QString kImmaculateConception = QStringLiteral("Immaculate Conception of the Virgin Mary");
const QString kChristmas = QStringLiteral("The Nativity of the Lord (Christmas)");

// Canon 1246 §1: the days of precept besides Sunday, kept where the year puts them (the
// Dicastery for Legislative Texts, 4 September 2024: a transferred feast keeps its precept).
const std::array<const QString *, 10> kUniversalPrecepts = {&kChristmas, &kEpiphany, &kAscension, &kCorpusChristi,
    &kMotherOfGod, &kImmaculateConception, &kAssumption, &kStJoseph, &kPeterAndPaul, &kAllSaints};

// The USA's complementary norm to canon 1246 §2 (1991): six days, three of which lose the
// precept on a Saturday or a Monday. The Immaculate Conception, the nation's patronal
// feast, keeps it on any day, also on the Monday it is moved to (the bishops' memo of
// 10 October 2024, passing on the Dicastery's answer).
const std::array<const QString *, 6> kUsaPrecepts
    = {&kMotherOfGod, &kAscension, &kAssumption, &kAllSaints, &kImmaculateConception, &kChristmas};

bool isOfPrecept(Variant variant, const Celebration &row)
{
    const auto named = [&](const auto &names) {
        return std::any_of(names.begin(), names.end(), [&](const QString *name) { return row.name == *name; });
    };
    if (variant == Variant::Universal)
        return named(kUniversalPrecepts);
    if (!named(kUsaPrecepts))
        return false;
    const bool abrogable = row.name == kMotherOfGod || row.name == kAssumption || row.name == kAllSaints;
    const int weekday = row.date.dayOfWeek();
    return !abrogable || (weekday != Qt::Saturday && weekday != Qt::Monday);
}

QDate sundayOnOrBefore(const QDate &date)
{
    return date.addDays(-(date.dayOfWeek() % 7));
}

// The four-week psalter starts again with week 1 on the given Sunday and runs on week by week.
int psalterWeekFrom(const QDate &startSunday, const QDate &date)
{
    return int(startSunday.daysTo(sundayOnOrBefore(date)) / 7 % 4) + 1;
}

// Christmas Time has no fresh start: the cycle runs on from Advent's fourth week, so week 1
// begins on the Sunday from 25 to 31 December and week 2 on the Sunday from 1 to 6 January.
int christmasPsalterWeek(const QDate &date)
{
    const QDate sunday = sundayOnOrBefore(date);
    if (sunday.month() == 1)
        return 2;
    return sunday.day() >= 25 ? 1 : 4;
}

} // namespace

DayDetails dayDetails(const YearDates &dates, const QDate &date, std::span<const Celebration> rowsOfDay)
{
    DayDetails out;

    // The liturgical year begins on the First Sunday of Advent and is named after the civil
    // year it ends in: Year C when that number divides by 3, Year I when it is odd.
    const int endsIn = date < dates.firstSundayOfAdvent ? dates.year : dates.year + 1;
    out.sundayCycle = "CAB"[endsIn % 3];
    out.weekdayCycle = endsIn % 2 ? 1 : 2;

    // The seasons by the Universal Norms on the Liturgical Year, nos. 19-44, a day taking the
    // season it mostly belongs to. The psalter by the General Instruction of the Liturgy of
    // the Hours, no. 133: week 1 on the First Sundays of Advent, of Ordinary Time and of Lent
    // and on Easter Sunday.
    const QDate holyThursday = dates.easter.addDays(-3);
    // Ordinary Time's first week begins on the Sunday of the Baptism, or on the Sunday before
    // the USA's Monday Baptism.
    const QDate firstWeekOfOrdinaryTime = sundayOnOrBefore(dates.baptism);
    // Its last week, the Thirty-Fourth, is that of Christ the King.
    const QDate lastSundayOfOrdinaryTime = dates.firstSundayOfAdvent.addDays(-7);
    if (date >= dates.firstSundayOfAdvent) {
        if (date < dates.christmas) {
            out.season = Season::Advent;
            out.psalterWeek = psalterWeekFrom(dates.firstSundayOfAdvent, date);
        } else {
            out.season = Season::Christmas;
            out.psalterWeek = christmasPsalterWeek(date);
        }
    } else if (date <= dates.baptism) {
        out.season = Season::Christmas;
        out.psalterWeek = date >= firstWeekOfOrdinaryTime ? 1 : christmasPsalterWeek(date);
    } else if (date < dates.ashWednesday) {
        out.psalterWeek = psalterWeekFrom(firstWeekOfOrdinaryTime, date);
    } else if (date < holyThursday) {
        out.season = Season::Lent;
        // Ash Wednesday and the days after it are the psalter's fourth week.
        out.psalterWeek = date < dates.firstSundayOfLent ? 4 : psalterWeekFrom(dates.firstSundayOfLent, date);
    } else if (date <= dates.easter) {
        // From the evening of Holy Thursday to Vespers of Easter Sunday.
        out.season = Season::Triduum;
        out.psalterWeek = date < dates.easter ? psalterWeekFrom(dates.firstSundayOfLent, date) : 1;
    } else if (date <= dates.pentecost) {
        out.season = Season::Easter;
        out.psalterWeek = psalterWeekFrom(dates.easter, date);
    } else {
        // After Pentecost the weeks are counted back from the Thirty-Fourth, and the psalter
        // follows the week's number: weeks 1, 5, 9 … take week 1.
        const int week = 34 - int(sundayOnOrBefore(date).daysTo(lastSundayOfOrdinaryTime) / 7);
        out.psalterWeek = (week - 1) % 4 + 1;
    }

    out.obligation = date.dayOfWeek() == Qt::Sunday
        || std::any_of(rowsOfDay.begin(), rowsOfDay.end(),
            [&](const Celebration &row) { return isOfPrecept(dates.variant, row); });
    return out;
}

QLatin1String seasonCode(Season season)
{
    switch (season) {
    case Season::Advent:
        return QLatin1String("advent");
    case Season::Christmas:
        return QLatin1String("christmas");
    case Season::Lent:
        return QLatin1String("lent");
    case Season::Triduum:
        return QLatin1String("triduum");
    case Season::Easter:
        return QLatin1String("easter");
    case Season::Ordinary:
        break;
    }
    return QLatin1String("ordinary");
}

QString seasonName(Season season)
{
    switch (season) {
    case Season::Advent:
        return QStringLiteral("Advent");
    case Season::Christmas:
        return QStringLiteral("Christmas Time");
    case Season::Lent:
        return QStringLiteral("Lent");
    case Season::Triduum:
        return QStringLiteral("Easter Triduum");
    case Season::Easter:
        return QStringLiteral("Easter Time");
    case Season::Ordinary:
        break;
    }
    return QStringLiteral("Ordinary Time");
}

QLatin1String weekdayCycleText(int cycle)
{
    return cycle == 2 ? QLatin1String("II") : QLatin1String("I");
}

QString dayDetailsLine(const DayDetails &details)
{
    QString line = QStringLiteral("%1 · Year %2 · Weekday %3 · Psalter week %4")
                       .arg(seasonName(details.season), QChar::fromLatin1(details.sundayCycle),
                           weekdayCycleText(details.weekdayCycle))
                       .arg(details.psalterWeek);
    if (details.obligation)
        line += QStringLiteral(" · Holy day of obligation");
    return line;
}

} // namespace lumenar
