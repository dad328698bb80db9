#include "widgetlookup.h"
#include "zerun.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMetaMethod>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QtTest>

// The main window as the form and the constructor leave it, before anything is wired to it.
class TestZerun : public QObject
{
    Q_OBJECT

private slots:
    void init() { window = std::make_unique<Zerun>(); }
    void cleanup() { window.reset(); }

    void startsOnTheCataloguePage();
    void windowGeometryAndTitle();
    void widgetTexts_data();
    void widgetTexts();
    void layouts_data();
    void layouts();
    void filterItemsFollowTheKindOrder();
    void transferPageWidgets();
    void listsDragFromCatalogueIntoDownloadList();
    void barsAreInstalled();
    void slotsInMetaObjectOrder();
    void reportsDriveTheTransferPage_data();
    void reportsDriveTheTransferPage();
    void extractorTextsAndTheClosingTick();

private:
    std::unique_ptr<Zerun> window;
};

void TestZerun::startsOnTheCataloguePage()
{
    auto *stack = child<QStackedWidget>(*window, "stackedWidget");
    QCOMPARE(stack->count(), 2);
    QCOMPARE(stack->currentIndex(), 0);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("page"));
    QCOMPARE(stack->widget(1)->objectName(), QStringLiteral("page_2"));
    QCOMPARE(child<QProgressBar>(*window, "progressBar")->value(), 0);
    QVERIFY(child<QPushButton>(*window, "back")->isHidden());
    QVERIFY(child<QPushButton>(*window, "quit")->isHidden());
    // Nothing to say about the list before it has been fetched.
    QVERIFY(child<QLabel>(*window, "catalogue_status")->isHidden());
    QVERIFY(child<QPushButton>(*window, "retry_catalogue")->isHidden());

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    for (const char *name :
         {"repo_filter", "clear_list", "repo_list", "file_list", "add_to_list", "download_items"})
        QVERIFY2(window->findChild<QWidget *>(QLatin1String(name))->isVisible(), name);
    for (const char *name : {"progressTitle", "progressBar", "progressInfo", "back", "quit"})
        QVERIFY2(!window->findChild<QWidget *>(QLatin1String(name))->isVisible(), name);

    stack->setCurrentIndex(1);
    QVERIFY(child<QProgressBar>(*window, "progressBar")->isVisible());
    QVERIFY(!child<QPushButton>(*window, "back")->isVisible());
    QVERIFY(!child<QPushButton>(*window, "quit")->isVisible());
}

void TestZerun::windowGeometryAndTitle()
{
    QCOMPARE(window->objectName(), QStringLiteral("Zerun"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Zerun"));
    QCOMPARE(window->size(), QSize(640, 211));
    QCOMPARE(window->minimumSize(), QSize(0, 0));
    QCOMPARE(window->maximumSize(), QSize(16777215, 640));
    QVERIFY(!window->parent());
    QCOMPARE(window->centralWidget()->objectName(), QStringLiteral("centralWidget"));
}

void TestZerun::widgetTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("text");
    const auto row = [](const char *name, const char *className, const char *text) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className)
                            << QString::fromLatin1(text);
    };
    row("label_2", "QLabel", "Download List");
    row("clear_list", "QPushButton", "&Clear List");
    row("add_to_list", "QPushButton", "&Add to Download List");
    row("download_items", "QPushButton", "&Download");
    row("uninstall_package", "QPushButton", "U&ninstall");
    row("progressTitle", "NoticeLabel", "");
    row("progressInfo", "QLabel", "");
    row("back", "QPushButton", "&Go Back");
    row("quit", "QPushButton", "&Quit");
    row("show_log", "QPushButton", "Show &Log");
    row("catalogue_status", "NoticeLabel", "");
    row("retry_catalogue", "QPushButton", "&Try Again");
}

void TestZerun::widgetTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, text);
    auto *widget = window->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->property("text").toString(), text);
}

void TestZerun::layouts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QList<int>>("margins"); // left, top, right, bottom
    QTest::addColumn<QStringList>("items");

    // -1 stands for a margin the form leaves to the style.
    QTest::newRow("verticalLayout_2")
        << "verticalLayout_2"
        << "centralWidget" << 6 << QList<int>{11, 11, 11, 11} << QStringList{"stackedWidget"};
    QTest::newRow("verticalLayout")
        << "verticalLayout"
        << "page" << 6 << QList<int>{11, 11, 11, 11}
        << QStringList{"game_folder_row", "horizontalLayout_2", "horizontalLayout",
                       "horizontalLayout_5", "horizontalLayout_3"};
    QTest::newRow("game_folder_row")
        << "game_folder_row"
        << "" << 6 << QList<int>{5, -1, 10, -1}
        << QStringList{"game_folder", "change_game_folder", "language_note", "language_choice"};
    QTest::newRow("horizontalLayout_2")
        << "horizontalLayout_2"
        << "" << 5 << QList<int>{5, -1, -1, -1}
        << QStringList{"repo_filter", "repo_search", "(spacer)", "label_2", "clear_list"};
    QTest::newRow("horizontalLayout")
        << "horizontalLayout"
        << "" << 6 << QList<int>{-1, -1, -1, -1} << QStringList{"repo_list", "file_list"};
    QTest::newRow("horizontalLayout_5")
        << "horizontalLayout_5"
        << "" << 6 << QList<int>{-1, -1, 10, -1}
        << QStringList{"catalogue_status", "retry_catalogue", "update_all", "import_list",
                       "export_list"};
    QTest::newRow("horizontalLayout_3")
        << "horizontalLayout_3"
        << "" << 6 << QList<int>{-1, 0, 10, -1}
        << QStringList{"add_to_list",       "uninstall_package", "verify_package",
                       "install_from_file", "(spacer)",          "download_items"};
    QTest::newRow("verticalLayout_3")
        << "verticalLayout_3"
        << "page_2" << 6 << QList<int>{11, 11, 11, 11}
        << QStringList{"progressTitle", "progressBar",  "progressInfo",
                       "batchProgress", "outcome_list", "horizontalLayout_4"};
    QTest::newRow("horizontalLayout_4")
        << "horizontalLayout_4"
        << "" << 6 << QList<int>{-1, -1, -1, -1}
        << QStringList{"back",         "(spacer)",     "copy_details", "show_log",
                       "retry_failed", "cancel_batch", "quit"};
}

void TestZerun::layouts()
{
    QFETCH(QString, name);
    QFETCH(QString, owner);
    QFETCH(int, spacing);
    QFETCH(QList<int>, margins);
    QFETCH(QStringList, items);

    auto *layout = window->findChild<QBoxLayout *>(name);
    QVERIFY(layout);
    if (!owner.isEmpty())
        QCOMPARE(layout->parentWidget()->objectName(), owner);
    QCOMPARE(layout->spacing(), spacing);

    // A margin the form leaves open is the style's default: none for a nested layout.
    const int styleMargin =
        owner.isEmpty() ? 0 : window->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    const auto resolve = [styleMargin](int m) { return m < 0 ? styleMargin : m; };
    const QMargins expected(resolve(margins.at(0)), resolve(margins.at(1)), resolve(margins.at(2)),
                            resolve(margins.at(3)));
    QCOMPARE(layout->contentsMargins(), expected);

    QStringList found;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget())
            found << item->widget()->objectName();
        else if (item->layout())
            found << item->layout()->objectName();
        else if (auto *spacer = item->spacerItem()) {
            found << QStringLiteral("(spacer)");
            QCOMPARE(spacer->sizeHint(), QSize(40, 20));
            QCOMPARE(spacer->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
            QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Minimum);
        }
        // The game folder and the search field take the room their rows have to spare.
        const bool stretched = found.last() == "game_folder" || found.last() == "repo_search";
        QCOMPARE(layout->stretch(i), stretched ? 1 : 0);
    }
    QCOMPARE(found, items);
}

void TestZerun::filterItemsFollowTheKindOrder()
{
    auto *filter = child<QComboBox>(*window, "repo_filter");
    QCOMPARE(filter->minimumWidth(), 150);
    QStringList texts;
    for (int i = 0; i < filter->count(); ++i)
        texts << filter->itemText(i);
    // The four kinds, then the installed packages.
    QCOMPARE(texts, (QStringList{"All", "Mods", "Picture Packs", "Skins", "Installed"}));
    QCOMPARE(filter->currentIndex(), 0);
}

void TestZerun::transferPageWidgets()
{
    auto *bar = child<QProgressBar>(*window, "progressBar");
    QCOMPARE(bar->minimumSize(), QSize(500, 0));
    QCOMPARE(bar->maximumSize(), QSize(500, 16777215));

    auto *info = child<QLabel>(*window, "progressInfo");
    QCOMPARE(info->minimumSize(), QSize(500, 0));
    QCOMPARE(info->maximumSize(), QSize(16777215, 16777215));
    QCOMPARE(info->alignment(), Qt::AlignCenter);
    QCOMPARE(info->textInteractionFlags(), Qt::NoTextInteraction);

    auto *page = child<QWidget>(*window, "page_2")->layout();
    for (const char *name : {"progressTitle", "progressBar", "progressInfo"}) {
        const int at = page->indexOf(child<QWidget>(*window, name));
        QVERIFY2(at >= 0, name);
        QCOMPARE(page->itemAt(at)->alignment(), Qt::AlignHCenter);
    }

    auto *back = child<QPushButton>(*window, "back");
    auto *quit = child<QPushButton>(*window, "quit");
    QCOMPARE(back->maximumSize(), QSize(80, 22));
    QCOMPARE(quit->maximumSize(), QSize(80, 22));
    QCOMPARE(quit->styleSheet(), QStringLiteral("left-margin: 5px;"));
    // Enter on the outcome page never quits.
    QVERIFY(!quit->isDefault());
    QVERIFY(!back->isDefault());
    QVERIFY(!child<QPushButton>(*window, "download_items")->isDefault());
}

void TestZerun::listsDragFromCatalogueIntoDownloadList()
{
    auto *repo = child<QListView>(*window, "repo_list");
    auto *files = child<QListWidget>(*window, "file_list");
    // Several packages can be picked (and taken off the list) at once.
    QCOMPARE(repo->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(files->selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(repo->dragDropMode(), QAbstractItemView::DragOnly);
    QCOMPARE(files->dragDropMode(), QAbstractItemView::DropOnly);
    QVERIFY(repo->dragEnabled());
    QVERIFY(!files->dragEnabled());
    QVERIFY(!repo->acceptDrops());
    QVERIFY(files->acceptDrops());

    // Drop what a drag out of the catalogue carries onto the download list: it is copied.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    // A row of the catalogue list as the window makes it.
    const CatalogueEntries catalogue{{"https://host/test.zip", "mods", "Test Mod"}};
    const InstalledPackages records;
    HeldBack heldBack;
    const QSet<int> updates;
    CatalogueModel rows(catalogue, records, heldBack, updates);
    rows.show(0, {0});
    repo->setModel(&rows);
    std::unique_ptr<QMimeData> carried(repo->model()->mimeData({repo->model()->index(0, 0)}));
    QVERIFY(carried);
    const QPoint at = files->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(files->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(files->viewport(), &move);
    QVERIFY(move.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, carried.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(files->viewport(), &drop);
    QCOMPARE(files->count(), 1);
    QCOMPARE(files->item(0)->text(), QStringLiteral("Test Mod [Mod]"));
    QCOMPARE(files->item(0)->data(Zerun::entryRole).toInt(), 0);
    QCOMPARE(repo->model()->rowCount(), 1);
}

void TestZerun::barsAreInstalled()
{
    QMenuBar *menu = window->menuBar();
    QCOMPARE(menu->objectName(), QStringLiteral("menuBar"));
    QCOMPARE(menu->geometry(), QRect(0, 0, 640, 20));
    QVERIFY(menu->actions().isEmpty());

    // The frameless window finds the status bar by this name to drop its size grip.
    auto *status = window->findChild<QStatusBar *>(QStringLiteral("statusBar"));
    QVERIFY(status);
    QCOMPARE(window->statusBar(), status);
    QVERIFY(status->isSizeGripEnabled());
}

void TestZerun::slotsInMetaObjectOrder()
{
    const QMetaObject &meta = Zerun::staticMetaObject;
    QCOMPARE(meta.superClass(), &QMainWindow::staticMetaObject);
    QCOMPARE(meta.propertyCount(), meta.propertyOffset());

    const QList<QPair<QByteArray, QMetaMethod::Access>> expected = {
        {"status(QString)", QMetaMethod::Public},
        {"installing()", QMetaMethod::Public},
        {"updateStatusInfo(QString)", QMetaMethod::Public},
        {"updateStatusTitle(QString)", QMetaMethod::Public},
        {"updateProgress(int)", QMetaMethod::Public},
        {"updateTime()", QMetaMethod::Public},
        {"on_repo_filter_currentIndexChanged(int)", QMetaMethod::Private},
        {"on_add_to_list_clicked()", QMetaMethod::Private},
        {"on_download_items_clicked()", QMetaMethod::Private},
        {"on_clear_list_clicked()", QMetaMethod::Private},
        {"install()", QMetaMethod::Private},
        {"installed()", QMetaMethod::Private},
        {"on_back_clicked()", QMetaMethod::Private},
        {"on_quit_clicked()", QMetaMethod::Private},
    };
    QCOMPARE(meta.methodCount() - meta.methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod method = meta.method(meta.methodOffset() + i);
        QCOMPARE(method.methodSignature(), expected.at(i).first);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), expected.at(i).second);
    }
    // The named parameters keep the names the slots are known by.
    QCOMPARE(meta.method(meta.methodOffset()).parameterNames(), QList<QByteArray>{"msg"});
    QCOMPARE(meta.method(meta.methodOffset() + 4).parameterNames(), QList<QByteArray>{"progress"});
    QCOMPARE(meta.method(meta.methodOffset() + 6).parameterNames(), QList<QByteArray>{"index"});
}

void TestZerun::reportsDriveTheTransferPage_data()
{
    QTest::addColumn<QStringList>("reports");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("info");
    QTest::addColumn<int>("bar");

    const QString start = QStringLiteral("Downloading http://h/files/a.zip\n");
    const QString wait = QStringLiteral("Please wait, this may take a minute...");
    QTest::newRow("start") << QStringList{start} << start << QString() << 0;
    QTest::newRow("progress") << QStringList{start, "Progress: 45% (1.2 MB/s)"} << "Downloading.."
                              << "1.2 MB/s" << 45;
    QTest::newRow("progress at 100 stops short")
        << QStringList{start, "Progress: 100% (3.0 MB/s)"} << "Installing..." << wait << 99;
    QTest::newRow("percentage not a number")
        << QStringList{"Progress: x% (0.0 bytes/sec)"} << "Downloading.."
        << "0 B/s" << 0;
    QTest::newRow("saved file and summary leave the texts")
        << QStringList{start, "Progress: 45% (1.2 MB/s)", "File: /tmp/a.zip",
                       "2/3files downloaded successfully"}
        << "Downloading.."
        << "1.2 MB/s" << 45;
}

void TestZerun::reportsDriveTheTransferPage()
{
    QFETCH(QStringList, reports);
    QFETCH(QString, title);
    QFETCH(QString, info);
    QFETCH(int, bar);

    for (const QString &report : reports)
        window->status(report);
    QCOMPARE(child<QStackedWidget>(*window, "stackedWidget")->currentIndex(), 1);
    QCOMPARE(child<QLabel>(*window, "progressTitle")->text(), title);
    QCOMPARE(child<QLabel>(*window, "progressInfo")->text(), info);
    QCOMPARE(child<QProgressBar>(*window, "progressBar")->value(), bar);
}

void TestZerun::extractorTextsAndTheClosingTick()
{
    auto *title = child<QLabel>(*window, "progressTitle");
    auto *info = child<QLabel>(*window, "progressInfo");
    window->updateStatusTitle(QStringLiteral("Installing..."));
    window->updateStatusInfo(QStringLiteral("Extracting readme.txt"));
    QCOMPARE(title->text(), QStringLiteral("Installing..."));
    QCOMPARE(info->text(), QStringLiteral("Extracting readme.txt"));

    // The tick writes the closing texts only once the bar is full.
    window->updateTime();
    QCOMPARE(title->text(), QStringLiteral("Installing..."));
    window->updateProgress(100);
    window->updateStatusInfo(QStringLiteral("Install Complete"));
    QCOMPARE(title->text(), QStringLiteral("Finished"));
    window->updateTime();
    QCOMPARE(title->text(), QStringLiteral("Installed"));
    QCOMPARE(info->text(), QStringLiteral("Install Completed"));
}

QTEST_MAIN(TestZerun)
#include "tst_zerun.moc"
