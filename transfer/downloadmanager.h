#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QObject>
#include <QQueue>
#include <QStringList>
#include <QUrl>

class QNetworkReply;

// Downloads a list of URLs into the downloads folder, strictly one at a time and in order, and
// reports every step as text through `result`. The texts are read by the main window by their
// prefixes: "Downloading ", "Progress: ", "File: ", "Succeeded", "Failed: " and the batch summary.
class DownloadManager : public QObject
{
    Q_OBJECT

public:
    // A transfer that receives no byte for this long ends as "Failed: ".
    static constexpr int defaultTransferTimeout = 30000;
    // At most this much of a body waits in memory; beyond it the network waits for the disk.
    static constexpr qint64 readBufferSize = 1024 * 1024;

    explicit DownloadManager(QObject *parent = nullptr);
    ~DownloadManager() override;

    void setUrlList(const QStringList &list);
    void setOverwrite(const bool &value);
    void startList();
    void enqueue(const QUrl &url);

    void setTransferTimeout(int milliseconds);
    int transferTimeout() const;

    // Where `url` would be saved now: the last component of its path in the downloads folder,
    // "download" when there is none, with ".N" appended when an existing file must be kept.
    QString targetPathFor(const QUrl &url) const;

    // The rate part of a progress report, e.g. "512.0 bytes/sec", "12.5 kB/s", "1.0 MB/s".
    static QString rateText(double bytesPerSecond);
    // Bytes per second over `elapsedMs`; an interval below one millisecond counts as one.
    static double transferRate(qint64 bytes, qint64 elapsedMs);
    static bool isRedirectStatus(int statusCode);

signals:
    void finished();
    void fileDownloaded();
    void result(QString message);
    void redirect(QString redirect);
    void progressRangeChanged(int min, int max);
    void progressValueChanged(int val);
    void speed(QString speed);
    void percent(QString percent);

private slots:
    void startNextDownload();
    void downloadProgress(qint64 bytesReceived, qint64 bytesTotal);
    void downloadFinished();
    void downloadReadyRead();

private:
    void announceRedirect();
    // Why the finished transfer cannot be trusted although the network reported no error, or an
    // empty string when its file is complete.
    QString incompleteReason() const;

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
    qint64 bytesWritten = 0;
    QString writeError;
};
