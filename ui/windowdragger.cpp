#include "windowdragger.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

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
        window->move(wndPos + (event->globalPos() - mousePos));
    }
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
