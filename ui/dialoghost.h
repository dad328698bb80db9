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
    static void centre(QWidget *widget, const QWidget *host);

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
};
