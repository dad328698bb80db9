#include "singleinstance.h"

#include "apppaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>

SingleInstance::SingleInstance(QObject *parent) : QObject(parent)
{
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            emit raiseRequested();
        }
    });
}

SingleInstance::~SingleInstance()
{
    server.close();
}

QString SingleInstance::lockPath()
{
    return AppPaths::cacheFolder() + QStringLiteral("/zerun-installer.lock");
}

QString SingleInstance::serverName()
{
    // Short and free of path characters, but tied to the profile.
    const QByteArray profile = QDir::cleanPath(AppPaths::cacheFolder()).toUtf8();
    return QStringLiteral("zerun-installer-") +
           QString::fromLatin1(
               QCryptographicHash::hash(profile, QCryptographicHash::Md5).toHex().left(16));
}

bool SingleInstance::acquire()
{
    QDir().mkpath(AppPaths::cacheFolder());
    lock = std::make_unique<QLockFile>(lockPath());
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        // A socket left by a killed run would refuse the name.
        QLocalServer::removeServer(serverName());
        server.listen(serverName());
        return true;
    }
    lock.reset();
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (socket.waitForConnected(1000)) {
        socket.write("raise\n");
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
    return false;
}
