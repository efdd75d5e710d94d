// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace lumenar {

// A lock file that one process at a time holds. The kernel lets go of the lock when its
// holder ends, however it ends, so a file left behind by a crash (empty or half written)
// is free at once: there is no guessing whether a lock is stale.
class FileLock
{
public:
    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Takes the lock, trying again for up to waitMs while another process holds it.
    bool tryLock(int waitMs = 0);
    // Lets go of the lock and removes the file.
    void unlock();
    bool isLocked() const { return m_fd >= 0; }
    const QString &path() const { return m_path; }

    // After a failed tryLock: true when another process holds the lock, false when the
    // file could not be made or locked at all (errorString() says why).
    bool heldElsewhere() const { return m_heldElsewhere; }
    QString errorString() const { return m_error; }
    // The process number the holder wrote into the file; 0 when unknown.
    qint64 holder() const;

private:
    bool attempt();

    QString m_path;
    int m_fd = -1;
    bool m_heldElsewhere = false;
    QString m_error;
};

} // namespace lumenar
