#include "singleinstance.h"

#include "apppaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QUrl>

#include <memory>

SingleInstance::SingleInstance(QObject *parent) : QObject(parent)
{
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            // A second start's archives come as "open <file URL>" lines; they count once it has
            // said everything and gone.
            auto received = std::make_shared<QByteArray>();
            connect(socket, &QLocalSocket::readyRead, this,
                    [socket, received] { *received += socket->readAll(); });
            connect(socket, &QLocalSocket::disconnected, this, [this, socket, received] {
                *received += socket->readAll();
                socket->deleteLater();
                QStringList files;
                for (const QByteArray &line : received->split('\n')) {
                    if (line.startsWith("open "))
                        files << QUrl::fromEncoded(line.mid(5)).toLocalFile();
                }
                if (!files.isEmpty())
                    emit filesReceived(files);
            });
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

SingleInstance::Outcome SingleInstance::acquire(const QStringList &handOver)
{
    failureText.clear();
    QDir().mkpath(AppPaths::cacheFolder());
    lock = std::make_unique<QLockFile>(lockPath());
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        // A socket left by a killed run would refuse the name.
        QLocalServer::removeServer(serverName());
        server.listen(serverName());
        return Outcome::Acquired;
    }
    const QLockFile::LockError error = lock->error();
    lock.reset();
    // Only a lock that exists and whose process lives means another installer; a folder that
    // cannot be written (read-only, full, not a folder) is no reason to hand over to nobody.
    if (error != QLockFile::LockFailedError) {
        const QFileInfo folder(AppPaths::cacheFolder());
        QString why = error == QLockFile::PermissionError
                          ? QStringLiteral("no permission to write there")
                          : QStringLiteral("the file cannot be created");
        if (!folder.isDir())
            why = QStringLiteral("%1 is not a folder").arg(folder.filePath());
        else if (!folder.isWritable())
            why = QStringLiteral("%1 is read-only").arg(folder.filePath());
        failureText = QStringLiteral("cannot create the lock file %1: %2").arg(lockPath(), why);
        return Outcome::Failed;
    }
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (socket.waitForConnected(1000)) {
        socket.write("raise\n");
        for (const QString &file : handOver)
            socket.write("open " +
                         QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toEncoded() +
                         '\n');
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
        if (socket.state() != QLocalSocket::UnconnectedState)
            socket.waitForDisconnected(1000);
    }
    return Outcome::HeldElsewhere;
}
