// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TrayText.h"

namespace lumenar {

QString BuildTrayTooltip(std::span<const Celebration> rows, const QString &detailsLine)
{
    QString text;
    for (const Celebration &row : rows) {
        const QString name = row.name.trimmed();
        if (name.isEmpty())
            continue;
        if (!text.isEmpty())
            text += u'\n';
        text += name;
    }
    if (!detailsLine.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) + detailsLine;
    return text;
}

} // namespace lumenar
