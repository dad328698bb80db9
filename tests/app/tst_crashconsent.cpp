// The question after a crash: a real report archive in the logs folder, real widgets, and the
// local package host's upload endpoint. Nothing goes out without a yes, and nothing is asked or
// sent twice.
#include "apppaths.h"
#include "crashreportconsent.h"
#include "dialoghost.h"
#include "framelesswindow.h"
#include "packagehost.h"
#include "serviceendpoints.h"
#include "shownpixels.h"
#include "startup.h"
#include "stringutility.h"
#include "testfiles.h"
#include "tsbreakpad.h"
#include "tscompression.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString summaryLine =
    QStringLiteral("Crash Dump attached. Crash occured at Mon Dec 7 10:00:00 2026.");

// The time the host gets to show an upload that should not come.
constexpr int quietMs = 1500;

} // namespace

class TestCrashConsent : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void answers_data();
    void answers();
    void nothingToAsk_data();
    void nothingToAsk();
    void contentsShownOnRequest();
    void frameKeptWithContents();
    void newerReportIsAskedAbout();
    // Last: the translation stays installed.

private:
    // A report archive as the crash helper writes it, modified `age` seconds ago.
    QString writeReport(const QString &id, int age = 0);

    QTemporaryDir root;
    std::unique_ptr<PackageHost> host;
    std::unique_ptr<QWidget> window;
};

void TestCrashConsent::initTestCase()
{
    qRegisterMetaType<CrashReportConsent::Choice>();
    QVERIFY(root.isValid());
    host = std::make_unique<PackageHost>(root.path());
    QVERIFY(host->start());
    qputenv(ServiceEndpoints::serviceHostVariable().toLatin1().constData(),
            host->baseUrl().toString().toLatin1());
}

void TestCrashConsent::init()
{
    QDir(AppPaths::logsFolder()).removeRecursively();
    QDir(AppPaths::preferencesFolder()).removeRecursively();
    AppPaths::createFolders();
    host->clearUploads();
    window = std::make_unique<QWidget>();
    window->resize(800, 480);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestCrashConsent::cleanup()
{
    window.reset();
}

QString TestCrashConsent::writeReport(const QString &id, int age)
{
    const QString logs = AppPaths::logsFolder();
    TestFiles::write(logs + QStringLiteral("/071226.txt"), "07-12-26@10:00:00:000 | x \n\n");
    StringUtility::writeTextFile(logs + QStringLiteral("/summary.dat"), summaryLine);
    TestFiles::write(logs + QLatin1Char('/') + id + QStringLiteral(".dmp"), "MDMP");
    const QString archive = logs + QLatin1Char('/') + id + QStringLiteral(".zip");
    if (!TsCompression::zipFiles(archive, {logs + QStringLiteral("/071226.txt"),
                                           logs + QStringLiteral("/summary.dat"),
                                           logs + QLatin1Char('/') + id + QStringLiteral(".dmp")}))
        return QString();
    QFile file(archive);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(-age), QFileDevice::FileModificationTime);
    return archive;
}

void TestCrashConsent::answers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("sent");
    QTest::newRow("send") << "crashReportSend" << true;
    QTest::newRow("don't send") << "crashReportDontSend" << false;
    QTest::newRow("closed without an answer") << "" << false;
}

void TestCrashConsent::answers()
{
    QFETCH(QString, button);
    QFETCH(bool, sent);
    const QString archive = writeReport(QStringLiteral("first"));
    QVERIFY(!archive.isEmpty());
    QCOMPARE(CrashReportConsent::pendingReport(), archive);

    TsBreakpad uploader;
    {
        CrashReportConsent consent(uploader);
        QSignalSpy answered(&consent, &CrashReportConsent::answered);
        QVERIFY(consent.askIfPending(window.get()));
        FramelessWindow *panel = consent.panel();
        QVERIFY(panel);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->parentWidget(), window.get());
        QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("crashReportQuestion"))->text(),
                 QStringLiteral("Zerun Installer closed unexpectedly last time. Send the crash "
                                "report to help fix it?"));
        // Asked once only, however often start-up asks.
        QVERIFY(!consent.askIfPending(window.get()));

        if (button.isEmpty())
            panel->close();
        else
            QTest::mouseClick(panel->findChild<QPushButton *>(button), Qt::LeftButton);
        QTRY_COMPARE(answered.count(), 1);
        QCOMPARE(answered.first().first().value<CrashReportConsent::Choice>(),
                 sent ? CrashReportConsent::Choice::Sent : CrashReportConsent::Choice::Declined);
        QTRY_VERIFY(!consent.panel());
    }

    if (sent) {
        QTRY_COMPARE_WITH_TIMEOUT(host->uploads().size(), 1, 30000);
        const PackageHost::Upload upload = host->uploads().first();
        QCOMPARE(upload.parts.value(1).filename, QStringLiteral("first.zip"));
        QVERIFY(upload.parts.value(1).content == TestFiles::read(archive));
    }
    QTest::qWait(quietMs);
    QCOMPARE(host->uploads().size(), sent ? 1 : 0);

    // The answer is kept in the profile: the next start asks nothing and sends nothing.
    QCOMPARE(CrashReportConsent::choiceFor(QStringLiteral("first.zip")),
             sent ? CrashReportConsent::Choice::Sent : CrashReportConsent::Choice::Declined);
    QVERIFY(CrashReportConsent::pendingReport().isEmpty());
    CrashReportConsent again(uploader);
    QVERIFY(!again.askIfPending(window.get()));
    QVERIFY(!again.panel());
    again.send(); // no question open: nothing to agree to
    QTest::qWait(quietMs);
    QCOMPARE(host->uploads().size(), sent ? 1 : 0);
    QVERIFY(QFile::exists(archive));
}

void TestCrashConsent::nothingToAsk_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::newRow("empty logs folder") << QStringList();
    QTest::newRow("dump without report") << QStringList{"abc.dmp", "summary.dat", "071226.txt"};
}

void TestCrashConsent::nothingToAsk()
{
    QFETCH(QStringList, files);
    for (const QString &name : files)
        TestFiles::write(AppPaths::logsFolder() + QLatin1Char('/') + name, "x");
    TsBreakpad uploader;
    CrashReportConsent consent(uploader);
    QVERIFY(!consent.askIfPending(window.get()));
    QVERIFY(!consent.panel());
    QTest::qWait(quietMs);
    QVERIFY(host->uploads().isEmpty());
}

void TestCrashConsent::contentsShownOnRequest()
{
    const QString archive = writeReport(QStringLiteral("shown"));
    QCOMPARE(CrashReportConsent::reportEntries(archive),
             (QStringList{"071226.txt", "summary.dat", "shown.dmp"}));
    QCOMPARE(CrashReportConsent::reportSummary(archive), summaryLine);

    TsBreakpad uploader;
    CrashReportConsent consent(uploader);
    QVERIFY(consent.askIfPending(window.get()));
    auto *contents =
        consent.panel()->findChild<QPlainTextEdit *>(QStringLiteral("crashReportContents"));
    QVERIFY(contents);
    QVERIFY(!contents->isVisible());
    QTest::mouseClick(consent.panel()->findChild<QPushButton *>(QStringLiteral("crashReportShow")),
                      Qt::LeftButton);
    QVERIFY(contents->isVisible());
    const QString text = contents->toPlainText();
    for (const QString &part : {QStringLiteral("071226.txt"), QStringLiteral("summary.dat"),
                                QStringLiteral("shown.dmp"), summaryLine})
        QVERIFY2(text.contains(part), qPrintable(text));
    // Looking is not agreeing.
    QTest::qWait(quietMs);
    QVERIFY(host->uploads().isEmpty());
    QCOMPARE(CrashReportConsent::choiceFor(QStringLiteral("shown.zip")),
             CrashReportConsent::Choice::None);
}

// The question over the installer's frame, as start-up shows it, with the focus in the frame:
// shown or hidden, the contents take their room from the question's text, and the title bar
// stays in place, on screen and drawn.
void TestCrashConsent::frameKeptWithContents()
{
    writeReport(QStringLiteral("framed"));
    FramelessWindow frame;
    QWidget mainWindow;
    frame.setContent(&mainWindow, false);
    frame.resize(640, 480);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.findChild<QWidget *>(QStringLiteral("closeButton"))->setFocus();
    TsBreakpad uploader;
    CrashReportConsent consent(uploader);
    QVERIFY(consent.askIfPending(&frame));
    FramelessWindow *panel = consent.panel();
    QVERIFY(QTest::qWaitForWindowExposed(panel->window()));
    auto *titleBar = panel->findChild<QWidget *>(QStringLiteral("windowTitlebar"));
    const QRect titleGeometry = titleBar->geometry();
    QCoreApplication::processEvents();
    // The title's icon and text: the window buttons' corner is drawn again as the focus moves.
    auto *titleText = panel->findChild<QWidget *>(QStringLiteral("titleText"));
    auto *icon = panel->findChild<QWidget *>(QStringLiteral("icon"));
    QVERIFY(titleText && icon);
    const QImage drawnText = shownPixels(*titleText);
    const QImage drawnIcon = shownPixels(*icon);
    QVERIFY(!drawnText.isNull() && !drawnIcon.isNull());

    auto *contents = panel->findChild<QPlainTextEdit *>(QStringLiteral("crashReportContents"));
    // Centred over the frame's panel, inside it.
    const QSize size = panel->size();
    QVERIFY(DialogHost::insideOf(&frame).contains(panel->geometry()));
    QVERIFY(qAbs(panel->geometry().center().x() - frame.geometry().center().x()) <= 1);
    for (const bool shown : {true, false}) {
        QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("crashReportShow")),
                          Qt::LeftButton);
        QCOMPARE(contents->isVisible(), shown);
        QCOMPARE(panel->size(), size);
        QVERIFY(panel->layout()->totalMinimumSize().height() <= panel->height());
        QCOMPARE(titleBar->geometry(), titleGeometry);
        QVERIFY(frame.screen()->availableGeometry().contains(
            QRect(titleBar->mapToGlobal(QPoint(0, 0)), titleBar->size())));
        QTRY_COMPARE(shownPixels(*titleText), drawnText);
        QCOMPARE(shownPixels(*icon), drawnIcon);
    }
}

void TestCrashConsent::newerReportIsAskedAbout()
{
    writeReport(QStringLiteral("older"), 120);
    TsBreakpad uploader;
    {
        CrashReportConsent consent(uploader);
        QVERIFY(consent.askIfPending(window.get()));
        consent.decline();
    }
    // A later crash leaves a newer report: that one is asked about, and sending it sends it.
    const QString newer = writeReport(QStringLiteral("newer"));
    CrashReportConsent consent(uploader);
    QVERIFY(consent.askIfPending(window.get()));
    QCOMPARE(consent.report(), newer);
    consent.send();
    QTRY_COMPARE_WITH_TIMEOUT(host->uploads().size(), 1, 30000);
    QCOMPARE(host->uploads().first().parts.value(1).filename, QStringLiteral("newer.zip"));
    QCOMPARE(CrashReportConsent::choiceFor(QStringLiteral("older.zip")),
             CrashReportConsent::Choice::Declined);
    QCOMPARE(CrashReportConsent::choiceFor(QStringLiteral("newer.zip")),
             CrashReportConsent::Choice::Sent);
}

// The question as a German-speaking player meets it: no English source phrase left.
int main(int argc, char **argv)
{
    setInstallerIdentity();
    QApplication app(argc, argv);
    TestCrashConsent test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashconsent.moc"
