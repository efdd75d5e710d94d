// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace lumenar {

namespace {
QString lockFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

bool askRunningToShow(const QString &key)
{
    QLocalSocket socket;
    socket.connectToServer(key);
    if (!socket.waitForConnected(2000))
        return false;
    socket.write("show\n");
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    return true;
}
} // namespace

SingleInstance::SingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , m_key(key)
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::defaultKey()
{
    return QStringLiteral("lumenar-%1").arg(::getuid());
}

bool SingleInstance::claim()
{
    m_lock = std::make_unique<QLockFile>(QDir(lockFolder()).filePath(m_key + QStringLiteral(".lock")));
    // A lock whose process has died counts as stale at once; a live one is never stale.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(100)) {
        if (askRunningToShow(m_key))
            return false;
        // The holder is alive but does not answer (still starting): wait a little for it.
        for (int i = 0; i < 10; ++i) {
            if (m_lock->tryLock(300))
                break;
            if (askRunningToShow(m_key))
                return false;
        }
        if (!m_lock->isLocked())
            return false;
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is ours, so any socket file of that name is left over from a crash.
    QLocalServer::removeServer(m_key);
    m_server->listen(m_key);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("show"))
                    emit showRequested();
            });
        }
    });
    return true;
}

} // namespace lumenar
