// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

namespace lumenar {

// "Today" for the whole program. Tests move a ManualClock across midnight instead of waiting.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const { return QDate::currentDate(); }
};

class ManualClock : public Clock
{
public:
    explicit ManualClock(QDate today)
        : m_today(today)
    {
    }
    QDate today() const override { return m_today; }
    void set(QDate today) { m_today = today; }
    void advance(int days) { m_today = m_today.addDays(days); }

private:
    QDate m_today;
};

} // namespace lumenar
