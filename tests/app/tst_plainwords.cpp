#include "apppaths.h"
#include "downloadmanager.h"
#include "failurewords.h"
#include "packagehost.h"
#include "startup.h"
#include "testfiles.h"
#include "translations.h"

#include <QtTest>

// The words the player reads: counts with their plural forms, and why a download failed, told
// from what the manager learnt from a real host.
class TestPlainWords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void plurals_data();
    void plurals();
    void failureWords_data();
    void failureWords();
};

void TestPlainWords::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
    // The program finds languages/ in the folder it is started from.
    QVERIFY(QDir::setCurrent(QStringLiteral(ZERUN_BIN_DIR)));
    QVERIFY(installTranslations(QStringLiteral("en")).join(' ').contains("languages/en.qm"));
}

void TestPlainWords::plurals_data()
{
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("shown");
    // Counts at 0, 1 and 2, and the singular of texts that are also logged in English (the
    // translation check sees that every numerus form is filled).
    QTest::newRow("no packages") << QByteArray("Zerun") << QByteArray("%n package(s)") << 0
                                 << "0 packages";
    QTest::newRow("one package") << QByteArray("Zerun") << QByteArray("%n package(s)") << 1
                                 << "1 package";
    QTest::newRow("two packages") << QByteArray("Zerun") << QByteArray("%n package(s)") << 2
                                  << "2 packages";
    QTest::newRow("kept one") << QByteArray("PackageRemoval")
                              << QByteArray("Kept %n file(s) you changed: %1") << 1
                              << "Kept 1 file you changed: %1";
    QTest::newRow("the one file whole")
        << QByteArray("PackageVerify") << QByteArray("All %1 files as installed") << 1
        << "The %1 file as installed";
}

void TestPlainWords::plurals()
{
    QFETCH(QByteArray, context);
    QFETCH(QByteArray, source);
    QFETCH(int, count);
    QFETCH(QString, shown);
    QCOMPARE(QCoreApplication::translate(context.constData(), source.constData(), nullptr, count),
             shown);
}

void TestPlainWords::failureWords_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("words");
    QTest::newRow("not there") << "gone.zip" << QByteArray()
                               << "not found on the server (HTTP 404)";
    QTest::newRow("web page") << "page.zip"
                              << QByteArray("\n<!DOCTYPE html><html><body>Moved</body></html>")
                              << "the server sent a web page instead of the package";
    QTest::newRow("refused, bytes kept")
        << "big.zip" << QByteArray(211000, 'z')
        << "connection refused; 88.2 kB of 211 kB kept, Retry resumes";
}

void TestPlainWords::failureWords()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, words);

    QTemporaryDir site;
    if (!content.isEmpty())
        TestFiles::write(site.filePath("files/" + file), content);
    PackageHost host(site.path());
    QVERIFY(host.start());
    const QString path = "/files/" + file;
    // A big file's connection breaks off after 88200 bytes; then the host is gone.
    if (content.size() > 100000)
        host.setBreakOff(path, 88200, content.size());

    QDir(AppPaths::downloadsFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(AppPaths::downloadsFolder()));
    DownloadManager manager;
    manager.setRetryDelays({20, 20});
    DownloadOutcome outcome;
    connect(&manager, &DownloadManager::transferFinished,
            [&](const DownloadOutcome &ended) { outcome = ended; });
    connect(&manager, &DownloadManager::result, [&](const QString &text) {
        if (text.startsWith("Retrying in"))
            host.stop();
    });
    QSignalSpy finished(&manager, &DownloadManager::finished);
    manager.setUrlList({host.url(path).toString()});
    manager.startList();
    QVERIFY(finished.wait(20000));

    const QString said =
        outcome.kind == DownloadOutcome::Saved
            ? FailureWords::unreadableArchive(outcome.savedPath, outcome.contentType).player
            : FailureWords::describe(outcome);
    QCOMPARE(said, words);
}

QTEST_GUILESS_MAIN(TestPlainWords)
#include "tst_plainwords.moc"
