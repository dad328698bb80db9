#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class FramelessWindow;

// Fetches the version file and, when the service has a newer build than this one, offers the new
// installer in a dialog. The silent form (explicitCheck false) says nothing otherwise; the
// explicit form tells the user that this is the latest version. Returns at once.
void checkForUpdates(bool explicitCheck);

// The build number compiled into the application, "721".
QString buildNumber();
// Application name + " v1.0.11a721".
QString versionLabel();

// Builds and shows the update dialog with the given notes (lines separated by "\n"), shown as
// plain text, centred on the main window.
FramelessWindow *showUpdateDialog(const QString &notes);

// What "Download in External Browser" does with the download address; by default the user's web
// browser opens it. Tests put their own action here; an empty action restores the default.
using BrowserAction = std::function<void(const QUrl &)>;
void setBrowserAction(BrowserAction action);
