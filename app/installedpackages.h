#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

class QSqlError;

// One file a package put into the game folder, relative to the package's folder.
struct InstalledFile
{
    QString path;
    qint64 size = 0;
    QByteArray sha256; // hex

    bool operator==(const InstalledFile &other) const
    {
        return path == other.path && size == other.size && sha256 == other.sha256;
    }
    bool operator!=(const InstalledFile &other) const { return !(*this == other); }
};

// A file that was in a package's folder before the package's first install (the game's or the
// player's). Both paths are relative to the package's folder: `path` where it was, `keptAs` where
// it waits until the package is uninstalled when the package replaced it, empty when the package
// left it in place.
struct KeptOriginal
{
    QString path;
    QString keptAs;

    bool operator==(const KeptOriginal &other) const
    {
        return path == other.path && keptAs == other.keptAs;
    }
};

// What the installer knows of one package it installed.
struct InstalledPackage
{
    QString name;   // catalogue name (the archive's name for a package installed from disk)
    QString kind;   // "mods", "pics", "skin"
    QString folder; // relative to the game folder, e.g. "Skins/MySkin"
    QString url;    // empty for a package installed from disk
    qint64 archiveSize = 0;
    QByteArray archiveSha256; // hex
    QString validator;        // the host's ETag, else Last-Modified; empty when it sent neither
    QDateTime installed;
    bool fromDisk = false;
    // The folders the install created, relative to the game folder, outermost first. Records
    // written before this was kept have `createdFoldersKnown` false.
    QStringList createdFolders;
    bool createdFoldersKnown = false;
    // Filled by InstalledPackages::files(), or by the caller before put(); find() and all()
    // leave it empty.
    QVector<InstalledFile> files;
    // The folder's own files the package replaced, kept aside; find() and all() carry them, and
    // put() writes them with the record.
    QVector<KeptOriginal> originals;
};

// The records of installed packages, kept in the profile's Cache folder (never in the game
// folder). A package is known by its name and kind. Every change is written at once and whole:
// a put() or remove() either happened or did not. A damaged entry costs that entry only.
//
// The records live in an SQLite database (write-ahead log, full sync): the package rows are
// read by load(), a package's file rows only when asked for. Several objects, in this process
// or others, may use one database; a writer waits for another up to the busy timeout. A
// database that another program keeps locked past that timeout is in use, not damaged: it is
// left as it is, inUse() says so, and the next call that needs it tries again.
//
// A database is checked when it is opened (SQLite's quick check) and a package's rows before
// they are acted on (checkPackage()). A damaged database is replaced: the package records whose
// file rows all still read are copied into a new one, then the damaged file is kept aside as
// "<name>.damaged-<date>" and the notice names what was left out. A file that cannot be opened
// as these records at all (not a database, cut off, another layout) is kept aside whole. A record
// document of the former format found beside the database is imported once, then kept with the
// suffix ".imported".
//
// All calls on the thread that made the object.
class InstalledPackages
{
public:
    explicit InstalledPackages(const QString &path = defaultPath());
    ~InstalledPackages();
    InstalledPackages(const InstalledPackages &) = delete;
    InstalledPackages &operator=(const InstalledPackages &) = delete;

    // The database, `<Cache>/installed_packages.db`.
    static QString defaultPath();
    // The record document of the former format beside a database, for the default database
    // `<Cache>/installed_packages.json`.
    static QString legacyPath(const QString &databasePath = defaultPath());

    // How long a write waits for another writer of the same database, and opening waits for a
    // lock another program holds (5 s unless set).
    void setBusyTimeout(int milliseconds);

    // Points the object at another database (the records of another game folder): what it had
    // read is dropped, and load() reads the new one.
    void setPath(const QString &databasePath);
    QString filePath() const { return path; }

    // Reads the package records (without their files). False when the records could not be
    // read at all; `notice` then (or when entries were left out) tells the player what happened
    // and where the unreadable records were kept. A missing store is not a failure.
    bool load(QString *notice = nullptr);

    // Whether the last attempt to open or read the database met a lock that another program
    // held past the busy timeout. Nothing is known of the records then.
    bool inUse() const { return lockedOut; }
    // What the last load() did with a damaged database, in the player's words; empty when it
    // replaced none.
    const QString &replacementWords() const { return replaced; }

    // The record of that name and kind, without its files; null when unknown.
    const InstalledPackage *find(const QString &name, const QString &kind) const;
    const QVector<InstalledPackage> &all() const { return packages; }
    // The recorded files of a package; none when they cannot all be read (`failure` says why).
    QVector<InstalledFile> files(const QString &name, const QString &kind,
                                 QString *failure = nullptr) const;

    // What a check of a package's rows found.
    enum class Check { Sound, InUse, Damaged };
    // Checks the package's rows before anything is removed or replaced on their word: SQLite's
    // quick check of the whole database, the package's record, and its file rows read through
    // their index and counted in their table. `files` gets the files when Sound; `why` says in
    // words for the log what was found otherwise. Records in use at the last load are asked
    // for again (waiting up to the busy timeout).
    Check checkPackage(const QString &name, const QString &kind, QVector<InstalledFile> *files,
                       QString *why);
    // checkPackage()'s `why` in the player's words.
    static QString checkWords(const QString &why);

    // Adds the record with its files, or replaces the one of the same name and kind; written
    // before it returns. False (and nothing changed) when it could not be written.
    bool put(const InstalledPackage &package);
    bool remove(const QString &name, const QString &kind);

    // Whether a record other than (name, kind) names the file at `gamePath` (relative to the
    // game folder) with the bytes `sha256`.
    bool ownedByOther(const QString &gamePath, const QByteArray &sha256, const QString &name,
                      const QString &kind) const;

    // Why the last call failed, in words for the log.
    QString errorString() const { return error; }

    // Recorded files as journals carry them: [{path, size, sha256}].
    static QJsonArray filesToJson(const QVector<InstalledFile> &files);
    static QVector<InstalledFile> filesFromJson(const QJsonArray &list);
    // Kept originals as journals carry them: [{path, keptAs}]; entries that would lie outside the
    // package folder are left out.
    static QJsonArray originalsToJson(const QVector<KeptOriginal> &originals);
    static QVector<KeptOriginal> originalsFromJson(const QJsonArray &list);
    // A whole record (files and originals included) as journals and manifests carry it.
    static QJsonObject recordToJson(const InstalledPackage &package);
    static InstalledPackage recordFromJson(const QJsonObject &object);

    // A value the database keeps about itself (the game folder it describes); empty when unset
    // or unreadable.
    QString metaValue(const QString &key);
    bool setMetaValue(const QString &key, const QString &value);

    // The SHA-256 of a file's bytes, in hex; empty when it cannot be read.
    static QByteArray sha256Of(const QString &path);
    // The files below `folder` named by `relativePaths`, with their sizes and hashes; names that
    // are not files (folders, missing) are left out.
    static QVector<InstalledFile> describe(const QString &folder, const QStringList &relativePaths);

private:
    // A record's own fields and the folders it created (those that stay inside), without its
    // files and kept originals.
    static InstalledPackage recordFieldsFromJson(const QJsonObject &object);
    bool open(QString *notice);
    bool openDatabase(QString *why);
    bool checkSchema(QString *why, bool *fresh);
    bool createLayout(QString *why);
    bool migrateLayout(int from, QString *why);
    bool readOriginals(const QHash<qint64, int> &rows, QString *why);
    void close();
    QString sqlWhy(const QSqlError &error);
    QString keepAside(const QString &file);
    // Empty when SQLite's quick check finds nothing wrong, else what it found.
    QString quickCheck();
    // Every package record whose file rows still all read, from a damaged database.
    void readWhatStillReads(QVector<InstalledPackage> *whole, QStringList *lost, bool *allRead);
    // Copies what still reads into a new database, the damaged one kept aside first; `told`
    // says what was done. False when no new database could be started.
    bool replaceDamaged(const QString &why, QString *told);
    bool importLegacy(QString *notice);
    bool readPackages(QString *why);
    bool writePackage(const InstalledPackage &package);
    bool fail(const QString &what, const QString &detail);

    QString path;
    QString connectionName;
    int busyTimeout = 5000;
    bool opened = false;
    bool busy = false; // the last failed statement met another connection's lock
    bool lockedOut = false;
    QVector<InstalledPackage> packages;
    QString error;
    QString replaced;
};
