#pragma once

#include <QDir>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QVector>

// Finds the install folder of TEW2016: the folder the player chose on an earlier run while it
// still holds the game, else every place a launcher may have put it (the game's default paths,
// Wine prefixes, Steam libraries, Lutris, Bottles and PlayOnLinux prefixes). One find is taken as
// it is; several are put to the player as a list. Every path component is matched without regard
// to case, since a Windows game copied onto a Linux file system keeps whatever case it was given.
class GameFolder
{
public:
    // A folder that holds the game (with "/" separators and a trailing "/"), or a place looked
    // in, with the name of the launcher it belongs to ("Wine", "Steam", "Lutris", ...).
    struct Candidate
    {
        QString folder;
        QString launcher;
        // What tells this find apart from others of its launcher: the bottle's or prefix's name,
        // the Proton game's app id; empty where the path does.
        QString detail = QString();

        bool operator==(const Candidate &other) const
        {
            return folder == other.folder && launcher == other.launcher;
        }
    };

    static QString executableName() { return QStringLiteral("TEW2016.exe"); }

    // Every path tried first, in order: the two default paths, then the same two in the prefix
    // named by WINEPREFIX (when set), then in ~/.wine.
    static QStringList defaultExecutables();

    // The folder of an executable path whose file name is TEW2016.exe in any case, with its
    // trailing "/"; empty for any other file name.
    static QString folderOf(const QString &executable);
    // The executable inside `folder` in whatever case it has there, or an empty string.
    static QString executableIn(const QString &folder);

    // The folders that hold the game, in search order, each once: the default paths and the Wine
    // prefixes, Steam libraries (native, ~/.local/share and Flatpak, with every library of
    // libraryfolders.vdf in steamapps/ or config/, and the Proton prefix of each game in
    // steamapps/compatdata), Lutris prefixes (the prefix: line of each game's configuration, and
    // every folder of ~/Games), Bottles and PlayOnLinux prefixes. In each folder of ~/Games and
    // of a prefix's drive C: (but Windows' own) the executable counts at any depth up to four
    // levels, in any case; hidden folders are passed over, and a link is followed only while it
    // stays inside the home folder. `home` stands for the player's home folder; WINEPREFIX,
    // XDG_CONFIG_HOME and XDG_DATA_HOME are read from `environment`.
    static QVector<Candidate> candidates(const QString &home,
                                         const QProcessEnvironment &environment);
    // The places candidates() looks in that hold none of its finds, for telling the player
    // where the game was not found.
    static QVector<Candidate> searchedPlaces(const QString &home,
                                             const QProcessEnvironment &environment);

    // The remembered folder (the "game_folder" preference) while it still holds the game; else
    // empty.
    static QString remembered();
    // Keeps the folder the player chose for the next runs.
    static void remember(const QString &folder);

    // remembered(), else the only candidate, else the one the player picks from the list (which
    // is remembered); empty when nothing was found or the list was closed. Never asks for a file.
    static QString locate(const QString &home, const QProcessEnvironment &environment);
    static QString locate();

    // Asks which of several finds to use; the chosen one is remembered. Empty when closed.
    static QString choose(const QVector<Candidate> &found);
    static QString chooseTitle();
    // One line of that list: the launcher's name and the find's detail, then the path (the home
    // folder as "~"), shortened in the middle to choicePathLength characters so that the game's
    // own folder stays in sight.
    static QString choiceText(const Candidate &candidate, const QString &home = QDir::homePath());
    // The launcher's name with the find's detail: "Bottles (Gaming)", "Steam (Proton 440)".
    static QString labelOf(const Candidate &candidate);
    static constexpr int choicePathLength = 60;

    // Offers another install in place of `current`: every install the search finds (the one in
    // use marked) and "Another Folder…", the file chooser. The choice is remembered. Empty when
    // the list or the chooser was closed, or the one in use was chosen again.
    static QString change(const QString &current);

    // The player's own pointing at the executable through the file chooser; the folder of the
    // chosen file, or empty when cancelled. `chosenFile` receives the answer as given, so that
    // a wrong file can be named.
    static QString browse(QString *chosenFile = nullptr);

    // The game's own sub-folder `name` ("Databases", "Pictures", "Skins") as it is spelt in
    // `gameFolder` ("databases/"), with a trailing "/"; `name` itself when no such folder exists.
    static QString subFolder(const QString &gameFolder, const QString &name);

    // The folder as the installer uses it from the moment it is chosen: every link on its path
    // resolved (a game folder that is a link, or lies behind one), with a trailing "/". The
    // game's own sub-folders stay as they are: install and uninstall follow a link there alike
    // (see PackageRemoval::reachableFromGame). `folder` itself when it is not there.
    static QString resolved(const QString &folder);

    static QString firstPromptTitle();
    static QString promptFilter() { return QStringLiteral("TEW2016.exe (TEW2016.exe)"); }
};
