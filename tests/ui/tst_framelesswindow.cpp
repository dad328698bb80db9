#include "framelesswindow.h"
#include "zerundarkstyle.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

namespace {

const QString T1 =
    QStringLiteral("#windowTitlebar{border: 0px none palette(shadow); border-top-left-radius:5px; "
                   "border-top-right-radius:5px; background-color:palette(base); height:20px;}");
const QString T2 =
    QStringLiteral("#titlebarWidget{border: 0px none palette(shadow); border-top-left-radius:0px; "
                   "border-top-right-radius:0px; background-color:palette(base); height:20px;}");
const QString TC =
    QStringLiteral("#windowTitlebar{border: 0px none palette(shadow); border-top-left-radius:5px; "
                   "border-top-right-radius:5px; background-color:rgb(252,205,63); height:20px;}");
const QString TD =
    QStringLiteral("#titlebarWidget{border: 0px none palette(shadow); border-top-left-radius:0px; "
                   "border-top-right-radius:0px; background-color:rgb(252,205,63); height:20px;}");
const QString F1 = QStringLiteral(
    "#windowFrame{border:1px solid palette(bright-text); border-radius:5px 5px 5px 5px; "
    "background-color:palette(Window);}");
const QString F2 = QStringLiteral("#windowFrame{border:1px solid #000000; border-radius:5px 5px "
                                  "5px 5px; background-color:palette(Window);}");
const QString F3 = QStringLiteral("#windowFrame{border:1px solid palette(dark); border-radius:0px "
                                  "0px 0px 0px; background-color:palette(Window);}");
const QString F4 = QStringLiteral("#windowFrame{border:1px solid palette(shadow); "
                                  "border-radius:0px 0px 0px 0px; "
                                  "background-color:palette(Window);}");
const QString FC =
    QStringLiteral("#windowFrame{border:1px solid rgb(252,205,63); border-radius:5px 5px 5px 5px; "
                   "background-color:palette(Window);}");
const QString formTitleText = QStringLiteral("  padding-left:5px;\n  color:rgb(200,200,200);");
const QString baseTitleText = QStringLiteral("padding-left:5px; color:palette(base)");
const QString B4 = QStringLiteral(
    "#closeButton{\n  background-color:none;\n  border:none;\n  width:16px;\n  height:16px;\n  "
    "padding:4px;\n  image:url(:/images/icon_window_close.png);\n  border-top-right-radius: "
    "5px;\n}\n#closeButton:hover{\n  background-color:palette(bright-text);\n}\n"
    "##closeButton:pressed{\n  background-color:palette(highlight);\n}");
const QString B5 = QStringLiteral(
    "#closeButton{   background-color:none;   border:none;   width:16px;   height:16px;   "
    "padding:4px;   image:url(:/images/icon_window_close.png);   border-top-right-radius: 5px; "
    "color:palette(base);} #closeButton:hover{   background-color:palette(bright-text); "
    "color:palette(text); } ##closeButton:pressed{   background-color:palette(highlight); "
    "color:palette(text);}");

QWidget *part(FramelessWindow &window, const char *name)
{
    auto *widget = window.findChild<QWidget *>(QLatin1String(name));
    Q_ASSERT(widget);
    return widget;
}

QColor shadowColor(FramelessWindow &window)
{
    auto *effect =
        qobject_cast<QGraphicsDropShadowEffect *>(part(window, "windowFrame")->graphicsEffect());
    return effect ? effect->color() : QColor();
}

} // namespace

class TestFramelessWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void constructedLook();
    void formTree();
    void styleTable_data();
    void styleTable();
    void shadowEffectShape();
    void setTitleBarColorParsing_data();
    void setTitleBarColorParsing();
    void setContentSizeGrip_data();
    void setContentSizeGrip();
    void setContentWithoutStatusBar();
    void parentMakesDialogWindow();
    void setWindowTitleShowsIconAndText();
    void stateChangesSwapButtons();
    void minimisedIgnoresApplicationState();
    void doubleClickTogglesMaximise();
    void closeButtonCloses();
    void unshownFrameDrawsCurrentSheets();
};

void TestFramelessWindow::initTestCase()
{
    QApplication::setStyle(new ZerunDarkStyle);
}

void TestFramelessWindow::constructedLook()
{
    FramelessWindow window;
    QCOMPARE(part(window, "windowTitlebar")->styleSheet(), T1);
    QCOMPARE(part(window, "windowFrame")->styleSheet(), F1);
    QCOMPARE(shadowColor(window), QColor(Qt::red));
    QVERIFY(part(window, "restoreButton")->isHidden());
    QVERIFY(!part(window, "minimizeButton")->isHidden());
    QVERIFY(!part(window, "maximizeButton")->isHidden());
    QVERIFY(window.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(window.windowFlags() & ~Qt::WindowType_Mask,
             Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    QCOMPARE(window.size(), QSize(640, 480));
    QVERIFY(window.QWidget::windowTitle().isEmpty());
}

void TestFramelessWindow::formTree()
{
    FramelessWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("FramelessWindow"));
    QCOMPARE(window.sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
    QCOMPARE(window.sizePolicy().verticalPolicy(), QSizePolicy::Minimum);

    auto *outer = qobject_cast<QVBoxLayout *>(window.layout());
    QVERIFY(outer);
    QCOMPARE(outer->objectName(), QStringLiteral("verticalLayout"));
    QCOMPARE(outer->contentsMargins(), QMargins(15, 15, 15, 15));
    QCOMPARE(outer->spacing(), 0);

    QWidget *frame = part(window, "windowFrame");
    QCOMPARE(frame->layout()->objectName(), QStringLiteral("verticalLayout_2"));
    QCOMPARE(frame->layout()->contentsMargins(), QMargins(1, 1, 1, 1));

    QWidget *titlebar = part(window, "windowTitlebar");
    QCOMPARE(titlebar->metaObject()->className(), "WindowDragger");
    QCOMPARE(titlebar->parentWidget(), frame);
    QCOMPARE(titlebar->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);

    // The title bar holds icon, title and the four buttons, in this order.
    auto *row = qobject_cast<QHBoxLayout *>(titlebar->layout());
    QVERIFY(row);
    QCOMPARE(row->objectName(), QStringLiteral("horizontalLayout"));
    const QStringList names = {"icon",          "titleText",      "minimizeButton",
                               "restoreButton", "maximizeButton", "closeButton"};
    QCOMPARE(row->count(), names.size());
    for (int index = 0; index < names.size(); ++index) {
        QCOMPARE(row->itemAt(index)->widget()->objectName(), names.at(index));
    }

    auto *title = window.findChild<QLabel *>(QStringLiteral("titleText"));
    QCOMPARE(title->text(), QStringLiteral("Frameless Window"));
    QCOMPARE(title->styleSheet(), formTitleText);
    QVERIFY(title->font().bold());
    QCOMPARE(window.findChild<QToolButton *>(QStringLiteral("closeButton"))->text(),
             QStringLiteral("X"));
    QCOMPARE(part(window, "closeButton")->styleSheet(), B4);
    QCOMPARE(part(window, "windowContent")->styleSheet(),
             QStringLiteral("#windowContent{\n  border: 0px none palette(base);\n  "
                            "border-radius:0px 0px 5px 5px;\n}"));
    QCOMPARE(part(window, "icon")->maximumSize(), QSize(24, 24));
}

void TestFramelessWindow::styleTable_data()
{
    QTest::addColumn<bool>("customColor");
    QTest::addColumn<bool>("baseText");
    QTest::addColumn<bool>("active");
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<QString>("titlebar");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("margin");
    QTest::addColumn<QColor>("shadow");
    QTest::addColumn<QString>("titleText");
    QTest::addColumn<QString>("closeButton");

    const QColor none;
    const QColor red(Qt::red);
    const QColor shadowRole(20, 20, 20);
    const QColor gold(252, 205, 63);
    // clang-format off
    QTest::newRow("plain, active, normal")        << false << false << true  << false << T1 << F1 << 15 << red        << formTitleText << B4;
    QTest::newRow("plain, active, maximised")     << false << false << true  << true  << T1 << F3 << 0  << none       << formTitleText << B4;
    QTest::newRow("plain, inactive, normal")      << false << false << false << false << T1 << F2 << 15 << shadowRole << formTitleText << B4;
    QTest::newRow("plain, inactive, maximised")   << false << false << false << true  << T2 << F4 << 0  << none       << formTitleText << B4;
    QTest::newRow("colour, active, normal")       << true  << false << true  << false << TC << FC << 15 << gold       << formTitleText << B4;
    QTest::newRow("colour, active, maximised")    << true  << false << true  << true  << TC << F3 << 0  << none       << formTitleText << B4;
    QTest::newRow("colour, inactive, normal")     << true  << false << false << false << TC << F2 << 15 << gold       << formTitleText << B4;
    QTest::newRow("colour, inactive, maximised")  << true  << false << false << true  << TD << F4 << 0  << none       << formTitleText << B4;
    QTest::newRow("base text, active, normal")    << true  << true  << true  << false << TC << FC << 15 << gold       << baseTitleText << B5;
    QTest::newRow("base text, active, maximised") << true  << true  << true  << true  << TC << F3 << 0  << none       << baseTitleText << B5;
    QTest::newRow("base text, inactive, normal")  << true  << true  << false << false << TC << F2 << 15 << gold       << baseTitleText << B5;
    QTest::newRow("base text, inactive, maximised") << true << true << false << true  << TD << F4 << 0  << none       << baseTitleText << B5;
    // clang-format on
}

void TestFramelessWindow::styleTable()
{
    QFETCH(bool, customColor);
    QFETCH(bool, baseText);
    QFETCH(bool, active);
    QFETCH(bool, maximised);

    FramelessWindow window;
    if (customColor) {
        window.setTitleBarColor(QStringLiteral("252,205,63"), baseText);
    }
    if (maximised) {
        window.on_maximizeButton_clicked();
        QVERIFY(window.windowState().testFlag(Qt::WindowMaximized));
    }
    window.on_applicationStateChanged(active ? Qt::ApplicationActive : Qt::ApplicationInactive);

    QTEST(part(window, "windowTitlebar")->styleSheet(), "titlebar");
    QTEST(part(window, "windowFrame")->styleSheet(), "frame");
    QTEST(window.layout()->contentsMargins().left(), "margin");
    QCOMPARE(window.layout()->contentsMargins().bottom(), window.layout()->contentsMargins().top());
    QTEST(shadowColor(window), "shadow");
    QTEST(part(window, "titleText")->styleSheet(), "titleText");
    QTEST(part(window, "closeButton")->styleSheet(), "closeButton");
}

void TestFramelessWindow::shadowEffectShape()
{
    FramelessWindow window;
    window.on_applicationStateChanged(Qt::ApplicationInactive);
    auto *effect =
        qobject_cast<QGraphicsDropShadowEffect *>(part(window, "windowFrame")->graphicsEffect());
    QVERIFY(effect);
    QCOMPARE(effect->blurRadius(), 9.0);
    QCOMPARE(effect->offset(), QPointF(0, 0));
    // Restyling replaces the effect; the old one is deleted by the frame.
    QPointer<QGraphicsEffect> old = effect;
    window.on_applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(old.isNull());
}

void TestFramelessWindow::setTitleBarColorParsing_data()
{
    QTest::addColumn<QString>("rgb");
    QTest::addColumn<QString>("component");
    QTest::newRow("the start-up colour") << "252,205,63"
                                         << "rgb(252,205,63)";
    QTest::newRow("not a number gives 0") << "12,x,7"
                                          << "rgb(12,0,7)";
    QTest::newRow("no clamping") << "300,-1,7"
                                 << "rgb(300,-1,7)";
    QTest::newRow("surrounding blanks are allowed") << " 1, 2 ,3"
                                                    << "rgb(1,2,3)";
    QTest::newRow("a decimal point is not") << "1.5,2,3"
                                            << "rgb(0,2,3)";
    QTest::newRow("too few parts read as 0") << "40,50"
                                             << "rgb(40,50,0)";
    QTest::newRow("empty text") << ""
                                << "rgb(0,0,0)";
}

void TestFramelessWindow::setTitleBarColorParsing()
{
    QFETCH(QString, rgb);
    QFETCH(QString, component);
    FramelessWindow window;
    window.setTitleBarColor(rgb, false);
    // Nothing changes until the next restyle.
    QCOMPARE(part(window, "windowTitlebar")->styleSheet(), T1);
    window.on_applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(part(window, "windowTitlebar")
                ->styleSheet()
                .contains(QStringLiteral("background-color:") + component + QLatin1Char(';')));
    QCOMPARE(part(window, "titleText")->styleSheet(), formTitleText);
}

void TestFramelessWindow::setContentSizeGrip_data()
{
    QTest::addColumn<bool>("keepSizeGrip");
    QTest::newRow("grip removed") << false;
    QTest::newRow("grip kept") << true;
}

void TestFramelessWindow::setContentSizeGrip()
{
    QFETCH(bool, keepSizeGrip);
    FramelessWindow window;
    QMainWindow content;
    content.statusBar()->setObjectName(QStringLiteral("statusBar"));
    QVERIFY(content.statusBar()->isSizeGripEnabled());

    window.setContent(&content, keepSizeGrip);
    QCOMPARE(content.parentWidget(), part(window, "windowContent"));
    QCOMPARE(content.statusBar()->isSizeGripEnabled(), keepSizeGrip);
    QVERIFY(part(window, "minimizeButton")->isHidden());
    QVERIFY(part(window, "maximizeButton")->isHidden());
    QVERIFY(part(window, "restoreButton")->isHidden());
    QVERIFY(!part(window, "closeButton")->isHidden());
    content.setParent(nullptr);
}

void TestFramelessWindow::setContentWithoutStatusBar()
{
    FramelessWindow window;
    QMainWindow content;
    QStatusBar *other = content.statusBar();
    other->setObjectName(QStringLiteral("otherBar"));
    window.setContent(&content, false);
    QWidget *area = part(window, "windowContent");
    QCOMPARE(area->layout()->count(), 1);
    QCOMPARE(area->layout()->itemAt(0)->widget(), &content);
    QCOMPARE(area->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
    // Only a status bar named "statusBar" loses its grip.
    QVERIFY(other->isSizeGripEnabled());
    content.setParent(nullptr);
}

void TestFramelessWindow::parentMakesDialogWindow()
{
    QWidget host;
    FramelessWindow child(&host);
    QVERIFY(child.isWindow());
    QCOMPARE(child.windowType(), Qt::Dialog);
    QVERIFY(!child.isModal());
    QCOMPARE(child.parentWidget(), &host);
    FramelessWindow topLevel;
    QVERIFY(topLevel.isWindow());
    QCOMPARE(topLevel.windowType(), Qt::Window);
}

void TestFramelessWindow::setWindowTitleShowsIconAndText()
{
    FramelessWindow window;
    window.setWindowTitle(QStringLiteral("Zerun Installer"));
    auto *title = window.findChild<QLabel *>(QStringLiteral("titleText"));
    auto *icon = window.findChild<QLabel *>(QStringLiteral("icon"));
    QCOMPARE(title->text(), QStringLiteral("Zerun Installer"));
    QCOMPARE(icon->styleSheet(), QStringLiteral("margin-left:5px;"));
    // The application icon ships in data/art beside the executable.
    QCOMPARE(icon->pixmap(Qt::ReturnByValue).size(), QSize(16, 16));
    // The platform title stays as the form left it.
    QVERIFY(window.QWidget::windowTitle().isEmpty());
}

void TestFramelessWindow::stateChangesSwapButtons()
{
    FramelessWindow window;
    window.setWindowState(Qt::WindowMaximized);
    QVERIFY(!part(window, "restoreButton")->isHidden());
    QVERIFY(part(window, "maximizeButton")->isHidden());
    QCOMPARE(window.layout()->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(part(window, "windowFrame")->styleSheet(), F3);
    QVERIFY(!shadowColor(window).isValid());

    window.setWindowState(Qt::WindowNoState);
    QVERIFY(part(window, "restoreButton")->isHidden());
    QVERIFY(!part(window, "maximizeButton")->isHidden());
    QCOMPARE(window.layout()->contentsMargins(), QMargins(15, 15, 15, 15));
    QCOMPARE(part(window, "windowFrame")->styleSheet(), F1);
}

void TestFramelessWindow::minimisedIgnoresApplicationState()
{
    FramelessWindow window;
    window.on_applicationStateChanged(Qt::ApplicationInactive);
    window.on_minimizeButton_clicked();
    QVERIFY(window.windowState().testFlag(Qt::WindowMinimized));
    window.on_applicationStateChanged(Qt::ApplicationActive);
    QCOMPARE(part(window, "windowFrame")->styleSheet(), F2);
}

void TestFramelessWindow::doubleClickTogglesMaximise()
{
    FramelessWindow window;
    QWidget *titlebar = part(window, "windowTitlebar");
    QTest::mouseDClick(titlebar, Qt::LeftButton, {}, QPoint(10, 5));
    QVERIFY(window.windowState().testFlag(Qt::WindowMaximized));
    QVERIFY(!part(window, "restoreButton")->isHidden());
    QTest::mouseDClick(titlebar, Qt::LeftButton, {}, QPoint(10, 5));
    QCOMPARE(window.windowState(), Qt::WindowNoState);
    QVERIFY(!part(window, "maximizeButton")->isHidden());
}

void TestFramelessWindow::closeButtonCloses()
{
    FramelessWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.findChild<QToolButton *>(QStringLiteral("closeButton")),
                      Qt::LeftButton);
    QVERIFY(!window.isVisible());

    // A panel: opaque and without the shadow's band in any state, and Esc closes it.
    FramelessWindow panel;
    panel.makePanel();
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.on_applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(!panel.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(part(panel, "windowFrame")->geometry().topLeft(), QPoint(0, 0));
    QVERIFY(!part(panel, "windowFrame")->graphicsEffect());
    QTest::keyClick(&panel, Qt::Key_Escape);
    QVERIFY(!panel.isVisible());
}

void TestFramelessWindow::unshownFrameDrawsCurrentSheets()
{
    // A frame that has never been on screen draws with the sheets it has now, not with the
    // form's first ones: the title bar in the base colour, not the highlight.
    FramelessWindow window;
    QImage image = window.grab().toImage();
    QWidget *titlebar = part(window, "windowTitlebar");
    const QPoint inTitlebar =
        titlebar->mapTo(&window, QPoint(titlebar->width() * 3 / 4, titlebar->height() / 2));
    QCOMPARE(image.pixelColor(inTitlebar).rgb(), QColor(42, 42, 42).rgb());
    QCOMPARE(image.pixelColor(15, 240).rgb(), QColor(Qt::red).rgb());

    window.setTitleBarColor(QStringLiteral("252,205,63"), true);
    window.on_applicationStateChanged(Qt::ApplicationActive);
    image = window.grab().toImage();
    QCOMPARE(image.pixelColor(inTitlebar).rgb(), QColor(252, 205, 63).rgb());
    QCOMPARE(image.pixelColor(15, 240).rgb(), QColor(252, 205, 63).rgb());
    QCOMPARE(image.pixelColor(320, 300).rgb(), QColor(53, 53, 53).rgb());
}

QTEST_MAIN(TestFramelessWindow)
#include "tst_framelesswindow.moc"
