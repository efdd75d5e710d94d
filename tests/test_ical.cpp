// SPDX-License-Identifier: GPL-3.0-or-later
// The iCalendar export read back by libical, the parser behind many calendar programs.
#include "engine/DayLookup.h"
#include "engine/YearAssembly.h"
#include "engine/YearExport.h"
#include "tests/support/TestDatabase.h"

#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <memory>

using namespace lumenar;

namespace {

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

QStringList uidsOf(icalcomponent *calendar)
{
    QStringList uids;
    for (icalcomponent *event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); event;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT))
        uids << QString::fromUtf8(icalcomponent_get_uid(event));
    return uids;
}

} // namespace

TEST(ICalendarParsedByLibical, AWholeYearOfEachCalendar)
{
    for (Variant variant : {Variant::Universal, Variant::Usa}) {
        SCOPED_TRACE(qPrintable(displayName(variant)));
        const YearCalendar year = test::assembledYear(variant, 2026);
        const std::vector<Celebration> &rows = year.rows();
        ASSERT_GT(rows.size(), 365u);

        Calendar calendar = parse(toICalendar(year, rows, QDateTime(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC)));
        ASSERT_TRUE(calendar);
        EXPECT_EQ(icalerrno, ICAL_NO_ERROR) << icalerror_strerror(icalerrno);
        EXPECT_EQ(icalcomponent_isa(calendar.get()), ICAL_VCALENDAR_COMPONENT);
        // libical reports what it could not read, and what breaks the rules of the scheduling
        // protocol when a METHOD invokes it, as X-LIC-ERROR properties rather than failures.
        EXPECT_TRUE(icalrestriction_check(calendar.get()));
        EXPECT_EQ(icalcomponent_count_errors(calendar.get()), 0);

        std::size_t n = 0;
        for (icalcomponent *event = icalcomponent_get_first_component(calendar.get(), ICAL_VEVENT_COMPONENT);
             event && n < rows.size();
             event = icalcomponent_get_next_component(calendar.get(), ICAL_VEVENT_COMPONENT)) {
            const Celebration &row = rows[n++];
            EXPECT_EQ(dateOf(icalcomponent_get_dtstart(event)), row.date) << qPrintable(row.name);
            EXPECT_EQ(dateOf(icalcomponent_get_dtend(event)), row.date.addDays(1)) << qPrintable(row.name);
            EXPECT_EQ(QString::fromUtf8(icalcomponent_get_summary(event)), row.name);
        }
        EXPECT_EQ(icalcomponent_count_components(calendar.get(), ICAL_VEVENT_COMPONENT), int(rows.size()));

        const QStringList uids = uidsOf(calendar.get());
        EXPECT_EQ(QSet<QString>(uids.begin(), uids.end()).size(), uids.size()) << "UIDs repeat";
        Calendar later = parse(toICalendar(year, rows, QDateTime::currentDateTimeUtc()));
        EXPECT_EQ(uidsOf(later.get()), uids) << "UIDs change between runs";
    }
}
