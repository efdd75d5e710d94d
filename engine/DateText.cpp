// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DateText.h"

#include <QLocale>

namespace lumenar {

namespace {
const QLocale &usEnglish()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}
} // namespace

QString shortDateText(const QDate &date)
{
    return usEnglish().toString(date, QStringLiteral("MM/dd/yyyy"));
}

QString longDateText(const QDate &date)
{
    return usEnglish().toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
}

QString mediumDateText(const QDate &date)
{
    return usEnglish().toString(date, QStringLiteral("MMM d, yyyy"));
}

QString listDateText(const QString &weekday, const QDate &date)
{
    return weekday + QStringLiteral(", ") + usEnglish().toString(date, QStringLiteral("MMM-dd"));
}

int MonthNumber(QStringView abbreviation)
{
    static const char *const names[]
        = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i) {
        if (abbreviation == QLatin1String(names[i]))
            return i + 1;
    }
    return 0;
}

QDate sameDayInYear(const QDate &today, int year)
{
    if (today.month() == 2 && today.day() == 29 && !QDate::isLeapYear(year))
        return QDate(year, 3, 1);
    return QDate(year, today.month(), today.day());
}

bool PrepareDateFormat()
{
    return true;
}

bool RestoreDateFormat()
{
    return true;
}

} // namespace lumenar
