#pragma once

#include "store/Store.h"

#include <QString>
#include <QTemporaryDir>

namespace lumenar::test {

// The database the build generated; tests never write to it.
QString builtDatabasePath();
QString dataDir();
QString testDataDir();
QString binDir();

// A private copy of the generated database in a temporary folder.
class TempDatabase
{
public:
    TempDatabase();
    const QString &folder() const { return m_folder; }
    QString path() const;
    Store open() const;

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

} // namespace lumenar::test
