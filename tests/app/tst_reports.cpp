// Long reports through the window: an uninstall that keeps hundreds of files and a verify that
// finds hundreds missing are shown under a one-line summary, in text that scrolls inside the
// window and copies whole; the log keeps a summary and at most 100 file lines. The game folder is
// compared whole, byte for byte.

#include "apppaths.h"
#include "filereport.h"
#include "modalscript.h"
#include "repolist.h"
#include "roadfixture.h"
#include "testfiles.h"
#include "translations.h"
#include "tslogging.h"
#include "widgetlookup.h"
#include "zerun.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QtTest>

namespace {

constexpr int partCount = 600;

QString part(int i)
{
    return QString("bg/part%1.txt").arg(i, 3, 10, QChar('0'));
}

// What a modal report showed.
struct Shown
{
    bool report = false; // a scrolling report, not a message box
    QString summary;
    QString text;
    bool scrolls = false;
    bool insideWindow = false;
    QSize size;
    QString copied;
};

} // namespace

class TestReports : public QObject, public RoadFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void longUninstall_data();
    void longUninstall();
    void longVerify();

private:
    void installNeatSkin();
    void select(const QString &shown);
    // Answers the next modal as a report (or a message box) and records what it showed.
    ModalScript::Step record(Shown *shown);
    // The log's record that starts with `start`, up to the next record.
    static QString logRecord(const QString &start);

    std::unique_ptr<Zerun> window;
};

void TestReports::initTestCase()
{
    installTranslations(QStringLiteral("en"), QStringLiteral(ZERUN_BIN_DIR));
    QCoreApplication::setOrganizationName("Tandel Orvik");
    QCoreApplication::setApplicationName("Zerun Installer");
    AppPaths::createFolders();
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("Info-ZIP zip is needed to make the sample archives");
    TsLogging::installMessageHandler();
}

void TestReports::init()
{
    setUpRoad();
    QMap<QString, QByteArray> files{{"skin.ini", "[skin]\nname=Neat\n"}};
    for (int i = 0; i < partCount; ++i)
        files.insert(part(i), "background part " + QByteArray::number(i));
    makePackage("neatskin.zip", files);
    serveCatalogue(standardCatalogue());
    QFile::remove(AppPaths::dailyLogFile());
}

void TestReports::cleanup()
{
    window.reset();
    tearDownRoad();
}

void TestReports::installNeatSkin()
{
    window = std::make_unique<Zerun>();
    QVERIFY(window->initialise());
    window->resize(900, 600);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(repoList(*window)->count(), 3);
    select("Neat Skin [Skin]");
    QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);
    ModalScript script({ModalScript::acceptText("NeatSkin")});
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 30000);
    QVERIFY(script.finished());
    QTest::mouseClick(child<QPushButton>(*window, "back"), Qt::LeftButton);
}

void TestReports::select(const QString &shown)
{
    child<QStackedWidget>(*window, "stackedWidget")->setCurrentIndex(0);
    const RepoList repo = repoList(*window);
    repo->setCurrentItem(repo->findItems(shown, Qt::MatchExactly).first());
}

ModalScript::Step TestReports::record(Shown *shown)
{
    return [this, shown](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            shown->text = box->text();
            box->accept();
            return;
        }
        shown->report = true;
        shown->summary = child<QLabel>(*modal, "report_summary")->text();
        auto *text = child<QPlainTextEdit>(*modal, "report_text");
        shown->text = text->toPlainText();
        shown->scrolls = text->verticalScrollBar()->maximum() > 0;
        const QRect inside(window->mapToGlobal(QPoint(0, 0)), window->size());
        shown->insideWindow = inside.contains(modal->frameGeometry());
        shown->size = modal->size();
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(child<QPushButton>(*modal, "copy_report"), Qt::LeftButton);
        shown->copied = QGuiApplication::clipboard()->text();
        qobject_cast<QDialog *>(modal)->reject();
    };
}

QString TestReports::logRecord(const QString &start)
{
    const QString log = QString::fromUtf8(TestFiles::read(AppPaths::dailyLogFile()));
    const int at = log.indexOf(start);
    if (at < 0)
        return QString();
    // Records end with a blank and two line feeds; file lines never hold that.
    const int end = log.indexOf(" \n\n", at);
    return log.mid(at, end < 0 ? -1 : end - at);
}

void TestReports::longUninstall_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("heading");
    QTest::newRow("600 files the player changed")
        << "changed"
        << "Uninstalled Neat Skin from Skins/NeatSkin. 600 files kept, listed below."
        << "Kept, because you changed them:";
    QTest::newRow("600 files that cannot be removed")
        << "immutable"
        << "Could not remove 600 of the files of Neat Skin from Skins/NeatSkin; they stay recorded."
        << "Could not remove (they stay recorded):";
}

void TestReports::longUninstall()
{
    QFETCH(QString, cause);
    QFETCH(QString, summary);
    QFETCH(QString, heading);
    installNeatSkin();
    const QString folder = game("Skins/NeatSkin/bg");
    if (cause == "changed") {
        for (int i = 0; i < partCount; ++i)
            TestFiles::write(game("Skins/NeatSkin/" + part(i)), "edited by the player");
    } else if (QProcess::execute("chattr", {"+i", folder}) != 0) {
        QSKIP("chattr +i is needed to make files that cannot be removed");
    }
    QMap<QString, QByteArray> expected = TestFiles::tree(game());
    expected.remove("Skins/NeatSkin/skin.ini");

    Shown shown;
    ModalScript script({ModalScript::clickButton("Uninstall"), record(&shown)});
    select("Neat Skin [Skin]");
    QTest::mouseClick(child<QPushButton>(*window, "uninstall_package"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 30000);
    const QMap<QString, QByteArray> after = TestFiles::tree(game());
    if (cause == "immutable")
        QProcess::execute("chattr", {"-i", folder});
    QCOMPARE(script.unexpected(), 0);

    // Only the package's unchanged skin.ini went; the rest is as it was, byte for byte.
    QCOMPARE(after, expected);
    QVERIFY(shown.report);
    QCOMPARE(shown.summary, summary);
    const QStringList lines = shown.text.split('\n');
    QCOMPARE(lines.size(), 1 + partCount);
    QCOMPARE(lines.first(), heading);
    QVERIFY2(lines.at(1).startsWith("    bg/part000.txt"), qPrintable(lines.at(1)));
    QVERIFY(shown.scrolls);
    QVERIFY(shown.insideWindow);
    QCOMPARE(shown.copied, summary + "\n\n" + shown.text);

    // The log: the summary, 100 file lines and a count of the rest.
    const QString logged = logRecord(summary.section(';', 0, 0).section('.', 0, 0));
    QVERIFY2(!logged.isEmpty(), TestFiles::read(AppPaths::dailyLogFile()).right(2000).constData());
    QCOMPARE(logged.split('\n').filter(QRegularExpression("^    bg/")).size(), 100);
    QVERIFY2(logged.endsWith("... and 500 more files (600 in all)"), qPrintable(logged.right(200)));
    QVERIFY(logged.size() < 16 * 1024);
}

void TestReports::longVerify()
{
    installNeatSkin();
    // A small window: the report is made smaller to stay inside it.
    window->resize(window->minimumSizeHint().expandedTo(QSize(560, 400)));
    for (int i = 0; i < partCount; i += 2)
        QVERIFY(QFile::remove(game("Skins/NeatSkin/" + part(i))));
    const QMap<QString, QByteArray> before = TestFiles::tree(game());

    Shown shown;
    ModalScript script({record(&shown)});
    select("Neat Skin [Skin]");
    QTest::mouseClick(child<QPushButton>(*window, "verify_package"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 30000);
    QCOMPARE(script.unexpected(), 0);
    QCOMPARE(TestFiles::tree(game()), before);
    QVERIFY(shown.report);
    QCOMPARE(shown.summary, QString("Neat Skin: 300 missing"));
    const QStringList lines = shown.text.split('\n');
    QCOMPARE(lines.mid(0, 3), (QStringList{"Neat Skin (Skins/NeatSkin): 300 missing",
                                           "Missing:", "    bg/part000.txt"}));
    QCOMPARE(lines.size(), 2 + partCount / 2);
    QVERIFY(shown.scrolls);
    QVERIFY(shown.insideWindow);
    if (window->height() < 520)
        QVERIFY2(shown.size.height() < window->height(),
                 qPrintable(QString("%1 in %2").arg(shown.size.height()).arg(window->height())));

    const QString logged = logRecord("Verify: Neat Skin: 300 missing");
    QCOMPARE(logged.split('\n').filter(QRegularExpression("^    bg/")).size(), 100);
    QVERIFY2(logged.endsWith("... and 200 more files (300 in all)"), qPrintable(logged.right(200)));
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
