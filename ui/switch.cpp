#include "switch.h"

#include "defaultpalette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>

namespace TsUI {

namespace {
constexpr int animationMilliseconds = 120;
constexpr qreal trackRadius = 8.0;
} // namespace

Switch::Switch(QWidget *parent) : Switch(DefaultPalette::current().highlight(), parent)
{}

Switch::Switch(const QBrush &brush, QWidget *parent)
    : QAbstractButton(parent)
    , thumbX(trackHeight / 2)
    , thumbY(trackHeight / 2)
    , thumb(DefaultPalette::current().base())
    , onBrush(brush)
    , animation(new QPropertyAnimation(this, "offset", this))
{
    setOffset(trackHeight / 2);
    thumbY = trackHeight / 2;
}

QSize Switch::sizeHint() const
{
    return QSize(2 * (trackHeight + trackMargin), trackHeight + 2 * trackMargin);
}

void Switch::setOffset(int offset)
{
    thumbX = offset;
    update();
}

void Switch::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    const QRect thumbRect(thumbX - trackHeight / 2, thumbY - trackHeight / 2, height(), height());
    if (isEnabled()) {
        painter.setBrush(on ? onBrush : QBrush(Qt::black));
        painter.setOpacity(on ? 0.5 : 0.38);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawRoundedRect(QRect(trackMargin, trackMargin, width() - 2 * trackMargin - 4,
                                      height() - 2 * trackMargin),
                                trackRadius, trackRadius);
        painter.setBrush(thumb);
        painter.setOpacity(1.0);
        painter.drawEllipse(thumbRect);
    } else {
        painter.setBrush(Qt::black);
        painter.setOpacity(0.12);
        painter.drawRoundedRect(
            QRect(trackMargin, trackMargin, width() - 2 * trackMargin, height() - 2 * trackMargin),
            trackRadius, trackRadius);
        painter.setOpacity(1.0);
        painter.setBrush(DefaultPalette::current().color(QPalette::Disabled, QPalette::Text));
        painter.drawEllipse(thumbRect);
    }
}

void Switch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() & Qt::LeftButton) {
        on = !on;
        thumb = on ? onBrush : DefaultPalette::current().base();
        if (on) {
            animation->setStartValue(trackHeight / 2);
            animation->setEndValue(width() - trackHeight);
        } else {
            animation->setStartValue(thumbX);
            animation->setEndValue(trackHeight / 2);
        }
        animation->setDuration(animationMilliseconds);
        animation->start();
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void Switch::enterEvent(QEvent *event)
{
    setCursor(Qt::PointingHandCursor);
    QAbstractButton::enterEvent(event);
}

} // namespace TsUI
