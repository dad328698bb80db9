#include "windowdragger.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QWindow>

WindowDragger::WindowDragger(QWidget *parent) : QWidget(parent)
{}

QWidget *WindowDragger::draggedWindow() const
{
    // The title bar sits in the frame panel, which sits in the window itself.
    QWidget *frame = parentWidget();
    return frame ? frame->parentWidget() : nullptr;
}

void WindowDragger::mousePressEvent(QMouseEvent *event)
{
    mousePressed = true;
    systemMoveTried = false;
    mousePos = event->globalPos();
    if (QWidget *window = draggedWindow()) {
        wndPos = window->pos();
    }
}

void WindowDragger::mouseMoveEvent(QMouseEvent *event)
{
    QWidget *window = draggedWindow();
    if (!window) {
        return;
    }
    if (mousePressed) {
        if (startSystemMove(window, event)) {
            // The window system moves it from here on and keeps the release to itself.
            mousePressed = false;
            return;
        }
        window->move(wndPos + (event->globalPos() - mousePos));
    }
}

bool WindowDragger::startSystemMove(QWidget *window, QMouseEvent *event)
{
    if (systemMoveTried || !(event->buttons() & Qt::LeftButton) ||
        (event->globalPos() - mousePos).manhattanLength() < QApplication::startDragDistance())
        return false;
    systemMoveTried = true;
    QWindow *handle = window->windowHandle();
    if (!handle || !handle->startSystemMove())
        return false;
    // The window goes back to where the press found it; the system's move starts from there.
    window->move(wndPos);
    return true;
}

void WindowDragger::mouseReleaseEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    mousePressed = false;
}

void WindowDragger::mouseDoubleClickEvent(QMouseEvent *event)
{
    Q_UNUSED(event)
    emit doubleClicked();
}

void WindowDragger::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStyleOption option(1);
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
