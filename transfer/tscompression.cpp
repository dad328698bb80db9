#include "tscompression.h"

#include "archivefile_p.h"
#include "crc32_p.h"
#include "rawinflate_p.h"
#include "sha256.h"
#include "unpackguard_p.h"
#include "unpacktransaction.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QTextCodec>
#include <QtEndian>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <quazipnewinfo.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include <zlib.h>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Entries stream through a buffer of this size: no entry is ever held whole in memory.
constexpr qint64 bufferSize = 4096;
// Plain entries read straight from the archive file go in pieces of this size: each piece is
// one read and (for stored entries) one write, so the pieces are larger than the buffer above.
constexpr qint64 plainChunk = 64 * 1024;

// Code page 437 above ASCII, the character set of names that Windows tools store without
// saying which one they use.
const char16_t cp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

QString fromCp437(const QByteArray &raw)
{
    QString text;
    text.reserve(raw.size());
    for (const char byte : raw) {
        const auto code = uchar(byte);
        text.append(code < 0x80 ? QChar(code) : QChar(cp437High[code - 0x80]));
    }
    return text;
}

// UTF-8 text, or a null string when the bytes are not valid UTF-8.
QString strictUtf8(const QByteArray &raw)
{
    QTextCodec::ConverterState state;
    const QString text =
        QTextCodec::codecForMib(106)->toUnicode(raw.constData(), raw.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return QString();
    return text;
}

// The Info-ZIP Unicode Path extra field (0x7075): version 1, the CRC-32 of the stored name, then
// the name in UTF-8. Valid only while the CRC matches the name it stands beside.
QString unicodePathField(const QByteArray &extra, const QByteArray &raw)
{
    int at = 0;
    while (at + 4 <= extra.size()) {
        const quint16 id = qFromLittleEndian<quint16>(extra.constData() + at);
        const int size = qFromLittleEndian<quint16>(extra.constData() + at + 2);
        if (at + 4 + size > extra.size())
            break;
        if (id == 0x7075 && size >= 5 && extra.at(at + 4) == 1) {
            const quint32 stored = qFromLittleEndian<quint32>(extra.constData() + at + 5);
            const quint32 actual = TsCompression::crc32(0, raw.constData(), raw.size());
            if (stored == actual)
                return strictUtf8(extra.mid(at + 9, size - 5));
        }
        at += 4 + size;
    }
    return QString();
}

// A new file written in pieces, with the permissions an unpacked file gets; removed again
// unless finished.
class StagedOutput
{
public:
    // With `writeOut`, a large file's bytes go to the disk while it is written, without waiting.
    StagedOutput(const QString &path, bool writeOut) : path(path), writeOut(writeOut) {}
    ~StagedOutput()
    {
        if (!finished)
            discard();
    }
    StagedOutput(const StagedOutput &) = delete;
    StagedOutput &operator=(const StagedOutput &) = delete;

    bool open(QFile::Permissions stored)
    {
#ifdef Q_OS_WIN
        file.setFileName(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        if (stored != 0)
            file.setPermissions(UnpackTransaction::permissionsFor(stored, false));
        return true;
#else
        // Created with its final permissions when the umask lets them through, so no chmod.
        const mode_t mode =
            stored != 0 ? modeOf(UnpackTransaction::permissionsFor(stored, false)) : 0666;
        fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                    mode);
        if (fd < 0)
            return false;
        if (stored != 0 && (mode & mode_t(UnpackTransaction::creationMask())) != 0 &&
            ::fchmod(fd, mode) != 0)
            return false;
        return true;
#endif
    }

    bool write(const char *data, qint64 size)
    {
#ifdef Q_OS_WIN
        return file.write(data, size) == size;
#else
        while (size > 0) {
            const ssize_t count = ::write(fd, data, size_t(size));
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                return false;
            data += count;
            size -= count;
            written += count;
        }
#ifdef Q_OS_LINUX
        // A large file is handed to the disk piece by piece while it is written, so that its
        // end is not all left for the sync.
        if (writeOut && written - handedOut >= writeOutPiece) {
            ::sync_file_range(fd, handedOut, written - handedOut, SYNC_FILE_RANGE_WRITE);
            handedOut = written;
        }
#endif
        return true;
#endif
    }

    bool finish()
    {
#ifdef Q_OS_WIN
        file.close();
        finished = file.error() == QFileDevice::NoError;
#else
        const int closing = fd;
        fd = -1;
#ifdef Q_OS_LINUX
        // Only starts the writing: the disk works on it while the next entries unpack. Errors
        // are left to the sync before the commit. Not for a small file: handing out each of
        // 5,000 files of 40 KB made the unpack 0.3 s longer and the sync only 0.2 s shorter.
        if (writeOut && written - handedOut >= smallestWriteOut)
            ::sync_file_range(closing, handedOut, 0, SYNC_FILE_RANGE_WRITE);
#endif
        finished = ::close(closing) == 0;
#endif
        return finished;
    }

private:
#ifndef Q_OS_WIN
    static mode_t modeOf(QFile::Permissions permissions)
    {
        const struct
        {
            QFile::Permissions permission;
            mode_t bit;
        } bits[] = {{QFile::ReadOwner | QFile::ReadUser, S_IRUSR},
                    {QFile::WriteOwner | QFile::WriteUser, S_IWUSR},
                    {QFile::ExeOwner | QFile::ExeUser, S_IXUSR},
                    {QFile::ReadGroup, S_IRGRP},
                    {QFile::WriteGroup, S_IWGRP},
                    {QFile::ExeGroup, S_IXGRP},
                    {QFile::ReadOther, S_IROTH},
                    {QFile::WriteOther, S_IWOTH},
                    {QFile::ExeOther, S_IXOTH}};
        mode_t mode = 0;
        for (const auto &bit : bits) {
            if (permissions & bit.permission)
                mode |= bit.bit;
        }
        return mode;
    }
#endif

    void discard()
    {
#ifdef Q_OS_WIN
        file.close();
        QFile::remove(path);
#else
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        ::unlink(QFile::encodeName(path).constData());
#endif
    }

    QString path;
    bool writeOut = false;
    bool finished = false;
#ifndef Q_OS_WIN
    static constexpr off_t writeOutPiece = 8 * 1024 * 1024;
    static constexpr off_t smallestWriteOut = 1024 * 1024;
    off_t written = 0;
    off_t handedOut = 0;
#endif
#ifdef Q_OS_WIN
    QFile file;
#else
    int fd = -1;
#endif
};

} // namespace

quint32 TsCompression::crc32(quint32 crc, const char *data, qint64 size)
{
    return Crc32::update(crc, data, size);
}

namespace {

// Ends an inflate stream however the entry ends.
bool isWritable(const QuaZip *archive)
{
    const QuaZip::Mode mode = archive->getMode();
    return mode == QuaZip::mdCreate || mode == QuaZip::mdAppend || mode == QuaZip::mdAdd;
}

} // namespace

const char *TsCompression::password()
{
    return "kestrino";
}

void TsCompression::prepareNames(QuaZip &archive)
{
    // Latin-1 hands every stored byte back unchanged, so entryName() can decide the encoding.
    archive.setFileNameCodec(QTextCodec::codecForMib(4));
}

QString TsCompression::entryName(const QuaZipFileInfo64 &info)
{
    // The zip library itself decodes names that carry the UTF-8 flag.
    if (info.flags & 0x800)
        return info.name;
    const QByteArray raw = info.name.toLatin1();
    const QString unicode = unicodePathField(info.extra, raw);
    if (!unicode.isNull())
        return unicode;
    const QString utf8 = strictUtf8(raw);
    if (!utf8.isNull())
        return utf8;
    return fromCp437(raw);
}

bool TsCompression::goToEntry(QuaZip *archive, const QString &name)
{
    if (!archive || archive->getMode() != QuaZip::mdUnzip)
        return false;
    for (bool more = archive->goToFirstFile(); more; more = archive->goToNextFile()) {
        QuaZipFileInfo64 info;
        if (archive->getCurrentFileInfo(&info) && entryName(info) == name)
            return true;
    }
    return false;
}

bool TsCompression::unpackEntry(QuaZip *archive, QString entryName, QString target,
                                Protection protection)
{
    if (!archive || archive->getMode() != QuaZip::mdUnzip || target.isEmpty())
        return false;
    if (!entryName.isEmpty() && !goToEntry(archive, entryName))
        return false;
    QuaZipFileInfo64 info;
    if (!archive->getCurrentFileInfo(&info))
        return false;
    return unpackToPath(archive, info, target, protection);
}

bool TsCompression::unpackToPath(QuaZip *archive, const QuaZipFileInfo64 &info,
                                 const QString &target, Protection protection)
{
    if (target.endsWith(QLatin1Char('/')))
        return unpackCurrent(archive, info, target, protection, false);
    // The new bytes go to a file of their own and replace the target only when complete.
    const QFileInfo targetInfo(target);
    UnpackTransaction run(targetInfo.absolutePath());
    if (!run.begin())
        return false;
    const int number = run.addFile(targetInfo.fileName());
    if (number < 0 || !unpackCurrent(archive, info, run.stagedPath(number), protection, true)) {
        run.rollback();
        return false;
    }
    return run.commit();
}

bool TsCompression::unpackPlainData(unzFile handle, ArchiveFile *device,
                                    const QuaZipFileInfo64 &info, const QString &target,
                                    const std::function<bool()> &cancelled, QByteArray *sha256,
                                    bool writeOut, std::atomic<qint64> *read)
{
    int method = 0;
    int level = 0;
    // Opened raw only to have the local header checked against the directory and to learn
    // where the entry's data begins; the data is then read here, in large pieces.
    if (!device || unzOpenCurrentFile3(handle, &method, &level, 1, nullptr) != UNZ_OK)
        return false;
    qint64 offset = qint64(unzGetCurrentFileZStreamPos64(handle));
    unzCloseCurrentFile(handle);
    if (method != info.method || offset <= 0)
        return false;

    StagedOutput output(target, writeOut);
    if (!output.open(info.getPermissions()))
        return false;
    thread_local QByteArray input;
    thread_local QByteArray inflated;
    if (input.size() != plainChunk) {
        input.resize(int(plainChunk));
        inflated.resize(int(plainChunk));
    }
    char *in = input.data();
    char *out = inflated.data();
    quint64 remaining = info.compressedSize;
    quint64 written = 0;
    quint32 crc = 0;
    // Hashed while the bytes are at hand, so nobody has to read the file again for it.
    Sha256 hash;
    if (method == 0) {
        if (info.compressedSize != info.uncompressedSize)
            return false;
        while (remaining > 0) {
            if (cancelled && cancelled())
                return false;
            const qint64 count = qint64(qMin<quint64>(remaining, quint64(plainChunk)));
            if (device->readAt(offset, in, count) != count)
                return false;
            if (read)
                read->fetch_add(count, std::memory_order_relaxed);
            crc = TsCompression::crc32(crc, in, count);
            if (sha256)
                hash.addData(in, count);
            if (!output.write(in, count))
                return false;
            offset += count;
            remaining -= quint64(count);
            written += quint64(count);
        }
    } else if (remaining > 0 || info.uncompressedSize > 0) {
        // (Some writers store an empty file as deflated with no data at all.)
        RawInflate inflater;
        if (!inflater.isReady())
            return false;
        qint64 filled = 0;
        for (RawInflate::Result result = RawInflate::Result::Progress;
             result != RawInflate::Result::End;) {
            if (cancelled && cancelled())
                return false;
            if (inflater.inputLeft() == 0 && remaining > 0) {
                const qint64 count = qint64(qMin<quint64>(remaining, quint64(plainChunk)));
                if (device->readAt(offset, in, count) != count)
                    return false;
                if (read)
                    read->fetch_add(count, std::memory_order_relaxed);
                inflater.setInput(in, count);
                offset += count;
                remaining -= quint64(count);
            }
            const qint64 before = inflater.inputLeft();
            qint64 produced = 0;
            result = inflater.inflate(out + filled, plainChunk - filled, &produced);
            if (result == RawInflate::Result::Error)
                return false;
            // The data ends before the deflate stream does.
            if (result != RawInflate::Result::End && produced == 0 && remaining == 0 &&
                inflater.inputLeft() == before)
                return false;
            written += quint64(produced);
            // More than the directory declares: corrupt, and never written out.
            if (written > info.uncompressedSize)
                return false;
            crc = TsCompression::crc32(crc, out + filled, produced);
            if (sha256)
                hash.addData(out + filled, produced);
            filled += produced;
            // The inflater returns at every stored block (often 16 KiB or less): the output
            // is gathered into whole pieces, one write each.
            if (filled == plainChunk || result == RawInflate::Result::End) {
                if (!output.write(out, filled))
                    return false;
                filled = 0;
            }
        }
    }
    if (written != info.uncompressedSize || crc != info.crc)
        return false;
    if (!output.finish())
        return false;
    if (sha256)
        *sha256 = hash.hexResult();
    return true;
}

bool TsCompression::unpackCurrent(QuaZip *archive, const QuaZipFileInfo64 &info,
                                  const QString &target, Protection protection, bool folderReady,
                                  QByteArray *sha256)
{
    // A link entry followed by "link/x" would escape any name check, so links are never made.
    if (info.isSymbolicLink())
        return false;
    const bool encryptedEntry = info.flags & 0x1;
    if (encryptedEntry && protection == Protection::Plain)
        return false;

    QuaZipFile entry(archive);
    // The zip library decrypts whenever it gets a password, so only encrypted entries get one.
    if (!entry.open(QIODevice::ReadOnly, encryptedEntry ? password() : nullptr) ||
        entry.getZipError() != UNZ_OK)
        return false;

    const bool folderTarget = target.endsWith(QLatin1Char('/'));
    const QFileInfo targetInfo(target);
    if (!folderReady && !QDir().mkpath(folderTarget ? target : targetInfo.path()))
        return false;

    if (folderTarget) {
        if (!QFileInfo(target).isDir())
            return false;
        if (info.getPermissions() != 0)
            QFile::setPermissions(target,
                                  UnpackTransaction::permissionsFor(info.getPermissions(), true));
        return true;
    }

    // Writing through an existing link would land wherever it points. A ready folder is a
    // run's own work folder, where every name is new.
    if (!folderReady && targetInfo.isSymLink())
        return false;
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    char buffer[bufferSize];
    quint64 written = 0;
    bool ok = true;
    Sha256 hash;
    while (!entry.atEnd()) {
        const qint64 count = entry.read(buffer, bufferSize);
        if (count <= 0 || file.write(buffer, count) != count || entry.getZipError() != UNZ_OK) {
            ok = false;
            break;
        }
        if (sha256)
            hash.addData(buffer, count);
        written += quint64(count);
    }
    // An entry that ends short of, or runs past, the size its header declares is corrupt.
    if (ok && written != info.uncompressedSize)
        ok = false;
    if (ok && info.getPermissions() != 0)
        file.setPermissions(UnpackTransaction::permissionsFor(info.getPermissions(), false));
    file.close();
    if (ok && file.error() != QFileDevice::NoError)
        ok = false;
    entry.close();
    // The zip library reports a checksum mismatch on close.
    if (!ok || entry.getZipError() != UNZ_OK) {
        deleteFiles({target});
        return false;
    }
    if (sha256)
        *sha256 = hash.hexResult();
    return true;
}

bool TsCompression::currentInfo(QuaZip *archive, QuaZipFileInfo64 *info)
{
    if (!archive || archive->getMode() != QuaZip::mdUnzip)
        return false;
    return currentInfo(archive->getUnzFile(), archive->getFileNameCodec(), info);
}

bool TsCompression::currentInfo(unzFile handle, QTextCodec *codec, QuaZipFileInfo64 *info)
{
    if (!handle || !codec || !info)
        return false;
    unz_file_info64 raw;
    char nameBuffer[512];
    char extraBuffer[512];
    if (unzGetCurrentFileInfo64(handle, &raw, nameBuffer, sizeof nameBuffer, extraBuffer,
                                sizeof extraBuffer, nullptr, 0) != UNZ_OK)
        return false;
    QByteArray name;
    QByteArray extra;
    if (raw.size_filename <= sizeof nameBuffer && raw.size_file_extra <= sizeof extraBuffer) {
        name = QByteArray(nameBuffer, int(raw.size_filename));
        extra = QByteArray(extraBuffer, int(raw.size_file_extra));
    } else {
        // Long names or extra fields: once more into buffers of their size.
        name.resize(int(raw.size_filename));
        extra.resize(int(raw.size_file_extra));
        if (unzGetCurrentFileInfo64(handle, &raw, name.data(), uLong(name.size()), extra.data(),
                                    uLong(extra.size()), nullptr, 0) != UNZ_OK)
            return false;
    }
    // Decoded as QuaZip decodes it: UTF-8 when the entry says so, else with the archive's codec.
    info->name = (raw.flag & 0x800) ? QString::fromUtf8(name) : codec->toUnicode(name);
    info->versionCreated = quint16(raw.version);
    info->versionNeeded = quint16(raw.version_needed);
    info->flags = quint16(raw.flag);
    info->method = quint16(raw.compression_method);
    info->dateTime = QDateTime();
    info->crc = quint32(raw.crc);
    info->compressedSize = raw.compressed_size;
    info->uncompressedSize = raw.uncompressed_size;
    info->diskNumberStart = quint16(raw.disk_num_start);
    info->internalAttr = quint16(raw.internal_fa);
    info->externalAttr = quint32(raw.external_fa);
    info->comment.clear();
    info->extra = extra;
    return true;
}

bool TsCompression::planCurrentEntry(QuaZip *archive, UnpackTransaction &run, Protection protection,
                                     ArchiveEntry *entry)
{
    if (!archive || archive->getMode() != QuaZip::mdUnzip || !entry)
        return false;
    return planEntry(archive->getUnzFile(), archive->getFileNameCodec(), run, protection, entry);
}

bool TsCompression::planCurrentEntry(ArchiveReader &reader, UnpackTransaction &run,
                                     Protection protection, ArchiveEntry *entry)
{
    if (!reader.handle() || !entry)
        return false;
    return planEntry(reader.handle(), QTextCodec::codecForMib(4), run, protection, entry);
}

bool TsCompression::planEntry(unzFile handle, QTextCodec *codec, UnpackTransaction &run,
                              Protection protection, ArchiveEntry *entry)
{
    entry->number = -1;
    entry->stagedPath.clear();
    unz64_file_pos position;
    if (!currentInfo(handle, codec, &entry->info) || unzGetFilePos64(handle, &position) != UNZ_OK)
        return false;
    entry->directoryOffset = position.pos_in_zip_directory;
    entry->index = position.num_of_file;
    entry->name = entryName(entry->info);
    if (entry->name.isEmpty() || entry->info.isSymbolicLink())
        return false;
    if ((entry->info.flags & 0x1) && protection == Protection::Plain)
        return false;
    if (entry->name.endsWith(QLatin1Char('/')) || entry->name.endsWith(QLatin1Char('\\')))
        return run.addFolder(entry->name, entry->info.getPermissions());
    entry->number = run.addFile(entry->name);
    if (entry->number < 0)
        return false;
    entry->stagedPath = run.stagedPath(entry->number);
    entry->writeOut = run.isDurable();
    return true;
}

bool TsCompression::goToPlanned(unzFile handle, const ArchiveEntry &entry)
{
    unz64_file_pos position;
    if (unzGetFilePos64(handle, &position) == UNZ_OK &&
        position.pos_in_zip_directory == entry.directoryOffset &&
        position.num_of_file == entry.index)
        return true;
    position.pos_in_zip_directory = entry.directoryOffset;
    position.num_of_file = entry.index;
    return unzGoToFilePos64(handle, &position) == UNZ_OK;
}

bool TsCompression::unpackPlanned(QuaZip *archive, const ArchiveEntry &entry, Protection protection,
                                  const std::function<bool()> &cancelled, QByteArray *sha256)
{
    if (!archive || archive->getMode() != QuaZip::mdUnzip || entry.number < 0)
        return false;
    unzFile handle = archive->getUnzFile();
    if (!goToPlanned(handle, entry))
        return false;
    const QuaZipFileInfo64 &info = entry.info;
    auto *device = qobject_cast<ArchiveFile *>(archive->getIoDevice());
    if (device && !(info.flags & 0x1) && (info.method == 0 || info.method == Z_DEFLATED))
        return unpackPlainData(handle, device, info, entry.stagedPath, cancelled, sha256,
                               entry.writeOut);
    return unpackCurrent(archive, info, entry.stagedPath, protection, true, sha256);
}

bool TsCompression::unpackPlanned(ArchiveReader &reader, const ArchiveEntry &entry,
                                  Protection protection, const std::function<bool()> &cancelled,
                                  QByteArray *sha256, std::atomic<qint64> *read)
{
    unzFile handle = reader.handle();
    if (!handle || entry.number < 0 || !goToPlanned(handle, entry))
        return false;
    const QuaZipFileInfo64 &info = entry.info;
    if (!(info.flags & 0x1) && (info.method == 0 || info.method == Z_DEFLATED))
        return unpackPlainData(handle, reader.file(), info, entry.stagedPath, cancelled, sha256,
                               entry.writeOut, read);
    return unpackThroughLibrary(handle, info, entry.stagedPath, protection, sha256, entry.writeOut);
}

bool TsCompression::unpackThroughLibrary(unzFile handle, const QuaZipFileInfo64 &info,
                                         const QString &target, Protection protection,
                                         QByteArray *sha256, bool writeOut)
{
    // A link entry followed by "link/x" would escape any name check, so links are never made.
    const bool encryptedEntry = info.flags & 0x1;
    if (info.isSymbolicLink() || (encryptedEntry && protection == Protection::Plain))
        return false;
    int method = 0;
    int level = 0;
    // The zip library decrypts whenever it gets a password, so only encrypted entries get one.
    if (unzOpenCurrentFile3(handle, &method, &level, 0, encryptedEntry ? password() : nullptr) !=
        UNZ_OK)
        return false;
    StagedOutput output(target, writeOut);
    bool ok = output.open(info.getPermissions());
    char buffer[bufferSize];
    quint64 written = 0;
    Sha256 hash;
    while (ok) {
        const int count = unzReadCurrentFile(handle, buffer, unsigned(bufferSize));
        if (count == 0)
            break;
        ok = count > 0 && output.write(buffer, count);
        if (ok && sha256)
            hash.addData(buffer, count);
        written += quint64(qMax(count, 0));
        // An entry that runs past the size its header declares is corrupt.
        ok = ok && written <= info.uncompressedSize;
    }
    // The zip library reports a checksum mismatch on close.
    const bool closed = unzCloseCurrentFile(handle) == UNZ_OK;
    if (!ok || !closed || written != info.uncompressedSize || !output.finish())
        return false;
    if (sha256)
        *sha256 = hash.hexResult();
    return true;
}

bool TsCompression::stageCurrentEntry(QuaZip *archive, UnpackTransaction &run,
                                      Protection protection, QString *name)
{
    ArchiveEntry entry;
    const bool planned = planCurrentEntry(archive, run, protection, &entry);
    if (name)
        *name = entry.name;
    if (!planned)
        return false;
    if (entry.number < 0)
        return true;
    QByteArray sha256;
    if (!unpackPlanned(archive, entry, protection, {}, &sha256))
        return false;
    run.setStagedHash(entry.number, qint64(entry.info.uncompressedSize), sha256);
    return true;
}

bool TsCompression::deleteFiles(QStringList paths)
{
    for (const QString &path : qAsConst(paths)) {
        if (!QFile::remove(path))
            return false;
    }
    return true;
}

bool TsCompression::createArchive(const QString &archivePath, QuaZip &archive)
{
    QDir().mkpath(QFileInfo(archivePath).absolutePath());
    archive.setZipName(archivePath);
    if (!archive.open(QuaZip::mdCreate)) {
        QFile::remove(archivePath);
        return false;
    }
    return true;
}

bool TsCompression::zipFiles(QString archivePath, QStringList files)
{
    QuaZip archive;
    if (!createArchive(archivePath, archive))
        return false;
    for (const QString &path : qAsConst(files)) {
        const QFileInfo source(path);
        if (!source.isFile() || !addFileEntry(&archive, path, source.fileName())) {
            archive.close();
            QFile::remove(archivePath);
            return false;
        }
    }
    archive.close();
    if (archive.getZipError() != ZIP_OK) {
        QFile::remove(archivePath);
        return false;
    }
    return true;
}

bool TsCompression::addFileEntry(QuaZip *archive, QString sourcePath, QString entryName,
                                 Protection protection)
{
    if (!archive || !isWritable(archive))
        return false;
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QuaZipFile entry(archive);
    const char *secret = protection == Protection::Encrypted ? password() : nullptr;
    if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(entryName, sourcePath), secret, 0,
                    Z_DEFLATED, 9, false, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY))
        return false;
    char buffer[bufferSize];
    bool ok = true;
    while (!source.atEnd()) {
        const qint64 count = source.read(buffer, bufferSize);
        if (count <= 0 || entry.write(buffer, count) != count || entry.getZipError() != ZIP_OK) {
            ok = false;
            break;
        }
    }
    entry.close();
    return ok && entry.getZipError() == ZIP_OK;
}

bool TsCompression::addFolderTree(QuaZip *archive, QString folder, QString root, bool recursive,
                                  QDir::Filters filters, Protection protection)
{
    if (!archive || !isWritable(archive))
        return false;
    const QDir dir(folder);
    if (!dir.exists())
        return false;
    const QDir rootDir(root);
    if (QDir::cleanPath(dir.absolutePath()) != QDir::cleanPath(rootDir.absolutePath())) {
        QuaZipFile entry(archive);
        const QString name = rootDir.relativeFilePath(dir.absolutePath()) + QLatin1Char('/');
        const char *secret = protection == Protection::Encrypted ? password() : nullptr;
        if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(name, dir.absolutePath()), secret, 0,
                        Z_DEFLATED, 9, false, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY))
            return false;
        entry.close();
        if (entry.getZipError() != ZIP_OK)
            return false;
    }
    if (recursive) {
        const QFileInfoList folders =
            dir.entryInfoList(filters | QDir::AllDirs | QDir::NoDotAndDotDot);
        for (const QFileInfo &sub : folders) {
            // Filters that also name files (or files that name folders) must not mix the lists.
            if (!sub.isDir())
                continue;
            if (!addFolderTree(archive, sub.absoluteFilePath(), root, recursive, filters,
                               protection))
                return false;
        }
    }
    const QFileInfoList files = dir.entryInfoList(filters | QDir::Files);
    for (const QFileInfo &file : files) {
        if (file.isDir())
            continue;
        if (!addFileEntry(archive, file.absoluteFilePath(),
                          rootDir.relativeFilePath(file.absoluteFilePath()), protection))
            return false;
    }
    return true;
}

bool TsCompression::zipFile(QString archivePath, QString sourcePath)
{
    return zipFiles(archivePath, {sourcePath});
}

bool TsCompression::zipFolder(QString archivePath, QString folder, bool recursive,
                              QDir::Filters filters)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QuaZip archive;
    if (!createArchive(archivePath, archive))
        return false;
    const bool ok = addFolderTree(&archive, folder, folder, recursive, filters);
    archive.close();
    if (!ok || archive.getZipError() != ZIP_OK) {
        QFile::remove(archivePath);
        return false;
    }
    return true;
}

QStringList TsCompression::unpackArchive(QuaZip &archive, const QString &folder)
{
    prepareNames(archive);
    if (!archive.open(QuaZip::mdUnzip))
        return QStringList();
    UnpackTransaction run(folder);
    bool ok = run.begin();
    for (bool more = ok && archive.goToFirstFile(); ok && more; more = archive.goToNextFile())
        ok = stageCurrentEntry(&archive, run, Protection::Encrypted);
    // The walk also stops on a broken central directory; that is a failure, not the end.
    ok = ok && archive.getZipError() == UNZ_OK;
    archive.close();
    if (!ok || archive.getZipError() != UNZ_OK || !run.commit()) {
        run.rollback();
        return QStringList();
    }
    return run.targets();
}

std::unique_ptr<QIODevice> TsCompression::archiveDevice(const QString &archivePath)
{
    return std::make_unique<ArchiveFile>(archivePath);
}

QStringList TsCompression::unpackArchive(QString archivePath, QString folder)
{
    ArchiveFile device(archivePath);
    QuaZip archive(&device);
    return unpackArchive(archive, folder);
}

QStringList TsCompression::unpackArchive(QIODevice *device, QString folder)
{
    if (!device)
        return QStringList();
    QuaZip archive(device);
    return unpackArchive(archive, folder);
}

QStringList TsCompression::listEntries(QuaZip &archive, qint64 *uncompressedSize)
{
    if (uncompressedSize)
        *uncompressedSize = -1;
    prepareNames(archive);
    if (!archive.open(QuaZip::mdUnzip))
        return QStringList();
    QStringList names;
    qint64 total = 0;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!archive.getCurrentFileInfo(&info)) {
            archive.close();
            return QStringList();
        }
        names << entryName(info);
        total += qint64(qMin<quint64>(info.uncompressedSize, quint64(1) << 50));
    }
    const bool walked = archive.getZipError() == UNZ_OK;
    archive.close();
    if (!walked || archive.getZipError() != UNZ_OK)
        return QStringList();
    if (uncompressedSize)
        *uncompressedSize = total;
    return names;
}

qint64 TsCompression::uncompressedSize(const QString &archivePath)
{
    qint64 total = -1;
    listEntries(archivePath, &total);
    return total;
}

QStringList TsCompression::listEntries(const QString &archivePath, qint64 *uncompressedSize)
{
    ArchiveFile device(archivePath);
    QuaZip archive(&device);
    return listEntries(archive, uncompressedSize);
}

QStringList TsCompression::listEntries(QString archivePath)
{
    ArchiveFile device(archivePath);
    QuaZip archive(&device);
    return listEntries(archive);
}

QStringList TsCompression::listEntries(QIODevice *device)
{
    if (!device)
        return QStringList();
    QuaZip archive(device);
    return listEntries(archive);
}

QString TsCompression::unpackNamedEntry(QuaZip &archive, const QString &entryName,
                                        const QString &target)
{
    prepareNames(archive);
    if (!archive.open(QuaZip::mdUnzip))
        return QString();
    QString path;
    bool ok = goToEntry(&archive, entryName);
    if (ok && target.isEmpty()) {
        // The entry's own name, below the current folder: the same checks as every unpack.
        UnpackTransaction run(QDir::currentPath());
        ok = run.begin() && stageCurrentEntry(&archive, run, Protection::Encrypted);
        archive.close();
        ok = ok && archive.getZipError() == UNZ_OK && run.commit();
        if (!ok) {
            run.rollback();
            return QString();
        }
        // "./" names the folder itself, which is there and stays as it is.
        const QString current = QDir::cleanPath(QDir::currentPath());
        return run.targets().value(
            0, current.endsWith(QLatin1Char('/')) ? current : current + QLatin1Char('/'));
    }
    if (ok) {
        path = QFileInfo(target).absoluteFilePath();
        if (target.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        QuaZipFileInfo64 info;
        ok = archive.getCurrentFileInfo(&info) &&
             unpackToPath(&archive, info, path, Protection::Encrypted);
    }
    archive.close();
    if (!ok)
        return QString();
    if (archive.getZipError() != UNZ_OK) {
        if (!path.endsWith(QLatin1Char('/')))
            QFile::remove(path);
        return QString();
    }
    return path;
}

QString TsCompression::unpackNamedEntry(QString archivePath, QString entryName, QString target)
{
    ArchiveFile device(archivePath);
    QuaZip archive(&device);
    return unpackNamedEntry(archive, entryName, target);
}

QString TsCompression::unpackNamedEntry(QIODevice *device, QString entryName, QString target)
{
    if (!device)
        return QString();
    QuaZip archive(device);
    return unpackNamedEntry(archive, entryName, target);
}

QStringList TsCompression::unpackNamedEntries(QuaZip &archive, const QStringList &entryNames,
                                              const QString &folder)
{
    prepareNames(archive);
    if (!archive.open(QuaZip::mdUnzip))
        return QStringList();
    // One walk finds every entry, however many names are asked for.
    QHash<QString, unz64_file_pos> positions;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFileInfo64 info;
        unz64_file_pos position;
        if (!archive.getCurrentFileInfo(&info) ||
            unzGetFilePos64(archive.getUnzFile(), &position) != UNZ_OK)
            break;
        const QString name = entryName(info);
        if (!positions.contains(name))
            positions.insert(name, position);
    }
    UnpackTransaction run(folder);
    bool ok = archive.getZipError() == UNZ_OK && run.begin();
    for (const QString &name : entryNames) {
        if (!ok)
            break;
        // The zip library keeps "a current entry" only after a walk has begun.
        unz64_file_pos position = positions.value(name);
        ok = positions.contains(name) && archive.goToFirstFile() &&
             unzGoToFilePos64(archive.getUnzFile(), &position) == UNZ_OK &&
             stageCurrentEntry(&archive, run, Protection::Encrypted);
    }
    archive.close();
    if (!ok || archive.getZipError() != UNZ_OK || !run.commit()) {
        run.rollback();
        return QStringList();
    }
    return run.targets();
}

QStringList TsCompression::unpackNamedEntries(QString archivePath, QStringList entryNames,
                                              QString folder)
{
    ArchiveFile device(archivePath);
    QuaZip archive(&device);
    return unpackNamedEntries(archive, entryNames, folder);
}

QStringList TsCompression::unpackNamedEntries(QIODevice *device, QStringList entryNames,
                                              QString folder)
{
    if (!device)
        return QStringList();
    QuaZip archive(device);
    return unpackNamedEntries(archive, entryNames, folder);
}
