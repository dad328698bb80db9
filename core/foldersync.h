#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

// Makes directory entries durable. A rename, a create or an unlink lives in the folder that holds
// the name: a kill keeps it (the kernel has it), but a power cut keeps it only once that folder
// was synced, and in whatever order the file system chose until then. A step that relies on such
// a change (a journal saying the files may move, a record saying they are in place) syncs the
// folders first. Each call does one job; none of them changes anything but the disk's copy.
//
// On Windows the file system logs its own changes of names in order; these calls do nothing
// there and report success.
class FolderSync
{
public:
    // fsync of the folder itself: the names created, renamed or removed in it are on disk. False
    // when it cannot be opened or the file system reports an error (a folder that is not there
    // has nothing to sync and fails too).
    static bool syncFolder(const QString &folder);
    // The same for the folder that holds `path`.
    static bool syncParent(const QString &path);
    // syncfs of the file system that holds `path`: everything waiting on that file system,
    // names and bytes.
    static bool syncFileSystem(const QString &path);
    // Creates `folder` with its missing parents, each one durable in its parent before anything
    // is put into it. False when a folder could not be made or synced.
    static bool makePath(const QString &folder);
    // Creates one folder (its parent must exist) and syncs its parent. False when it could not
    // be made (also when something is there) or synced.
    static bool makeFolder(const QString &folder);
};

// The folders one step changed, synced together before the next step relies on them: the step
// names the paths it renamed, created or removed (or the folders themselves), then sync() makes
// each folder durable once.
class FolderBarrier
{
public:
    // The folder that holds `path` changed.
    void touched(const QString &path);
    // Both folders of a rename changed.
    void renamed(const QString &from, const QString &to);
    // The folder itself changed (a name in it).
    void folder(const QString &folder);
    bool isEmpty() const { return folders.isEmpty(); }

    // Syncs every folder named since the last sync. Where they are many, or one of them is gone
    // by now (the names removed in it are on disk only with its file system), the file system
    // that holds them is synced once instead. False when any sync failed; the folders are
    // forgotten either way.
    bool sync();

private:
    QSet<QString> folders;
};
