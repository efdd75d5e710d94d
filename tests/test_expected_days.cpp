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

    test::TempDatabase db;
    Store store = db.open();
    for (auto it = byYear.begin(); it != byYear.end(); ++it) {
        const Variant variant = Variant(it.key().first);
        BuildYear(store, variant, static_cast<std::int16_t>(it.key().second));
        for (const ExpectedDay *e : it.value()) {
            const std::vector<Celebration> day = dayCelebrations(store, variant, e->date);
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
