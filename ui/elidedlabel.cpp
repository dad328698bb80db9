#include "elidedlabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QToolTip>

ElidedLabel::ElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString &text)
{
    whole = text;
    setToolTip(text);
    elide();
}

QSize ElidedLabel::minimumSizeHint() const
{
    // Any width will do: the text gives way.
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide()
{
    const int room = contentsRect().width() - 2 * margin() - 2 * indent();
    setText(room > 0 ? fontMetrics().elidedText(whole, Qt::ElideMiddle, room) : whole);
}

NoticeLabel::NoticeLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize NoticeLabel::minimumSizeHint() const
{
    return {0, fontMetrics().height() + 2 * margin()};
}

QSize NoticeLabel::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(text().section(QLatin1Char('\n'), 0, 0)),
            minimumSizeHint().height()};
}

QString NoticeLabel::shownText() const
{
    // Lines of a notice follow each other on the one line.
    const QString line =
        text().split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(" \u00b7 "));
    return fontMetrics().elidedText(line, Qt::ElideRight, contentsRect().width() - 2 * margin());
}

void NoticeLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room, int(alignment()) | Qt::TextSingleLine, palette(),
                          isEnabled(), shownText(), foregroundRole());
}

bool NoticeLabel::event(QEvent *event)
{
    // The whole notice when the line is cut short, else the label's own tooltip.
    if (event->type() == QEvent::ToolTip && shownText() != text()) {
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}
