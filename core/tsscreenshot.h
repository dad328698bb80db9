#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

// Screenshots saved as PNG files named by the current local time (one-second resolution).
class TsScreenshot : public QObject
{
    Q_OBJECT

public:
    explicit TsScreenshot(QObject *parent = nullptr);

    // "/" + the local date-time in ISO form without ":" + ".png".
    static QString fileName();

    static void grabWidget(QWidget *widget);
    static void grabDesktop();
    // Screen area of the active application window, saved into the screenshots folder; returns
    // the path tried, or an empty string when no application window is active.
    static QString grabActiveWindow();
    static QString grabActiveWindowTo(const QString &folder);
    // Screen area of a native window, possibly of another process; returns the path written, or
    // an empty string when nothing could be captured or saved.
    static QString grabNativeWindowTo(WId window, const QString &folder);
};
