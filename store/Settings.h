// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumenar {

// The per-user settings store: organisation "Lumenar", application "Rezi", section
// "Setup". On Linux that is ~/.config/Lumenar/Rezi.conf.
QString settingsOrganization();
QString settingsApplication();

// The variant the user chose last ("Universal", "SUA"), empty when none was saved.
QString rememberedVariantSetting();
void saveVariantSetting(const QString &value);

} // namespace lumenar
