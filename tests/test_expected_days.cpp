// SPDX-License-Identifier: GPL-3.0-or-later
// Days written from published calendars (tests/data/expected_days.tsv): the assembled
// year must show them as a parish calendar does.
#include "engine/DayLookup.h"
#include "engine/YearAssembly.h"
#include "tests/support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

using namespace lumenar;

namespace {

struct ExpectedDay
{
    int line;
    Variant variant;
    QDate date;
    QString presence; // only, shown, absent
    QString name;
    int rank;
    int colour;
};

std::vector<ExpectedDay> readExpectations()
{
    QFile file(QDir(test::testDataDir()).filePath(QStringLiteral("expected_days.tsv")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<ExpectedDay> days;
    int number = 0;
    bool header = true;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        ++number;
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        if (header) {
            header = false;
            continue;
        }
        const QStringList f = line.split(u'\t');
        EXPECT_EQ(f.size(), 6) << "line " << number;
        if (f.size() != 6)
            continue;
        const auto variant = parseVariantName(f[0]);
        const QDate date = QDate::fromString(f[1], Qt::ISODate);
        EXPECT_TRUE(variant && date.isValid()) << "line " << number;
        EXPECT_TRUE(f[2] == QLatin1String("only") || f[2] == QLatin1String("shown") || f[2] == QLatin1String("absent"))
            << "line " << number;
        days.push_back({number, variant.value_or(Variant::Universal), date, f[2], f[3], f[4].toInt(), f[5].toInt()});
    }
    return days;
}

} // namespace

TEST(ExpectedDays, TheAssembledYearsShowThePublishedCalendar)
{
    const std::vector<ExpectedDay> expectations = readExpectations();
    ASSERT_GE(expectations.size(), 60u);

    // One assembly per calendar and year.
    QMap<QPair<int, int>, QList<const ExpectedDay *>> byYear;
    for (const ExpectedDay &e : expectations)
        byYear[{int(e.variant), e.date.year()}] << &e;

    for (auto it = byYear.begin(); it != byYear.end(); ++it) {
        const Variant variant = Variant(it.key().first);
        const YearCalendar year = test::assembledYear(variant, it.key().second);
        for (const ExpectedDay *e : it.value()) {
            const auto day = year.day(e->date);
            QStringList shown;
            const Celebration *match = nullptr;
            for (const Celebration &c : day) {
                shown << QStringLiteral("%1 (%2, %3)").arg(c.name).arg(c.rank).arg(c.colour);
                if (c.name == e->name)
                    match = &c;
            }
            const std::string context = "line " + std::to_string(e->line) + ": " + displayName(variant).toStdString()
                + ' ' + e->date.toString(Qt::ISODate).toStdString() + " shows "
                + shown.join(QStringLiteral("; ")).toStdString();
            if (e->presence == QLatin1String("absent")) {
                EXPECT_EQ(match, nullptr) << context;
                continue;
            }
            ASSERT_NE(match, nullptr) << context << " — missing " << e->name.toStdString();
            EXPECT_EQ(match->rank, e->rank) << context;
            EXPECT_EQ(match->colour, e->colour) << context;
            if (e->presence == QLatin1String("only")) {
                EXPECT_EQ(day.size(), 1u) << context;
            }
        }
    }
}

// Days whose details the norms state, each with the norm that settles it. A row reads as
// lumenar-cli writes the day: season, Sunday cycle, weekday cycle, psalter week, obligation.
TEST(ExpectedDays, TheDetailsOfDaysTheNormsSettle)
{
    const struct
    {
        const char *variant;
        const char *date;
        const char *details;
    } days[] = {
        // Lectionary for Mass, Introduction: each year begins on the First Sunday of Advent;
        // Year C is the year whose number divides by 3, Year I an odd year.
        {"Universal", "2025-11-23", "ordinary C I 2 yes"}, // Christ the King ends 2025, Year C
        {"Universal", "2025-11-30", "advent A II 1 yes"},  // Advent 2025 begins Year A
        {"USA", "2024-12-01", "advent C I 1 yes"},
        // General Instruction of the Liturgy of the Hours, no. 133: week 1 on the First
        // Sundays of Advent, Ordinary Time and Lent and on Easter Sunday; the days after Ash
        // Wednesday take week 4; Christmas Time runs on from Advent (week 1 from the Sunday
        // after Christmas, week 2 from the Sunday after 1 January).
        {"Universal", "2025-12-25", "christmas A II 4 yes"},
        {"Universal", "2025-12-28", "christmas A II 1 yes"},
        {"Universal", "2026-01-04", "christmas A II 2 yes"},
        {"Universal", "2026-01-11", "christmas A II 1 yes"}, // the Baptism, in the First Sunday's place
        {"Universal", "2026-01-12", "ordinary A II 1 no"},
        {"USA", "2024-01-08", "christmas B II 1 no"}, // the Baptism on a Monday ends Christmas Time
        {"USA", "2024-01-09", "ordinary B II 1 no"},
        {"Universal", "2026-02-18", "lent A II 4 no"}, // Ash Wednesday
        {"Universal", "2026-02-21", "lent A II 4 no"},
        {"Universal", "2026-02-22", "lent A II 1 yes"},
        {"Universal", "2026-03-29", "lent A II 2 yes"}, // Palm Sunday, the sixth week
        // Universal Norms on the Liturgical Year, nos. 19 and 28: Lent ends and the Triduum
        // begins with the evening Mass of Holy Thursday; it closes with Easter Sunday.
        {"Universal", "2026-04-02", "triduum A II 2 no"},
        {"Universal", "2026-04-05", "triduum A II 1 yes"},
        {"Universal", "2026-04-06", "easter A II 1 no"},
        {"Universal", "2026-05-25", "ordinary A II 4 no"}, // Monday of the Eighth Week
        // Canon 1246 §1: the ten days of precept, where the year keeps them.
        {"Universal", "2026-01-06", "christmas A II 2 yes"},
        {"Universal", "2026-03-19", "lent A II 4 yes"},
        {"Universal", "2026-05-14", "easter A II 2 yes"},
        {"Universal", "2026-06-04", "ordinary A II 1 yes"},
        {"Universal", "2026-06-29", "ordinary A II 1 yes"},
        {"Universal", "2026-08-15", "ordinary A II 3 yes"},
        {"Universal", "2024-12-09", "advent C I 2 yes"}, // moved off the Sunday of Advent
        // The USA's complementary norm: six days, none of them the Epiphany, St. Joseph, Corpus
        // Christi or Sts. Peter and Paul; 1 January, 15 August and 1 November lose the precept
        // on a Saturday or a Monday, Christmas and 8 December never do.
        {"USA", "2026-01-06", "christmas A II 2 no"},
        {"USA", "2026-03-19", "lent A II 4 no"},
        {"USA", "2026-05-14", "easter A II 2 no"},
        {"USA", "2026-06-04", "ordinary A II 1 no"},
        {"USA", "2026-06-29", "ordinary A II 1 no"},
        {"USA", "2026-08-15", "ordinary A II 3 no"},
        {"USA", "2024-01-01", "christmas B II 1 no"},
        {"USA", "2026-01-01", "christmas A II 1 yes"},
        {"USA", "2025-11-01", "ordinary C I 2 no"},
        {"USA", "2026-12-08", "advent B I 2 yes"},
        {"USA", "2027-12-25", "christmas C II 4 yes"},
        // The Dicastery for Legislative Texts (4 September 2024), passed on by the bishops'
        // memo of 10 October 2024: the Immaculate Conception keeps its precept when moved.
        {"USA", "2024-12-09", "advent C I 2 yes"},
    };
    for (const auto &d : days) {
        const Variant variant = *parseVariantName(QString::fromLatin1(d.variant));
        const QDate date = QDate::fromString(QString::fromLatin1(d.date), Qt::ISODate);
        const std::optional<DayDetails> details = test::assembledYear(variant, date.year()).details(date);
        ASSERT_TRUE(details) << d.date;
        const QString shown = QStringList{seasonCode(details->season), QString(QChar::fromLatin1(details->sundayCycle)),
            weekdayCycleText(details->weekdayCycle), QString::number(details->psalterWeek),
            details->obligation ? QStringLiteral("yes") : QStringLiteral("no")}
                                  .join(u' ');
        EXPECT_EQ(shown, QString::fromLatin1(d.details)) << d.variant << ' ' << d.date;
    }
}
