#include "tslogging.h"

#include "apppaths.h"
#include "stringutility.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QThread>

#include <QFileInfo>
#include <QTextCodec>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

namespace TsLogging {

namespace {

std::atomic<Clock> clockOverride{nullptr};

constexpr int utf8Mib = 106;

QStringList joinable(std::initializer_list<const char *> lines)
{
    QStringList list;
    for (const char *line : lines)
        list << QString::fromLatin1(line);
    return list;
}

// The alert dialog's title, "Channel Log: alert.log | Debug", in the player's language; the
// records themselves stay as written.
QString alertTitle(const char *category, QtMsgType type)
{
    const char *kind = nullptr;
    switch (type) {
    case QtFatalMsg:
        kind = QT_TRANSLATE_NOOP("TsLogging", "Fatal");
        break;
    case QtWarningMsg:
        kind = QT_TRANSLATE_NOOP("TsLogging", "Warning");
        break;
    case QtDebugMsg:
        kind = QT_TRANSLATE_NOOP("TsLogging", "Debug");
        break;
    case QtInfoMsg:
        kind = QT_TRANSLATE_NOOP("TsLogging", "Information");
        break;
    case QtCriticalMsg:
        break;
    }
    const QString head = QCoreApplication::translate("TsLogging", "Channel Log: %1 |")
                             .arg(QString::fromLatin1(category));
    return kind ? head + QLatin1Char(' ') + QCoreApplication::translate("TsLogging", kind) : head;
}

// The window layer's hooks. The handler reads the alert presenter from any thread, so both are
// guarded; they are set once at start-up and read rarely (alert messages, the viewer).
std::mutex hooksMutex;
SessionLogViewer sessionLogViewer;
AlertPresenter alertPresenter;

// Sends `message` at `type` on the category named `channel` when that level is enabled there.
void sendOn(const QString &channel, QtMsgType type, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (!category.isEnabled(type))
        return;
    const QMessageLogger logger;
    switch (type) {
    case QtDebugMsg:
        logger.debug(category).noquote() << message;
        break;
    case QtInfoMsg:
        logger.info(category).noquote() << message;
        break;
    case QtWarningMsg:
        logger.warning(category).noquote() << message;
        break;
    case QtCriticalMsg:
    case QtFatalMsg:
        logger.critical(category).noquote() << message;
        break;
    }
}

AlertPresenter currentAlertPresenter()
{
    const std::lock_guard<std::mutex> guard(hooksMutex);
    return alertPresenter;
}

// The moment of a record in milliseconds since the epoch, from the clock in force.
qint64 moment()
{
    const Clock clock = clockOverride.load();
    return clock ? clock().toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch();
}

// The text part of a record in the local 8-bit encoding: the message converted to that encoding
// and read back as UTF-8, without double quotes. Where the local encoding is UTF-8 the round
// trip changes nothing, so it is skipped.
QByteArray recordText(const QString &message)
{
    QByteArray bytes = message.toLocal8Bit();
    const QTextCodec *local = QTextCodec::codecForLocale();
    if (!local || local->mibEnum() != utf8Mib)
        bytes = QString::fromUtf8(bytes).toLocal8Bit();
    if (bytes.contains('"')) {
        char *out = bytes.data();
        for (const char c : qAsConst(bytes)) {
            if (c != '"')
                *out++ = c;
        }
        bytes.truncate(int(out - bytes.constData()));
    }
    return bytes;
}

// The day's log file, kept open between records. Each record is one unbuffered write of the
// whole record, made under a lock, so records of different threads never mix and a crash
// loses nothing that was logged. The file is opened again when the records reach the next day
// and when its path no longer names the open file (the logs folder was emptied, or the file
// replaced); that last check costs a file-system look-up, so it is made at most once per
// dailyLogCheckInterval. The time stamp up to the seconds is formatted once per second.
class DailyLog
{
public:
    static DailyLog &instance()
    {
        // Never destroyed: messages can still arrive while static objects are being torn down.
        static DailyLog *const log = new DailyLog;
        return *log;
    }

    QString append(qint64 msecs, const QByteArray &text)
    {
        std::unique_lock<std::timed_mutex> guard(mutex, std::defer_lock);
        // A thread that crashed while holding the lock must not stop the crash report's record:
        // after a long wait the record is written through a file of its own.
        if (!guard.try_lock_for(std::chrono::seconds(2)))
            return appendThroughOwnFile(msecs, text);

        stamp(msecs);
        QByteArray record;
        record.reserve(stampedPrefix.size() + 6 + text.size() + 3);
        record.append(stampedPrefix);
        const int millisecond = int(msecs - stampedSecond * 1000);
        record.append(char('0' + millisecond / 100));
        record.append(char('0' + millisecond / 10 % 10));
        record.append(char('0' + millisecond % 10));
        record.append(" | ", 3);
        record.append(text);
        record.append(" \n\n", 3);

        if (!ensureFile())
            return QString();
        if (file.write(record) != record.size()) {
            // Whatever went wrong, the next record starts from a freshly opened file.
            file.close();
            return QString();
        }
        return file.fileName();
    }

    void close()
    {
        const std::lock_guard<std::timed_mutex> guard(mutex);
        file.close();
    }

private:
    // Brings the stamp up to the second of `msecs`: "dd-MM-yy@HH:mm:ss:" and the day.
    void stamp(qint64 msecs)
    {
        const qint64 second = msecs >= 0 ? msecs / 1000 : -((-msecs + 999) / 1000);
        if (second == stampedSecond && !stampedPrefix.isEmpty())
            return;
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(second * 1000);
        stampedPrefix = local.toString(QStringLiteral("dd-MM-yy@HH:mm:ss:")).toLocal8Bit();
        stampedDay = local.date();
        stampedSecond = second;
    }

    // Makes sure the open file is the one the current record belongs in.
    bool ensureFile()
    {
        const auto now = std::chrono::steady_clock::now();
        if (file.isOpen() && openDay == stampedDay && now < nextCheck)
            return true;
        nextCheck = now + std::chrono::milliseconds(dailyLogCheckInterval);
        const QString path = AppPaths::dailyLogFileFor(stampedDay);
        if (file.isOpen() && openDay == stampedDay && path == file.fileName() &&
            pathNamesOpenFile())
            return true;
        file.close();
        file.setFileName(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return false;
        openDay = stampedDay;
        rememberOpenFile();
        return true;
    }

#if defined(Q_OS_UNIX)
    void rememberOpenFile()
    {
        struct stat status;
        if (::fstat(file.handle(), &status) == 0) {
            openDevice = status.st_dev;
            openInode = status.st_ino;
        }
        encodedPath = QFile::encodeName(file.fileName());
    }

    bool pathNamesOpenFile() const
    {
        struct stat status;
        return ::stat(encodedPath.constData(), &status) == 0 && status.st_dev == openDevice &&
               status.st_ino == openInode;
    }
#else
    // Elsewhere a file that is open cannot be removed, so it is enough that the path is there.
    void rememberOpenFile()
    {}

    bool pathNamesOpenFile() const
    {
        return QFileInfo::exists(file.fileName());
    }
#endif

    QString appendThroughOwnFile(qint64 msecs, const QByteArray &text) const
    {
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(msecs);
        QFile own(dailyLogFileFor(local));
        if (!own.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            return QString();
        const QByteArray record =
            local.toString(QStringLiteral("dd-MM-yy@HH:mm:ss:zzz")).toLocal8Bit() + " | " + text +
            " \n\n";
        return own.write(record) == record.size() ? own.fileName() : QString();
    }

    std::timed_mutex mutex;
    QFile file;
    QDate openDay;
    QByteArray encodedPath;
    quint64 openDevice = 0;
    quint64 openInode = 0;
    std::chrono::steady_clock::time_point nextCheck;
    qint64 stampedSecond = 0;
    QByteArray stampedPrefix;
    QDate stampedDay;
};

} // namespace

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
        QMessageLogger().debug(Channel::ts()).noquote() << message.toUtf8();
}

void Log::alertDebug(const QString &message)
{
    if (Channel::alert().isDebugEnabled())
        QMessageLogger().debug(Channel::alert()).noquote() << message.toUtf8();
}

void Log::channelDebug(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isDebugEnabled())
        QMessageLogger().debug(category).noquote() << message.toUtf8();
}

void Log::info(const QString &channel, const QString &message)
{
    sendOn(channel, QtInfoMsg, message);
}

void Log::debug(const QString &channel, const QString &message)
{
    sendOn(channel, QtDebugMsg, message);
}

void Log::warning(const QString &channel, const QString &message)
{
    sendOn(channel, QtWarningMsg, message);
}

void Log::critical(const QString &channel, const QString &message)
{
    sendOn(channel, QtCriticalMsg, message);
}

LogManager::LogManager(QObject *parent) : QObject(parent)
{}

QStringList FilterRules::warningRuleList()
{
    return joinable({"*.debug=false", "*.warning=true", "*.critical=true", "*.info=false",
                     "alert.log.debug=true", "ts.log.debug=true", "edits.log.debug=true",
                     "str.log.debug=true"});
}

QStringList FilterRules::infoRuleList()
{
    return joinable({"*.debug=false", "*.warning=false", "*.critical=true", "*.info=true",
                     "alert.log.debug=true", "edits.log.debug=true", "str.log.debug=true"});
}

QString FilterRules::warningRules()
{
    return warningRuleList().join(QLatin1Char('\n'));
}

QString FilterRules::infoRules()
{
    return infoRuleList().join(QLatin1Char('\n'));
}

void installMessageHandler()
{
    qSetMessagePattern(QStringLiteral("%{file}(%{line}): %{message}"));
    qInstallMessageHandler(messageHandler);
    QLoggingCategory::setFilterRules(FilterRules::infoRules());
}

void setClock(Clock clock)
{
    clockOverride.store(clock);
}

QDateTime now()
{
    const Clock clock = clockOverride.load();
    return clock ? clock() : QDateTime::currentDateTime();
}

QString dailyLogFileFor(const QDateTime &moment)
{
    return AppPaths::dailyLogFileFor(moment.date());
}

QString appendRecord(const QString &text)
{
    return DailyLog::instance().append(moment(), text.toLocal8Bit());
}

void closeDailyLog()
{
    DailyLog::instance().close();
}

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtInfoMsg)
        return;

    const char *category = context.category ? context.category : "default";

    if (type == QtDebugMsg || type == QtWarningMsg)
        DailyLog::instance().append(moment(), recordText(message));

    if (qstrcmp(category, "alert.log") == 0) {
        const QString title = alertTitle(category, type);
        // The dialog is a widget: it can only be touched from the application's thread.
        // Messages from other threads hand the work over to that thread.
        QCoreApplication *application = QCoreApplication::instance();
        AlertPresenter present = currentAlertPresenter();
        if (application && present) {
            if (QThread::currentThread() == application->thread())
                present(title);
            else if (type != QtFatalMsg)
                QMetaObject::invokeMethod(
                    application, [present, title] { present(title); }, Qt::QueuedConnection);
        }
    }

    if (type == QtFatalMsg)
        std::abort();
}

void showSessionLog()
{
    SessionLogViewer viewer;
    {
        const std::lock_guard<std::mutex> guard(hooksMutex);
        viewer = sessionLogViewer;
    }
    if (viewer)
        viewer(StringUtility::readTextFile(dailyLogFileFor(now())));
}

void setSessionLogViewer(SessionLogViewer viewer)
{
    const std::lock_guard<std::mutex> guard(hooksMutex);
    sessionLogViewer = std::move(viewer);
}

void setAlertPresenter(AlertPresenter presenter)
{
    const std::lock_guard<std::mutex> guard(hooksMutex);
    alertPresenter = std::move(presenter);
}

} // namespace TsLogging
