#include "apppaths.h"
#include "startup.h"
#include "testfiles.h"
#include "testprofile.h"
#include "tsxml.h"

#include <QtTest>

#include <functional>

namespace {

const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

const QFile::Permissions folderMark = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

// Gives `folder` permissions that a folder made anew would not have, so that it can be told
// from one made again at the same path.
bool markFolder(const QString &folder)
{
    return QFile::setPermissions(folder, folderMark);
}

} // namespace

class TestAppPaths : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void paths_data();
    void paths();
    void freshTree();
    void secondRunWritesNothingAgain();
    void userDataFolderThatWasDeleted();
    void storedUserDataFolderInUse();
    void relativeValuesAreTestedAgainstTheWorkingFolder();
    void userDatabasesFolderWithoutSetting();
    void createUserDataFolders();
    void currentSkin();
    void skinStyleSheet_data();
    void skinStyleSheet();
    void readOnlyStyleSheetIsRead();
    void logsFolderUpkeep();
    void removeFilesAndTempFolder();

private:
    QString w() const
    {
        return profile->dataHome() + QStringLiteral("/Tandel Orvik/Zerun Installer");
    }
    QString a() const { return w() + QStringLiteral("/Zerun Installer"); }
    QString d() const
    {
        return profile->home() + QStringLiteral("/Documents/Tandel Orvik/Zerun Installer");
    }

    std::unique_ptr<TestProfile> profile;
    QString workingFolder;
};

void TestAppPaths::initTestCase()
{
    setInstallerIdentity();
    workingFolder = QDir::currentPath();
}

void TestAppPaths::init()
{
    profile = std::make_unique<TestProfile>();
    QVERIFY(profile->isValid());
}

void TestAppPaths::cleanup()
{
    QDir::setCurrent(workingFolder);
    profile.reset();
}

void TestAppPaths::paths_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("relative");
    // "W", "A", "D" and "P" stand for the roots, filled in by the test.
    QTest::newRow("appDataFolder") << "appDataFolder"
                                   << "A";
    QTest::newRow("preferencesFolder") << "preferencesFolder"
                                       << "A/Preferences";
    QTest::newRow("cacheFolder") << "cacheFolder"
                                 << "A/Cache";
    QTest::newRow("logsFolder") << "logsFolder"
                                << "W/Logs";
    QTest::newRow("tempFolder") << "tempFolder"
                                << "A/Temp";
    QTest::newRow("downloadsFolder") << "downloadsFolder"
                                     << "A/Temp/Downloads";
    QTest::newRow("dailyLogFile") << "dailyLogFile"
                                  << "W/Logs/(today).txt";
    QTest::newRow("currentSkinFile") << "currentSkinFile"
                                     << "A/Cache/current_skin.xml";
    QTest::newRow("currentLanguageFile") << "currentLanguageFile"
                                         << "A/Cache/current_language.xml";
    QTest::newRow("defaultUserDataFolder") << "defaultUserDataFolder"
                                           << "D";
    QTest::newRow("userDataFolder") << "userDataFolder"
                                    << "D";
    QTest::newRow("csvExportsFolder") << "csvExportsFolder"
                                      << "D/CSV Exports";
    QTest::newRow("screenshotsFolder") << "screenshotsFolder"
                                       << "D/Screenshots";
    QTest::newRow("editorFolder") << "editorFolder"
                                  << "D/Editor";
    QTest::newRow("notesFolder") << "notesFolder"
                                 << "D/Notes";
    QTest::newRow("skinsFolder") << "skinsFolder"
                                 << "D/Skins";
    QTest::newRow("applicationFolder") << "applicationFolder"
                                       << "P";
    QTest::newRow("dataFolder") << "dataFolder"
                                << "P/data";
    QTest::newRow("dataDatabasesFolder") << "dataDatabasesFolder"
                                         << "P/data/databases";
    QTest::newRow("languagesDataFolder") << "languagesDataFolder"
                                         << "P/data/languages";
    QTest::newRow("splashVideoUrl") << "splashVideoUrl"
                                    << "file:///P/data/video/splash.avi";
}

void TestAppPaths::paths()
{
    QFETCH(QString, operation);
    QFETCH(QString, relative);

    const QHash<QString, std::function<QString()>> operations = {
        {"appDataFolder", AppPaths::appDataFolder},
        {"preferencesFolder", AppPaths::preferencesFolder},
        {"cacheFolder", AppPaths::cacheFolder},
        {"logsFolder", AppPaths::logsFolder},
        {"tempFolder", AppPaths::tempFolder},
        {"downloadsFolder", AppPaths::downloadsFolder},
        {"dailyLogFile", AppPaths::dailyLogFile},
        {"currentSkinFile", AppPaths::currentSkinFile},
        {"currentLanguageFile", AppPaths::currentLanguageFile},
        {"defaultUserDataFolder", AppPaths::defaultUserDataFolder},
        {"userDataFolder", AppPaths::userDataFolder},
        {"csvExportsFolder", AppPaths::csvExportsFolder},
        {"screenshotsFolder", AppPaths::screenshotsFolder},
        {"editorFolder", AppPaths::editorFolder},
        {"notesFolder", AppPaths::notesFolder},
        {"skinsFolder", AppPaths::skinsFolder},
        {"applicationFolder", AppPaths::applicationFolder},
        {"dataFolder", AppPaths::dataFolder},
        {"dataDatabasesFolder", AppPaths::dataDatabasesFolder},
        {"languagesDataFolder", AppPaths::languagesDataFolder},
        {"splashVideoUrl", AppPaths::splashVideoUrl},
    };
    QVERIFY(operations.contains(operation));

    QString expected = relative;
    const int root = expected.startsWith(QLatin1String("file:///")) ? 8 : 0;
    const QHash<QChar, QString> roots = {
        {'W', w()}, {'A', a()}, {'D', d()}, {'P', QCoreApplication::applicationDirPath()}};
    expected.replace(root, 1, roots.value(expected.at(root)));
    expected.replace(QStringLiteral("(today)"),
                     QDate::currentDate().toString(QStringLiteral("ddMMyy")));
    QCOMPARE(operations.value(operation)(), expected);
}

void TestAppPaths::freshTree()
{
    AppPaths::createFolders();

    QStringList expected = {
        ".local/",
        ".local/share/",
        ".local/share/Tandel Orvik/",
        ".local/share/Tandel Orvik/Zerun Installer/",
        ".local/share/Tandel Orvik/Zerun Installer/Logs/",
    };
    for (const char *sub :
         {"", "Cache/", "Cache/current_skin.xml", "Preferences/", "Temp/", "Temp/Downloads/"})
        expected << QStringLiteral(".local/share/Tandel Orvik/Zerun Installer/Zerun Installer/") +
                        QLatin1String(sub);
    for (const char *sub : {"Documents/", "Documents/Tandel Orvik/"})
        expected << QLatin1String(sub);
    for (const char *sub : {"", "CSV Exports/", "Databases/", "Editor/", "Notes/", "Save Games/",
                            "Screenshots/", "Skins/"})
        expected << QStringLiteral("Documents/Tandel Orvik/Zerun Installer/") + QLatin1String(sub);
    expected.sort();
    QCOMPARE(profile->tree(), expected);

    QCOMPARE(TestFiles::read(AppPaths::currentSkinFile()), declaration + "<data>default</data>\n");
    // The language is the first start's to store, once the desktop's locale can be read.
    QVERIFY(!QFile::exists(AppPaths::currentLanguageFile()));
    // Nothing chose a user-data folder yet.
    QVERIFY(
        !QFile::exists(AppPaths::preferencesFolder() + QStringLiteral("/user_data_folder.xml")));
}

void TestAppPaths::secondRunWritesNothingAgain()
{
    AppPaths::createFolders();
    TsXML::save(TsXML::Cache, QStringLiteral("current_skin"), QStringLiteral("dark"));
    AppPaths::setCurrentLanguage(QStringLiteral("de"));
    const QByteArray skin = TestFiles::read(AppPaths::currentSkinFile());
    const QByteArray language = TestFiles::read(AppPaths::currentLanguageFile());
    const QDateTime skinTime = QFileInfo(AppPaths::currentSkinFile()).lastModified();
    // A folder removed since the last run comes back.
    QVERIFY(QDir(AppPaths::downloadsFolder()).removeRecursively());

    AppPaths::createFolders();
    QCOMPARE(TestFiles::read(AppPaths::currentSkinFile()), skin);
    QCOMPARE(TestFiles::read(AppPaths::currentLanguageFile()), language);
    QCOMPARE(QFileInfo(AppPaths::currentSkinFile()).lastModified(), skinTime);
    QVERIFY(QFileInfo(AppPaths::downloadsFolder()).isDir());
}

void TestAppPaths::userDataFolderThatWasDeleted()
{
    AppPaths::createFolders();
    const QString gone = profile->home() + QStringLiteral("/Moved Away");
    QVERIFY(QDir().mkpath(gone));
    TsXML::save(TsXML::Preferences, QStringLiteral("user_data_folder"), gone);
    QVERIFY(QDir(gone).removeRecursively());

    // Reading through the fall-back-only operations leaves the setting as it was...
    QCOMPARE(AppPaths::csvExportsFolder(), d() + QStringLiteral("/CSV Exports"));
    QCOMPARE(AppPaths::screenshotsFolder(), d() + QStringLiteral("/Screenshots"));
    QCOMPARE(AppPaths::editorFolder(), d() + QStringLiteral("/Editor"));
    QCOMPARE(AppPaths::userDataFolderSetting(), gone);
    QCOMPARE(AppPaths::userDatabasesFolder(), gone + QStringLiteral("/Databases"));

    // ...while the user-data folder itself rewrites it to the default.
    QCOMPARE(AppPaths::userDataFolder(), d());
    QCOMPARE(AppPaths::userDataFolderSetting(), d());
    QCOMPARE(
        TestFiles::read(AppPaths::preferencesFolder() + QStringLiteral("/user_data_folder.xml")),
        declaration + "<data>" + d().toUtf8() + "</data>\n");
}

void TestAppPaths::storedUserDataFolderInUse()
{
    const QString chosen = profile->home() + QStringLiteral("/My <Games> & Data");
    QVERIFY(QDir().mkpath(chosen));
    QVERIFY(QDir().mkpath(AppPaths::preferencesFolder()));
    TsXML::save(TsXML::Preferences, QStringLiteral("user_data_folder"), chosen);
    QCOMPARE(AppPaths::userDataFolder(), chosen);
    QCOMPARE(AppPaths::csvExportsFolder(), chosen + QStringLiteral("/CSV Exports"));
    QCOMPARE(AppPaths::notesFolder(), chosen + QStringLiteral("/Notes"));
    QCOMPARE(AppPaths::skinsFolder(), chosen + QStringLiteral("/Skins"));
    QCOMPARE(AppPaths::userDatabasesFolder(), chosen + QStringLiteral("/Databases"));

    // The tree is still built under the default folder, whatever was chosen.
    AppPaths::createFolders();
    QVERIFY(QFileInfo(d() + QStringLiteral("/Save Games")).isDir());
    QVERIFY(!QFileInfo(chosen + QStringLiteral("/Save Games")).exists());
    QVERIFY(QFileInfo(chosen + QStringLiteral("/Editor")).isDir());
}

void TestAppPaths::relativeValuesAreTestedAgainstTheWorkingFolder()
{
    QVERIFY(QDir().mkpath(AppPaths::preferencesFolder()));
    TsXML::save(TsXML::Preferences, QStringLiteral("user_data_folder"), QStringLiteral("here"));
    QVERIFY(QDir::setCurrent(profile->home()));
    QCOMPARE(AppPaths::csvExportsFolder(), d() + QStringLiteral("/CSV Exports"));
    QVERIFY(QDir().mkpath(profile->home() + QStringLiteral("/here")));
    QCOMPARE(AppPaths::csvExportsFolder(), QStringLiteral("here/CSV Exports"));
    QCOMPARE(AppPaths::userDataFolder(), QStringLiteral("here"));
}

void TestAppPaths::userDatabasesFolderWithoutSetting()
{
    QCOMPARE(AppPaths::userDatabasesFolder(), QStringLiteral("/Databases"));
    QVERIFY(!QFileInfo::exists(AppPaths::preferencesFolder()));
}

void TestAppPaths::createUserDataFolders()
{
    const QString root = profile->home() + QStringLiteral("/Elsewhere");
    AppPaths::createUserDataFolders(root);
    QCOMPARE(
        QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        (QStringList{"CSV Exports", "Databases", "Editor", "Save Games", "Screenshots", "Skins"}));
}

void TestAppPaths::currentSkin()
{
    AppPaths::createFolders();
    QCOMPARE(AppPaths::currentSkin(), QStringLiteral("default"));

    TsXML::save(TsXML::Cache, QStringLiteral("current_skin"), QStringLiteral("dark"));
    QVERIFY(QDir::setCurrent(profile->home()));
    QCOMPARE(AppPaths::currentSkin(), QStringLiteral("default"));
    QVERIFY(QDir().mkpath(profile->home() + QStringLiteral("/dark")));
    QCOMPARE(AppPaths::currentSkin(), QStringLiteral("dark"));

    QVERIFY(QFile::remove(AppPaths::currentSkinFile()));
    QCOMPARE(AppPaths::currentSkin(), QStringLiteral("default"));
}

void TestAppPaths::skinStyleSheet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QByteArray("QPushButton { color: red; }\n")
                           << "QPushButton { color: red; }\n";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("UTF-8 with mark")
        << QByteArray("\xEF\xBB\xBF/* Zürich */") << QStringLiteral("/* Zürich */");
}

void TestAppPaths::skinStyleSheet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    AppPaths::createFolders();
    QCOMPARE(AppPaths::skinStyleSheet(QStringLiteral("errors")),
             QStringLiteral("/* DEFAULT STYLE */"));
    TestFiles::write(AppPaths::skinsFolder() + QStringLiteral("/default/css/errors.css"), bytes);
    QCOMPARE(AppPaths::skinStyleSheet(QStringLiteral("errors")), text);
    QCOMPARE(AppPaths::skinStyleSheet(QStringLiteral("other")),
             QStringLiteral("/* DEFAULT STYLE */"));
}

void TestAppPaths::readOnlyStyleSheetIsRead()
{
    AppPaths::createFolders();
    const QString css = AppPaths::skinsFolder() + QStringLiteral("/default/css/");

    // A sheet without write permission.
    TestFiles::write(css + QStringLiteral("locked.css"), "#windowFrame { border: none; }");
    QVERIFY(QFile::setPermissions(css + QStringLiteral("locked.css"),
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    QCOMPARE(AppPaths::skinStyleSheet(QStringLiteral("locked")),
             QStringLiteral("#windowFrame { border: none; }"));

    // Permissions do not stop every user; a running program's file refuses writers to anyone.
    const QString running = QCoreApplication::applicationFilePath();
    QVERIFY(QFile::link(running, css + QStringLiteral("busy.css")));
    QFile direct(running);
    QVERIFY(direct.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString expected = QTextStream(&direct).readAll();
    QVERIFY(!expected.isEmpty());
    QCOMPARE(AppPaths::skinStyleSheet(QStringLiteral("busy")), expected);
}

void TestAppPaths::logsFolderUpkeep()
{
    const QString logs = AppPaths::logsFolder();
    QCOMPARE(AppPaths::countLogFiles(logs), 0); // missing folder
    QVERIFY(!AppPaths::logsFolderHasArchives());

    for (const char *name : {"1.dmp", "2.txt", "3.TXT", "4.log", "5.zip", "dmp", "6.txt.bak"})
        TestFiles::write(logs + QLatin1Char('/') + QLatin1String(name), "x");
    QCOMPARE(AppPaths::countLogFiles(logs), 3);
    QVERIFY(AppPaths::logsFolderHasArchives());

    TestFiles::write(logs + QStringLiteral("/sub/7.txt"), "x");
    // Emptied in place: the folder itself is never gone, so writers into it never miss it.
    QVERIFY(markFolder(logs));
    AppPaths::clearLogFiles(logs);
    QVERIFY(QFileInfo(logs).isDir());
    QCOMPARE(QFileInfo(logs).permissions(), folderMark);
    QCOMPARE(QDir(logs).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    QVERIFY(!AppPaths::logsFolderHasArchives());
}

void TestAppPaths::removeFilesAndTempFolder()
{
    AppPaths::createFolders();
    const QString temp = AppPaths::tempFolder();
    for (const char *name : {"a.part", "b.part", "keep.zip", "Downloads/c.part"})
        TestFiles::write(temp + QLatin1Char('/') + QLatin1String(name), "x");
    AppPaths::removeFiles({QStringLiteral("*.part")}, temp);
    QCOMPARE(QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{"Downloads", "keep.zip"}));
    QVERIFY(QFile::exists(temp + QStringLiteral("/Downloads/c.part")));

    QVERIFY(markFolder(temp));
    AppPaths::clearTempFolder();
    QVERIFY(QFileInfo(temp).isDir());
    QCOMPARE(QFileInfo(temp).permissions(), folderMark);
    QCOMPARE(QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_apppaths.moc"
