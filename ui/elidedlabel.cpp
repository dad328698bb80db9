#include "elidedlabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QToolTip>

#include <cmath>

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
    // The whole line, rounded up: eliding measures it to the fraction of a pixel.
    const qreal width = QFontMetricsF(font()).horizontalAdvance(oneLine());
    return {int(std::ceil(width)) + 2 * margin(), minimumSizeHint().height()};
}

QString NoticeLabel::oneLine() const
{
    // Lines of a notice follow each other on the one line.
    return text().split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(" \u00b7 "));
}

QString NoticeLabel::shownText() const
{
    return fontMetrics().elidedText(oneLine(), Qt::ElideRight,
                                    contentsRect().width() - 2 * margin());
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
