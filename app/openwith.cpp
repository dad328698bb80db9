#include "openwith.h"

#include "singleinstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

OpenWith::OpenWith(SingleInstance &instance, std::function<void(const QStringList &)> install,
                   QObject *parent)
    : QObject(parent)
    , install(std::move(install))
    , waiting(filesIn(QCoreApplication::arguments()) + instance.takeReceived())
{
    connect(&instance, &SingleInstance::filesReceived, this,
            [this, &instance] { offer(instance.takeReceived()); });
}

QStringList OpenWith::filesIn(const QStringList &arguments)
{
    QStringList files;
    for (const QString &argument : arguments.mid(1)) {
        const QFileInfo file(argument);
        if (!argument.isEmpty() && file.isFile())
            files << file.absoluteFilePath();
    }
    return files;
}

void OpenWith::offer(const QStringList &files)
{
    waiting += files;
    flush();
}

void OpenWith::setReady()
{
    ready = true;
    flush();
}

void OpenWith::flush()
{
    if (!ready || installing || waiting.isEmpty())
        return;
    installing = true;
    QTimer::singleShot(0, this, [this] {
        // An install asks its questions in an event loop of its own, where more may arrive.
        while (!waiting.isEmpty())
            install({waiting.takeFirst()});
        installing = false;
    });
}
