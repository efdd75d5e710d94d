// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the calendar hold in every year: every day has a celebration and rows are
// numbered without gaps; each solemnity stands once and never beside another; no memorial
// stands beside a higher celebration; the great days hold only themselves. The details of
// the days follow the seasons, cycles and psalter weeks those days name. CI runs a spread
// of years; LUMENAR_FULL_SWEEP=1 (make sweep, and the test_sweep_full test) runs all of
// 1583-4900.
#include "engine/LiturgicalDate.h"
#include "engine/YearAssembly.h"
#include "tests/support/TestDatabase.h"

#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>

using namespace lumenar;

namespace {

const QString kThanksgiving = QStringLiteral("Thanksgiving Day");
const QString kMotherOfTheChurch = QStringLiteral("Mary, Mother of the Church");

// The solemnities of the calendar, and the days of Easter, Christmas and Epiphany ranked with them.
const QStringList kSolemnities = {
    QStringLiteral("Mary, the Holy Mother of God"),
    QStringLiteral("Epiphany of the Lord"),
    QStringLiteral("St. Joseph, Husband of Mary"),
    QStringLiteral("Annunciation of the Lord"),
    QStringLiteral("Easter Sunday"),
    QStringLiteral("Ascension of the Lord"),
    QStringLiteral("Pentecost"),
    QStringLiteral("Holy Trinity"),
    QStringLiteral("The Body and Blood of Christ (Corpus Christi)"),
    QStringLiteral("Sacred Heart of Jesus"),
    QStringLiteral("Nativity of St. John the Baptist"),
    QStringLiteral("Sts. Peter and Paul, Apostles"),
    QStringLiteral("Assumption of the Blessed Virgin Mary"),
    QStringLiteral("All Saints"),
    QStringLiteral("The Commemoration of All the Faithful Departed (All Souls)"),
    QStringLiteral("Christ the King"),
    QStringLiteral("Immaculate Conception of the Virgin Mary"),
    QStringLiteral("The Nativity of the Lord (Christmas)"),
};

bool isSolemnity(const Celebration &c)
{
    return c.rank == 3 || c.rank == 4 || kSolemnities.contains(c.name);
}
bool isMemorial(const Celebration &c)
{
    return c.rank >= 10 && c.rank <= 12;
}

QDate sundayOnOrBefore(const QDate &date)
{
    return date.addDays(-(date.dayOfWeek() % 7));
}

// The days that admit no other celebration, each with the name it must show.
QMap<QDate, QString> daysKeptAlone(int year)
{
    static const char *ordinals[] = {"First", "Second", "Third", "Fourth", "Fifth"};
    static const char *octave[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    static const char *holyWeek[] = {"Passion (Palm) Sunday", "Monday of Holy Week", "Tuesday of Holy Week",
        "Wednesday of Holy Week", "Holy Thursday", "Good Friday", "Holy Saturday", "Easter Sunday"};
    const QDate easter = EasterSunday(static_cast<std::int16_t>(year));
    QMap<QDate, QString> days;
    for (int i = 0; i < 8; ++i)
        days[easter.addDays(i - 7)] = QString::fromLatin1(holyWeek[i]);
    for (int i = 0; i < 6; ++i)
        days[easter.addDays(i + 1)] = QStringLiteral("%1 within the Octave of Easter").arg(octave[i]);
    days[easter.addDays(7)] = QStringLiteral("Second Sunday of Easter");
    days[easter.addDays(-46)] = QStringLiteral("Ash Wednesday");
    for (int i = 0; i < 5; ++i)
        days[easter.addDays(7 * i - 42)] = QStringLiteral("%1 Sunday in Lent").arg(ordinals[i]);
    const QDate fourthOfAdvent = sundayOnOrBefore(QDate(year, 12, 24));
    for (int i = 0; i < 4; ++i)
        days[fourthOfAdvent.addDays(7 * (i - 3))] = QStringLiteral("%1 Sunday of Advent").arg(ordinals[i]);
    days[QDate(year, 12, 25)] = QStringLiteral("The Nativity of the Lord (Christmas)");
    return days;
}

// Every rule the year breaks, in words.
QStringList problemsOf(const std::vector<Celebration> &rows, int year)
{
    QStringList problems;
    QMap<QDate, QList<const Celebration *>> days;
    QHash<QString, int> solemnities;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Celebration &c = rows[i];
        static const char *weekdays[] = {"", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        if (c.id != int(i) + 1 || c.date.year() != year || c.weekday != QLatin1String(weekdays[weekdayNumber(c.date)]))
            problems << QStringLiteral("row %1 (%2) is out of place").arg(c.id).arg(c.name);
        if (i > 0 && (rows[i - 1].date > c.date || (rows[i - 1].date == c.date && rows[i - 1].colour < c.colour)))
            problems << QStringLiteral("row %1 (%2) is out of order").arg(c.id).arg(c.name);
        days[c.date] << &c;
        if (isSolemnity(c))
            ++solemnities[c.name];
    }
    if (days.size() != QDate(year, 1, 1).daysInYear())
        problems << QStringLiteral("%1 days have a celebration").arg(days.size());

    for (const QString &name : kSolemnities) {
        if (solemnities.value(name) != 1)
            problems << QStringLiteral("%1 stands %2 times").arg(name).arg(solemnities.value(name));
    }
    for (auto it = solemnities.begin(); it != solemnities.end(); ++it) {
        if (!kSolemnities.contains(it.key()))
            problems << QStringLiteral("%1 is ranked as a solemnity").arg(it.key());
    }

    for (auto it = days.begin(); it != days.end(); ++it) {
        QStringList names;
        int solemnitiesOfDay = 0;
        bool higher = false, memorial = false, thanksgiving = false;
        for (const Celebration *c : it.value()) {
            names << c->name;
            solemnitiesOfDay += isSolemnity(*c);
            higher = higher || c->rank <= 9;
            if (c->name == kThanksgiving)
                thanksgiving = true;
            else
                memorial = memorial || isMemorial(*c);
        }
        const QString day = it.key().toString(Qt::ISODate) + QStringLiteral(": ") + names.join(QStringLiteral("; "));
        if (solemnitiesOfDay > 1)
            problems << QStringLiteral("two solemnities on ") + day;
        if (higher && memorial)
            problems << QStringLiteral("a memorial beside a higher celebration on ") + day;
        // A proper Mass beside the day, never the day's only celebration.
        if (thanksgiving && names.size() < 2)
            problems << QStringLiteral("Thanksgiving Day alone on ") + day;
    }

    const QMap<QDate, QString> alone = daysKeptAlone(year);
    for (auto it = alone.begin(); it != alone.end(); ++it) {
        const auto &day = days.value(it.key());
        if (day.size() != 1 || day[0]->name != it.value())
            problems << QStringLiteral("%1 is not alone on %2").arg(it.value(), it.key().toString(Qt::ISODate));
    }

    // The Monday after Pentecost is hers unless a feast or a solemnity takes it.
    const QDate monday = EasterSunday(static_cast<std::int16_t>(year)).addDays(50);
    const auto &mondayRows = days.value(monday);
    const bool taken
        = std::any_of(mondayRows.begin(), mondayRows.end(), [](const Celebration *c) { return c->rank <= 8; });
    const bool hers = mondayRows.size() == 1 && mondayRows[0]->name == kMotherOfTheChurch;
    if (!taken && !hers)
        problems << QStringLiteral("the Monday after Pentecost is not hers alone");
    return problems;
}

// 1 "First" … 34 "Thirty-Fourth", as the calendar's names write them; 0 for another word.
int ordinalNumber(const QString &word)
{
    return test::shippedSource().ordinals.key(word, 0);
}

bool dayHolds(std::span<const Celebration> rows, const QString &name)
{
    return std::any_of(rows.begin(), rows.end(), [&](const Celebration &c) { return c.name == name; });
}

// The seasons come in this order, each starting on the day named (or the day after it).
struct SeasonStart
{
    Season season;
    const char *name;
    int after;
};
const SeasonStart kSeasonStarts[] = {
    {Season::Christmas, nullptr, 0},
    {Season::Ordinary, "Baptism of the Lord", 1},
    {Season::Lent, "Ash Wednesday", 0},
    {Season::Triduum, "Holy Thursday", 0},
    {Season::Easter, "Easter Sunday", 1},
    {Season::Ordinary, "Pentecost", 1},
    {Season::Advent, "First Sunday of Advent", 0},
    {Season::Christmas, "The Nativity of the Lord (Christmas)", 0},
};

// Every rule the details of the year's days break, in words. `before` holds the details of
// the previous 31 December when that year was checked just before.
QStringList detailProblemsOf(const YearCalendar &year, std::optional<DayDetails> before)
{
    static const QRegularExpression ordinaryTime(QStringLiteral("(\\S+) (?:Sunday|Week) of Ordinary Time$"));
    QStringList problems;
    std::size_t run = 0;
    for (QDate date(year.year(), 1, 1); date.year() == year.year(); date = date.addDays(1)) {
        const auto day = [&] { return date.toString(Qt::ISODate); };
        const std::optional<DayDetails> details = year.details(date);
        if (!details || details->psalterWeek < 1 || details->psalterWeek > 4) {
            problems << day() + QStringLiteral(" has no details");
            continue;
        }
        const auto rows = year.day(date);
        // The cycles move on together, on the First Sunday of Advent and on no other day.
        if (before) {
            const bool advent = dayHolds(rows, QStringLiteral("First Sunday of Advent"));
            const char next = advent ? char('A' + (before->sundayCycle - 'A' + 1) % 3) : before->sundayCycle;
            const int weekday = advent ? 3 - before->weekdayCycle : before->weekdayCycle;
            if (details->sundayCycle != next || details->weekdayCycle != weekday)
                problems << day()
                        + QStringLiteral(" has Year %1, Weekday %2")
                              .arg(details->sundayCycle)
                              .arg(details->weekdayCycle);
        }
        if (date.dayOfWeek() == Qt::Sunday && !details->obligation)
            problems << day() + QStringLiteral(", a Sunday, is not of obligation");
        for (const Celebration &c : rows) {
            if (!c.name.endsWith(QLatin1String("Ordinary Time")))
                continue;
            const auto match = ordinaryTime.match(c.name);
            if (match.hasMatch() && details->psalterWeek != (ordinalNumber(match.captured(1)) - 1) % 4 + 1)
                problems << day() + QStringLiteral(" (%1) takes psalter week %2").arg(c.name).arg(details->psalterWeek);
        }
        if (details->season != kSeasonStarts[run].season) {
            const SeasonStart *next = run + 1 < std::size(kSeasonStarts) ? &kSeasonStarts[run + 1] : nullptr;
            if (!next || next->season != details->season
                || !dayHolds(year.day(date.addDays(-next->after)), QString::fromLatin1(next->name)))
                problems << day() + QStringLiteral(" is in %1 out of turn").arg(seasonCode(details->season));
            else
                ++run;
        }
        before = details;
    }
    if (run + 1 != std::size(kSeasonStarts))
        problems << QStringLiteral("the year ends in its season %1").arg(run + 1);
    return problems;
}

std::vector<int> yearsToCheck()
{
    std::vector<int> years;
    if (qEnvironmentVariableIsSet("LUMENAR_FULL_SWEEP")) {
        for (int y = kFirstYear; y <= kLastYear; ++y)
            years.push_back(y);
        return years;
    }
    // A spread over the range, every weekday of 1 January and both leap kinds, plus the
    // years whose Easter is earliest or latest, whose solemnities meet, and the ends of the range.
    for (int y = kFirstYear; y <= kLastYear; y += 53)
        years.push_back(y);
    for (int y : {1583, 1584, 1600, 1700, 1818, 1900, 1943, 1984, 2000, 2001, 2008, 2011, 2012, 2017, 2018, 2022, 2024,
             2025, 2026, 2027, 2028, 2035, 2038, 2042, 2057, 2285, 4899, 4900})
        years.push_back(y);
    return years;
}

} // namespace

TEST(Sweep, EveryYearKeepsTheRulesOfTheCalendar)
{
    // The last day of the year checked before, in each calendar.
    QHash<int, std::pair<int, DayDetails>> lastDays;
    for (int year : yearsToCheck()) {
        for (Variant variant : {Variant::Universal, Variant::Usa}) {
            const YearCalendar calendar = test::assembledYear(variant, year);
            std::optional<DayDetails> before;
            if (const auto last = lastDays.constFind(int(variant)); last != lastDays.cend() && last->first == year - 1)
                before = last->second;
            const QStringList problems = problemsOf(calendar.rows(), year) + detailProblemsOf(calendar, before);
            ASSERT_TRUE(problems.isEmpty()) << displayName(variant).toStdString() << ' ' << year << ":\n  "
                                            << problems.join(QStringLiteral("\n  ")).toStdString();
            lastDays.insert(int(variant), {year, *calendar.details(QDate(year, 12, 31))});
        }
    }
}
