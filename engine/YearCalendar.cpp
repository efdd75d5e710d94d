// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/YearCalendar.h"

namespace lumenar {

YearCalendar::YearCalendar(const YearDates &dates, std::vector<Celebration> rows)
    : m_dates(dates)
    , m_rows(std::move(rows))
{
    // m_dayStart[d - 1] .. m_dayStart[d] are the rows of day d of the year.
    const QDate jan1(m_dates.year, 1, 1);
    const qint64 before = jan1.toJulianDay() - 1;
    const int days = jan1.daysInYear();
    m_dayStart.assign(std::size_t(days) + 1, 0);
    std::size_t r = 0;
    for (int d = 1; d <= days; ++d) {
        m_dayStart[std::size_t(d - 1)] = int(r);
        while (r < m_rows.size() && m_rows[r].date.toJulianDay() - before <= d)
            ++r;
    }
    m_dayStart[std::size_t(days)] = int(r);
}

std::span<const Celebration> YearCalendar::day(const QDate &date) const
{
    if (!date.isValid() || date.year() != m_dates.year || m_dayStart.empty())
        return {};
    const std::size_t d = std::size_t(date.toJulianDay() - QDate(m_dates.year, 1, 1).toJulianDay() + 1);
    const int first = m_dayStart[d - 1];
    return std::span<const Celebration>(m_rows).subspan(std::size_t(first), std::size_t(m_dayStart[d] - first));
}

int YearCalendar::firstRowOf(const QDate &date) const
{
    const auto rows = day(date);
    return rows.empty() ? -1 : int(&rows.front() - m_rows.data());
}

const Celebration *YearCalendar::byId(int id) const
{
    if (id < 1 || id > int(m_rows.size()))
        return nullptr;
    return &m_rows[std::size_t(id - 1)];
}

int YearCalendar::dayColour(const QDate &date) const
{
    const auto rows = day(date);
    return rows.empty() ? 0 : rows.front().colour;
}

std::optional<DayDetails> YearCalendar::details(const QDate &date) const
{
    if (!date.isValid() || date.year() != m_dates.year || !m_dates.easter.isValid())
        return std::nullopt;
    return dayDetails(m_dates, date, day(date));
}

} // namespace lumenar
