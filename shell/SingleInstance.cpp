// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SingleInstance.h"

#include "store/Log.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace lumenar {

namespace {

bool askRunningToShow(const QString &socket)
{
    QLocalSocket connection;
    connection.connectToServer(socket);
    if (!connection.waitForConnected(2000))
        return false;
    connection.write("show\n");
    connection.waitForBytesWritten(2000);
    connection.disconnectFromServer();
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
    stopListening();
}

QString SingleInstance::defaultKey()
{
    return QStringLiteral("lumenar-%1").arg(::getuid());
}

QString SingleInstance::folder()
{
    // $XDG_RUNTIME_DIR, or the private folder Qt makes when it is unset.
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

QString SingleInstance::lockPath() const
{
    return QDir(folder()).filePath(m_key + QStringLiteral(".lock"));
}

QString SingleInstance::socketPath() const
{
    return QDir(folder()).filePath(m_key + QStringLiteral(".socket"));
}

bool SingleInstance::claim()
{
    m_lock = std::make_unique<FileLock>(lockPath());
    // The holder may be starting (not listening yet) or ending (no longer listening): ask it
    // to show itself, and wait a while for it to answer or let go.
    QElapsedTimer waited;
    waited.start();
    while (!m_lock->tryLock(300)) {
        if (!m_lock->heldElsewhere()) {
            // Without a lock the program still runs; only a second start cannot find it.
            qCWarning(lcLumenar, "%s cannot be made (%s)", qPrintable(lockPath()), qPrintable(m_lock->errorString()));
            return true;
        }
        if (askRunningToShow(socketPath()))
            return false;
        if (waited.elapsed() > 5000) {
            qCWarning(lcLumenar, "another Lumenar runs in this session (process %lld) but does not answer",
                qlonglong(m_lock->holder()));
            return false;
        }
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // The lock is ours, so a socket file of that name is left over from a crash.
    QLocalServer::removeServer(socketPath());
    if (!m_server->listen(socketPath()))
        qCWarning(lcLumenar, "cannot listen on %s (%s)", qPrintable(socketPath()), qPrintable(m_server->errorString()));
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

void SingleInstance::stopListening()
{
    if (m_server && m_server->isListening())
        m_server->close();
}

} // namespace lumenar
