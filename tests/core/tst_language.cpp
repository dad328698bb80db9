#include "apppaths.h"
#include "startup.h"
#include "testprofile.h"
#include "tsxml.h"

#include <QtTest>

// Runs with the system locale pt_BR (set in the environment by the test's registration).
class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void systemLanguageWithoutData();
    void systemLanguageWithData();
    void storedLanguageWins_data();
    void storedLanguageWins();
    void setCurrentLanguage();
    void hasLanguageData();

private:
    void addLanguageFile(const QString &code);

    std::unique_ptr<TestProfile> profile;
    QString workingFolder;
};

void TestLanguage::initTestCase()
{
    if (QLocale::system().name() != QLatin1String("pt_BR"))
        QSKIP("needs the system locale pt_BR (LC_ALL=pt_BR.UTF-8)");
    setInstallerIdentity();
    workingFolder = QDir::currentPath();
}

void TestLanguage::init()
{
    profile = std::make_unique<TestProfile>();
    QVERIFY(profile->isValid());
    QVERIFY(QDir().mkpath(AppPaths::cacheFolder()));
    // Language files are looked up in the working folder.
    QVERIFY(QDir::setCurrent(profile->home()));
}

void TestLanguage::cleanup()
{
    QDir::setCurrent(workingFolder);
    profile.reset();
}

void TestLanguage::addLanguageFile(const QString &code)
{
    QVERIFY(QDir().mkpath(profile->home() + QStringLiteral("/languages")));
    QFile file(profile->home() + QStringLiteral("/languages/") + code + QStringLiteral(".qm"));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void TestLanguage::systemLanguageWithoutData()
{
    QCOMPARE(AppPaths::currentLanguage(), QStringLiteral("en"));
    QVERIFY(!QFile::exists(AppPaths::currentLanguageFile()));
}

void TestLanguage::systemLanguageWithData()
{
    addLanguageFile(QStringLiteral("pt"));
    QCOMPARE(AppPaths::currentLanguage(), QStringLiteral("pt"));
    // Found, not chosen: nothing is stored.
    QVERIFY(!QFile::exists(AppPaths::currentLanguageFile()));
    // The first start keeps the language it starts in, and a stored one wins after that.
    QCOMPARE(AppPaths::startLanguage(), QStringLiteral("pt"));
    QCOMPARE(TsXML::load(TsXML::Cache, QStringLiteral("current_language")), QStringLiteral("pt"));
    AppPaths::setCurrentLanguage(QStringLiteral("de"));
    QCOMPARE(AppPaths::startLanguage(), QStringLiteral("de"));
}

void TestLanguage::storedLanguageWins_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("language");
    const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    QTest::newRow("stored") << declaration + "<data>de</data>\n"
                            << "de";
    QTest::newRow("empty value") << declaration + "<data></data>\n"
                                 << "";
    QTest::newRow("unreadable") << QByteArray("garbage") << "";
}

void TestLanguage::storedLanguageWins()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, language);
    addLanguageFile(QStringLiteral("pt"));
    QFile file(AppPaths::currentLanguageFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QCOMPARE(AppPaths::currentLanguage(), language);
}

void TestLanguage::setCurrentLanguage()
{
    AppPaths::setCurrentLanguage(QStringLiteral("fr"));
    QCOMPARE(AppPaths::currentLanguage(), QStringLiteral("fr"));
    QCOMPARE(TsXML::load(TsXML::Cache, QStringLiteral("current_language")), QStringLiteral("fr"));
}

void TestLanguage::hasLanguageData()
{
    QVERIFY(!AppPaths::hasLanguageData(QStringLiteral("pt")));
    addLanguageFile(QStringLiteral("pt"));
    QVERIFY(AppPaths::hasLanguageData(QStringLiteral("pt")));
    QVERIFY(!AppPaths::hasLanguageData(QStringLiteral("es")));
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
