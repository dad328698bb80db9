#include "windowaccess.h"

#include "dialoghost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>

QVector<WindowAccess::Control> WindowAccess::controls()
{
    return {
        // The catalogue page.
        {"game_folder", tr("Game folder"), tr("The TEW2016 folder the packages go into")},
        {"change_game_folder", tr("Change Game Folder"),
         tr("Chooses another TEW2016 folder; each keeps its own installed packages")},
        {"language_choice", tr("Language"),
         tr("The installer's language; a new choice applies at the next start")},
        {"repo_filter", tr("Package kind"),
         tr("Shows all packages, one kind of package, or the installed ones")},
        {"repo_search", tr("Search packages"),
         tr("Shows only the packages whose names hold this text; Ctrl+F comes here")},
        {"clear_list", tr("Clear List"), tr("Takes every package off the download list")},
        {"repo_list", tr("Packages"),
         tr("Enter adds the selected packages to the download list; Delete uninstalls the "
            "selected installed package")},
        {"file_list", tr("Download List"),
         tr("Enter starts the download; Delete takes the selected packages off the list")},
        {"retry_catalogue", tr("Try Again"), tr("Fetches the package list again")},
        {"update_all", tr("Update All"),
         tr("Updates every installed package that has a newer archive, each in its folder")},
        {"import_list", tr("Import Package List"),
         tr("Puts the packages of a shared package list on the download list")},
        {"export_list", tr("Export Installed Packages"),
         tr("Saves the installed packages from the package list to a file to share")},
        {"add_to_list", tr("Add to Download List"),
         tr("Adds the selected packages to the download list")},
        {"uninstall_package", tr("Uninstall"),
         tr("Removes the selected installed package from the game folder")},
        {"verify_package", tr("Verify"),
         tr("Checks the selected installed packages' files against what was installed")},
        {"install_from_file", tr("Install from File"),
         tr("Installs a package archive (.zip) you have on disk")},
        {"download_items", tr("Download"),
         tr("Downloads the packages on the download list and installs them")},
        // The transfer page.
        {"progressBar", tr("Package progress"), tr("How far the current package has come")},
        {"batchProgress", tr("Batch progress"), tr("How many packages of the batch are over")},
        {"outcome_list", tr("Outcome"), tr("How each package of the batch ended")},
        {"back", tr("Go Back"), tr("Back to the package list; Esc does the same")},
        {"copy_details", tr("Copy Details"), tr("Copies the outcome lines to the clipboard")},
        {"show_log", tr("Show Log"),
         tr("Opens today's log, with every line the installer wrote today")},
        {"retry_failed", tr("Retry Failed"),
         tr("Downloads and installs again the packages that did not install")},
        {"cancel_batch", tr("Cancel"),
         tr("Asks whether to skip the current package or stop the batch; Esc does the same")},
        {"quit", tr("Quit"), tr("Closes the installer")},
    };
}

WindowAccess::WindowAccess(QMainWindow *window) : QObject(window), window(window)
{
    nameControls();
    orderTabs();
    addKeys();
    followPages();
}

template<typename T>
T *WindowAccess::part(const char *name) const
{
    return window->findChild<T *>(QLatin1String(name));
}

void WindowAccess::nameControls()
{
    for (const Control &control : controls()) {
        if (QWidget *widget = part(control.objectName)) {
            widget->setAccessibleName(control.name);
            widget->setAccessibleDescription(control.description);
        }
    }
    // Enter presses the focused button, as in a dialog.
    const QList<QPushButton *> buttons = window->findChildren<QPushButton *>();
    for (QPushButton *button : buttons)
        button->setAutoDefault(true);
}

void WindowAccess::orderTabs()
{
    // Top to bottom, left to right, as the pages are read: each page's controls in the order
    // controls() lists them, leaving out those that take no focus (the progress bars).
    for (const char *pageName : {"page", "page_2"}) {
        const QWidget *page = part<QWidget>(pageName);
        QWidget *previous = nullptr;
        for (const Control &control : controls()) {
            QWidget *next = part<QWidget>(control.objectName);
            if (!page || !next || !page->isAncestorOf(next) || next->focusPolicy() == Qt::NoFocus)
                continue;
            if (previous)
                QWidget::setTabOrder(previous, next);
            previous = next;
        }
    }
}

void WindowAccess::addKeys()
{
    auto *repo = part<QAbstractItemView>("repo_list");
    auto *files = part<QListWidget>("file_list");
    auto *stack = part<QStackedWidget>("stackedWidget");
    if (!repo || !files || !stack)
        return;

    // Ctrl+F from anywhere on the catalogue page.
    auto *find = new QShortcut(QKeySequence::Find, window, nullptr, nullptr, Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, [this, stack] {
        auto *search = part<QLineEdit>("repo_search");
        if (stack->currentIndex() != 0 || !search)
            return;
        search->setFocus(Qt::ShortcutFocusReason);
        search->selectAll();
    });

    const auto clickIfOffered = [this](const char *name) {
        auto *button = part<QAbstractButton>(name);
        if (button && button->isVisible() && button->isEnabled()) {
            button->click();
            return true;
        }
        return false;
    };
    // Enter in the download list starts the download.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto *start = new QShortcut(key, files, nullptr, nullptr, Qt::WidgetShortcut);
        connect(start, &QShortcut::activated, this,
                [clickIfOffered] { clickIfOffered("download_items"); });
    }
    // Delete in the package list uninstalls, where that is offered; the question follows.
    auto *remove = new QShortcut(QKeySequence::Delete, repo, nullptr, nullptr, Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this,
            [clickIfOffered] { clickIfOffered("uninstall_package"); });
    // Esc on the transfer page: Cancel while the batch runs, Go Back once it is over.
    if (QWidget *transfer = part("page_2")) {
        auto *escape = new QShortcut(QKeySequence::Cancel, transfer, nullptr, nullptr,
                                     Qt::WidgetWithChildrenShortcut);
        connect(escape, &QShortcut::activated, this, [clickIfOffered] {
            if (!clickIfOffered("cancel_batch"))
                clickIfOffered("back");
        });
    }
    // Enter on a package that has the focus but no selection (as after Tab) adds that one.
    repo->installEventFilter(this);
    // Down in the search field goes on into the list.
    if (QWidget *search = part("repo_search"))
        search->installEventFilter(this);
}

void WindowAccess::followPages()
{
    auto *stack = part<QStackedWidget>("stackedWidget");
    if (!stack)
        return;
    connect(stack, &QStackedWidget::currentChanged, this, &WindowAccess::pageShown);
    // Questions during a batch leave the progress in sight where the window has room.
    DialogHost::keepClear(part("progressBar"));
    if (QWidget *outcome = part("outcome_list"))
        outcome->installEventFilter(this);
    pageShown(stack->currentIndex());
}

void WindowAccess::pageShown(int index)
{
    QWidget *target = index == 0 ? part("repo_list") : part("cancel_batch");
    if (index != 0 && target && target->isHidden())
        target = part("outcome_list");
    if (target)
        target->setFocus(Qt::OtherFocusReason);
}

bool WindowAccess::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *list = qobject_cast<QAbstractItemView *>(watched);
        auto *repo = part<QAbstractItemView>("repo_list");
        if (watched->objectName() == QLatin1String("repo_search") && key == Qt::Key_Down && repo &&
            repo->model()->rowCount() > 0) {
            if (!repo->currentIndex().isValid())
                repo->setCurrentIndex(repo->model()->index(0, 0));
            repo->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (list && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            // Enter acts on the current package: with a selection but none current, the first
            // selected one becomes current; a current one without a selection is selected.
            QItemSelectionModel *selection = list->selectionModel();
            const QModelIndexList selected = selection->selectedIndexes();
            if (!list->currentIndex().isValid() && !selected.isEmpty())
                selection->setCurrentIndex(selected.first(), QItemSelectionModel::NoUpdate);
            else if (list->currentIndex().isValid() && selected.isEmpty())
                selection->select(list->currentIndex(), QItemSelectionModel::Select);
        }
    } else if (event->type() == QEvent::Show && watched->objectName() == "outcome_list") {
        // The batch is over: its outcome is what there is to read now.
        auto *outcome = static_cast<QWidget *>(watched);
        outcome->setFocus(Qt::OtherFocusReason);
    }
    return QObject::eventFilter(watched, event);
}
