// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace lumenar {

// One running program per user. The first one holds a lock file and listens on a local
// socket; a later start asks it to show itself and leaves. A lock left by a crashed
// program is stale (its process is gone) and is taken over.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // `key` names the lock and the socket; tests pass their own.
    explicit SingleInstance(const QString &key = defaultKey(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the one that runs; false when another one was found (and
    // has been asked to show itself).
    bool claim();

    static QString defaultKey();

signals:
    // Another start asked the running program to show itself.
    void showRequested();

private:
    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace lumenar
