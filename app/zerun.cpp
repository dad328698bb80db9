#include "zerun.h"

#include "apppaths.h"
#include "archivefetch.h"
#include "catalogue.h"
#include "dialoghost.h"
#include "diskpackage.h"
#include "elidingdelegate.h"
#include "failurewords.h"
#include "filereport.h"
#include "gamefolder.h"
#include "gamerecords.h"
#include "installedpackages.h"
#include "installrecovery.h"
#include "installrules.h"
#include "languagechoice.h"
#include "openfolder.h"
#include "packagelistfile.h"
#include "packageremoval.h"
#include "packagerepair.h"
#include "packageupdates.h"
#include "reportdialog.h"
#include "serviceendpoints.h"
#include "standarddialog.h"
#include "tscompression.h"
#include "tsdownloader.h"
#include "tslogging.h"
#include "tsunzip.h"
#include "ui_zerun.h"
#include "unpacktransaction.h"
#include "windowaccess.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QStyle>
#include <QTemporaryDir>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <algorithm>
#include <atomic>
#include <functional>

namespace {

// Esc in a line edit clears it (and goes no further).
class EscapeClears : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (edit && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && !edit->text().isEmpty()) {
            edit->clear();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Asks before a window closes; the close goes ahead only when `allow` says so.
class CloseGuard : public QObject
{
public:
    CloseGuard(std::function<bool()> allow, QObject *parent)
        : QObject(parent), allow(std::move(allow))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close && !allow()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool()> allow;
};

// Takes drops of package archives from a file manager (local ".zip" files) for `take`; other
// drops (catalogue items onto the download list) go on to the widget.
class ArchiveDrops : public QObject
{
public:
    ArchiveDrops(std::function<void(const QStringList &)> take, QObject *parent)
        : QObject(parent), take(std::move(take))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            const QStringList archives = DiskPackage::archivesOf(drop->mimeData());
            if (!archives.isEmpty()) {
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
                // The drop ends before the questions: the file manager is not kept waiting.
                if (type == QEvent::Drop)
                    QTimer::singleShot(0, parent(), [take = take, archives] { take(archives); });
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(const QStringList &)> take;
};

const char *const installingTitle = QT_TRANSLATE_NOOP("Zerun", "Installing...");
const char *const pleaseWait = QT_TRANSLATE_NOOP("Zerun", "Please wait, this may take a minute...");

// Why `needed` bytes do not fit on the drive of `folder`; empty when they fit or either size is
// unknown.
QString spaceShortage(const QString &folder, qint64 needed)
{
    const qint64 available = QStorageInfo(folder).bytesAvailable();
    if (needed <= 0 || available < 0 || needed <= available)
        return QString();
    //: %1 is the size the package needs, %2 the free space
    return Zerun::tr("Not enough disk space: needs %1, %2 free")
        .arg(FailureWords::sizeText(needed), FailureWords::sizeText(available));
}

} // namespace

Zerun::Zerun(QWidget *parent) : QMainWindow(parent), ui(std::make_unique<Ui::Zerun>())
{
    // The form ends on the transfer page and has connected the by-name slots.
    ui->setupUi(this);
    // Every catalogue line is one line of text: the list need not measure each of them.
    ui->repo_list->setUniformItemSizes(true);
    // Lines keep their height when marks come and go, and long ones are elided in the middle.
    ElidingDelegate::install(ui->repo_list);
    ui->back->hide();
    ui->quit->hide();
    ui->cancel_batch->hide();
    ui->copy_details->hide();
    ui->retry_failed->hide();
    ui->outcome_list->hide();
    ui->batchProgress->hide();
    connect(ui->retry_failed, &QPushButton::clicked, this, &Zerun::retryFailed);
    connect(ui->cancel_batch, &QPushButton::clicked, this, [this] { cancelBatch(false); });
    connect(ui->copy_details, &QPushButton::clicked, this, &Zerun::copyDetails);
    connect(&installTimer, &QTimer::timeout, this, &Zerun::updateTime);
    ui->progressBar->setValue(0);
    ui->stackedWidget->setCurrentIndex(0);
    ui->catalogue_status->hide();
    ui->retry_catalogue->hide();

    // The language of the next start: the choice is kept at once, the page says when it applies.
    auto *languages = new LanguageChoice(this);
    for (const LanguageChoice::Language &language : LanguageChoice::languages())
        ui->language_choice->addItem(language.name, language.code);
    ui->language_choice->setCurrentIndex(languages->currentIndex());
    connect(ui->language_choice, QOverload<int>::of(&QComboBox::currentIndexChanged), languages,
            [this, languages](int index) { ui->language_note->setText(languages->choose(index)); });

    // Made once for the window's life, so later batches never get a second copy.
    connect(&downloadManager, &DownloadManager::result, this, &Zerun::status);
    connect(&downloadManager, &DownloadManager::fileDownloaded, this, &Zerun::installing);
    connect(&downloadManager, &DownloadManager::finished, this, &Zerun::installing);
    // Each saved file's validator, for its package record.
    connect(&downloadManager, &DownloadManager::transferFinished, this,
            [this](const DownloadOutcome &outcome) {
                if (outcome.kind == DownloadOutcome::Failed) {
                    // The page tells it in the player's words; the log keeps the manager's.
                    failureWords.insert(transferPosition, FailureWords::describe(outcome));
                    InstallRecovery::note(queuedName(transferPosition) +
                                          QStringLiteral(": Failed: ") + outcome.reason);
                }
                if (outcome.kind != DownloadOutcome::Saved)
                    return;
                archiveTypes.insert(transferPosition, outcome.contentType);
                const QString url = QString::fromLocal8Bit(outcome.url.toEncoded());
                validators.insert(url, QString::fromLatin1(outcome.entityTag.isEmpty()
                                                               ? outcome.lastModified
                                                               : outcome.entityTag));
                // Hashed while it was written: the install need not read the archive again.
                archiveHashes.insert(url, outcome.sha256);
            });

    connect(&downloadManager, &DownloadManager::bytesProgress, this,
            [this](qint64 done, qint64 total) {
                bytesDone = done;
                bytesTotal = total;
            });

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
    connect(ui->repo_list, &QListWidget::itemSelectionChanged, this, [this] {
        markSelectedEntries();
        updateUninstallButton();
    });
    updateUninstallButton();

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
        if (visibleEntries != shown || ui->repo_list->count() != visibleEntries.size())
            showLists();
    });
    ui->repo_search->installEventFilter(new EscapeClears(ui->repo_search));

    // Double-click or Enter adds the selected packages; Delete or the context menu takes
    // packages off the download list.
    connect(ui->repo_list, &QListWidget::itemActivated, this, &Zerun::on_add_to_list_clicked);
    auto *addAction = new QAction(tr("Add to Download List"), ui->repo_list);
    connect(addAction, &QAction::triggered, this, &Zerun::on_add_to_list_clicked);
    auto *uninstallAction = new QAction(tr("Uninstall"), ui->repo_list);
    uninstallAction->setObjectName(QStringLiteral("uninstall_action"));
    connect(uninstallAction, &QAction::triggered, this, &Zerun::uninstallSelected);
    auto *openFolderAction = new QAction(tr("Open Folder"), ui->repo_list);
    openFolderAction->setObjectName(QStringLiteral("open_folder_action"));
    connect(openFolderAction, &QAction::triggered, this, &Zerun::openSelectedFolder);
    ui->repo_list->addActions({addAction, uninstallAction, openFolderAction});
    ui->repo_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *removeAction = new QAction(tr("Remove from List"), ui->file_list);
    removeAction->setShortcut(QKeySequence::Delete);
    removeAction->setShortcutContext(Qt::WidgetShortcut);
    connect(removeAction, &QAction::triggered, this, &Zerun::removeSelectedDownloads);
    ui->file_list->addAction(removeAction);
    ui->file_list->setContextMenuPolicy(Qt::ActionsContextMenu);

    // Verify the selected installed packages; installs from the player's own archives.
    connect(ui->verify_package, &QPushButton::clicked, this, &Zerun::verifySelected);
    auto *verifyAction = new QAction(tr("Verify"), ui->repo_list);
    verifyAction->setObjectName(QStringLiteral("verify_action"));
    connect(verifyAction, &QAction::triggered, this, &Zerun::verifySelected);
    ui->repo_list->addAction(verifyAction);
    connect(ui->install_from_file, &QPushButton::clicked, this, &Zerun::chooseArchives);
    connect(ui->update_all, &QPushButton::clicked, this, &Zerun::updateAll);
    connect(ui->export_list, &QPushButton::clicked, this, &Zerun::exportList);
    connect(ui->import_list, &QPushButton::clicked, this, &Zerun::importList);
    connect(ui->change_game_folder, &QPushButton::clicked, this, &Zerun::changeGameFolder);
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

Zerun::~Zerun()
{
    // An install still running on the pool must not outlive its object.
    for (const auto &step : installs)
        step->waitForWorker();
    verifier.reset();
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
        unreadLines = 0;
        readCatalogue(result.data);
    }
    catalogueNotice = result.notice(QDateTime::currentDateTimeUtc());
    catalogueLoading = false;
    updateCatalogueStatus();
    ui->retry_catalogue->setVisible(!result.failure.isEmpty());
}

void Zerun::updateCatalogueStatus()
{
    // What the list shows, or why it shows nothing (or an older copy).
    QString text = catalogueNotice;
    if (!recoveryNotice.isEmpty())
        text = text.isEmpty() ? recoveryNotice : text + QLatin1Char('\n') + recoveryNotice;
    if (catalogueLoading) {
        text = tr("Loading the package list...");
    } else if (text.isEmpty()) {
        text = tr("%n package(s)", nullptr, ui->repo_list->count());
        if (unreadLines > 0)
            text += tr(" \u00b7 %n line(s) could not be read", nullptr, unreadLines);
    }
    ui->catalogue_status->setText(text);
    ui->catalogue_status->show();
}

void Zerun::recoverInstalls()
{
    for (const QString &path : InstallRecovery::removeSaveTemporaries())
        InstallRecovery::note(QStringLiteral("Removed the unfinished save ") + path);
    QString notice;
    packageRecords.load(&notice);
    if (!notice.isEmpty())
        InstallRecovery::note(QStringLiteral("Installed packages: ") + notice);
    QStringList notices;
    const QStringList done = InstallRecovery::recoverAll(packageRecords, &notices);
    for (const QString &what : done)
        InstallRecovery::note(QStringLiteral("Install recovery: ") + what);
    // Records kept aside or entries left out are told once, on the catalogue page: the damaged
    // store is renamed, so the next start has nothing to say.
    if (packageRecords.inUse())
        notices.prepend(tr("The records of installed packages are in use by another program. "
                           "They were left as they are; close that program and start the "
                           "installer again to see your installed packages."));
    else if (!notice.isEmpty())
        notices.prepend(tr("Installed packages: %1").arg(notice));
    recoveryNotice = notices.join(QLatin1Char('\n'));
    const int archives = InstallRecovery::removeLeftoverArchives();
    if (archives > 0)
        InstallRecovery::note(
            QStringLiteral("Removed %1 leftover archive(s) from the downloads folder")
                .arg(archives));
    const int folders = InstallRecovery::removeLeftoverWorkFolders();
    if (folders > 0)
        InstallRecovery::note(
            QStringLiteral("Removed %1 leftover repair folder(s) from the downloads folder")
                .arg(folders));
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
        InstallRecovery::note(QStringLiteral("Catalogue: %1 line(s) without an http or "
                                             "https address left out")
                                  .arg(refused));
    if (skipped > 0)
        InstallRecovery::note(QStringLiteral("Catalogue: %1 line(s) could not be read and were "
                                             "left out")
                                  .arg(skipped));
    unreadLines += skipped + refused;
    fillLists();
    showLists();
    checkForUpdates();
}

void Zerun::fillLists()
{
    fillByKind();
    // The search narrows whatever the kind filter shows, by name, ignoring case.
    if (!searchText.isEmpty())
        narrowLists();
}

void Zerun::narrowLists()
{
    QStringList names;
    QVector<int> entries;
    for (int row = 0; row < visibleEntries.size(); ++row) {
        const int entry = visibleEntries.at(row);
        const InstalledPackage *fromDisk = entry < 0 ? recordOf(entry) : nullptr;
        const QString &name = fromDisk ? fromDisk->name : catalogue.at(entry).name;
        if ((entry >= 0 || fromDisk) && name.contains(searchText, Qt::CaseInsensitive)) {
            names << visibleNames.at(row);
            entries << visibleEntries.at(row);
        }
    }
    visibleNames = names;
    visibleEntries = entries;
}

void Zerun::fillByKind()
{
    if (kindFilter != installedFilter) {
        Catalogue::fill(catalogue, kindFilter, visibleNames, &visibleEntries);
        return;
    }
    // Installed packages, with where they are and since when.
    Catalogue::fill(catalogue, Catalogue::All, visibleNames, &visibleEntries);
    QStringList names;
    QVector<int> entries;
    for (int row = 0; row < visibleEntries.size(); ++row) {
        const InstalledPackage *record = recordOf(visibleEntries.at(row));
        if (!record)
            continue;
        //: %1 is the package, %2 its folder in the game, %3 the day it was installed
        names << tr("%1  \u2014 %2, installed %3")
                     .arg(visibleNames.at(row), record->folder,
                          record->installed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")));
        entries << visibleEntries.at(row);
    }
    // Packages installed from the player's own archives: no catalogue entry stands for them.
    const QVector<InstalledPackage> &records = packageRecords.all();
    for (int index = 0; index < records.size(); ++index) {
        const InstalledPackage &record = records.at(index);
        if (!record.fromDisk)
            continue;
        //: %1 is the package, %2 its folder in the game, %3 the day it was installed
        names << tr("%1 (from disk)  \u2014 %2, installed %3")
                     .arg(record.name + Catalogue::suffix(record.kind), record.folder,
                          record.installed.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")));
        entries << diskEntry(index);
    }
    visibleNames = names;
    visibleEntries = entries;
}

void Zerun::showLists()
{
    ui->repo_list->clear();
    ui->repo_list->addItems(visibleNames);
    // A catalogue item's entry is its row in visibleEntries, so names that repeat or hold a
    // kind suffix stay apart; items carry it as data only once selected (for dragging).
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
    if (batchRunning || diskInstallRunning || verifier || !installs.empty()) {
        StandardDialog::question(tr("Change Game Folder"),
                                 tr("Packages are being installed or checked. Change the game "
                                    "folder once they are done."),
                                 {tr("OK")}, 0, 0);
        return;
    }
    const QString chosen = GameFolder::change(gameFolder);
    if (chosen.isEmpty())
        return;
    InstallRecovery::note(
        QStringLiteral("Game folder changed from %1 to %2").arg(gameFolder, chosen));
    gameFolder = chosen;
    useGameFolder();
    loadInstalledPackages();
    updatesAvailable.clear();
    fillLists();
    showLists();
    checkForUpdates();
}

const InstalledPackage *Zerun::recordOf(int entry) const
{
    if (entry <= diskEntry(0)) {
        const QVector<InstalledPackage> &records = packageRecords.all();
        const int index = diskEntry(0) - entry;
        return index < records.size() && records.at(index).fromDisk ? &records.at(index) : nullptr;
    }
    if (entry < 0 || entry >= catalogue.size())
        return nullptr;
    const InstalledPackage *record =
        packageRecords.find(catalogue.at(entry).name, catalogue.at(entry).kind);
    // A package installed from disk never stands for a catalogue entry of its name.
    return record && !record->fromDisk ? record : nullptr;
}

void Zerun::applyMarks()
{
    const QIcon installedIcon = style()->standardIcon(QStyle::SP_DialogApplyButton);
    const QIcon updateIcon = style()->standardIcon(QStyle::SP_BrowserReload);
    for (int row = 0; row < ui->repo_list->count() && row < visibleEntries.size(); ++row) {
        QListWidgetItem *item = ui->repo_list->item(row);
        const int entry = visibleEntries.at(row);
        const InstalledPackage *record = recordOf(entry);
        if (!record) {
            // Only marks set before are cleared: most items never had one.
            if (item->data(markRole).toInt() != NotInstalled) {
                item->setData(markRole, NotInstalled);
                item->setData(Qt::DecorationRole, QVariant());
                item->setData(Qt::ToolTipRole, QVariant());
            }
            continue;
        }
        const bool update = updatesAvailable.contains(entry);
        item->setData(markRole, update ? UpdateAvailable : Installed);
        item->setData(Qt::DecorationRole, update ? updateIcon : installedIcon);
        item->setData(Qt::ToolTipRole,
                      //: %1 is the package's folder in the game, %2 the day it was installed
                      (update ? tr("Installed in %1 on %2 \u2014 update available")
                              : tr("Installed in %1 on %2"))
                          .arg(record->folder, record->installed.toLocalTime().toString(
                                                   QStringLiteral("yyyy-MM-dd"))));
    }
    updateUninstallButton();
}

void Zerun::checkForUpdates()
{
    QVector<UpdateProbe::Query> queries;
    for (int entry = 0; entry < catalogue.size(); ++entry) {
        const InstalledPackage *record = recordOf(entry);
        if (!record)
            continue;
        // Another address is another archive; the same address is asked about.
        if (catalogue.at(entry).file != record->url)
            updatesAvailable.insert(entry);
        else
            queries.append({entry, QUrl(record->url), record->validator, record->archiveSize});
    }
    applyMarks();
    if (!queries.isEmpty())
        updateProbe.check(queries);
}

void Zerun::updateUninstallButton()
{
    const QList<QListWidgetItem *> selected = ui->repo_list->selectedItems();
    ui->uninstall_package->setEnabled(selected.size() == 1 &&
                                      recordOf(entryOf(selected.first())) != nullptr);
    const bool verifying = verifier && verifier->isRunning();
    const bool anyInstalled = !selectedRecords().isEmpty();
    ui->verify_package->setEnabled(verifying || anyInstalled);
    const int updates =
        int(PackageUpdates::pending(catalogue, packageRecords, updatesAvailable).size());
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
    const QList<QListWidgetItem *> selected = ui->repo_list->selectedItems();
    if (selected.isEmpty())
        return;
    if (const InstalledPackage *record = recordOf(entryOf(selected.first())))
        openFolder(gameFolder + record->folder);
}

void Zerun::uninstallSelected()
{
    const QList<QListWidgetItem *> selected = ui->repo_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int entry = entryOf(selected.first());
    const InstalledPackage *found = recordOf(entry);
    if (!found)
        return;
    const InstalledPackage record = *found;
    const QString kindLabel = InstallRules::label(record.kind);
    //: %1 is the kind of package: Mod, Picture Pack or Skin
    const QString title = tr("Uninstall %1").arg(kindLabel);
    const int answer = questions.ask(
        title,
        //: %1 is the package, %2 its folder in the game
        tr("Uninstall %1 from %2?\n\nIts files are removed; files you changed or added there are "
           "kept.")
            .arg(record.name, record.folder),
        {tr("Uninstall"), tr("Cancel")}, 1, 1);
    if (answer != 0)
        return;
    PackageRemoval::Result result;
    PackageRemoval::uninstall(gameFolder, record, packageRecords,
                              InstallRecovery::newRemovalJournalPath(), &result);
    // Hundreds of files are listed under a summary, in text that scrolls, and logged in part.
    const FileReport logged = FileReport::ofRemoval(record.name, record.folder, result);
    InstallRecovery::note(logged.isLong()
                              ? logged.forLog()
                              : PackageRemoval::describe(record.name, record.folder, result));
    loadInstalledPackages();
    updatesAvailable.remove(entry);
    fillLists();
    showLists();
    const FileReport report =
        FileReport::ofRemoval(record.name, record.folder, result, Wording::Player);
    if (report.isLong())
        showReport(title, report.detail(), false, report.summary);
    else
        questions.tell(
            title, PackageRemoval::describe(record.name, record.folder, result, Wording::Player));
}

int Zerun::entryOf(const QListWidgetItem *item) const
{
    if (!item)
        return -1;
    if (item->listWidget() == ui->repo_list)
        return visibleEntries.value(ui->repo_list->row(item), -1);
    bool ok = false;
    const int entry = item->data(entryRole).toInt(&ok);
    return ok ? entry : -1;
}

void Zerun::markSelectedEntries()
{
    // A drag carries the items' data to the download list.
    const QList<QListWidgetItem *> selected = ui->repo_list->selectedItems();
    for (QListWidgetItem *item : selected) {
        if (!item->data(entryRole).isValid())
            item->setData(entryRole, entryOf(item));
    }
}

void Zerun::removeSelectedDownloads()
{
    const QList<QListWidgetItem *> selected = ui->file_list->selectedItems();
    for (QListWidgetItem *item : selected) {
        const int row = ui->file_list->row(item);
        downloadNames.removeOne(Catalogue::plainName(item->text()));
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
        transferPosition = startedTransfers++;
        transferClock.start();
        smoothedSecondsLeft = -1;
        bytesDone = 0;
        bytesTotal = -1;
        const QString label = packageLabel(transferPosition);
        if (label.isEmpty()) {
            ui->progressTitle->setText(msg);
        } else {
            //: %1 is the package and where it stands in the list: "Name (2 of 5)"
            ui->progressTitle->setText(tr("Downloading %1").arg(label));
            ui->progressInfo->setText(tr("Connecting..."));
            ui->progressBar->setValue(0);
        }
    } else if (msg.startsWith(QLatin1String("Progress"))) {
        const QStringList words = msg.split(QLatin1Char(' '));
        const int percent = QString(words.value(1)).remove(QLatin1Char('%')).toInt();
        const QString rate = words.value(2) + QLatin1Char(' ') + words.value(3);
        const QString label = packageLabel(transferPosition);
        if (percent == 100) {
            ui->progressTitle->setText(label.isEmpty() ? tr(installingTitle)
                                                       : tr("Downloaded %1").arg(label));
            ui->progressInfo->setText(tr(pleaseWait));
            ui->progressBar->setValue(99);
        } else {
            ui->progressTitle->setText(label.isEmpty() ? tr("Downloading..")
                                                       : tr("Downloading %1").arg(label));
            ui->progressInfo->setText(label.isEmpty() ? rate : transferDetail(percent, rate));
            ui->progressBar->setValue(percent);
        }
    } else if (msg.startsWith(QLatin1String("File"))) {
        // Everything after the first separator, so a path holding ": " stays whole.
        const int separator = msg.indexOf(QLatin1String(": "));
        downloadedFile = separator < 0 ? QString() : msg.mid(separator + 2);
    } else if (msg.contains(QLatin1String("files downloaded successfully"))) {
        currentItem = msg.split(QLatin1Char('/')).value(0).toInt() - 1;
    } else if (msg == QLatin1String("Succeeded")) {
        ui->progressTitle->setText(
            tr("Waiting for a folder name for %1").arg(packageLabel(transferPosition)));
        ui->progressInfo->setText(tr(pleaseWait));
        ui->progressBar->setValue(99);
        installTimer.start(1000);
        install();
    } else {
        ui->progressInfo->setText(msg);
        if (msg.startsWith(QLatin1String("Problem opening save file"))) {
            // The manager skips this file without a start report.
            transferPosition = startedTransfers++;
            packageEnded(transferPosition, Outcome::Failed, msg.trimmed());
        } else if (msg == QLatin1String("Failed: ") + DownloadManager::cancelledReason()) {
            packageEnded(transferPosition, Outcome::Skipped, tr("cancelled"));
        } else if (msg.startsWith(QLatin1String("Failed: "))) {
            const QString words = failureWords.value(transferPosition, msg);
            ui->progressInfo->setText(words);
            packageEnded(transferPosition, Outcome::Failed, words);
        } else if (msg.isEmpty()) {
            // The outcome of a redirect: nothing was saved.
            packageEnded(transferPosition, Outcome::Failed, tr("redirected, not downloaded"));
        }
    }
}

void Zerun::installing()
{
    // The manager's end can come after the batch's last package is over; the page then already
    // shows how the batch ended.
    if (!batchRunning)
        return;
    ui->progressTitle->setText(tr("Installing %1").arg(packageLabel(transferPosition)));
}

void Zerun::updateStatusInfo(const QString &msg)
{
    ui->progressInfo->setText(msg);
    if (msg.contains(QLatin1String("Complete")))
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
    // The closing texts belong to a batch that is over with every package installed.
    if (ui->progressBar->value() != 100 || batchRunning || !allInstalled())
        return;
    installTimer.stop();
    ui->progressTitle->setText(tr("Installed"));
    ui->progressInfo->setText(tr("Install Completed"));
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
    if (batchRunning)
        return;
    updatingInPlace = false;
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

void Zerun::startBatch(const QVector<int> &entries)
{
    ui->back->hide();
    ui->quit->hide();
    ui->copy_details->hide();
    ui->retry_failed->hide();
    ui->outcome_list->clear();
    ui->outcome_list->hide();
    ui->cancel_batch->show();
    currentItem = 0;

    const Catalogue::Batch batch = Catalogue::batchOf(catalogue, entries);
    queuedUrls = batch.urls;
    queuedKinds = batch.kinds;
    queuedEntries = batch.entries;
    packages.clear();
    for (int position = 0; position < queuedEntries.size(); ++position)
        packages.append(
            BatchPackage{queuedEntries.at(position), QString(), Outcome::Pending, QString()});
    ui->batchProgress->setRange(0, queuedUrls.size());
    ui->batchProgress->setValue(0);
    ui->batchProgress->show();

    startedTransfers = 0;
    transferPosition = 0;
    endedPackages = 0;
    answeredSkips.clear();
    archiveTypes.clear();
    failureWords.clear();
    batchRunning = !queuedUrls.isEmpty();
    guardClose();

    downloadManager.setOverwrite(true);
    downloadManager.setUrlList(queuedUrls);
    downloadManager.startList();
}

void Zerun::guardClose()
{
    if (closeGuardInstalled)
        return;
    // The frame closes the window; it asks first while a batch or an install from disk runs.
    window()->installEventFilter(new CloseGuard([this] { return cancelBatch(true); }, this));
    closeGuardInstalled = true;
}

QString Zerun::packageTitle(int position) const
{
    const int entry = queuedEntries.value(position, -1);
    QString name = queuedName(position);
    if (entry >= 0 && entry < catalogue.size())
        name += Catalogue::suffix(catalogue.at(entry).kind);
    return name;
}

QString Zerun::packageLabel(int position) const
{
    // Reports that come outside a batch of this window tell no package.
    if (position < 0 || position >= queuedUrls.size())
        return QString();
    //: %1 is the package, %2 its place in the list, %3 the number of packages in the list
    return tr("%1 (%2 of %3)")
        .arg(packageTitle(position), QString::number(position + 1),
             QString::number(queuedUrls.size()));
}

QString Zerun::transferDetail(int percent, const QString &rate)
{
    // Time left from the share done so far, smoothed so that it does not jump about.
    QString detail = QString::number(percent) + QStringLiteral("% \u00b7 ");
    if (bytesDone > 0)
        detail += FailureWords::progressText(bytesDone, bytesTotal) + QStringLiteral(" \u00b7 ");
    detail += rate;
    const qint64 elapsed = transferClock.isValid() ? transferClock.elapsed() : 0;
    if (percent > 0 && elapsed > 1000) {
        const double estimate = elapsed / 1000.0 * (100 - percent) / percent;
        smoothedSecondsLeft =
            smoothedSecondsLeft < 0 ? estimate : 0.8 * smoothedSecondsLeft + 0.2 * estimate;
        const int seconds = int(smoothedSecondsLeft + 0.5);
        detail += seconds >= 60 ? tr(" \u00b7 about %n min left", nullptr, (seconds + 30) / 60)
                                : tr(" \u00b7 about %n s left", nullptr, qMax(1, seconds));
    }
    return detail;
}

bool Zerun::allInstalled() const
{
    for (const BatchPackage &package : packages) {
        if (package.outcome != Outcome::Installed)
            return false;
    }
    return true;
}

void Zerun::endBatch()
{
    batchRunning = false;
    // A Cancel question still open has nothing left to answer.
    questions.withdraw();
    ui->cancel_batch->hide();
    ui->quit->show();
    ui->back->show();
    int installedCount = 0;
    QStringList lines;
    ui->outcome_list->clear();
    for (int position = 0; position < packages.size(); ++position) {
        const BatchPackage &package = packages.at(position);
        // The log keeps the outcome in English; the page says it in the player's language.
        static const char *const words[] = {QT_TR_NOOP("failed"), QT_TR_NOOP("installed"),
                                            QT_TR_NOOP("failed"), QT_TR_NOOP("skipped")};
        const char *word = words[int(package.outcome)];
        if (package.outcome == Outcome::Installed)
            ++installedCount;
        QString head = packageTitle(position);
        if (!package.folder.isEmpty())
            head += QStringLiteral(" \u2192 ") + package.folder;
        const QString tail =
            package.reason.isEmpty() ? QString() : QStringLiteral(" \u2014 ") + package.reason;
        lines << head + QStringLiteral(": ") + QLatin1String(word) + tail;
        ui->outcome_list->addItem(head + QStringLiteral(": ") + tr(word) + tail);
    }
    for (const QString &line : qAsConst(lines))
        InstallRecovery::note(QStringLiteral("Batch: ") + line);
    const bool problems = installedCount < packages.size();
    ui->retry_failed->setVisible(problems);
    ui->copy_details->show();
    ui->outcome_list->setVisible(true);
    if (!problems) {
        ui->progressBar->setValue(100);
        updateStatusInfo(QStringLiteral("Install Complete"));
        if (!installTimer.isActive())
            installTimer.start(1000);
        return;
    }
    // The closing texts of a clean batch would hide what went wrong.
    installTimer.stop();
    updateStatusTitle(tr("Finished"));
    ui->progressInfo->setText(
        tr("Installed %1 of %n package(s).", nullptr, packages.size()).arg(installedCount));
    // The bar tells the share installed, never a full bar for a batch with failures.
    ui->progressBar->setValue(installedCount * 100 / qMax(1, int(packages.size())));
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

    // A question on screen is answered first: it may skip this package or stop the batch.
    questions.waitForTurn();
    if (answeredSkips.contains(position)) {
        QFile::remove(archive);
        ui->progressInfo->setText(tr("Skipped %1").arg(packageName));
        packageEnded(position, Outcome::Skipped, tr("cancelled"));
        return;
    }
    // An archive that cannot be read fails before the player names a folder for it.
    const QString unreadable =
        FailureWords::unreadableArchive(archive, archiveTypes.value(position));
    if (!unreadable.isEmpty()) {
        QFile::remove(archive);
        ui->progressInfo->setText(unreadable);
        InstallRecovery::note(packageName + QStringLiteral(": ") + unreadable);
        packageEnded(position, Outcome::Failed, unreadable);
        return;
    }
    // Update all puts each package into its recorded folder without a question.
    const InstalledPackage *record =
        updatingInPlace ? recordOf(queuedEntries.value(position, -1)) : nullptr;
    QString target = record && !record->folder.isEmpty()
                         ? QDir::cleanPath(gameFolder + record->folder)
                         : QString();
    QString journal;
    if (QFileInfo(target).isDir()) {
        journal = InstallRecovery::newJournalPath();
    } else if (!askFolder(kind, baseName, packageName, target, journal, position)) {
        // Nothing lands in the kind's own folder: the package is left out and the batch goes on.
        QFile::remove(archive);
        ui->progressInfo->setText(tr("Skipped %1").arg(packageName));
        packageEnded(position, Outcome::Skipped, tr("no folder chosen"));
        return;
    }
    if (position < packages.size())
        packages[position].folder = QDir(gameFolder).relativeFilePath(target);
    runInstall(archive, target, journal, position, false);
}

void Zerun::runInstall(const QString &archive, const QString &target, const QString &journal,
                       int position, bool createdTarget)
{
    Q_UNUSED(createdTarget)
    const QString packageName = queuedName(position);
    auto owned = std::make_unique<PackageInstall>(packageRecords, gameFolder);
    PackageInstall *step = owned.get();
    installs.push_back(std::move(owned));
    InstalledPackage package;
    const int entry = queuedEntries.value(position, -1);
    if (entry >= 0 && entry < catalogue.size()) {
        package.name = catalogue.at(entry).name;
        package.kind = catalogue.at(entry).kind;
    } else {
        package.name = packageName;
        package.kind = queuedKinds.value(position);
    }
    package.url = queuedUrls.value(position);
    package.validator = validators.value(package.url);
    package.archiveSha256 = archiveHashes.value(package.url);
    package.archiveSize = QFileInfo(archive).size();
    step->setPackage(package, archive, target, journal);

    const auto failNow = [&](const QString &text) {
        // Folders made for this package go at once.
        UnpackTransaction::recover(journal);
        QFile::remove(archive);
        ui->progressInfo->setText(text);
        InstallRecovery::note(packageName + QStringLiteral(": ") + text);
        packageEnded(position, Outcome::Failed, text);
    };
    // One read of the archive's directory serves the space check, the player's edits and the
    // page.
    PackageInstall::Plan plan;
    QString why;
    if (!step->prepare(&plan, &why)) {
        failNow(tr("Couldn't open zip: %1").arg(why));
        return;
    }
    if (plan.entryNames.isEmpty()) {
        failNow(tr("Couldn't go to first file: the archive has no entries"));
        return;
    }
    const QString shortage = spaceShortage(target, plan.unpackedSize);
    if (!shortage.isEmpty()) {
        failNow(shortage);
        return;
    }
    if (!plan.edits.isEmpty())
        step->setEditChoice(
            askEdits(packageTitle(position), InstallRules::label(package.kind), plan.edits));

    int done = 0;
    const int total = plan.entryNames.size();
    ui->progressTitle->setText(tr("Unpacking %1").arg(packageLabel(position)));
    ui->progressBar->setValue(0);
    // The page follows the run at a pace a person can read.
    QElapsedTimer shown;
    TsUnZip &unzip = step->unzip();
    connect(
        &unzip, &TsUnZip::status, this, [this, done, total, shown](const QString &state) mutable {
            if (state == QLatin1String("Unzipped"))
                return;
            ++done;
            if (shown.isValid() && shown.elapsed() < 50 && done < total)
                return;
            shown.start();
            //: %1 is the number of files unpacked, %2 what the unpacking last did, in English
            ui->progressInfo->setText(
                tr("%1 of %n file(s) \u00b7 %2", nullptr, total).arg(QString::number(done), state));
        });
    connect(&unzip, &TsUnZip::percent, ui->progressBar, &QProgressBar::setValue);
    connect(step, &PackageInstall::finished, this, [this, step, position] {
        finishedInstall = step;
        finishedPosition = position;
        installed();
        finishedInstall = nullptr;
        finishedPosition = -1;
    });
    connect(step, &PackageInstall::failed, this,
            [this, step, position](const QString &error, const QString &detail) {
                installFailed(step, position, error, detail);
            });
    // One package at a time: the next transfer waits until this one is in place (or undone),
    // so the page always tells about the package being worked on.
    QEventLoop waiting;
    connect(step, &PackageInstall::finished, &waiting, &QEventLoop::quit);
    connect(step, &PackageInstall::failed, &waiting, &QEventLoop::quit);
    runningInstall = step;
    step->start();
    waiting.exec();
    runningInstall = nullptr;
}

PackageInstall::Edits Zerun::askEdits(const QString &packageName, const QString &kindLabel,
                                      const QStringList &edits)
{
    const int shownFiles = 12;
    QString list = QStringList(edits.mid(0, shownFiles)).join(QLatin1Char('\n'));
    if (edits.size() > shownFiles)
        list += tr("\n... and %1 more").arg(edits.size() - shownFiles);
    const int choice = questions.ask(
        tr("Install %1").arg(kindLabel),
        //: %1 is the package, %2 the list of files, %3 and %4 the file name
        //: endings the package's and the player's versions get
        tr("You changed %n file(s) of %1 that this version replaces:\n\n%2\n\n"
           "Keep yours (the package's new versions go beside them as <file>%3), or "
           "take the package's (yours are kept as <file>%4)?",
           nullptr, int(edits.size()))
            .arg(packageName, list, PackageInstall::newSuffix(), PackageInstall::mineSuffix()),
        {tr("Keep Mine"), tr("Take the Package's")}, 0, 0);
    return choice == 1 ? PackageInstall::Edits::TakePackage : PackageInstall::Edits::KeepMine;
}

bool Zerun::askFolder(const QString &kind, const QString &baseName, const QString &packageName,
                      QString &target, QString &journal, int position)
{
    const QString destination = gameFolder + InstallRules::destinationIn(gameFolder, kind);
    // A package installed before is offered its own folder, which it then updates in place.
    const InstalledPackage *record = recordOf(queuedEntries.value(position, -1));
    const QString recordedFolder =
        record ? QDir::cleanPath(gameFolder + record->folder) : QString();
    QString text = record ? QFileInfo(recordedFolder).fileName()
                          : InstallRules::suggestedFolderName(packageName);
    const QString kindLabel = InstallRules::label(kind);
    const QString title = tr("Install %1").arg(kindLabel);
    // The package by its catalogue name; the archive's name only when the catalogue has none.
    const QString shownName = packageName.isEmpty() ? baseName : packageName;
    //: %1 is the package, %2 its kind: Mod, Picture Pack or Skin
    const QString question =
        tr("Choose a folder name to install the %1 %2 into:").arg(shownName, kindLabel);
    QString label = question;
    for (;;) {
        bool accepted = false;
        const QString name = questions.askText(title, label, &accepted, text);
        if (!accepted)
            return false;
        // A complaint keeps the package named and what was typed.
        text = name;
        const QString complaint = InstallRules::nameComplaint(name);
        if (!complaint.isEmpty()) {
            label = complaint + QStringLiteral("\n\n") + question;
            continue;
        }
        const QString candidate = destination + name;
        const QFileInfo candidateInfo(candidate);
        if (candidateInfo.isDir() && QDir::cleanPath(candidate) == recordedFolder) {
            target = candidate;
            journal = InstallRecovery::newJournalPath();
            return true;
        }
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
            label = InstallRules::creationComplaint(candidate) + QStringLiteral("\n\n") + question;
            continue;
        }
        // The journal names the folders before they exist, so a kill right after creating them
        // still has them removed at the next start.
        QStringList created = UnpackTransaction::missingFolders(candidate);
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
        label = InstallRules::creationComplaint(candidate) + QStringLiteral("\n\n") + question;
        UnpackTransaction::recover(journal);
        journal.clear();
    }
}

Zerun::ExistingFolder Zerun::askExistingFolder(const QString &kindLabel, const QString &folderName,
                                               const QString &packageName)
{
    const int choice =
        questions.ask(tr("Install %1").arg(kindLabel),
                      //: %1 is the folder, %2 the package
                      tr("The folder \"%1\" already exists.\n\nUpdate it with %2? The package's "
                         "files replace those of the same name; your other files stay.")
                          .arg(folderName, packageName),
                      {tr("Update"), tr("Choose Another Name"), tr("Skip")}, 1, 2);
    if (choice == 0)
        return ExistingFolder::Update;
    if (choice == 1)
        return ExistingFolder::OtherName;
    return ExistingFolder::Skip;
}

void Zerun::installFailed(PackageInstall *step, int position, const QString &error,
                          const QString &detail)
{
    // The archive is not kept: a failed archive is fetched again by Retry.
    QFile::remove(step->archive());
    if (step->wasCancelled()) {
        ui->progressInfo->setText(tr("Cancelled %1").arg(queuedName(position)));
        packageEnded(position, Outcome::Skipped, tr("cancelled"));
        return;
    }
    const QString text = detail.isEmpty() ? error : error + QStringLiteral(": ") + detail;
    ui->progressInfo->setText(text);
    InstallRecovery::note(queuedName(position) + QStringLiteral(": ") + text);
    packageEnded(position, Outcome::Failed, text);
}

void Zerun::installed()
{
    ui->progressBar->setValue(100);
    QString summary;
    if (finishedInstall) {
        QFile::remove(finishedInstall->archive());
        summary = finishedInstall->outcome().summary();
    }
    const int position = finishedInstall ? finishedPosition : transferPosition;
    const int entry = queuedEntries.value(position, -1);
    if (!summary.isEmpty())
        InstallRecovery::note(queuedName(position) + QStringLiteral(": ") + summary);
    // The record is written by now: the marks follow it.
    loadInstalledPackages();
    updatesAvailable.remove(entry);
    applyMarks();
    ui->progressTitle->setText(tr("Installed %1").arg(packageLabel(position)));
    ui->progressInfo->setText(QStringLiteral("Install Complete"));
    packageEnded(position, Outcome::Installed, summary);
}

void Zerun::packageEnded(int position, Outcome outcome, const QString &reason)
{
    if (position >= 0 && position < packages.size() &&
        packages.at(position).outcome == Outcome::Pending) {
        packages[position].outcome = outcome;
        packages[position].reason = reason;
        if (outcome == Outcome::Installed)
            installedEntries.insert(packages.at(position).entry);
    }
    ++endedPackages;
    ui->batchProgress->setValue(endedPackages);
    if (endedPackages >= queuedUrls.size())
        endBatch();
}

bool Zerun::cancelBatch(bool closing)
{
    if (!batchRunning && diskInstallRunning) {
        // An install from disk or a repair: stopped (and undone) only when the player says so.
        const int choice = StandardDialog::question(
            QStringLiteral("Close"),
            QStringLiteral("A package is still being installed. Stop it and close?\n\nWhat was "
                           "unpacked so far is undone."),
            {QStringLiteral("Stop and Close"), QStringLiteral("Go On")}, 1, 1);
        if (choice != 0)
            return false;
        if (runningInstall)
            runningInstall->cancel();
        if (repairFetch)
            repairFetch->quit();
        return true;
    }
    if (!batchRunning)
        return true;
    const int asked = transferPosition;
    const QString current = packageLabel(asked);
    const QString title = closing ? tr("Close") : tr("Cancel");
    const QString text =
        (closing ? tr("Packages are still being installed. Skip only %1, or stop the whole "
                      "batch and close?")
                 : tr("Packages are still being installed. Skip only %1, or stop the whole "
                      "batch?"))
            .arg(current) +
        QStringLiteral("\n\n") +
        tr("A package being unpacked is undone; a download is kept to be resumed later.");
    const QStringList choices = {tr("Skip This Package"),
                                 closing ? tr("Stop and Close") : tr("Stop the Batch"),
                                 tr("Go On")};
    if (closing) {
        // The window closes only after the answer.
        const int choice = questions.ask(title, text, choices, 2, 2);
        answerCancel(asked, choice);
        return !batchRunning || choice == 1;
    }
    // The batch goes on underneath while the question is open; its answer counts whenever it
    // comes, also after the download it was asked about has ended.
    if (!questions.onScreen())
        questions.post(title, text, choices, 2, 2,
                       [this, asked](int choice) { answerCancel(asked, choice); });
    return false;
}

void Zerun::answerCancel(int asked, int choice)
{
    if (!batchRunning || (choice != 0 && choice != 1))
        return;
    const bool stop = choice == 1;
    // Skip is about the package that was asked about; once that one is over there is nothing
    // left to skip.
    if (!stop && (asked != transferPosition || packages.value(asked).outcome != Outcome::Pending))
        return;
    // A package whose download has just ended is not asked a folder for.
    answeredSkips.insert(transferPosition);
    if (runningInstall)
        runningInstall->cancel();
    downloadManager.cancelCurrent(stop);
    if (stop) {
        // What was never requested ends here.
        for (int position = transferPosition + 1; position < packages.size(); ++position) {
            if (packages.at(position).outcome == Outcome::Pending)
                packageEnded(position, Outcome::Skipped, tr("the batch was stopped"));
        }
    }
}

void Zerun::backToCatalogue()
{
    // Installed packages leave the download list; the others stay for another try.
    for (int row = ui->file_list->count() - 1; row >= 0; --row) {
        if (installedEntries.contains(entryOf(ui->file_list->item(row)))) {
            downloadNames.removeOne(Catalogue::plainName(ui->file_list->item(row)->text()));
            delete ui->file_list->takeItem(row);
        }
    }
    ui->stackedWidget->setCurrentIndex(0);
}

void Zerun::retryFailed()
{
    QVector<int> entries;
    for (const BatchPackage &package : qAsConst(packages)) {
        if (package.outcome != Outcome::Installed)
            entries << package.entry;
    }
    if (!entries.isEmpty() && !batchRunning)
        startBatch(entries);
}

void Zerun::copyDetails() const
{
    QStringList lines;
    for (int row = 0; row < ui->outcome_list->count(); ++row)
        lines << ui->outcome_list->item(row)->text();
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
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
    // The archive keeps the file name of its address; only when that is taken does it get
    // "<name>-2.zip", "-3", ... The download manager saves beside a taken name as "<name>.0".
    const QFileInfo info(saved);
    QString name = info.fileName();
    const QRegularExpression numbered(QStringLiteral("^(.*)\\.(\\d+)$"));
    const QRegularExpressionMatch match = numbered.match(name);
    if (!match.hasMatch())
        return saved;
    name = match.captured(1);
    const QString folder = info.path() + QLatin1Char('/');
    const QFileInfo wanted(name);
    const QString stem = wanted.completeBaseName();
    const QString suffix =
        wanted.suffix().isEmpty() ? QString() : QLatin1Char('.') + wanted.suffix();
    for (int n = 2; n < 10000; ++n) {
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
    backToCatalogue();
}

void Zerun::on_quit_clicked()
{
    QCoreApplication::quit();
}

QVector<InstalledPackage> Zerun::selectedRecords() const
{
    QVector<InstalledPackage> records;
    const QList<QListWidgetItem *> selected = ui->repo_list->selectedItems();
    for (const QListWidgetItem *item : selected) {
        const InstalledPackage *record = recordOf(entryOf(item));
        if (!record)
            continue;
        const bool listed =
            std::any_of(records.cbegin(), records.cend(), [record](const InstalledPackage &known) {
                return known.name == record->name && known.kind == record->kind;
            });
        if (!listed)
            records << *record;
    }
    return records;
}

void Zerun::verifySelected()
{
    if (verifier && verifier->isRunning()) {
        verifier->cancel();
        return;
    }
    QVector<InstalledPackage> records = selectedRecords();
    if (records.isEmpty())
        return;
    // Rows that cannot be read whole would report the package's files as not installed.
    for (InstalledPackage &record : records) {
        QString why;
        if (packageRecords.checkPackage(record.name, record.kind, &record.files, &why) !=
            InstalledPackages::Check::Sound) {
            InstallRecovery::note(QStringLiteral("Verify of ") + record.name +
                                  QStringLiteral(": ") + why);
            //: %1 is the package, %2 what is wrong with its records
            questions.tell(tr("Verify"), tr("The records of %1 cannot be read whole, so its "
                                            "files cannot be checked against them:\n\n%2")
                                             .arg(record.name, why));
            return;
        }
    }
    if (!verifier) {
        verifier = std::make_unique<PackageVerify>(gameFolder);
        connect(verifier.get(), &PackageVerify::progress, this, [this](int done, int total) {
            ui->catalogue_status->setText(
                tr("Verifying: %1 of %n file(s)", nullptr, total).arg(done));
        });
        connect(verifier.get(), &PackageVerify::finished, this, &Zerun::verifyEnded,
                Qt::QueuedConnection);
    }
    ui->verify_package->setText(tr("Stop Verifying"));
    ui->verify_package->setEnabled(true);
    verifier->start(records);
}

void Zerun::verifyEnded()
{
    ui->verify_package->setText(tr("Verify"));
    updateCatalogueStatus();
    updateUninstallButton();
    if (verifier->wasCancelled()) {
        InstallRecovery::note(QStringLiteral("Verify: stopped by the player"));
        return;
    }
    InstallRecovery::note(QStringLiteral("Verify: ") +
                          FileReport::ofVerify(verifier->results()).forLog());
    QVector<InstalledPackage> broken;
    for (const PackageVerify::Result &result : verifier->results()) {
        const InstalledPackage *record = packageRecords.find(result.name, result.kind);
        if (!result.whole() && record)
            broken << *record;
    }
    const FileReport report = FileReport::ofVerify(verifier->results(), Wording::Player);
    if (!showReport(tr("Verify"), report.detail(), !broken.isEmpty(), report.summary))
        return;
    for (const InstalledPackage &record : qAsConst(broken))
        repairPackage(record);
}

bool Zerun::showReport(const QString &title, const QString &text, bool offerRepair,
                       const QString &summary)
{
    ReportDialog dialog(title, summary, text, this);
    if (offerRepair) {
        QPushButton *repair = dialog.addAction(tr("Repair"));
        repair->setObjectName(QStringLiteral("repair_package"));
        repair->setToolTip(tr("Put back the missing and changed files from the "
                              "package's archive"));
    }
    dialog.placeOn(window());
    return questions.exec(dialog) == QDialog::Accepted;
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
    for (const QString &archive : archives)
        installFromDisk(archive);
}

void Zerun::installFromDisk(const QString &archive)
{
    const QString title = tr("Install from File");
    const QString name = DiskPackage::packageName(archive);
    const auto tell = [this, &title](const QString &text) { questions.tell(title, text); };
    // The same errors as for a downloaded archive; the player's archive stays where it is.
    const auto fail = [&](const QString &text) {
        InstallRecovery::note(name + QStringLiteral(" (from disk): ") + text);
        //: %1 is the package, %2 why it could not be installed
        tell(tr("Could not install %1:\n\n%2").arg(name, text));
    };
    if (batchRunning || diskInstallRunning) {
        tell(tr("Packages are being installed. Install %1 when they are done.").arg(name));
        return;
    }
    QStringList entries;
    QString why;
    if (!DiskPackage::entryNames(archive, &entries, &why)) {
        if (TsUnZip::hasNoEntries(archive))
            fail(tr("Couldn't go to first file: the archive has no entries"));
        else
            fail(tr("Couldn't open zip: %1").arg(why));
        return;
    }
    if (entries.isEmpty()) {
        fail(tr("Couldn't go to first file: the archive has no entries"));
        return;
    }
    // The kind, the likeliest one offered first.
    const QStringList kinds = {QStringLiteral("mods"), QStringLiteral("pics"),
                               QStringLiteral("skin")};
    QStringList choices;
    for (const QString &kind : kinds)
        choices << InstallRules::label(kind);
    choices << tr("Cancel");
    const int likely = int(kinds.indexOf(DiskPackage::likelyKind(entries)));
    const int chosen = questions.ask(title,
                                     //: %1 is the package, %2 a kind: Mod, Picture Pack or Skin
                                     tr("What kind of package is %1?\n\nFrom what the archive "
                                        "holds it looks like a %2.")
                                         .arg(name, choices.at(likely)),
                                     choices, likely, 3);
    if (chosen < 0 || chosen >= kinds.size())
        return;
    const QString kind = kinds.at(chosen);
    const InstalledPackage *known = packageRecords.find(name, kind);
    if (known && !known->fromDisk) {
        //: %1 is the folder of the package installed from the package list
        fail(tr("A package of the same name and kind from the package list is installed in %1. "
                "Rename the archive to install it beside that one.")
                 .arg(known->folder));
        return;
    }

    locateGameFolder();
    QString target;
    QString journal;
    if (!askFolder(kind, name, name, target, journal, -1))
        return;

    InstalledPackage package;
    package.name = name;
    package.kind = kind;
    package.fromDisk = true;
    package.archiveSize = QFileInfo(archive).size();
    QString error;
    PackageInstall::Outcome outcome;
    if (!installNow(package, archive, target, journal, &error, &outcome)) {
        fail(error);
        return;
    }
    const QString folder = QDir(gameFolder).relativeFilePath(target);
    const QString kindLabel = InstallRules::label(kind);
    const QString summary = outcome.summary();
    InstallRecovery::note(name + QStringLiteral(" (from disk): installed into ") + folder +
                          (summary.isEmpty() ? QString() : QStringLiteral("; ") + summary));
    //: %1 is the kind of package: Mod, Picture Pack or Skin; %2 the package, %3 its folder
    tell(tr("Installed the %1 %2 into %3.").arg(kindLabel, name, folder) +
         (summary.isEmpty() ? QString()
                            : QStringLiteral("\n\n") + outcome.summary(Wording::Player)));
}

bool Zerun::installNow(const InstalledPackage &package, const QString &archive,
                       const QString &target, const QString &journal, QString *error,
                       PackageInstall::Outcome *outcome)
{
    auto owned = std::make_unique<PackageInstall>(packageRecords, gameFolder);
    PackageInstall *step = owned.get();
    installs.push_back(std::move(owned));
    step->setPackage(package, archive, target, journal);
    PackageInstall::Plan plan;
    QString why;
    if (!step->prepare(&plan, &why)) {
        UnpackTransaction::recover(journal);
        *error = tr("Couldn't open zip: %1").arg(why);
        return false;
    }
    if (plan.entryNames.isEmpty()) {
        UnpackTransaction::recover(journal);
        *error = tr("Couldn't go to first file: the archive has no entries");
        return false;
    }
    *error = spaceShortage(target, plan.unpackedSize);
    if (!error->isEmpty()) {
        UnpackTransaction::recover(journal);
        return false;
    }
    if (!plan.edits.isEmpty())
        step->setEditChoice(askEdits(package.name, InstallRules::label(package.kind), plan.edits));

    const QString name = package.name;
    connect(&step->unzip(), &TsUnZip::percent, this, [this, name](int percent) {
        //: %1 is the package, %2 the share unpacked
        ui->catalogue_status->setText(tr("Installing %1: %2%").arg(name, QString::number(percent)));
    });
    bool done = false;
    QEventLoop waiting;
    connect(step, &PackageInstall::finished, &waiting, [&] {
        done = true;
        waiting.quit();
    });
    connect(step, &PackageInstall::failed, &waiting,
            [&](const QString &text, const QString &detail) {
                *error = detail.isEmpty() ? text : text + QStringLiteral(": ") + detail;
                waiting.quit();
            });
    guardClose();
    diskInstallRunning = true;
    runningInstall = step;
    step->start();
    waiting.exec();
    runningInstall = nullptr;
    diskInstallRunning = false;
    loadInstalledPackages();
    fillLists();
    showLists();
    if (!done) {
        if (step->wasCancelled())
            *error = tr("cancelled");
        return false;
    }
    *outcome = step->outcome();
    return true;
}

void Zerun::repairPackage(const InstalledPackage &record)
{
    const QString title = tr("Repair %1").arg(InstallRules::label(record.kind));
    const auto tell = [this, &title](const QString &text) { questions.tell(title, text); };
    const auto fail = [&](const QString &text) {
        InstallRecovery::note(QStringLiteral("Repair of ") + record.name + QStringLiteral(": ") +
                              text);
        //: %1 is the package, %2 why it could not be repaired
        tell(tr("Could not repair %1:\n\n%2").arg(record.name, text));
    };
    QString archive;
    // A fetched archive is the repair's own: it goes when the repair is over, whatever the end.
    QString fetched;
    const auto removeFetched = qScopeGuard([&fetched] {
        if (!fetched.isEmpty())
            QFile::remove(fetched);
    });
    if (record.fromDisk) {
        // The player's archive: asked for again, and only read.
        archive = StandardDialog::selectFile(false, {}, tr("The archive of %1").arg(record.name),
                                             QDir::homePath(),
                                             tr("Package archives (*.zip);;All files (*)"));
        if (archive.isEmpty())
            return;
    } else {
        // To a file, with the batch's retries, resume and size limit.
        ui->catalogue_status->setText(tr("Fetching %1 again...").arg(record.name));
        ArchiveFetch fetch;
        QString why;
        QEventLoop waiting;
        connect(&fetch, &ArchiveFetch::progress, this, [&](qint64 done, qint64 total) {
            if (total > 0)
                //: %1 is the package, %2 how much of it has arrived in percent
                ui->catalogue_status->setText(
                    tr("Fetching %1 again... %2%").arg(record.name).arg(done * 100 / total));
        });
        connect(&fetch, &ArchiveFetch::finished, &waiting, [&](const QString &path) {
            fetched = path;
            waiting.quit();
        });
        connect(&fetch, &ArchiveFetch::failed, &waiting, [&](const QString &reason) {
            why = reason;
            waiting.quit();
        });
        guardClose();
        diskInstallRunning = true;
        repairFetch = &waiting;
        fetch.start(QUrl(record.url));
        waiting.exec();
        repairFetch = nullptr;
        diskInstallRunning = false;
        updateCatalogueStatus();
        if (fetched.isEmpty()) {
            //: %1 is the address, %2 why it could not be fetched
            fail(tr("the archive could not be fetched from %1: %2").arg(record.url, why));
            return;
        }
        archive = fetched;
    }
    if (PackageRepair::check(archive, record) != PackageRepair::Verdict::Same) {
        if (record.fromDisk) {
            fail(tr("that archive is not the one that was installed. Install it "
                    "with Install from File to update the package."));
            return;
        }
        InstallRecovery::note(QStringLiteral("Repair of ") + record.name +
                              QStringLiteral(": the host now serves another file"));
        const int choice =
            questions.ask(title,
                          tr("The host now serves another file for %1 than the one installed, "
                             "so it cannot repair it.\n\nUpdate to the file it serves now?")
                              .arg(record.name),
                          {tr("Update"), tr("Cancel")}, 0, 1);
        if (choice != 0)
            return;
        for (int entry = 0; entry < catalogue.size(); ++entry) {
            if (catalogue.at(entry).name == record.name &&
                catalogue.at(entry).kind == record.kind) {
                addToDownloadList(entry);
                startBatch({entry});
                return;
            }
        }
        fail(tr("the package is not in the package list any more"));
        return;
    }
    QString error;
    PackageInstall::Outcome outcome;
    const QString target = QDir::cleanPath(gameFolder + record.folder);
    if (!installNow(PackageRepair::packageFor(record), archive, target,
                    InstallRecovery::newJournalPath(), &error, &outcome)) {
        fail(error);
        return;
    }
    const QString summary = outcome.summary();
    InstallRecovery::note(QStringLiteral("Repaired ") + record.name + QStringLiteral(" in ") +
                          record.folder +
                          (summary.isEmpty() ? QString() : QStringLiteral("; ") + summary));
    //: %1 is the package, %2 its folder in the game
    tell(tr("Repaired %1 in %2.").arg(record.name, record.folder) +
         (summary.isEmpty() ? QString()
                            : QStringLiteral("\n\n") + outcome.summary(Wording::Player)));
}

void Zerun::updateAll()
{
    if (batchRunning || diskInstallRunning)
        return;
    updatingInPlace = true;
    QVector<int> entries;
    const QVector<PackageUpdates::Update> updates =
        PackageUpdates::pending(catalogue, packageRecords, updatesAvailable);
    for (const PackageUpdates::Update &update : updates)
        entries << update.entry;
    if (!entries.isEmpty())
        startBatch(entries);
}

void Zerun::exportList()
{
    const QString path =
        StandardDialog::selectFile(true, {}, QStringLiteral("Export Package List"),
                                   QDir::homePath() + QStringLiteral("/packages.txt"),
                                   QStringLiteral("Package lists (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    int written = 0;
    QString why;
    QString text;
    if (PackageListFile::save(path, packageRecords.all(), &written, &why))
        text = QStringLiteral("Wrote %1 package(s) to ").arg(written) + path;
    else
        text = QStringLiteral("Could not write ") + path + QStringLiteral(": ") + why;
    InstallRecovery::note(QStringLiteral("Export: ") + text);
    StandardDialog::question(QStringLiteral("Export"), text, {QStringLiteral("OK")}, 0, 0);
}

void Zerun::importList()
{
    const QString path = StandardDialog::selectFile(
        false, {}, QStringLiteral("Import Package List"), QDir::homePath(),
        QStringLiteral("Package lists (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    PackageListFile::Import result;
    QString why;
    if (!PackageListFile::load(path, catalogue, &result, &why)) {
        StandardDialog::question(QStringLiteral("Import"),
                                 QStringLiteral("Could not read ") + path + QStringLiteral(": ") +
                                     why,
                                 {QStringLiteral("OK")}, 0, 0);
        return;
    }
    for (const int entry : qAsConst(result.entries))
        addToDownloadList(entry);
    const QString report = result.describe();
    InstallRecovery::note(QStringLiteral("Import of ") + path + QStringLiteral(": ") + report);
    showReport(QStringLiteral("Import"), report);
}
