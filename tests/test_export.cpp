// SPDX-License-Identifier: GPL-3.0-or-later
// The year as iCalendar, read back by libical, the parser behind many calendar programs.
#include "engine/YearExport.h"
#include "tests/support/TestDatabase.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <memory>

using namespace lumenar;

namespace {

std::vector<Celebration> sample()
{
    return {
        {1, QDate(2026, 5, 14), "St. Matthias, Apostle", "Thu", 12, 7, {}},
        {2, QDate(2026, 5, 17), "Ascension of the Lord", "Sun", 0, 2, {}},
        {3, QDate(2026, 12, 31), "Name; with, \"marks\"\tand a tab", "Thu", 0, 12, {}},
        {4, QDate(2026, 1, 6),
            "St. André Bessette — a name long enough to be folded over more than one "
            "content line of the calendar file with accents é è ü",
            "Tue", 0, 12, {}},
    };
}

// The year the sample rows are exported from; its details come from its dates alone.
YearCalendar usa2026()
{
    return YearCalendar(computeYearDates(2026, Variant::Usa), {});
}

using Calendar = std::unique_ptr<icalcomponent, decltype(&icalcomponent_free)>;

Calendar parse(const QString &text)
{
    icalerror_clear_errno();
    return Calendar(icalparser_parse_string(text.toUtf8().constData()), &icalcomponent_free);
}

QDate dateOf(const icaltimetype &time)
{
    return time.is_date ? QDate(time.year, time.month, time.day) : QDate();
}

} // namespace

TEST(ICalendar, WellFormedFoldedAndEscaped)
{
    const QString text = toICalendar(usa2026(), sample(), QDateTime(QDate(2026, 12, 6), QTime(10, 0), Qt::UTC));
    EXPECT_TRUE(text.startsWith("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"));
    EXPECT_TRUE(text.endsWith("END:VCALENDAR\r\n"));
    EXPECT_FALSE(text.contains(QRegularExpression("[^\\r]\\n")));
    EXPECT_EQ(text.count(QLatin1String("BEGIN:VEVENT")), 4);
    for (const QByteArray &line : text.toUtf8().split('\n')) {
        EXPECT_LE(line.size(), 76) << line.constData(); // 75 octets plus the CR
        EXPECT_TRUE(QString::fromUtf8(line).toUtf8() == line) << "a fold split a character";
    }
    EXPECT_TRUE(text.contains("DTSTART;VALUE=DATE:20261231\r\nDTEND;VALUE=DATE:20270101"));
    EXPECT_TRUE(text.contains("SUMMARY:Name\\; with\\, \"marks\"\tand a tab"));
    EXPECT_TRUE(text.contains("DTSTAMP:20261206T100000Z"));
    EXPECT_EQ(rankDescription(13), "weekday");
    // A tab in a name never breaks the columns of the text export (lumenar-cli's, checked in test_cli).
    EXPECT_EQ(toTsv(usa2026(), sample()).count(u'\t'), 5 * 10);
    // Unfolded, the long name comes back whole.
    QString unfolded = text;
    unfolded.replace(QLatin1String("\r\n "), QString());
    EXPECT_TRUE(unfolded.contains(sample()[3].name));
    EXPECT_TRUE(unfolded.contains("DESCRIPTION:Rank 2 (principal celebration). Liturgical colour: white.\\n"
                                  "Easter Time · Year A · Weekday II · Psalter week 3 · Holy day of "
                                  "obligation\r\n"));
}

// Every row of a whole year of each calendar, with UIDs that neither repeat nor change
// between runs, and differ between the calendars.
TEST(ICalendar, AWholeYearParsedByLibical)
{
    QStringList firstUids;
    for (Variant variant : {Variant::Universal, Variant::Usa}) {
        SCOPED_TRACE(qPrintable(displayName(variant)));
        const YearCalendar year = test::assembledYear(variant, 2026);
        const std::vector<Celebration> &rows = year.rows();
        const Calendar calendar = parse(toICalendar(year, rows, QDateTime(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC)));
        ASSERT_TRUE(calendar);
        EXPECT_EQ(icalerrno, ICAL_NO_ERROR) << icalerror_strerror(icalerrno);
        EXPECT_EQ(icalcomponent_isa(calendar.get()), ICAL_VCALENDAR_COMPONENT);
        // libical reports what it could not read, and what breaks the rules of the scheduling
        // protocol when a METHOD invokes it, as X-LIC-ERROR properties rather than failures.
        EXPECT_TRUE(icalrestriction_check(calendar.get()));
        EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);
        ASSERT_EQ(icalcomponent_count_components(calendar.get(), ICAL_VEVENT_COMPONENT), int(rows.size()));

        const Calendar later = parse(toICalendar(year, rows, QDateTime::currentDateTimeUtc()));
        QStringList uids;
        icalcomponent *again = icalcomponent_get_first_component(later.get(), ICAL_VEVENT_COMPONENT);
        icalcomponent *event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
        for (const Celebration &row : rows) {
            EXPECT_EQ(dateOf(icalcomponent_get_dtstart(event)), row.date) << qPrintable(row.name);
            EXPECT_EQ(dateOf(icalcomponent_get_dtend(event)), row.date.addDays(1)) << qPrintable(row.name);
            EXPECT_EQ(QString::fromUtf8(icalcomponent_get_summary(event)), row.name);
            uids << QString::fromUtf8(icalcomponent_get_uid(event));
            EXPECT_EQ(QString::fromUtf8(icalcomponent_get_uid(again)), uids.last()) << "UIDs change between runs";
            event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT);
            again = icalcomponent_get_next_component(later.get(), ICAL_VEVENT_COMPONENT);
        }
        EXPECT_EQ(QSet<QString>(uids.begin(), uids.end()).size(), uids.size()) << "UIDs repeat";
        firstUids << uids.first();
    }
    EXPECT_NE(firstUids[0], firstUids[1]);
}
