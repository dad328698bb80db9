#pragma once

#include "widgetlookup.h"

#include <QItemSelectionModel>
#include <QListView>

// The window's catalogue list, a view over rows made as they are shown, read and driven the way
// tests read an item list: rows by their shown text, the selection, the current row. `->`
// reaches these helpers; `view` is the list itself.
class RepoList
{
public:
    class Row
    {
    public:
        Row(QListView *view, const QModelIndex &index) : view(view), index(index) {}
        const Row *operator->() const { return this; }
        QString text() const { return index.data().toString(); }
        QString toolTip() const { return index.data(Qt::ToolTipRole).toString(); }
        QVariant data(int role) const { return index.data(role); }
        bool isSelected() const { return view->selectionModel()->isSelected(index); }

        QListView *view;
        QModelIndex index;
    };

    explicit RepoList(QListView *view) : view(view) {}
    const RepoList *operator->() const { return this; }

    int count() const { return view->model()->rowCount(); }
    Row item(int row) const { return {view, view->model()->index(row, 0)}; }
    QList<Row> findItems(const QString &text, Qt::MatchFlags flags) const
    {
        QList<Row> found;
        for (const QModelIndex &index :
             view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, text, -1, flags))
            found << Row(view, index);
        return found;
    }
    QList<Row> selectedItems() const
    {
        QList<Row> selected;
        for (const QModelIndex &index : view->selectionModel()->selectedIndexes())
            selected << Row(view, index);
        return selected;
    }
    // As an item list makes a row current: it joins the selection in place of the last current.
    void setCurrentItem(const Row &row) const
    {
        view->selectionModel()->setCurrentIndex(row.index, QItemSelectionModel::SelectCurrent);
    }
    void setCurrentRow(int row) const { setCurrentItem(item(row)); }
    void selectAll() const { view->selectAll(); }
    void clearSelection() const { view->clearSelection(); }
    void setFocus() const { view->setFocus(); }
    QAbstractItemModel *model() const { return view->model(); }

    QListView *view;
};

inline RepoList repoList(const QObject &window)
{
    return RepoList(child<QListView>(window, "repo_list"));
}
