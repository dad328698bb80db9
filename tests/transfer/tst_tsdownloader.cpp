#include "packagehost.h"
#include "packedbodies.h"
#include "rawhttpresponder.h"
#include "testfiles.h"
#include "tsdownloader.h"

#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QSslConfiguration>
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
    void redirectIsFollowed_data();
    void redirectIsFollowed();
    void httpsNeverRedirectsToHttp();
    void maximumSize_data();
    void maximumSize();
    void conditionalRequestGetsNotModified();
    void dataIsEmptyBeforeSignal();
    void destroyedInFlightEmitsNothing();
    void stalledTransferGivesUp_data();
    void stalledTransferGivesUp();
    void truncatedBodyStaysSilent();
    void bodyEndedByCloseIsDelivered();
    void untrustedCertificateStaysSilent();
    void onlyWebAddressesAreFetched_data();
    void onlyWebAddressesAreFetched();
    void packedAnswer_data();
    void packedAnswer();

private:
    void writeFile(const QString &path, const QByteArray &bytes);
    // Waits until the downloader's request has finished, whatever its outcome.
    static bool waitForReply(TsDownloader &downloader, int timeout = 10000);
    // The request ends within `timeout` ms and nothing is delivered: no signal, no data.
    static void verifySilentEnd(TsDownloader &downloader, const QSignalSpy &spy,
                                int timeout = 10000);

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

void TestTsDownloader::verifySilentEnd(TsDownloader &downloader, const QSignalSpy &spy, int timeout)
{
    QVERIFY(waitForReply(downloader, timeout));
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 0);
    QVERIFY(downloader.downloadedData().isEmpty());
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
    verifySilentEnd(downloader, spy);
}

void TestTsDownloader::redirectIsFollowed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("hops");
    QTest::addColumn<bool>("loop");
    QTest::addColumn<QString>("failure"); // empty: the target is delivered
    QTest::newRow("301 relative") << 301 << 1 << false << "";
    QTest::newRow("302 absolute") << 302 << 1 << false << "";
    QTest::newRow("five hops") << 307 << 5 << false << "";
    QTest::newRow("six hops") << 308 << 6 << false << "too many redirects (more than 5)";
    QTest::newRow("loop") << 302 << 2 << true << "redirect loop at ";
}

void TestTsDownloader::redirectIsFollowed()
{
    QFETCH(int, status);
    QFETCH(int, hops);
    QFETCH(bool, loop);
    QFETCH(QString, failure);
    writeFile(QStringLiteral("/files/target.dat"), "the target");
    QString from = QStringLiteral("/files/moved.dat");
    for (int hop = 1; hop <= hops; ++hop) {
        QString to = hop == hops ? QStringLiteral("/files/target.dat")
                                 : QStringLiteral("/files/hop%1.dat").arg(hop);
        if (loop && hop == hops)
            to = QStringLiteral("/files/moved.dat");
        // Relative and absolute locations in turn.
        host->setRedirect(from, status, hop % 2 ? to : host->url(to).toString(), "moved away");
        from = to;
    }

    TsDownloader downloader(host->url(QStringLiteral("/files/moved.dat")));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QSignalSpy failed(&downloader, &TsDownloader::failed);
    if (failure.isEmpty()) {
        QVERIFY(spy.wait());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(downloader.downloadedData(), QByteArray("the target"));
        QCOMPARE(downloader.statusCode(), 200);
        QCOMPARE(downloader.finalUrl(), host->url(QStringLiteral("/files/target.dat")));
        QCOMPARE(host->requests().size(), hops + 1);
    } else {
        QVERIFY(failed.wait());
        QCOMPARE(spy.count(), 0);
        QVERIFY2(downloader.errorString().contains(failure), qPrintable(downloader.errorString()));
        QVERIFY(downloader.downloadedData().isEmpty());
        QVERIFY(!host->requests().contains(QStringLiteral("GET /files/target.dat")));
    }
}

void TestTsDownloader::httpsNeverRedirectsToHttp()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS back end available");
    const QString tls = QStringLiteral(ZERUN_TEST_DATA "/tls/");
    PackageHost secure(root.path(), tls + QStringLiteral("localhost.crt"),
                       tls + QStringLiteral("localhost.key"));
    QVERIFY(secure.start());
    writeFile(QStringLiteral("/files/index.dat"), "plain");
    secure.setRedirect(QStringLiteral("/files/index.dat"), 301,
                       host->url(QStringLiteral("/files/index.dat")).toString());
    const QSslConfiguration original = QSslConfiguration::defaultConfiguration();
    QSslConfiguration configuration = original;
    configuration.addCaCertificates(tls + QStringLiteral("localhost.crt"));
    QSslConfiguration::setDefaultConfiguration(configuration);

    TsDownloader downloader(secure.url(QStringLiteral("/files/index.dat")));
    QSignalSpy failed(&downloader, &TsDownloader::failed);
    const bool ended = failed.wait();
    QSslConfiguration::setDefaultConfiguration(original);
    QVERIFY(ended);
    QVERIFY2(downloader.errorString().contains(QLatin1String("from https to http")),
             qPrintable(downloader.errorString()));
    QVERIFY(host->requests().isEmpty());
}

void TestTsDownloader::maximumSize_data()
{
    QTest::addColumn<bool>("chunked");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("delivered");
    QTest::newRow("at the limit") << false << 64 * 1024 << true;
    QTest::newRow("announced above the limit") << false << 64 * 1024 + 1 << false;
    QTest::newRow("no length, above the limit") << true << 3 * 1024 * 1024 << false;
}

void TestTsDownloader::maximumSize()
{
    QFETCH(bool, chunked);
    QFETCH(int, size);
    QFETCH(bool, delivered);
    writeFile(QStringLiteral("/files/big.dat"), QByteArray(size, 'b'));
    host->setChunked(QStringLiteral("/files/big.dat"), chunked);

    TsDownloader::Options options;
    options.maximumSize = 64 * 1024;
    TsDownloader downloader(host->url(QStringLiteral("/files/big.dat")), options);
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QSignalSpy failed(&downloader, &TsDownloader::failed);
    QVERIFY(delivered ? spy.wait() : failed.wait());
    if (delivered) {
        QCOMPARE(downloader.downloadedData().size(), size);
    } else {
        QCOMPARE(downloader.errorString(), QStringLiteral("the answer is larger than 64 KiB"));
        QVERIFY(downloader.downloadedData().isEmpty());
    }
}

void TestTsDownloader::conditionalRequestGetsNotModified()
{
    writeFile(QStringLiteral("/files/index.dat"), "catalogue");
    const QByteArray tag = PackageHost::entityTag(root.path() + QStringLiteral("/files/index.dat"));
    TsDownloader::Options options;
    options.headers = {{"If-None-Match", tag}};
    TsDownloader downloader(host->url(QStringLiteral("/files/index.dat")), options);
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QVERIFY(spy.wait());
    QCOMPARE(downloader.statusCode(), 304);
    QVERIFY(downloader.downloadedData().isEmpty());
    QCOMPARE(downloader.rawHeader("etag"), tag);
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

void TestTsDownloader::stalledTransferGivesUp_data()
{
    QTest::addColumn<qint64>("drip"); // bytes per second after the head; 0: a stall
    QTest::newRow("no data") << qint64(0);
    QTest::newRow("a drip under the speed floor") << qint64(40);
}

void TestTsDownloader::stalledTransferGivesUp()
{
    QFETCH(qint64, drip);
    writeFile(QStringLiteral("/files/stall.dat"), QByteArray(4096, 'x'));
    if (drip > 0)
        host->setThrottle(QStringLiteral("/files/stall.dat"), drip);
    else
        host->setStall(QStringLiteral("/files/stall.dat"), 100, 60000);

    TsDownloader::Options options;
    options.transferTimeout = drip > 0 ? 60000 : 500;
    options.speedFloor = {1024, 1000};
    TsDownloader downloader(host->url(QStringLiteral("/files/stall.dat")), options);
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    QElapsedTimer elapsed;
    elapsed.start();
    verifySilentEnd(downloader, spy, 20000);
    QVERIFY(elapsed.elapsed() < 20000);
    QCOMPARE(downloader.wasTooSlow(), drip > 0);
    if (drip > 0)
        QCOMPARE(downloader.errorString(),
                 QStringLiteral("the server sent less than 1 KiB/s for 1 s"));
}

void TestTsDownloader::truncatedBodyStaysSilent()
{
    RawHttpResponder responder;
    QVERIFY(responder.listen());
    responder.setAnswer(RawHttpResponder::head(200, {{"Content-Length", "100"}}) +
                        QByteArray(40, 'a'));

    TsDownloader downloader(responder.url(QStringLiteral("/files/index.dat")));
    QSignalSpy spy(&downloader, &TsDownloader::downloaded);
    verifySilentEnd(downloader, spy);
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
    verifySilentEnd(downloader, spy);
    QVERIFY(secure.requests().isEmpty());
}

void TestTsDownloader::onlyWebAddressesAreFetched_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::newRow("local file") << QUrl::fromLocalFile(QStringLiteral("/etc/hostname"));
    QTest::newRow("ftp") << QUrl(QStringLiteral("ftp://127.0.0.1/files/index.dat"));
    QTest::newRow("relative") << QUrl(QStringLiteral("files/index.dat"));
}

// Anything but an http or https address fails without being read, from the event loop.
void TestTsDownloader::onlyWebAddressesAreFetched()
{
    QFETCH(QUrl, url);
    TsDownloader downloader(url);
    QSignalSpy delivered(&downloader, &TsDownloader::downloaded);
    QSignalSpy failed(&downloader, &TsDownloader::failed);
    QCOMPARE(failed.count(), 0);
    QVERIFY(failed.wait());
    QCOMPARE(delivered.count(), 0);
    QCOMPARE(downloader.errorString(), QStringLiteral("not an http or https address"));
    QVERIFY(downloader.downloadedData().isEmpty());
    QTest::qWait(50);
    QCOMPARE(failed.count(), 1);
}

void TestTsDownloader::packedAnswer_data()
{
    using PackedBodies::pack;
    using PackedBodies::Wrapper;
    QTest::addColumn<QByteArray>("coding");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QByteArray>("delivered");
    QTest::addColumn<QString>("failure");

    QByteArray text;
    for (int i = 0; i < 5000; ++i)
        text += "http://h/files/p" + QByteArray::number(i) + ".zip,mods,Package " +
                QByteArray::number(i) + "\n";
    QTest::newRow("gzip") << QByteArray("gzip") << pack(text) << text << "";
    QTest::newRow("gzip, named in capitals") << QByteArray("GZIP") << pack(text) << text << "";
    QTest::newRow("two gzip members") << QByteArray("gzip") << pack("first\n") + pack("second\n")
                                      << QByteArray("first\nsecond\n") << "";
    QTest::newRow("deflate in its zlib wrapper")
        << QByteArray("deflate") << pack(text, Wrapper::Zlib) << text << "";
    QTest::newRow("deflate sent bare")
        << QByteArray("deflate") << pack(text, Wrapper::Raw) << text << "";
    QTest::newRow("gzip, empty body") << QByteArray("gzip") << QByteArray() << QByteArray() << "";
    QTest::newRow("identity, at the limit")
        << QByteArray("identity") << QByteArray(1024 * 1024, 'x') << QByteArray(1024 * 1024, 'x')
        << "";
    // About 80 KiB on the wire, 80 MiB unpacked, against a limit of 1 MiB.
    QTest::newRow("gzip bomb") << QByteArray("gzip") << pack("a,b,c\n", Wrapper::Gzip, 80 << 20)
                               << QByteArray() << "the answer is larger than 1 MiB once unpacked";
    QTest::newRow("deflate bomb") << QByteArray("deflate")
                                  << pack("a,b,c\n", Wrapper::Zlib, 80 << 20) << QByteArray()
                                  << "the answer is larger than 1 MiB once unpacked";
    QTest::newRow("unpacked just past the limit")
        << QByteArray("gzip") << pack(QByteArray(1024 * 1024 + 1, 'x')) << QByteArray()
        << "the answer is larger than 1 MiB once unpacked";
    const QByteArray whole = pack(text);
    QTest::newRow("gzip cut off") << QByteArray("gzip") << whole.left(whole.size() / 2)
                                  << QByteArray() << "the packed answer stops before its end";
    QByteArray damaged = whole;
    for (int i = 100; i < 400; ++i)
        damaged[i] = char(damaged.at(i) ^ 0x5a);
    QTest::newRow("gzip damaged") << QByteArray("gzip") << damaged << QByteArray()
                                  << "the packed answer is damaged";
    QTest::newRow("bytes after the end")
        << QByteArray("deflate") << pack(text, Wrapper::Zlib) + "trailing" << QByteArray()
        << "the packed answer has bytes after its end";
    QTest::newRow("a coding not asked for")
        << QByteArray("br") << QByteArray("\x1b\x03\x00") << QByteArray()
        << "the answer is packed in a way this program does not read";
}

void TestTsDownloader::packedAnswer()
{
    QFETCH(QByteArray, coding);
    QFETCH(QByteArray, sent);
    QFETCH(QByteArray, delivered);
    QFETCH(QString, failure);
    RawHttpResponder server;
    QVERIFY(server.listen());
    server.setAnswer(
        RawHttpResponder::head(200, {{"Content-Type", "text/plain"},
                                     {"Content-Encoding", coding},
                                     {"Content-Length", QByteArray::number(sent.size())},
                                     {"Connection", "close"}}) +
        sent);
    TsDownloader::Options options;
    options.maximumSize = 1024 * 1024;
    TsDownloader downloader(server.url(QStringLiteral("/files/index.dat")), options);
    QSignalSpy arrived(&downloader, &TsDownloader::downloaded);
    QSignalSpy failed(&downloader, &TsDownloader::failed);
    QTRY_VERIFY_WITH_TIMEOUT(arrived.count() + failed.count() > 0, 20000);
    QVERIFY2(server.requestHeads().value(0).contains("\r\nAccept-Encoding: gzip, deflate\r\n"),
             server.requestHeads().value(0).constData());
    if (failure.isEmpty()) {
        QVERIFY2(failed.isEmpty(), qPrintable(downloader.errorString()));
        QCOMPARE(downloader.downloadedData(), delivered);
    } else {
        QVERIFY(arrived.isEmpty());
        QVERIFY2(downloader.errorString().startsWith(failure),
                 qPrintable(downloader.errorString()));
        QVERIFY(downloader.downloadedData().isEmpty());
    }
    QTest::qWait(20);
    QCOMPARE(arrived.count() + failed.count(), 1);
}

QTEST_MAIN(TestTsDownloader)
#include "tst_tsdownloader.moc"
