#include "packageremoval.h"

#include "foldersync.h"
#include "packageinstall.h"
#include "packagekind.h"
#include "packagemanifest.h"
#include "unpacktransaction.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Recorded names are relative and never climb; anything else is not ours to remove.
bool staysInside(const QString &relative)
{
    const QString clean = QDir::cleanPath(relative);
    return !clean.isEmpty() && !QDir::isAbsolutePath(clean) && clean != QLatin1String(".") &&
           !clean.startsWith(QLatin1String("../")) && clean != QLatin1String("..");
}

bool isLink(const QString &path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    return info.isSymLink() || info.isJunction();
#else
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
#endif
}

bool unchanged(const QString &path, const InstalledFile &file)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink() && info.size() == file.size &&
           InstalledPackages::sha256Of(path) == file.sha256;
}

// Removes one regular file; the reason when it cannot.
QString removeOne(const QString &path)
{
#ifdef Q_OS_WIN
    QFile file(path);
    return file.remove() ? QString() : file.errorString();
#else
    if (::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
#endif
}

bool present(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Whether a name below a package folder lies in the folder of kept originals or an unpack's
// work folder: the installer's own, never the player's.
bool installerOwn(const QString &relative)
{
    const QString first = relative.section(QLatin1Char('/'), 0, 0);
    return first == PackageInstall::originalsFolder() ||
           first.startsWith(UnpackTransaction::workPrefix()) ||
           PackageManifest::isManifest(relative);
}

// Removes the emptied folders of the kept originals, deepest first, never through a link.
void removeEmptyStore(const QString &packageFolder, FolderBarrier *changed)
{
    const QString store = packageFolder + QLatin1Char('/') + PackageInstall::originalsFolder();
    if (!present(store) || isLink(store))
        return;
    QStringList folders;
    QDirIterator it(store, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString folder = it.next();
        if (!isLink(folder))
            folders << folder;
    }
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) {
        return a.count(QLatin1Char('/')) > b.count(QLatin1Char('/'));
    });
    folders << store;
    for (const QString &folder : qAsConst(folders)) {
        if (QDir().rmdir(folder) && changed)
            changed->touched(folder);
    }
}

// Removes the folders (absolute) that are empty and not links, deepest first.
void removeEmptyFolders(QStringList folders, const QString &game, FolderBarrier &changed)
{
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) {
        return a.count(QLatin1Char('/')) > b.count(QLatin1Char('/'));
    });
    folders.removeDuplicates();
    for (const QString &folder : qAsConst(folders)) {
        const QString relative = QDir(game).relativeFilePath(folder);
        if (staysInside(relative) && PackageRemoval::reachableFromGame(game, relative) &&
            QDir().rmdir(folder))
            changed.touched(folder);
    }
}

// What the record of an uninstalled package keeps: the files that could not be removed and the
// originals still kept aside; none when nothing is left.
std::optional<InstalledPackage> keptRecord(const InstalledPackage &record,
                                           const QVector<InstalledFile> &files,
                                           const QStringList &failedLines,
                                           const PackageRemoval::Restored &back)
{
    QSet<QString> failed;
    for (const QString &line : failedLines)
        failed.insert(line.section(QStringLiteral(" ("), 0, 0));
    QVector<InstalledFile> left;
    for (const InstalledFile &file : files) {
        if (failed.contains(QDir::cleanPath(file.path)))
            left << file;
    }
    if (left.isEmpty() && back.stillKept.isEmpty())
        return std::nullopt;
    InstalledPackage kept = record;
    kept.files = left;
    kept.originals = back.stillKept + back.inPlace;
    return kept;
}

} // namespace

bool PackageRemoval::identityMatches(const QJsonObject &journal, const QString &packageFolder)
{
    // A folder that is gone has nothing left to remove; only another one in its place waits.
    const QJsonObject identity = journal.value(QStringLiteral("folderId")).toObject();
    return identity.isEmpty() || !QFileInfo::exists(packageFolder) ||
           UnpackTransaction::folderIdentity(packageFolder) == identity;
}

bool PackageRemoval::reachableWithoutLinks(const QString &base, const QString &relative)
{
    QString path = QDir::cleanPath(base);
    const QStringList parts = QDir::cleanPath(relative).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        path += QLatin1Char('/') + part;
        if (isLink(path))
            return false;
    }
    return true;
}

bool PackageRemoval::reachableFromGame(const QString &gameFolder, const QString &relative)
{
    QStringList parts = QDir::cleanPath(relative).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString base = QDir::cleanPath(gameFolder);
    if (!parts.isEmpty()) {
        for (const PackageKind &kind : PackageKind::all()) {
            const QString structure = kind.destination.chopped(1);
            if (parts.first().compare(structure, Qt::CaseInsensitive) == 0) {
                base += QLatin1Char('/') + parts.takeFirst();
                break;
            }
        }
    }
    return reachableWithoutLinks(base, parts.join(QLatin1Char('/')));
}

PackageRemoval::Result PackageRemoval::plan(const QString &packageFolder,
                                            const QVector<InstalledFile> &files, bool listAdded)
{
    Result result;
    const QDir base(packageFolder);
    QSet<QString> recorded;
    for (const InstalledFile &file : files) {
        if (!staysInside(file.path))
            continue;
        const QString clean = QDir::cleanPath(file.path);
        recorded.insert(clean);
        const QString path = base.filePath(clean);
        if (!reachableWithoutLinks(packageFolder, clean))
            result.changed << clean;
        else if (unchanged(path, file))
            result.removed << clean;
        else if (QFileInfo::exists(path) || isLink(path))
            result.changed << clean;
    }
    if (listAdded && !isLink(packageFolder)) {
        QDirIterator it(packageFolder, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = base.relativeFilePath(it.next());
            if (!recorded.contains(relative) && !installerOwn(relative))
                result.added << relative;
        }
        result.added.sort();
    }
    return result;
}

PackageRemoval::Result PackageRemoval::removeFiles(const QString &gameFolder, const QString &folder,
                                                   const QVector<InstalledFile> &files,
                                                   const InstalledPackages *records,
                                                   const QString &name, const QString &kind,
                                                   FolderBarrier *changed)
{
    Result result;
    const QString game = QDir::cleanPath(gameFolder);
    const QString cleanFolder = QDir::cleanPath(folder);
    if (!staysInside(cleanFolder)) {
        //: %1 is the package's folder
        result.refuse(
            QT_TRANSLATE_NOOP("PackageRemoval", "the folder %1 is not inside the game folder"),
            folder);
        return result;
    }
    const QString packageFolder = game + QLatin1Char('/') + cleanFolder;
    if (!reachableFromGame(game, cleanFolder)) {
        //: %1 is the package's folder
        result.refuse(
            QT_TRANSLATE_NOOP("PackageRemoval", "the folder %1 is reached through a link"),
            cleanFolder);
        return result;
    }
    const Result planned = plan(packageFolder, files, false);
    result.changed = planned.changed;
    QHash<QString, QByteArray> hashes;
    for (const InstalledFile &file : files)
        hashes.insert(QDir::cleanPath(file.path), file.sha256);
    for (const QString &relative : planned.removed) {
        if (records && records->ownedByOther(cleanFolder + QLatin1Char('/') + relative,
                                             hashes.value(relative), name, kind)) {
            result.shared << relative;
            continue;
        }
        const QString path = packageFolder + QLatin1Char('/') + relative;
        const QString why = removeOne(path);
        if (changed)
            changed->touched(path);
        if (why.isEmpty())
            result.removed << relative;
        else
            result.failed << relative + QStringLiteral(" (") + why + QLatin1Char(')');
    }
    return result;
}

bool PackageRemoval::uninstall(const QString &gameFolder, const InstalledPackage &record,
                               InstalledPackages &records, const QString &journalPath,
                               Result *result)
{
    Result done;
    const QString game = QDir::cleanPath(gameFolder);
    const QString folder = QDir::cleanPath(record.folder);
    const auto refuse = [&](const char *why, const QString &detail = QString(),
                            const QString &detailWords = QString()) {
        done.refuse(why, detail, detailWords);
        if (result)
            *result = done;
        return false;
    };
    // Rows that cannot be trusted would make the package's own files look like the player's.
    QVector<InstalledFile> files;
    QString unchecked;
    if (records.checkPackage(record.name, record.kind, &files, &unchecked) !=
        InstalledPackages::Check::Sound)
        //: %1 is what is wrong with the records
        return refuse(QT_TRANSLATE_NOOP("PackageRemoval", "%1; nothing was removed"), unchecked,
                      InstalledPackages::checkWords(unchecked));
    if (!staysInside(folder))
        return refuse(
            QT_TRANSLATE_NOOP("PackageRemoval", "its folder is not inside the game folder"));
    if (!QFileInfo(game).isDir())
        //: %1 is the game folder
        return refuse(QT_TRANSLATE_NOOP("PackageRemoval", "the game folder %1 is not there"),
                      QDir::toNativeSeparators(game));
    if (!reachableFromGame(game, folder))
        //: %1 is the package's folder
        return refuse(QT_TRANSLATE_NOOP("PackageRemoval",
                                        "its folder %1 is a link (or lies behind one); nothing "
                                        "was removed"),
                      folder);

    if (!journalPath.isEmpty()) {
        const QJsonObject journal{
            {QStringLiteral("removal"), true},
            {QStringLiteral("gameFolder"), game},
            {QStringLiteral("name"), record.name},
            {QStringLiteral("kind"), record.kind},
            {QStringLiteral("folder"), folder},
            {QStringLiteral("createdFolders"), QJsonArray::fromStringList(record.createdFolders)},
            {QStringLiteral("createdFoldersKnown"), record.createdFoldersKnown},
            {QStringLiteral("files"), InstalledPackages::filesToJson(files)},
            {QStringLiteral("originals"), InstalledPackages::originalsToJson(record.originals)},
            // The package folder by what it is: a later start finishes the removal there only.
            {QStringLiteral("folderId"),
             UnpackTransaction::folderIdentity(game + QLatin1Char('/') + folder)}};
        FolderSync::makePath(QFileInfo(journalPath).path());
        if (!UnpackTransaction::saveJournal(journalPath,
                                            QJsonDocument(journal).toJson(QJsonDocument::Compact)))
            return refuse(QT_TRANSLATE_NOOP("PackageRemoval", "the removal could not be recorded"));
    }

    FolderBarrier changed;
    done = removeFiles(game, folder, files, &records, record.name, record.kind, &changed);
    const QString packageFolder = game + QLatin1Char('/') + folder;
    // Folders: those the install made; for older records, those its files name.
    QStringList folders;
    if (record.createdFoldersKnown) {
        for (const QString &created : record.createdFolders) {
            if (staysInside(created))
                folders << game + QLatin1Char('/') + QDir::cleanPath(created);
        }
    } else {
        folders << packageFolder;
        for (const InstalledFile &file : files) {
            QString parent = QFileInfo(QDir::cleanPath(file.path)).path();
            while (staysInside(parent)) {
                folders << packageFolder + QLatin1Char('/') + parent;
                parent = QFileInfo(parent).path();
            }
        }
    }
    if (QFileInfo(packageFolder).isDir()) {
        QSet<QString> recordedPaths;
        for (const InstalledFile &file : files)
            recordedPaths.insert(QDir::cleanPath(file.path));
        QSet<QString> there;
        for (const KeptOriginal &original : record.originals) {
            if (original.keptAs.isEmpty())
                there.insert(QDir::cleanPath(original.path));
        }
        static const QRegularExpression mine(
            QRegularExpression::escape(PackageInstall::mineSuffix()) + QStringLiteral("(-\\d+)?$"));
        // A file another package's record names with its bytes is that package's, not the
        // player's. The player's version kept beside the package's "<file>.zerun-new" is a
        // changed file of the package, and a "<file>.zerun-mine" the player's set aside.
        for (const QString &relative : plan(packageFolder, files, true).added) {
            const QString path = packageFolder + QLatin1Char('/') + relative;
            if (records.ownedByOther(folder + QLatin1Char('/') + relative,
                                     InstalledPackages::sha256Of(path), record.name, record.kind))
                continue;
            if (there.contains(relative))
                done.before << relative;
            else if (recordedPaths.contains(relative + PackageInstall::newSuffix()))
                done.changed << relative;
            else if (mine.match(relative).hasMatch())
                done.yours << relative;
            else
                done.added << relative;
        }
    }
    // The folder's own files, back where they were once the package's are gone.
    Restored back;
    if (reachableFromGame(game, folder) && QFileInfo(packageFolder).isDir())
        back = restoreOriginals(packageFolder, record.originals, true, &changed);
    else
        back.stillKept = record.originals;
    done.restored = back.putBack;
    done.keptBeside = back.beside;
    done.notRestored = back.failed;
    done.lostOriginals = back.lost;
    // The record keeps what is still the package's on disk; the game folder's copy of it goes
    // (or is written anew) first, so that the folders the install made can go with it.
    const std::optional<InstalledPackage> kept = keptRecord(record, files, done.failed, back);
    if (kept && reachableFromGame(game, folder)) {
        PackageManifest::write(packageFolder, *kept, nullptr);
    } else if (!kept && reachableFromGame(game, folder)) {
        PackageManifest::remove(packageFolder, record.name, record.kind);
        changed.folder(packageFolder);
    }
    removeEmptyFolders(folders, game, changed);
    // What was removed and put back is on disk before the record says so.
    if (!changed.sync())
        done.unfinished << QStringLiteral("the removals could not be written to the disk");
    const bool written = kept ? records.put(*kept) : records.remove(record.name, record.kind);
    if (!written) {
        // The journal stays: the next start writes the record.
        done.unfinished << QStringLiteral("the record could not be written: ") +
                               records.errorString();
    } else if (!journalPath.isEmpty() && QFile::remove(journalPath)) {
        FolderSync::syncParent(journalPath);
    }
    if (result)
        *result = done;
    return true;
}

bool PackageRemoval::recover(const QString &journalPath, InstalledPackages &records, QString *what)
{
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject journal = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    QString game = journal.value(QStringLiteral("gameFolder")).toString();
    InstalledPackage record;
    record.name = journal.value(QStringLiteral("name")).toString();
    record.kind = journal.value(QStringLiteral("kind")).toString();
    record.folder = journal.value(QStringLiteral("folder")).toString();
    if (game.isEmpty() && QDir::isAbsolutePath(record.folder)) {
        // A journal of the version before, which named the package folder alone: the game
        // folder is what lies above the recorded folder.
        const InstalledPackage *known = records.find(record.name, record.kind);
        const QString absolute = QDir::cleanPath(record.folder);
        const QString tail = known ? QLatin1Char('/') + QDir::cleanPath(known->folder) : QString();
        if (known && absolute.endsWith(tail)) {
            game = absolute.left(absolute.size() - tail.size());
            record.folder = QDir::cleanPath(known->folder);
            record.createdFoldersKnown = known->createdFoldersKnown;
            record.createdFolders = known->createdFolders;
        }
    }
    if (journal.contains(QStringLiteral("createdFoldersKnown"))) {
        record.createdFoldersKnown = journal.value(QStringLiteral("createdFoldersKnown")).toBool();
        record.createdFolders.clear();
        for (const QJsonValue &value : journal.value(QStringLiteral("createdFolders")).toArray())
            record.createdFolders << value.toString();
    }
    if (!journal.value(QStringLiteral("removal")).toBool() || game.isEmpty() ||
        !QDir::isAbsolutePath(game) || record.name.isEmpty() || !staysInside(record.folder)) {
        const QString aside = journalPath + QStringLiteral(".damaged");
        QFile::remove(aside);
        QFile::rename(journalPath, aside);
        FolderSync::syncParent(journalPath);
        if (what)
            *what = QStringLiteral("kept aside a damaged removal journal as ") + aside;
        return false;
    }
    if (!QFileInfo(game).isDir()) {
        if (what)
            *what = QStringLiteral("waiting for ") + game +
                    QStringLiteral(" to finish uninstalling ") + record.name;
        return false;
    }
    const QString packageFolder = QDir::cleanPath(game + QLatin1Char('/') + record.folder);
    if (!identityMatches(journal, packageFolder)) {
        if (what)
            *what = QStringLiteral("waiting for the folder ") + packageFolder +
                    QStringLiteral(" that the uninstall of ") + record.name +
                    QStringLiteral(" began in: the folder of that name now is another");
        return false;
    }
    // The files as the journal lists them: the record may already be gone.
    const QVector<InstalledFile> files =
        InstalledPackages::filesFromJson(journal.value(QStringLiteral("files")).toArray());
    const InstalledPackage *known = records.find(record.name, record.kind);
    if (known)
        record = *known;
    record.files = files;
    if (journal.contains(QStringLiteral("originals")))
        record.originals = InstalledPackages::originalsFromJson(
            journal.value(QStringLiteral("originals")).toArray());
    // The record as the journal saw it, so uninstall() reads these files.
    if (!known || records.files(record.name, record.kind).size() != files.size())
        records.put(record);
    Result result;
    if (!uninstall(game, record, records, journalPath, &result)) {
        // The journal stays for a start that can trust the records.
        if (what)
            *what = QStringLiteral("could not finish uninstalling %1: %2")
                        .arg(record.name, result.refusal);
        return false;
    }
    if (QFileInfo::exists(journalPath)) {
        if (what)
            *what = worded(Wording::Log, "PackageRemoval",
                           "uninstalling %1 removed %n file(s), but is not finished: %2", nullptr,
                           int(result.removed.size()))
                        .arg(record.name,
                             (result.failed + result.unfinished).join(QStringLiteral(", ")));
        return false;
    }
    if (what)
        *what =
            worded(Wording::Log, "PackageRemoval", "finished uninstalling %1: %n file(s) removed",
                   nullptr, int(result.removed.size()))
                .arg(record.name);
    return true;
}

void PackageRemoval::Result::refuse(const char *why, const QString &detail,
                                    const QString &detailWords)
{
    refusal = worded(Wording::Log, "PackageRemoval", why);
    refusalWords = worded(Wording::Player, "PackageRemoval", why);
    if (!detail.isNull()) {
        refusal = refusal.arg(detail);
        refusalWords = refusalWords.arg(detailWords.isNull() ? detail : detailWords);
    }
}

QString PackageRemoval::unfinishedLine(const Result &result, Wording wording)
{
    if (result.unfinished.isEmpty())
        return {};
    // The database's or the disk's own words are for the log.
    return wording == Wording::Log
               ? QStringLiteral("The next start finishes the uninstall: ") +
                     result.unfinished.join(QStringLiteral("; ")) + QLatin1Char('.')
               : tr("The next start finishes the uninstall (the log tells why it could not "
                    "now).");
}

QString PackageRemoval::describe(const QString &name, const QString &folder, const Result &result,
                                 Wording wording)
{
    const bool player = wording == Wording::Player;
    if (!result.refusal.isEmpty())
        //: %1 is the package, %2 why it cannot be uninstalled
        return (player ? tr("Could not uninstall %1: %2.")
                       : QStringLiteral("Could not uninstall %1: %2."))
            .arg(name,
                 player && !result.refusalWords.isEmpty() ? result.refusalWords : result.refusal);
    const QString separator = QStringLiteral(", ");
    QString text;
    if (result.failed.isEmpty())
        //: %1 is the package, %2 its folder in the game
        text = (player ? tr("Uninstalled %1 from %2.") : QStringLiteral("Uninstalled %1 from %2."))
                   .arg(name, folder);
    else
        text = worded(wording, "PackageRemoval",
                      //: %1 is the package, %2 its folder in the game, %3 the files
                      QT_TR_N_NOOP("Could not remove %n of the files of %1 from %2; they stay "
                                   "recorded: %3"),
                      nullptr, int(result.failed.size()))
                   .arg(name, folder, result.failed.join(separator));
    // Each list of kept files on a line of its own.
    const auto kept = [&](const QStringList &paths, const char *source) {
        if (paths.isEmpty())
            return;
        text += QLatin1Char('\n') +
                worded(wording, "PackageRemoval", source, nullptr, int(paths.size()))
                    .arg(paths.join(separator));
    };
    //: %1 is the list of files
    kept(result.changed, QT_TR_N_NOOP("Kept %n file(s) you changed: %1"));
    //: %1 is the list of files
    kept(result.added, QT_TR_N_NOOP("Kept %n file(s) you added: %1"));
    //: %1 is the list of files
    kept(result.shared, QT_TR_N_NOOP("Kept %n file(s) another package also installed: %1"));
    //: %1 is the list of files
    kept(result.before,
         QT_TR_N_NOOP("Kept %n file(s) that were in the folder before the install: %1"));
    //: %1 is the list of files
    kept(result.yours, QT_TR_N_NOOP("Kept %n file(s) of yours that an update set aside: %1"));
    //: %1 is the list of files
    kept(result.restored,
         QT_TR_N_NOOP("Put back %n file(s) that were in the folder before the install: %1"));
    //: %1 is the list of files
    kept(result.keptBeside,
         QT_TR_N_NOOP("Put back %n file(s) that were in the folder before the install beside "
                      "your changed ones: %1"));
    //: %1 is the list of files
    kept(result.notRestored,
         QT_TR_N_NOOP("Could not put back %n file(s) that were in the folder before the "
                      "install; they stay kept: %1"));
    //: %1 is the list of files
    kept(result.lostOriginals,
         QT_TR_N_NOOP("Could not put back %n file(s) that were in the folder before the "
                      "install; their kept copies are gone: %1"));
    if (!result.unfinished.isEmpty())
        text += QLatin1Char('\n') + unfinishedLine(result, wording);
    return text;
}

QString PackageRemoval::originalSuffix()
{
    return QStringLiteral(".zerun-original");
}

bool PackageRemoval::moveEntry(const QString &from, const QString &to)
{
    if (present(to))
        return false;
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       0) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

PackageRemoval::Restored PackageRemoval::restoreOriginals(const QString &packageFolder,
                                                          const QVector<KeptOriginal> &originals,
                                                          bool besideWhenTaken,
                                                          FolderBarrier *changed)
{
    Restored done;
    const QString folder = QDir::cleanPath(packageFolder);
    const QString storePrefix = PackageInstall::originalsFolder() + QLatin1Char('/');
    for (const KeptOriginal &original : originals) {
        if (original.keptAs.isEmpty()) {
            done.inPlace << original;
            continue;
        }
        const QString path = QDir::cleanPath(original.path);
        const QString keptAs = QDir::cleanPath(original.keptAs);
        // Only the folder of kept originals is read from, and nothing is written through a link.
        if (!staysInside(path) || !staysInside(keptAs) || !keptAs.startsWith(storePrefix) ||
            installerOwn(path))
            continue;
        const QString source = folder + QLatin1Char('/') + keptAs;
        if (!present(source)) {
            // Put back before a kill or a power cut cut the step off; or gone, taken away by
            // hand.
            const bool there = present(folder + QLatin1Char('/') + path);
            if (!besideWhenTaken && there)
                done.inPlace << KeptOriginal{path, QString()};
            else if (besideWhenTaken && !there)
                done.lost << path;
            continue;
        }
        const QString parent = QFileInfo(path).path();
        if (!reachableWithoutLinks(folder, keptAs) ||
            (parent != QLatin1String(".") && !reachableWithoutLinks(folder, parent))) {
            done.failed << path + QStringLiteral(" (its folder is a link)");
            done.stillKept << original;
            continue;
        }
        QString target = folder + QLatin1Char('/') + path;
        const bool taken = present(target);
        if (taken && !besideWhenTaken) {
            done.stillKept << original;
            continue;
        }
        if (taken) {
            target += originalSuffix();
            for (int n = 2; present(target); ++n)
                target = folder + QLatin1Char('/') + path + originalSuffix() + QLatin1Char('-') +
                         QString::number(n);
        }
        FolderSync::makePath(QFileInfo(target).path());
        if (!moveEntry(source, target)) {
            done.failed << path + QStringLiteral(" (could not be moved back)");
            done.stillKept << original;
            continue;
        }
        if (changed)
            changed->renamed(source, target);
        if (taken)
            done.beside << QDir(folder).relativeFilePath(target);
        else
            done.putBack << path;
        // Back in its place, and still the folder's own.
        done.inPlace << KeptOriginal{path, QString()};
    }
    // The moves out of the store on disk before its emptied folders go: a power cut that kept a
    // folder's removal but lost a move out of it would lose the file.
    if (changed && (!done.putBack.isEmpty() || !done.beside.isEmpty()))
        changed->sync();
    removeEmptyStore(folder, changed);
    return done;
}
