#include "packageremoval.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <algorithm>

namespace {

bool unchanged(const QString &path, const InstalledFile &file)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && info.size() == file.size &&
           InstalledPackages::sha256Of(path) == file.sha256;
}

// Recorded names are relative and never climb; anything else is not ours to remove.
bool insidePackage(const QString &relative)
{
    const QString clean = QDir::cleanPath(relative);
    return !clean.isEmpty() && !QDir::isAbsolutePath(clean) && clean != QLatin1String(".") &&
           !clean.startsWith(QLatin1String("../")) && clean != QLatin1String("..");
}

// Removes the folders below `root` (and root itself when asked) that are empty, deepest first.
void pruneEmptyFolders(const QString &root, bool removeRoot)
{
    QStringList folders;
    QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString folder = it.next();
        if (!it.fileInfo().isSymLink())
            folders << folder;
    }
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) {
        return a.count(QLatin1Char('/')) > b.count(QLatin1Char('/'));
    });
    for (const QString &folder : qAsConst(folders))
        QDir().rmdir(folder);
    if (removeRoot)
        QDir().rmdir(root);
}

} // namespace

PackageRemoval::Result PackageRemoval::plan(const QString &packageFolder,
                                            const QVector<InstalledFile> &files, bool listAdded)
{
    Result result;
    const QDir base(packageFolder);
    QSet<QString> recorded;
    for (const InstalledFile &file : files) {
        if (!insidePackage(file.path))
            continue;
        const QString clean = QDir::cleanPath(file.path);
        recorded.insert(clean);
        const QString path = base.filePath(clean);
        if (unchanged(path, file))
            result.removed << clean;
        else if (QFileInfo::exists(path))
            result.changed << clean;
    }
    if (listAdded) {
        QDirIterator it(packageFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = base.relativeFilePath(it.next());
            if (!recorded.contains(relative))
                result.added << relative;
        }
        result.added.sort();
    }
    return result;
}

bool PackageRemoval::carryOut(const QString &packageFolder, const QVector<InstalledFile> &files,
                              bool removeFolder, const QString &journalPath, Result *result,
                              const QString &recordPath, const QString &name, const QString &kind)
{
    QJsonArray list;
    for (const InstalledFile &file : files)
        list.append(QJsonObject{{QStringLiteral("path"), file.path},
                                {QStringLiteral("size"), double(file.size)},
                                {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)}});
    const QJsonObject journal{{QStringLiteral("removal"), true},
                              {QStringLiteral("folder"), QDir::cleanPath(packageFolder)},
                              {QStringLiteral("removeFolder"), removeFolder},
                              {QStringLiteral("recordPath"), recordPath},
                              {QStringLiteral("name"), name},
                              {QStringLiteral("kind"), kind},
                              {QStringLiteral("files"), list}};
    QDir().mkpath(QFileInfo(journalPath).path());
    QSaveFile save(journalPath);
    const QByteArray bytes = QJsonDocument(journal).toJson(QJsonDocument::Compact);
    if (!save.open(QIODevice::WriteOnly) || save.write(bytes) != bytes.size() || !save.commit())
        return false;

    const Result planned = plan(packageFolder, files, false);
    const QDir base(packageFolder);
    Result done;
    done.changed = planned.changed;
    for (const QString &relative : planned.removed) {
        if (QFile::remove(base.filePath(relative)))
            done.removed << relative;
        else
            done.changed << relative;
    }
    pruneEmptyFolders(packageFolder, removeFolder);
    if (QFileInfo(packageFolder).isDir()) {
        done.added = plan(packageFolder, files, true).added;
    }
    if (!recordPath.isEmpty()) {
        // The journal outlives a record that could not be removed: the next start tries again.
        InstalledPackages records(recordPath);
        records.load();
        if (!records.remove(name, kind)) {
            if (result)
                *result = done;
            return false;
        }
    }
    QFile::remove(journalPath);
    if (result)
        *result = done;
    return true;
}

QString PackageRemoval::recover(const QString &journalPath)
{
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QJsonObject journal = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    const QString folder = journal.value(QStringLiteral("folder")).toString();
    if (!journal.value(QStringLiteral("removal")).toBool() || folder.isEmpty() ||
        !QDir::isAbsolutePath(folder)) {
        QFile::remove(journalPath);
        return QStringLiteral("removed a damaged removal journal ") + journalPath;
    }
    QVector<InstalledFile> files;
    const QJsonArray list = journal.value(QStringLiteral("files")).toArray();
    for (const QJsonValue &value : list) {
        const QJsonObject item = value.toObject();
        files.append(InstalledFile{item.value(QStringLiteral("path")).toString(),
                                   qint64(item.value(QStringLiteral("size")).toDouble()),
                                   item.value(QStringLiteral("sha256")).toString().toLatin1()});
    }
    Result result;
    carryOut(folder, files, journal.value(QStringLiteral("removeFolder")).toBool(), journalPath,
             &result, journal.value(QStringLiteral("recordPath")).toString(),
             journal.value(QStringLiteral("name")).toString(),
             journal.value(QStringLiteral("kind")).toString());
    return QStringLiteral("finished removing %1 file(s) from ").arg(result.removed.size()) + folder;
}
