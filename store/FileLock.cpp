// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/FileLock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumenar {

FileLock::FileLock(const QString &path)
    : m_path(path)
{
}

FileLock::~FileLock()
{
    unlock();
}

bool FileLock::attempt()
{
    const QByteArray name = QFile::encodeName(m_path);
    // Only a few rounds: each one means a holder let go between our open and our lock.
    for (int round = 0; round < 5; ++round) {
        // Private to the user: anyone who could open the file could hold the lock.
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            m_heldElsewhere = error == EWOULDBLOCK;
            if (!m_heldElsewhere)
                m_error = QString::fromLocal8Bit(std::strerror(error));
            return false;
        }
        // The holder before us removes the file as it lets go: a lock on a file that no
        // longer bears the name would lock nothing.
        struct stat opened = {};
        struct stat named = {};
        if (::fstat(fd, &opened) == 0 && ::stat(name.constData(), &named) == 0 && opened.st_dev == named.st_dev
            && opened.st_ino == named.st_ino) {
            const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
            // The number only names the holder in messages; the lock holds without it.
            [[maybe_unused]] const bool noted
                = ::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.constData(), pid.size(), 0) == pid.size();
            m_fd = fd;
            return true;
        }
        ::close(fd);
    }
    m_heldElsewhere = true;
    return false;
}

bool FileLock::tryLock(int waitMs)
{
    if (isLocked())
        return true;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        m_heldElsewhere = false;
        m_error.clear();
        if (attempt())
            return true;
        if (!m_heldElsewhere || waited.elapsed() >= waitMs)
            return false;
        QThread::msleep(50);
    }
}

void FileLock::unlock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so nobody can lock the old file after we let go.
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

qint64 FileLock::holder() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readLine(32).trimmed().toLongLong();
}

} // namespace lumenar
