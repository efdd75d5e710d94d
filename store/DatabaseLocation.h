// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/FileLock.h"

#include <QString>
#include <memory>

namespace lumenar {

// Where the calendar database lives.
//
// A Lumenar.mdb beside the program in a folder we can write (the build tree, a portable
// copy) is the database. An installed program works instead on the user's own copy in
// userDatabaseFolder(), made from the installed copy at the first start and made again,
// keeping the user's saved rows, whenever the installed copy carries another content
// stamp (an update).

// The folder of the running program (the current folder without a QCoreApplication).
QString applicationFolder();

// $XDG_DATA_HOME/Lumenar, by default ~/.local/share/Lumenar: the same for every program of
// ours, whatever its application name.
QString userDatabaseFolder();

// The copy installed with the program found from programFolder: beside it when that folder
// cannot be written, then in ../share/lumenar, then in lumenar/ under each folder of
// $XDG_DATA_DIRS. Empty when there is none.
QString installedDatabase(const QString &programFolder);

// The database a desktop program works on, and the lock beside it ("Lumenar.mdb.lock")
// that keeps every other desktop program off that file while this one runs.
struct WorkingDatabase
{
    QString path;
    std::unique_ptr<FileLock> lock;
};

// For the desktop program at start: the Lumenar.mdb to open, locked for this program,
// after making or refreshing the user's copy. A copy that a reader (lumenar-cli) has open
// is used as it is and refreshed at a later start. Another desktop program that holds the
// file is waited for up to waitMs (it may be ending), then the start is refused.
// Throws LumenarError whose message is for the user: kind InUse when another program holds
// the file; otherwise StoreUnavailable, with LumenarError::storeUnavailableText() when there
// is no database anywhere and another text when a folder or lock cannot be written.
WorkingDatabase prepareDatabase(const QString &programFolder = applicationFolder(), int waitMs = 3000);

// For programs that only read (lumenar-cli): the database the desktop program uses, or the
// installed copy when the user's copy is missing or older. Creates and changes nothing.
// Throws LumenarError (StoreUnavailable) when there is no database anywhere.
QString databaseToRead(const QString &programFolder = applicationFolder());

} // namespace lumenar
