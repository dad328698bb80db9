#include "updatecheck.h"

#include "apppaths.h"
#include "serviceendpoints.h"
#include "tsdownloader.h"
#include "tsmessage.h"
#include "zerunversion.h"

#include <QCoreApplication>
#include <QDesktopServices>

#include <algorithm>
#include <utility>

namespace {

BrowserAction &browserAction()
{
    static BrowserAction action;
    return action;
}

UpdateOffer &updateOffer()
{
    static UpdateOffer offer;
    return offer;
}

// A line of the version file without the CR of a CRLF line end.
QString versionFileLine(const QStringList &lines, int index)
{
    QString line = lines.value(index);
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

void versionFileArrived(TsDownloader *downloader, bool explicitCheck)
{
    const QStringList lines = QString::fromUtf8(downloader->downloadedData()).split('\n');
    OfferedBuild offered;
    offered.build = lines.value(0).trimmed().toInt();
    offered.version = lines.value(1).trimmed();
    offered.notes = versionFileLine(lines, 2);
    offered.notes.replace(QLatin1Char('|'), QLatin1Char('\n'));

    if (offersBuild(offered.build, explicitCheck)) {
        if (updateOffer())
            updateOffer()(offered);
    } else if (explicitCheck)
        TsMessage::message(
            QCoreApplication::translate("UpdateCheck", "Check for Updates"),
            QCoreApplication::translate("UpdateCheck", "You currently have the latest version."));
}

} // namespace

QString buildNumber()
{
    return QString::fromLatin1(zerunBuildNumber);
}

QString versionLabel()
{
    return QCoreApplication::applicationName() + QLatin1Char(' ') + QLatin1String(zerunVersion) +
           QLatin1Char('a') + QLatin1String(zerunBuildNumber);
}

void setBrowserAction(BrowserAction action)
{
    browserAction() = std::move(action);
}

void checkForUpdates(bool explicitCheck)
{
    // Lives as long as the application: the reply may come at any time, or never.
    TsDownloader::Options options;
    options.maximumSize = ServiceEndpoints::versionFileMaximumSize;
    auto *downloader =
        new TsDownloader(ServiceEndpoints::versionFileUrl(), options, QCoreApplication::instance());
    QObject::connect(
        downloader, &TsDownloader::downloaded, downloader,
        [explicitCheck](TsDownloader *obj) { versionFileArrived(obj, explicitCheck); });
}

bool offersBuild(int remote, bool explicitCheck)
{
    const int newest = explicitCheck ? buildNumber().toInt()
                                     : std::max(buildNumber().toInt(), AppPaths::skippedBuild());
    return newest < remote;
}

void skipBuild(int build)
{
    AppPaths::setSkippedBuild(build);
}

void setUpdateOffer(UpdateOffer offer)
{
    updateOffer() = std::move(offer);
}

bool updateIsInstallerProgram()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

QUrl updateDownloadUrl()
{
    return updateIsInstallerProgram() ? ServiceEndpoints::installerUrl()
                                      : ServiceEndpoints::siteUrl();
}

void openInstallerDownload()
{
    const QUrl url = updateDownloadUrl();
    if (browserAction())
        browserAction()(url);
    else
        QDesktopServices::openUrl(url);
}
