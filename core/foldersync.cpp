#include "foldersync.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifndef Q_OS_WIN
// A read-only handle on a folder; -1 when it cannot be opened. A link to a folder (a game's
// "Pictures" on another disk) leads to the folder that holds the names.
int openFolder(const QString &folder)
{
    int fd;
    do {
        fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}
#endif

QString parentOf(const QString &path)
{
    return QFileInfo(QDir::cleanPath(path)).path();
}

// Up to this many folders of one file system are synced one by one; more, with one sync of the
// file system.
constexpr int mostFolderSyncs = 16;

// The file system that holds a folder, as text; empty where it cannot be told.
QString deviceOf(const QString &folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder)
    return QString();
#else
    struct stat status;
    if (::stat(QFile::encodeName(folder).constData(), &status) != 0)
        return QString();
    return QString::number(quint64(status.st_dev));
#endif
}

} // namespace

bool FolderSync::syncFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder)
    return true;
#else
    const int fd = openFolder(folder);
    if (fd < 0)
        return false;
    bool synced = ::fsync(fd) == 0;
#ifdef Q_OS_LINUX
    // A file system that cannot sync one folder (some network and FUSE ones) syncs whole.
    if (!synced && errno == EINVAL)
        synced = ::syncfs(fd) == 0;
#endif
    ::close(fd);
    return synced;
#endif
}

bool FolderSync::syncParent(const QString &path)
{
    return syncFolder(parentOf(path));
}

bool FolderSync::syncFileSystem(const QString &path)
{
#if defined(Q_OS_LINUX)
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
#elif !defined(Q_OS_WIN)
    Q_UNUSED(path)
    ::sync();
    return true;
#else
    Q_UNUSED(path)
    return true;
#endif
}

bool FolderSync::makeFolder(const QString &folder)
{
    return QDir().mkdir(folder) && syncParent(folder);
}

bool FolderSync::makePath(const QString &folder)
{
    // Outermost first, so that each folder's name is on disk before anything goes into it.
    QStringList missing;
    for (QString path = QDir::cleanPath(QDir(folder).absolutePath());
         !QFileInfo::exists(path) && !QFileInfo(path).isSymLink();) {
        missing.prepend(path);
        const QString parent = parentOf(path);
        if (parent == path)
            break;
        path = parent;
    }
    for (const QString &path : qAsConst(missing)) {
        // Another writer may make it meanwhile: then it is there, and its parent still synced.
        if (!QDir().mkdir(path) && !QFileInfo(path).isDir())
            return false;
        if (!syncParent(path))
            return false;
    }
    return QFileInfo(folder).isDir();
}

void FolderBarrier::touched(const QString &path)
{
    folders.insert(parentOf(path));
}

void FolderBarrier::renamed(const QString &from, const QString &to)
{
    touched(from);
    touched(to);
}

void FolderBarrier::folder(const QString &path)
{
    folders.insert(QDir::cleanPath(path));
}

bool FolderBarrier::sync()
{
    // By file system: a folder that is gone by now counts on the one of the nearest folder above
    // it that is there.
    struct FileSystem
    {
        QString anyFolder;
        QStringList folders; // those still there
        bool gone = false;
    };
    QHash<QString, FileSystem> systems;
    for (const QString &folder : qAsConst(folders)) {
        QString there = folder;
        while (!QFileInfo(there).isDir() && parentOf(there) != there)
            there = parentOf(there);
        FileSystem &system = systems[deviceOf(there)];
        system.anyFolder = there;
        if (there == folder)
            system.folders << folder;
        else
            system.gone = true;
    }
    folders.clear();
    bool synced = true;
    for (const FileSystem &system : qAsConst(systems)) {
        // One sync of the whole file system where the folders are many, or where one of them is
        // gone: the names removed in it are on disk only with it.
        if (system.gone || system.folders.size() > mostFolderSyncs) {
            synced = FolderSync::syncFileSystem(system.anyFolder) && synced;
            continue;
        }
        for (const QString &folder : system.folders)
            synced = FolderSync::syncFolder(folder) && synced;
    }
    return synced;
}
