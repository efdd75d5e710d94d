// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumenar {

class Store;

// Deletes every row of both year tables, in one transaction. Throws LumenarError.
void emptyYearTables(const Store &store);

// The scratch copy the compaction writes before it replaces the database.
QString compactionTempName();

// Empties both year tables at start-up. A "~Temp.mdb" left by an interrupted compaction is
// removed, unless the database itself is missing: then the copy is the user's data, and
// it is put back in place when it is a sound calendar database (and left alone when it is
// not). Throws LumenarError when the database cannot be opened or emptied.
void CuratTemp(const QString &folder);

enum class CompactResult {
    Compacted,
    NotCompacted, // the database is unchanged; the reason is in `detail`
};

// Empties both year tables, then rewrites the database without its free space: the
// compacted copy is written to "~Temp.mdb", checked, and renamed over Lumenar.mdb in one
// step, so the data always lives in a complete Lumenar.mdb. Never throws.
CompactResult Optimizez(const QString &folder, QString *detail = nullptr);

} // namespace lumenar
