// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/TestDatabase.h"

#include "engine/YearAssembly.h"

#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>

#include <stdexcept>

namespace lumenar::test {

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

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TempDatabase::TempDatabase()
    : m_folder(m_dir.path())
{
    if (!m_dir.isValid() || !QFile::copy(builtDatabasePath(), path()))
        throw std::runtime_error("cannot copy the generated database");
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace lumenar::test
