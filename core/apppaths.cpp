#include "apppaths.h"

#include "foldersync.h"
#include "tslogging.h"
#include "tsxml.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// Removes everything inside `folder` but keeps the folder itself (made when missing): removing
// and making it again would leave a moment without it, in which anything written there (a log
// line, a crash dump) is lost.
void emptyFolder(const QString &folder, const QStringList &keep = {})
{
    QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (keep.contains(entry.fileName()))
            continue;
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            dir.remove(entry.fileName());
    }
    QDir().mkpath(folder);
}

const QString userDataFolderKey = QStringLiteral("user_data_folder");
const QString currentSkinKey = QStringLiteral("current_skin");
const QString currentLanguageKey = QStringLiteral("current_language");
const QString gameFolderKey = QStringLiteral("game_folder");
const QString skippedBuildKey = QStringLiteral("skipped_build");
} // namespace

QString AppPaths::writableAppData()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool AppPaths::namesExistingPath(const QString &value)
{
    // Relative values are tested against the working directory; an empty one names nothing.
    return !value.isEmpty() && QDir().exists(value);
}

QString AppPaths::appDataFolder()
{
    return writableAppData() + QLatin1Char('/') + QCoreApplication::applicationName();
}

QString AppPaths::preferencesFolder()
{
    return appDataFolder() + QStringLiteral("/Preferences");
}

QString AppPaths::cacheFolder()
{
    return appDataFolder() + QStringLiteral("/Cache");
}

QString AppPaths::logsFolder()
{
    return writableAppData() + QStringLiteral("/Logs");
}

QString AppPaths::tempFolder()
{
    return writableAppData() + QLatin1Char('/') + QCoreApplication::applicationName() +
           QStringLiteral("/Temp");
}

QString AppPaths::downloadsFolder()
{
    return appDataFolder() + QStringLiteral("/Temp/Downloads");
}

QString AppPaths::dailyLogFile()
{
    return dailyLogFileFor(QDate::currentDate());
}

QString AppPaths::dailyLogFileFor(const QDate &day)
{
    return logsFolder() + QLatin1Char('/') + day.toString(QStringLiteral("ddMMyy")) +
           QStringLiteral(".txt");
}

QString AppPaths::currentSkinFile()
{
    return cacheFolder() + QStringLiteral("/current_skin.xml");
}

QString AppPaths::currentLanguageFile()
{
    return cacheFolder() + QStringLiteral("/current_language.xml");
}

QString AppPaths::defaultUserDataFolder()
{
    return QDir::homePath() + QStringLiteral("/Documents/Tandel Orvik/") +
           QCoreApplication::applicationName();
}

QString AppPaths::userDataFolderSetting()
{
    return TsXML::load(TsXML::Preferences, userDataFolderKey);
}

QString AppPaths::userDataFolder()
{
    const QString stored = userDataFolderSetting();
    if (namesExistingPath(stored))
        return stored;
    const QString fallback = defaultUserDataFolder();
    TsXML::save(TsXML::Preferences, userDataFolderKey, fallback);
    return fallback;
}

QString AppPaths::existingUserDataFolderOrDefault()
{
    const QString stored = userDataFolderSetting();
    return namesExistingPath(stored) ? stored : defaultUserDataFolder();
}

QString AppPaths::userDatabasesFolder()
{
    return userDataFolderSetting() + QStringLiteral("/Databases");
}

QString AppPaths::csvExportsFolder()
{
    return existingUserDataFolderOrDefault() + QStringLiteral("/CSV Exports");
}

QString AppPaths::screenshotsFolder()
{
    return existingUserDataFolderOrDefault() + QStringLiteral("/Screenshots");
}

QString AppPaths::editorFolder()
{
    return existingUserDataFolderOrDefault() + QStringLiteral("/Editor");
}

QString AppPaths::notesFolder()
{
    return userDataFolder() + QStringLiteral("/Notes");
}

QString AppPaths::skinsFolder()
{
    return userDataFolder() + QStringLiteral("/Skins");
}

QString AppPaths::applicationFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString AppPaths::dataFolder()
{
    return applicationFolder() + QStringLiteral("/data");
}

QString AppPaths::windowIconFile()
{
    return dataFolder() + QStringLiteral("/art/winico.png");
}

QString AppPaths::dataDatabasesFolder()
{
    return dataFolder() + QStringLiteral("/databases");
}

QString AppPaths::languagesDataFolder()
{
    return applicationFolder() + QStringLiteral("/data/languages");
}

QString AppPaths::splashVideoUrl()
{
    return QStringLiteral("file:///") + applicationFolder() +
           QStringLiteral("/data/video/splash.avi");
}

void AppPaths::createFolders()
{
    QDir dir;
    // The records and the journals of changes to the game folder live in the Cache folder: its
    // name is on disk before anything there is relied on.
    FolderSync::makePath(appDataFolder());
    FolderSync::makePath(preferencesFolder());
    FolderSync::makePath(cacheFolder());
    const QString defaultRoot = defaultUserDataFolder();
    dir.mkpath(defaultRoot);
    for (const char *sub : {"/CSV Exports", "/Databases", "/Editor", "/Notes", "/Save Games",
                            "/Screenshots", "/Skins"})
        dir.mkpath(defaultRoot + QLatin1String(sub));
    if (!QFile::exists(currentSkinFile()))
        TsXML::save(TsXML::Cache, currentSkinKey, QStringLiteral("default"));
    // The language is stored by the first start once the desktop's locale can be read
    // (startLanguage()), not here, before the application object exists.
    dir.mkpath(logsFolder());
    dir.mkpath(tempFolder());
    dir.mkpath(downloadsFolder());
    dir.mkpath(editorFolder());
}

void AppPaths::createUserDataFolders(const QString &root)
{
    QDir dir;
    for (const char *sub :
         {"/CSV Exports", "/Databases", "/Editor", "/Save Games", "/Screenshots", "/Skins"})
        dir.mkpath(root + QLatin1String(sub));
}

QString AppPaths::currentSkin()
{
    const QString stored = TsXML::load(TsXML::Cache, currentSkinKey);
    return namesExistingPath(stored) ? stored : QStringLiteral("default");
}

QString AppPaths::skinStyleSheet(const QString &name)
{
    const QString path = skinsFolder() + QLatin1Char('/') + currentSkin() +
                         QStringLiteral("/css/") + name + QStringLiteral(".css");
    if (!QFile::exists(path))
        return QStringLiteral("/* DEFAULT STYLE */");
    // A reader needs read access only: a read-only sheet must still apply.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream stream(&file);
    return stream.readAll();
}

QString AppPaths::currentLanguage()
{
    if (QFile::exists(currentLanguageFile()))
        return TsXML::load(TsXML::Cache, currentLanguageKey);
    const QString localeName = QLocale::system().name();
    const int cut = localeName.lastIndexOf(QLatin1Char('_'));
    const QString code = cut < 0 ? QString() : localeName.left(cut);
    return languageFile(code).isEmpty() ? QStringLiteral("en") : code;
}

QString AppPaths::startLanguage()
{
    const bool stored = QFile::exists(currentLanguageFile());
    const QString code = currentLanguage();
    if (!stored)
        setCurrentLanguage(code);
    return code;
}

void AppPaths::setCurrentLanguage(const QString &code)
{
    TsXML::save(TsXML::Cache, currentLanguageKey, code);
}

QString AppPaths::gameFolder()
{
    return TsXML::load(TsXML::Preferences, gameFolderKey);
}

void AppPaths::setGameFolder(const QString &folder)
{
    TsXML::save(TsXML::Preferences, gameFolderKey, folder);
}

int AppPaths::skippedBuild()
{
    return TsXML::load(TsXML::Preferences, skippedBuildKey).trimmed().toInt();
}

void AppPaths::setSkippedBuild(int build)
{
    TsXML::save(TsXML::Preferences, skippedBuildKey, QString::number(build));
}

QString AppPaths::languageFile(const QString &code)
{
    // A code names a file in languages/, never a path elsewhere.
    if (code.isEmpty() || code.contains(QLatin1Char('/')) || code.contains(QLatin1Char('\\')) ||
        code.startsWith(QLatin1Char('.')))
        return {};
    const QString name = QStringLiteral("/languages/") + code + QStringLiteral(".qm");
    for (const QString &folder : {QDir::currentPath(), applicationFolder()}) {
        if (QFile::exists(folder + name))
            return folder + name;
    }
    return {};
}

bool AppPaths::hasLanguageData(const QString &code)
{
    if (languageFile(code).isEmpty()) {
        TsLogging::Log::channelDebug(TsLogging::Channel::alertName(),
                                     QStringLiteral("No Language Data has been found"));
        return false;
    }
    return true;
}

int AppPaths::countLogFiles(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return 0;
    return dir.entryList({QStringLiteral("*.dmp"), QStringLiteral("*.txt")}).size();
}

void AppPaths::clearLogFiles(const QString &folder, const QStringList &keep)
{
    // The day's log is kept open between records; let go of it first, since an open file cannot
    // be removed everywhere. The next record starts a new one.
    TsLogging::closeDailyLog();
    emptyFolder(folder, keep);
}

void AppPaths::removeFiles(const QStringList &nameFilters, const QString &folder)
{
    QDir dir(folder);
    const QStringList names = dir.entryList(nameFilters, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        dir.remove(name);
}

void AppPaths::clearTempFolder()
{
    emptyFolder(tempFolder());
}

bool AppPaths::logsFolderHasArchives()
{
    return !QDir(logsFolder()).entryList({QStringLiteral("*.zip")}).isEmpty();
}
