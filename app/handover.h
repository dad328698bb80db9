#pragma once

#include <QHash>
#include <QList>
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalSocket;

// The way a second start hands its archives to the installer that runs on the same profile: a
// local socket in a folder that only this user can reach, spoken to only by processes of this
// user. A request is a few lines ("raise", one "open <file URL>" per archive, "end"); the
// installer answers "taken <count>" once it holds every file.
namespace HandOver {

// The socket's path for `name`: in $XDG_RUNTIME_DIR when that folder is this user's own and
// closed to others, else in a folder of this user's alone (mode 0700) in the temporary folder.
// Empty, with `why` set (in English, for the log), when that folder cannot be trusted.
QString socketPath(const QString &name, QString *why);

// The user this process runs as; -1 where users are not told apart here.
qint64 thisUser();
// The user the process at the other end of a connected local socket runs as; -1 when unknown.
qint64 peerUser(qintptr descriptor);
// Whether that is the user this process runs as.
bool peerIsThisUser(qintptr descriptor);
// The user of the process listening on `path`; -1 when none listens (or it is unknown).
qint64 listenerUser(const QString &path);

enum class Delivery {
    Delivered,  // the installer answered that it took every file
    NoListener, // nothing listens on the path (yet)
    OtherUser,  // a process of another user listens there: nothing was written to it
    NoAnswer    // the installer did not say in time that it took the files
};
// Asks the installer listening on `path` to come forward and to take `files`.
Delivery deliver(const QString &path, const QStringList &files);

} // namespace HandOver

// The running installer's end: reads a few requests at a time, each line at most 64 KiB, from
// processes of this user only; whatever else arrives closes its connection and nothing more.
class HandOverServer : public QObject
{
    Q_OBJECT

public:
    explicit HandOverServer(QObject *parent = nullptr);

    // Listens on `path` (a socket left there by a run that ended is replaced); false, with
    // `why` set, when it cannot.
    bool listen(const QString &path, QString *why);

signals:
    void raiseRequested();
    void filesReceived(const QStringList &files);
    // A connection was closed without being served; `why` in English, for the log.
    void refused(const QString &why);

private:
    void accept();
    void take();
    void read(QLocalSocket *socket);
    void finish(QLocalSocket *socket);
    void drop(QLocalSocket *socket, const QString &why = QString());

    QLocalServer server;
    QList<QLocalSocket *> queued;
    QList<QLocalSocket *> reading;
    // The files and the bytes read so far of each request being read.
    QHash<QLocalSocket *, QStringList> files;
    QHash<QLocalSocket *, qint64> bytes;
};
