#pragma once

#include <QDir>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class QIODevice;
class QuaZip;

// Keeps one unpack run inside its folder. Every operation that unpacks entries by their stored
// names asks it for the target of each entry, so hostile names are refused in one place:
// absolute names (/x, C:/x, C:x, \\server\x), ".." components (with either slash), ':' anywhere
// (drive letters, alternate streams) and anything whose folder resolves outside the root, also
// through links that already exist on disk. It also remembers the folders the run created, so a
// failed run can take back everything it put there.
class UnpackGuard
{
public:
    explicit UnpackGuard(const QString &folder);

    // The absolute target for an entry name, ending in "/" for a folder entry; empty when the
    // entry must not be written.
    QString targetFor(const QString &entryName);
    // Whether an entry name is safe to use as a relative path at all.
    static bool isSafeEntryName(const QString &entryName);

    // Files given in order, then the folders this guard saw created (deepest first, only when
    // empty). Stops at nothing: one stuck file does not keep the rest behind.
    void removeUnpacked(const QStringList &targets) const;

private:
    bool folderInside(const QString &folder);

    QString root;
    QString canonicalRoot;
    QSet<QString> checkedFolders;
    QStringList createdFolders;
};

// Static zip helpers. Archives that the framework writes are encrypted with one fixed password.
class TsCompression : public QObject
{
    Q_OBJECT

public:
    enum class Protection { Encrypted, Plain };

    // The fixed password of the framework's archives.
    static const char *password();

    // Unpacks one entry (the current one when entryName is empty) to target; a target ending
    // in "/" is a folder. Refuses link entries; fails on a size or checksum mismatch, leaving no
    // partial file behind.
    static bool unpackEntry(QuaZip *archive, QString entryName, QString target,
                            Protection protection = Protection::Encrypted);
    // Removes the paths in order with QFile::remove and stops at the first that fails.
    static bool deleteFiles(QStringList paths);
    // Writes an encrypted archive with one entry per file, named by its bare file name.
    static bool zipFiles(QString archivePath, QStringList files);
    static bool addFileEntry(QuaZip *archive, QString sourcePath, QString entryName,
                             Protection protection = Protection::Encrypted);

    // Unpacks the current entry of an open archive below the guard's folder, by its stored
    // name. The target is handed back (also when unpacking fails, empty when refused).
    static bool unpackCurrentEntry(QuaZip *archive, UnpackGuard &guard, Protection protection,
                                   QString *target);

    // Unpacks a whole archive (encrypted entries); the written paths, empty on any failure.
    static QStringList unpackArchive(QString archivePath, QString folder);
    static QStringList unpackArchive(QIODevice *device, QString folder);
    // Entry names in archive order; empty on any failure.
    static QStringList listEntries(QString archivePath);
    static QStringList listEntries(QIODevice *device);
    // Unpacks one named entry to target (empty: the entry name, below the current folder).
    // The absolute path written, or empty text.
    static QString unpackNamedEntry(QString archivePath, QString entryName,
                                    QString target = QString());
    static QString unpackNamedEntry(QIODevice *device, QString entryName,
                                    QString target = QString());
    // Unpacks the named entries below folder; the written paths, empty on any failure.
    static QStringList unpackNamedEntries(QString archivePath, QStringList entryNames,
                                          QString folder);
    static QStringList unpackNamedEntries(QIODevice *device, QStringList entryNames,
                                          QString folder);
    // Adds a folder tree: folders other than root become "relative/" entries; with recursive,
    // sub-folders come before the folder's files.
    static bool addFolderTree(QuaZip *archive, QString folder, QString root, bool recursive,
                              QDir::Filters filters, Protection protection = Protection::Encrypted);
    // Creates an encrypted archive holding one file under its bare name.
    static bool zipFile(QString archivePath, QString sourcePath);
    // Creates an encrypted archive of a folder tree, named relative to that folder.
    static bool zipFolder(QString archivePath, QString folder, bool recursive = true,
                          QDir::Filters filters = QDir::Filters());

private:
    static QStringList unpackArchive(QuaZip &archive, const QString &folder);
    static QStringList listEntries(QuaZip &archive);
    static QString unpackNamedEntry(QuaZip &archive, const QString &entryName,
                                    const QString &target);
    static QStringList unpackNamedEntries(QuaZip &archive, const QStringList &entryNames,
                                          const QString &folder);
    static bool createArchive(const QString &archivePath, QuaZip &archive);
};
