#include "apppaths.h"
#include "serviceendpoints.h"
#include "testprofile.h"
#include "tsxml.h"

#include <QtTest>

class TestServiceEndpoints : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void defaultsStayUnderExampleDomain();
    void environmentOverrides_data();
    void environmentOverrides();
    void unusableValuesFallBack_data();
    void unusableValuesFallBack();
    void preferencesBelowEnvironment_data();
    void preferencesBelowEnvironment();
    void webUrls_data();
    void webUrls();

private:
    static void clearVariables();
    TestProfile profile;
};

void TestServiceEndpoints::clearVariables()
{
    qunsetenv("ZERUN_CATALOGUE_HOST");
    qunsetenv("ZERUN_SERVICE_HOST");
}

void TestServiceEndpoints::init()
{
    clearVariables();
    AppPaths::createFolders();
    QFile::remove(TsXML::filePath(TsXML::Preferences, ServiceEndpoints::catalogueHostKey()));
    QFile::remove(TsXML::filePath(TsXML::Preferences, ServiceEndpoints::serviceHostKey()));
}

void TestServiceEndpoints::cleanup()
{
    clearVariables();
}

void TestServiceEndpoints::defaultsStayUnderExampleDomain()
{
    const QList<QUrl> urls{ServiceEndpoints::catalogueUrl(), ServiceEndpoints::versionFileUrl(),
                           ServiceEndpoints::installerUrl(), ServiceEndpoints::crashUploadUrl()};
    for (const QUrl &url : urls) {
        QVERIFY2(url.host().endsWith(QLatin1String(".example")), qPrintable(url.toString()));
        QCOMPARE(url.scheme(), QStringLiteral("http"));
    }
    QVERIFY(ServiceEndpoints::catalogueUrl().host() != ServiceEndpoints::versionFileUrl().host());
    QCOMPARE(ServiceEndpoints::catalogueUrl().path(), QStringLiteral("/files/index.dat"));
    QCOMPARE(ServiceEndpoints::versionFileUrl().path(), QStringLiteral("/files/rudoduvururu.dat"));
    QCOMPARE(ServiceEndpoints::installerUrl().path(), QStringLiteral("/files/RudOduvururu.exe"));
    QCOMPARE(ServiceEndpoints::crashUploadUrl().path(), QStringLiteral("/matrix/upload.php"));
}

void TestServiceEndpoints::environmentOverrides_data()
{
    QTest::addColumn<QString>("catalogueBase");
    QTest::addColumn<QString>("serviceBase");
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("installer");
    QTest::addColumn<QString>("upload");

    QTest::newRow("both local") << "http://127.0.0.1:8080"
                                << "http://127.0.0.1:8081"
                                << "http://127.0.0.1:8080/files/index.dat"
                                << "http://127.0.0.1:8081/files/rudoduvururu.dat"
                                << "http://127.0.0.1:8081/files/RudOduvururu.exe"
                                << "http://127.0.0.1:8081/matrix/upload.php";
    QTest::newRow("https and trailing slash") << "https://cat.test/"
                                              << "https://svc.test:8443/"
                                              << "https://cat.test/files/index.dat"
                                              << "https://svc.test:8443/files/rudoduvururu.dat"
                                              << "https://svc.test:8443/files/RudOduvururu.exe"
                                              << "https://svc.test:8443/matrix/upload.php";
    QTest::newRow("base with a path") << "http://localhost:9000/mirror"
                                      << "http://localhost:9000/svc/"
                                      << "http://localhost:9000/mirror/files/index.dat"
                                      << "http://localhost:9000/svc/files/rudoduvururu.dat"
                                      << "http://localhost:9000/svc/files/RudOduvururu.exe"
                                      << "http://localhost:9000/svc/matrix/upload.php";
    QTest::newRow("only the catalogue")
        << "http://127.0.0.1:1234" << QString() << "http://127.0.0.1:1234/files/index.dat"
        << "http://service.zerun.example/files/rudoduvururu.dat"
        << "http://service.zerun.example/files/RudOduvururu.exe"
        << "http://service.zerun.example/matrix/upload.php";
}

void TestServiceEndpoints::environmentOverrides()
{
    QFETCH(QString, catalogueBase);
    QFETCH(QString, serviceBase);
    QFETCH(QString, catalogue);
    QFETCH(QString, version);
    QFETCH(QString, installer);
    QFETCH(QString, upload);
    if (!catalogueBase.isNull())
        qputenv("ZERUN_CATALOGUE_HOST", catalogueBase.toUtf8());
    if (!serviceBase.isNull())
        qputenv("ZERUN_SERVICE_HOST", serviceBase.toUtf8());

    QCOMPARE(ServiceEndpoints::catalogueUrl().toString(), catalogue);
    QCOMPARE(ServiceEndpoints::versionFileUrl().toString(), version);
    QCOMPARE(ServiceEndpoints::installerUrl().toString(), installer);
    QCOMPARE(ServiceEndpoints::crashUploadUrl().toString(), upload);
}

void TestServiceEndpoints::unusableValuesFallBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << "";
    QTest::newRow("no scheme") << "127.0.0.1:8080";
    QTest::newRow("other scheme") << "ftp://127.0.0.1/";
    QTest::newRow("file") << "file:///etc/passwd";
    QTest::newRow("no host") << "http://";
    QTest::newRow("garbage") << "http://exa mple:99999";
}

void TestServiceEndpoints::unusableValuesFallBack()
{
    QFETCH(QString, value);
    qputenv("ZERUN_CATALOGUE_HOST", value.toUtf8());
    qputenv("ZERUN_SERVICE_HOST", value.toUtf8());
    QCOMPARE(ServiceEndpoints::catalogueHost(), ServiceEndpoints::defaultCatalogueHost());
    QCOMPARE(ServiceEndpoints::serviceHost(), ServiceEndpoints::defaultServiceHost());
}

void TestServiceEndpoints::preferencesBelowEnvironment_data()
{
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("preference");
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<bool>("logged");

    QTest::newRow("preference alone") << QString() << "http://127.0.0.1:7000"
                                      << "http://127.0.0.1:7000/files/index.dat" << false;
    QTest::newRow("environment wins") << "http://127.0.0.1:8000"
                                      << "http://127.0.0.1:7000"
                                      << "http://127.0.0.1:8000/files/index.dat" << false;
    QTest::newRow("bad environment, good preference") << "file:///etc"
                                                      << "https://cat.test/"
                                                      << "https://cat.test/files/index.dat" << true;
    QTest::newRow("bad preference") << QString() << "ftp://cat.test/"
                                    << "http://catalogue.zerun.example/files/index.dat" << true;
    QTest::newRow("neither") << QString() << QString()
                             << "http://catalogue.zerun.example/files/index.dat" << false;
}

void TestServiceEndpoints::preferencesBelowEnvironment()
{
    QFETCH(QString, environment);
    QFETCH(QString, preference);
    QFETCH(QString, catalogue);
    QFETCH(bool, logged);
    if (!environment.isNull())
        qputenv("ZERUN_CATALOGUE_HOST", environment.toUtf8());
    if (!preference.isNull())
        TsXML::save(TsXML::Preferences, ServiceEndpoints::catalogueHostKey(), preference);
    // A rejected value is a debug record of a channel that the handler writes to the file.
    QStringList records;
    static QStringList *sink = nullptr;
    sink = &records;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (type == QtDebugMsg && QByteArray(context.category) == "str.log")
                sink->append(text);
        });
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\nstr.log.debug=true"));
    const QString url = ServiceEndpoints::catalogueUrl().toString();
    qInstallMessageHandler(previous);
    QCOMPARE(url, catalogue);
    QCOMPARE(!records.isEmpty(), logged);
    if (logged)
        QVERIFY2(records.first().contains(QLatin1String("not an http or https base URL")),
                 qPrintable(records.first()));
}

void TestServiceEndpoints::webUrls_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("web");
    QTest::newRow("http") << "http://h/a.zip" << true;
    QTest::newRow("https") << "HTTPS://h/a.zip" << true;
    QTest::newRow("file") << "file:///etc/hostname" << false;
    QTest::newRow("file with host") << "file://server/share/a.zip" << false;
    QTest::newRow("no host") << "http:///a.zip" << false;
    QTest::newRow("relative") << "/files/a.zip" << false;
    QTest::newRow("ftp") << "ftp://h/a.zip" << false;
    QTest::newRow("data") << "data:text/plain,hi" << false;
}

void TestServiceEndpoints::webUrls()
{
    QFETCH(QString, url);
    QFETCH(bool, web);
    QCOMPARE(ServiceEndpoints::isWebUrl(QUrl(url)), web);
}

QTEST_GUILESS_MAIN(TestServiceEndpoints)
#include "tst_serviceendpoints.moc"
