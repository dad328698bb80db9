#include "archivefile_p.h"
#include "rawinflate_p.h"
#include "testfiles.h"
#include "tscompression.h"
#include "unpacktransaction.h"
#include "zipfixtures.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <quazip.h>
#include <zlib.h>

using namespace ZipFixtures;

namespace {

const QString password = QStringLiteral("kestrino");

// Entry names in archive order, as Python's zipfile reads them (names without the UTF-8 flag
// read as UTF-8 too, the way this system's locale reads them).
QStringList pythonNames(const QString &zipPath)
{
    const QString script = R"PY(
import sys, zipfile
try:
    z = zipfile.ZipFile(sys.argv[1], metadata_encoding="utf-8")
except TypeError:
    z = zipfile.ZipFile(sys.argv[1])
sys.stdout.buffer.write("\n".join(z.namelist()).encode("utf-8"))
)PY";
    QByteArray output;
    run(python(), {"-c", script, zipPath}, {}, &output);
    return QString::fromUtf8(output).split('\n', Qt::SkipEmptyParts);
}

QMap<QString, QByteArray> withoutFolders(QMap<QString, QByteArray> tree)
{
    for (auto it = tree.begin(); it != tree.end();)
        it = it.key().endsWith('/') ? tree.erase(it) : std::next(it);
    return tree;
}

// Raw deflate of data with zlib at a level and strategy; chunked input gives several blocks.
QByteArray rawDeflate(const QByteArray &data, int level, int strategy, int piece)
{
    z_stream stream = {};
    deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, strategy);
    QByteArray out;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    int at = 0;
    int status = Z_OK;
    do {
        const int count = qMin(piece, int(data.size()) - at);
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData() + at));
        stream.avail_in = uInt(count);
        at += count;
        const int flush = at >= data.size() ? Z_FINISH : Z_FULL_FLUSH;
        do {
            stream.next_out = reinterpret_cast<Bytef *>(buffer.data());
            stream.avail_out = uInt(buffer.size());
            status = deflate(&stream, flush);
            out.append(buffer.constData(), buffer.size() - int(stream.avail_out));
        } while (stream.avail_out == 0);
    } while (status != Z_STREAM_END);
    deflateEnd(&stream);
    return out;
}

// Inflates a raw stream the way the unpack does, fed `inPiece` bytes at a time into outputs of
// `outPiece` bytes; false on a bad or unfinished stream.
bool rawInflate(const QByteArray &raw, int inPiece, int outPiece, QByteArray *result)
{
    RawInflate inflater;
    QByteArray out(outPiece, Qt::Uninitialized);
    int at = 0;
    for (RawInflate::Result step = RawInflate::Result::Progress; step != RawInflate::Result::End;) {
        if (inflater.inputLeft() == 0 && at < raw.size()) {
            const int count = qMin(inPiece, int(raw.size()) - at);
            inflater.setInput(raw.constData() + at, count);
            at += count;
        }
        const qint64 before = inflater.inputLeft();
        qint64 produced = 0;
        step = inflater.inflate(out.data(), outPiece, &produced);
        if (step == RawInflate::Result::Error)
            return false;
        if (step != RawInflate::Result::End && produced == 0 && at == raw.size() &&
            inflater.inputLeft() == before)
            return false;
        result->append(out.constData(), int(produced));
    }
    return true;
}

// sha256sum's answer for every file below root, by relative path.
QMap<QString, QByteArray> sha256sumTree(const QString &root)
{
    QMap<QString, QByteArray> sums;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QByteArray output;
        run("sha256sum", {path}, {}, &output);
        sums.insert(QDir(root).relativeFilePath(path), output.left(64));
    }
    return sums;
}

} // namespace

class TestTsCompression : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void deleteFilesStopsAtFirstFailure_data();
    void deleteFilesStopsAtFirstFailure();
    void unpackEntryVariants();
    void unpackEntryRefusesClosedArchive();
    void unpackArchive_data();
    void unpackArchive();
    void unpackArchiveFailures();
    void listEntries_data();
    void listEntries();
    void unpackNamedEntry();
    void unpackNamedEntries();
    void zipFolder_data();
    void zipFolder();
    void plainEntriesNeedNoPassword();
    void zipFile();
    void archiveFileReadsLikeAFile_data();
    void archiveFileReadsLikeAFile();
    void crc32MatchesZlib();
    void currentInfoMatchesQuaZip_data();
    void currentInfoMatchesQuaZip();
    void archiveReaderWalksLikeQuaZip_data();
    void archiveReaderWalksLikeQuaZip();
    void stagedHashesMatchSha256sum_data();
    void stagedHashesMatchSha256sum();
    void inflateMatchesZlib_data();
    void inflateMatchesZlib();
    void sizeLiesFailCleanly_data();
    void sizeLiesFailCleanly();

private:
    QTemporaryDir shared;
    QString source;
};

void TestTsCompression::initTestCase()
{
    source = shared.filePath("source");
    writeSampleTree(source);
}

void TestTsCompression::deleteFilesStopsAtFirstFailure_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("all there") << QStringList{"a", "b", "c"} << true << QStringList{};
    QTest::newRow("missing in the middle")
        << QStringList{"a", "missing", "b"} << false << QStringList{"b", "c"};
    QTest::newRow("folder in the middle")
        << QStringList{"a", "folder", "b"} << false << QStringList{"b", "c"};
    QTest::newRow("empty list") << QStringList{} << true << QStringList{"a", "b", "c"};
}

void TestTsCompression::deleteFilesStopsAtFirstFailure()
{
    QFETCH(QStringList, paths);
    QFETCH(bool, result);
    QFETCH(QStringList, left);
    QTemporaryDir box;
    for (const QString &name : {"a", "b", "c"})
        TestFiles::write(box.filePath(name), name.toUtf8());
    QDir().mkpath(box.filePath("folder"));
    QStringList absolute;
    for (const QString &path : paths)
        absolute << box.filePath(path);
    QCOMPARE(TsCompression::deleteFiles(absolute), result);
    QCOMPARE(QDir(box.path()).entryList(QDir::Files, QDir::Name), left);
    QVERIFY(QFileInfo(box.filePath("folder")).isDir());
}

void TestTsCompression::unpackEntryVariants()
{
    QTemporaryDir box;
    const QString locked = box.filePath("locked.zip");
    QVERIFY(TsCompression::zipFiles(locked, {source + "/readme.txt", source + "/maps/level1.dat"}));
    const QString plain = box.filePath("plain.zip");
    QVERIFY(produce("python-deflated", source, plain));

    QuaZip lockedArchive(locked);
    QVERIFY(lockedArchive.open(QuaZip::mdUnzip));
    const QString target = box.filePath("out/level1.dat");
    QVERIFY(!TsCompression::unpackEntry(&lockedArchive, "level1.dat", target,
                                        TsCompression::Protection::Plain));
    QVERIFY(!QFile::exists(target));
    QVERIFY(TsCompression::unpackEntry(&lockedArchive, "level1.dat", target));
    QCOMPARE(TestFiles::read(target), TestFiles::read(source + "/maps/level1.dat"));
    QVERIFY(!TsCompression::unpackEntry(&lockedArchive, "no such entry", box.filePath("x")));

    // Plain entries come out with either variant; the current entry is used for an empty name.
    QuaZip plainArchive(plain);
    QVERIFY(plainArchive.open(QuaZip::mdUnzip));
    QVERIFY(plainArchive.setCurrentFile("readme.txt"));
    QVERIFY(TsCompression::unpackEntry(&plainArchive, "", box.filePath("p1.txt"),
                                       TsCompression::Protection::Plain));
    QVERIFY(TsCompression::unpackEntry(&plainArchive, "", box.filePath("p2.txt")));
    QCOMPARE(TestFiles::read(box.filePath("p1.txt")), TestFiles::read(source + "/readme.txt"));
    QCOMPARE(TestFiles::read(box.filePath("p2.txt")), TestFiles::read(source + "/readme.txt"));
    // A target ending in "/" is a folder.
    QVERIFY(TsCompression::unpackEntry(&plainArchive, "maps/", box.filePath("made/here/")));
    QVERIFY(QFileInfo(box.filePath("made/here")).isDir());
}

void TestTsCompression::unpackEntryRefusesClosedArchive()
{
    QTemporaryDir box;
    QVERIFY(!TsCompression::unpackEntry(nullptr, "x", box.filePath("x")));
    QuaZip closed(box.filePath("none.zip"));
    QVERIFY(!TsCompression::unpackEntry(&closed, "x", box.filePath("x")));
    QVERIFY(!TsCompression::addFileEntry(&closed, source + "/readme.txt", "readme.txt"));
    QVERIFY(!TsCompression::addFileEntry(nullptr, source + "/readme.txt", "readme.txt"));
}

void TestTsCompression::unpackArchive_data()
{
    QTest::addColumn<QString>("producer");
    QTest::addColumn<QString>("secret");
    QTest::addColumn<bool>("device");
    for (const bool device : {false, true}) {
        const char *how = device ? " from a device" : " from a path";
        QTest::newRow(qPrintable("zip -P" + QString(how))) << "zip" << password << device;
        QTest::newRow(qPrintable("7z" + QString(how))) << "7z" << QString() << device;
        QTest::newRow(qPrintable("bsdtar" + QString(how))) << "bsdtar" << QString() << device;
        QTest::newRow(qPrintable("python" + QString(how)))
            << "python-stored" << QString() << device;
    }
}

void TestTsCompression::unpackArchive()
{
    QFETCH(QString, producer);
    QFETCH(QString, secret);
    QFETCH(bool, device);
    QTemporaryDir box;
    const QString zipPath = box.filePath("peer.zip");
    if (!produce(producer, source, zipPath, secret))
        QSKIP("producer not available");
    const QString folder = box.filePath("out");
    QFile file(zipPath);
    const QStringList written = device ? TsCompression::unpackArchive(&file, folder)
                                       : TsCompression::unpackArchive(zipPath, folder);
    QCOMPARE(TestFiles::tree(folder), TestFiles::tree(source));
    QCOMPARE(written.size(), pythonNames(zipPath).size());
    for (const QString &path : written)
        QVERIFY2(path.startsWith(folder + "/"), qPrintable(path));
}

void TestTsCompression::unpackArchiveFailures()
{
    QTemporaryDir box;
    QCOMPARE(TsCompression::unpackArchive(box.filePath("missing.zip"), box.filePath("out")),
             QStringList());
    // Damage in the third entry takes back the first two.
    QList<Entry> entries;
    for (int i = 0; i < 4; ++i) {
        Entry entry;
        entry.name = "f" + QByteArray::number(i);
        entry.data = QByteArray(100, char('a' + i));
        entry.patch = i == 2 ? "crc" : QString();
        entries << entry;
    }
    const QString zipPath = box.filePath("bad.zip");
    QVERIFY(writeArchive(zipPath, entries));
    QCOMPARE(TsCompression::unpackArchive(zipPath, box.filePath("out")), QStringList());
    QCOMPARE(TestFiles::tree(box.filePath("out")), (QMap<QString, QByteArray>{}));
    QCOMPARE(TsCompression::unpackNamedEntries(zipPath, {"f0", "f1", "f2"}, box.filePath("out")),
             QStringList());
    QCOMPARE(TestFiles::tree(box.filePath("out")), (QMap<QString, QByteArray>{}));
    QCOMPARE(TsCompression::unpackNamedEntry(zipPath, "f2", box.filePath("one")), QString());
    QVERIFY(!QFile::exists(box.filePath("one")));
}

void TestTsCompression::listEntries_data()
{
    QTest::addColumn<QString>("producer");
    QTest::addColumn<bool>("device");
    for (const QString &producer : producers()) {
        QTest::newRow(qPrintable(producer + " path")) << producer << false;
        QTest::newRow(qPrintable(producer + " device")) << producer << true;
    }
}

void TestTsCompression::listEntries()
{
    QFETCH(QString, producer);
    QFETCH(bool, device);
    QTemporaryDir box;
    const QString zipPath = box.filePath("peer.zip");
    if (!produce(producer, source, zipPath))
        QSKIP("producer not available");
    QFile file(zipPath);
    const QStringList names =
        device ? TsCompression::listEntries(&file) : TsCompression::listEntries(zipPath);
    QCOMPARE(names, pythonNames(zipPath));
    QVERIFY(names.contains("maps/deep/inner/notes.txt") ||
            names.contains("./maps/deep/inner/notes.txt"));

    TestFiles::write(box.filePath("junk.zip"), "junk");
    QCOMPARE(TsCompression::listEntries(box.filePath("junk.zip")), QStringList());
    QCOMPARE(TsCompression::listEntries(static_cast<QIODevice *>(nullptr)), QStringList());
}

void TestTsCompression::unpackNamedEntry()
{
    QTemporaryDir box;
    const QString zipPath = box.filePath("peer.zip");
    QVERIFY(produce("zip", source, zipPath, password));

    const QString target = box.filePath("chosen/name.bin");
    QCOMPARE(TsCompression::unpackNamedEntry(zipPath, "maps/level1.dat", target), target);
    QCOMPARE(TestFiles::read(target), TestFiles::read(source + "/maps/level1.dat"));

    const QString previous = QDir::currentPath();
    QDir::setCurrent(box.path());
    const QString own = TsCompression::unpackNamedEntry(zipPath, "maps/deep/inner/notes.txt");
    QDir::setCurrent(previous);
    QCOMPARE(own, QFileInfo(box.filePath("maps/deep/inner/notes.txt")).absoluteFilePath());
    QCOMPARE(TestFiles::read(own), QByteArray("deep notes\n"));

    QFile device(zipPath);
    QCOMPARE(TsCompression::unpackNamedEntry(&device, "readme.txt", box.filePath("r.txt")),
             box.filePath("r.txt"));
    QCOMPARE(TestFiles::read(box.filePath("r.txt")), TestFiles::read(source + "/readme.txt"));
    QCOMPARE(TsCompression::unpackNamedEntry(zipPath, "not/there.txt", box.filePath("n.txt")),
             QString());
}

void TestTsCompression::unpackNamedEntries()
{
    QTemporaryDir box;
    const QString zipPath = box.filePath("peer.zip");
    QVERIFY(produce("7z", source, zipPath, password) || produce("zip", source, zipPath, password));
    const QString folder = box.filePath("out");
    const QStringList names{"readme.txt", "maps/level1.dat"};
    QCOMPARE(TsCompression::unpackNamedEntries(zipPath, names, folder),
             (QStringList{folder + "/readme.txt", folder + "/maps/level1.dat"}));
    QCOMPARE(TestFiles::read(folder + "/maps/level1.dat"),
             TestFiles::read(source + "/maps/level1.dat"));

    // A missing name fails the call and takes back what it wrote.
    const QString other = box.filePath("other");
    QFile device(zipPath);
    QCOMPARE(TsCompression::unpackNamedEntries(&device, {"readme.txt", "missing.txt"}, other),
             QStringList());
    QCOMPARE(TestFiles::tree(other), (QMap<QString, QByteArray>{}));
}

void TestTsCompression::zipFolder_data()
{
    QTest::addColumn<bool>("recursive");
    QTest::newRow("recursive") << true;
    QTest::newRow("top only") << false;
}

void TestTsCompression::zipFolder()
{
    QFETCH(bool, recursive);
    QTemporaryDir box;
    const QString zipPath = box.filePath("deep/folder.zip");
    QVERIFY(TsCompression::zipFolder(zipPath, source, recursive));

    const QStringList expected = recursive ? QStringList{"emptyfolder/",
                                                         "maps/",
                                                         "maps/deep/",
                                                         "maps/deep/inner/",
                                                         "maps/deep/inner/notes.txt",
                                                         "maps/empty.txt",
                                                         "maps/level1.dat",
                                                         QString::fromUtf8("Ünïcødé/"),
                                                         QString::fromUtf8("Ünïcødé/фото.txt"),
                                                         "readme.txt"}
                                           : QStringList{"readme.txt"};
    QCOMPARE(TsCompression::listEntries(zipPath), expected);

    if (hasTool("unzip")) {
        QByteArray output;
        QCOMPARE(run("unzip", {"-P", password, "-t", zipPath}, {}, &output), 0);
        QCOMPARE(run("unzip", {"-q", "-P", password, zipPath, "-d", box.filePath("by-unzip")}), 0);
        if (recursive)
            QCOMPARE(TestFiles::tree(box.filePath("by-unzip")), TestFiles::tree(source));
    }
    if (hasTool("7z"))
        QCOMPARE(run("7z", {"t", "-p" + password, zipPath}), 0);
    const QStringList written = TsCompression::unpackArchive(zipPath, box.filePath("by-us"));
    QCOMPARE(written.size(), expected.size());
    if (recursive)
        QCOMPARE(TestFiles::tree(box.filePath("by-us")), TestFiles::tree(source));
    else
        QCOMPARE(TestFiles::read(box.filePath("by-us/readme.txt")),
                 TestFiles::read(source + "/readme.txt"));

    // Filters that name files as well as folders give the same archive.
    QVERIFY(TsCompression::zipFolder(box.filePath("filtered.zip"), source, recursive,
                                     QDir::Files | QDir::Dirs | QDir::Hidden));
    QCOMPARE(TsCompression::listEntries(box.filePath("filtered.zip")), expected);

    QVERIFY(!TsCompression::zipFolder(box.filePath("none.zip"), box.filePath("no such folder")));
    QVERIFY(!QFile::exists(box.filePath("none.zip")));
}

void TestTsCompression::plainEntriesNeedNoPassword()
{
    QTemporaryDir box;
    const QString zipPath = box.filePath("plain.zip");
    {
        QuaZip archive(zipPath);
        QVERIFY(archive.open(QuaZip::mdCreate));
        QVERIFY(TsCompression::addFileEntry(&archive, source + "/readme.txt", "docs/readme.txt",
                                            TsCompression::Protection::Plain));
        QVERIFY(TsCompression::addFolderTree(&archive, source + "/maps", source, true, {},
                                             TsCompression::Protection::Plain));
        QVERIFY(!TsCompression::addFileEntry(&archive, source + "/gone", "gone",
                                             TsCompression::Protection::Plain));
        archive.close();
        QCOMPARE(archive.getZipError(), 0);
    }
    QCOMPARE(TsCompression::listEntries(zipPath),
             (QStringList{"docs/readme.txt", "maps/", "maps/deep/", "maps/deep/inner/",
                          "maps/deep/inner/notes.txt", "maps/empty.txt", "maps/level1.dat"}));
    if (hasTool("unzip")) {
        QCOMPARE(run("unzip", {"-t", zipPath}), 0);
        QCOMPARE(run("unzip", {"-q", zipPath, "-d", box.filePath("by-unzip")}), 0);
        QCOMPARE(TestFiles::read(box.filePath("by-unzip/maps/level1.dat")),
                 TestFiles::read(source + "/maps/level1.dat"));
    }
    QCOMPARE(pythonNames(zipPath).size(), 7);
}

void TestTsCompression::zipFile()
{
    QTemporaryDir box;
    const QString zipPath = box.filePath("one/file.zip");
    QVERIFY(TsCompression::zipFile(zipPath, source + "/maps/deep/inner/notes.txt"));
    QCOMPARE(TsCompression::listEntries(zipPath), QStringList{"notes.txt"});
    if (hasTool("unzip"))
        QCOMPARE(run("unzip", {"-P", password, "-t", zipPath}), 0);
    QCOMPARE(
        withoutFolders(TestFiles::tree(
            QFileInfo(TsCompression::unpackArchive(zipPath, box.filePath("out")).value(0)).path())),
        (QMap<QString, QByteArray>{{"notes.txt", "deep notes\n"}}));

    QVERIFY(!TsCompression::zipFile(box.filePath("two/file.zip"), box.filePath("gone.txt")));
    QVERIFY(!QFile::exists(box.filePath("two/file.zip")));
}

void TestTsCompression::archiveFileReadsLikeAFile_data()
{
    QTest::addColumn<qint64>("window");
    QTest::newRow("default windows") << qint64(0);
    QTest::newRow("4 KB windows") << qint64(4096);
}

void TestTsCompression::archiveFileReadsLikeAFile()
{
    QFETCH(qint64, window);
    QTemporaryDir box;
    const QByteArray data = noise(1300 * 1000, 5);
    TestFiles::write(box.filePath("blob"), data);
    ArchiveFile defaultDevice(box.filePath("blob"));
    ArchiveFile small(box.filePath("blob"), window);
    ArchiveFile &device = window > 0 ? small : defaultDevice;
    QVERIFY(device.open(QIODevice::ReadOnly));
    QCOMPARE(device.size(), qint64(data.size()));
    QRandomGenerator generator(9);
    // Small reads all over the file (headers), reads across window edges, large direct reads,
    // and reads that run into the end.
    for (int i = 0; i < 3000; ++i) {
        const qint64 at = generator.bounded(data.size() + 1);
        const int kind = generator.bounded(4);
        const qint64 size = kind == 0   ? generator.bounded(64)
                            : kind == 1 ? generator.bounded(20000)
                            : kind == 2 ? 256 * 1024 + generator.bounded(300000)
                                        : data.size() - at + generator.bounded(100);
        QVERIFY(device.seek(at));
        QCOMPARE(device.read(size), data.mid(int(at), int(size)));
        QCOMPARE(device.pos(), qMin<qint64>(at + size, data.size()));
        // Reads at an offset leave the position alone.
        QByteArray direct(int(size), Qt::Uninitialized);
        const qint64 count = device.readAt(at, direct.data(), size);
        QCOMPARE(direct.left(int(count)), data.mid(int(at), int(size)));
        QCOMPARE(device.pos(), qMin<qint64>(at + size, data.size()));
    }
    QVERIFY(!device.open(QIODevice::ReadWrite));
    device.close();
    QVERIFY(!ArchiveFile(box.filePath("missing")).open(QIODevice::ReadOnly));
}

void TestTsCompression::crc32MatchesZlib()
{
    const QByteArray data = noise(3 * 1024 * 1024 + 77, 11);
    const auto zlibCrc = [](quint32 crc, const char *bytes, qint64 size) {
        return quint32(crc32(crc, reinterpret_cast<const Bytef *>(bytes), uInt(size)));
    };
    // Every short length at every alignment, where the fast path starts and ends.
    for (int offset = 0; offset < 16; ++offset) {
        for (int size = 0; size <= 300; ++size) {
            const char *bytes = data.constData() + offset;
            QCOMPARE(TsCompression::crc32(0, bytes, size), zlibCrc(0, bytes, size));
            QCOMPARE(TsCompression::crc32(0x12345678, bytes, size),
                     zlibCrc(0x12345678, bytes, size));
        }
    }
    // Whole buffers, and the same bytes in pieces that continue one another.
    QCOMPARE(TsCompression::crc32(0, data.constData(), data.size()),
             zlibCrc(0, data.constData(), data.size()));
    QRandomGenerator generator(3);
    quint32 pieces = 0;
    for (qint64 at = 0; at < data.size();) {
        const qint64 size = qMin<qint64>(generator.bounded(70000), data.size() - at);
        pieces = TsCompression::crc32(pieces, data.constData() + at, size);
        at += size;
    }
    QCOMPARE(pieces, zlibCrc(0, data.constData(), data.size()));
    QCOMPARE(TsCompression::crc32(0, "123456789", 9), quint32(0xCBF43926));
}

void TestTsCompression::currentInfoMatchesQuaZip_data()
{
    producerRows();
}

void TestTsCompression::currentInfoMatchesQuaZip()
{
    QFETCH(QString, producer);
    QTemporaryDir box;
    const QString source = box.filePath("source");
    writeSampleTree(source);
    // A name longer than the first buffer the record is read into.
    const QString part(200, 'n');
    TestFiles::write(source + QString::fromUtf8("/M\xc3\xbcller/") + part + "/" + part + "/" + part,
                     "long name");
    const QString zipPath = box.filePath("peer.zip");
    if (!produce(producer, source, zipPath))
        QSKIP("producer not available");
    QuaZip archive(zipPath);
    TsCompression::prepareNames(archive);
    QVERIFY(archive.open(QuaZip::mdUnzip));
    int count = 0;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFileInfo64 expected;
        QuaZipFileInfo64 light;
        QVERIFY(archive.getCurrentFileInfo(&expected));
        QVERIFY(TsCompression::currentInfo(&archive, &light));
        QCOMPARE(light.name, expected.name);
        QCOMPARE(TsCompression::entryName(light), TsCompression::entryName(expected));
        QCOMPARE(light.versionCreated, expected.versionCreated);
        QCOMPARE(light.flags, expected.flags);
        QCOMPARE(light.method, expected.method);
        QCOMPARE(light.crc, expected.crc);
        QCOMPARE(light.compressedSize, expected.compressedSize);
        QCOMPARE(light.uncompressedSize, expected.uncompressedSize);
        QCOMPARE(light.externalAttr, expected.externalAttr);
        QCOMPARE(light.extra, expected.extra);
        QCOMPARE(light.getPermissions(), expected.getPermissions());
        QCOMPARE(light.isSymbolicLink(), expected.isSymbolicLink());
        ++count;
    }
    QVERIFY(count > 5);
}

void TestTsCompression::archiveReaderWalksLikeQuaZip_data()
{
    currentInfoMatchesQuaZip_data();
}

void TestTsCompression::archiveReaderWalksLikeQuaZip()
{
    QFETCH(QString, producer);
    QTemporaryDir box;
    const QString source = box.filePath("source");
    writeSampleTree(source);
    const QString zipPath = box.filePath("peer.zip");
    if (!produce(producer, source, zipPath))
        QSKIP("producer not available");
    // Small windows too, as the handles that jump from entry to entry use them.
    for (const qint64 window : {qint64(256 * 1024), qint64(4096), qint64(512)}) {
        ArchiveReader reader(zipPath, window);
        QVERIFY(reader.open());
        QTextCodec *bytes = QTextCodec::codecForMib(4);
        QStringList names;
        int status = unzGoToFirstFile(reader.handle());
        for (; status == UNZ_OK; status = unzGoToNextFile(reader.handle())) {
            QuaZipFileInfo64 info;
            QVERIFY(TsCompression::currentInfo(reader.handle(), bytes, &info));
            names << TsCompression::entryName(info);
        }
        QCOMPARE(status, UNZ_END_OF_LIST_OF_FILE);
        QCOMPARE(names, TsCompression::listEntries(zipPath));
    }
    TestFiles::write(box.filePath("text.zip"), "this is not an archive\n");
    QVERIFY(!ArchiveReader(box.filePath("text.zip")).open());
    QVERIFY(!ArchiveReader(box.filePath("missing.zip")).open());
}

QTEST_GUILESS_MAIN(TestTsCompression)
#include "tst_tscompression.moc"

void TestTsCompression::stagedHashesMatchSha256sum_data()
{
    QTest::addColumn<QStringList>("zipOptions");
    QTest::addColumn<bool>("throughReader"); // the unpack's workers; else a QuaZip handle
    // The sample tree holds an empty file, incompressible and compressible data.
    QTest::newRow("stored, reader") << QStringList{"-0"} << true;
    QTest::newRow("deflated, reader") << QStringList{"-9"} << true;
    QTest::newRow("encrypted, reader (through the zip library)")
        << QStringList{"-P", password} << true;
    QTest::newRow("stored, QuaZip") << QStringList{"-0"} << false;
    QTest::newRow("deflated, QuaZip") << QStringList{"-6"} << false;
    QTest::newRow("encrypted, QuaZip") << QStringList{"-P", password} << false;
}

void TestTsCompression::stagedHashesMatchSha256sum()
{
    QFETCH(QStringList, zipOptions);
    QFETCH(bool, throughReader);
    if (!hasTool("zip") || !hasTool("sha256sum"))
        QSKIP("needs Info-ZIP zip and sha256sum");
    QTemporaryDir work;
    const QString zipPath = work.filePath("sample.zip");
    QCOMPARE(run("zip", QStringList{"-q", "-r"} + zipOptions + QStringList{zipPath, "."}, source),
             0);
    const QString destination = work.filePath("out");

    UnpackTransaction run(destination);
    QVERIFY(run.begin());
    QMap<QString, int> numbers;
    if (throughReader) {
        ArchiveReader reader(zipPath);
        QVERIFY(reader.open());
        for (int step = unzGoToFirstFile(reader.handle()); step == UNZ_OK;
             step = unzGoToNextFile(reader.handle())) {
            ArchiveEntry entry;
            QVERIFY(TsCompression::planCurrentEntry(reader, run,
                                                    TsCompression::Protection::Encrypted, &entry));
            if (entry.number < 0)
                continue;
            QByteArray sha256;
            QVERIFY(TsCompression::unpackPlanned(
                reader, entry, TsCompression::Protection::Encrypted, {}, &sha256));
            run.setStagedHash(entry.number, qint64(entry.info.uncompressedSize), sha256);
            numbers.insert(entry.name, entry.number);
        }
    } else {
        ArchiveFile device(zipPath);
        QuaZip archive(&device);
        TsCompression::prepareNames(archive);
        QVERIFY(archive.open(QuaZip::mdUnzip));
        for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
            QString name;
            QVERIFY(TsCompression::stageCurrentEntry(&archive, run,
                                                     TsCompression::Protection::Encrypted, &name));
            if (!name.endsWith('/'))
                numbers.insert(name, numbers.size());
        }
    }
    // Read before the files are moved into place, as an install does.
    QMap<QString, QByteArray> staged;
    QMap<QString, qint64> sizes;
    for (auto it = numbers.cbegin(); it != numbers.cend(); ++it) {
        staged.insert(it.key(), run.stagedHash(it.value()));
        sizes.insert(it.key(), run.stagedSize(it.value()));
    }
    QVERIFY(run.commit());
    QCOMPARE(staged, sha256sumTree(destination));
    for (auto it = sizes.cbegin(); it != sizes.cend(); ++it)
        QCOMPARE(it.value(), QFileInfo(destination + '/' + it.key()).size());
}

void TestTsCompression::inflateMatchesZlib_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QByteArray>("plain"); // what zlib's inflate makes of it
    QTest::addColumn<bool>("valid");

    QByteArray text;
    for (int i = 0; text.size() < 3 * 1024 * 1024; ++i)
        text +=
            "Wrestler " + QByteArray::number(i % 977) + ", Title " + QByteArray::number(i) + '\n';
    const QByteArray random = noise(300 * 1024, 5);
    // A long run: matches that reach across output pieces.
    const QByteArray run(200 * 1024, 'x');
    QTest::newRow("empty stream") << rawDeflate({}, 6, Z_DEFAULT_STRATEGY, 1) << QByteArray()
                                  << true;
    QTest::newRow("stored blocks")
        << rawDeflate(random, 0, Z_DEFAULT_STRATEGY, 100000) << random << true;
    QTest::newRow("stored, empty")
        << rawDeflate({}, 0, Z_DEFAULT_STRATEGY, 1) << QByteArray() << true;
    QTest::newRow("fixed codes") << rawDeflate(text.left(200000), 6, Z_FIXED, 1 << 30)
                                 << text.left(200000) << true;
    QTest::newRow("dynamic codes, many blocks")
        << rawDeflate(text, 9, Z_DEFAULT_STRATEGY, 70000) << text << true;
    QTest::newRow("long run") << rawDeflate(run, 9, Z_RLE, 1 << 30) << run << true;
    QTest::newRow("stored after compressed")
        << rawDeflate(text.left(100000) + random.left(100000), 6, Z_DEFAULT_STRATEGY, 100000)
        << text.left(100000) + random.left(100000) << true;
    const QByteArray whole = rawDeflate(text.left(500000), 6, Z_DEFAULT_STRATEGY, 1 << 30);
    QTest::newRow("cut short") << whole.left(whole.size() / 2) << QByteArray() << false;
    QTest::newRow("no last block")
        << rawDeflate(text.left(1000), 6, Z_DEFAULT_STRATEGY, 1 << 30).left(3) << QByteArray()
        << false;
    QTest::newRow("reserved block type")
        << QByteArray("\x07\x00\x00\x00", 4) << QByteArray() << false;
    QTest::newRow("noise") << noise(5000, 9) << QByteArray() << false;
    QTest::newRow("stored length check fails")
        << QByteArray::fromHex("010500fbff") + QByteArray("hello") << QByteArray() << false;
}

void TestTsCompression::inflateMatchesZlib()
{
    QFETCH(QByteArray, raw);
    QFETCH(QByteArray, plain);
    QFETCH(bool, valid);
    // zlib's own answer first: the rows mean what they say.
    z_stream stream = {};
    QCOMPARE(inflateInit2(&stream, -MAX_WBITS), Z_OK);
    QByteArray expected(int(plain.size()) + 64, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(raw.data());
    stream.avail_in = uInt(raw.size());
    stream.next_out = reinterpret_cast<Bytef *>(expected.data());
    stream.avail_out = uInt(expected.size());
    const int status = inflate(&stream, Z_FINISH);
    expected.truncate(int(stream.total_out));
    inflateEnd(&stream);
    QCOMPARE(status == Z_STREAM_END, valid);
    if (valid)
        QCOMPARE(expected, plain);

    // Whole pieces, and pieces of every awkward size.
    const QList<QPair<int, int>> pieces{{64 * 1024, 64 * 1024}, {1, 1}, {7, 1000}, {4096, 13}};
    for (const auto &piece : pieces) {
        if (raw.size() > 100000 && piece.first < 100)
            continue;
        QByteArray made;
        QCOMPARE(rawInflate(raw, piece.first, piece.second, &made), valid);
        if (valid)
            QCOMPARE(made, plain);
    }
}

void TestTsCompression::sizeLiesFailCleanly_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QString>("patch");
    QTest::newRow("deflated, declares 4 GiB") << false << "huge";
    QTest::newRow("stored, declares 4 GiB") << true << "huge";
    QTest::newRow("deflated, declares less") << false << "long";
    QTest::newRow("deflated, declares more") << false << "short";
}

void TestTsCompression::sizeLiesFailCleanly()
{
    QFETCH(bool, stored);
    QFETCH(QString, patch);
    QTemporaryDir work;
    const QString zipPath = work.filePath("lies.zip");
    Entry good;
    good.name = "good.txt";
    good.data = QByteArray(5000, 'g');
    good.stored = stored;
    Entry liar = good;
    liar.name = "liar.txt";
    liar.data = QByteArray(30000, 'l');
    liar.patch = patch;
    QVERIFY(writeArchive(zipPath, {good, liar}));
    const QString destination = work.filePath("out");
    QDir().mkpath(destination);
    TestFiles::write(destination + "/keep.txt", "kept");
    const auto before = TestFiles::tree(destination);
    QVERIFY(TsCompression::unpackArchive(zipPath, destination).isEmpty());
    QCOMPARE(TestFiles::tree(destination), before);
}
