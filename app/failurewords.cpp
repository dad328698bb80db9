#include "failurewords.h"

#include "diskpackage.h"
#include "tsunzip.h"

#include <QFile>
#include <QLocale>
#include <QPair>

namespace {

// The number and its unit apart, so that two sizes can share the unit.
QPair<QString, QString> sizeParts(qint64 bytes)
{
    if (bytes < 1000)
        return {QString::number(bytes), FailureWords::tr("bytes")};
    static const char *const units[] = {"kB", "MB", "GB", "TB"};
    double value = bytes / 1000.0;
    int unit = 0;
    while (value >= 999.95 && unit < 3) {
        value /= 1000.0;
        ++unit;
    }
    return {QLocale().toString(value, 'f', value >= 99.95 ? 0 : 1),
            QString::fromLatin1(units[unit])};
}

} // namespace

QString FailureWords::sizeText(qint64 bytes)
{
    const auto parts = sizeParts(bytes);
    return parts.first + QLatin1Char(' ') + parts.second;
}

QString FailureWords::progressText(qint64 done, qint64 total)
{
    if (total < 0)
        return sizeText(done);
    const auto doneParts = sizeParts(done);
    const auto totalParts = sizeParts(total);
    if (doneParts.second == totalParts.second)
        return tr("%1 of %2 %3").arg(doneParts.first, totalParts.first, totalParts.second);
    return tr("%1 of %2").arg(sizeText(done), sizeText(total));
}

QString FailureWords::webPage()
{
    return tr("the server sent a web page instead of the package");
}

QString FailureWords::describe(const DownloadOutcome &outcome)
{
    if (outcome.reason == DownloadManager::cancelledReason())
        return tr("cancelled");
    QString words;
    switch (outcome.networkError) {
    case QNetworkReply::ConnectionRefusedError:
        words = tr("connection refused");
        break;
    case QNetworkReply::RemoteHostClosedError:
        words = tr("the server closed the connection");
        break;
    case QNetworkReply::HostNotFoundError:
        words = tr("the server could not be found");
        break;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        words = tr("the server stopped sending");
        break;
    case QNetworkReply::SslHandshakeFailedError:
        words = tr("the secure connection could not be made");
        break;
    default:
        break;
    }
    const int status = outcome.httpStatus;
    if (words.isEmpty() && status >= 400) {
        if (status == 404 || status == 410)
            words = tr("not found on the server (HTTP %1)").arg(status);
        else if (status == 401 || status == 403)
            words = tr("the server refused to send it (HTTP %1)").arg(status);
        else if (status >= 500)
            words = tr("the server had a problem (HTTP %1)").arg(status);
        else
            words = tr("the server refused the request (HTTP %1)").arg(status);
    }
    if (words.isEmpty())
        words = outcome.reason;
    if (outcome.keptBytes > 0 && outcome.size > 0)
        words += tr("; %1 of %2 kept, Retry resumes")
                     .arg(sizeText(outcome.keptBytes), sizeText(outcome.size));
    return words;
}

QString FailureWords::unreadableArchive(const QString &archive, const QByteArray &contentType)
{
    if (contentType.trimmed().toLower().startsWith("text/html"))
        return webPage();
    QFile file(archive);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray start = file.read(512).trimmed();
        if (start.startsWith('<'))
            return webPage();
    }
    QStringList entries;
    QString why;
    const bool read = DiskPackage::entryNames(archive, &entries, &why);
    if (!read && !TsUnZip::hasNoEntries(archive))
        return tr("Couldn't open zip: %1").arg(why);
    if (entries.isEmpty())
        return tr("Couldn't go to first file: the archive has no entries");
    return QString();
}
