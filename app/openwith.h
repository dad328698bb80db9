#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class SingleInstance;

// Package archives the installer is opened with: named on its command line (a file manager's
// Open With) or handed over by a second start. Each is offered as Install from File once the
// main window is ready, in the order they came, one at a time (what comes while one is being
// installed waits for its turn), from the event loop (never inside the call that brought them).
class OpenWith : public QObject
{
public:
    // Takes the archives of the program's arguments, and those `instance` receives from later
    // starts; `install` offers them.
    OpenWith(SingleInstance &instance, std::function<void(const QStringList &)> install,
             QObject *parent = nullptr);

    // The files among the program's arguments: those after the program's name that name an
    // existing file. Anything else (the framework's name=value settings) is no archive.
    static QStringList filesIn(const QStringList &arguments);

    // Offers `files` once the window is ready.
    void offer(const QStringList &files);
    // The window can ask now; what was offered before is offered.
    void setReady();

private:
    void flush();

    std::function<void(const QStringList &)> install;
    QStringList waiting;
    bool ready = false;
    bool installing = false;
};
