// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DayLookup.h"

#include <QColor>
#include <QIcon>
#include <QImage>

namespace lumenar {

// The ink of each day icon: the palette colour of the code it stands for.
QColor iconInk(IconColour colour);

// A tear-off calendar page: black frame, white page, three binding rings along the top and
// the day of the month in large digits in the icon's colour, drawn for `size` pixels.
QImage renderDayIcon(int day, IconColour colour, int size);

// The same page as an icon that is drawn afresh for every size a panel asks for.
QIcon dayIcon(int day, IconColour colour);

// The program's own icon when no day is known (the About box, the help window).
QIcon applicationIcon();

} // namespace lumenar
