#include "archivefetch.h"

#include <QFile>

ArchiveFetch::ArchiveFetch(QObject *parent) : QObject(parent)
{
    connect(&downloads, &DownloadManager::bytesProgress, this, [this](qint64 done, qint64 total) {
        if (tooLarge.isEmpty() && (done > limit || total > limit)) {
            tooLarge = QStringLiteral("the host sends more than %1, the most this archive "
                                      "can have")
                           .arg(DownloadManager::sizeText(limit));
            // Not from inside the manager's own report: on the next turn.
            QMetaObject::invokeMethod(
                this, [this] { downloads.cancelCurrent(true); }, Qt::QueuedConnection);
        }
        if (tooLarge.isEmpty())
            emit progress(done, total);
    });
    connect(&downloads, &DownloadManager::transferFinished, this,
            [this](const DownloadOutcome &outcome) {
                if (outcome.kind == DownloadOutcome::Saved && tooLarge.isEmpty()) {
                    emit finished(outcome.savedPath);
                    return;
                }
                // Arrived whole before the cut-off came round: still too large to keep.
                if (outcome.kind == DownloadOutcome::Saved)
                    QFile::remove(outcome.savedPath);
                emit failed(tooLarge.isEmpty() ? outcome.reason : tooLarge);
            });
}

void ArchiveFetch::setMaximumSize(qint64 bytes)
{
    limit = bytes;
}

void ArchiveFetch::start(const QUrl &url)
{
    downloads.enqueue(url);
}

void ArchiveFetch::cancel()
{
    downloads.cancelCurrent(true);
}
