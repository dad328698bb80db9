#include "failurewords.h"

#include "diskpackage.h"
#include "tsunzip.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPair>
#include <QRegularExpression>

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

QString FailureWords::certificateProblem(const QList<QSslError> &errors, const QString &host)
{
    if (errors.isEmpty())
        return {};
    // The first error that names the certificate's own problem.
    for (const QSslError &error : errors) {
        switch (error.error()) {
        case QSslError::SelfSignedCertificate:
        case QSslError::SelfSignedCertificateInChain:
            return tr("the certificate of %1 is not trusted (self-signed)").arg(host);
        case QSslError::CertificateExpired:
            return tr("the certificate of %1 has expired").arg(host);
        case QSslError::CertificateNotYetValid:
            return tr("the certificate of %1 is not valid yet").arg(host);
        case QSslError::HostNameMismatch:
            return tr("the certificate of %1 is made out for another host").arg(host);
        case QSslError::CertificateRevoked:
            return tr("the certificate of %1 has been revoked").arg(host);
        case QSslError::UnableToGetIssuerCertificate:
        case QSslError::UnableToGetLocalIssuerCertificate:
        case QSslError::UnableToVerifyFirstCertificate:
        case QSslError::CertificateUntrusted:
            return tr("the certificate of %1 is not trusted (unknown issuer)").arg(host);
        default:
            break;
        }
    }
    return tr("the certificate of %1 is not trusted").arg(host);
}

QString FailureWords::diskProblem(DiskRoom::Problem problem, const QString &folder)
{
    switch (problem) {
    case DiskRoom::Problem::Full:
        return tr("the disk is full");
    case DiskRoom::Problem::NoInodes:
        return tr("there is no room for more files on the disk");
    case DiskRoom::Problem::ReadOnly:
        return tr("the folder %1 cannot be written (read-only)")
            .arg(QDir::toNativeSeparators(folder));
    case DiskRoom::Problem::None:
        break;
    }
    return {};
}

QString FailureWords::unpackDetail(const QString &detail)
{
    const QString link = TsUnZip::linkEntryText(QString());
    if (detail.startsWith(link))
        return tr("the archive holds a link, which is not installed: %1")
            .arg(detail.mid(link.size()));
    // A cause of the disk, alone or after the entry it stopped.
    static const QRegularExpression readOnly(
        QStringLiteral("^(?:could not unpack (.*): )?the folder (.*) cannot be written "
                       "\\(read-only\\)$"));
    const QRegularExpressionMatch readOnlyMatch = readOnly.match(detail);
    QString entry;
    QString cause;
    if (readOnlyMatch.hasMatch()) {
        entry = readOnlyMatch.captured(1);
        cause = diskProblem(DiskRoom::Problem::ReadOnly, readOnlyMatch.captured(2));
    } else {
        const QString unpack = QStringLiteral("could not unpack ");
        const QString body = detail.startsWith(unpack) ? detail.mid(unpack.size()) : QString();
        for (const DiskRoom::Problem problem :
             {DiskRoom::Problem::Full, DiskRoom::Problem::NoInodes}) {
            const QString english = DiskRoom::text(problem, QString());
            if (detail == english)
                cause = diskProblem(problem, QString());
            else if (body.endsWith(QStringLiteral(": ") + english)) {
                entry = body.left(body.size() - english.size() - 2);
                cause = diskProblem(problem, QString());
            }
        }
        const QString damaged = QStringLiteral(" (damaged or encrypted)");
        if (cause.isEmpty() && body.endsWith(damaged)) {
            entry = body.left(body.size() - damaged.size());
            cause = tr("the archive is damaged or encrypted");
        }
    }
    if (cause.isEmpty()) {
        if (detail == QLatin1String("not a readable zip archive"))
            return tr("not a readable zip archive");
        if (detail == QLatin1String("the archive has no entries"))
            return tr("the archive has no entries");
        return detail;
    }
    //: %1 is the archive's entry that could not be unpacked, %2 why
    return entry.isEmpty() ? cause : tr("%1 could not be unpacked: %2").arg(entry, cause);
}

QString FailureWords::unpackFailure(const QString &error, const QString &detail)
{
    QString words = error;
    if (error == QLatin1String("Couldn't open zip"))
        words = tr("Couldn't open zip");
    else if (error == QLatin1String("Couldn't extract file"))
        words = tr("Couldn't extract file");
    else if (error == QLatin1String("Couldn't go to first file"))
        words = tr("Couldn't go to first file");
    else if (error == QLatin1String("Couldn't close zip"))
        words = tr("Couldn't close zip");
    if (detail.isEmpty())
        return words;
    //: %1 is what failed, %2 why
    return tr("%1: %2").arg(words, unpackDetail(detail));
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
        words = certificateProblem(outcome.sslErrors, outcome.sslHost.isEmpty() ? outcome.url.host()
                                                                                : outcome.sslHost);
        if (words.isEmpty())
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
        return tr("Couldn't open zip: %1").arg(unpackDetail(why));
    if (entries.isEmpty())
        return tr("Couldn't go to first file: the archive has no entries");
    return QString();
}
