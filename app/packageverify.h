#pragma once

#include "installedpackages.h"
#include "wording.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

// Checks installed packages against their records: every recorded file is whole (its bytes
// are the recorded ones), changed (other bytes, or a folder now stands where the file was) or
// missing; files in a package's folder that no record of it names are the player's own. The
// files are hashed on the global thread pool, all cores at once. Reads only: nothing in the
// game folder is written.
//
// One run at a time per object, on the GUI thread; progress() follows the files hashed, and
// finished() comes once, after the last file or after cancel().
class PackageVerify : public QObject
{
    Q_OBJECT

public:
    struct Result
    {
        QString name;
        QString kind;
        QString folder;   // relative to the game folder
        int recorded = 0; // files the record names
        QStringList missing;
        QStringList changed;
        QStringList added; // the player's own files, relative to the package folder
        bool whole() const { return missing.isEmpty() && changed.isEmpty(); }
        // "All 1,503 files as installed", or "2 missing, 1 changed".
        QString summary(Wording wording = Wording::Log) const;
        // The summary under the package's name, then the files by what became of them.
        QString describe(Wording wording = Wording::Log) const;
    };

    explicit PackageVerify(const QString &gameFolder, QObject *parent = nullptr);
    ~PackageVerify() override;

    // `packages` with their files (InstalledPackages::files()).
    void start(const QVector<InstalledPackage> &packages);
    void cancel();
    bool isRunning() const;
    bool wasCancelled() const { return cancelled; }
    // Blocks until the run is over; results() is then complete (or, cancelled, partial).
    void waitForFinished();

    const QVector<Result> &results() const { return done; }
    // Every result described, one after the other.
    QString report(Wording wording = Wording::Log) const;

    // The same check on the caller's thread, for one package.
    static Result check(const QString &gameFolder, const InstalledPackage &package);

signals:
    void progress(int filesChecked, int filesTotal);
    void finished();

public:
    enum class State { Whole, Changed, Missing };

private:
    struct Job
    {
        int package;
        int file;
        QString path; // absolute
        qint64 size;
        QByteArray sha256;
    };
    static State checkFile(const Job &job);
    static QStringList filesBelow(const QString &folder);
    void collect();

    QString game;
    QVector<InstalledPackage> checked;
    QVector<Job> jobs;
    QFutureWatcher<State> watcher;
    QVector<Result> done;
    bool cancelled = false;
    bool running = false;
};
