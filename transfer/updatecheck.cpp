#include "updatecheck.h"

#include "serviceendpoints.h"
#include "tsdownloader.h"
#include "tsmessage.h"
#include "zerunversion.h"

#include <QCoreApplication>
#include <QDesktopServices>

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

void versionFileArrived(TsDownloader *downloader, bool explicitCheck)
{
    const QStringList lines = QString::fromUtf8(downloader->downloadedData()).split('\n');
    // A version file written with CRLF line ends still names its build.
    const int remote = lines.value(0).trimmed().toInt();
    const int local = buildNumber().toInt();
    QString notes = lines.value(2);
    if (notes.endsWith(QLatin1Char('\r')))
        notes.chop(1);
    notes.replace(QLatin1Char('|'), QLatin1Char('\n'));

    if (local < remote) {
        if (updateOffer())
            updateOffer()(notes);
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

void setUpdateOffer(UpdateOffer offer)
{
    updateOffer() = std::move(offer);
}

void openInstallerDownload()
{
    const QUrl url = ServiceEndpoints::installerUrl();
    if (browserAction())
        browserAction()(url);
    else
        QDesktopServices::openUrl(url);
}
