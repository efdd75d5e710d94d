// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/YearText.h"

namespace lumenar {

std::optional<int> yearFromText(const QString &text)
{
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    if (!ok || year < kFirstYear || year > kLastYear)
        return std::nullopt;
    return year;
}

QString yearRangeMessage()
{
    return QStringLiteral("Selected year must be a number between 1583 and 4900!");
}

QString yearRangeTitle()
{
    return QStringLiteral("Year selection");
}

} // namespace lumenar
