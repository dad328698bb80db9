// Each copy of the game keeps its own records: a copy is known by its resolved folder and its
// identity on disk, so a link to it, a rename and a move find its records, while a second copy
// elsewhere, or another copy put where the first one was, starts with none. A change cut off in
// one copy is finished with that copy's records.

#include "apppaths.h"
#include "elidedlabel.h"
#include "gamefolder.h"
#include "gamerecords.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "modalscript.h"
#include "repolist.h"
#include "roadfixture.h"
#include "startup.h"
#include "testfiles.h"
#include "testprofile.h"
#include "widgetlookup.h"
#include "zerun.h"

#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestGameRecords : public QObject, RoadFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void copiesKeepTheirRecords_data();
    void copiesKeepTheirRecords();
    void recoveryUsesTheJournalsGame();
    void windowShowsAndChangesTheGameFolder();

private:
    QString makeGame(const QString &relative);

    std::unique_ptr<TestProfile> profile;
    std::unique_ptr<QTemporaryDir> box;
};

void TestGameRecords::initTestCase()
{
    setInstallerIdentity();
}

void TestGameRecords::init()
{
    profile.reset();
    profile = std::make_unique<TestProfile>();
    AppPaths::createFolders();
    box = std::make_unique<QTemporaryDir>();
}

QString TestGameRecords::makeGame(const QString &relative)
{
    const QString folder = box->filePath(relative);
    TestFiles::write(folder + "/TEW2016.exe", "MZ");
    return folder;
}

void TestGameRecords::copiesKeepTheirRecords_data()
{
    // The first copy asked for is A (in "a/TEW2016"); then the step happens, and the database
    // of the game asked for second is compared with A's.
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("sameRecords");
    QTest::addColumn<bool>("asksForA");

    QTest::newRow("the same folder again") << "none" << true << true;
    QTest::newRow("the folder through a link") << "link" << true << false;
    QTest::newRow("the folder with a trailing slash") << "slash" << true << false;
    QTest::newRow("a second copy elsewhere") << "copy" << false << false;
    QTest::newRow("the copy renamed") << "rename" << true << false;
    QTest::newRow("the copy put back from a backup") << "replace" << true << true;
    QTest::newRow("the copy moved, another put where it was") << "moveAndReplace" << false << true;
}

void TestGameRecords::copiesKeepTheirRecords()
{
    QFETCH(QString, step);
    QFETCH(bool, sameRecords);
    QFETCH(bool, asksForA);

    const QString a = makeGame("a/TEW2016");
    const QString first = GameRecords::databaseFor(a);
    // Records made before there were several stay with the copy in use.
    QCOMPARE(first, InstalledPackages::defaultPath());

    QString second = box->filePath("b/TEW2016");
    if (step == "link") {
        QVERIFY(QDir().mkpath(box->filePath("b")));
        QVERIFY(QFile::link(a, second));
    } else if (step == "slash") {
        second = a + "/";
    } else if (step == "copy") {
        makeGame("b/TEW2016");
    } else if (step == "rename") {
        QVERIFY(QDir().mkpath(box->filePath("b")));
        QVERIFY(QDir().rename(a, second));
    } else if (step == "replace") {
        QVERIFY(QDir().rename(box->filePath("a"), box->filePath("old")));
        makeGame("a/TEW2016");
    } else if (step == "moveAndReplace") {
        // The copy is seen at its new place before the new one at the old place.
        QVERIFY(QDir().mkpath(box->filePath("b")));
        QVERIFY(QDir().rename(a, second));
        QCOMPARE(GameRecords::databaseFor(second), first);
        makeGame("a/TEW2016");
    }
    QString notice;
    const QString again = GameRecords::databaseFor(asksForA ? a : second, &notice);
    QCOMPARE(again == first, sameRecords);
    // Asked again, the answer holds: the index keeps what it learnt.
    QCOMPARE(GameRecords::databaseFor(asksForA ? a : second), again);
    if (step == "rename") {
        QVERIFY2(notice.contains("moved"), qPrintable(notice));
        QCOMPARE(GameRecords::entries().size(), 1);
        QCOMPARE(GameRecords::entries().first().game.path, QFileInfo(second).canonicalFilePath());
    }
    if (!sameRecords) {
        QVERIFY(again.startsWith(GameRecords::databaseFolder() + "/"));
        QCOMPARE(GameRecords::entries().size(), 2);
    } else {
        QCOMPARE(GameRecords::entries().size(), 1);
    }
}

void TestGameRecords::recoveryUsesTheJournalsGame()
{
    // An uninstall in copy B cut off after its journal was written; the installer now starts
    // with copy A in use. B's journal is finished with B's records; A's are not touched.
    const QString a = makeGame("a/TEW2016");
    const QString b = makeGame("b/TEW2016");
    InstalledPackages recordsOfA(GameRecords::databaseFor(a));
    InstalledPackages recordsOfB(GameRecords::databaseFor(b));
    QVERIFY(recordsOfA.filePath() != recordsOfB.filePath());
    InstalledPackage package;
    package.name = "Gold Skin";
    package.kind = "skin";
    package.folder = "Skins/Gold";
    package.createdFoldersKnown = true;
    package.createdFolders = QStringList{"Skins/Gold"};
    for (InstalledPackages *records : {&recordsOfA, &recordsOfB}) {
        QVERIFY(records->load());
        QVERIFY(records->put(package));
    }
    TestFiles::write(b + "/Skins/Gold/skin.ini", "gold");
    package.files = InstalledPackages::describe(b + "/Skins/Gold", {"skin.ini"});
    QVERIFY(recordsOfB.put(package));
    const QJsonObject journal{{"removal", true},
                              {"gameFolder", b},
                              {"name", package.name},
                              {"kind", package.kind},
                              {"folder", package.folder},
                              {"createdFolders", QJsonArray{"Skins/Gold"}},
                              {"createdFoldersKnown", true},
                              {"files", InstalledPackages::filesToJson(package.files)}};
    TestFiles::write(InstallRecovery::newRemovalJournalPath(),
                     QJsonDocument(journal).toJson(QJsonDocument::Compact));

    InstalledPackages inUse(GameRecords::databaseFor(a));
    QVERIFY(inUse.load());
    InstallRecovery::recoverAll(inUse);
    QVERIFY(!QFileInfo::exists(b + "/Skins/Gold"));
    InstalledPackages afterB(GameRecords::databaseFor(b));
    QVERIFY(afterB.load());
    QVERIFY(!afterB.find("Gold Skin", "skin"));
    QVERIFY(inUse.load());
    QVERIFY(inUse.find("Gold Skin", "skin"));
}

void TestGameRecords::windowShowsAndChangesTheGameFolder()
{
    // The fixture's game has Neat Skin installed; a second copy of the game has nothing. The page
    // names the copy in use; Change… to the second copy shows its records, none, and back again.
    setUpRoad();
    const QString second = makeGame("second/TEW2016");
    InstalledPackage skin;
    skin.name = "Neat Skin";
    skin.kind = "skin";
    skin.folder = "Skins/Neat";
    skin.url = host->baseUrl().toString() + "/files/neatskin.zip";
    {
        InstalledPackages records(GameRecords::databaseFor(game()));
        QVERIFY(records.load());
        QVERIFY(records.put(skin));
    }
    serveCatalogue(standardCatalogue());
    Zerun window;
    QVERIFY(window.initialise());
    window.show();
    const RepoList repo = repoList(window);
    const auto markOf = [&](const QString &shown) {
        const QList<RepoList::Row> found = repo->findItems(shown, Qt::MatchExactly);
        return found.size() == 1 ? found.first()->data(Zerun::markRole).toInt() : -1;
    };
    QTRY_COMPARE(markOf("Neat Skin [Skin]"), int(Zerun::Installed));
    auto *shown = child<ElidedLabel>(window, "game_folder");
    QVERIFY2(shown->fullText().contains(QDir::toNativeSeparators(QDir::cleanPath(game()))),
             qPrintable(shown->fullText()));
    QCOMPARE(shown->toolTip(), shown->fullText());

    const auto changeTo = [&](const QString &folder) {
        ModalScript script(
            {ModalScript::acceptText(QCoreApplication::translate("GameFolder", "Another Folder…")),
             [folder](QWidget *modal) {
                 auto *dialog = qobject_cast<QFileDialog *>(modal);
                 QVERIFY(dialog);
                 dialog->selectFile(folder + "/TEW2016.exe");
                 static_cast<QDialog *>(dialog)->accept();
             }});
        child<QPushButton>(window, "change_game_folder")->click();
        QTRY_VERIFY(script.finished());
        QCOMPARE(script.unexpected(), 0);
    };
    changeTo(second);
    QVERIFY2(shown->fullText().contains(QDir::toNativeSeparators(second)),
             qPrintable(shown->fullText()));
    QCOMPARE(markOf("Neat Skin [Skin]"), int(Zerun::NotInstalled));
    QCOMPARE(GameFolder::remembered(), second + "/");

    changeTo(QDir::cleanPath(game()));
    QTRY_COMPARE(markOf("Neat Skin [Skin]"), int(Zerun::Installed));
    tearDownRoad();
}

QTEST_MAIN(TestGameRecords)
#include "tst_gamerecords.moc"
