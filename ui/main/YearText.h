// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/LiturgicalDate.h"

#include <QString>
#include <optional>

namespace lumenar {

// The year a person typed, when it is a whole number within kFirstYear..kLastYear.
std::optional<int> yearFromText(const QString &text);
// The text shown when the year box holds anything else.
QString yearRangeMessage();
QString yearRangeTitle();

} // namespace lumenar
