// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/Store.h"

#include "store/Errors.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <ostream>

// Readable GoogleTest messages for the Qt types the tests compare.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QDate &date, std::ostream *os)
{
    *os << date.toString(Qt::ISODate).toStdString();
}
QT_END_NAMESPACE

namespace lumenar::test {

// The working database beside the programs; tests never write to it.
QString builtDatabasePath();
// The database as the sources give it, which an installation ships.
QString shippedDatabasePath();
QString dataDir();
QString testDataDir();
QString binDir();

// The kind of error `work` throws, or nothing when it throws none.
std::optional<ErrorKind> errorKindOf(const std::function<void()> &work);

// SHA-256 of a file's bytes (empty when it cannot be read).
QByteArray fileHash(const QString &path);

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
