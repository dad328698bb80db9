#include "dialoghost.h"

#include "zerundarkstyle.h"
#include "zerunresources.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QTimer>
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
// its parent, by the toolkit) is skipped, since the dialog has then been moved. While the dialog
// is shown it follows the host's window: a window just shown learns where the window manager put
// it only later, and a dialog placed before that would sit at the screen's top left.
class CentreOnShow : public QObject
{
public:
    CentreOnShow(QWidget *dialog, QWidget *host) : QObject(dialog), host(host)
    {
        if (host)
            host->window()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Some dialogs settle their size only while they are shown (a message box fixes it to
        // its text), and the window system may confirm an earlier size late: each new size is
        // placed (and fitted) again.
        const QEvent::Type type = event->type();
        const bool hostMoved = host && watched == host->window() &&
                               (type == QEvent::Move || type == QEvent::Resize) && placed;
        const bool placeNow = type == QEvent::Show || (type == QEvent::Resize && placed);
        if ((hostMoved || (placeNow && watched == parent())) && !placing) {
            placing = true;
            DialogHost::centre(static_cast<QWidget *>(parent()), host.data());
            placing = false;
            placed = true;
        } else if (type == QEvent::Hide && watched == parent()) {
            placed = false;
        }
        return false;
    }

private:
    QPointer<QWidget> host;
    bool placing = false;
    bool placed = false;
};

QPointer<QWidget> &keptClear()
{
    static QPointer<QWidget> widget;
    return widget;
}

// `widget`'s rectangle without its layout's margins, in its own coordinates.
QRect contentsOf(const QWidget *widget)
{
    QRect contents = widget->rect();
    if (const QLayout *layout = widget->layout())
        contents = contents.marginsRemoved(layout->contentsMargins());
    return contents;
}

// Makes the window `widget` at most `room` large (frame included), as far as its minimum size
// allows; a text that must wrap to fit gets taller.
void fitInto(QWidget *widget, const QSize &room)
{
    const QSize frame = widget->frameGeometry().size() - widget->size();
    const QSize limit = room - frame;
    if (widget->width() <= limit.width() && widget->height() <= limit.height())
        return;
    const QList<QLabel *> labels = widget->findChildren<QLabel *>();
    const auto wrapTexts = [&labels] {
        for (QLabel *label : labels)
            label->setWordWrap(true);
    };
    if (widget->width() > limit.width()) {
        // Texts wrap in the narrower window.
        wrapTexts();
        if (widget->layout())
            widget->layout()->activate();
    }
    const bool fixed = widget->minimumSize() == widget->maximumSize();
    const QSize least =
        widget->minimumSizeHint().expandedTo(fixed ? QSize() : widget->minimumSize());
    int width = qMax(qMin(widget->width(), limit.width()), least.width());
    QLayout *layout = widget->layout();
    int height = widget->height();
    if (layout && layout->hasHeightForWidth()) {
        height = qMax(height, layout->totalHeightForWidth(width));
        // Too tall: a wider window needs fewer lines.
        if (height > limit.height() && width < limit.width()) {
            width = limit.width();
            wrapTexts();
            height = layout->totalHeightForWidth(width);
        }
    }
    height = qMax(qMin(height, limit.height()), least.height());
    if (fixed)
        widget->setFixedSize(width, height);
    else
        widget->resize(width, height);
}

} // namespace

QRect DialogHost::insideOf(const QWidget *host)
{
    const QWidget *window = host->window();
    return contentsOf(window).translated(window->mapToGlobal(QPoint(0, 0)));
}

void DialogHost::keepClear(QWidget *widget)
{
    keptClear() = widget;
}

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
    place(widget, host, true);
}

void DialogHost::centreOver(QWidget *widget, const QWidget *host)
{
    place(widget, host, false);
}

void DialogHost::place(QWidget *widget, const QWidget *host, bool leaveKeptClear)
{
    if (!widget->isWindow()) {
        // Inside its parent, made smaller where it is larger.
        const QRect room = contentsOf(widget->parentWidget());
        fitInto(widget, room.size());
        widget->move(qMax(room.left(), room.left() + room.width() / 2 - widget->width() / 2),
                     qMax(room.top(), room.top() + room.height() / 2 - widget->height() / 2));
        return;
    }
    const QRect inside = host ? insideOf(host) : QRect();
    QRect around = inside;
    const QScreen *screen = nullptr;
    if (host) {
        screen = host->window()->screen();
        // Below the widget kept in sight, when the host shows it and there is room.
        const QWidget *clear = leaveKeptClear ? keptClear().data() : nullptr;
        if (clear && clear->isVisible() && clear->window() == host->window()) {
            const int top = clear->mapToGlobal(QPoint(0, clear->height())).y() + 6;
            const QRect below(around.left(), top, around.width(), around.bottom() - top + 1);
            if (below.height() > 0) {
                fitInto(widget, below.size());
                if (below.height() >= widget->frameGeometry().height())
                    around = below;
            }
        }
        fitInto(widget, around.size());
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!host && screen)
        around = screen->availableGeometry();
    const QSize size = widget->frameGeometry().size();
    QRect placed(QPoint(around.x() + around.width() / 2 - size.width() / 2,
                        around.y() + around.height() / 2 - size.height() / 2),
                 size);
    if (host) {
        // Inside the host; a window that cannot be made small enough keeps its top left corner
        // inside.
        placed.moveRight(qMin(placed.right(), inside.right()));
        placed.moveBottom(qMin(placed.bottom(), inside.bottom()));
        placed.moveLeft(qMax(placed.left(), inside.left()));
        placed.moveTop(qMax(placed.top(), inside.top()));
    }
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
