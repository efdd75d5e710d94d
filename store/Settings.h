// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

namespace lumenar {

// The program's per-user settings (organisation "Lumenar", application "Rezi": on Linux
// ~/.config/Lumenar/Rezi.conf). Every key's name and default are written here once.
class Settings
{
public:
    enum class Key {
        // Section "Setup", key "Implicit": the calendar last chosen, "Universal" or "SUA";
        // absent or empty reads as Universal.
        Variant,
        // Section "Display", key "HighContrast": the tray menu's "High contrast", false by default.
        HighContrast,
    };

    // The user's own settings.
    Settings();
    // A file of a test's own.
    explicit Settings(const QString &path);
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    // The stored value, or the key's default when none is stored.
    QVariant value(Key key) const;
    QString text(Key key) const { return value(key).toString(); }
    void setValue(Key key, const QVariant &value);

    static QString organization();
    static QString application();

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace lumenar
