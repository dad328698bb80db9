#include "zerun.h"

#include "catalogue.h"
#include "cataloguerows.h"
#include "dialoghost.h"
#include "elidingdelegate.h"
#include "failurewords.h"
#include "gamefolder.h"
#include "gamerecords.h"
#include "heldback.h"
#include "installrecovery.h"
#include "languagechoice.h"
#include "listexchange.h"
#include "logwindows.h"
#include "openfolder.h"
#include "outcomelist.h"
#include "packageupdates.h"
#include "recordrebuild.h"
#include "serviceendpoints.h"
#include "standarddialog.h"
#include "tsdownloader.h"
#include "ui_zerun.h"
#include "windowaccess.h"
#include "windowfilters.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

const char *const installingTitle = QT_TRANSLATE_NOOP("Zerun", "Installing...");
const char *const pleaseWait = QT_TRANSLATE_NOOP("Zerun", "Please wait, this may take a minute...");

} // namespace

Zerun::Zerun(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui::Zerun>())
{
    // The form ends on the transfer page and has connected the by-name slots.
    ui->setupUi(this);
    // Every catalogue line is one line of text: the list need not measure each of them.
    ui->repo_list->setUniformItemSizes(true);
    ui->repo_list->setModel(&catalogueRows);
    // Lines keep their height when marks come and go, and long ones are elided in the middle.
    ElidingDelegate::install(ui->repo_list);
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->back, ui->quit, ui->cancel_batch, ui->copy_details, ui->show_log, ui->retry_failed,
             ui->outcome_list, ui->batchProgress})
        widget->hide();
    // The transfer page is not shown, so its row of buttons is not laid out again by itself: it
    // would keep the width of the buttons just hidden in the window's minimum.
    ui->horizontalLayout_4->invalidate();
    connect(ui->retry_failed, &QPushButton::clicked, this, [this] {
        if (batch.retryFailed())
            showBatchStart();
    });
    connect(ui->cancel_batch, &QPushButton::clicked, this, [this] { batch.cancel(false); });
    connect(ui->copy_details, &QPushButton::clicked, this,
            [this] { OutcomeList::copy(ui->outcome_list); });
    connect(ui->show_log, &QPushButton::clicked, this, &LogWindows::showTodaysLog);
    connect(&installTimer, &QTimer::timeout, this, &Zerun::updateTime);
    ui->progressBar->setValue(0);
    ui->stackedWidget->setCurrentIndex(0);
    ui->catalogue_status->hide();
    ui->retry_catalogue->hide();

    // The language of the next start: the choice is kept at once, the page says when it applies.
    LanguageChoice::attach(ui->language_choice, ui->language_note);

    connectBatch();

    // A drop adds its rows first; the duplicates go once the drop is over.
    connect(ui->file_list->model(), &QAbstractItemModel::rowsInserted, this,
            &Zerun::removeDuplicateDownloads, Qt::QueuedConnection);

    connect(&updateProbe, &UpdateProbe::checked, this, [this](int entry, bool differs) {
        if (differs) {
            updatesAvailable.insert(entry);
            applyMarks();
        }
    });
    connect(ui->uninstall_package, &QPushButton::clicked, this, &Zerun::uninstallSelected);
    connect(ui->repo_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &Zerun::updateUninstallButton);

    // Search as you type; Esc clears it.
    connect(ui->repo_search, &QLineEdit::textChanged, this, [this](const QString &text) {
        const QString previous = searchText;
        searchText = text.trimmed();
        const QVector<int> shown = visibleEntries;
        if (!previous.isEmpty() && searchText.startsWith(previous, Qt::CaseInsensitive))
            narrowLists(); // a longer search only keeps some of what is shown
        else
            fillLists();
        // The first letters of a search often still match everything shown: nothing to redo.
        if (visibleEntries != shown || catalogueRows.entries() != visibleEntries)
            showLists();
    });
    ui->repo_search->installEventFilter(new EscapeClears(ui->repo_search));

    addListActions();
    // Archives dropped anywhere on the catalogue page, the lists included.
    auto *drops =
        new ArchiveDrops([this](const QStringList &archives) { installArchives(archives); }, this);
    ui->page->setAcceptDrops(true);
    ui->page->installEventFilter(drops);
    ui->repo_list->viewport()->installEventFilter(drops);
    ui->file_list->viewport()->installEventFilter(drops);
    updateUninstallButton();
    // Names, Tab order and keys for the keyboard and screen readers.
    new WindowAccess(this);
}

void Zerun::addListActions()
{
    // Double-click or Enter adds the selected packages; Delete or the context menu takes
    // packages off the download list.
    connect(ui->repo_list, &QListView::activated, this, &Zerun::on_add_to_list_clicked);
    const auto add = [this](QAbstractItemView *list, const QString &text, const char *name,
                            void (Zerun::*slot)()) {
        auto *action = new QAction(text, list);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        list->addAction(action);
        list->setContextMenuPolicy(Qt::ActionsContextMenu);
        return action;
    };
    add(ui->repo_list, tr("Add to Download List"), "", &Zerun::on_add_to_list_clicked);
    add(ui->repo_list, tr("Uninstall"), "uninstall_action", &Zerun::uninstallSelected);
    add(ui->repo_list, tr("Open Folder"), "open_folder_action", &Zerun::openSelectedFolder);
    QAction *remove =
        add(ui->file_list, tr("Remove from List"), "", &Zerun::removeSelectedDownloads);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    // Verify the selected installed packages; installs from the player's own archives.
    connect(ui->verify_package, &QPushButton::clicked, this, &Zerun::verifySelected);
    add(ui->repo_list, tr("Verify"), "verify_action", &Zerun::verifySelected);
    connect(ui->install_from_file, &QPushButton::clicked, this, &Zerun::chooseArchives);
    connect(ui->update_all, &QPushButton::clicked, this, &Zerun::updateAll);
    connect(ui->export_list, &QPushButton::clicked, this, &Zerun::exportList);
    connect(ui->import_list, &QPushButton::clicked, this, &Zerun::importList);
    connect(ui->change_game_folder, &QPushButton::clicked, this, &Zerun::changeGameFolder);
}

Zerun::~Zerun()
{
    // The batch waits for an unpack still running on the pool; the page is gone by then.
    disconnect(&batch, nullptr, this, nullptr);
    // The form goes before the other members.
    ui.reset();
}

bool Zerun::initialise()
{
    recoverInstalls();
    if (!locateGameFolder())
        return false;
    const QString recovered = packageRecords.filePath();
    useGameFolder();
    // Records in use by another program were waited for once already.
    if (packageRecords.filePath() != recovered || !packageRecords.inUse())
        loadInstalledPackages();
    settleRecords();
    kindFilter = 0;
    catalogueFetch = std::make_unique<CatalogueFetch>();
    connect(catalogueFetch.get(), &CatalogueFetch::finished, this,
            [this](const CatalogueFetch::Result &result) { catalogueFetched(result); });
    connect(ui->retry_catalogue, &QPushButton::clicked, this, [this] {
        ui->retry_catalogue->hide();
        catalogueLoading = true;
        updateCatalogueStatus();
        catalogueFetch->start(ServiceEndpoints::catalogueUrl());
    });
    catalogueLoading = true;
    updateCatalogueStatus();
    catalogueFetch->start(ServiceEndpoints::catalogueUrl());
    fillLists();
    showLists();
    return true;
}

bool Zerun::locateGameFolder()
{
    if (gameFolder.isEmpty())
        gameFolder = GameFolder::resolved(GameFolder::locate());
    batch.setGameFolder(gameFolder);
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
        unreadLines = 0;
        readCatalogue(result.data);
    }
    catalogueNotice = result.notice(QDateTime::currentDateTimeUtc(), Wording::Player);
    catalogueLoading = false;
    updateCatalogueStatus();
    ui->retry_catalogue->setVisible(!result.failure.isEmpty());
    // Packages a cut-off change left half changed are checked once the catalogue is known: the
    // report offers Repair.
    if (!halfChanged.isEmpty() && !batch.isBusy() && !batch.isVerifying()) {
        batch.verify(halfChanged, catalogue);
        halfChanged.clear();
    }
}

void Zerun::updateCatalogueStatus()
{
    // What the list shows, or why it shows nothing (or an older copy). The status line shows
    // one line, the whole notice in its tooltip: what became of the player's own installs,
    // said once, comes before the list's state, which Try Again says again.
    QString text;
    for (const QString &notice : {recoveryNotice, recordsNotice, catalogueNotice}) {
        if (!notice.isEmpty())
            text = text.isEmpty() ? notice : text + QLatin1Char('\n') + notice;
    }
    if (catalogueLoading) {
        text = tr("Loading the package list...");
    } else if (text.isEmpty()) {
        text = tr("%n package(s)", nullptr, catalogueRows.rowCount());
        if (unreadLines > 0)
            text += tr(" \u00b7 %n line(s) could not be read", nullptr, unreadLines);
    }
    ui->catalogue_status->setText(text);
    ui->catalogue_status->show();
}

void Zerun::recoverInstalls()
{
    recoveryNotice = InstallRecovery::atStart(packageRecords, &halfChanged);
    recordsNotice = packageRecords.replacementWords();
    heldBack.refresh();
}

void Zerun::readCatalogue(const QByteArray &data)
{
    const int first = catalogue.size();
    const int skipped = Catalogue::parse(data, catalogue);
    // Only web addresses are offered.
    const int refused = Catalogue::dropNonWeb(catalogue, first);
    if (refused > 0)
        InstallRecovery::note(worded(Wording::Log, "Zerun",
                                     "Catalogue: %n line(s) without a web address left out",
                                     nullptr, refused));
    if (skipped > 0)
        InstallRecovery::note(worded(Wording::Log, "Zerun",
                                     "Catalogue: %n line(s) could not be read and were left out",
                                     nullptr, skipped));
    unreadLines += skipped + refused;
    fillLists();
    showLists();
    checkForUpdates();
}

void Zerun::fillLists()
{
    visibleEntries = CatalogueRows::rows(catalogue, packageRecords, kindFilter);
    // The search narrows whatever the kind filter shows, by name, ignoring case.
    if (!searchText.isEmpty())
        narrowLists();
}

void Zerun::narrowLists()
{
    visibleEntries = CatalogueRows::narrowed(catalogue, packageRecords, searchText, visibleEntries);
}

void Zerun::showLists()
{
    // A row's entry is its place in visibleEntries, so names that repeat or hold a kind suffix
    // stay apart; the texts are made as rows are shown.
    catalogueRows.show(kindFilter, visibleEntries);
    applyMarks();
    if (catalogueFetch)
        updateCatalogueStatus();
}

void Zerun::loadInstalledPackages()
{
    QString notice;
    packageRecords.load(&notice);
    if (!notice.isEmpty())
        InstallRecovery::note(QStringLiteral("Installed packages: ") + notice);
}

void Zerun::settleRecords()
{
    if (recordsNotice.isEmpty())
        recordsNotice = packageRecords.replacementWords();
    const RecordRebuild::Result settled = RecordRebuild::settle(gameFolder, packageRecords);
    for (const QString &line : settled.log)
        InstallRecovery::note(QStringLiteral("Installed packages: ") + line);
    for (const QString &file : settled.damaged)
        InstallRecovery::note(
            QStringLiteral("Installed packages: a damaged record was not used: ") + file);
    // Said once, in its own words: what was found again covers what was lost.
    if (!settled.notice.isEmpty())
        recordsNotice = settled.notice;
}

void Zerun::useGameFolder()
{
    QString notice;
    packageRecords.setPath(GameRecords::databaseFor(gameFolder, &notice));
    if (!notice.isEmpty())
        InstallRecovery::note(QStringLiteral("Game folders: ") + notice);
    ui->game_folder->setFullText(
        tr("Game folder: %1").arg(QDir::toNativeSeparators(QDir::cleanPath(gameFolder))));
}

void Zerun::changeGameFolder()
{
    // A change under way belongs to the folder it began in.
    if (batch.isBusy() || batch.isVerifying()) {
        StandardDialog::question(tr("Change Game Folder"),
                                 tr("Packages are being installed or checked. Change the game "
                                    "folder once they are done."),
                                 {tr("OK")}, 0, 0, QMessageBox::Information);
        return;
    }
    const QString chosen = GameFolder::change(gameFolder);
    if (chosen.isEmpty())
        return;
    InstallRecovery::note(
        QStringLiteral("Game folder changed from %1 to %2").arg(gameFolder, chosen));
    setGameFolder(GameFolder::resolved(chosen));
    useGameFolder();
    loadInstalledPackages();
    recordsNotice.clear();
    settleRecords();
    updatesAvailable.clear();
    fillLists();
    showLists();
    checkForUpdates();
}

const InstalledPackage *Zerun::recordOf(int entry) const
{
    return CatalogueRows::recordOf(catalogue, packageRecords, entry);
}

void Zerun::applyMarks()
{
    catalogueRows.marksChanged();
    updateUninstallButton();
}

void Zerun::checkForUpdates()
{
    const QVector<UpdateProbe::Query> queries =
        PackageUpdates::queries(catalogue, packageRecords, &updatesAvailable);
    applyMarks();
    if (!queries.isEmpty())
        updateProbe.check(queries);
}

void Zerun::updateUninstallButton()
{
    const QVector<int> selected = selectedEntries();
    ui->uninstall_package->setEnabled(selected.size() == 1 &&
                                      recordOf(selected.first()) != nullptr);
    const bool verifying = batch.isVerifying();
    const bool anyInstalled = !selectedRecords().isEmpty();
    ui->verify_package->setEnabled(verifying || anyInstalled);
    const int updates = int(PackageUpdates::pending(catalogue, packageRecords,
                                                    heldBack.offered(catalogue, updatesAvailable))
                                .size());
    ui->update_all->setText(PackageUpdates::buttonText(updates));
    ui->update_all->setVisible(updates > 0);
    // The context menu offers only what applies to the packages chosen.
    const QList<QAction *> actions = ui->repo_list->actions();
    for (QAction *action : actions) {
        if (action->objectName() == QLatin1String("verify_action"))
            action->setVisible(anyInstalled);
        else if (action->objectName().endsWith(QLatin1String("_action")))
            action->setVisible(ui->uninstall_package->isEnabled());
    }
}

void Zerun::openSelectedFolder()
{
    const QVector<int> selected = selectedEntries();
    if (selected.isEmpty())
        return;
    const InstalledPackage *record = recordOf(selected.first());
    QString why;
    if (record && !openFolder(gameFolder + record->folder, &why))
        questions.tell(tr("Open Folder"), why, QMessageBox::Critical);
}

void Zerun::uninstallSelected()
{
    const QVector<int> selected = selectedEntries();
    const int entry = selected.isEmpty() ? -1 : selected.first();
    const InstalledPackage *found = recordOf(entry);
    if (found && batch.uninstall(*found))
        updatesAvailable.remove(entry);
}

int Zerun::entryOf(const QListWidgetItem *item) const
{
    if (!item)
        return -1;
    bool ok = false;
    const int entry = item->data(entryRole).toInt(&ok);
    return ok ? entry : -1;
}

QVector<int> Zerun::selectedEntries() const
{
    QVector<int> entries;
    const QModelIndexList selected = ui->repo_list->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : selected)
        entries << catalogueRows.entryAt(index.row());
    return entries;
}

void Zerun::removeSelectedDownloads()
{
    const QList<QListWidgetItem *> selected = ui->file_list->selectedItems();
    for (QListWidgetItem *item : selected) {
        const int row = ui->file_list->row(item);
        delete ui->file_list->takeItem(row);
    }
}

void Zerun::addToDownloadList(int entry)
{
    if (entry < 0 || entry >= catalogue.size())
        return;
    for (int row = 0; row < ui->file_list->count(); ++row) {
        if (entryOf(ui->file_list->item(row)) == entry)
            return;
    }
    const CatalogueEntry package = catalogue.at(entry);
    // The kind is shown too: two packages may share a name.
    auto *item = new QListWidgetItem(package.name + Catalogue::suffix(package.kind));
    item->setData(Qt::UserRole, entry);
    ui->file_list->addItem(item);
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
    const QString label = batch.label(batch.downloading());
    // While a package is asked about or unpacked, the page tells about it; the download that
    // runs meanwhile shows once it is over.
    const bool showTransfer = !batch.isInstalling();
    if (msg.startsWith(QLatin1String("Downloading"))) {
        transferClock.start();
        smoothedSecondsLeft = -1;
        transferSecondsLeft = -1;
        bytesDone = 0;
        bytesTotal = -1;
        if (showTransfer && label.isEmpty()) {
            ui->progressTitle->setText(msg);
        } else if (showTransfer) {
            //: %1 is the package and where it stands in the list: "Name (2 of 5)"
            ui->progressTitle->setText(tr("Downloading %1").arg(label));
            ui->progressInfo->setText(tr("Connecting..."));
            ui->progressBar->setValue(0);
        }
    } else if (msg.startsWith(QLatin1String("Progress"))) {
        if (!showTransfer)
            return;
        const QStringList words = msg.split(QLatin1Char(' '));
        const int percent = QString(words.value(1)).remove(QLatin1Char('%')).toInt();
        const QString rate =
            FailureWords::rateText(words.value(2) + QLatin1Char(' ') + words.value(3));
        if (percent == 100) {
            ui->progressTitle->setText(label.isEmpty() ? tr(installingTitle)
                                                       : tr("Downloaded %1").arg(label));
            // A package of a batch is saved now and waits for its turn, which the page tells.
            ui->progressInfo->setText(label.isEmpty() ? tr(pleaseWait)
                                                      : tr("Saved; it is installed in its turn"));
            ui->progressBar->setValue(label.isEmpty() ? 99 : 100);
        } else {
            ui->progressTitle->setText(label.isEmpty() ? tr("Downloading..")
                                                       : tr("Downloading %1").arg(label));
            ui->progressInfo->setText(label.isEmpty() ? rate : transferDetail(percent, rate));
            ui->progressBar->setValue(percent);
        }
    } else if (msg.startsWith(QLatin1String("File")) ||
               msg.contains(QLatin1String("files downloaded successfully"))) {
        // The batch follows the saved file and the count; the page shows neither.
    } else if (msg == QLatin1String("Succeeded")) {
        // The archive waits for its turn; the page tells of it when it comes (installTurn).
        installTimer.start(1000);
        install();
    } else if (showTransfer && !msg.startsWith(QLatin1String("Retrying"))) {
        // A failure's words in the player's language follow from the batch, a retry's from
        // the manager's retrying().
        ui->progressInfo->setText(msg);
    }
}

void Zerun::installing()
{
    // The manager's end can come after the batch's last package is over; the page then already
    // shows how the batch ended. A package being asked about or unpacked keeps the page.
    if (!batch.isRunning() || batch.isInstalling())
        return;
    const int position = batch.current();
    ui->progressTitle->setText(
        (batch.packages().value(position).update ? tr("Updating %1") : tr("Installing %1"))
            .arg(batch.label(position)));
}

void Zerun::updateStatusInfo(const QString &msg)
{
    ui->progressInfo->setText(msg);
    if (msg.contains(QLatin1String("Complete")) || msg == tr("Install Complete"))
        updateStatusTitle(tr("Finished"));
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
    // The closing texts belong to a batch that is over with every package installed; they are
    // the ones its end showed.
    if (ui->progressBar->value() != 100 || batch.isRunning() || !batch.allInstalled())
        return;
    installTimer.stop();
    const InstallBatch::Ending ending = batch.ending();
    ui->progressTitle->setText(ending.heading);
    ui->progressInfo->setText(ending.info);
}

void Zerun::on_repo_filter_currentIndexChanged(int index)
{
    if (index < 0)
        return;
    kindFilter = index;
    fillLists();
    showLists();
}

void Zerun::on_add_to_list_clicked()
{
    const QVector<int> selected = selectedEntries();
    for (const int entry : selected)
        addToDownloadList(entry);
}

void Zerun::on_download_items_clicked()
{
    // The manager takes one batch at a time; a second press before the first report would queue
    // the list again beside the running transfer.
    if (batch.isRunning())
        return;
    // Items know their catalogue entry; an item that does not (text dropped from elsewhere) is
    // matched by its name.
    QVector<int> entries;
    QStringList unknown;
    for (int row = 0; row < ui->file_list->count(); ++row) {
        const QListWidgetItem *item = ui->file_list->item(row);
        const QString name = Catalogue::plainName(item->text());
        const int entry = entryOf(item);
        if (entry >= 0 && entry < catalogue.size())
            entries.append(entry);
        else
            unknown.append(name);
    }
    if (!unknown.isEmpty())
        entries += Catalogue::match(catalogue, unknown).entries;
    if (entries.isEmpty()) {
        questions.tell(tr("Download"),
                       ui->file_list->count() == 0
                           ? tr("The download list is empty. Pick packages in the list on the "
                                "left and press Add to Download List (or double-click them), "
                                "then Download.")
                           : tr("None of the packages on the download list is in the package "
                                "list any more."));
        return;
    }
    startBatch(entries);
}

void Zerun::connectBatch()
{
    // Made once for the window's life, so later batches never get a second copy.
    DownloadManager &downloads = batch.manager();
    connect(&downloads, &DownloadManager::result, this, &Zerun::status);
    connect(&downloads, &DownloadManager::fileDownloaded, this, &Zerun::installing);
    connect(&downloads, &DownloadManager::finished, this, &Zerun::installing);
    connect(&downloads, &DownloadManager::bytesProgress, this, [this](qint64 done, qint64 total) {
        bytesDone = done;
        bytesTotal = total;
    });
    connect(&downloads, &DownloadManager::timeLeft, this,
            [this](qint64 seconds) { transferSecondsLeft = seconds; });
    connect(&downloads, &DownloadManager::retrying, this, [this](qint64 ms, int at, int of) {
        if (!batch.isInstalling())
            ui->progressInfo->setText(FailureWords::retryText(ms, at, of));
    });
    connect(&batch, &InstallBatch::notice, ui->progressInfo, &QLabel::setText);
    connect(&batch, &InstallBatch::installTurn, this, [this](int position, bool namesFolder) {
        ui->progressTitle->setText(
            (namesFolder ? tr("Waiting for a folder name for %1") : tr("Getting %1 ready"))
                .arg(batch.label(position)));
        // The download is over: the bar is full and the line says what it waits for.
        ui->progressInfo->setText(namesFolder ? tr("Downloaded and saved; waiting for your answer")
                                              : tr(pleaseWait));
        ui->progressBar->setValue(100);
    });
    connect(&batch, &InstallBatch::unpackStarted, this, [this](int position) {
        ui->progressTitle->setText(tr("Unpacking %1").arg(batch.label(position)));
        ui->progressBar->setValue(0);
        unpackShown.invalidate();
    });
    connect(&batch, &InstallBatch::unpackProgress, this, &Zerun::showUnpacking);
    connect(&batch, &InstallBatch::unpackPercent, this, [this](int percent) {
        if (batch.isRunning())
            ui->progressBar->setValue(percent);
    });
    connect(&batch, &InstallBatch::singleProgress, this, [this](const QString &text) {
        if (text.isEmpty())
            updateCatalogueStatus();
        else
            ui->catalogue_status->setText(text);
    });
    connect(&batch, &InstallBatch::packageInstalled, this, [this](int position, int entry) {
        finishedPosition = position;
        updatesAvailable.remove(entry);
        installed();
        finishedPosition = -1;
    });
    connect(
        &batch, &InstallBatch::packageEnded, ui->batchProgress, [this](int position, int ended) {
            ui->batchProgress->setValue(ended);
            // A package that did not install is not shown as under way any more; another one
            // being asked about or unpacked keeps the page.
            const InstallBatch::Package &package = batch.packages().at(position);
            const bool shown =
                batch.isRunning() && (!batch.isInstalling() || batch.current() == position);
            if (shown && package.outcome == InstallBatch::Outcome::Failed)
                ui->progressTitle->setText(tr("Could not install %1").arg(batch.label(position)));
            else if (shown && package.outcome == InstallBatch::Outcome::Skipped)
                ui->progressTitle->setText(tr("Skipped %1").arg(batch.label(position)));
        });
    connect(&batch, &InstallBatch::batchEnded, this, &Zerun::showBatchEnd);
    connect(&batch, &InstallBatch::recordsChanged, this, &Zerun::singleEnded);
    connect(&batch, &InstallBatch::verifyProgress, this, [this](int done, int total) {
        ui->catalogue_status->setText(
            tr("Verifying: %1 of %n file(s)", nullptr, total).arg(QLocale().toString(done)));
    });
    connect(&batch, &InstallBatch::verifyEnded, this, &Zerun::verifyEnded);
    connect(&batch, &InstallBatch::updateWanted, this, [this](int entry) {
        addToDownloadList(entry);
        startBatch({entry});
    });
}

void Zerun::showUnpacking(int done, int total, const QString &state)
{
    if (unpackShown.isValid() && unpackShown.elapsed() < 50 && done < total)
        return;
    unpackShown.start();
    // The unpacker says "Unzipped <entry>": the page names the entry alone.
    const QString unzipped = QStringLiteral("Unzipped ");
    const QString entry = state.startsWith(unzipped) ? state.mid(unzipped.size()) : QString();
    //: %1 is the number of files unpacked, %2 the file unpacked last
    QString text =
        tr("%1 of %n file(s) \u00b7 %2", nullptr, total).arg(QLocale().toString(done), entry);
    if (entry.isEmpty())
        text = text.left(text.lastIndexOf(QStringLiteral(" \u00b7 ")));
    ui->progressInfo->setText(text);
}

void Zerun::startBatch(const QVector<int> &entries, bool inPlace)
{
    // A package whose interrupted change waits is not fetched: it could not be installed.
    QString told;
    const QVector<int> offered = heldBack.offered(catalogue, entries, &told);
    if (!told.isEmpty())
        questions.tell(tr("Download"), told);
    if (batch.start(catalogue, offered, inPlace))
        showBatchStart();
}

void Zerun::showBatchStart()
{
    ui->back->hide();
    ui->quit->hide();
    ui->copy_details->hide();
    ui->show_log->hide();
    ui->retry_failed->hide();
    ui->outcome_list->clear();
    ui->outcome_list->hide();
    ui->cancel_batch->show();
    ui->batchProgress->setRange(0, int(batch.packages().size()));
    ui->batchProgress->setValue(0);
    ui->batchProgress->show();
    guardClose();
}

void Zerun::guardClose()
{
    if (closeGuardInstalled)
        return;
    // The frame closes the window; it asks first while a batch or an install from disk runs.
    window()->installEventFilter(new CloseGuard([this] { return batch.cancel(true); }, this));
    closeGuardInstalled = true;
}

QString Zerun::transferDetail(int percent, const QString &rate)
{
    // Time left at the rate of this transfer's own bytes, smoothed so that it does not jump
    // about.
    QString detail = QString::number(percent) + QStringLiteral("% \u00b7 ");
    if (bytesDone > 0)
        detail += FailureWords::progressText(bytesDone, bytesTotal) + QStringLiteral(" \u00b7 ");
    detail += rate;
    const qint64 elapsed = transferClock.isValid() ? transferClock.elapsed() : 0;
    if (transferSecondsLeft >= 0 && elapsed > 1000) {
        const double estimate = double(transferSecondsLeft);
        smoothedSecondsLeft =
            smoothedSecondsLeft < 0 ? estimate : 0.8 * smoothedSecondsLeft + 0.2 * estimate;
        const int seconds = int(smoothedSecondsLeft + 0.5);
        detail += seconds >= 60 ? tr(" \u00b7 about %n min left", nullptr, (seconds + 30) / 60)
                                : tr(" \u00b7 about %n s left", nullptr, qMax(1, seconds));
    }
    return detail;
}

void Zerun::showBatchEnd()
{
    ui->cancel_batch->hide();
    ui->quit->show();
    ui->back->show();
    const int all = int(batch.packages().size());
    const InstallBatch::Ending ending = batch.ending();
    OutcomeList::show(ui->outcome_list, batch);
    ui->retry_failed->setVisible(ending.installed < all);
    ui->copy_details->show();
    ui->show_log->show();
    ui->outcome_list->setVisible(true);
    // One ending that stays: the timer's tick says the same.
    installTimer.stop();
    ui->progressTitle->setText(ending.heading);
    ui->progressInfo->setText(ending.info);
    // Both bars tell what installed, never a full bar for a batch with failures or a stop.
    ui->progressBar->setValue(ending.installed * 100 / qMax(1, all));
    ui->batchProgress->setValue(ending.installed);
}

void Zerun::on_clear_list_clicked()
{
    ui->file_list->clear();
}

void Zerun::install()
{
    batch.installSaved();
}

void Zerun::installed()
{
    ui->progressBar->setValue(100);
    // The record is written by now: the marks follow it.
    loadInstalledPackages();
    applyMarks();
    const bool update = batch.packages().value(finishedPosition).update;
    ui->progressTitle->setText(
        (update ? tr("Updated %1") : tr("Installed %1")).arg(batch.label(finishedPosition)));
    ui->progressInfo->setText(update ? tr("Update Complete") : tr("Install Complete"));
}

void Zerun::backToCatalogue()
{
    // Installed packages leave the download list; the others stay for another try.
    for (int row = ui->file_list->count() - 1; row >= 0; --row) {
        if (batch.installedEntries().contains(entryOf(ui->file_list->item(row)))) {
            delete ui->file_list->takeItem(row);
        }
    }
    ui->stackedWidget->setCurrentIndex(0);
}

void Zerun::on_back_clicked()
{
    backToCatalogue();
}

void Zerun::on_quit_clicked()
{
    QCoreApplication::quit();
}

QVector<InstalledPackage> Zerun::selectedRecords() const
{
    return CatalogueRows::recordsOf(catalogue, packageRecords, selectedEntries());
}

void Zerun::verifySelected()
{
    guardClose();
    batch.verify(batch.isVerifying() ? QVector<InstalledPackage>() : selectedRecords(), catalogue);
    if (batch.isVerifying()) {
        ui->verify_package->setText(tr("&Stop Verifying"));
        ui->verify_package->setEnabled(true);
    }
}

void Zerun::verifyEnded()
{
    ui->verify_package->setText(tr("&Verify"));
    updateCatalogueStatus();
    updateUninstallButton();
}

void Zerun::chooseArchives()
{
    const QStringList archives =
        StandardDialog::selectFiles(false, {}, tr("Install from File"), QDir::homePath(),
                                    tr("Package archives (*.zip);;All files (*)"));
    installArchives(archives);
}

void Zerun::installArchives(const QStringList &archives)
{
    for (const QString &archive : archives) {
        locateGameFolder();
        guardClose();
        batch.installFromDisk(archive);
        singleEnded();
    }
}

void Zerun::singleEnded()
{
    loadInstalledPackages();
    fillLists();
    showLists();
    updateCatalogueStatus();
}

void Zerun::updateAll()
{
    if (batch.isBusy())
        return;
    QVector<int> entries;
    const QVector<PackageUpdates::Update> updates = PackageUpdates::pending(
        catalogue, packageRecords, heldBack.offered(catalogue, updatesAvailable));
    for (const PackageUpdates::Update &update : updates)
        entries << update.entry;
    if (!entries.isEmpty())
        startBatch(entries, true);
}

void Zerun::exportList()
{
    ListExchange::exportList(packageRecords.all());
}

void Zerun::importList()
{
    QVector<int> entries;
    QString report;
    if (!ListExchange::importList(catalogue, &entries, &report))
        return;
    for (const int entry : qAsConst(entries))
        addToDownloadList(entry);
    batchQuestions.report(QCoreApplication::translate("ListExchange", "Import"), QString(), report,
                          false);
}
