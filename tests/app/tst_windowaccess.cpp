#include "elidedlabel.h"
#include "elidingdelegate.h"
#include "framelesswindow.h"
#include "modalscript.h"
#include "roadfixture.h"
#include "standarddialog.h"
#include "tsmessage.h"
#include "widgetlookup.h"
#include "zerun.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QtTest>

namespace {

// The visible controls below `root` (those a player reaches or reads a value off) that a screen
// reader has no name for, as "class objectName".
QStringList unnamed(QWidget *root)
{
    QStringList missing;
    const QList<QWidget *> all = root->findChildren<QWidget *>();
    for (QWidget *widget : all) {
        const bool control =
            qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget) ||
            qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractItemView *>(widget) ||
            qobject_cast<QProgressBar *>(widget);
        // A combo box's own line edit and list are parts of it.
        if (!control || !widget->isVisible() || qobject_cast<QComboBox *>(widget->parentWidget()))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            missing << QString(widget->metaObject()->className()) + " " + widget->objectName();
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

// Presses a key on whatever has the focus, as a player at the keyboard does.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
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
class TestWindowAccess : public QObject, public RoadFixture
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("Tandel Orvik");
        QCoreApplication::setApplicationName("Zerun Installer");
        AppPaths::createFolders();
        if (QStandardPaths::findExecutable("zip").isEmpty())
            QSKIP("Info-ZIP zip is needed to make the sample archives");
    }

    void init()
    {
        setUpRoad();
        // The picture pack first: the road fails it and marks the two lines below it.
        serveCatalogue(catalogueLine("faces.zip", "pics,Faces") +
                       catalogueLine("realworld.zip", "mods,Real World") +
                       catalogueLine("neatskin.zip", "skin,Neat Skin"));
    }

    void cleanup()
    {
        frame.reset();
        tearDownRoad();
    }

    // The road by keys alone, every control named and Tab in reading order on each page at its
    // fullest: the catalogue, and the end of a batch with a failure (so that every button of the
    // end shows). Then the catalogue read in the smallest frame.
    void keyboardOnlyRoad()
    {
        host->setError("/files/faces.zip", 404, "gone");
        openWindow();
        QMap<QString, QByteArray> expected = TestFiles::tree(game());
        QCOMPARE(unnamed(part("page")), QStringList());
        QCOMPARE(tabRound(part("repo_filter"), part("page")),
                 (QStringList{"repo_filter", "repo_search", "clear_list", "repo_list", "file_list",
                              "import_list", "export_list", "add_to_list", "install_from_file",
                              "download_items", "change_game_folder", "language_choice"}));
        keyboardBatch({"Faces", "Neat", "Real"}, {"Real World Federation", "Neat Skin Colours"});
        // The outcome is read where the focus lands; Esc goes back to the catalogue.
        QTRY_COMPARE(QApplication::focusWidget(), part("outcome_list"));
        QCOMPARE(part<QListWidget>("outcome_list")->count(), 3);
        QCOMPARE(unnamed(part("page_2")), QStringList());
        QCOMPARE(tabRound(part("outcome_list"), part("page_2")),
                 (QStringList{"outcome_list", "back", "copy_details", "show_log", "retry_failed",
                              "quit"}));
        // Enter on the outcome never quits.
        QSignalSpy quits(part<QPushButton>("quit"), &QPushButton::clicked);
        part("outcome_list")->setFocus();
        press(Qt::Key_Return);
        QCOMPARE(quits.count(), 0);
        press(Qt::Key_Escape);
        QCOMPARE(part<QStackedWidget>("stackedWidget")->currentIndex(), 0);
        QVERIFY(part("page")->isAncestorOf(QApplication::focusWidget()));
        // Every button of the page has its Alt key.
        for (const QPushButton *button : part("page")->findChildren<QPushButton *>())
            QVERIFY2(button->text().contains('&'), qPrintable(button->text()));
        const QString mod = "Databases/Real World Federation/", skin = "Skins/Neat Skin Colours/";
        for (const QString &folder :
             QStringList{mod, mod + "SaveGames/", mod + "data/", skin, skin + "bg/"})
            expected.insert(folder, {});
        expected.insert(mod + "readme.txt", "Real World 2016\n");
        expected.insert(mod + "data/promotions.txt", "Federation A\nFederation B\n");
        expected.insert(skin + "skin.ini", "[skin]\nname=Neat\n");
        expected.insert(skin + "bg/back.txt", "bg");
        QCOMPARE(TestFiles::tree(game()), expected);

        // Esc in the search brings the whole catalogue back.
        press(Qt::Key_F, Qt::ControlModifier);
        press(Qt::Key_Escape);
        frame->resize(frame->minimumSizeHint());
        auto *repo = part<QListView>("repo_list");
        QTRY_COMPARE(repo->model()->rowCount(), 3);
        // A long notice keeps to its one line, its end elided: the lists keep their room.
        auto *status = part<NoticeLabel>("catalogue_status");
        const int listHeight = repo->height();
        status->setText(QString("The package list could not be loaded. ").repeated(6));
        QTRY_VERIFY(status->shownText().endsWith(QChar(0x2026)));
        QCOMPARE(status->sizeHint().height(), status->minimumSizeHint().height());
        QCOMPARE(repo->height(), listHeight);
        QStyleOptionViewItem options;
        options.initFrom(repo);
        const int icon = repo->style()->pixelMetric(QStyle::PM_SmallIconSize);
        options.decorationSize = repo->iconSize().isValid() ? repo->iconSize() : QSize(icon, icon);
        // Every line as tall as a marked line needs, under the one before it.
        const int needed =
            QStyledItemDelegate().sizeHint(options, repo->model()->index(2, 0)).height();
        for (int row = 0, previousBottom = -1; row < repo->model()->rowCount(); ++row) {
            const QRect rect = repo->visualRect(repo->model()->index(row, 0));
            QVERIFY2(rect.height() >= needed && rect.top() > previousBottom,
                     qPrintable(QString("%1: %2 < %3").arg(row).arg(rect.height()).arg(needed)));
            previousBottom = rect.bottom();
        }

        part<QComboBox>("repo_filter")->setCurrentIndex(Zerun::installedFilter);
        QTRY_COMPARE(repo->model()->rowCount(), 2);
        auto *delegate = qobject_cast<ElidingDelegate *>(repo->itemDelegate());
        QVERIFY(delegate);
        for (int row = 0; row < repo->model()->rowCount(); ++row) {
            const QModelIndex index = repo->model()->index(row, 0);
            QStyleOptionViewItem option = options;
            option.rect = repo->visualRect(index);
            const QString full = index.data().toString();
            const QString shown = delegate->shownText(option, index);
            // The name alone where folder and date do not fit whole, never pieces of them.
            QCOMPARE(shown, full.section(QChar(0x2014), 0, 0).trimmed());
            QVERIFY(repo->fontMetrics().horizontalAdvance(shown) <= repo->viewport()->width());
            // The whole line in the tooltip.
            const QPoint at = option.rect.center();
            QHelpEvent help(QEvent::ToolTip, at, repo->viewport()->mapToGlobal(at));
            QApplication::sendEvent(repo->viewport(), &help);
            QTRY_VERIFY(QToolTip::text().startsWith(full));
        }
    }

    void questionsStayInsideTheWindow_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("page");
        // An empty size stands for the frame's minimum; the frame's height is at most 480.
        QTest::newRow("minimum, catalogue") << QSize() << 0;
        QTest::newRow("minimum, transfer") << QSize() << 1;
        QTest::newRow("760 x 420, transfer") << QSize(760, 420) << 1;
        QTest::newRow("screen wide, transfer") << QSize(800, 480) << 1;
    }

    void questionsStayInsideTheWindow()
    {
        QFETCH(QSize, size);
        QFETCH(int, page);
        openWindow();
        part<QStackedWidget>("stackedWidget")->setCurrentIndex(page);
        const QSize wanted = size.isValid() ? size : frame->minimumSizeHint();
        frame->resize(wanted);
        QTRY_COMPARE(frame->size(), wanted);
        const QWidget *visible = child<QWidget>(*frame, "windowFrame");
        const QRect inside(visible->mapToGlobal(QPoint(0, 0)), visible->size());
        const QWidget *bar = part("progressBar");
        const int barBottom = bar->mapToGlobal(QPoint(0, bar->height())).y();

        // Where a question (0: a choice, 1: a folder name) stood on screen while it was asked,
        // null when none came.
        const auto placed = [](int question) {
            QRect where;
            ModalScript script({[&where](QWidget *modal) {
                QTest::qWait(30);
                where = modal->frameGeometry();
                ModalScript::reject()(modal);
            }});
            const QString path = "Databases/" + QString("Very Long Folder Name ").repeated(8);
            if (question == 0)
                StandardDialog::question(
                    "Uninstall", path + "\n\n" + QString("Its files are removed. ").repeated(12),
                    {"Uninstall", "Cancel"}, 1, 1);
            else
                StandardDialog::getText("Mod Folder",
                                        QString("Install Real World into: ").repeated(6));
            return script.finished() ? where : QRect();
        };
        QList<QRect> panels{placed(0), placed(1)};
        // A message panel is a frame of its own over the window, shown without waiting. Its
        // text area has a fixed height: it fits from a window of about 390 pixels on, not in the
        // smallest frame.
        if (size.isValid()) {
            TsMessage::message("Outcome", QString("A long outcome line. ").repeated(40));
            panels << QRect();
            for (FramelessWindow *message : frame->findChildren<FramelessWindow *>()) {
                if (message->isVisible()) {
                    panels.last() = QRect(message->mapToGlobal(QPoint(0, 0)), message->size());
                    message->close();
                    message->deleteLater();
                }
            }
        }
        for (int index = 0; index < panels.size(); ++index) {
            QString seen;
            QDebug(&seen) << "panel" << index << panels.at(index) << "outside" << inside;
            QVERIFY2(inside.contains(panels.at(index)), qPrintable(seen));
            // The progress stays in sight where the window has room below it.
            if (page == 1 && size.isValid() && index < 2)
                QVERIFY2(panels.at(index).top() > barBottom, qPrintable(seen));
        }
    }

private:
    void openWindow()
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
        QTRY_COMPARE(part<QListView>("repo_list")->model()->rowCount(), 3);
    }

    // Runs the road from the catalogue to the end of the batch for the packages shown as
    // `shown`, by keys, naming each folder as given; every question's controls are named.
    void keyboardBatch(const QStringList &shown, const QStringList &folders)
    {
        for (const QString &name : shown) {
            // Ctrl+F, the name, then Down into the list and Enter.
            press(Qt::Key_F, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), part("repo_search"));
            press(Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), name);
            press(Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), part("repo_list"));
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
                QTest::keyClicks(QApplication::focusWidget(), folder);
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

    template<typename T = QWidget>
    T *part(const char *name) const
    {
        return child<T>(*window, name);
    }

    std::unique_ptr<FramelessWindow> frame;
    Zerun *window = nullptr;
};

QTEST_MAIN(TestWindowAccess)
#include "tst_windowaccess.moc"
