#include "packagehost.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The installer as a Wayland client: a headless compositor, the program on the toolkit's Wayland
// platform, and a screenshot of the compositor's output (build/screenshots/zerun-wayland.png)
// once the catalogue has been fetched.
class TestWaylandStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void showsTheCatalogue();

private:
    QProcessEnvironment environment() const;

    QTemporaryDir runtime;
    QString socket;
    QProcess compositor;
};

QProcessEnvironment TestWaylandStart::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    environment.insert("WAYLAND_DISPLAY", socket);
    environment.remove("DISPLAY");
    return environment;
}

void TestWaylandStart::initTestCase()
{
    const QString plugin =
        QLibraryInfo::location(QLibraryInfo::PluginsPath) + "/platforms/libqwayland-generic.so";
    if (QStandardPaths::findExecutable("weston").isEmpty() || !QFile::exists(plugin))
        QSKIP("weston and the toolkit's Wayland platform (qtwayland5) are needed for this test");
    QVERIFY(runtime.isValid());
    QVERIFY(QFile::setPermissions(runtime.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    socket = "zerun-wayland-" + QString::number(QCoreApplication::applicationPid());
    compositor.setProcessEnvironment(environment());
    compositor.setProcessChannelMode(QProcess::MergedChannels);
    compositor.setStandardOutputFile(runtime.filePath("weston.log"));
    // --debug offers the screenshot protocol; the pixman renderer needs no GPU.
    compositor.start("weston",
                     {"--backend=headless-backend.so", "--socket=" + socket, "--idle-time=0",
                      "--use-pixman", "--debug", "--width=1024", "--height=768"});
    QVERIFY(compositor.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.filePath(socket)), 20000);
}

void TestWaylandStart::cleanupTestCase()
{
    if (compositor.state() != QProcess::NotRunning) {
        compositor.terminate();
        if (!compositor.waitForFinished(5000))
            compositor.kill();
    }
}

void TestWaylandStart::showsTheCatalogue()
{
    QTemporaryDir home;
    QTemporaryDir site;
    QVERIFY(QDir().mkpath(site.filePath("files")));
    PackageHost host(site.path());
    QVERIFY(host.start());
    QFile catalogue(site.filePath("files/index.dat"));
    QVERIFY(catalogue.open(QIODevice::WriteOnly));
    catalogue.write(host.baseUrl().toString().toUtf8() + "/files/a.zip,mods,Alpha\n");
    catalogue.close();
    const QString game = home.filePath(".wine/drive_c/Program Files/GDS/TEW2016/");
    QVERIFY(QDir().mkpath(game + "Databases"));
    QFile exe(game + "TEW2016.exe");
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.close();

    QProcess installer;
    QProcessEnvironment env = environment();
    env.insert("QT_QPA_PLATFORM", "wayland");
    env.insert("HOME", home.path());
    env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    env.insert("XDG_CACHE_HOME", home.filePath(".cache"));
    env.remove("WINEPREFIX");
    env.insert("ZERUN_CATALOGUE_HOST", host.baseUrl().toString());
    env.insert("ZERUN_SERVICE_HOST", host.baseUrl().toString());
    installer.setProcessEnvironment(env);
    installer.setWorkingDirectory(ZERUN_BIN_DIR);
    installer.setProcessChannelMode(QProcess::ForwardedChannels);
    installer.start(ZERUN_BIN_DIR "/zerun-installer", QStringList());
    QVERIFY(installer.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(host.requests().contains("GET /files/index.dat"), 30000);
    // Give the answer time to reach the list and the first frame time to reach the compositor.
    QTest::qWait(1500);
    QCOMPARE(installer.state(), QProcess::Running);

    // The compositor's output: the window is there.
    QTemporaryDir shots;
    QProcess shooter;
    shooter.setProcessEnvironment(environment());
    shooter.setWorkingDirectory(shots.path());
    shooter.start("weston-screenshooter", QStringList());
    QVERIFY(shooter.waitForFinished(20000));
    const QStringList taken = QDir(shots.path()).entryList({"*.png"}, QDir::Files);
    QCOMPARE(taken.size(), 1);
    const QImage screen(shots.filePath(taken.first()));
    QVERIFY(!screen.isNull());
    const QString saved = QString(ZERUN_BIN_DIR) + "/../screenshots/zerun-wayland.png";
    QDir().mkpath(QFileInfo(saved).path());
    QFile::remove(saved);
    QVERIFY(QFile::copy(shots.filePath(taken.first()), saved));

    // The window's dark panels (grey, darker than anything on the compositor's desktop) cover
    // a good part of the screen.
    int dark = 0;
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            const QColor pixel = screen.pixelColor(x, y);
            dark +=
                pixel.red() == pixel.green() && pixel.green() == pixel.blue() && pixel.red() < 80;
        }
    }
    QVERIFY2(dark > 100000, qPrintable(QString("%1 dark pixels").arg(dark)));

    installer.terminate();
    QVERIFY(installer.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestWaylandStart)
#include "tst_waylandstart.moc"
