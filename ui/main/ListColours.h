// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <array>

class QPalette;

namespace lumenar {

// The surfaces and inks the year list is drawn with. The liturgical colours are dark
// (black, green, blue, red), so under a dark desktop theme the list keeps light surfaces
// of its own rather than lose its colours on a dark background.
struct ListColours
{
    QColor face;             // every unmarked cell and the empty area below the rows
    QColor marked;           // the marked date and name cells
    QColor text;             // names whose colour code has no palette entry, weekday dates
    QColor cue;              // the frame around the marked cells, seen without telling colours apart
    bool ownSurface = false; // true when the desktop's own colours were too dark
    bool highContrast = false;
    std::array<QColor, 16> inks; // the palette as drawn, by colour code

    // The ink of a colour code; codes outside the palette get the text colour.
    QColor ink(int code) const;
};

// The least contrast of text on its surface (WCAG 2 for normal text) and of the mark's frame.
constexpr double kTextContrast = 4.5;
constexpr double kCueContrast = 3.0;

// The default look draws the palette as it is. In high contrast each ink is darkened,
// keeping its hue, until it stands at kTextContrast on both the face and the mark.
ListColours listColoursFor(const QPalette &desktop, bool highContrast = false);

// The contrast ratio of two colours by WCAG 2, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// The user's choice of "High contrast", kept in the per-user settings.
bool highContrastSetting();
void saveHighContrastSetting(bool on);

} // namespace lumenar
