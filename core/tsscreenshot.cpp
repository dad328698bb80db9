#include "tsscreenshot.h"

#include "apppaths.h"

#include <QApplication>
#include <QDateTime>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

TsScreenshot::TsScreenshot(QObject *parent) : QObject(parent)
{}

QString TsScreenshot::fileName()
{
    QString name = QLatin1Char('/') + QDateTime::currentDateTime().toString(Qt::ISODate);
    name.remove(QLatin1Char(':'));
    return name + QStringLiteral(".png");
}

void TsScreenshot::grabWidget(QWidget *widget)
{
    if (!widget)
        return;
    widget->grab(QRect(QPoint(0, 0), QSize(-1, -1)))
        .save(AppPaths::screenshotsFolder() + fileName());
}

void TsScreenshot::grabDesktop()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    screen->grabWindow(0, 0, 0, -1, -1).save(AppPaths::screenshotsFolder() + fileName());
}

QString TsScreenshot::grabActiveWindow()
{
    return grabActiveWindowTo(AppPaths::screenshotsFolder());
}

QString TsScreenshot::grabActiveWindowTo(const QString &folder)
{
    QWidget *active = QApplication::activeWindow();
    if (!active)
        return QString();
    const QString path = folder + fileName();
    QScreen *screen = active->screen();
    if (screen)
        screen->grabWindow(active->winId(), 0, 0, -1, -1).save(path);
    return path;
}

QString TsScreenshot::grabNativeWindowTo(WId window, const QString &folder)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!window || !screen)
        return QString();
    const QPixmap pixmap = screen->grabWindow(window, 0, 0, -1, -1);
    const QString path = folder + fileName();
    if (pixmap.isNull() || !pixmap.save(path))
        return QString();
    return path;
}
