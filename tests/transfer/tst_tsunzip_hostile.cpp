// Archives from the internet are unpacked below the game's folder: no entry may write outside
// its destination, and a damaged entry must not leave a partial file. Every unpack operation
// gets the same hostile archives.

#include "runend.h"
#include "testfiles.h"
#include "tscompression.h"
#include "tsunzip.h"
#include "unpackguard_p.h"
#include "zipfixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtTest>

#include <sys/stat.h>

using namespace ZipFixtures;

Q_DECLARE_METATYPE(ZipFixtures::Entry)

namespace {

Entry entry(const QByteArray &name, const QByteArray &data, int mode = -1,
            const QString &patch = QString())
{
    Entry e;
    e.name = name;
    e.data = data;
    e.mode = mode;
    e.patch = patch;
    return e;
}

QStringList operations()
{
    return {"TsUnZip", "unpackArchive path", "unpackArchive device", "unpackNamedEntries",
            "unpackNamedEntry"};
}

// Runs one unpack operation; true when it reported success.
bool unpackWith(const QString &operation, const QString &zipPath, const QString &destination)
{
    if (operation == "TsUnZip") {
        TsUnZip unzip;
        unzip.setZipFile(zipPath);
        unzip.setDestination(destination);
        unzip.setEncrypted(false);
        QSignalSpy finished(&unzip, &TsUnZip::finished);
        QSignalSpy error(&unzip, &TsUnZip::error);
        const RunEnd end(&unzip);
        QtConcurrent::run(&unzip, &TsUnZip::unpackAll).waitForFinished();
        QCoreApplication::processEvents();
        // A run that ends silently (the archive's final close failed) counts as a failure.
        if (!end.ended())
            return false;
        if (!error.isEmpty())
            return !(error.first().first().toString() == "Couldn't extract file");
        return finished.size() == 1;
    }
    if (operation == "unpackArchive path")
        return !TsCompression::unpackArchive(zipPath, destination).isEmpty();
    if (operation == "unpackArchive device") {
        QFile device(zipPath);
        return !TsCompression::unpackArchive(&device, destination).isEmpty();
    }
    const QStringList names = TsCompression::listEntries(zipPath);
    if (operation == "unpackNamedEntries")
        return !TsCompression::unpackNamedEntries(zipPath, names, destination).isEmpty();
    // One entry at a time by its own name, below the current folder; like a caller that gives
    // up at the first failure, take back the files of the earlier calls.
    const QString previous = QDir::currentPath();
    QDir().mkpath(destination);
    QDir::setCurrent(destination);
    QStringList written;
    bool ok = true;
    for (const QString &name : names) {
        const QString path = TsCompression::unpackNamedEntry(zipPath, name);
        ok = !path.isEmpty();
        if (!ok)
            break;
        written << path;
    }
    QDir::setCurrent(previous);
    if (!ok) {
        for (const QString &path : qAsConst(written))
            QFile::remove(path);
        for (const QString &folder : {"good", "locked"})
            QDir(destination).rmdir(folder);
    }
    return ok;
}

} // namespace

class TestTsUnZipHostile : public QObject
{
    Q_OBJECT

private slots:
    void refusesHostileArchives_data();
    void refusesHostileArchives();
    void entryNames_data();
    void entryNames();
    void acceptsOddButHarmlessNames_data();
    void acceptsOddButHarmlessNames();
    void sanitisesPermissions_data();
    void sanitisesPermissions();
};

void TestTsUnZipHostile::refusesHostileArchives_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QList<Entry>>("entries");
    QTest::addColumn<bool>("linkInDestination");

    // The destination is <box>/Skins/A; the sentinels sit at <box>/Skins/sentinel.txt and in
    // the sibling <box>/Skins/AB, which a string-prefix check would take for the inside.
    struct Case
    {
        const char *name;
        QList<Entry> entries;
        bool link;
    };
    const QByteArray big = noise(5000, 11);
    const QList<Case> cases{
        {"dot-dot", {entry("../sentinel.txt", "evil")}, false},
        {"nested dot-dot", {entry("maps/../../sentinel.txt", "evil")}, false},
        {"deep dot-dot", {entry("../../escaped.txt", "evil")}, false},
        {"backslash dot-dot", {entry("..\\..\\escaped.txt", "evil")}, false},
        {"mixed slashes", {entry("maps\\..\\../sentinel.txt", "evil")}, false},
        {"sibling with shared prefix", {entry("../AB/sentinel.txt", "evil")}, false},
        {"absolute", {entry("@SENTINEL@", "evil")}, false},
        {"drive", {entry("C:/escaped.txt", "evil")}, false},
        {"drive relative", {entry("C:escaped.txt", "evil")}, false},
        {"unc", {entry("\\\\server\\share\\escaped.txt", "evil")}, false},
        {"dots and blank", {entry(".. /sentinel.txt", "evil")}, false},
        {"three dots", {entry(".../sentinel.txt", "evil")}, false},
        // Refused on its own: written as a link, "link/x" would follow it anywhere.
        {"symbolic link entry", {entry("link", "../AB", 0120777)}, false},
        {"link already on disk", {entry("link/sentinel.txt", "evil")}, true},
        {"checksum mismatch", {entry("bad.bin", big, -1, "crc")}, false},
        {"ends short of its size", {entry("bad.bin", big, -1, "short")}, false},
        {"runs past its size", {entry("bad.bin", big, -1, "long")}, false},
    };
    for (const Case &c : cases) {
        QList<Entry> entries{entry("good/first.txt", "good"), entry("second.txt", "fine")};
        entries << c.entries;
        for (const QString &operation : operations())
            QTest::newRow(qPrintable(QString("%1 / %2").arg(c.name, operation)))
                << operation << entries << c.link;
    }
}

void TestTsUnZipHostile::refusesHostileArchives()
{
    QFETCH(QString, operation);
    QFETCH(QList<Entry>, entries);
    QFETCH(bool, linkInDestination);

    QTemporaryDir box;
    const QString destination = box.filePath("Skins/A");
    const QString sentinel = box.filePath("Skins/sentinel.txt");
    TestFiles::write(sentinel, "sentinel");
    TestFiles::write(box.filePath("Skins/AB/sentinel.txt"), "sentinel");
    QDir().mkpath(destination);
    if (linkInDestination)
        QVERIFY(QFile::link(box.filePath("Skins/AB"), destination + "/link"));
    for (Entry &e : entries)
        e.name.replace("@SENTINEL@", sentinel.toUtf8());

    const QString zipPath = box.filePath("hostile.zip");
    QVERIFY(writeArchive(zipPath, entries));
    const QMap<QString, QByteArray> destinationBefore = TestFiles::tree(destination);
    QMap<QString, QByteArray> outsideBefore = TestFiles::tree(box.path());

    QVERIFY(!unpackWith(operation, zipPath, destination));

    // Nothing outside the destination changed, and the destination is as it was.
    QMap<QString, QByteArray> outsideAfter = TestFiles::tree(box.path());
    QCOMPARE(outsideAfter, outsideBefore);
    QCOMPARE(TestFiles::tree(destination), destinationBefore);
    QFile check(sentinel);
    QVERIFY(check.open(QIODevice::ReadOnly));
    QCOMPARE(check.readAll(), QByteArray("sentinel"));
}

void TestTsUnZipHostile::entryNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("plain") << "readme.txt" << true;
    QTest::newRow("nested") << "maps/deep/a.txt" << true;
    QTest::newRow("folder") << "maps/" << true;
    QTest::newRow("dot folder") << "./" << true;
    QTest::newRow("leading dot") << "./maps/a.txt" << true;
    QTest::newRow("dots inside a name") << "a..b/..c.txt" << true;
    QTest::newRow("hidden") << ".config/x" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dot-dot") << "../x" << false;
    QTest::newRow("dot-dot folder") << "a/.." << false;
    QTest::newRow("dot-dot backslash") << "a\\..\\..\\x" << false;
    QTest::newRow("absolute") << "/etc/passwd" << false;
    QTest::newRow("absolute backslash") << "\\x" << false;
    QTest::newRow("drive") << "C:/x" << false;
    QTest::newRow("drive relative") << "C:x" << false;
    QTest::newRow("unc") << "\\\\server\\x" << false;
    QTest::newRow("alternate stream") << "a.txt:hidden" << false;
    QTest::newRow("nul") << QString("a") + QChar(0) + "b" << false;
    QTest::newRow("dot-dot with blank") << "a/.. /x" << false;
}

void TestTsUnZipHostile::entryNames()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(UnpackGuard::isSafeEntryName(name), safe);
}

void TestTsUnZipHostile::acceptsOddButHarmlessNames_data()
{
    QTest::addColumn<QString>("operation");
    for (const QString &operation : operations())
        QTest::newRow(qPrintable(operation)) << operation;
}

void TestTsUnZipHostile::acceptsOddButHarmlessNames()
{
    QFETCH(QString, operation);
    QTemporaryDir box;
    const QString zipPath = box.filePath("odd.zip");
    QVERIFY(writeArchive(
        zipPath, {entry("./", ""), entry("./top.txt", "top"), entry("a//double.txt", "double"),
                  entry("win\\style.txt", "backslash"), entry("..dots..txt", "dots")}));
    const QString destination = box.filePath("dest");
    QVERIFY(unpackWith(operation, zipPath, destination));
    QCOMPARE(TestFiles::tree(destination),
             (QMap<QString, QByteArray>{{"top.txt", "top"},
                                        {"a/", ""},
                                        {"a/double.txt", "double"},
                                        {"win/", ""},
                                        {"win/style.txt", "backslash"},
                                        {"..dots..txt", "dots"}}));
}

void TestTsUnZipHostile::sanitisesPermissions_data()
{
    QTest::addColumn<QString>("operation");
    for (const QString &operation : operations())
        QTest::newRow(qPrintable(operation)) << operation;
}

void TestTsUnZipHostile::sanitisesPermissions()
{
    QFETCH(QString, operation);
    QTemporaryDir box;
    const QString zipPath = box.filePath("modes.zip");
    QVERIFY(writeArchive(
        zipPath, {entry("locked/", "", 040500), entry("locked/setuid", "x", 0104755),
                  entry("locked/setgid", "x", 0102775), entry("locked/sticky", "x", 0101777),
                  entry("locked/none", "x", 0100000), entry("locked/others", "x", 0100044),
                  entry("locked/script", "x", 0100750)}));
    const QString destination = box.filePath("dest");
    QVERIFY(unpackWith(operation, zipPath, destination));

    const auto modeOf = [](const QString &path) {
        struct stat info = {};
        ::stat(QFile::encodeName(path).constData(), &info);
        return int(info.st_mode & 07777);
    };
    // Group and others: what the archive gives, limited by the umask, never write for others.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    const auto limited = [mask](int stored) { return stored & 0075 & ~int(mask); };
    QCOMPARE(modeOf(destination + "/locked"), 0700);
    QCOMPARE(modeOf(destination + "/locked/setuid"), 0700 | limited(0755));
    QCOMPARE(modeOf(destination + "/locked/setgid"), 0700 | limited(0775));
    QCOMPARE(modeOf(destination + "/locked/sticky"), 0700 | limited(0777));
    // No stored bits at all: left as created, which the owner can read and write.
    QCOMPARE(modeOf(destination + "/locked/none") & 07600, 0600);
    QCOMPARE(modeOf(destination + "/locked/others"), 0600 | limited(0044));
    QCOMPARE(modeOf(destination + "/locked/script"), 0700 | limited(0750));
}

QTEST_GUILESS_MAIN(TestTsUnZipHostile)
#include "tst_tsunzip_hostile.moc"
