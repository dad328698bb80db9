#pragma once

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QWidget>

// What the window system holds of `widget`'s place in its window, read back from the window
// rather than drawn anew: a part that a repaint of another widget covered shows as covered. Null
// when the window has no screen.
inline QImage shownPixels(const QWidget &widget)
{
    QWidget *window = widget.window();
    const QRect area(widget.mapTo(window, QPoint(0, 0)), widget.size());
    QScreen *screen = window->screen();
    if (!screen)
        return QImage();
    return screen->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height())
        .toImage();
}
