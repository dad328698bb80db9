#include "windowdragger.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

// Sends a mouse event whose global position is `global`, as the platform would.
void send(QWidget *target, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
          Qt::MouseButtons buttons)
{
    const QPointF local = target->mapFromGlobal(global);
    QMouseEvent event(type, local, local, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

struct Chrome
{
    QWidget window;
    QWidget *frame = new QWidget(&window);
    WindowDragger *titlebar = new WindowDragger(frame);

    Chrome() { window.move(100, 100); }
};

} // namespace

class TestWindowDragger : public QObject
{
    Q_OBJECT

private slots:
    void dragKeepsCursorOffset_data();
    void dragKeepsCursorOffset();
    void releaseEndsDrag();
    void movesWithoutGrandparentAreIgnored();
    void doubleClickEmitsOnceAndDoesNotDrag();
    void paintsStyleSheetBackground();
};

void TestWindowDragger::dragKeepsCursorOffset_data()
{
    QTest::addColumn<int>("buttonValue");
    // A shown window has a platform window, which is asked to move it first; this platform
    // declines, so the title bar moves it itself.
    QTest::addColumn<bool>("shown");
    QTest::newRow("left") << int(Qt::LeftButton) << false;
    QTest::newRow("right") << int(Qt::RightButton) << false;
    QTest::newRow("middle") << int(Qt::MiddleButton) << false;
    QTest::newRow("left, shown, no system move") << int(Qt::LeftButton) << true;
}

void TestWindowDragger::dragKeepsCursorOffset()
{
    QFETCH(int, buttonValue);
    QFETCH(bool, shown);
    const auto button = static_cast<Qt::MouseButton>(buttonValue);
    Chrome chrome;
    if (shown) {
        chrome.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chrome.window));
        QVERIFY(chrome.window.windowHandle());
        chrome.window.move(100, 100);
    }
    const QPoint start = chrome.window.pos();
    const QPoint press(start + QPoint(37, 12));
    send(chrome.titlebar, QEvent::MouseButtonPress, press, button, button);

    // Every step of the drag keeps the window where it was relative to the cursor.
    const QList<QPoint> path = {press + QPoint(40, 30), press + QPoint(-25, 90),
                                press + QPoint(-140, -60), press + QPoint(3, 1)};
    for (const QPoint &cursor : path) {
        send(chrome.titlebar, QEvent::MouseMove, cursor, Qt::NoButton, button);
        QCOMPARE(chrome.window.pos(), start + (cursor - press));
    }
}

void TestWindowDragger::releaseEndsDrag()
{
    Chrome chrome;
    const QPoint press(130, 110);
    send(chrome.titlebar, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    send(chrome.titlebar, QEvent::MouseMove, press + QPoint(10, 10), Qt::NoButton, Qt::LeftButton);
    send(chrome.titlebar, QEvent::MouseButtonRelease, press + QPoint(10, 10), Qt::LeftButton,
         Qt::NoButton);
    const QPoint after = chrome.window.pos();
    QCOMPARE(after, QPoint(110, 110));
    send(chrome.titlebar, QEvent::MouseMove, press + QPoint(50, 50), Qt::NoButton, Qt::NoButton);
    QCOMPARE(chrome.window.pos(), after);
}

void TestWindowDragger::movesWithoutGrandparentAreIgnored()
{
    // Title bar on its own.
    WindowDragger alone;
    alone.move(20, 20);
    send(&alone, QEvent::MouseButtonPress, QPoint(25, 25), Qt::LeftButton, Qt::LeftButton);
    send(&alone, QEvent::MouseMove, QPoint(80, 80), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(alone.pos(), QPoint(20, 20));

    // Title bar with a parent but no grandparent: the parent stays put.
    QWidget parent;
    parent.move(50, 50);
    auto *titlebar = new WindowDragger(&parent);
    send(titlebar, QEvent::MouseButtonPress, QPoint(55, 55), Qt::LeftButton, Qt::LeftButton);
    send(titlebar, QEvent::MouseMove, QPoint(155, 155), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(parent.pos(), QPoint(50, 50));
    QCOMPARE(titlebar->pos(), QPoint(0, 0));
}

void TestWindowDragger::doubleClickEmitsOnceAndDoesNotDrag()
{
    Chrome chrome;
    QSignalSpy spy(chrome.titlebar, &WindowDragger::doubleClicked);
    const QPoint at(120, 105);
    send(chrome.titlebar, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    send(chrome.titlebar, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    send(chrome.titlebar, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    // The second press came as the double click, which starts no drag.
    send(chrome.titlebar, QEvent::MouseMove, at + QPoint(60, 40), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(chrome.window.pos(), QPoint(100, 100));
    send(chrome.titlebar, QEvent::MouseButtonRelease, at + QPoint(60, 40), Qt::LeftButton,
         Qt::NoButton);
    QCOMPARE(spy.count(), 1);
}

void TestWindowDragger::paintsStyleSheetBackground()
{
    WindowDragger titlebar;
    titlebar.setObjectName(QStringLiteral("windowTitlebar"));
    titlebar.setStyleSheet(QStringLiteral("#windowTitlebar{background-color:rgb(252,205,63);}"));
    titlebar.resize(60, 20);
    const QImage image = titlebar.grab().toImage();
    QCOMPARE(image.pixelColor(30, 10), QColor(252, 205, 63));
}

QTEST_MAIN(TestWindowDragger)
#include "tst_windowdragger.moc"
