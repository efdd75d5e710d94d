// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace lumenar {

// The hourglass for the length of a scope.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace lumenar
