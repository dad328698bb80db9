#pragma once

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QObject>
#include <QString>
#include <QStringList>

#include <quazip.h>
#include <quazipfileinfo.h>

#include <atomic>
#include <functional>
#include <memory>

class ArchiveFile;
class ArchiveReader;
class QTextCodec;
class UnpackTransaction;

// One entry of an archive as its central directory describes it, with what an unpack run made
// of it: enough to unpack it later from any open handle on the same archive.
struct ArchiveEntry
{
    QuaZipFileInfo64 info; // without time stamp and comment
    QString name;          // as the archive means it (TsCompression::entryName)
    quint64 directoryOffset = 0;
    quint64 index = 0;
    int number = -1;    // the run's file number; -1 for a folder entry
    QString stagedPath; // where a file entry's bytes go
    // The run is made durable before its commit: the file's bytes are handed to the disk as
    // soon as it is closed, so the one sync before the commit finds little left to write.
    bool writeOut = false;
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
    // partial file behind. A file already at target is replaced only when the new one is whole.
    static bool unpackEntry(QuaZip *archive, QString entryName, QString target,
                            Protection protection = Protection::Encrypted);
    // Removes the paths in order with QFile::remove and stops at the first that fails.
    static bool deleteFiles(QStringList paths);
    // Writes an encrypted archive with one entry per file, named by its bare file name.
    static bool zipFiles(QString archivePath, QStringList files);
    static bool addFileEntry(QuaZip *archive, QString sourcePath, QString entryName,
                             Protection protection = Protection::Encrypted);

    // The name of the current entry as the archive means it: UTF-8 when the entry says so (flag
    // bit 11) or carries a valid Unicode Path extra field; otherwise UTF-8 when the bytes are
    // valid UTF-8 (what tools on Unix-like systems write without saying so), else code page 437
    // (what most Windows tools write). The archive must have been opened after
    // prepareNames(), which makes the raw name bytes reachable.
    static QString entryName(const QuaZipFileInfo64 &info);
    static void prepareNames(QuaZip &archive);
    // Makes the entry of that (decoded) name the current one.
    static bool goToEntry(QuaZip *archive, const QString &name);

    // Stages the current entry of an open archive into a begun run, by its stored name; hands
    // back the decoded name. A file entry's size and SHA-256 are left with the run
    // (UnpackTransaction::setStagedHash).
    static bool stageCurrentEntry(QuaZip *archive, UnpackTransaction &run, Protection protection,
                                  QString *name = nullptr);
    // The first half of stageCurrentEntry: reads the current entry's record and registers it
    // with the run (a file entry gets its number and staged path). The name is filled in also
    // when the entry is refused.
    static bool planCurrentEntry(QuaZip *archive, UnpackTransaction &run, Protection protection,
                                 ArchiveEntry *entry);
    // The same on a reader's current entry; names without the UTF-8 flag are taken byte for
    // byte, as after prepareNames().
    static bool planCurrentEntry(ArchiveReader &reader, UnpackTransaction &run,
                                 Protection protection, ArchiveEntry *entry);
    // The second half: writes a planned file entry's bytes to its staged path, from any handle
    // on the same archive opened for unzipping (it is made the current entry). Plain stored or
    // deflated entries are read straight from an ArchiveFile device; `cancelled` is asked now
    // and then during long entries, and true stops the entry as a failure. With `sha256`, the
    // SHA-256 of the bytes written (lower-case hex) goes there on success, computed as they are
    // written, on the calling thread.
    static bool unpackPlanned(QuaZip *archive, const ArchiveEntry &entry, Protection protection,
                              const std::function<bool()> &cancelled = {},
                              QByteArray *sha256 = nullptr);
    // `read`, when given, counts the archive's bytes as they are read (of plain entries), so that
    // another thread can follow an entry of many gigabytes.
    static bool unpackPlanned(ArchiveReader &reader, const ArchiveEntry &entry,
                              Protection protection, const std::function<bool()> &cancelled = {},
                              QByteArray *sha256 = nullptr, std::atomic<qint64> *read = nullptr);
    // The zip format's CRC-32 of the bytes, continuing from crc (0 to begin); with carry-less
    // multiplication where the processor has it.
    static quint32 crc32(quint32 crc, const char *data, qint64 size);

    // The current entry's record, read once (QuaZip::getCurrentFileInfo reads it twice and
    // also converts its time stamp); without time stamp and comment.
    static bool currentInfo(QuaZip *archive, QuaZipFileInfo64 *info);
    static bool currentInfo(unzFile handle, QTextCodec *codec, QuaZipFileInfo64 *info);

    // A read-only device on an archive file for a QuaZip that reads it, which also finds an
    // archive behind a prefix that its offsets do not count (a self-extracting stub).
    static std::unique_ptr<QIODevice> archiveDevice(const QString &archivePath);

    // Unpacks a whole archive (encrypted entries); the written paths, empty on any failure.
    static QStringList unpackArchive(QString archivePath, QString folder);
    static QStringList unpackArchive(QIODevice *device, QString folder);
    // The sum of the entries' unpacked sizes as the archive declares them; -1 when it cannot be
    // read.
    static qint64 uncompressedSize(const QString &archivePath);
    // Entry names in archive order; empty on any failure.
    static QStringList listEntries(QString archivePath);
    static QStringList listEntries(QIODevice *device);
    // Both in one walk of the archive's directory: the names, and the sum of the unpacked sizes
    // in `uncompressedSize` (-1 when the directory cannot be read).
    static QStringList listEntries(const QString &archivePath, qint64 *uncompressedSize);
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
    static bool planEntry(unzFile handle, QTextCodec *codec, UnpackTransaction &run,
                          Protection protection, ArchiveEntry *entry);
    static bool goToPlanned(unzFile handle, const ArchiveEntry &entry);
    static bool unpackPlainData(unzFile handle, ArchiveFile *device, const QuaZipFileInfo64 &info,
                                const QString &target, const std::function<bool()> &cancelled,
                                QByteArray *sha256, bool writeOut,
                                std::atomic<qint64> *read = nullptr);
    // Through the zip library in reads of at most 4096 bytes, for entries that are not plain.
    static bool unpackThroughLibrary(unzFile handle, const QuaZipFileInfo64 &info,
                                     const QString &target, Protection protection,
                                     QByteArray *sha256, bool writeOut);
    static bool unpackCurrent(QuaZip *archive, const QuaZipFileInfo64 &info, const QString &target,
                              Protection protection, bool folderReady,
                              QByteArray *sha256 = nullptr);
    // Unpacks the current entry to a path of the caller's choice, replacing a file there only
    // once the new bytes are complete.
    static bool unpackToPath(QuaZip *archive, const QuaZipFileInfo64 &info, const QString &target,
                             Protection protection);
    static QStringList unpackArchive(QuaZip &archive, const QString &folder);
    static QStringList listEntries(QuaZip &archive, qint64 *uncompressedSize = nullptr);
    static QString unpackNamedEntry(QuaZip &archive, const QString &entryName,
                                    const QString &target);
    static QStringList unpackNamedEntries(QuaZip &archive, const QStringList &entryNames,
                                          const QString &folder);
    static bool createArchive(const QString &archivePath, QuaZip &archive);
};
