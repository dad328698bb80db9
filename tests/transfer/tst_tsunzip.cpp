#include "testfiles.h"
#include "tscompression.h"
#include "tsunzip.h"
#include "zipfixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtTest>

#include <sys/stat.h>

using namespace ZipFixtures;

namespace {

const QString password = QStringLiteral("kestrino");

// What a listener on the main thread receives from one run.
struct Outcome
{
    QStringList statuses;
    QList<int> percents;
    QStringList errors;
    int finished = 0;
};

Outcome runUnzip(const QString &zipPath, const QString &destination, bool encrypted,
                 const QString &unpackTo = QString())
{
    TsUnZip unzip;
    unzip.setZipFile(zipPath);
    unzip.setDestination(destination);
    unzip.setEncrypted(encrypted);
    Outcome outcome;
    QObject listener;
    QObject::connect(&unzip, &TsUnZip::status, &listener,
                     [&](const QString &state) { outcome.statuses << state; });
    QObject::connect(&unzip, &TsUnZip::percent, &listener, [&](int p) { outcome.percents << p; });
    QObject::connect(&unzip, &TsUnZip::error, &listener,
                     [&](const QString &err) { outcome.errors << err; });
    QObject::connect(&unzip, &TsUnZip::finished, &listener, [&] { ++outcome.finished; });
    QFuture<void> run = unpackTo.isEmpty()
                            ? QtConcurrent::run(&unzip, &TsUnZip::unpackAll)
                            : QtConcurrent::run(&unzip, &TsUnZip::unpackTo, unpackTo);
    while (!run.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    return outcome;
}

// An archive of numbered small files, written by our own writer.
QString numberedArchive(const QString &folder, int count)
{
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString path = QString("%1/src/f%2.txt").arg(folder).arg(i, 3, 10, QChar('0'));
        TestFiles::write(path, "file " + QByteArray::number(i));
        files << path;
    }
    const QString zipPath = folder + "/numbered.zip";
    TsCompression::zipFiles(zipPath, files);
    return zipPath;
}

} // namespace

class TestTsUnZip : public QObject
{
    Q_OBJECT

private slots:
    void unpacksPeerArchives_data();
    void unpacksPeerArchives();
    void unpacksEncryptedPeerArchives_data();
    void unpacksEncryptedPeerArchives();
    void otherPasswordFails_data();
    void otherPasswordFails();
    void reportsBrokenArchives_data();
    void reportsBrokenArchives();
    void failureTakesBackEarlierEntries();
    void percentUsesIntegerDivision_data();
    void percentUsesIntegerDivision();
    void unpackToCountsEntries();
    void overwritesExistingFile();
    void ourArchivesPassPeerChecks();
    void ourArchiveNeedsThePassword();
    void zipFilesRefusesMissingFile();
    void zipFilesKeepsSameNames();
};

void TestTsUnZip::unpacksPeerArchives_data()
{
    QTest::addColumn<QString>("producer");
    for (const QString &producer : producers())
        QTest::newRow(qPrintable(producer)) << producer;
}

void TestTsUnZip::unpacksPeerArchives()
{
    QFETCH(QString, producer);
    QTemporaryDir box;
    const QString source = box.filePath("source");
    writeSampleTree(source);
    const QString zipPath = box.filePath("peer.zip");
    if (!produce(producer, source, zipPath))
        QSKIP("producer not available");

    const QString destination = box.filePath("games/Skins/Neat");
    const Outcome outcome = runUnzip(zipPath, destination, false);
    QCOMPARE(outcome.errors, QStringList());
    QCOMPARE(outcome.finished, 1);
    QCOMPARE(treeOf(destination), treeOf(source));
    const int entries = TsCompression::listEntries(zipPath).size();
    QCOMPARE(outcome.statuses.size(), entries + 1);
    QCOMPARE(outcome.statuses.last(), QString("Unzipped"));
    QVERIFY(outcome.statuses.contains("Unzipped readme.txt") ||
            outcome.statuses.contains("Unzipped ./readme.txt"));
    QCOMPARE(outcome.percents.size(), entries);
    QCOMPARE(outcome.percents.last(), 100);
}

void TestTsUnZip::unpacksEncryptedPeerArchives_data()
{
    QTest::addColumn<QString>("producer");
    QTest::newRow("zip -P") << "zip";
    QTest::newRow("7z ZipCrypto") << "7z";
}

void TestTsUnZip::unpacksEncryptedPeerArchives()
{
    QFETCH(QString, producer);
    QTemporaryDir box;
    const QString source = box.filePath("source");
    writeSampleTree(source);
    const QString zipPath = box.filePath("locked.zip");
    if (!produce(producer, source, zipPath, password))
        QSKIP("producer not available");

    const Outcome opened = runUnzip(zipPath, box.filePath("opened"), true);
    QCOMPARE(opened.errors, QStringList());
    QCOMPARE(opened.finished, 1);
    QCOMPARE(treeOf(box.filePath("opened")), treeOf(source));

    const Outcome plain = runUnzip(zipPath, box.filePath("plain"), false);
    QCOMPARE(plain.errors, QStringList{"Couldn't extract file"});
    QCOMPARE(plain.finished, 0);
    // Nothing of the failed run is left, not even the folders it made.
    QCOMPARE(treeOf(box.filePath("plain")), (QMap<QString, QByteArray>{}));
}

void TestTsUnZip::otherPasswordFails_data()
{
    unpacksEncryptedPeerArchives_data();
}

void TestTsUnZip::otherPasswordFails()
{
    QFETCH(QString, producer);
    QTemporaryDir box;
    const QString source = box.filePath("source");
    writeSampleTree(source);
    const QString zipPath = box.filePath("other.zip");
    if (!produce(producer, source, zipPath, "not-kestrino"))
        QSKIP("producer not available");
    const Outcome outcome = runUnzip(zipPath, box.filePath("dest"), true);
    QCOMPARE(outcome.errors, QStringList{"Couldn't extract file"});
    QCOMPARE(outcome.finished, 0);
    // Nothing of the failed run is left, not even the folders it made.
    QCOMPARE(treeOf(box.filePath("dest")), (QMap<QString, QByteArray>{}));
}

void TestTsUnZip::reportsBrokenArchives_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing") << "missing"
                             << "Couldn't open zip";
    QTest::newRow("not a zip") << "text"
                               << "Couldn't open zip";
    QTest::newRow("truncated") << "truncated"
                               << "Couldn't open zip";
    QTest::newRow("empty archive") << "empty"
                                   << "Couldn't go to first file";
    QTest::newRow("corrupted entry") << "corrupted"
                                     << "Couldn't extract file";
}

void TestTsUnZip::reportsBrokenArchives()
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    QTemporaryDir box;
    const QString zipPath = box.filePath("broken.zip");
    const QString source = box.filePath("source");
    writeSampleTree(source);
    if (kind == "text") {
        TestFiles::write(zipPath, "this is not an archive\n");
    } else if (kind == "empty") {
        QVERIFY(run(python(), {"-c", "import zipfile,sys; zipfile.ZipFile(sys.argv[1],'w').close()",
                               zipPath}) == 0);
    } else if (kind == "truncated" || kind == "corrupted") {
        QVERIFY(produce("python-deflated", source, zipPath));
        QByteArray bytes = TestFiles::read(zipPath);
        if (kind == "truncated") {
            bytes.truncate(bytes.size() / 2);
        } else {
            // Damage the middle of the incompressible entry's data.
            const int at = bytes.indexOf("maps/level1.dat") + 20000;
            for (int i = 0; i < 64; ++i)
                bytes[at + i] = char(bytes.at(at + i) ^ 0x55);
        }
        TestFiles::write(zipPath, bytes);
    }
    const QString destination = box.filePath("dest");
    const Outcome outcome = runUnzip(zipPath, destination, false);
    QCOMPARE(outcome.errors, QStringList{expected});
    QCOMPARE(outcome.finished, 0);
    // Nothing of the failed run is left, not even the folders it made.
    QCOMPARE(treeOf(destination), (QMap<QString, QByteArray>{}));
}

void TestTsUnZip::failureTakesBackEarlierEntries()
{
    QTemporaryDir box;
    QList<Entry> entries;
    for (int i = 0; i < 10; ++i) {
        Entry entry;
        entry.name = "pack/file" + QByteArray::number(i) + ".txt";
        entry.data = "content " + QByteArray::number(i);
        if (i == 2)
            entry.patch = "crc";
        entries << entry;
    }
    const QString zipPath = box.filePath("third.zip");
    QVERIFY(writeArchive(zipPath, entries));
    const QString destination = box.filePath("dest");
    TestFiles::write(destination + "/kept.txt", "was here before");

    const Outcome outcome = runUnzip(zipPath, destination, false);
    QCOMPARE(outcome.errors, QStringList{"Couldn't extract file"});
    QCOMPARE(outcome.finished, 0);
    QCOMPARE(outcome.statuses, (QStringList{"Unzipped pack/file0.txt", "Unzipped pack/file1.txt"}));
    QCOMPARE(outcome.percents, (QList<int>{10, 20}));
    // The two unpacked files and the folder the run made are gone; older content stays.
    QCOMPARE(treeOf(destination), (QMap<QString, QByteArray>{{"kept.txt", "was here before"}}));
}

void TestTsUnZip::percentUsesIntegerDivision_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("50 entries") << 50;
    QTest::newRow("300 entries") << 300;
}

void TestTsUnZip::percentUsesIntegerDivision()
{
    QFETCH(int, count);
    QTemporaryDir box;
    const QString zipPath = numberedArchive(box.path(), count);
    const Outcome outcome = runUnzip(zipPath, box.filePath("dest"), true);
    QCOMPARE(outcome.finished, 1);
    QCOMPARE(outcome.statuses.size(), count + 1);
    QCOMPARE(outcome.statuses.first(), QString("Unzipped f000.txt"));
    QCOMPARE(outcome.statuses.last(), QString("Unzipped"));
    QList<int> expected;
    for (int i = 1; i <= count; ++i)
        expected << i * 100 / count;
    QCOMPARE(outcome.percents, expected);
    if (count == 300)
        QCOMPARE(outcome.percents.mid(0, 3), (QList<int>{0, 0, 1}));
}

void TestTsUnZip::unpackToCountsEntries()
{
    QTemporaryDir box;
    const QString zipPath = numberedArchive(box.path(), 3);
    for (const bool encrypted : {true, false}) {
        const QString other = box.filePath(encrypted ? "other-locked" : "other-plain");
        const Outcome outcome = runUnzip(zipPath, box.filePath("dest"), encrypted, other);
        if (!encrypted) {
            QCOMPARE(outcome.errors, QStringList{"Couldn't extract file"});
            continue;
        }
        QCOMPARE(outcome.statuses,
                 (QStringList{"1 of 3unzipped", "2 of 3unzipped", "3 of 3unzipped", "Unzipped"}));
        QCOMPARE(outcome.finished, 1);
        QCOMPARE(TestFiles::read(other + "/f001.txt"), QByteArray("file 1"));
        QCOMPARE(treeOf(box.filePath("dest")), (QMap<QString, QByteArray>{}));
    }
}

void TestTsUnZip::overwritesExistingFile()
{
    QTemporaryDir box;
    const QString source = box.filePath("source");
    writeSampleTree(source);
    const QString zipPath = box.filePath("peer.zip");
    QVERIFY(produce("python-deflated", source, zipPath));
    const QString destination = box.filePath("dest");
    TestFiles::write(destination + "/readme.txt", QByteArray(100000, 'x'));
    const Outcome outcome = runUnzip(zipPath, destination, false);
    QCOMPARE(outcome.finished, 1);
    QCOMPARE(TestFiles::read(destination + "/readme.txt"), TestFiles::read(source + "/readme.txt"));
}

void TestTsUnZip::ourArchivesPassPeerChecks()
{
    QTemporaryDir box;
    const QString source = box.filePath("source");
    writeSampleTree(source);
    const QStringList files{source + "/readme.txt", source + "/maps/level1.dat",
                            source + "/maps/empty.txt", source + "/maps/deep/inner/notes.txt"};
    const QString zipPath = box.filePath("logs/report.zip");
    QVERIFY(TsCompression::zipFiles(zipPath, files));
    QCOMPARE(TsCompression::listEntries(zipPath),
             (QStringList{"readme.txt", "level1.dat", "empty.txt", "notes.txt"}));

    QMap<QString, QByteArray> expected;
    for (const QString &file : files)
        expected.insert(QFileInfo(file).fileName(), TestFiles::read(file));

    if (hasTool("unzip")) {
        QByteArray output;
        QCOMPARE(run("unzip", {"-P", password, "-t", zipPath}, {}, &output), 0);
        QVERIFY2(output.contains("No errors detected"), output.constData());
        QCOMPARE(run("unzip", {"-q", "-P", password, zipPath, "-d", box.filePath("by-unzip")}), 0);
        QCOMPARE(treeOf(box.filePath("by-unzip")), expected);
    }
    if (hasTool("7z")) {
        QByteArray output;
        QCOMPARE(run("7z", {"t", "-p" + password, zipPath}, {}, &output), 0);
        QVERIFY2(output.contains("Everything is Ok"), output.constData());
        QCOMPARE(run("7z", {"x", "-bd", "-p" + password, "-o" + box.filePath("by-7z"), zipPath}),
                 0);
        QCOMPARE(treeOf(box.filePath("by-7z")), expected);
    }
    const Outcome outcome = runUnzip(zipPath, box.filePath("by-us"), true);
    QCOMPARE(outcome.finished, 1);
    QCOMPARE(treeOf(box.filePath("by-us")), expected);
}

void TestTsUnZip::ourArchiveNeedsThePassword()
{
    QTemporaryDir box;
    const QString zipPath = numberedArchive(box.path(), 4);
    const Outcome outcome = runUnzip(zipPath, box.filePath("dest"), false);
    QCOMPARE(outcome.errors, QStringList{"Couldn't extract file"});
    QCOMPARE(outcome.statuses, QStringList());
    QCOMPARE(outcome.finished, 0);
    if (hasTool("unzip"))
        QVERIFY(run("unzip", {"-P", "wrong", "-t", zipPath}) != 0);
}

void TestTsUnZip::zipFilesRefusesMissingFile()
{
    QTemporaryDir box;
    TestFiles::write(box.filePath("a.txt"), "a");
    const QString zipPath = box.filePath("out/report.zip");
    QVERIFY(!TsCompression::zipFiles(zipPath, {box.filePath("a.txt"), box.filePath("gone.txt")}));
    QVERIFY(!QFile::exists(zipPath));
    QVERIFY(!TsCompression::zipFiles(zipPath, {box.filePath("a.txt"), box.path()}));
    QVERIFY(!QFile::exists(zipPath));
}

void TestTsUnZip::zipFilesKeepsSameNames()
{
    QTemporaryDir box;
    TestFiles::write(box.filePath("one/same.txt"), "first");
    TestFiles::write(box.filePath("two/same.txt"), "second");
    const QString zipPath = box.filePath("twice.zip");
    QVERIFY(TsCompression::zipFiles(zipPath,
                                    {box.filePath("one/same.txt"), box.filePath("two/same.txt")}));
    QCOMPARE(TsCompression::listEntries(zipPath), (QStringList{"same.txt", "same.txt"}));
}

QTEST_GUILESS_MAIN(TestTsUnZip)
#include "tst_tsunzip.moc"
