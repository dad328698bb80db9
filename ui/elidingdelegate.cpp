#include "elidingdelegate.h"

#include <QApplication>
#include <QHelpEvent>
#include <QListView>
#include <QStyle>
#include <QToolTip>

namespace {

const QStyle *styleOf(const QStyleOptionViewItem &option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

} // namespace

ElidingDelegate *ElidingDelegate::install(QListView *view)
{
    auto *delegate = new ElidingDelegate(view);
    view->setItemDelegate(delegate);
    view->setTextElideMode(Qt::ElideMiddle);
    view->setResizeMode(QListView::Adjust);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return delegate;
}

QSize ElidingDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    // As tall as a line with an icon, whether this one has one now or not.
    QStyleOptionViewItem withIcon = option;
    initStyleOption(&withIcon, index);
    withIcon.features |= QStyleOptionViewItem::HasDecoration;
    const QStyle *style = styleOf(option);
    if (withIcon.decorationSize.isEmpty()) {
        const int side = style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, option.widget);
        withIcon.decorationSize = QSize(side, side);
    }
    const QSize iconLine =
        style->sizeFromContents(QStyle::CT_ItemViewItem, &withIcon, QSize(), option.widget);
    size.setHeight(qMax(size.height(), iconLine.height()));
    // The line takes the list's width, never more: what does not fit is elided.
    size.setWidth(1);
    return size;
}

QString ElidingDelegate::shownText(const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    return shownText(item);
}

QString ElidingDelegate::shownText(const QStyleOptionViewItem &item)
{
    const QStyle *style = styleOf(item);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
    // The style keeps a small margin on each side of the text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, item.widget) + 1;
    const int room = textRect.width() - 2 * margin;
    const QFontMetrics &metrics = item.fontMetrics;
    if (metrics.horizontalAdvance(item.text) <= room)
        return item.text;
    // A detail that does not fit whole is left to the tooltip: pieces of a folder and a date
    // would only puzzle. The name keeps its start.
    const int at = item.text.indexOf(QStringLiteral(" \u2014 "));
    if (at > 0)
        return metrics.elidedText(item.text.left(at).trimmed(), Qt::ElideRight, room);
    return metrics.elidedText(item.text, Qt::ElideMiddle, room);
}

void ElidingDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text = shownText(item);
    item.textElideMode = Qt::ElideNone;
    styleOf(item)->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);
}

bool ElidingDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                                const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid() ||
        shownText(option, index) == index.data(Qt::DisplayRole).toString())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // The whole line, then what the line's own tooltip says.
    QString tip = index.data(Qt::DisplayRole).toString();
    const QString own = index.data(Qt::ToolTipRole).toString();
    if (!own.isEmpty())
        tip += QLatin1Char('\n') + own;
    QToolTip::showText(event->globalPos(), tip, view, option.rect);
    return true;
}
