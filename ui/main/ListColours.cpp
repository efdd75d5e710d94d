// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/ListColours.h"

#include "engine/DayLookup.h"
#include "store/Settings.h"

#include <QPalette>
#include <cmath>

namespace lumenar {

namespace {
// Below this lightness the palette's dark greens and blues no longer stand out.
constexpr int kLightEnough = 170;

double luminance(const QColor &c)
{
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

QColor legible(QColor ink, const QColor &face, const QColor &marked)
{
    for (int i = 0; i < 100 && std::min(contrastRatio(ink, face), contrastRatio(ink, marked)) < kTextContrast; ++i)
        ink = QColor(int(ink.red() * 0.9), int(ink.green() * 0.9), int(ink.blue() * 0.9));
    return ink;
}
} // namespace

QColor ListColours::ink(int code) const
{
    return code >= 0 && code < int(inks.size()) ? inks[std::size_t(code)] : text;
}

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

ListColours listColoursFor(const QPalette &desktop, bool highContrast)
{
    ListColours colours;
    colours.face = desktop.color(QPalette::Active, QPalette::Button);
    colours.marked = desktop.color(QPalette::Active, QPalette::ToolTipBase);
    colours.text = desktop.color(QPalette::Active, QPalette::ButtonText);
    if (colours.face.lightness() < kLightEnough || colours.marked.lightness() < kLightEnough) {
        // A paper-like face and the classic tooltip yellow, as on a light desktop.
        colours.face = QColor(0xef, 0xee, 0xea);
        colours.marked = QColor(0xff, 0xff, 0xdc);
        colours.text = QColor(Qt::black);
        colours.ownSurface = true;
    }
    colours.highContrast = highContrast;
    for (std::size_t code = 0; code < colours.inks.size(); ++code) {
        const PaletteColour p = palette()[code];
        const QColor ink(p.red, p.green, p.blue);
        colours.inks[code] = highContrast ? legible(ink, colours.face, colours.marked) : ink;
    }
    const bool textStandsOut
        = std::min(contrastRatio(colours.text, colours.face), contrastRatio(colours.text, colours.marked))
        >= kCueContrast;
    colours.cue = textStandsOut ? colours.text : QColor(Qt::black);
    return colours;
}

bool highContrastSetting()
{
    return Settings().value(Settings::Key::HighContrast).toBool();
}

void saveHighContrastSetting(bool on)
{
    Settings().setValue(Settings::Key::HighContrast, on);
}

} // namespace lumenar
