// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumenar {

// Gives the program's windows made straight from QWidget the role of a window for
// assistive technology (Qt presents them as mere fillers). Call before the window's
// first accessible event, at the top of its constructor; the first call is enough.
void exposeWindowsAsWindows();

} // namespace lumenar
