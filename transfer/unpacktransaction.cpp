#include "unpacktransaction.h"

#include "foldersync.h"
#include "tscompression.h"
#include "unpackguard_p.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QString phaseUnpacking = QStringLiteral("unpacking");
const QString phaseCommitting = QStringLiteral("committing");
const QString phaseUndoing = QStringLiteral("undoing");
const QString phaseCommitted = QStringLiteral("committed");

// Staged files are spread over this many folders inside the work folder, file n in folder
// n % stagedFolderCount. Creating a file takes its folder's lock for as long as the file system
// looks for a free inode, so workers staging neighbouring entries into one folder wait on each
// other (and spin while they wait); in folders of their own they create side by side. With
// entries handed out in chunks of consecutive numbers, the workers stay folders apart. A 5,000-
// file pack staged into one folder took the two workers 5.2 s of system time against 2.1 s.
constexpr int stagedFolderCount = 16;
// A journal naming more staged folders than this was not written by a run (journals of runs
// that staged everything into the work folder itself name none).
constexpr int mostStagedFolders = 4096;

// A path that names something, also a link whose target is gone.
bool present(const QString &path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
#else
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
#endif
}

enum class Kind { Missing, Folder, Other };

// What a path names, without following a link at its end.
Kind kindOf(const QString &path)
{
#ifdef Q_OS_WIN
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Kind::Missing;
    return info.isDir() && !info.isSymLink() ? Kind::Folder : Kind::Other;
#else
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return Kind::Missing;
    return S_ISDIR(status.st_mode) ? Kind::Folder : Kind::Other;
#endif
}

// Renames `from` over `to`, replacing a file (or link) there in one step.
bool replaceFile(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

// Staged files must be on disk before the journal says they may be moved into place. A kill
// alone would not need it (the page cache outlives the process, and the moves are renames), but
// after a power cut a journal saying "committing" over staged files whose bytes never reached
// the disk would put empty or torn files in place of the player's. One call for the whole file
// system is far cheaper than one per file, and the unpack has already handed every staged file
// to the disk as it was written (sync_file_range, see TsCompression), so this mostly waits for
// the last pieces: measured on the 4 x 64 MB pack, 0.79 s before that and 0.35 s after; on the
// 5,000 small files 0.03 to 0.4 s. Dropping it would save that much more, but only by giving up
// the power-cut half of the journal's promise. It also puts the names of the work folder and of
// the staged files on disk. False when the file system reports that something could not be
// written.
bool syncStagedFiles(const QString &folder)
{
    return FolderSync::syncFileSystem(folder);
}

#ifndef Q_OS_WIN
// The process umask, read once without changing it where the system tells it.
mode_t processUmask()
{
    static const mode_t mask = [] {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n')) {
                if (line.startsWith("Umask:")) {
                    bool ok = false;
                    const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
                    if (ok)
                        return mode_t(value);
                }
            }
        }
        const mode_t current = ::umask(022);
        ::umask(current);
        return current;
    }();
    return mask;
}
#endif

// Removes the folders a run created that are empty, and makes their removal durable.
void removeCreatedFolders(QStringList folders)
{
    // Deepest first, so emptied parents can go too; rmdir leaves anything not empty alone.
    std::sort(folders.begin(), folders.end(), [](const QString &a, const QString &b) {
        return a.count(QLatin1Char('/')) > b.count(QLatin1Char('/'));
    });
    FolderBarrier barrier;
    for (const QString &folder : qAsConst(folders)) {
        if (QDir().rmdir(folder))
            barrier.touched(folder);
    }
    barrier.sync();
}

// Moves staged files (named by their number inside the work folder) to their targets. Where
// the system allows, through handles on the work folder and on each target folder, so that the
// kernel does not walk both full paths again for every file.
class StagedMoves
{
public:
    explicit StagedMoves(const QString &work) : work(work)
    {
#ifndef Q_OS_WIN
        workFd = ::open(QFile::encodeName(work).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#endif
    }
    ~StagedMoves()
    {
#ifndef Q_OS_WIN
        if (workFd >= 0)
            ::close(workFd);
        for (const int fd : qAsConst(folderFds))
            ::close(fd);
#endif
    }
    StagedMoves(const StagedMoves &) = delete;
    StagedMoves &operator=(const StagedMoves &) = delete;

    // `staged`: the staged file's name inside the work folder.
    bool move(const QString &staged, const QString &target)
    {
#ifndef Q_OS_WIN
        const int slash = target.lastIndexOf(QLatin1Char('/'));
        if (workFd >= 0 && slash > 0) {
            const QString folder = target.left(slash);
            auto it = folderFds.constFind(folder);
            if (it == folderFds.constEnd() && folderFds.size() < 256) {
                it = folderFds.insert(folder, ::open(QFile::encodeName(folder).constData(),
                                                     O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            }
            if (it != folderFds.constEnd() && it.value() >= 0) {
                return ::renameat(workFd, QFile::encodeName(staged).constData(), it.value(),
                                  QFile::encodeName(target.mid(slash + 1)).constData()) == 0;
            }
        }
#endif
        return replaceFile(work + QLatin1Char('/') + staged, target);
    }

private:
    QString work;
#ifndef Q_OS_WIN
    int workFd = -1;
    QHash<QString, int> folderFds;
#endif
};

QString cleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

UnpackTransaction::UnpackTransaction(const QString &destination, const QString &journalPath)
    : root(cleanAbsolute(destination)), journal(journalPath)
{}

UnpackTransaction::~UnpackTransaction()
{
    if (phase == Phase::Unpacking || phase == Phase::Committing)
        rollback();
}

QStringList UnpackTransaction::missingFolders(const QString &folder)
{
    QStringList missing;
    for (QString path = cleanAbsolute(folder); !present(path);) {
        missing.prepend(path);
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return missing;
}

QString UnpackTransaction::workPrefix()
{
    return QStringLiteral(".zerun-unpack-");
}

QString UnpackTransaction::reservedPrefix()
{
    return QStringLiteral(".zerun-");
}

QFile::Permissions UnpackTransaction::permissionsFor(QFile::Permissions stored, bool folder)
{
    // The owner keeps what the archive says and can always read and write (and enter folders).
    QFile::Permissions owner = (stored & (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) |
                               QFile::ReadOwner | QFile::WriteOwner;
    if (folder)
        owner |= QFile::ExeOwner;
    QFile::Permissions result = owner;
    if (owner & QFile::ReadOwner)
        result |= QFile::ReadUser;
    if (owner & QFile::WriteOwner)
        result |= QFile::WriteUser;
    if (owner & QFile::ExeOwner)
        result |= QFile::ExeUser;
    // Group and others get at most what the archive gives them and the umask lets through, and
    // never the right to write.
    QFile::Permissions others = stored & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::ExeOther);
#ifndef Q_OS_WIN
    const mode_t mask = processUmask();
    const struct
    {
        mode_t bit;
        QFile::Permission permission;
    } bits[] = {{S_IRGRP, QFile::ReadGroup},
                {S_IWGRP, QFile::WriteGroup},
                {S_IXGRP, QFile::ExeGroup},
                {S_IROTH, QFile::ReadOther},
                {S_IXOTH, QFile::ExeOther}};
    for (const auto &bit : bits) {
        if (mask & bit.bit)
            others &= ~QFile::Permissions(bit.permission);
    }
#endif
    return result | others;
}

int UnpackTransaction::creationMask()
{
#ifdef Q_OS_WIN
    return 0;
#else
    return int(processUmask());
#endif
}

bool UnpackTransaction::prepareJournal(const QString &journalPath, const QString &destination,
                                       const QStringList &createdFolders)
{
    UnpackTransaction prepared(destination, journalPath);
    for (const QString &folder : createdFolders)
        prepared.createdFolders << cleanAbsolute(folder);
    const QStringList missing = missingFolders(destination);
    prepared.anchor = missing.isEmpty() ? prepared.root : QFileInfo(missing.first()).path();
    return prepared.writeJournal(Phase::Unpacking);
}

bool UnpackTransaction::begin()
{
    if (phase != Phase::Idle)
        return false;
    // Folders named by a prepared journal stay this run's to remove.
    if (!journal.isEmpty()) {
        QFile prepared(journal);
        if (prepared.open(QIODevice::ReadOnly)) {
            const QJsonObject object = QJsonDocument::fromJson(prepared.readAll()).object();
            if (cleanAbsolute(object.value(QStringLiteral("destination")).toString()) == root) {
                const QJsonArray folders = object.value(QStringLiteral("createdFolders")).toArray();
                for (const QJsonValue &folder : folders)
                    createdFolders << folder.toString();
                if (anchor.isEmpty())
                    anchor = object.value(QStringLiteral("anchor")).toString();
            }
        }
    }
    // A destination that does not exist yet is the run's own, down to the first existing parent.
    const QStringList missing = missingFolders(root);
    if (anchor.isEmpty())
        anchor = missing.isEmpty() ? root : QFileInfo(missing.first()).path();
    const quint32 tail = QRandomGenerator::global()->generate();
    work = root + QLatin1Char('/') + workPrefix() + QString::number(tail, 16);
    stagedFolders = stagedFolderCount;
    createdFolders << missing;
    phase = Phase::Unpacking;
    if (!writeJournal(Phase::Unpacking)) {
        error = QStringLiteral("could not write the journal ") + journal;
        rollback();
        return false;
    }
    // With a journal, each folder is on disk before anything goes into it.
    const bool made = isDurable() ? FolderSync::makePath(root) && FolderSync::makeFolder(work)
                                  : QDir().mkpath(root) && QDir().mkdir(work);
    if (!made) {
        error = QStringLiteral("could not create a work folder in ") + root;
        rollback();
        return false;
    }
    for (int folder = 0; folder < stagedFolders; ++folder) {
        if (!QDir().mkdir(work + QLatin1Char('/') + QString::number(folder))) {
            error = QStringLiteral("could not create a work folder in ") + root;
            rollback();
            return false;
        }
    }
    if (isDurable() && !FolderSync::syncFolder(work)) {
        error = QStringLiteral("could not write the work folder in ") + root +
                QStringLiteral(" to the disk");
        rollback();
        return false;
    }
    return true;
}

QString UnpackTransaction::relativeName(const QString &entryName) const
{
    if (!UnpackGuard::isSafeEntryName(entryName))
        return QString();
    QString name = entryName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString relative = QDir::cleanPath(name);
    if (relative == QLatin1String("."))
        relative = QLatin1String("");
    if (relative.startsWith(QLatin1String("./")))
        relative = relative.mid(2);
    // The installer's own names at the top of a destination (work folders, the folder that keeps
    // the files an install replaced) are never an archive's.
    if (relative.section(QLatin1Char('/'), 0, 0).startsWith(reservedPrefix(), Qt::CaseInsensitive))
        return QString();
    // Not null: the destination itself is the empty, non-null name.
    return relative.isNull() ? QLatin1String("") : relative;
}

int UnpackTransaction::addFile(const QString &entryName)
{
    if (phase != Phase::Unpacking)
        return -1;
    const QString cleaned = relativeName(entryName);
    if (cleaned.isEmpty() || entryName.endsWith(QLatin1Char('/'))) {
        error = QStringLiteral("refused the entry name ") + entryName;
        return -1;
    }
    const QString relative = placedSpelling(cleaned, true);
    const QString renamed = renames.value(relative);
    if (!renamed.isEmpty() && relativeName(renamed) != renamed) {
        error = QStringLiteral("refused the entry name ") + renamed;
        return -1;
    }
    const int number = fileCount++;
    entries.append(Entry{renamed.isEmpty() ? relative : renamed, number, {}});
    stagedHashes.resize(size_t(fileCount));
    return number;
}

void UnpackTransaction::setRenames(const QHash<QString, QString> &map)
{
    renames = map;
}

void UnpackTransaction::setHold(bool on)
{
    hold = on;
}

void UnpackTransaction::setPayload(const QJsonObject &data)
{
    payload = data;
}

void UnpackTransaction::setAnchor(const QString &folder)
{
    anchor = cleanAbsolute(folder);
}

QVector<QPair<QString, int>> UnpackTransaction::stagedFiles() const
{
    QVector<QPair<QString, int>> files;
    files.reserve(fileCount);
    for (const Entry &entry : entries) {
        if (entry.number >= 0)
            files.append({entry.name, entry.number});
    }
    return files;
}

QString UnpackTransaction::backupPath(int number) const
{
    return stagedPath(number) + QStringLiteral(".old");
}

QString UnpackTransaction::stagedName(int number) const
{
    return stagedNameIn(stagedFolders, number);
}

QString UnpackTransaction::stagedNameIn(int folders, int number)
{
    if (folders <= 0)
        return QString::number(number);
    return QString::number(number % folders) + QLatin1Char('/') + QString::number(number);
}

QString UnpackTransaction::stagedPath(int number) const
{
    return work + QLatin1Char('/') + stagedName(number);
}

QString UnpackTransaction::backupPathIn(const QJsonObject &journalObject, int number)
{
    return journalObject.value(QStringLiteral("work")).toString() + QLatin1Char('/') +
           stagedNameIn(journalObject.value(QStringLiteral("stagedFolders")).toInt(), number) +
           QStringLiteral(".old");
}
void UnpackTransaction::setStagedHash(int number, qint64 size, const QByteArray &sha256Hex)
{
    if (number < 0 || size_t(number) >= stagedHashes.size())
        return;
    StagedHash &slot = stagedHashes[size_t(number)];
    slot.size = size;
    slot.sha256 = sha256Hex;
}

QByteArray UnpackTransaction::stagedHash(int number) const
{
    if (number < 0 || size_t(number) >= stagedHashes.size())
        return QByteArray();
    return stagedHashes[size_t(number)].sha256;
}

qint64 UnpackTransaction::stagedSize(int number) const
{
    if (number < 0 || size_t(number) >= stagedHashes.size())
        return -1;
    return stagedHashes[size_t(number)].size;
}

bool UnpackTransaction::addFolder(const QString &entryName, QFile::Permissions permissions)
{
    if (phase != Phase::Unpacking)
        return false;
    const QString relative = relativeName(entryName);
    if (relative.isNull()) {
        error = QStringLiteral("refused the entry name ") + entryName;
        return false;
    }
    // "./" names the destination, which an archive never changes.
    if (!relative.isEmpty())
        entries.append(Entry{placedSpelling(relative, false), -1, permissions});
    return true;
}

QString UnpackTransaction::placedSpelling(const QString &relative, bool file)
{
    QString placed;
    for (int start = 0; start <= relative.size();) {
        int end = relative.indexOf(QLatin1Char('/'), start);
        if (end < 0)
            end = relative.size();
        const QString part = relative.mid(start, end - start);
        const QString path = placed.isEmpty() ? part : placed + QLatin1Char('/') + part;
        auto known = spellings.find(path.toCaseFolded());
        if (known == spellings.end())
            known = spellings.insert(path.toCaseFolded(), Spelling{path, QString()});
        placed = known->placed;
        start = end + 1;
        if (start > relative.size() && file) {
            // The whole path of a file: a file named before in another spelling is replaced.
            if (known->fileNamed.isNull())
                known->fileNamed = relative;
            else if (known->fileNamed != relative && !caseFolded.contains(placed))
                caseFolded << placed;
        }
    }
    return placed;
}

bool UnpackTransaction::commit()
{
    if (phase != Phase::Unpacking)
        return false;
    if (!journal.isEmpty()) {
        if (!syncStagedFiles(work)) {
            error = QStringLiteral("could not write the unpacked files to the disk");
            rollback();
            return false;
        }
        // The folders the moves are about to create are the run's before the first is made, so
        // that a run cut off at any moment of its commit is finished or undone with all of them.
        createdFolders << foldersToCreate();
        createdFolders.removeDuplicates();
        if (!writeJournal(Phase::Committing)) {
            error = QStringLiteral("could not write the journal ") + journal;
            rollback();
            return false;
        }
    }
    phase = Phase::Committing;
    // Every staged file is there and nothing is set aside yet: no need to look for either.
    resumeChecksOff = true;
    UnpackGuard guard(root);
    const bool moved = moveIntoPlace(guard);
    resumeChecksOff = false;
    if (!moved) {
        createdFolders << guard.createdFolderList();
        undoCommit();
        return false;
    }
    if (hold) {
        // The folders this commit made belong to the change too.
        createdFolders << guard.createdFolderList();
        createdFolders.removeDuplicates();
        phase = Phase::Committed;
        if (!writeJournal(Phase::Committed)) {
            // Without the journal nobody could finish the change later: undo it now.
            undoCommit();
            error = QStringLiteral("could not write the journal ") + journal;
            return false;
        }
        return true;
    }
    removeWork();
    removeJournal();
    phase = Phase::Done;
    return true;
}

QStringList UnpackTransaction::foldersToCreate() const
{
    QStringList missing;
    QSet<QString> looked;
    for (const Entry &entry : entries) {
        // The folders of the entry's name, outermost first, as UnpackGuard spells them.
        const QStringList parts = entry.name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        const int folders = entry.number < 0 ? int(parts.size()) : int(parts.size()) - 1;
        QString path = root;
        for (int i = 0; i < folders; ++i) {
            path += QLatin1Char('/') + parts.at(i);
            if (looked.contains(path))
                continue;
            looked.insert(path);
            if (!present(path))
                missing << path;
        }
    }
    return missing;
}

void UnpackTransaction::undoCommit()
{
    phase = Phase::Undoing;
    writeJournal(Phase::Undoing);
    undoMoves();
    markUndone();
    removeWork();
    removeCreatedFolders(createdFolders);
    removeJournal();
    phase = Phase::Done;
}

void UnpackTransaction::rollback()
{
    // A held run is in place: only its caller's recovery or release() ends it.
    if (phase == Phase::Committed)
        return;
    if (phase == Phase::Committing || phase == Phase::Undoing) {
        undoMoves();
        markUndone();
    }
    if (phase != Phase::Idle && phase != Phase::Done) {
        removeWork();
        removeCreatedFolders(createdFolders);
        removeJournal();
    }
    phase = Phase::Done;
}

bool UnpackTransaction::makeTargetFolders(UnpackGuard &guard, QStringList *targets)
{
    // A power cut that kept a move into a new folder but lost the folder's own name would lose
    // the file. So the new folders are made level by level, outermost first, each level's names
    // on disk in their parents before anything goes into them.
    if (isDurable()) {
        QMap<int, QStringList> levels;
        for (const QString &folder : foldersToCreate())
            levels[int(folder.count(QLatin1Char('/')))] << folder;
        for (const QStringList &level : qAsConst(levels)) {
            FolderBarrier made;
            for (const QString &folder : level) {
                const QString name = folder.mid(root.size() + 1);
                if (guard.targetFor(name + QLatin1Char('/')).isEmpty()) {
                    error = QStringLiteral("could not create the folder ") + name;
                    return false;
                }
                made.touched(folder);
            }
            if (!made.sync()) {
                error = QStringLiteral("could not write the new folders to the disk");
                return false;
            }
        }
    }
    const int madeBefore = int(guard.createdFolderList().size());
    targets->reserve(entries.size());
    for (const Entry &entry : qAsConst(entries)) {
        const bool folder = entry.number < 0;
        const QString target = guard.targetFor(folder ? entry.name + QLatin1Char('/') : entry.name);
        if (target.isEmpty()) {
            error = (folder ? QStringLiteral("could not create the folder ")
                            : QStringLiteral("could not create the folder for ")) +
                    entry.name;
            return false;
        }
        if (folder && entry.permissions != 0)
            QFile::setPermissions(target, permissionsFor(entry.permissions, true));
        *targets << target;
    }
    // Folders the levels did not foresee (none, unless the folder changed meanwhile).
    FolderBarrier made;
    const QStringList created = guard.createdFolderList();
    for (int i = madeBefore; i < created.size(); ++i)
        made.touched(created.at(i));
    if (isDurable() && !made.sync()) {
        error = QStringLiteral("could not write the new folders to the disk");
        return false;
    }
    return true;
}

QVector<bool> UnpackTransaction::movedEntries() const
{
    // An archive may name a file twice: the last entry of a name is the one placed, the earlier
    // ones stay staged and go with the work folder. So every file set aside is one the run found
    // there, never one of its own.
    QVector<bool> moved(entries.size(), false);
    QSet<QString> names;
    for (int i = int(entries.size()) - 1; i >= 0; --i) {
        const Entry &entry = entries.at(i);
        if (entry.number >= 0 && !names.contains(entry.name)) {
            names.insert(entry.name);
            moved[i] = true;
        }
    }
    return moved;
}

bool UnpackTransaction::setAside(UnpackGuard &guard, const QStringList &targetOf,
                                 const QVector<bool> &moved)
{
    // Every file the entries replace is set aside, on disk, before the first entry takes a
    // place: a power cut that kept a move into place but lost the move aside before it would
    // lose the replaced file.
    FolderBarrier aside;
    const bool resuming = !resumeChecksOff;
    for (int i = 0; i < entries.size(); ++i) {
        if (!moved.at(i))
            continue;
        const QString &target = targetOf.at(i);
        const QString staged = stagedPath(entries.at(i).number);
        // In place already, before a kill or a power cut cut the run off.
        if (resuming && !present(staged))
            continue;
        // In a folder this commit made, nothing can be in the way.
        const int slash = target.lastIndexOf(QLatin1Char('/'));
        if (slash > 0 && guard.madeFolder(target.left(slash)))
            continue;
        const Kind existing = kindOf(target);
        if (existing == Kind::Folder) {
            error = QStringLiteral("a folder is in the way of ") + entries.at(i).name;
            return false;
        }
        const QString backup = staged + QStringLiteral(".old");
        if (existing == Kind::Missing || (resuming && present(backup)))
            continue;
        if (!replaceFile(target, backup)) {
            error = QStringLiteral("could not move aside ") + entries.at(i).name;
            return false;
        }
        aside.renamed(target, backup);
    }
    if (isDurable() && !aside.sync()) {
        error = QStringLiteral("could not write the files set aside to the disk");
        return false;
    }
    return true;
}

bool UnpackTransaction::moveIntoPlace(UnpackGuard &guard)
{
    QStringList targetOf; // by entry
    if (!makeTargetFolders(guard, &targetOf))
        return false;
    const QVector<bool> moved = movedEntries();
    if (!setAside(guard, targetOf, moved))
        return false;
    StagedMoves moves(work);
    FolderBarrier barrier;
    placed.clear();
    placed.reserve(entries.size());
    const bool resuming = !resumeChecksOff;
    for (int i = 0; i < entries.size(); ++i) {
        const QString &target = targetOf.at(i);
        placed << target;
        if (!moved.at(i))
            continue;
        const QString stagedAs = stagedName(entries.at(i).number);
        const QString staged = work + QLatin1Char('/') + stagedAs;
        // Moved already, before a kill cut the run off (maybe not yet on disk).
        if (!resuming || present(staged)) {
            if (!moves.move(stagedAs, target)) {
                error = QStringLiteral("could not move into place ") + entries.at(i).name;
                return false;
            }
        }
        barrier.renamed(staged, target);
    }
    // Every move on disk before a journal or the caller's record says that the entries are in
    // place.
    if (isDurable() && !barrier.sync()) {
        error = QStringLiteral("could not write the moved files to the disk");
        return false;
    }
    return true;
}

void UnpackTransaction::undoMoves()
{
    // Each entry's file goes back to its staged place first, all of them on disk, and only then
    // do the files set aside come back: so a file at an entry's place whose staged file is gone
    // is always the entry's own, also after a power cut that kept any of these moves but not
    // others. An undo cut off can simply run again.
    const QVector<bool> moved = movedEntries();
    FolderBarrier back;
    for (int i = 0; i < entries.size(); ++i) {
        if (!moved.at(i))
            continue;
        const QString target = root + QLatin1Char('/') + entries.at(i).name;
        const QString staged = stagedPath(entries.at(i).number);
        if (!present(staged) && present(target) && replaceFile(target, staged))
            back.renamed(target, staged);
    }
    if (isDurable())
        back.sync();
    for (int i = 0; i < entries.size(); ++i) {
        if (!moved.at(i))
            continue;
        const QString target = root + QLatin1Char('/') + entries.at(i).name;
        const QString backup = stagedPath(entries.at(i).number) + QStringLiteral(".old");
        if (present(backup) && replaceFile(backup, target))
            back.renamed(backup, target);
    }
    if (isDurable())
        back.sync();
    placed.clear();
}

void UnpackTransaction::removeWork()
{
    // Only a work folder of this kind, right inside the destination, is ever removed whole.
    const QFileInfo info(work);
    if (work.isEmpty() || !info.fileName().startsWith(workPrefix()) ||
        cleanAbsolute(info.path()) != root)
        return;
    QDir(work).removeRecursively();
    // Gone on disk, with everything in it, before the journal goes: else a power cut could leave
    // it with nothing that names it.
    if (isDurable()) {
        FolderBarrier gone;
        gone.folder(work);
        gone.sync();
    }
}

QStringList UnpackTransaction::targets() const
{
    return placed;
}

QString UnpackTransaction::errorString() const
{
    return error;
}

bool UnpackTransaction::writeJournal(Phase journalPhase) const
{
    if (journal.isEmpty())
        return true;
    QJsonObject object;
    object.insert(QStringLiteral("destination"), root);
    object.insert(QStringLiteral("work"), work);
    // The folders by what they are, not only by their paths: a journal acts on these folders
    // only, never on another that later took the path.
    const QJsonObject rootId = folderIdentity(root);
    if (!rootId.isEmpty())
        object.insert(QStringLiteral("destinationId"), rootId);
    const QJsonObject workId = work.isEmpty() ? QJsonObject() : folderIdentity(work);
    if (!workId.isEmpty())
        object.insert(QStringLiteral("workId"), workId);
    if (stagedFolders > 0)
        object.insert(QStringLiteral("stagedFolders"), stagedFolders);
    object.insert(QStringLiteral("createdFolders"), QJsonArray::fromStringList(createdFolders));
    if (!anchor.isEmpty())
        object.insert(QStringLiteral("anchor"), anchor);
    if (hold)
        object.insert(QStringLiteral("hold"), true);
    if (!payload.isEmpty())
        object.insert(QStringLiteral("payload"), payload);
    QString name = phaseUnpacking;
    if (journalPhase == Phase::Committing)
        name = phaseCommitting;
    else if (journalPhase == Phase::Undoing)
        name = phaseUndoing;
    else if (journalPhase == Phase::Committed)
        name = phaseCommitted;
    object.insert(QStringLiteral("phase"), name);
    if (journalPhase != Phase::Unpacking) {
        QJsonArray list;
        for (const Entry &entry : entries) {
            QJsonObject item;
            item.insert(QStringLiteral("name"), entry.name);
            item.insert(QStringLiteral("number"), entry.number);
            if (entry.permissions != 0)
                item.insert(QStringLiteral("permissions"), int(entry.permissions));
            list.append(item);
        }
        object.insert(QStringLiteral("entries"), list);
    }
    FolderSync::makePath(QFileInfo(journal).path());
    return saveJournal(journal, QJsonDocument(object).toJson(QJsonDocument::Compact));
}

namespace {
std::function<void(const QString &)> journalWriteHook;
} // namespace

bool UnpackTransaction::saveJournal(const QString &journalPath, const QByteArray &bytes)
{
    // A temporary file beside the journal, named as a cut-off save is known at start-up
    // ("<journal>.<6 letters>"), written and synced, then renamed over the journal: a reader (and
    // a restart after a kill or a power cut) finds the old journal or the whole new one.
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    QFile file;
    for (int attempt = 0; attempt < 16 && !file.isOpen(); ++attempt) {
        QString suffix(6, QLatin1Char('a'));
        for (QChar &letter : suffix)
            letter = QLatin1Char(letters[QRandomGenerator::global()->bounded(52)]);
        file.setFileName(journalPath + QLatin1Char('.') + suffix);
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
    if (!file.isOpen())
        return false;
    bool written = file.write(bytes) == bytes.size() && file.flush();
#ifdef Q_OS_WIN
    written = written && ::_commit(file.handle()) == 0;
#else
    written = written && ::fsync(file.handle()) == 0;
#endif
    file.close();
    if (written && journalWriteHook)
        journalWriteHook(journalPath);
    // The journal's name on disk before anything relies on it.
    if (written && replaceFile(file.fileName(), journalPath))
        return FolderSync::syncParent(journalPath);
    QFile::remove(file.fileName());
    return false;
}

void UnpackTransaction::setJournalWriteHook(std::function<void(const QString &)> hook)
{
    journalWriteHook = std::move(hook);
}

void UnpackTransaction::removeJournal() const
{
    // Gone on disk before the next change: a journal that came back after a power cut would end
    // its change again over whatever came since.
    if (!journal.isEmpty() && QFile::remove(journal))
        FolderSync::syncParent(journal);
}

void UnpackTransaction::markUndone()
{
    // Every entry is back in the work folder and every file set aside back in its place: from
    // here on the run is one that never left the work folder, and so its journal says. Removing
    // the work folder under a journal that still said "undoing" could make a later undo take a
    // file put back for one of the run's own.
    writeJournal(Phase::Unpacking);
}

QJsonObject UnpackTransaction::readJournal(const QString &journalPath)
{
    QFile file(journalPath);
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(file.readAll()).object();
}

QString UnpackTransaction::damagedPath(const QString &journalPath)
{
    return journalPath + QStringLiteral(".damaged");
}

QString UnpackTransaction::recover(const QString &journalPath)
{
    QString what;
    recoverRun(journalPath, &what);
    return what;
}

UnpackTransaction::Recovery UnpackTransaction::recoverRun(const QString &journalPath, QString *what)
{
    QString done;
    const auto tell = [&](Recovery result, const QString &text) {
        if (what)
            *what = text;
        return result;
    };
    if (!present(journalPath))
        return tell(Recovery::Missing, QString());
    const QJsonObject object = readJournal(journalPath);
    const QString destination = object.value(QStringLiteral("destination")).toString();
    const QString phaseName = object.value(QStringLiteral("phase")).toString();
    // A journal that cannot be trusted is kept aside with whatever it names, for a person to
    // look at: guessing could undo the wrong thing.
    const auto damaged = [&] {
        const QString aside = damagedPath(journalPath);
        QFile::remove(aside);
        QFile::rename(journalPath, aside);
        FolderSync::syncParent(journalPath);
        return tell(Recovery::Damaged, QStringLiteral("kept aside a damaged unpack journal as ") +
                                           aside + QStringLiteral(" (with its work folder)"));
    };
    if (destination.isEmpty() || !QDir::isAbsolutePath(destination) ||
        (phaseName != phaseUnpacking && phaseName != phaseCommitting && phaseName != phaseUndoing &&
         phaseName != phaseCommitted))
        return damaged();

    UnpackTransaction run(destination, journalPath);
    run.work = object.value(QStringLiteral("work")).toString();
    run.stagedFolders = object.value(QStringLiteral("stagedFolders")).toInt();
    if (run.stagedFolders < 0 || run.stagedFolders > mostStagedFolders)
        return damaged();
    run.anchor = object.value(QStringLiteral("anchor")).toString();
    run.hold = object.value(QStringLiteral("hold")).toBool();
    run.payload = object.value(QStringLiteral("payload")).toObject();
    const QJsonArray folders = object.value(QStringLiteral("createdFolders")).toArray();
    for (const QJsonValue &folder : folders)
        run.createdFolders << folder.toString();
    if (!run.work.isEmpty() && (cleanAbsolute(QFileInfo(run.work).path()) != run.root ||
                                !QFileInfo(run.work).fileName().startsWith(workPrefix())))
        return damaged();
    const QJsonArray list = object.value(QStringLiteral("entries")).toArray();
    for (const QJsonValue &value : list) {
        const QJsonObject item = value.toObject();
        const QString name = item.value(QStringLiteral("name")).toString();
        // The journal is ours, but a name is checked like any entry name before it is used.
        if (run.relativeName(name) != name || name.isEmpty())
            return damaged();
        run.entries.append(
            Entry{name, item.value(QStringLiteral("number")).toInt(-1),
                  QFile::Permissions(item.value(QStringLiteral("permissions")).toInt())});
    }
    // The game folder's drive not mounted, the folder renamed, or another folder in its place:
    // come back at a later start.
    QString waitingFor;
    if (mustWait(object, &waitingFor))
        return tell(Recovery::Waiting, waitingFor);
    if (phaseName == phaseCommitted) {
        run.phase = Phase::Done;
        return tell(Recovery::Held,
                    QStringLiteral("the unpack into ") + run.root + QStringLiteral(" is in place"));
    }

    Recovery result = Recovery::Undone;
    if (phaseName == phaseCommitting) {
        run.phase = Phase::Committing;
        UnpackGuard guard(run.root);
        if (run.moveIntoPlace(guard)) {
            if (run.hold) {
                run.createdFolders << guard.createdFolderList();
                run.createdFolders.removeDuplicates();
                if (run.writeJournal(Phase::Committed)) {
                    run.phase = Phase::Done;
                    return tell(Recovery::Held, QStringLiteral("moved the interrupted unpack "
                                                               "into place in ") +
                                                    run.root);
                }
            }
            run.removeWork();
            done = QStringLiteral("finished the interrupted unpack into ") + run.root;
            result = Recovery::Finished;
        } else {
            run.createdFolders << guard.createdFolderList();
            run.writeJournal(Phase::Undoing);
            run.undoMoves();
            run.markUndone();
            run.removeWork();
            removeCreatedFolders(run.createdFolders);
            done = QStringLiteral("undid the interrupted unpack into ") + run.root +
                   QStringLiteral(" (") + run.error + QLatin1Char(')');
        }
    } else {
        if (phaseName == phaseUndoing) {
            run.undoMoves();
            run.markUndone();
        }
        run.removeWork();
        removeCreatedFolders(run.createdFolders);
        done = QStringLiteral("undid the interrupted unpack into ") + run.root;
    }
    run.removeJournal();
    run.phase = Phase::Done;
    return tell(result, done);
}

QJsonObject UnpackTransaction::folderIdentity(const QString &path)
{
#ifdef Q_OS_WIN
    const HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()), 0,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return QJsonObject();
    BY_HANDLE_FILE_INFORMATION info;
    const bool read = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!read)
        return QJsonObject();
    const quint64 index = (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return QJsonObject{{QStringLiteral("device"), QString::number(info.dwVolumeSerialNumber)},
                       {QStringLiteral("inode"), QString::number(index)}};
#else
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QJsonObject();
    return QJsonObject{{QStringLiteral("device"), QString::number(quint64(status.st_dev))},
                       {QStringLiteral("inode"), QString::number(quint64(status.st_ino))}};
#endif
}

bool UnpackTransaction::mustWait(const QJsonObject &object, QString *why)
{
    const QString destination =
        cleanAbsolute(object.value(QStringLiteral("destination")).toString());
    const QString anchor = object.value(QStringLiteral("anchor")).toString();
    const auto wait = [&](const QString &text) {
        if (why)
            *why = text;
        return true;
    };
    // The folder the unpack goes into may be its own anchor: it is named once.
    if (!anchor.isEmpty() && kindOf(anchor) != Kind::Folder)
        return wait(cleanAbsolute(anchor) == destination
                        ? QString(QStringLiteral("waiting for the folder ") + destination +
                                  QStringLiteral(" to be there again to finish the unpack into "
                                                 "it"))
                        : QString(QStringLiteral("waiting for ") + anchor +
                                  QStringLiteral(" to finish the unpack into ") + destination));
    const QJsonObject rootId = object.value(QStringLiteral("destinationId")).toObject();
    if (!rootId.isEmpty() && folderIdentity(destination) != rootId)
        return wait(QStringLiteral("waiting for the folder ") + destination +
                    QStringLiteral(" that the unpack began in: the folder of that name now is "
                                   "another, or none"));
    const QString work = object.value(QStringLiteral("work")).toString();
    const QJsonObject workId = object.value(QStringLiteral("workId")).toObject();
    if (!workId.isEmpty() && present(work) && folderIdentity(work) != workId)
        return wait(QStringLiteral("waiting for the work folder ") + work +
                    QStringLiteral(": the folder of that name now is another"));
    return false;
}

bool UnpackTransaction::release(const QString &journalPath)
{
    const QJsonObject object = readJournal(journalPath);
    if (object.value(QStringLiteral("phase")).toString() != phaseCommitted)
        return false;
    UnpackTransaction run(object.value(QStringLiteral("destination")).toString(), journalPath);
    run.work = object.value(QStringLiteral("work")).toString();
    run.removeWork();
    if (!run.work.isEmpty() && present(run.work))
        return false;
    run.removeJournal();
    run.phase = Phase::Done;
    return true;
}
