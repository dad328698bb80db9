#pragma once

#include <QDateTime>
#include <QFile>
#include <QObject>
#include <QString>
#include <QWidget>

class QNetworkAccessManager;

// What runs once a minidump is on disk: the dump file (not opened) and the registered context.
using CrashCallback = bool (*)(QFile *dumpFile, void *context);

// Makes a crash handler writing minidumps into dumpFolder the process's one, replacing any
// earlier one. The framework's report builder, writeCrashReport, is never run inside the crashed
// process: the handler starts the report helper (zerun-crash-report, beside the executable) and
// waits a bounded time for it. Any other callback runs inside the crashed process: on Linux in
// the signal handler of the crashed thread, on Windows on the library's handler thread while the
// crashed thread waits; the heap, locks and the toolkit may be broken there.
void installCrashHandler(const QString &dumpFolder, CrashCallback callback, void *context);

// Removes the process's crash handler (the toolkit's default crash behaviour returns).
void removeCrashHandler();

// Builds the encrypted crash report <dump id>.zip in the logs folder from the day's log (with the
// crash summary appended to it first), a screenshot when a window can be captured, summary.dat
// and the dump. Returns whether the archive was written. Ignores context.
bool writeCrashReport(QFile *dumpFile, void *context);

// The native window whose screenshot the next report takes; 0 (the default) takes the active
// window of this process. The report helper sets the crashed process's active window here.
void setCrashReportWindow(WId window);

// Path of the report helper for the running executable: its folder + the helper's name.
QString crashReportHelperPath();

// Holds the time of application start and uploads the newest crash report.
//
// The upload reports nothing: no signal, no log line, and whether the host took the report is
// never known here. The archive stays in the logs folder either way. Each request, with its body
// and the open archive, belongs to its reply, which deletes itself once finished; the object
// owns the network access, so destroying it cuts off an upload still in flight.
class TsBreakpad : public QObject
{
    Q_OBJECT

public:
    explicit TsBreakpad(QObject *parent = nullptr);
    ~TsBreakpad() override;

    QDateTime startTime;

public slots:
    // Posts the newest *.zip of the logs folder to the crash-report endpoint; returns at once.
    // Sends nothing when there is none or it cannot be opened; every call sends it again.
    void uploadCrash();

private:
    QNetworkAccessManager *accessManager = nullptr;
};
