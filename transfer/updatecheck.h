#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Fetches the version file and, when the service has a newer build than this one, offers the new
// installer through the update offer (below). The silent form (explicitCheck false) says nothing
// otherwise; the explicit form tells the user that this is the latest version. Returns at once;
// the answer is handled on the GUI thread inside the downloader's signal, once, or never when
// the version file cannot be fetched. The downloader lives until the application object goes.
void checkForUpdates(bool explicitCheck);

// The build number compiled into the application, "721".
QString buildNumber();
// Application name + " v1.0.11a721".
QString versionLabel();

// What the check does with a newer build: gets the release notes (lines separated by "\n").
// The window layer supplies the dialog, and start-up installs it; without an offer a newer
// build goes unmentioned. An empty offer removes it.
using UpdateOffer = std::function<void(const QString &notes)>;
void setUpdateOffer(UpdateOffer offer);

// Opens the installer's download address through the browser action.
void openInstallerDownload();

// What "Download in External Browser" does with the download address; by default the user's web
// browser opens it. Tests put their own action here; an empty action restores the default.
using BrowserAction = std::function<void(const QUrl &)>;
void setBrowserAction(BrowserAction action);
