#pragma once

#include "installedpackages.h"
#include "tsunzip.h"
#include "unpacktransaction.h"
#include "wording.h"

#include <QFutureWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <future>

// Installs (or updates) one package as one change, from the folder answer to the saved record:
// the archive is staged and committed by a held unpack (see UnpackTransaction::setHold), then
// the files the previous version had and this one lacks are removed, the player's replaced
// files are set aside, and the record is written; only then does the journal go. A kill or a
// power cut at any moment leaves, after recover() at the next start, either the old files with
// the old record or the new files with the new record: every change of a name in the game
// folder is on disk before the record says so, and the record before the journal goes.
//
// Every file the archive would replace has an owner:
// - the package: its record names the file, with the bytes the disk still has; replaced;
// - the player, by an edit: its record names the file, and the bytes changed since (or the file
//   is the player's version kept beside an earlier "<file>.zerun-new"). Before the run the
//   caller learns them from prepare() and chooses: keep the player's (the package's version goes
//   beside it as "<file>.zerun-new", which the record names), or take the package's (the
//   player's is kept as "<file>.zerun-mine", which the record does not name);
// - the folder itself (the game's files, or the player's from before the install): no record of
//   this package names the file. Kept aside without a question, in the journalled step, below
//   originalsFolder() of the package folder, and named in the record; an update that no longer
//   places the file puts it back, and so does the uninstall (PackageRemoval).
//
// The window asks the questions and shows progress (connect to unzip()'s status and percent
// before start()); the step owns journal, commit and record. One object per package, on the
// GUI thread; the unpack runs on the global pool.
class PackageInstall : public QObject
{
    Q_OBJECT

public:
    enum class Edits { KeepMine, TakePackage };

    struct Plan
    {
        QStringList entryNames;
        qint64 unpackedSize = -1;
        // Player's edits of this package's files that the archive would replace, relative to
        // the package folder.
        QStringList edits;
        // Files no record of this package names that the archive would replace: kept aside.
        QStringList originals;
    };

    // What became of things, for the outcome line and the log.
    struct Outcome
    {
        QStringList besideMine;    // "<file>.zerun-new" written beside the player's file
        QStringList keptAsMine;    // "<file>.zerun-mine": the player's file, set aside
        QStringList keptChanged;   // old version's files the player changed: kept, unrecorded
        QStringList keptOriginals; // the folder's own files, kept aside until the uninstall
        QStringList putBack;       // kept originals an update no longer replaces, back in place
        QStringList notRemoved;    // old version's files that could not be removed, and why
        // Files the archive names in several spellings of case, which the game cannot tell
        // apart: installed once, with the bytes of the last entry.
        QStringList caseFolded;
        QString recordError;       // the record could not be written (retried at next start)
        // One line, empty when there is nothing to tell.
        QString summary(Wording wording = Wording::Log) const;
    };

    PackageInstall(InstalledPackages &records, const QString &gameFolder,
                   QObject *parent = nullptr);
    ~PackageInstall() override;

    // `package`: name, kind, url, validator, fromDisk (and the archive's size and hash when
    // known; they are worked out otherwise). `target`: the package folder. `journal`: the
    // journal prepared for the folders the caller created (UnpackTransaction::prepareJournal),
    // or a fresh path.
    void setPackage(const InstalledPackage &package, const QString &archive, const QString &target,
                    const QString &journal);

    // Reads the archive's directory and finds the player's files it would replace. False, with
    // a reason, when the archive cannot be read.
    bool prepare(Plan *plan, QString *why);
    void setEditChoice(Edits choice);

    // Starts the run; finished() or failed() follows exactly once. An update whose previous
    // rows do not pass InstalledPackages::checkPackage(), or any change while the records are
    // in use by another program, fails without touching anything.
    void start();
    void cancel();
    bool isRunning() const;
    // Blocks until the worker's part is over (for a window being destroyed).
    void waitForWorker();

    TsUnZip &unzip() { return extractor; }
    const Outcome &outcome() const { return result; }
    QString archive() const { return archivePath; }
    QString target() const { return targetFolder; }
    // When the run failed: whether the player cancelled it.
    bool wasCancelled() const { return cancelled; }

    // Ends a change a kill cut off; the journal may be an unpack journal of this step or of a
    // plain unpack. `what` tells what was done, for the log.
    static UnpackTransaction::Recovery recover(const QString &journal, InstalledPackages &records,
                                               QString *what);

    // "<file>.zerun-new" and "<file>.zerun-mine".
    static QString newSuffix();
    static QString mineSuffix();
    // The folder, inside a package folder, that keeps the files an install replaced and no
    // record named: ".zerun-originals".
    static QString originalsFolder();

signals:
    void finished();
    void failed(const QString &error, const QString &detail);

private:
    QString stageDone(UnpackTransaction &run);
    void unpacked();
    void runFailed(const QString &error);
    // Ends a held change from its journal: the player's files aside, the previous version's
    // files out, the record written, the journal released.
    static Outcome finishHeld(const QString &journal, InstalledPackages &records, bool *done);

    InstalledPackages &records;
    QString game;
    InstalledPackage package;
    QString archivePath;
    QString targetFolder;
    QString journalPath;
    Plan plan;
    Edits choice = Edits::KeepMine;
    // The run's files named in several spellings of case; set on the worker before finished().
    QStringList caseFolded;
    // Why the records cannot be trusted for this change (start() then fails at once).
    QString recordsRefusal;
    // Previous record of the same package in the same folder, and its files.
    bool hasPrevious = false;
    InstalledPackage previous;
    QVector<InstalledFile> previousFiles;
    QSet<QString> previousPaths; // cleaned

    TsUnZip extractor;
    // The archive's SHA-256, worked out beside the unpack when the download did not bring it.
    std::future<QByteArray> archiveHash;
    QFutureWatcher<void> watcher;
    std::atomic<bool> unpackedWhole{false};
    bool ended = false;
    bool cancelled = false;
    Outcome result;
};
