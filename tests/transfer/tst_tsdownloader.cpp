#include "packagehost.h"
#include "rawhttpresponder.h"
#include "testfiles.h"
#include "tsdownloader.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class TestTsDownloader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void deliversBody_data();
    void deliversBody();
    void errorStatusStaysSilent_data();
    void errorStatusStaysSilent();
    void redirectIsDeliveredNotFollowed_data();
    void redirectIsDeliveredNotFollowed();
    void dataIsEmptyBeforeSignal();
    void destroyedInFlightEmitsNothing();
    void stalledTransferGivesUp();
    void truncatedBodyStaysSilent();
    void bodyEndedByCloseIsDelivered();
    void untrustedCertificateStaysSilent();

private:
    void writeFile(const QString &path, const QByteArray &bytes);
    // Waits until the downloader's request has finished, whatever its outcome.
    static bool waitForReply(TsDownloader &downloader, int timeout = 10000);

    QTemporaryDir root;
    std::unique_ptr<PackageHost> host;
};

void TestTsDownloader::initTestCase()
{
    QVERIFY(root.isValid());
    host = std::make_unique<PackageHost>(root.path());
    QVERIFY(host->start());
}

void TestTsDownloader::cleanup()
{
    host->clearRules();
    host->clearRequests();
}

void TestTsDownloader::writeFile(const QString &path, const QByteArray &bytes)
{
    TestFiles::write(root.path() + path, bytes);
}

bool TestTsDownloader::waitForReply(TsDownloader &downloader, int timeout)
{
    auto *manager = downloader.findChild<QNetworkAccessManager *>();
    if (!manager)
        return false;
    QSignalSpy finished(manager, &QNetworkAccessManager::finished);
    return finished.wait(timeout);
}

void TestTsDownloader::deliversBody_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("catalogue text") << "/files/index.dat"
                                    << QByteArray("http://h/a.zip,mods,Alpha\r\nhttp://h/b.zip,"
                                                  "skin,Beta Ünïcode\r\n");
    QTest::newRow("empty body") << "/files/empty.dat" << QByteArray();
    QByteArray binary(300 * 1024, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>(i * 7);
    QTest::newRow("binary, several reads") << "/files/blob.bin" << binary;
}

void TestTsDownloader::deliversBody()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, body);
    writeFile(path, body);

    TsDownloader downloader(host->url(path));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QVERIFY(spy.wait());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<TsDownloader *>(), &downloader);
    QCOMPARE(downloader.downloadedData(), body);
}

void TestTsDownloader::errorStatusStaysSilent_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("404") << 404;
    QTest::newRow("500") << 500;
}

void TestTsDownloader::errorStatusStaysSilent()
{
    QFETCH(int, status);
    writeFile(QStringLiteral("/files/there.dat"), "present");
    host->setError(QStringLiteral("/files/there.dat"), status, "error page");

    TsDownloader downloader(host->url(QStringLiteral("/files/there.dat")));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QVERIFY(waitForReply(downloader));
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
    QVERIFY(downloader.downloadedData().isEmpty());
}

void TestTsDownloader::redirectIsDeliveredNotFollowed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("location");
    QTest::newRow("301 relative") << 301 << "/files/target.dat";
    QTest::newRow("302 absolute") << 302 << "";
}

void TestTsDownloader::redirectIsDeliveredNotFollowed()
{
    QFETCH(int, status);
    QFETCH(QString, location);
    writeFile(QStringLiteral("/files/target.dat"), "the target");
    if (location.isEmpty())
        location = host->url(QStringLiteral("/files/target.dat")).toString();
    host->setRedirect(QStringLiteral("/files/moved.dat"), status, location, "moved away");

    TsDownloader downloader(host->url(QStringLiteral("/files/moved.dat")));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QVERIFY(spy.wait());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(downloader.downloadedData(), QByteArray("moved away"));
    QCOMPARE(host->requests(), QStringList{QStringLiteral("GET /files/moved.dat")});
}

void TestTsDownloader::dataIsEmptyBeforeSignal()
{
    writeFile(QStringLiteral("/files/soon.dat"), "soon");
    TsDownloader downloader(host->url(QStringLiteral("/files/soon.dat")));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QVERIFY(downloader.downloadedData().isEmpty());
    QVERIFY(spy.wait());
    QCOMPARE(downloader.downloadedData(), QByteArray("soon"));
}

void TestTsDownloader::destroyedInFlightEmitsNothing()
{
    writeFile(QStringLiteral("/files/slow.dat"), QByteArray(4096, 'x'));
    host->setStall(QStringLiteral("/files/slow.dat"), 10, 60000);

    auto downloader = std::make_unique<TsDownloader>(host->url(QStringLiteral("/files/slow.dat")));
    QSignalSpy spy(downloader.get(), &TsDownloader::downloaded);
    QTRY_VERIFY(host->requests().contains(QStringLiteral("GET /files/slow.dat")));
    downloader.reset();
    QVERIFY(!spy.wait(300));
    QCOMPARE(spy.count(), 0);
}

void TestTsDownloader::stalledTransferGivesUp()
{
    writeFile(QStringLiteral("/files/stall.dat"), QByteArray(4096, 'x'));
    host->setStall(QStringLiteral("/files/stall.dat"), 100, 60000);

    TsDownloader downloader(host->url(QStringLiteral("/files/stall.dat")), 500);
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(waitForReply(downloader, 20000));
    QVERIFY(elapsed.elapsed() < 20000);
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
    QVERIFY(downloader.downloadedData().isEmpty());
}

void TestTsDownloader::truncatedBodyStaysSilent()
{
    RawHttpResponder responder;
    QVERIFY(responder.listen());
    responder.setAnswer(RawHttpResponder::head(200, {{"Content-Length", "100"}}) +
                        QByteArray(40, 'a'));

    TsDownloader downloader(responder.url(QStringLiteral("/files/index.dat")));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QVERIFY(waitForReply(downloader));
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
    QVERIFY(downloader.downloadedData().isEmpty());
}

void TestTsDownloader::bodyEndedByCloseIsDelivered()
{
    RawHttpResponder responder;
    QVERIFY(responder.listen());
    responder.setAnswer(RawHttpResponder::head(200, {{"Connection", "close"}}) +
                        QByteArray("line one\nline two\n"));

    TsDownloader downloader(responder.url(QStringLiteral("/files/index.dat")));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QVERIFY(spy.wait());
    QCOMPARE(downloader.downloadedData(), QByteArray("line one\nline two\n"));
}

void TestTsDownloader::untrustedCertificateStaysSilent()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS back end available");
    const QString tls = QStringLiteral(ZERUN_TEST_DATA "/tls/");
    PackageHost secure(root.path(), tls + QStringLiteral("localhost.crt"),
                       tls + QStringLiteral("localhost.key"));
    QVERIFY(secure.start());
    writeFile(QStringLiteral("/files/index.dat"), "forged?");

    TsDownloader downloader(secure.url(QStringLiteral("/files/index.dat")));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QVERIFY(waitForReply(downloader));
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
    QVERIFY(downloader.downloadedData().isEmpty());
    QVERIFY(secure.requests().isEmpty());
}

QTEST_MAIN(TestTsDownloader)
#include "tst_tsdownloader.moc"
