// An install killed at any moment (SIGKILL: nothing of the program runs afterwards) leaves the
// game folder, once the installer has started again, either as it was or with the whole
// package, and nothing of the run anywhere.

#include "apppaths.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "startup.h"
#include "testfiles.h"
#include "unpacktransaction.h"
#include "zerun.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString gamePath = "drive_c/Program Files (x86)/GDS/TEW2016/";

int copyTree(const QString &from, const QString &to)
{
    QDir(to).removeRecursively();
    return QProcess::execute("cp", {"-a", from, to});
}

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
    void killedChangeIsFinishedOrUndone_data();
    void killedChangeIsFinishedOrUndone();

private:
    // Starts the installer again the way a player does: the window's initialise().
    void startAgain();
    QStringList installArguments(const QString &archive) const;
    // The change run to its end; its duration, or -1.
    qint64 runToTheEnd(const QStringList &arguments);
    // The record of the package and whether the disk holds what it names, in one text.
    QString recordState() const;

    QTemporaryDir box;
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

void TestInstallKill::startAgain()
{
    Zerun window;
    QVERIFY(window.initialise());
}

QStringList TestInstallKill::installArguments(const QString &zip) const
{
    return {"install", zip, game, target, "Big Mod", "package"};
}

qint64 TestInstallKill::runToTheEnd(const QStringList &arguments)
{
    QElapsedTimer clock;
    clock.start();
    QProcess change;
    change.start(program, arguments);
    change.waitForFinished(120000);
    return change.exitCode() == 0 ? clock.elapsed() : -1;
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
    restoreRecords(box.filePath("no-records"));
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

    const qint64 whole = runToTheEnd(arguments);
    QVERIFY(whole > 0);
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

    // Kill points spread over the run, and the moments the journal says files are moving and
    // that they are all in place.
    QList<qint64> delays;
    for (const int percent : {3, 10, 20, 35, 50, 65, 80, 90, 97})
        delays << whole * percent / 100;
    delays << -1 << -2;
    int sawOld = 0;
    int sawNew = 0;
    for (const qint64 delay : qAsConst(delays)) {
        reset();
        QCOMPARE(TestFiles::tree(game), before);
        QProcess process;
        process.start(program, arguments);
        QVERIFY(process.waitForStarted());
        if (delay >= 0) {
            QTest::qWait(int(delay));
        } else {
            const QByteArray phase = delay == -1 ? "\"committing\"" : "\"committed\"";
            QElapsedTimer waited;
            waited.start();
            bool reached = false;
            while (!reached && waited.elapsed() < 60000 && process.state() == QProcess::Running) {
                const QStringList journals =
                    QDir(InstallRecovery::journalFolder()).entryList(QDir::Files);
                for (const QString &name : journals)
                    reached |= TestFiles::read(InstallRecovery::journalFolder() + "/" + name)
                                   .contains(phase);
                if (!reached)
                    QThread::usleep(100);
            }
        }
        process.kill();
        process.waitForFinished();

        startAgain();
        const QMap<QString, QByteArray> now = TestFiles::tree(game);
        const QString record = recordState();
        const bool old = now == before && record == recordBefore;
        const bool whole = now == after && record == recordAfter;
        QVERIFY2(old || whole, qPrintable(QString("after a kill at %1 ms the game folder and the "
                                                  "record are neither the old nor the new")
                                              .arg(delay)));
        sawOld += old ? 1 : 0;
        sawNew += whole ? 1 : 0;
        QCOMPARE(QDir(InstallRecovery::journalFolder()).entryList(QDir::Files), QStringList());
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            QVERIFY2(!it.key().contains(UnpackTransaction::workPrefix()), qPrintable(it.key()));
    }
    qInfo("kills that left the old state: %d, the whole new one: %d", sawOld, sawNew);
}

QTEST_MAIN(TestInstallKill)
#include "tst_installkill.moc"
