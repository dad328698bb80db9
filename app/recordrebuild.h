#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class InstalledPackages;

// Makes the records database of a game folder agree with the records the folder carries itself
// (PackageManifest): the database is an index that can be rebuilt. A database that describes
// another copy of the game (it names that copy's folder) is never used for this one: the copy
// gets a new database. Every manifest whose package the database lacks (the database damaged,
// missing, emptied, or new) is read, checked and put back into it; a damaged one is reported
// and never trusted. A package the database has without a manifest (recorded by an installer
// that kept none) gets one. Finally the database is marked as this copy's.
//
// Call once the records are loaded and every journal is recovered, so that a manifest and a
// database that a kill left disagreeing are settled by the journal first.
class RecordRebuild
{
    Q_DECLARE_TR_FUNCTIONS(RecordRebuild)

public:
    struct Result
    {
        int found = 0;          // packages found again from their manifests
        bool otherCopy = false; // the database described another copy of the game
        QStringList damaged;    // manifests not trusted: "<file> (<why>)"
        QStringList log;        // what was done, a line each
        QString notice;         // one line for the player; empty when there is nothing to tell
    };
    static Result settle(const QString &gameFolder, InstalledPackages &records);

    // The key of the database's own values that names the copy of the game it describes.
    static QString ownerKey();
};
