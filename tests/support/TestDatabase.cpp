// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestDatabase.h"

#include "engine/YearAssembly.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <stdexcept>

namespace lumenar::test {

QString builtDatabasePath()
{
    return QStringLiteral(LUMENAR_TEST_DB);
}
QString shippedDatabasePath()
{
    return QStringLiteral(LUMENAR_BUILT_DB);
}
QString dataDir()
{
    return QStringLiteral(LUMENAR_DATA_DIR);
}
QString testDataDir()
{
    return QStringLiteral(LUMENAR_TEST_DATA_DIR);
}
QString binDir()
{
    return QStringLiteral(LUMENAR_BIN_DIR);
}

const CalendarSource &shippedSource()
{
    static const CalendarSource source = readCalendarSource(Store::openReadOnly(builtDatabasePath()));
    return source;
}

YearCalendar assembledYear(Variant variant, int year)
{
    return assembleYear(shippedSource(), variant, static_cast<std::int16_t>(year));
}

std::optional<ErrorKind> errorKindOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const LumenarError &e) {
        return e.kind();
    }
    return std::nullopt;
}

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

TempDatabase::TempDatabase()
    : m_folder(m_dir.path())
{
    if (!m_dir.isValid() || !QFile::copy(builtDatabasePath(), path()))
        throw std::runtime_error("cannot copy the generated database");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
}

QString TempDatabase::path() const
{
    return QDir(m_folder).filePath(QStringLiteral("Lumenar.mdb"));
}

Store TempDatabase::open() const
{
    return Store::open(path());
}

} // namespace lumenar::test
