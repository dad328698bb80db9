#pragma once

#include "ui_framelesswindow.h"

#include <QVBoxLayout>
#include <QWidget>

class QEvent;

// Window chrome of its own: a bordered, rounded panel with a drop shadow (where the desktop has a
// compositor to blend it; elsewhere the frame is opaque and without the shadow's band), a title
// bar with icon, title and window buttons, and one content widget. Its look follows the
// application's active state and the window's normal or maximised state. Always a window of its
// own: with a parent, a dialog window above the parent's window (not modal), deleted with the
// parent.
class FramelessWindow : public QWidget
{
    Q_OBJECT

public:
    explicit FramelessWindow(QWidget *parent = nullptr);

    // Records a title-bar and border colour as "red,green,blue"; it shows from the next restyle.
    void setTitleBarColor(const QString &rgb, const bool &useBaseText);
    // Puts `content` into the frame; without `keepSizeGrip` the content's status bar loses its
    // grip.
    void setContent(QWidget *content, const bool &keepSizeGrip);
    // Makes the frame a panel over another window, before it is first shown: opaque, with no
    // shadow band around it (which a desktop without a compositor draws black), and closed by
    // Esc.
    void makePanel();

public slots:
    void setWindowTitle(QString text);
    void on_applicationStateChanged(Qt::ApplicationState state);
    void on_minimizeButton_clicked();
    void on_restoreButton_clicked();
    void on_maximizeButton_clicked();
    void on_closeButton_clicked();
    void on_windowTitlebar_doubleClicked();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void styleWindow(bool active, bool normalState);
    void setShadow(const QColor &color);
    QString customColorText() const;

    Ui::FramelessWindow ui;
    bool hasCustomColor = false;
    // Opaque, without the shadow's band: on a desktop without a compositor, and for panels.
    void dropShadow();

    bool shadowed = true;
    bool panel = false;
    bool useBaseTextColor = false;
    int customRed = 0;
    int customGreen = 0;
    int customBlue = 0;
    QVBoxLayout contentLayout;
};
