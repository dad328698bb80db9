#include "failurewords.h"

#include "diskpackage.h"
#include "installedpackages.h"
#include "tsunzip.h"
#include "wording.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPair>
#include <QRegularExpression>

namespace {

// Texts of the unpacker, which knows nothing of translations, for unpackDetail().
[[maybe_unused]] const char *const unpackerTexts[] = {
    QT_TRANSLATE_NOOP("FailureWords", "the archive has no entries"),
};

// The number and its unit apart, so that two sizes can share the unit.
QPair<QString, QString> sizeParts(qint64 bytes, Wording wording)
{
    if (bytes < 1000)
        return {QString::number(bytes),
                worded(wording, "FailureWords", QT_TRANSLATE_NOOP("FailureWords", "bytes"))};
    static const char *const units[] = {"kB", "MB", "GB", "TB"};
    double value = bytes / 1000.0;
    int unit = 0;
    while (value >= 999.95 && unit < 3) {
        value /= 1000.0;
        ++unit;
    }
    return {(wording == Wording::Player ? QLocale() : QLocale::c())
                .toString(value, 'f', value >= 99.95 ? 0 : 1),
            QString::fromLatin1(units[unit])};
}

} // namespace

QString FailureWords::say(Wording wording, const char *source)
{
    return worded(wording, "FailureWords", source);
}

QString FailureWords::sizeText(qint64 bytes, Wording wording)
{
    const auto parts = sizeParts(bytes, wording);
    return parts.first + QLatin1Char(' ') + parts.second;
}

QString FailureWords::progressText(qint64 done, qint64 total)
{
    if (total < 0)
        return sizeText(done);
    const auto doneParts = sizeParts(done, Wording::Player);
    const auto totalParts = sizeParts(total, Wording::Player);
    if (doneParts.second == totalParts.second)
        return tr("%1 of %2 %3").arg(doneParts.first, totalParts.first, totalParts.second);
    return tr("%1 of %2").arg(sizeText(done), sizeText(total));
}

QString FailureWords::rateText(const QString &managerRate)
{
    QString text = managerRate.trimmed();
    if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')')))
        text = text.mid(1, text.size() - 2);
    const int blank = text.indexOf(QLatin1Char(' '));
    bool number = false;
    const double value = QLocale::c().toDouble(text.left(blank), &number);
    if (blank < 0 || !number)
        return text;
    QString unit = text.mid(blank + 1);
    if (unit == QLatin1String("bytes/sec"))
        return QLocale().toString(value, 'f', 0) + QStringLiteral(" B/s");
    return QLocale().toString(value, 'f', 1) + QLatin1Char(' ') + unit;
}

QString FailureWords::retryText(qint64 waitMs, int attempt, int attempts)
{
    //: %1 is the wait in seconds, %2 the attempt coming, %3 the number of attempts
    return tr("Trying again in %1 s (attempt %2 of %3)")
        .arg(QLocale().toString(waitMs / 1000.0, 'g', 3))
        .arg(attempt)
        .arg(attempts);
}

QString FailureWords::webPage(Wording wording)
{
    return say(wording, QT_TR_NOOP("the server sent a web page instead of the package"));
}

QString FailureWords::certificateProblem(const QList<QSslError> &errors, const QString &host,
                                         Wording wording)
{
    if (errors.isEmpty())
        return {};
    // The first error that names the certificate's own problem.
    for (const QSslError &error : errors) {
        switch (error.error()) {
        case QSslError::SelfSignedCertificate:
        case QSslError::SelfSignedCertificateInChain:
            return say(wording, QT_TR_NOOP("the certificate of %1 is not trusted (self-signed)"))
                .arg(host);
        case QSslError::CertificateExpired:
            return say(wording, QT_TR_NOOP("the certificate of %1 has expired")).arg(host);
        case QSslError::CertificateNotYetValid:
            return say(wording, QT_TR_NOOP("the certificate of %1 is not valid yet")).arg(host);
        case QSslError::HostNameMismatch:
            return say(wording, QT_TR_NOOP("the certificate of %1 is made out for another host"))
                .arg(host);
        case QSslError::CertificateRevoked:
            return say(wording, QT_TR_NOOP("the certificate of %1 has been revoked")).arg(host);
        case QSslError::UnableToGetIssuerCertificate:
        case QSslError::UnableToGetLocalIssuerCertificate:
        case QSslError::UnableToVerifyFirstCertificate:
        case QSslError::CertificateUntrusted:
            return say(wording, QT_TR_NOOP("the certificate of %1 is not trusted (unknown issuer)"))
                .arg(host);
        default:
            break;
        }
    }
    return say(wording, QT_TR_NOOP("the certificate of %1 is not trusted")).arg(host);
}

QString FailureWords::diskProblem(DiskRoom::Problem problem, const QString &folder, Wording wording)
{
    switch (problem) {
    case DiskRoom::Problem::Full:
        return say(wording, QT_TR_NOOP("the disk is full"));
    case DiskRoom::Problem::NoInodes:
        return say(wording, QT_TR_NOOP("there is no room for more files on the disk"));
    case DiskRoom::Problem::ReadOnly:
        return say(wording, QT_TR_NOOP("the folder %1 cannot be written (read-only)"))
            .arg(QDir::toNativeSeparators(folder));
    case DiskRoom::Problem::None:
        break;
    }
    return {};
}

QString FailureWords::unpackDetail(const QString &detail, Wording wording)
{
    const QString link = TsUnZip::linkEntryText(QString());
    if (detail.startsWith(link))
        return say(wording, QT_TR_NOOP("the archive holds a link, which is not installed: %1"))
            .arg(detail.mid(link.size()));
    // A name that would land outside the package folder, or on the installer's own files.
    const QString refused = QStringLiteral("refused the entry name ");
    if (detail.startsWith(refused))
        return say(wording, QT_TR_NOOP("the archive holds a file name that is not allowed "
                                       "(outside the package's folder, or reserved): %1"))
            .arg(detail.mid(refused.size()));
    // A cause of the disk, alone or after the entry it stopped.
    static const QRegularExpression readOnly(
        QStringLiteral("^(?:could not unpack (.*): )?the folder (.*) cannot be written "
                       "\\(read-only\\)$"));
    const QRegularExpressionMatch readOnlyMatch = readOnly.match(detail);
    QString entry;
    QString cause;
    if (readOnlyMatch.hasMatch()) {
        entry = readOnlyMatch.captured(1);
        cause = diskProblem(DiskRoom::Problem::ReadOnly, readOnlyMatch.captured(2), wording);
    } else {
        const QString unpack = QStringLiteral("could not unpack ");
        const QString body = detail.startsWith(unpack) ? detail.mid(unpack.size()) : QString();
        for (const DiskRoom::Problem problem :
             {DiskRoom::Problem::Full, DiskRoom::Problem::NoInodes}) {
            const QString english = DiskRoom::text(problem, QString());
            if (detail == english)
                cause = diskProblem(problem, QString(), wording);
            else if (body.endsWith(QStringLiteral(": ") + english)) {
                entry = body.left(body.size() - english.size() - 2);
                cause = diskProblem(problem, QString(), wording);
            }
        }
        const QString damaged = QStringLiteral(" (damaged or encrypted)");
        if (cause.isEmpty() && body.endsWith(damaged)) {
            entry = body.left(body.size() - damaged.size());
            cause = say(wording, QT_TR_NOOP("the archive is damaged or encrypted"));
        }
    }
    if (cause.isEmpty()) {
        // The texts the lower layers mark for this class come in the player's words; any other
        // stays as it is.
        if (wording == Wording::Log)
            return detail;
        const QString records = InstalledPackages::checkWords(detail);
        return records != detail ? records : tr(detail.toUtf8().constData());
    }
    //: %1 is the archive's entry that could not be unpacked, %2 why
    return entry.isEmpty()
               ? cause
               : say(wording, QT_TR_NOOP("%1 could not be unpacked: %2")).arg(entry, cause);
}

QString FailureWords::unpackFailure(const QString &error, const QString &detail, Wording wording)
{
    QString words = error;
    if (error == QLatin1String("Couldn't open zip"))
        words = say(wording, QT_TR_NOOP("Couldn't open zip"));
    else if (error == QLatin1String("Couldn't extract file"))
        words = say(wording, QT_TR_NOOP("Couldn't extract file"));
    else if (error == QLatin1String("Couldn't go to first file"))
        words = say(wording, QT_TR_NOOP("Couldn't go to first file"));
    else if (error == QLatin1String("Couldn't close zip"))
        words = say(wording, QT_TR_NOOP("Couldn't close zip"));
    if (detail.isEmpty())
        return words;
    // A detail that names the entry says what failed by itself.
    if (error == QLatin1String("Couldn't extract file") &&
        detail.startsWith(QLatin1String("could not unpack ")))
        return unpackDetail(detail, wording);
    //: %1 is what failed, %2 why
    return say(wording, QT_TR_NOOP("%1: %2")).arg(words, unpackDetail(detail, wording));
}

QString FailureWords::describe(const DownloadOutcome &outcome, Wording wording)
{
    // A partial file kept for a later resume, as "88.2 MB" of "211 MB".
    const bool kept = outcome.keptBytes > 0 && outcome.size > 0;
    const QString keptBytes = kept ? sizeText(outcome.keptBytes, wording) : QString();
    const QString whole = kept ? sizeText(outcome.size, wording) : QString();
    if (outcome.reason == DownloadManager::cancelledReason() && !kept)
        return say(wording, QT_TR_NOOP("cancelled"));
    if (outcome.reason == DownloadManager::cancelledReason())
        //: %1 is the part downloaded, %2 the whole file
        return say(wording, QT_TR_NOOP("cancelled; %1 of %2 kept, the next download resumes it"))
            .arg(keptBytes, whole);
    QString words;
    switch (outcome.networkError) {
    case QNetworkReply::ConnectionRefusedError:
        words = say(wording, QT_TR_NOOP("connection refused"));
        break;
    case QNetworkReply::RemoteHostClosedError:
        words = say(wording, QT_TR_NOOP("the server closed the connection"));
        break;
    case QNetworkReply::HostNotFoundError:
        words = say(wording, QT_TR_NOOP("the server could not be found"));
        break;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        words = outcome.tooSlow ? say(wording, QT_TR_NOOP("the server is sending too slowly"))
                                : say(wording, QT_TR_NOOP("the server stopped sending"));
        break;
    case QNetworkReply::SslHandshakeFailedError:
        words = certificateProblem(outcome.sslErrors,
                                   outcome.sslHost.isEmpty() ? outcome.url.host() : outcome.sslHost,
                                   wording);
        if (words.isEmpty())
            words = say(wording, QT_TR_NOOP("the secure connection could not be made"));
        break;
    default:
        break;
    }
    const int status = outcome.httpStatus;
    if (words.isEmpty() && status >= 400) {
        if (status == 404 || status == 410)
            words = say(wording, QT_TR_NOOP("not found on the server (HTTP %1)")).arg(status);
        else if (status == 401 || status == 403)
            words = say(wording, QT_TR_NOOP("the server refused to send it (HTTP %1)")).arg(status);
        else if (status >= 500)
            words = say(wording, QT_TR_NOOP("the server had a problem (HTTP %1)")).arg(status);
        else
            words =
                say(wording, QT_TR_NOOP("the server refused the request (HTTP %1)")).arg(status);
    }
    if (words.isEmpty())
        words = outcome.reason;
    if (kept)
        words += say(wording, QT_TR_NOOP("; %1 of %2 kept, Retry resumes")).arg(keptBytes, whole);
    return words;
}

WordedText FailureWords::unreadableArchive(const QString &archive, const QByteArray &contentType)
{
    // The archive is read once; both wordings follow from what was found.
    const auto both = [](const auto &word) {
        return WordedText{word(Wording::Log), word(Wording::Player)};
    };
    bool webPageFound = contentType.trimmed().toLower().startsWith("text/html");
    QFile file(archive);
    if (!webPageFound && file.open(QIODevice::ReadOnly))
        webPageFound = file.read(512).trimmed().startsWith('<');
    if (webPageFound)
        return both([](Wording wording) { return webPage(wording); });
    QStringList entries;
    QString why;
    const bool read = DiskPackage::entryNames(archive, &entries, &why);
    if (!read && !TsUnZip::hasNoEntries(archive))
        return both([&why](Wording wording) {
            return say(wording, QT_TR_NOOP("Couldn't open zip: %1"))
                .arg(unpackDetail(why, wording));
        });
    if (entries.isEmpty())
        return both([](Wording wording) {
            return say(wording,
                       QT_TR_NOOP("Couldn't go to first file: the archive has no entries"));
        });
    return {};
}
