#include "tsbreakpad.h"

#include "apppaths.h"
#include "serviceendpoints.h"
#include "stringutility.h"
#include "tscompression.h"
#include "tslogging.h"
#include "tsscreenshot.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QWindow>

#include <atomic>
#include <memory>
#include <string>

#if defined(Q_OS_WIN)
#include "client/windows/handler/exception_handler.h"
#include <windows.h>
#elif defined(Q_OS_LINUX)
#include "client/linux/handler/exception_handler.h"
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#else
#error "No crash handler for this platform"
#endif

namespace {

// Longest wait for the report helper before the crashed process gives up on it; the
// environment variable ZERUN_CRASH_REPORT_TIMEOUT_MS, read at installation, may shorten it.
constexpr int defaultHelperTimeoutMs = 60000;

int helperTimeoutFromEnvironment()
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("ZERUN_CRASH_REPORT_TIMEOUT_MS", &ok);
    return ok && value > 0 && value < defaultHelperTimeoutMs ? value : defaultHelperTimeoutMs;
}

// The crashed process's active window, kept up to date by the GUI thread so that the crash hook
// only has to read a number.
std::atomic<quintptr> activeWindow{0};

WId reportWindow = 0;

void trackActiveWindow()
{
    auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!gui)
        return;
    QObject::connect(gui, &QGuiApplication::focusWindowChanged, gui, [](QWindow *window) {
        activeWindow.store(window ? static_cast<quintptr>(window->winId()) : 0);
    });
}
Q_COREAPP_STARTUP_FUNCTION(trackActiveWindow)

struct CallbackRecord
{
    CrashCallback callback = nullptr;
    void *context = nullptr;
};

// Writes value in decimal into buffer (at least 21 bytes); no library call, no heap.
void formatNumber(quint64 value, char *buffer)
{
    char digits[21];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    for (int i = 0; i < count; ++i)
        buffer[i] = digits[count - 1 - i];
    buffer[count] = '\0';
}

// A fixed-size text buffer filled without the heap or any library call that may lock.
struct RecordBuffer
{
    char text[1024];
    int length = 0;

    void add(const char *part)
    {
        while (*part && length < int(sizeof(text)) - 1)
            text[length++] = *part++;
        text[length] = '\0';
    }
    void addTwoDigits(int value)
    {
        const char digits[3] = {static_cast<char>('0' + value / 10 % 10),
                                static_cast<char>('0' + value % 10), '\0'};
        add(digits);
    }
};

// A local date and time split into the fields the daily log uses.
struct LocalTime
{
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The daily log's file name for the time, "ddMMyy.txt", as AppPaths::dailyLogFileFor names it.
// Spelled out again here because this runs inside the crashed process, where nothing may
// allocate or take a lock.
void addLogFileName(RecordBuffer &buffer, const LocalTime &time)
{
    buffer.addTwoDigits(time.day);
    buffer.addTwoDigits(time.month);
    buffer.addTwoDigits(time.year % 100);
    buffer.add(".txt");
}

// One daily-log record as the message handler writes it: "dd-MM-yy@HH:mm:ss:zzz | text \n\n".
void addLogRecord(RecordBuffer &buffer, const LocalTime &time, const char *const *parts)
{
    buffer.addTwoDigits(time.day);
    buffer.add("-");
    buffer.addTwoDigits(time.month);
    buffer.add("-");
    buffer.addTwoDigits(time.year % 100);
    buffer.add("@");
    buffer.addTwoDigits(time.hour);
    buffer.add(":");
    buffer.addTwoDigits(time.minute);
    buffer.add(":");
    buffer.addTwoDigits(time.second);
    buffer.add(":");
    buffer.addTwoDigits(time.millisecond / 10);
    const char last[2] = {static_cast<char>('0' + time.millisecond % 10), '\0'};
    buffer.add(last);
    buffer.add(" | ");
    for (; *parts; ++parts)
        buffer.add(*parts);
    buffer.add(" \n\n");
}

QString executablePath()
{
#if defined(Q_OS_WIN)
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    return QDir::fromNativeSeparators(QString::fromWCharArray(path, static_cast<int>(length)));
#else
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
#endif
}

} // namespace

// The process's one crash handler: the library's handler and what runs after a dump.
class CrashHandler
{
public:
    CrashHandler(const QString &dumpFolder, CrashCallback callback, void *context);

    std::unique_ptr<CallbackRecord> callbackRecord;

private:
#if defined(Q_OS_WIN)
    static bool dumpWritten(const wchar_t *dumpFolder, const wchar_t *dumpId, void *context,
                            EXCEPTION_POINTERS *exception, MDRawAssertionInfo *assertion,
                            bool succeeded);
    bool runReportHelper(const wchar_t *dumpFolder, const wchar_t *dumpId);
    std::wstring commandLineHead;
#else
    static bool dumpWritten(const google_breakpad::MinidumpDescriptor &descriptor, void *context,
                            bool succeeded);
    bool runReportHelper(const char *dumpPath);
#endif

    // A dump without its report still counts as handled; why the report is missing goes to the
    // day's log, written without the heap.
    void logReportFailure(const char *reason, quint64 code, const char *after = "");

    // Everything the crash hook hands to the helper, prepared while the process is sound.
    std::string helperPath;
    std::string organisation;
    std::string application;
    int helperTimeoutMs = defaultHelperTimeoutMs;
#if defined(Q_OS_WIN)
    std::wstring logsFolder;
#else
    std::string logsFolder;
    // Offset of local time from UTC at installation: the crash hook cannot read the time zone.
    qint64 utcOffsetSeconds = 0;
#endif

public:
    // Last, so that it goes first: no dump may call back into a half-destroyed handler.
    std::unique_ptr<google_breakpad::ExceptionHandler> exceptionHandler;
};

namespace {
std::unique_ptr<CrashHandler> currentHandler;
}

CrashHandler::CrashHandler(const QString &dumpFolder, CrashCallback callback, void *context)
    : callbackRecord(std::make_unique<CallbackRecord>())
    , helperPath(QFile::encodeName(crashReportHelperPath()).toStdString())
    , organisation(QCoreApplication::organizationName().toUtf8().toStdString())
    , application(QCoreApplication::applicationName().toUtf8().toStdString())
    , helperTimeoutMs(helperTimeoutFromEnvironment())
{
    callbackRecord->callback = callback;
    callbackRecord->context = context;
#if defined(Q_OS_WIN)
    logsFolder = QDir::toNativeSeparators(AppPaths::logsFolder() + QLatin1Char('/')).toStdWString();
    commandLineHead = L"\"" + QDir::toNativeSeparators(crashReportHelperPath()).toStdWString() +
                      L"\" --organisation \"" +
                      QString::fromStdString(organisation).toStdWString() + L"\" --application \"" +
                      QString::fromStdString(application).toStdWString() + L"\"";
    exceptionHandler = std::make_unique<google_breakpad::ExceptionHandler>(
        QDir::toNativeSeparators(dumpFolder).toStdWString(), nullptr, &CrashHandler::dumpWritten,
        this, google_breakpad::ExceptionHandler::HANDLER_EXCEPTION, MiniDumpNormal,
        static_cast<const wchar_t *>(nullptr), nullptr);
#else
    logsFolder = QFile::encodeName(AppPaths::logsFolder() + QLatin1Char('/')).toStdString();
    utcOffsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
    QDir().mkpath(dumpFolder);
    const google_breakpad::MinidumpDescriptor descriptor(
        QFile::encodeName(dumpFolder).toStdString());
    exceptionHandler = std::make_unique<google_breakpad::ExceptionHandler>(
        descriptor, nullptr, &CrashHandler::dumpWritten, this, true, -1);
#endif
}

#if defined(Q_OS_LINUX)

// Runs inside the crashed process, in the signal handler of the crashed thread: only calls that
// are safe there (no heap, no locks, no toolkit).
bool CrashHandler::dumpWritten(const google_breakpad::MinidumpDescriptor &descriptor, void *context,
                               bool succeeded)
{
    if (!succeeded)
        return false;
    auto *handler = static_cast<CrashHandler *>(context);
    const CallbackRecord &record = *handler->callbackRecord;
    if (record.callback == writeCrashReport) {
        // The dump is on disk: that is the crash handled, with or without its report.
        handler->runReportHelper(descriptor.path());
        return true;
    }
    // A caller's own callback, on its own risk in this broken process.
    QFile dumpFile(QFile::decodeName(descriptor.path()));
    return record.callback && record.callback(&dumpFile, record.context);
}

bool CrashHandler::runReportHelper(const char *dumpPath)
{
    char window[24];
    formatNumber(activeWindow.load(), window);
    const char *argv[] = {helperPath.c_str(),
                          "--organisation",
                          organisation.c_str(),
                          "--application",
                          application.c_str(),
                          "--window",
                          window,
                          "--dump",
                          dumpPath,
                          nullptr};

    // A raw fork: the library's fork would run at-fork handlers and take allocator locks that
    // the crashed thread may hold.
    const long pid = syscall(SYS_clone, SIGCHLD, 0, 0, 0, 0);
    if (pid < 0) {
        logReportFailure("the report helper could not be started", 0);
        return false;
    }
    if (pid == 0) {
        sigset_t none;
        sigemptyset(&none);
        syscall(SYS_rt_sigprocmask, SIG_SETMASK, &none, nullptr, _NSIG / 8);
        execve(argv[0], const_cast<char *const *>(argv), environ);
        syscall(SYS_exit_group, 127);
    }

    int status = 0;
    const timespec pause{0, 20 * 1000 * 1000};
    for (int waited = 0; waited < helperTimeoutMs; waited += 20) {
        const pid_t done = waitpid(static_cast<pid_t>(pid), &status, WNOHANG);
        if (done == pid) {
            if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
                return true;
            if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
                logReportFailure("the report helper could not be started", 0);
            else if (WIFEXITED(status))
                logReportFailure("the report helper failed with exit code ", WEXITSTATUS(status));
            else
                logReportFailure("the report helper ended on signal ", WTERMSIG(status));
            return false;
        }
        if (done < 0)
            return false; // reaped elsewhere: the outcome is unknown
        nanosleep(&pause, nullptr);
    }
    kill(static_cast<pid_t>(pid), SIGKILL);
    waitpid(static_cast<pid_t>(pid), &status, 0);
    logReportFailure("the report helper did not finish within ", quint64(helperTimeoutMs), " ms");
    return false;
}

void CrashHandler::logReportFailure(const char *reason, quint64 code, const char *after)
{
    // Civil date from days since 1970-01-01 (proleptic Gregorian), in plain arithmetic.
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const qint64 local = qint64(now.tv_sec) + utcOffsetSeconds;
    qint64 days = local / 86400;
    qint64 seconds = local % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    LocalTime time;
    time.hour = int(seconds / 3600);
    time.minute = int(seconds / 60 % 60);
    time.second = int(seconds % 60);
    time.millisecond = int(now.tv_nsec / 1000000);
    const qint64 shifted = days + 719468;
    const qint64 era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const qint64 dayOfEra = shifted - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthIndex = (5 * dayOfYear + 2) / 153;
    time.day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.year = int(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));

    RecordBuffer path;
    path.add(logsFolder.c_str());
    addLogFileName(path, time);

    char number[24] = "";
    if (code)
        formatNumber(code, number);
    const char *const parts[] = {"Crash report not written: ", reason, number, after, nullptr};
    RecordBuffer record;
    addLogRecord(record, time, parts);

    const int file = open(path.text, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (file < 0)
        return;
    for (int written = 0; written < record.length;) {
        const ssize_t count = write(file, record.text + written, size_t(record.length - written));
        if (count <= 0)
            break;
        written += int(count);
    }
    close(file);
}

#else

// Runs on the library's handler thread while the crashed thread waits.
bool CrashHandler::dumpWritten(const wchar_t *dumpFolder, const wchar_t *dumpId, void *context,
                               EXCEPTION_POINTERS *, MDRawAssertionInfo *, bool succeeded)
{
    if (!succeeded)
        return false;
    auto *handler = static_cast<CrashHandler *>(context);
    const CallbackRecord &record = *handler->callbackRecord;
    if (record.callback == writeCrashReport) {
        // The dump is on disk: that is the crash handled, with or without its report.
        handler->runReportHelper(dumpFolder, dumpId);
        return true;
    }
    QFile dumpFile(QDir(QString::fromWCharArray(dumpFolder))
                       .absoluteFilePath(QString::fromWCharArray(dumpId) + QStringLiteral(".dmp")));
    return record.callback && record.callback(&dumpFile, record.context);
}

bool CrashHandler::runReportHelper(const wchar_t *dumpFolder, const wchar_t *dumpId)
{
    // A fixed buffer: the heap of a crashed process is not to be trusted.
    static wchar_t commandLine[4 * MAX_PATH + 256];
    wchar_t window[24];
    _ui64tow_s(activeWindow.load(), window, 24, 10);
    if (wcscpy_s(commandLine, commandLineHead.c_str()) || wcscat_s(commandLine, L" --window ") ||
        wcscat_s(commandLine, window) || wcscat_s(commandLine, L" --dump \"") ||
        wcscat_s(commandLine, dumpFolder) || wcscat_s(commandLine, L"\\") ||
        wcscat_s(commandLine, dumpId) || wcscat_s(commandLine, L".dmp\"")) {
        logReportFailure("the report helper's command line is too long", 0);
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        logReportFailure("the report helper could not be started, error ", GetLastError());
        return false;
    }
    DWORD code = 1;
    const bool finished = WaitForSingleObject(process.hProcess, helperTimeoutMs) == WAIT_OBJECT_0;
    if (finished)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!finished)
        logReportFailure("the report helper did not finish within ", quint64(helperTimeoutMs),
                         " ms");
    else if (code != 0)
        logReportFailure("the report helper failed with exit code ", code);
    return finished && code == 0;
}

void CrashHandler::logReportFailure(const char *reason, quint64 code, const char *after)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    time.millisecond = now.wMilliseconds;

    static wchar_t path[2 * MAX_PATH];
    RecordBuffer name;
    addLogFileName(name, time);
    wchar_t wideName[16] = {};
    for (int i = 0; i < name.length && i < 15; ++i)
        wideName[i] = static_cast<wchar_t>(name.text[i]);
    if (wcscpy_s(path, logsFolder.c_str()) || wcscat_s(path, wideName))
        return;

    char number[24] = "";
    if (code)
        formatNumber(code, number);
    const char *const parts[] = {"Crash report not written: ", reason, number, after, nullptr};
    RecordBuffer record;
    addLogRecord(record, time, parts);

    const HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, record.text, DWORD(record.length), &written, nullptr);
    CloseHandle(file);
}

#endif

void installCrashHandler(const QString &dumpFolder, CrashCallback callback, void *context)
{
    // The old handler goes first: the library keeps one stack of handlers per process.
    currentHandler.reset();
    currentHandler = std::make_unique<CrashHandler>(dumpFolder, callback, context);
}

void removeCrashHandler()
{
    currentHandler.reset();
}

QString crashReportHelperPath()
{
    QString name = QStringLiteral("zerun-crash-report");
#if defined(Q_OS_WIN)
    name += QStringLiteral(".exe");
#endif
    return QFileInfo(executablePath()).absolutePath() + QLatin1Char('/') + name;
}

void setCrashReportWindow(WId window)
{
    reportWindow = window;
}

bool writeCrashReport(QFile *dumpFile, void *)
{
    const QString logs = AppPaths::logsFolder();
    const QString summary = QStringLiteral("Crash Dump attached. Crash occured at ") +
                            QDateTime::currentDateTimeUtc().toString(Qt::TextDate) +
                            QLatin1Char('.');
    const QString id = QFileInfo(*dumpFile).baseName();
    QDir().mkpath(logs);

    // The day's log may not exist yet (the installed rules write little): the summary goes into
    // it first, so the report always carries a log.
    const QString log = TsLogging::appendRecord(summary);

    const QString summaryFile = logs + QStringLiteral("/summary.dat");
    StringUtility::writeTextFile(summaryFile, summary);

    QString screenshot;
    if (reportWindow)
        screenshot = TsScreenshot::grabNativeWindowTo(reportWindow, logs);
    else if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        screenshot = TsScreenshot::grabActiveWindowTo(logs);

    QStringList files{log};
    if (!screenshot.isEmpty() && QFileInfo::exists(screenshot))
        files << screenshot;
    files << summaryFile << logs + QLatin1Char('/') + id + QStringLiteral(".dmp");
    return TsCompression::zipFiles(logs + QLatin1Char('/') + id + QStringLiteral(".zip"), files);
}

TsBreakpad::TsBreakpad(QObject *parent) : QObject(parent)
{}

TsBreakpad::~TsBreakpad() = default;

void TsBreakpad::uploadCrash()
{
    const QString logs = AppPaths::logsFolder();
    const QStringList archives =
        QDir(logs).entryList({QStringLiteral("*.zip")}, QDir::Files, QDir::Time);
    if (archives.isEmpty())
        return;
    const QString name = archives.first();
    const QString path = logs + QLatin1Char('/') + name;

    auto multiPart = std::make_unique<QHttpMultiPart>(QHttpMultiPart::FormDataType);
    QHttpPart pathPart;
    pathPart.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QStringLiteral("form-data; name=\"fileToUpload\""));
    pathPart.setBody(path.toLatin1());

    QHttpPart filePart;
    filePart.setHeader(QNetworkRequest::ContentTypeHeader,
                       QStringLiteral("application/octet-stream"));
    filePart.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QString(QStringLiteral("form-data; name=\"fileToUpload\"; filename=\"") +
                               name + QLatin1Char('"')));
    auto *file = new QFile(path, multiPart.get());
    if (!file->open(QIODevice::ReadOnly))
        return;
    filePart.setBodyDevice(file);

    multiPart->append(pathPart);
    multiPart->append(filePart);

    if (!accessManager)
        accessManager = new QNetworkAccessManager(this);
    QNetworkReply *reply =
        accessManager->post(QNetworkRequest(ServiceEndpoints::crashUploadUrl()), multiPart.get());
    multiPart.release()->setParent(reply);
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}
