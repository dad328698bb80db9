#pragma once

// Private to transfer/: used by the unpack operations and the unpack transaction.

#include <QSet>
#include <QString>
#include <QStringList>

// Keeps one unpack run inside its folder. Every operation that unpacks entries by their stored
// names asks it for the target of each entry, so hostile names are refused in one place:
// absolute names (/x, C:/x, C:x, \\server\x), ".." components (with either slash), ':' anywhere
// (drive letters, alternate streams) and anything whose folder resolves outside the root, also
// through links that already exist on disk. It also remembers the folders the run created, so a
// failed run can take back everything it put there.
class UnpackGuard
{
public:
    explicit UnpackGuard(const QString &folder);

    // The absolute target for an entry name, ending in "/" for a folder entry; empty when the
    // entry must not be written. Creates the folders on the way.
    QString targetFor(const QString &entryName);
    // Whether an entry name is safe to use as a relative path at all.
    static bool isSafeEntryName(const QString &entryName);

    // Removes the files given, all of them (one that cannot go does not keep the rest), then the
    // folders this guard created, deepest first and only when empty.
    void removeUnpacked(const QStringList &targets) const;
    // The folders this guard created so far, in the order of creation.
    QStringList createdFolderList() const { return createdFolders; }
    // Whether this guard made that folder (as targetFor() spells it): all it can hold is what
    // the guard's own caller put there.
    bool madeFolder(const QString &folder) const { return madeFolders.contains(folder); }

private:
    bool folderInside(const QString &folder);

    QString root;
    QString canonicalRoot;
    QSet<QString> checkedFolders;
    QSet<QString> madeFolders;
    QStringList createdFolders;
};
