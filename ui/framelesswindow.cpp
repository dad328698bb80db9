#include "framelesswindow.h"

#include "apppaths.h"
#include "zerunresources.h"

#include <QApplication>
#include <QByteArray>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QPixmap>
#include <QStatusBar>
#include <QStringList>
#include <QStyle>

#include <cstdlib>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#endif

namespace {

const QString frameActive = QStringLiteral(
    "#windowFrame{border:1px solid palette(bright-text); border-radius:5px 5px 5px 5px; "
    "background-color:palette(Window);}");
const QString frameInactive =
    QStringLiteral("#windowFrame{border:1px solid #000000; border-radius:5px 5px 5px 5px; "
                   "background-color:palette(Window);}");
const QString frameMaximized =
    QStringLiteral("#windowFrame{border:1px solid palette(dark); border-radius:0px 0px 0px 0px; "
                   "background-color:palette(Window);}");
const QString frameInactiveMaximized =
    QStringLiteral("#windowFrame{border:1px solid palette(shadow); border-radius:0px 0px 0px 0px; "
                   "background-color:palette(Window);}");

const QString titlebarNormal =
    QStringLiteral("#windowTitlebar{border: 0px none palette(shadow); border-top-left-radius:5px; "
                   "border-top-right-radius:5px; background-color:palette(base); height:20px;}");
// The selector of the two inactive-maximised sheets matches no widget of the form, so the
// title bar shows the frame behind it while they are set.
const QString titlebarInactiveMaximized =
    QStringLiteral("#titlebarWidget{border: 0px none palette(shadow); border-top-left-radius:0px; "
                   "border-top-right-radius:0px; background-color:palette(base); height:20px;}");

const QString closeButtonBaseText = QStringLiteral(
    "#closeButton{   background-color:none;   border:none;   width:16px;   height:16px;   "
    "padding:4px;   image:url(:/images/icon_window_close.png);   border-top-right-radius: 5px; "
    "color:palette(base);} #closeButton:hover{   background-color:palette(bright-text); "
    "color:palette(text); } ##closeButton:pressed{   background-color:palette(highlight); "
    "color:palette(text);}");

const QString titleTextBaseText = QStringLiteral("padding-left:5px; color:palette(base)");

constexpr qreal shadowBlurRadius = 9.0;

// Whether the desktop blends windows: without a compositor the transparent band that holds the
// shadow shows black. On X11 a compositor owns the selection _NET_WM_CM_S<screen>; the X
// library is asked through the platform plugin's own copy, so the program needs no X headers or
// library of its own. Every other platform composes (Wayland, Windows) or shows nothing
// (offscreen).
bool desktopComposites()
{
#ifdef Q_OS_LINUX
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    static const bool composites = [] {
        void *xcb = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
        if (!xcb)
            return true;
        // The library's own layouts of its cookies and of these two replies.
        struct Cookie
        {
            unsigned int sequence;
        };
        struct Reply
        {
            quint8 responseType, pad;
            quint16 sequence;
            quint32 length, value; // the atom, or the selection's owner
        };
        const auto connect =
            reinterpret_cast<void *(*)(const char *, int *)>(dlsym(xcb, "xcb_connect"));
        const auto disconnect = reinterpret_cast<void (*)(void *)>(dlsym(xcb, "xcb_disconnect"));
        const auto intern = reinterpret_cast<Cookie (*)(void *, quint8, quint16, const char *)>(
            dlsym(xcb, "xcb_intern_atom"));
        const auto internReply = reinterpret_cast<Reply *(*)(void *, Cookie, void **)>(
            dlsym(xcb, "xcb_intern_atom_reply"));
        const auto owner =
            reinterpret_cast<Cookie (*)(void *, quint32)>(dlsym(xcb, "xcb_get_selection_owner"));
        const auto ownerReply = reinterpret_cast<Reply *(*)(void *, Cookie, void **)>(
            dlsym(xcb, "xcb_get_selection_owner_reply"));
        bool owned = true;
        int screen = 0;
        void *connection = connect && disconnect && intern && internReply && owner && ownerReply
                               ? connect(nullptr, &screen)
                               : nullptr;
        if (connection) {
            const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
            Reply *atom = internReply(
                connection, intern(connection, 0, quint16(name.size()), name.constData()), nullptr);
            Reply *held =
                atom ? ownerReply(connection, owner(connection, atom->value), nullptr) : nullptr;
            owned = !held || held->value != 0;
            std::free(atom);
            std::free(held);
            disconnect(connection);
        }
        dlclose(xcb);
        return owned;
    }();
    return composites;
#else
    return true;
#endif
}

// Replaces a widget's sheet so that the new one shows. The sheet engine keeps the rules it read
// for a widget's earlier sheet, and a widget that is not on screen (a frame built but not shown
// yet, or hidden) would go on drawing with them; polishing it again drops them.
void restyle(QWidget *widget, const QString &sheet)
{
    widget->setStyleSheet(sheet);
    QStyle *style = widget->style();
    style->unpolish(widget);
    style->polish(widget);
}

} // namespace

FramelessWindow::FramelessWindow(QWidget *parent) : QWidget(parent)
{
    ensureZerunResources();
    // Always a window: given a parent, a dialog window above the parent's window, still its
    // child for lifetime. Laid inside another frame as a child widget, it would cover part of
    // that frame's panel, whose drop shadow repaints the whole panel whenever a widget of the
    // frame changes (a button losing the focus to one of this frame, say), over this frame's
    // title bar, which had nothing to repaint.
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   (parent ? Qt::Dialog : Qt::Widget));
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    setAttribute(Qt::WA_TranslucentBackground);

    ui.setupUi(this);
    restyle(ui.windowTitlebar, titlebarNormal);
    ui.restoreButton->hide();
    setShadow(palette().color(QPalette::BrightText));

    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &FramelessWindow::on_applicationStateChanged);
    if (!desktopComposites())
        dropShadow();
}

void FramelessWindow::setTitleBarColor(const QString &rgb, const bool &useBaseText)
{
    hasCustomColor = true;
    // A text with fewer than three parts gives 0 for the missing ones rather than reading past
    // the end of the list.
    const QStringList parts = rgb.split(QLatin1Char(','), Qt::KeepEmptyParts, Qt::CaseSensitive);
    const auto component = [&parts](int index) {
        return index < parts.size() ? parts.at(index).toInt(nullptr, 10) : 0;
    };
    customRed = component(0);
    customGreen = component(1);
    customBlue = component(2);
    if (useBaseText) {
        useBaseTextColor = true;
    }
}

void FramelessWindow::setContent(QWidget *content, const bool &keepSizeGrip)
{
    contentLayout.setContentsMargins(0, 0, 0, 0);
    if (content) {
        contentLayout.addWidget(content);
    }
    ui.windowContent->setLayout(&contentLayout);
    ui.minimizeButton->hide();
    ui.maximizeButton->hide();
    if (keepSizeGrip) {
        return;
    }
    if (auto *statusBar = findChild<QStatusBar *>(QStringLiteral("statusBar"))) {
        statusBar->setSizeGripEnabled(false);
    }
}

void FramelessWindow::makePanel()
{
    panel = true;
    dropShadow();
}

void FramelessWindow::dropShadow()
{
    shadowed = false;
    setAttribute(Qt::WA_TranslucentBackground, false);
    ui.verticalLayout->setContentsMargins(0, 0, 0, 0);
    ui.windowFrame->setGraphicsEffect(nullptr);
}

void FramelessWindow::keyPressEvent(QKeyEvent *event)
{
    // Esc that no widget of the panel took.
    if (panel && event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FramelessWindow::setWindowTitle(QString text)
{
    const QPixmap image(AppPaths::windowIconFile());
    ui.icon->setPixmap(image.isNull()
                           ? image
                           : image.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    restyle(ui.icon, QStringLiteral("margin-left:5px;"));
    ui.titleText->setText(text);
}

void FramelessWindow::on_applicationStateChanged(Qt::ApplicationState state)
{
    const bool active = state == Qt::ApplicationActive;
    if (windowState() == Qt::WindowNoState) {
        styleWindow(active, true);
    } else if (windowState().testFlag(Qt::WindowMaximized)) {
        styleWindow(active, false);
    }
}

void FramelessWindow::on_minimizeButton_clicked()
{
    setWindowState(Qt::WindowMinimized);
}

void FramelessWindow::on_restoreButton_clicked()
{
    ui.restoreButton->hide();
    ui.maximizeButton->show();
    setWindowState(Qt::WindowNoState);
    styleWindow(true, true);
}

void FramelessWindow::on_maximizeButton_clicked()
{
    ui.restoreButton->show();
    ui.maximizeButton->hide();
    setWindowState(Qt::WindowMaximized);
    styleWindow(true, false);
}

void FramelessWindow::on_closeButton_clicked()
{
    close();
}

void FramelessWindow::on_windowTitlebar_doubleClicked()
{
    // Without a platform title bar, a double click on ours toggles maximise and restore.
    if (windowState() == Qt::WindowNoState) {
        on_maximizeButton_clicked();
    } else if (windowState().testFlag(Qt::WindowMaximized)) {
        on_restoreButton_clicked();
    }
}

void FramelessWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange) {
        if (windowState() == Qt::WindowNoState) {
            on_restoreButton_clicked();
            event->ignore();
        } else if (windowState().testFlag(Qt::WindowMaximized)) {
            on_maximizeButton_clicked();
            event->ignore();
        }
    }
    event->accept();
}

QString FramelessWindow::customColorText() const
{
    return QStringLiteral("rgb(") + QString::number(customRed) + QLatin1Char(',') +
           QString::number(customGreen) + QLatin1Char(',') + QString::number(customBlue) +
           QStringLiteral(")");
}

void FramelessWindow::setShadow(const QColor &color)
{
    auto *shadow = new QGraphicsDropShadowEffect;
    shadow->setBlurRadius(shadowBlurRadius);
    shadow->setOffset(0, 0);
    shadow->setColor(color);
    // The frame takes ownership and deletes the effect it replaces.
    ui.windowFrame->setGraphicsEffect(shadow);
}

void FramelessWindow::styleWindow(bool active, bool normalState)
{
    if (useBaseTextColor) {
        restyle(ui.closeButton, closeButtonBaseText);
    }

    const int margin = normalState && shadowed ? 15 : 0;
    ui.verticalLayout->setContentsMargins(margin, margin, margin, margin);

    const bool inactiveMaximized = !active && !normalState;
    if (hasCustomColor) {
        const QString color = customColorText();
        if (inactiveMaximized) {
            restyle(ui.windowTitlebar,
                    QStringLiteral("#titlebarWidget{border: 0px none palette(shadow); "
                                   "border-top-left-radius:0px; border-top-right-radius:0px; "
                                   "background-color:") +
                        color + QStringLiteral("; height:20px;}"));
        } else {
            restyle(ui.windowTitlebar,
                    QStringLiteral("#windowTitlebar{border: 0px none palette(shadow); "
                                   "border-top-left-radius:5px; border-top-right-radius:5px; "
                                   "background-color:") +
                        color + QStringLiteral("; height:20px;}"));
        }
    } else {
        restyle(ui.windowTitlebar, inactiveMaximized ? titlebarInactiveMaximized : titlebarNormal);
    }

    if (active && normalState) {
        restyle(ui.windowFrame, hasCustomColor
                                    ? QStringLiteral("#windowFrame{border:1px solid ") +
                                          customColorText() +
                                          QStringLiteral("; border-radius:5px 5px 5px 5px; "
                                                         "background-color:palette(Window);}")
                                    : frameActive);
    } else if (active) {
        restyle(ui.windowFrame, frameMaximized);
    } else if (normalState) {
        restyle(ui.windowFrame, frameInactive);
    } else {
        restyle(ui.windowFrame, frameInactiveMaximized);
    }

    if (hasCustomColor && useBaseTextColor) {
        restyle(ui.titleText, titleTextBaseText);
    }

    ui.windowFrame->setGraphicsEffect(nullptr);
    if (normalState && shadowed) {
        if (hasCustomColor) {
            setShadow(QColor(customRed, customGreen, customBlue, 255));
        } else {
            setShadow(palette().color(active ? QPalette::BrightText : QPalette::Shadow));
        }
    }
}
