// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayDetails.h"
#include "engine/MovableDates.h"
#include "store/YearTable.h"

#include <optional>
#include <span>
#include <vector>

namespace lumenar {

// One assembled year of one calendar: its celebrations in reading order (date, then the
// highest colour code first), numbered 1..n, and the dates the year hangs on. Assembled
// once and read by every window, the tray, the command line and the exports.
class YearCalendar
{
public:
    YearCalendar() = default;
    YearCalendar(const YearDates &dates, std::vector<Celebration> rows);

    Variant variant() const { return m_dates.variant; }
    int year() const { return m_dates.year; }
    const YearDates &dates() const { return m_dates; }
    const std::vector<Celebration> &rows() const { return m_rows; }

    // The rows of one day; empty for a day without rows or of another year.
    std::span<const Celebration> day(const QDate &date) const;
    // The place in rows() of the day's first row, or -1.
    int firstRowOf(const QDate &date) const;
    // The row numbered `id`, or null.
    const Celebration *byId(int id) const;
    // The colour code of a day: that of its first row, 0 for a day without rows.
    int dayColour(const QDate &date) const;
    // The season, cycles, psalter week and precept of a day, worked out when asked; nothing
    // for a day of another year.
    std::optional<DayDetails> details(const QDate &date) const;

private:
    YearDates m_dates;
    std::vector<Celebration> m_rows;
    std::vector<int> m_dayStart; // by day of the year: the first row of that day, then one past the end
};

} // namespace lumenar
