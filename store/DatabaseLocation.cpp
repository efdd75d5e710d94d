// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DatabaseLocation.h"

#include "store/DatabaseCopy.h"
#include "store/Errors.h"
#include "store/Log.h"
#include "store/Maintenance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lumenar {

namespace {

const QString kFileName = QStringLiteral("Lumenar.mdb");

[[noreturn]] void throwUnavailable(const QString &message, const QString &detail = {})
{
    throw LumenarError(ErrorKind::StoreUnavailable, message, detail);
}

QString userCopy()
{
    return QDir(userDatabaseFolder()).filePath(kFileName);
}

// The working database beside a program, when it stands there in a folder we can write.
QString besideProgram(const QString &programFolder)
{
    const QString path = QDir(programFolder).filePath(kFileName);
    return QFileInfo::exists(path) && QFileInfo(programFolder).isWritable() ? path : QString();
}

// Holds the database for this program alone, or says who has it.
std::unique_ptr<FileLock> holdDatabase(const QString &path, int waitMs)
{
    auto lock = std::make_unique<FileLock>(path + QStringLiteral(".lock"));
    if (lock->tryLock(waitMs))
        return lock;
    if (!lock->heldElsewhere())
        throwUnavailable(QStringLiteral("The lock file %1 beside the calendar database cannot be made: %2.")
                             .arg(QDir::toNativeSeparators(lock->path()), lock->errorString()));
    const qint64 holder = lock->holder();
    throw LumenarError(ErrorKind::InUse,
        QStringLiteral("Another Lumenar program%1 is already working on the calendar database %2.\n"
                       "Only one can use it at a time: end the other one first.")
            .arg(holder > 0 ? QStringLiteral(" (process %1)").arg(holder) : QString(), QDir::toNativeSeparators(path)));
}

} // namespace

QString applicationFolder()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString userDatabaseFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Lumenar"));
}

QString installedDatabase(const QString &programFolder)
{
    QStringList candidates;
    if (!QFileInfo(programFolder).isWritable())
        candidates << QDir(programFolder).filePath(kFileName);
    candidates << QDir(programFolder).filePath(QStringLiteral("../share/lumenar/") + kFileName);
    for (const QString &dataFolder : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates << QDir(dataFolder).filePath(QStringLiteral("lumenar/") + kFileName);
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    }
    return {};
}

WorkingDatabase prepareDatabase(const QString &programFolder, int waitMs)
{
    if (const QString beside = besideProgram(programFolder); !beside.isEmpty())
        return {beside, holdDatabase(beside, waitMs)};
    const QString installed = installedDatabase(programFolder);
    const QString folder = userDatabaseFolder();
    const QString copy = userCopy();
    if (installed.isEmpty() && !QFileInfo::exists(copy))
        throwUnavailable(LumenarError::storeUnavailableText());
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable())
        throwUnavailable(
            QStringLiteral("Your copy of the information database cannot be kept in %1: the folder cannot be written.")
                .arg(QDir::toNativeSeparators(folder)));
    // Held from here to the end of the run: no other desktop program replaces the copy or
    // works on its year tables meanwhile.
    WorkingDatabase working{copy, holdDatabase(copy, waitMs)};
    if (installed.isEmpty())
        return working;

    // A compaction stopped before its rename leaves the user's data in its scratch copy.
    if (!QFileInfo::exists(copy) && QFileInfo::exists(QDir(folder).filePath(compactionTempName()))) {
        try {
            CuratTemp(folder);
        } catch (const LumenarError &error) {
            logCaught("prepareDatabase", error);
            // Not a sound database: a fresh copy is made below.
        }
    }
    const bool hadCopy = QFileInfo::exists(copy);
    if (!hadCopy || databaseStamp(copy) != databaseStamp(installed)) {
        try {
            replaceKeepingSavedRows(installed, copy);
        } catch (const LumenarError &error) {
            logCaught("prepareDatabase", error);
            if (!hadCopy)
                throwUnavailable(QStringLiteral("Your copy of the information database could not be made in %1.")
                                     .arg(QDir::toNativeSeparators(folder)),
                    error.fullText());
            // The old copy still works; it is refreshed at a later start.
        }
    }
    return working;
}

QString databaseToRead(const QString &programFolder)
{
    if (const QString beside = besideProgram(programFolder); !beside.isEmpty())
        return beside;
    const QString installed = installedDatabase(programFolder);
    const QString copy = userCopy();
    if (QFileInfo::exists(copy) && (installed.isEmpty() || databaseStamp(copy) == databaseStamp(installed)))
        return copy;
    if (installed.isEmpty())
        throwUnavailable(LumenarError::storeUnavailableText());
    return installed;
}

} // namespace lumenar
