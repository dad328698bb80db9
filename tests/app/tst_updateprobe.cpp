#include "rawhttpresponder.h"
#include "updateprobe.h"

#include <QSignalSpy>
#include <QtTest>

// The update check's HEAD answers against what the download recorded: validators by HTTP's weak
// comparison and each with its own kind, lengths only when both sides know one.
class TestUpdateProbe : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
};

using Headers = QList<QPair<QByteArray, QByteArray>>;

void TestUpdateProbe::answers_data()
{
    QTest::addColumn<QString>("recorded"); // the validator recorded at install time
    QTest::addColumn<qint64>("size");      // the archive size recorded (0: unknown)
    QTest::addColumn<Headers>("answer");
    QTest::addColumn<int>("verdict"); // -1: no signal, 0: same, 1: differs

    const QString tag = QStringLiteral("\"5f1-abc\"");
    const QString date = QStringLiteral("Tue, 01 Jan 2030 10:00:00 GMT");
    const QByteArray length = "5000";
    QTest::newRow("same strong tag and length")
        << tag << qint64(5000) << Headers{{"ETag", "\"5f1-abc\""}, {"Content-Length", length}} << 0;
    QTest::newRow("weak answer to a strong record")
        << tag << qint64(5000) << Headers{{"ETag", "W/\"5f1-abc\""}, {"Content-Length", length}}
        << 0;
    QTest::newRow("strong answer to a weak record")
        << QStringLiteral("W/\"5f1-abc\"") << qint64(5000)
        << Headers{{"ETag", "\"5f1-abc\""}, {"Content-Length", length}} << 0;
    QTest::newRow("weak tag without a length, as when compressed")
        << tag << qint64(5000) << Headers{{"ETag", "W/\"5f1-abc\""}} << 0;
    QTest::newRow("another tag") << tag << qint64(5000)
                                 << Headers{{"ETag", "\"5f1-abd\""}, {"Content-Length", length}}
                                 << 1;
    QTest::newRow("another weak tag")
        << tag << qint64(5000) << Headers{{"ETag", "W/\"5f1-abd\""}} << 1;
    QTest::newRow("same tag, another length")
        << tag << qint64(5000) << Headers{{"ETag", "\"5f1-abc\""}, {"Content-Length", "5001"}} << 1;
    QTest::newRow("size not recorded: no length comparison")
        << tag << qint64(0) << Headers{{"ETag", "\"5f1-abc\""}, {"Content-Length", "9999"}} << 0;
    QTest::newRow("date recorded, tag and same date answered")
        << date << qint64(5000)
        << Headers{{"ETag", "\"5f1-abc\""}, {"Last-Modified", date.toLatin1()}} << 0;
    QTest::newRow("date recorded, another date")
        << date << qint64(5000)
        << Headers{{"Last-Modified", "Wed, 02 Jan 2030 10:00:00 GMT"}, {"Content-Length", length}}
        << 1;
    QTest::newRow("no validator recorded, another length")
        << QString() << qint64(5000) << Headers{{"Content-Length", "6000"}} << 1;
    QTest::newRow("tag recorded, answer with neither tag nor length")
        << tag << qint64(5000) << Headers{{"Last-Modified", date.toLatin1()}} << -1;
    QTest::newRow("nothing recorded")
        << QString() << qint64(0) << Headers{{"ETag", "\"1\""}, {"Content-Length", length}} << -1;
}

void TestUpdateProbe::answers()
{
    QFETCH(QString, recorded);
    QFETCH(qint64, size);
    QFETCH(Headers, answer);
    QFETCH(int, verdict);

    RawHttpResponder responder;
    QVERIFY(responder.listen());
    responder.setAnswer(RawHttpResponder::head(200, answer));
    UpdateProbe probe;
    QSignalSpy checked(&probe, &UpdateProbe::checked);
    QSignalSpy finished(&probe, &UpdateProbe::finished);
    probe.check({{7, responder.url(QStringLiteral("/files/pack.zip")), recorded, size}});
    QVERIFY(finished.wait(10000));

    QList<QVariantList> expected;
    if (verdict >= 0)
        expected.append({7, verdict == 1});
    QCOMPARE(QList<QVariantList>(checked), expected);
    // Asked as the download asks: for the bytes as they are, uncompressed.
    QCOMPARE(responder.requestHeads().size(), 1);
    const QByteArray head = responder.requestHeads().first();
    QVERIFY2(head.startsWith("HEAD /files/pack.zip ") &&
                 head.contains("\r\nAccept-Encoding: identity\r\n"),
             head.constData());
}

QTEST_MAIN(TestUpdateProbe)
#include "tst_updateprobe.moc"
