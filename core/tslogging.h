#pragma once

#include <QDateTime>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

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

// Observer of log changes, for code that wants to hear of new records. Nothing emits logUpdated()
// yet: the handler writes records from any thread and tells no one.
class LogManager : public QObject
{
    Q_OBJECT

public:
    explicit LogManager(QObject *parent);

signals:
    void logUpdated();
};

// The two rule sets for QLoggingCategory::setFilterRules; the info set is the one installed.
class FilterRules : public QObject
{
    Q_OBJECT

public:
    static QStringList warningRuleList();
    static QStringList infoRuleList();
    static QString warningRules();
    static QString infoRules();
};

// Sets the message pattern, installs messageHandler and the info rules. Needs the application
// object when alert messages are to configure the shared error dialog.
void installMessageHandler();

// Process message handler: debug and warning records go to the daily log file.
void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message);

// Opens a new "Session Log" window with today's log, through the session log viewer.
void showSessionLog();

// The log's windows belong to the window layer, which hands them over at start-up; until then
// the log only writes its file. Set them on the GUI thread before other threads log.
//
// Shows the day's log text in a window of its own. showSessionLog calls it on the calling
// (GUI) thread.
using SessionLogViewer = std::function<void(const QString &logText)>;
void setSessionLogViewer(SessionLogViewer viewer);
// Prepares the alert dialog for a message on "alert.log" that reached the handler, with the title
// "Channel Log: alert.log |" and the level's suffix. Called on the application object's thread:
// directly when the message comes from that thread, else queued to it (never for a fatal
// message, which ends the process first). Not called before the application object exists.
using AlertPresenter = std::function<void(const QString &title)>;
void setAlertPresenter(AlertPresenter presenter);

// The clock that dates records and names the daily file. Tests set their own to cross midnight;
// nullptr restores the system clock. Not for use while other threads are logging.
using Clock = QDateTime (*)();
void setClock(Clock clock);
QDateTime now();

// Path of the daily log file for the day of the given moment (AppPaths::dailyLogFileFor).
QString dailyLogFileFor(const QDateTime &moment);

// Appends one record, dated by the clock, to the daily log file; returns the file's path, or an
// empty string when the record could not be written. The handler uses it for debug and warning
// messages; the crash report uses it for its summary. Safe from any thread: each record is one
// write of its own to the file, which stays open between records.
QString appendRecord(const QString &text);

// The daily file stays open from record to record. It is opened again for the first record of a
// new day, and when its path no longer names the open file (removed or replaced underneath), which
// is looked at no more often than once per this many milliseconds.
constexpr int dailyLogCheckInterval = 10;

// Lets go of the open daily file; the next record opens it again. For code that is about to
// remove or replace it.
void closeDailyLog();

} // namespace TsLogging
