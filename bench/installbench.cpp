// Install benchmark: the whole install step (PackageInstall, as the window drives it: the journal
// written for the folders it makes, prepare(), start(), the unpack with every file's SHA-256, the
// commit under a held journal, the record written to the database, the journal released, and
// every status and percent report delivered queued to a slot on the main thread) beside bsdtar
// and 7z unpacking the same archive, and the unpack alone (TsUnZip::unpackAll with a listener)
// beside the same peers. Two archives: (a) 5,000 incompressible files of 20-60 KB in 50 folders
// (196 MB), (b) four 64 MB text files. The archives and every destination are on the normal disk
// (a folder beside this program, in the build tree, unless --work says otherwise).
//
// Every run is its own process: the install into a fresh package folder of a fresh game folder
// with a fresh profile (HOME and the XDG folders pointed at an empty folder), the unpack and the
// peers into fresh folders. A sync goes before every run. Page caches cannot be dropped here, so
// one untimed run of each comes first. Then the runs take turns, round after round, each round
// in another order, and the figures are medians, so that other work on the machine weighs on all
// of them alike. Ours are timed inside the process, from the journal to finished() (the unpack:
// from unpackAll() to finished()); the process's own wall time, start-up included, is printed
// beside. The peers are timed from start to exit. The install makes the unpacked files durable
// before it commits (syncfs); bsdtar followed by sync, and dpkg -i of the same files as a gzip
// .deb (a private admin folder and install folder, its own fsync of every file), are printed
// beside for that, with our install's ratio to each and to the bare bsdtar extract.
//
// Every run, ours and the peers', gets fresh folders and deletes them right after it, outside
// its time.
//
//   zerun-installbench [--work <folder>] [--rounds <n>] [--only a|b]

#include "apppaths.h"
#include "benchpacks.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "packageinstall.h"
#include "sha256.h"
#include "startup.h"
#include "tsunzip.h"
#include "unpacktransaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>
#include <QtConcurrent>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QTextStream out(stdout);

// Runs a program to its end and returns its wall time in seconds, or -1 when it failed.
// `environment` holds NAME=value items set in the child only.
double runProcess(const QString &program, const QStringList &arguments,
                  const QList<QByteArray> &environment = {})
{
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> variables(environment.cbegin(), environment.cend());

    QElapsedTimer timer;
    timer.start();
    const pid_t child = fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        for (QByteArray &variable : variables)
            putenv(variable.data());
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (child <= 0 || waitpid(child, &status, 0) != child)
        return -1;
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

// Builds a gzip .deb at `debPath` whose files are `tree`/`folder`, at the same paths below the
// install folder as the zip's entries.
void makeDeb(const QString &tree, const QString &folder, const QString &debPath)
{
    const QString root = tree + "-deb";
    QDir().mkpath(root + "/DEBIAN");
    QFile control(root + "/DEBIAN/control");
    if (control.open(QIODevice::WriteOnly))
        control.write("Package: zerun-bench-" + folder.toLatin1() +
                      "\nVersion: 1.0\nArchitecture: all\nMaintainer: Bench <bench@localhost>\n"
                      "Description: benchmark pack\n");
    control.close();
    // Hard links: the same bytes without a second copy on the disk.
    runProcess("cp", {"-al", tree + "/" + folder, root + "/" + folder});
    runProcess("dpkg-deb", {"--root-owner-group", "-Zgzip", "--build", root, debPath});
    QDir(root).removeRecursively();
}

// A child writes its own time here for the parent to read.
bool writeSeconds(const QString &path, double seconds)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray::number(seconds, 'f', 6)) > 0;
}

// Child mode: the install step as the window runs it, into <game>/<Pictures|Databases>/Bench of
// a game folder that has nothing yet, with the profile the environment names. `hash` is the
// archive's SHA-256 when the download brought it along, or empty (an archive from the disk: the
// step hashes it beside the unpack).
int installChild(const QString &archive, const QString &game, const QString &kind,
                 const QByteArray &hash, const QString &resultPath)
{
    setInstallerIdentity();
    AppPaths::createFolders();
    InstalledPackages records;
    if (!records.load())
        return 3;
    const QString target =
        game + (kind == QLatin1String("mods") ? "/Databases/Bench" : "/Pictures/Bench");

    QElapsedTimer timer;
    timer.start();
    const QStringList created = UnpackTransaction::missingFolders(target);
    const QString journal = InstallRecovery::newJournalPath();
    if (!UnpackTransaction::prepareJournal(journal, target, created) || !QDir().mkpath(target))
        return 4;
    PackageInstall step(records, game);
    InstalledPackage package;
    package.name = QStringLiteral("Bench Pack");
    package.kind = kind;
    package.url = QStringLiteral("http://127.0.0.1/files/") + QFileInfo(archive).fileName();
    package.archiveSha256 = hash;
    package.archiveSize = QFileInfo(archive).size();
    package.fromDisk = hash.isEmpty();
    step.setPackage(package, archive, target, journal);
    PackageInstall::Plan plan;
    QString why;
    if (!step.prepare(&plan, &why) || plan.entryNames.isEmpty()) {
        std::fprintf(stderr, "prepare: %s\n", qPrintable(why));
        return 5;
    }
    // The reports reach the main thread queued, as the window's page slots do.
    QObject page;
    qint64 statuses = 0;
    qint64 percents = 0;
    QObject::connect(
        &step.unzip(), &TsUnZip::status, &page, [&](const QString &) { ++statuses; },
        Qt::QueuedConnection);
    QObject::connect(
        &step.unzip(), &TsUnZip::percent, &page, [&](int) { ++percents; }, Qt::QueuedConnection);
    bool finished = false;
    QEventLoop loop;
    QObject::connect(&step, &PackageInstall::finished, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QObject::connect(&step, &PackageInstall::failed, &loop,
                     [&](const QString &error, const QString &detail) {
                         std::fprintf(stderr, "install failed: %s (%s)\n", qPrintable(error),
                                      qPrintable(detail));
                         loop.quit();
                     });
    step.start();
    loop.exec();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    step.waitForWorker();
    if (!finished || !step.outcome().summary().isEmpty() || statuses < plan.entryNames.size() ||
        percents == 0 || QFileInfo::exists(journal))
        return 6;
    const int files = int(std::count_if(plan.entryNames.cbegin(), plan.entryNames.cend(),
                                        [](const QString &name) { return !name.endsWith('/'); }));
    if (!records.find(package.name, package.kind) ||
        records.files(package.name, package.kind).size() != files)
        return 7;
    return writeSeconds(resultPath, seconds) ? 0 : 8;
}

// Child mode: the unpack alone, its reports received on this (main) thread.
int unpackChild(const QString &archive, const QString &destination, const QString &resultPath)
{
    TsUnZip unzip;
    unzip.setZipFile(archive);
    unzip.setDestination(destination);
    unzip.setEncrypted(false);
    QObject listener;
    qint64 statuses = 0;
    qint64 percents = 0;
    bool finished = false;
    QObject::connect(&unzip, &TsUnZip::status, &listener, [&](const QString &) { ++statuses; });
    QObject::connect(&unzip, &TsUnZip::percent, &listener, [&](int) { ++percents; });
    QObject::connect(&unzip, &TsUnZip::finished, &listener, [&] {
        finished = true;
        QCoreApplication::quit();
    });
    QObject::connect(&unzip, &TsUnZip::error, &listener, [&](const QString &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        QCoreApplication::quit();
    });
    QElapsedTimer timer;
    timer.start();
    QtConcurrent::run(&unzip, &TsUnZip::unpackAll);
    QCoreApplication::exec();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    QThreadPool::globalInstance()->waitForDone();
    return finished && writeSeconds(resultPath, seconds) ? 0 : 1;
}

struct Runner
{
    QString name;
    bool ours = false;    // times itself; the figure is read from its result file
    bool install = false; // needs a profile and a game folder
    bool hashKnown = false;
    QString program;
    QStringList arguments; // @ZIP@, @DEB@, @DEST@ and @ADMIN@ are filled in
};

struct Run
{
    double seconds = -1; // ours: in-process; peers: the process
    double process = -1; // the process's wall time
};

struct Goal
{
    double install;
    double unpack;
};

// One run into fresh folders under `work`, a folder of its own, deleted right after the run for
// every tool alike. On a file system without a journal, ext4 passes over inodes freed in the
// last minute when it allocates new ones, so a run right after a deletion of 5,000 files (ours or
// a peer's) is slower than one on fresh inodes; since every run deletes what it made, each tool
// meets that after every other tool in turn.
Run runOnce(const Runner &runner, const QString &zipPath, const QString &debPath,
            const QString &kind, const QString &hash, const QString &work)
{
    const QString destination = work + "/out";
    const QString admin = work + "/admin";
    const QString profile = work + "/profile";
    const QString resultPath = work + "/seconds";
    QDir(work).removeRecursively();
    QDir().mkpath(destination);
    // A private package database for dpkg: empty, as on a system that never had the package.
    QDir().mkpath(admin + "/info");
    QDir().mkpath(admin + "/updates");
    QDir().mkpath(admin + "/triggers");
    QFile(admin + "/status").open(QIODevice::WriteOnly);
    QList<QByteArray> environment;
    QStringList arguments;
    if (runner.install) {
        QDir().mkpath(profile);
        const QByteArray root = QFile::encodeName(profile);
        environment << "HOME=" + root << "XDG_DATA_HOME=" + root + "/.local/share"
                    << "XDG_CONFIG_HOME=" + root + "/.config"
                    << "XDG_CACHE_HOME=" + root + "/.cache";
        arguments << "--child-install" << zipPath << destination << kind << resultPath;
        if (runner.hashKnown)
            arguments << hash;
    } else {
        for (QString argument : runner.arguments)
            arguments << argument.replace("@ZIP@", zipPath)
                             .replace("@DEB@", debPath)
                             .replace("@DEST@", destination)
                             .replace("@ADMIN@", admin)
                             .replace("@RESULT@", resultPath);
    }
    ::sync();
    Run run;
    run.process = runProcess(runner.program, arguments, environment);
    if (run.process >= 0) {
        if (runner.ours) {
            QFile file(resultPath);
            run.seconds = file.open(QIODevice::ReadOnly) ? file.readAll().toDouble() : -1;
        } else {
            run.seconds = run.process;
        }
    }
    QDir(work).removeRecursively();
    return run;
}

// `debPath`: the same files as a gzip .deb, for dpkg -i.
void benchArchive(const QString &title, const QString &zipPath, const QString &debPath,
                  const QString &kind, const QString &work, int rounds, const Goal &goal)
{
    const QString self = QCoreApplication::applicationFilePath();
    QList<Runner> runners{
        {"install", true, true, false, self, {}},
        {"install, hash known", true, true, true, self, {}},
        {"unpack alone",
         true,
         false,
         false,
         self,
         {"--child-unpack", "@ZIP@", "@DEST@", "@RESULT@"}},
        {"bsdtar", false, false, false, "bsdtar", {"-xf", "@ZIP@", "-C", "@DEST@"}},
        {"7z", false, false, false, "7z", {"x", "-y", "-bd", "-o@DEST@", "@ZIP@"}},
        // Not a rival: bsdtar with the unpacked files made durable, as the install's commit does
        // (with syncfs, which also writes whatever else is waiting on that file system).
        {"bsdtar, then sync",
         false,
         false,
         false,
         "sh",
         {"-c", "bsdtar -xf \"$0\" -C \"$1\" && sync", "@ZIP@", "@DEST@"}},
        // The system's durable package install: every file written and synced before it is
        // renamed into place, its database updated; nothing logged outside the run's folders.
        {"dpkg -i",
         false,
         false,
         false,
         "dpkg",
         {"--admindir=@ADMIN@", "--instdir=@DEST@", "--log=/dev/null", "--force-not-root",
          "--force-bad-path", "-i", "@DEB@"}}};
    const QString hash = QString::fromLatin1(Sha256::hexOfFile(zipPath));
    int runs = 0;
    const auto runFolder = [&]() -> QString { return work + "/runs/" + QString::number(++runs); };

    out << title << " (" << QString::number(QFileInfo(zipPath).size() / 1048576.0, 'f', 1)
        << " MB archive)" << Qt::endl
        << "  load average before: " << loadAverage() << Qt::endl;
    for (const Runner &runner : qAsConst(runners)) {
        if (runOnce(runner, zipPath, debPath, kind, hash, runFolder()).seconds < 0) {
            out << "  " << runner.name << " failed in the warm-up run" << Qt::endl;
            QDir(work + "/runs").removeRecursively();
            return;
        }
    }
    QMap<QString, QList<double>> seconds;
    QMap<QString, QList<double>> process;
    QMap<QString, QList<double>> paired; // ours against the faster peer of the same round
    for (int round = 0; round < rounds; ++round) {
        QMap<QString, double> thisRound;
        for (int i = 0; i < runners.size(); ++i) {
            const Runner &runner = runners.at((i + round) % runners.size());
            const Run run = runOnce(runner, zipPath, debPath, kind, hash, runFolder());
            if (run.seconds < 0)
                out << "  " << runner.name << " failed in round " << round + 1 << Qt::endl;
            seconds[runner.name] << run.seconds;
            process[runner.name] << run.process;
            thisRound.insert(runner.name, run.seconds);
        }
        const double fastest = qMin(thisRound.value("bsdtar"), thisRound.value("7z"));
        for (const Runner &runner : qAsConst(runners)) {
            if (runner.ours)
                paired[runner.name] << thisRound.value(runner.name) / fastest;
        }
    }
    const QString loadAfter = loadAverage();
    QDir(work + "/runs").removeRecursively();

    QMap<QString, double> medians;
    for (const Runner &runner : qAsConst(runners))
        medians.insert(runner.name, median(seconds.value(runner.name)));
    const double fastestPeer = qMin(medians.value("bsdtar"), medians.value("7z"));
    out << "  medians of " << rounds << " rounds; ratio: against the median of the faster of "
        << "bsdtar and 7z; paired: the median of each round's own ratio" << Qt::endl;
    for (const Runner &runner : qAsConst(runners)) {
        const QList<double> &times = seconds.value(runner.name);
        QString line = QString("  %1 %2 s (from %3 to %4 s)")
                           .arg(runner.name, -20)
                           .arg(medians.value(runner.name), 6, 'f', 3)
                           .arg(*std::min_element(times.cbegin(), times.cend()), 0, 'f', 3)
                           .arg(*std::max_element(times.cbegin(), times.cend()), 0, 'f', 3);
        if (runner.ours) {
            const double ratio = medians.value(runner.name) / fastestPeer;
            const double limit = runner.install ? goal.install : goal.unpack;
            line += QString("  %1x (paired %2x), goal at most %3x: %4; process %5 s")
                        .arg(ratio, 0, 'f', 2)
                        .arg(median(paired.value(runner.name)), 0, 'f', 2)
                        .arg(limit, 0, 'f', 2)
                        .arg(ratio <= limit ? "met" : "not met")
                        .arg(median(process.value(runner.name)), 0, 'f', 3);
        }
        out << line << Qt::endl;
    }
    // The durable install beside the durable peers and the bare extract.
    for (const Runner &runner : qAsConst(runners)) {
        if (!runner.install)
            continue;
        QString line = QString("  %1 against").arg(runner.name, -20);
        for (const char *peer : {"dpkg -i", "bsdtar, then sync", "bsdtar"})
            line += QString("  %1: %2x")
                        .arg(peer)
                        .arg(medians.value(runner.name) / medians.value(peer), 0, 'f', 2);
        out << line << Qt::endl;
    }
    out << "  load average after: " << loadAfter << Qt::endl << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == "--child-install" && arguments.size() >= 6)
        return installChild(arguments.at(2), arguments.at(3), arguments.at(4),
                            arguments.value(6).toLatin1(), arguments.at(5));
    if (arguments.value(1) == "--child-unpack" && arguments.size() == 5)
        return unpackChild(arguments.at(2), arguments.at(3), arguments.at(4));

    // The normal disk: beside this program, in the build tree.
    QString workRoot = QCoreApplication::applicationDirPath();
    int rounds = 5;
    QString only;
    for (int i = 1; i < arguments.size() - 1; ++i) {
        if (arguments.at(i) == "--work")
            workRoot = arguments.at(i + 1);
        else if (arguments.at(i) == "--rounds")
            rounds = qMax(1, arguments.at(i + 1).toInt());
        else if (arguments.at(i) == "--only")
            only = arguments.at(i + 1);
    }
    for (const char *tool : {"zip", "bsdtar", "7z", "dpkg", "dpkg-deb"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            out << tool << " is needed" << Qt::endl;
            return 1;
        }
    }
    QTemporaryDir work(workRoot + "/install-bench-XXXXXX");
    if (!work.isValid()) {
        out << "cannot make a work folder in " << workRoot << Qt::endl;
        return 1;
    }
    out << "work folder " << work.path() << ", " << rounds << " rounds, "
        << QThread::idealThreadCount() << " cores; one untimed warm-up run of each first"
        << Qt::endl
        << Qt::endl;

    if (only.isEmpty() || only == "a") {
        const QString tree = work.filePath("a");
        makePictureTree(tree);
        const QString zipPath = work.filePath("pictures.zip");
        runProcess("sh", {"-c", QString("cd '%1' && zip -q -r '%2' pics").arg(tree, zipPath)});
        const QString debPath = work.filePath("pictures.deb");
        makeDeb(tree, "pics", debPath);
        // The source files stay until the runs are done: deleted now, they would slow every
        // run's file creation.
        benchArchive("(a) picture pack: 5,000 files of 20-60 KB, incompressible, 50 folders",
                     zipPath, debPath, "pics", work.path(), rounds, {0.75, 0.5});
        QDir(tree).removeRecursively();
        QFile::remove(zipPath);
        QFile::remove(debPath);
    }
    if (only.isEmpty() || only == "b") {
        const QString tree = work.filePath("b");
        makeDatabaseTree(tree);
        const QString zipPath = work.filePath("database.zip");
        runProcess("sh", {"-c", QString("cd '%1' && zip -q -r '%2' db").arg(tree, zipPath)});
        const QString debPath = work.filePath("database.deb");
        makeDeb(tree, "db", debPath);
        benchArchive("(b) database pack: four 64 MB text files", zipPath, debPath, "mods",
                     work.path(), rounds, {0.6, 0.35});
        QDir(tree).removeRecursively();
        QFile::remove(zipPath);
        QFile::remove(debPath);
    }
    return 0;
}
