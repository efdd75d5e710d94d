// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/FileLock.h"

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace lumenar {

// One running program per user session. The first one holds a lock file and listens on a
// local socket, both in the session's runtime folder ($XDG_RUNTIME_DIR); a later start asks
// it to show itself and leaves. The lock goes with the process that held it, however it
// ended, so a leftover lock file never keeps a start out.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // `key` names the lock and the socket; tests pass their own.
    explicit SingleInstance(const QString &key = defaultKey(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the one that runs; false when another one was found (and
    // has been asked to show itself, or said nothing for several seconds).
    bool claim();
    // The program is ending: a later start no longer reaches it, and waits for its lock.
    void stopListening();

    static QString defaultKey();
    // The folder of the lock and the socket: the runtime folder of the session.
    static QString folder();
    QString lockPath() const;
    QString socketPath() const;

signals:
    // Another start asked the running program to show itself.
    void showRequested();

private:
    QString m_key;
    std::unique_ptr<FileLock> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace lumenar
