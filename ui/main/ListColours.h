// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QPalette;

namespace lumenar {

// The surfaces the year list is drawn on. The liturgical colours are dark (black, green,
// blue, red), so under a dark desktop theme the list keeps light surfaces of its own
// rather than lose its colours on a dark background.
struct ListColours
{
    QColor face;             // every unmarked cell and the empty area below the rows
    QColor marked;           // the marked date and name cells
    QColor text;             // names whose colour code has no palette entry, weekday dates
    bool ownSurface = false; // true when the desktop's own colours were too dark
};

ListColours listColoursFor(const QPalette &desktop);

} // namespace lumenar
