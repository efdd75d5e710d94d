// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FileSystem.h"

#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace lumenar {

namespace {

bool syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

bool syncFile(const QString &path)
{
    return syncPath(path, O_RDONLY);
}

bool syncFolder(const QString &path)
{
    return syncPath(path, O_RDONLY | O_DIRECTORY);
}

bool replaceFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace lumenar
