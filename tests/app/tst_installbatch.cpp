#include "apppaths.h"
#include "installbatch.h"
#include "packagekind.h"
#include "roadfixture.h"
#include "startup.h"
#include "testfiles.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// The player, played from a script: one answer per question, in the order they come. A text is
// typed and accepted, an empty one cancels; a choice is the button of that text.
class ScriptedQuestions : public BatchQuestions
{
public:
    struct Answer
    {
        // Closed: the question's window closed without a choice (its close button).
        enum Kind { Text, CancelText, Choice, Closed } kind;
        QString value;
        // A slow player: the answer is given only once this holds (the event loop runs
        // meanwhile); unset answers at once.
        std::function<bool()> until = nullptr;
    };

    QList<Answer> answers;
    // Every question as it was asked (its label or text), and every message.
    QStringList asked;
    QStringList titles;
    QStringList told;
    int unexpected = 0;
    // Slow answers whose condition never came true.
    int notMet = 0;

    void waitForTurn() override {}
    bool askText(const QString &title, const QString &label, QString *text) override
    {
        titles << title;
        asked << label;
        const Answer answer = next(Answer::Text);
        if (answer.until && !QTest::qWaitFor(answer.until, 20000))
            ++notMet;
        if (answer.kind != Answer::Text)
            return false;
        *text = answer.value;
        return true;
    }
    int ask(const QString &title, const QString &text, const QStringList &choices, int,
            int escapeChoice) override
    {
        titles << title;
        asked << text;
        const Answer answer = next(Answer::Choice);
        if (answer.kind == Answer::Closed)
            return -1;
        return answer.kind == Answer::Choice ? int(choices.indexOf(answer.value)) : escapeChoice;
    }
    void post(const QString &title, const QString &text, const QStringList &choices,
              int defaultChoice, int escapeChoice, std::function<void(int)> answered) override
    {
        // Answered on a later turn of the event loop, while the batch goes on.
        const int choice = ask(title, text, choices, defaultChoice, escapeChoice);
        QTimer::singleShot(0, [answered, choice] { answered(choice); });
    }
    void withdraw() override {}
    void tell(const QString &, const QString &text) override { told << text; }
    bool report(const QString &, const QString &, const QString &detail, bool) override
    {
        told << detail;
        return false;
    }
    QString pickArchive(const QString &) override { return QString(); }

private:
    Answer next(Answer::Kind wanted)
    {
        const bool fits = !answers.isEmpty() &&
                          (answers.first().kind == wanted ||
                           (wanted == Answer::Choice && answers.first().kind == Answer::Closed) ||
                           (wanted == Answer::Text && answers.first().kind == Answer::CancelText));
        if (!fits) {
            ++unexpected;
            return {Answer::CancelText, QString()};
        }
        return answers.takeFirst();
    }
};

ScriptedQuestions::Answer typed(const QString &text)
{
    return {ScriptedQuestions::Answer::Text, text};
}

// Typed once `until` holds.
ScriptedQuestions::Answer typedWhen(const QString &text, std::function<bool()> until)
{
    return {ScriptedQuestions::Answer::Text, text, std::move(until)};
}

ScriptedQuestions::Answer noFolder()
{
    return {ScriptedQuestions::Answer::CancelText, QString()};
}

ScriptedQuestions::Answer closed()
{
    return {ScriptedQuestions::Answer::Closed, QString()};
}

ScriptedQuestions::Answer chosen(const QString &button)
{
    return {ScriptedQuestions::Answer::Choice, button};
}

QByteArray noise(int size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(31);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// The package files of the sample archives as the game tree holds them after an install.
void addPackage(QMap<QString, QByteArray> &tree, const QString &folder,
                const QMap<QString, QByteArray> &files)
{
    tree.insert(folder + "/", QByteArray());
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QString parent = QFileInfo(folder + "/" + it.key()).path();
        while (parent != folder) {
            tree.insert(parent + "/", QByteArray());
            parent = QFileInfo(parent).path();
        }
        tree.insert(folder + "/" + it.key(), it.value());
    }
}

} // namespace

// Whole batches without a window: the local package host, real archives, a real game folder and
// the player's answers from a script.
class TestInstallBatch : public QObject, public RoadFixture
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { setUpRoad(); }
    void cleanup() { tearDownRoad(); }

    void mixedBatchThenRetry();
    void cancelAnswers_data();
    void cancelAnswers();
    void downloadsOverlapASlowAnswer_data();
    void downloadsOverlapASlowAnswer();
    void leavingAQuestion_data();
    void leavingAQuestion();
    void kindEndsAName_data();
    void kindEndsAName();

private:
    // Runs the batch that `start` begins until it is over.
    void runBatch(InstallBatch &batch, const std::function<bool()> &start);
    QString outcomes(const InstallBatch &batch) const
    {
        QStringList lines;
        for (int position = 0; position < batch.packages().size(); ++position)
            lines << batch.outcomeLine(position, Wording::Log);
        // How much of a cut-off download was kept depends on the moment it was cut off.
        return lines.join('\n').replace(QRegularExpression("; [^;]* of [^;]* kept,"), "; kept,");
    }

    const QMap<QString, QByteArray> realWorld{
        {"readme.txt", "Real World 2016\n"},
        {"data/promotions.txt", "Federation A\nFederation B\n"}};
    const QMap<QString, QByteArray> neatSkin{{"skin.ini", "[skin]\nname=Neat\n"},
                                             {"bg/back.txt", "bg"}};
    const QMap<QString, QByteArray> faces{{"faces/one.txt", "face one"},
                                          {"faces/two.txt", "face two"}};
};

void TestInstallBatch::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("Info-ZIP zip is needed to make the sample archives");
}

void TestInstallBatch::runBatch(InstallBatch &batch, const std::function<bool()> &start)
{
    QVERIFY(start());
    QVERIFY(batch.isRunning());
    QTRY_VERIFY_WITH_TIMEOUT(!batch.isRunning(), 30000);
}

void TestInstallBatch::mixedBatchThenRetry()
{
    const QMap<QString, QByteArray> big{{"data/big.bin", noise(120000)}};
    makePackage("big.zip", big);
    host->setThrottle("/files/big.zip", 20000);
    host->setError("/files/missing.zip", 404, "not here");
    TestFiles::write(site->filePath("files/damaged.zip"), QByteArray(4000, 'z'));
    // The player's own folder of the skin's name, with a file of theirs.
    TestFiles::write(game("Skins/Neat/mine.txt"), "the player's own");
    const QMap<QString, QByteArray> before = TestFiles::tree(game());

    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    QVector<CatalogueEntry> catalogue;
    for (const auto &line : QList<QStringList>{{"realworld.zip", "mods", "Good"},
                                               {"missing.zip", "pics", "Missing"},
                                               {"damaged.zip", "skin", "Damaged"},
                                               {"faces.zip", "pics", "Faces"},
                                               {"big.zip", "mods", "Big"},
                                               {"neatskin.zip", "skin", "Neat Skin"}})
        catalogue << CatalogueEntry{QString::fromUtf8(base) + line.at(0), line.at(1), line.at(2)};

    InstalledPackages records;
    QVERIFY(records.load());
    ScriptedQuestions player;
    InstallBatch batch(records, player);
    batch.setGameFolder(gameFolder);
    // Skip only the big package, once its download is under way.
    bool cancelled = false;
    connect(&batch.manager(), &DownloadManager::bytesProgress, this, [&](qint64 done, qint64) {
        if (!cancelled && done > 0 && batch.current() == 4) {
            cancelled = true;
            QVERIFY(!batch.cancel(false));
        }
    });
    // The skin's folder exists: the player chooses to update it.
    player.answers = {typed("Good"), noFolder(), chosen("Skip This Package"), typed("Neat"),
                      chosen("Update")};
    runBatch(batch, [&] { return batch.start(catalogue, {5, 4, 3, 2, 1, 0}); });
    QVERIFY(cancelled);
    QVERIFY(player.answers.isEmpty());
    QCOMPARE(player.unexpected, 0);
    QCOMPARE(outcomes(batch),
             QString("Good [Mod] \u2192 Databases/Good: installed\n"
                     "Missing [Pic Pack]: failed \u2014 not found on the server (HTTP 404)\n"
                     "Damaged [Skin]: failed \u2014 Couldn't open zip: not a readable zip "
                     "archive\n"
                     "Faces [Pic Pack]: skipped \u2014 no folder chosen\n"
                     "Big [Mod]: skipped \u2014 cancelled; kept, the next download resumes it\n"
                     "Neat Skin [Skin] \u2192 Skins/Neat: installed"));
    QVERIFY(!batch.allInstalled());
    QMap<QString, QByteArray> expected = before;
    addPackage(expected, "Databases/Good", realWorld);
    expected.insert("Databases/Good/SaveGames/", QByteArray());
    addPackage(expected, "Skins/Neat", neatSkin);
    QCOMPARE(TestFiles::tree(game()), expected);
    QVERIFY(QDir(AppPaths::downloadsFolder()).entryList({"*.zip"}, QDir::Files).isEmpty());
    QVERIFY(records.find("Good", "mods") && records.find("Neat Skin", "skin"));

    // Retry runs the four that did not install, in queue order; the missing one is there now.
    host->clearRules();
    makePackage("missing.zip", {{"faces/found.txt", "found"}});
    player.answers = {typed("Found"), typed("Faces"), typed("Big")};
    runBatch(batch, [&] { return batch.retryFailed(); });
    QVERIFY(player.answers.isEmpty());
    QCOMPARE(player.unexpected, 0);
    QCOMPARE(outcomes(batch),
             QString("Missing [Pic Pack] \u2192 Pictures/Found: installed\n"
                     "Damaged [Skin]: failed \u2014 Couldn't open zip: not a readable zip "
                     "archive\n"
                     "Faces [Pic Pack] \u2192 Pictures/Faces: installed\n"
                     "Big [Mod] \u2192 Databases/Big: installed"));
    addPackage(expected, "Pictures/Found", {{"faces/found.txt", "found"}});
    addPackage(expected, "Pictures/Faces", faces);
    addPackage(expected, "Databases/Big", big);
    expected.insert("Databases/Big/SaveGames/", QByteArray());
    QCOMPARE(TestFiles::tree(game()), expected);
    QCOMPARE(batch.installedEntries(), (QSet<int>{0, 1, 3, 4, 5}));
}

void TestInstallBatch::cancelAnswers_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("go on") << "Go On"
                           << QStringList{"Big [Mod] \u2192 Databases/Big: installed",
                                          "Neat Skin [Skin] \u2192 Skins/Neat: installed"};
    QTest::newRow("skip one")
        << "Skip This Package"
        << QStringList{"Big [Mod]: skipped \u2014 cancelled; kept, the next download resumes it",
                       "Neat Skin [Skin] \u2192 Skins/Neat: installed"};
    QTest::newRow("stop all") << "Stop the Batch"
                              << QStringList{
                                     "Big [Mod]: skipped \u2014 cancelled; kept, the next "
                                     "download resumes it",
                                     "Neat Skin [Skin]: skipped \u2014 the batch was stopped"};
}

void TestInstallBatch::cancelAnswers()
{
    QFETCH(QString, choice);
    QFETCH(QStringList, lines);
    const QMap<QString, QByteArray> big{{"data/big.bin", noise(60000)}};
    makePackage("big.zip", big);
    host->setThrottle("/files/big.zip", 30000);
    const QMap<QString, QByteArray> before = TestFiles::tree(game());
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    const QVector<CatalogueEntry> catalogue = {
        {QString::fromUtf8(base + "big.zip"), "mods", "Big"},
        {QString::fromUtf8(base + "neatskin.zip"), "skin", "Neat Skin"}};
    InstalledPackages records;
    QVERIFY(records.load());
    ScriptedQuestions player;
    InstallBatch batch(records, player);
    batch.setGameFolder(gameFolder);
    bool asked = false;
    connect(&batch.manager(), &DownloadManager::bytesProgress, this, [&](qint64 done, qint64) {
        if (!asked && done > 0) {
            asked = true;
            batch.cancel(false);
        }
    });
    player.answers = {chosen(choice)};
    if (choice == "Go On")
        player.answers << typed("Big");
    if (choice != "Stop the Batch")
        player.answers << typed("Neat");
    runBatch(batch, [&] { return batch.start(catalogue, {0, 1}); });
    QVERIFY(player.answers.isEmpty());
    QCOMPARE(player.unexpected, 0);
    QCOMPARE(outcomes(batch), lines.join('\n'));

    QMap<QString, QByteArray> expected = before;
    if (choice == "Go On") {
        addPackage(expected, "Databases/Big", big);
        expected.insert("Databases/Big/SaveGames/", QByteArray());
    }
    if (choice != "Stop the Batch")
        addPackage(expected, "Skins/Neat", neatSkin);
    else
        QVERIFY(!host->requests().contains("GET /files/neatskin.zip"));
    QCOMPARE(TestFiles::tree(game()), expected);
    if (choice == "Stop the Batch")
        QVERIFY(QRegularExpression("^Stopped. Installed 0 of 2 package.* The partial download "
                                   "is kept: downloading the package again resumes it.$")
                    .match(batch.ending().info)
                    .hasMatch());
}

void TestInstallBatch::downloadsOverlapASlowAnswer_data()
{
    // The second package's archive on the host, and how the batch ends.
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("next one saved while asked")
        << "faces.zip"
        << QStringList{"Neat Skin [Skin] \u2192 Skins/Neat: installed",
                       "Second [Pic Pack] \u2192 Pictures/Second: installed",
                       "Good [Mod] \u2192 Databases/Good: installed"};
    QTest::newRow("same file name while it waits")
        << "other/neatskin.zip"
        << QStringList{"Neat Skin [Skin] \u2192 Skins/Neat: installed",
                       "Second [Pic Pack] \u2192 Pictures/Second: installed",
                       "Good [Mod] \u2192 Databases/Good: installed"};
    QTest::newRow("next one fails while asked")
        << "missing.zip"
        << QStringList{"Neat Skin [Skin] \u2192 Skins/Neat: installed",
                       "Second [Pic Pack]: failed \u2014 not found on the server (HTTP 404)",
                       "Good [Mod] \u2192 Databases/Good: installed"};
    QTest::newRow("stop while asked")
        << "faces.zip"
        << QStringList{"Neat Skin [Skin]: skipped \u2014 cancelled",
                       "Second [Pic Pack]: skipped \u2014 the batch was stopped",
                       "Good [Mod]: skipped \u2014 cancelled",
                       "Last [Skin]: skipped \u2014 the batch was stopped"};
}

void TestInstallBatch::downloadsOverlapASlowAnswer()
{
    QFETCH(QString, second);
    QFETCH(QStringList, lines);
    const bool stop = QString(QTest::currentDataTag()) == "stop while asked";
    // Another archive of the first one's file name, with other files.
    const QMap<QString, QByteArray> other{{"other/pic.txt", "another package"}};
    QVERIFY(QDir().mkpath(site->filePath("files/other")));
    makePackage("other/neatskin.zip", other);
    host->setError("/files/missing.zip", 404, "not here");
    if (stop)
        host->setThrottle("/files/realworld.zip", 200);
    const QMap<QString, QByteArray> before = TestFiles::tree(game());
    const QString base = host->baseUrl().toString() + "/files/";
    const QVector<CatalogueEntry> catalogue = {{base + "neatskin.zip", "skin", "Neat Skin"},
                                               {base + second, "pics", "Second"},
                                               {base + "realworld.zip", "mods", "Good"},
                                               {base + "neatskin.zip", "skin", "Last"}};
    InstalledPackages records;
    QVERIFY(records.load());
    ScriptedQuestions player;
    InstallBatch batch(records, player);
    batch.setGameFolder(gameFolder);
    QSignalSpy ended(&batch.manager(), &DownloadManager::transferFinished);
    // The first folder name comes only once the next download is over (or, stopping, once the
    // batch was stopped during it): without downloads beside the question it never comes.
    bool stopAsked = false;
    const auto nextDownloadOver = [&] {
        if (!stop)
            return ended.count() >= 2;
        if (ended.count() >= 2 && !stopAsked) {
            stopAsked = true;
            batch.cancel(false);
        }
        return stopAsked && batch.packages().at(3).outcome != InstallBatch::Outcome::Pending;
    };
    player.answers = {typedWhen("Neat", nextDownloadOver)};
    if (stop)
        player.answers << chosen("Stop the Batch");
    else if (second != "missing.zip")
        player.answers << typed("Second");
    if (!stop)
        player.answers << typed("Good") << typed("Last");
    runBatch(batch, [&] { return batch.start(catalogue, {0, 1, 2, 3}); });
    QCOMPARE(player.notMet, 0);
    QVERIFY(player.answers.isEmpty());
    QCOMPARE(player.unexpected, 0);
    if (!stop)
        lines << "Last [Skin] \u2192 Skins/Last: installed";
    QCOMPARE(outcomes(batch), lines.join('\n'));

    // Each package's own files, byte for byte: a waiting archive is never replaced.
    QMap<QString, QByteArray> expected = before;
    if (!stop) {
        addPackage(expected, "Skins/Neat", neatSkin);
        if (second == "faces.zip")
            addPackage(expected, "Pictures/Second", faces);
        else if (second != "missing.zip")
            addPackage(expected, "Pictures/Second", other);
        addPackage(expected, "Databases/Good", realWorld);
        expected.insert("Databases/Good/SaveGames/", QByteArray());
        addPackage(expected, "Skins/Last", neatSkin);
    } else {
        // The downloads after the stop are never requested.
        QCOMPARE(host->requests().filter("neatskin.zip").size(), 1);
    }
    QCOMPARE(TestFiles::tree(game()), expected);
    QCOMPARE(QDir(AppPaths::downloadsFolder()).entryList({"*.zip"}, QDir::Files), QStringList());
}

void TestInstallBatch::leavingAQuestion_data()
{
    QTest::addColumn<QString>("road");  // "install", "update all" or "repair" of Neat Skin
    QTest::addColumn<QString>("title"); // of the question left
    QTest::addColumn<QString>("ended"); // the outcome line, or what the player is told
    QTest::newRow("folder name") << "install"
                                 << "Install Skin"
                                 << "Neat Skin [Skin]: skipped \u2014 no folder chosen";
    QTest::newRow("the folder exists")
        << "install"
        << "Install Skin"
        << "Neat Skin [Skin]: skipped \u2014 you chose to skip it: the folder \"Neat\" already "
           "exists";
    QTest::newRow("changed files, update all")
        << "update all"
        << "Update Skin"
        << "Neat Skin [Skin] \u2192 Skins/Neat: skipped \u2014 left as it was, as you chose; "
           "nothing was changed";
    QTest::newRow("changed files, repair") << "repair"
                                           << "Repair Skin"
                                           << "Neat Skin was left as it was: nothing was changed.";
}

void TestInstallBatch::leavingAQuestion()
{
    QFETCH(QString, road);
    QFETCH(QString, title);
    QFETCH(QString, ended);
    const QString tag = QTest::currentDataTag();
    const QVector<CatalogueEntry> catalogue = {
        {host->baseUrl().toString() + "/files/neatskin.zip", "skin", "Neat Skin"}};
    InstalledPackages records;
    QVERIFY(records.load());
    ScriptedQuestions player;
    InstallBatch batch(records, player);
    batch.setGameFolder(gameFolder);
    if (road != "install") {
        // Installed before; then the player changed one of its files.
        player.answers = {typed("Neat")};
        runBatch(batch, [&] { return batch.start(catalogue, {0}); });
        TestFiles::write(game("Skins/Neat/skin.ini"), "[skin]\nname=Mine\n");
    } else if (tag == "the folder exists") {
        TestFiles::write(game("Skins/Neat/mine.txt"), "the player's own");
    }
    const QMap<QString, QByteArray> before = TestFiles::tree(game());
    player.answers = {tag == "folder name" ? noFolder()
                      : road == "install"  ? typed("Neat")
                                           : closed()};
    if (tag == "the folder exists")
        player.answers << closed();
    if (road == "repair") {
        QCOMPARE(batch.repair(*records.find("Neat Skin", "skin"), catalogue), -1);
        QCOMPARE(player.told.last(), ended);
    } else {
        runBatch(batch, [&] { return batch.start(catalogue, {0}, road == "update all"); });
        QCOMPARE(outcomes(batch), ended);
    }
    QVERIFY(player.answers.isEmpty());
    QCOMPARE(player.unexpected, 0);
    QCOMPARE(player.titles.last(), title);
    // Nothing changed: no folder made, no "<file>.zerun-new" beside the player's file.
    QCOMPARE(TestFiles::tree(game()), before);
}

// Whether the questions leave the kind out after a name, as "the Gold Skin" for "Gold Skin".
void TestInstallBatch::kindEndsAName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("ends");
    QTest::newRow("a word") << "Gold Skin"
                            << "skin" << true;
    QTest::newRow("inside a word") << "Reskin"
                                   << "skin" << false;
    QTest::newRow("the short word") << "Super Mod"
                                    << "mods" << true;
    QTest::newRow("the label") << "Small Mod DB"
                               << "mods" << true;
    QTest::newRow("another kind's") << "Faces Mod"
                                    << "pics" << false;
}

void TestInstallBatch::kindEndsAName()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(bool, ends);
    QCOMPARE(PackageKind::find(kind)->endsName(name), ends);
}

QTEST_GUILESS_MAIN(TestInstallBatch)
#include "tst_installbatch.moc"
