#include "downloadmanager.h"

#include "apppaths.h"
#include "serviceendpoints.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStorageInfo>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

const QString partialSuffix = QStringLiteral(".part");
const QString noteSuffix = QStringLiteral(".part.info");

// "30 s", "0.7 s": whole seconds without decimals.
QString secondsText(qint64 ms)
{
    if (ms % 1000 == 0)
        return QString::number(ms / 1000) + QStringLiteral(" s");
    return QString::number(ms / 1000.0, 'g', 3) + QStringLiteral(" s");
}

// The start and whole length of a "bytes START-END/TOTAL" Content-Range (TOTAL may be "*").
bool parseContentRange(const QByteArray &value, qint64 &start, qint64 &total)
{
    const QByteArray text = value.trimmed();
    if (!text.startsWith("bytes "))
        return false;
    const int dash = text.indexOf('-');
    const int slash = text.indexOf('/');
    if (dash < 0 || slash < dash)
        return false;
    bool ok = false;
    start = text.mid(6, dash - 6).trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    const QByteArray whole = text.mid(slash + 1).trimmed();
    total = whole == "*" ? -1 : whole.toLongLong(&ok);
    return ok;
}

} // namespace

DownloadManager::DownloadManager(QObject *parent) : QObject(parent), accessManager(this)
{
    qRegisterMetaType<DownloadOutcome>();
    retryTimer.setSingleShot(true);
    connect(&retryTimer, &QTimer::timeout, this, [this] {
        waitingToRetry = false;
        sendFromQueuedUrl();
    });
    connect(&watch, &SpeedWatch::tooSlow, this, [this] {
        if (!activeReply)
            return;
        tooSlow = true;
        activeReply->abort();
    });
    removeStalePartials();
}

DownloadManager::~DownloadManager()
{
    // Nothing is reported for a transfer cut short by the owner going away. Its bytes stay in
    // the partial file when the host named its copy, so a later batch can ask for the rest;
    // nothing ever appears under the final name.
    retryTimer.stop();
    if (activeReply) {
        disconnect(activeReply, nullptr, this, nullptr);
        activeReply->abort();
        delete activeReply;
        activeReply = nullptr;
    }
    if (fileActive) {
        outputFile.close();
        if (!resumable() || outputFile.size() == 0)
            discardPartial();
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
    // While a transfer runs (or waits for its next attempt), its end starts the next one; a
    // second start beside it would share the output file.
    if (pending.isEmpty() && !fileActive && !startQueued) {
        startQueued = true;
        QTimer::singleShot(0, this, &DownloadManager::startNextDownload);
    }
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

void DownloadManager::setSpeedFloor(const SpeedFloor &floor)
{
    watch.setFloor(floor);
}

void DownloadManager::setRetryDelays(const QVector<int> &milliseconds)
{
    delays = milliseconds;
}

QVector<int> DownloadManager::retryDelays() const
{
    return delays;
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

QString DownloadManager::partialPathFor(const QString &target)
{
    return target + partialSuffix;
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

qint64 DownloadManager::secondsLeft(qint64 transferred, qint64 remaining, qint64 elapsedMs)
{
    if (transferred <= 0 || remaining < 0)
        return -1;
    const double rate = transferRate(transferred, elapsedMs);
    return static_cast<qint64>(std::ceil(static_cast<double>(remaining) / rate));
}

bool DownloadManager::isRedirectStatus(int statusCode)
{
    return statusCode == 305 || isFollowedRedirect(statusCode);
}

bool DownloadManager::isFollowedRedirect(int statusCode)
{
    switch (statusCode) {
    case 301:
    case 302:
    case 303:
    case 307:
    case 308:
        return true;
    default:
        return false;
    }
}

bool DownloadManager::isPassingStatus(int statusCode)
{
    switch (statusCode) {
    case 408:
    case 429:
    case 500:
    case 502:
    case 503:
    case 504:
        return true;
    default:
        return false;
    }
}

bool DownloadManager::isPassingError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError: // the transfer timeout
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyTimeoutError:
        return true;
    default:
        return false;
    }
}

QString DownloadManager::sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QString::number(bytes) + QStringLiteral(" bytes");
    static const char *const units[] = {"kB", "MB", "GB", "TB", "PB"};
    double value = bytes / 1024.0;
    int unit = 0;
    while (value >= 1024 && unit < 4) {
        value /= 1024;
        ++unit;
    }
    return QString::number(value, 'f', 1) + QLatin1Char(' ') + QLatin1String(units[unit]);
}

QString DownloadManager::spaceShortage(const QString &folder, qint64 needed)
{
    const QStorageInfo storage(folder);
    if (!storage.isValid() || needed <= 0)
        return QString();
    const qint64 available = storage.bytesAvailable();
    if (available < 0 || needed <= available)
        return QString();
    return QStringLiteral("Not enough disk space: needs %1, %2 free")
        .arg(sizeText(needed), sizeText(available));
}

qint64 DownloadManager::retryAfterMs(const QByteArray &value, const QDateTime &now)
{
    const QByteArray text = value.trimmed();
    if (text.isEmpty())
        return -1;
    bool number = false;
    const qint64 seconds = text.toLongLong(&number);
    if (number)
        return seconds < 0 ? -1 : seconds * 1000;
    QDateTime moment = QLocale::c().toDateTime(QString::fromLatin1(text),
                                               QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"));
    if (!moment.isValid())
        return -1;
    moment.setTimeSpec(Qt::UTC);
    return std::max<qint64>(0, now.msecsTo(moment));
}

void DownloadManager::removeStalePartials(int days)
{
    const QDateTime limit = QDateTime::currentDateTime().addDays(-days);
    QDirIterator it(AppPaths::downloadsFolder(),
                    {QLatin1Char('*') + partialSuffix, QLatin1Char('*') + noteSuffix},
                    QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().lastModified() < limit)
            QFile::remove(path);
    }
}

void DownloadManager::startNextDownload()
{
    startQueued = false;
    if (fileActive)
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
        if (beginFile(pending.dequeue()))
            return;
    }
}

bool DownloadManager::beginFile(const QUrl &url)
{
    cancelRequested = false;
    current = Current();
    partialHash.reset();
    hashedBytes = 0;
    current.url = url;
    current.location = url;
    current.encoded = QString::fromLocal8Bit(url.toEncoded());
    current.target = targetPathFor(url);
    current.partial = partialPathFor(current.target);

    if (!ServiceEndpoints::isWebUrl(url)) {
        // Only web addresses are fetched: a file:// or other URL would copy a local file.
        emit result(QStringLiteral("Downloading ") + current.encoded + QLatin1Char('\n'));
        DownloadOutcome outcome;
        outcome.kind = DownloadOutcome::Failed;
        outcome.url = url;
        outcome.reason = QStringLiteral("only http and https addresses are downloaded");
        emit transferFinished(outcome);
        emit result(QStringLiteral("Failed: ") + outcome.reason);
        return false;
    }

    // The final name must be writable before anything is fetched for it; it is not touched
    // otherwise (appending opens without truncating).
    QString openError;
    if (QFileInfo::exists(current.target) || QFileInfo(current.target).isSymLink()) {
        QFile probe(current.target);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
            openError = probe.errorString();
    }
    if (openError.isEmpty()) {
        const bool resume = readPartialNote(url);
        outputFile.setFileName(current.partial);
        if (!outputFile.open(resume ? QIODevice::WriteOnly | QIODevice::Append
                                    : QIODevice::WriteOnly | QIODevice::Truncate))
            openError = outputFile.errorString();
        else if (!resume)
            QFile::remove(current.target + noteSuffix);
        current.offset = resume ? outputFile.size() : 0;
    }
    if (!openError.isEmpty()) {
        const QString text = QStringLiteral("Problem opening save file '") + current.target +
                             QStringLiteral("'for download '") + current.encoded +
                             QStringLiteral("': ") + openError + QLatin1Char('\n');
        DownloadOutcome outcome;
        outcome.kind = DownloadOutcome::Skipped;
        outcome.url = url;
        outcome.reason = openError;
        emit transferFinished(outcome);
        emit result(text);
        return false;
    }

    fileActive = true;
    emit result(QStringLiteral("Downloading ") + current.encoded + QLatin1Char('\n'));
    sendRequest();
    return true;
}

void DownloadManager::sendRequest()
{
    current.visited.insert(current.location);
    QNetworkRequest request(current.location);
    request.setTransferTimeout(timeout);
    // The bytes of the file as they are: no transfer compression to undo, lengths that match.
    request.setRawHeader("Accept-Encoding", "identity");
    if (current.offset > 0) {
        request.setRawHeader("Range", "bytes=" + QByteArray::number(current.offset) + '-');
        request.setRawHeader("If-Range", current.entityTag.isEmpty() ? current.lastModified
                                                                     : current.entityTag);
    }
    bytesWritten = 0;
    writeError.clear();
    abortReason.clear();
    sslErrors.clear();
    sslHost.clear();
    restartWhole = false;
    tooSlow = false;
    current.accepting = false;
    activeReply = accessManager.get(request);
    connect(activeReply, &QNetworkReply::sslErrors, this, [this](const QList<QSslError> &errors) {
        sslErrors = errors;
        sslHost = activeReply ? activeReply->url().host() : QString();
    });
    activeReply->setReadBufferSize(readBufferSize);
    connect(activeReply, &QNetworkReply::metaDataChanged, this, &DownloadManager::headersArrived);
    connect(activeReply, &QNetworkReply::downloadProgress, this,
            &DownloadManager::downloadProgress);
    connect(activeReply, &QNetworkReply::finished, this, &DownloadManager::downloadFinished);
    connect(activeReply, &QNetworkReply::readyRead, this, &DownloadManager::downloadReadyRead);
    clock.start();
    watch.start();
}

void DownloadManager::sendFromQueuedUrl()
{
    current.location = current.url;
    current.visited.clear();
    current.hops = 0;
    sendRequest();
}

void DownloadManager::headersArrived()
{
    if (!activeReply)
        return;
    // The network layer may send a request again on its own after a lost connection; each
    // head that arrives places the writes anew, so a body is never appended twice.
    current.accepting = false;
    bytesWritten = 0;
    const int status = activeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299)
        return;

    const QVariant length = activeReply->header(QNetworkRequest::ContentLengthHeader);
    if (status == 206) {
        qint64 start = -1;
        qint64 total = -1;
        if (!parseContentRange(activeReply->rawHeader("Content-Range"), start, total) ||
            start != current.offset) {
            abortReason =
                QStringLiteral("the server sent a part of the file that was not asked for");
            activeReply->abort();
            return;
        }
        if (current.offset > 0 && !sameFileAsKept(total)) {
            // Bytes of another file than the kept part's: that part is worthless.
            restartWhole = true;
            activeReply->abort();
            return;
        }
        if (outputFile.size() != current.offset) {
            outputFile.resize(current.offset);
            outputFile.seek(current.offset);
        }
        current.size = total;
    } else {
        // The whole file, from its first byte: whatever an earlier attempt kept is stale.
        if (current.offset > 0 || outputFile.size() > 0) {
            outputFile.resize(0);
            outputFile.seek(0);
        }
        current.offset = 0;
        current.size = length.isValid() ? length.toLongLong() : -1;
    }
    current.entityTag = activeReply->rawHeader("ETag");
    // A weak tag cannot vouch for bytes, so it never asks for a range.
    if (current.entityTag.startsWith("W/"))
        current.entityTag.clear();
    current.lastModified = activeReply->rawHeader("Last-Modified");
    savePartialNote();

    if (length.isValid()) {
        const QString shortage =
            spaceShortage(QFileInfo(current.partial).absolutePath(), length.toLongLong());
        if (!shortage.isEmpty()) {
            abortReason = shortage;
            activeReply->abort();
            return;
        }
    }
    current.accepting = true;
}

void DownloadManager::downloadReadyRead()
{
    if (!activeReply)
        return;
    // Bodies of redirects and error answers are not the file, and a reply that failed before
    // its head (certificate errors included) never gets this far: its errors are never ignored.
    // What a broken-off body brought is kept in the partial file, which takes the final name
    // only when whole. After a failed write the rest of the body is not wanted either.
    if (!current.accepting || !writeError.isEmpty() || !abortReason.isEmpty()) {
        activeReply->skip(activeReply->bytesAvailable());
        return;
    }
    const QByteArray chunk = activeReply->readAll();
    if (chunk.isEmpty())
        return;
    watch.add(chunk.size());
    current.received += chunk.size();
    hashUpTo(outputFile.pos());
    if (outputFile.write(chunk) != chunk.size()) {
        // A short write (a full disk, a size limit) leaves no error of its own on the file.
        writeError = outputFile.error() != QFileDevice::NoError
                         ? outputFile.errorString()
                         : QStringLiteral("Could not write all data to ") + outputFile.fileName();
        // Ends the transfer at once; downloadFinished() reports the write error.
        activeReply->abort();
        return;
    }
    partialHash.addData(chunk);
    hashedBytes += chunk.size();
    bytesWritten += chunk.size();
}

void DownloadManager::hashUpTo(qint64 position)
{
    if (position == hashedBytes)
        return;
    outputFile.flush();
    partialHash.reset();
    // -1: unknown, tried again at the next write and at the end.
    hashedBytes = partialHash.addFile(current.partial, position) ? position : -1;
}

void DownloadManager::downloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    if (!activeReply)
        return;
    const int status = activeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // Hops and answers that will be tried again are not the file's progress.
    if (isFollowedRedirect(status) || (isPassingStatus(status) && current.attempts < delays.size()))
        return;
    // The reply reports the received size as the total once an answer without a length has
    // ended; only an announced length gives a percentage.
    const bool announced = activeReply->header(QNetworkRequest::ContentLengthHeader).isValid();
    const qint64 offset = current.accepting ? current.offset : 0;
    const int p = bytesTotal > 0 && announced
                      ? static_cast<int>((offset + bytesReceived) * 100 / (offset + bytesTotal))
                      : 0;
    const QString rate = rateText(transferRate(bytesReceived, clock.elapsed()));
    emit progressRangeChanged(0, p);
    emit progressValueChanged(p);
    emit bytesProgress(offset + bytesReceived,
                       bytesTotal > 0 && announced ? offset + bytesTotal : qint64(-1));
    emit timeLeft(bytesTotal > 0 && announced
                      ? secondsLeft(bytesReceived, bytesTotal - bytesReceived, clock.elapsed())
                      : qint64(-1));
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
    if (current.size >= 0 && outputFile.size() != current.size)
        return QStringLiteral("Received %1 of %2 bytes").arg(outputFile.size()).arg(current.size);
    return QString();
}

QString DownloadManager::failureReason(int status) const
{
    if (tooSlow)
        return QStringLiteral("the server sent ") + watch.floor().text();
    if (activeReply->error() == QNetworkReply::OperationCanceledError)
        return QStringLiteral("no data from the server for ") + secondsText(timeout);
    if (activeReply->error() != QNetworkReply::NoError)
        return activeReply->errorString();
    return QStringLiteral("the server answered %1 %2")
        .arg(status)
        .arg(activeReply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
        .trimmed();
}

void DownloadManager::downloadFinished()
{
    if (!activeReply)
        return;
    watch.stop();
    ++current.attempts;
    // Whatever is still buffered belongs to the file as well.
    if (activeReply->bytesAvailable() > 0)
        downloadReadyRead();
    if (writeError.isEmpty() && !outputFile.flush())
        writeError = outputFile.errorString();

    const int status = activeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = activeReply->error();

    if (!writeError.isEmpty()) {
        endFile(DownloadOutcome::Failed, writeError);
        return;
    }
    if (cancelRequested) {
        endFile(DownloadOutcome::Failed, cancelledReason());
        return;
    }
    if (restartWhole) {
        // The rest of another file was offered: the kept part goes and the same attempt asks
        // for the whole file, without a range.
        --current.attempts;
        outputFile.resize(0);
        outputFile.seek(0);
        current.offset = 0;
        current.size = -1;
        current.entityTag.clear();
        current.lastModified.clear();
        QFile::remove(current.target + noteSuffix);
        dropReply();
        sendFromQueuedUrl();
        return;
    }
    if (!abortReason.isEmpty()) {
        const QString reason = abortReason;
        if (reason.startsWith(QLatin1String("Not enough disk space"))) {
            endFile(DownloadOutcome::Failed, reason);
        } else {
            // A part that does not start where the kept bytes end: start again from zero.
            outputFile.resize(0);
            abortReason.clear();
            retryLater(reason, -1);
        }
        return;
    }
    if (error == QNetworkReply::NoError && isFollowedRedirect(status)) {
        announceRedirect();
        QString reason;
        if (!followRedirect(reason)) {
            endFile(DownloadOutcome::Failed, reason);
            return;
        }
        --current.attempts; // a hop is part of the same attempt
        dropReply();
        sendRequest();
        return;
    }
    if (error == QNetworkReply::NoError && status >= 300 && status <= 399) {
        if (isRedirectStatus(status)) {
            announceRedirect();
            endFile(DownloadOutcome::Failed,
                    QStringLiteral("redirect status %1 is not followed").arg(status));
        } else {
            endFile(DownloadOutcome::Failed, failureReason(status));
        }
        return;
    }
    if (status == 416 && current.offset > 0 && !current.restartedAfterRefusal) {
        // The kept part no longer fits the file: start again from its first byte, at once.
        current.restartedAfterRefusal = true;
        --current.attempts;
        outputFile.resize(0);
        outputFile.seek(0);
        current.offset = 0;
        dropReply();
        sendFromQueuedUrl();
        return;
    }
    if (error != QNetworkReply::NoError) {
        const QString reason = failureReason(status);
        if (isPassingError(error) || isPassingStatus(status)) {
            qint64 wait = -1;
            if (isPassingStatus(status)) {
                wait = retryAfterMs(activeReply->rawHeader("Retry-After"),
                                    QDateTime::currentDateTimeUtc());
                if (wait > maximumRetryAfter) {
                    endFile(DownloadOutcome::Failed,
                            reason + QStringLiteral(" (the server asks to wait ") +
                                secondsText(wait / 1000 * 1000) + QLatin1Char(')'));
                    return;
                }
            }
            retryLater(reason, wait);
        } else {
            endFile(DownloadOutcome::Failed, reason);
        }
        return;
    }
    if (status != 0 && (status < 200 || status > 299)) {
        endFile(DownloadOutcome::Failed, failureReason(status));
        return;
    }
    if (const QString reason = incompleteReason(); !reason.isEmpty()) {
        // A connection closed before the announced length: as passing as a reset.
        retryLater(reason, -1);
        return;
    }
    endFile(DownloadOutcome::Saved, QString());
}

bool DownloadManager::followRedirect(QString &reason)
{
    const int status = activeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QVariant target = activeReply->attribute(QNetworkRequest::RedirectionTargetAttribute);
    if (!target.isValid() || target.toUrl().isEmpty()) {
        reason = QStringLiteral("the server redirected (%1) without saying where").arg(status);
        return false;
    }
    const QUrl next = current.location.resolved(target.toUrl());
    if (!ServiceEndpoints::isWebUrl(next)) {
        reason = QStringLiteral("redirected to an address that is not http or https: ") +
                 next.toDisplayString();
        return false;
    }
    if (current.location.scheme() == QLatin1String("https") &&
        next.scheme() == QLatin1String("http")) {
        reason = QStringLiteral("redirected from https to http, which is not followed: ") +
                 next.toDisplayString();
        return false;
    }
    if (current.visited.contains(next)) {
        reason = QStringLiteral("redirect loop at ") + next.toDisplayString();
        return false;
    }
    if (current.hops >= maximumRedirects) {
        reason = QStringLiteral("too many redirects (more than %1)").arg(maximumRedirects);
        return false;
    }
    ++current.hops;
    current.location = next;
    return true;
}

QString DownloadManager::cancelledReason()
{
    return QStringLiteral("cancelled");
}

void DownloadManager::cancelCurrent(bool dropQueue)
{
    if (dropQueue) {
        queued -= pending.size();
        pending.clear();
    }
    if (!fileActive)
        return;
    if (retryTimer.isActive()) {
        retryTimer.stop();
        endFile(DownloadOutcome::Failed, cancelledReason());
        return;
    }
    cancelRequested = true;
    if (activeReply)
        activeReply->abort();
}

void DownloadManager::retryLater(const QString &reason, qint64 waitMs)
{
    const int retry = current.attempts; // the retry this would be, counted from 1
    if (retry > delays.size()) {
        endFile(DownloadOutcome::Failed, reason);
        return;
    }
    if (!resumable()) {
        // Without a validator the kept bytes cannot be vouched for: start from zero.
        outputFile.resize(0);
        outputFile.seek(0);
    }
    current.offset = outputFile.size();
    const qint64 wait = waitMs >= 0 ? waitMs : delays.at(retry - 1);
    dropReply();
    // Waiting before the report, so that a cancel from a receiver of the report ends the wait.
    waitingToRetry = true;
    retryTimer.start(static_cast<int>(wait));
    emit retrying(wait, retry, int(delays.size()));
    emit result(QStringLiteral("Retrying in %1 (attempt %2 of %3)")
                    .arg(secondsText(wait))
                    .arg(retry)
                    .arg(delays.size()));
}

void DownloadManager::endFile(DownloadOutcome::Kind kind, const QString &reason)
{
    outputFile.close();
    DownloadOutcome outcome;
    outcome.kind = kind;
    outcome.url = current.url;
    outcome.reason = reason;
    outcome.entityTag = current.entityTag;
    outcome.lastModified = current.lastModified;
    outcome.size = current.size;
    outcome.attempts = current.attempts;
    outcome.bytesReceived = current.received;
    outcome.resumedFrom = current.offset;
    outcome.tooSlow = tooSlow;
    if (activeReply) {
        outcome.httpStatus =
            activeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        outcome.networkError = activeReply->error();
        outcome.sslErrors = sslErrors;
        outcome.sslHost = sslHost;
        outcome.contentType = activeReply->rawHeader("Content-Type");
    }

    if (kind == DownloadOutcome::Saved) {
        // The final name appears only now, for the whole file.
        if (QFileInfo::exists(current.target) || QFileInfo(current.target).isSymLink())
            QFile::remove(current.target);
        const qint64 savedSize = QFileInfo(current.partial).size();
        hashUpTo(savedSize);
        const QByteArray sha256 = hashedBytes == savedSize ? partialHash.hexResult() : QByteArray();
        QFile partial(current.partial);
        if (!partial.rename(current.target)) {
            outcome.kind = DownloadOutcome::Failed;
            outcome.reason = QStringLiteral("Could not save ") + current.target +
                             QStringLiteral(": ") + partial.errorString();
            discardPartial();
        } else {
            QFile::remove(current.target + noteSuffix);
            outcome.savedPath = QFileInfo(current.target).absoluteFilePath();
            outcome.sha256 = sha256;
        }
    } else {
        // A passing failure with a named copy keeps its bytes for a later batch; so does one
        // cancelled while it waited for its next attempt, whose last attempt broke off for a
        // passing reason.
        const bool passing =
            waitingToRetry ||
            (activeReply &&
             (isPassingError(activeReply->error()) ||
              isPassingStatus(
                  activeReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt()) ||
              !incompleteReason().isEmpty()));
        const bool keep = resumable() && QFileInfo(current.partial).size() > 0 &&
                          writeError.isEmpty() && abortReason.isEmpty() && passing;
        if (!keep)
            discardPartial();
        else
            outcome.keptBytes = QFileInfo(current.partial).size();
    }

    if (outcome.kind == DownloadOutcome::Saved) {
        emit result(QStringLiteral("File: ") + outcome.savedPath);
        emit fileDownloaded();
        ++succeeded;
    }
    emit transferFinished(outcome);
    emit result(outcome.kind == DownloadOutcome::Saved
                    ? QStringLiteral("Succeeded")
                    : QStringLiteral("Failed: ") + outcome.reason);

    dropReply();
    fileActive = false;
    waitingToRetry = false;
    startNextDownload();
}

void DownloadManager::dropReply()
{
    if (!activeReply)
        return;
    disconnect(activeReply, nullptr, this, nullptr);
    activeReply->deleteLater();
    activeReply = nullptr;
}

bool DownloadManager::resumable() const
{
    return (!current.entityTag.isEmpty() || !current.lastModified.isEmpty()) && current.size >= 0;
}

bool DownloadManager::sameFileAsKept(qint64 total) const
{
    // A strong tag names the bytes; without one the date must match. Either way the whole
    // length must be the one the kept part's first answer gave.
    const bool sameCopy = !current.entityTag.isEmpty()
                              ? activeReply->rawHeader("ETag") == current.entityTag
                              : !current.lastModified.isEmpty() &&
                                    activeReply->rawHeader("Last-Modified") == current.lastModified;
    return sameCopy && total >= 0 && total == current.size;
}

void DownloadManager::discardPartial()
{
    outputFile.close();
    QFile::remove(current.partial);
    QFile::remove(current.target + noteSuffix);
}

void DownloadManager::savePartialNote() const
{
    const QString path = current.target + noteSuffix;
    if (!resumable()) {
        QFile::remove(path);
        return;
    }
    QSaveFile note(path);
    if (!note.open(QIODevice::WriteOnly))
        return;
    note.write("url=" + current.url.toEncoded() + '\n');
    note.write("etag=" + current.entityTag + '\n');
    note.write("last-modified=" + current.lastModified + '\n');
    note.write("size=" + QByteArray::number(current.size) + '\n');
    note.commit();
}

QHash<QByteArray, QByteArray> DownloadManager::readNote(const QString &path)
{
    QHash<QByteArray, QByteArray> values;
    QFile note(path);
    if (!note.open(QIODevice::ReadOnly))
        return values;
    for (const QByteArray &line : note.readAll().split('\n')) {
        const int equals = line.indexOf('=');
        if (equals >= 0)
            values.insert(line.left(equals), line.mid(equals + 1));
    }
    return values;
}

bool DownloadManager::readPartialNote(const QUrl &url)
{
    const QFileInfo partial(current.partial);
    if (!partial.isFile() || partial.size() == 0)
        return false;
    const QHash<QByteArray, QByteArray> note = readNote(current.target + noteSuffix);
    const QByteArray tag = note.value("etag");
    const QByteArray modified = note.value("last-modified");
    const qint64 size = note.value("size", "-1").toLongLong();
    // Only the same address with a named copy of a known length, and a part shorter than it.
    if (note.value("url") != url.toEncoded() || (tag.isEmpty() && modified.isEmpty()) || size < 0 ||
        partial.size() >= size)
        return false;
    current.entityTag = tag;
    current.lastModified = modified;
    current.size = size;
    return true;
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
