// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/YearTable.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace lumenar {

// The 16 colours every window draws celebrations in, indexed by colour code.
struct PaletteColour
{
    const char *name;
    std::uint8_t red, green, blue;
};
const std::array<PaletteColour, 16> &palette();
// The palette entry of a code; codes outside 0..15 have none.
std::optional<PaletteColour> paletteColour(int code);

// The liturgical colour a code stands for ("white", "green", "violet", "red"), or the
// palette's own name for the other codes.
QString liturgicalColourName(int code);

// The day icons exist in four colours only.
enum class IconColour { Black, Green, Blue, Red };
std::optional<IconColour> iconColourForCode(int code);

} // namespace lumenar
