// Daily log records, filter rules, the alert dialog and fatal messages, with the real handler
// writing real files into the test's own profile.
#include "apppaths.h"
#include "framelesswindow.h"
#include "tslogging.h"

#include <QApplication>
#include <QDir>
#include <QErrorMessage>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTextBrowser>
#include <QtTest>

using namespace TsLogging;

namespace {

QDateTime fixedMoment = QDateTime(QDate(2026, 12, 6), QTime(15, 7, 51, 123));

QDateTime fixedClock()
{
    return fixedMoment;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QString todaysFile()
{
    return AppPaths::logsFolder() + QStringLiteral("/061226.txt");
}

} // namespace

class TestTsLogging : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void ruleSets();
    void records_data();
    void records();
    void quotesRemoved_data();
    void quotesRemoved();
    void midnightSplitsFiles();
    void alertDialogKeepsTheFile();
    void alertFromWorkerThread();
    void alertTitles_data();
    void alertTitles();
    void fatalEndsProcess();
    void unwritableFolderLosesRecordOnly();
    void sessionLogViewer();
};

void TestTsLogging::initTestCase()
{
    AppPaths::createFolders();
    QVERIFY(QDir(AppPaths::logsFolder()).exists());
    setClock(fixedClock);
}

void TestTsLogging::init()
{
    QFile::remove(todaysFile());
    fixedMoment = QDateTime(QDate(2026, 12, 6), QTime(15, 7, 51, 123));
    installMessageHandler();
}

void TestTsLogging::cleanupTestCase()
{
    qInstallMessageHandler(nullptr);
    setClock(nullptr);
}

void TestTsLogging::ruleSets()
{
    QCOMPARE(FilterRules::infoRules(),
             QStringLiteral("*.debug=false\n*.warning=false\n*.critical=true\n*.info=true\n"
                            "alert.log.debug=true\nedits.log.debug=true\nstr.log.debug=true"));
    QCOMPARE(FilterRules::warningRuleList().size(), 8);
    QCOMPARE(FilterRules::warningRuleList().at(5), QStringLiteral("ts.log.debug=true"));
    QVERIFY(!FilterRules::warningRules().endsWith(QLatin1Char('\n')));
}

void TestTsLogging::records_data()
{
    QTest::addColumn<bool>("warningSet");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<bool>("written");

    QTest::newRow("I: debug str.log") << false << "debug"
                                      << "str.log" << true;
    QTest::newRow("I: debug edits.log") << false << "debug"
                                        << "edits.log" << true;
    QTest::newRow("I: debug ts.log disabled") << false << "debug"
                                              << "ts.log" << false;
    QTest::newRow("I: debug default disabled") << false << "debug"
                                               << "default" << false;
    QTest::newRow("I: warning default disabled") << false << "warning"
                                                 << "default" << false;
    QTest::newRow("I: warning str.log disabled") << false << "warning"
                                                 << "str.log" << false;
    QTest::newRow("I: info never written") << false << "info"
                                           << "ts.log" << false;
    QTest::newRow("I: critical never written") << false << "critical"
                                               << "str.log" << false;
    QTest::newRow("W: debug ts.log") << true << "debug"
                                     << "ts.log" << true;
    QTest::newRow("W: warning default") << true << "warning"
                                        << "default" << true;
    QTest::newRow("W: info disabled") << true << "info"
                                      << "str.log" << false;
}

void TestTsLogging::records()
{
    QFETCH(bool, warningSet);
    QFETCH(QString, level);
    QFETCH(QString, channel);
    QFETCH(bool, written);

    if (warningSet)
        QLoggingCategory::setFilterRules(FilterRules::warningRules());
    const QString text = QStringLiteral("CMD Line Arguments...");
    if (level == QLatin1String("debug"))
        Log::debug(channel, text);
    else if (level == QLatin1String("warning"))
        Log::warning(channel, text);
    else if (level == QLatin1String("info"))
        Log::info(channel, text);
    else
        Log::critical(channel, text);

    const QByteArray expected =
        written ? QByteArrayLiteral("06-12-26@15:07:51:123 | CMD Line Arguments... \n\n")
                : QByteArray();
    QCOMPARE(readAll(todaysFile()), expected);
}

void TestTsLogging::quotesRemoved_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("textPart");

    QTest::newRow("embedded") << R"(say "hi" to "all")" << QByteArray("say hi to all");
    QTest::newRow("only quotes") << R"("""")" << QByteArray();
    QTest::newRow("non-ascii") << QStringLiteral("Größe") << QByteArray("Größe");
}

void TestTsLogging::quotesRemoved()
{
    QFETCH(QString, message);
    QFETCH(QByteArray, textPart);

    Log::channelDebug(Channel::strName(), message);
    QCOMPARE(readAll(todaysFile()), "06-12-26@15:07:51:123 | " + textPart + " \n\n");
}

void TestTsLogging::midnightSplitsFiles()
{
    const QString before = AppPaths::logsFolder() + QStringLiteral("/311226.txt");
    const QString after = AppPaths::logsFolder() + QStringLiteral("/010127.txt");
    QFile::remove(before);
    QFile::remove(after);

    fixedMoment = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 999));
    Log::debug(Channel::editsName(), QStringLiteral("last of the year"));
    fixedMoment = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0, 1));
    Log::debug(Channel::editsName(), QStringLiteral("first of the year"));

    QCOMPARE(readAll(before), QByteArray("31-12-26@23:59:59:999 | last of the year \n\n"));
    QCOMPARE(readAll(after), QByteArray("01-01-27@00:00:00:001 | first of the year \n\n"));
}

void TestTsLogging::alertDialogKeepsTheFile()
{
    Log::alertDebug(QStringLiteral("first alert"));
    QErrorMessage *dialog = QErrorMessage::qtHandler();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Channel Log: alert.log | Debug"));
    QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!dialog->isVisible());

    // Later messages still reach the file, and the dialog never pops up with them.
    Log::debug(Channel::strName(), QStringLiteral("after the alert"));
    Log::alertDebug(QStringLiteral("second alert"));
    QCOMPARE(readAll(todaysFile()), QByteArray("06-12-26@15:07:51:123 | first alert \n\n"
                                               "06-12-26@15:07:51:123 | after the alert \n\n"
                                               "06-12-26@15:07:51:123 | second alert \n\n"));
    QCoreApplication::processEvents();
    QVERIFY(!dialog->isVisible());
}

void TestTsLogging::alertFromWorkerThread()
{
    QErrorMessage::qtHandler()->setWindowTitle(QString());
    QLoggingCategory::setFilterRules(FilterRules::warningRules());
    QThread *worker =
        QThread::create([] { QMessageLogger().warning(Channel::alert()) << "from a worker"; });
    worker->start();
    QVERIFY(worker->wait(10000));
    delete worker;
    QCOMPARE(readAll(todaysFile()), QByteArray("06-12-26@15:07:51:123 | from a worker \n\n"));
    // The widget is set up by the GUI thread, once it gets back to its event loop.
    QTRY_COMPARE(QErrorMessage::qtHandler()->windowTitle(),
                 QStringLiteral("Channel Log: alert.log | Warning"));
}

void TestTsLogging::alertTitles_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("written");
    QTest::newRow("debug") << "debug"
                           << "Channel Log: alert.log | Debug" << true;
    QTest::newRow("warning") << "warning"
                             << "Channel Log: alert.log | Warning" << true;
    QTest::newRow("critical") << "critical"
                              << "Channel Log: alert.log |" << false;
}

void TestTsLogging::alertTitles()
{
    QFETCH(QString, level);
    QFETCH(QString, title);
    QFETCH(bool, written);

    QLoggingCategory::setFilterRules(FilterRules::warningRules());
    QErrorMessage::qtHandler()->setWindowTitle(QString());
    if (level == QLatin1String("debug"))
        Log::debug(Channel::alertName(), QStringLiteral("alert"));
    else if (level == QLatin1String("warning"))
        Log::warning(Channel::alertName(), QStringLiteral("alert"));
    else
        Log::critical(Channel::alertName(), QStringLiteral("alert"));
    QCOMPARE(QErrorMessage::qtHandler()->windowTitle(), title);
    QCOMPARE(readAll(todaysFile()).isEmpty(), !written);
}

void TestTsLogging::fatalEndsProcess()
{
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--fatal-child")});
    child.start();
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    // The debug record before the fatal one is in the file; the fatal one itself is not.
    QCOMPARE(readAll(todaysFile()), QByteArray("06-12-26@15:07:51:123 | before the end \n\n"));
}

void TestTsLogging::unwritableFolderLosesRecordOnly()
{
    const QString logs = AppPaths::logsFolder();
    const QString aside = logs + QStringLiteral(".aside");
    QVERIFY(QDir().rename(logs, aside));
    Log::debug(Channel::strName(), QStringLiteral("lost"));
    QVERIFY(QDir().rename(aside, logs));
    Log::debug(Channel::strName(), QStringLiteral("kept"));
    QCOMPARE(readAll(todaysFile()), QByteArray("06-12-26@15:07:51:123 | kept \n\n"));
}

void TestTsLogging::sessionLogViewer()
{
    Log::debug(Channel::strName(), QStringLiteral("shown in the viewer"));
    QWidget active;
    active.setGeometry(100, 100, 800, 600);
    active.show();
    QApplication::setActiveWindow(&active);
    QTRY_COMPARE(QApplication::activeWindow(), &active);

    const auto viewers = [] {
        QList<FramelessWindow *> found;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *frame = qobject_cast<FramelessWindow *>(window);
            const QLabel *title =
                frame ? frame->findChild<QLabel *>(QStringLiteral("titleText")) : nullptr;
            if (frame && frame->isVisible() && title && title->text() == "Session Log")
                found << frame;
        }
        return found;
    };
    showSessionLog();
    QCOMPARE(viewers().size(), 1);
    FramelessWindow *viewer = viewers().first();
    QCOMPARE(viewer->size(), QSize(640, 360));
    QCOMPARE(viewer->pos(), QPoint(active.x() + active.width() / 2 - 320,
                                   active.y() + active.height() / 2 - 180 - 60));
    const QTextBrowser *browser = viewer->findChild<QTextBrowser *>();
    QVERIFY(browser);
    QVERIFY(browser->toPlainText().contains(QStringLiteral("shown in the viewer")));

    // Every call opens a window of its own.
    showSessionLog();
    QCOMPARE(viewers().size(), 2);
    for (FramelessWindow *window : viewers())
        window->close();
}

int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tandel Orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("Zerun Installer"));
    if (argc > 1 && qstrcmp(argv[1], "--fatal-child") == 0) {
        QCoreApplication app(argc, argv);
        setClock(fixedClock);
        installMessageHandler();
        Log::debug(Channel::strName(), QStringLiteral("before the end"));
        QMessageLogger().fatal("the end");
        return 0;
    }
    QApplication app(argc, argv);
    TestTsLogging test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tslogging.moc"
