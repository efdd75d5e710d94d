// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Maintenance.h"

#include "store/FileSystem.h"
#include "store/Log.h"
#include "store/Store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumenar {

namespace {

QString databasePath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("Lumenar.mdb"));
}
QString tempPath(const QString &folder)
{
    return QDir(folder).filePath(compactionTempName());
}

// True when the file opens as a calendar database and passes SQLite's own check.
bool isSoundDatabase(const QString &path)
{
    try {
        Store store = Store::open(path);
        return store.isIntact();
    } catch (const LumenarError &error) {
        logCaught("isSoundDatabase", error);
        return false;
    }
}

// Puts back a database whose compaction stopped between writing the copy and renaming it;
// beside a database, a leftover copy is only clutter.
void recoverOrClearTemp(const QString &folder)
{
    const QString db = databasePath(folder);
    const QString temp = tempPath(folder);
    if (!QFileInfo::exists(temp))
        return;
    if (QFileInfo::exists(db)) {
        QFile::remove(temp);
        return;
    }
    // Without a database the copy may be all that is left: never delete it.
    if (!isSoundDatabase(temp))
        return;
    // A log left by the vanished file must not be replayed into the copy: set it aside.
    const QString wal = db + QStringLiteral("-wal");
    if (QFileInfo::exists(wal)) {
        QFile::remove(wal + QStringLiteral(".orphaned"));
        QFile::rename(wal, wal + QStringLiteral(".orphaned"));
        QFile::remove(db + QStringLiteral("-shm"));
    }
    if (replaceFile(temp, db))
        syncFolder(folder);
}

void emptyYearTables(const QString &folder)
{
    emptyYearTables(Store::open(databasePath(folder)));
}

} // namespace

void emptyYearTables(const Store &store)
{
    Store::Transaction tx(store);
    store.exec(QStringLiteral("DELETE FROM C_USA_Temp"));
    store.exec(QStringLiteral("DELETE FROM C_Univ_Temp"));
    tx.commit();
}

QString compactionTempName()
{
    return QStringLiteral("~Temp.mdb");
}

void CuratTemp(const QString &folder)
{
    recoverOrClearTemp(folder);
    emptyYearTables(folder);
}

CompactResult Optimizez(const QString &folder, QString *detail)
{
    auto fail = [detail](const QString &why) {
        if (detail)
            *detail = why;
        return CompactResult::NotCompacted;
    };

    const QString db = databasePath(folder);
    const QString temp = tempPath(folder);
    try {
        recoverOrClearTemp(folder);
        emptyYearTables(folder);
        // Once every connection is closed SQLite folds the log back into the file and
        // removes it. A log still present means another connection is open: a file
        // renamed into place under it would meet a log that is not its own.
        if (QFileInfo::exists(db + QStringLiteral("-wal")))
            return fail(QStringLiteral("the database is still open elsewhere"));
        {
            Store store = Store::open(db);
            store.exec(QStringLiteral("VACUUM INTO ?"), {temp});
        }
        {
            // The copy does not inherit the journal mode; it replaces the database, so it must.
            Store copy = Store::open(temp);
            copy.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        }
    } catch (const LumenarError &error) {
        logCaught("Optimizez", error);
        QFile::remove(temp);
        return fail(error.fullText());
    }

    // The copy must be complete and on disk before it takes the database's place.
    if (!isSoundDatabase(temp) || !syncFile(temp)) {
        QFile::remove(temp);
        return fail(QStringLiteral("the compacted copy could not be verified"));
    }
    if (!replaceFile(temp, db)) {
        QFile::remove(temp);
        return fail(QStringLiteral("%1 could not replace %2").arg(temp, db));
    }
    syncFolder(folder);
    return CompactResult::Compacted;
}

} // namespace lumenar
