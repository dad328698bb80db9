// The update check against the local package host, with the real downloader, dialog and message
// panel; the browser action is replaced so that the test sees the address it would open.
#include "apppaths.h"
#include "dialoghost.h"
#include "framelesswindow.h"
#include "packagehost.h"
#include "packedbodies.h"
#include "rawhttpresponder.h"
#include "serviceendpoints.h"
#include "startup.h"
#include "tsdownloader.h"
#include "updatecheck.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void versionFile_data();
    void versionFile();
    void skippedBuild_data();
    void skippedBuild();
    void offerWithoutWindows();
    void buttons_data();
    void buttons();
    void dialogInsideActiveWindow();
    void dialogInsideMainWindowWhenNoneIsActive();
    void identity();
    void packedVersionFile_data();
    void packedVersionFile();

private:
    // What the offer says and opens on this system: the installer program on Windows, the
    // service's site elsewhere.
    QString offerText(const QString &version) const;
    static QString downloadButtonText();
    QUrl downloadUrl() const;
    void check(const QByteArray &versionFile, bool explicitCheck);
    static QWidget *updateDialog();
    static QWidget *latestVersionMessage();

    QTemporaryDir root;
    std::unique_ptr<PackageHost> host;
    QList<QUrl> opened;
};

void TestUpdateCheck::initTestCase()
{
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("files")));
    host = std::make_unique<PackageHost>(root.path());
    QVERIFY(host->start());
    qputenv(ServiceEndpoints::serviceHostVariable().toLatin1().constData(),
            host->baseUrl().toString().toLatin1());
    setBrowserAction([this](const QUrl &url) { opened << url; });
    // As start-up does: the update dialog comes from the window layer.
    installWindowHooks();
}

void TestUpdateCheck::cleanup()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    opened.clear();
    AppPaths::setSkippedBuild(0);
}

QString TestUpdateCheck::offerText(const QString &version) const
{
#ifdef Q_OS_WIN
    return version.isEmpty() ? QStringLiteral("A new version is available.")
                             : QStringLiteral("Version %1 is available.").arg(version);
#else
    const QString site = host->url(QStringLiteral("/")).toDisplayString();
    return version.isEmpty()
               ? QStringLiteral("A new version is available on the service's site, %1.").arg(site)
               : QStringLiteral("Version %1 is available on the service's site, %2.")
                     .arg(version, site);
#endif
}

QString TestUpdateCheck::downloadButtonText()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Download in External Browser");
#else
    return QStringLiteral("Open the Site in the Browser");
#endif
}

QUrl TestUpdateCheck::downloadUrl() const
{
#ifdef Q_OS_WIN
    return host->url(QStringLiteral("/files/RudOduvururu.exe"));
#else
    // The service host's base URL: never the Windows installer program.
    return host->url(QStringLiteral("/"));
#endif
}

QWidget *TestUpdateCheck::updateDialog()
{
    // A child of the window that was active when the version file arrived, or a window of its
    // own when none was.
    for (QWidget *window : QApplication::allWidgets()) {
        if (window->isVisible() && window->objectName() == QLatin1String("updateDialog"))
            return window;
    }
    return nullptr;
}

QWidget *TestUpdateCheck::latestVersionMessage()
{
    for (QWidget *window : QApplication::allWidgets()) {
        if (!window->isVisible() || !qobject_cast<FramelessWindow *>(window))
            continue;
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (label->text() == QLatin1String("You currently have the latest version."))
                return window;
        }
    }
    return nullptr;
}

// Serves the version file, runs the check and waits until its handler has run.
void TestUpdateCheck::check(const QByteArray &versionFile, bool explicitCheck)
{
    QFile file(root.filePath(QStringLiteral("files/rudoduvururu.dat")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(versionFile);
    file.close();

    checkForUpdates(explicitCheck);
    const QList<TsDownloader *> downloaders =
        qApp->findChildren<TsDownloader *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(!downloaders.isEmpty());
    // The handler is connected before this spy, so it has run when the spy sees the signal.
    QSignalSpy arrived(downloaders.last(), &TsDownloader::downloaded);
    QVERIFY(arrived.wait(20000));
}

void TestUpdateCheck::versionFile_data()
{
    QTest::addColumn<QByteArray>("versionFile");
    QTest::addColumn<bool>("explicitCheck");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<bool>("message");

    const QByteArray newer("722\nv1.0.12\nFixes|New packages");
    QTest::newRow("newer, silent") << newer << false << true << "Fixes\nNew packages" << false;
    QTest::newRow("newer, explicit") << newer << true << true << "Fixes\nNew packages" << false;
    QTest::newRow("same, silent") << QByteArray("721\nv1.0.11\nx") << false << false << "" << false;
    QTest::newRow("same, explicit") << QByteArray("721\nv1.0.11\nx") << true << false << "" << true;
    QTest::newRow("older, silent") << QByteArray("720\nv1.0.10\n") << false << false << "" << false;
    QTest::newRow("older, explicit") << QByteArray("720\nv1.0.10\n") << true << false << "" << true;
    QTest::newRow("one line") << QByteArray("800") << false << true << "" << false;
    QTest::newRow("not a number") << QByteArray("latest\nv9\nno") << true << false << "" << true;
    // Notes from the host are text, never markup: tags, links and images show as typed.
    QTest::newRow("markup in the notes")
        << QByteArray("722\nv1.0.12\n<b>Bold</b>|<a href=\"http://example.com\">link</a>|"
                      "<img src=\"file:///etc/hostname\">&amp;")
        << false << true
        << "<b>Bold</b>\n<a href=\"http://example.com\">link</a>\n<img "
           "src=\"file:///etc/hostname\">&amp;"
        << false;
    QTest::newRow("CRLF line ends") << QByteArray("722\r\nv1.0.12\r\nFixes|More\r\n") << false
                                    << true << "Fixes\nMore" << false;
}

// The dialog names the version offered; a skipped build, or an older one, is passed over by the
// silent check at start-up but offered by an explicit check.
void TestUpdateCheck::skippedBuild_data()
{
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QByteArray>("versionFile");
    QTest::addColumn<bool>("explicitCheck");
    QTest::addColumn<QString>("versionText"); // empty: no dialog

    const QByteArray build722("722\nv1.0.12\nFixes");
    const QString offered722 = offerText(QStringLiteral("v1.0.12"));
    QTest::newRow("newer, none skipped") << 0 << build722 << false << offered722;
    QTest::newRow("skipped, at start-up") << 722 << build722 << false << "";
    QTest::newRow("skipped, explicit") << 722 << build722 << true << offered722;
    QTest::newRow("newer than the skipped") << 722 << QByteArray("723\r\nv1.0.13\r\nMore\r\n")
                                            << false << offerText(QStringLiteral("v1.0.13"));
    QTest::newRow("older than the skipped") << 723 << build722 << false << "";
    QTest::newRow("no version line") << 0 << QByteArray("800") << false << offerText(QString());
}

void TestUpdateCheck::skippedBuild()
{
    QFETCH(int, skipped);
    QFETCH(QByteArray, versionFile);
    QFETCH(bool, explicitCheck);
    QFETCH(QString, versionText);

    AppPaths::setSkippedBuild(skipped);
    check(versionFile, explicitCheck);
    const QWidget *shown = updateDialog();
    QCOMPARE(shown ? shown->findChild<QLabel *>(QStringLiteral("versionText"))->text() : QString(),
             versionText);
    QVERIFY(!latestVersionMessage());
}

// Below the window layer the check only reports: the offer gets the notes of a newer build,
// once, and without an offer nothing is shown at all.
void TestUpdateCheck::offerWithoutWindows()
{
    QStringList offered;
    setUpdateOffer([&offered](const OfferedBuild &build) { offered << build.notes; });
    check("722\nv1.0.12\nFixes|New packages", false);
    QCOMPARE(offered, QStringList{QStringLiteral("Fixes\nNew packages")});
    check("721\nv1.0.11\nx", false);
    QCOMPARE(offered.size(), 1);

    setUpdateOffer({});
    check("722\nv1.0.12\nFixes", false);
    QVERIFY(!updateDialog());
    QCOMPARE(offered.size(), 1);
    installWindowHooks();
}

void TestUpdateCheck::versionFile()
{
    QFETCH(QByteArray, versionFile);
    QFETCH(bool, explicitCheck);
    QFETCH(bool, dialog);
    QFETCH(QString, notes);
    QFETCH(bool, message);

    check(versionFile, explicitCheck);
    QWidget *shown = updateDialog();
    QCOMPARE(shown != nullptr, dialog);
    QCOMPARE(latestVersionMessage() != nullptr, message);
    if (shown) {
        QCOMPARE(shown->size(), QSize(640, 360));
        const QTextBrowser *browser = shown->findChild<QTextBrowser *>();
        QVERIFY(browser);
        QCOMPARE(browser->toPlainText(), notes);
    }
    QVERIFY(opened.isEmpty());
}

void TestUpdateCheck::buttons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("opensBrowser");
    QTest::addColumn<int>("skipped");
    QTest::newRow("download") << downloadButtonText() << true << 0;
    QTest::newRow("cancel") << "Cancel" << false << 0;
    QTest::newRow("skip") << "Skip This Version" << false << 722;
}

void TestUpdateCheck::buttons()
{
    QFETCH(QString, button);
    QFETCH(bool, opensBrowser);
    QFETCH(int, skipped);

    check("722\nv1.0.12\nFixes", false);
    QPointer<QWidget> dialog = updateDialog();
    QVERIFY(dialog);
    QPushButton *target = nullptr;
    for (QPushButton *candidate : dialog->findChildren<QPushButton *>()) {
        if (candidate->text() == button)
            target = candidate;
    }
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton);
    QTRY_VERIFY(!dialog || !dialog->isVisible());
    // Closing hides the dialog; it is kept, not deleted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(dialog);
    if (opensBrowser)
        QCOMPARE(opened, QList<QUrl>{downloadUrl()});
    else
        QVERIFY(opened.isEmpty());
    QCOMPARE(AppPaths::skippedBuild(), skipped);
}

void TestUpdateCheck::dialogInsideActiveWindow()
{
    QWidget window;
    window.resize(700, 500);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    check("722\nv1.0.12\nFixes", false);
    QWidget *dialog = updateDialog();
    QVERIFY(dialog);
    // A window of its own above the window, in its middle, in the dark look even without the
    // application style.
    QCOMPARE(dialog->parentWidget(), &window);
    QVERIFY(dialog->isWindow());
    QCOMPARE(dialog->geometry(),
             QRect(window.mapToGlobal(QPoint(350 - 320, 250 - 180)), QSize(640, 360)));
    QCOMPARE(dialog->palette().color(QPalette::Window), QColor(53, 53, 53));
    QCOMPARE(dialog->palette().color(QPalette::Highlight), QColor(252, 205, 63));
    QCOMPARE(dialog->styleSheet(), DialogHost::darkStyleSheet());
}

void TestUpdateCheck::dialogInsideMainWindowWhenNoneIsActive()
{
    // The version file may arrive while the main window is not active, or while another dialog
    // is: the update dialog still goes into the main window.
    QWidget window;
    window.setGeometry(20, 20, 700, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QDialog prompt(&window);
    prompt.show();
    prompt.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&prompt));

    check("722\nv1.0.12\nFixes", false);
    QWidget *dialog = updateDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->parentWidget(), &window);
    QCOMPARE(dialog->pos(), window.mapToGlobal(QPoint(350 - 320, 250 - 180)));
    prompt.close();

    QApplication::setActiveWindow(nullptr);
    dialog->close();
    check("722\nv1.0.12\nFixes", false);
    dialog = updateDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->parentWidget(), &window);
}

void TestUpdateCheck::identity()
{
    QCOMPARE(buildNumber(), QStringLiteral("721"));
    QCOMPARE(versionLabel(), QStringLiteral("Zerun Installer v1.0.11a721"));
}

void TestUpdateCheck::packedVersionFile_data()
{
    QTest::addColumn<QByteArray>("packed");
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QString>("failure");
    const QByteArray newer("722\nv1.0.12\nFixes|New packages");
    QTest::newRow("a gzip version file") << PackedBodies::pack(newer) << true << "";
    // A few kilobytes sent, 8 MiB once unpacked, against a limit of 1 MiB.
    QTest::newRow("a gzip bomb") << PackedBodies::pack(newer, PackedBodies::Wrapper::Gzip, 8 << 20)
                                 << false << "the answer is larger than 1 MiB once unpacked";
}

void TestUpdateCheck::packedVersionFile()
{
    QFETCH(QByteArray, packed);
    QFETCH(bool, dialog);
    QFETCH(QString, failure);
    RawHttpResponder server;
    QVERIFY(server.listen());
    server.setAnswer(
        RawHttpResponder::head(200, {{"Content-Encoding", "gzip"},
                                     {"Content-Length", QByteArray::number(packed.size())},
                                     {"Connection", "close"}}) +
        packed);
    const QByteArray variable = ServiceEndpoints::serviceHostVariable().toLatin1();
    qputenv(variable.constData(), server.url(QString()).toString().toLatin1());
    checkForUpdates(false);
    qputenv(variable.constData(), host->baseUrl().toString().toLatin1());
    TsDownloader *downloader =
        qApp->findChildren<TsDownloader *>(QString(), Qt::FindDirectChildrenOnly).last();
    QSignalSpy arrived(downloader, &TsDownloader::downloaded);
    QSignalSpy failed(downloader, &TsDownloader::failed);
    QTRY_VERIFY_WITH_TIMEOUT(arrived.count() + failed.count() == 1, 20000);
    QVERIFY(server.requestHeads().value(0).startsWith("GET /files/rudoduvururu.dat "));
    QCOMPARE(downloader->errorString(), failure);
    QWidget *shown = updateDialog();
    QCOMPARE(shown != nullptr, dialog);
    if (shown)
        QCOMPARE(shown->findChild<QTextBrowser *>()->toPlainText(), QString("Fixes\nNew packages"));
}

int main(int argc, char **argv)
{
    setInstallerIdentity();
    QApplication app(argc, argv);
    AppPaths::createFolders();
    TestUpdateCheck test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_updatecheck.moc"
