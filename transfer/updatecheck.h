#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Fetches the version file and, when the service has a newer build than this one, offers the new
// installer through the update offer (below). The silent form (explicitCheck false) says nothing
// otherwise, and passes over a build the player skipped, or an older one; the explicit form offers
// any newer build and otherwise tells the user that this is the latest version. Returns at once;
// the answer is handled on the GUI thread inside the downloader's signal, once, or never when
// the version file cannot be fetched. The downloader lives until the application object goes.
void checkForUpdates(bool explicitCheck);

// The build number compiled into the application, "721".
QString buildNumber();
// Application name + " v1.0.11a721".
QString versionLabel();

// A newer build the version file names: its number (line 1), the version it is known by (line 2,
// "v1.0.12"; empty when the file has none) and the release notes (line 3, lines separated by
// "\n").
struct OfferedBuild
{
    int build = 0;
    QString version;
    QString notes;
};

// Whether a check offers `remote`: only a build newer than this one, and in the silent form only
// one newer than the build the player skipped (AppPaths::skippedBuild).
bool offersBuild(int remote, bool explicitCheck);
// Remembers `build` as skipped: silent checks pass over it and every older one from now on.
void skipBuild(int build);

// What the check does with a newer build it offers. The window layer supplies the dialog, and
// start-up installs it; without an offer a newer build goes unmentioned. An empty offer removes
// it.
using UpdateOffer = std::function<void(const OfferedBuild &offered)>;
void setUpdateOffer(UpdateOffer offer);

// Where a newer build is fetched: the installer program on a Windows build; elsewhere the
// service's site (ServiceEndpoints::siteUrl), since the installer program is a Windows one.
QUrl updateDownloadUrl();
// Whether updateDownloadUrl() is the installer program itself (a Windows build).
bool updateIsInstallerProgram();

// Opens updateDownloadUrl() through the browser action.
void openInstallerDownload();

// What "Download in External Browser" does with the download address; by default the user's web
// browser opens it. Tests put their own action here; an empty action restores the default.
using BrowserAction = std::function<void(const QUrl &)>;
void setBrowserAction(BrowserAction action);
