// Daily log records, filter rules, the alert dialog and fatal messages, with the real handler
// writing real files into the test's own profile.
#include "apppaths.h"
#include "framelesswindow.h"
#include "logwindows.h"
#include "startup.h"
#include "tslogging.h"

#include <QApplication>
#include <QDir>
#include <QErrorMessage>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace TsLogging;

namespace {

QDateTime fixedMoment = QDateTime(QDate(2026, 12, 6), QTime(15, 7, 51, 123));

// A thread may keep a moment of its own.
thread_local QDateTime threadMoment;

QDateTime fixedClock()
{
    return threadMoment.isValid() ? threadMoment : fixedMoment;
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
    void withoutWindowsOnlyTheFile();
    void stamps_data();
    void stamps();
    void recordsOfManyThreadsNeverMix();
    void fileReopenedWhenGoneUnderneath_data();
    void fileReopenedWhenGoneUnderneath();
    void nothingLostWhenProcessEndsAbruptly();
};

void TestTsLogging::initTestCase()
{
    // As start-up does: the log gets its windows from the window layer.
    LogWindows::install();
    AppPaths::createFolders();
    QVERIFY(QDir(AppPaths::logsFolder()).exists());
    setClock(fixedClock);
}

void TestTsLogging::init()
{
    closeDailyLog();
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
    Log::debug(Channel::strName(), QStringLiteral("<b>goldskin</b> from the host"));
    QWidget active;
    active.setGeometry(40, 40, 720, 520);
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
    // Centred on the window the player works in (which lies on the screen, as the panel must).
    QCOMPARE(viewer->frameGeometry().center(), active.frameGeometry().center());
    const QTextBrowser *browser = viewer->findChild<QTextBrowser *>();
    QVERIFY(browser);
    QVERIFY(browser->toPlainText().contains(QStringLiteral("shown in the viewer")));
    // Markup in the log shows as typed.
    QVERIFY(browser->toPlainText().contains(QStringLiteral("<b>goldskin</b> from the host")));
    QCOMPARE(viewer->palette().color(QPalette::Window), QColor(53, 53, 53));

    // Every call opens a window of its own.
    showSessionLog();
    QCOMPARE(viewers().size(), 2);
    for (FramelessWindow *window : viewers())
        window->close();
}

// Until the window layer hands over its windows, the log writes its file and nothing else: no
// alert dialog is prepared, no viewer opens.
void TestTsLogging::withoutWindowsOnlyTheFile()
{
    setAlertPresenter({});
    setSessionLogViewer({});
    int presented = 0;
    Log::alertDebug(QStringLiteral("alert with no dialog"));
    showSessionLog();
    QCoreApplication::processEvents();
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    QCOMPARE(readAll(todaysFile()),
             QByteArray("06-12-26@15:07:51:123 | alert with no dialog \n\n"));

    // A presenter gets the title on this thread, at once.
    setAlertPresenter([&presented](const QString &title) {
        QCOMPARE(title, QStringLiteral("Channel Log: alert.log | Debug"));
        ++presented;
    });
    Log::alertDebug(QStringLiteral("presented"));
    QCOMPARE(presented, 1);
    LogWindows::install();
}

void TestTsLogging::stamps_data()
{
    QTest::addColumn<QDateTime>("first");
    QTest::addColumn<QDateTime>("second");
    QTest::addColumn<QByteArray>("stamps");

    const QDate day(2026, 12, 6);
    QTest::newRow("same millisecond")
        << QDateTime(day, QTime(15, 7, 51, 123)) << QDateTime(day, QTime(15, 7, 51, 123))
        << QByteArray("06-12-26@15:07:51:123 06-12-26@15:07:51:123");
    QTest::newRow("same second") << QDateTime(day, QTime(15, 7, 51, 5))
                                 << QDateTime(day, QTime(15, 7, 51, 999))
                                 << QByteArray("06-12-26@15:07:51:005 06-12-26@15:07:51:999");
    QTest::newRow("next second") << QDateTime(day, QTime(15, 7, 51, 999))
                                 << QDateTime(day, QTime(15, 7, 52, 0))
                                 << QByteArray("06-12-26@15:07:51:999 06-12-26@15:07:52:000");
    QTest::newRow("next hour") << QDateTime(day, QTime(15, 59, 59, 999))
                               << QDateTime(day, QTime(16, 0, 0, 40))
                               << QByteArray("06-12-26@15:59:59:999 06-12-26@16:00:00:040");
    QTest::newRow("back in time") << QDateTime(day, QTime(16, 0, 0, 40))
                                  << QDateTime(day, QTime(15, 7, 51, 123))
                                  << QByteArray("06-12-26@16:00:00:040 06-12-26@15:07:51:123");
}

void TestTsLogging::stamps()
{
    QFETCH(QDateTime, first);
    QFETCH(QDateTime, second);
    QFETCH(QByteArray, stamps);

    fixedMoment = first;
    Log::debug(Channel::strName(), QStringLiteral("one"));
    fixedMoment = second;
    Log::debug(Channel::strName(), QStringLiteral("two"));
    const QList<QByteArray> expected = stamps.split(' ');
    QCOMPARE(readAll(todaysFile()),
             expected.at(0) + " | one \n\n" + expected.at(1) + " | two \n\n");
}

void TestTsLogging::recordsOfManyThreadsNeverMix()
{
    // Long records from several threads at once, each thread in a second of its own: each record
    // must come out whole, with its own thread's stamp, and each thread's records in the order it
    // wrote them.
    constexpr int threads = 4;
    constexpr int perThread = 4000;
    std::atomic<int> ready{0};
    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(QThread::create([t, &ready] {
            // All start together.
            ++ready;
            while (ready.load() < threads)
                QThread::yieldCurrentThread();
            threadMoment = QDateTime(QDate(2026, 12, 6), QTime(15, 7, 50 + t, 100 + t));
            for (int i = 0; i < perThread; ++i)
                Log::debug(Channel::editsName(),
                           QStringLiteral("thread %1 record %2 %3")
                               .arg(t)
                               .arg(i)
                               .arg(QString((i * 37) % 1000, QLatin1Char('x'))));
        }));
    }
    for (const auto &worker : workers)
        worker->start();
    for (const auto &worker : workers)
        QVERIFY(worker->wait(120000));

    const QByteArray all = readAll(todaysFile());
    QVERIFY(all.endsWith(" \n\n"));
    const QList<QByteArray> records = all.left(all.size() - 3).split('\n');
    const QRegularExpression shape(
        QStringLiteral("^06-12-26@15:07:5(\\d):10(\\d) \\| thread (\\d) record (\\d+) (x*) ?$"));
    int next[threads] = {};
    int count = 0;
    for (int r = 0; r < records.size(); ++r) {
        // Records are separated by an empty line.
        if (r % 2 == 1) {
            QVERIFY2(records.at(r).isEmpty(), records.at(r).left(80).constData());
            continue;
        }
        const QRegularExpressionMatch match = shape.match(QString::fromLatin1(records.at(r)));
        QVERIFY2(match.hasMatch(), records.at(r).left(80).constData());
        const int t = match.captured(3).toInt();
        const int i = match.captured(4).toInt();
        QCOMPARE(match.captured(1).toInt(), t);
        QCOMPARE(match.captured(2).toInt(), t);
        QCOMPARE(i, next[t]);
        QCOMPARE(match.captured(5).size(), (i * 37) % 1000);
        ++next[t];
        ++count;
    }
    QCOMPARE(count, threads * perThread);
}

void TestTsLogging::fileReopenedWhenGoneUnderneath_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QByteArray>("before");

    QTest::newRow("removed") << "remove" << QByteArray();
    QTest::newRow("moved away") << "move" << QByteArray();
    QTest::newRow("replaced") << "replace" << QByteArray("another file\n");
    QTest::newRow("logs folder emptied") << "empty" << QByteArray();
}

void TestTsLogging::fileReopenedWhenGoneUnderneath()
{
    QFETCH(QString, change);
    QFETCH(QByteArray, before);

    Log::debug(Channel::strName(), QStringLiteral("first"));
    QCOMPARE(readAll(todaysFile()), QByteArray("06-12-26@15:07:51:123 | first \n\n"));

    const QString aside = AppPaths::logsFolder() + QStringLiteral("/aside.txt");
    QFile::remove(aside);
    if (change == QLatin1String("remove")) {
        QVERIFY(QFile::remove(todaysFile()));
    } else if (change == QLatin1String("move")) {
        QVERIFY(QFile::rename(todaysFile(), aside));
    } else if (change == QLatin1String("replace")) {
        QFile other(aside);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write(before);
        other.close();
        QVERIFY(::rename(QFile::encodeName(aside).constData(),
                         QFile::encodeName(todaysFile()).constData()) == 0);
    } else {
        AppPaths::clearLogFiles(AppPaths::logsFolder());
    }
    // The path is looked at again once the check interval has passed.
    QThread::msleep(dailyLogCheckInterval * 3);
    Log::debug(Channel::strName(), QStringLiteral("second"));
    QCOMPARE(readAll(todaysFile()), before + "06-12-26@15:07:51:123 | second \n\n");
    if (change == QLatin1String("move"))
        QCOMPARE(readAll(aside), QByteArray("06-12-26@15:07:51:123 | first \n\n"));
    QFile::remove(aside);
}

void TestTsLogging::nothingLostWhenProcessEndsAbruptly()
{
    // The child logs and ends at once, without any clean-up: every record must be in the file.
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--abrupt-child")});
    child.start();
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 3);
    const QList<QByteArray> records = readAll(todaysFile()).split('\n');
    QCOMPARE(records.size(), 2 * 500 + 1);
    QCOMPARE(records.at(2 * 499), QByteArray("06-12-26@15:07:51:123 | record 499 "));
}

int main(int argc, char **argv)
{
    setInstallerIdentity();
    if (argc > 1 && qstrcmp(argv[1], "--abrupt-child") == 0) {
        QCoreApplication app(argc, argv);
        setClock(fixedClock);
        installMessageHandler();
        for (int i = 0; i < 500; ++i)
            Log::debug(Channel::strName(), QStringLiteral("record %1").arg(i));
        std::_Exit(3);
    }
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
