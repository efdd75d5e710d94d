// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/YearCalendar.h"
#include "store/Errors.h"
#include "store/Store.h"

#include <QByteArray>
#include <QDate>
#include <QRect>
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
inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}
QT_END_NAMESPACE

namespace lumenar::test {

// The working database beside the programs (tests never write to it), the database as the
// sources give it (which an installation ships), and the folders the tests read.
inline const auto builtDatabasePath = [] { return QStringLiteral(LUMENAR_TEST_DB); };
inline const auto shippedDatabasePath = [] { return QStringLiteral(LUMENAR_BUILT_DB); };
inline const auto dataDir = [] { return QStringLiteral(LUMENAR_DATA_DIR); };
inline const auto testDataDir = [] { return QStringLiteral(LUMENAR_TEST_DATA_DIR); };
inline const auto binDir = [] { return QStringLiteral(LUMENAR_BIN_DIR); };

// The calendar's rows as the build ships them, read once.
const CalendarSource &shippedSource();
// A year assembled in memory from them.
YearCalendar assembledYear(Variant variant, int year);

// The kind of error `work` throws, or nothing when it throws none.
std::optional<ErrorKind> errorKindOf(const std::function<void()> &work);

// SHA-256 of a file's bytes (empty when it cannot be read).
QByteArray fileHash(const QString &path);
// Replaces a file's bytes.
void writeFile(const QString &path, const QByteArray &bytes);

// A private copy of the generated database in a temporary folder.
class TempDatabase
{
public:
    TempDatabase();
    const QString &folder() const { return m_folder; }
    QString path() const { return m_folder + QStringLiteral("/Lumenar.mdb"); }
    Store open() const { return Store::open(path()); }

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

} // namespace lumenar::test
