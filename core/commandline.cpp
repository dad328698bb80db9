#include "commandline.h"

#include "tslogging.h"

#include <QCoreApplication>

namespace CommandLine {

namespace {

QString valueOf(const QString &argument)
{
    if (!argument.contains(QLatin1Char('=')))
        return QString();
    return argument.split(QLatin1Char('='), Qt::KeepEmptyParts).at(1);
}

} // namespace

QStringList arguments()
{
    return QCoreApplication::arguments();
}

int argumentCount()
{
    return arguments().size();
}

QString valueAt(int index)
{
    const QStringList all = arguments();
    if (index < 0 || index >= all.size())
        return QString();
    return valueOf(all.at(index));
}

QString value(const QString &name)
{
    const QStringList all = arguments();
    for (const QString &argument : all) {
        if (argument.contains(name))
            return valueOf(argument);
    }
    return QString();
}

void logArguments()
{
    using namespace TsLogging;
    Log::channelDebug(Channel::alertName(), QStringLiteral("CMD Line Arguments..."));
    Log::channelDebug(Channel::alertName(), arguments().join(QLatin1Char('\n')));
}

} // namespace CommandLine
