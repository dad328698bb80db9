#include "cataloguefetch.h"

#include "apppaths.h"
#include "catalogue.h"
#include "downloadmanager.h"
#include "failurewords.h"
#include "serviceendpoints.h"
#include "sha256.h"
#include "tsdownloader.h"
#include "tslogging.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

QByteArray checksum(const QByteArray &data)
{
    return Sha256::hexOf(data);
}

// The host as people write it: with its port when it has one, never with user information.
QString hostOf(const QUrl &url)
{
    return url.port() > 0 ? url.host() + QLatin1Char(':') + QString::number(url.port())
                          : url.host();
}

// A secure host's certificate problem, as downloads name it.
WordedText certificateWords(const QList<QSslError> &errors, const QString &host)
{
    return {FailureWords::certificateProblem(errors, host, Wording::Log),
            FailureWords::certificateProblem(errors, host, Wording::Player)};
}

void logLine(const QString &text)
{
    TsLogging::Log::channelDebug(TsLogging::Channel::strName(),
                                 QStringLiteral("Catalogue: ") + text);
}

bool writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

QString CatalogueFetch::Result::notice(const QDateTime &now, Wording wording) const
{
    if (failure.isEmpty())
        return QString();
    const QString why =
        wording == Wording::Player && !failureWords.isEmpty() ? failureWords : failure;
    if (source == Cache)
        return worded(wording, "CatalogueFetch",
                      //: %1 is how old the kept list is ("3 days ago"), %2 why no newer one
                      QT_TRANSLATE_NOOP("CatalogueFetch", "Showing the package list from %1: %2"))
            .arg(ageText(std::max<qint64>(0, cachedAt.secsTo(now)), wording), why);
    return worded(wording, "CatalogueFetch",
                  //: %1 is why
                  QT_TRANSLATE_NOOP("CatalogueFetch", "The package list could not be loaded: %1"))
        .arg(why);
}

CatalogueFetch::CatalogueFetch(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<CatalogueFetch::Result>();
}

CatalogueFetch::~CatalogueFetch() = default;

QString CatalogueFetch::cacheFile()
{
    return AppPaths::cacheFolder() + QStringLiteral("/catalogue.dat");
}

QString CatalogueFetch::cacheNoteFile()
{
    return AppPaths::cacheFolder() + QStringLiteral("/catalogue.dat.info");
}

QString CatalogueFetch::ageText(qint64 seconds, Wording wording)
{
    const auto count = [wording](qint64 n, const char *text) {
        return worded(wording, "CatalogueFetch", text, nullptr, int(n));
    };
    if (seconds < 60)
        return worded(wording, "CatalogueFetch",
                      QT_TRANSLATE_NOOP("CatalogueFetch", "less than a minute ago"));
    if (seconds < 3600)
        return count(seconds / 60, QT_TRANSLATE_N_NOOP("CatalogueFetch", "%n minute(s) ago"));
    if (seconds < 86400)
        return count(seconds / 3600, QT_TRANSLATE_N_NOOP("CatalogueFetch", "%n hour(s) ago"));
    return count(seconds / 86400, QT_TRANSLATE_N_NOOP("CatalogueFetch", "%n day(s) ago"));
}

bool CatalogueFetch::isRunning() const
{
    return downloader != nullptr;
}

void CatalogueFetch::start(const QUrl &address)
{
    url = address;
    kept = readCache(url);
    TsDownloader::Options options;
    options.maximumSize = ServiceEndpoints::catalogueMaximumSize;
    options.speedFloor = floor;
    // The host need not send the list again when the kept copy is still its current one.
    if (kept.valid && !kept.entityTag.isEmpty())
        options.headers.append({"If-None-Match", kept.entityTag});
    if (kept.valid && !kept.lastModified.isEmpty())
        options.headers.append({"If-Modified-Since", kept.lastModified});
    downloader = std::make_unique<TsDownloader>(url, options);
    connect(downloader.get(), &TsDownloader::downloaded, this, &CatalogueFetch::arrived);
    connect(downloader.get(), &TsDownloader::failed, this, &CatalogueFetch::failed);
}

void CatalogueFetch::arrived(TsDownloader *fetched)
{
    Result result;
    result.host = hostOf(url);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (fetched->statusCode() == 304) {
        if (!kept.valid) {
            // Not asked for: a 304 without a kept copy leaves nothing to show.
            const WordedText why = wordedText(
                "CatalogueFetch", QT_TRANSLATE_NOOP("CatalogueFetch", "the server sent no list"));
            result.failure = why.log;
            result.failureWords = why.player;
            finish(result);
            return;
        }
        writeNote(url, kept.data, kept.entityTag, kept.lastModified, now);
        result.source = Result::Cache;
        result.data = kept.data;
        result.cachedAt = now;
        finish(result);
        return;
    }
    if (!Catalogue::isCatalogue(fetched->downloadedData())) {
        // Something answered, but not with a list (a network's login page, an empty body): as
        // good as no answer, and no reason to give up the kept copy.
        fail(wordedText(
                 "CatalogueFetch",
                 //: %1 is the host
                 QT_TRANSLATE_NOOP("CatalogueFetch", "the answer from %1 is not a package list"))
                 .arg(result.host));
        return;
    }
    result.source = Result::Network;
    result.data = fetched->downloadedData();
    result.cachedAt = now;
    // The list is written whole before its note, which vouches for it by length and checksum.
    QDir().mkpath(AppPaths::cacheFolder());
    if (writeWhole(cacheFile(), result.data))
        writeNote(url, result.data, fetched->rawHeader("ETag"), fetched->rawHeader("Last-Modified"),
                  now);
    else
        logLine(QStringLiteral("could not keep a copy in ") + cacheFile());
    finish(result);
}

void CatalogueFetch::failed(TsDownloader *fetched)
{
    const QNetworkReply::NetworkError error = fetched->networkError();
    if (fetched->wasTooSlow()) {
        WordedText why =
            wordedText("CatalogueFetch",
                       //: %1 is the host
                       QT_TRANSLATE_NOOP("CatalogueFetch", "%1 is sending the list too slowly"))
                .arg(hostOf(url));
        why.log += QStringLiteral(" (") + fetched->errorString() + QLatin1Char(')');
        fail(why);
    } else if (error == QNetworkReply::HostNotFoundError || DownloadManager::isPassingError(error))
        fail(wordedText("CatalogueFetch",
                        //: %1 is the host
                        QT_TRANSLATE_NOOP("CatalogueFetch", "could not reach %1"))
                 .arg(hostOf(url)));
    else if (error == QNetworkReply::SslHandshakeFailedError && !fetched->sslErrors().isEmpty())
        fail(certificateWords(fetched->sslErrors(),
                              fetched->sslHost().isEmpty() ? url.host() : fetched->sslHost()));
    else
        fail({fetched->errorString(), fetched->errorString()});
}

void CatalogueFetch::fail(const WordedText &reason)
{
    Result result;
    result.host = hostOf(url);
    result.failure = reason.log;
    result.failureWords = reason.player;
    if (kept.valid) {
        result.source = Result::Cache;
        result.data = kept.data;
        result.cachedAt = kept.confirmed;
    }
    logLine(result.failure + (kept.valid ? QStringLiteral("; showing the kept copy")
                                         : QStringLiteral("; no kept copy")));
    finish(result);
}

void CatalogueFetch::finish(Result result)
{
    // The downloader is the sender: it goes once control is back in the event loop.
    downloader.release()->deleteLater();
    kept = Kept();
    emit finished(result);
}

CatalogueFetch::Kept CatalogueFetch::readCache(const QUrl &url)
{
    Kept copy;
    const QHash<QByteArray, QByteArray> note = DownloadManager::readNote(cacheNoteFile());
    if (note.isEmpty())
        return copy;
    const QByteArray noted = note.value("url");
    const QByteArray sum = note.value("sha256");
    const qint64 length = note.value("length", "-1").toLongLong();
    copy.entityTag = note.value("etag");
    copy.lastModified = note.value("last-modified");
    copy.confirmed =
        QDateTime::fromString(QString::fromLatin1(note.value("confirmed")), Qt::ISODateWithMs);
    // A copy of another host's list is not this one's.
    if (noted != url.toEncoded())
        return copy;
    QFile file(cacheFile());
    if (length < 0 || length > ServiceEndpoints::catalogueMaximumSize ||
        !copy.confirmed.isValid() || !file.open(QIODevice::ReadOnly) || file.size() != length) {
        logLine(QStringLiteral("the kept copy is incomplete and is not used"));
        return copy;
    }
    copy.data = file.readAll();
    if (checksum(copy.data) != sum) {
        logLine(QStringLiteral("the kept copy is damaged and is not used"));
        copy.data.clear();
        return copy;
    }
    copy.valid = true;
    return copy;
}

void CatalogueFetch::writeNote(const QUrl &url, const QByteArray &data, const QByteArray &entityTag,
                               const QByteArray &lastModified, const QDateTime &confirmed)
{
    const QByteArray note =
        "url=" + url.toEncoded() + "\netag=" + entityTag + "\nlast-modified=" + lastModified +
        "\nconfirmed=" + confirmed.toUTC().toString(Qt::ISODateWithMs).toLatin1() +
        "\nlength=" + QByteArray::number(data.size()) + "\nsha256=" + checksum(data) + '\n';
    if (!writeWhole(cacheNoteFile(), note))
        logLine(QStringLiteral("could not write ") + cacheNoteFile());
}
