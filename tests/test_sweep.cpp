// SPDX-License-Identifier: GPL-3.0-or-later
// The assembled years, against the rules of the calendar and against published calendars.
// The rules hold in every year: every day has a celebration and rows are numbered without
// gaps; each solemnity stands once and never beside another; no memorial stands beside a
// higher celebration; the great days hold only themselves; the details of the days follow
// the seasons, cycles and psalter weeks those days name. CI runs a spread of years;
// LUMENAR_FULL_SWEEP=1 (make sweep, and the test_sweep_full test) runs all of 1583-4900.
#include "engine/LiturgicalDate.h"
#include "engine/YearAssembly.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace lumenar;

namespace {

// The solemnities of the calendar, and the days of Easter, Christmas and Epiphany ranked with them.
const QStringList kSolemnities{"Mary, the Holy Mother of God", "Epiphany of the Lord", "St. Joseph, Husband of Mary",
    "Annunciation of the Lord", "Easter Sunday", "Ascension of the Lord", "Pentecost", "Holy Trinity",
    "The Body and Blood of Christ (Corpus Christi)", "Sacred Heart of Jesus", "Nativity of St. John the Baptist",
    "Sts. Peter and Paul, Apostles", "Assumption of the Blessed Virgin Mary", "All Saints",
    "The Commemoration of All the Faithful Departed (All Souls)", "Christ the King",
    "Immaculate Conception of the Virgin Mary", "The Nativity of the Lord (Christmas)"};

bool isSolemnity(const Celebration &c)
{
    return c.rank == 3 || c.rank == 4 || kSolemnities.contains(c.name);
}

// The days that admit no other celebration, each with the name it must show.
QMap<QDate, QString> daysKeptAlone(int year)
{
    static const char *ordinals[] = {"First", "Second", "Third", "Fourth", "Fifth"};
    static const char *easterWeeks[] = {"Passion (Palm) Sunday", "Monday of Holy Week", "Tuesday of Holy Week",
        "Wednesday of Holy Week", "Holy Thursday", "Good Friday", "Holy Saturday", "Easter Sunday", "Monday", "Tuesday",
        "Wednesday", "Thursday", "Friday", "Saturday", "Second Sunday of Easter"};
    const QDate easter = EasterSunday(static_cast<std::int16_t>(year));
    QMap<QDate, QString> days;
    for (int i = 0; i < 15; ++i)
        days[easter.addDays(i - 7)] = QString::fromLatin1(easterWeeks[i])
            + QLatin1String(i > 7 && i < 14 ? " within the Octave of Easter" : "");
    days[easter.addDays(-46)] = QStringLiteral("Ash Wednesday");
    for (int i = 0; i < 5; ++i)
        days[easter.addDays(7 * i - 42)] = QStringLiteral("%1 Sunday in Lent").arg(ordinals[i]);
    const QDate fourthOfAdvent = QDate(year, 12, 24).addDays(-(QDate(year, 12, 24).dayOfWeek() % 7));
    for (int i = 0; i < 4; ++i)
        days[fourthOfAdvent.addDays(7 * (i - 3))] = QStringLiteral("%1 Sunday of Advent").arg(ordinals[i]);
    days[QDate(year, 12, 25)] = QStringLiteral("The Nativity of the Lord (Christmas)");
    return days;
}

// Every rule the year breaks, in words.
QStringList problemsOf(const std::vector<Celebration> &rows, int year)
{
    static const char *weekdays[] = {"", "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    QStringList problems;
    QMap<QDate, QList<const Celebration *>> days;
    QHash<QString, int> solemnities;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Celebration &c = rows[i];
        const int weekday = weekdayNumber(c.date);
        if (c.id != int(i) + 1 || c.date.year() != year || c.weekday != QLatin1String(weekdays[weekday])
            || (c.name.contains("Sunday") && weekday != 1))
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
        if (const int times = solemnities.take(name); times != 1)
            problems << QStringLiteral("%1 stands %2 times").arg(name).arg(times);
    }
    if (!solemnities.isEmpty())
        problems << QStringLiteral("ranked as solemnities: ") + solemnities.keys().join("; ");

    for (auto it = days.begin(); it != days.end(); ++it) {
        QStringList names;
        int solemnitiesOfDay = 0;
        bool higher = false, memorial = false, thanksgiving = false;
        for (const Celebration *c : it.value()) {
            names << c->name;
            solemnitiesOfDay += isSolemnity(*c);
            higher = higher || c->rank <= 9;
            if (c->name == QLatin1String("Thanksgiving Day"))
                thanksgiving = true;
            else
                memorial = memorial || (c->rank >= 10 && c->rank <= 12);
        }
        const QString day = it.key().toString(Qt::ISODate) + QStringLiteral(": ") + names.join("; ");
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
    const auto &monday = days.value(EasterSunday(static_cast<std::int16_t>(year)).addDays(50));
    const bool taken = std::any_of(monday.begin(), monday.end(), [](const Celebration *c) { return c->rank <= 8; });
    if (!taken && (monday.size() != 1 || monday[0]->name != QLatin1String("Mary, Mother of the Church")))
        problems << "the Monday after Pentecost is not hers alone";
    return problems;
}

bool dayHolds(std::span<const Celebration> rows, const QString &name)
{
    return std::any_of(rows.begin(), rows.end(), [&](const Celebration &c) { return c.name == name; });
}

// The seasons come in this order, each starting on the day named (or the day after it).
const struct
{
    Season season;
    const char *name;
    int after;
} kSeasonStarts[] = {{Season::Christmas, nullptr, 0}, {Season::Ordinary, "Baptism of the Lord", 1},
    {Season::Lent, "Ash Wednesday", 0}, {Season::Triduum, "Holy Thursday", 0}, {Season::Easter, "Easter Sunday", 1},
    {Season::Ordinary, "Pentecost", 1}, {Season::Advent, "First Sunday of Advent", 0},
    {Season::Christmas, "The Nativity of the Lord (Christmas)", 0}};

// Every rule the details of the year's days break, in words. `before` holds the details of
// the previous 31 December when that year was checked just before.
QStringList detailProblemsOf(const YearCalendar &year, std::optional<DayDetails> before)
{
    static const QRegularExpression ordinaryTime("(\\S+) (?:Sunday|Week) of Ordinary Time$");
    QStringList problems;
    std::size_t run = 0;
    for (QDate date(year.year(), 1, 1); date.year() == year.year(); date = date.addDays(1)) {
        const QString day = date.toString(Qt::ISODate);
        const std::optional<DayDetails> details = year.details(date);
        if (!details || details->psalterWeek < 1 || details->psalterWeek > 4) {
            problems << day + QStringLiteral(" has no details");
            continue;
        }
        const auto rows = year.day(date);
        // The cycles move on together, on the First Sunday of Advent and on no other day.
        if (before) {
            const bool advent = dayHolds(rows, "First Sunday of Advent");
            const char next = advent ? char('A' + (before->sundayCycle - 'A' + 1) % 3) : before->sundayCycle;
            const int weekday = advent ? 3 - before->weekdayCycle : before->weekdayCycle;
            if (details->sundayCycle != next || details->weekdayCycle != weekday)
                problems << day + QStringLiteral(" has Year %1, Weekday %2").arg(details->sundayCycle).arg(weekday);
        }
        if (date.dayOfWeek() == Qt::Sunday && !details->obligation)
            problems << day + QStringLiteral(", a Sunday, is not of obligation");
        for (const Celebration &c : rows) {
            if (!c.name.endsWith("Ordinary Time"))
                continue;
            // The week's number from its ordinal word ("First" … "Thirty-Fourth"); 0 for another word.
            const auto match = ordinaryTime.match(c.name);
            const int week = test::shippedSource().ordinals.key(match.captured(1), 0);
            if (match.hasMatch() && details->psalterWeek != (week - 1) % 4 + 1)
                problems << day + QStringLiteral(" (%1) takes psalter week %2").arg(c.name).arg(details->psalterWeek);
        }
        if (details->season != kSeasonStarts[run].season) {
            const auto *next = run + 1 < std::size(kSeasonStarts) ? &kSeasonStarts[run + 1] : nullptr;
            if (!next || next->season != details->season
                || !dayHolds(year.day(date.addDays(-next->after)), QString::fromLatin1(next->name)))
                problems << day + QStringLiteral(" is in %1 out of turn").arg(seasonCode(details->season));
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
    const bool full = qEnvironmentVariableIsSet("LUMENAR_FULL_SWEEP");
    for (int y = kFirstYear; y <= kLastYear; y += full ? 1 : 53)
        years.push_back(y);
    if (full)
        return years;
    // Every weekday of 1 January and both leap kinds, the years whose Easter is earliest or
    // latest, whose solemnities meet, and the ends of the range.
    for (int y : {1583, 1584, 1600, 1700, 1818, 1900, 1943, 1984, 2000, 2001, 2008, 2011, 2012, 2017, 2018, 2022, 2024,
             2025, 2026, 2027, 2028, 2035, 2038, 2042, 2057, 2285, 4899, 4900})
        years.push_back(y);
    return years;
}

// The years the published calendars name, each assembled once.
const YearCalendar &assembled(Variant variant, int year)
{
    static std::map<std::pair<Variant, int>, YearCalendar> years;
    const auto [it, fresh] = years.try_emplace({variant, year});
    if (fresh)
        it->second = test::assembledYear(variant, year);
    return it->second;
}

} // namespace

TEST(Sweep, EveryYearKeepsTheRulesOfTheCalendar)
{
    for (Variant variant : {Variant::Universal, Variant::Usa}) {
        std::pair<int, DayDetails> last; // the last day of the year checked before
        for (int year : yearsToCheck()) {
            const YearCalendar calendar = test::assembledYear(variant, year);
            const QStringList problems = problemsOf(calendar.rows(), year)
                + detailProblemsOf(calendar, last.first == year - 1 ? std::optional(last.second) : std::nullopt);
            ASSERT_TRUE(problems.isEmpty())
                << displayName(variant).toStdString() << ' ' << year << ":\n  " << problems.join("\n  ").toStdString();
            last = {year, *calendar.details(QDate(year, 12, 31))};
        }
    }
}

// Days written from published calendars (tests/data/expected_days.tsv): the assembled year
// must show them as a parish calendar does.
TEST(ExpectedDays, TheAssembledYearsShowThePublishedCalendar)
{
    QFile file(test::testDataDir() + QStringLiteral("/expected_days.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    int checked = 0;
    for (int n = 1; n <= lines.size(); ++n) {
        const QString &line = lines[n - 1];
        if (line.trimmed().isEmpty() || line.startsWith(u'#') || line.startsWith("variant\t"))
            continue;
        // variant, date, presence (only, shown or absent), name, rank, colour
        const QStringList f = line.split(u'\t');
        const auto variant = parseVariantName(f.value(0));
        const QDate date = QDate::fromString(f.value(1), Qt::ISODate);
        const QString presence = f.value(2);
        ASSERT_TRUE(
            f.size() == 6 && variant && date.isValid() && QStringList({"only", "shown", "absent"}).contains(presence))
            << "line " << n;
        QStringList shown, names;
        for (const Celebration &c : assembled(*variant, date.year()).day(date)) {
            shown << QStringLiteral("%1 (%2, %3)").arg(c.name).arg(c.rank).arg(c.colour);
            names << c.name;
        }
        const QString expected = QStringLiteral("%1 (%2, %3)").arg(f[3], f[4], f[5]);
        if (presence == QLatin1String("absent"))
            EXPECT_FALSE(names.contains(f[3])) << "line " << n << ": " << qPrintable(shown.join("; "));
        else if (presence == QLatin1String("shown"))
            EXPECT_TRUE(shown.contains(expected)) << "line " << n << ": " << qPrintable(shown.join("; "));
        else
            EXPECT_EQ(shown, QStringList{expected}) << "line " << n;
        ++checked;
    }
    EXPECT_GE(checked, 60);
}

// Days whose details the norms state, each with the norm that settles it, as lumenar-cli
// writes them: calendar (U Universal, A the USA), date, season, Sunday cycle, weekday cycle,
// psalter week, obligation.
TEST(ExpectedDays, TheDetailsOfDaysTheNormsSettle)
{
    // Lectionary for Mass, Introduction: each year begins on the First Sunday of Advent; Year
    // C is the year whose number divides by 3, Year I an odd year.
    const char *days[] = {"U 2025-11-23 ordinary C I 2 yes", "U 2025-11-30 advent A II 1 yes",
        // General Instruction of the Liturgy of the Hours, no. 133: week 1 on the First
        // Sundays of Advent, Ordinary Time and Lent and on Easter Sunday; the days after Ash
        // Wednesday take week 4; Christmas Time runs on from Advent (week 1 from the Sunday
        // after Christmas, week 2 from the Sunday after 1 January).
        "U 2025-12-25 christmas A II 4 yes", "U 2022-12-25 christmas A I 1 yes", "U 2025-12-28 christmas A II 1 yes",
        "U 2026-01-04 christmas A II 2 yes", "U 2026-01-11 christmas A II 1 yes", "U 2026-01-12 ordinary A II 1 no",
        "A 2024-01-08 christmas B II 1 no", "A 2024-01-09 ordinary B II 1 no", "U 2026-02-18 lent A II 4 no",
        "U 2026-02-22 lent A II 1 yes", "U 2026-03-29 lent A II 2 yes",
        // Universal Norms on the Liturgical Year, nos. 19 and 28: the Triduum begins with the
        // evening Mass of Holy Thursday and closes with Easter Sunday.
        "U 2026-04-02 triduum A II 2 no", "U 2026-04-05 triduum A II 1 yes", "U 2026-04-06 easter A II 1 no",
        // Canon 1246 §1: the ten days of precept, where the year keeps them.
        "U 2026-01-06 christmas A II 2 yes", "U 2026-03-19 lent A II 4 yes", "U 2026-05-14 easter A II 2 yes",
        "U 2026-06-04 ordinary A II 1 yes", "U 2026-06-29 ordinary A II 1 yes", "U 2026-08-15 ordinary A II 3 yes",
        "U 2024-12-09 advent C I 2 yes",
        // The USA's complementary norm: six days, none of them the Epiphany, St. Joseph, Corpus
        // Christi or Sts. Peter and Paul; 1 January, 15 August and 1 November lose the precept
        // on a Saturday or a Monday, Christmas and 8 December never do.
        "A 2026-01-06 christmas A II 2 no", "A 2026-03-19 lent A II 4 no", "A 2026-05-14 easter A II 2 no",
        "A 2026-06-04 ordinary A II 1 no", "A 2026-06-29 ordinary A II 1 no", "A 2026-08-15 ordinary A II 3 no",
        "A 2024-01-01 christmas B II 1 no", "A 2026-01-01 christmas A II 1 yes", "A 2025-11-01 ordinary C I 2 no",
        "A 2026-12-08 advent B I 2 yes", "A 2027-12-25 christmas C II 4 yes",
        // The Dicastery for Legislative Texts (4 September 2024), passed on by the bishops'
        // memo of 10 October 2024: the Immaculate Conception keeps its precept when moved.
        "A 2024-12-09 advent C I 2 yes"};
    for (const char *day : days) {
        const QString expected = QString::fromLatin1(day);
        const QDate date = QDate::fromString(expected.mid(2, 10), Qt::ISODate);
        const YearCalendar &year
            = assembled(expected.startsWith(u'U') ? Variant::Universal : Variant::Usa, date.year());
        const std::optional<DayDetails> details = year.details(date);
        ASSERT_TRUE(details) << day;
        const QString shown = QStringList{expected.left(12), seasonCode(details->season),
            QString(QChar::fromLatin1(details->sundayCycle)), weekdayCycleText(details->weekdayCycle),
            QString::number(details->psalterWeek), details->obligation ? "yes" : "no"}
                                  .join(u' ');
        EXPECT_EQ(shown, expected);
    }
}
