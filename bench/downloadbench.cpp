// Download benchmark: one large file from the local package host, fetched by the download
// manager and by `curl -o` in the same run. Prints throughput for both, their ratio and the
// manager's peak resident memory growth.
//
//   zerun-download-bench [--size-mb N] [--runs N]
//
// The served file is sparse, made in a temporary folder; the downloads land there as well.

#include "apppaths.h"
#include "downloadmanager.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

QTextStream out(stdout);

// A value in kB from /proc/self/status ("VmRSS", "VmHWM").
qint64 statusKb(const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Lets the peak resident size start again from the current one.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Run
{
    double seconds = 0;
    qint64 bytes = 0;
    qint64 rssGrowthKb = 0;
    bool ok = false;
};

Run runCurl(const QUrl &url, const QString &target)
{
    Run run;
    QProcess curl;
    QElapsedTimer clock;
    clock.start();
    curl.start(QStringLiteral("curl"),
               {QStringLiteral("-sS"), QStringLiteral("-o"), target, url.toString()});
    curl.waitForFinished(-1);
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.bytes = QFileInfo(target).size();
    run.ok = curl.exitStatus() == QProcess::NormalExit && curl.exitCode() == 0;
    QFile::remove(target);
    return run;
}

Run runManager(const QUrl &url)
{
    Run run;
    DownloadManager manager;
    manager.setOverwrite(true);
    QString saved;
    bool succeeded = false;
    QObject::connect(&manager, &DownloadManager::result, [&](const QString &text) {
        if (text.startsWith(QLatin1String("File: ")))
            saved = text.mid(6);
        if (text == QLatin1String("Succeeded"))
            succeeded = true;
        if (text.startsWith(QLatin1String("Failed: ")))
            QTextStream(stderr) << text << '\n';
    });
    QSignalSpy finished(&manager, &DownloadManager::finished);
    manager.setUrlList({url.toString()});

    const qint64 baseline = statusKb("VmRSS");
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    manager.startList();
    finished.wait(30 * 60 * 1000);
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.rssGrowthKb = statusKb("VmHWM") - baseline;
    run.bytes = QFileInfo(saved).size();
    run.ok = succeeded;
    QFile::remove(saved);
    return run;
}

double mbPerSecond(const Run &run)
{
    return run.seconds > 0 ? run.bytes / 1048576.0 / run.seconds : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zerun-download-bench"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption sizeOption(QStringLiteral("size-mb"),
                                        QStringLiteral("Size of the served file in MiB."),
                                        QStringLiteral("n"), QStringLiteral("1024"));
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Rounds of curl and manager."),
                                        QStringLiteral("n"), QStringLiteral("3"));
    parser.addOptions({sizeOption, runsOption});
    parser.process(app);
    const qint64 size = parser.value(sizeOption).toLongLong() * 1024 * 1024;
    const int runs = std::max(1, parser.value(runsOption).toInt());

    QTemporaryDir work;
    if (!work.isValid() || size <= 0)
        return 1;
    // Downloads go below the data location; keep them in the temporary folder.
    qputenv("XDG_DATA_HOME", QDir(work.path()).filePath(QStringLiteral("data")).toLocal8Bit());
    QDir().mkpath(AppPaths::downloadsFolder());
    const QString root = QDir(work.path()).filePath(QStringLiteral("root"));
    QDir().mkpath(root + QStringLiteral("/files"));
    {
        QFile big(root + QStringLiteral("/files/big.bin"));
        if (!big.open(QIODevice::WriteOnly) || !big.resize(size)) {
            QTextStream(stderr) << "cannot create the served file\n";
            return 1;
        }
    }

    QProcess host;
    host.start(QCoreApplication::applicationDirPath() + QStringLiteral("/zerun-package-host"),
               {QStringLiteral("--root"), root});
    if (!host.waitForStarted() || !host.waitForReadyRead(10000)) {
        QTextStream(stderr) << "the package host did not start\n";
        return 1;
    }
    QUrl url(QString::fromUtf8(host.readLine()).trimmed());
    url.setPath(QStringLiteral("/files/big.bin"));

    out << "Download of " << size / 1048576 << " MiB from " << url.toString() << " (read buffer "
        << DownloadManager::readBufferSize / 1024 << " KiB)\n";
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("round"), 5)
               .arg(QStringLiteral("peer"), -16)
               .arg(QStringLiteral("seconds"), 8)
               .arg(QStringLiteral("MiB/s"), 9);
    Run bestCurl;
    Run bestManager;
    qint64 peakGrowth = 0;
    bool allOk = true;
    const QString curlTarget = QDir(work.path()).filePath(QStringLiteral("curl.bin"));
    for (int round = 1; round <= runs; ++round) {
        // Alternate who goes first, so neither always meets a cold host or a busy disk.
        Run curl;
        Run manager;
        if (round % 2) {
            curl = runCurl(url, curlTarget);
            manager = runManager(url);
        } else {
            manager = runManager(url);
            curl = runCurl(url, curlTarget);
        }
        for (const auto &[name, run] :
             {std::make_pair("curl -o", curl), std::make_pair("DownloadManager", manager)}) {
            out << QStringLiteral("%1 %2 %3 %4%5\n")
                       .arg(round, 5)
                       .arg(QString::fromLatin1(name), -16)
                       .arg(run.seconds, 8, 'f', 3)
                       .arg(mbPerSecond(run), 9, 'f', 1)
                       .arg(run.ok && run.bytes == size ? QString()
                                                        : QStringLiteral("  INCOMPLETE"));
            out.flush();
            allOk = allOk && run.ok && run.bytes == size;
        }
        if (mbPerSecond(curl) > mbPerSecond(bestCurl))
            bestCurl = curl;
        if (mbPerSecond(manager) > mbPerSecond(bestManager))
            bestManager = manager;
        peakGrowth = std::max(peakGrowth, manager.rssGrowthKb);
    }

    const double ratio =
        mbPerSecond(bestCurl) > 0 ? mbPerSecond(bestManager) / mbPerSecond(bestCurl) : 0;
    out << "best curl -o:          " << QString::number(mbPerSecond(bestCurl), 'f', 1)
        << " MiB/s\n";
    out << "best DownloadManager:  " << QString::number(mbPerSecond(bestManager), 'f', 1)
        << " MiB/s\n";
    out << "ratio manager/curl:    " << QString::number(ratio, 'f', 2) << " (target >= 0.90)\n";
    out << "manager peak RSS growth: " << QString::number(peakGrowth / 1024.0, 'f', 1)
        << " MiB (target <= 32)\n";
    out.flush();

    host.terminate();
    host.waitForFinished(5000);
    return allOk ? 0 : 1;
}
