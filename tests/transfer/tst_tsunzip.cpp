#include "runend.h"
#include "testfiles.h"
#include "tscompression.h"
#include "tsunzip.h"
#include "zipfixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThreadPool>
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

// A self-extractor's layout: 713 bytes of stub before an archive of zip's (with zip64 records
// for "zip64"), its offsets counting from the archive, or from the file after "zip -A".
bool produceBehindStub(const QString &producer, const QString &source, const QString &zipPath)
{
    const QString inner = zipPath + ".inner";
    QStringList arguments{"-q", "-r"};
    if (producer.contains("zip64"))
        arguments << "-fz";
    if (!hasTool("zip") || run("zip", arguments << inner << topLevel(source), source) != 0)
        return false;
    QFile file(zipPath);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QByteArray(713, '#') + TestFiles::read(inner)) < 0)
        return false;
    file.close();
    return !producer.contains("zip -A") || run("zip", {"-A", zipPath}) == 0;
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
    void parallelRunReportsInArchiveOrder_data();
    void parallelRunReportsInArchiveOrder();
    void failureInAnyShareUndoesTheRun_data();
    void failureInAnyShareUndoesTheRun();
    void endsWithOneSignal_data();
    void endsWithOneSignal();
};

void TestTsUnZip::unpacksPeerArchives_data()
{
    producerRows();
    for (const char *stub : {"stub, zip64", "stub, zip", "stub, zip -A"})
        QTest::newRow(stub) << stub;
}

void TestTsUnZip::unpacksPeerArchives()
{
    QFETCH(QString, producer);
    QTemporaryDir box;
    const QString source = box.filePath("source");
    writeSampleTree(source);
    const QString zipPath = box.filePath("peer.zip");
    if (!(producer.startsWith("stub") ? produceBehindStub(producer, source, zipPath)
                                      : produce(producer, source, zipPath)))
        QSKIP("producer not available");

    const QString destination = box.filePath("games/Skins/Neat");
    const Outcome outcome = runUnzip(zipPath, destination, false);
    QCOMPARE(outcome.errors, QStringList());
    QCOMPARE(outcome.finished, 1);
    QCOMPARE(TestFiles::tree(destination), TestFiles::tree(source));
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
    QCOMPARE(TestFiles::tree(box.filePath("opened")), TestFiles::tree(source));

    const Outcome plain = runUnzip(zipPath, box.filePath("plain"), false);
    QCOMPARE(plain.errors, QStringList{"Couldn't extract file"});
    QCOMPARE(plain.finished, 0);
    // Nothing of the failed run is left, not even the folders it made.
    QCOMPARE(TestFiles::tree(box.filePath("plain")), (QMap<QString, QByteArray>{}));
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
    QCOMPARE(TestFiles::tree(box.filePath("dest")), (QMap<QString, QByteArray>{}));
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
    QCOMPARE(TestFiles::tree(destination), (QMap<QString, QByteArray>{}));
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
    QCOMPARE(TestFiles::tree(destination),
             (QMap<QString, QByteArray>{{"kept.txt", "was here before"}}));
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
        QCOMPARE(TestFiles::tree(box.filePath("dest")), (QMap<QString, QByteArray>{}));
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
        QCOMPARE(TestFiles::tree(box.filePath("by-unzip")), expected);
    }
    if (hasTool("7z")) {
        QByteArray output;
        QCOMPARE(run("7z", {"t", "-p" + password, zipPath}, {}, &output), 0);
        QVERIFY2(output.contains("Everything is Ok"), output.constData());
        QCOMPARE(run("7z", {"x", "-bd", "-p" + password, "-o" + box.filePath("by-7z"), zipPath}),
                 0);
        QCOMPARE(TestFiles::tree(box.filePath("by-7z")), expected);
    }
    const Outcome outcome = runUnzip(zipPath, box.filePath("by-us"), true);
    QCOMPARE(outcome.finished, 1);
    QCOMPARE(TestFiles::tree(box.filePath("by-us")), expected);
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

namespace {

// Files enough for many chunks, so that idle pool threads take shares of them: a few KB each
// in folders, text (deflated) and noise (stored), made into an archive by Info-ZIP zip. The
// entry names in archive order; empty when zip is missing.
QStringList manyFilesArchive(const QString &source, int count, const QString &zipPath)
{
    for (int i = 0; i < count; ++i) {
        const QString path = QString("%1/set%2/file%3.dat").arg(source).arg(i / 60).arg(i);
        TestFiles::write(path, i % 3 == 0 ? QByteArray(1000 + i * 37 % 9000, char('a' + i % 26))
                                          : noise(2000 + i * 53 % 30000, quint32(i)));
    }
    if (!hasTool("zip") || run("zip", {"-q", "-r", zipPath, "."}, source) != 0)
        return QStringList();
    return TsCompression::listEntries(zipPath);
}

// Flips bytes in the middle of an entry's data, so that it fails its checksum.
bool damageEntry(const QString &zipPath, const QString &name)
{
    const char *script = R"PY(
import struct, sys, zipfile
path, name = sys.argv[1], sys.argv[2]
info = zipfile.ZipFile(path).getinfo(name)
data = bytearray(open(path, "rb").read())
at = info.header_offset
start = at + 30 + struct.unpack("<H", data[at + 26:at + 28])[0] + struct.unpack("<H", data[at + 28:at + 30])[0]
middle = start + info.compress_size // 2
for i in range(middle, middle + 8):
    data[i] ^= 0x55
open(path, "wb").write(data)
)PY";
    return run(python(), {"-c", script, zipPath, name}) == 0;
}

// More pool threads than this machine may have, so that the run always has helpers.
struct WidePool
{
    const int saved = QThreadPool::globalInstance()->maxThreadCount();
    WidePool() { QThreadPool::globalInstance()->setMaxThreadCount(qMax(saved, 4)); }
    ~WidePool() { QThreadPool::globalInstance()->setMaxThreadCount(saved); }
};

} // namespace

void TestTsUnZip::parallelRunReportsInArchiveOrder_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("400 entries") << 400;
    QTest::newRow("1200 entries") << 1200;
}

void TestTsUnZip::parallelRunReportsInArchiveOrder()
{
    QFETCH(int, count);
    const WidePool pool;
    QTemporaryDir box;
    const QString source = box.filePath("source");
    const QString zipPath = box.filePath("many.zip");
    const QStringList names = manyFilesArchive(source, count, zipPath);
    if (names.isEmpty())
        QSKIP("Info-ZIP zip is needed");
    const QString destination = box.filePath("dest");
    TestFiles::write(destination + "/mine.txt", "the player's own");

    for (const QString &unpackTo : {QString(), box.filePath("other")}) {
        const Outcome outcome = runUnzip(zipPath, destination, false, unpackTo);
        QCOMPARE(outcome.errors, QStringList());
        QCOMPARE(outcome.finished, 1);
        QStringList expected;
        QList<int> percents;
        for (int i = 0; i < names.size(); ++i) {
            expected << (unpackTo.isEmpty()
                             ? "Unzipped " + names.at(i)
                             : QString("%1 of %2unzipped").arg(i + 1).arg(names.size()));
            percents << (i + 1) * 100 / names.size();
        }
        expected << "Unzipped";
        QCOMPARE(outcome.statuses, expected);
        QCOMPARE(outcome.percents, percents);
    }
    QMap<QString, QByteArray> tree = TestFiles::tree(source);
    QCOMPARE(TestFiles::tree(box.filePath("other")), tree);
    tree.insert("mine.txt", "the player's own");
    QCOMPARE(TestFiles::tree(destination), tree);
}

void TestTsUnZip::failureInAnyShareUndoesTheRun_data()
{
    // Entry positions in the archive; a folder entry there gives its place to the next file.
    QTest::addColumn<QList<int>>("damaged");
    QTest::newRow("in the first chunk") << QList<int>{3};
    QTest::newRow("in the middle") << QList<int>{407};
    QTest::newRow("the last entry") << QList<int>{-1};
    QTest::newRow("two far apart") << QList<int>{257, 613};
    QTest::newRow("two side by side") << QList<int>{530, 532};
}

void TestTsUnZip::failureInAnyShareUndoesTheRun()
{
    QFETCH(QList<int>, damaged);
    const WidePool pool;
    QTemporaryDir box;
    const QString zipPath = box.filePath("damaged.zip");
    const QStringList names = manyFilesArchive(box.filePath("source"), 800, zipPath);
    if (names.isEmpty())
        QSKIP("Info-ZIP zip is needed");
    for (int &index : damaged) {
        if (index < 0)
            index = names.size() - 1;
        while (names.at(index).endsWith('/'))
            ++index;
        QVERIFY(damageEntry(zipPath, names.at(index)));
    }
    // The destination already holds files, some of which the archive would replace.
    const QString destination = box.filePath("Pictures/Pack");
    TestFiles::write(destination + "/mine.txt", "the player's own");
    TestFiles::write(destination + "/set1/file61.dat", "old bytes");
    TestFiles::write(destination + "/set12/file760.dat", "old bytes too");
    const QMap<QString, QByteArray> before = TestFiles::tree(box.filePath("Pictures"));

    TsUnZip unzip;
    unzip.setZipFile(zipPath);
    unzip.setDestination(destination);
    unzip.setEncrypted(false);
    const QString journal = box.filePath("journal/run.json");
    unzip.setJournal(journal);
    QSignalSpy status(&unzip, &TsUnZip::status);
    QSignalSpy percent(&unzip, &TsUnZip::percent);
    QSignalSpy error(&unzip, &TsUnZip::error);
    QSignalSpy finished(&unzip, &TsUnZip::finished);
    const RunEnd end(&unzip);
    QtConcurrent::run(&unzip, &TsUnZip::unpackAll).waitForFinished();
    QCoreApplication::processEvents();
    QVERIFY(end.ended());

    QCOMPARE(error.size(), 1);
    QCOMPARE(error.at(0).at(0).toString(), QString("Couldn't extract file"));
    QCOMPARE(finished.size(), 0);
    // Every entry before the first damaged one is reported, in order, and nothing after it.
    const int first = damaged.first();
    QCOMPARE(status.size(), first);
    QCOMPARE(percent.size(), first);
    for (int i = 0; i < first; ++i) {
        QCOMPARE(status.at(i).at(0).toString(), "Unzipped " + names.at(i));
        QCOMPARE(percent.at(i).at(0).toInt(), (i + 1) * 100 / names.size());
    }
    QVERIFY2(unzip.errorDetail().contains(names.at(first)), qPrintable(unzip.errorDetail()));
    QCOMPARE(TestFiles::tree(box.filePath("Pictures")), before);
    QVERIFY(!QFile::exists(journal));
}

// The run's contract as a listener sees it: one ending signal, finished() or error(), never
// both and nothing after it; the destination whole, or as it was.
void TestTsUnZip::endsWithOneSignal_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("finishes");
    QTest::newRow("whole archive") << "whole" << true;
    // Journaled, so the staged files are handed to the disk as they are written, a large one in
    // pieces, and synced before the commit.
    QTest::newRow("journaled, with a large file") << "journaled" << true;
    QTest::newRow("damaged entry") << "damaged" << false;
    QTest::newRow("missing archive") << "missing" << false;
    QTest::newRow("cancelled before the run") << "cancel-before" << false;
    QTest::newRow("cancelled while it runs") << "cancel-during" << false;
}

void TestTsUnZip::endsWithOneSignal()
{
    QFETCH(QString, situation);
    QFETCH(bool, finishes);
    QTemporaryDir box;
    QList<Entry> entries;
    const int count = 20;
    for (int i = 0; i < count; ++i) {
        Entry entry;
        entry.name = "pack/file" + QByteArray::number(i) + ".txt";
        entry.data = "content " + QByteArray::number(i);
        entries << entry;
    }
    if (situation == "damaged")
        entries.last().patch = "crc";
    if (situation == "journaled") {
        Entry large;
        large.name = "pack/large.bin";
        for (int i = 0; large.data.size() < 12 * 1024 * 1024; ++i)
            large.data += noise(64 * 1024, quint32(i));
        entries << large;
        for (const Entry &entry : qAsConst(entries))
            TestFiles::write(box.filePath("source/") + entry.name, entry.data);
        if (!hasTool("zip") ||
            run("zip", {"-q", "-r", box.filePath("pack.zip"), "pack"}, box.filePath("source")) != 0)
            QSKIP("Info-ZIP zip is needed");
    }
    // A run long enough to be cancelled while it reads: many entries, written by our own
    // writer (encrypted).
    const bool longRun = situation == "cancel-during";
    const QString zipPath = longRun ? numberedArchive(box.path(), 2000) : box.filePath("pack.zip");
    if (!longRun && situation != "missing" && situation != "journaled")
        QVERIFY(writeArchive(zipPath, entries));
    const QString destination = box.filePath("dest");
    TestFiles::write(destination + "/kept.txt", "was here before");
    const auto before = TestFiles::tree(destination);

    TsUnZip unzip;
    unzip.setZipFile(zipPath);
    unzip.setDestination(destination);
    unzip.setEncrypted(longRun);
    const QString journal = box.filePath("journal/run.json");
    if (situation == "journaled")
        unzip.setJournal(journal);
    QSignalSpy status(&unzip, &TsUnZip::status);
    QSignalSpy error(&unzip, &TsUnZip::error);
    QSignalSpy finished(&unzip, &TsUnZip::finished);
    QSignalSpy bytesRead(&unzip, &TsUnZip::bytesRead);
    const RunEnd end(&unzip);
    QObject listener;
    if (situation == "cancel-before")
        unzip.cancel();
    if (situation == "cancel-during")
        QObject::connect(&unzip, &TsUnZip::status, &listener, [&unzip] { unzip.cancel(); });
    QFuture<void> run = QtConcurrent::run(&unzip, &TsUnZip::unpackAll);
    while (!run.isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // Nothing comes after the ending signal.
    QTest::qWait(100);
    QVERIFY(end.ended());

    QCOMPARE(finished.count() + error.count(), 1);
    QCOMPARE(finished.count(), finishes ? 1 : 0);
    // The bytes read reach the whole of the entries' data, the large entry's among them.
    if (situation == "journaled")
        QCOMPARE(bytesRead.last().at(0), bytesRead.last().at(1));
    if (finishes) {
        // One per entry, then "Unzipped".
        QCOMPARE(status.count(), TsCompression::listEntries(zipPath).size() + 1);
        auto expected = before;
        expected.insert("pack/", QByteArray());
        for (const Entry &entry : qAsConst(entries))
            expected.insert(QString::fromUtf8(entry.name), entry.data);
        QCOMPARE(TestFiles::tree(destination), expected);
    } else {
        QCOMPARE(TestFiles::tree(destination), before);
    }
    if (situation.startsWith("cancel"))
        QCOMPARE(unzip.errorDetail(), QStringLiteral("cancelled"));
    QVERIFY(!QFile::exists(journal));
}

QTEST_GUILESS_MAIN(TestTsUnZip)
#include "tst_tsunzip.moc"
