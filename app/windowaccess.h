#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

class QMainWindow;
class QWidget;

// What the main window offers a player at the keyboard or with a screen reader: a name (and a
// description where it helps) for every control, Tab in the reading order of each page, and the
// keys a player expects:
// - Ctrl+F: the catalogue's search field; Down there goes on into the package list;
// - Enter: the focused button; in the package list, adds the selected packages; in the
//   download list, starts the download;
// - Delete: in the download list, takes the selected packages off; in the package list,
//   uninstalls the selected installed package (after the usual question);
// - Esc: on the transfer page, cancels the batch (after its question) or, once it is over,
//   goes back to the catalogue; a question's Esc cancels the question.
// The focus follows the pages: the package list on the catalogue page, Cancel while a batch
// runs, the outcome list when it ends. The window's form is reached by object names.
class WindowAccess : public QObject
{
    Q_OBJECT

public:
    struct Control
    {
        const char *objectName;
        QString name;
        QString description;
    };
    // Every control of the window by object name, with its accessible name and description,
    // page by page in reading order, which is also their Tab order.
    static QVector<Control> controls();

    // Applies all of the above to `window`, which owns the result.
    explicit WindowAccess(QMainWindow *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    template<typename T = QWidget>
    T *part(const char *name) const;
    void nameControls();
    void orderTabs();
    void addKeys();
    void followPages();
    void pageShown(int index);

    QMainWindow *window;
};
