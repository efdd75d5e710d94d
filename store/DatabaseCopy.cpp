// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DatabaseCopy.h"

#include "store/FileSystem.h"
#include "store/Log.h"
#include "store/Store.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace lumenar {

namespace {

struct SavedRow
{
    QVariant name;
    QVariant value;
};

const QString kSavedRows
    = QStringLiteral("SELECT parametru, valoare FROM Parametri WHERE \"Default\" = 0 ORDER BY rowid");

std::vector<SavedRow> savedRows(const Store &store)
{
    std::vector<SavedRow> rows;
    QSqlQuery query = store.exec(kSavedRows);
    while (query.next())
        rows.push_back({query.value(0), query.value(1)});
    return rows;
}

void removeWithSideFiles(const QString &path)
{
    for (const char *suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

[[noreturn]] void fail(const QString &message, const QString &detail = {})
{
    throw LumenarError(ErrorKind::Step, message, detail);
}

// Keeps an unreadable database and its log out of the way of the new file.
void setAside(const QString &path)
{
    const QString kept = path + QStringLiteral(".damaged");
    removeWithSideFiles(kept);
    QFile::copy(path, kept);
    QFile::rename(path + QStringLiteral("-wal"), kept + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
}

} // namespace

QString databaseStamp(const QString &path)
{
    try {
        Store store = Store::openReadOnly(path);
        if (!store.hasTable(QStringLiteral("ContentStamp")))
            return {};
        return store.scalar(QStringLiteral("SELECT Stamp FROM ContentStamp")).toString();
    } catch (const LumenarError &error) {
        logCaught("databaseStamp", error);
        return {};
    }
}

void replaceKeepingSavedRows(const QString &source, const QString &target)
{
    std::vector<SavedRow> rows;
    bool damaged = false;
    if (QFileInfo::exists(target)) {
        // A file the user made read-only is theirs to mend, not damage to set aside.
        Store::requireWritable(target);
        try {
            // Read through SQLite, so rows still in a log left beside the file count too.
            Store old = Store::open(target);
            rows = savedRows(old);
        } catch (const LumenarError &error) {
            logCaught("replaceKeepingSavedRows", error);
            damaged = true;
        }
        // Closing the last connection folds the log back and removes it: one still there
        // belongs to another program, and would be replayed into the new file.
        if (!damaged && QFileInfo::exists(target + QStringLiteral("-wal")))
            fail(QStringLiteral("%1 is in use by another program").arg(target));
    }

    const QString fresh = target + QStringLiteral(".new");
    removeWithSideFiles(fresh);
    try {
        {
            Store original = Store::openReadOnly(source);
            original.exec(QStringLiteral("VACUUM INTO ?"), {fresh});
        }
        Store copy = Store::open(fresh);
        {
            Store::Transaction tx(copy);
            copy.exec(QStringLiteral("DELETE FROM Parametri WHERE \"Default\" = 0"));
            for (const SavedRow &row : rows)
                copy.exec(QStringLiteral("INSERT INTO Parametri (parametru, valoare, \"Default\") VALUES (?, ?, 0)"),
                    {row.name, row.value});
            tx.commit();
        }
        // A VACUUM INTO copy is in rollback-journal mode; the working database is not.
        copy.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        if (!copy.isIntact() || savedRows(copy).size() != rows.size())
            fail(QStringLiteral("the copy of %1 did not pass its check").arg(source));
    } catch (const LumenarError &error) {
        logCaught("replaceKeepingSavedRows", error);
        removeWithSideFiles(fresh);
        fail(QStringLiteral("Cannot make %1 from %2").arg(target, source), error.fullText());
    }
    if (!syncFile(fresh)) {
        removeWithSideFiles(fresh);
        fail(QStringLiteral("Cannot write %1").arg(fresh));
    }
    if (damaged)
        setAside(target);
    if (!replaceFile(fresh, target)) {
        removeWithSideFiles(fresh);
        fail(QStringLiteral("Cannot replace %1").arg(target));
    }
    syncFolder(QFileInfo(target).absolutePath());
}

} // namespace lumenar
