#include "apppaths.h"
#include "installerhome.h"
#include "installrecovery.h"
#include "startup.h"
#include "testprofile.h"
#include "tsxml.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QtTest>

#include <unistd.h>

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
    void programStarts_data();
    void programStarts();
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
    // What an emptied folder keeps.
    QTest::addColumn<QStringList>("kept");

    QTest::newRow("none") << QStringList() << false << QStringList();
    QTest::newRow("10 texts") << numbered(QStringLiteral("%1.txt"), 10) << false << QStringList();
    QTest::newRow("5 dumps, 5 texts and others")
        << numbered(QStringLiteral("%1.dmp"), 5) + numbered(QStringLiteral("%1.txt"), 5) +
               QStringList{"report.zip", "notes.log", "readme"}
        << false << QStringList();
    QTest::newRow("11 texts") << numbered(QStringLiteral("%1.txt"), 11) << true << QStringList();
    QTest::newRow("6 dumps, 5 texts and others")
        << numbered(QStringLiteral("%1.dmp"), 6) + numbered(QStringLiteral("%1.txt"), 5) +
               QStringList{"answered.zip", "notes.log", "sub/inner.txt"}
        << true << QStringList();
    QTest::newRow("upper-case extensions count")
        << numbered(QStringLiteral("%1.DMP"), 6) + numbered(QStringLiteral("%1.Txt"), 5) << true
        << QStringList();
    QTest::newRow("11 texts and a crash report not offered yet")
        << numbered(QStringLiteral("%1.txt"), 11) + QStringList{"report.zip"} << true
        << QStringList{"report.zip"};
}

void TestStartup::logsFolderCleanUp()
{
    QFETCH(QStringList, names);
    QFETCH(bool, emptied);
    QFETCH(QStringList, kept);

    TsXML::save(TsXML::Preferences, QStringLiteral("crash_reports"),
                QStringLiteral("declined answered.zip"));
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
    QCOMPARE(after, emptied ? kept : before);
}

void TestStartup::installerEmptiesAFullLogsFolderAndRuns()
{
    // The real program in a profile of its own: its tree lands under the installer's name and an
    // overfull logs folder, other files included, is emptied before the window comes up (but for
    // a crash report not offered yet, which stays for its question).
    TestProfile profile;
    QVERIFY(profile.isValid());
    const QString w = profile.dataHome() + QStringLiteral("/Tandel Orvik/Zerun Installer");
    const QString logs = w + QStringLiteral("/Logs");
    const QStringList stale = numbered(QStringLiteral("%1.dmp"), 11) + QStringList{"crash.log"};
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

void TestStartup::programStarts_data()
{
    // What is there before the start; its arguments; its exit code (-1: it runs on); what it
    // logs, and what it says neither in the log nor on standard error (a pattern).
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("logged");
    QTest::addColumn<QString>("unsaid");
    const QString opened = QStringLiteral("notes (from disk): Couldn't open zip");
    QTest::newRow("a fresh profile and a framework argument")
        << "" << QStringList{"skin=light", "notes.zip"} << -1 << opened
        << "Error loading XML|skin=light \\(from disk";
    QTest::newRow("full logs and a crash report not offered yet")
        << "full logs" << QStringList{"notes.zip"} << -1 << opened << "";
    QTest::newRow("a killed run's lock in a read-only Cache folder")
        << "stale lock" << QStringList() << 1 << "cannot replace the lock file"
        << "Another Zerun Installer is running";
}

void TestStartup::programStarts()
{
    QFETCH(QString, before);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, logged);
    QFETCH(QString, unsaid);

    InstallerHome home;
    const QString game = home.dir.filePath("wine/drive_c/Program Files (x86)/GDS/TEW2016/");
    for (const char *folder : {"Databases", "Pictures", "Skins"})
        QVERIFY(QDir().mkpath(game + folder));
    TestFiles::write(game + "TEW2016.exe", "MZ");
    TestFiles::write(home.dir.filePath("notes.zip"), "not an archive");
    const QStringList old = numbered(QStringLiteral("old%1.txt"), 11);
    if (before == "full logs")
        fill(home.logs(), old + QStringList{"report.zip"});
    // As root the folder's rights bind only another user.
    const uid_t user = ::geteuid() == 0 ? 65534 : 0;
    if (user != 0)
        QCOMPARE(QProcess::execute("chown", {"-R", "65534:65534", home.dir.path()}), 0);
    if (before == "stale lock") {
        const auto killed = home.start({}, user);
        QTRY_VERIFY_WITH_TIMEOUT(!home.socket().isEmpty(), 20000);
        killed->kill();
        QVERIFY(killed->waitForFinished());
        QVERIFY(QFile::setPermissions(home.cache(), QFile::ReadOwner | QFile::ExeOwner));
    }

    const auto installer = home.start(arguments, user);
    if (exitCode < 0) {
        QTRY_VERIFY_WITH_TIMEOUT(home.logText().contains(logged.toUtf8()), 20000);
        QCOMPARE(installer->state(), QProcess::Running);
        installer->kill();
    }
    QVERIFY(installer->waitForFinished(20000));
    if (exitCode >= 0)
        QCOMPARE(installer->exitCode(), exitCode);
    const QByteArray said = home.logText() + installer->readAllStandardError();
    QVERIFY2(said.contains(logged.toUtf8()), said.constData());
    QVERIFY2(unsaid.isEmpty() || !QString(said).contains(QRegularExpression(unsaid)),
             said.constData());
    // The old logs go, the report waiting for its question stays.
    if (before == "full logs")
        QCOMPARE(QDir(home.logs()).entryList(QDir::Files).filter(QRegularExpression("^old|zip")),
                 QStringList{"report.zip"});
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
