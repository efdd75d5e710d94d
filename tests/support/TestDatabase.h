#pragma once

#include "store/Store.h"

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <ostream>

// Readable GoogleTest messages for the Qt types the tests compare.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QDate &date, std::ostream *os) { *os << date.toString(Qt::ISODate).toStdString(); }
QT_END_NAMESPACE

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
