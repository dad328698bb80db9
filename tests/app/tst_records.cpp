// The records of installed packages through the window, when they cannot be trusted: a database
// another program keeps locked at start. The game folder is compared whole, byte for byte.

#include "apppaths.h"
#include "installedpackages.h"
#include "modalscript.h"
#include "roadfixture.h"
#include "testfiles.h"
#include "translations.h"
#include "tslogging.h"
#include "widgetlookup.h"
#include "zerun.h"

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>

class TestRecords : public QObject, public RoadFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lockedAtStart();

private:
    void openWindow();
    // Installs Neat Skin into Skins/NeatSkin through the window, which is then closed.
    void installNeatSkin();
    int markOfNeatSkin() const;
    QString status() const { return child<QLabel>(*window, "catalogue_status")->text(); }
    // Presses Uninstall for Neat Skin and confirms; what the window then tells.
    QString uninstallNeatSkin();

    std::unique_ptr<Zerun> window;
};

void TestRecords::initTestCase()
{
    installTranslations(QStringLiteral("en"), QStringLiteral(ZERUN_BIN_DIR));
    QCoreApplication::setOrganizationName("Tandel Orvik");
    QCoreApplication::setApplicationName("Zerun Installer");
    AppPaths::createFolders();
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("Info-ZIP zip is needed to make the sample archives");
    TsLogging::installMessageHandler();
}

void TestRecords::init()
{
    setUpRoad();
    serveCatalogue(standardCatalogue());
}

void TestRecords::cleanup()
{
    window.reset();
    tearDownRoad();
}

void TestRecords::openWindow()
{
    window = std::make_unique<Zerun>();
    ModalScript none({});
    QVERIFY(window->initialise());
    QCOMPARE(none.unexpected(), 0);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_COMPARE(child<QListWidget>(*window, "repo_list")->count(), 3);
}

void TestRecords::installNeatSkin()
{
    openWindow();
    auto *repo = child<QListWidget>(*window, "repo_list");
    repo->setCurrentItem(repo->findItems("Neat Skin [Skin]", Qt::MatchExactly).first());
    QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);
    ModalScript script({ModalScript::acceptText("NeatSkin")});
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 20000);
    QVERIFY(script.finished());
    QCOMPARE(TestFiles::read(game("Skins/NeatSkin/skin.ini")), QByteArray("[skin]\nname=Neat\n"));
    window.reset();
}

int TestRecords::markOfNeatSkin() const
{
    const QList<QListWidgetItem *> found =
        child<QListWidget>(*window, "repo_list")->findItems("Neat Skin [Skin]", Qt::MatchExactly);
    return found.isEmpty() ? -1 : found.first()->data(Zerun::markRole).toInt();
}

QString TestRecords::uninstallNeatSkin()
{
    child<QStackedWidget>(*window, "stackedWidget")->setCurrentIndex(0);
    auto *repo = child<QListWidget>(*window, "repo_list");
    repo->setCurrentItem(repo->findItems("Neat Skin [Skin]", Qt::MatchExactly).first());
    QString told;
    ModalScript script({ModalScript::clickButton("Uninstall"), [&told](QWidget *modal) {
                            if (auto *box = qobject_cast<QMessageBox *>(modal))
                                told = box->text();
                            qobject_cast<QDialog *>(modal)->accept();
                        }});
    QTest::mouseClick(child<QPushButton>(*window, "uninstall_package"), Qt::LeftButton);
    [&] { QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 20000); }();
    return told;
}

void TestRecords::lockedAtStart()
{
    const QMap<QString, QByteArray> bare = TestFiles::tree(game());
    installNeatSkin();
    const QMap<QString, QByteArray> installed = TestFiles::tree(game());
    const QString database = InstalledPackages::defaultPath();
    const QByteArray bytes = TestFiles::read(database);

    // Another program holds the records to itself for longer than the start waits.
    QProcess holder;
    holder.start(QString(ZERUN_BIN_DIR) + "/zerun-test-record", {database, "hold", "9000"});
    QVERIFY(holder.waitForStarted());
    QVERIFY(holder.waitForReadyRead(30000));
    QCOMPARE(holder.readLine(), QByteArray("locked\n"));
    openWindow();
    QVERIFY2(status().contains("in use by another program"), qPrintable(status()));
    QCOMPARE(markOfNeatSkin(), int(Zerun::NotInstalled));
    QVERIFY(holder.waitForFinished(30000));
    QCOMPARE(holder.exitCode(), 0);
    window.reset();
    // Kept as it was, never set aside as damaged; the game folder untouched.
    QCOMPARE(QDir(AppPaths::cacheFolder()).entryList({"installed_packages.db*"}, QDir::Files),
             QStringList{"installed_packages.db"});
    QCOMPARE(TestFiles::read(database), bytes);
    QCOMPARE(TestFiles::tree(game()), installed);

    // The next start reads them: the package is installed and its uninstall takes it all.
    openWindow();
    QVERIFY2(!status().contains("in use"), qPrintable(status()));
    QCOMPARE(markOfNeatSkin(), int(Zerun::Installed));
    const QString told = uninstallNeatSkin();
    QVERIFY2(told.startsWith("Uninstalled Neat Skin"), qPrintable(told));
    QCOMPARE(TestFiles::tree(game()), bare);
}

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
