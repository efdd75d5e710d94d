// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Settings.h"

#include <QSettings>

namespace lumenar {

namespace {

struct KeyInfo
{
    const char *name;
    QVariant fallback;
};

KeyInfo info(Settings::Key key)
{
    switch (key) {
    case Settings::Key::Variant:
        return {"Setup/Implicit", QString()};
    case Settings::Key::HighContrast:
        return {"Display/HighContrast", false};
    }
    return {"", QVariant()};
}

} // namespace

Settings::Settings()
    : m_settings(std::make_unique<QSettings>(organization(), application()))
{
}

Settings::Settings(const QString &path)
    : m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

Settings::~Settings() = default;

QVariant Settings::value(Key key) const
{
    const KeyInfo k = info(key);
    return m_settings->value(QLatin1String(k.name), k.fallback);
}

void Settings::setValue(Key key, const QVariant &value)
{
    m_settings->setValue(QLatin1String(info(key).name), value);
}

QString Settings::organization()
{
    return QStringLiteral("Lumenar");
}

QString Settings::application()
{
    return QStringLiteral("Rezi");
}

} // namespace lumenar
