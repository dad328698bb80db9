#pragma once

#include <QObject>

#include <QHash>
#include <QString>
#include <atomic>
#include <functional>

class UnpackTransaction;

#include <quazip.h>

// Unpacks one archive into a folder, meant to run on a worker of the global thread pool:
//   QtConcurrent::run(unzip, &TsUnZip::unpackAll);
// Connect the signals before starting: a small archive can be done before a later connect.
// Every signal is emitted on the thread that runs the unpack, so receivers on the object's own
// thread get them queued, in order: status() and percent() once per entry in archive order, then
// status("Unzipped") and finished(), or error(...) once. A run ends with exactly one of
// finished() or error(...), or no signal at all when only the final close of the archive fails.
// The object unpacks once and must outlive its run.
//
// A run is all or nothing (see UnpackTransaction): entries are written into a hidden work folder
// inside the destination and moved into place only once every entry was read whole. After an
// error, or the silent close failure, the destination holds exactly what it held before: files
// the archive would have replaced keep their bytes, folders and files the run created are gone.
// The per-entry status texts therefore report entries read, not yet in place; finished() means
// everything is in place. With setJournal(), a run cut off by a kill is finished or undone by
// recover() at the next start.
//
// The entries are read in parallel: the run's thread plans them from the archive's directory,
// then unpacks chunks of them together with as many idle threads of the global pool as it finds
// (each with its own handle on the archive). The run's thread still emits every report, in
// archive order, as soon as an entry and all before it are done, gathered into bursts a few
// milliseconds apart. A failed entry stops the others; the entries before it are reported, the
// error names it, and the whole run is undone as above.
class TsUnZip : public QObject
{
    Q_OBJECT

public:
    explicit TsUnZip(QObject *parent = nullptr);

    void setZipFile(const QString &path);
    // Creates the folder and its missing parents.
    void setDestination(const QString &folder);
    void setEncrypted(const bool &value);

    // Keeps a journal of the run at that path, so recover() can finish or undo it after a kill.
    // A journal written beforehand with UnpackTransaction::prepareJournal() keeps the folders
    // it names this run's to remove when the run fails.
    void setJournal(const QString &path);
    static QString recover(const QString &journalPath);

    // For a caller that makes the unpack one step of a larger change (see UnpackTransaction):
    // entries renamed on the way in, a commit that holds its journal open, and a call on the
    // run's thread once every entry is staged, before anything is moved into place. The call
    // may set the run's payload; a non-empty text it returns fails the run with that detail.
    void setRenames(const QHash<QString, QString> &renames);
    void setHold(bool hold);
    void setBeforeCommit(std::function<QString(UnpackTransaction &)> call);

    // An archive of nothing but an end record: a zip without entries.
    static bool hasNoEntries(const QString &path);

    void unpackAll();
    void unpackTo(const QString &folder);

    // Asks a running unpack to stop before its next entry (or before moving files into place):
    // it ends with error("Couldn't extract file") and errorDetail() "cancelled", the destination
    // as it was. Safe from any thread; a run that has begun moving files into place finishes.
    void cancel();

    // Why the last run failed, in words (the entry and the cause); read it after error().
    QString errorDetail() const;

    // The causes errorDetail() names, for a caller that puts them in other words:
    // "the archive holds a link, which is not installed: <entry>" (links are never made);
    // "could not unpack <entry>: <cause>", the cause one of DiskRoom::text, or
    // "could not unpack <entry> (damaged or encrypted)" when the disk had room. A run whose
    // destination cannot be written at all fails with DiskRoom::text alone.
    static QString linkEntryText(const QString &entry);
    static QString entryFailureText(const QString &entry, const QString &cause);
    // entryFailureText() with the cause the disk of `folder` gives for `needed` more bytes.
    static QString entryFailure(const QString &folder, const QString &entry, qint64 needed);

signals:
    void status(QString state);
    void percent(int p);
    // The archive's bytes read so far of those its entries take, now and then while entries are
    // unpacked (within one large entry too); not at all for an archive unpacked entry by entry
    // through the zip library.
    void bytesRead(qint64 read, qint64 total);
    void error(QString err);
    void finished();

private:
    void unpack(const QString &folder, bool counted);
    static void givePagesBack();

    QString zipPath;
    QString destination;
    int entriesCount = 0;
    int extractedCount = 0;
    QuaZip archive;
    bool encrypted = true;
    QString journalPath;
    QString detail;
    QHash<QString, QString> renames;
    bool hold = false;
    std::function<QString(UnpackTransaction &)> beforeCommit;
    std::atomic<bool> cancelled{false};
};
