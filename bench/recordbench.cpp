// The records of installed packages with a whole collection installed (200 packages of 2,000
// files each, written through the record code) beside an empty profile: the start's record read
// (load()) and the window's whole start (Zerun::initialise, offscreen, no catalogue host), the
// record step of a one-file install (put()), reading and removing a 2,000-file package (files()
// and remove()), and peak memory. Every profile is measured in child processes of its own, in
// alternating rounds; figures are medians. Also the one-time import of the former record
// document of the same collection.
//
//   zerun-recordbench [--rounds <n>]

#include "apppaths.h"
#include "installedpackages.h"
#include "startup.h"
#include "zerun.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int packageCount = 200;
constexpr int filesPerPackage = 2000;
const QString gamePath = QStringLiteral("drive_c/Program Files (x86)/GDS/TEW2016/");

InstalledPackage package(int number, int files)
{
    InstalledPackage package;
    package.name = QStringLiteral("Package %1").arg(number);
    package.kind = QStringLiteral("pics");
    package.folder = QStringLiteral("Pictures/Package%1").arg(number);
    package.url = QStringLiteral("http://127.0.0.1/files/package%1.zip").arg(number);
    package.archiveSize = 123456789;
    package.archiveSha256 = QByteArray(64, 'a');
    package.validator = QStringLiteral("\"etag-%1\"").arg(number);
    package.installed = QDateTime::currentDateTimeUtc();
    package.createdFolders = QStringList{package.folder};
    package.createdFoldersKnown = true;
    package.files.reserve(files);
    for (int i = 0; i < files; ++i)
        package.files.append(
            InstalledFile{QStringLiteral("faces/group%1/face%2.jpg").arg(i % 40).arg(i), 20000 + i,
                          QCryptographicHash::hash(QByteArray::number(number * 100000 + i),
                                                   QCryptographicHash::Sha256)
                              .toHex()});
    return package;
}

qint64 peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

double millisecondsOf(QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// In a child, with the profile's environment: the measures, one "name value" line each.
int measure()
{
    AppPaths::createFolders();
    QElapsedTimer timer;
    {
        Zerun window;
        timer.start();
        if (!window.initialise())
            return 5;
        std::printf("initialise %.3f\n", millisecondsOf(timer));
    }
    InstalledPackages records;
    timer.start();
    if (!records.load())
        return 6;
    std::printf("load %.3f\n", millisecondsOf(timer));
    const bool empty = records.all().isEmpty();
    const InstalledPackage skin = package(packageCount + 1, 1);
    timer.start();
    if (!records.put(skin))
        return 7;
    std::printf("put %.3f\n", millisecondsOf(timer));
    // A second one, with the log already started.
    InstalledPackage second = package(packageCount + 2, 1);
    timer.start();
    if (!records.put(second))
        return 7;
    std::printf("put2 %.3f\n", millisecondsOf(timer));
    records.remove(second.name, second.kind);
    // The empty profile gets its 2,000-file package first, to read and remove it the same way.
    if (empty && !records.put(package(0, filesPerPackage)))
        return 8;
    timer.start();
    const QVector<InstalledFile> files =
        records.files(QStringLiteral("Package 0"), QStringLiteral("pics"));
    if (files.size() != filesPerPackage ||
        !records.remove(QStringLiteral("Package 0"), QStringLiteral("pics")))
        return 9;
    std::printf("remove %.3f\n", millisecondsOf(timer));
    std::printf("peak %lld\n", peakKilobytes());
    // Put back what was taken, for the next round.
    records.remove(skin.name, skin.kind);
    if (!empty && !records.put(package(0, filesPerPackage)))
        return 10;
    return 0;
}

int fill()
{
    AppPaths::createFolders();
    {
        InstalledPackages records;
        if (!records.load())
            return 3;
        for (int i = 0; i < packageCount; ++i) {
            if (!records.put(package(i, filesPerPackage)))
                return 4;
        }
    }
    std::printf("database %lld\n", QFileInfo(InstalledPackages::defaultPath()).size());
    return 0;
}

int writeLegacy()
{
    AppPaths::createFolders();
    QJsonArray list;
    for (int i = 0; i < packageCount; ++i) {
        const InstalledPackage p = package(i, filesPerPackage);
        QJsonArray files;
        for (const InstalledFile &file : p.files)
            files.append(QJsonObject{{QStringLiteral("path"), file.path},
                                     {QStringLiteral("size"), double(file.size)},
                                     {QStringLiteral("sha256"), QString::fromLatin1(file.sha256)}});
        list.append(
            QJsonObject{{QStringLiteral("name"), p.name},
                        {QStringLiteral("kind"), p.kind},
                        {QStringLiteral("folder"), p.folder},
                        {QStringLiteral("url"), p.url},
                        {QStringLiteral("archiveSize"), double(p.archiveSize)},
                        {QStringLiteral("archiveSha256"), QString::fromLatin1(p.archiveSha256)},
                        {QStringLiteral("validator"), p.validator},
                        {QStringLiteral("installed"), p.installed.toString(Qt::ISODateWithMs)},
                        {QStringLiteral("files"), files}});
    }
    QFile file(InstalledPackages::legacyPath());
    const QByteArray bytes = QJsonDocument(QJsonObject{{QStringLiteral("format"), 1},
                                                       {QStringLiteral("packages"), list}})
                                 .toJson(QJsonDocument::Indented);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 3;
    std::printf("document %lld\n", qint64(bytes.size()));
    return 0;
}

int importLegacy()
{
    QElapsedTimer timer;
    timer.start();
    InstalledPackages records;
    QString notice;
    if (!records.load(&notice) || records.all().size() != packageCount)
        return 3;
    std::printf("import %.3f\n", millisecondsOf(timer));
    std::printf("peak %lld\n", peakKilobytes());
    return 0;
}

// Runs this program in `mode` with the profile below `root`; the figures it printed.
std::map<QString, double> child(const QString &root, const QString &mode)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), root);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), root + QStringLiteral("/.cache"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("WINEPREFIX"), root + QStringLiteral("/prefix"));
    // Nothing answers there: the catalogue fetch fails quietly.
    environment.insert(QStringLiteral("ZERUN_CATALOGUE_HOST"),
                       QStringLiteral("http://127.0.0.1:9"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(QCoreApplication::applicationFilePath(), {mode});
    process.waitForFinished(-1);
    std::map<QString, double> figures;
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s in %s failed (%d)\n", qPrintable(mode), qPrintable(root),
                     process.exitCode());
        std::exit(1);
    }
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
            figures[QString::fromLatin1(parts.at(0))] = parts.at(1).toDouble();
    }
    return figures;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("--measure") || mode == QLatin1String("--fill") ||
        mode == QLatin1String("--write-legacy") || mode == QLatin1String("--import")) {
        QApplication app(argc, argv);
        setInstallerIdentity();
        if (mode == QLatin1String("--measure"))
            return measure();
        if (mode == QLatin1String("--fill"))
            return fill();
        if (mode == QLatin1String("--write-legacy"))
            return writeLegacy();
        return importLegacy();
    }
    QCoreApplication app(argc, argv);
    int rounds = 5;
    if (mode == QLatin1String("--rounds") && argc > 2)
        rounds = std::max(1, QString::fromLocal8Bit(argv[2]).toInt());

    QTemporaryDir box(QDir::tempPath() + QStringLiteral("/zerun-recordbench-XXXXXX"));
    const QStringList profiles{QStringLiteral("empty"), QStringLiteral("full")};
    for (const QString &name : profiles) {
        const QString game = box.filePath(name + QStringLiteral("/prefix/") + gamePath);
        for (const char *folder : {"Databases", "Pictures", "Skins"})
            QDir().mkpath(game + QLatin1String(folder));
        QFile exe(game + QStringLiteral("TEW2016.exe"));
        if (!exe.open(QIODevice::WriteOnly) || exe.write("MZ") != 2)
            return 1;
    }
    QElapsedTimer timer;
    timer.start();
    const auto filled = child(box.filePath(QStringLiteral("full")), QStringLiteral("--fill"));
    std::printf("filled %d packages of %d files in %.1f s, database %.0f MB\n", packageCount,
                filesPerPackage, millisecondsOf(timer) / 1000,
                filled.at(QStringLiteral("database")) / 1e6);

    std::map<QString, std::map<QString, std::vector<double>>> figures;
    for (int round = 0; round < rounds; ++round) {
        for (const QString &name : profiles) {
            for (const auto &[key, value] : child(box.filePath(name), QStringLiteral("--measure")))
                figures[name][key].push_back(value);
        }
    }
    const auto row = [&](const char *what, const QString &key, const char *unit, double scale,
                         const char *goal) {
        const double empty = median(figures[QStringLiteral("empty")][key]) * scale;
        const double full = median(figures[QStringLiteral("full")][key]) * scale;
        std::printf("%-34s %10.2f %s %10.2f %s %8.2fx  %s\n", what, empty, unit, full, unit,
                    empty > 0 ? full / empty : 0.0, goal);
    };
    std::printf("\n%-34s %13s %13s %9s\n", "medians of rounds", "empty", "200 x 2,000", "ratio");
    row("start: Zerun::initialise", QStringLiteral("initialise"), "ms", 1, "at most 1.2x");
    row("start: record read, load()", QStringLiteral("load"), "ms", 1, "");
    row("one-file install record, put()", QStringLiteral("put"), "ms", 1, "under 20 ms");
    row("one-file install record, again", QStringLiteral("put2"), "ms", 1, "under 20 ms");
    row("2,000-file package files()+remove()", QStringLiteral("remove"), "ms", 1, "");
    row("peak memory (VmHWM)", QStringLiteral("peak"), "MB", 1.0 / 1024, "at most +40 MB");

    // The one-time import of the former document of the same collection.
    const QString legacy = box.filePath(QStringLiteral("legacy"));
    const auto written = child(legacy, QStringLiteral("--write-legacy"));
    const auto imported = child(legacy, QStringLiteral("--import"));
    std::printf("\nimport of the former %.0f MB document, once: %.2f s, peak %.0f MB\n",
                written.at(QStringLiteral("document")) / 1e6,
                imported.at(QStringLiteral("import")) / 1000,
                imported.at(QStringLiteral("peak")) / 1024);
    return 0;
}
