#include "apppaths.h"
#include "framelesswindow.h"
#include "logwindows.h"
#include "startup.h"
#include "stringutility.h"
#include "tslogging.h"

#include <QApplication>
#include <QDir>
#include <QErrorMessage>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>

namespace {

// The viewer on screen, if any.
FramelessWindow *shownViewer()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *frame = qobject_cast<FramelessWindow *>(window); frame && frame->isVisible())
            return frame;
    }
    return nullptr;
}

} // namespace

// The log's windows on their own, and their handing over to the log.
class TestLogWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sessionLogWindow();
    void todaysLog_data();
    void todaysLog();
    void alertDialog();
    void installHandsThemToTheLog();
};

void TestLogWindows::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
    TsLogging::installMessageHandler();
}

void TestLogWindows::sessionLogWindow()
{
    LogWindows::showSessionLog(QStringLiteral("first\n<i>second</i>"));
    FramelessWindow *viewer = shownViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->findChild<QLabel *>(QStringLiteral("titleText"))->text(),
             QStringLiteral("Session Log"));
    QCOMPARE(viewer->size(), QSize(640, 360));
    QCOMPARE(viewer->findChild<QTextBrowser *>()->toPlainText(),
             QStringLiteral("first\n<i>second</i>"));
    QVERIFY(viewer->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!viewer->testAttribute(Qt::WA_TranslucentBackground));
    // Esc closes it, as every panel.
    QTest::keyClick(viewer, Qt::Key_Escape);
    QVERIFY(!viewer->isVisible());
}

void TestLogWindows::todaysLog_data()
{
    // What the day's file holds ("(none)": there is none, "(folder)": a folder in its place),
    // and what the viewer shows, %1 standing for the file's path.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("shown");
    const QString written = QStringLiteral(
        "01-03-26@09:00:00:000 | Batch: Neat [Skin]: installed \n\n<b>as typed</b>\n");
    const QString nothingYet = QStringLiteral(
        "Nothing has been written to today's log yet. It will be kept in this file:\n%1");
    QTest::newRow("written") << written << written;
    QTest::newRow("nothing written yet") << "(none)" << nothingYet;
    QTest::newRow("empty") << "" << nothingYet;
    QTest::newRow("cannot be read")
        << "(folder)"
        << "Today's log could not be read. Check that this file can be opened:\n%1";
}

void TestLogWindows::todaysLog()
{
    QFETCH(QString, file);
    QFETCH(QString, shown);
    // A day of its own, whose file no record reaches meanwhile.
    TsLogging::setClock([] { return QDateTime(QDate(2026, 3, 1), QTime(9, 30)); });
    const QString path = TsLogging::dailyLogFileFor(TsLogging::now());
    QFile::remove(path);
    QDir(path).removeRecursively();
    if (file == "(folder)")
        QVERIFY(QDir().mkpath(path));
    else if (file != "(none)")
        QVERIFY(StringUtility::writeTextFile(path, file));

    LogWindows::showTodaysLog();
    TsLogging::setClock(nullptr);
    FramelessWindow *viewer = shownViewer();
    QVERIFY(viewer);
    QCOMPARE(viewer->findChild<QTextBrowser *>()->toPlainText(),
             shown.replace(QLatin1String("%1"), QDir::toNativeSeparators(path)));
    viewer->close();
}

void TestLogWindows::alertDialog()
{
    LogWindows::configureAlertDialog(QStringLiteral("Channel Log: alert.log | Warning"));
    QErrorMessage *dialog = QErrorMessage::qtHandler();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Channel Log: alert.log | Warning"));
    QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!dialog->isVisible());
    // The log's handler is back in place: a message still goes to the daily file.
    const QString marker = QStringLiteral("still written after the alert dialog");
    TsLogging::Log::debug(TsLogging::Channel::strName(), marker);
    QFile file(AppPaths::dailyLogFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains(marker.toUtf8()));
}

void TestLogWindows::installHandsThemToTheLog()
{
    QErrorMessage::qtHandler()->setWindowTitle(QString());
    LogWindows::install();
    TsLogging::Log::alertDebug(QStringLiteral("alert"));
    QCOMPARE(QErrorMessage::qtHandler()->windowTitle(),
             QStringLiteral("Channel Log: alert.log | Debug"));
    TsLogging::showSessionLog();
    int viewers = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        viewers += qobject_cast<FramelessWindow *>(window) && window->isVisible();
    QCOMPARE(viewers, 1);
}

QTEST_MAIN(TestLogWindows)
#include "tst_logwindows.moc"
