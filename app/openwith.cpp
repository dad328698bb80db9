#include "openwith.h"

#include "singleinstance.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

OpenWith::OpenWith(SingleInstance &instance, std::function<void(const QStringList &)> install,
                   QObject *parent)
    : QObject(parent), install(std::move(install)), waiting(filesIn(QCoreApplication::arguments()))
{
    connect(&instance, &SingleInstance::filesReceived, this, &OpenWith::offer);
}

QStringList OpenWith::filesIn(const QStringList &arguments)
{
    QStringList files;
    for (const QString &argument : arguments.mid(1)) {
        if (!argument.isEmpty() && !argument.startsWith(QLatin1Char('-')))
            files << QFileInfo(argument).absoluteFilePath();
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
    if (!ready || waiting.isEmpty())
        return;
    QStringList files;
    files.swap(waiting);
    QTimer::singleShot(0, this, [this, files] { install(files); });
}
