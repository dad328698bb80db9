#include "dialoghost.h"
#include "framelesswindow.h"
#include "modalscript.h"
#include "standarddialog.h"
#include "tscipher.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TestStandardDialog : public QObject
{
    Q_OBJECT

private slots:
    void textReasksUntilCancelled();
    void passwordComesBackEncrypted();
    void textInputs_data();
    void textInputs();
    void multiLineTextStartsWithGivenText();
    void items_data();
    void items();
    void intRanges_data();
    void intRanges();
    void doubleRanges_data();
    void doubleRanges();
    void cancelledNumbersAreMinusThousand();
    void colours();
    void fileChoosers();
    void folderChooser();
    void choosersCancelled();
    void centredOnMainWindowInDarkLook_data();
    void centredOnMainWindowInDarkLook();
    void mainWindowWhenNoneIsActive();
    void questions_data();
    void questions();
};

namespace {

// How a dialog stood on screen when it was answered.
struct Placement
{
    QRect geometry;
    QWidget *parent = nullptr;
    QColor window;
    QColor highlight;
    QString styleSheet;
};

ModalScript::Step recordAndReject(Placement *placement)
{
    return [placement](QWidget *modal) {
        placement->geometry = modal->frameGeometry();
        placement->parent = modal->parentWidget();
        placement->window = modal->palette().color(QPalette::Window);
        placement->highlight = modal->palette().color(QPalette::Highlight);
        placement->styleSheet = modal->styleSheet();
        static_cast<QDialog *>(modal)->reject();
    };
}

// Opens one kind of dialog of the family and lets it be answered by the running script.
void openDialog(const QString &kind)
{
    if (kind == QLatin1String("text"))
        StandardDialog::getText("Folder", "Install the pack into:");
    else if (kind == QLatin1String("item"))
        StandardDialog::getItem("Pick", "One of:", {"a", "b"});
    else if (kind == QLatin1String("number"))
        StandardDialog::getInt("Count", "How many:");
    else if (kind == QLatin1String("file"))
        StandardDialog::selectFile(false, {}, "Find", QDir::tempPath(), "*");
    else if (kind == QLatin1String("question"))
        StandardDialog::question("Stop?", "Stop the batch?", {"Skip this package", "Stop"});
    else
        StandardDialog::getColor("Colour");
}

} // namespace

void TestStandardDialog::textReasksUntilCancelled()
{
    ModalScript script({ModalScript::acceptText(QString()), ModalScript::acceptText(QString()),
                        ModalScript::reject()});
    const QString result = StandardDialog::getText("Name", "Your name:");
    QVERIFY(result.isEmpty());
    QVERIFY(script.finished());
    QCOMPARE(script.seen().size(), 3);
    QCOMPARE(script.seen().at(0).label, QString("Your name:"));
    // The suffix is added to the caller's label, so it never repeats.
    QCOMPARE(script.seen().at(1).label, QString("Your name: (You must enter a value)"));
    QCOMPARE(script.seen().at(2).label, QString("Your name: (You must enter a value)"));
    for (const ModalScript::Seen &seen : script.seen()) {
        QCOMPARE(seen.title, QString("Name"));
        QVERIFY(!(seen.flags & Qt::WindowContextHelpButtonHint));
        QVERIFY(!(seen.flags & Qt::WindowCloseButtonHint));
    }
}

void TestStandardDialog::passwordComesBackEncrypted()
{
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    const auto typeSecret = [&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        echo = dialog->textEchoMode();
        dialog->setTextValue("s3cret pass");
        dialog->accept();
    };
    ModalScript script(
        {ModalScript::acceptText(QString()), typeSecret, typeSecret, ModalScript::reject()});
    const QString first = StandardDialog::getPassword("Password", "Enter it:");
    QCOMPARE(echo, QLineEdit::Password);
    QCOMPARE(script.seen().at(1).label, QString("Enter it: (You must enter a value)"));
    const QString second = StandardDialog::getPassword("Password", "Enter it:");
    QVERIFY(!first.contains("s3cret"));
    // A random first byte: the same password gives different texts, both readable with the key.
    QVERIFY(first != second);
    TsCipher cipher(482913);
    QCOMPARE(cipher.decryptToText(first), QString("s3cret pass"));
    QCOMPARE(cipher.decryptToText(second), QString("s3cret pass"));

    // Cancel on an empty field still answers with a cyphertext: that of the empty text.
    const QString cancelled = StandardDialog::getPassword("Password", "Enter it:");
    QVERIFY(!cancelled.isEmpty());
    QCOMPARE(cipher.decryptToText(cancelled), QString());
    QCOMPARE(cipher.lastError, 0);
    QVERIFY(script.finished());
}

void TestStandardDialog::textInputs_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("ok with text") << true << "Neat Skin" << true;
    QTest::newRow("cancel after typing keeps the field") << false << "half typed" << false;
    QTest::newRow("cancel on empty field") << false << "" << false;
}

void TestStandardDialog::textInputs()
{
    QFETCH(bool, accept);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);

    ModalScript script(
        {accept ? ModalScript::acceptText(typed) : ModalScript::rejectWithText(typed)});
    bool ok = !accepted;
    QCOMPARE(StandardDialog::getText("t", "l", &ok), typed);
    QCOMPARE(ok, accepted);
    QCOMPARE(script.seen().size(), 1);
}

void TestStandardDialog::multiLineTextStartsWithGivenText()
{
    QString startText;
    bool plainEdit = false;
    ModalScript script({[&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        startText = dialog->textValue();
        plainEdit = dialog->testOption(QInputDialog::UsePlainTextEditForTextInput);
        dialog->setTextValue(startText + "\nsecond line");
        dialog->accept();
    }});
    QCOMPARE(StandardDialog::getMultiLineText("Notes", "Write:", "first line"),
             QString("first line\nsecond line"));
    QCOMPARE(startText, QString("first line"));
    QVERIFY(plainEdit);
}

void TestStandardDialog::items_data()
{
    QTest::addColumn<bool>("asList");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");

    QTest::newRow("combo accepted") << false << true << "Skins";
    QTest::newRow("combo cancelled") << false << false << "";
    QTest::newRow("list accepted") << true << true << "Skins";
    QTest::newRow("list cancelled") << true << false << "";
    // Each line's tooltip, the list as wide as its longest line, no horizontal scroll bar.
    QTest::newRow("list with tooltips") << true << true << "Skins";
}

void TestStandardDialog::items()
{
    QFETCH(bool, asList);
    QFETCH(bool, accept);
    QFETCH(QString, expected);

    const bool tips = QString(QTest::currentDataTag()) == "list with tooltips";
    QWidget main;
    main.resize(900, 600);
    main.show();
    main.activateWindow();
    bool listView = !asList;
    ModalScript script({[&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        listView = dialog->testOption(QInputDialog::UseListViewForComboBoxItems);
        if (tips) {
            const auto *list = dialog->findChild<QListView *>();
            QCOMPARE(list->model()->index(2, 0).data(Qt::ToolTipRole).toString(),
                     QString("/games/skins"));
            QCOMPARE(list->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QVERIFY(list->viewport()->width() >=
                    list->fontMetrics().horizontalAdvance("Picture Packs and more"));
        }
        dialog->setTextValue("Skins");
        accept ? dialog->accept() : dialog->reject();
    }});
    QStringList kinds{"Mods", "Picture Packs", "Skins"};
    if (tips)
        kinds[1] = QString("Picture Packs and more ").repeated(2);
    const QString result =
        tips     ? StandardDialog::getItemFromList("Kind", "Pick:", kinds,
                                                   {"/games/mods", "/games/pics", "/games/skins"})
        : asList ? StandardDialog::getItemFromList("Kind", "Pick:", kinds)
                 : StandardDialog::getItem("Kind", "Pick:", kinds);
    QCOMPARE(result, expected);
    QCOMPARE(listView, asList);
}

void TestStandardDialog::intRanges_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");

    QTest::newRow("all arguments") << 6 << 7 << 2 << 50 << 5;
    QTest::newRow("without step") << 5 << 7 << 2 << 50 << 1;
    QTest::newRow("range only") << 4 << 2 << 2 << 50 << 1;
    QTest::newRow("title and label") << 2 << 0 << 0 << 100 << 1;
}

void TestStandardDialog::intRanges()
{
    QFETCH(int, form);
    QFETCH(int, value);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, step);

    int seenValue = -1, seenMin = -1, seenMax = -1, seenStep = -1;
    ModalScript script({[&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        seenValue = dialog->intValue();
        seenMin = dialog->intMinimum();
        seenMax = dialog->intMaximum();
        seenStep = dialog->intStep();
        dialog->setIntValue(seenMax);
        dialog->accept();
    }});
    int result = 0;
    switch (form) {
    case 6:
        result = StandardDialog::getInt("n", "l", 7, 2, 50, 5);
        break;
    case 5:
        result = StandardDialog::getInt("n", "l", 7, 2, 50);
        break;
    case 4:
        result = StandardDialog::getInt("n", "l", 2, 50);
        break;
    default:
        result = StandardDialog::getInt("n", "l");
        break;
    }
    QCOMPARE(result, max);
    QCOMPARE(seenValue, value);
    QCOMPARE(seenMin, min);
    QCOMPARE(seenMax, max);
    QCOMPARE(seenStep, step);
}

void TestStandardDialog::doubleRanges_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("step");

    QTest::newRow("all arguments") << 7 << 1.5 << 1.0 << 9.0 << 3 << 0.5;
    QTest::newRow("without step") << 6 << 1.5 << 1.0 << 9.0 << 3 << 0.01;
    QTest::newRow("without decimals") << 5 << 1.5 << 1.0 << 9.0 << 2 << 0.01;
    QTest::newRow("range only") << 4 << 1.0 << 1.0 << 9.0 << 2 << 0.01;
    QTest::newRow("title and label") << 2 << 0.0 << 0.0 << 100.0 << 2 << 0.01;
}

void TestStandardDialog::doubleRanges()
{
    QFETCH(int, form);
    QFETCH(double, value);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, decimals);
    QFETCH(double, step);

    double seenValue = -1, seenMin = -1, seenMax = -1, seenStep = -1;
    int seenDecimals = -1;
    ModalScript script({[&](QWidget *modal) {
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        seenValue = dialog->doubleValue();
        seenMin = dialog->doubleMinimum();
        seenMax = dialog->doubleMaximum();
        seenDecimals = dialog->doubleDecimals();
        seenStep = dialog->doubleStep();
        dialog->setDoubleValue(seenMin);
        dialog->accept();
    }});
    double result = 0;
    switch (form) {
    case 7:
        result = StandardDialog::getDouble("n", "l", 1.5, 1.0, 9.0, 3, 0.5);
        break;
    case 6:
        result = StandardDialog::getDouble("n", "l", 1.5, 1.0, 9.0, 3);
        break;
    case 5:
        result = StandardDialog::getDouble("n", "l", 1.5, 1.0, 9.0);
        break;
    case 4:
        result = StandardDialog::getDouble("n", "l", 1.0, 9.0);
        break;
    default:
        result = StandardDialog::getDouble("n", "l");
        break;
    }
    QCOMPARE(result, min);
    QCOMPARE(seenValue, value);
    QCOMPARE(seenMin, min);
    QCOMPARE(seenMax, max);
    QCOMPARE(seenDecimals, decimals);
    QCOMPARE(seenStep, step);
}

void TestStandardDialog::cancelledNumbersAreMinusThousand()
{
    // -1000 lies inside the range, yet a cancel still answers -1000.
    ModalScript script({ModalScript::reject(), ModalScript::reject()});
    QCOMPARE(StandardDialog::getInt("n", "l", 5, -2000, 2000, 1), -1000);
    QCOMPARE(StandardDialog::getDouble("n", "l", 5.0, -2000.0, 2000.0), -1000.0);
    QVERIFY(script.finished());
}

void TestStandardDialog::colours()
{
    bool alphaShown = false;
    ModalScript script({[&](QWidget *modal) {
                            auto *dialog = qobject_cast<QColorDialog *>(modal);
                            alphaShown = dialog->testOption(QColorDialog::ShowAlphaChannel);
                            dialog->setCurrentColor(QColor(255, 0, 0));
                            dialog->accept();
                        },
                        ModalScript::reject()});
    QCOMPARE(StandardDialog::getColorName("Colour"), QString("#ffff0000"));
    QVERIFY(alphaShown);
    QVERIFY(!StandardDialog::getColor("Colour").isValid());
}

void TestStandardDialog::fileChoosers()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("TEW2016.exe");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    QFileDialog::Options options;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptSave;
    QList<QUrl> sidebar;
    const auto pick = [&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        options = dialog->options();
        mode = dialog->acceptMode();
        sidebar = dialog->sidebarUrls();
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    };
    // A file named in a folder: the chooser opens in the folder with the name proposed.
    QString opened;
    QStringList proposed;
    const auto save = [&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        opened = dialog->directory().absolutePath();
        proposed = dialog->selectedFiles();
        static_cast<QDialog *>(dialog)->reject();
    };
    ModalScript script({pick, pick, pick, save});
    const QList<QUrl> places{QUrl::fromLocalFile(dir.path())};
    QCOMPARE(
        StandardDialog::selectFile(false, places, "Find", dir.path(), "TEW2016.exe (TEW2016.exe)"),
        path);
    QVERIFY(options.testFlag(QFileDialog::DontUseNativeDialog));
    QVERIFY(options.testFlag(QFileDialog::HideNameFilterDetails));
    QVERIFY(options.testFlag(QFileDialog::ReadOnly));
    QCOMPARE(mode, QFileDialog::AcceptOpen);
    QCOMPARE(sidebar, places);

    // One file chosen: no line feed in the joined answer.
    QCOMPARE(StandardDialog::selectFilesJoined(false, {}, "Open", dir.path(), "*"), path);
    QCOMPARE(StandardDialog::selectFiles(false, {}, "Open", dir.path(), "*"), QStringList{path});

    StandardDialog::selectFile(true, {}, "Save", dir.filePath("packages.txt"), "*");
    QCOMPARE(opened, QDir(dir.path()).absolutePath());
    QCOMPARE(proposed, QStringList{dir.filePath("packages.txt")});

    // The application icon goes on the single-file chooser only.
    QCOMPARE(script.seen().size(), 4);
    QVERIFY(script.seen().at(0).hasIcon);
    QVERIFY(!script.seen().at(1).hasIcon);
    QVERIFY(!script.seen().at(2).hasIcon);
}

void TestStandardDialog::folderChooser()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("Games"));
    const QString folder = dir.filePath("Games");
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    ModalScript script({[&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        fileMode = dialog->fileMode();
        mode = dialog->acceptMode();
        dialog->selectFile(folder);
        static_cast<QDialog *>(dialog)->accept();
    }});
    QCOMPARE(StandardDialog::selectFolder(true, {}, "Folder", dir.path()), folder);
    QCOMPARE(fileMode, QFileDialog::Directory);
    QCOMPARE(mode, QFileDialog::AcceptSave);
}

void TestStandardDialog::choosersCancelled()
{
    ModalScript script({ModalScript::reject(), ModalScript::reject(), ModalScript::reject(),
                        ModalScript::reject()});
    QVERIFY(StandardDialog::selectFile(false, {}, "t", QDir::tempPath(), "*").isEmpty());
    QVERIFY(StandardDialog::selectFolder(false, {}, "t", QDir::tempPath()).isEmpty());
    QVERIFY(StandardDialog::selectFilesJoined(false, {}, "t", QDir::tempPath(), "*").isEmpty());
    QVERIFY(StandardDialog::selectFiles(false, {}, "t", QDir::tempPath(), "*").isEmpty());
    QVERIFY(script.finished());
}

void TestStandardDialog::centredOnMainWindowInDarkLook_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("parented");
    QTest::newRow("text input") << "text" << true;
    QTest::newRow("list input") << "item" << true;
    QTest::newRow("number input") << "number" << true;
    QTest::newRow("file chooser") << "file" << true;
    QTest::newRow("question") << "question" << true;
    // A window just shown learns its place late: the dialog follows it there.
    QTest::newRow("question, the window moved") << "question" << true;
    // The colour dialog has no parent, and is still placed on the main window.
    QTest::newRow("colour") << "colour" << false;
}

void TestStandardDialog::centredOnMainWindowInDarkLook()
{
    QFETCH(QString, kind);
    QFETCH(bool, parented);

    // No application style here: the dialogs carry the dark look themselves.
    QWidget main;
    main.setGeometry(40, 30, 720, 540);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));

    Placement placement;
    const bool moved = QString(QTest::currentDataTag()).endsWith("moved");
    ModalScript script({[&](QWidget *modal) {
        if (moved) {
            main.move(160, 90);
            QTRY_VERIFY((modal->frameGeometry().center() - main.frameGeometry().center())
                            .manhattanLength() <= 2);
        }
        recordAndReject (&placement)(modal);
    }});
    openDialog(kind);
    QVERIFY(script.finished());
    QCOMPARE(placement.parent, parented ? &main : nullptr);
    QVERIFY(placement.geometry.width() < main.width());
    QVERIFY(qAbs(placement.geometry.center().x() - main.frameGeometry().center().x()) <= 1);
    QVERIFY(qAbs(placement.geometry.center().y() - main.frameGeometry().center().y()) <= 1);
    QCOMPARE(placement.window, QColor(53, 53, 53));
    QCOMPARE(placement.highlight, QColor(252, 205, 63));
    QVERIFY(!placement.styleSheet.isEmpty());
    QCOMPARE(placement.styleSheet, DialogHost::darkStyleSheet());
}

void TestStandardDialog::mainWindowWhenNoneIsActive()
{
    // With no active window the largest visible window is the main one (here a frame, as the
    // installer's); an active dialog belongs to the window under it.
    QWidget small;
    small.setGeometry(0, 0, 200, 150);
    small.show();
    FramelessWindow main;
    main.setGeometry(100, 50, 600, 500);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QApplication::setActiveWindow(nullptr);
    QCOMPARE(DialogHost::mainWindow(), &main);

    Placement placement;
    ModalScript script({recordAndReject(&placement)});
    StandardDialog::getText("Folder", "Install the pack into:");
    QVERIFY(script.finished());
    QCOMPARE(placement.parent, &main);
    QVERIFY(qAbs(placement.geometry.center().x() - main.frameGeometry().center().x()) <= 1);
    QVERIFY(qAbs(placement.geometry.center().y() - main.frameGeometry().center().y()) <= 1);

    QDialog tool(&small);
    tool.show();
    tool.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&tool));
    QCOMPARE(DialogHost::mainWindow(), &small);
}

void TestStandardDialog::questions_data()
{
    QTest::addColumn<int>("press");
    QTest::addColumn<int>("answer");
    QTest::newRow("first choice") << 0 << 0;
    QTest::newRow("second choice") << 1 << 1;
    QTest::newRow("closed") << -1 << -1;
    QTest::newRow("Esc: escape choice") << -2 << 0;
    QTest::newRow("Enter: default choice") << -3 << 1;
}

void TestStandardDialog::questions()
{
    QFETCH(int, press);
    QFETCH(int, answer);

    const QString text =
        QStringLiteral("Could not unpack <b>goldskin</b> & friends:\nno space left");
    QStringList buttons;
    QString shownText;
    Qt::TextFormat format = Qt::AutoText;
    ModalScript script({[&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        for (QAbstractButton *button : box->buttons())
            buttons << button->text();
        const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        shownText = label->text();
        format = label->textFormat();
        if (press == -1) {
            box->reject();
            return;
        }
        if (press < -1) {
            QTest::keyClick(box, press == -2 ? Qt::Key_Escape : Qt::Key_Return);
            return;
        }
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == (press == 0 ? "Skip this package" : "Stop the batch"))
                button->click();
        }
    }});
    QCOMPARE(
        StandardDialog::question("Cancel", text, {"Skip this package", "Stop the batch"}, 1, 0),
        answer);
    QVERIFY(script.finished());
    QCOMPARE(script.seen().first().title, QStringLiteral("Cancel"));
    QVERIFY(!(script.seen().first().flags & Qt::WindowCloseButtonHint));
    buttons.sort();
    QCOMPARE(buttons, QStringList({"Skip this package", "Stop the batch"}));
    // Shown literally, markup and all.
    QCOMPARE(shownText, text);
    QCOMPARE(format, Qt::PlainText);
}

QTEST_MAIN(TestStandardDialog)
#include "tst_standarddialog.moc"
