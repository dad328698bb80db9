#include "apppaths.h"
#include "gamefolderpage.h"
#include "modalscript.h"
#include "startup.h"
#include "widgetlookup.h"

#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The first-start page, as the player meets it when the game was not found.
class TestGameFolderPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsTheQuestionAndThePlaces();
    void browse_data();
    void browse();
    void quit();
};

void TestGameFolderPage::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
}

void TestGameFolderPage::showsTheQuestionAndThePlaces()
{
    GameFolderPage page({{"/home/player/.wine/", "Wine"}, {"/mnt/Steam/", "Steam"}},
                        "/home/player");
    QCOMPARE(child<QLabel>(page, "gameFolderQuestion")->text(),
             QString("Where is TEW2016 installed? Choose the folder that holds TEW2016.exe"));
    auto *places = child<QListWidget>(page, "gameFolderPlaces");
    QStringList lines;
    for (int row = 0; row < places->count(); ++row)
        lines << places->item(row)->text();
    QCOMPARE(lines, (QStringList{"Wine: ~/.wine/", "Steam: /mnt/Steam/"}));
    QCOMPARE(child<QPushButton>(page, "gameFolderBrowse")->text().remove('&'),
             QString("Browse\u2026"));

    // Finds whose list was closed without a choice are offered here, each with its whole path
    // in the tooltip; Use This Folder takes the one picked and keeps it.
    page.setFinds(
        {{"/home/player/.wine/drive_c/Games/TEW2016/", "Wine"},
         {"/home/player/.local/share/bottles/bottles/Work/drive_c/TEW2016/", "Bottles", "Work"}},
        "/home/player");
    auto *finds = child<QListWidget>(page, "gameFolderFinds");
    QCOMPARE(finds->count(), 2);
    QCOMPARE(finds->item(1)->text(),
             QString("Bottles (Work): ~/.local/share/bottles/bottles/Work/drive_c/TEW2016/"));
    QCOMPARE(finds->item(1)->toolTip(),
             QString("/home/player/.local/share/bottles/bottles/Work/drive_c/TEW2016/"));
    QSignalSpy chosen(&page, &GameFolderPage::folderChosen);
    finds->setCurrentRow(1);
    QTest::mouseClick(child<QPushButton>(page, "gameFolderUse"), Qt::LeftButton);
    QCOMPARE(chosen.value(0).value(0).toString(), finds->item(1)->toolTip());
    QCOMPARE(AppPaths::gameFolder(), finds->item(1)->toolTip());
}

void TestGameFolderPage::browse_data()
{
    QTest::addColumn<QString>("file"); // below a temporary folder; "" to cancel the chooser
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<bool>("complains");

    QTest::newRow("cancelled") << "" << false << false;
    QTest::newRow("another file") << "Games/TEW2016/Launcher.exe" << false << true;
    QTest::newRow("the executable") << "Games/TEW2016/TEW2016.exe" << true << false;
    QTest::newRow("the executable, another case") << "games/tew/Tew2016.EXE" << true << false;
}

void TestGameFolderPage::browse()
{
    QFETCH(QString, file);
    QFETCH(bool, accepted);
    QFETCH(bool, complains);

    AppPaths::setGameFolder(QString());
    QTemporaryDir games;
    const QString path = games.filePath(file);
    if (!file.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile exe(path);
        QVERIFY(exe.open(QIODevice::WriteOnly));
    }
    GameFolderPage page({}, QString());
    page.show();
    QSignalSpy chosen(&page, &GameFolderPage::folderChosen);
    ModalScript script({[&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        if (file.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    }});
    QTest::mouseClick(child<QPushButton>(page, "gameFolderBrowse"), Qt::LeftButton);
    QVERIFY(script.finished());
    QCOMPARE(script.seen().at(0).title, QString("Set TEW2016 Install folder"));

    const QString folder = accepted ? QFileInfo(path).path() + "/" : QString();
    QCOMPARE(chosen.count(), accepted ? 1 : 0);
    if (accepted)
        QCOMPARE(chosen.at(0).at(0).toString(), folder);
    QCOMPARE(AppPaths::gameFolder(), folder);
    QCOMPARE(child<QLabel>(page, "gameFolderComplaint")->isVisible(), complains);
}

void TestGameFolderPage::quit()
{
    GameFolderPage page({}, QString());
    QSignalSpy quitting(&page, &GameFolderPage::quitRequested);
    QSignalSpy chosen(&page, &GameFolderPage::folderChosen);
    ModalScript none({});
    QTest::mouseClick(child<QPushButton>(page, "gameFolderQuit"), Qt::LeftButton);
    QCOMPARE(quitting.count(), 1);
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(none.unexpected(), 0);
}

QTEST_MAIN(TestGameFolderPage)
#include "tst_gamefolderpage.moc"
