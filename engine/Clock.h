// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>

namespace lumenar {

// "Today" for the whole program. Tests move a ManualClock across midnight instead of waiting.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const { return QDate::currentDate(); }
    // The moment an export is made, in UTC.
    virtual QDateTime now() const { return QDateTime::currentDateTimeUtc(); }
};

class ManualClock : public Clock
{
public:
    explicit ManualClock(QDate today)
        : m_today(today)
    {
    }
    QDate today() const override { return m_today; }
    QDateTime now() const override { return QDateTime(m_today, QTime(12, 0), Qt::UTC); }
    void set(QDate today) { m_today = today; }
    void advance(int days) { m_today = m_today.addDays(days); }

private:
    QDate m_today;
};

} // namespace lumenar
