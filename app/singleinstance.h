#pragma once

#include "handover.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// One installer at a time per profile. The first start holds a lock file in the profile's Cache
// folder for its whole run (a lock left by a killed run is taken over, since its process is
// gone) and listens on a private local socket; a second start finds the lock, waits a few
// seconds at most for the first to listen, asks it to bring its window forward and to take the
// archives it was opened with, and ends without touching anything the first one owns (journals,
// work folders, archives).
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(QObject *parent = nullptr);

    enum class Outcome {
        Acquired,      // this process holds the lock for its whole run
        HeldElsewhere, // another installer holds it and answered that it took every file
        NotHandedOver, // another installer holds it but did not take the files; failure() says why
        Failed         // the lock file cannot be made or replaced; failure() says why
    };
    // `handOver`: archives to give to the installer that holds the lock, if another one does.
    Outcome acquire(const QStringList &handOver = {});
    // Why the lock could not be taken or the files not handed over, or (after Acquired) what
    // went wrong with the hand-over socket; in English for the log.
    QString failure() const { return failureText; }
    // After NotHandedOver: what the player is told.
    QString playerFailure() const { return playerText; }

    // Archives handed over by later starts and not taken yet (absolute paths, in arrival order).
    QStringList takeReceived();

    static QString lockPath();
    // The local socket's name, one per profile.
    static QString serverName();

signals:
    // A second start asked for this installer's window.
    void raiseRequested();
    // A second start handed over archives: takeReceived() gives them.
    void filesReceived();

private:
    Outcome lockProfile();
    // Listens on `path` (empty when its folder is `unsafe`) for later starts.
    void openHandOver(const QString &path, const QString &unsafe);
    // `files`: whether there were archives to hand over.
    Outcome notHandedOver(const QString &why, const QString &player, bool files);

    std::unique_ptr<QLockFile> lock;
    HandOverServer server;
    QStringList received;
    QString failureText;
    QString playerText;
};
