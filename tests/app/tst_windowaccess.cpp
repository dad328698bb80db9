#include "apppaths.h"
#include "elidingdelegate.h"
#include "framelesswindow.h"
#include "installedpackages.h"
#include "modalscript.h"
#include "packagehost.h"
#include "standarddialog.h"
#include "testfiles.h"
#include "tsmessage.h"
#include "widgetlookup.h"
#include "zerun.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

namespace {

const QString gamePath = "drive_c/Program Files (x86)/GDS/TEW2016/";

// What a screen reader hears as the name of `widget`.
QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// The controls a player can reach or read off a value from, visible below `root`.
QList<QWidget *> visibleControls(QWidget *root)
{
    QList<QWidget *> controls;
    const QList<QWidget *> all = root->findChildren<QWidget *>();
    for (QWidget *widget : all) {
        const bool control =
            qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget) ||
            qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractItemView *>(widget) ||
            qobject_cast<QProgressBar *>(widget);
        // A combo box's own line edit and list are parts of it.
        if (control && widget->isVisibleTo(root->window()) && widget->isVisible() &&
            !qobject_cast<QComboBox *>(widget->parentWidget()))
            controls << widget;
    }
    return controls;
}

// Controls of `modal` without a name, as "class objectName".
QStringList unnamed(QWidget *root)
{
    QStringList missing;
    for (QWidget *widget : visibleControls(root)) {
        if (accessibleName(widget).trimmed().isEmpty())
            missing << QString::fromLatin1(widget->metaObject()->className()) + " " +
                           widget->objectName();
    }
    return missing;
}

// The object names that Tab visits from `first` until it comes back to it, keeping those below
// `page` (the frame's own title-bar buttons are in the chain too).
QStringList tabRound(QWidget *first, QWidget *page)
{
    QStringList names;
    first->setFocus(Qt::TabFocusReason);
    QWidget *now = QApplication::focusWidget();
    for (int step = 0; step < 40 && now; ++step) {
        if (page->isAncestorOf(now))
            names << now->objectName();
        QTest::keyClick(now, Qt::Key_Tab);
        now = QApplication::focusWidget();
        if (now == first)
            break;
    }
    return names;
}

// Presses keys on whatever has the focus, as a player at the keyboard does.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, key, modifiers);
}

void type(const QString &text)
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClicks(focus, text);
}

// Presses Tab until `target` has the focus.
void tabTo(QWidget *target)
{
    QStringList passed;
    for (int step = 0; step < 30 && QApplication::focusWidget() != target; ++step) {
        passed << QApplication::focusWidget()->objectName();
        press(Qt::Key_Tab);
    }
    QVERIFY2(QApplication::focusWidget() == target, qPrintable(passed.join(" ")));
}

} // namespace

// The whole window driven from the keyboard and read as a screen reader reads it, inside its
// frame, against the local package host.
class TestWindowAccess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void keyboardOnlyRoad();
    void tabFollowsReadingOrder_data();
    void tabFollowsReadingOrder();
    void questionsStayInsideTheWindow_data();
    void questionsStayInsideTheWindow();
    void installedViewReadable();

private:
    void makePackage(const QString &archive, const QMap<QString, QByteArray> &files);
    void openWindow();
    // Runs the road from the catalogue to the end of the batch for the packages shown as
    // `shown`, by keys, naming each folder as given.
    void keyboardBatch(const QStringList &shown, const QStringList &folders);
    template<typename T = QWidget>
    T *part(const char *name) const
    {
        return child<T>(*window, name);
    }
    QString game(const QString &path = QString()) const { return gameFolder + path; }

    std::unique_ptr<QTemporaryDir> site;
    std::unique_ptr<QTemporaryDir> prefix;
    std::unique_ptr<PackageHost> host;
    std::unique_ptr<FramelessWindow> frame;
    Zerun *window = nullptr;
    QString gameFolder;
};

void TestWindowAccess::initTestCase()
{
    QCoreApplication::setOrganizationName("Tandel Orvik");
    QCoreApplication::setApplicationName("Zerun Installer");
    AppPaths::createFolders();
    if (QStandardPaths::findExecutable("zip").isEmpty())
        QSKIP("Info-ZIP zip is needed to make the sample archives");
}

void TestWindowAccess::init()
{
    site = std::make_unique<QTemporaryDir>();
    prefix = std::make_unique<QTemporaryDir>();
    QVERIFY(site->isValid() && prefix->isValid());
    QVERIFY(QDir().mkpath(site->filePath("files")));
    host = std::make_unique<PackageHost>(site->path());
    QVERIFY(host->start());
    qputenv("ZERUN_CATALOGUE_HOST", host->baseUrl().toString().toUtf8());
    qputenv("ZERUN_SERVICE_HOST", host->baseUrl().toString().toUtf8());
    gameFolder = prefix->path() + "/" + gamePath;
    TestFiles::write(game("TEW2016.exe"), "MZ");
    for (const char *folder : {"Databases", "Pictures", "Skins"})
        QVERIFY(QDir().mkpath(game(folder)));
    qputenv("WINEPREFIX", prefix->path().toUtf8());

    makePackage("realworld.zip", {{"readme.txt", "Real World 2016\n"}});
    makePackage("faces.zip", {{"faces/one.txt", "face one"}});
    makePackage("neatskin.zip", {{"skin.ini", "[skin]\nname=Neat\n"}});
    const QByteArray base = host->baseUrl().toString().toUtf8() + "/files/";
    TestFiles::write(site->filePath("files/index.dat"), base + "realworld.zip,mods,Real World\n" +
                                                            base + "faces.zip,pics,Faces\n" + base +
                                                            "neatskin.zip,skin,Neat Skin\n");
    QDir(AppPaths::downloadsFolder()).removeRecursively();
    QVERIFY(QDir().mkpath(AppPaths::downloadsFolder()));
    for (const QString &suffix : {"", "-wal", "-shm"})
        QFile::remove(InstalledPackages::defaultPath() + suffix);
    QFile::remove(InstalledPackages::legacyPath());
}

void TestWindowAccess::cleanup()
{
    frame.reset();
    window = nullptr;
    host.reset();
    qunsetenv("WINEPREFIX");
}

void TestWindowAccess::makePackage(const QString &archive, const QMap<QString, QByteArray> &files)
{
    QTemporaryDir source;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        TestFiles::write(source.filePath(it.key()), it.value());
    QProcess zip;
    zip.setWorkingDirectory(source.path());
    zip.start("zip", {"-q", "-r", site->filePath("files/" + archive), "."});
    QVERIFY(zip.waitForFinished(30000));
    QCOMPARE(zip.exitCode(), 0);
}

void TestWindowAccess::openWindow()
{
    // As the start-up builds it: the window inside its frame.
    frame = std::make_unique<FramelessWindow>(nullptr);
    window = new Zerun;
    frame->setContent(window, false);
    frame->setMaximumHeight(480);
    QVERIFY(window->initialise());
    frame->show();
    QApplication::setActiveWindow(frame.get());
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QTRY_COMPARE(part<QListWidget>("repo_list")->count(), 3);
}

void TestWindowAccess::keyboardBatch(const QStringList &shown, const QStringList &folders)
{
    for (const QString &name : shown) {
        // Ctrl+F, the name, then Tab down to the list and Enter.
        press(Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), part("repo_search"));
        press(Qt::Key_A, Qt::ControlModifier);
        type(name);
        tabTo(part("repo_list"));
        press(Qt::Key_Return);
    }
    QCOMPARE(part<QListWidget>("file_list")->count(), shown.size());
    QList<ModalScript::Step> steps;
    for (const QString &folder : folders) {
        steps << [folder](QWidget *modal) {
            // The question has the keyboard once it is the active window.
            QTRY_COMPARE(QApplication::activeWindow(), modal);
            QVERIFY2(unnamed(modal).isEmpty(), qPrintable(unnamed(modal).join(", ")));
            press(Qt::Key_A, Qt::ControlModifier);
            type(folder);
            press(Qt::Key_Return);
        };
    }
    ModalScript script(steps);
    // Tab to the download list, where Enter starts the download.
    tabTo(part("file_list"));
    press(Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(part("back")->isVisible(), 20000);
    QVERIFY(script.finished());
    QCOMPARE(script.unexpected(), 0);
}

void TestWindowAccess::keyboardOnlyRoad()
{
    openWindow();
    const QMap<QString, QByteArray> before = TestFiles::tree(game());
    keyboardBatch({"Neat", "Real"}, {"Real World", "Neat"});
    // The outcome is read where the focus lands; Esc goes back to the catalogue.
    QTRY_COMPARE(QApplication::focusWidget(), part("outcome_list"));
    QCOMPARE(part<QListWidget>("outcome_list")->count(), 2);
    press(Qt::Key_Escape);
    QCOMPARE(part<QStackedWidget>("stackedWidget")->currentIndex(), 0);
    QVERIFY(part("page")->isAncestorOf(QApplication::focusWidget()));

    QMap<QString, QByteArray> expected = before;
    expected.insert("Databases/Real World/", {});
    expected.insert("Databases/Real World/SaveGames/", {});
    expected.insert("Databases/Real World/readme.txt", "Real World 2016\n");
    expected.insert("Skins/Neat/", {});
    expected.insert("Skins/Neat/skin.ini", "[skin]\nname=Neat\n");
    QCOMPARE(TestFiles::tree(game()), expected);
}

// Each page, at its fullest: the catalogue, and the end of a batch with a failure (so that
// every button of the end shows).
void TestWindowAccess::tabFollowsReadingOrder_data()
{
    QTest::addColumn<bool>("afterBatch");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("catalogue page")
        << false
        << QStringList{"repo_filter", "repo_search",       "clear_list",    "repo_list",
                       "file_list",   "import_list",       "export_list",   "language_choice",
                       "add_to_list", "install_from_file", "download_items"};
    QTest::newRow("transfer page, batch over")
        << true << QStringList{"outcome_list", "back", "copy_details", "retry_failed", "quit"};
}

void TestWindowAccess::tabFollowsReadingOrder()
{
    QFETCH(bool, afterBatch);
    QFETCH(QStringList, order);
    host->setError("/files/faces.zip", 404, "gone");
    openWindow();
    if (afterBatch)
        keyboardBatch({"Faces"}, {});
    QWidget *page = part(afterBatch ? "page_2" : "page");
    // Every control of the page has a name (the questions are checked as they come).
    QCOMPARE(unnamed(page), QStringList());
    QCOMPARE(tabRound(window->findChild<QWidget *>(order.first()), page), order);
}

void TestWindowAccess::questionsStayInsideTheWindow_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("page");
    // An empty size stands for the frame's minimum.
    QTest::newRow("minimum, catalogue") << QSize() << 0;
    QTest::newRow("minimum, transfer") << QSize() << 1;
    QTest::newRow("760 x 420, transfer") << QSize(760, 420) << 1;
    // As large as the screen allows (the frame's height is at most 480).
    QTest::newRow("screen wide, transfer") << QSize(800, 480) << 1;
}

void TestWindowAccess::questionsStayInsideTheWindow()
{
    QFETCH(QSize, size);
    QFETCH(int, page);
    openWindow();
    part<QStackedWidget>("stackedWidget")->setCurrentIndex(page);
    frame->resize(size.isValid() ? size : frame->minimumSizeHint());
    QTRY_COMPARE(frame->size(), size.isValid() ? size : frame->minimumSizeHint());
    auto *visible = frame->findChild<QWidget *>("windowFrame");
    const QRect inside(visible->mapToGlobal(QPoint(0, 0)), visible->size());
    const QWidget *bar = part("progressBar");
    const int barBottom = bar->mapToGlobal(QPoint(0, bar->height())).y();

    const QString longPath = "Databases/" + QString("Very Long Folder Name ").repeated(8);
    // Each panel the window shows, with its geometry once it is on screen.
    QList<std::function<void()>> panels{
        [&] {
            StandardDialog::question(
                "Uninstall", longPath + "\n\n" + QString("Its files are removed. ").repeated(12),
                {"Uninstall", "Cancel"}, 1, 1);
        },
        [&] {
            StandardDialog::getText("Mod Folder", QString("Install Real World into: ").repeated(6));
        },
        [&] { TsMessage::message("Outcome", QString("A long outcome line. ").repeated(40)); }};
    // The message panel's text area has a fixed height: it fits from a window of about 390
    // pixels on, not in the smallest frame.
    const int count = size.isValid() ? panels.size() : panels.size() - 1;
    for (int index = 0; index < count; ++index) {
        QRect placed;
        ModalScript script({[&](QWidget *modal) {
            QTest::qWait(30);
            placed = modal->frameGeometry();
            ModalScript::reject()(modal);
        }});
        if (index == 2) {
            panels.at(index)();
            // A message panel is a frame of its own inside the window, shown without waiting.
            QWidget *message = nullptr;
            for (QWidget *panel : frame->findChildren<FramelessWindow *>()) {
                if (panel->isVisible())
                    message = panel;
            }
            QVERIFY(message);
            placed = QRect(message->mapToGlobal(QPoint(0, 0)), message->size());
            message->close();
            message->deleteLater();
        } else {
            panels.at(index)();
            QVERIFY(script.finished());
        }
        QVERIFY2(inside.contains(placed),
                 qPrintable(QString("panel %1: %2,%3 %4x%5 outside %6,%7 %8x%9")
                                .arg(index)
                                .arg(placed.x())
                                .arg(placed.y())
                                .arg(placed.width())
                                .arg(placed.height())
                                .arg(inside.x())
                                .arg(inside.y())
                                .arg(inside.width())
                                .arg(inside.height())));
        // The progress stays in sight where the window has room below it.
        if (page == 1 && size.isValid() && index < 2)
            QVERIFY2(placed.top() > barBottom, qPrintable(QString::number(placed.top())));
    }
}

void TestWindowAccess::installedViewReadable()
{
    openWindow();
    // The first line stays unmarked; the two below it gain marks.
    keyboardBatch({"Faces", "Neat"}, {"Faces Of The Federation", "Neat Skin Many Colours"});
    press(Qt::Key_Escape);
    press(Qt::Key_F, Qt::ControlModifier);
    press(Qt::Key_Escape);
    frame->resize(frame->minimumSizeHint());
    auto *repo = part<QListWidget>("repo_list");
    QTRY_COMPARE(repo->count(), 3);
    QStyleOptionViewItem options;
    options.initFrom(repo);
    options.decorationSize = repo->iconSize().isValid()
                                 ? repo->iconSize()
                                 : QSize(repo->style()->pixelMetric(QStyle::PM_SmallIconSize),
                                         repo->style()->pixelMetric(QStyle::PM_SmallIconSize));
    QStyledItemDelegate plain;
    int previousBottom = -1;
    for (int row = 0; row < repo->count(); ++row) {
        const QRect rect = repo->visualItemRect(repo->item(row));
        // As tall as a marked line needs, under the one before it.
        const int needed = plain.sizeHint(options, repo->model()->index(2, 0)).height();
        QVERIFY2(rect.height() >= needed,
                 qPrintable(QString("%1: %2 < %3").arg(row).arg(rect.height()).arg(needed)));
        QVERIFY(rect.top() > previousBottom);
        previousBottom = rect.bottom();
    }

    part<QComboBox>("repo_filter")->setCurrentIndex(Zerun::installedFilter);
    QTRY_COMPARE(repo->count(), 2);
    auto *delegate = qobject_cast<ElidingDelegate *>(repo->itemDelegate());
    QVERIFY(delegate);
    for (int row = 0; row < repo->count(); ++row) {
        const QModelIndex index = repo->model()->index(row, 0);
        QStyleOptionViewItem option = options;
        option.rect = repo->visualRect(index);
        const QString full = index.data().toString();
        const QString shown = delegate->shownText(option, index);
        // Name and folder start whole, the middle of the path elided, the end kept.
        QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
        QCOMPARE(shown.section(QChar(0x2014), 0, 0), full.section(QChar(0x2014), 0, 0));
        QCOMPARE(shown.right(3), full.right(3));
        QVERIFY(repo->fontMetrics().horizontalAdvance(shown) <= repo->viewport()->width());
        // The whole line in the tooltip.
        QHelpEvent help(QEvent::ToolTip, option.rect.center(),
                        repo->viewport()->mapToGlobal(option.rect.center()));
        QApplication::sendEvent(repo->viewport(), &help);
        QTRY_VERIFY(QToolTip::text().startsWith(full));
    }
}

QTEST_MAIN(TestWindowAccess)
#include "tst_windowaccess.moc"
