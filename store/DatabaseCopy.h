// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumenar {

// The stamp of the sources a calendar database was built from (its ContentStamp row);
// empty when it has none or cannot be read. Never writes.
QString databaseStamp(const QString &path);

// Makes `target` a copy of the calendar database `source` that keeps the rows the user
// saved in `target` (the Parametri rows with Default false). The copy is written beside
// the target, checked, flushed and renamed into place, so at every moment `target` is
// either the old database or the complete new one. A target that cannot be read is kept
// as "<target>.damaged". Throws LumenarError, leaving `target` as it was, when the source
// cannot be copied, when the target cannot be written (StoreUnavailable, see
// Store::requireWritable) or when it is open in another program (its log is present).
void replaceKeepingSavedRows(const QString &source, const QString &target);

} // namespace lumenar
