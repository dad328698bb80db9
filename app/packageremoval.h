#pragma once

#include "installedpackages.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Takes the files of an installed package out of its folder: exactly the recorded files whose
// bytes are still the installed ones. Files the player changed (or that are gone) are kept and
// reported; so are files the player added. Folders go only when empty, so a mod's SaveGames
// folder stays while it holds anything.
//
// The removal is journaled: the journal (written through QSaveFile) lists the files before the
// first is removed, so a removal cut off by a kill is finished by recover() at the next start
// (files still unchanged are removed then), and the package's record goes with it.
//
// Nothing runs in the background: every call does its work before it returns, on the caller's
// thread, and keeps no state between calls.
class PackageRemoval
{
public:
    struct Result
    {
        QStringList removed; // relative to the package folder
        QStringList changed; // recorded, but with other bytes now (kept)
        QStringList added;   // in the folder, never recorded (kept)
    };

    // Sorts the recorded files into unchanged (to remove) and changed, and lists the added
    // files when `listAdded`. Touches nothing.
    static Result plan(const QString &packageFolder, const QVector<InstalledFile> &files,
                       bool listAdded);

    // Removes the unchanged files of `files`, then the folders they leave empty (the package
    // folder too when `removeFolder`). With `recordPath`, the record of name and kind is removed
    // from those records when the files are gone. False when the journal could not be written
    // (nothing was removed then), or when the record could not be removed (the files are gone,
    // the journal is kept for the next start to finish).
    static bool carryOut(const QString &packageFolder, const QVector<InstalledFile> &files,
                         bool removeFolder, const QString &journalPath, Result *result,
                         const QString &recordPath = QString(), const QString &name = QString(),
                         const QString &kind = QString());

    // Finishes the removal a journal describes and removes the journal; what was done, for the
    // log. A damaged journal is only removed.
    static QString recover(const QString &journalPath);
};
