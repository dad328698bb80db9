#pragma once

#include "installedpackages.h"
#include "wording.h"

class FolderBarrier;

#include <QCoreApplication>
#include <QJsonObject>

#include <QString>
#include <QStringList>
#include <QVector>

// Takes the files of an installed package out of the game folder, and never anything else:
// - only recorded files whose bytes are still the installed ones (files the player changed are
//   kept and reported, so are files the player added);
// - never through a link: every component of a path below the game folder is checked, and a
//   package folder that is itself a link is not touched at all;
// - never a file that another package's record also names with the same bytes (two packages in
//   one folder);
// - only folders the package's install created (records from before that was kept: only empty
//   folders that its file paths name);
// - a file that cannot be deleted is an error: the record keeps the files still there;
// - the folder's own files that the install kept aside (KeptOriginal) go back to their places,
//   so the folder is as it was before the first install, except for what the player changed
//   since: where the player's file now takes an original's place, the original comes back beside
//   it as "<file>.zerun-original".
//
// An uninstall is journaled: the journal lists the files before the first is removed, so an
// uninstall cut off by a kill or a power cut is finished by recover() at the next start, record
// included. Its removals and the originals put back are on disk before the record changes, and
// the record's change before the journal goes.
// Every call does its work before it returns, on the caller's thread.
class PackageRemoval
{
    Q_DECLARE_TR_FUNCTIONS(PackageRemoval)

public:
    struct Result
    {
        QStringList removed;     // relative to the package folder
        QStringList changed;     // recorded, but with other bytes now (kept)
        QStringList added;       // in the folder, never recorded (kept)
        QStringList before;      // in the folder before the first install, left in place (kept)
        QStringList yours;       // the player's files an update set aside as "<file>.zerun-mine"
        QStringList restored;    // kept originals back in their places
        QStringList keptBeside;  // kept originals back beside the player's file that took the place
        QStringList notRestored; // kept originals that could not be put back: "<path> (<reason>)"
        QStringList lostOriginals; // kept originals whose kept copy is gone: never put back
        QStringList shared;      // another package's record names them with these bytes (kept)
        QStringList failed;      // could not be removed: "<path> (<reason>)"
        // Steps after the removals that the next start finishes (the record could not be
        // written, the removals not synced), in the words of the log; the files are gone.
        QStringList unfinished;
        QString refusal;         // why nothing at all was done; empty when the removal ran
        QString refusalWords;    // the same in the player's words

        // Refuses for `why` (a text of this class, "%1" standing for `detail` when not null, or
        // in the player's words for `detailWords` when that is not null).
        void refuse(const char *why, const QString &detail = QString(),
                    const QString &detailWords = QString());
    };

    // Sorts the recorded files into unchanged (removable) and changed, and lists the added
    // files when `listAdded`. Touches nothing.
    static Result plan(const QString &packageFolder, const QVector<InstalledFile> &files,
                       bool listAdded);

    // Removes what may be removed of `files` (below the package folder `folder`, relative to
    // `gameFolder`); no folder is removed. For an update's old files. `changed` (when given)
    // learns the folders whose names changed; the caller syncs them.
    static Result removeFiles(const QString &gameFolder, const QString &folder,
                              const QVector<InstalledFile> &files, const InstalledPackages *records,
                              const QString &name, const QString &kind,
                              FolderBarrier *changed = nullptr);

    // Uninstalls the package of `record` (its files from `records`) under a journal at
    // `journalPath`; the record goes when every file is gone, else keeps those still there.
    // False when nothing could be done (`result->refusal` says why), among others when the
    // package's rows do not pass InstalledPackages::checkPackage(): nothing is removed and no
    // journal is written then.
    static bool uninstall(const QString &gameFolder, const InstalledPackage &record,
                          InstalledPackages &records, const QString &journalPath, Result *result);

    // Finishes the uninstall a journal describes. False when it must wait (the game folder is
    // not there, the records are in use or damaged, the record could not be written) or the
    // journal was damaged (kept aside); `what` says what was done.
    static bool recover(const QString &journalPath, InstalledPackages &records, QString *what);

    // Whether `relative` below `base` can be reached without passing a link, the last component
    // included; `base` itself is trusted.
    static bool reachableWithoutLinks(const QString &base, const QString &relative);
    // The same below the game folder, whose own structure is trusted like the folder itself: its
    // sub-folders "Databases", "Pictures" and "Skins" may be links (another disk), followed as the
    // install followed them. Nothing below them is reached through a link.
    static bool reachableFromGame(const QString &gameFolder, const QString &relative);

    struct Restored
    {
        QStringList putBack;
        QStringList beside; // "<file>.zerun-original"
        QStringList failed; // "<path> (<reason>)"
        QStringList lost;   // kept aside, but gone from the folder of kept originals
        QVector<KeptOriginal> stillKept;
        QVector<KeptOriginal> inPlace; // never moved: nothing to put back
    };
    // Puts the kept originals of the package folder (absolute) back where their places are free;
    // with `besideWhenTaken`, an original whose place is taken comes back beside it as
    // "<file>.zerun-original". Never through a link. Emptied folders of the kept originals go.
    // An original whose kept copy is gone while its place holds a file was put back by a run that
    // was cut off: it counts as in place. `changed` (when given) learns the folders whose names
    // changed; the caller syncs them.
    static Restored restoreOriginals(const QString &packageFolder,
                                     const QVector<KeptOriginal> &originals, bool besideWhenTaken,
                                     FolderBarrier *changed = nullptr);
    // Renames a file or link to a name nothing has; false when something is there or the rename
    // fails.
    static bool moveEntry(const QString &from, const QString &to);
    // "<file>.zerun-original".
    static QString originalSuffix();
    // Whether a removal journal belongs to the package folder at that path now (journals that
    // name no folder identity do).
    static bool identityMatches(const QJsonObject &journal, const QString &packageFolder);

    // That the next start finishes the uninstall, for its reader; empty when nothing waits.
    static QString unfinishedLine(const Result &result, Wording wording);
    // What the player reads after an uninstall.
    static QString describe(const QString &name, const QString &folder, const Result &result,
                            Wording wording = Wording::Log);
};
