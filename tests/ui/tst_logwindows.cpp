#include "apppaths.h"
#include "framelesswindow.h"
#include "logwindows.h"
#include "startup.h"
#include "tslogging.h"

#include <QApplication>
#include <QErrorMessage>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>

// The log's windows on their own, and their handing over to the log.
class TestLogWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sessionLogWindow();
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
    FramelessWindow *viewer = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *frame = qobject_cast<FramelessWindow *>(window); frame && frame->isVisible())
            viewer = frame;
    }
    QVERIFY(viewer);
    QCOMPARE(viewer->findChild<QLabel *>(QStringLiteral("titleText"))->text(),
             QStringLiteral("Session Log"));
    QCOMPARE(viewer->size(), QSize(640, 360));
    QCOMPARE(viewer->findChild<QTextBrowser *>()->toPlainText(),
             QStringLiteral("first\n<i>second</i>"));
    QVERIFY(viewer->testAttribute(Qt::WA_DeleteOnClose));
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
