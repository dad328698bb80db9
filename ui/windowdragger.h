#pragma once

#include <QPoint>
#include <QWidget>

class QMouseEvent;
class QPaintEvent;

// Title bar of a frameless window: dragging it moves the window (its grandparent), a double
// click is reported, and it paints through the style so that style sheets on it take effect.
//
// A left-button drag hands the move to the window system once the cursor has gone the drag
// distance (QWindow::startSystemMove), which is the only way a window moves where clients may
// not place themselves (Wayland) and lets the window manager snap it elsewhere. Where the
// platform declines, and for the other buttons, the title bar moves the window itself.
//
// doubleClicked() is emitted on the GUI thread from inside the mouse event, once per double
// click of any button. A press of any button starts a drag, which ends with a release; the
// double click's second press starts none. Without a grandparent a drag moves nothing.
class WindowDragger : public QWidget
{
    Q_OBJECT

public:
    explicit WindowDragger(QWidget *parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

    bool mousePressed = false;
    QPoint mousePos;
    QPoint wndPos;
    // The window system was asked to take this drag over (whatever it answered).
    bool systemMoveTried = false;

private:
    QWidget *draggedWindow() const;
    // True when the window system took the drag over.
    bool startSystemMove(QWidget *window, QMouseEvent *event);
};
