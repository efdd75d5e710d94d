// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAbstractItemView;
class QModelIndex;

namespace lumenar {

// Gives the program's windows made straight from QWidget the role of a window for
// assistive technology (Qt presents them as mere fillers). Call before the window's
// first accessible event, at the top of its constructor; the first call is enough.
void exposeWindowsAsWindows();

// Tells assistive technology that the view's cell has the focus, so a screen reader reads
// that row. Item views say so on every current change, focus or not; callers use this
// only while the view really has the keys.
void announceFocusedCell(QAbstractItemView *view, const QModelIndex &cell);

} // namespace lumenar
