// The crash report upload against the local package host: the newest archive of the logs folder
// goes out as a two-part form, both parts named "fileToUpload", the second with the exact bytes.
#include "apppaths.h"
#include "packagehost.h"
#include "serviceendpoints.h"
#include "startup.h"
#include "tsbreakpad.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

class TestCrashUpload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void newestArchiveSent_data();
    void newestArchiveSent();
    void nothingToSend();

private:
    void writeArchive(const QString &name, const QByteArray &bytes, const QDateTime &modified);

    QTemporaryDir root;
    std::unique_ptr<PackageHost> host;
};

void TestCrashUpload::initTestCase()
{
    QVERIFY(root.isValid());
    host = std::make_unique<PackageHost>(root.path());
    QVERIFY(host->start());
    qputenv(ServiceEndpoints::serviceHostVariable().toLatin1().constData(),
            host->baseUrl().toString().toLatin1());
    QCOMPARE(ServiceEndpoints::crashUploadUrl(), host->url(QStringLiteral("/matrix/upload.php")));
}

void TestCrashUpload::init()
{
    QDir(AppPaths::logsFolder()).removeRecursively();
    QDir().mkpath(AppPaths::logsFolder());
    host->clearUploads();
    host->clearRequests();
}

void TestCrashUpload::writeArchive(const QString &name, const QByteArray &bytes,
                                   const QDateTime &modified)
{
    QFile file(AppPaths::logsFolder() + '/' + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

static QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(QRandomGenerator::global()->bounded(256));
    return bytes;
}

void TestCrashUpload::newestArchiveSent_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("empty file") << 0;
    QTest::newRow("small") << 1000;
    QTest::newRow("several megabytes") << 5 * 1024 * 1024;
}

void TestCrashUpload::newestArchiveSent()
{
    QFETCH(int, size);
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray newest = randomBytes(size);
    // Names sort differently from their times, and a text file newer than all of them is no
    // archive.
    writeArchive(QStringLiteral("a-oldest.zip"), randomBytes(64), now.addSecs(-300));
    writeArchive(QStringLiteral("m-newest.zip"), newest, now.addSecs(-10));
    writeArchive(QStringLiteral("z-middle.zip"), randomBytes(64), now.addSecs(-100));
    writeArchive(QStringLiteral("later.txt"), "log", now);

    TsBreakpad breakpad;
    breakpad.uploadCrash();
    QTRY_COMPARE_WITH_TIMEOUT(host->uploads().size(), 1, 30000);

    const PackageHost::Upload upload = host->uploads().first();
    QCOMPARE(upload.parts.size(), 2);
    const QString path = AppPaths::logsFolder() + QStringLiteral("/m-newest.zip");
    QCOMPARE(upload.parts[0].name, QStringLiteral("fileToUpload"));
    QCOMPARE(upload.parts[0].filename, QString());
    QCOMPARE(upload.parts[0].content, path.toLatin1());
    QCOMPARE(upload.parts[1].name, QStringLiteral("fileToUpload"));
    QCOMPARE(upload.parts[1].filename, QStringLiteral("m-newest.zip"));
    QCOMPARE(upload.parts[1].contentType, QStringLiteral("application/octet-stream"));
    QVERIFY(upload.parts[1].content == newest);
    QCOMPARE(host->requests(), QStringList(QStringLiteral("POST /matrix/upload.php")));
    // The archive stays.
    QVERIFY(QFile::exists(path));
}

void TestCrashUpload::nothingToSend()
{
    TsBreakpad breakpad;
    breakpad.uploadCrash(); // no archive: nothing may go out
    writeArchive(QStringLiteral("only.zip"), "PK", QDateTime::currentDateTime());
    breakpad.uploadCrash();
    QTRY_COMPARE_WITH_TIMEOUT(host->uploads().size(), 1, 30000);
    QCOMPARE(host->uploads().first().parts.value(1).filename, QStringLiteral("only.zip"));
    QCOMPARE(host->requests().size(), 1);
}

int main(int argc, char **argv)
{
    setInstallerIdentity();
    QCoreApplication app(argc, argv);
    AppPaths::createFolders();
    TestCrashUpload test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashupload.moc"
