#include "dialoghost.h"

#include "zerundarkstyle.h"
#include "zerunresources.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace {

// A window of its own kind, not a dialog, tool window, pop-up or tool tip.
bool isMainKind(const QWidget *widget)
{
    if (!widget || !widget->isWindow() || qobject_cast<const QDialog *>(widget))
        return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Widget;
}

int area(const QWidget *widget)
{
    return widget->width() * widget->height();
}

// Centres its dialog on the host whenever the dialog is shown. The dialog's own placement (on
// its parent, by the toolkit) is skipped, since the dialog has then been moved.
class CentreOnShow : public QObject
{
public:
    CentreOnShow(QWidget *dialog, QWidget *host) : QObject(dialog), host(host) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent())
            DialogHost::centre(static_cast<QWidget *>(watched), host.data());
        return false;
    }

private:
    QPointer<QWidget> host;
};

} // namespace

QWidget *DialogHost::mainWindow()
{
    for (QWidget *window = QApplication::activeWindow(); window;
         window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
        if (isMainKind(window))
            return window;
    }
    QWidget *largest = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (isMainKind(window) && window->isVisible() && (!largest || area(window) > area(largest)))
            largest = window;
    }
    return largest;
}

void DialogHost::centre(QWidget *widget, const QWidget *host)
{
    if (!widget->isWindow()) {
        const QWidget *parent = widget->parentWidget();
        widget->move(parent->width() / 2 - widget->width() / 2,
                     parent->height() / 2 - widget->height() / 2);
        return;
    }
    QRect around;
    const QScreen *screen = nullptr;
    if (host) {
        around = host->window()->frameGeometry();
        screen = host->window()->screen();
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!host && screen)
        around = screen->availableGeometry();
    const QSize size = widget->frameGeometry().size();
    QRect placed(QPoint(around.x() + around.width() / 2 - size.width() / 2,
                        around.y() + around.height() / 2 - size.height() / 2),
                 size);
    if (screen) {
        // Never past the screen's edges, where it could not be reached.
        const QRect area = screen->availableGeometry();
        placed.moveRight(qMin(placed.right(), area.right()));
        placed.moveBottom(qMin(placed.bottom(), area.bottom()));
        placed.moveLeft(qMax(placed.left(), area.left()));
        placed.moveTop(qMax(placed.top(), area.top()));
    }
    widget->move(placed.topLeft());
}

void DialogHost::centreWhenShown(QWidget *dialog, QWidget *host)
{
    dialog->installEventFilter(new CentreOnShow(dialog, host));
}

void DialogHost::applyDarkLook(QWidget *window)
{
    QPalette palette = QApplication::palette();
    ZerunDarkStyle::applyDarkColours(palette);
    window->setPalette(palette);
    if (qApp->styleSheet().isEmpty())
        window->setStyleSheet(darkStyleSheet());
}

QString DialogHost::darkStyleSheet()
{
    static const QString sheet = [] {
        ensureZerunResources();
        QFile file(QStringLiteral(":/ZerunDarkStyle/ZerunDarkStyle.qss"));
        return file.open(QIODevice::ReadOnly | QIODevice::Text)
                   ? QString::fromLatin1(file.readAll())
                   : QString();
    }();
    return sheet;
}

QString DialogHost::titleBarColor()
{
    return QStringLiteral("252,205,63");
}
