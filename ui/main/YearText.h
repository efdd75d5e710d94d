// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace lumenar {

constexpr int kFirstYear = 1583;
constexpr int kLastYear = 4900;

// The year a person typed, when it is a whole number within kFirstYear..kLastYear.
std::optional<int> yearFromText(const QString &text);
// The text shown when the year box holds anything else.
QString yearRangeMessage();
QString yearRangeTitle();

} // namespace lumenar
