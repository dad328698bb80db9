#include "singleinstance.h"

#include "apppaths.h"
#include "installrecovery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <signal.h>
#endif

namespace {

// How long a second start waits for the installer that holds the lock to listen.
constexpr int listenWaitMs = 5000;

// Whether the lock names a process of this machine that is gone.
bool holderIsGone(const QLockFile &lock)
{
#ifdef Q_OS_UNIX
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application) || pid <= 0)
        return false;
    return (host.isEmpty() || host == QSysInfo::machineHostName()) && ::kill(pid_t(pid), 0) != 0 &&
           errno == ESRCH;
#else
    Q_UNUSED(lock)
    return false;
#endif
}

} // namespace

SingleInstance::SingleInstance(QObject *parent) : QObject(parent)
{
    connect(&server, &HandOverServer::raiseRequested, this, &SingleInstance::raiseRequested);
    connect(&server, &HandOverServer::filesReceived, this, [this](const QStringList &files) {
        for (const QString &file : files)
            InstallRecovery::note(QStringLiteral("Handed over by another start: ") + file);
        received += files;
        emit filesReceived();
    });
    connect(&server, &HandOverServer::refused, this, [](const QString &why) {
        InstallRecovery::note(QStringLiteral("A connection to the hand-over socket was closed: ") +
                              why);
    });
}

QStringList SingleInstance::takeReceived()
{
    QStringList files;
    files.swap(received);
    return files;
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
    playerText.clear();
    QDir().mkpath(AppPaths::cacheFolder());
    QString unsafe;
    const QString path = HandOver::socketPath(serverName(), &unsafe);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const Outcome locked = lockProfile();
        if (locked == Outcome::Acquired)
            openHandOver(path, unsafe);
        if (locked != Outcome::HeldElsewhere)
            return locked;
        const bool files = !handOver.isEmpty();
        if (path.isEmpty())
            return notHandedOver(
                QStringLiteral("the hand-over socket's folder is unsafe: ") + unsafe,
                tr("The folder Zerun Installer hands over through can be reached by other users, "
                   "so nothing was handed over to the running installer."),
                files);
        switch (HandOver::deliver(path, handOver)) {
        case HandOver::Delivery::Delivered:
            return Outcome::HeldElsewhere;
        case HandOver::Delivery::OtherUser:
            return notHandedOver(QStringLiteral("a process of another user listens on ") + path,
                                 tr("A program of another user holds the name Zerun Installer "
                                    "hands over on, so nothing was handed over to it."),
                                 files);
        case HandOver::Delivery::NoAnswer:
            return notHandedOver(QStringLiteral("the running installer did not answer"),
                                 tr("Zerun Installer is running with this profile but did not "
                                    "answer in time, so nothing was handed over to it."),
                                 files);
        case HandOver::Delivery::NoListener:
            break;
        }
        if (clock.elapsed() > listenWaitMs)
            return notHandedOver(QStringLiteral("the running installer does not listen on ") + path,
                                 tr("Zerun Installer is running with this profile but did not "
                                    "answer in time, so nothing was handed over to it."),
                                 files);
        // The installer holding the lock may still be starting.
        QThread::msleep(100);
    }
}

void SingleInstance::openHandOver(const QString &path, const QString &unsafe)
{
    // Whether later starts can hand over, or what held the name: said in the log, and this
    // installer runs all the same.
    if (path.isEmpty()) {
        failureText = QStringLiteral("its folder is unsafe: ") + unsafe;
        return;
    }
    const qint64 holder = HandOver::listenerUser(path);
    if (server.listen(path, &failureText) && holder >= 0 && holder != HandOver::thisUser())
        // Nothing was written to it; the folder is this user's, and so is the name.
        failureText = QStringLiteral("a process of another user (%1) listened on %2; this "
                                     "installer listens there now")
                          .arg(holder)
                          .arg(path);
}

SingleInstance::Outcome SingleInstance::notHandedOver(const QString &why, const QString &player,
                                                      bool files)
{
    failureText = why;
    playerText = player;
    if (files)
        playerText += QStringLiteral("\n\n") +
                      tr("To install the archives, use Install from File in the running "
                         "installer.");
    return Outcome::NotHandedOver;
}

SingleInstance::Outcome SingleInstance::lockProfile()
{
    lock = std::make_unique<QLockFile>(lockPath());
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return Outcome::Acquired;
    const QLockFile::LockError error = lock->error();
    // A lock whose process is gone and that is still there could not be replaced.
    const bool stale = error == QLockFile::LockFailedError && holderIsGone(*lock);
    lock.reset();
    // Only a lock that exists and whose process lives means another installer; a folder that
    // cannot be written (read-only, full, not a folder) is no reason to hand over to nobody.
    if (error == QLockFile::LockFailedError && !stale)
        return Outcome::HeldElsewhere;
    const QFileInfo folder(AppPaths::cacheFolder());
    QString why = error == QLockFile::PermissionError || stale
                      ? QStringLiteral("no permission to write there")
                      : QStringLiteral("the file cannot be created");
    if (!folder.isDir())
        why = QStringLiteral("%1 is not a folder").arg(folder.filePath());
    else if (!folder.isWritable())
        why = QStringLiteral("%1 is read-only").arg(folder.filePath());
    failureText = (stale ? QStringLiteral("cannot replace the lock file %1 left by a run that "
                                          "ended: %2")
                         : QStringLiteral("cannot create the lock file %1: %2"))
                      .arg(lockPath(), why);
    return Outcome::Failed;
}
