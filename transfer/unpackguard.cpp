#include "unpackguard_p.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QVector>

#include <algorithm>

namespace {

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
        if (QDir().mkdir(created))
            madeFolders.insert(created);
        else if (!QFileInfo(created).isDir())
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
