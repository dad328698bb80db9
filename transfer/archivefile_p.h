#pragma once

// Private to transfer/: the archive reading under the unpack operations.

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

#include <unzip.h>

// Read-only view of an archive file for the zip library, which seeks before nearly every read
// and reads headers a few bytes at a time, jumping between the central directory and the entry
// data. A buffered QFile throws its buffer away on every seek; here a few cached windows of the
// file serve those reads, and large reads go straight to the file.
//
// A file may hold the archive behind a prefix (a self-extracting program's stub) whose writer
// counted the records' offsets from the archive's first byte rather than the file's. The zip
// library makes up for that in plain records but not in zip64 ones; when the records show such a
// prefix, the view begins where the archive does, so every offset fits.
class ArchiveFile : public QIODevice
{
    Q_OBJECT

public:
    explicit ArchiveFile(const QString &path, QObject *parent = nullptr);
    // With small windows for handles that jump from entry to entry: each local header costs one
    // small read instead of a large one that the entry's own data would never use.
    ArchiveFile(const QString &path, qint64 windowBytes, QObject *parent = nullptr);

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return false; }
    qint64 size() const override;

    // Where the view begins in the file: the length of a prefix the offsets do not count, or 0.
    qint64 archiveStart() const { return start; }
    // Reads straight from the file at an offset, past the windows and the current position.
    qint64 readAt(qint64 offset, char *data, qint64 maxSize);
    // Reads at an offset through the windows, leaving the current position alone.
    qint64 readWindowed(qint64 position, char *data, qint64 maxSize);

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    struct Window
    {
        qint64 start = -1;
        QByteArray bytes;
        quint64 lastUse = 0;
    };
    static constexpr int windowCount = 4;

    // The prefix that the offsets of the archive's end records leave out; 0 when they fit.
    qint64 uncountedPrefix();

    QFile file;
    qint64 start = 0;
    qint64 windowSize = 256 * 1024;
    Window windows[windowCount];
    quint64 useClock = 0;
    int lastWindow = 0;
};

// A read-only handle of the zip library on an archive, for runs over many entries. The library
// reads its records a few bytes per call; here each call goes straight to the windows of an
// ArchiveFile, where through QuaZip it would pass through several QIODevice calls.
class ArchiveReader
{
public:
    explicit ArchiveReader(const QString &path, qint64 windowBytes = 256 * 1024);
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader &) = delete;
    ArchiveReader &operator=(const ArchiveReader &) = delete;

    // False when the file cannot be read or is not a zip archive.
    bool open();
    unzFile handle() const { return unz; }
    ArchiveFile *file() { return &device; }

private:
    static voidpf ZCALLBACK openStream(voidpf opaque, voidpf file, int mode);
    static uLong ZCALLBACK readStream(voidpf opaque, voidpf stream, void *buffer, uLong size);
    static uLong ZCALLBACK writeStream(voidpf opaque, voidpf stream, const void *buffer,
                                       uLong size);
    static ZPOS64_T ZCALLBACK tellStream(voidpf opaque, voidpf stream);
    static int ZCALLBACK seekStream(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin);
    static int ZCALLBACK closeStream(voidpf opaque, voidpf stream);
    static int ZCALLBACK errorStream(voidpf opaque, voidpf stream);

    ArchiveFile device;
    qint64 position = 0;
    unzFile unz = nullptr;
};
