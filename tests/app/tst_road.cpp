#include "apppaths.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "modalscript.h"
#include "packageinstall.h"
#include "packageremoval.h"
#include "repolist.h"
#include "roadfixture.h"
#include "testfiles.h"
#include "translations.h"
#include "tslogging.h"
#include "widgetlookup.h"
#include "zerun.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolTip>
#include <QtTest>

namespace {

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// Every file below `root`, relative to it, sorted.
QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        // The package's record, which the records' own tests compare, is left out.
        const QString file = QDir(root).relativeFilePath(it.next());
        const QString name = QFileInfo(file).fileName();
        if (!name.startsWith(".zerun-record-") || !name.endsWith(".json"))
            files << file;
    }
    files.sort();
    return files;
}

// Makes the stored bytes of `marker` in a stored (not deflated) archive wrong, so its entry
// fails its checksum while the archive still opens.
bool damageEntry(const QString &archive, const QByteArray &marker)
{
    QFile file(archive);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const int at = bytes.indexOf(marker);
    if (at < 0)
        return false;
    bytes[at] = bytes.at(at) ^ 0x55;
    return file.seek(0) && file.write(bytes) == bytes.size();
}

} // namespace

// The installer's road against the local package host: catalogue, download list, transfers and
// installation into a game folder inside a Wine-style prefix, with the prompts answered as a
// player would.
class TestRoad : public QObject, public RoadFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void catalogueUnderFilters_data();
    void catalogueUnderFilters();
    void filterChosenBeforeTheAnswer();
    void addByButtonAndByDrag();
    void queueFollowsCatalogueOrder();
    void mixedBatchEachInItsKindsFolder();
    void folderNameComplaints_data();
    void folderNameComplaints();
    void folderPromptSuggestsAndKeepsWhatWasTyped();
    void searchAndListKeys();
    void mixedBatchTellsTheTruth();
    void cancelDuringTheBatch_data();
    void cancelDuringTheBatch();
    void questionOutlastsTheDownload_data();
    void questionOutlastsTheDownload();
    void existingFolderIsUpdatedInPlace();
    void existingFolderChoices_data();
    void existingFolderChoices();
    void failedInstallLeavesTheGameAsItWas_data();
    void failedInstallLeavesTheGameAsItWas();
    void packagesThatShareANameStayApart();
    void waitingJournalHoldsItsPackageBack();
    void unreadableCatalogueLinesCostOnlyThemselves();
    void installMarkUpdateUninstall();
    void updateMarks_data();
    void updateMarks();
    void damagedRecordsMarkNothing();
    void interruptedUninstallIsFinished();
    void cancelSkipsThePackage();
    void failuresEndTheBatch_data();
    void failuresEndTheBatch();
    void sameArchiveTwiceInOneBatch();
    void initialiseFindsTheWinePrefix();
    void initialiseWithoutGameFolder_data();
    void initialiseWithoutGameFolder();
    void installFromDisk_data();
    void installFromDisk();
    void verifyInstalledPackage();
    void repairFromTheCatalogue_data();
    void repairFromTheCatalogue();
    void updateAll_data();
    void updateAll();
    void exportImport_data();
    void exportImport();

private:
    void openWindow(const QByteArray &catalogueText);
    void addToList(const QString &shown);
    void download(ModalScript &script, int presses = 1);
    QStringList texts(const char *list) const
    {
        QStringList result;
        const QAbstractItemModel *rows = child<QAbstractItemView>(*window, list)->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            result << rows->index(row, 0).data().toString();
        return result;
    }
    QString title() const { return child<QLabel>(*window, "progressTitle")->text(); }
    // Saves the window as the README shows it: build/screenshots/<name>.png.
    void screenshot(const QString &name) const
    {
        const QString folder = QString(ZERUN_BIN_DIR) + "/../screenshots";
        QDir().mkpath(folder);
        QVERIFY(window->grab().save(folder + "/" + name + ".png"));
    }
    // The end-of-batch list, one line per package.
    QString outcomes() const { return texts("outcome_list").join("\n"); }
    QString info() const { return child<QLabel>(*window, "progressInfo")->text(); }

    std::unique_ptr<Zerun> window;
};

void TestRoad::initTestCase()
{
    // The English plural forms, as the installer loads them at start-up.
    installTranslations(QStringLiteral("en"), QStringLiteral(ZERUN_BIN_DIR));
    QCoreApplication::setOrganizationName("Tandel Orvik");
    QCoreApplication::setApplicationName("Zerun Installer");
    AppPaths::createFolders();
    QVERIFY(QFileInfo(AppPaths::downloadsFolder()).isDir());
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("Info-ZIP zip is needed to make the sample archives");
}

void TestRoad::init()
{
    setUpRoad();
}

void TestRoad::cleanup()
{
    window.reset();
    tearDownRoad();
}

void TestRoad::openWindow(const QByteArray &catalogueText)
{
    serveCatalogue(catalogueText);
    window = std::make_unique<Zerun>();
    ModalScript none({});
    QVERIFY(window->initialise());
    QCOMPARE(none.unexpected(), 0);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QTRY_VERIFY(host->requests().contains("GET /files/index.dat"));
}

void TestRoad::addToList(const QString &shown)
{
    const RepoList repo = repoList(*window);
    const QList<RepoList::Row> found = repo->findItems(shown, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(shown));
    repo->setCurrentItem(found.first());
    QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);
}

void TestRoad::download(ModalScript &script, int presses)
{
    for (int press = 0; press < presses; ++press)
        QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 20000);
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected(), 0);
}

void TestRoad::catalogueUnderFilters_data()
{
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QStringList>("shown");

    const QByteArray lf = "http://h/u1,mods,Alpha\nhttp://h/u2,pics,Beta\nhttp://h/"
                          "u3,skin,Gamma\nhttp://h/u4,mods,Delta\n";
    const QByteArray crlf =
        "http://h/u1,mods,Alpha\r\nhttp://h/u2,pics,Beta\r\nhttp://h/u3,skin,Gamma\r\n";
    const QByteArray fourth = "http://h/u1,mods,Alpha\nhttp://h/u2,skin,Beta\nhttp://h/"
                              "u3,pics,Gamma, the Third\nhttp://h/u4,skin,Delta";
    const QByteArray odd =
        "http://h/u1,Mods,Upper\nhttp://h/u2,skin\nhttp://h/u3\n\nhttp://h/u4,pics,Kept";

    QTest::newRow("all, with suffixes")
        << lf << 0 << QStringList{"Alpha [Mod]", "Beta [Pic Pack]", "Gamma [Skin]", "Delta [Mod]"};
    QTest::newRow("mods") << lf << 1 << QStringList{"Alpha", "Delta"};
    QTest::newRow("picture packs") << lf << 2 << QStringList{"Beta"};
    QTest::newRow("skins") << lf << 3 << QStringList{"Gamma"};
    QTest::newRow("crlf lines, all")
        << crlf << 0 << QStringList{"Alpha [Mod]", "Beta [Pic Pack]", "Gamma [Skin]"};
    QTest::newRow("crlf lines, skins") << crlf << 3 << QStringList{"Gamma"};
    QTest::newRow("a fourth field skips only its line")
        << fourth << 0 << QStringList{"Alpha [Mod]", "Beta [Skin]", "Delta [Skin]"};
    QTest::newRow("unknown kinds and short lines are not shown")
        << odd << 0 << QStringList{"Kept [Pic Pack]"};
}

void TestRoad::catalogueUnderFilters()
{
    QFETCH(QByteArray, catalogue);
    QFETCH(int, filter);
    QFETCH(QStringList, shown);

    openWindow(catalogue);
    const RepoList repo = repoList(*window);
    QTRY_VERIFY(repo->count() > 0);
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(filter);
    QCOMPARE(texts("repo_list"), shown);
    // Back to All and again: a filter change never touches the catalogue.
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(filter == 0 ? 1 : 0);
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(filter);
    QCOMPARE(texts("repo_list"), shown);
}

void TestRoad::filterChosenBeforeTheAnswer()
{
    const QByteArray base = host->baseUrl().toString().toUtf8();
    serveCatalogue(base + "/files/a.zip,mods,Alpha\n" + base + "/files/b.zip,skin,Beta\n");
    host->setStall("/files/index.dat", 10, 500);
    window = std::make_unique<Zerun>();
    QVERIFY(window->initialise());
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(3);
    QVERIFY(texts("repo_list").isEmpty());
    QTRY_COMPARE(texts("repo_list"), QStringList{"Beta"});
}

void TestRoad::addByButtonAndByDrag()
{
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);

    // By button: the plain name.
    addToList("Neat Skin [Skin]");
    // By drag: the text as shown, suffix included.
    const RepoList repo = repoList(*window);
    auto *files = child<QListWidget>(*window, "file_list");
    const QModelIndex skin = repo->model()->index(2, 0);
    std::unique_ptr<QMimeData> carried(repo->model()->mimeData({skin}));
    const QPoint at = files->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(files->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(files->viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(files->viewport(), &drop);
    // The list shows the kind, and a package that is there already is not added again.
    QTRY_COMPARE(texts("file_list"), (QStringList{"Neat Skin [Skin]"}));
    addToList("Neat Skin [Skin]");
    QCOMPARE(texts("file_list"), (QStringList{"Neat Skin [Skin]"}));

    ModalScript script({ModalScript::acceptText("Neat One")});
    download(script);
    QCOMPARE(host->requests().count("GET /files/neatskin.zip"), 1);
    QVERIFY(QFile::exists(game("Skins/Neat One/skin.ini")));

    // Clear List empties the list.
    child<QStackedWidget>(*window, "stackedWidget")->setCurrentIndex(0);
    QTest::mouseClick(child<QPushButton>(*window, "clear_list"), Qt::LeftButton);
    QVERIFY(texts("file_list").isEmpty());
}

void TestRoad::queueFollowsCatalogueOrder()
{
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Neat Skin [Skin]");
    addToList("Real World [Mod]");
    QCOMPARE(texts("file_list"), (QStringList{"Neat Skin [Skin]", "Real World [Mod]"}));

    QStringList titles;
    ModalScript script({[&](QWidget *modal) {
                            titles << modal->windowTitle();
                            ModalScript::acceptText("Real")(modal);
                        },
                        [&](QWidget *modal) {
                            titles << modal->windowTitle();
                            ModalScript::acceptText("Neat")(modal);
                        }});
    // A double click queues the batch once.
    download(script, 2);
    QStringList gets = host->requests().filter(".zip");
    QCOMPARE(gets, (QStringList{"GET /files/realworld.zip", "GET /files/neatskin.zip"}));
    QCOMPARE(titles, (QStringList{"Install Mod DB", "Install Skin"}));
}

void TestRoad::mixedBatchEachInItsKindsFolder()
{
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Real World [Mod]");
    addToList("Faces [Pic Pack]");
    addToList("Neat Skin [Skin]");

    ModalScript script({ModalScript::acceptText("My Mod"), ModalScript::acceptText("Faces"),
                        ModalScript::acceptText("NeatSkin")});
    download(script);

    const auto &seen = script.seen();
    QCOMPARE(seen.at(0).title, QString("Install Mod DB"));
    QCOMPARE(seen.at(0).label,
             QString("Choose a folder name to install the Real World Mod DB into:"));
    QCOMPARE(seen.at(1).title, QString("Install Picture Pack"));
    QCOMPARE(seen.at(1).label,
             QString("Choose a folder name to install the Faces Picture Pack into:"));
    QCOMPARE(seen.at(2).title, QString("Install Skin"));
    // A name that ends with its kind does not say it twice.
    QCOMPARE(seen.at(2).label, QString("Choose a folder name to install the Neat Skin into:"));

    QCOMPARE(filesBelow(game("Databases/My Mod")),
             (QStringList{"data/promotions.txt", "readme.txt"}));
    QVERIFY(QFileInfo(game("Databases/My Mod/SaveGames")).isDir());
    QCOMPARE(filesBelow(game("Pictures/Faces")), (QStringList{"faces/one.txt", "faces/two.txt"}));
    QVERIFY(!QFileInfo::exists(game("Pictures/Faces/SaveGames")));
    QCOMPARE(filesBelow(game("Skins/NeatSkin")), (QStringList{"bg/back.txt", "skin.ini"}));
    QFile readme(game("Databases/My Mod/readme.txt"));
    QVERIFY(readme.open(QIODevice::ReadOnly));
    QCOMPARE(readme.readAll(), QByteArray("Real World 2016\n"));

    // Each archive is gone after its own extraction.
    QCOMPARE(filesBelow(AppPaths::downloadsFolder()), QStringList());
    // After the batch the player can leave or go back to the catalogue.
    QVERIFY(child<QPushButton>(*window, "quit")->isVisible());
    QVERIFY(child<QPushButton>(*window, "back")->isVisible());
    QCOMPARE(child<QProgressBar>(*window, "progressBar")->value(), 100);
    QTRY_COMPARE_WITH_TIMEOUT(title(), QString("Installed"), 3000);
    QCOMPARE(info(), QString("Install Completed"));
}

void TestRoad::folderNameComplaints_data()
{
    const QString tooLong = "Folder Name can't be longer than 24 characters";
    const QString illegal =
        "Folder Name can't contain illegal characters '<' '>' ':' '\"' '/' '\\' '|' '?' '*'";
    const QString trailing = "Folder Name can't end with a blank or a dot";
    const QString onlyDots = "Folder Name needs more than dots and blanks";

    // An empty complaint: the name is taken.
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("complaint");

    QTest::newRow("25 characters with a colon")
        << QString(24, 'a') + ":" << tooLong + " and " + illegal + ".";
    QTest::newRow("25 characters") << QString(25, 'a') << tooLong + ".";
    QTest::newRow("trailing dot") << "Neat." << trailing + ".";
    QTest::newRow("trailing blank") << "Neat " << trailing + ".";
    QTest::newRow("slash") << "../Neat" << illegal + ".";
    QTest::newRow("dot dot") << ".." << onlyDots + ".";
    QTest::newRow("dots and blanks") << ". ." << onlyDots + ".";
    QTest::newRow("backslash") << "a\\b" << illegal + ".";
    QTest::newRow("bar and quote") << "a|\"b\"" << illegal + ".";
    QTest::newRow("question mark and star") << "Gold?Skin*" << illegal + ".";
    QTest::newRow("control character") << "Gold\tSkin"
                                       << "Folder Name can't contain control characters.";
    QTest::newRow("CON") << "CON"
                         << "'CON' is a name Windows keeps for itself.";
    QTest::newRow("con.txt") << "con.txt"
                             << "'con' is a name Windows keeps for itself.";
    QTest::newRow("Com1.skin") << "Com1.skin"
                               << "'Com1' is a name Windows keeps for itself.";
    QTest::newRow("lpt9 with a trailing dot")
        << "lpt9." << trailing + " and 'lpt9' is a name Windows keeps for itself.";
    QTest::newRow("COM10 is free") << "COM10"
                                   << "";
    QTest::newRow("CONSOLE is free") << "CONSOLE"
                                     << "";
    QTest::newRow("dots inside are free") << "Neat.Skin 2.0"
                                          << "";
    // A file of that name is in the way.
    QTest::newRow("cannot create")
        << "Blocked"
        << "Could not create folder: a file of that name is in the way. Choose another name.";
}

void TestRoad::folderNameComplaints()
{
    QFETCH(QString, answer);
    QFETCH(QString, complaint);

    QVERIFY(writeFile(game("Skins/Blocked"), "a file, not a folder"));
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Neat Skin [Skin]");
    const QString accepted = complaint.isEmpty() ? answer : QString(24, 'x');
    QList<ModalScript::Step> steps{ModalScript::acceptText(answer)};
    if (!complaint.isEmpty())
        steps << ModalScript::acceptText(accepted);
    ModalScript script(steps);
    download(script);
    // The complaint, and the package still named.
    if (!complaint.isEmpty())
        QCOMPARE(script.seen().at(1).label,
                 complaint + "\n\nChoose a folder name to install the Neat Skin into:");
    QCOMPARE(QDir(game("Skins")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{accepted});
    QCOMPARE(filesBelow(game("Skins/" + accepted)), (QStringList{"bg/back.txt", "skin.ini"}));
    // Nothing written anywhere else: the game, the blocking file and the skin.
    QCOMPARE(filesBelow(prefix->path()).size(), 4);
}

void TestRoad::folderPromptSuggestsAndKeepsWhatWasTyped()
{
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(base + "neatskin.zip,skin,Neat: Skin/Deluxe Edition 2016 <Final>\n");
    QTRY_COMPARE(repoList(*window)->count(), 1);
    addToList("Neat: Skin/Deluxe Edition 2016 <Final> [Skin]");
    QStringList offered;
    const auto answer = [&offered](const QString &text) {
        return [&offered, text](QWidget *modal) {
            offered << qobject_cast<QInputDialog *>(modal)->textValue();
            ModalScript::acceptText(text)(modal);
        };
    };
    ModalScript script({answer("Bad|Name"), answer("Good Name")});
    download(script);
    // A name made from the package's, cut to the rule; after a complaint, what was typed.
    QCOMPARE(offered, (QStringList{"Neat SkinDeluxe Edition", "Bad|Name"}));
    QVERIFY(QFile::exists(game("Skins/Good Name/skin.ini")));
}

void TestRoad::searchAndListKeys()
{
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(standardCatalogue() + base + "x.zip,skin,Neater Things\n");
    const RepoList repo = repoList(*window);
    auto *search = child<QLineEdit>(*window, "repo_search");
    QTRY_COMPARE(repo->count(), 4);
    // As typed, ignoring case, together with the kind filter.
    QTest::keyClicks(search, "NEAT");
    QCOMPARE(texts("repo_list"), (QStringList{"Neat Skin [Skin]", "Neater Things [Skin]"}));
    window->resize(640, 360);
    screenshot("catalogue-search");
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(3);
    QCOMPARE(texts("repo_list"), (QStringList{"Neat Skin", "Neater Things"}));
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(1);
    QCOMPARE(texts("repo_list"), QStringList());
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(0);
    QTest::keyClick(search, Qt::Key_Escape);
    QCOMPARE(search->text(), QString());
    QCOMPARE(repo->count(), 4);

    // Several at once, by Enter; then Delete takes the selected one off the list.
    repo->selectAll();
    repo->setFocus();
    QTest::keyClick(repo->view, Qt::Key_Return);
    QCOMPARE(child<QListWidget>(*window, "file_list")->count(), 4);
    auto *files = child<QListWidget>(*window, "file_list");
    files->setCurrentRow(1);
    files->setFocus();
    QTest::keyClick(files, Qt::Key_Delete);
    QCOMPARE(texts("file_list"),
             (QStringList{"Real World [Mod]", "Neat Skin [Skin]", "Neater Things [Skin]"}));
}

void TestRoad::mixedBatchTellsTheTruth()
{
    TsLogging::installMessageHandler();
    // Good, missing, damaged and slow, in catalogue order.
    QVERIFY(writeFile(site->filePath("files/damaged.zip"), QByteArray(4000, 'z')));
    QByteArray slow;
    for (int i = 0; i < 300; ++i)
        slow += "line " + QByteArray::number(i) + "\n";
    makePackage("slow.zip", {{"slow.txt", slow}});
    host->setThrottle("/files/slow.zip", 600);
    host->setError("/files/missing.zip", 404, "not here");
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(base + "realworld.zip,mods,Good\n" + base + "missing.zip,pics,Missing\n" + base +
               "damaged.zip,skin,Damaged\n" + base + "slow.zip,skin,Slow\n");
    QTRY_COMPARE(repoList(*window)->count(), 4);
    const RepoList repo = repoList(*window);
    repo->selectAll();
    QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);

    // Everything the page says while the batch runs.
    QStringList seen;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        const QString now = title() + " | " + info();
        if (seen.isEmpty() || seen.last() != now)
            seen << now;
    });
    watch.start(2);
    QStringList promptTitles;
    const auto answer = [&](const QString &folder) {
        return [&, folder](QWidget *modal) {
            promptTitles << title();
            ModalScript::acceptText(folder)(modal);
        };
    };
    auto script =
        std::make_unique<ModalScript>(QList<ModalScript::Step>{answer("Good"), answer("Slow")});
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(title().startsWith("Downloading Slow [Skin] (4 of 4)"), 10000);
    QVERIFY(child<QPushButton>(*window, "cancel_batch")->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(info().contains("left"), 10000);
    QVERIFY2(info().contains("%"), qPrintable(info()));
    window->resize(640, 360);
    screenshot("transfer-mid-batch");
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 20000);
    watch.stop();
    QVERIFY(script->finished());
    // Two scripts at once would race for the same dialogs.
    script.reset();

    // The damaged archive fails before any folder name is asked for it.
    QCOMPARE(promptTitles, (QStringList{"Waiting for a folder name for Good [Mod] (1 of 4)",
                                        "Waiting for a folder name for Slow [Skin] (4 of 4)"}));
    for (const QString &moment : qAsConst(seen))
        QVERIFY2(!moment.contains("Install Completed") && !moment.startsWith("Installed |"),
                 qPrintable(moment));
    QVERIFY(seen.filter("Unpacking Good [Mod] (1 of 4)").size() > 0);

    // The end: every package with its outcome and full reason, wrapped inside the window.
    QCOMPARE(title(), QString("Finished"));
    QVERIFY2(info().startsWith("Installed 2 of 4 packages"), qPrintable(info()));
    auto *list = child<QListWidget>(*window, "outcome_list");
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), 4);
    QVERIFY(list->wordWrap());
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    QVERIFY2(outcomes().contains("Good [Mod] \u2192 Databases/Good: installed"),
             qPrintable(outcomes()));
    QVERIFY2(
        outcomes().contains("Missing [Pic Pack]: failed \u2014 not found on the server (HTTP 404)"),
        qPrintable(outcomes()));
    QVERIFY2(outcomes().contains("Damaged [Skin]: failed \u2014 Couldn't open zip"),
             qPrintable(outcomes()));
    QVERIFY2(outcomes().contains("Slow [Skin] \u2192 Skins/Slow: installed"),
             qPrintable(outcomes()));
    // At the end the second bar counts what installed: never full for a batch with failures.
    QCOMPARE(child<QProgressBar>(*window, "batchProgress")->value(), 2);
    // Pointed at, every line shows its whole text, whatever the list had room for.
    for (int row = 0; row < list->count(); ++row) {
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QHelpEvent pointed(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &pointed);
        QCOMPARE(QToolTip::text(), list->item(row)->text());
    }
    QToolTip::hideText();
    screenshot("transfer-outcome");
    // The same lines reach the daily log.
    const QString log = QString::fromUtf8(TestFiles::read(AppPaths::dailyLogFile()));
    QVERIFY2(log.contains("Batch: Damaged [Skin]: failed"), qPrintable(log));
    // Show Log opens the day's log beside the window, these lines in it.
    QTest::mouseClick(child<QPushButton>(*window, "show_log"), Qt::LeftButton);
    QTextBrowser *shown = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top != window.get() && top->isVisible() && top->findChild<QTextBrowser *>())
            shown = top->findChild<QTextBrowser *>();
    }
    QVERIFY(shown);
    QVERIFY2(shown->toPlainText().contains("Batch: Damaged [Skin]: failed"),
             qPrintable(shown->toPlainText()));
    QVERIFY(shown->toPlainText().contains("Batch: Slow [Skin] \u2192 Skins/Slow: installed"));
    shown->window()->close();

    // Retry runs only the two that did not install; the missing one is there now.
    host->setThrottle("/files/missing.zip", 0);
    makePackage("missing.zip", {{"faces/found.txt", "found"}});
    const int before = host->requests().filter(".zip").size();
    {
        ModalScript retry({ModalScript::acceptText("Found")});
        QTest::mouseClick(child<QPushButton>(*window, "retry_failed"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 20000);
        QVERIFY(retry.finished());
    }
    QCOMPARE(host->requests().filter(".zip").mid(before),
             (QStringList{"GET /files/missing.zip", "GET /files/damaged.zip"}));
    QVERIFY(QFile::exists(game("Pictures/Found/faces/found.txt")));

    // Back: the catalogue again, with only the package that still failed on the list.
    QTest::mouseClick(child<QPushButton>(*window, "back"), Qt::LeftButton);
    QCOMPARE(child<QStackedWidget>(*window, "stackedWidget")->currentIndex(), 0);
    QCOMPARE(texts("file_list"), QStringList{"Damaged [Skin]"});
}

void TestRoad::cancelDuringTheBatch_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<QString>("choice");
    QTest::newRow("skip while downloading") << "Downloading"
                                            << "Skip This Package";
    QTest::newRow("stop while downloading") << "Downloading"
                                            << "Stop the Batch";
    QTest::newRow("skip while unpacking") << "Unpacking"
                                          << "Skip This Package";
}

void TestRoad::cancelDuringTheBatch()
{
    QFETCH(QString, when);
    QFETCH(QString, choice);
    // A big package first (slow to download, or slow to unpack), then a small one.
    QMap<QString, QByteArray> files;
    for (int i = 0; i < 3000; ++i)
        files.insert(QString("data/f%1.txt").arg(i), QByteArray::number(i).repeated(50));
    makePackage("big.zip", files);
    if (when == "Downloading")
        host->setThrottle("/files/big.zip", 20000);
    QVERIFY(writeFile(game("Databases/Big/mine.txt"), "the player's own"));
    const QMap<QString, QByteArray> before = TestFiles::tree(game());
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(base + "big.zip,mods,Big\n" + base + "neatskin.zip,skin,Neat Skin\n");
    QTRY_COMPARE(repoList(*window)->count(), 2);
    repoList(*window)->selectAll();
    QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);

    QList<ModalScript::Step> steps;
    if (when == "Unpacking")
        steps << ModalScript::acceptText("Big") << ModalScript::clickButton("Update");
    steps << ModalScript::clickButton(choice);
    if (choice == "Skip This Package")
        steps << ModalScript::acceptText("Neat");
    ModalScript script(steps);
    // Pressed from a timer: an unpack runs inside the window's own wait for it.
    bool pressed = false;
    QTimer presser;
    connect(&presser, &QTimer::timeout, [&] {
        if (!pressed && title().startsWith(when + " Big [Mod] (1 of 2)") &&
            (when != "Downloading" || info().contains("%"))) {
            pressed = true;
            child<QPushButton>(*window, "cancel_batch")->click();
        }
    });
    presser.start(1);
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 30000);
    QVERIFY(pressed);
    QVERIFY(script.finished());

    QVERIFY2(outcomes().contains("Big [Mod]") && outcomes().contains(": skipped \u2014 cancelled"),
             qPrintable(outcomes()));
    QMap<QString, QByteArray> expected = before;
    if (choice == "Skip This Package") {
        QVERIFY2(outcomes().contains("Neat Skin [Skin] \u2192 Skins/Neat: installed"),
                 qPrintable(outcomes()));
        expected.insert("Skins/Neat/", "");
        expected.insert("Skins/Neat/skin.ini", "[skin]\nname=Neat\n");
        expected.insert("Skins/Neat/bg/", "");
        expected.insert("Skins/Neat/bg/back.txt", "bg");
    } else {
        QVERIFY2(outcomes().contains("Neat Skin [Skin]: skipped \u2014 the batch was stopped"),
                 qPrintable(outcomes()));
        QVERIFY(!host->requests().contains("GET /files/neatskin.zip"));
    }
    // A cancelled unpack is undone: the player's folder as it was.
    QCOMPARE(TestFiles::tree(game()), expected);
    if (when == "Downloading") {
        // The bytes so far are kept for a later resume, never under the final name.
        QVERIFY(QFile::exists(AppPaths::downloadsFolder() + "/big.zip.part"));
        QVERIFY(!QFile::exists(AppPaths::downloadsFolder() + "/big.zip"));
    }
}

void TestRoad::questionOutlastsTheDownload_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("go on") << "Go On"
                           << QStringList{"Big [Mod] \u2192 Databases/Big: installed",
                                          "Neat Skin [Skin] \u2192 Skins/Neat: installed"};
    QTest::newRow("skip") << "Skip This Package"
                          << QStringList{"Big [Mod]: skipped \u2014 cancelled",
                                         "Neat Skin [Skin] \u2192 Skins/Neat: installed"};
    QTest::newRow("stop") << "Stop the Batch"
                          << QStringList{"Big [Mod]: skipped \u2014 cancelled",
                                         "Neat Skin [Skin]: skipped \u2014 the batch was stopped"};
}

void TestRoad::questionOutlastsTheDownload()
{
    QFETCH(QString, choice);
    QFETCH(QStringList, lines);
    // A slow download; the Cancel question is opened during it and left open past its end.
    QByteArray noise(60000, '\0');
    QRandomGenerator random(7);
    for (char &byte : noise)
        byte = char(random.bounded(256));
    makePackage("big.zip", {{"data/big.txt", noise}});
    host->setThrottle("/files/big.zip", 40000);
    const QMap<QString, QByteArray> before = TestFiles::tree(game());
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(base + "big.zip,mods,Big\n" + base + "neatskin.zip,skin,Neat Skin\n");
    QTRY_COMPARE(repoList(*window)->count(), 2);
    repoList(*window)->selectAll();
    QTest::mouseClick(child<QPushButton>(*window, "add_to_list"), Qt::LeftButton);

    // Driven from a timer, never by waiting: the window's own waits run inside the test's.
    std::unique_ptr<ModalScript> script;
    QPointer<QWidget> question;
    bool stayedOnTop = false;
    QElapsedTimer sinceTheEnd;
    QTimer driver;
    connect(&driver, &QTimer::timeout, [&] {
        if (!question) {
            if (info().contains("%")) {
                child<QPushButton>(*window, "cancel_batch")->click();
                question = QApplication::activeModalWidget();
            }
            return;
        }
        // The download is over and its package waits for a folder name.
        if (script || !title().startsWith("Waiting for a folder name"))
            return;
        if (!sinceTheEnd.isValid())
            sinceTheEnd.start();
        if (sinceTheEnd.elapsed() < 300)
            return;
        stayedOnTop = QApplication::activeModalWidget() == question && question->isVisible();
        QList<ModalScript::Step> steps;
        if (choice == "Go On")
            steps << ModalScript::acceptText("Big");
        if (choice != "Stop the Batch")
            steps << ModalScript::acceptText("Neat");
        script = std::make_unique<ModalScript>(steps);
        ModalScript::clickButton(choice)(question);
    });
    driver.start(5);
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 30000);
    QVERIFY(stayedOnTop);
    QVERIFY(script && script->finished());
    QCOMPARE(script->unexpected(), 0);
    QCOMPARE(outcomes(), lines.join('\n'));

    QMap<QString, QByteArray> expected = before;
    if (choice == "Go On") {
        expected.insert("Databases/Big/", "");
        expected.insert("Databases/Big/SaveGames/", "");
        expected.insert("Databases/Big/data/", "");
        expected.insert("Databases/Big/data/big.txt", noise);
    }
    if (choice != "Stop the Batch") {
        expected.insert("Skins/Neat/", "");
        expected.insert("Skins/Neat/skin.ini", "[skin]\nname=Neat\n");
        expected.insert("Skins/Neat/bg/", "");
        expected.insert("Skins/Neat/bg/back.txt", "bg");
    }
    QCOMPARE(TestFiles::tree(game()), expected);
}

void TestRoad::existingFolderIsUpdatedInPlace()
{
    QVERIFY(writeFile(game("Skins/NeatSkin/skin.ini"), "old"));
    QVERIFY(writeFile(game("Skins/NeatSkin/mine.txt"), "the player's own"));
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Neat Skin [Skin]");
    // The old skin.ini was never installed by this package: the folder's own, kept aside
    // without a question until the package is uninstalled.
    ModalScript script({ModalScript::acceptText("NeatSkin"), ModalScript::clickButton("Update")});
    download(script);
    QCOMPARE(script.unexpected(), 0);
    QVERIFY2(script.seen().at(1).label.contains("Neat Skin"),
             qPrintable(script.seen().at(1).label));
    QCOMPARE(filesBelow(game("Skins/NeatSkin")),
             (QStringList{".zerun-originals/skin.ini", "bg/back.txt", "mine.txt", "skin.ini"}));
    QCOMPARE(TestFiles::read(game("Skins/NeatSkin/skin.ini")), QByteArray("[skin]\nname=Neat\n"));
    QCOMPARE(TestFiles::read(game("Skins/NeatSkin/.zerun-originals/skin.ini")), QByteArray("old"));
    QVERIFY2(outcomes().contains("skin.ini"), qPrintable(outcomes()));
}

void TestRoad::existingFolderChoices_data()
{
    QTest::addColumn<QString>("choice");
    QTest::newRow("update") << "Update";
    QTest::newRow("another name") << "Choose Another Name";
    QTest::newRow("skip") << "Skip";
}

void TestRoad::existingFolderChoices()
{
    QFETCH(QString, choice);
    QVERIFY(writeFile(game("Skins/NeatSkin/skin.ini"), "edited by the player"));
    QVERIFY(writeFile(game("Skins/NeatSkin/mine.txt"), "the player's own"));
    const QMap<QString, QByteArray> before = TestFiles::tree(game());
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Neat Skin [Skin]");
    QList<ModalScript::Step> steps{ModalScript::acceptText("NeatSkin"),
                                   ModalScript::clickButton(choice)};
    if (choice == "Choose Another Name")
        steps << ModalScript::acceptText("NeatNew");
    ModalScript script(steps);
    download(script);
    QCOMPARE(script.unexpected(), 0);

    QMap<QString, QByteArray> expected = before;
    if (choice == "Update") {
        // A file no record names is the folder's own: kept aside, no question asked.
        expected.insert("Skins/NeatSkin/skin.ini", "[skin]\nname=Neat\n");
        expected.insert("Skins/NeatSkin/.zerun-originals/", "");
        expected.insert("Skins/NeatSkin/.zerun-originals/skin.ini", "edited by the player");
        expected.insert("Skins/NeatSkin/bg/", "");
        expected.insert("Skins/NeatSkin/bg/back.txt", "bg");
    } else if (choice == "Choose Another Name") {
        // The question is asked again from the start.
        QVERIFY(script.seen().at(2).label.startsWith("Choose a folder name"));
        expected.insert("Skins/NeatNew/", "");
        expected.insert("Skins/NeatNew/skin.ini", "[skin]\nname=Neat\n");
        expected.insert("Skins/NeatNew/bg/", "");
        expected.insert("Skins/NeatNew/bg/back.txt", "bg");
    }
    QCOMPARE(TestFiles::tree(game()), expected);
}

void TestRoad::failedInstallLeavesTheGameAsItWas_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<QString>("damaged");
    QTest::newRow("update, last entry damaged") << true << "zz-last";
    QTest::newRow("update, middle entry damaged") << true << "mm-middle";
    QTest::newRow("new mod folder, last entry damaged") << false << "zz-last";
}

void TestRoad::failedInstallLeavesTheGameAsItWas()
{
    QFETCH(bool, existing);
    QFETCH(QString, damaged);
    if (existing) {
        QVERIFY(writeFile(game("Databases/MyMod/readme.txt"), "edited by the player"));
        QVERIFY(writeFile(game("Databases/MyMod/data/promotions.txt"), "years of work"));
        QVERIFY(writeFile(game("Databases/MyMod/SaveGames/save1.sav"), "a save"));
    }
    // Stored, so the damage hits an entry's bytes, not the archive's directory.
    QTemporaryDir source;
    QVERIFY(writeFile(source.filePath("readme.txt"), "new readme"));
    QVERIFY(writeFile(source.filePath("data/promotions.txt"), "new promotions"));
    QVERIFY(writeFile(source.filePath("mm-middle.txt"), "mm-middle content"));
    QVERIFY(writeFile(source.filePath("zz/zz-last.txt"), "zz-last content"));
    QProcess zip;
    zip.setWorkingDirectory(source.path());
    zip.start("zip", {"-q", "-0", "-r", site->filePath("files/mymod.zip"), "readme.txt", "data",
                      "mm-middle.txt", "zz"});
    QVERIFY(zip.waitForFinished(30000));
    QVERIFY(damageEntry(site->filePath("files/mymod.zip"), damaged.toUtf8() + " content"));

    const QMap<QString, QByteArray> before = TestFiles::tree(game());
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(base + "mymod.zip,mods,My Mod\n");
    QTRY_COMPARE(repoList(*window)->count(), 1);
    addToList("My Mod [Mod]");
    // The archive is read through before the folder question: it fails without one.
    ModalScript script({});
    download(script);
    QCOMPARE(script.unexpected(), 0);

    QVERIFY2(outcomes().contains("My Mod [Mod]: failed \u2014 "), qPrintable(outcomes()));
    QVERIFY2(outcomes().contains(damaged), qPrintable(outcomes()));
    // Byte for byte as before: replaced files have their old bytes, new files and folders
    // (the new package folder and its SaveGames too) are gone, nothing is left over.
    QCOMPARE(TestFiles::tree(game()), before);
}

void TestRoad::packagesThatShareANameStayApart()
{
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(base + "faces.zip,pics,Dup\n" + base + "neatskin.zip,skin,Dup\n" + base +
               "realworld.zip,skin,Odd [Mod] Name\n");
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Dup [Skin]");
    addToList("Odd [Mod] Name [Skin]");
    QCOMPARE(texts("file_list"), (QStringList{"Dup [Skin]", "Odd [Mod] Name [Skin]"}));
    QStringList titles;
    ModalScript script({[&](QWidget *modal) {
                            titles << modal->windowTitle();
                            ModalScript::acceptText("DupSkin")(modal);
                        },
                        [&](QWidget *modal) {
                            titles << modal->windowTitle();
                            ModalScript::acceptText("OddSkin")(modal);
                        }});
    download(script);
    QCOMPARE(titles, (QStringList{"Install Skin", "Install Skin"}));
    QCOMPARE(host->requests().filter(".zip"),
             (QStringList{"GET /files/neatskin.zip", "GET /files/realworld.zip"}));
    QCOMPARE(filesBelow(game("Skins/DupSkin")), (QStringList{"bg/back.txt", "skin.ini"}));
    QCOMPARE(filesBelow(game("Skins/OddSkin")), (QStringList{"data/promotions.txt", "readme.txt"}));
    QCOMPARE(filesBelow(game("Pictures")), QStringList());
}

void TestRoad::waitingJournalHoldsItsPackageBack()
{
    // An update of Neat Skin cut off in place, whose folder is now another one of that name.
    QVERIFY(writeFile(game("Skins/NeatSkin/skin.ini"), "a new folder's file"));
    const QString folder = QDir::cleanPath(game("Skins/NeatSkin"));
    QJsonObject record;
    record.insert("name", "Neat Skin");
    record.insert("kind", "skin");
    record.insert("folder", "Skins/NeatSkin");
    QJsonObject payload;
    payload.insert("package", true);
    payload.insert("gameFolder", QDir::cleanPath(game()));
    payload.insert("record", record);
    QJsonObject identity;
    identity.insert("device", "0");
    identity.insert("inode", "0");
    QJsonObject journal;
    journal.insert("destination", folder);
    journal.insert("destinationId", identity);
    journal.insert("work", QString(folder + "/.zerun-unpack-1"));
    journal.insert("phase", "committed");
    journal.insert("hold", true);
    journal.insert("entries", QJsonArray());
    journal.insert("payload", payload);
    const QString path = InstallRecovery::newJournalPath();
    QVERIFY(writeFile(path, QJsonDocument(journal).toJson()));
    const QMap<QString, QByteArray> before = TestFiles::tree(game());

    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    // The row says why; Download does not fetch it and says so.
    const RepoList repo = repoList(*window);
    const QString row = repo->findItems("Neat Skin [Skin]", Qt::MatchExactly).first()->toolTip();
    QVERIFY2(row.contains("Held back") && row.contains(QDir::toNativeSeparators(folder)),
             qPrintable(row));
    addToList("Neat Skin [Skin]");
    QString told;
    ModalScript script({[&told](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            told = box->text();
        qobject_cast<QDialog *>(modal)->accept();
    }});
    QTest::mouseClick(child<QPushButton>(*window, "download_items"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 20000);
    QCOMPARE(script.unexpected(), 0);
    QVERIFY2(told.contains("Not downloaded") && told.contains(QDir::toNativeSeparators(folder)),
             qPrintable(told));
    QVERIFY(!host->requests().contains("GET /files/neatskin.zip"));
    QCOMPARE(TestFiles::tree(game()), before);
    // Still waiting; gone for the tests after this one.
    QVERIFY(QFile::remove(path));
}

void TestRoad::unreadableCatalogueLinesCostOnlyThemselves()
{
    // The daily log, as the installer writes it.
    TsLogging::installMessageHandler();
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(base + "a.zip,mods,Alpha\n" + base + QByteArray("b.zip,mods,Be\0ta\n", 18) + base +
               "c.zip,skin,Bad \xff\xfe bytes\n" + base + "d.zip,skin,Stray\rReturn\n" + base +
               "e.zip,pics,Echo\r\n");
    QTRY_COMPARE(texts("repo_list"), (QStringList{"Alpha [Mod]", "Echo [Pic Pack]"}));
    const QString log = QString::fromUtf8(TestFiles::read(AppPaths::dailyLogFile()));
    QVERIFY2(log.contains("3 lines could not be read"), qPrintable(log));
}

void TestRoad::installMarkUpdateUninstall()
{
    TsLogging::installMessageHandler();
    QVERIFY(writeFile(game("Skins/Other/other.ini"), "another skin"));
    makePackage("neatskin.zip", {{"skin.ini", "[skin]\nv1\n"},
                                 {"bg/back.txt", "bg v1"},
                                 {"bg/old.txt", "dropped in v2"},
                                 {"fonts/f.txt", "edited later"}});
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    const auto markOf = [this](const QString &shown) {
        const QList<RepoList::Row> found = repoList(*window)->findItems(shown, Qt::MatchExactly);
        return found.isEmpty() ? -1 : found.first()->data(Zerun::markRole).toInt();
    };
    QCOMPARE(markOf("Neat Skin [Skin]"), int(Zerun::NotInstalled));
    QVERIFY(!child<QPushButton>(*window, "uninstall_package")->isEnabled());

    // Install: the package is marked, the item text stays.
    addToList("Neat Skin [Skin]");
    {
        ModalScript first({ModalScript::acceptText("NeatSkin")});
        download(first);
    }
    QTRY_COMPARE(markOf("Neat Skin [Skin]"), int(Zerun::Installed));
    QMap<QString, QByteArray> expected = TestFiles::tree(game());
    QCOMPARE(expected.value("Skins/NeatSkin/bg/old.txt"), QByteArray("dropped in v2"));

    // The Installed view lists it with its folder.
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(Zerun::installedFilter);
    QCOMPARE(texts("repo_list").size(), 1);
    QVERIFY2(texts("repo_list").first().startsWith("Neat Skin [Skin]") &&
                 texts("repo_list").first().contains("Skins/NeatSkin"),
             qPrintable(texts("repo_list").first()));
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(0);

    // Version 2: one file changed, one dropped; the player edited fonts/f.txt, which v2 drops.
    QVERIFY(writeFile(game("Skins/NeatSkin/fonts/f.txt"), "the player's edit"));
    QFile::remove(site->filePath("files/neatskin.zip"));
    makePackage("neatskin.zip", {{"skin.ini", "[skin]\nv2\n"}, {"bg/back.txt", "bg v1"}});
    child<QStackedWidget>(*window, "stackedWidget")->setCurrentIndex(0);
    QTest::mouseClick(child<QPushButton>(*window, "clear_list"), Qt::LeftButton);
    addToList("Neat Skin [Skin]");
    // The recorded folder is offered and updated without a question.
    QString offered;
    {
        ModalScript second({[&offered](QWidget *modal) {
            offered = qobject_cast<QInputDialog *>(modal)->textValue();
            qobject_cast<QDialog *>(modal)->accept();
        }});
        download(second);
    }
    QCOMPARE(offered, QString("NeatSkin"));
    expected.insert("Skins/NeatSkin/skin.ini", "[skin]\nv2\n");
    expected.remove("Skins/NeatSkin/bg/old.txt");
    expected.insert("Skins/NeatSkin/fonts/f.txt", "the player's edit");
    QTRY_COMPARE(TestFiles::tree(game()), expected);

    // Uninstall, with a file the player added: their files stay, the rest goes.
    QVERIFY(writeFile(game("Skins/NeatSkin/mine.txt"), "added by the player"));
    child<QStackedWidget>(*window, "stackedWidget")->setCurrentIndex(0);
    const RepoList repo = repoList(*window);
    repo->setCurrentItem(repo->findItems("Neat Skin [Skin]", Qt::MatchExactly).first());
    QVERIFY(child<QPushButton>(*window, "uninstall_package")->isEnabled());
    QString confirmation;
    QString outcome;
    ModalScript third({[&confirmation](QWidget *modal) {
                           confirmation = qobject_cast<QMessageBox *>(modal)->text();
                           ModalScript::clickButton("Uninstall")(modal);
                       },
                       [&outcome](QWidget *modal) {
                           outcome = qobject_cast<QMessageBox *>(modal)->text();
                           qobject_cast<QDialog *>(modal)->accept();
                       }});
    QTest::mouseClick(child<QPushButton>(*window, "uninstall_package"), Qt::LeftButton);
    QTRY_VERIFY2(third.finished(), qPrintable(confirmation + "|" + outcome));
    QVERIFY2(confirmation.contains("Neat Skin") && confirmation.contains("Skins/NeatSkin"),
             qPrintable(confirmation));
    // The old version's file the player edited is named as changed, not as one they added.
    QVERIFY2(outcome.contains("Kept 1 file you changed: fonts/f.txt\nKept 1 file you added: "
                              "mine.txt"),
             qPrintable(outcome));
    QMap<QString, QByteArray> left;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!it.key().startsWith("Skins/NeatSkin/"))
            left.insert(it.key(), it.value());
    }
    left.insert("Skins/NeatSkin/", "");
    left.insert("Skins/NeatSkin/fonts/", "");
    left.insert("Skins/NeatSkin/fonts/f.txt", "the player's edit");
    left.insert("Skins/NeatSkin/mine.txt", "added by the player");
    QCOMPARE(TestFiles::tree(game()), left);
    QCOMPARE(markOf("Neat Skin [Skin]"), int(Zerun::NotInstalled));
    InstalledPackages records;
    QVERIFY(records.load());
    QVERIFY(!records.find("Neat Skin", "skin"));
    QVERIFY(records.files("Neat Skin", "skin").isEmpty());
}

void TestRoad::updateMarks_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("mark");
    QTest::newRow("nothing changed") << "none" << int(Zerun::Installed);
    QTest::newRow("another archive on the host") << "bytes" << int(Zerun::UpdateAvailable);
    QTest::newRow("another address in the catalogue") << "url" << int(Zerun::UpdateAvailable);
    QTest::newRow("the check fails") << "error" << int(Zerun::Installed);
}

void TestRoad::updateMarks()
{
    QFETCH(QString, change);
    QFETCH(int, mark);
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Faces [Pic Pack]");
    ModalScript script({ModalScript::acceptText("Faces")});
    download(script);
    window.reset();

    QByteArray catalogue = standardCatalogue();
    if (change == "bytes")
        makePackage("faces.zip", {{"faces/three.txt", "a third face, a longer file"}});
    else if (change == "url")
        catalogue.replace("faces.zip", "faces2.zip");
    else if (change == "error")
        host->setError("/files/faces.zip", 503);
    openWindow(catalogue);
    QTRY_COMPARE(repoList(*window)->count(), 3);
    if (change != "url")
        QTRY_VERIFY(host->requests().contains("HEAD /files/faces.zip"));
    const RepoList::Row item =
        repoList(*window)->findItems("Faces [Pic Pack]", Qt::MatchExactly).first();
    QTRY_COMPARE(item->data(Zerun::markRole).toInt(), mark);
    QTest::qWait(100);
    QCOMPARE(item->data(Zerun::markRole).toInt(), mark);
    if (change == "bytes") {
        window->resize(640, 360);
        screenshot("catalogue-marks");
    }
    QCOMPARE(item->text(), QString("Faces [Pic Pack]"));
}

void TestRoad::damagedRecordsMarkNothing()
{
    TsLogging::installMessageHandler();
    // A record document of the former format, cut off: the import keeps it aside.
    QVERIFY(writeFile(InstalledPackages::legacyPath(), "{\"format\": 1, \"packages\": [tru"));
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(repoList(*window)->item(row)->data(Zerun::markRole).toInt(),
                 int(Zerun::NotInstalled));
    const QByteArray log = TestFiles::read(AppPaths::dailyLogFile());
    QVERIFY2(log.contains("Installed packages:") && log.contains("it was kept as"),
             log.constData());
    // The player is told on the catalogue page.
    QVERIFY(child<QLabel>(*window, "catalogue_status")->text().contains("kept as"));
    // The damaged document is kept aside, never written over.
    QCOMPARE(QDir(AppPaths::cacheFolder())
                 .entryList({"installed_packages.json.damaged-*"}, QDir::Files)
                 .size(),
             1);
}

void TestRoad::interruptedUninstallIsFinished()
{
    // What a kill halfway through an uninstall leaves: two of four files gone, the journal and
    // the record still there.
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Real World [Mod]");
    ModalScript script({ModalScript::acceptText("RealWorld")});
    download(script);
    window.reset();
    QVERIFY(writeFile(game("Databases/RealWorld/SaveGames/save1.sav"), "a save"));
    InstalledPackages records;
    QVERIFY(records.load());
    const InstalledPackage *record = records.find("Real World", "mods");
    QVERIFY(record);
    const QVector<InstalledFile> recordFiles = records.files("Real World", "mods");
    QCOMPARE(recordFiles.size(), 2);
    const QString journal = InstallRecovery::newRemovalJournalPath();
    const QString folder = game("Databases/RealWorld");
    // The journal as the removal writes it before the first file goes.
    {
        PackageRemoval::Result unused;
        Q_UNUSED(unused)
        QJsonArray files;
        for (const InstalledFile &file : recordFiles)
            files.append(QJsonObject{{"path", file.path},
                                     {"size", double(file.size)},
                                     {"sha256", QString::fromLatin1(file.sha256)}});
        QVERIFY(writeFile(
            journal, QJsonDocument(QJsonObject{{"removal", true},
                                               {"folder", folder},
                                               {"removeFolder", true},
                                               {"recordPath", InstalledPackages::defaultPath()},
                                               {"name", "Real World"},
                                               {"kind", "mods"},
                                               {"files", files}})
                         .toJson()));
    }
    QVERIFY(QFile::remove(folder + "/readme.txt"));

    // Starting again finishes it: none of the package's files, the save stays, no record.
    window = std::make_unique<Zerun>();
    QVERIFY(window->initialise());
    QCOMPARE(TestFiles::tree(folder),
             (QMap<QString, QByteArray>{{"SaveGames/", ""}, {"SaveGames/save1.sav", "a save"}}));
    QVERIFY(!QFile::exists(journal));
    QVERIFY(records.load());
    QVERIFY(!records.find("Real World", "mods"));
}

void TestRoad::cancelSkipsThePackage()
{
    QVERIFY(writeFile(game("Databases/Other/db.txt"), "another mod"));
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Real World [Mod]");
    addToList("Neat Skin [Skin]");
    // Cancel after typing: still a skip, the typed text is not used.
    ModalScript script({ModalScript::rejectWithText("typed"), ModalScript::acceptText("NeatSkin")});
    download(script);

    QCOMPARE(filesBelow(game("Databases")), QStringList{"Other/db.txt"});
    QCOMPARE(filesBelow(game("Skins/NeatSkin")), (QStringList{"bg/back.txt", "skin.ini"}));
    QCOMPARE(filesBelow(AppPaths::downloadsFolder()), QStringList());
    QVERIFY2(outcomes().contains("Real World [Mod]: skipped \u2014 no folder chosen"),
             qPrintable(outcomes()));
    QCOMPARE(title(), QString("Finished"));
}

void TestRoad::failuresEndTheBatch_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QString>("expectedInfo");
    QTest::addColumn<bool>("archiveKept");

    QTest::newRow("404") << "missing"
                         << "not found on the server (HTTP 404)" << false;
    // A failed archive is not kept: Retry fetches it again.
    QTest::newRow("corrupt archive") << "corrupt"
                                     << "Couldn't open zip" << false;
    QTest::newRow("archive without entries") << "empty"
                                             << "Couldn't go to first file" << false;
}

void TestRoad::failuresEndTheBatch()
{
    QFETCH(QString, broken);
    QFETCH(QString, expectedInfo);
    QFETCH(bool, archiveKept);

    if (broken == "missing") {
        host->setError("/files/broken.zip", 404, "not here");
    } else if (broken == "corrupt") {
        QVERIFY(writeFile(site->filePath("files/broken.zip"), QByteArray(4000, 'z')));
    } else {
        // End-of-central-directory record of an archive with no entries.
        QVERIFY(writeFile(site->filePath("files/broken.zip"),
                          QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0')));
    }
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    const QByteArray catalogue = standardCatalogue() + base + "broken.zip,pics,Broken\n";

    // The broken package in the middle and last: either way the page ends with Quit.
    for (const bool last : {false, true}) {
        openWindow(last ? catalogue : base + "broken.zip,pics,Broken\n" + standardCatalogue());
        QTRY_COMPARE(repoList(*window)->count(), 4);
        addToList("Broken [Pic Pack]");
        addToList("Neat Skin [Skin]");
        // Prompts come in queue order, which is catalogue order.
        // An archive that cannot be read is never asked a folder for.
        ModalScript script({ModalScript::acceptText(last ? "NeatLast" : "NeatFirst")});
        download(script);

        QVERIFY2(outcomes().contains("Broken [Pic Pack]"), qPrintable(outcomes()));
        QVERIFY2(outcomes().contains(expectedInfo), qPrintable(outcomes()));
        QVERIFY2(info().startsWith("Installed 1 of 2 packages"), qPrintable(info()));
        QCOMPARE(title(), QString("Finished"));
        QVERIFY(QFile::exists(game(last ? "Skins/NeatLast/skin.ini" : "Skins/NeatFirst/skin.ini")));
        // The page keeps telling what went wrong.
        QTest::qWait(1200);
        QVERIFY(outcomes().contains(expectedInfo));
        QVERIFY(info().startsWith("Installed 1 of 2 packages"));
        const QStringList left = filesBelow(AppPaths::downloadsFolder());
        QCOMPARE(left.size(), archiveKept ? 1 : 0);
        if (archiveKept)
            QVERIFY(left.first().startsWith("broken"));
        QDir(AppPaths::downloadsFolder()).removeRecursively();
        QVERIFY(QDir().mkpath(AppPaths::downloadsFolder()));
        window.reset();
    }
}

void TestRoad::sameArchiveTwiceInOneBatch()
{
    // Big enough that the first extraction is still running when the second download starts.
    QMap<QString, QByteArray> files;
    QByteArray block;
    for (int i = 0; i < 4000; ++i)
        block += QByteArray::number(i * 7919 % 104729).toHex() + '\n';
    for (int i = 0; i < 40; ++i)
        files.insert(QString("part%1.txt").arg(i, 2, 10, QChar('0')),
                     block + QByteArray::number(i));
    makePackage("big.zip", files);
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    openWindow(base + "big.zip,mods,Big\n" + base + "big.zip,mods,Big Again\n");
    QTRY_COMPARE(repoList(*window)->count(), 2);
    addToList("Big [Mod]");
    addToList("Big Again [Mod]");
    ModalScript script({ModalScript::acceptText("Big One"), ModalScript::acceptText("Big Two")});
    download(script);
    for (const char *folder : {"Databases/Big One", "Databases/Big Two"}) {
        QCOMPARE(filesBelow(game(folder)).size(), 40);
        QFile last(game(folder) + "/part39.txt");
        QVERIFY(last.open(QIODevice::ReadOnly));
        QCOMPARE(last.readAll(), block + "39");
    }
    QCOMPARE(filesBelow(AppPaths::downloadsFolder()), QStringList());
    QTRY_COMPARE_WITH_TIMEOUT(info(), QString("Install Completed"), 3000);
}

void TestRoad::initialiseFindsTheWinePrefix()
{
    serveCatalogue(standardCatalogue());
    window = std::make_unique<Zerun>();
    ModalScript none({});
    QVERIFY(window->initialise());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    QCOMPARE(none.unexpected(), 0);
}

void TestRoad::initialiseWithoutGameFolder_data()
{
    QTest::addColumn<bool>("pointedAt");
    QTest::newRow("left unknown") << false;
    QTest::newRow("pointed at on the first-start page") << true;
}

void TestRoad::initialiseWithoutGameFolder()
{
    QFETCH(bool, pointedAt);

    QTemporaryDir emptyPrefix;
    qputenv("WINEPREFIX", emptyPrefix.path().toUtf8());
    serveCatalogue(standardCatalogue());
    window = std::make_unique<Zerun>();
    // Nothing found: no question here, the start-up shows its page instead.
    ModalScript none({});
    QVERIFY(!window->initialise());
    QTest::qWait(200);
    QVERIFY(!host->requests().contains("GET /files/index.dat"));
    if (pointedAt) {
        window->setGameFolder(game());
        QVERIFY(window->initialise());
        QTRY_COMPARE(repoList(*window)->count(), 3);
    }
    QCOMPARE(none.unexpected(), 0);
}

void TestRoad::installFromDisk_data()
{
    // `archive`: "mod", "pictures" (mostly images), "skin", "not a zip" or "damaged" (a stored
    // entry with wrong bytes). `dropOn`: the widget the file manager drops it on.
    QTest::addColumn<QString>("archive");
    QTest::addColumn<QString>("dropOn");
    QTest::addColumn<QString>("likely");  // the kind offered first; empty: never asked
    QTest::addColumn<QString>("folder");  // relative to the game folder; empty: nothing installed
    QTest::addColumn<QString>("message"); // the last message shown starts so

    QTest::newRow("a mod on the download list")
        << QString("mod") << QString("file_list") << QString("Mod DB")
        << QString("Databases/DiskMod") << QString("Installed the Mod DB Real World");
    QTest::newRow("pictures on the package list")
        << QString("pictures") << QString("repo_list") << QString("Picture Pack")
        << QString("Pictures/DiskPics") << QString("Installed the Picture Pack Real World");
    QTest::newRow("a skin on the page")
        << QString("skin") << QString("page") << QString("Skin") << QString("Skins/DiskSkin")
        << QString("Installed the Skin Real World");
    QTest::newRow("not a zip") << QString("not a zip") << QString("page") << QString() << QString()
                               << QString("Could not install Real World:\n\nCouldn't open zip: "
                                          "not a readable zip archive");
    // A damaged entry is found before the kind and the folder are asked.
    QTest::newRow("damaged")
        << QString("damaged") << QString("file_list") << QString() << QString()
        << QString("Could not install Real World:\n\ndata/a.txt could not be unpacked");
}

void TestRoad::installFromDisk()
{
    QFETCH(QString, archive);
    QFETCH(QString, dropOn);
    QFETCH(QString, likely);
    QFETCH(QString, folder);
    QFETCH(QString, message);

    // Named like a catalogue package: the catalogue entry must stay unmarked.
    QTemporaryDir player;
    const QString path = player.filePath("Real World.zip");
    QMap<QString, QByteArray> files{{"readme.txt", "from disk\n"}, {"data/a.txt", "a content"}};
    if (archive == "pictures")
        files = {{"faces/one.png", "png one"}, {"faces/two.jpg", "jpg two"}, {"list.txt", "x"}};
    else if (archive == "skin")
        files = {{"skin.ini", "[skin]\n"}, {"bg/back.png", "bg"}};
    QTemporaryDir source;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QVERIFY(writeFile(source.filePath(it.key()), it.value()));
    if (archive == "not a zip") {
        QVERIFY(writeFile(path, "<html>not found</html>"));
    } else {
        QProcess zip;
        zip.setWorkingDirectory(source.path());
        zip.start("zip", {"-q", "-0", "-r", path, "."});
        QVERIFY(zip.waitForFinished(30000));
        QCOMPARE(zip.exitCode(), 0);
        if (archive == "damaged")
            QVERIFY(damageEntry(path, "a content"));
    }
    const QByteArray archiveBytes = TestFiles::read(path);

    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    const QMap<QString, QByteArray> before = TestFiles::tree(game());

    QList<ModalScript::Step> steps;
    if (!likely.isEmpty())
        steps << ModalScript::clickButton(likely)
              << ModalScript::acceptText(
                     QFileInfo(folder.isEmpty() ? "X/DiskMod" : folder).fileName());
    // A failure carries the error icon, an install the information icon.
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    steps << [&icon](QWidget *modal) {
        icon = qobject_cast<QMessageBox *>(modal)->icon();
        ModalScript::clickButton("OK")(modal);
    };
    ModalScript script(steps);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWidget *target =
        dropOn == "page"
            ? child<QWidget>(*window, "page")
            : child<QAbstractItemView>(*window, dropOn.toUtf8().constData())->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 20000);
    QCOMPARE(script.unexpected(), 0);
    if (!likely.isEmpty())
        QVERIFY2(script.seen().first().label.endsWith("it looks like a " + likely + "."),
                 qPrintable(script.seen().first().label));
    QVERIFY2(script.seen().last().label.startsWith(message),
             qPrintable(script.seen().last().label));
    QCOMPARE(icon, folder.isEmpty() ? QMessageBox::Critical : QMessageBox::Information);

    // The player's archive is where it was, as it was.
    QCOMPARE(TestFiles::read(path), archiveBytes);
    QMap<QString, QByteArray> expected = before;
    InstalledPackages records;
    QVERIFY(records.load());
    if (folder.isEmpty()) {
        QCOMPARE(TestFiles::tree(game()), before);
        QVERIFY(records.all().isEmpty());
        return;
    }
    // Whole-tree: the package's files in its folder, nothing else touched.
    const QMap<QString, QByteArray> after = TestFiles::tree(game());
    expected.insert(folder + "/", QByteArray());
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        expected.insert(folder + "/" + it.key(), it.value());
        if (it.key().contains('/'))
            expected.insert(folder + "/" + it.key().section('/', 0, 0) + "/", QByteArray());
    }
    if (folder.startsWith("Databases"))
        expected.insert(folder + "/SaveGames/", QByteArray());
    QCOMPARE(after, expected);

    QCOMPARE(records.all().size(), 1);
    const InstalledPackage record = records.all().first();
    QCOMPARE(record.name, QString("Real World"));
    QVERIFY(record.fromDisk);
    QVERIFY(record.url.isEmpty());
    QCOMPARE(record.folder, folder);
    // The catalogue's package of that name is not marked, and no update check asks about it.
    const RepoList repo = repoList(*window);
    for (int row = 0; row < repo->count(); ++row)
        QCOMPARE(repo->item(row)->data(Zerun::markRole).toInt(), int(Zerun::NotInstalled));
    QVERIFY(!host->requests().join('\n').contains("realworld.zip"));
    // The Installed view lists it, from disk.
    child<QComboBox>(*window, "repo_filter")->setCurrentIndex(Zerun::installedFilter);
    const QStringList shown = texts("repo_list");
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().startsWith("Real World" +
                                      QString(archive == "pictures" ? " [Pic Pack]"
                                              : archive == "skin"   ? " [Skin]"
                                                                    : " [Mod]") +
                                      " (from disk)  \u2014 " + folder + ", installed "),
             qPrintable(shown.first()));
}

void TestRoad::verifyInstalledPackage()
{
    // Installed through the window, then changed by the player; Verify shows what changed.
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Real World [Mod]");
    {
        // Gone before the next script, which must get every dialog that follows.
        ModalScript install({ModalScript::acceptText("RealWorld")});
        download(install);
    }
    QTest::mouseClick(child<QPushButton>(*window, "back"), Qt::LeftButton);
    QVERIFY(QFile::remove(game("Databases/RealWorld/readme.txt")));
    QVERIFY(writeFile(game("Databases/RealWorld/data/promotions.txt"), "mine"));
    QVERIFY(writeFile(game("Databases/RealWorld/notes.txt"), "my notes"));

    const RepoList repo = repoList(*window);
    auto *verify = child<QPushButton>(*window, "verify_package");
    repo->clearSelection();
    QVERIFY(!verify->isEnabled());
    repo->setCurrentItem(repo->findItems("Real World [Mod]", Qt::MatchExactly).first());
    QVERIFY(verify->isEnabled());
    QString report;
    ModalScript script({[&](QWidget *modal) {
        report = child<QPlainTextEdit>(*modal, "report_text")->toPlainText();
        ModalScript::reject()(modal);
    }});
    QTest::mouseClick(verify, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(script.finished(), 20000);
    QCOMPARE(report, QString("Real World (Databases/RealWorld): 1 missing, 1 changed\n"
                             "Missing:\n    readme.txt\n"
                             "Changed:\n    data/promotions.txt\n"
                             "Your own files (not part of the package, left alone):\n"
                             "    notes.txt"));
}

void TestRoad::repairFromTheCatalogue_data()
{
    // `hostChanged`: the host serves another archive at the address by the time of the repair.
    QTest::addColumn<bool>("hostChanged");
    QTest::newRow("the archive that was installed") << false;
    QTest::newRow("the host now serves another file") << true;
}

void TestRoad::repairFromTheCatalogue()
{
    QFETCH(bool, hostChanged);
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Real World [Mod]");
    {
        // Gone before the next script, which must get every dialog that follows.
        ModalScript install({ModalScript::acceptText("RealWorld")});
        download(install);
    }
    QTest::mouseClick(child<QPushButton>(*window, "back"), Qt::LeftButton);
    const QMap<QString, QByteArray> installed = TestFiles::tree(game());

    QVERIFY(QFile::remove(game("Databases/RealWorld/readme.txt")));
    QVERIFY(writeFile(game("Databases/RealWorld/data/promotions.txt"), "mine"));
    QVERIFY(writeFile(game("Databases/RealWorld/notes.txt"), "my notes"));
    const QMap<QString, QByteArray> broken = TestFiles::tree(game());
    if (hostChanged)
        makePackage("realworld.zip", {{"readme.txt", "Real World 2017\n"}});

    const RepoList repo = repoList(*window);
    repo->setCurrentItem(repo->findItems("Real World [Mod]", Qt::MatchExactly).first());
    QList<ModalScript::Step> steps{
        [](QWidget *modal) { child<QPushButton>(*modal, "repair_package")->click(); }};
    if (hostChanged)
        steps << ModalScript::clickButton("Cancel");
    else
        steps << ModalScript::clickButton("Take the Package's") << ModalScript::clickButton("OK");
    auto script = std::make_unique<ModalScript>(steps);
    QTest::mouseClick(child<QPushButton>(*window, "verify_package"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(script->finished(), 20000);
    QCOMPARE(script->unexpected(), 0);

    if (hostChanged) {
        QVERIFY2(script->seen().last().label.startsWith(
                     "The host now serves another file for Real World than the one installed"),
                 qPrintable(script->seen().last().label));
        QCOMPARE(TestFiles::tree(game()), broken);
        return;
    }
    QVERIFY2(script->seen().last().label.startsWith("Repaired Real World in Databases/RealWorld."),
             qPrintable(script->seen().last().label));
    // The package's files as installed; the player's notes stay, the player's edit set aside.
    QMap<QString, QByteArray> expected = installed;
    expected.insert("Databases/RealWorld/notes.txt", "my notes");
    expected.insert("Databases/RealWorld/data/promotions.txt" + PackageInstall::mineSuffix(),
                    "mine");
    QCOMPARE(TestFiles::tree(game()), expected);
    // And a second verify finds it whole.
    script.reset();
    QString report;
    ModalScript again({[&](QWidget *modal) {
        report = child<QPlainTextEdit>(*modal, "report_text")->toPlainText();
        ModalScript::reject()(modal);
    }});
    repo->setCurrentItem(repo->findItems("Real World [Mod]", Qt::MatchExactly).first());
    QTest::mouseClick(child<QPushButton>(*window, "verify_package"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(again.finished(), 20000);
    QVERIFY2(report.startsWith("Real World (Databases/RealWorld): All 2 files as installed"),
             qPrintable(report));
}

void TestRoad::updateAll_data()
{
    // `changed`: the packages whose archive the host replaces; `edit`: the player changed a
    // file of Neat Skin that its new version replaces.
    QTest::addColumn<QStringList>("changed");
    QTest::addColumn<bool>("edit");
    QTest::newRow("nothing to update") << QStringList() << false;
    QTest::newRow("one update") << QStringList{"faces"} << false;
    QTest::newRow("two updates") << QStringList{"faces", "neatskin"} << false;
    QTest::newRow("two updates, a player edit in one") << QStringList{"faces", "neatskin"} << true;
}

void TestRoad::updateAll()
{
    QFETCH(QStringList, changed);
    QFETCH(bool, edit);
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    addToList("Faces [Pic Pack]");
    addToList("Neat Skin [Skin]");
    {
        ModalScript install(
            {ModalScript::acceptText("Faces"), ModalScript::acceptText("NeatSkin")});
        download(install);
    }
    window.reset();

    if (edit)
        QVERIFY(writeFile(game("Skins/NeatSkin/skin.ini"), "the player's skin"));
    QMap<QString, QByteArray> expected = TestFiles::tree(game());
    if (changed.contains("faces")) {
        QFile::remove(site->filePath("files/faces.zip"));
        makePackage("faces.zip", {{"faces/one.txt", "face one, v2"}, {"faces/three.txt", "three"}});
        expected.insert("Pictures/Faces/faces/one.txt", "face one, v2");
        expected.remove("Pictures/Faces/faces/two.txt");
        expected.insert("Pictures/Faces/faces/three.txt", "three");
    }
    if (changed.contains("neatskin")) {
        QFile::remove(site->filePath("files/neatskin.zip"));
        makePackage("neatskin.zip", {{"skin.ini", "[skin]\nname=Neat 2\n"}, {"bg/back.txt", "bg"}});
        // Keep Mine: the package's version goes beside the player's.
        expected.insert("Skins/NeatSkin/skin.ini" + (edit ? PackageInstall::newSuffix() : ""),
                        "[skin]\nname=Neat 2\n");
    }
    // A repair's work folder that a killed run left behind goes at the next start.
    QVERIFY(writeFile(AppPaths::downloadsFolder() + "/repair-Ab12Cd/faces.zip", "partial"));

    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    QVERIFY(!QFileInfo::exists(AppPaths::downloadsFolder() + "/repair-Ab12Cd"));
    QTRY_VERIFY(host->requests().contains("HEAD /files/faces.zip") &&
                host->requests().contains("HEAD /files/neatskin.zip"));
    auto *button = child<QPushButton>(*window, "update_all");
    if (changed.isEmpty()) {
        QTest::qWait(100);
        QVERIFY(button->isHidden());
        QCOMPARE(TestFiles::tree(game()), expected);
        return;
    }
    QTRY_COMPARE(button->text(), QString("&Update all (%1)").arg(changed.size()));
    QVERIFY(!button->isHidden());
    if (changed.size() == 2 && !edit) {
        child<QComboBox>(*window, "repo_filter")->setCurrentIndex(Zerun::installedFilter);
        const RepoList repo = repoList(*window);
        repo->setCurrentRow(0);
        window->resize(700, 360);
        screenshot("installed-view");
    }
    QList<ModalScript::Step> steps;
    if (edit)
        steps << ModalScript::clickButton("Keep Mine");
    ModalScript script(steps);
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(child<QPushButton>(*window, "quit")->isVisible(), 20000);
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected(), 0);
    QCOMPARE(TestFiles::tree(game()), expected);
    QVERIFY(button->isHidden());
}

void TestRoad::exportImport_data()
{
    // `installed`: catalogue lines (after the host's address) recorded as installed from the
    // catalogue; Neat Skin is recorded as installed from disk in every row. `appended`: lines
    // added to the exported file before it is read back; `listed`: the download list after.
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QByteArray>("appended");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("report");
    const QStringList both{"faces.zip,pics,Faces", "realworld.zip,mods,Real World"};
    const QStringList bothListed{"Faces [Pic Pack]", "Real World [Mod]"};
    QTest::newRow("round trip") << both << QByteArray() << bothListed
                                << "Added 2 packages to the download list.";
    QTest::newRow("a line the catalogue lacks")
        << both << QByteArray("http://elsewhere/files/gone.zip,skin,Gone\r\n") << bothListed
        << "Added 2 packages to the download list.\n\nNot in the package list:\n    Gone [Skin]";
    QTest::newRow("garbage lines")
        << QStringList(both.mid(0, 1))
        << QByteArray("\n<html>\x01\nhttp://h/a.zip,mods,A,B\n,skin,\n")
        << QStringList(bothListed.mid(0, 1))
        << "Added 1 package to the download list.\n\nLines that could not be read (nothing "
           "was added for them):\n    line 3: <html>\x01\n    line 4: http://h/a.zip,mods,A,B\n"
           "    line 5: ,skin,";
    // Nothing to export: the player is told so before any file is chosen, and none is written.
    QTest::newRow("only a package from disk")
        << QStringList() << QByteArray() << QStringList()
        << "There is nothing to export: no installed package came from the package list.";
}

void TestRoad::exportImport()
{
    QFETCH(QStringList, installed);
    QFETCH(QByteArray, appended);
    QFETCH(QStringList, listed);
    QFETCH(QString, report);
    const QString base = host->baseUrl().toString() + "/files/";
    QStringList lines{"-,skin,Neat Skin"};
    for (const QString &line : installed)
        lines << base + line;
    {
        InstalledPackages records;
        QVERIFY(records.load());
        for (const QString &line : qAsConst(lines)) {
            const QStringList fields = line.split(',');
            InstalledPackage package;
            package.fromDisk = fields.at(0) == "-";
            package.url = package.fromDisk ? QString() : fields.at(0);
            package.kind = fields.at(1);
            package.name = fields.at(2);
            package.folder = "Skins/" + package.name;
            QVERIFY(records.put(package));
        }
    }
    openWindow(standardCatalogue());
    QTRY_COMPARE(repoList(*window)->count(), 3);
    QTemporaryDir shared;
    const QString path = shared.filePath("set-up.txt");
    const auto answer = [this, &path](const char *button, const ModalScript::Step &last) {
        ModalScript script({[&path](QWidget *modal) {
                                qobject_cast<QFileDialog *>(modal)->selectFile(path);
                                qobject_cast<QDialog *>(modal)->accept();
                            },
                            last});
        QTest::mouseClick(child<QPushButton>(*window, button), Qt::LeftButton);
        QTRY_VERIFY(script.finished());
        QCOMPARE(script.unexpected(), 0);
    };
    if (installed.isEmpty()) {
        QString told;
        ModalScript script({[&told](QWidget *modal) {
            for (const QLabel *label : modal->findChildren<QLabel *>())
                told += label->text();
            ModalScript::clickButton("OK")(modal);
        }});
        QTest::mouseClick(child<QPushButton>(*window, "export_list"), Qt::LeftButton);
        QTRY_VERIFY(script.finished());
        QCOMPARE(script.unexpected(), 0);
        QVERIFY2(told.contains(report), qPrintable(told));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(TestFiles::tree(shared.path()), (QMap<QString, QByteArray>{}));
        return;
    }
    answer("export_list", ModalScript::clickButton("OK"));
    // Catalogue lines, nothing of the package from disk.
    const QByteArray exported = TestFiles::read(path);
    QStringList written = QString::fromUtf8(exported).split('\n', Qt::SkipEmptyParts);
    written.sort();
    QCOMPARE(written, lines.mid(1));

    QVERIFY(writeFile(path, exported + appended));
    QString shown;
    answer("import_list", [&shown](QWidget *modal) {
        shown = child<QPlainTextEdit>(*modal, "report_text")->toPlainText();
        ModalScript::reject()(modal);
    });
    QCOMPARE(shown, report);
    QStringList onList = texts("file_list");
    onList.sort();
    QCOMPARE(onList, listed);
}

QTEST_MAIN(TestRoad)
#include "tst_road.moc"
