#pragma once

#include <QFile>
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <vector>

class UnpackGuard;

// Puts the entries of one unpack run into a destination folder all at once or not at all.
//
// While the archive is read, nothing in the destination changes but one hidden work folder
// inside it (".zerun-unpack-" and a random tail): every file entry is written there under its
// number, in one of a few folders, so that workers do not wait on each other's file creation.
// commit() then creates the folders through the destination's UnpackGuard (so links on disk
// cannot lead a move outside), moves the files that entries replace aside into the work folder
// (not deleted, until every entry is in place), and moves the files into place in archive order
// (of a name given twice, the last entry); only then does the work folder go.
//
// What a caller may rely on:
// - after a failure (of the unpack or of the commit) and rollback(), every file the run replaced
//   has its old bytes back, every file and folder the run created is gone, and files the run
//   never named were never touched;
// - after commit() returned true, every entry is in place and nothing of the run is left over;
// - with a journal path, the run writes a small JSON journal (saveJournal(), which syncs it
//   to disk) before each phase, so a run cut off by a kill or a power loss is finished or undone
//   by recover(): a run still unpacking is undone (the destination never saw it), a run that was
//   moving files into place is finished, a run that was undoing is undone;
// - with a journal, each step is on disk before the next one relies on it, also after a power
//   cut (see FolderSync): the journal's name after every write; the staged files before the
//   journal says "committing"; the folders the commit makes before anything goes into them, the
//   files it replaces set aside before any entry takes a place, every move before the journal
//   says "committed" (or goes); the work folder gone before the journal goes. An undo puts every
//   entry back into the work folder before the files set aside come back.
//
// One object per run, used on one thread at a time; the destructor rolls back a run that was
// begun and neither committed nor rolled back.
class UnpackTransaction
{
public:
    explicit UnpackTransaction(const QString &destination, const QString &journalPath = QString());
    ~UnpackTransaction();
    UnpackTransaction(const UnpackTransaction &) = delete;
    UnpackTransaction &operator=(const UnpackTransaction &) = delete;

    // For callers that create folders for a run before it begins (an installer's new package
    // folder): writes the journal first, so a kill between the folders and the run still has
    // them removed (when empty) by recover(). begin() keeps the folders named here and removes
    // them, when empty, if the run fails.
    static bool prepareJournal(const QString &journalPath, const QString &destination,
                               const QStringList &createdFolders);

    // The folders that creating `folder` with all its parents adds, outermost first.
    static QStringList missingFolders(const QString &folder);

    // Creates the work folder (after writing the journal). False when it cannot be created.
    bool begin();

    // Registers a file entry by its stored name; its bytes go to stagedPath(number). -1 when the
    // name must not be written (absolute, climbing, or naming the work folder).
    // Names are placed as a Windows file system (the game's, under Wine) takes them: each part of
    // a path that differs only in case from one named before takes the earlier spelling, so
    // "data.txt" after "Data.txt" is the same file, and the later entry replaces the earlier.
    int addFile(const QString &entryName);
    // The files that more than one entry named in different spellings, as placed (the first
    // spelling), each once, in the order the second spelling came.
    QStringList caseFoldedFiles() const { return caseFolded; }
    QString stagedPath(int number) const;
    // Where a held run's journal says the file that entry `number` replaced is set aside.
    static QString backupPathIn(const QJsonObject &journal, int number);
    // Whether the run syncs its staged files before the commit (it keeps a journal).
    bool isDurable() const { return !journal.isEmpty(); }
    // What the unpack found out about a staged file while writing it: its size and SHA-256
    // (lower-case hex), so the file need not be read again. Each number gets its own slot when
    // addFile() hands it out, so several threads may set and read distinct numbers at once, as
    // long as no addFile() runs meanwhile. Unknown numbers are ignored; a number never set
    // reads as an empty hash and size -1.
    void setStagedHash(int number, qint64 size, const QByteArray &sha256Hex);
    QByteArray stagedHash(int number) const;
    qint64 stagedSize(int number) const;
    // Registers a folder entry; the stored permissions are applied when it is created (never to
    // the destination itself, which "./" names). False when the name must not be written.
    bool addFolder(const QString &entryName, QFile::Permissions permissions);

    // Entries whose cleaned name is a key of `renames` are written under the value instead (a
    // package's new version of a file the player changed, set beside it). Set before addFile().
    void setRenames(const QHash<QString, QString> &renames);

    // With hold, a successful commit stops short of the end: every entry is in place, but the
    // files it replaced stay set aside in the work folder and the journal stays, in the phase
    // "committed", so that the caller can finish what belongs to the same change (moving set-
    // aside files elsewhere, writing its records) and then call release(). A run cut off by a
    // kill after that point is left to the caller's recovery by recover(), which only finishes
    // the moves.
    void setHold(bool hold);
    // Caller's data written into every journal of the run, for the caller's own recovery.
    void setPayload(const QJsonObject &payload);
    // The folder that must be there for a recovery to touch anything: by default the nearest
    // existing folder above the destination when the run began. A drive that is not mounted or a
    // renamed game folder then makes recovery wait instead of recreating the path.
    void setAnchor(const QString &folder);

    // The staged file entries so far: (cleaned name as placed, number).
    QVector<QPair<QString, int>> stagedFiles() const;
    // Where the file an entry replaced is set aside until the run is released.
    QString backupPath(int number) const;

    // Moves every entry into place. On failure everything is undone and false is returned.
    bool commit();
    // Undoes a begun run. Safe to call more than once.
    void rollback();

    // The absolute targets of the entries, in archive order (folders end in "/"); valid after a
    // successful commit.
    QStringList targets() const;
    // Why the last step failed, in words for a log or a detail line.
    QString errorString() const;

    enum class Recovery {
        Finished, // every entry in place, journal removed
        Undone,   // the destination as before, journal removed
        Held,     // every entry in place; the journal is the caller's to finish (see setHold)
        Waiting,  // the anchor folder is not there: nothing touched, journal kept
        Damaged,  // unreadable: the journal is kept aside with the work folder, nothing touched
        Missing,  // no journal at that path
    };
    // What a folder is on its disk, whatever its path: its device and inode (volume serial and
    // file index on Windows), as text; empty when it is not there.
    static QJsonObject folderIdentity(const QString &path);
    // Whether the run a journal describes has to wait before recovery may touch anything: the
    // folder that must be there is not, or the destination or the work folder the journal names
    // by identity is not the one at its path now (a renamed folder, a new one of the same name).
    // `why` names the folder it waits for.
    static bool mustWait(const QJsonObject &journal, QString *why = nullptr);

    // Finishes or undoes the run that the journal describes. `what` tells what was done, for the
    // log.
    static Recovery recoverRun(const QString &journalPath, QString *what = nullptr);
    // The same, returning only `what`.
    static QString recover(const QString &journalPath);
    // Reads a journal; an empty object when it cannot be read.
    static QJsonObject readJournal(const QString &journalPath);
    // Ends a held run: removes its work folder (with what it set aside) and the journal.
    static bool release(const QString &journalPath);
    // Where a damaged journal is kept aside.
    static QString damagedPath(const QString &journalPath);
    // Writes a journal whole: into a temporary file beside it, synced, then renamed over it, so
    // a reader finds the old journal or the new one. False when any of that failed.
    static bool saveJournal(const QString &journalPath, const QByteArray &bytes);
    // Runs between the temporary file's write and its rename, on the writing thread; the kill
    // test holds journal writes open with it. None by default.
    static void setJournalWriteHook(std::function<void(const QString &journalPath)> hook);

    // Prefix of the work folder's name; such names are never unpacked from an archive.
    static QString workPrefix();
    // Prefix of every name the installer keeps at the top of a destination (".zerun-"): no
    // archive entry's first component starts with it.
    static QString reservedPrefix();

    // The permissions an unpacked file or folder gets from those stored in the archive: the
    // owner's bits as stored, always with read and write (and enter for folders); group and
    // others at most what the archive and the process umask allow, never write for others; never
    // set-id or sticky bits (QFile::Permissions cannot carry them).
    static QFile::Permissions permissionsFor(QFile::Permissions stored, bool folder);
    // The process umask (0 where there is none), read once.
    static int creationMask();

private:
    struct Entry
    {
        QString name;    // cleaned relative path, without a trailing "/"
        int number = -1; // -1 for a folder
        QFile::Permissions permissions;
    };
    enum class Phase { Idle, Unpacking, Committing, Undoing, Committed, Done };

    QString relativeName(const QString &entryName) const;
    // The folders below the destination that moving the entries into place will create.
    QStringList foldersToCreate() const;
    // A staged file's name inside the work folder.
    QString stagedName(int number) const;
    static QString stagedNameIn(int stagedFolders, int number);
    bool writeJournal(Phase phase) const;
    void removeJournal() const;
    // Creates the folders of every entry and lists each entry's target.
    bool makeTargetFolders(UnpackGuard &guard, QStringList *targets);
    // The file entries that are moved into place: the last of each name.
    QVector<bool> movedEntries() const;
    // Sets aside the files that the moved entries replace.
    bool setAside(UnpackGuard &guard, const QStringList &targetOf, const QVector<bool> &moved);
    bool moveIntoPlace(UnpackGuard &guard);
    void undoMoves();
    // Says in the journal that every move is undone.
    void markUndone();
    // Puts back what a failed commit moved, and ends the run.
    void undoCommit();
    void removeWork();

    QString root;
    QString journal;
    QString work;
    // Folders the staged files are spread over; 0: the work folder itself.
    int stagedFolders = 0;
    QStringList createdFolders;
    QVector<Entry> entries;
    struct StagedHash
    {
        qint64 size = -1;
        QByteArray sha256;
    };
    std::vector<StagedHash> stagedHashes; // by file number
    QStringList placed;
    Phase phase = Phase::Idle;
    int fileCount = 0;
    bool resumeChecksOff = false;
    bool hold = false;
    QHash<QString, QString> renames;
    QJsonObject payload;
    QString anchor;
    QString error;
    // Each path (and leading part of one) registered so far, case-folded, with the spelling it
    // was first given; and whether a file entry has it.
    struct Spelling
    {
        QString placed;
        QString fileNamed; // as the first file entry of the path named it; null for none
    };
    QString placedSpelling(const QString &relative, bool file);
    QHash<QString, Spelling> spellings;
    QStringList caseFolded;
};
