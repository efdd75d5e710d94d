// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Log.h"

namespace lumenar {

Q_LOGGING_CATEGORY(lcLumenar, "lumenar")

void logCaught(const char *place, const std::exception &error)
{
    qCWarning(lcLumenar, "%s: %s", place, error.what());
}

} // namespace lumenar
