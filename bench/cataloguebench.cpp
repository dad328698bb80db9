// Times the catalogue page with a 100,000-line catalogue: parse plus first display, and each
// filter change, beside a bare QListWidget::addItems of the same texts in the same run. Then
// the peak memory of a fresh process that fetches a catalogue of a million lines (or
// `peakLines`) from the host and shows it, as the installer does at start, beside the file's
// size (goal: at most three times the file plus 50 MiB).
//   bench_catalogue [lines] [rounds] [peakLines]

#include "catalogue.h"
#include "packagehost.h"
#include "tsdownloader.h"
#include "zerun.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

const char *const kinds[] = {"mods", "pics", "skin"};

QByteArray makeCatalogue(const QString &base, int lines)
{
    QByteArray text;
    text.reserve(lines * 64);
    for (int i = 0; i < lines; ++i) {
        text += base.toUtf8() + "/files/package" + QByteArray::number(i) + ".zip," + kinds[i % 3] +
                ",Package number " + QByteArray::number(i) + "\r\n";
    }
    return text;
}

qint64 statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(strlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// The child: a window with a fresh profile fetches the catalogue at `base` and shows it; prints
// its peak resident memory in KiB.
int peakChild(const QString &base, int lines)
{
    QTemporaryDir profile;
    qputenv("HOME", profile.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (profile.path() + "/data").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (profile.path() + "/config").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (profile.path() + "/cache").toLocal8Bit());
    qputenv("ZERUN_CATALOGUE_HOST", base.toLocal8Bit());
    QDir().mkpath(profile.path() + "/game");
    Zerun window;
    window.setGameFolder(profile.path() + "/game");
    if (!window.initialise())
        return 1;
    window.show();
    const QAbstractItemModel *list = window.findChild<QListView *>("repo_list")->model();
    QElapsedTimer clock;
    clock.start();
    auto *status = window.findChild<QLabel *>("catalogue_status");
    while (status->text().startsWith("Loading") && clock.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents();
    QTextStream(stdout) << statusKiB("VmHWM:") << "\n";
    if (list->rowCount() != lines)
        QTextStream(stderr) << list->rowCount() << " rows shown: " << status->text() << "\n";
    return list->rowCount() == lines ? 0 : 1;
}

double timed(const std::function<void()> &prepare, const std::function<void()> &work)
{
    prepare();
    QElapsedTimer clock;
    clock.start();
    work();
    // The list lays its items out from the event loop: that is part of showing them.
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e6;
}

// Medians of `rounds` timings of the window's step and of the bare fill, taken in turns so
// that a busy machine slows both alike; `prepare` steps run untimed.
std::pair<double, double> compare(int rounds, const std::function<void()> &prepareMine,
                                  const std::function<void()> &mine,
                                  const std::function<void()> &prepareBare,
                                  const std::function<void()> &bareFill)
{
    std::vector<double> a, b;
    for (int round = 0; round < rounds; ++round) {
        a.push_back(timed(prepareMine, mine));
        b.push_back(timed(prepareBare, bareFill));
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return {a[a.size() / 2], b[b.size() / 2]};
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--peak-child")
        return peakChild(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    const int lines = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    const int rounds = argc > 2 ? QByteArray(argv[2]).toInt() : 5;
    const int peakLines = argc > 3 ? QByteArray(argv[3]).toInt() : 1000000;
    QTextStream out(stdout);

    QTemporaryDir site;
    QDir().mkpath(site.filePath("files"));
    PackageHost host(site.path());
    if (!host.start()) {
        out << "bench_catalogue: no package host\n";
        return 1;
    }
    {
        QFile file(site.filePath("files/index.dat"));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(makeCatalogue(host.baseUrl().toString(), lines));
    }
    TsDownloader downloader(QUrl(host.baseUrl().toString() + "/files/index.dat"));
    QSignalSpy arrived(&downloader, &TsDownloader::downloaded);
    if (!arrived.wait(30000)) {
        out << "bench_catalogue: the catalogue did not arrive\n";
        return 1;
    }
    const QByteArray data = downloader.downloadedData();

    CatalogueEntries entries;
    Catalogue::parse(data, entries);
    QStringList texts[4];
    for (int filter = 0; filter < 4; ++filter)
        Catalogue::fill(entries, filter, texts[filter]);

    std::unique_ptr<Zerun> window;
    std::unique_ptr<QListWidget> bare;
    const auto freshWindow = [&] {
        window = std::make_unique<Zerun>();
        window->show();
        QCoreApplication::processEvents();
    };
    const auto freshBare = [&] {
        bare = std::make_unique<QListWidget>();
        bare->show();
        QCoreApplication::processEvents();
    };

    out << "catalogue of " << lines << " lines (" << data.size() / 1024 << " KiB), median of "
        << rounds << " rounds, milliseconds\n";
    out << qSetFieldWidth(28) << Qt::left << "step" << qSetFieldWidth(12) << Qt::right << "window"
        << "bare fill"
        << "ratio" << qSetFieldWidth(0) << "\n";
    const auto row = [&](const QString &step, double mine, double reference) {
        out << qSetFieldWidth(28) << Qt::left << step << qSetFieldWidth(12) << Qt::right
            << QString::number(mine, 'f', 1) << QString::number(reference, 'f', 1)
            << QString::number(mine / reference, 'f', 2) << qSetFieldWidth(0) << "\n";
    };

    // Memory: what a loaded catalogue adds to a window with an empty one.
    {
        const auto residentKiB = [] { return statusKiB("VmRSS:"); };
        freshWindow();
        const qint64 before = residentKiB();
        window->indexDownloaded(&downloader);
        QCoreApplication::processEvents();
        const qint64 after = residentKiB();
        out << "memory: a " << lines << "-line catalogue adds " << (after - before) / 1024
            << " MiB to the window (goal: at most 60 MiB)\n";
        // Typing a search, one keystroke at a time: the slowest and the median keystroke.
        auto *search = window->findChild<QLineEdit *>("repo_search");
        const QString query = QStringLiteral("package number 4242");
        std::vector<double> keys;
        for (int i = 1; i <= query.size(); ++i) {
            QElapsedTimer clock;
            clock.start();
            search->setText(query.left(i));
            QCoreApplication::processEvents();
            keys.push_back(clock.nsecsElapsed() / 1e6);
        }
        std::vector<double> sorted = keys;
        std::sort(sorted.begin(), sorted.end());
        out << "search: " << keys.size() << " keystrokes of \"" << query << "\", median "
            << QString::number(sorted[sorted.size() / 2], 'f', 1) << " ms, slowest "
            << QString::number(sorted.back(), 'f', 1) << " ms (goal: at most 50 ms each)\n";
        window.reset();
    }

    const auto first = compare(
        rounds, freshWindow, [&] { window->indexDownloaded(&downloader); }, freshBare,
        [&] { bare->addItems(texts[0]); });
    row("parse + first display", first.first, first.second);

    const char *const names[] = {"All", "Mods", "Picture Packs", "Skins"};
    for (const int filter : {1, 2, 3, 0}) {
        const auto change = compare(
            rounds,
            [&] {
                freshWindow();
                window->indexDownloaded(&downloader);
                auto *combo = window->findChild<QComboBox *>("repo_filter");
                combo->setCurrentIndex(filter == 1 ? 2 : 1);
                QCoreApplication::processEvents();
            },
            [&] { window->findChild<QComboBox *>("repo_filter")->setCurrentIndex(filter); },
            freshBare, [&] { bare->addItems(texts[filter]); });
        row(QString("filter -> ") + names[filter], change.first, change.second);
    }
    window.reset();
    bare.reset();

    // Peak memory of a fresh process showing a catalogue of peakLines, beside the file's size.
    {
        QFile file(site.filePath("files/index.dat"));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        // Lines of about 59 bytes, as in the largest catalogues seen, under the 64 MiB limit.
        QByteArray text;
        text.reserve(qint64(peakLines) * 62);
        const QByteArray base = host.baseUrl().toString().toUtf8();
        for (int i = 0; i < peakLines; ++i)
            text += base + "/files/p" + QByteArray::number(i) + ".zip," + kinds[i % 3] +
                    ",Package " + QByteArray::number(i) + "\n";
        file.write(text);
    }
    const qint64 fileBytes = QFileInfo(site.filePath("files/index.dat")).size();
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {"--peak-child", host.baseUrl().toString(), QString::number(peakLines)});
    if (!child.waitForFinished(900000) || child.exitCode() != 0) {
        out << "bench_catalogue: the peak run failed\n";
        return 1;
    }
    const double peakMiB = child.readAllStandardOutput().trimmed().toLongLong() / 1024.0;
    const double fileMiB = fileBytes / 1048576.0;
    out << "peak memory: a " << peakLines << "-line catalogue of "
        << QString::number(fileMiB, 'f', 1) << " MiB on disk takes the installer to "
        << QString::number(peakMiB, 'f', 1) << " MiB (goal: at most 3 x "
        << QString::number(fileMiB, 'f', 1)
        << " + 50 = " << QString::number(3 * fileMiB + 50, 'f', 1) << " MiB)\n";
    return 0;
}
