#include "apppaths.h"
#include "installrecovery.h"
#include "startup.h"
#include "testprofile.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QtTest>

namespace {

// What the start-up left behind before the application object existed.
QStringList treeBeforeApplication;
QStringList messagesBeforeApplication;
QHash<int, bool> attributesBeforeApplication;

void collectMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    messagesBeforeApplication << text;
}

void fill(const QString &folder, const QStringList &names)
{
    QDir().mkpath(folder);
    for (const QString &name : names) {
        QFile file(folder + QLatin1Char('/') + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }
}

QStringList numbered(const QString &pattern, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << pattern.arg(i);
    return names;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void identity();
    void folderTreeLandsUnderTheIdentity();
    void attributes_data();
    void attributes();
    void attributesCameBeforeTheApplication();
    void dialogsCarryNoHelpButton();
    void logsFolderCleanUp_data();
    void logsFolderCleanUp();
    void installerEmptiesAFullLogsFolderAndRuns();
    void cutOffSavesAreRemoved_data();
    void cutOffSavesAreRemoved();
};

void TestStartup::identity()
{
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Tandel Orvik"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Zerun Installer"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("v1.0.11"));
    QVERIFY(QCoreApplication::organizationDomain().endsWith(QLatin1String(".example.com")));
}

void TestStartup::folderTreeLandsUnderTheIdentity()
{
    // Had the identity come after the tree, it would sit under the test program's name.
    const QString w = QStringLiteral(".local/share/Tandel Orvik/Zerun Installer/");
    const QString a = w + QStringLiteral("Zerun Installer/");
    const QString d = QStringLiteral("Documents/Tandel Orvik/Zerun Installer/");
    QStringList expected = {
        QStringLiteral(".local/"),
        QStringLiteral(".local/share/"),
        QStringLiteral(".local/share/Tandel Orvik/"),
        w,
        w + QStringLiteral("Logs/"),
        a,
        a + QStringLiteral("Cache/"),
        a + QStringLiteral("Cache/current_skin.xml"),
        a + QStringLiteral("Preferences/"),
        a + QStringLiteral("Temp/"),
        a + QStringLiteral("Temp/Downloads/"),
        QStringLiteral("Documents/"),
        QStringLiteral("Documents/Tandel Orvik/"),
        d,
    };
    for (const char *sub : {"CSV Exports/", "Databases/", "Editor/", "Notes/", "Save Games/",
                            "Screenshots/", "Skins/"})
        expected << d + QLatin1String(sub);
    expected.sort();
    QCOMPARE(treeBeforeApplication, expected);
}

void TestStartup::attributes_data()
{
    QTest::addColumn<Qt::ApplicationAttribute>("attribute");
    QTest::addColumn<bool>("on");
    QTest::newRow("DontShowIconsInMenus") << Qt::AA_DontShowIconsInMenus << true;
    QTest::newRow("DontShowShortcutsInContextMenus")
        << Qt::AA_DontShowShortcutsInContextMenus << true;
    QTest::newRow("NativeWindows") << Qt::AA_NativeWindows << false;
    QTest::newRow("DontCreateNativeWidgetSiblings")
        << Qt::AA_DontCreateNativeWidgetSiblings << false;
    QTest::newRow("DontUseNativeMenuBar") << Qt::AA_DontUseNativeMenuBar << true;
    QTest::newRow("MacDontSwapCtrlAndMeta") << Qt::AA_MacDontSwapCtrlAndMeta << false;
    QTest::newRow("Use96Dpi") << Qt::AA_Use96Dpi << true;
    QTest::newRow("DisableHighDpiScaling") << Qt::AA_DisableHighDpiScaling << true;
    QTest::newRow("UseStyleSheetPropagationInWidgetStyles")
        << Qt::AA_UseStyleSheetPropagationInWidgetStyles << true;
    QTest::newRow("DontUseNativeDialogs") << Qt::AA_DontUseNativeDialogs << true;
    QTest::newRow("DisableWindowContextHelpButton")
        << Qt::AA_DisableWindowContextHelpButton << true;
}

void TestStartup::attributes()
{
    QFETCH(Qt::ApplicationAttribute, attribute);
    QFETCH(bool, on);
    // As set by the start-up: the toolkit itself may adjust some once the application exists.
    QVERIFY(attributesBeforeApplication.contains(attribute));
    QCOMPARE(attributesBeforeApplication.value(attribute), on);
}

void TestStartup::attributesCameBeforeTheApplication()
{
    // The toolkit complains when a high-DPI attribute arrives after the application object.
    for (const QString &message : qAsConst(messagesBeforeApplication))
        QVERIFY2(!message.contains(QLatin1String("must be set before")), qPrintable(message));
}

void TestStartup::dialogsCarryNoHelpButton()
{
    const QDialog dialog;
    QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
}

void TestStartup::logsFolderCleanUp_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("emptied");

    QTest::newRow("none") << QStringList() << false;
    QTest::newRow("10 texts") << numbered(QStringLiteral("%1.txt"), 10) << false;
    QTest::newRow("5 dumps, 5 texts and others")
        << numbered(QStringLiteral("%1.dmp"), 5) + numbered(QStringLiteral("%1.txt"), 5) +
               QStringList{"report.zip", "notes.log", "readme"}
        << false;
    QTest::newRow("11 texts") << numbered(QStringLiteral("%1.txt"), 11) << true;
    QTest::newRow("6 dumps, 5 texts and others")
        << numbered(QStringLiteral("%1.dmp"), 6) + numbered(QStringLiteral("%1.txt"), 5) +
               QStringList{"report.zip", "notes.log", "sub/inner.txt"}
        << true;
    QTest::newRow("upper-case extensions count")
        << numbered(QStringLiteral("%1.DMP"), 6) + numbered(QStringLiteral("%1.Txt"), 5) << true;
}

void TestStartup::logsFolderCleanUp()
{
    QFETCH(QStringList, names);
    QFETCH(bool, emptied);

    const QString logs = AppPaths::logsFolder();
    QVERIFY(QDir(logs).removeRecursively());
    QDir().mkpath(logs);
    for (const QString &name : names) {
        const QFileInfo info(logs + QLatin1Char('/') + name);
        fill(info.path(), {info.fileName()});
    }
    const QStringList before = QDir(logs).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QCOMPARE(clearLogsFolderIfFull(), emptied);
    QVERIFY(QFileInfo(logs).isDir());
    const QStringList after = QDir(logs).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QCOMPARE(after, emptied ? QStringList() : before);
}

void TestStartup::installerEmptiesAFullLogsFolderAndRuns()
{
    // The real program in a profile of its own: its tree lands under the installer's name and an
    // overfull logs folder, other files included, is emptied before the window comes up.
    TestProfile profile;
    QVERIFY(profile.isValid());
    const QString w = profile.dataHome() + QStringLiteral("/Tandel Orvik/Zerun Installer");
    const QString logs = w + QStringLiteral("/Logs");
    const QStringList stale = numbered(QStringLiteral("%1.dmp"), 11) + QStringList{"crash.zip"};
    fill(logs, stale);

    QProcess installer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    installer.setProcessEnvironment(environment);
    installer.setProcessChannelMode(QProcess::ForwardedChannels);
    installer.start(QStringLiteral(ZERUN_BIN_DIR "/zerun-installer"), QStringList());
    QVERIFY(installer.waitForStarted());

    // The running program may start a log of its own; none of the old files may be left.
    const QString skinFile = w + QStringLiteral("/Zerun Installer/Cache/current_skin.xml");
    const auto staleLeft = [&] {
        const QStringList present = QDir(logs).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        return std::any_of(stale.cbegin(), stale.cend(),
                           [&](const QString &name) { return present.contains(name); });
    };
    // The folder is removed and made again, so it is judged once the clean-up is over.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(skinFile) && !staleLeft() && QFileInfo(logs).isDir(),
                             20000);
    // It keeps running in its event loop until the window is closed.
    QVERIFY(!installer.waitForFinished(300));
    QCOMPARE(installer.state(), QProcess::Running);
    installer.kill();
    QVERIFY(installer.waitForFinished());
}

void TestStartup::cutOffSavesAreRemoved_data()
{
    // Paths relative to the profile's application folder; whether the start-up removes them.
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("removed");

    QTest::newRow("install journal") << "Cache/installs/957f9544.journal.pbdhwY" << true;
    QTest::newRow("removal journal") << "Cache/installs/0a1b.removal.Ab3dE9" << true;
    QTest::newRow("preference") << "Preferences/catalogue_host.xml.QwErTy" << true;
    QTest::newRow("cache value") << "Cache/current_skin.xml.aaaaaa" << true;
    QTest::newRow("catalogue copy") << "Cache/catalogue.dat.ZZZZZZ" << true;
    QTest::newRow("former record document") << "Cache/installed_packages.json.xYzXyZ" << true;
    QTest::newRow("partial download note") << "Temp/Downloads/a.zip.part.info.k2K2k2" << true;
    QTest::newRow("a journal itself") << "Cache/installs/957f9544.journal" << false;
    QTest::newRow("five letters") << "Cache/installs/957f9544.journal.pbdhw" << false;
    QTest::newRow("seven letters") << "Cache/installs/957f9544.journal.pbdhwYY" << false;
    QTest::newRow("not a name the program saves") << "Cache/notes.txt.abcdef" << false;
    QTest::newRow("the database") << "Cache/installed_packages.db.abcdef" << false;
    QTest::newRow("a partial download") << "Temp/Downloads/a.zip.part.abcdef" << false;
    QTest::newRow("a preference in the wrong folder") << "Logs/current_skin.xml.abcdef" << false;
    QTest::newRow("a journal's name in the downloads")
        << "Temp/Downloads/x.journal.abcdef" << false;
}

void TestStartup::cutOffSavesAreRemoved()
{
    QFETCH(QString, path);
    QFETCH(bool, removed);

    TestProfile profile;
    AppPaths::createFolders();
    const QString root = AppPaths::cacheFolder() + QStringLiteral("/..");
    const QFileInfo file(root + QLatin1Char('/') + path);
    fill(file.path(), {file.fileName()});
    // A link with an owned temporary's name is never followed nor removed.
    const QString link = AppPaths::preferencesFolder() + QStringLiteral("/linked.xml.LiNkEd");
    QVERIFY(QFile::link(file.filePath(), link));
    const QStringList before = profile.tree();
    const QString relative = QDir(profile.home()).relativeFilePath(file.canonicalFilePath());
    QVERIFY(before.contains(relative));

    const QStringList gone = InstallRecovery::removeSaveTemporaries();
    QStringList expected = before;
    if (removed)
        expected.removeAll(relative);
    QCOMPARE(profile.tree(), expected);
    QCOMPARE(gone.size(), removed ? 1 : 0);
}

int main(int argc, char *argv[])
{
    // A throw-away profile before anything looks at the folders, then the start-up as the
    // installer runs it: identity and tree first, attributes, and only then the application.
    TestProfile profile;
    if (!profile.isValid())
        return 1;
    const QtMessageHandler previous = qInstallMessageHandler(collectMessage);
    initialiseApplication(QString::fromLatin1(installerApplicationName));
    treeBeforeApplication = profile.tree();
    for (int attribute = 0; attribute < Qt::AA_AttributeCount; ++attribute)
        attributesBeforeApplication.insert(
            attribute,
            QCoreApplication::testAttribute(static_cast<Qt::ApplicationAttribute>(attribute)));
    QApplication application(argc, argv);
    qInstallMessageHandler(previous);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
