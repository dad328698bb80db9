// Unpack benchmark: TsUnZip::unpackAll (with a listener on the main thread; it also hashes every
// file with SHA-256 as it writes it) beside Info-ZIP unzip, bsdtar and 7z, on (a) a
// picture-pack-like archive of 5,000 incompressible files of 20-60 KB in 50 folders and (b) a
// database-like archive of four 64 MB text files. "TsUnZip+reread" is the same unpack followed
// by what an install did before the hashes came with the unpack: every file and the archive read
// again and hashed with QCryptographicHash. For (b) also the inflate alone, by zlib, by the
// unpack's own inflate (ISA-L's where built with it) and by libdeflate's whole-buffer one (where
// found at build time), and SHA-256 throughput of libcrypto against QCryptographicHash. Every
// unpacker runs as its own process, timed from start to exit, with its CPU time and peak resident
// memory taken from the kernel. The unpackers take turns, round after round, and the figures are
// medians, so that a machine shared with other work weighs on all of them alike.
//
// Then (c): the peak resident memory of one TsUnZip run over an archive of 100,000 small entries,
// and of the whole install of it (goal: under 250 MiB).
//
//   zerun-unpack-bench [--work <folder>] [--runs <n>] [--only a|b|c] [--baseline <other build>]

#include "benchpacks.h"
#include "rawinflate_p.h"
#include "sha256.h"
#include "tsunzip.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtConcurrent>

#include <quazip.h>
#include <quazipfile.h>
#include <zlib.h>

#ifdef ZERUN_BENCH_LIBDEFLATE
#include <libdeflate.h>
#endif

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QTextStream out(stdout);

struct Measure
{
    double seconds = -1;
    double cpuSeconds = 0; // user + system, all threads
    long peakKb = 0;
    bool ok = false;
};

// Runs a program to its end, timing it and reading its peak resident set from wait4.
Measure runProcess(const QString &program, const QStringList &arguments,
                   const QByteArray &environment = QByteArray())
{
    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    QElapsedTimer timer;
    timer.start();
    const pid_t child = fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        if (!environment.isEmpty())
            putenv(const_cast<char *>(environment.constData()));
        execvp(argv[0], argv.data());
        _exit(127);
    }
    Measure measure;
    int status = 0;
    rusage usage = {};
    if (child > 0 && wait4(child, &status, 0, &usage) == child) {
        measure.seconds = double(timer.nsecsElapsed()) / 1e9;
        measure.peakKb = usage.ru_maxrss;
        measure.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                             double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        measure.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return measure;
}

// Child mode: one TsUnZip run, signals received on this (main) thread.
int unpackWithTsUnZip(const QString &zipPath, const QString &destination)
{
    TsUnZip unzip;
    unzip.setZipFile(zipPath);
    unzip.setDestination(destination);
    unzip.setEncrypted(false);
    QObject listener;
    qint64 statuses = 0;
    qint64 percents = 0;
    int result = 1;
    QObject::connect(&unzip, &TsUnZip::status, &listener, [&](const QString &) { ++statuses; });
    QObject::connect(&unzip, &TsUnZip::percent, &listener, [&](int) { ++percents; });
    QObject::connect(&unzip, &TsUnZip::finished, &listener, [&] {
        result = 0;
        QCoreApplication::quit();
    });
    QObject::connect(&unzip, &TsUnZip::error, &listener, [&](const QString &err) {
        std::fprintf(stderr, "%s\n", qPrintable(err));
        QCoreApplication::quit();
    });
    QtConcurrent::run(&unzip, &TsUnZip::unpackAll);
    QCoreApplication::exec();
    QThreadPool::globalInstance()->waitForDone();
    return result;
}

// Child mode: a TsUnZip run, then every unpacked file and the archive read again and hashed
// with QCryptographicHash, as an install did before the unpack brought the hashes along.
int unpackThenRehash(const QString &zipPath, const QString &destination)
{
    if (unpackWithTsUnZip(zipPath, destination) != 0)
        return 1;
    QStringList paths{zipPath};
    QDirIterator it(destination, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    for (const QString &path : qAsConst(paths)) {
        QFile file(path);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
            return 1;
    }
    return 0;
}

// Child mode: SHA-256 of 256 MB in memory, by libcrypto and by QCryptographicHash; prints
// both times.
int hashOnly()
{
    QByteArray data(256 * 1024 * 1024, Qt::Uninitialized);
    for (int i = 0; i < data.size(); i += 4096)
        data[i] = char(i >> 12);
    QElapsedTimer timer;
    timer.start();
    const QByteArray ours = Sha256::hexOf(data);
    const double oursSeconds = double(timer.nsecsElapsed()) / 1e9;
    timer.restart();
    const QByteArray theirs = QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
    const double qtSeconds = double(timer.nsecsElapsed()) / 1e9;
    if (ours != theirs)
        return 1;
    std::printf("%.3f %.3f\n", oursSeconds, qtSeconds);
    return 0;
}

// Inflates one raw deflate stream into `output` (a scratch buffer, or the whole entry for the
// whole-buffer engine); false on a bad stream.
bool inflateWith(const QString &engine, const QByteArray &compressed, qint64 plainSize,
                 QByteArray &output)
{
    if (engine == "zlib") {
        z_stream stream = {};
        inflateInit2(&stream, -MAX_WBITS);
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
        stream.avail_in = uInt(compressed.size());
        int status = Z_OK;
        while (status == Z_OK) {
            stream.next_out = reinterpret_cast<Bytef *>(output.data());
            stream.avail_out = uInt(output.size());
            status = inflate(&stream, Z_NO_FLUSH);
        }
        inflateEnd(&stream);
        return status == Z_STREAM_END;
    }
    if (engine == "own") {
        RawInflate inflater;
        inflater.setInput(compressed.constData(), compressed.size());
        for (;;) {
            qint64 produced = 0;
            const RawInflate::Result result =
                inflater.inflate(output.data(), output.size(), &produced);
            if (result == RawInflate::Result::End)
                return true;
            if (result == RawInflate::Result::Error || produced == 0)
                return false;
        }
    }
#ifdef ZERUN_BENCH_LIBDEFLATE
    if (engine == "libdeflate") {
        static libdeflate_decompressor *const decompressor = libdeflate_alloc_decompressor();
        if (output.size() < plainSize)
            output.resize(int(plainSize));
        size_t made = 0;
        return libdeflate_deflate_decompress(decompressor, compressed.constData(),
                                             size_t(compressed.size()), output.data(),
                                             size_t(plainSize), &made) == LIBDEFLATE_SUCCESS;
    }
#else
    Q_UNUSED(plainSize)
#endif
    return false;
}

// Child mode: raw inflate of every entry by one engine, the compressed bytes read beforehand;
// prints the inflate time alone.
int inflateOnly(const QString &zipPath, const QString &engine)
{
    QuaZip archive(zipPath);
    if (!archive.open(QuaZip::mdUnzip))
        return 1;
    QByteArray output(64 * 1024, Qt::Uninitialized);
    qint64 nanos = 0;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFile entry(&archive);
        int method = 0;
        int level = 0;
        if (!entry.open(QIODevice::ReadOnly, &method, &level, true))
            return 1;
        const QByteArray compressed = entry.readAll();
        const qint64 plainSize = entry.usize();
        entry.close();
        if (method != Z_DEFLATED)
            continue;
        QElapsedTimer timer;
        timer.start();
        const bool ok = inflateWith(engine, compressed, plainSize, output);
        nanos += timer.nsecsElapsed();
        if (!ok)
            return 1;
    }
    std::printf("%.3f\n", double(nanos) / 1e9);
    return 0;
}

struct Peer
{
    QString name;
    QString program;
    QStringList arguments;  // @ZIP@ and @DEST@ are filled in
    QByteArray environment; // one NAME=value, or empty
};

// The peers run in rounds, one run of each per round, each round in another order, so that all
// of them meet the same background load; figures are medians over the rounds.
void benchArchive(const QString &title, const QString &zipPath, const QString &work, int runs,
                  bool withInflate, const QString &baseline)
{
    const QString self = QCoreApplication::applicationFilePath();
    // The second TsUnZip row runs on Qt's own event dispatcher instead of GLib's, which wakes the
    // main thread once per queued signal: it shows what the signal volume costs.
    QList<Peer> peers{{"TsUnZip", self, {"--child-unzip", "@ZIP@", "@DEST@"}, {}},
                      {"TsUnZip/Qt", self, {"--child-unzip", "@ZIP@", "@DEST@"}, "QT_NO_GLIB=1"},
                      {"TsUnZip+reread", self, {"--child-rehash", "@ZIP@", "@DEST@"}, {}}};
    // Another build of this benchmark, to set the TsUnZip of two versions side by side.
    if (!baseline.isEmpty())
        peers << Peer{"TsUnZip/base", baseline, {"--child-unzip", "@ZIP@", "@DEST@"}, {}};
    if (!QStandardPaths::findExecutable("unzip").isEmpty())
        peers << Peer{"unzip", "unzip", {"-q", "-o", "@ZIP@", "-d", "@DEST@"}, {}};
    if (!QStandardPaths::findExecutable("bsdtar").isEmpty())
        peers << Peer{"bsdtar", "bsdtar", {"-xf", "@ZIP@", "-C", "@DEST@"}, {}};
    if (!QStandardPaths::findExecutable("7z").isEmpty())
        peers << Peer{"7z", "7z", {"x", "-y", "-bd", "-o@DEST@", "@ZIP@"}, {}};
    // The goal compares against the faster of these two.
    const QStringList rivals{"bsdtar", "7z"};

    out << title << " (" << QString::number(QFileInfo(zipPath).size() / 1048576.0, 'f', 1)
        << " MB archive), load average before: " << loadAverage() << Qt::endl;
    QMap<QString, QList<Measure>> measures;
    QList<double> pairedRatios;
    const QString destination = work + "/out";
    for (int round = 0; round < runs; ++round) {
        QMap<QString, double> roundSeconds;
        for (int i = 0; i < peers.size(); ++i) {
            const Peer &peer = peers.at((i + round) % peers.size());
            QDir(destination).removeRecursively();
            QDir().mkpath(destination);
            QStringList arguments;
            for (QString argument : peer.arguments)
                arguments << argument.replace("@ZIP@", zipPath).replace("@DEST@", destination);
            ::sync();
            const Measure measure = runProcess(peer.program, arguments, peer.environment);
            if (!measure.ok)
                out << "  " << peer.name << " failed" << Qt::endl;
            measures[peer.name] << measure;
            roundSeconds.insert(peer.name, measure.seconds);
        }
        double fastestRival = 0;
        for (const QString &rival : rivals) {
            if (roundSeconds.contains(rival) &&
                (fastestRival == 0 || roundSeconds.value(rival) < fastestRival))
                fastestRival = roundSeconds.value(rival);
        }
        if (fastestRival > 0)
            pairedRatios << roundSeconds.value("TsUnZip") / fastestRival;
    }
    QDir(destination).removeRecursively();

    QMap<QString, double> medianSeconds;
    QMap<QString, double> medianCpu;
    QMap<QString, double> bestSeconds;
    QMap<QString, long> peakKb;
    for (const Peer &peer : peers) {
        QList<double> seconds;
        QList<double> cpu;
        long peak = 0;
        for (const Measure &measure : measures.value(peer.name)) {
            seconds << measure.seconds;
            cpu << measure.cpuSeconds;
            peak = qMax(peak, measure.peakKb);
        }
        medianSeconds.insert(peer.name, median(seconds));
        medianCpu.insert(peer.name, median(cpu));
        bestSeconds.insert(peer.name, *std::min_element(seconds.cbegin(), seconds.cend()));
        peakKb.insert(peer.name, peak);
    }
    double fastestRival = 0;
    for (const QString &rival : rivals) {
        if (medianSeconds.contains(rival) &&
            (fastestRival == 0 || medianSeconds.value(rival) < fastestRival))
            fastestRival = medianSeconds.value(rival);
    }

    // The inflate engines take turns too.
    QStringList engines{"zlib", "own"};
#ifdef ZERUN_BENCH_LIBDEFLATE
    engines << "libdeflate";
#endif
    QMap<QString, double> inflateSeconds;
    if (withInflate) {
        QMap<QString, QList<double>> times;
        for (int run = 0; run < runs; ++run) {
            for (int i = 0; i < engines.size(); ++i) {
                const QString engine = engines.at((i + run) % engines.size());
                QProcess child;
                child.start(self, {"--child-inflate", zipPath, engine});
                child.waitForFinished(-1);
                times[engine] << child.readAllStandardOutput().trimmed().toDouble();
            }
        }
        for (const QString &engine : qAsConst(engines))
            inflateSeconds.insert(engine, median(times.value(engine)));
    }
    out << "  medians of " << runs << " rounds; ratio: median wall time against the median of the "
        << "faster of bsdtar and 7z" << Qt::endl;
    for (const Peer &peer : peers) {
        out << QString("  %1 wall %2 s (best %3 s)  %4x  cpu %5 s  peak RSS %6 MB")
                   .arg(peer.name, -12)
                   .arg(medianSeconds.value(peer.name), 6, 'f', 3)
                   .arg(bestSeconds.value(peer.name), 6, 'f', 3)
                   .arg(fastestRival > 0 ? medianSeconds.value(peer.name) / fastestRival : 0.0, 5,
                        'f', 2)
                   .arg(medianCpu.value(peer.name), 6, 'f', 3)
                   .arg(double(peakKb.value(peer.name)) / 1024.0, 6, 'f', 1)
            << Qt::endl;
    }
    if (withInflate) {
        for (const QString &engine : qAsConst(engines)) {
            const QString name =
                engine == "own"          ? QString("inflate, ours (%1)").arg(RawInflate::engine())
                : engine == "libdeflate" ? QString("inflate, libdeflate (whole buffers)")
                                         : QString("inflate, zlib");
            out << QString("  %1 %2 s  (median; in memory, no files written)")
                       .arg(name, -36)
                       .arg(inflateSeconds.value(engine), 6, 'f', 3)
                << Qt::endl;
        }
        QList<double> ours;
        QList<double> qt;
        for (int run = 0; run < runs; ++run) {
            QProcess child;
            child.start(self, {"--child-hash"});
            child.waitForFinished(-1);
            const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
            ours << fields.value(0).toDouble();
            qt << fields.value(1).toDouble();
        }
        out << QString("  SHA-256 of 256 MB in memory: libcrypto %1 s (%2 MB/s), "
                       "QCryptographicHash %3 s (%4 MB/s)")
                   .arg(median(ours), 0, 'f', 3)
                   .arg(256 / median(ours), 0, 'f', 0)
                   .arg(median(qt), 0, 'f', 3)
                   .arg(256 / median(qt), 0, 'f', 0)
            << Qt::endl;
    }
    if (!pairedRatios.isEmpty())
        out << QString("  TsUnZip against the faster of bsdtar and 7z in the same round: median "
                       "%1x (from %2x to %3x)")
                   .arg(median(pairedRatios), 0, 'f', 2)
                   .arg(*std::min_element(pairedRatios.cbegin(), pairedRatios.cend()), 0, 'f', 2)
                   .arg(*std::max_element(pairedRatios.cbegin(), pairedRatios.cend()), 0, 'f', 2)
            << Qt::endl;
    out << "  load average after: " << loadAverage() << Qt::endl << Qt::endl;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == "--child-unzip")
        return unpackWithTsUnZip(arguments.value(2), arguments.value(3));
    if (arguments.value(1) == "--child-rehash")
        return unpackThenRehash(arguments.value(2), arguments.value(3));
    if (arguments.value(1) == "--child-inflate")
        return inflateOnly(arguments.value(2), arguments.value(3));
    if (arguments.value(1) == "--child-hash")
        return hashOnly();

    // Memory-backed by default, so that the figures show the unpackers and not the disk.
    QString workRoot =
        QFileInfo("/dev/shm").isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    int runs = 5;
    QString only;
    QString baseline;
    for (int i = 1; i < arguments.size() - 1; ++i) {
        if (arguments.at(i) == "--work")
            workRoot = arguments.at(i + 1);
        else if (arguments.at(i) == "--runs")
            runs = qMax(1, arguments.at(i + 1).toInt());
        else if (arguments.at(i) == "--only")
            only = arguments.at(i + 1);
        else if (arguments.at(i) == "--baseline")
            baseline = QFileInfo(arguments.at(i + 1)).absoluteFilePath();
    }
    if (QStandardPaths::findExecutable("zip").isEmpty()) {
        out << "Info-ZIP zip is needed to build the archives" << Qt::endl;
        return 1;
    }
    QTemporaryDir work(workRoot + "/unpack-bench-XXXXXX");
    out << "work folder " << work.path() << ", " << runs << " rounds, "
        << QThread::idealThreadCount() << " cores" << Qt::endl
        << Qt::endl;

    {
        // The process floor: the same program unpacking a one-entry archive.
        writeFile(work.filePath("tiny.txt"), "tiny\n");
        const QString zipPath = work.filePath("tiny.zip");
        runProcess("zip", {"-q", "-j", zipPath, work.filePath("tiny.txt")});
        const Measure floor = runProcess(QCoreApplication::applicationFilePath(),
                                         {"--child-unzip", zipPath, work.filePath("tiny")});
        out << "TsUnZip process floor (one-entry archive): peak RSS "
            << QString::number(double(floor.peakKb) / 1024.0, 'f', 1) << " MB" << Qt::endl
            << Qt::endl;
    }
    if (only.isEmpty() || only == "a") {
        const QString tree = work.filePath("a");
        makePictureTree(tree);
        const QString zipPath = work.filePath("pictures.zip");
        runProcess("sh", {"-c", QString("cd '%1' && zip -q -r '%2' pics").arg(tree, zipPath)});
        QDir(tree).removeRecursively();
        benchArchive("(a) 5,000 files of 20-60 KB, incompressible, 50 folders", zipPath,
                     work.path(), runs, false, baseline);
        QFile::remove(zipPath);
    }
    if (only.isEmpty() || only == "b") {
        const QString tree = work.filePath("b");
        makeDatabaseTree(tree);
        const QString zipPath = work.filePath("database.zip");
        runProcess("sh", {"-c", QString("cd '%1' && zip -q -r '%2' db").arg(tree, zipPath)});
        QDir(tree).removeRecursively();
        benchArchive("(b) four 64 MB text files", zipPath, work.path(), runs, true, baseline);
        QFile::remove(zipPath);
    }
    if (only.isEmpty() || only == "c") {
        // Written by Python's zipfile, which makes many entries much faster than zip from files.
        const QString zipPath = work.filePath("many.zip");
        runProcess("python3",
                   {"-c",
                    "import sys, zipfile\n"
                    "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                    "    for i in range(100000):\n"
                    "        z.writestr('d%03d/file%06d.txt' % (i % 500, i), 'entry %d\\n' % i)\n",
                    zipPath});
        const Measure run = runProcess(QCoreApplication::applicationFilePath(),
                                       {"--child-unzip", zipPath, work.filePath("many")});
        out << "(c) 100,000 entries of a few bytes (" << QFileInfo(zipPath).size() / 1024
            << " KiB): TsUnZip " << (run.ok ? "" : "FAILED ")
            << QString::number(run.seconds, 'f', 1) << " s, peak RSS "
            << QString::number(double(run.peakKb) / 1024.0, 'f', 1) << " MiB (goal: under 250 MiB)"
            << Qt::endl;
        QDir(work.filePath("many")).removeRecursively();
        // The whole install of the same archive (records, journal and all), by the install
        // benchmark's child when it was built beside this one, with a profile of its own.
        const QString installer = QCoreApplication::applicationDirPath() + "/zerun-installbench";
        if (QFileInfo(installer).isExecutable()) {
            const QString home = work.filePath("home");
            const Measure install = runProcess(
                "env", {"HOME=" + home, "XDG_DATA_HOME=" + home + "/data",
                        "XDG_CONFIG_HOME=" + home + "/config", "XDG_CACHE_HOME=" + home + "/cache",
                        installer, "--child-install", zipPath, work.filePath("game"), "skin",
                        work.filePath("seconds")});
            out << "    the install of it: " << (install.ok ? "" : "FAILED ")
                << QString::number(install.seconds, 'f', 1) << " s, peak RSS "
                << QString::number(double(install.peakKb) / 1024.0, 'f', 1)
                << " MiB (goal: under 250 MiB)" << Qt::endl;
            QDir(work.filePath("game")).removeRecursively();
            QDir(home).removeRecursively();
        }
        QFile::remove(zipPath);
    }
    return 0;
}
