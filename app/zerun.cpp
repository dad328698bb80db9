#include "zerun.h"

#include "catalogue.h"
#include "gamefolder.h"
#include "installrules.h"
#include "serviceendpoints.h"
#include "standarddialog.h"
#include "tsdownloader.h"
#include "tslogging.h"
#include "tsunzip.h"
#include "ui_zerun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QPushButton>
#include <QUrl>
#include <QtConcurrent>

#include <algorithm>

// One package being unpacked: the extractor, the watch over its worker-thread run, and the
// archive it was given (which no later download can touch, see claimArchive).
struct Zerun::Extraction
{
    TsUnZip unzip;
    QFutureWatcher<void> watcher;
    QString archive;
    QString name;
    bool ended = false;
};

namespace {

const QString installingTitle = QStringLiteral("Installing...");
const QString pleaseWait = QStringLiteral("Please wait, this may take a minute...");

} // namespace

Zerun::Zerun(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui::Zerun>())
{
    // The form ends on the transfer page and has connected the by-name slots.
    ui->setupUi(this);
    ui->back->hide();
    ui->quit->hide();
    connect(&installTimer, &QTimer::timeout, this, &Zerun::updateTime);
    ui->progressBar->setValue(0);
    ui->stackedWidget->setCurrentIndex(0);
    ui->back->hide();
    ui->catalogue_status->hide();
    ui->retry_catalogue->hide();
    gameFolder = QString();

    // Made once for the window's life, so later batches never get a second copy.
    connect(&downloadManager, &DownloadManager::result, this, &Zerun::status);
    connect(&downloadManager, &DownloadManager::fileDownloaded, this, &Zerun::installing);
    connect(&downloadManager, &DownloadManager::finished, this, &Zerun::installing);
}

Zerun::~Zerun()
{
    // An extractor still running on the pool must not outlive its object.
    for (const auto &extraction : extractions)
        extraction->watcher.waitForFinished();
    // The form goes before the other members.
    ui.reset();
}

bool Zerun::initialise()
{
    if (!locateGameFolder())
        return false;
    kindFilter = 0;
    catalogueFetch = std::make_unique<CatalogueFetch>();
    connect(catalogueFetch.get(), &CatalogueFetch::finished, this,
            [this](const CatalogueFetch::Result &result) { catalogueFetched(result); });
    connect(ui->retry_catalogue, &QPushButton::clicked, this, [this] {
        ui->retry_catalogue->hide();
        ui->catalogue_status->setText(QStringLiteral("Loading the package list..."));
        catalogueFetch->start(ServiceEndpoints::catalogueUrl());
    });
    catalogueFetch->start(ServiceEndpoints::catalogueUrl());
    fillLists();
    showLists();
    return true;
}

bool Zerun::locateGameFolder()
{
    if (!gameFolder.isEmpty())
        return true;
    gameFolder = GameFolder::locate();
    return !gameFolder.isEmpty();
}

void Zerun::indexDownloaded(TsDownloader *downloader)
{
    readCatalogue(downloader->downloadedData());
}

void Zerun::catalogueFetched(const CatalogueFetch::Result &result)
{
    // A failure without a kept copy leaves whatever list is shown.
    if (result.source != CatalogueFetch::Result::Nothing) {
        catalogue.clear();
        readCatalogue(result.data);
    }
    const QString notice = result.notice(QDateTime::currentDateTimeUtc());
    ui->catalogue_status->setText(notice);
    ui->catalogue_status->setVisible(!notice.isEmpty());
    ui->retry_catalogue->setVisible(!result.failure.isEmpty());
}

void Zerun::readCatalogue(const QByteArray &data)
{
    const int first = catalogue.size();
    const int skipped = Catalogue::parse(data, catalogue);
    // Only web addresses are offered: a file:// line would copy a local file. Blank lines are
    // not entries anyone wrote.
    const auto notWeb = [](const CatalogueEntry &entry) {
        const bool blank = entry.file.isEmpty() && entry.kind.isEmpty() && entry.name.isEmpty();
        return !blank && !ServiceEndpoints::isWebUrl(QUrl(entry.file));
    };
    const auto kept = std::remove_if(catalogue.begin() + first, catalogue.end(), notWeb);
    const int refused = int(catalogue.end() - kept);
    catalogue.erase(kept, catalogue.end());
    if (refused > 0)
        TsLogging::Log::channelDebug(TsLogging::Channel::strName(),
                                     QStringLiteral("Catalogue: %1 line(s) without an http or "
                                                    "https address left out")
                                         .arg(refused));
    if (skipped > 0)
        TsLogging::Log::info(TsLogging::Channel::tsName(),
                             QStringLiteral("Catalogue: %1 line(s) with more than three fields "
                                            "left out")
                                 .arg(skipped));
    fillLists();
    showLists();
}

void Zerun::fillLists()
{
    Catalogue::fill(catalogue, kindFilter, visibleNames);
}

void Zerun::showLists()
{
    ui->repo_list->clear();
    ui->repo_list->addItems(visibleNames);
}

void Zerun::status(const QString &msg)
{
    ui->stackedWidget->setCurrentIndex(1);
    if (msg.startsWith(QLatin1String("Downloading"))) {
        ui->progressTitle->setText(msg);
        transferPosition = startedTransfers++;
    } else if (msg.startsWith(QLatin1String("Progress"))) {
        const QStringList words = msg.split(QLatin1Char(' '));
        const int percent = QString(words.value(1)).remove(QLatin1Char('%')).toInt();
        if (percent == 100) {
            ui->progressTitle->setText(installingTitle);
            ui->progressInfo->setText(pleaseWait);
            ui->progressBar->setValue(99);
        } else {
            ui->progressTitle->setText(QStringLiteral("Downloading.."));
            ui->progressInfo->setText(words.value(2) + QLatin1Char(' ') + words.value(3));
            ui->progressBar->setValue(percent);
        }
    } else if (msg.startsWith(QLatin1String("File"))) {
        // Everything after the first separator, so a path holding ": " stays whole.
        const int separator = msg.indexOf(QLatin1String(": "));
        downloadedFile = separator < 0 ? QString() : msg.mid(separator + 2);
    } else if (msg.contains(QLatin1String("files downloaded successfully"))) {
        currentItem = msg.split(QLatin1Char('/')).value(0).toInt() - 1;
    } else if (msg == QLatin1String("Succeeded")) {
        ui->progressTitle->setText(installingTitle);
        ui->progressInfo->setText(pleaseWait);
        ui->progressBar->setValue(99);
        installTimer.start(1000);
        install();
    } else {
        ui->progressInfo->setText(msg);
        if (msg.startsWith(QLatin1String("Problem opening save file"))) {
            // The manager skips this file without a start report.
            transferPosition = startedTransfers++;
            packageEnded(Outcome::Failed, queuedName(transferPosition), msg.trimmed());
        } else if (msg.startsWith(QLatin1String("Failed: "))) {
            packageEnded(Outcome::Failed, queuedName(transferPosition), msg);
        } else if (msg.isEmpty()) {
            // The outcome of a redirect: nothing was saved.
            packageEnded(Outcome::Failed, queuedName(transferPosition),
                         QStringLiteral("redirected, not downloaded"));
        }
    }
}

void Zerun::installing()
{
    // The manager's end can come after the batch's last package is over; the page then already
    // shows how the batch ended.
    if (!queuedUrls.isEmpty() && endedPackages >= queuedUrls.size())
        return;
    ui->progressTitle->setText(installingTitle);
}

void Zerun::updateStatusInfo(const QString &msg)
{
    ui->progressInfo->setText(msg);
    if (msg.contains(QLatin1String("Complete")))
        updateStatusTitle(QStringLiteral("Finished"));
}

void Zerun::updateStatusTitle(const QString &msg)
{
    ui->progressTitle->setText(msg);
}

void Zerun::updateProgress(int progress)
{
    ui->progressBar->setValue(progress);
}

void Zerun::updateTime()
{
    if (ui->progressBar->value() != 100)
        return;
    installTimer.stop();
    ui->progressTitle->setText(QStringLiteral("Installed"));
    ui->progressInfo->setText(QStringLiteral("Install Completed"));
}

void Zerun::on_repo_filter_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    kindFilter = index;
    visibleNames.clear();
    fillLists();
    showLists();
}

void Zerun::on_add_to_list_clicked()
{
    QStringList names;
    const QList<QListWidgetItem *> selected = ui->repo_list->selectedItems();
    for (const QListWidgetItem *item : selected)
        names.append(Catalogue::plainName(item->text()));
    ui->file_list->addItems(names);
    downloadNames.append(names);
}

void Zerun::on_download_items_clicked()
{
    // The manager takes one batch at a time; a second press before the first report would queue
    // the list again beside the running transfer.
    if (endedPackages < queuedUrls.size())
        return;
    ui->back->hide();
    ui->quit->hide();
    queuedUrls.clear();
    queuedKinds.clear();
    currentItem = 0;

    downloadNames.clear();
    for (int row = 0; row < ui->file_list->count(); ++row)
        downloadNames.append(Catalogue::plainName(ui->file_list->item(row)->text()));

    const Catalogue::Batch batch = Catalogue::match(catalogue, downloadNames);
    queuedUrls = batch.urls;
    queuedKinds = batch.kinds;

    startedTransfers = 0;
    transferPosition = 0;
    endedPackages = 0;
    installedPackages = 0;
    problems.clear();

    downloadManager.setOverwrite(true);
    downloadManager.setUrlList(queuedUrls);
    downloadManager.startList();
}

void Zerun::on_clear_list_clicked()
{
    ui->file_list->clear();
    downloadNames.clear();
}

void Zerun::install()
{
    const QString baseName =
        downloadedFile.section(QLatin1Char('/'), -1).remove(QLatin1String(".zip"));
    const QString archive = claimArchive(downloadedFile);
    const int position = transferPosition;
    currentItem = position;

    locateGameFolder();
    const QString kind = queuedKinds.isEmpty()
                             ? QString()
                             : queuedKinds.at(qBound(0, currentItem, int(queuedKinds.size()) - 1));

    QString target;
    if (!askFolder(kind, baseName, target)) {
        // Nothing lands in the kind's own folder: the package is left out and the batch goes on.
        QFile::remove(archive);
        ui->progressInfo->setText(QStringLiteral("Skipped ") + baseName);
        packageEnded(Outcome::Skipped, baseName, QStringLiteral("skipped"));
        return;
    }
    startExtraction(archive, target, baseName);
}

bool Zerun::askFolder(const QString &kind, const QString &baseName, QString &target)
{
    const QString destination = gameFolder + InstallRules::destination(kind);
    const QString kindLabel = InstallRules::label(kind);
    const QString title = QStringLiteral("Install ") + kindLabel;
    QString label = QStringLiteral("Choose a folder name to install the ") + baseName +
                    QLatin1Char(' ') + kindLabel + QStringLiteral(" into:");
    for (;;) {
        bool accepted = false;
        const QString name = StandardDialog::getText(title, label, &accepted);
        if (!accepted)
            return false;
        const QString complaint = InstallRules::nameComplaint(name);
        if (!complaint.isEmpty()) {
            label = complaint;
            continue;
        }
        const QString candidate = destination + name;
        // An existing folder is an update in place; a file of that name cannot be one.
        if (QFileInfo(candidate).isDir()) {
            target = candidate;
            return true;
        }
        if (QDir().mkpath(candidate)) {
            if (InstallRules::hasSaveGames(kind))
                QDir().mkpath(candidate + QStringLiteral("/SaveGames"));
            target = candidate;
            return true;
        }
        label = InstallRules::creationComplaint();
    }
}

void Zerun::startExtraction(const QString &archive, const QString &target, const QString &name)
{
    auto owned = std::make_unique<Extraction>();
    Extraction *extraction = owned.get();
    extractions.push_back(std::move(owned));
    extraction->archive = archive;
    extraction->name = name;

    TsUnZip &unzip = extraction->unzip;
    unzip.setZipFile(archive);
    unzip.setDestination(target);
    unzip.setEncrypted(false);
    connect(&unzip, &TsUnZip::finished, this, [this, extraction] {
        extraction->ended = true;
        finishedExtraction = extraction;
        installed();
        finishedExtraction = nullptr;
    });
    connect(&unzip, &TsUnZip::status, this, &Zerun::updateStatusInfo);
    connect(&unzip, &TsUnZip::error, this,
            [this, extraction](const QString &err) { extractionFailed(extraction, err); });
    // The run's own signals are queued before the watcher's, so this only catches a run that
    // ended without any (the archive failed to close).
    connect(&extraction->watcher, &QFutureWatcher<void>::finished, this, [this, extraction] {
        if (!extraction->ended)
            extractionFailed(extraction, QStringLiteral("Couldn't close zip"));
    });
    extraction->watcher.setFuture(QtConcurrent::run(&unzip, &TsUnZip::unpackAll));
}

void Zerun::extractionFailed(Extraction *extraction, const QString &text)
{
    if (extraction->ended)
        return;
    extraction->ended = true;
    // The archive stays in the downloads folder for another try.
    ui->progressInfo->setText(text);
    packageEnded(Outcome::Failed, extraction->name,
                 text + QStringLiteral(" (kept as ") + QFileInfo(extraction->archive).fileName() +
                     QLatin1Char(')'));
}

void Zerun::installed()
{
    ui->progressBar->setValue(100);
    updateStatusInfo(QStringLiteral("Install Complete"));
    if (finishedExtraction)
        QFile::remove(finishedExtraction->archive);
    // An earlier package's tick may have stopped the timer while this one was unpacking.
    if (!installTimer.isActive())
        installTimer.start(1000);
    packageEnded(Outcome::Installed);
}

void Zerun::packageEnded(Outcome outcome, const QString &name, const QString &text)
{
    ++endedPackages;
    if (outcome == Outcome::Installed)
        ++installedPackages;
    else
        problems.append(name + QStringLiteral(": ") + text);
    if (endedPackages < queuedUrls.size())
        return;
    ui->quit->show();
    if (problems.isEmpty())
        return;
    // The closing texts of a clean batch would hide what went wrong.
    installTimer.stop();
    updateStatusTitle(QStringLiteral("Finished"));
    ui->progressInfo->setText(QStringLiteral("Installed %1 of %2 packages. ")
                                  .arg(installedPackages)
                                  .arg(queuedUrls.size()) +
                              problems.join(QStringLiteral("; ")));
}

QString Zerun::queuedName(int position) const
{
    const QString url = queuedUrls.value(position);
    return QUrl(url).fileName().remove(QLatin1String(".zip"));
}

QString Zerun::claimArchive(const QString &saved)
{
    const QFileInfo info(saved);
    const QString folder = info.path() + QLatin1Char('/');
    const QString stem = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 1; n < 10000; ++n) {
        const QString claimed = folder + stem + QLatin1Char('-') + QString::number(n) + suffix;
        if (QFileInfo::exists(claimed))
            continue;
        if (QFile::rename(saved, claimed))
            return claimed;
        break;
    }
    return saved;
}

void Zerun::on_back_clicked()
{
    ui->stackedWidget->setCurrentIndex(0);
}

void Zerun::on_quit_clicked()
{
    QCoreApplication::quit();
}
