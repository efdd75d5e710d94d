// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DayLookup.h"

namespace lumenar {

const std::array<PaletteColour, 16> &palette()
{
    static constexpr std::array<PaletteColour, 16> colours{{
        {"black", 0, 0, 0},
        {"blue", 0, 0, 128},
        {"green", 0, 128, 0},
        {"cyan", 0, 128, 128},
        {"red", 128, 0, 0},
        {"magenta", 128, 0, 128},
        {"yellow", 128, 128, 0},
        {"white", 192, 192, 192},
        {"grey", 128, 128, 128},
        {"light blue", 0, 0, 255},
        {"light green", 0, 255, 0},
        {"light cyan", 0, 255, 255},
        {"light red", 255, 0, 0},
        {"light magenta", 255, 0, 255},
        {"light yellow", 255, 255, 0},
        {"bright white", 255, 255, 255},
    }};
    return colours;
}

std::optional<PaletteColour> paletteColour(int code)
{
    if (code < 0 || code >= int(palette().size()))
        return std::nullopt;
    return palette()[code];
}

QString liturgicalColourName(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("white");
    case 2:
        return QStringLiteral("green");
    case 9:
        return QStringLiteral("violet");
    case 12:
        return QStringLiteral("red");
    default:
        if (auto colour = paletteColour(code))
            return QString::fromLatin1(colour->name);
        return QStringLiteral("colour %1").arg(code);
    }
}

std::optional<IconColour> iconColourForCode(int code)
{
    switch (code) {
    case 0:
        return IconColour::Black;
    case 2:
        return IconColour::Green;
    case 9:
        return IconColour::Blue;
    case 12:
        return IconColour::Red;
    default:
        return std::nullopt;
    }
}

} // namespace lumenar
