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

static const char *const kMonths[]
    = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

QString listDateText(const QString &weekday, const QDate &date)
{
    // Written by hand: the list makes one for every row of every year it shows.
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (month < 1)
        return weekday;
    QString text;
    text.reserve(weekday.size() + 8);
    text += weekday;
    text += QLatin1String(", ");
    text += QLatin1String(kMonths[month - 1]);
    text += u'-';
    text += QChar(u'0' + day / 10);
    text += QChar(u'0' + day % 10);
    return text;
}

QDate sameDayInYear(const QDate &today, int year)
{
    if (today.month() == 2 && today.day() == 29 && !QDate::isLeapYear(year))
        return QDate(year, 3, 1);
    return QDate(year, today.month(), today.day());
}

} // namespace lumenar
