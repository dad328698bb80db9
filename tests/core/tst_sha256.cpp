// SHA-256 on libcrypto: the published test vectors, and files against sha256sum.

#include "sha256.h"
#include "testfiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestSha256 : public QObject
{
    Q_OBJECT

private slots:
    void knownHashes_data();
    void knownHashes();
    void files_data();
    void files();
};

void TestSha256::knownHashes_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("piece"); // added in pieces of this size
    QTest::addColumn<QByteArray>("hex");
    const QByteArray empty = "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";
    const QByteArray abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    const QByteArray million = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";
    QTest::newRow("empty") << QByteArray() << 1 << empty;
    QTest::newRow("abc") << QByteArray("abc") << 3 << abc;
    QTest::newRow("abc, byte by byte") << QByteArray("abc") << 1 << abc;
    QTest::newRow("a million a") << QByteArray(1000000, 'a') << 1000000 << million;
    QTest::newRow("a million a, odd pieces") << QByteArray(1000000, 'a') << 4099 << million;
}

void TestSha256::knownHashes()
{
    QFETCH(QByteArray, data);
    QFETCH(int, piece);
    QFETCH(QByteArray, hex);
    QCOMPARE(Sha256::hexOf(data), hex);
    Sha256 hash;
    for (int at = 0; at < data.size(); at += piece)
        hash.addData(data.constData() + at, qMin(piece, int(data.size()) - at));
    QCOMPARE(hash.hexResult(), hex);
    // A result starts the next hash afresh.
    QCOMPARE(hash.hexResult(), Sha256::hexOf(QByteArray()));
}

void TestSha256::files_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("limit"); // -1: the whole file
    QTest::newRow("empty file") << 0 << qint64(-1);
    QTest::newRow("one byte") << 1 << qint64(-1);
    QTest::newRow("several read pieces") << 700 * 1024 + 3 << qint64(-1);
    QTest::newRow("first part only") << 700 * 1024 << qint64(300 * 1024 + 1);
    QTest::newRow("limit past the end") << 1000 << qint64(1001);
}

void TestSha256::files()
{
    QFETCH(int, size);
    QFETCH(qint64, limit);
    QTemporaryDir folder;
    const QString path = folder.filePath("data.bin");
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 131) ^ (i >> 9));
    TestFiles::write(path, data);

    Sha256 hash;
    const bool read = hash.addFile(path, limit);
    QCOMPARE(read, limit <= size);
    if (!read)
        return;
    // sha256sum over the same bytes, whole or cut.
    const QString measured = limit < 0 ? path : folder.filePath("part.bin");
    if (limit >= 0)
        TestFiles::write(measured, data.left(int(limit)));
    QProcess sum;
    sum.start("sha256sum", {measured});
    QVERIFY(sum.waitForFinished());
    const QByteArray expected = sum.readAllStandardOutput().left(64);
    QCOMPARE(hash.hexResult(), expected);
    if (limit < 0)
        QCOMPARE(Sha256::hexOfFile(path), expected);
    QCOMPARE(Sha256::hexOfFile(folder.filePath("missing.bin")), QByteArray());
}

QTEST_GUILESS_MAIN(TestSha256)
#include "tst_sha256.moc"
