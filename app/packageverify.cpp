#include "packageverify.h"

#include "packageinstall.h"
#include "packagemanifest.h"

#include "sha256.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QtConcurrent>

namespace {

QString number(int value)
{
    // Grouped the player's way: "1,503".
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return locale.toString(value);
}

QString packageFolder(const QString &game, const QString &folder)
{
    return QDir::cleanPath(game + QLatin1Char('/') + folder);
}

} // namespace

QString PackageVerify::Result::summary(Wording wording) const
{
    if (whole())
        return worded(wording, "PackageVerify",
                      //: %1 is the number of files
                      QT_TRANSLATE_N_NOOP("PackageVerify", "All %1 files as installed"), nullptr,
                      recorded)
            .arg(number(recorded));
    QStringList parts;
    const int missingCount = int(missing.size());
    const int changedCount = int(changed.size());
    if (missingCount > 0)
        parts << worded(wording, "PackageVerify",
                        QT_TRANSLATE_N_NOOP3("PackageVerify", "%1 missing", "files"), missingCount)
                     .arg(number(missingCount));
    if (changedCount > 0)
        parts << worded(wording, "PackageVerify",
                        QT_TRANSLATE_N_NOOP3("PackageVerify", "%1 changed", "files"), changedCount)
                     .arg(number(changedCount));
    return parts.join(QStringLiteral(", "));
}

QString PackageVerify::Result::describe(Wording wording) const
{
    QString text = QStringLiteral("%1 (%2): %3").arg(name, folder, summary(wording));
    const auto section = [&text](const QString &heading, const QStringList &paths) {
        if (paths.isEmpty())
            return;
        text += QLatin1Char('\n') + heading;
        for (const QString &path : paths)
            text += QStringLiteral("\n    ") + path;
    };
    const auto heading = [wording](const char *source) {
        return worded(wording, "PackageVerify", source);
    };
    section(heading(QT_TRANSLATE_NOOP("PackageVerify", "Missing:")), missing);
    section(heading(QT_TRANSLATE_NOOP("PackageVerify", "Changed:")), changed);
    section(heading(QT_TRANSLATE_NOOP("PackageVerify",
                                      "Your own files (not part of the package, left alone):")),
            added);
    return text;
}

PackageVerify::PackageVerify(const QString &gameFolder, QObject *parent)
    : QObject(parent), game(gameFolder)
{
    connect(&watcher, &QFutureWatcher<State>::progressValueChanged, this,
            [this](int value) { emit progress(value, int(jobs.size())); });
    connect(&watcher, &QFutureWatcher<State>::finished, this, [this] {
        if (!running)
            return; // taken already by waitForFinished()
        collect();
        running = false;
        emit finished();
    });
}

PackageVerify::~PackageVerify()
{
    watcher.cancel();
    watcher.waitForFinished();
}

PackageVerify::State PackageVerify::checkFile(const Job &job)
{
    const QFileInfo info(job.path);
    if (!info.exists() && !info.isSymLink())
        return State::Missing;
    if (!info.isFile() || info.size() != job.size)
        return State::Changed;
    return Sha256::hexOfFile(job.path) == job.sha256 ? State::Whole : State::Changed;
}

QStringList PackageVerify::filesBelow(const QString &folder)
{
    // Links are not followed: a link is listed as what it is, a name in the folder.
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QDir base(folder);
    // The files an install kept aside are the folder's own, waiting in the installer's folder;
    // the records of the folder's packages are the installer's.
    const QString kept = PackageInstall::originalsFolder() + QLatin1Char('/');
    while (it.hasNext()) {
        const QString relative = base.relativeFilePath(it.next());
        if (!relative.startsWith(kept) && !PackageManifest::isManifest(relative))
            files << relative;
    }
    files.sort();
    return files;
}

void PackageVerify::start(const QVector<InstalledPackage> &packages)
{
    if (running)
        return;
    checked = packages;
    done.clear();
    jobs.clear();
    cancelled = false;
    running = true;
    for (int index = 0; index < checked.size(); ++index) {
        const QString folder = packageFolder(game, checked.at(index).folder);
        const QVector<InstalledFile> &files = checked.at(index).files;
        for (int file = 0; file < files.size(); ++file)
            jobs.append(Job{index, file, folder + QLatin1Char('/') + files.at(file).path,
                            files.at(file).size, files.at(file).sha256});
    }
    watcher.setFuture(QtConcurrent::mapped(jobs, &PackageVerify::checkFile));
}

void PackageVerify::cancel()
{
    if (!running)
        return;
    cancelled = true;
    watcher.cancel();
}

bool PackageVerify::isRunning() const
{
    return running;
}

void PackageVerify::waitForFinished()
{
    if (!running)
        return;
    watcher.waitForFinished();
    // The watcher's own report comes through the event loop; the results are taken now.
    if (running) {
        collect();
        running = false;
    }
}

void PackageVerify::collect()
{
    if (!done.isEmpty() || checked.isEmpty())
        return;
    const QFuture<State> future = watcher.future();
    done.resize(checked.size());
    for (int index = 0; index < checked.size(); ++index) {
        const InstalledPackage &package = checked.at(index);
        Result &result = done[index];
        result.name = package.name;
        result.kind = package.kind;
        result.folder = package.folder;
        result.recorded = int(package.files.size());
    }
    const int ready = cancelled ? 0 : future.resultCount();
    for (int job = 0; job < ready; ++job) {
        const Job &item = jobs.at(job);
        Result &result = done[item.package];
        const QString &path = checked.at(item.package).files.at(item.file).path;
        switch (future.resultAt(job)) {
        case State::Whole:
            break;
        case State::Changed:
            result.changed << path;
            break;
        case State::Missing:
            result.missing << path;
            break;
        }
    }
    if (cancelled)
        return;
    for (int index = 0; index < checked.size(); ++index) {
        QSet<QString> named;
        for (const InstalledFile &file : checked.at(index).files)
            named.insert(QDir::cleanPath(file.path));
        // The folder's own files that the install left in place are not the player's.
        for (const KeptOriginal &original : checked.at(index).originals) {
            if (original.keptAs.isEmpty())
                named.insert(QDir::cleanPath(original.path));
        }
        const QStringList present = filesBelow(packageFolder(game, checked.at(index).folder));
        for (const QString &path : present) {
            if (!named.contains(path))
                done[index].added << path;
        }
        done[index].missing.sort();
        done[index].changed.sort();
    }
}

QString PackageVerify::report(Wording wording) const
{
    QStringList parts;
    for (const Result &result : done)
        parts << result.describe(wording);
    return parts.join(QStringLiteral("\n\n"));
}

PackageVerify::Result PackageVerify::check(const QString &gameFolder,
                                           const InstalledPackage &package)
{
    PackageVerify verify(gameFolder);
    verify.start({package});
    verify.waitForFinished();
    return verify.results().value(0);
}
