#pragma once

#include "installedpackages.h"

#include <QString>
#include <QStringList>
#include <QVector>

// What an install leaves behind when it is cut off, dealt with at start-up before anything else
// reads the game folder: the journals of unpacks that a kill, a power loss or a closed window
// interrupted, and archives that no install refers to any more. Every call does its work before
// it returns, on the caller's thread.
class InstallRecovery
{
public:
    // Where the install journals live: a folder of the profile's Cache folder, never the game
    // folder.
    static QString journalFolder();
    // A fresh journal path for one install, and one for one removal of a package's files.
    static QString newJournalPath();
    static QString newRemovalJournalPath();

    // What the start-up does before anything reads the game folder, once the single-instance
    // lock is held: removes cut-off saves, loads `records`, finishes or undoes every journal,
    // then removes the leftovers no install refers to any more; each step goes to the daily log.
    // Returns what the catalogue page tells the player, a line each (empty: nothing); a
    // database it replaced is told by records.replacementWords() instead.
    // `halfChanged` gets the packages that a change cut off left half changed (see recoverAll).
    static QString atStart(InstalledPackages &records,
                           QVector<InstalledPackage> *halfChanged = nullptr);

    // Finishes or undoes every install a journal describes (its record included), and finishes
    // every interrupted removal; one line per journal of what was done, for the daily log.
    // Journals whose game folder is not there stay for a later start, damaged ones are kept
    // aside; `notices` gets a line for the player about each. A journal damaged from outside (cut
    // short) can be neither finished nor undone: the package whose folder it names is half
    // changed, and goes to `halfChanged` for a repair.
    static QStringList recoverAll(InstalledPackages &records, QStringList *notices = nullptr,
                                  QVector<InstalledPackage> *halfChanged = nullptr);
    // The package recorded in the folder that a damaged journal (as kept aside) names; none when
    // it names no recorded package folder.
    static const InstalledPackage *packageOfDamaged(const QString &damagedJournal,
                                                    const InstalledPackages &records);

    // A journal that recovery has to leave for later, and what it belongs to.
    struct Waiting
    {
        QString name; // the package; empty for an unpack that names none
        QString kind;
        QString folder; // the folder it waits for
        QString why;    // for the log and the player
    };
    // The journals that wait now (their game folder, package folder or work folder is not the
    // one they began with). Touches nothing.
    static QVector<Waiting> waitingJournals();
    // Why a journal waits for that package; empty when none does. While one does, the package is
    // not installed or updated again: the change it began is not over.
    static QString waitingFor(const QString &name, const QString &kind);

    // Removes the archives ("*.zip") in the downloads folder, which no install refers to once
    // recovery is over (archives kept after a failure, archives orphaned by a closed window).
    // Partial downloads kept for resuming have names of their own and stay. Returns the count.
    static int removeLeftoverArchives();
    // Removes the work folders a repair fetches its archive into (`repair-*` in the downloads
    // folder) that an earlier run left behind (never through a link). Returns the count.
    static int removeLeftoverWorkFolders();
    // The prefix of those work folders' names.
    static QString repairFolderPrefix();

    // Removes the temporary files that a write cut off by a kill leaves beside the files the
    // program saves whole (journals, preferences and cache values, the catalogue copy, the notes
    // of partial downloads, the records' former document): "<name>.<6 letters or digits>", where
    // <name> is one of those files' names. Nothing else is touched, links never followed. Call
    // it only while holding the single-instance lock: another installer's writes look the same.
    // Returns the paths removed.
    static QStringList removeSaveTemporaries();

    // Writes a diagnostic record that the message handler puts into the daily log file.
    static void note(const QString &text);
};
