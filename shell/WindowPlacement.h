// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/WindowPositions.h"

#include <QList>
#include <QRect>

class QWidget;

namespace lumenar {

// The rectangle to use for a window kept at `wanted`: itself while enough of it lies on
// some screen to be grabbed, otherwise the same size (cut to fit) centred on `primary`.
QRect reachableRect(const QRect &wanted, const QList<QRect> &screens, const QRect &primary);

// Moves and sizes a window to the place kept in twips from `first` (xMain or xComm) on.
// Nothing happens while the kept size is 0 (nothing loaded yet).
void placeWindow(QWidget *window, const WindowPositions &positions, Position first);
// Copies the window's place into the four values from `first` on. Not while minimised.
void recordWindow(const QWidget *window, WindowPositions &positions, Position first);

// Logical dots per inch of the primary screen (96 where there is none).
double screenDpiX();
double screenDpiY();

} // namespace lumenar
