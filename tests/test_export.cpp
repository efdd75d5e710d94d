// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/MovableDates.h"
#include "engine/YearExport.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace lumenar;

namespace {

std::vector<Celebration> sample()
{
    return {
        {1, QDate(2026, 5, 14), QStringLiteral("St. Matthias, Apostle"), QStringLiteral("Thu"), 12, 7},
        {2, QDate(2026, 5, 17), QStringLiteral("Ascension of the Lord"), QStringLiteral("Sun"), 0, 2},
        {3, QDate(2026, 12, 31), QStringLiteral("Name; with, \"marks\"\tand a tab"), QStringLiteral("Thu"), 0, 12},
        {4, QDate(2026, 1, 6),
            QStringLiteral("St. André Bessette — a name long enough to be folded over more than one "
                           "content line of the calendar file with accents é è ü"),
            QStringLiteral("Tue"), 0, 12},
    };
}

// The year the sample rows are exported from; its details come from its dates alone.
YearCalendar year2026(Variant variant)
{
    return YearCalendar(computeYearDates(2026, variant), {});
}

} // namespace

TEST(Tsv, HeaderAndOneLinePerRowWithTheDaysDetails)
{
    const QStringList lines = toTsv(year2026(Variant::Usa), sample()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0],
        QStringLiteral("date\tweekday\tname\trank\tcolour\tid\tseason\tsunday_cycle\tweekday_cycle\tpsalter_week\t"
                       "obligation"));
    EXPECT_EQ(lines[1], QStringLiteral("2026-05-14\tThu\tSt. Matthias, Apostle\t7\t12\t1\teaster\tA\tII\t2\tno"));
    EXPECT_EQ(lines[2], QStringLiteral("2026-05-17\tSun\tAscension of the Lord\t2\t0\t2\teaster\tA\tII\t3\tyes"));
    for (const QString &line : lines)
        EXPECT_EQ(line.count(u'\t'), 10) << qPrintable(line);
}

TEST(ICalendar, WellFormedFoldedAndEscaped)
{
    const QString text
        = toICalendar(year2026(Variant::Usa), sample(), QDateTime(QDate(2026, 12, 6), QTime(10, 0), Qt::UTC));
    const QByteArray bytes = text.toUtf8();
    EXPECT_TRUE(text.startsWith(QLatin1String("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n")));
    EXPECT_TRUE(text.endsWith(QLatin1String("END:VCALENDAR\r\n")));
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[^\\r]\\n"))));
    EXPECT_EQ(text.count(QLatin1String("BEGIN:VEVENT")), 4);
    for (const QByteArray &line : bytes.split('\n')) {
        EXPECT_LE(line.size(), 76) << line.constData(); // 75 octets plus the CR
        EXPECT_TRUE(QString::fromUtf8(line).toUtf8() == line) << "a fold split a character";
    }
    EXPECT_TRUE(text.contains(QLatin1String("DTSTART;VALUE=DATE:20261231\r\nDTEND;VALUE=DATE:20270101")));
    EXPECT_TRUE(text.contains(QLatin1String("SUMMARY:Name\\; with\\, \"marks\"\tand a tab")));
    EXPECT_TRUE(text.contains(QLatin1String("DTSTAMP:20261206T100000Z")));
    // Unfolded, the long name comes back whole.
    QString unfolded = text;
    unfolded.replace(QLatin1String("\r\n "), QString());
    EXPECT_TRUE(unfolded.contains(sample()[3].name));
    EXPECT_TRUE(
        unfolded.contains(QStringLiteral("DESCRIPTION:Rank 2 (principal celebration). Liturgical colour: white.\\n"
                                         "Easter Time · Year A · Weekday II · Psalter week 3 · Holy day of "
                                         "obligation\r\n")));
}

TEST(ICalendar, UidsAreStableAndDistinct)
{
    auto uids = [](const QString &text) {
        QStringList out;
        for (const QString &line : text.split(QStringLiteral("\r\n")))
            if (line.startsWith(QLatin1String("UID:")))
                out << line;
        return out;
    };
    const QStringList a = uids(toICalendar(year2026(Variant::Usa), sample(), QDateTime::currentDateTimeUtc()));
    const QStringList b
        = uids(toICalendar(year2026(Variant::Usa), sample(), QDateTime(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC)));
    EXPECT_EQ(a, b);
    EXPECT_EQ(QSet<QString>(a.begin(), a.end()).size(), a.size());
    const QStringList other
        = uids(toICalendar(year2026(Variant::Universal), sample(), QDateTime::currentDateTimeUtc()));
    EXPECT_NE(a[0], other[0]);
}
