#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMetaType>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QQueue>
#include <QSet>
#include <QSslError>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QVector>

#include "sha256.h"
#include "speedfloor.h"

// How one queued file ended, with what the host said about it.
struct DownloadOutcome
{
    enum Kind {
        Saved,   // the whole file is under its final name
        Failed,  // requested, and given up on after the last attempt
        Skipped, // never requested: its save file could not be opened
    };

    Kind kind = Failed;
    QUrl url;          // as queued; redirects do not change it
    QString reason;    // why it failed or was skipped; empty when saved
    QString savedPath; // the final file when saved
    // The host's validators of the file and its whole length (-1: not told).
    QByteArray entityTag;
    QByteArray lastModified;
    qint64 size = -1;
    int attempts = 0;         // requests for the file, redirect hops not counted
    qint64 bytesReceived = 0; // body bytes taken from the network over all attempts
    qint64 resumedFrom = 0;   // bytes of an earlier attempt kept by the last one
    // SHA-256 of the saved file (lower-case hex), computed while it was written; empty unless
    // saved.
    QByteArray sha256;
    // The last answer: its HTTP status (0: none came), the network's error and the content
    // type the host named.
    int httpStatus = 0;
    QNetworkReply::NetworkError networkError = QNetworkReply::NoError;
    QByteArray contentType;
    // Bytes of a failed file kept in its partial file for a later resume (0: none kept).
    qint64 keptBytes = 0;
    // What was wrong with the certificate of a secure host that was refused, and the host's
    // name (the last answer's: a redirect may lead to another host); empty otherwise.
    QList<QSslError> sslErrors;
    QString sslHost;
    // The last attempt was ended for sending less than the speed floor.
    bool tooSlow = false;
};
Q_DECLARE_METATYPE(DownloadOutcome)

// Downloads a list of URLs into the downloads folder, strictly one at a time and in order, and
// reports every step as text through `result`. The texts are read by the main window by their
// prefixes: "Downloading ", "Progress: ", "File: ", "Succeeded", "Failed: ", "Retrying in " and
// the batch summary. `transferFinished` tells the same outcome as data.
//
// A file is written as "<name>.part" and takes its final name only when its whole length has
// arrived. Redirects are followed (at most five, never from https to http). A transfer that
// fails for a passing reason (refused or broken connection, no data for the transfer timeout,
// less progress than the speed floor, 408, 429, 500, 502, 503, 504) is tried again after growing
// waits; a broken-off one asks for the rest with Range and If-Range when the host named its copy
// with a validator and told its whole length, and a later batch does the same with a partial file
// left behind. The rest is joined to the kept bytes only when the 206 answer proves it is the same
// file: the same strong ETag (without one, the same Last-Modified) and the same whole length
// (Content-Range's total) as the kept part's first answer. Any other part is dropped with the kept
// bytes, and the same attempt asks for the whole file from its first byte.
//
// Every signal comes on the manager's thread. startList() and enqueue() only queue: the first
// file starts on the next turn of the event loop, so connecting right after them is in time.
// Each queued URL, in order:
//   - requested: result("Downloading <url>\n"); while answers arrive, any number of
//     progressRangeChanged(0, p), progressValueChanged(p) and result("Progress: p% (rate)"), in
//     that order (p is 0 without an announced length); per redirect answer redirect("Request:
//     ... was redirected with code: N"), then redirect("Redirected to: ...") when it names one;
//     result("Retrying in ...") before every further attempt; at the end, when saved,
//     result("File: <path>") and fileDownloaded(), then transferFinished(outcome) and
//     result("Succeeded") or result("Failed: <reason>").
//   - not an http or https address: result("Downloading ..."), transferFinished(Failed),
//     result("Failed: ..."), without a request.
//   - its save file cannot be opened: transferFinished(Skipped), result("Problem opening save
//     file ..."), without a request.
// transferFinished() thus comes exactly once per queued URL. A batch runs from the first URL
// queued while idle until the queue is empty (URLs queued meanwhile join it) and ends with the
// summary result("<saved>/<queued>files downloaded successfully") and finished(), once; the
// counts start again for the next batch. An empty list starts nothing and reports nothing, not
// even finished(). speed() and percent() are never emitted.
//
// cancelCurrent() on a file in transfer reports from inside the call: that file's end, then the
// next file's start or the batch's end. The manager carries on after each signal it emits: delete
// it with deleteLater(), never from inside a slot of its signals. Destroyed midway, it reports
// nothing more, not even for the URLs still queued. The manager owns its network objects and
// replies. Saved files are the caller's; the "<name>.part" files and their notes are the manager's:
// kept when the host named its copy and its whole length and the file ended by a passing
// failure, by a cancel (while a request was in flight or while it waited for its next attempt)
// or by the manager's destruction; removed otherwise, and removed after partialFileDays by the
// next manager constructed.
class DownloadManager : public QObject
{
    Q_OBJECT

public:
    // A transfer that receives no byte for this long ends as "Failed: " (or is tried again).
    static constexpr int defaultTransferTimeout = 30000;
    // At most this much of a body waits in memory; beyond it the network waits for the disk.
    static constexpr qint64 readBufferSize = 1024 * 1024;
    static constexpr int maximumRedirects = 5;
    // A Retry-After longer than this is not waited for: the transfer fails at once.
    static constexpr int maximumRetryAfter = 60000;
    // Partial files untouched for this many days are removed when a manager starts.
    static constexpr int partialFileDays = 7;

    explicit DownloadManager(QObject *parent = nullptr);
    ~DownloadManager() override;

    void setUrlList(const QStringList &list);
    void setOverwrite(const bool &value);
    void startList();
    void enqueue(const QUrl &url);

    // Gives up on the file in transfer, also while it waits for another attempt: it ends as
    // "Failed: cancelled" (its partial bytes stay for a later resume when the host named its
    // copy). With `dropQueue` the files still queued are never requested; the batch summary and
    // finished() follow as usual. Does nothing when no file is in transfer.
    void cancelCurrent(bool dropQueue);
    static QString cancelledReason();

    void setTransferTimeout(int milliseconds);
    int transferTimeout() const;
    // A request that makes less progress than this is broken off as a passing failure (the
    // next attempt resumes it). Less than 1 KiB/s over 30 s unless set.
    void setSpeedFloor(const SpeedFloor &floor);
    // The waits before each further attempt, in milliseconds; their number is the number of
    // retries. 1 s, 2 s and 4 s unless set.
    void setRetryDelays(const QVector<int> &milliseconds);
    QVector<int> retryDelays() const;

    // Where `url` would be saved now: the last component of its path in the downloads folder,
    // "download" when there is none, with ".N" appended when an existing file must be kept.
    QString targetPathFor(const QUrl &url) const;
    // The file that collects the bytes of `target` until it is whole.
    static QString partialPathFor(const QString &target);
    // The "key=value" lines of a note file beside a kept file (the partial download's, the
    // catalogue copy's); empty when it cannot be read.
    static QHash<QByteArray, QByteArray> readNote(const QString &path);

    // The rate part of a progress report, e.g. "512.0 bytes/sec", "12.5 kB/s", "1.0 MB/s".
    static QString rateText(double bytesPerSecond);
    // Bytes per second over `elapsedMs`; an interval below one millisecond counts as one.
    static double transferRate(qint64 bytes, qint64 elapsedMs);
    // Whole seconds until `remaining` more bytes are in, at the rate `transferred` bytes took
    // over `elapsedMs`; -1 while nothing has come yet. Only the bytes of this one request count:
    // those kept on disk from an earlier attempt took no time of it.
    static qint64 secondsLeft(qint64 transferred, qint64 remaining, qint64 elapsedMs);
    static bool isRedirectStatus(int statusCode);
    // The redirect statuses that are followed (301, 302, 303, 307, 308).
    static bool isFollowedRedirect(int statusCode);
    // Statuses and network errors worth another attempt.
    static bool isPassingStatus(int statusCode);
    static bool isPassingError(QNetworkReply::NetworkError error);
    // A size for people: "512 bytes", "12.5 kB", "2.1 GB" (units of 1024).
    static QString sizeText(qint64 bytes);
    // "Not enough disk space: needs 2.1 GB, 1.4 GB free" when `folder`'s file system has less
    // than `needed` bytes free; an empty string when they fit or the free space is unknown.
    static QString spaceShortage(const QString &folder, qint64 needed);
    // The wait a Retry-After value asks for (seconds or an HTTP date), or -1 when it names none.
    static qint64 retryAfterMs(const QByteArray &value, const QDateTime &now);
    // Removes partial files (and their notes) in the downloads folder older than `days`.
    static void removeStalePartials(int days = partialFileDays);

signals:
    void finished();
    void fileDownloaded();
    void result(QString message);
    void redirect(QString redirect);
    void progressRangeChanged(int min, int max);
    void progressValueChanged(int val);
    void speed(QString speed);
    void percent(QString percent);
    // Once per queued URL, right before its outcome text.
    void transferFinished(const DownloadOutcome &outcome);
    // Right before each "Progress: " report: the file's bytes so far (kept bytes of a resume
    // included) and its whole length, -1 when the host did not announce it.
    void bytesProgress(qint64 done, qint64 total);
    // Beside it, when the length is known: the seconds until the file is in, from the rate of
    // this request's own bytes (kept bytes of a resume are not counted as received), or -1.
    void timeLeft(qint64 seconds);
    // A failed request is asked again after `waitMs`: this is attempt `attempt` of `attempts`.
    // Comes just before the "Retrying in ..." report.
    void retrying(qint64 waitMs, int attempt, int attempts);

private slots:
    void startNextDownload();
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void downloadFinished();
    void downloadReadyRead();

private:
    // The file being transferred, over all its attempts and redirect hops.
    struct Current
    {
        QUrl url;      // as queued
        QUrl location; // of the request in flight
        QString encoded;
        QString target;
        QString partial;
        QSet<QUrl> visited;
        int hops = 0;
        int attempts = 0;
        bool restartedAfterRefusal = false;
        qint64 offset = 0; // bytes already in the partial file when the request went out
        qint64 size = -1;
        QByteArray entityTag;
        QByteArray lastModified;
        qint64 received = 0;
        bool accepting = false; // the answer in flight is the file's body
    };

    // Opens the partial file and sends the first request; false when the URL was passed over
    // (already reported).
    bool beginFile(const QUrl &url);
    void sendRequest();
    // Sends the request again to the queued address, as a new attempt: earlier hops forgotten.
    void sendFromQueuedUrl();
    void headersArrived();
    // Ends the current file with `outcome`, reports it and moves on to the next.
    void endFile(DownloadOutcome::Kind kind, const QString &reason);
    void retryLater(const QString &reason, qint64 waitMs);
    bool followRedirect(QString &reason);
    void announceRedirect();
    // Why the finished answer cannot be trusted although the network reported no error, or an
    // empty string when its body is complete.
    QString incompleteReason() const;
    QString failureReason(int status) const;
    void discardPartial();
    void savePartialNote() const;
    bool readPartialNote(const QUrl &url);
    // The kept part can be finished by a range: a validator and the whole length are known.
    bool resumable() const;
    // Whether the 206 answer in flight, of `total` bytes in all, continues the kept part: the
    // same strong tag (without one, the same date) and the same whole length.
    bool sameFileAsKept(qint64 total) const;
    void dropReply();
    // Makes the running hash cover exactly the first `position` bytes of the partial file,
    // reading them once when it does not (a resumed or cut-back file).
    void hashUpTo(qint64 position);

    QNetworkAccessManager accessManager;
    QQueue<QUrl> pending;
    QStringList urlList;
    QNetworkReply *activeReply = nullptr;
    QFile outputFile;
    QElapsedTimer clock;
    bool overwrite = false;
    int succeeded = 0;
    int queued = 0;

    int timeout = defaultTransferTimeout;
    QVector<int> delays{1000, 2000, 4000};
    QTimer retryTimer;
    Current current;
    bool fileActive = false;
    bool cancelRequested = false;
    // A start of the next file is queued: enqueue() asks for one only once.
    bool startQueued = false;
    // The last attempt broke off for a passing reason and the next one waits for retryTimer.
    bool waitingToRetry = false;
    qint64 bytesWritten = 0;
    // The saved file's hash, carried along with the writes.
    Sha256 partialHash;
    qint64 hashedBytes = 0;
    QString writeError;
    QString abortReason;
    // The certificate problems of the running request, and its host.
    QList<QSslError> sslErrors;
    QString sslHost;
    // The answer in flight offered the rest of another file: ask again for the whole.
    bool restartWhole = false;
    SpeedWatch watch;
    // The request in flight was broken off for its pace.
    bool tooSlow = false;
};
