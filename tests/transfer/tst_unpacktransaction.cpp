// A run that fails must leave its destination exactly as it found it, whatever the destination
// already held; names must come out as the archive's maker meant them.

#include "runend.h"
#include "testfiles.h"
#include "tscompression.h"
#include "tsunzip.h"
#include "unpacktransaction.h"
#include "zipfixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtConcurrent>
#include <QtTest>

using namespace ZipFixtures;

namespace {

Entry entry(const QByteArray &name, const QByteArray &data, const QString &patch = QString())
{
    Entry e;
    e.name = name;
    e.data = data;
    e.patch = patch;
    return e;
}

// Runs one unpack operation into destination; true when it reported success.
bool unpackWith(const QString &operation, const QString &zipPath, const QString &destination,
                QString *detail = nullptr)
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
        if (detail)
            *detail = unzip.errorDetail();
        return end.ended() && finished.size() == 1 && error.isEmpty();
    }
    if (operation == "unpackArchive")
        return !TsCompression::unpackArchive(zipPath, destination).isEmpty();
    return !TsCompression::unpackNamedEntries(zipPath, TsCompression::listEntries(zipPath),
                                              destination)
                .isEmpty();
}

// Writes an archive whose entry names are raw bytes: Python writes a placeholder of the same
// length, which is then replaced in both headers. `unicodePath` adds an Info-ZIP Unicode Path
// field, with a wrong checksum when `badCrc`.
bool writeRawNames(const QString &zipPath, const QList<QByteArray> &rawNames,
                   const QByteArray &unicodePath = QByteArray(), bool badCrc = false)
{
    const char *script = R"PY(
import struct, sys, zipfile, zlib
out, unicode_path, bad = sys.argv[1], bytes.fromhex(sys.argv[2]), sys.argv[3] == "1"
names = [bytes.fromhex(h) for h in sys.argv[4:]]
holders = []
with zipfile.ZipFile(out, "w") as z:
    for i, raw in enumerate(names):
        holder = ("%d" % i).encode() + b"_" * (len(raw) - len(str(i)))
        holders.append(holder)
        info = zipfile.ZipInfo(holder.decode("ascii"), (2024, 5, 17, 12, 0, 0))
        if unicode_path:
            crc = zlib.crc32(raw) ^ (1 if bad else 0)
            info.extra = struct.pack("<HHBI", 0x7075, 5 + len(unicode_path), 1, crc) + unicode_path
        z.writestr(info, b"content %d" % i)
data = open(out, "rb").read()
for holder, raw in zip(holders, names):
    data = data.replace(holder, raw)
open(out, "wb").write(data)
)PY";
    QStringList arguments{"-c", script, zipPath, QString::fromLatin1(unicodePath.toHex()),
                          badCrc ? "1" : "0"};
    for (const QByteArray &name : rawNames)
        arguments << QString::fromLatin1(name.toHex());
    return run(python(), arguments) == 0;
}

} // namespace

class TestUnpackTransaction : public QObject
{
    Q_OBJECT

private slots:
    void failedRunRestoresTheTree_data();
    void failedRunRestoresTheTree();
    void diskFullRestoresTheTree();
    void successfulRunLeavesNothingBehind();
    void recoverFinishesOrUndoes_data();
    void recoverFinishesOrUndoes();
    void entryNames_data();
    void entryNames();
    void namesFromProducers_data();
    void namesFromProducers();
};

void TestUnpackTransaction::failedRunRestoresTheTree_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("fault");
    for (const QString operation : {"TsUnZip", "unpackArchive", "unpackNamedEntries"}) {
        for (const QString fault : {"damaged last entry", "damaged middle entry",
                                    "folder in the way", "link climbing out"})
            QTest::newRow(qPrintable(operation + ", " + fault)) << operation << fault;
    }
}

void TestUnpackTransaction::failedRunRestoresTheTree()
{
    QFETCH(QString, operation);
    QFETCH(QString, fault);
    QTemporaryDir box;
    const QString destination = box.filePath("Skins/MySkin");
    TestFiles::write(destination + "/skin.ini", "edited by the player");
    TestFiles::write(destination + "/mine.txt", "the player's own");
    TestFiles::write(destination + "/bg/back.txt", "old background");
    TestFiles::write(destination + "/taken/inside.txt", "a folder where the archive has a file");
    TestFiles::write(box.filePath("outside/secret.txt"), "not the package's");
    QVERIFY(QFile::link(box.filePath("outside"), destination + "/escape"));

    QList<Entry> entries{entry("skin.ini", "[skin]\nnew"), entry("bg/back.txt", "new background"),
                         entry("fresh/one.txt", "one"), entry("middle.txt", "middle")};
    for (int i = 0; i < 20; ++i)
        entries << entry("more/file" + QByteArray::number(i) + ".txt", noise(3000, quint32(i)));
    entries << entry("last.txt", "last");
    if (fault == "damaged last entry")
        entries.last().patch = "crc";
    else if (fault == "damaged middle entry")
        entries[3].patch = "crc";
    else if (fault == "folder in the way")
        entries << entry("taken", "a file cannot replace a folder");
    else
        entries << entry("escape/secret.txt", "overwritten");
    const QString zipPath = box.filePath("package.zip");
    QVERIFY(writeArchive(zipPath, entries));

    const QMap<QString, QByteArray> before = TestFiles::tree(box.filePath("Skins"));
    const QMap<QString, QByteArray> outside = TestFiles::tree(box.filePath("outside"));
    QString detail;
    QVERIFY(!unpackWith(operation, zipPath, destination, &detail));
    QCOMPARE(TestFiles::tree(box.filePath("Skins")), before);
    QCOMPARE(TestFiles::tree(box.filePath("outside")), outside);
    if (operation == "TsUnZip")
        QVERIFY2(!detail.isEmpty(), "a failure says why");
}

void TestUnpackTransaction::diskFullRestoresTheTree()
{
    // A small file system of our own; only where the test may mount one.
    QTemporaryDir box;
    const QString mount = box.filePath("small");
    QVERIFY(QDir().mkpath(mount));
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=1m", "tmpfs", mount}) != 0)
        QSKIP("cannot mount a small tmpfs here");
    const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {mount}); });
    const QString destination = mount + "/MySkin";
    TestFiles::write(destination + "/skin.ini", "edited by the player");
    TestFiles::write(destination + "/mine.txt", "the player's own");
    TestFiles::write(box.filePath("tree/skin.ini"), "new");
    for (int i = 0; i < 8; ++i)
        TestFiles::write(box.filePath(QString("tree/big%1.bin").arg(i)),
                         noise(200 * 1024, quint32(i)));
    const QString zipPath = box.filePath("big.zip");
    if (!produce("zip", box.filePath("tree"), zipPath))
        QSKIP("Info-ZIP zip is needed");
    for (const QString operation : {"TsUnZip", "unpackArchive", "unpackNamedEntries"}) {
        const QMap<QString, QByteArray> before = TestFiles::tree(mount);
        QVERIFY(!unpackWith(operation, zipPath, destination));
        QCOMPARE(TestFiles::tree(mount), before);
    }
}

void TestUnpackTransaction::successfulRunLeavesNothingBehind()
{
    QTemporaryDir box;
    const QString destination = box.filePath("dest");
    TestFiles::write(destination + "/a.txt", "old a");
    TestFiles::write(destination + "/keep.txt", "kept");
    const QString zipPath = box.filePath("ok.zip");
    // The same name twice: the later entry wins, as when written one after the other.
    QVERIFY(writeArchive(zipPath, {entry("a.txt", "first"), entry("sub/", ""),
                                   entry("sub/b.txt", "b"), entry("a.txt", "second")}));
    QVERIFY(unpackWith("TsUnZip", zipPath, destination));
    QCOMPARE(TestFiles::tree(destination),
             (QMap<QString, QByteArray>{
                 {"a.txt", "second"}, {"keep.txt", "kept"}, {"sub/", ""}, {"sub/b.txt", "b"}}));
}

void TestUnpackTransaction::recoverFinishesOrUndoes_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<bool>("finished");
    QTest::addColumn<bool>("anchorGone");
    // Staged files spread over folders; 0: all in the work folder, as earlier versions left them.
    QTest::addColumn<int>("stagedFolders");
    for (const int folders : {16, 0}) {
        const QByteArray layout = folders ? "" : ", one staging folder";
        QTest::addRow("cut off while unpacking%s", layout.constData())
            << "unpacking" << false << false << folders;
        QTest::addRow("cut off while moving into place%s", layout.constData())
            << "committing" << true << false << folders;
        QTest::addRow("cut off while undoing%s", layout.constData())
            << "undoing" << false << false << folders;
    }
    // A drive not mounted, a game folder renamed: nothing is recreated, the journal waits.
    QTest::newRow("game folder away") << "committing" << false << true << 16;
}

void TestUnpackTransaction::recoverFinishesOrUndoes()
{
    QFETCH(QString, phase);
    QFETCH(bool, finished);
    QFETCH(bool, anchorGone);
    QFETCH(int, stagedFolders);
    const auto staged = [&](int number) {
        return stagedFolders ? QString("/%1/%2").arg(number % stagedFolders).arg(number)
                             : QString("/%1").arg(number);
    };
    // A journal and a work folder as a killed run leaves them: the first of two entries moved
    // into place (its old file set aside), the second still staged.
    QTemporaryDir box;
    const QString destination = box.filePath("dest");
    TestFiles::write(destination + "/a.txt", "old a");
    TestFiles::write(destination + "/mine.txt", "kept");
    const QMap<QString, QByteArray> before = TestFiles::tree(destination);
    const QString work = destination + "/" + UnpackTransaction::workPrefix() + "1f";
    TestFiles::write(work + staged(1), "new b");
    if (phase != "unpacking") {
        QVERIFY(QDir().mkpath(QFileInfo(work + staged(0)).path()));
        QVERIFY(QFile::rename(destination + "/a.txt", work + staged(0) + ".old"));
        TestFiles::write(destination + "/a.txt", "new a");
    } else {
        TestFiles::write(work + staged(0), "new a");
    }
    const QString journal = box.filePath("run.journal");
    const QString anchor = anchorGone ? box.filePath("unmounted") : box.path();
    TestFiles::write(journal, QString(R"({"destination":"%1","work":"%2","phase":"%3","anchor":"%4",
        "createdFolders":[],"stagedFolders":%5,
        "entries":[{"name":"a.txt","number":0},{"name":"sub/b.txt","number":1}]})")
                                  .arg(destination, work, phase, anchor)
                                  .arg(stagedFolders)
                                  .toUtf8());
    if (anchorGone) {
        const QMap<QString, QByteArray> cutOff = TestFiles::tree(box.path());
        QString what;
        QCOMPARE(UnpackTransaction::recoverRun(journal, &what),
                 UnpackTransaction::Recovery::Waiting);
        QVERIFY(what.contains(anchor));
        QCOMPARE(TestFiles::tree(box.path()), cutOff);
        return;
    }
    QVERIFY(!TsUnZip::recover(journal).isEmpty());
    QVERIFY(!QFile::exists(journal));
    QMap<QString, QByteArray> expected = before;
    if (finished) {
        expected.insert("a.txt", "new a");
        expected.insert("sub/", "");
        expected.insert("sub/b.txt", "new b");
    }
    QCOMPARE(TestFiles::tree(destination), expected);

    // A damaged journal is kept aside for a person to look at; a journal that names a foreign
    // folder as its work folder never has it deleted.
    TestFiles::write(journal, "{not json");
    QVERIFY(!TsUnZip::recover(journal).isEmpty());
    QVERIFY(!QFile::exists(journal));
    QCOMPARE(TestFiles::read(UnpackTransaction::damagedPath(journal)), QByteArray("{not json"));
    TestFiles::write(box.filePath("precious/file.txt"), "precious");
    TestFiles::write(journal, QString(R"({"destination":"%1","work":"%2","phase":"unpacking"})")
                                  .arg(box.path(), box.filePath("precious"))
                                  .toUtf8());
    TsUnZip::recover(journal);
    QCOMPARE(TestFiles::read(box.filePath("precious/file.txt")), QByteArray("precious"));
}

void TestUnpackTransaction::entryNames_data()
{
    QTest::addColumn<QList<QByteArray>>("raw");
    QTest::addColumn<QByteArray>("unicodePath");
    QTest::addColumn<bool>("badCrc");
    QTest::addColumn<QString>("expected");

    const QString muller = QString::fromUtf8("M\xc3\xbcller/Se\xc3\xb1or.txt");
    QTest::newRow("code page 437, no flag")
        << QList<QByteArray>{QByteArray("M\x81ller/Se\xa4or.txt")} << QByteArray() << false
        << muller;
    QTest::newRow("UTF-8 bytes, no flag")
        << QList<QByteArray>{muller.toUtf8()} << QByteArray() << false << muller;
    QTest::newRow("Unicode Path field wins over the stored bytes")
        << QList<QByteArray>{QByteArray("MULLER~1.TXT")} << muller.toUtf8() << false << muller;
    QTest::newRow("Unicode Path field with a wrong checksum is ignored")
        << QList<QByteArray>{QByteArray("MULLER~1.TXT")} << muller.toUtf8() << true
        << QString("MULLER~1.TXT");
}

void TestUnpackTransaction::entryNames()
{
    QFETCH(QList<QByteArray>, raw);
    QFETCH(QByteArray, unicodePath);
    QFETCH(bool, badCrc);
    QFETCH(QString, expected);
    QTemporaryDir box;
    const QString zipPath = box.filePath("names.zip");
    QVERIFY(writeRawNames(zipPath, raw, unicodePath, badCrc));
    QCOMPARE(TsCompression::listEntries(zipPath), QStringList{expected});

    TsUnZip unzip;
    unzip.setZipFile(zipPath);
    unzip.setDestination(box.filePath("out"));
    unzip.setEncrypted(false);
    QSignalSpy status(&unzip, &TsUnZip::status);
    const RunEnd end(&unzip);
    QtConcurrent::run(&unzip, &TsUnZip::unpackAll).waitForFinished();
    QCoreApplication::processEvents();
    QVERIFY(end.ended());
    QCOMPARE(status.value(0).value(0).toString(), "Unzipped " + expected);
    QCOMPARE(TestFiles::read(box.filePath("out/" + expected)), QByteArray("content 0"));
}

void TestUnpackTransaction::namesFromProducers_data()
{
    producerRows();
}

void TestUnpackTransaction::namesFromProducers()
{
    QFETCH(QString, producer);
    QTemporaryDir box;
    const QString name = QString::fromUtf8("M\xc3\xbcller/Se\xc3\xb1or \xe2\x98\x85.txt");
    TestFiles::write(box.filePath("tree/" + name), "named");
    const QString zipPath = box.filePath("names.zip");
    if (!produce(producer, box.filePath("tree"), zipPath))
        QSKIP("producer not available");
    QVERIFY(unpackWith("TsUnZip", zipPath, box.filePath("out")));
    QCOMPARE(TestFiles::read(box.filePath("out/" + name)), QByteArray("named"));
}

QTEST_GUILESS_MAIN(TestUnpackTransaction)
#include "tst_unpacktransaction.moc"
