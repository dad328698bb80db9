#include "packagehost.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

struct Answer
{
    int status = 0;
    QByteArray body;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QVariant contentLength;
    QByteArray location;
};

} // namespace

class TestPackageHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void servesFilesBelowRoot();
    void answersNotFound_data();
    void answersNotFound();
    void refusesPathsOutsideRoot_data();
    void refusesPathsOutsideRoot();
    void answersConfiguredStatus_data();
    void answersConfiguredStatus();
    void validatorsAndRanges_data();
    void validatorsAndRanges();
    void busyThenServed();
    void breakOffBeforeOffset();
    void chunkedAnswerHasNoLength();
    void throttledAnswerArrivesWhole();
    void stopEndsStalledAnswer();
    void storesMultipartUpload();
    void refusesOversizedUpload();
    void refusesPlainPost();
    void refusedUploadKeepsConnectionInStep_data();
    void refusedUploadKeepsConnectionInStep();
    void executableServesFolder();

private:
    void writeFile(const QString &path, const QByteArray &bytes);
    Answer get(const QUrl &url);
    Answer post(const QUrl &url, QHttpMultiPart *form);
    // Waits for `reply` to finish and takes what it brought; the reply is deleted later.
    static Answer answerOf(QNetworkReply *reply);
    // Sends `requestLine` as it is over a raw socket; returns the status line of the answer.
    QByteArray rawStatusLine(const QByteArray &requestLine);
    // Reads from `socket` until one answer with a Content-Length is whole (head and body);
    // returns all that was read.
    static QByteArray readAnswer(QTcpSocket &socket);

    QTemporaryDir outside;
    QString rootPath;
    std::unique_ptr<PackageHost> host;
    QNetworkAccessManager network;
};

void TestPackageHost::initTestCase()
{
    QVERIFY(outside.isValid());
    rootPath = outside.path() + QStringLiteral("/root");
    QVERIFY(QDir().mkpath(rootPath + QStringLiteral("/files/sub")));
    QFile secret(outside.path() + QStringLiteral("/secret.txt"));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write("secret");
    secret.close();
    QVERIFY(QFile::link(secret.fileName(), rootPath + QStringLiteral("/files/link.txt")));
    host = std::make_unique<PackageHost>(rootPath);
    QVERIFY(host->start());
    QVERIFY(host->port() != 0);
    QCOMPARE(host->baseUrl().toString(),
             QStringLiteral("http://127.0.0.1:") + QString::number(host->port()));
}

void TestPackageHost::cleanup()
{
    host->clearRules();
    host->clearRequests();
    host->clearUploads();
    host->setMaxUploadSize(PackageHost::defaultMaxUploadSize);
    host->setUploadFolder(QString());
}

void TestPackageHost::writeFile(const QString &path, const QByteArray &bytes)
{
    TestFiles::write(rootPath + path, bytes);
}

Answer TestPackageHost::get(const QUrl &url)
{
    return answerOf(network.get(QNetworkRequest(url)));
}

Answer TestPackageHost::post(const QUrl &url, QHttpMultiPart *form)
{
    QNetworkReply *reply = network.post(QNetworkRequest(url), form);
    form->setParent(reply);
    return answerOf(reply);
}

Answer TestPackageHost::answerOf(QNetworkReply *reply)
{
    QSignalSpy finished(reply, &QNetworkReply::finished);
    finished.wait(20000);
    Answer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.body = reply->readAll();
    answer.error = reply->error();
    answer.contentLength = reply->header(QNetworkRequest::ContentLengthHeader);
    answer.location = reply->rawHeader("Location");
    reply->deleteLater();
    return answer;
}

QByteArray TestPackageHost::rawStatusLine(const QByteArray &requestLine)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), host->port());
    if (!socket.waitForConnected(5000))
        return QByteArray();
    socket.write(requestLine + "\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QByteArray received;
    while (!received.contains("\r\n") && socket.waitForReadyRead(5000))
        received += socket.readAll();
    return received.left(received.indexOf("\r\n"));
}

QByteArray TestPackageHost::readAnswer(QTcpSocket &socket)
{
    QByteArray received;
    for (;;) {
        const int headEnd = received.indexOf("\r\n\r\n");
        if (headEnd >= 0) {
            QByteArray length;
            for (const QByteArray &line : received.left(headEnd).split('\n')) {
                if (line.toLower().startsWith("content-length:"))
                    length = line.mid(15).trimmed();
            }
            if (received.size() >= headEnd + 4 + length.toInt())
                return received;
        }
        if (!socket.waitForReadyRead(20000))
            return received;
        received += socket.readAll();
    }
}

void TestPackageHost::servesFilesBelowRoot()
{
    QByteArray bytes(70000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 251);
    writeFile(QStringLiteral("/files/sub/pack one.zip"), bytes);
    const Answer answer = get(host->url(QStringLiteral("/files/sub/pack one.zip")));
    QCOMPARE(answer.status, 200);
    QCOMPARE(answer.body, bytes);
    QCOMPARE(answer.contentLength.toLongLong(), bytes.size());
    QCOMPARE(host->requests(), QStringList{QStringLiteral("GET /files/sub/pack one.zip")});
}

void TestPackageHost::answersNotFound_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << "/files/none.zip";
    QTest::newRow("folder") << "/files/sub";
    QTest::newRow("root") << "/";
    QTest::newRow("link leading outside") << "/files/link.txt";
}

void TestPackageHost::answersNotFound()
{
    QFETCH(QString, path);
    const Answer answer = get(host->url(path));
    QCOMPARE(answer.status, 404);
    QVERIFY(!answer.body.contains("secret"));
}

void TestPackageHost::refusesPathsOutsideRoot_data()
{
    QTest::addColumn<QByteArray>("requestLine");
    QTest::newRow("dot dot") << QByteArray("GET /../secret.txt HTTP/1.1");
    QTest::newRow("deeper dot dot") << QByteArray("GET /files/sub/../../../secret.txt HTTP/1.1");
    QTest::newRow("encoded dot dot") << QByteArray("GET /files/%2e%2e/%2E%2E/secret.txt HTTP/1.1");
    QTest::newRow("encoded slash") << QByteArray("GET /files/..%2f..%2fsecret.txt HTTP/1.1");
    QTest::newRow("absolute") << QByteArray("GET //etc/passwd HTTP/1.1");
    QTest::newRow("backslash") << QByteArray("GET /files\\..\\..\\secret.txt HTTP/1.1");
}

void TestPackageHost::refusesPathsOutsideRoot()
{
    QFETCH(QByteArray, requestLine);
    const QByteArray status = rawStatusLine(requestLine);
    QVERIFY2(status.startsWith("HTTP/1.1 400"), status.constData());
}

void TestPackageHost::answersConfiguredStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("location");
    QTest::newRow("301 absolute") << 301 << "http://127.0.0.1:1/files/elsewhere.zip";
    QTest::newRow("302 relative") << 302 << "/files/elsewhere.zip";
    QTest::newRow("404") << 404 << "";
    QTest::newRow("500") << 500 << "";
}

void TestPackageHost::answersConfiguredStatus()
{
    QFETCH(int, status);
    QFETCH(QString, location);
    writeFile(QStringLiteral("/files/real.zip"), "real");
    if (location.isEmpty())
        host->setError(QStringLiteral("/files/real.zip"), status, "special body");
    else
        host->setRedirect(QStringLiteral("/files/real.zip"), status, location, "special body");
    const Answer answer = get(host->url(QStringLiteral("/files/real.zip")));
    QCOMPARE(answer.status, status);
    QCOMPARE(answer.body, QByteArray("special body"));
    QCOMPARE(QString::fromUtf8(answer.location), location);
}

void TestPackageHost::validatorsAndRanges_data()
{
    // Request headers as "Name: value" lines; "TAG" and "DATE" stand for the file's validators.
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<bool>("ranges");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("from"); // first byte of the file in the body
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("contentRange");

    const int size = 1000;
    QTest::newRow("plain") << QStringList() << true << 200 << 0 << size << QByteArray();
    QTest::newRow("tag matches") << QStringList{"If-None-Match: TAG"} << true << 304 << 0 << 0
                                 << QByteArray();
    QTest::newRow("other tag") << QStringList{"If-None-Match: \"other\""} << true << 200 << 0
                               << size << QByteArray();
    QTest::newRow("not modified since")
        << QStringList{"If-Modified-Since: DATE"} << true << 304 << 0 << 0 << QByteArray();
    QTest::newRow("rest from 600") << QStringList{"Range: bytes=600-", "If-Range: TAG"} << true
                                   << 206 << 600 << 400 << QByteArray("bytes 600-999/1000");
    QTest::newRow("closed range") << QStringList{"Range: bytes=10-19"} << true << 206 << 10 << 10
                                  << QByteArray("bytes 10-19/1000");
    QTest::newRow("If-Range by date") << QStringList{"Range: bytes=600-", "If-Range: DATE"} << true
                                      << 206 << 600 << 400 << QByteArray("bytes 600-999/1000");
    QTest::newRow("changed copy: whole file")
        << QStringList{"Range: bytes=600-", "If-Range: \"old\""} << true << 200 << 0 << size
        << QByteArray();
    QTest::newRow("beyond the end") << QStringList{"Range: bytes=1000-"} << true << 416 << 0 << -1
                                    << QByteArray("bytes */1000");
    QTest::newRow("host without ranges")
        << QStringList{"Range: bytes=600-"} << false << 200 << 0 << size << QByteArray();
}

void TestPackageHost::validatorsAndRanges()
{
    QFETCH(QStringList, headers);
    QFETCH(bool, ranges);
    QFETCH(int, status);
    QFETCH(int, from);
    QFETCH(int, length);
    QFETCH(QByteArray, contentRange);
    QByteArray bytes(1000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i % 253);
    writeFile(QStringLiteral("/files/pack.zip"), bytes);
    const QString file = rootPath + QStringLiteral("/files/pack.zip");
    host->setRangeSupport(QStringLiteral("/files/pack.zip"), ranges);

    QNetworkRequest request(host->url(QStringLiteral("/files/pack.zip")));
    request.setRawHeader("Accept-Encoding", "identity");
    for (const QString &header : headers) {
        QByteArray value = header.section(QStringLiteral(": "), 1).toLatin1();
        value.replace("TAG", PackageHost::entityTag(file));
        value.replace("DATE", PackageHost::lastModified(file));
        request.setRawHeader(header.section(QStringLiteral(": "), 0, 0).toLatin1(), value);
    }
    QNetworkReply *reply = network.get(request);
    const Answer answer = answerOf(reply);
    QCOMPARE(answer.status, status);
    if (length >= 0)
        QCOMPARE(answer.body, bytes.mid(from, length));
    QCOMPARE(reply->rawHeader("Content-Range"), contentRange);
    if (status != 416)
        QCOMPARE(reply->rawHeader("ETag"), PackageHost::entityTag(file));
    QCOMPARE(host->exchanges().size(), 1);
    QCOMPARE(host->exchanges().first().status, status);
}

void TestPackageHost::busyThenServed()
{
    writeFile(QStringLiteral("/files/busy.zip"), "served");
    host->setBusy(QStringLiteral("/files/busy.zip"), 503, 2, "7");
    for (int round = 0; round < 2; ++round) {
        QNetworkReply *reply = network.get(QNetworkRequest(host->url("/files/busy.zip")));
        const Answer answer = answerOf(reply);
        QCOMPARE(answer.status, 503);
        QCOMPARE(reply->rawHeader("Retry-After"), QByteArray("7"));
    }
    QCOMPARE(get(host->url(QStringLiteral("/files/busy.zip"))).body, QByteArray("served"));
}

void TestPackageHost::breakOffBeforeOffset()
{
    const QByteArray bytes(300 * 1024, 'r');
    writeFile(QStringLiteral("/files/cut.zip"), bytes);
    host->setBreakOff(QStringLiteral("/files/cut.zip"), 100 * 1024, 150 * 1024);
    // From the start: cut after 100 KiB although the head announced all of it.
    const Answer first = get(host->url(QStringLiteral("/files/cut.zip")));
    QCOMPARE(first.contentLength.toLongLong(), bytes.size());
    QVERIFY(first.body.size() <= 100 * 1024);
    // Asked from 150 KiB on: the rest arrives whole.
    QNetworkRequest request(host->url(QStringLiteral("/files/cut.zip")));
    request.setRawHeader("Range", "bytes=153600-");
    const Answer rest = answerOf(network.get(request));
    QCOMPARE(rest.status, 206);
    QCOMPARE(rest.body, bytes.mid(153600));
    // At least both bodies; the client's network layer may repeat the broken request on its
    // own, and that repeat breaks off as well.
    const qint64 sent = host->bytesSent(QStringLiteral("/files/cut.zip"));
    QVERIFY(sent >= 100 * 1024 + 150 * 1024);
}

void TestPackageHost::chunkedAnswerHasNoLength()
{
    const QByteArray bytes(600 * 1024, 'c');
    writeFile(QStringLiteral("/files/chunked.zip"), bytes);
    host->setChunked(QStringLiteral("/files/chunked.zip"));
    const Answer answer = get(host->url(QStringLiteral("/files/chunked.zip")));
    QCOMPARE(answer.status, 200);
    QVERIFY(!answer.contentLength.isValid());
    QCOMPARE(answer.body, bytes);
}

void TestPackageHost::throttledAnswerArrivesWhole()
{
    const QByteArray bytes(64 * 1024, 't');
    writeFile(QStringLiteral("/files/slow.zip"), bytes);
    host->setThrottle(QStringLiteral("/files/slow.zip"), 128 * 1024);
    QElapsedTimer clock;
    clock.start();
    const Answer answer = get(host->url(QStringLiteral("/files/slow.zip")));
    QCOMPARE(answer.body, bytes);
    // Half a second at the allowed rate; a generous margin below it.
    QVERIFY(clock.elapsed() >= 300);
}

void TestPackageHost::stopEndsStalledAnswer()
{
    writeFile(QStringLiteral("/files/stall.zip"), QByteArray(1000, 's'));
    PackageHost other(rootPath);
    QVERIFY(other.start());
    other.setStall(QStringLiteral("/files/stall.zip"), 10, 120000);
    QNetworkReply *reply =
        network.get(QNetworkRequest(other.url(QStringLiteral("/files/stall.zip"))));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QTRY_COMPARE(reply->bytesAvailable(), 10);
    QElapsedTimer clock;
    clock.start();
    other.stop();
    QVERIFY(clock.elapsed() < 10000);
    QVERIFY(finished.wait());
    // The client may report a connection closed before the announced length as a plain end,
    // so the length tells whether the answer was cut short.
    QCOMPARE(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(), 1000);
    QVERIFY(reply->error() != QNetworkReply::NoError || reply->readAll().size() < 1000);
    delete reply;
}

void TestPackageHost::storesMultipartUpload()
{
    QTemporaryDir uploads;
    host->setUploadFolder(uploads.path());
    QByteArray archive("PK\x03\x04\0\0binary\r\n--boundary-like\r\n\0end", 33);
    archive.append(QByteArray(100000, '\xfe'));
    const QString archivePath = uploads.path() + QStringLiteral("/source/crash id.zip");
    QVERIFY(QDir().mkpath(QFileInfo(archivePath).path()));
    QFile source(archivePath);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(archive);
    source.close();

    // The same form as the crash report: a text part and a file part, both "fileToUpload".
    auto *form = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    QHttpPart pathPart;
    pathPart.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QVariant(QStringLiteral("form-data; name=\"fileToUpload\"")));
    pathPart.setBody(archivePath.toLatin1());
    QHttpPart filePart;
    filePart.setHeader(QNetworkRequest::ContentTypeHeader,
                       QVariant(QStringLiteral("application/octet-stream")));
    filePart.setHeader(
        QNetworkRequest::ContentDispositionHeader,
        QVariant(QStringLiteral("form-data; name=\"fileToUpload\"; filename=\"crash id.zip\"")));
    auto *file = new QFile(archivePath, form);
    QVERIFY(file->open(QIODevice::ReadOnly));
    filePart.setBodyDevice(file);
    form->append(pathPart);
    form->append(filePart);

    const Answer answer = post(host->url(QStringLiteral("/matrix/upload.php")), form);
    QCOMPARE(answer.status, 200);
    const QVector<PackageHost::Upload> received = host->uploads();
    QCOMPARE(received.size(), 1);
    const auto &parts = received.first().parts;
    QCOMPARE(parts.size(), 2);
    QCOMPARE(parts.at(0).name, QStringLiteral("fileToUpload"));
    QCOMPARE(parts.at(0).filename, QString());
    QCOMPARE(parts.at(0).content, archivePath.toLatin1());
    QCOMPARE(parts.at(1).name, QStringLiteral("fileToUpload"));
    QCOMPARE(parts.at(1).filename, QStringLiteral("crash id.zip"));
    QCOMPARE(parts.at(1).contentType, QStringLiteral("application/octet-stream"));
    QCOMPARE(parts.at(1).content, archive);

    QCOMPARE(received.first().storedFiles.size(), 1);
    const QString stored = received.first().storedFiles.first();
    QCOMPARE(QFileInfo(stored).absolutePath(), QDir(uploads.path()).absolutePath());
    QFile storedFile(stored);
    QVERIFY(storedFile.open(QIODevice::ReadOnly));
    QCOMPARE(storedFile.readAll(), archive);
}

void TestPackageHost::refusesOversizedUpload()
{
    QTemporaryDir uploads;
    host->setUploadFolder(uploads.path());
    host->setMaxUploadSize(1024);
    auto *form = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    QHttpPart part;
    part.setHeader(
        QNetworkRequest::ContentDispositionHeader,
        QVariant(QStringLiteral("form-data; name=\"fileToUpload\"; filename=\"big.zip\"")));
    part.setBody(QByteArray(4096, 'b'));
    form->append(part);
    const Answer answer = post(host->url(QStringLiteral("/matrix/upload.php")), form);
    QCOMPARE(answer.status, 413);
    QVERIFY(host->uploads().isEmpty());
    QVERIFY(QDir(uploads.path()).entryList(QDir::Files).isEmpty());
}

void TestPackageHost::refusesPlainPost()
{
    QNetworkRequest request(host->url(QStringLiteral("/matrix/upload.php")));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("text/plain"));
    QNetworkReply *reply = network.post(request, QByteArray("just text"));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait());
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 400);
    QVERIFY(host->uploads().isEmpty());
    delete reply;
}

void TestPackageHost::refusedUploadKeepsConnectionInStep_data()
{
    const QByteArray form = "--XyZ\r\nContent-Disposition: form-data; name=\"fileToUpload\"; "
                            "filename=\"big.zip\"\r\n\r\n" +
                            QByteArray(4096, 'b') + "\r\n--XyZ--\r\n";
    const QByteArray formType = "multipart/form-data; boundary=XyZ";
    const QByteArray chunked =
        QByteArray::number(form.size(), 16) + "\r\n" + form + "\r\n0\r\n\r\n";

    QTest::addColumn<QByteArray>("headers");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::newRow("form above the limit")
        << "Content-Type: " + formType + "\r\nContent-Length: " + QByteArray::number(form.size())
        << form << 413;
    QTest::newRow("chunked form above the limit")
        << "Content-Type: " + formType + "\r\nTransfer-Encoding: chunked" << chunked << 413;
    QTest::newRow("plain text") << QByteArray("Content-Type: text/plain\r\nContent-Length: 4096")
                                << QByteArray(4096, 't') << 400;
}

void TestPackageHost::refusedUploadKeepsConnectionInStep()
{
    // The refused body is not taken for a second request: the next request on the same
    // connection gets the next answer.
    QFETCH(QByteArray, headers);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    writeFile(QStringLiteral("/files/index.dat"), "catalogue");
    host->setMaxUploadSize(1024);
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), host->port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write("POST /matrix/upload.php HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headers + "\r\n\r\n" +
                 body);
    const QByteArray refusal = readAnswer(socket);
    QVERIFY2(refusal.startsWith("HTTP/1.1 " + QByteArray::number(status)), refusal.constData());
    QCOMPARE(refusal.count("HTTP/1.1 "), 1);

    socket.write("GET /files/index.dat HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QByteArray next;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(20000))
        next += socket.readAll();
    next += socket.readAll();
    QVERIFY2(next.startsWith("HTTP/1.1 200"), next.constData());
    QCOMPARE(next.count("HTTP/1.1 "), 1);
    QVERIFY(next.endsWith("\r\n\r\ncatalogue"));
    QVERIFY(host->uploads().isEmpty());
    QCOMPARE(host->requests(), QStringList({QStringLiteral("POST /matrix/upload.php"),
                                            QStringLiteral("GET /files/index.dat")}));
}

void TestPackageHost::executableServesFolder()
{
    writeFile(QStringLiteral("/files/index.dat"), "catalogue");
    QProcess process;
    process.start(
        QStringLiteral(ZERUN_BIN_DIR "/zerun-package-host"),
        {QStringLiteral("--root"), rootPath, QStringLiteral("--port"), QStringLiteral("0")});
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(process.canReadLine(), 10000);
    const QUrl base(QString::fromUtf8(process.readLine()).trimmed());
    QCOMPARE(base.scheme(), QStringLiteral("http"));
    QCOMPARE(base.host(), QStringLiteral("127.0.0.1"));
    QVERIFY(base.port() > 0);
    QUrl url = base;
    url.setPath(QStringLiteral("/files/index.dat"));
    QCOMPARE(get(url).body, QByteArray("catalogue"));
    process.terminate();
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QTEST_MAIN(TestPackageHost)
#include "tst_packagehost.moc"
