#pragma once

#include <QObject>
#include <QString>

// Ready-made message panels: a fixed-size frameless panel with one text in a borderless scroll
// area and a single "Close" button, a window of its own centred on the main window (DialogHost)
// in the dark look. Not modal; each call opens a new panel and returns while it shows. The panel
// is a child of the main window and goes with it: "Close" only hides it. With no window shown it
// is centred on the screen and kept until the process ends.
class TsMessage : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    static void warning(const QString &text);
    static void information(const QString &text);
    static void message(const QString &title, const QString &text);
};
