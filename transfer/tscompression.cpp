#include "tscompression.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <quazipnewinfo.h>

#include <algorithm>
#include <cstring>

namespace {

// Entries stream through a buffer of this size: no entry is ever held whole in memory.
constexpr qint64 bufferSize = 4096;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity pathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity pathCase = Qt::CaseSensitive;
#endif

// Whole path components: /games/Skins/A holds /games/Skins/A/x but not /games/Skins/AB/x.
bool isInside(const QString &folder, const QString &path)
{
    if (path.compare(folder, pathCase) == 0)
        return true;
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(prefix, pathCase);
}

QString parentOf(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0)
        return QStringLiteral("/");
    return path.left(slash);
}

// Stored permissions keep only the ordinary bits (QFile::Permissions cannot carry setuid, setgid
// or sticky), and the owner can always read and write what was unpacked (and enter folders).
QFile::Permissions sanitised(QFile::Permissions stored, bool folder)
{
    QFile::Permissions result =
        stored | QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    if (folder)
        result |= QFile::ExeOwner | QFile::ExeUser;
    return result;
}

bool isWritable(const QuaZip *archive)
{
    const QuaZip::Mode mode = archive->getMode();
    return mode == QuaZip::mdCreate || mode == QuaZip::mdAppend || mode == QuaZip::mdAdd;
}

} // namespace

UnpackGuard::UnpackGuard(const QString &folder) : root(QDir::cleanPath(QDir(folder).absolutePath()))
{}

bool UnpackGuard::isSafeEntryName(const QString &entryName)
{
    if (entryName.isEmpty() || entryName.contains(QChar(0)))
        return false;
    QString name = entryName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // "/x" and "//server/x" are absolute; ':' makes "C:/x", "C:x" or an alternate data stream.
    if (name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char(':')))
        return false;
    const QVector<QStringRef> parts = name.splitRef(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QStringRef &part : parts) {
        if (part == QLatin1String("."))
            continue;
        // Windows drops trailing dots and blanks, so ".. " and "..." would climb as well.
        int end = part.size();
        while (end > 0 &&
               (part.at(end - 1) == QLatin1Char('.') || part.at(end - 1) == QLatin1Char(' ')))
            --end;
        if (end == 0)
            return false;
    }
    return true;
}

QString UnpackGuard::targetFor(const QString &entryName)
{
    if (!isSafeEntryName(entryName))
        return QString();
    QString name = entryName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool folderEntry = name.endsWith(QLatin1Char('/'));
    const QString relative = QDir::cleanPath(name);
    QString folder;
    QString target;
    if (relative.isEmpty() || relative == QLatin1String(".")) {
        if (!folderEntry)
            return QString();
        folder = root;
        target = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    } else {
        const QString path = QDir::cleanPath(root + QLatin1Char('/') + relative);
        if (!isInside(root, path) || path.compare(root, pathCase) == 0)
            return QString();
        folder = folderEntry ? path : parentOf(path);
        target = folderEntry ? path + QLatin1Char('/') : path;
    }
    if (!folderInside(folder))
        return QString();
    return target;
}

bool UnpackGuard::folderInside(const QString &folder)
{
    if (checkedFolders.contains(folder))
        return true;
    if (!isInside(root, folder))
        return false;
    if (canonicalRoot.isEmpty()) {
        QDir().mkpath(root);
        canonicalRoot = QFileInfo(root).canonicalFilePath();
        if (canonicalRoot.isEmpty())
            return false;
    }
    // Links that already exist on disk could lead a lexically clean path elsewhere: the nearest
    // existing folder must really lie inside the root.
    QString existing = folder;
    QStringList missing;
    while (true) {
        const QFileInfo info(existing);
        if (info.exists() || info.isSymLink())
            break;
        missing.prepend(existing);
        if (existing.compare(root, pathCase) == 0 || existing == QLatin1String("/"))
            return false;
        existing = parentOf(existing);
    }
    const QFileInfo existingInfo(existing);
    const QString canonical = existingInfo.canonicalFilePath();
    if (!existingInfo.isDir() || canonical.isEmpty() || !isInside(canonicalRoot, canonical))
        return false;
    for (const QString &created : qAsConst(missing)) {
        if (!QDir().mkdir(created) && !QFileInfo(created).isDir())
            return false;
        createdFolders << created;
    }
    checkedFolders.insert(folder);
    return true;
}

void UnpackGuard::removeUnpacked(const QStringList &targets) const
{
    for (const QString &target : targets) {
        if (!target.endsWith(QLatin1Char('/')))
            QFile::remove(target);
    }
    QStringList folders = createdFolders;
    // Deepest first, so that emptied parents can go too; rmdir leaves anything not empty alone.
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) {
        return a.count(QLatin1Char('/')) > b.count(QLatin1Char('/'));
    });
    for (const QString &folder : qAsConst(folders))
        QDir().rmdir(folder);
}

ArchiveFile::ArchiveFile(const QString &path, QObject *parent) : QIODevice(parent), file(path)
{}

bool ArchiveFile::open(OpenMode mode)
{
    if ((mode & QIODevice::WriteOnly) || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
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
    return file.size();
}

qint64 ArchiveFile::readData(char *data, qint64 maxSize)
{
    qint64 done = 0;
    while (done < maxSize) {
        const qint64 at = pos() + done;
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
                if (!file.seek(at))
                    return done > 0 ? done : -1;
                const qint64 count = file.read(data + done, maxSize - done);
                return count < 0 ? (done > 0 ? done : -1) : done + count;
            }
            hit = &windows[0];
            for (Window &window : windows) {
                if (window.lastUse < hit->lastUse)
                    hit = &window;
            }
            hit->bytes.resize(int(windowSize));
            qint64 count = -1;
            if (file.seek(at))
                count = file.read(hit->bytes.data(), windowSize);
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

const char *TsCompression::password()
{
    return "kestrino";
}

bool TsCompression::unpackEntry(QuaZip *archive, QString entryName, QString target,
                                Protection protection)
{
    if (!archive || archive->getMode() != QuaZip::mdUnzip || target.isEmpty())
        return false;
    if (!entryName.isEmpty() && !archive->setCurrentFile(entryName))
        return false;
    QuaZipFileInfo64 info;
    if (!archive->getCurrentFileInfo(&info))
        return false;
    return unpackCurrent(archive, info, target, protection, false);
}

bool TsCompression::unpackCurrent(QuaZip *archive, const QuaZipFileInfo64 &info,
                                  const QString &target, Protection protection, bool folderReady)
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
            QFile::setPermissions(target, sanitised(info.getPermissions(), true));
        return true;
    }

    // Writing through an existing link would land wherever it points.
    if (targetInfo.isSymLink())
        return false;
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    char buffer[bufferSize];
    quint64 written = 0;
    bool ok = true;
    while (!entry.atEnd()) {
        const qint64 count = entry.read(buffer, bufferSize);
        if (count <= 0 || file.write(buffer, count) != count || entry.getZipError() != UNZ_OK) {
            ok = false;
            break;
        }
        written += quint64(count);
    }
    // An entry that ends short of, or runs past, the size its header declares is corrupt.
    if (ok && written != info.uncompressedSize)
        ok = false;
    if (ok && info.getPermissions() != 0)
        file.setPermissions(sanitised(info.getPermissions(), false));
    file.close();
    if (ok && file.error() != QFileDevice::NoError)
        ok = false;
    entry.close();
    // The zip library reports a checksum mismatch on close.
    if (!ok || entry.getZipError() != UNZ_OK) {
        deleteFiles({target});
        return false;
    }
    return true;
}

bool TsCompression::unpackCurrentEntry(QuaZip *archive, UnpackGuard &guard, Protection protection,
                                       QString *target, QString *name)
{
    if (target)
        target->clear();
    if (!archive || archive->getMode() != QuaZip::mdUnzip)
        return false;
    QuaZipFileInfo64 info;
    if (!archive->getCurrentFileInfo(&info))
        return false;
    if (name)
        *name = info.name;
    const QString path = info.name.isEmpty() ? QString() : guard.targetFor(info.name);
    if (target)
        *target = path;
    return !path.isEmpty() && unpackCurrent(archive, info, path, protection, true);
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
    if (!archive.open(QuaZip::mdUnzip))
        return QStringList();
    UnpackGuard guard(folder);
    QStringList written;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QString target;
        if (!unpackCurrentEntry(&archive, guard, Protection::Encrypted, &target)) {
            archive.close();
            guard.removeUnpacked(written);
            return QStringList();
        }
        written << target;
    }
    const bool walked = archive.getZipError() == UNZ_OK;
    archive.close();
    if (!walked || archive.getZipError() != UNZ_OK) {
        guard.removeUnpacked(written);
        return QStringList();
    }
    return written;
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

QStringList TsCompression::listEntries(QuaZip &archive)
{
    if (!archive.open(QuaZip::mdUnzip))
        return QStringList();
    QStringList names;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!archive.getCurrentFileInfo(&info)) {
            archive.close();
            return QStringList();
        }
        names << info.name;
    }
    const bool walked = archive.getZipError() == UNZ_OK;
    archive.close();
    if (!walked || archive.getZipError() != UNZ_OK)
        return QStringList();
    return names;
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
    if (!archive.open(QuaZip::mdUnzip))
        return QString();
    QString path;
    bool ok = archive.setCurrentFile(entryName);
    if (ok && target.isEmpty()) {
        // The entry's own name, below the current folder: the same guard as every unpack.
        UnpackGuard guard(QDir::currentPath());
        ok = unpackCurrentEntry(&archive, guard, Protection::Encrypted, &path);
    } else if (ok) {
        path = QFileInfo(target).absoluteFilePath();
        if (target.endsWith(QLatin1Char('/')))
            path += QLatin1Char('/');
        ok = unpackEntry(&archive, QString(), path, Protection::Encrypted);
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
    if (!archive.open(QuaZip::mdUnzip))
        return QStringList();
    UnpackGuard guard(folder);
    QStringList written;
    for (const QString &name : entryNames) {
        QString target;
        if (!archive.setCurrentFile(name) ||
            !unpackCurrentEntry(&archive, guard, Protection::Encrypted, &target)) {
            archive.close();
            guard.removeUnpacked(written);
            return QStringList();
        }
        written << target;
    }
    archive.close();
    if (archive.getZipError() != UNZ_OK) {
        guard.removeUnpacked(written);
        return QStringList();
    }
    return written;
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
