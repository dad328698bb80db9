#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

// Names every folder and fixed file of the application and keeps the three preference values.
// Holds no state: each call computes its answer from the standard locations, the application's
// identity and the XML store.
class AppPaths : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static QString appDataFolder();
    static QString preferencesFolder();
    static QString cacheFolder();
    static QString logsFolder();
    static QString tempFolder();
    static QString downloadsFolder();
    // The day's log file: logs folder + "/" + the day as "ddMMyy" + ".txt"; dailyLogFile() is
    // today's.
    static QString dailyLogFile();
    static QString dailyLogFileFor(const QDate &day);
    static QString currentSkinFile();
    static QString currentLanguageFile();

    static QString defaultUserDataFolder();
    static QString userDataFolderSetting();
    static QString userDataFolder();
    static QString userDatabasesFolder();
    static QString csvExportsFolder();
    static QString screenshotsFolder();
    static QString editorFolder();
    static QString notesFolder();
    static QString skinsFolder();

    static QString applicationFolder();
    static QString dataFolder();
    // The window icon shipped in the data folder: dataFolder() + "/art/winico.png".
    static QString windowIconFile();
    static QString dataDatabasesFolder();
    static QString languagesDataFolder();
    static QString splashVideoUrl();

    static void createFolders();
    static void createUserDataFolders(const QString &root);

    static QString currentSkin();
    static QString skinStyleSheet(const QString &name);

    static QString currentLanguage();
    // The language a start runs in: the stored one, else the desktop's as currentLanguage()
    // finds it, which is stored then, so that a fresh profile keeps the language it started in.
    // Needs the application object (the translations are looked for beside the program).
    static QString startLanguage();
    static void setCurrentLanguage(const QString &code);
    static bool hasLanguageData(const QString &code);
    // The compiled translation "<code>.qm": in the working folder's languages/, else in the
    // languages/ folder beside the executable (an installed program started from elsewhere);
    // empty when neither has it.
    static QString languageFile(const QString &code);

    // The game folder the player chose, kept as "game_folder" in the Preferences store; empty
    // when never chosen. Whether it still holds the game is for the caller to judge.
    static QString gameFolder();
    static void setGameFolder(const QString &folder);

    // The installer build the player chose to skip, kept as "skipped_build" in the Preferences
    // store; 0 when none was skipped (or the stored text is not a number).
    static int skippedBuild();
    static void setSkippedBuild(int build);

    static int countLogFiles(const QString &folder);
    // Empties `folder` but for the files named in `keep`.
    static void clearLogFiles(const QString &folder, const QStringList &keep = {});
    static void removeFiles(const QStringList &nameFilters, const QString &folder);
    static void clearTempFolder();
    static bool logsFolderHasArchives();

private:
    // W: the writable application-data location (ends with organisation and application name).
    static QString writableAppData();
    // The stored user-data folder when it names an existing path, else the default one.
    static QString existingUserDataFolderOrDefault();
    static bool namesExistingPath(const QString &value);
};
