#include "apppaths.h"
#include "cataloguefetch.h"
#include "packagehost.h"
#include "packedbodies.h"
#include "rawhttpresponder.h"
#include "serviceendpoints.h"
#include "startup.h"
#include "testfiles.h"
#include "testprofile.h"
#include "translations.h"
#include "zerun.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The catalogue fetch against the local package host: a fresh list, the kept copy confirmed with
// 304, the kept copy in place of an unreachable host, and no list at all; then the same through
// the main window's catalogue page.
class TestCatalogueFetch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void ageText_data();
    void ageText();
    void upThenDownThenNoCache();
    void damagedCacheIsIgnored_data();
    void damagedCacheIsIgnored();
    void oversizedListKeepsTheCopy();
    void answerThatIsNoListKeepsTheCopy_data();
    void answerThatIsNoListKeepsTheCopy();
    void cataloguePageSaysWhereTheListCameFrom();
    void packedAnswer_data();
    void packedAnswer();

private:
    CatalogueFetch::Result fetch();
    void serve(const QByteArray &text);
    void startHost();
    QStringList shown() const;

    TestProfile profile;
    QTemporaryDir site;
    QTemporaryDir prefix;
    std::unique_ptr<PackageHost> host;
    std::unique_ptr<Zerun> window;
    QUrl catalogueUrl;
};

void TestCatalogueFetch::initTestCase()
{
    setInstallerIdentity();
    // The English plural forms, as the installer loads them at start-up.
    installTranslations(QStringLiteral("en"), QStringLiteral(ZERUN_BIN_DIR));
    QVERIFY(profile.isValid());
    AppPaths::createFolders();
    QVERIFY(AppPaths::cacheFolder().startsWith(profile.home()));
    QVERIFY(site.isValid() && prefix.isValid());
    // A game folder where the installer looks for one under Wine.
    TestFiles::write(prefix.path() +
                         QStringLiteral("/drive_c/Program Files (x86)/GDS/TEW2016/TEW2016.exe"),
                     "MZ");
    qputenv("WINEPREFIX", prefix.path().toUtf8());
}

void TestCatalogueFetch::init()
{
    QFile::remove(CatalogueFetch::cacheFile());
    QFile::remove(CatalogueFetch::cacheNoteFile());
    startHost();
}

void TestCatalogueFetch::cleanup()
{
    window.reset();
    host.reset();
}

void TestCatalogueFetch::startHost()
{
    host = std::make_unique<PackageHost>(site.path());
    QVERIFY(host->start());
    catalogueUrl = host->url(QStringLiteral("/files/index.dat"));
    qputenv("ZERUN_CATALOGUE_HOST", host->baseUrl().toString().toUtf8());
}

void TestCatalogueFetch::serve(const QByteArray &text)
{
    TestFiles::write(site.path() + QStringLiteral("/files/index.dat"), text);
}

CatalogueFetch::Result TestCatalogueFetch::fetch()
{
    CatalogueFetch fetcher;
    fetcher.setSpeedFloor({1024, 1000});
    QSignalSpy finished(&fetcher, &CatalogueFetch::finished);
    fetcher.start(catalogueUrl);
    if (!finished.wait(20000))
        return {};
    return finished.first().first().value<CatalogueFetch::Result>();
}

QStringList TestCatalogueFetch::shown() const
{
    QStringList texts;
    const QAbstractItemModel *rows =
        window->findChild<QAbstractItemView *>(QStringLiteral("repo_list"))->model();
    for (int row = 0; row < rows->rowCount(); ++row)
        texts << rows->index(row, 0).data().toString();
    return texts;
}

void TestCatalogueFetch::ageText_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("now") << qint64(0) << "less than a minute ago";
    QTest::newRow("one minute") << qint64(60) << "1 minute ago";
    QTest::newRow("minutes") << qint64(59 * 60 + 59) << "59 minutes ago";
    QTest::newRow("one hour") << qint64(3600) << "1 hour ago";
    QTest::newRow("one day") << qint64(86400) << "1 day ago";
    QTest::newRow("three days") << qint64(3 * 86400 + 100) << "3 days ago";
}

void TestCatalogueFetch::ageText()
{
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    QCOMPARE(CatalogueFetch::ageText(seconds), text);
}

void TestCatalogueFetch::upThenDownThenNoCache()
{
    const QByteArray list = "http://h/a.zip,mods,Alpha\nhttp://h/b.zip,skin,Beta\n";
    serve(list);

    // Up: the list itself, kept in the Cache folder.
    CatalogueFetch::Result result = fetch();
    QCOMPARE(result.source, CatalogueFetch::Result::Network);
    QCOMPARE(result.data, list);
    QVERIFY(result.failure.isEmpty());
    QCOMPARE(result.notice(QDateTime::currentDateTimeUtc()), QString());
    QCOMPARE(TestFiles::read(CatalogueFetch::cacheFile()), list);

    // Up again: the kept copy is confirmed, not sent again.
    result = fetch();
    QCOMPARE(result.source, CatalogueFetch::Result::Cache);
    QCOMPARE(result.data, list);
    QVERIFY(result.failure.isEmpty());
    QCOMPARE(host->exchanges().last().status, 304);
    QCOMPARE(host->exchanges().last().ifNoneMatch,
             PackageHost::entityTag(site.path() + QStringLiteral("/files/index.dat")));

    // Down: the kept copy, with its age and the reason.
    const QString where = host->baseUrl().authority();
    host.reset();
    result = fetch();
    QCOMPARE(result.source, CatalogueFetch::Result::Cache);
    QCOMPARE(result.data, list);
    QCOMPARE(result.failure, QStringLiteral("could not reach ") + where);
    QCOMPARE(result.notice(result.cachedAt.addSecs(3 * 86400 + 5)),
             QStringLiteral("Showing the package list from 3 days ago: could not reach ") + where);

    // No copy: nothing to show, and why.
    QVERIFY(QFile::remove(CatalogueFetch::cacheFile()));
    result = fetch();
    QCOMPARE(result.source, CatalogueFetch::Result::Nothing);
    QVERIFY(result.data.isEmpty());
    QCOMPARE(result.notice(QDateTime::currentDateTimeUtc()),
             QStringLiteral("The package list could not be loaded: could not reach ") + where);
}

void TestCatalogueFetch::damagedCacheIsIgnored_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("a byte changed") << "flip";
    QTest::newRow("cut short") << "cut";
    QTest::newRow("note missing") << "note";
    QTest::newRow("note of another host") << "host";
}

void TestCatalogueFetch::damagedCacheIsIgnored()
{
    QFETCH(QString, damage);
    serve("http://h/a.zip,mods,Alpha\n");
    QCOMPARE(fetch().source, CatalogueFetch::Result::Network);
    QByteArray kept = TestFiles::read(CatalogueFetch::cacheFile());
    if (damage == QLatin1String("flip")) {
        kept[3] = 'X';
        TestFiles::write(CatalogueFetch::cacheFile(), kept);
    } else if (damage == QLatin1String("cut")) {
        TestFiles::write(CatalogueFetch::cacheFile(), kept.left(5));
    } else if (damage == QLatin1String("note")) {
        QVERIFY(QFile::remove(CatalogueFetch::cacheNoteFile()));
    } else {
        QByteArray note = TestFiles::read(CatalogueFetch::cacheNoteFile());
        note.replace("127.0.0.1", "127.0.0.2");
        TestFiles::write(CatalogueFetch::cacheNoteFile(), note);
    }

    // Up: asked for without validators, so the whole list comes again.
    host->clearRequests();
    CatalogueFetch::Result result = fetch();
    QCOMPARE(result.source, CatalogueFetch::Result::Network);
    QVERIFY(host->exchanges().first().ifNoneMatch.isEmpty());
    // Damage it again and take the host away: nothing is shown rather than a damaged list.
    if (damage == QLatin1String("flip")) {
        kept = TestFiles::read(CatalogueFetch::cacheFile());
        kept[3] = 'X';
        TestFiles::write(CatalogueFetch::cacheFile(), kept);
    } else {
        QVERIFY(QFile::remove(CatalogueFetch::cacheNoteFile()));
    }
    host.reset();
    result = fetch();
    QCOMPARE(result.source, CatalogueFetch::Result::Nothing);
    QVERIFY(result.data.isEmpty());
}

void TestCatalogueFetch::oversizedListKeepsTheCopy()
{
    serve("http://h/a.zip,mods,Alpha\n");
    QCOMPARE(fetch().source, CatalogueFetch::Result::Network);
    // Longer than any catalogue may be: refused from its announced length, unread.
    QFile big(site.path() + QStringLiteral("/files/index.dat"));
    QVERIFY(big.open(QIODevice::ReadWrite));
    QVERIFY(big.resize(ServiceEndpoints::catalogueMaximumSize + 1));
    big.close();
    const CatalogueFetch::Result result = fetch();
    QCOMPARE(result.source, CatalogueFetch::Result::Cache);
    QCOMPARE(result.data, QByteArray("http://h/a.zip,mods,Alpha\n"));
    QCOMPARE(result.failure, QStringLiteral("the answer is larger than 64 MiB"));
}

void TestCatalogueFetch::answerThatIsNoListKeepsTheCopy_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("keptBefore");
    QTest::addColumn<QString>("failure"); // %1: the host
    const QString noList = QStringLiteral("the answer from %1 is not a package list");
    const QByteArray login = "<!DOCTYPE html>\n<html><head><title>Welcome, guest</title>\n"
                             "<meta name=\"viewport\" content=\"width=device-width, "
                             "initial-scale=1\"></head>\n<body><form action=\"/login\">Room, "
                             "name</form></body></html>\n";
    QTest::newRow("login page, kept copy") << login << true << noList;
    QTest::newRow("login page, no kept copy") << login << false << noList;
    QTest::newRow("empty body, kept copy") << QByteArray() << true << noList;
    QTest::newRow("empty body, no kept copy") << QByteArray() << false << noList;
    QTest::newRow("only unknown kinds, kept copy")
        << QByteArray("a,b,c\nd,e,f\n") << true << noList;
    // A list sent at 40 bytes a second, under the floor of 1 KiB/s over a second.
    const QString slow = QStringLiteral("%1 is sending the list too slowly (the server sent less "
                                        "than 1 KiB/s for 1 s)");
    QTest::newRow("dripped list, kept copy") << QByteArray(4096, 'x') << true << slow;
    QTest::newRow("dripped list, no kept copy") << QByteArray(4096, 'x') << false << slow;
}

void TestCatalogueFetch::answerThatIsNoListKeepsTheCopy()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, keptBefore);
    QFETCH(QString, failure);
    const QByteArray list = "http://h/a.zip,mods,Alpha\n";
    if (keptBefore) {
        serve(list);
        QCOMPARE(fetch().source, CatalogueFetch::Result::Network);
    }
    const QMap<QString, QByteArray> before = TestFiles::tree(AppPaths::cacheFolder());
    serve(body);
    if (failure.contains(QLatin1String("slowly")))
        host->setThrottle(QStringLiteral("/files/index.dat"), 40);

    const CatalogueFetch::Result result = fetch();
    failure = failure.arg(host->baseUrl().authority());
    QCOMPARE(result.failure, failure);
    QCOMPARE(host->exchanges().last().status, 200);
    if (keptBefore) {
        QCOMPARE(result.source, CatalogueFetch::Result::Cache);
        QCOMPARE(result.data, list);
        QCOMPARE(result.notice(result.cachedAt),
                 QStringLiteral("Showing the package list from less than a minute ago: ") +
                     failure);
    } else {
        QCOMPARE(result.source, CatalogueFetch::Result::Nothing);
        QVERIFY(result.data.isEmpty());
        QCOMPARE(result.notice(QDateTime::currentDateTimeUtc()),
                 QStringLiteral("The package list could not be loaded: ") + failure);
    }
    // Neither the kept copy nor its note is touched.
    QCOMPARE(TestFiles::tree(AppPaths::cacheFolder()), before);
}

void TestCatalogueFetch::cataloguePageSaysWhereTheListCameFrom()
{
    // A line with a local file is never offered.
    serve("http://h/a.zip,mods,Alpha\nfile:///etc/hostname,mods,Local\nhttp://h/b.zip,skin,Beta\n");
    window = std::make_unique<Zerun>();
    QVERIFY(window->initialise());
    auto *status = window->findChild<QLabel *>(QStringLiteral("catalogue_status"));
    auto *retry = window->findChild<QPushButton *>(QStringLiteral("retry_catalogue"));
    const QStringList full{QStringLiteral("Alpha [Mod]"), QStringLiteral("Beta [Skin]")};
    QTRY_COMPARE(shown(), full);
    // The status line counts what is shown, and the line left out.
    QCOMPARE(status->text(), QStringLiteral("2 packages \u00b7 1 line could not be read"));
    QVERIFY(retry->isHidden());

    // Host down: the kept list, and the page says so.
    const QString where = host->baseUrl().authority();
    host.reset();
    window = std::make_unique<Zerun>();
    QVERIFY(window->initialise());
    status = window->findChild<QLabel *>(QStringLiteral("catalogue_status"));
    retry = window->findChild<QPushButton *>(QStringLiteral("retry_catalogue"));
    QTRY_VERIFY(status->text().startsWith("Showing"));
    QCOMPARE(status->text(),
             QStringLiteral("Showing the package list from less than a minute ago: could not "
                            "reach ") +
                 where);
    QCOMPARE(shown(), full);
    QVERIFY(!retry->isHidden());

    // No kept list either: nothing shown, the reason, and a way to try again.
    QVERIFY(QFile::remove(CatalogueFetch::cacheFile()));
    window = std::make_unique<Zerun>();
    QVERIFY(window->initialise());
    status = window->findChild<QLabel *>(QStringLiteral("catalogue_status"));
    retry = window->findChild<QPushButton *>(QStringLiteral("retry_catalogue"));
    QTRY_VERIFY(status->text().startsWith("The package list"));
    QCOMPARE(status->text(),
             QStringLiteral("The package list could not be loaded: could not reach ") + where);
    QVERIFY(shown().isEmpty());
    QVERIFY(!retry->isHidden());

    // The host is back: Try Again shows the list and the notice goes.
    startHost();
    serve("http://h/c.zip,pics,Gamma\n");
    QTest::mouseClick(retry, Qt::LeftButton);
    QTRY_COMPARE(shown(), QStringList{QStringLiteral("Gamma [Pic Pack]")});
    QTRY_COMPARE(status->text(), QStringLiteral("1 package"));
    QVERIFY(retry->isHidden());
}

void TestCatalogueFetch::packedAnswer_data()
{
    QTest::addColumn<QByteArray>("packed");
    QTest::addColumn<bool>("keptBefore");
    QTest::addColumn<QString>("failure");
    const QByteArray list = "http://h/a.zip,mods,Alpha\nhttp://h/b.zip,skin,Beta\n";
    QTest::newRow("a gzip list") << PackedBodies::pack(list) << false << "";
    // About 100 KiB sent, 100 MiB once unpacked: refused before the cap is passed.
    const QByteArray bomb = PackedBodies::pack(list, PackedBodies::Wrapper::Gzip, 100 << 20);
    QTest::newRow("a gzip bomb, kept copy")
        << bomb << true << "the answer is larger than 64 MiB once unpacked";
    QTest::newRow("a gzip bomb, no kept copy")
        << bomb << false << "the answer is larger than 64 MiB once unpacked";
}

void TestCatalogueFetch::packedAnswer()
{
    QFETCH(QByteArray, packed);
    QFETCH(bool, keptBefore);
    QFETCH(QString, failure);
    const QByteArray list = "http://h/a.zip,mods,Alpha\nhttp://h/b.zip,skin,Beta\n";
    const auto answer = [](const QByteArray &body, const QByteArray &coding) -> QByteArray {
        return RawHttpResponder::head(200, {{"Content-Type", "text/plain; charset=utf-8"},
                                            {"Content-Encoding", coding},
                                            {"Content-Length", QByteArray::number(body.size())},
                                            {"Connection", "close"}}) +
               body;
    };
    RawHttpResponder server;
    QVERIFY(server.listen());
    catalogueUrl = server.url(QStringLiteral("/files/index.dat"));
    if (keptBefore) {
        server.setAnswer(answer(list, "identity"));
        QCOMPARE(fetch().source, CatalogueFetch::Result::Network);
    }
    const QMap<QString, QByteArray> before = TestFiles::tree(AppPaths::cacheFolder());
    server.setAnswer(answer(packed, "gzip"));
    const CatalogueFetch::Result result = fetch();
    QVERIFY(server.requestHeads().last().contains("\r\nAccept-Encoding: gzip, deflate\r\n"));
    QCOMPARE(result.failure, failure);
    if (failure.isEmpty()) {
        QCOMPARE(result.source, CatalogueFetch::Result::Network);
        QCOMPARE(result.data, list);
        return;
    }
    QCOMPARE(result.source,
             keptBefore ? CatalogueFetch::Result::Cache : CatalogueFetch::Result::Nothing);
    QCOMPARE(result.data, keptBefore ? list : QByteArray());
    QCOMPARE(result.notice(QDateTime::currentDateTimeUtc()),
             (keptBefore ? QStringLiteral("Showing the package list from less than a minute ago: ")
                         : QStringLiteral("The package list could not be loaded: ")) +
                 failure);
    QCOMPARE(TestFiles::tree(AppPaths::cacheFolder()), before);
}

QTEST_MAIN(TestCatalogueFetch)
#include "tst_cataloguefetch.moc"
