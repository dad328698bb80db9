#pragma once

#include <QLoggingCategory>
#include <QObject>
#include <QString>

namespace TsLogging {

// The framework's four named channels.
class Channel : public QObject
{
    Q_OBJECT

public:
    static const QLoggingCategory &ts();
    static const QLoggingCategory &alert();
    static const QLoggingCategory &str();
    static const QLoggingCategory &edits();

    static QString tsName();
    static QString alertName();
    static QString strName();
    static QString editsName();
};

// Static write operations; each tests the level first and does nothing when it is disabled.
class Log : public QObject
{
    Q_OBJECT

public:
    static void tsDebug(const QString &message);
    static void alertDebug(const QString &message);
    static void channelDebug(const QString &channel, const QString &message);
    static void info(const QString &channel, const QString &message);
    static void debug(const QString &channel, const QString &message);
    static void warning(const QString &channel, const QString &message);
    static void critical(const QString &channel, const QString &message);
};

} // namespace TsLogging
