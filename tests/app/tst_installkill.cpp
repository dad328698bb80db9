// An install killed at any moment (SIGKILL: nothing of the program runs afterwards) leaves the
// game folder, once the installer has started again, either as it was or with the whole
// package, and nothing of the run anywhere: no journal, no work folder, no half-written
// journal. Every kill is checked to have hit the change while it ran, at the moment it names.

#include "apppaths.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "startup.h"
#include "testfiles.h"
#include "testprofile.h"
#include "unpacktransaction.h"
#include "zerun.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

const QString gamePath = "drive_c/Program Files (x86)/GDS/TEW2016/";

int copyTree(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    return QProcess::execute("cp", {"-a", from, to});
}

// A journal's temporary file, written but not yet renamed over the journal.
// A journal's, or the package's record in `packageFolder` (written the same way).
bool journalBeingWritten(const QString &packageFolder)
{
    static const QRegularExpression temporary(
        "\\.(journal|removal|json)\\.[A-Za-z0-9]{6}$");
    const QStringList names =
        QDir(InstallRecovery::journalFolder()).entryList(QDir::Files) +
        QDir(packageFolder).entryList({".zerun-record-*"}, QDir::Files | QDir::Hidden);
    return std::any_of(names.cbegin(), names.cend(),
                       [](const QString &name) { return temporary.match(name).hasMatch(); });
}

// True once a journal (not its temporary file) holds `text`.
bool journalSays(const QByteArray &text)
{
    const QDir folder(InstallRecovery::journalFolder());
    const QStringList journals =
        folder.entryList({"*.journal", "*.removal"}, QDir::Files | QDir::Hidden);
    return std::any_of(journals.cbegin(), journals.cend(), [&](const QString &name) {
        return TestFiles::read(folder.filePath(name)).contains(text);
    });
}

// Where a kill lands: after a delay, once a journal says something, or inside the n-th journal
// write while its temporary file is held open.
struct KillPoint
{
    QString name;
    int percent = -1; // of the run's length
    qint64 delay = -1;
    QByteArray journalText;
    int journalWrite = 0;
};

// The records as files: the store and whatever it keeps beside it.
QStringList recordFiles()
{
    const QFileInfo store(InstalledPackages::defaultPath());
    return QDir(store.path()).entryList({store.fileName() + "*"}, QDir::Files);
}

void saveRecords(const QString &to)
{
    QDir(to).removeRecursively();
    QDir().mkpath(to);
    const QString from = QFileInfo(InstalledPackages::defaultPath()).path();
    for (const QString &name : recordFiles())
        QFile::copy(from + "/" + name, to + "/" + name);
}

void restoreRecords(const QString &from)
{
    const QString to = QFileInfo(InstalledPackages::defaultPath()).path();
    for (const QString &name : recordFiles())
        QFile::remove(to + "/" + name);
    for (const QString &name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + "/" + name, to + "/" + name);
}

} // namespace

class TestInstallKill : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void killedChangeIsFinishedOrUndone_data();
    void killedChangeIsFinishedOrUndone();

private:
    // Starts the installer again the way a player does: the window's initialise().
    void startAgain();
    QStringList installArguments(const QString &archive) const;
    // The change run to its end; its duration, or -1. `journalWrites` gets how many journal
    // writes it made.
    qint64 runToTheEnd(const QStringList &arguments, int *journalWrites = nullptr);
    // Starts the change and kills it at the point; true when the kill hit it while it ran, at
    // that point.
    // `ranFor` gets how long a change that ended before the kill took.
    bool killAt(const KillPoint &point, const QStringList &arguments, QString *missed,
                qint64 *ranFor);
    // The record of the package and whether the disk holds what it names, in one text.
    QString recordState() const;

    QTemporaryDir box;
    // A fresh profile for each row: nothing one row leaves in the journal folder or the records
    // reaches the next.
    std::unique_ptr<TestProfile> profile;
    QString game;
    QString target;
    QString archive;
    QString update;
    QString program;
};

void TestInstallKill::initTestCase()
{
    setInstallerIdentity();
    AppPaths::createFolders();
    program = QString(ZERUN_BIN_DIR) + "/zerun-test-install";
    QVERIFY(QFileInfo(program).isExecutable());
    game = box.filePath("prefix/" + gamePath);
    target = game + "Databases/BigMod";
    TestFiles::write(game + "TEW2016.exe", "MZ");
    for (const char *folder : {"Databases", "Pictures", "Skins"})
        QVERIFY(QDir().mkpath(game + folder));
    qputenv("WINEPREFIX", box.filePath("prefix").toUtf8());
    // Nothing answers here: the catalogue fetch fails quietly.
    qputenv("ZERUN_CATALOGUE_HOST", "http://127.0.0.1:9");

    // 600 files; the update changes a tenth of them, drops 60 and adds 60.
    archive = box.filePath("bigmod.zip");
    update = box.filePath("bigmod2.zip");
    const char *script = R"PY(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for i in range(600):
        z.writestr("data/part%02d/file%04d.txt" % (i % 30, i), ("old %d " % i).encode() * (40 + i % 50))
with zipfile.ZipFile(sys.argv[2], "w", zipfile.ZIP_DEFLATED) as z:
    for i in range(60, 660):
        word = "new" if i % 10 == 0 else "old"
        z.writestr("data/part%02d/file%04d.txt" % (i % 30, i), ("%s %d " % (word, i)).encode() * (40 + i % 50))
)PY";
    QCOMPARE(QProcess::execute("python3", {"-c", script, archive, update}), 0);
}

void TestInstallKill::init()
{
    profile.reset();
    profile = std::make_unique<TestProfile>();
    QVERIFY(profile->isValid());
    AppPaths::createFolders();
}

void TestInstallKill::startAgain()
{
    Zerun window;
    QVERIFY(window.initialise());
}

QStringList TestInstallKill::installArguments(const QString &zip) const
{
    return {"install", zip, game, target, "Big Mod", "package"};
}

qint64 TestInstallKill::runToTheEnd(const QStringList &arguments, int *journalWrites)
{
    QElapsedTimer clock;
    clock.start();
    QProcess change;
    change.start(program, arguments);
    change.waitForFinished(120000);
    const QRegularExpressionMatch writes =
        QRegularExpression("journal writes: (\\d+)").match(change.readAllStandardOutput());
    if (journalWrites)
        *journalWrites = writes.hasMatch() ? writes.captured(1).toInt() : 0;
    return change.exitStatus() == QProcess::NormalExit && change.exitCode() == 0 ? clock.elapsed()
                                                                                 : -1;
}

bool TestInstallKill::killAt(const KillPoint &point, const QStringList &arguments, QString *missed,
                             qint64 *ranFor)
{
    QElapsedTimer clock;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (point.journalWrite > 0)
        environment.insert("ZERUN_TEST_HOLD_JOURNAL_WRITE", QString::number(point.journalWrite));
    process.setProcessEnvironment(environment);
    clock.start();
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        *missed = "the change did not start";
        return false;
    }
    bool reached = true;
    if (point.delay >= 0) {
        // The wait ends early when the change ends first: then the kill would miss it.
        reached = !process.waitForFinished(int(qMax<qint64>(point.delay, 1)));
        *ranFor = clock.elapsed();
    } else {
        QElapsedTimer waited;
        waited.start();
        const auto there = [&] {
            // The held write says so itself: a temporary file of another write may be seen
            // for a moment before it is renamed.
            if (point.journalWrite > 0) {
                process.waitForReadyRead(20);
                while (process.canReadLine()) {
                    if (process.readLine().startsWith("holding journal write"))
                        return true;
                }
                return false;
            }
            return journalSays(point.journalText);
        };
        reached = false;
        while (!reached && waited.elapsed() < 60000 && process.state() == QProcess::Running) {
            reached = there();
            if (!reached)
                QThread::usleep(200);
        }
    }
    const bool running = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished();
    const bool killed = running && process.exitStatus() == QProcess::CrashExit;
    if (!reached || !killed) {
        *missed = QString("%1: %2 (exit code %3, %4)")
                      .arg(point.name, !reached ? "the change ended before it got there"
                                                : "the change had already ended")
                      .arg(process.exitCode())
                      .arg(QString::fromUtf8(process.readAll().simplified()));
        return false;
    }
    // Held open until the kill: the half-written journal is what the restart must deal with.
    if (point.journalWrite > 0 && !journalBeingWritten(target)) {
        *missed = point.name + ": no half-written journal was left";
        return false;
    }
    return true;
}

QString TestInstallKill::recordState() const
{
    InstalledPackages records;
    records.load();
    const InstalledPackage *record = records.find("Big Mod", "mods");
    if (!record)
        return "no record";
    QStringList lines{record->folder};
    for (const InstalledFile &file : records.files("Big Mod", "mods")) {
        const QString path = game + record->folder + "/" + file.path;
        lines << file.path + (InstalledPackages::sha256Of(path) == file.sha256 ? "" : " differs");
    }
    lines.sort();
    return lines.join('\n');
}

void TestInstallKill::killedChangeIsFinishedOrUndone_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("new folder") << "new";
    QTest::newRow("update of a folder with the player's files") << "over";
    QTest::newRow("update with a file the player edited") << "update";
    QTest::newRow("uninstall") << "uninstall";
}

void TestInstallKill::killedChangeIsFinishedOrUndone()
{
    QFETCH(QString, change);
    QDir(target).removeRecursively();
    QStringList arguments = installArguments(archive);
    const QString edited = target + "/data/part00/file0300.txt";
    if (change == "over") {
        // Files of the player's that the package replaces, and one of their own.
        for (int i = 0; i < 600; i += 10)
            TestFiles::write(target + QString("/data/part%1/file%2.txt")
                                          .arg(i % 30, 2, 10, QChar('0'))
                                          .arg(i, 4, 10, QChar('0')),
                             "the player's edit " + QByteArray::number(i));
        TestFiles::write(target + "/notes.txt", "the player's own");
        TestFiles::write(target + "/SaveGames/save1.sav", "a save");
    } else if (change == "update" || change == "uninstall") {
        QVERIFY(runToTheEnd(installArguments(archive)) > 0);
        TestFiles::write(edited, "the player's edit");
        TestFiles::write(target + "/notes.txt", "the player's own");
        if (change == "update")
            arguments = installArguments(update);
        else
            arguments = QStringList{"uninstall", game, "Big Mod"};
    }
    const QString pristine = box.filePath("pristine");
    const QString pristineRecords = box.filePath("pristine-records");
    const QMap<QString, QByteArray> before = TestFiles::tree(game);
    const QString recordBefore = recordState();
    QCOMPARE(copyTree(game, pristine), 0);
    saveRecords(pristineRecords);
    const auto reset = [&] {
        QCOMPARE(copyTree(pristine, game), 0);
        restoreRecords(pristineRecords);
    };

    int journalWrites = 0;
    qint64 whole = runToTheEnd(arguments, &journalWrites);
    QVERIFY(whole > 0);
    QVERIFY(journalWrites > 0);
    const QMap<QString, QByteArray> after = TestFiles::tree(game);
    const QString recordAfter = recordState();
    QVERIFY(after != before);
    QVERIFY(recordAfter != recordBefore);
    QVERIFY(!recordAfter.contains("differs"));
    if (change == "update") {
        // The player's edit survives the update beside the package's version.
        QCOMPARE(after.value("Databases/BigMod/data/part00/file0300.txt.zerun-mine"),
                 QByteArray("the player's edit"));
    }

    // Kill points spread over the run; the moments the journal says files are moving and that
    // they are all in place (an uninstall's journal says neither: it is there or not); and inside
    // every journal write, between the temporary file and its rename.
    QVector<KillPoint> points;
    for (const int percent : {3, 10, 20, 35, 50, 65, 80, 90, 97})
        points.append({QString("at %1% of the run").arg(percent), percent, 0, {}, 0});
    if (change == "uninstall") {
        points.append({"once the removal's journal is written", -1, -1, "\"removal\"", 0});
    } else {
        points.append({"while the journal says committing", -1, -1, "\"committing\"", 0});
        points.append({"once the journal says committed", -1, -1, "\"committed\"", 0});
    }
    for (int write = 1; write <= journalWrites; ++write)
        points.append({QString("inside journal write %1 of %2").arg(write).arg(journalWrites),
                       -1,
                       -1,
                       {},
                       write});

    int sawOld = 0;
    int sawNew = 0;
    for (KillPoint point : qAsConst(points)) {
        // A run may go faster than the measured one (the machine is shared): a timed kill that
        // came too late is tried again, placed by the quickest run seen, so that every kill lands
        // in a running change.
        QString missed;
        bool hit = false;
        for (int attempt = 0; attempt < 8 && !hit; ++attempt) {
            reset();
            QCOMPARE(TestFiles::tree(game), before);
            if (point.percent >= 0) {
                // Each try a little earlier again, for a run quicker than every one before.
                point.delay = qint64(whole * point.percent / 100 * std::pow(0.85, attempt));
            }
            qint64 ranFor = -1;
            hit = killAt(point, arguments, &missed, &ranFor);
            if (hit || point.percent < 0)
                break;
            qInfo("%s; trying again earlier", qPrintable(missed));
            whole = qMin(whole, ranFor);
        }
        QVERIFY2(hit, qPrintable(missed));

        startAgain();
        const QMap<QString, QByteArray> now = TestFiles::tree(game);
        const QString record = recordState();
        const bool old = now == before && record == recordBefore;
        const bool whole = now == after && record == recordAfter;
        QVERIFY2(old || whole, qPrintable(QString("after a kill %1 the game folder and the "
                                                  "record are neither the old nor the new")
                                              .arg(point.name)));
        sawOld += old ? 1 : 0;
        sawNew += whole ? 1 : 0;
        QCOMPARE(QDir(InstallRecovery::journalFolder()).entryList(QDir::Files | QDir::Hidden),
                 QStringList());
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            QVERIFY2(!it.key().contains(UnpackTransaction::workPrefix()), qPrintable(it.key()));
    }
    qInfo("kills that left the old state: %d, the whole new one: %d", sawOld, sawNew);
}

QTEST_MAIN(TestInstallKill)
#include "tst_installkill.moc"
