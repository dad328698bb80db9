#include "tslogging.h"

#include <QByteArray>
#include <QDebug>

namespace TsLogging {

const QLoggingCategory &Channel::ts()
{
    static const QLoggingCategory category("ts.log");
    return category;
}

const QLoggingCategory &Channel::alert()
{
    static const QLoggingCategory category("alert.log");
    return category;
}

const QLoggingCategory &Channel::str()
{
    static const QLoggingCategory category("str.log");
    return category;
}

const QLoggingCategory &Channel::edits()
{
    static const QLoggingCategory category("edits.log");
    return category;
}

QString Channel::tsName()
{
    return QStringLiteral("ts.log");
}

QString Channel::alertName()
{
    return QStringLiteral("alert.log");
}

QString Channel::strName()
{
    return QStringLiteral("str.log");
}

QString Channel::editsName()
{
    return QStringLiteral("edits.log");
}

void Log::tsDebug(const QString &message)
{
    if (Channel::ts().isDebugEnabled())
        QMessageLogger().debug(Channel::ts()) << message.toUtf8();
}

void Log::alertDebug(const QString &message)
{
    if (Channel::alert().isDebugEnabled())
        QMessageLogger().debug(Channel::alert()) << message.toUtf8();
}

void Log::channelDebug(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isDebugEnabled())
        QMessageLogger().debug(category) << message.toUtf8();
}

void Log::info(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isInfoEnabled())
        QMessageLogger().info(category) << message;
}

void Log::debug(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isDebugEnabled())
        QMessageLogger().debug(category) << message;
}

void Log::warning(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isWarningEnabled())
        QMessageLogger().warning(category) << message;
}

void Log::critical(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isCriticalEnabled())
        QMessageLogger().critical(category) << message;
}

} // namespace TsLogging
