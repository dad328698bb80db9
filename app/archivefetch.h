#pragma once

#include "downloadmanager.h"

#include <QObject>
#include <QString>
#include <QUrl>

// Fetches one package archive into the downloads folder the way a batch does, through a
// DownloadManager of its own: to a file (never into memory), with its retries after passing
// failures and its resume of a kept partial file, and with progress. A host that sends more
// than the size limit is cut off: the archive cannot be the one expected.
//
// One fetch per object; every signal comes on the object's thread after start() returned.
// Exactly one of finished() and failed() ends it.
class ArchiveFetch : public QObject
{
    Q_OBJECT

public:
    // No archive of the catalogue is larger than this.
    static constexpr qint64 defaultMaximumSize = qint64(8) << 30;

    explicit ArchiveFetch(QObject *parent = nullptr);

    // Bytes the archive may have at most (defaultMaximumSize unless set).
    void setMaximumSize(qint64 bytes);
    DownloadManager &manager() { return downloads; }

    void start(const QUrl &url);
    // Gives up; failed() follows with the manager's cancelled reason.
    void cancel();

signals:
    void progress(qint64 bytesDone, qint64 bytesTotal);
    // The whole archive, saved under `path`; the caller removes it when done with it.
    void finished(const QString &path);
    // In English, for the log; the outcome's reason.
    void failed(const QString &reason);

private:
    DownloadManager downloads;
    qint64 limit = defaultMaximumSize;
    QString tooLarge;
};
