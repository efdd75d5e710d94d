// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TrayText.h"

namespace lumenar {

QString BuildTrayTooltip(const std::vector<Celebration> &rows)
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
    return text;
}

} // namespace lumenar
