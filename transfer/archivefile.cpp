#include "archivefile_p.h"

#include <QtEndian>

#include <cerrno>
#include <cstring>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

ArchiveFile::ArchiveFile(const QString &path, QObject *parent) : QIODevice(parent), file(path)
{}

ArchiveFile::ArchiveFile(const QString &path, qint64 windowBytes, QObject *parent)
    : QIODevice(parent), file(path), windowSize(qBound<qint64>(512, windowBytes, 1 << 20))
{}

qint64 ArchiveFile::readAt(qint64 offset, char *data, qint64 maxSize)
{
    if (!file.isOpen() || offset < 0 || maxSize < 0)
        return -1;
    offset += start;
#ifdef Q_OS_WIN
    if (!file.seek(offset))
        return -1;
    return file.read(data, maxSize);
#else
    qint64 done = 0;
    while (done < maxSize) {
        const ssize_t count =
            ::pread(file.handle(), data + done, size_t(maxSize - done), off_t(offset + done));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return done > 0 ? done : -1;
        if (count == 0)
            break;
        done += count;
    }
    return done;
#endif
}

bool ArchiveFile::open(OpenMode mode)
{
    if ((mode & QIODevice::WriteOnly) || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    start = 0;
    start = uncountedPrefix();
    return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 ArchiveFile::uncountedPrefix()
{
    // The end record (22 bytes and a comment of at most 64 KiB) and, before it, the zip64 end
    // record (56 bytes) and its locator (20 bytes).
    const qint64 size = file.size();
    const qint64 tailSize = qMin<qint64>(size, 22 + 0xFFFF + 20 + 56);
    QByteArray tail(int(tailSize), '\0');
    if (tailSize < 22 || readAt(size - tailSize, tail.data(), tailSize) != tailSize)
        return 0;
    const auto at = [&tail](int position, int bytes) -> quint64 {
        return bytes == 2   ? qFromLittleEndian<quint16>(tail.constData() + position)
               : bytes == 4 ? qFromLittleEndian<quint32>(tail.constData() + position)
                            : qFromLittleEndian<quint64>(tail.constData() + position);
    };
    int end = -1;
    for (int i = int(tailSize) - 22; i >= 0 && end < 0; --i) {
        if (memcmp(tail.constData() + i, "PK\x05\x06", 4) == 0 &&
            i + 22 + int(at(i + 20, 2)) == int(tailSize))
            end = i;
    }
    if (end < 0)
        return 0;
    const qint64 endInFile = size - tailSize + end;
    const auto signatureAt = [this](qint64 position, const char *signature) {
        char bytes[4];
        return position >= 0 && readAt(position, bytes, 4) == 4 && memcmp(bytes, signature, 4) == 0;
    };
    qint64 prefix = 0;
    const int locator = end - 20;
    if (locator >= 56 && memcmp(tail.constData() + locator, "PK\x06\x07", 4) == 0) {
        // The zip64 end record sits right before its locator, which may count from elsewhere.
        const qint64 record = endInFile - 20 - 56;
        const qint64 named = qint64(at(locator + 8, 8));
        if (!signatureAt(record, "PK\x06\x06") || named < 0 || named >= record ||
            signatureAt(named, "PK\x06\x06"))
            return 0;
        prefix = record - named;
    } else {
        const qint64 named = qint64(at(end + 16, 4)) + qint64(at(end + 12, 4));
        if (named >= endInFile || signatureAt(qint64(at(end + 16, 4)), "PK\x01\x02"))
            return 0;
        prefix = endInFile - named;
    }
    // Only when the first record of the directory is where the prefix puts it.
    return prefix > 0 && signatureAt(prefix, "PK\x03\x04") ? prefix : 0;
}

void ArchiveFile::close()
{
    QIODevice::close();
    file.close();
    for (Window &window : windows) {
        window.start = -1;
        window.bytes.clear();
    }
}

qint64 ArchiveFile::size() const
{
    return file.size() - start;
}

qint64 ArchiveFile::readData(char *data, qint64 maxSize)
{
    return readWindowed(pos(), data, maxSize);
}

qint64 ArchiveFile::readWindowed(qint64 position, char *data, qint64 maxSize)
{
    if (!file.isOpen())
        return -1;
    qint64 done = 0;
    while (done < maxSize) {
        const qint64 at = position + done;
        // Headers come a few bytes per call, so the window of the last read is tried first.
        const auto holds = [at](const Window &window) {
            return window.start >= 0 && at >= window.start &&
                   at < window.start + window.bytes.size();
        };
        Window *hit = holds(windows[lastWindow]) ? &windows[lastWindow] : nullptr;
        for (int i = 0; !hit && i < windowCount; ++i) {
            if (holds(windows[i]))
                hit = &windows[i];
        }
        if (!hit) {
            // Large reads bypass the windows; they would only be copied once more.
            if (maxSize - done >= windowSize) {
                const qint64 count = readAt(at, data + done, maxSize - done);
                return count < 0 ? (done > 0 ? done : -1) : done + count;
            }
            hit = &windows[0];
            for (Window &window : windows) {
                if (window.lastUse < hit->lastUse)
                    hit = &window;
            }
            hit->bytes.resize(int(windowSize));
            const qint64 count = readAt(at, hit->bytes.data(), windowSize);
            if (count <= 0) {
                hit->start = -1;
                return done > 0 ? done : (count == 0 ? 0 : -1);
            }
            hit->bytes.resize(int(count));
            hit->start = at;
        }
        hit->lastUse = ++useClock;
        lastWindow = int(hit - windows);
        const qint64 offset = at - hit->start;
        const qint64 count = qMin(maxSize - done, qint64(hit->bytes.size()) - offset);
        memcpy(data + done, hit->bytes.constData() + offset, size_t(count));
        done += count;
    }
    return done;
}

qint64 ArchiveFile::writeData(const char *, qint64)
{
    return -1;
}

ArchiveReader::ArchiveReader(const QString &path, qint64 windowBytes) : device(path, windowBytes)
{}

ArchiveReader::~ArchiveReader()
{
    if (unz)
        unzClose(unz);
}

bool ArchiveReader::open()
{
    if (unz)
        return true;
    if (!device.open(QIODevice::ReadOnly))
        return false;
    zlib_filefunc64_def functions = {};
    functions.zopen64_file = &ArchiveReader::openStream;
    functions.zread_file = &ArchiveReader::readStream;
    functions.zwrite_file = &ArchiveReader::writeStream;
    functions.ztell64_file = &ArchiveReader::tellStream;
    functions.zseek64_file = &ArchiveReader::seekStream;
    functions.zclose_file = &ArchiveReader::closeStream;
    functions.zerror_file = &ArchiveReader::errorStream;
    functions.zfakeclose_file = &ArchiveReader::closeStream;
    functions.opaque = nullptr;
    unz = unzOpen2_64(this, &functions);
    return unz != nullptr;
}

voidpf ArchiveReader::openStream(voidpf, voidpf file, int mode)
{
    return (mode & ZLIB_FILEFUNC_MODE_WRITE) ? nullptr : file;
}

uLong ArchiveReader::readStream(voidpf, voidpf stream, void *buffer, uLong size)
{
    auto *reader = static_cast<ArchiveReader *>(stream);
    const qint64 count =
        reader->device.readWindowed(reader->position, static_cast<char *>(buffer), qint64(size));
    if (count <= 0)
        return 0;
    reader->position += count;
    return uLong(count);
}

uLong ArchiveReader::writeStream(voidpf, voidpf, const void *, uLong)
{
    return 0;
}

ZPOS64_T ArchiveReader::tellStream(voidpf, voidpf stream)
{
    return ZPOS64_T(static_cast<ArchiveReader *>(stream)->position);
}

int ArchiveReader::seekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *reader = static_cast<ArchiveReader *>(stream);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        base = reader->position;
    else if (origin == ZLIB_FILEFUNC_SEEK_END)
        base = reader->device.size();
    else if (origin != ZLIB_FILEFUNC_SEEK_SET)
        return -1;
    // The library passes backward moves from the end as wrapped-around unsigned offsets.
    const qint64 target = base + qint64(offset);
    if (target < 0)
        return -1;
    reader->position = target;
    return 0;
}

int ArchiveReader::closeStream(voidpf, voidpf)
{
    return 0;
}

int ArchiveReader::errorStream(voidpf, voidpf)
{
    return 0;
}
