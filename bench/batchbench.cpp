// Batch benchmark: four 16 MiB packages from the local package host, each served at 8 MiB/s, run
// through a whole InstallBatch (download, folder question, durable install, record) with a
// scripted player who takes 2 s, then 0 s, to name each folder; printed beside the four
// downloads alone through a bare download manager.
//
//   zerun-batchbench [--rounds <n>] [--answer-ms <ms>] [--size-mb <n>] [--rate-mb <n>]
//
// Goals: with the slow answers, at most one download plus every answer plus 2 s; with instant
// answers, at most the downloads alone plus 1.5 s. Each run gets a fresh game folder, deleted
// afterwards; the profile lives in a temporary folder.

#include "apppaths.h"
#include "catalogueentry.h"
#include "downloadmanager.h"
#include "installbatch.h"
#include "installedpackages.h"
#include "packagehost.h"
#include "startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

QTextStream out(stdout);

// The player: every folder question answered after `delayMs` (a nested event loop, as a modal
// dialog runs), every other question closed.
class TimedPlayer : public BatchQuestions
{
public:
    int delayMs = 0;
    int asked = 0;
    int others = 0;

    void waitForTurn() override {}
    bool askText(const QString &, const QString &, QString *text) override
    {
        if (delayMs > 0) {
            QEventLoop waiting;
            QTimer::singleShot(delayMs, &waiting, &QEventLoop::quit);
            waiting.exec();
        }
        *text = QStringLiteral("Pack%1").arg(++asked);
        return true;
    }
    int ask(const QString &, const QString &, const QStringList &, int, int escape) override
    {
        ++others;
        return escape;
    }
    void post(const QString &, const QString &, const QStringList &, int, int,
              std::function<void(int)>) override
    {
        ++others;
    }
    void withdraw() override {}
    void tell(const QString &, const QString &) override { ++others; }
    bool report(const QString &, const QString &, const QString &, bool) override
    {
        ++others;
        return false;
    }
    QString pickArchive(const QString &) override { return QString(); }
};

// Sixteen files of incompressible bytes, stored: the archive is as big as its files.
bool makePackage(const QString &root, const QString &name, qint64 size, quint32 seed)
{
    QTemporaryDir source;
    QRandomGenerator random(seed);
    const int files = 16;
    for (int index = 0; index < files; ++index) {
        QByteArray bytes(int(size / files), '\0');
        random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        QFile file(source.filePath(QStringLiteral("pics/p%1.bin").arg(index)));
        if (!QDir().mkpath(source.filePath(QStringLiteral("pics"))) ||
            !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    QProcess zip;
    zip.setWorkingDirectory(source.path());
    zip.start(QStringLiteral("zip"),
              {QStringLiteral("-q"), QStringLiteral("-0"), QStringLiteral("-r"),
               root + QStringLiteral("/files/") + name, QStringLiteral(".")});
    return zip.waitForFinished(-1) && zip.exitCode() == 0;
}

// The four downloads alone, through a bare manager; seconds, or -1 when one failed.
double downloadsAlone(const QStringList &urls)
{
    DownloadManager manager;
    manager.setOverwrite(true);
    QStringList saved;
    int failed = 0;
    QObject::connect(&manager, &DownloadManager::transferFinished,
                     [&](const DownloadOutcome &outcome) {
                         if (outcome.kind == DownloadOutcome::Saved)
                             saved << outcome.savedPath;
                         else
                             ++failed;
                     });
    QEventLoop waiting;
    QObject::connect(&manager, &DownloadManager::finished, &waiting, &QEventLoop::quit);
    manager.setUrlList(urls);
    QElapsedTimer clock;
    clock.start();
    manager.startList();
    waiting.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    for (const QString &path : qAsConst(saved))
        QFile::remove(path);
    return failed == 0 ? seconds : -1;
}

// One whole batch into a fresh game folder; seconds, or -1 when a package did not install.
double batchOnce(InstalledPackages &records, const QString &gameFolder, const QStringList &urls,
                 int answerMs, int run)
{
    for (const char *folder : {"Databases", "Pictures", "Skins"})
        QDir().mkpath(gameFolder + QLatin1String(folder));
    QVector<CatalogueEntry> catalogue;
    QVector<int> entries;
    for (int index = 0; index < urls.size(); ++index) {
        // Names of their own per run: every run installs new packages.
        catalogue << CatalogueEntry{urls.at(index), QStringLiteral("pics"),
                                    QStringLiteral("Run %1 Pack %2").arg(run).arg(index + 1)};
        entries << index;
    }
    TimedPlayer player;
    player.delayMs = answerMs;
    double seconds = -1;
    {
        InstallBatch batch(records, player);
        batch.setGameFolder(gameFolder);
        QEventLoop waiting;
        QObject::connect(&batch, &InstallBatch::batchEnded, &waiting, &QEventLoop::quit);
        QElapsedTimer clock;
        clock.start();
        if (!batch.start(catalogue, entries))
            return -1;
        waiting.exec();
        seconds = clock.nsecsElapsed() / 1e9;
        if (!batch.allInstalled() || player.others > 0) {
            for (int position = 0; position < batch.packages().size(); ++position)
                std::fprintf(stderr, "%s\n", qPrintable(batch.outcomeLine(position, Wording::Log)));
            seconds = -1;
        }
    }
    QDir(gameFolder).removeRecursively();
    return seconds;
}

double medianOf(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int middle = int(values.size()) / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/zerun-batchbench-XXXXXX"));
    if (!work.isValid())
        return 1;
    // The profile (downloads, records) in the temporary folder.
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", work.filePath(QStringLiteral("cache")).toLocal8Bit());
    QCoreApplication app(argc, argv);
    setInstallerIdentity();
    // The batch's log lines would go between the figures.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption roundsOption(QStringLiteral("rounds"),
                                          QStringLiteral("Rounds of the three runs."),
                                          QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption answerOption(QStringLiteral("answer-ms"),
                                          QStringLiteral("The slow player's time per answer."),
                                          QStringLiteral("ms"), QStringLiteral("2000"));
    const QCommandLineOption sizeOption(QStringLiteral("size-mb"),
                                        QStringLiteral("Size of each package in MiB."),
                                        QStringLiteral("n"), QStringLiteral("16"));
    const QCommandLineOption rateOption(QStringLiteral("rate-mb"),
                                        QStringLiteral("The host's rate per answer in MiB/s."),
                                        QStringLiteral("n"), QStringLiteral("8"));
    parser.addOptions({roundsOption, answerOption, sizeOption, rateOption});
    parser.process(app);
    const int rounds = std::max(1, parser.value(roundsOption).toInt());
    const int answerMs = std::max(0, parser.value(answerOption).toInt());
    const qint64 size = std::max<qint64>(1, parser.value(sizeOption).toLongLong()) * 1048576;
    const qint64 rate = std::max<qint64>(1, parser.value(rateOption).toLongLong()) * 1048576;

    AppPaths::createFolders();
    const QString root = work.filePath(QStringLiteral("site"));
    QDir().mkpath(root + QStringLiteral("/files"));
    const int packageCount = 4;
    PackageHost host(root);
    if (!host.start()) {
        std::fprintf(stderr, "the package host did not start\n");
        return 1;
    }
    QStringList urls;
    for (int index = 1; index <= packageCount; ++index) {
        const QString name = QStringLiteral("pack%1.zip").arg(index);
        if (!makePackage(root, name, size, quint32(index))) {
            std::fprintf(stderr, "cannot make %s (Info-ZIP zip is needed)\n", qPrintable(name));
            return 1;
        }
        host.setThrottle(QStringLiteral("/files/") + name, rate);
        urls << host.url(QStringLiteral("/files/") + name).toString();
    }
    InstalledPackages records;
    if (!records.load()) {
        std::fprintf(stderr, "cannot open the records\n");
        return 1;
    }

    out << "Batch of " << packageCount << " packages of " << size / 1048576 << " MiB, host at "
        << rate / 1048576 << " MiB/s per answer, " << rounds << " rounds\n";
    out << QStringLiteral("%1 %2 %3\n")
               .arg(QStringLiteral("round"), 5)
               .arg(QStringLiteral("run"), -26)
               .arg(QStringLiteral("seconds"), 8);
    out.flush();
    QList<double> alone;
    QList<double> slow;
    QList<double> instant;
    bool allOk = true;
    int run = 0;
    for (int round = 1; round <= rounds; ++round) {
        // Alternating order, so that no run always follows the same one.
        QList<int> order{0, 1, 2};
        if (round % 2 == 0)
            std::reverse(order.begin(), order.end());
        for (const int which : qAsConst(order)) {
            double seconds = -1;
            QString name;
            const QString game = work.filePath(QStringLiteral("game%1/").arg(++run));
            if (which == 0) {
                name = QStringLiteral("downloads alone");
                seconds = downloadsAlone(urls);
                alone << seconds;
            } else if (which == 1) {
                name = QStringLiteral("batch, %1 ms answers").arg(answerMs);
                seconds = batchOnce(records, game, urls, answerMs, run);
                slow << seconds;
            } else {
                name = QStringLiteral("batch, instant answers");
                seconds = batchOnce(records, game, urls, 0, run);
                instant << seconds;
            }
            allOk = allOk && seconds >= 0;
            out << QStringLiteral("%1 %2 %3%4\n")
                       .arg(round, 5)
                       .arg(name, -26)
                       .arg(seconds, 8, 'f', 2)
                       .arg(seconds < 0 ? QStringLiteral("  FAILED") : QString());
            out.flush();
        }
    }
    const double downloads = medianOf(alone);
    const double oneDownload = downloads / packageCount;
    const double slowGoal = oneDownload + packageCount * answerMs / 1000.0 + 2.0;
    const double instantGoal = downloads + 1.5;
    out << "median downloads alone:      " << QString::number(downloads, 'f', 2) << " s (one "
        << QString::number(oneDownload, 'f', 2) << " s)\n";
    out << "median batch, slow answers:  " << QString::number(medianOf(slow), 'f', 2)
        << " s (goal <= " << QString::number(slowGoal, 'f', 2) << " s: one download + "
        << packageCount << " answers + 2 s) "
        << (allOk && medianOf(slow) <= slowGoal ? "met" : "MISSED") << "\n";
    out << "median batch, instant:       " << QString::number(medianOf(instant), 'f', 2)
        << " s (goal <= " << QString::number(instantGoal, 'f', 2) << " s: the downloads + 1.5 s) "
        << (allOk && medianOf(instant) <= instantGoal ? "met" : "MISSED") << "\n";
    out.flush();
    return allOk ? 0 : 1;
}
