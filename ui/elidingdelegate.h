#pragma once

#include <QStyledItemDelegate>

class QListView;

// Draws each line of a list in the width of the list, its middle elided when it does not fit,
// and shows the whole line as the tooltip of a line that was shortened. A line of the form
// "name \u2014 detail" whose detail does not fit whole shows its name alone (its end elided when
// even that is too long), never pieces of the detail. Every line is as tall as one with an icon, so
// lines that gain or lose a mark keep their height and never overlap.
class ElidingDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Sets a new delegate on `view` (which owns it) and lets the lines follow its width.
    static ElidingDelegate *install(QListView *view);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // The text drawn for `index` in `option`'s rectangle: its whole line, or the line shortened.
    QString shownText(const QStyleOptionViewItem &option, const QModelIndex &index) const;

private:
    // The same, for options already prepared for the line.
    static QString shownText(const QStyleOptionViewItem &item);
};
