#include "apppaths.h"
#include "downloadmanager.h"
#include "packagehost.h"
#include "rawhttpresponder.h"
#include "testfiles.h"
#include "testprofile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <csignal>
#include <limits>
#include <memory>
#include <sys/resource.h>

namespace {

// Everything a manager says, in the order it says it. Runs of progress reports are folded into
// one "progress" entry after their form has been checked; retry notices are kept apart.
class Recorder : public QObject
{
public:
    explicit Recorder(DownloadManager &manager)
    {
        connect(&manager, &DownloadManager::transferFinished, this,
                [this](const DownloadOutcome &outcome) { outcomes.append(outcome); });
        connect(&manager, &DownloadManager::result, this, [this](const QString &text) {
            if (text.startsWith(QLatin1String("Retrying in "))) {
                retryTexts.append(text);
                return;
            }
            if (text.startsWith(QLatin1String("Progress: "))) {
                progressTexts.append(text);
                if (events.isEmpty() || events.last() != QLatin1String("progress"))
                    events.append(QStringLiteral("progress"));
                return;
            }
            events.append(QStringLiteral("result:") + text);
        });
        connect(&manager, &DownloadManager::redirect, this,
                [this](const QString &text) { events.append(QStringLiteral("redirect:") + text); });
        connect(&manager, &DownloadManager::fileDownloaded, this,
                [this] { events.append(QStringLiteral("fileDownloaded")); });
        connect(&manager, &DownloadManager::finished, this,
                [this] { events.append(QStringLiteral("finished")); });
        connect(&manager, &DownloadManager::progressRangeChanged, this, [this](int min, int max) {
            ranges.append({min, max});
        });
        connect(&manager, &DownloadManager::progressValueChanged, this,
                [this](int value) { values.append(value); });
    }

    bool finishedSeen() const { return events.contains(QStringLiteral("finished")); }

    QStringList events;
    QStringList progressTexts;
    QStringList retryTexts;
    QVector<DownloadOutcome> outcomes;
    QList<QPair<int, int>> ranges;
    QList<int> values;
};

const QRegularExpression
    progressPattern(QStringLiteral("^Progress: (\\d+)% \\( *\\d+\\.\\d (bytes/sec|kB/s|MB/s)\\)$"));

QByteArray patterned(int size, int seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + seed) % 256);
    return bytes;
}

} // namespace

class TestDownloadManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void rateText_data();
    void rateText();
    void transferRate_data();
    void transferRate();
    void targetPath_data();
    void targetPath();
    void batchWithMissingSecondFile();
    void urlEndingInSlashSavedAsDownload();
    void existingFilesAreKeptOrReplaced_data();
    void existingFilesAreKeptOrReplaced();
    void answerWithoutLength();
    void redirectIsFollowed_data();
    void redirectIsFollowed();
    void hostingQuirks_data();
    void hostingQuirks();
    void httpsNeverRedirectsToHttp();
    void timeLeftCountsOnlyThisTransfer();
    void laterBatchResumesPartialFile_data();
    void laterBatchResumesPartialFile();
    void refusedRangeStartsAgain();
    void stalePartialFilesAreRemovedAtStart();
    void notEnoughDiskSpace();
    void emptyListSaysNothing();
    void countersStartAgainAfterFinished();
    void stalledTransferFails();
    void malformedBodies_data();
    void malformedBodies();
    void unopenableFileIsSkipped();
    void enqueuedWithoutListIsSavedWhole();
    void enqueueDuringTransferWaitsForIt();
    void destroyedInFlightLeavesNothing();
    void cancelWhileWaitingToRetry_data();
    void cancelWhileWaitingToRetry();
    void oneFinishedAfterDroppedQueue();
    void failedWriteFailsTransfer();
    void certificateErrorsAreNeverIgnored_data();
    void certificateErrorsAreNeverIgnored();

private:
    void writeHostFile(const QString &path, const QByteArray &bytes);
    static QString downloads(const QString &name);
    static bool runBatch(DownloadManager &manager, const QStringList &urls, int timeout = 30000);
    QString hostUrl(const QString &path) const;
    static QStringList verifiedProgress(const Recorder &recorder);
    // For a batch of two: the first transfer failed and left no file, the second was saved
    // with `savedBytes`.
    static void verifyFirstFailedSecondSaved(const Recorder &recorder, const QString &failedName,
                                             const QString &savedName,
                                             const QByteArray &savedBytes);

    TestProfile profile;
    QTemporaryDir hostRoot;
    std::unique_ptr<PackageHost> host;
};

void TestDownloadManager::initTestCase()
{
    QVERIFY(profile.isValid());
    QVERIFY(hostRoot.isValid());
    QVERIFY(AppPaths::downloadsFolder().startsWith(profile.dataHome()));
    host = std::make_unique<PackageHost>(hostRoot.path());
    QVERIFY(host->start());
}

void TestDownloadManager::init()
{
    host->clearRules();
    host->clearRequests();
    QDir(AppPaths::downloadsFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(AppPaths::downloadsFolder()));
}

void TestDownloadManager::writeHostFile(const QString &path, const QByteArray &bytes)
{
    TestFiles::write(hostRoot.path() + path, bytes);
}

QString TestDownloadManager::downloads(const QString &name)
{
    return AppPaths::downloadsFolder() + QLatin1Char('/') + name;
}

QString TestDownloadManager::hostUrl(const QString &path) const
{
    return host->url(path).toString();
}

bool TestDownloadManager::runBatch(DownloadManager &manager, const QStringList &urls, int timeout)
{
    QSignalSpy finished(&manager, &DownloadManager::finished);
    manager.setUrlList(urls);
    manager.startList();
    return finished.wait(timeout);
}

QStringList TestDownloadManager::verifiedProgress(const Recorder &recorder)
{
    QStringList percentages;
    for (const QString &text : recorder.progressTexts) {
        const auto match = progressPattern.match(text);
        if (!match.hasMatch())
            return {QStringLiteral("malformed: ") + text};
        percentages.append(match.captured(1));
    }
    return percentages;
}

void TestDownloadManager::verifyFirstFailedSecondSaved(const Recorder &recorder,
                                                       const QString &failedName,
                                                       const QString &savedName,
                                                       const QByteArray &savedBytes)
{
    QStringList events = recorder.events;
    events.removeAll(QStringLiteral("progress"));
    QVERIFY2(events.size() == 8, qPrintable(events.join(QLatin1Char('|'))));
    QVERIFY2(events.at(1).startsWith(QLatin1String("result:Failed: ")), qPrintable(events.at(1)));
    QCOMPARE(events.at(5), QStringLiteral("result:Succeeded"));
    QCOMPARE(events.at(6), QStringLiteral("result:1/2files downloaded successfully"));
    QVERIFY(!QFile::exists(downloads(failedName)));
    QCOMPARE(TestFiles::read(downloads(savedName)), savedBytes);
}

void TestDownloadManager::rateText_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing") << 0.0 << "0.0 bytes/sec";
    QTest::newRow("bytes") << 512.0 << "512.0 bytes/sec";
    QTest::newRow("below a kilobyte") << 1023.0 << "1023.0 bytes/sec";
    QTest::newRow("one kilobyte") << 1024.0 << "1.0 kB/s";
    QTest::newRow("kilobytes") << 12.5 * 1024 << "12.5 kB/s";
    QTest::newRow("below a megabyte") << 1048575.0 << "1024.0 kB/s";
    QTest::newRow("one megabyte") << 1048576.0 << "1.0 MB/s";
    QTest::newRow("megabytes") << 1.2 * 1048576 << "1.2 MB/s";
    QTest::newRow("not a number") << std::nan("") << "0.0 bytes/sec";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0.0 bytes/sec";
    QTest::newRow("negative") << -5.0 << "0.0 bytes/sec";
}

void TestDownloadManager::rateText()
{
    QFETCH(double, rate);
    QFETCH(QString, text);
    QCOMPARE(DownloadManager::rateText(rate), text);
}

void TestDownloadManager::transferRate_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<qint64>("elapsed");
    QTest::addColumn<double>("rate");
    QTest::newRow("one kilobyte per second") << qint64(1024) << qint64(1000) << 1024.0;
    QTest::newRow("megabyte in half a second") << qint64(1048576) << qint64(500) << 2097152.0;
    QTest::newRow("no time yet counts as a millisecond") << qint64(1000) << qint64(0) << 1e6;
    QTest::newRow("nothing at the start") << qint64(0) << qint64(0) << 0.0;
}

void TestDownloadManager::transferRate()
{
    QFETCH(qint64, bytes);
    QFETCH(qint64, elapsed);
    QFETCH(double, rate);
    const double computed = DownloadManager::transferRate(bytes, elapsed);
    QVERIFY(std::isfinite(computed));
    QCOMPARE(computed, rate);
}

void TestDownloadManager::targetPath_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "http://h/files/pack.zip"
                           << "pack.zip";
    QTest::newRow("query ignored") << "http://h/files/pack.zip?v=2#x"
                                   << "pack.zip";
    QTest::newRow("encoded blank") << "http://h/files/my%20pack.zip"
                                   << "my pack.zip";
    QTest::newRow("ends in slash") << "http://h/files/"
                                   << "download";
    QTest::newRow("no path") << "http://h"
                             << "download";
    QTest::newRow("dot dot") << "http://h/files/.."
                             << "download";
    QTest::newRow("encoded dot dot") << "http://h/files/%2E%2E"
                                     << "download";
    QTest::newRow("encoded slash") << "http://h/files/..%2F..%2Fevil.zip"
                                   << "evil.zip";
}

void TestDownloadManager::targetPath()
{
    QFETCH(QString, url);
    QFETCH(QString, name);
    DownloadManager manager;
    QCOMPARE(manager.targetPathFor(QUrl::fromEncoded(url.toLatin1())), downloads(name));
}

void TestDownloadManager::batchWithMissingSecondFile()
{
    const QByteArray first = patterned(200000, 1);
    const QByteArray third = patterned(3000, 3);
    writeHostFile(QStringLiteral("/packs/first.zip"), first);
    writeHostFile(QStringLiteral("/packs/third.zip"), third);
    const QStringList urls{hostUrl(QStringLiteral("/packs/first.zip")),
                           hostUrl(QStringLiteral("/packs/second.zip")),
                           hostUrl(QStringLiteral("/packs/third.zip"))};

    DownloadManager manager;
    manager.setOverwrite(true);
    Recorder recorder(manager);
    QVERIFY(runBatch(manager, urls));

    QCOMPARE(recorder.events.size(), 15);
    const QString failed = recorder.events.at(7);
    QVERIFY2(failed.startsWith(QLatin1String("result:Failed: ")), qPrintable(failed));
    QVERIFY2(failed.contains(QLatin1String("Not Found")), qPrintable(failed));
    const QStringList expected{
        QStringLiteral("result:Downloading ") + urls.at(0) + QLatin1Char('\n'),
        QStringLiteral("progress"),
        QStringLiteral("result:File: ") + downloads(QStringLiteral("first.zip")),
        QStringLiteral("fileDownloaded"),
        QStringLiteral("result:Succeeded"),
        QStringLiteral("result:Downloading ") + urls.at(1) + QLatin1Char('\n'),
        QStringLiteral("progress"),
        failed,
        QStringLiteral("result:Downloading ") + urls.at(2) + QLatin1Char('\n'),
        QStringLiteral("progress"),
        QStringLiteral("result:File: ") + downloads(QStringLiteral("third.zip")),
        QStringLiteral("fileDownloaded"),
        QStringLiteral("result:Succeeded"),
        QStringLiteral("result:2/3files downloaded successfully"),
        QStringLiteral("finished"),
    };
    QCOMPARE(recorder.events, expected);
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("first.zip"))), first);
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("third.zip"))), third);
    QVERIFY(!QFile::exists(downloads(QStringLiteral("second.zip"))));
    const QStringList percentages = verifiedProgress(recorder);
    QVERIFY2(!percentages.first().startsWith(QLatin1String("malformed")),
             qPrintable(percentages.first()));
    // Each successful file ends its progress at 100 %.
    QVERIFY(percentages.count(QStringLiteral("100")) >= 2);
}

void TestDownloadManager::urlEndingInSlashSavedAsDownload()
{
    RawHttpResponder responder;
    QVERIFY(responder.listen());
    responder.setAnswer(RawHttpResponder::head(200, {{"Content-Length", "5"}}) + "index");

    DownloadManager manager;
    Recorder recorder(manager);
    QVERIFY(runBatch(manager, {responder.url(QStringLiteral("/packs/")).toString()}));
    QVERIFY(recorder.events.contains(QStringLiteral("result:File: ") +
                                     downloads(QStringLiteral("download"))));
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("download"))), QByteArray("index"));
}

void TestDownloadManager::existingFilesAreKeptOrReplaced_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("savedAs");
    QTest::newRow("fresh name") << false << QStringList() << "a.zip";
    QTest::newRow("first copy") << false << QStringList{"a.zip"} << "a.zip.0";
    QTest::newRow("second copy") << false << QStringList{"a.zip", "a.zip.0"} << "a.zip.1";
    QTest::newRow("gap is reused") << false << QStringList{"a.zip", "a.zip.1"} << "a.zip.0";
    QTest::newRow("overwrite") << true << QStringList{"a.zip", "a.zip.0"} << "a.zip";
}

void TestDownloadManager::existingFilesAreKeptOrReplaced()
{
    QFETCH(bool, overwrite);
    QFETCH(QStringList, existing);
    QFETCH(QString, savedAs);
    const QByteArray body = patterned(5000, 9);
    writeHostFile(QStringLiteral("/packs/a.zip"), body);
    for (const QString &name : existing) {
        QFile old(downloads(name));
        QVERIFY(old.open(QIODevice::WriteOnly));
        // Longer than the new body, so a replaced file must have been truncated.
        old.write(QByteArray(9000, 'o') + name.toUtf8());
    }

    DownloadManager manager;
    manager.setOverwrite(overwrite);
    Recorder recorder(manager);
    QVERIFY(runBatch(manager, {hostUrl(QStringLiteral("/packs/a.zip"))}));
    QVERIFY2(recorder.events.contains(QStringLiteral("result:File: ") + downloads(savedAs)),
             qPrintable(recorder.events.join(QLatin1Char('|'))));
    QCOMPARE(TestFiles::read(downloads(savedAs)), body);
    for (const QString &name : existing) {
        if (name != savedAs)
            QVERIFY(TestFiles::read(downloads(name)).endsWith(name.toUtf8()));
    }
}

void TestDownloadManager::answerWithoutLength()
{
    const QByteArray body = patterned(700 * 1024, 4);
    writeHostFile(QStringLiteral("/packs/chunked.zip"), body);
    host->setChunked(QStringLiteral("/packs/chunked.zip"));

    DownloadManager manager;
    Recorder recorder(manager);
    QVERIFY(runBatch(manager, {hostUrl(QStringLiteral("/packs/chunked.zip"))}));
    QVERIFY(recorder.events.contains(QStringLiteral("result:Succeeded")));
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("chunked.zip"))), body);
    QVERIFY(!recorder.progressTexts.isEmpty());
    for (const QString &percentage : verifiedProgress(recorder))
        QCOMPARE(percentage, QStringLiteral("0"));
    QCOMPARE(recorder.ranges.size(), recorder.progressTexts.size());
    for (const auto &range : qAsConst(recorder.ranges))
        QCOMPARE(range, qMakePair(0, 0));
    QCOMPARE(recorder.values, QList<int>() << QVector<int>(recorder.values.size(), 0).toList());
}

void TestDownloadManager::redirectIsFollowed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("target");
    QTest::newRow("302 relative") << 302 << "/packs/new.zip"
                                  << "/packs/new.zip";
    QTest::newRow("302 relative to the folder") << 302 << "new.zip"
                                                << "/packs/new.zip";
    QTest::newRow("301 absolute") << 301 << ""
                                  << "/packs/new.zip";
    QTest::newRow("307") << 307 << "/packs/new.zip"
                         << "/packs/new.zip";
}

void TestDownloadManager::redirectIsFollowed()
{
    QFETCH(int, status);
    QFETCH(QString, location);
    QFETCH(QString, target);
    writeHostFile(QStringLiteral("/packs/new.zip"), "new");
    if (location.isEmpty())
        location = hostUrl(target);
    host->setRedirect(QStringLiteral("/packs/old.zip"), status, location, "moved");

    DownloadManager manager;
    Recorder recorder(manager);
    const QString url = hostUrl(QStringLiteral("/packs/old.zip"));
    QVERIFY(runBatch(manager, {url}));
    QStringList events = recorder.events;
    events.removeAll(QStringLiteral("progress"));
    // The hop is reported; the file keeps the name from the list.
    const QStringList expected{
        QStringLiteral("result:Downloading ") + url + QLatin1Char('\n'),
        QStringLiteral("redirect:Request: ") + url + QStringLiteral(" was redirected with code: ") +
            QString::number(status),
        QStringLiteral("redirect:Redirected to: ") + hostUrl(target),
        QStringLiteral("result:File: ") + downloads(QStringLiteral("old.zip")),
        QStringLiteral("fileDownloaded"),
        QStringLiteral("result:Succeeded"),
        QStringLiteral("result:1/1files downloaded successfully"),
        QStringLiteral("finished"),
    };
    QCOMPARE(events, expected);
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("old.zip"))), QByteArray("new"));
    QCOMPARE(QDir(AppPaths::downloadsFolder()).entryList(QDir::Files),
             QStringList{QStringLiteral("old.zip")});
    QCOMPARE(host->requests(), (QStringList{QStringLiteral("GET /packs/old.zip"),
                                            QStringLiteral("GET /packs/new.zip")}));
}

void TestDownloadManager::emptyListSaysNothing()
{
    DownloadManager manager;
    Recorder recorder(manager);
    QSignalSpy finished(&manager, &DownloadManager::finished);
    manager.setUrlList({});
    manager.startList();
    QVERIFY(!finished.wait(300));
    QVERIFY(recorder.events.isEmpty());
    QVERIFY(recorder.ranges.isEmpty());
}

void TestDownloadManager::countersStartAgainAfterFinished()
{
    writeHostFile(QStringLiteral("/packs/one.zip"), "one");
    DownloadManager manager;
    Recorder recorder(manager);
    QVERIFY(runBatch(manager, {hostUrl(QStringLiteral("/packs/one.zip")),
                               hostUrl(QStringLiteral("/packs/none.zip"))}));
    QVERIFY(recorder.events.contains(QStringLiteral("result:1/2files downloaded successfully")));
    recorder.events.clear();
    QVERIFY(runBatch(manager, {hostUrl(QStringLiteral("/packs/one.zip"))}));
    QVERIFY(recorder.events.contains(QStringLiteral("result:1/1files downloaded successfully")));
    recorder.events.clear();
    QVERIFY(runBatch(manager, {hostUrl(QStringLiteral("/packs/none.zip"))}));
    QVERIFY(recorder.events.contains(QStringLiteral("result:0/1files downloaded successfully")));
}

void TestDownloadManager::stalledTransferFails()
{
    writeHostFile(QStringLiteral("/packs/stall.zip"), patterned(100000, 5));
    writeHostFile(QStringLiteral("/packs/after.zip"), "after");
    host->setStall(QStringLiteral("/packs/stall.zip"), 1000, 120000);

    DownloadManager manager;
    manager.setTransferTimeout(700);
    manager.setRetryDelays({50, 50, 50});
    Recorder recorder(manager);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(runBatch(
        manager,
        {hostUrl(QStringLiteral("/packs/stall.zip")), hostUrl(QStringLiteral("/packs/after.zip"))},
        20000));
    QVERIFY(clock.elapsed() < 20000);
    verifyFirstFailedSecondSaved(recorder, QStringLiteral("stall.zip"), QStringLiteral("after.zip"),
                                 "after");
    // Not the player's cancel: the stall itself, after every attempt.
    QVERIFY(recorder.events.contains(
        QStringLiteral("result:Failed: no data from the server for 0.7 s")));
    QCOMPARE(recorder.retryTexts,
             (QStringList{QStringLiteral("Retrying in 0.05 s (attempt 1 of 3)"),
                          QStringLiteral("Retrying in 0.05 s (attempt 2 of 3)"),
                          QStringLiteral("Retrying in 0.05 s (attempt 3 of 3)")}));
    QCOMPARE(recorder.outcomes.first().attempts, 4);
}

void TestDownloadManager::malformedBodies_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("closeDelay");
    QTest::addColumn<QByteArray>("saved"); // empty: the transfer must fail

    const QByteArray body = patterned(4000, 6);
    QTest::newRow("closed before the announced length")
        << RawHttpResponder::head(200, {{"Content-Length", "10000"}}) + body << 0 << QByteArray();
    QTest::newRow("closed later before the announced length")
        << RawHttpResponder::head(200, {{"Content-Length", "10000"}}) + body << 200 << QByteArray();
    QTest::newRow("body ended by close, no length")
        << RawHttpResponder::head(200, {{"Connection", "close"}}) + body << 0 << body;
    QTest::newRow("longer than announced")
        << RawHttpResponder::head(200, {{"Content-Length", "4000"}, {"Connection", "close"}}) +
               body + "trailing garbage"
        << 0 << body;
}

void TestDownloadManager::malformedBodies()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, closeDelay);
    QFETCH(QByteArray, saved);
    RawHttpResponder responder;
    QVERIFY(responder.listen());
    responder.setAnswer(answer, true, closeDelay);

    DownloadManager manager;
    manager.setRetryDelays({20, 20, 20});
    Recorder recorder(manager);
    const QString url = responder.url(QStringLiteral("/packs/raw.zip")).toString();
    QVERIFY(runBatch(manager, {url}));
    QStringList events = recorder.events;
    events.removeAll(QStringLiteral("progress"));
    if (saved.isEmpty()) {
        QVERIFY2(events.size() == 4, qPrintable(events.join(QLatin1Char('|'))));
        QVERIFY(events.at(1).startsWith(QLatin1String("result:Failed: ")));
        QCOMPARE(events.at(2), QStringLiteral("result:0/1files downloaded successfully"));
        QVERIFY(!QFile::exists(downloads(QStringLiteral("raw.zip"))));
    } else {
        QCOMPARE(events.at(3), QStringLiteral("result:Succeeded"));
        QCOMPARE(TestFiles::read(downloads(QStringLiteral("raw.zip"))), saved);
    }
}

void TestDownloadManager::unopenableFileIsSkipped()
{
    writeHostFile(QStringLiteral("/packs/fine.zip"), "fine");
    // A folder in the way of the save path cannot be opened as a file.
    QVERIFY(QDir().mkpath(downloads(QStringLiteral("blocked.zip"))));
    QFile probe(downloads(QStringLiteral("blocked.zip")));
    QVERIFY(!probe.open(QIODevice::WriteOnly));

    DownloadManager manager;
    manager.setOverwrite(true);
    Recorder recorder(manager);
    const QString blocked = hostUrl(QStringLiteral("/packs/blocked.zip"));
    QVERIFY(runBatch(manager, {blocked, hostUrl(QStringLiteral("/packs/fine.zip"))}));
    QCOMPARE(recorder.events.first(),
             QStringLiteral("result:Problem opening save file '") +
                 downloads(QStringLiteral("blocked.zip")) + QStringLiteral("'for download '") +
                 blocked + QStringLiteral("': ") + probe.errorString() + QLatin1Char('\n'));
    QVERIFY(recorder.events.contains(QStringLiteral("result:1/2files downloaded successfully")));
    QCOMPARE(host->requests(), QStringList{QStringLiteral("GET /packs/fine.zip")});
}

void TestDownloadManager::enqueuedWithoutListIsSavedWhole()
{
    const QByteArray body = patterned(3 * 1024 * 1024 + 17, 7);
    writeHostFile(QStringLiteral("/packs/direct.zip"), body);
    DownloadManager manager;
    Recorder recorder(manager);
    QSignalSpy finished(&manager, &DownloadManager::finished);
    manager.enqueue(host->url(QStringLiteral("/packs/direct.zip")));
    QVERIFY(finished.wait());
    QVERIFY(recorder.events.contains(QStringLiteral("result:Succeeded")));
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("direct.zip"))), body);
}

void TestDownloadManager::enqueueDuringTransferWaitsForIt()
{
    const QByteArray slow = patterned(40000, 8);
    writeHostFile(QStringLiteral("/packs/slow.zip"), slow);
    writeHostFile(QStringLiteral("/packs/late.zip"), "late");
    host->setThrottle(QStringLiteral("/packs/slow.zip"), 100000);

    DownloadManager manager;
    Recorder recorder(manager);
    QSignalSpy finished(&manager, &DownloadManager::finished);
    manager.setUrlList({hostUrl(QStringLiteral("/packs/slow.zip"))});
    manager.startList();
    QTRY_VERIFY(recorder.events.contains(QStringLiteral("progress")));
    manager.enqueue(host->url(QStringLiteral("/packs/late.zip")));
    QVERIFY(finished.wait());
    QCOMPARE(finished.count(), 1);
    QStringList events = recorder.events;
    events.removeAll(QStringLiteral("progress"));
    QCOMPARE(events.size(), 10);
    QCOMPARE(events.at(3), QStringLiteral("result:Succeeded"));
    QCOMPARE(events.at(4), QStringLiteral("result:Downloading ") +
                               hostUrl(QStringLiteral("/packs/late.zip")) + QLatin1Char('\n'));
    QCOMPARE(events.at(8), QStringLiteral("result:2/2files downloaded successfully"));
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("slow.zip"))), slow);
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("late.zip"))), QByteArray("late"));
}

void TestDownloadManager::destroyedInFlightLeavesNothing()
{
    writeHostFile(QStringLiteral("/packs/cut.zip"), patterned(800000, 2));
    host->setStall(QStringLiteral("/packs/cut.zip"), 400000, 120000);

    auto manager = std::make_unique<DownloadManager>();
    Recorder recorder(*manager);
    manager->setUrlList({hostUrl(QStringLiteral("/packs/cut.zip"))});
    manager->startList();
    // Most of the first part has reached the disk; the rest is held back by the host.
    const QString partial = DownloadManager::partialPathFor(downloads(QStringLiteral("cut.zip")));
    QTRY_VERIFY(QFileInfo(partial).size() > 300000);
    QVERIFY(!QFile::exists(downloads(QStringLiteral("cut.zip"))));
    const int before = recorder.events.size();
    manager.reset();
    QCoreApplication::processEvents();
    QCOMPARE(recorder.events.size(), before);
    QVERIFY(!recorder.finishedSeen());
    // Nothing under the final name; the bytes stay in the partial file for a later batch.
    QVERIFY(!QFile::exists(downloads(QStringLiteral("cut.zip"))));
    QVERIFY(QFileInfo(partial).size() > 300000);
}

// A cancel during the wait before another attempt keeps what the broken-off attempt brought
// when the host named its copy, as a cancel during a request does; whether it comes from a
// receiver of the "Retrying in" report or later, from the event loop.
void TestDownloadManager::cancelWhileWaitingToRetry_data()
{
    QTest::addColumn<bool>("fromTheReport");
    QTest::newRow("from the event loop") << false;
    QTest::newRow("from a receiver of the report") << true;
}

void TestDownloadManager::cancelWhileWaitingToRetry()
{
    QFETCH(bool, fromTheReport);
    const QString path = QStringLiteral("/packs/wait.zip");
    writeHostFile(path, patterned(1024 * 1024, 41));
    host->setBreakOff(path, 100 * 1024, 300 * 1024);
    const QString target = downloads(QStringLiteral("wait.zip"));

    DownloadManager manager;
    manager.setRetryDelays({60000});
    Recorder recorder(manager);
    connect(&manager, &DownloadManager::result, &manager,
            [&manager, fromTheReport](const QString &text) {
                if (!text.startsWith(QLatin1String("Retrying in ")))
                    return;
                if (fromTheReport)
                    manager.cancelCurrent(false);
                else
                    QTimer::singleShot(10, &manager, [&manager] { manager.cancelCurrent(false); });
            });
    QVERIFY(runBatch(manager, {hostUrl(path)}, 20000));
    QCOMPARE(recorder.outcomes.size(), 1);
    QCOMPARE(recorder.outcomes.first().reason, DownloadManager::cancelledReason());
    QCOMPARE(recorder.retryTexts.size(), 1);
    QCOMPARE(QFileInfo(DownloadManager::partialPathFor(target)).size(), 100 * 1024);
    QVERIFY(QFile::exists(target + QStringLiteral(".part.info")));
    QVERIFY(!QFile::exists(target));
    QCOMPARE(recorder.events.count(QStringLiteral("finished")), 1);
}

// A queue dropped before its first file started, then a new URL: one batch, one finished().
void TestDownloadManager::oneFinishedAfterDroppedQueue()
{
    DownloadManager manager;
    Recorder recorder(manager);
    manager.enqueue(QUrl(QStringLiteral("file:///etc/hostname")));
    manager.cancelCurrent(true);
    manager.enqueue(QUrl(QStringLiteral("file:///etc/passwd")));
    QTest::qWait(100);
    QCOMPARE(recorder.events.count(QStringLiteral("finished")), 1);
    QCOMPARE(recorder.outcomes.size(), 1);
    QCOMPARE(recorder.outcomes.first().url, QUrl(QStringLiteral("file:///etc/passwd")));
}

void TestDownloadManager::failedWriteFailsTransfer()
{
    // A file size limit makes writes fail as a full disk would.
    writeHostFile(QStringLiteral("/packs/huge.zip"), patterned(2 * 1024 * 1024, 1));
    writeHostFile(QStringLiteral("/packs/small.zip"), "small");
    rlimit original{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &original), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = original;
    limited.rlim_cur = 256 * 1024;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);

    DownloadManager manager;
    Recorder recorder(manager);
    const bool finished = runBatch(manager, {hostUrl(QStringLiteral("/packs/huge.zip")),
                                             hostUrl(QStringLiteral("/packs/small.zip"))});
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(finished);

    verifyFirstFailedSecondSaved(recorder, QStringLiteral("huge.zip"), QStringLiteral("small.zip"),
                                 "small");
}

void TestDownloadManager::certificateErrorsAreNeverIgnored_data()
{
    QTest::addColumn<bool>("trusted");
    QTest::newRow("self-signed, not trusted") << false;
    QTest::newRow("same host, certificate trusted") << true;
}

void TestDownloadManager::certificateErrorsAreNeverIgnored()
{
    QFETCH(bool, trusted);
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS back end available");
    const QString tls = QStringLiteral(ZERUN_TEST_DATA "/tls/");
    PackageHost secure(hostRoot.path(), tls + QStringLiteral("localhost.crt"),
                       tls + QStringLiteral("localhost.key"));
    QVERIFY(secure.start());
    const QByteArray body = patterned(20000, 3);
    writeHostFile(QStringLiteral("/packs/secure.zip"), body);

    const QSslConfiguration original = QSslConfiguration::defaultConfiguration();
    if (trusted) {
        QSslConfiguration configuration = original;
        configuration.addCaCertificates(tls + QStringLiteral("localhost.crt"));
        QSslConfiguration::setDefaultConfiguration(configuration);
    }
    DownloadManager manager;
    Recorder recorder(manager);
    const bool finished =
        runBatch(manager, {secure.url(QStringLiteral("/packs/secure.zip")).toString()});
    QSslConfiguration::setDefaultConfiguration(original);
    QVERIFY(finished);

    QStringList events = recorder.events;
    events.removeAll(QStringLiteral("progress"));
    if (trusted) {
        QVERIFY2(events.contains(QStringLiteral("result:Succeeded")),
                 qPrintable(events.join(QLatin1Char('|'))));
        QCOMPARE(TestFiles::read(downloads(QStringLiteral("secure.zip"))), body);
    } else {
        QCOMPARE(events.size(), 4);
        QVERIFY2(events.at(1).startsWith(QLatin1String("result:Failed: ")),
                 qPrintable(events.at(1)));
        QVERIFY(!QFile::exists(downloads(QStringLiteral("secure.zip"))));
        // The handshake failed, so no request ever reached the host.
        QVERIFY(secure.requests().isEmpty());
    }
}

namespace {

// How the host misbehaves for one row of the table.
enum class Fault { None, Busy, Error, BreakOff, BreakOffNoRange, Chain, Loop, FileUrl, Drip };

} // namespace
Q_DECLARE_METATYPE(Fault)

void TestDownloadManager::hostingQuirks_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("status"); // busy, error or redirect status
    QTest::addColumn<int>("times");  // busy answers, breaks, or hops
    QTest::addColumn<QByteArray>("retryAfter");
    QTest::addColumn<int>("kind"); // DownloadOutcome::Kind
    QTest::addColumn<int>("attempts");
    QTest::addColumn<double>("movedRatio"); // most bytes received per file byte
    QTest::addColumn<QString>("reason");    // part of the failure reason
    QTest::addColumn<QString>("firstRetry");

    const int saved = DownloadOutcome::Saved;
    const int failed = DownloadOutcome::Failed;
    const QByteArray none;
    QTest::newRow("plain answer") << Fault::None << 200 << 0 << none << saved << 1 << 1.0 << ""
                                  << "";
    QTest::newRow("503 twice, then the file")
        << Fault::Busy << 503 << 2 << none << saved << 3 << 1.0 << ""
        << "Retrying in 0.02 s (attempt 1 of 3)";
    QTest::newRow("429 with Retry-After")
        << Fault::Busy << 429 << 1 << QByteArray("1") << saved << 2 << 1.0 << ""
        << "Retrying in 1 s (attempt 1 of 3)";
    QTest::newRow("408 once") << Fault::Busy << 408 << 1 << none << saved << 2 << 1.0 << ""
                              << "";
    QTest::newRow("502 once") << Fault::Busy << 502 << 1 << none << saved << 2 << 1.0 << ""
                              << "";
    QTest::newRow("504 once") << Fault::Busy << 504 << 1 << none << saved << 2 << 1.0 << ""
                              << "";
    QTest::newRow("503 asking for two minutes")
        << Fault::Busy << 503 << 1 << QByteArray("120") << failed << 1 << 0.0
        << "(the server asks to wait 120 s)"
        << "";
    QTest::newRow("500 every time")
        << Fault::Error << 500 << 0 << none << failed << 4 << 0.0 << "Internal Server Error"
        << "Retrying in 0.02 s (attempt 1 of 3)";
    QTest::newRow("404 is not retried")
        << Fault::Error << 404 << 0 << none << failed << 1 << 0.0 << "Not Found"
        << "";
    QTest::newRow("403 is not retried")
        << Fault::Error << 403 << 0 << none << failed << 1 << 0.0 << ""
        << "";
    QTest::newRow("410 is not retried")
        << Fault::Error << 410 << 0 << none << failed << 1 << 0.0 << ""
        << "";
    QTest::newRow("breaks off once, rest by range")
        << Fault::BreakOff << 200 << 1 << none << saved << 2 << 1.0 << ""
        << "";
    QTest::newRow("breaks off three times")
        << Fault::BreakOff << 200 << 3 << none << saved << 4 << 1.0 << ""
        << "Retrying in 0.02 s (attempt 1 of 3)";
    QTest::newRow("breaks off, host without ranges")
        << Fault::BreakOffNoRange << 200 << 1 << none << saved << 2 << 1.6 << ""
        << "";
    QTest::newRow("breaks off every time")
        << Fault::BreakOff << 200 << 9 << none << failed << 4 << 1.0 << ""
        << "";
    // Under 1 KiB/s for a second: broken off and resumed, or failed with its part kept.
    QTest::newRow("drips once, rest by range")
        << Fault::Drip << 200 << 1 << none << saved << 2 << 1.0 << ""
        << "Retrying in 0.02 s (attempt 1 of 3)";
    QTest::newRow("drips every time") << Fault::Drip << 200 << 9 << none << failed << 4 << 1.0
                                      << "the server sent less than 1 KiB/s for 1 s"
                                      << "";
    QTest::newRow("five redirects") << Fault::Chain << 302 << 5 << none << saved << 1 << 1.0 << ""
                                    << "";
    QTest::newRow("six redirects") << Fault::Chain << 301 << 6 << none << failed << 1 << 0.0
                                   << "too many redirects (more than 5)"
                                   << "";
    QTest::newRow("303 then 308") << Fault::Chain << 303 << 2 << none << saved << 1 << 1.0 << ""
                                  << "";
    QTest::newRow("redirect loop")
        << Fault::Loop << 302 << 0 << none << failed << 1 << 0.0 << "redirect loop at "
        << "";
    QTest::newRow("305 is not followed") << Fault::Error << 305 << 0 << none << failed << 1 << 0.0
                                         << "redirect status 305 is not followed"
                                         << "";
    QTest::newRow("file URL refused") << Fault::FileUrl << 0 << 0 << none << failed << 0 << 0.0
                                      << "only http and https addresses are downloaded"
                                      << "";
}

void TestDownloadManager::hostingQuirks()
{
    QFETCH(Fault, fault);
    QFETCH(int, status);
    QFETCH(int, times);
    QFETCH(QByteArray, retryAfter);
    QFETCH(int, kind);
    QFETCH(int, attempts);
    QFETCH(double, movedRatio);
    QFETCH(QString, reason);
    QFETCH(QString, firstRetry);

    const int size = 300 * 1024;
    const QByteArray body = patterned(size, 11);
    const QString path = QStringLiteral("/packs/q.zip");
    QString served = path;
    QString url = hostUrl(path);
    switch (fault) {
    case Fault::None:
        break;
    case Fault::Busy:
        host->setBusy(path, status, times, retryAfter);
        break;
    case Fault::Error:
        if (status == 305)
            host->setRedirect(path, status, QStringLiteral("http://proxy.test/"));
        else
            host->setError(path, status, "error page");
        break;
    case Fault::BreakOffNoRange:
        host->setRangeSupport(path, false);
        Q_FALLTHROUGH();
    case Fault::BreakOff:
        // Every answer that starts before the last break sends at most a fifth (or a half).
        host->setBreakOff(path, times > 1 ? size / 5 : size / 2,
                          times > 3 ? size : qint64(times > 1 ? size / 5 : size / 2) * times);
        break;
    case Fault::Chain: {
        served = QStringLiteral("/packs/real.zip");
        QString from = path;
        for (int hop = 1; hop <= times; ++hop) {
            const QString to = hop == times ? served : QStringLiteral("/packs/hop%1.zip").arg(hop);
            host->setRedirect(from, hop == 1 ? status : 308, to);
            from = to;
        }
        break;
    }
    case Fault::Loop:
        host->setRedirect(path, status, QStringLiteral("/packs/loop.zip"));
        host->setRedirect(QStringLiteral("/packs/loop.zip"), status, path);
        break;
    case Fault::FileUrl:
        url = QUrl::fromLocalFile(hostRoot.filePath(QStringLiteral("packs/q.zip"))).toString();
        break;
    case Fault::Drip:
        host->setThrottle(path, 300);
        break;
    }
    writeHostFile(served, body);

    DownloadManager manager;
    manager.setRetryDelays({20, 20, 20});
    manager.setSpeedFloor({1024, 1000});
    Recorder recorder(manager);
    connect(&manager, &DownloadManager::retrying, this, [&, tries = 0]() mutable {
        if (fault == Fault::Drip && ++tries == times)
            host->clearRules();
    });
    QVERIFY(runBatch(manager, {url}));

    QCOMPARE(recorder.outcomes.size(), 1);
    const DownloadOutcome outcome = recorder.outcomes.first();
    QCOMPARE(int(outcome.kind), kind);
    QCOMPARE(outcome.attempts, attempts);
    QCOMPARE(outcome.url.toString(), url);
    QCOMPARE(recorder.retryTexts.size(), std::max(0, attempts - 1));
    if (!firstRetry.isEmpty())
        QCOMPARE(recorder.retryTexts.first(), firstRetry);
    QVERIFY2(outcome.reason.contains(reason), qPrintable(outcome.reason));
    // What the manager took from the network. The host may count more: after a lost
    // connection the network layer sometimes sends the request once more on its own and drops
    // that answer when the reply has already ended.
    const qint64 moved = outcome.bytesReceived;
    QVERIFY2(moved <= movedRatio * size, qPrintable(QString::number(moved)));
    QVERIFY(host->bytesSent(served) >= moved);

    QStringList events = recorder.events;
    events.removeAll(QStringLiteral("progress"));
    QCOMPARE(events.first(), QStringLiteral("result:Downloading ") + url + QLatin1Char('\n'));
    const QStringList files = QDir(AppPaths::downloadsFolder()).entryList(QDir::Files);
    if (kind == DownloadOutcome::Saved) {
        QVERIFY(events.contains(QStringLiteral("result:Succeeded")));
        QCOMPARE(outcome.savedPath, downloads(QStringLiteral("q.zip")));
        QCOMPARE(outcome.size, qint64(size));
        QCOMPARE(outcome.entityTag, PackageHost::entityTag(hostRoot.path() + served));
        QCOMPARE(TestFiles::read(downloads(QStringLiteral("q.zip"))), body);
        // Hashed on the way in, over every attempt and cut-back.
        QCOMPARE(outcome.sha256,
                 QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex());
        QCOMPARE(files, QStringList{QStringLiteral("q.zip")});
        QVERIFY(moved >= size);
        QVERIFY(fault != Fault::Drip || outcome.resumedFrom > 0);
    } else {
        QVERIFY(outcome.sha256.isEmpty());
        QVERIFY(events.contains(QStringLiteral("result:Failed: ") + outcome.reason));
        QVERIFY(!files.contains(QStringLiteral("q.zip")));
        // Only a broken-off body leaves a partial file, for a later batch to finish.
        if (fault == Fault::BreakOff || fault == Fault::Drip)
            QCOMPARE(QFileInfo(DownloadManager::partialPathFor(downloads(QStringLiteral("q.zip"))))
                         .size(),
                     moved);
        else
            QVERIFY2(files.isEmpty(), qPrintable(files.join(QLatin1Char(' '))));
    }
    if (fault == Fault::FileUrl)
        QVERIFY(host->requests().isEmpty());
    if (fault == Fault::BreakOff && kind == DownloadOutcome::Saved) {
        // Each later attempt asked only for the rest, naming the copy it holds.
        // (The network layer may repeat a broken request on its own; repeats ask the same.)
        QSet<QByteArray> ranges;
        for (const PackageHost::Exchange &exchange : host->exchanges()) {
            if (exchange.range.isEmpty())
                continue;
            ranges.insert(exchange.range);
            QCOMPARE(exchange.status, 206);
            QCOMPARE(exchange.ifRange, outcome.entityTag);
        }
        QCOMPARE(ranges.size(), attempts - 1);
    }
}

void TestDownloadManager::httpsNeverRedirectsToHttp()
{
    if (!QSslSocket::supportsSsl())
        QSKIP("no TLS back end available");
    const QString tls = QStringLiteral(ZERUN_TEST_DATA "/tls/");
    PackageHost secure(hostRoot.path(), tls + QStringLiteral("localhost.crt"),
                       tls + QStringLiteral("localhost.key"));
    QVERIFY(secure.start());
    writeHostFile(QStringLiteral("/packs/plain.zip"), "plain");
    secure.setRedirect(QStringLiteral("/packs/secure.zip"), 302,
                       hostUrl(QStringLiteral("/packs/plain.zip")));

    const QSslConfiguration original = QSslConfiguration::defaultConfiguration();
    QSslConfiguration configuration = original;
    configuration.addCaCertificates(tls + QStringLiteral("localhost.crt"));
    QSslConfiguration::setDefaultConfiguration(configuration);
    DownloadManager manager;
    Recorder recorder(manager);
    const bool finished =
        runBatch(manager, {secure.url(QStringLiteral("/packs/secure.zip")).toString()});
    QSslConfiguration::setDefaultConfiguration(original);
    QVERIFY(finished);

    QCOMPARE(recorder.outcomes.size(), 1);
    QCOMPARE(recorder.outcomes.first().kind, DownloadOutcome::Failed);
    QVERIFY2(recorder.outcomes.first().reason.contains(QLatin1String("from https to http")),
             qPrintable(recorder.outcomes.first().reason));
    QVERIFY(host->requests().isEmpty());
    QVERIFY(QDir(AppPaths::downloadsFolder()).entryList(QDir::Files).isEmpty());
}

// A resume of a file that is mostly on disk already, from a host that sends 128 kB/s: the time
// left is the rest of the file at the rate of this request's own bytes, not at a rate that
// counts the kept bytes as received (which would make it a small part of the real time).
void TestDownloadManager::timeLeftCountsOnlyThisTransfer()
{
    const QString path = QStringLiteral("/packs/resumed.zip");
    const QByteArray bytes = patterned(1280 * 1024, 7);
    writeHostFile(path, bytes);
    const QString target = downloads(QStringLiteral("resumed.zip"));
    QFile::remove(target);
    const qint64 kept = 1024 * 1024;
    {
        // The first batch breaks off after `kept` bytes and is cancelled while it waits.
        host->setBreakOff(path, kept, bytes.size());
        DownloadManager manager;
        manager.setRetryDelays({60000});
        connect(&manager, &DownloadManager::result, &manager, [&manager](const QString &text) {
            if (text.startsWith(QLatin1String("Retrying in ")))
                QTimer::singleShot(10, &manager, [&manager] { manager.cancelCurrent(false); });
        });
        QVERIFY(runBatch(manager, {hostUrl(path)}, 20000));
        QCOMPARE(QFileInfo(DownloadManager::partialPathFor(target)).size(), kept);
    }
    host->clearRules();
    host->setThrottle(path, 128 * 1024);

    DownloadManager manager;
    QElapsedTimer clock;
    struct Report
    {
        qint64 at;
        qint64 done;
        qint64 secondsLeft;
    };
    QVector<Report> reports;
    qint64 done = 0;
    connect(&manager, &DownloadManager::bytesProgress, &manager,
            [&done](qint64 bytesDone, qint64) { done = bytesDone; });
    connect(&manager, &DownloadManager::timeLeft, &manager, [&](qint64 seconds) {
        reports.append({clock.elapsed(), done, seconds});
    });
    clock.start();
    QVERIFY(runBatch(manager, {hostUrl(path)}, 30000));
    const qint64 end = clock.elapsed();
    QCOMPARE(TestFiles::read(target), bytes);
    QVERIFY(!reports.isEmpty());
    // Resumed: every report counts the kept bytes as done.
    QVERIFY(reports.first().done > kept);
    int judged = 0;
    for (const Report &report : reports) {
        const double actual = (end - report.at) / 1000.0;
        // Early reports rest on too few bytes, the last ones on too little time.
        if (report.at < 500 || actual < 1.0)
            continue;
        ++judged;
        QVERIFY2(
            report.secondsLeft * 2 + 1 >= actual && report.secondsLeft <= actual * 2 + 1,
            qPrintable(
                QStringLiteral("%1 s left said, %2 s taken").arg(report.secondsLeft).arg(actual)));
    }
    QVERIFY(judged > 0);
}

void TestDownloadManager::laterBatchResumesPartialFile_data()
{
    // Either a later batch (a new manager, as after a restart) finds the part an earlier one
    // left, or the same batch tries again after its first answer broke off; meanwhile the host
    // may have put another file there.
    QTest::addColumn<bool>("laterBatch");
    QTest::addColumn<QString>("change"); // "", "content" (same length) or "length"
    QTest::addColumn<QByteArray>("tag"); // null: the file's own; empty: no ETag at all
    QTest::addColumn<bool>("ifRangeIgnored");
    QTest::addColumn<int>("status"); // of the answer to the ranged request
    QTest::addColumn<bool>("resumed");

    const QByteArray own;
    const QByteArray none("");
    const QByteArray fixed("\"fixed\"");
    for (const bool later : {true, false}) {
        const char *when = later ? "later batch" : "same batch";
        const auto row = [when](const char *what) -> QTestData & {
            return QTest::newRow(qPrintable(QStringLiteral("%1: %2").arg(when, what)));
        };
        row("same file, the rest by range") << later << "" << own << false << 206 << true;
        row("changed file, sent whole") << later << "content" << own << false << 200 << false;
        row("If-Range ignored, another tag") << later << "content" << own << true << 206 << false;
        row("same tag, another length") << later << "length" << fixed << false << 206 << false;
        row("no tag, same date, the rest by range") << later << "" << none << false << 206 << true;
        row("no tag, If-Range ignored, another date")
            << later << "content" << none << true << 206 << false;
    }
}

void TestDownloadManager::laterBatchResumesPartialFile()
{
    QFETCH(bool, laterBatch);
    QFETCH(QString, change);
    QFETCH(QByteArray, tag);
    QFETCH(bool, ifRangeIgnored);
    QFETCH(int, status);
    QFETCH(bool, resumed);

    const int size = 1024 * 1024;
    const QString path = QStringLiteral("/packs/big.zip");
    const QString file = hostRoot.path() + path;
    const QByteArray first = patterned(size, 21);
    const QByteArray second = change.isEmpty() ? first
                              : change == QLatin1String("content")
                                  ? patterned(size, 22)
                                  : patterned(size + 100 * 1024, 23);
    // A later batch finds what four broken answers of 100 KiB left; the same batch tries again
    // after one.
    const qint64 kept = laterBatch ? 400 * 1024 : 100 * 1024;
    const auto hostRules = [&](bool breaking) {
        host->clearRules();
        if (breaking)
            host->setBreakOff(path, 100 * 1024, kept);
        if (!tag.isNull())
            host->setEntityTag(path, tag);
        host->setIfRangeIgnored(path, ifRangeIgnored);
    };
    const auto replaceFile = [&] {
        if (change.isEmpty())
            return;
        writeHostFile(path, second);
        // Another file is another date too, even within the same second.
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadWrite));
        QVERIFY(written.setFileTime(QDateTime::currentDateTime().addSecs(3600),
                                    QFileDevice::FileModificationTime));
    };
    writeHostFile(path, first);
    hostRules(true);
    const QByteArray oldValidator = tag.isNull()
                                        ? PackageHost::entityTag(file)
                                        : (tag.isEmpty() ? PackageHost::lastModified(file) : tag);
    const QString partial = DownloadManager::partialPathFor(downloads(QStringLiteral("big.zip")));

    auto manager = std::make_unique<DownloadManager>();
    manager->setRetryDelays({20, 20, 20});
    if (laterBatch) {
        Recorder recorder(*manager);
        QVERIFY(runBatch(*manager, {hostUrl(path)}));
        QCOMPARE(recorder.outcomes.first().kind, DownloadOutcome::Failed);
        QCOMPARE(QFileInfo(partial).size(), kept);
        QVERIFY(!QFile::exists(downloads(QStringLiteral("big.zip"))));
        replaceFile();
        hostRules(false);
        host->clearRequests();
        manager = std::make_unique<DownloadManager>();
    } else {
        // The host changes while the manager waits for its second attempt.
        connect(manager.get(), &DownloadManager::result, this, [&](const QString &text) {
            if (text.startsWith(QLatin1String("Retrying in ")) && QFileInfo(partial).size() > 0) {
                replaceFile();
                hostRules(false);
            }
        });
    }
    Recorder recorder(*manager);
    QVERIFY(runBatch(*manager, {hostUrl(path)}));

    const DownloadOutcome outcome = recorder.outcomes.first();
    QCOMPARE(outcome.kind, DownloadOutcome::Saved);
    QCOMPARE(outcome.attempts, laterBatch ? 1 : 2);
    QCOMPARE(outcome.resumedFrom, resumed ? kept : 0);
    // Nothing of the first file is joined to the second.
    QCOMPARE(TestFiles::read(downloads(QStringLiteral("big.zip"))), second);
    // The kept part is read once for the hash, the rest hashed as it arrives.
    QCOMPARE(outcome.sha256, QCryptographicHash::hash(second, QCryptographicHash::Sha256).toHex());
    QCOMPARE(QDir(AppPaths::downloadsFolder()).entryList(QDir::Files),
             QStringList{QStringLiteral("big.zip")});
    const QStringList events = recorder.events;
    QCOMPARE(events.mid(events.size() - 3),
             (QStringList{QStringLiteral("result:Succeeded"),
                          QStringLiteral("result:1/1files downloaded successfully"),
                          QStringLiteral("finished")}));

    // The ranged request named the kept copy; a part of another file was followed by a request
    // for the whole. (The network layer may repeat a broken request of its own accord.)
    const QByteArray range = "bytes=" + QByteArray::number(kept) + '-';
    const QVector<PackageHost::Exchange> exchanges = host->exchanges();
    const auto asked =
        std::find_if(exchanges.cbegin(), exchanges.cend(),
                     [&range](const PackageHost::Exchange &e) { return e.range == range; });
    QVERIFY(asked != exchanges.cend());
    QCOMPARE(asked->ifRange, oldValidator);
    QCOMPARE(asked->status, status);
    if (status == 206 && !resumed) {
        // After any repeat of the ranged request by the network layer, the whole file.
        auto whole = asked + 1;
        while (whole != exchanges.cend() && whole->range == range)
            ++whole;
        QVERIFY(whole != exchanges.cend());
        QCOMPARE(whole->status, 200);
        QVERIFY(whole->range.isEmpty());
    }
    // The file once, plus what a changed file made useless. (The outcome counts every attempt
    // of its own batch.)
    const qint64 total = (laterBatch ? kept : 0) + outcome.bytesReceived;
    QVERIFY2(total <= kept + second.size(), qPrintable(QString::number(total)));
    QVERIFY(host->bytesSent(path) >= outcome.bytesReceived);
}

void TestDownloadManager::refusedRangeStartsAgain()
{
    const QString path = QStringLiteral("/packs/r.zip");
    const QByteArray body = patterned(1000, 31);
    writeHostFile(path, body);
    // A partial file longer than the file itself, noted with the file's own tag and a whole
    // length that the file no longer has.
    const QString target = downloads(QStringLiteral("r.zip"));
    TestFiles::write(DownloadManager::partialPathFor(target), QByteArray(2000, 'x'));
    TestFiles::write(target + QStringLiteral(".part.info"),
                     "url=" + host->url(path).toEncoded() +
                         "\netag=" + PackageHost::entityTag(hostRoot.path() + path) +
                         "\nlast-modified=\nsize=3000\n");

    DownloadManager manager;
    Recorder recorder(manager);
    QVERIFY(runBatch(manager, {hostUrl(path)}));
    QCOMPARE(recorder.outcomes.first().kind, DownloadOutcome::Saved);
    QCOMPARE(TestFiles::read(target), body);
    QCOMPARE(recorder.outcomes.first().sha256,
             QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex());
    const QVector<PackageHost::Exchange> exchanges = host->exchanges();
    QCOMPARE(exchanges.size(), 2);
    QCOMPARE(exchanges.at(0).status, 416);
    QCOMPARE(exchanges.at(1).status, 200);
    QVERIFY(exchanges.at(1).range.isEmpty());
    QCOMPARE(QDir(AppPaths::downloadsFolder()).entryList(QDir::Files),
             QStringList{QStringLiteral("r.zip")});
}

void TestDownloadManager::stalePartialFilesAreRemovedAtStart()
{
    const QDateTime old = QDateTime::currentDateTime().addDays(-8);
    const QStringList names{"old.zip.part", "old.zip.part.info", "fresh.zip.part",
                            "fresh.zip.part.info", "kept.zip"};
    for (const QString &name : names) {
        TestFiles::write(downloads(name), "bytes");
        if (!name.startsWith(QLatin1String("fresh"))) {
            QFile file(downloads(name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }
    }
    DownloadManager manager;
    QStringList left = QDir(AppPaths::downloadsFolder()).entryList(QDir::Files);
    left.sort();
    QCOMPARE(left, (QStringList{"fresh.zip.part", "fresh.zip.part.info", "kept.zip"}));
}

void TestDownloadManager::notEnoughDiskSpace()
{
    RawHttpResponder responder;
    QVERIFY(responder.listen());
    // A length no disk has room for: the transfer fails before a byte is written.
    responder.setAnswer(RawHttpResponder::head(200, {{"Content-Length", "1000000000000000"}}) +
                        QByteArray(4096, 'z'));
    DownloadManager manager;
    Recorder recorder(manager);
    QVERIFY(runBatch(manager, {responder.url(QStringLiteral("/packs/huge.zip")).toString()}));
    QCOMPARE(recorder.outcomes.size(), 1);
    const QString reason = recorder.outcomes.first().reason;
    QVERIFY2(reason.startsWith(QLatin1String("Not enough disk space: needs 909.5 TB, ")) &&
                 reason.endsWith(QLatin1String(" free")),
             qPrintable(reason));
    QCOMPARE(recorder.outcomes.first().attempts, 1);
    QVERIFY(recorder.retryTexts.isEmpty());
    QVERIFY(QDir(AppPaths::downloadsFolder()).entryList(QDir::Files).isEmpty());
}

QTEST_MAIN(TestDownloadManager)
#include "tst_downloadmanager.moc"
