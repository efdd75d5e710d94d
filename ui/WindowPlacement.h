// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/WindowPositions.h"

#include <QList>
#include <QRect>

class QWidget;

namespace lumenar {

// The frame to use for a window kept at `frame` (title bar included, `titleHeight` high):
// itself while its title bar stands on one of the `screens` (its whole height and at least
// half its width) and most of its area lies on them; otherwise moved onto the nearest
// screen as little as it takes, shrunk where it is larger than that screen.
QRect reachableRect(const QRect &frame, const QList<QRect> &screens, int titleHeight);

// Moves and sizes a window to the place kept in twips from `first` (xMain or xComm) on,
// brought onto the available screens when it would stand out of reach (the kept values
// stay as they are). Nothing happens while the kept size is 0 (nothing loaded yet).
void placeWindow(QWidget *window, const WindowPositions &positions, Position first);
// Copies the window's place into the four values from `first` on. Not while minimised.
void recordWindow(const QWidget *window, WindowPositions &positions, Position first);

// Logical dots per inch of the primary screen (96 where there is none).
double screenDpiX();
double screenDpiY();

} // namespace lumenar
