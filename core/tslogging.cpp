#include "tslogging.h"

#include "apppaths.h"
#include "framelesswindow.h"
#include "stringutility.h"

#include <QApplication>
#include <QByteArray>
#include <QDebug>
#include <QErrorMessage>
#include <QFile>
#include <QIcon>
#include <QScreen>
#include <QTextBrowser>
#include <QThread>

#include <atomic>
#include <cstdlib>

namespace TsLogging {

namespace {

std::atomic<Clock> clockOverride{nullptr};

QStringList joinable(std::initializer_list<const char *> lines)
{
    QStringList list;
    for (const char *line : lines)
        list << QString::fromLatin1(line);
    return list;
}

QString typeSuffix(QtMsgType type)
{
    switch (type) {
    case QtFatalMsg:
        return QStringLiteral(" Fatal");
    case QtWarningMsg:
        return QStringLiteral(" Warning");
    case QtDebugMsg:
        return QStringLiteral(" Debug");
    case QtInfoMsg:
        return QStringLiteral(" Information");
    case QtCriticalMsg:
        break;
    }
    return QString();
}

// Prepares the toolkit's shared error dialog for the alert channel. Obtaining that dialog makes
// it install its own message handler; ours goes straight back in, or every later record would
// end up in the dialog instead of the daily file.
void configureAlertDialog(const QString &title)
{
    QErrorMessage *dialog = QErrorMessage::qtHandler();
    qInstallMessageHandler(messageHandler);
    dialog->setWindowIcon(QIcon(AppPaths::dataFolder() + QStringLiteral("/art/winico.png")));
    dialog->setStyleSheet(AppPaths::skinStyleSheet(QStringLiteral("errors")));
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint &
                           ~Qt::WindowCloseButtonHint);
    dialog->setWindowTitle(title);
}

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
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isInfoEnabled())
        QMessageLogger().info(category).noquote() << message;
}

void Log::debug(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isDebugEnabled())
        QMessageLogger().debug(category).noquote() << message;
}

void Log::warning(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isWarningEnabled())
        QMessageLogger().warning(category).noquote() << message;
}

void Log::critical(const QString &channel, const QString &message)
{
    const QByteArray name = channel.toLatin1();
    const QLoggingCategory category(name.constData());
    if (category.isCriticalEnabled())
        QMessageLogger().critical(category).noquote() << message;
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
    return AppPaths::logsFolder() + QLatin1Char('/') + moment.toString(QStringLiteral("ddMMyy")) +
           QStringLiteral(".txt");
}

QString appendRecord(const QString &text)
{
    // One moment for both the stamp and the file name, so a record never lands in the file of
    // the day before or after its own stamp.
    const QDateTime moment = now();
    const QString path = dailyLogFileFor(moment);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return QString();
    const QByteArray record =
        moment.toString(QStringLiteral("dd-MM-yy@HH:mm:ss:zzz")).toLocal8Bit() + " | " +
        text.toLocal8Bit() + " \n" + '\n';
    const bool written = file.write(record) == record.size();
    file.close();
    return written ? path : QString();
}

void messageHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtInfoMsg)
        return;

    const QString category = QString::fromLatin1(context.category ? context.category : "default");
    const QString label = category + QStringLiteral(" |");

    QString text = QString::fromUtf8(message.toLocal8Bit());
    text.remove(QLatin1Char('"'));

    if (type == QtDebugMsg || type == QtWarningMsg)
        appendRecord(text);

    if (category == Channel::alertName()) {
        const QString title = QStringLiteral("Channel Log: ") + label + typeSuffix(type);
        // The dialog is a widget: it can only be touched from the GUI thread of a widget
        // application. Messages from other threads hand the work over to that thread.
        if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
            if (QThread::currentThread() == qApp->thread())
                configureAlertDialog(title);
            else if (type != QtFatalMsg)
                QMetaObject::invokeMethod(
                    qApp, [title] { configureAlertDialog(title); }, Qt::QueuedConnection);
        }
    }

    if (type == QtFatalMsg)
        std::abort();
}

void showSessionLog()
{
    auto *window = new FramelessWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Session Log"));
    window->setFixedSize(640, 360);

    auto *browser = new QTextBrowser(window);
    browser->setText(StringUtility::readTextFile(dailyLogFileFor(now())));
    window->setContent(browser, false);

    // Centred on the active window, a little above its middle; without one, on the screen.
    QRect around;
    if (const QWidget *active = QApplication::activeWindow())
        around = QRect(active->pos(), active->size());
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        around = screen->availableGeometry();
    window->move(around.x() + around.width() / 2 - window->width() / 2,
                 around.y() + around.height() / 2 - window->height() / 2 - 60);
    window->show();
}

} // namespace TsLogging
