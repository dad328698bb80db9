#pragma once

#include <QString>
#include <QVector>

// Which records belong to which game folder. The records of installed packages describe one copy
// of the game: a second copy elsewhere has none of them, and a copy that moved keeps its own. Each
// copy is known by its folder with every link resolved and by the identity of that folder on its
// disk (device and inode), and has a database of its own, listed in a small index in the Cache
// folder. A copy found elsewhere by its identity (moved, renamed) keeps its records; a folder at
// a listed place whose identity is new (put back from a backup) takes that place's records. The
// first copy listed keeps the database of the former single store
// (InstalledPackages::defaultPath()), so records made before the index existed stay with the game
// that was in use.
//
// The index is read and written whole on each call; calls belong to the installer that holds the
// profile's single-instance lock.
class GameRecords
{
public:
    struct Game
    {
        QString path;     // absolute, every link resolved; the cleaned path when it is missing
        QString identity; // "<device>:<inode>" of that folder; empty when it is missing
    };

    // The game folder as the index knows it.
    static Game identify(const QString &gameFolder);

    // The records database of that copy of the game, listed in the index on first use. A copy
    // found under another path (moved or renamed) keeps its records and the index follows it; a
    // copy at another path gets records of its own. `notice` gets a line for the log
    // when the index changed in a way worth telling, or could not be written.
    static QString databaseFor(const QString &gameFolder, QString *notice = nullptr);

    // Gives that copy of the game a new, empty database of its own (when the one listed for it
    // turns out to describe another copy) and lists it in the index.
    static QString newDatabaseFor(const QString &gameFolder);

    // Where the index lives: `<Cache>/game_records.json`.
    static QString indexPath();
    // The folder that holds the databases of every copy after the first.
    static QString databaseFolder();

    struct Entry
    {
        Game game;
        QString database; // relative to the Cache folder
    };
    // The index as it stands; empty when there is none or it cannot be read.
    static QVector<Entry> entries();
};
