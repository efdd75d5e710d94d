// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace lumenar {

class YearCalendar;

// The line under a date in the main and comment windows: the day's season, cycles, psalter
// week and precept. On a narrow window it wraps between its parts, never inside one.
class DayDetailsLabel : public QLabel
{
    Q_OBJECT
public:
    explicit DayDetailsLabel(QWidget *parent = nullptr);

    // Empty for a date the year has no details for (or no year).
    void showDay(const YearCalendar *year, const QDate &date);
    // The line as it reads on one row.
    const QString &line() const { return m_line; }

private:
    QString m_line;
};

} // namespace lumenar
