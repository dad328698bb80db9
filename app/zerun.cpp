#include "zerun.h"

#include "catalogue.h"
#include "gamefolder.h"
#include "installrecovery.h"
#include "installrules.h"
#include "serviceendpoints.h"
#include "standarddialog.h"
#include "tscompression.h"
#include "tsdownloader.h"
#include "tslogging.h"
#include "tsunzip.h"
#include "ui_zerun.h"
#include "unpacktransaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStorageInfo>
#include <QUrl>
#include <QtConcurrent>

// One package being unpacked: the extractor, the watch over its worker-thread run, and the
// archive it was given (which no later download can touch, see claimArchive).
struct Zerun::Extraction
{
    TsUnZip unzip;
    QFutureWatcher<void> watcher;
    QString archive;
    QString name;
    QString journal;
    bool ended = false;
};

namespace {

const QString installingTitle = QStringLiteral("Installing...");
const QString pleaseWait = QStringLiteral("Please wait, this may take a minute...");

QString sizeText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
}

// The folders that creating `folder` adds, outermost first.
QStringList missingFolders(const QString &folder)
{
    QStringList missing;
    QString path = QDir::cleanPath(folder);
    while (!QFileInfo::exists(path)) {
        missing.prepend(path);
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return missing;
}

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
    gameFolder = QString();

    // Made once for the window's life, so later batches never get a second copy.
    connect(&downloadManager, &DownloadManager::result, this, &Zerun::status);
    connect(&downloadManager, &DownloadManager::fileDownloaded, this, &Zerun::installing);
    connect(&downloadManager, &DownloadManager::finished, this, &Zerun::installing);

    // A drop adds its rows first; the duplicates go once the drop is over.
    connect(ui->file_list->model(), &QAbstractItemModel::rowsInserted, this,
            &Zerun::removeDuplicateDownloads, Qt::QueuedConnection);
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
    recoverInstalls();
    if (!locateGameFolder())
        return false;
    kindFilter = 0;
    catalogueDownloader = std::make_unique<TsDownloader>(ServiceEndpoints::catalogueUrl());
    connect(catalogueDownloader.get(), &TsDownloader::downloaded, this, &Zerun::indexDownloaded);
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

void Zerun::recoverInstalls()
{
    const QStringList done = InstallRecovery::recoverAll();
    for (const QString &what : done)
        InstallRecovery::note(QStringLiteral("Install recovery: ") + what);
    const int archives = InstallRecovery::removeLeftoverArchives();
    if (archives > 0)
        InstallRecovery::note(
            QStringLiteral("Removed %1 leftover archive(s) from the downloads folder")
                .arg(archives));
}

void Zerun::readCatalogue(const QByteArray &data)
{
    const int skipped = Catalogue::parse(data, catalogue);
    if (skipped > 0)
        InstallRecovery::note(QStringLiteral("Catalogue: %1 line(s) could not be read and were "
                                             "left out")
                                  .arg(skipped));
    fillLists();
    showLists();
}

void Zerun::fillLists()
{
    Catalogue::fill(catalogue, kindFilter, visibleNames, &visibleEntries);
}

void Zerun::showLists()
{
    ui->repo_list->clear();
    ui->repo_list->addItems(visibleNames);
    // Each item knows its entry, so names that repeat or hold a kind suffix stay apart.
    for (int row = 0; row < ui->repo_list->count() && row < visibleEntries.size(); ++row)
        ui->repo_list->item(row)->setData(Qt::UserRole, visibleEntries.at(row));
}

int Zerun::entryOf(const QListWidgetItem *item)
{
    bool ok = false;
    const int entry = item ? item->data(Qt::UserRole).toInt(&ok) : -1;
    return ok ? entry : -1;
}

void Zerun::addToDownloadList(int entry)
{
    if (entry < 0 || entry >= catalogue.size())
        return;
    for (int row = 0; row < ui->file_list->count(); ++row) {
        if (entryOf(ui->file_list->item(row)) == entry)
            return;
    }
    const CatalogueEntry &package = catalogue.at(entry);
    // The kind is shown too: two packages may share a name.
    auto *item = new QListWidgetItem(package.name + Catalogue::suffix(package.kind));
    item->setData(Qt::UserRole, entry);
    ui->file_list->addItem(item);
    downloadNames.append(package.name);
}

void Zerun::removeDuplicateDownloads()
{
    QVector<int> seen;
    for (int row = 0; row < ui->file_list->count();) {
        const int entry = entryOf(ui->file_list->item(row));
        if (entry >= 0 && seen.contains(entry)) {
            delete ui->file_list->takeItem(row);
            continue;
        }
        if (entry >= 0)
            seen.append(entry);
        ++row;
    }
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
    const QList<QListWidgetItem *> selected = ui->repo_list->selectedItems();
    for (const QListWidgetItem *item : selected)
        addToDownloadList(entryOf(item));
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

    // Items know their catalogue entry; an item that does not (text dropped from elsewhere) is
    // matched by its name.
    downloadNames.clear();
    QVector<int> entries;
    QStringList unknown;
    for (int row = 0; row < ui->file_list->count(); ++row) {
        const QListWidgetItem *item = ui->file_list->item(row);
        const QString name = Catalogue::plainName(item->text());
        downloadNames.append(name);
        const int entry = entryOf(item);
        if (entry >= 0 && entry < catalogue.size())
            entries.append(entry);
        else
            unknown.append(name);
    }
    if (!unknown.isEmpty())
        entries += Catalogue::match(catalogue, unknown).entries;

    const Catalogue::Batch batch = Catalogue::batchOf(catalogue, entries);
    queuedUrls = batch.urls;
    queuedKinds = batch.kinds;
    queuedEntries = batch.entries;

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
    const QString packageName = queuedName(position);

    locateGameFolder();
    const QString kind = queuedKinds.isEmpty()
                             ? QString()
                             : queuedKinds.at(qBound(0, currentItem, int(queuedKinds.size()) - 1));

    QString target;
    QString journal;
    if (!askFolder(kind, baseName, packageName, target, journal)) {
        // Nothing lands in the kind's own folder: the package is left out and the batch goes on.
        QFile::remove(archive);
        ui->progressInfo->setText(QStringLiteral("Skipped ") + packageName);
        packageEnded(Outcome::Skipped, packageName, QStringLiteral("skipped"));
        return;
    }
    // An archive that cannot fit is refused before anything is written.
    const qint64 needed = TsCompression::uncompressedSize(archive);
    const qint64 available = QStorageInfo(target).bytesAvailable();
    if (needed > 0 && available >= 0 && needed > available) {
        UnpackTransaction::recover(journal);
        const QString text = QStringLiteral("Not enough disk space: needs ") + sizeText(needed) +
                             QStringLiteral(", ") + sizeText(available) + QStringLiteral(" free");
        ui->progressInfo->setText(text);
        InstallRecovery::note(packageName + QStringLiteral(": ") + text);
        packageEnded(Outcome::Failed, packageName,
                     text + QStringLiteral(" (kept as ") + QFileInfo(archive).fileName() +
                         QLatin1Char(')'));
        return;
    }
    startExtraction(archive, target, packageName, journal);
}

bool Zerun::askFolder(const QString &kind, const QString &baseName, const QString &packageName,
                      QString &target, QString &journal)
{
    const QString destination = gameFolder + InstallRules::destination(kind);
    const QString kindLabel = InstallRules::label(kind);
    const QString title = QStringLiteral("Install ") + kindLabel;
    const QString question = QStringLiteral("Choose a folder name to install the ") + baseName +
                             QLatin1Char(' ') + kindLabel + QStringLiteral(" into:");
    QString label = question;
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
        const QFileInfo candidateInfo(candidate);
        if (candidateInfo.isDir()) {
            // The player's folder is touched only when they say so.
            switch (askExistingFolder(kindLabel, name, packageName)) {
            case ExistingFolder::Update:
                target = candidate;
                journal = InstallRecovery::newJournalPath();
                return true;
            case ExistingFolder::OtherName:
                label = question;
                continue;
            case ExistingFolder::Skip:
                return false;
            }
        }
        if (candidateInfo.exists() || candidateInfo.isSymLink()) {
            // A file of that name cannot become a package folder.
            label = InstallRules::creationComplaint();
            continue;
        }
        // The journal names the folders before they exist, so a kill right after creating them
        // still has them removed at the next start.
        QStringList created = missingFolders(candidate);
        if (InstallRules::hasSaveGames(kind))
            created << QDir::cleanPath(candidate) + QStringLiteral("/SaveGames");
        journal = InstallRecovery::newJournalPath();
        if (UnpackTransaction::prepareJournal(journal, candidate, created) &&
            QDir().mkpath(candidate)) {
            if (InstallRules::hasSaveGames(kind))
                QDir().mkpath(candidate + QStringLiteral("/SaveGames"));
            target = candidate;
            return true;
        }
        UnpackTransaction::recover(journal);
        journal.clear();
        label = InstallRules::creationComplaint();
    }
}

Zerun::ExistingFolder Zerun::askExistingFolder(const QString &kindLabel, const QString &folderName,
                                               const QString &packageName)
{
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Install ") + kindLabel,
        QStringLiteral("The folder \"") + folderName +
            QStringLiteral("\" already exists.\n\nUpdate it with ") + packageName +
            QStringLiteral("? The package's files replace those of the same name; your other "
                           "files stay."),
        QMessageBox::NoButton, this);
    QPushButton *update = box.addButton(QStringLiteral("Update"), QMessageBox::AcceptRole);
    QPushButton *other =
        box.addButton(QStringLiteral("Choose Another Name"), QMessageBox::ActionRole);
    QPushButton *skip = box.addButton(QStringLiteral("Skip"), QMessageBox::RejectRole);
    box.setDefaultButton(other);
    box.setEscapeButton(skip);
    box.exec();
    if (box.clickedButton() == update)
        return ExistingFolder::Update;
    if (box.clickedButton() == other)
        return ExistingFolder::OtherName;
    return ExistingFolder::Skip;
}

void Zerun::startExtraction(const QString &archive, const QString &target, const QString &name,
                            const QString &journal)
{
    auto owned = std::make_unique<Extraction>();
    Extraction *extraction = owned.get();
    extractions.push_back(std::move(owned));
    extraction->archive = archive;
    extraction->name = name;
    extraction->journal = journal;

    TsUnZip &unzip = extraction->unzip;
    unzip.setZipFile(archive);
    unzip.setDestination(target);
    unzip.setEncrypted(false);
    unzip.setJournal(journal);
    connect(&unzip, &TsUnZip::finished, this, [this, extraction] {
        extraction->ended = true;
        finishedExtraction = extraction;
        installed();
        finishedExtraction = nullptr;
    });
    connect(&unzip, &TsUnZip::status, this, &Zerun::updateStatusInfo);
    connect(&unzip, &TsUnZip::error, this, [this, extraction](const QString &err) {
        const QString detail = extraction->unzip.errorDetail();
        extractionFailed(extraction, detail.isEmpty() ? err : err + QStringLiteral(": ") + detail);
    });
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
    // The archive stays in the downloads folder for another try (until the next start).
    ui->progressInfo->setText(text);
    InstallRecovery::note(extraction->name + QStringLiteral(": ") + text);
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
    const int entry = queuedEntries.value(position, -1);
    if (entry >= 0 && entry < catalogue.size())
        return catalogue.at(entry).name;
    return QUrl(queuedUrls.value(position)).fileName().remove(QLatin1String(".zip"));
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
