// A power cut at any moment of a change of the game folder leaves, once the installer has started
// again, the game folder and the records either as they were or as the change left them.
//
// The change runs in its own process with a recorder of its file-system operations (fsrecorder.c,
// through LD_PRELOAD). From the record, the states a power cut can leave are built, in the manner
// of the ALICE and CrashMonkey studies, under this persistence model:
// - every operation is atomic: a create, a rename, an unlink, a folder made or removed, and the
//   bytes of a file as they are when it is synced or closed after a write;
// - a change of names is durable once every folder it changed was synced after it (fsync of the
//   folder), bytes once their file was synced; a sync of the file system makes everything
//   durable (the test's folders share one file system);
// - an operation not yet durable may be kept or lost, each independently of the others, in any
//   order: names map to files by identity, so a move kept without the create before it still
//   moves the file, and whatever lies in a folder whose own name was lost is lost with it.
// For each cut point (after each operation), the durable operations before it are kept, and of
// the others before it (a) all are lost, (b) each one alone is lost, (c) all are kept. Each state
// is written to disk, the start-up's recovery runs on it, and the whole game folder and every
// record are compared with the old and the new. CI runs a sample of the states; with
// ZERUN_POWERCUT_ALL=1 (scripts/powercut.sh) every state runs.

#include "apppaths.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "startup.h"
#include "testfiles.h"
#include "testprofile.h"
#include "unpacktransaction.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString gamePath = "drive_c/Program Files (x86)/GDS/TEW2016/";

// One recorded operation; `file` is the identity of the file it acts on.
struct Operation
{
    QString kind;
    QString path;
    QString to;
    QByteArray bytes;
    int file = -1;
};

// Files and folders below the watched folders: names map to files by identity.
struct Disk
{
    QMap<QString, int> names;
    QSet<QString> folders;
    QHash<int, QByteArray> bytes;
    int nextFile = 0;
    // The folders by the inodes they had when the change ran: journals name folders by inode.
    QHash<QString, QString> folderOf;
};

bool isSync(const Operation &op)
{
    return op.kind.startsWith("sync");
}

QString parentOf(const QString &path)
{
    return QFileInfo(path).path();
}

QString inodeOf(const QString &path)
{
    return UnpackTransaction::folderIdentity(path).value("inode").toString();
}

// Applies one operation; with `full`, the identities of the files it acts on are learnt.
void apply(Disk &disk, Operation &op, bool full)
{
    if (op.kind == "mkdir") {
        disk.folders.insert(op.path);
        disk.folderOf.insert(op.to, op.path);
    } else if (op.kind == "rmdir") {
        disk.folders.remove(op.path);
    } else if (op.kind == "unlink") {
        disk.names.remove(op.path);
    } else if (op.kind == "create") {
        if (full)
            op.file = disk.nextFile++;
        disk.names.insert(op.path, op.file);
    } else if (op.kind == "data") {
        if (full)
            op.file = disk.names.value(op.path, -1);
        disk.bytes.insert(op.file, op.bytes);
    } else if (op.kind == "rename") {
        if (full)
            op.file = disk.names.value(op.path, -1);
        if (disk.names.value(op.path, -1) == op.file)
            disk.names.remove(op.path);
        if (op.file >= 0)
            disk.names.insert(op.to, op.file);
    }
}

// The operations of a change, from the recorder, with the first sync that makes each durable.
struct Recording
{
    QVector<Operation> ops;
    QVector<int> durableAt;

    bool read(const QString &log, const QString &blobs, Disk before)
    {
        QFile file(log);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray &line : file.readAll().split('\n')) {
            const QStringList fields = QString::fromUtf8(line).split('\t');
            if (fields.size() < 2)
                continue;
            Operation op{fields.at(0), fields.at(1), fields.value(2), {}, -1};
            if (op.kind == "data") {
                op.bytes = TestFiles::read(blobs + "/" + op.to);
                op.to.clear();
            }
            apply(before, op, true);
            ops << op;
        }
        for (int i = 0; i < ops.size(); ++i)
            durableAt << durable(i);
        return true;
    }

    int durable(int i) const
    {
        const Operation &op = ops.at(i);
        QSet<QString> waiting; // folders (or, for bytes, the file) still to be synced
        if (op.kind == "data")
            waiting << "file:" + op.path;
        else if (!isSync(op))
            waiting << parentOf(op.path);
        if (op.kind == "rename")
            waiting << parentOf(op.to);
        for (int j = i + 1; j < ops.size() && !waiting.isEmpty(); ++j) {
            const Operation &sync = ops.at(j);
            if (sync.kind == "sync")
                return j;
            waiting.remove(sync.kind == "syncfile" ? "file:" + sync.path : sync.path);
            if (waiting.isEmpty())
                return j;
        }
        return waiting.isEmpty() ? i : int(ops.size());
    }
};

// The whole of the watched folders, read from disk.
Disk readDisk(const QStringList &roots)
{
    Disk disk;
    for (const QString &root : roots) {
        const QMap<QString, QByteArray> tree = TestFiles::tree(root);
        disk.folders.insert(root);
        for (auto it = tree.cbegin(); it != tree.cend(); ++it) {
            const QString path = root + "/" + it.key();
            if (path.endsWith('/')) {
                disk.folders.insert(path.chopped(1));
                disk.folderOf.insert(inodeOf(path), path.chopped(1));
            } else {
                disk.bytes.insert(disk.nextFile, it.value());
                disk.names.insert(path, disk.nextFile++);
            }
        }
    }
    return disk;
}

// Puts a state on disk in place of what the watched folders hold. A name whose folder is not
// there is lost. Folders made again get other inodes: the journals are told the new ones.
void writeDisk(const Disk &disk, const QStringList &roots)
{
    for (const QString &root : roots) {
        for (const QFileInfo &entry : QDir(root).entryInfoList(
                 QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            if (entry.isDir())
                QDir(entry.filePath()).removeRecursively();
            else
                QFile::remove(entry.filePath());
        }
    }
    QStringList folders(disk.folders.cbegin(), disk.folders.cend());
    std::sort(folders.begin(), folders.end(),
              [](const QString &a, const QString &b) { return a.count('/') < b.count('/'); });
    const auto reachable = [&](const QString &path) {
        for (QString folder = parentOf(path); !roots.contains(folder); folder = parentOf(folder)) {
            if (!disk.folders.contains(folder) || folder == "/")
                return false;
        }
        return true;
    };
    for (const QString &folder : folders) {
        if (roots.contains(folder) || reachable(folder))
            QDir().mkdir(folder);
    }
    // One pass over the journal's text, so that an inode given out again is not mapped twice.
    static const QRegularExpression inode("\"inode\":\"(\\d+)\"");
    for (auto it = disk.names.cbegin(); it != disk.names.cend(); ++it) {
        QFile file(it.key());
        if (!reachable(it.key()) || !file.open(QIODevice::WriteOnly))
            continue;
        QString text = QString::fromUtf8(disk.bytes.value(it.value()));
        if (!it.key().contains(".journal") && !it.key().contains(".removal")) {
            file.write(disk.bytes.value(it.value()));
            continue;
        }
        QString mapped;
        int at = 0;
        for (auto match = inode.globalMatch(text); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            const QString folder = disk.folderOf.value(found.captured(1));
            mapped += text.mid(at, found.capturedStart(1) - at) +
                      (folder.isEmpty() ? found.captured(1) : inodeOf(folder));
            at = found.capturedEnd(1);
        }
        file.write((mapped + text.mid(at)).toUtf8());
    }
}

// Every record with its files, in one text.
QString recordsText()
{
    InstalledPackages records;
    records.load();
    QStringList lines;
    for (const InstalledPackage &record : records.all()) {
        lines << record.name + " " + record.kind + " " + record.folder + " " +
                     record.createdFolders.join(',');
        for (const KeptOriginal &original : record.originals)
            lines << "  original " + original.path + " " + original.keptAs;
        for (const InstalledFile &file : records.files(record.name, record.kind))
            lines << "  " + file.path + " " + QString::number(file.size) + " " + file.sha256;
    }
    return lines.join('\n');
}

} // namespace

class TestPowerCut : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cutAnywhereLeavesOldOrNew_data();
    void cutAnywhereLeavesOldOrNew();
    void damagedJournalOffersARepair_data();
    void damagedJournalOffersARepair();

private:
    bool run(const QStringList &arguments, const QString &log = QString());
    QStringList install(const QString &archive, const QString &choice) const
    {
        return {"install", archive, game, target, "Big Mod", choice};
    }
    QStringList roots() const { return {QDir::cleanPath(game), AppPaths::cacheFolder()}; }

    QTemporaryDir box;
    std::unique_ptr<TestProfile> profile;
    QString program;
    QString game;
    QString target;
    QString first;
    QString second;
};

void TestPowerCut::initTestCase()
{
    setInstallerIdentity();
    program = QString(ZERUN_BIN_DIR) + "/zerun-test-install";
    QVERIFY(QFileInfo(program).isExecutable());
    QVERIFY(QFileInfo(ZERUN_FSRECORDER).exists());
    game = box.filePath("prefix/" + gamePath);
    target = game + "Databases/BigMod";
    qputenv("WINEPREFIX", box.filePath("prefix").toUtf8());
    qputenv("ZERUN_CATALOGUE_HOST", "http://127.0.0.1:9");
    // Eight files in two folders; the second version changes two, drops two and adds two.
    first = box.filePath("first.zip");
    second = box.filePath("second.zip");
    const char *script = R"PY(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w") as z:
    z.writestr("readme.txt", b"the package's readme")
    for i in range(8):
        z.writestr("data/part%d/file%d.txt" % (i % 2, i), b"first %d" % i)
with zipfile.ZipFile(sys.argv[2], "w") as z:
    z.writestr("readme.txt", b"the package's readme, second")
    for i in range(2, 10):
        z.writestr("data/part%d/file%d.txt" % (i % 2, i), b"%s %d" % (b"second" if i % 4 == 0 else b"first", i))
)PY";
    QCOMPARE(QProcess::execute("python3", {"-c", script, first, second}), 0);
}

void TestPowerCut::init()
{
    profile.reset();
    profile = std::make_unique<TestProfile>();
    AppPaths::createFolders();
    QDir(box.filePath("prefix")).removeRecursively();
    TestFiles::write(game + "TEW2016.exe", "MZ");
    for (const char *folder : {"Databases", "Pictures", "Skins"})
        QVERIFY(QDir().mkpath(game + folder));
}

bool TestPowerCut::run(const QStringList &arguments, const QString &log)
{
    QProcess change;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!log.isEmpty()) {
        QFile::remove(log);
        QDir(log + ".blobs").removeRecursively();
        QDir().mkpath(log + ".blobs");
        environment.insert("LD_PRELOAD", ZERUN_FSRECORDER);
        environment.insert("ZERUN_FSRECORD_LOG", log);
        environment.insert("ZERUN_FSRECORD_BLOBS", log + ".blobs");
        environment.insert("ZERUN_FSRECORD_ROOTS", roots().join(':'));
    }
    change.setProcessEnvironment(environment);
    change.start(program, arguments);
    return change.waitForFinished(60000) && change.exitStatus() == QProcess::NormalExit &&
           change.exitCode() == 0;
}

void TestPowerCut::cutAnywhereLeavesOldOrNew_data()
{
    // What is there before (installed with "first", the player's edit, the game's own files),
    // then the change that is cut off.
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("change");
    QTest::newRow("new install") << QStringList() << "install first";
    QTest::newRow("install over the game's own files") << QStringList{"own"} << "install first";
    QTest::newRow("uninstall of it") << QStringList{"own", "install first"} << "uninstall";
    QTest::newRow("update keeping the player's edit")
        << QStringList{"install first", "edit"} << "install second mine";
    QTest::newRow("update taking the package's version")
        << QStringList{"install first", "edit"} << "install second package";
    QTest::newRow("repair") << QStringList{"install first", "edit", "delete"}
                            << "install first package";
    // The recovery of an update cut off halfway through its end, cut off again.
    QTest::newRow("recovery cut again")
        << QStringList{"install first", "edit", "cut install second mine"} << "recover";
}

void TestPowerCut::cutAnywhereLeavesOldOrNew()
{
    QFETCH(QStringList, before);
    QFETCH(QString, change);
    const auto arguments = [&](const QString &step) {
        const QStringList words = step.split(' ');
        if (words.first() == "install")
            return install(words.at(1) == "first" ? first : second, words.value(2, "package"));
        if (words.first() == "uninstall")
            return QStringList{"uninstall", game, "Big Mod"};
        return QStringList{"recover"};
    };
    const QString log = box.filePath("change.log");
    QMap<QString, QByteArray> oldTree;
    QMap<QString, QByteArray> newTree;
    QString oldRecords;
    QString newRecords;
    for (const QString &step : before) {
        if (step == "own") {
            TestFiles::write(target + "/readme.txt", "the game's readme");
            TestFiles::write(target + "/data/part0/file0.txt", "the game's file");
        } else if (step == "edit") {
            TestFiles::write(target + "/data/part1/file3.txt", "the player's edit");
        } else if (step == "delete") {
            QVERIFY(QFile::remove(target + "/data/part0/file2.txt"));
        } else if (step.startsWith("cut ")) {
            // The old and the new are this change's; the recovery starts from the state it
            // leaves halfway through its moves into place.
            oldTree = TestFiles::tree(game);
            oldRecords = recordsText();
            const Disk old = readDisk(roots());
            QVERIFY(run(arguments(step.mid(4)), log));
            newTree = TestFiles::tree(game);
            newRecords = recordsText();
            Recording cut;
            QVERIFY(cut.read(log, log + ".blobs", old));
            const auto phase = [&](const QByteArray &name) {
                int i = 0;
                while (i < cut.ops.size() && !cut.ops.at(i).bytes.contains(name))
                    ++i;
                return i;
            };
            Disk state = old;
            const int half = (phase("\"committing\"") + phase("\"committed\"")) / 2;
            for (int i = 0; i < half; ++i)
                apply(state, cut.ops[i], false);
            writeDisk(state, roots());
        } else {
            QVERIFY(run(arguments(step)));
        }
    }
    const bool again = !oldTree.isEmpty();
    if (!again) {
        oldTree = TestFiles::tree(game);
        oldRecords = recordsText();
    }
    const Disk start = readDisk(roots());
    QVERIFY(run(arguments(change), log));
    if (!again) {
        newTree = TestFiles::tree(game);
        newRecords = recordsText();
    }
    QCOMPARE(TestFiles::tree(game), newTree);
    QVERIFY(newTree != oldTree);
    Recording recording;
    QVERIFY(recording.read(log, log + ".blobs", start));

    // The states, each once: which operations a cut kept.
    const int count = int(recording.ops.size());
    QVector<QByteArray> states;
    QSet<QByteArray> seen;
    for (int cut = 1; cut <= count; ++cut) {
        QByteArray kept(count, '0');
        QVector<int> open;
        for (int i = 0; i < cut; ++i) {
            kept[i] = '1';
            if (!isSync(recording.ops.at(i)) && recording.durableAt.at(i) >= cut)
                open << i;
        }
        QVector<QByteArray> here{kept, kept};
        for (const int i : qAsConst(open)) {
            here[0][i] = '0';
            here << kept;
            here.last()[i] = '0';
        }
        for (const QByteArray &state : qAsConst(here)) {
            if (!seen.contains(state)) {
                seen.insert(state);
                states << state;
            }
        }
    }
    // CI takes an even sample; ZERUN_POWERCUT_ALL=1 takes every state.
    const int stride =
        qEnvironmentVariableIntValue("ZERUN_POWERCUT_ALL") ? 1 : qMax(1, int(states.size()) / 30);
    int built = 0;
    int sawOld = 0;
    int sawNew = 0;
    QStringList broken;
    const QtMessageHandler handler =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type != QtDebugMsg)
                fprintf(stderr, "%s\n", qPrintable(text));
        });
    for (int n = 0; n < states.size(); n += stride) {
        const QByteArray &kept = states.at(n);
        Disk state = start;
        QStringList lost;
        for (int i = 0; i < count; ++i) {
            if (kept.at(i) == '1')
                apply(state, recording.ops[i], false);
            else if (i < kept.lastIndexOf('1'))
                lost << QString::number(i) + " " + recording.ops.at(i).kind + " " +
                            QFileInfo(recording.ops.at(i).path).fileName();
        }
        writeDisk(state, roots());
        {
            InstalledPackages records;
            InstallRecovery::atStart(records);
        }
        ++built;
        const QMap<QString, QByteArray> tree = TestFiles::tree(game);
        const QString records = recordsText();
        const bool clean =
            QDir(InstallRecovery::journalFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty();
        const bool isOld = clean && tree == oldTree && records == oldRecords;
        const bool isNew = clean && tree == newTree && records == newRecords;
        sawOld += isOld ? 1 : 0;
        sawNew += isNew ? 1 : 0;
        if (!isOld && !isNew)
            broken << QString("cut after operation %1, lost: %2")
                          .arg(kept.lastIndexOf('1'))
                          .arg(lost.join(", "));
    }
    qInstallMessageHandler(handler);
    qInfo("%s: %d operations, %d states, %d built: %d old, %d new, %d broken",
          QTest::currentDataTag(), count, int(states.size()), built, sawOld, sawNew,
          int(broken.size()));
    for (const QString &line : broken.mid(0, 5))
        qInfo("  broken: %s", qPrintable(line));
    QVERIFY(broken.isEmpty());
}

// A journal cut short from outside can be neither finished nor undone: nothing is touched, and
// the package whose folder it names is told as half changed and handed on for a repair.
void TestPowerCut::damagedJournalOffersARepair_data()
{
    QTest::addColumn<QString>("journal");
    QTest::addColumn<QString>("text");
    QTest::newRow("install")
        << "cut.journal"
        << R"({"anchor":"GAME","createdFolders":[],"destination":"GAME/FOLDER",)"
           R"("entries":[{"name":"readme.txt","num)";
    QTest::newRow("uninstall")
        << "cut.removal"
        << R"({"createdFolders":[],"files":[],"folder":"FOLDER","folderId":)";
}

void TestPowerCut::damagedJournalOffersARepair()
{
    QFETCH(QString, journal);
    QFETCH(QString, text);
    QVERIFY(run(install(first, "package")));
    text.replace("GAME", QDir::cleanPath(game)).replace("FOLDER", "Databases/BigMod");
    TestFiles::write(InstallRecovery::journalFolder() + "/" + journal, text.toUtf8());
    const QMap<QString, QByteArray> before = TestFiles::tree(game);
    InstalledPackages records;
    QVERIFY(records.load());
    QStringList notices;
    QVector<InstalledPackage> half;
    InstallRecovery::recoverAll(records, &notices, &half);
    QCOMPARE(TestFiles::tree(game), before);
    QCOMPARE(half.size(), 1);
    QCOMPARE(half.first().name, QString("Big Mod"));
    QVERIFY2(notices.join('\n').contains("Big Mod in Databases/BigMod is half changed"),
             qPrintable(notices.join('\n')));
}

QTEST_MAIN(TestPowerCut)
#include "tst_powercut.moc"
