#include "packagehost.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The Debian package as a player gets it: unpacked into a root of its own, its files where the
// desktop looks for them, and the program started through the root's /usr/bin link.
class TestDebPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void holdsTheInstallTree();
    void runsThroughTheLink();

private:
    QTemporaryDir root;
};

void TestDebPackage::initTestCase()
{
    if (QStandardPaths::findExecutable("dpkg-deb").isEmpty())
        QSKIP("dpkg-deb is needed to unpack the Debian package; install dpkg");
    QProcess architecture;
    architecture.start("dpkg", {"--print-architecture"});
    QVERIFY(architecture.waitForFinished());
    const QString package = QString(ZERUN_PACKAGE_FILE) + "_" +
                            QString::fromLatin1(architecture.readAll().trimmed()) + ".deb";
    QVERIFY2(QFile::exists(package), qPrintable(package + " is missing"));
    QProcess unpack;
    unpack.start("dpkg-deb", {"-x", package, root.path()});
    QVERIFY(unpack.waitForFinished(60000));
    QCOMPARE(unpack.exitCode(), 0);
}

void TestDebPackage::holdsTheInstallTree()
{
    // Every entry of the package; links as "-> target".
    QStringList entries;
    QDirIterator it(root.path(),
                    QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink())
            continue;
        QString entry = QDir(root.path()).relativeFilePath(path);
        if (info.isSymLink())
            entry += " -> " + QFile(path).symLinkTarget().remove(root.path());
        entries << entry;
    }
    entries.sort();

    const QString id = "com.example.tandel_orvik.ZerunInstaller";
    QStringList expected{"usr/bin/zerun-installer -> /usr/lib/zerun-installer/zerun-installer",
                         "usr/lib/zerun-installer/zerun-installer",
                         "usr/lib/zerun-installer/zerun-crash-report",
                         "usr/lib/zerun-installer/data/art/winico.png",
                         "usr/share/applications/" + id + ".desktop",
                         "usr/share/metainfo/" + id + ".metainfo.xml",
                         "usr/share/icons/hicolor/48x48/apps/" + id + ".png",
                         "usr/share/icons/hicolor/128x128/apps/" + id + ".png",
                         "usr/share/icons/hicolor/256x256/apps/" + id + ".png",
                         "usr/share/icons/hicolor/scalable/apps/" + id + ".svg",
                         "usr/share/doc/zerun-installer/changelog.gz",
                         "usr/share/doc/zerun-installer/copyright"};
    // The fonts are fonts-lato's, linked from the data folder.
    for (const char *face : {"Black", "BlackItalic", "Bold", "BoldItalic", "Italic", "Light",
                             "LightItalic", "Regular", "Semibold", "SemiboldItalic"})
        expected << QString("usr/lib/zerun-installer/data/fonts/Lato-%1.ttf -> "
                            "/usr/share/fonts/truetype/lato/Lato-%1.ttf")
                        .arg(face);
    // One compiled translation for each of the project's languages/*.ts.
    const QDir sources(QStringLiteral(ZERUN_TEST_DATA "/../../languages"));
    for (const QFileInfo &ts : sources.entryInfoList({"*.ts"}, QDir::Files))
        expected << "usr/lib/zerun-installer/languages/" + ts.completeBaseName() + ".qm";
    expected.sort();
    QCOMPARE(entries, expected);

    QFile entry(root.filePath("usr/share/applications/" + id + ".desktop"));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = entry.readAll().split('\n');
    for (const QByteArray line : {QByteArray("Exec=/usr/bin/zerun-installer %F"),
                                  QByteArray("Path=/usr/lib/zerun-installer"),
                                  ("Icon=" + id).toUtf8(), QByteArray("MimeType=application/zip;")})
        QVERIFY2(lines.contains(line), line.constData());
}

void TestDebPackage::runsThroughTheLink()
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

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("XDG_DATA_HOME", home.filePath(".local/share"));
    environment.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    environment.insert("XDG_CACHE_HOME", home.filePath(".cache"));
    environment.remove("WINEPREFIX");
    environment.insert("ZERUN_CATALOGUE_HOST", host.baseUrl().toString());
    environment.insert("ZERUN_SERVICE_HOST", host.baseUrl().toString());
    program.setProcessEnvironment(environment);
    // As the desktop entry starts it: in its own folder.
    program.setWorkingDirectory(root.filePath("usr/lib/zerun-installer"));
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.start(root.filePath("usr/bin/zerun-installer"), QStringList());
    QVERIFY(program.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(host.requests().contains("GET /files/index.dat"), 30000);
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    QVERIFY(program.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestDebPackage)
#include "tst_debpackage.moc"
