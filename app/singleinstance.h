#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

// One installer at a time per profile. The first start holds a lock file in the profile's Cache
// folder for its whole run (a lock left by a killed run is taken over, since its process is
// gone) and listens on a local socket; a second start finds the lock, asks the first, through
// the socket, to bring its window forward and to take the archives it was opened with, and ends
// without touching anything the first one owns (journals, work folders, archives).
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(QObject *parent = nullptr);
    ~SingleInstance() override;

    enum class Outcome {
        Acquired,      // this process holds the lock for its whole run
        HeldElsewhere, // another installer holds it and has been asked to come forward
        Failed         // the lock file cannot be made at all; failure() says why
    };
    // `handOver`: archives to give to the installer that holds the lock, if another one does.
    Outcome acquire(const QStringList &handOver = {});
    // Why the lock could not be taken, in English for the log; empty unless acquire() failed.
    QString failure() const { return failureText; }

    static QString lockPath();
    // The local socket's name, one per profile.
    static QString serverName();

signals:
    // A second start asked for this installer's window.
    void raiseRequested();
    // A second start handed over the archives it was opened with (absolute paths).
    void filesReceived(const QStringList &files);

private:
    std::unique_ptr<QLockFile> lock;
    QLocalServer server;
    QString failureText;
};
