// The panels that open over the installer's frame (the messages, the update offer, any frame
// given the main frame as its parent): real widgets on the frame as start-up shows it, with the
// focus in the frame when they open.
#include "dialoghost.h"
#include "framelesswindow.h"
#include "shownpixels.h"
#include "tsmessage.h"
#include "updatedialog.h"
#include "zerundarkstyle.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

// The frame's newest panel.
FramelessWindow *newestPanel(const FramelessWindow &frame)
{
    const auto panels =
        frame.findChildren<FramelessWindow *>(QString(), Qt::FindDirectChildrenOnly);
    return panels.isEmpty() ? nullptr : panels.last();
}

// Opens the panel named `kind` over `frame`, as the installer does.
FramelessWindow *openPanel(const QString &kind, FramelessWindow &frame)
{
    if (kind == QLatin1String("message")) {
        TsMessage::information(QStringLiteral("The package was installed."));
        return newestPanel(frame);
    }
    if (kind == QLatin1String("update offer"))
        return showUpdateDialog(QStringLiteral("v1.0.12"), QStringLiteral("Fixes"), {}, {});
    auto *panel = new FramelessWindow(&frame);
    panel->setWindowTitle(QStringLiteral("Panel"));
    panel->setFixedSize(640, 360);
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    layout->addWidget(new QPushButton(QStringLiteral("Take the focus")));
    panel->setContent(content, false);
    DialogHost::centreOver(panel, &frame);
    panel->show();
    return panel;
}

QPushButton *buttonOf(const FramelessWindow &panel, const QString &text)
{
    for (QPushButton *button : panel.findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TestFramePanels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void titleBarKeptWhenFocusMovesIn_data();
    void titleBarKeptWhenFocusMovesIn();
};

void TestFramePanels::initTestCase()
{
    QApplication::setStyle(new ZerunDarkStyle);
}

void TestFramePanels::titleBarKeptWhenFocusMovesIn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("button"); // a button of the panel that takes the focus
    QTest::newRow("message") << "message"
                             << "Close";
    QTest::newRow("update offer") << "update offer"
                                  << "Cancel";
    QTest::newRow("frame with the main frame as parent") << "frame"
                                                         << "Take the focus";
}

// Each panel is a window of its own above the frame, centred on it at its own size, not modal;
// and when the focus moves from the frame's close button to a button of the panel, the panel's
// title bar is still shown as it was drawn.
void TestFramePanels::titleBarKeptWhenFocusMovesIn()
{
    QFETCH(QString, kind);
    QFETCH(QString, button);

    FramelessWindow frame;
    frame.setTitleBarColor(DialogHost::titleBarColor(), true);
    QWidget mainWindow;
    frame.setContent(&mainWindow, false);
    frame.resize(900, 480);
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    auto *closeButton = frame.findChild<QWidget *>(QStringLiteral("closeButton"));
    closeButton->setFocus(Qt::OtherFocusReason);
    QVERIFY(closeButton->hasFocus());

    FramelessWindow *panel = openPanel(kind, frame);
    QVERIFY(panel);
    QCOMPARE(panel->parentWidget(), &frame);
    QVERIFY(panel->isWindow());
    QVERIFY(!panel->isModal());
    QCOMPARE(panel->size(), QSize(640, 360));
    QCOMPARE(panel->geometry().center(), DialogHost::insideOf(&frame).center());
    QVERIFY(QTest::qWaitForWindowExposed(panel->window()));

    // The title bar's icon and text. The window buttons' rounded corner is drawn again as the
    // focus leaves the panel's close button, its edge blended anew with the frame's shadow.
    auto *titleText = panel->findChild<QWidget *>(QStringLiteral("titleText"));
    auto *icon = panel->findChild<QWidget *>(QStringLiteral("icon"));
    QCoreApplication::processEvents();
    const QImage drawnText = shownPixels(*titleText);
    const QImage drawnIcon = shownPixels(*icon);
    QVERIFY(!drawnText.isNull());

    QPushButton *target = buttonOf(*panel, button);
    QVERIFY(target);
    QApplication::setActiveWindow(target->window());
    target->setFocus(Qt::MouseFocusReason);
    QTRY_VERIFY(target->hasFocus());
    QCoreApplication::processEvents();
    QTRY_COMPARE(shownPixels(*titleText), drawnText);
    QCOMPARE(shownPixels(*icon), drawnIcon);
}

QTEST_MAIN(TestFramePanels)
#include "tst_framepanels.moc"
