#include "downloadmanager.h"

#include "apppaths.h"

#include <QFileInfo>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>
#include <cmath>

DownloadManager::DownloadManager(QObject *parent) : QObject(parent), accessManager(this)
{}

DownloadManager::~DownloadManager()
{
    // Nothing is reported for a transfer cut short by the owner going away, and no half-written
    // file is left behind as if it were complete.
    if (activeReply) {
        disconnect(activeReply, nullptr, this, nullptr);
        activeReply->abort();
        delete activeReply;
        activeReply = nullptr;
        outputFile.close();
        outputFile.remove();
    }
}

void DownloadManager::setUrlList(const QStringList &list)
{
    urlList = list;
}

void DownloadManager::setOverwrite(const bool &value)
{
    overwrite = value;
}

void DownloadManager::startList()
{
    for (const QString &text : qAsConst(urlList))
        enqueue(QUrl::fromEncoded(text.toLocal8Bit()));
}

void DownloadManager::enqueue(const QUrl &url)
{
    // While a transfer runs, its end starts the next one; a second start beside it would share
    // the output file.
    if (pending.isEmpty() && !activeReply)
        QTimer::singleShot(0, this, &DownloadManager::startNextDownload);
    pending.enqueue(url);
    ++queued;
}

void DownloadManager::setTransferTimeout(int milliseconds)
{
    timeout = milliseconds;
}

int DownloadManager::transferTimeout() const
{
    return timeout;
}

QString DownloadManager::targetPathFor(const QUrl &url) const
{
    QString name = QFileInfo(url.path(QUrl::FullyDecoded)).fileName();
    // "." and ".." would name the downloads folder or its parent rather than a file in it.
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("download");
    const QString path = AppPaths::downloadsFolder() + QLatin1Char('/') + name;
    if (overwrite || !QFileInfo::exists(path))
        return path;
    for (int n = 0;; ++n) {
        const QString candidate = path + QLatin1Char('.') + QString::number(n);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString DownloadManager::rateText(double bytesPerSecond)
{
    double rate = std::isfinite(bytesPerSecond) && bytesPerSecond > 0 ? bytesPerSecond : 0.0;
    QString unit;
    if (rate < 1024) {
        unit = QStringLiteral("bytes/sec");
    } else if (rate < 1024 * 1024) {
        rate /= 1024;
        unit = QStringLiteral("kB/s");
    } else {
        rate /= 1024 * 1024;
        unit = QStringLiteral("MB/s");
    }
    return QStringLiteral("%1 %2").arg(rate, 3, 'f', 1).arg(unit);
}

double DownloadManager::transferRate(qint64 bytes, qint64 elapsedMs)
{
    return static_cast<double>(bytes) * 1000.0 /
           static_cast<double>(std::max<qint64>(1, elapsedMs));
}

bool DownloadManager::isRedirectStatus(int statusCode)
{
    switch (statusCode) {
    case 301:
    case 302:
    case 303:
    case 305:
    case 307:
    case 308:
        return true;
    default:
        return false;
    }
}

void DownloadManager::startNextDownload()
{
    if (activeReply)
        return;
    for (;;) {
        if (pending.isEmpty()) {
            emit result(QString::number(succeeded) + QLatin1Char('/') + QString::number(queued) +
                        QStringLiteral("files downloaded successfully"));
            succeeded = 0;
            queued = 0;
            emit finished();
            return;
        }

        const QUrl url = pending.dequeue();
        const QString path = targetPathFor(url);
        const QString encoded = QString::fromLocal8Bit(url.toEncoded());
        outputFile.setFileName(path);
        if (!outputFile.open(QIODevice::WriteOnly)) {
            emit result(QStringLiteral("Problem opening save file '") + path +
                        QStringLiteral("'for download '") + encoded + QStringLiteral("': ") +
                        outputFile.errorString() + QLatin1Char('\n'));
            continue;
        }

        QNetworkRequest request(url);
        request.setTransferTimeout(timeout);
        bytesWritten = 0;
        writeError.clear();
        activeReply = accessManager.get(request);
        activeReply->setReadBufferSize(readBufferSize);
        connect(activeReply, &QNetworkReply::downloadProgress, this,
                &DownloadManager::downloadProgress);
        connect(activeReply, &QNetworkReply::finished, this, &DownloadManager::downloadFinished);
        connect(activeReply, &QNetworkReply::readyRead, this, &DownloadManager::downloadReadyRead);

        emit result(QStringLiteral("Downloading ") + encoded + QLatin1Char('\n'));
        clock.start();
        return;
    }
}

void DownloadManager::downloadReadyRead()
{
    // A reply in error (certificate errors included) writes nothing; its errors are never
    // ignored. After a failed write the rest of the body is not wanted either.
    if (!activeReply || activeReply->error() != QNetworkReply::NoError || !writeError.isEmpty())
        return;
    const QByteArray chunk = activeReply->readAll();
    if (chunk.isEmpty())
        return;
    if (outputFile.write(chunk) != chunk.size()) {
        // A short write (a full disk, a size limit) leaves no error of its own on the file.
        writeError = outputFile.error() != QFileDevice::NoError
                         ? outputFile.errorString()
                         : QStringLiteral("Could not write all data to ") + outputFile.fileName();
        // Ends the transfer at once; downloadFinished() reports the write error.
        activeReply->abort();
        return;
    }
    bytesWritten += chunk.size();
}

void DownloadManager::downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    // The reply reports the received size as the total once an answer without a length has
    // ended; only an announced length gives a percentage.
    const bool announced =
        activeReply && activeReply->header(QNetworkRequest::ContentLengthHeader).isValid();
    const int p =
        bytesTotal > 0 && announced ? static_cast<int>(bytesReceived * 100 / bytesTotal) : 0;
    const QString rate = rateText(transferRate(bytesReceived, clock.elapsed()));
    emit progressRangeChanged(0, p);
    emit progressValueChanged(p);
    emit result(QStringLiteral("Progress: ") + QString::number(p) + QStringLiteral("% (") + rate +
                QLatin1Char(')'));
}

QString DownloadManager::incompleteReason() const
{
    const QVariant announced = activeReply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && announced.toLongLong() != bytesWritten)
        return QStringLiteral("Received %1 of %2 bytes")
            .arg(bytesWritten)
            .arg(announced.toLongLong());
    return QString();
}

void DownloadManager::downloadFinished()
{
    if (!activeReply)
        return;
    // Whatever is still buffered belongs to the file as well.
    if (activeReply->bytesAvailable() > 0)
        downloadReadyRead();
    if (writeError.isEmpty() && !outputFile.flush())
        writeError = outputFile.errorString();
    outputFile.close();

    QString outcome;
    const int status = activeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!writeError.isEmpty()) {
        outcome = QStringLiteral("Failed: ") + writeError;
        outputFile.remove();
    } else if (activeReply->error() != QNetworkReply::NoError) {
        outcome = QStringLiteral("Failed: ") + activeReply->errorString();
        outputFile.remove();
    } else if (isRedirectStatus(status)) {
        announceRedirect();
        outputFile.remove();
    } else if (const QString reason = incompleteReason(); !reason.isEmpty()) {
        outcome = QStringLiteral("Failed: ") + reason;
        outputFile.remove();
    } else {
        emit result(QStringLiteral("File: ") + QFileInfo(outputFile).absoluteFilePath());
        outcome = QStringLiteral("Succeeded");
        emit fileDownloaded();
        ++succeeded;
    }
    emit result(outcome);

    activeReply->deleteLater();
    activeReply = nullptr;
    startNextDownload();
}

void DownloadManager::announceRedirect()
{
    const int status = activeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl requestUrl = activeReply->request().url();
    emit redirect(QStringLiteral("Request: ") + requestUrl.toDisplayString() +
                  QStringLiteral(" was redirected with code: ") + QString::number(status));

    const QVariant target = activeReply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (!target.isValid())
        return;
    QUrl url = target.toUrl();
    if (url.isRelative())
        url = requestUrl.resolved(url);
    emit redirect(QStringLiteral("Redirected to: ") + url.toDisplayString());
}
