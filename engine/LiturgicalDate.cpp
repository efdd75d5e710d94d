// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LiturgicalDate.h"

#include "store/Errors.h"

#include <QString>
#include <limits>

namespace lumenar {

namespace {

[[noreturn]] void overflow(const char *what)
{
    throw LumenarError(ErrorKind::Overflow, QStringLiteral("Date arithmetic overflow"), QString::fromLatin1(what));
}

// 16-bit signed arithmetic that reports overflow instead of wrapping.
struct I16
{
    std::int16_t v;

    static I16 of(long long x)
    {
        if (x < std::numeric_limits<std::int16_t>::min() || x > std::numeric_limits<std::int16_t>::max())
            overflow("16-bit integer");
        return I16{static_cast<std::int16_t>(x)};
    }
    friend I16 operator+(I16 a, I16 b) { return of(static_cast<long long>(a.v) + b.v); }
    friend I16 operator-(I16 a, I16 b) { return of(static_cast<long long>(a.v) - b.v); }
    friend I16 operator*(I16 a, I16 b) { return of(static_cast<long long>(a.v) * b.v); }
    // Integer division truncating towards zero, as the rule is written.
    friend I16 operator/(I16 a, I16 b)
    {
        if (b.v == 0)
            overflow("division by zero");
        return of(static_cast<long long>(a.v) / b.v);
    }
};

I16 n16(int x)
{
    return I16::of(x);
}

QDate searchWeekday(const QDate &date, QStringView weekday, int step)
{
    for (int i = 0; i <= 6; ++i) {
        QDate candidate = date.addDays(static_cast<qint64>(i) * step);
        if (QString::number(weekdayNumber(candidate)) == weekday)
            return candidate;
    }
    return date.addDays(7LL * step);
}

} // namespace

int weekdayNumber(const QDate &date)
{
    return date.dayOfWeek() % 7 + 1;
}

QDate EasterSunday(std::int16_t year)
{
    const I16 Y{year};
    const I16 C = Y / n16(100);
    const I16 N = Y - n16(19) * (Y / n16(19));
    const I16 K = (C - n16(17)) / n16(25);
    I16 I = C - C / n16(4) - (C - K) / n16(3) + n16(19) * N + n16(15);
    I = I - n16(30) * (I / n16(30));
    I = I - (I / n16(28)) * (n16(1) - (I / n16(28)) * (n16(29) / (I + n16(1))) * ((n16(21) - N) / n16(11)));
    I16 J = Y + Y / n16(4) + I + n16(2) - C + C / n16(4);
    J = J - n16(7) * (J / n16(7));
    const I16 L = I - J;
    const I16 M = n16(3) + (L + n16(40)) / n16(44);
    const I16 D = L + n16(28) - n16(31) * (M / n16(4));
    return QDate(Y.v, M.v, D.v);
}

QDate WeekdayOnOrBefore(const QDate &date, QStringView weekday)
{
    return searchWeekday(date, weekday, -1);
}

QDate WeekdayOnOrAfter(const QDate &date, QStringView weekday)
{
    return searchWeekday(date, weekday, +1);
}

QDate AddWeeks(const QDate &date, std::int32_t weeks)
{
    std::int32_t days = 0;
    if (__builtin_mul_overflow(weeks, 7, &days))
        overflow("week count");
    QDate result = date.addDays(days);
    if (!result.isValid())
        overflow("date out of range");
    return result;
}

QDate SubtractWeeks(const QDate &date, std::int32_t weeks)
{
    std::int32_t days = 0;
    if (__builtin_mul_overflow(weeks, -7, &days))
        overflow("week count");
    QDate result = date.addDays(days);
    if (!result.isValid())
        overflow("date out of range");
    return result;
}

} // namespace lumenar
