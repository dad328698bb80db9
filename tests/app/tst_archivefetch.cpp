// One archive fetched the way a repair does: to a file in the downloads folder, through the
// batch's retries and resume, with progress, and cut off when the host sends more than the limit.

#include "apppaths.h"
#include "archivefetch.h"
#include "packagehost.h"
#include "startup.h"
#include "testfiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestArchiveFetch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fetch_data();
    void fetch();
};

void TestArchiveFetch::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
}

void TestArchiveFetch::fetch_data()
{
    // `misbehaviour`: what the host does; `limit`: the size limit (0: the default); `saved`:
    // whether the archive arrives whole; `reason`: a part of the failure's reason.
    QTest::addColumn<QString>("misbehaviour");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("reason");

    QTest::newRow("served whole") << "" << qint64(0) << true << "";
    QTest::newRow("busy twice, then served") << "busy" << qint64(0) << true << "";
    QTest::newRow("broken off twice, resumed") << "break" << qint64(0) << true << "";
    QTest::newRow("larger than the limit") << "" << qint64(100000) << false << "sends more";
    QTest::newRow("gone") << "gone" << qint64(0) << false << "Not Found";
}

void TestArchiveFetch::fetch()
{
    QFETCH(QString, misbehaviour);
    QFETCH(qint64, limit);
    QFETCH(bool, saved);
    QFETCH(QString, reason);

    QTemporaryDir site;
    QByteArray bytes;
    for (int i = 0; i < 40000; ++i)
        bytes += QByteArray::number(i * 7919) + '\n';
    TestFiles::write(site.filePath("files/pack.zip"), bytes);
    PackageHost host(site.path());
    QVERIFY(host.start());
    if (misbehaviour == "busy")
        host.setBusy("/files/pack.zip", 503, 2);
    else if (misbehaviour == "break")
        host.setBreakOff("/files/pack.zip", 60000, 120001);
    else if (misbehaviour == "gone")
        host.setError("/files/pack.zip", 404, "gone");
    QDir(AppPaths::downloadsFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(AppPaths::downloadsFolder()));

    ArchiveFetch fetch;
    fetch.manager().setRetryDelays({10, 10, 10});
    if (limit > 0)
        fetch.setMaximumSize(limit);
    QSignalSpy finished(&fetch, &ArchiveFetch::finished);
    QSignalSpy failed(&fetch, &ArchiveFetch::failed);
    QSignalSpy progress(&fetch, &ArchiveFetch::progress);
    fetch.start(host.url("/files/pack.zip"));
    QTRY_VERIFY_WITH_TIMEOUT(finished.size() + failed.size() == 1, 20000);
    QTest::qWait(50);
    QCOMPARE(finished.size() + failed.size(), 1);
    if (saved) {
        const QString path = finished.first().first().toString();
        QCOMPARE(QFileInfo(path).path(), AppPaths::downloadsFolder());
        QCOMPARE(TestFiles::read(path), bytes);
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toLongLong(), qint64(bytes.size()));
    } else {
        const QString why = failed.first().first().toString();
        QVERIFY2(why.contains(reason), qPrintable(why));
        // Nothing that looks like an archive is left.
        QCOMPARE(QDir(AppPaths::downloadsFolder()).entryList({"*.zip"}, QDir::Files),
                 QStringList());
        for (const QList<QVariant> &step : qAsConst(progress))
            QVERIFY(step.at(0).toLongLong() <= limit || limit == 0);
    }
}

QTEST_GUILESS_MAIN(TestArchiveFetch)
#include "tst_archivefetch.moc"
