// Verify of a 5,000-file picture pack (PackageVerify, all cores) beside `sha256sum` over the same
// files in one process, alternating, with the files in the page cache (one untimed read first).
// Prints each round and the medians.
//
//   zerun-verifybench [--rounds <n>] [--kib <size of each file>]

#include "installedpackages.h"
#include "packageverify.h"
#include "sha256.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int fileCount = 5000;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    int rounds = 5;
    int kib = 32;
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--rounds"))
            rounds = qMax(1, arguments.at(i + 1).toInt());
        else if (arguments.at(i) == QLatin1String("--kib"))
            kib = qMax(1, arguments.at(i + 1).toInt());
    }

    QTemporaryDir game;
    const QString folder = QStringLiteral("Pictures/Bench");
    InstalledPackage package;
    package.name = QStringLiteral("Bench");
    package.kind = QStringLiteral("pics");
    package.folder = folder;
    QStringList paths;
    QByteArray block(kib * 1024, Qt::Uninitialized);
    for (int n = 0; n < fileCount; ++n) {
        const QString relative = QStringLiteral("faces/%1/face%2.jpg").arg(n / 500).arg(n);
        const QString path = game.filePath(folder + QLatin1Char('/') + relative);
        QDir().mkpath(QFileInfo(path).path());
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(block.data()),
                                              block.size() / 4);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(block) != block.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        package.files.append({relative, block.size(), Sha256::hexOf(block)});
        paths << path;
    }
    std::printf("%d files of %d KiB, %d threads\n", fileCount, kib,
                QThreadPool::globalInstance()->maxThreadCount());

    const auto runVerify = [&] {
        QElapsedTimer clock;
        clock.start();
        const PackageVerify::Result result = PackageVerify::check(game.path(), package);
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (!result.whole())
            std::printf("verify found changes: %s\n", qPrintable(result.summary()));
        return seconds;
    };
    const auto runSum = [&] {
        QElapsedTimer clock;
        clock.start();
        QProcess sum;
        sum.setStandardOutputFile(QProcess::nullDevice());
        sum.start(QStringLiteral("sha256sum"), paths);
        sum.waitForFinished(-1);
        return clock.nsecsElapsed() / 1e9;
    };
    runSum(); // into the page cache
    std::vector<double> verifyTimes;
    std::vector<double> sumTimes;
    for (int round = 0; round < rounds; ++round) {
        verifyTimes.push_back(runVerify());
        sumTimes.push_back(runSum());
        std::printf("round %d: PackageVerify %.3f s, sha256sum %.3f s\n", round + 1,
                    verifyTimes.back(), sumTimes.back());
    }
    const double verify = median(verifyTimes);
    const double sum = median(sumTimes);
    std::printf("median: PackageVerify %.3f s, sha256sum %.3f s, ratio %.2f (goal <= 0.50)\n",
                verify, sum, verify / sum);
    return 0;
}
