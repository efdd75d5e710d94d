// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/ListColours.h"

#include <QPalette>

namespace lumenar {

namespace {
// Below this lightness the palette's dark greens and blues no longer stand out.
constexpr int kLightEnough = 170;
} // namespace

ListColours listColoursFor(const QPalette &desktop)
{
    const QColor face = desktop.color(QPalette::Active, QPalette::Button);
    const QColor marked = desktop.color(QPalette::Active, QPalette::ToolTipBase);
    if (face.lightness() >= kLightEnough && marked.lightness() >= kLightEnough)
        return {face, marked, desktop.color(QPalette::Active, QPalette::ButtonText), false};
    // A paper-like face and the classic tooltip yellow, as on a light desktop.
    return {QColor(0xef, 0xee, 0xea), QColor(0xff, 0xff, 0xdc), QColor(Qt::black), true};
}

} // namespace lumenar
