#include "packagehost.h"
#include "testfiles.h"
#include "zipfixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The real installer binary as a separate process on a virtual X display, driven by key presses
// the way a player's keyboard would.
class TestInstallerProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void withoutGameFolderEndsQuietly();
    void withSampleGameFetchesTheCatalogue();
    void unwritableProfileIsSaid();
    void openWithHandsTheArchivesOver();

private:
    QString xdotool(const QStringList &arguments, int timeoutMs = 5000);
    // Id of the first visible window whose title matches `pattern`, waiting up to `timeoutMs`.
    QString waitForWindow(const QString &pattern, int timeoutMs = 40000);
    QString visibleWindow(const QString &pattern);
    bool anyWindow(const QString &pattern);
    void pressEscapeIn(const QString &window);
    // Presses Return in the window titled `title` once it shows, and waits until it is gone.
    void pressReturnIn(const QString &title);
    void startInstaller(const QString &winePrefix, const QStringList &arguments = {});
    bool startDisplay();
    bool displayAnswers();

    QProcess display;
    QString displayName;
    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<QTemporaryDir> site;
    std::unique_ptr<PackageHost> host;
    QProcess installer;
};

void TestInstallerProcess::initTestCase()
{
    for (const char *tool : {"Xvfb", "xdotool", "xdpyinfo"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QString("%1 is needed for this test").arg(tool)));
    }
    QVERIFY2(startDisplay(), "no virtual display could be started");
}

bool TestInstallerProcess::startDisplay()
{
    // Xvfb picks a free display itself and writes its number to the given descriptor. Two
    // servers starting at the same moment elsewhere on the machine can race for one number, so
    // the display is checked to answer and, if it does not, started again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (display.state() != QProcess::NotRunning) {
            display.kill();
            display.waitForFinished(5000);
        }
        // -noreset: by default the server resets when its last client leaves, and refuses
        // connections meanwhile; the probe's leaving would then race the installer's arrival.
        display.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                               "-noreset"});
        if (!display.waitForStarted())
            continue;
        QElapsedTimer clock;
        clock.start();
        while (!display.canReadLine() && clock.elapsed() < 20000 &&
               display.state() == QProcess::Running)
            display.waitForReadyRead(500);
        const QByteArray number = display.readLine().trimmed();
        if (number.isEmpty())
            continue;
        displayName = ":" + QString::fromLatin1(number);
        if (displayAnswers())
            return true;
    }
    return false;
}

bool TestInstallerProcess::displayAnswers()
{
    if (display.state() != QProcess::Running)
        return false;
    QProcess probe;
    probe.start("xdpyinfo", {"-display", displayName});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

void TestInstallerProcess::cleanupTestCase()
{
    if (display.state() != QProcess::NotRunning) {
        display.terminate();
        display.waitForFinished(5000);
    }
}

void TestInstallerProcess::init()
{
    if (!displayAnswers())
        QVERIFY2(startDisplay(), "the virtual display went away and could not be started again");
    home = std::make_unique<QTemporaryDir>();
    site = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid() && site->isValid());
    QVERIFY(QDir().mkpath(site->filePath("files")));
    host = std::make_unique<PackageHost>(site->path());
    QVERIFY(host->start());
}

void TestInstallerProcess::cleanup()
{
    if (installer.state() != QProcess::NotRunning) {
        installer.kill();
        installer.waitForFinished(5000);
    }
    host.reset();
}

QString TestInstallerProcess::xdotool(const QStringList &arguments, int timeoutMs)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", displayName);
    tool.setProcessEnvironment(environment);
    tool.start("xdotool", arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString TestInstallerProcess::visibleWindow(const QString &pattern)
{
    // Titles are matched here rather than by xdotool's own name search, which does not see
    // every form of the title a window can carry.
    const QRegularExpression title(pattern);
    const QStringList ids = xdotool({"search", "--onlyvisible", "--name", ".*"}).split('\n');
    for (const QString &id : ids) {
        if (!id.isEmpty() && title.match(xdotool({"getwindowname", id})).hasMatch())
            return id;
    }
    return {};
}

bool TestInstallerProcess::anyWindow(const QString &pattern)
{
    return !visibleWindow(pattern).isEmpty();
}

QString TestInstallerProcess::waitForWindow(const QString &pattern, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs && installer.state() == QProcess::Running) {
        const QString found = visibleWindow(pattern);
        if (!found.isEmpty())
            return found;
        QTest::qWait(100);
    }
    // Say what the screen held instead.
    QStringList titles;
    const QStringList ids = xdotool({"search", "--onlyvisible", "--name", ".*"}).split('\n');
    for (const QString &id : ids)
        titles << xdotool({"getwindowname", id});
    qWarning() << "no window" << pattern << "; installer" << installer.state()
               << installer.exitCode() << "; visible:" << titles;
    return {};
}

void TestInstallerProcess::pressEscapeIn(const QString &window)
{
    xdotool({"windowfocus", "--sync", window});
    xdotool({"key", "--clearmodifiers", "Escape"});
}

void TestInstallerProcess::startInstaller(const QString &winePrefix, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", displayName);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("HOME", home->path());
    environment.insert("XDG_DATA_HOME", home->filePath(".local/share"));
    environment.insert("XDG_CONFIG_HOME", home->filePath(".config"));
    environment.insert("XDG_CACHE_HOME", home->filePath(".cache"));
    environment.insert("WINEPREFIX", winePrefix);
    environment.insert("ZERUN_CATALOGUE_HOST", host->baseUrl().toString());
    environment.insert("ZERUN_SERVICE_HOST", host->baseUrl().toString());
    installer.setProcessEnvironment(environment);
    installer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    installer.start(QStringLiteral(ZERUN_BIN_DIR "/zerun-installer"), arguments);
    QVERIFY(installer.waitForStarted());
}

void TestInstallerProcess::withoutGameFolderEndsQuietly()
{
    QTemporaryDir emptyPrefix;
    startInstaller(emptyPrefix.path());

    // The window shows its first-start page; Quit there ends the program quietly.
    const QString window = waitForWindow("^Zerun");
    QVERIFY2(!window.isEmpty(), "the window did not appear");
    QVERIFY(!anyWindow("^Set TEW2016"));
    xdotool({"windowfocus", "--sync", window});
    xdotool({"key", "--clearmodifiers", "alt+q"});

    QVERIFY(installer.waitForFinished(20000));
    QCOMPARE(installer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(installer.exitCode(), 0);
    QVERIFY(!host->requests().contains("GET /files/index.dat"));
    // The day's log says why the program ended.
    const QString logs = home->filePath(".local/share/Tandel Orvik/Zerun Installer/Logs");
    QByteArray logText;
    for (const QFileInfo &log : QDir(logs).entryInfoList({"*.txt"}, QDir::Files)) {
        QFile file(log.filePath());
        if (file.open(QIODevice::ReadOnly))
            logText += file.readAll();
    }
    QVERIFY2(logText.contains("quit without choosing where TEW2016 is installed"),
             logText.constData());
}

void TestInstallerProcess::withSampleGameFetchesTheCatalogue()
{
    QTemporaryDir prefix;
    const QString game = prefix.path() + "/drive_c/Program Files (x86)/GDS/TEW2016/";
    QVERIFY(QDir().mkpath(game + "Databases"));
    QFile exe(game + "TEW2016.exe");
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.close();
    QFile catalogue(site->filePath("files/index.dat"));
    QVERIFY(catalogue.open(QIODevice::WriteOnly));
    catalogue.write(host->baseUrl().toString().toUtf8() + "/files/a.zip,mods,Alpha\n");
    catalogue.close();

    startInstaller(prefix.path());
    const QString window = waitForWindow("^Zerun");
    QVERIFY2(!window.isEmpty(), "the main window did not appear");
    QVERIFY(!anyWindow("^Set TEW2016"));
    QTRY_VERIFY_WITH_TIMEOUT(host->requests().contains("GET /files/index.dat"), 10000);
    QCOMPARE(installer.state(), QProcess::Running);

    // A second start on the same profile hands over to the first and ends, touching nothing of
    // the first one's: an archive waiting for its folder name, a journal of a running unpack.
    const QString app = home->filePath(".local/share/Tandel Orvik/Zerun Installer/Zerun Installer");
    QVERIFY(QDir().mkpath(app + "/Temp/Downloads") && QDir().mkpath(app + "/Cache/installs"));
    // A logs folder so full that a start would empty it, a crash dump waiting for consent in it.
    const QString logs = home->filePath(".local/share/Tandel Orvik/Zerun Installer/Logs");
    QStringList held{app + "/Temp/Downloads/held.zip", app + "/Cache/installs/run.journal",
                     app + "/Cache/installs/run2.journal.AbCdEf", logs + "/waiting.dmp"};
    for (int i = 0; i < 12; ++i)
        held << logs + QString("/old%1.txt").arg(i);
    for (const QString &path : qAsConst(held)) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"destination\": \"/nowhere\", \"phase\": \"unpacking\"}");
    }
    QProcess second;
    second.setProcessEnvironment(installer.processEnvironment());
    second.start(QStringLiteral(ZERUN_BIN_DIR "/zerun-installer"), QStringList());
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    for (const QString &path : qAsConst(held))
        QVERIFY2(QFile::exists(path), qPrintable(path));
    QCOMPARE(installer.state(), QProcess::Running);
    QByteArray logText;
    for (const QFileInfo &log : QDir(logs).entryInfoList({"*.txt"}, QDir::Files)) {
        QFile file(log.filePath());
        if (file.open(QIODevice::ReadOnly))
            logText += file.readAll();
    }
    QVERIFY2(logText.contains("Another Zerun Installer is running"), logText.constData());
}

void TestInstallerProcess::unwritableProfileIsSaid()
{
    // The Cache folder, where the lock file goes, cannot be made: a file holds its name. That is
    // no other installer running; the player is told and the program ends with an error code.
    const QString app = home->filePath(".local/share/Tandel Orvik/Zerun Installer/Zerun Installer");
    QVERIFY(QDir().mkpath(app));
    QFile blocker(app + "/Cache");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QTemporaryDir emptyPrefix;
    startInstaller(emptyPrefix.path());

    const QString message = waitForWindow("^Zerun Installer$");
    QVERIFY2(!message.isEmpty(), "no message about the profile appeared");
    QVERIFY(!anyWindow("^Set TEW2016"));
    pressEscapeIn(message);
    QVERIFY(installer.waitForFinished(20000));
    QCOMPARE(installer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(installer.exitCode(), 1);
    QVERIFY(!host->requests().contains("GET /files/index.dat"));
    const QString logs = home->filePath(".local/share/Tandel Orvik/Zerun Installer/Logs");
    QByteArray logText;
    for (const QFileInfo &log : QDir(logs).entryInfoList({"*.txt"}, QDir::Files)) {
        QFile file(log.filePath());
        if (file.open(QIODevice::ReadOnly))
            logText += file.readAll();
    }
    QVERIFY2(logText.contains("cannot create the lock file"), logText.constData());
    QVERIFY2(!logText.contains("Another Zerun Installer is running"), logText.constData());
}

void TestInstallerProcess::pressReturnIn(const QString &title)
{
    const QString window = waitForWindow(title);
    QVERIFY2(!window.isEmpty(), qPrintable(title));
    xdotool({"windowfocus", "--sync", window});
    xdotool({"key", "--clearmodifiers", "Return"});
    QTRY_VERIFY_WITH_TIMEOUT(visibleWindow(title) != window, 10000);
}

void TestInstallerProcess::openWithHandsTheArchivesOver()
{
    QTemporaryDir prefix;
    const QString game = prefix.path() + "/drive_c/Program Files (x86)/GDS/TEW2016/";
    for (const char *folder : {"Databases", "Pictures", "Skins"})
        QVERIFY(QDir().mkpath(game + folder));
    TestFiles::write(game + "TEW2016.exe", "MZ");
    TestFiles::write(site->filePath("files/index.dat"),
                     host->baseUrl().toString().toUtf8() + "/files/a.zip,mods,Alpha\n");
    // The player's archive, and a file of an archive's name that is none.
    QTemporaryDir downloads;
    TestFiles::write(downloads.filePath("src/skin.ini"), "[skin]\nname=Neat\n");
    TestFiles::write(downloads.filePath("src/bg/back.txt"), "bg");
    QCOMPARE(ZipFixtures::run("zip", {"-q", "-r", downloads.filePath("Neat Skin.zip"), "."},
                              downloads.filePath("src")),
             0);
    TestFiles::write(downloads.filePath("notes.zip"), "not an archive");
    const QMap<QString, QByteArray> before = TestFiles::tree(game);

    startInstaller(prefix.path());
    QVERIFY2(!waitForWindow("^Zerun").isEmpty(), "the main window did not appear");
    QTRY_VERIFY_WITH_TIMEOUT(host->requests().contains("GET /files/index.dat"), 10000);

    // A second start as a file manager's Open With makes it, with names relative to its folder.
    QProcess second;
    second.setProcessEnvironment(installer.processEnvironment());
    second.setWorkingDirectory(downloads.path());
    second.start(QStringLiteral(ZERUN_BIN_DIR "/zerun-installer"), {"Neat Skin.zip", "notes.zip"});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);

    // A third start while the first question is open: its archive waits for its turn.
    QVERIFY(!waitForWindow("^Install from File$").isEmpty());
    TestFiles::write(downloads.filePath("late.zip"), "not an archive either");
    second.start(QStringLiteral(ZERUN_BIN_DIR "/zerun-installer"), {"late.zip"});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 0);

    // The running one asks the kind (the likeliest, Skin, is the default) and the folder (the
    // package's name is suggested), says it is installed, then says why the others are not.
    pressReturnIn("^Install from File$");
    pressReturnIn("^Install Skin$");
    pressReturnIn("^Install from File$");
    pressReturnIn("^Install from File$");
    pressReturnIn("^Install from File$");
    QCOMPARE(installer.state(), QProcess::Running);
    QMap<QString, QByteArray> expected = before;
    expected.insert("Skins/Neat Skin/", "");
    expected.insert("Skins/Neat Skin/skin.ini", "[skin]\nname=Neat\n");
    expected.insert("Skins/Neat Skin/bg/", "");
    expected.insert("Skins/Neat Skin/bg/back.txt", "bg");
    QCOMPARE(TestFiles::tree(game), expected);
    // The player's files stay where they are.
    QVERIFY(QFile::exists(downloads.filePath("Neat Skin.zip")));
    QVERIFY(QFile::exists(downloads.filePath("notes.zip")));
    // The same words as for a dropped archive that cannot be read.
    const QString logs = home->filePath(".local/share/Tandel Orvik/Zerun Installer/Logs");
    QByteArray logText;
    for (const QFileInfo &log : QDir(logs).entryInfoList({"*.txt"}, QDir::Files))
        logText += TestFiles::read(log.filePath());
    QVERIFY2(logText.contains("notes (from disk): Couldn't open zip: not a readable zip archive"),
             logText.constData());
    QVERIFY2(logText.indexOf("notes (from disk)") < logText.indexOf("late (from disk)"),
             logText.constData());

    // Started with an archive while none runs, the installer offers it once its window is up.
    installer.terminate();
    QVERIFY(installer.waitForFinished(10000));
    QVERIFY(QFile::copy(downloads.filePath("Neat Skin.zip"), downloads.filePath("Other.zip")));
    startInstaller(prefix.path(), {downloads.filePath("Other.zip")});
    pressReturnIn("^Install from File$");
    pressReturnIn("^Install Skin$");
    pressReturnIn("^Install from File$");
    expected.insert("Skins/Other/", "");
    expected.insert("Skins/Other/skin.ini", "[skin]\nname=Neat\n");
    expected.insert("Skins/Other/bg/", "");
    expected.insert("Skins/Other/bg/back.txt", "bg");
    QCOMPARE(TestFiles::tree(game), expected);
}

QTEST_GUILESS_MAIN(TestInstallerProcess)
#include "tst_installerprocess.moc"
