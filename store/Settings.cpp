// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Settings.h"

#include <QSettings>

namespace lumenar {

namespace {
const QString kVariantKey = QStringLiteral("Setup/Implicit");
}

QString settingsOrganization()
{
    return QStringLiteral("Lumenar");
}
QString settingsApplication()
{
    return QStringLiteral("Rezi");
}

QString rememberedVariantSetting()
{
    QSettings settings(settingsOrganization(), settingsApplication());
    return settings.value(kVariantKey).toString();
}

void saveVariantSetting(const QString &value)
{
    QSettings settings(settingsOrganization(), settingsApplication());
    settings.setValue(kVariantKey, value);
}

} // namespace lumenar
