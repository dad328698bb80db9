#pragma once

#include <QObject>

class QWidget;

// Where the application's prompts, questions and panels appear, and how they look: centred on
// the main window, in the dark look of the application style.
class DialogHost : public QObject
{
    Q_OBJECT

public:
    // The window that dialogs belong to: the active window, or, when that is itself a dialog,
    // tool or pop-up, the window it belongs to; with no active window, the largest visible
    // window. Null when no window is shown.
    static QWidget *mainWindow();

    // Centres `widget` on `host`: a window on the host's frame, kept on the host's screen; a
    // child widget inside its parent. Without a host, a window is centred on the primary screen.
    // A window larger than the host's visible part is made smaller (as far as its minimum size
    // allows) and placed inside it; where the host shows the widget set by keepClear and there
    // is room below it, the window is placed there, leaving that widget in sight.
    static void centre(QWidget *widget, const QWidget *host);

    // Centres `widget` on `host` as centre() does, over the whole of the host: the widget set by
    // keepClear is not left in sight. For panels of their own size (a message, the update offer),
    // made smaller only where the host's visible part is smaller than they are.
    static void centreOver(QWidget *widget, const QWidget *host);

    // The part of `host`'s window that a dialog may cover, in global coordinates: the window
    // less the transparent band that a frame keeps around its panel (its layout's margins).
    static QRect insideOf(const QWidget *host);

    // A widget that dialogs keep in sight when they can (a progress bar); null for none.
    static void keepClear(QWidget *widget);

    // Centres the window `dialog` on `host` each time it is shown, once its size is known.
    static void centreWhenShown(QWidget *dialog, QWidget *host);

    // Gives `window` the dark palette, and the dark style sheet when the application carries no
    // sheet of its own, so it looks the same whether or not the application style is installed.
    static void applyDarkLook(QWidget *window);

    // The dark style sheet built into the executable, read once; empty when it cannot be read.
    static QString darkStyleSheet();

    // The title-bar colour of the installer's own windows (the frame, the update dialog), for
    // FramelessWindow::setTitleBarColor with the base-text flag: "252,205,63".
    static QString titleBarColor();

private:
    // centre() and centreOver(): with `leaveKeptClear`, below the widget set by keepClear where
    // there is room.
    static void place(QWidget *widget, const QWidget *host, bool leaveKeptClear);
};
