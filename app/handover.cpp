#include "handover.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Longer than any path; a longer line is no second start's.
constexpr int longestLine = 64 * 1024;
// More than the arguments a command line can carry.
constexpr qint64 longestRequest = 4 * 1024 * 1024;
// Requests read at the same time; the others wait, unread.
constexpr int readAtOnce = 4;
// Connections kept at all, read or waiting.
constexpr int mostConnections = 64;
// A second start says everything at once: a request not complete by then is dropped.
constexpr int requestMs = 2000;
// How long a second start waits for the answer once its request is written: the installer
// answers from its event loop, which it may take a while to reach on a busy machine.
constexpr int answerMs = 20000;

#ifdef Q_OS_UNIX
// Whether `folder` is a folder (not a link) of this user's that no one else can enter.
bool isPrivateFolder(const QString &folder, QString *why)
{
    struct stat info = {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        *why = QStringLiteral("%1 is not a folder").arg(folder);
    else if (info.st_uid != ::geteuid())
        *why = QStringLiteral("%1 belongs to another user (%2)").arg(folder).arg(info.st_uid);
    else if ((info.st_mode & 077) != 0)
        *why = QStringLiteral("%1 is open to other users (mode %2)")
                   .arg(folder)
                   .arg(info.st_mode & 0777, 0, 8);
    else
        return true;
    return false;
}
#endif

} // namespace

namespace HandOver {

QString socketPath(const QString &name, QString *why)
{
#ifdef Q_OS_UNIX
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString ignored;
    if (!runtime.isEmpty() && isPrivateFolder(runtime, &ignored))
        return runtime + QLatin1Char('/') + name;
    const QString own =
        QDir::tempPath() + QStringLiteral("/zerun-installer-") + QString::number(::geteuid());
    // Made for this user alone; one that is already there is used only if it is that.
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return isPrivateFolder(own, why) ? own + QLatin1Char('/') + name : QString();
#else
    Q_UNUSED(why)
    return name;
#endif
}

qint64 peerUser(qintptr descriptor)
{
#ifdef Q_OS_LINUX
    struct ucred credentials = {};
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0)
        return credentials.uid;
    return -1;
#else
    Q_UNUSED(descriptor)
    return -1;
#endif
}

qint64 thisUser()
{
#ifdef Q_OS_LINUX
    return qint64(::geteuid());
#else
    return -1;
#endif
}

bool peerIsThisUser(qintptr descriptor)
{
    // Elsewhere the socket's own access rights keep it to this user.
    return peerUser(descriptor) == thisUser();
}

qint64 listenerUser(const QString &path)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    return socket.waitForConnected(1000) ? peerUser(socket.socketDescriptor()) : -1;
}

Delivery deliver(const QString &path, const QStringList &files)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(1000))
        return Delivery::NoListener;
    // Not a word to a process of another user: the files' names are not theirs to know.
    if (!peerIsThisUser(socket.socketDescriptor()))
        return Delivery::OtherUser;
    QByteArray request = "raise\n";
    for (const QString &file : files)
        request += "open " + QUrl::fromLocalFile(file).toEncoded() + '\n';
    socket.write(request + "end\n");
    QElapsedTimer clock;
    clock.start();
    while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
           clock.elapsed() < answerMs)
        socket.waitForReadyRead(int(answerMs - clock.elapsed()));
    if (socket.readLine().trimmed() == "taken " + QByteArray::number(files.size()))
        return Delivery::Delivered;
    // Closed without an answer, the installer took nothing and may be asked again.
    return socket.state() == QLocalSocket::ConnectedState ? Delivery::NoAnswer
                                                          : Delivery::NoListener;
}

} // namespace HandOver

HandOverServer::HandOverServer(QObject *parent) : QObject(parent)
{
    server.setMaxPendingConnections(mostConnections);
#ifndef Q_OS_UNIX
    server.setSocketOptions(QLocalServer::UserAccessOption);
#endif
    connect(&server, &QLocalServer::newConnection, this, &HandOverServer::accept);
}

bool HandOverServer::listen(const QString &path, QString *why)
{
    // The folder is this user's own: what is there was left by a run of this user's.
    QLocalServer::removeServer(path);
    if (server.listen(path))
        return true;
    *why = QStringLiteral("cannot listen on %1: %2").arg(path, server.errorString());
    return false;
}

void HandOverServer::accept()
{
    while (QLocalSocket *socket = server.nextPendingConnection()) {
        if (!HandOver::peerIsThisUser(socket->socketDescriptor())) {
            const qint64 user = HandOver::peerUser(socket->socketDescriptor());
            drop(socket, QStringLiteral("a process of another user (%1) connected").arg(user));
            continue;
        }
        // Held back once this much waits unread: memory stays bounded whatever is sent.
        socket->setReadBufferSize(longestLine + 1);
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (reading.contains(socket))
                read(socket);
            else
                take();
        });
        queued << socket;
        if (queued.size() + reading.size() > mostConnections) {
            // Room for the newcomer at the cost of the oldest waiting one that said nothing.
            const auto silent = std::find_if(queued.cbegin(), queued.cend(), [](QLocalSocket *s) {
                return s->bytesAvailable() == 0;
            });
            drop(silent == queued.cend() ? socket : *silent,
                 QStringLiteral("too many connections"));
        }
    }
    take();
}

void HandOverServer::take()
{
    while (reading.size() < readAtOnce && !queued.isEmpty()) {
        // A second start writes its request as soon as it is connected: connections that have
        // sent something go first, so silent ones held open cannot keep it out for long.
        auto next = std::find_if(queued.begin(), queued.end(),
                                 [](QLocalSocket *s) { return s->bytesAvailable() > 0; });
        if (next == queued.end())
            next = queued.begin();
        QLocalSocket *socket = *next;
        queued.erase(next);
        reading << socket;
        QTimer::singleShot(requestMs, socket, [this, socket] {
            if (reading.contains(socket))
                drop(socket, QStringLiteral("the request did not end in time"));
        });
        read(socket);
    }
}

void HandOverServer::read(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine().chopped(1);
        bytes[socket] += line.size() + 1;
        if (line == "end")
            return finish(socket);
        const QUrl url = QUrl::fromEncoded(line.mid(5), QUrl::StrictMode);
        if (line.startsWith("open ") && url.isLocalFile() && !url.path().isEmpty())
            files[socket] << url.toLocalFile();
        else if (line != "raise")
            return drop(socket, QStringLiteral("a line that is not part of a request"));
        if (bytes[socket] > longestRequest)
            return drop(socket,
                        QStringLiteral("a request longer than %1 bytes").arg(longestRequest));
    }
    if (socket->bytesAvailable() > longestLine)
        drop(socket, QStringLiteral("a line longer than %1 bytes").arg(longestLine));
}

void HandOverServer::finish(QLocalSocket *socket)
{
    const QStringList taken = files.take(socket);
    bytes.remove(socket);
    reading.removeOne(socket);
    socket->disconnect(this);
    emit raiseRequested();
    if (!taken.isEmpty())
        emit filesReceived(taken);
    // Said only once every file is held: the second start ends on this answer.
    socket->write("taken " + QByteArray::number(taken.size()) + '\n');
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromServer();
    // One that does not go once answered is closed all the same.
    QTimer::singleShot(requestMs, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    take();
}

void HandOverServer::drop(QLocalSocket *socket, const QString &why)
{
    if (!why.isEmpty())
        emit refused(why);
    queued.removeOne(socket);
    reading.removeOne(socket);
    files.remove(socket);
    bytes.remove(socket);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    take();
}
