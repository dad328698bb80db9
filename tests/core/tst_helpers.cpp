// Argument reader, text files, file lists and screenshots, on real files.
#include "apppaths.h"
#include "commandline.h"
#include "startup.h"
#include "stringutility.h"
#include "tslogging.h"
#include "tsscreenshot.h"
#include "tsstringlist.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

class TestHelpers : public QObject
{
    Q_OBJECT

private slots:
    void valueByName_data();
    void valueByName();
    void valueAt_data();
    void valueAt();
    void argumentsLogged();

    void writeReplacesLongerFile();
    void readMissingFileIsEmpty();
    void writeIntoMissingFolderFails();

    void filesWithSuffix();
    void filesWithSuffixIn();

    void screenshotName();
    void twoGrabsInOneSecondWriteOneFile();
    void noActiveWindowNoScreenshot();
};

// The process runs with: <program> skin=light plain a=b=c
void TestHelpers::valueByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("skin") << "skin"
                          << "light";
    QTest::newRow("second part of a=b=c") << "a="
                                          << "b";
    QTest::newRow("no equals sign") << "plain"
                                    << "";
    QTest::newRow("absent") << "colour"
                            << "";
    QTest::newRow("case-sensitive") << "SKIN"
                                    << "";
}

void TestHelpers::valueByName()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QCOMPARE(CommandLine::value(name), value);
}

void TestHelpers::valueAt_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("value");
    QTest::newRow("program path") << 0 << "";
    QTest::newRow("skin=light") << 1 << "light";
    QTest::newRow("plain") << 2 << "";
    QTest::newRow("a=b=c") << 3 << "b";
    QTest::newRow("past the end") << 4 << "";
    QTest::newRow("negative") << -1 << "";
}

void TestHelpers::valueAt()
{
    QFETCH(int, index);
    QFETCH(QString, value);
    QCOMPARE(CommandLine::argumentCount(), 4);
    QCOMPARE(CommandLine::valueAt(index), value);
}

void TestHelpers::argumentsLogged()
{
    TsLogging::installMessageHandler();
    const QString log = AppPaths::dailyLogFile();
    QFile::remove(log);
    CommandLine::logArguments();
    qInstallMessageHandler(nullptr);

    const QString content = StringUtility::readTextFile(log);
    QVERIFY(content.contains(QStringLiteral(" | CMD Line Arguments... \n\n")));
    QVERIFY(content.contains(QStringLiteral("\nskin=light\nplain\na=b=c \n\n")));
}

void TestHelpers::writeReplacesLongerFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.txt"));
    QVERIFY(StringUtility::writeTextFile(path, QStringLiteral("a much longer first text")));
    QVERIFY(StringUtility::writeTextFile(path, QStringLiteral("short")));
    QCOMPARE(StringUtility::readTextFile(path), QStringLiteral("short"));
    QCOMPARE(QFileInfo(path).size(), 5);
}

void TestHelpers::readMissingFileIsEmpty()
{
    QTemporaryDir dir;
    QCOMPARE(StringUtility::readTextFile(dir.filePath(QStringLiteral("none.txt"))), QString());
}

void TestHelpers::writeIntoMissingFolderFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/text.txt"));
    QVERIFY(!StringUtility::writeTextFile(path, QStringLiteral("x")));
    QVERIFY(!QFile::exists(path));
}

static void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

void TestHelpers::filesWithSuffix()
{
    QTemporaryDir dir;
    for (const char *name : {"c.txt", "b.xml.bak", "a.xml"})
        touch(dir.filePath(QString::fromLatin1(name)));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.xml")));
    QCOMPARE(TsStringList::filesWithSuffix(dir.path(), QStringLiteral(".xml")),
             QStringList({QStringLiteral("a"), QStringLiteral("b.xml")}));
}

void TestHelpers::filesWithSuffixIn()
{
    QTemporaryDir first;
    QTemporaryDir second;
    touch(first.filePath(QStringLiteral("z.css")));
    touch(second.filePath(QStringLiteral("a.css")));
    QCOMPARE(TsStringList::filesWithSuffixIn({first.path(), second.path()}, QStringLiteral(".css")),
             QStringList({QStringLiteral("z"), QStringLiteral("a")}));
}

void TestHelpers::screenshotName()
{
    const QString before = QDateTime::currentDateTime().toString(Qt::ISODate).remove(':');
    const QString name = TsScreenshot::fileName();
    const QString after = QDateTime::currentDateTime().toString(Qt::ISODate).remove(':');
    QVERIFY(name == '/' + before + ".png" || name == '/' + after + ".png");
    QVERIFY(QRegularExpression(QStringLiteral("^/\\d{4}-\\d\\d-\\d\\dT\\d{6}\\.png$"))
                .match(name)
                .hasMatch());
}

void TestHelpers::twoGrabsInOneSecondWriteOneFile()
{
    QDir().mkpath(AppPaths::screenshotsFolder());
    QLabel label(QStringLiteral("screenshot"));
    label.resize(120, 40);
    // Retry when the clock ticks over between the two grabs.
    for (int attempt = 0; attempt < 5; ++attempt) {
        QDir(AppPaths::screenshotsFolder()).removeRecursively();
        QDir().mkpath(AppPaths::screenshotsFolder());
        const QString name = TsScreenshot::fileName();
        TsScreenshot::grabWidget(&label);
        TsScreenshot::grabWidget(&label);
        if (TsScreenshot::fileName() != name)
            continue;
        const QStringList files = QDir(AppPaths::screenshotsFolder()).entryList(QDir::Files);
        QCOMPARE(files, QStringList(name.mid(1)));
        QCOMPARE(QImage(AppPaths::screenshotsFolder() + name).size(), QSize(120, 40));
        return;
    }
    QFAIL("the clock kept moving");
}

void TestHelpers::noActiveWindowNoScreenshot()
{
    QTemporaryDir dir;
    QVERIFY(!QApplication::activeWindow());
    QCOMPARE(TsScreenshot::grabActiveWindowTo(dir.path()), QString());
    QVERIFY(QDir(dir.path()).isEmpty());
}

int main(int argc, char **argv)
{
    setInstallerIdentity();
    AppPaths::createFolders();
    QByteArray skin("skin=light"), plain("plain"), abc("a=b=c");
    char *appArgv[] = {argv[0], skin.data(), plain.data(), abc.data(), nullptr};
    int appArgc = 4;
    QApplication app(appArgc, appArgv);
    TestHelpers test;
    // The arguments above are the ones under test; the test runner gets the real ones.
    return QTest::qExec(&test, argc, argv);
}

#include "tst_helpers.moc"
