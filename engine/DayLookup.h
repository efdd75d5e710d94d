// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Variant.h"

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumenar {

class Store;

// One row of an assembled year.
struct Celebration
{
    int id = 0;
    QDate date;
    QString name;
    QString weekday; // "Sun" … "Sat"
    int colour = 0;  // palette code
    int rank = 0;
};

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

// The colour code of a day: that of its first row (highest code first), 0 for a day
// without rows.
int dayColourCode(const Store &store, Variant variant, const QDate &date);

// The date of the row numbered `id` in the variant's year table; 30 December 1899, the
// zero of the old date scale, when there is none.
QDate EventDateById(const Store &store, Variant variant, std::int32_t id);
QDate noEventDate();

// The rows of one day, highest colour code first.
std::vector<Celebration> dayCelebrations(const Store &store, Variant variant, const QDate &date);
// Every row of the assembled year in ID order.
std::vector<Celebration> yearCelebrations(const Store &store, Variant variant);

} // namespace lumenar
