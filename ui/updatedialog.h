#pragma once

#include <QString>

#include <functional>

class FramelessWindow;

// Builds and shows the update dialog: "Check for Updates", 640 × 360, a line naming the version
// offered ("Version v1.0.12 is available."; without a version "A new version is available."), the
// release notes (lines separated by "\n") as plain text, and "Skip This Version", "Cancel" and
// "Download in External Browser". Every button closes it; the download button then runs
// `download`, the skip button `skip`. A window of its own above the main window (its parent),
// centred on it, not modal; closing only hides it, and it lives until its parent goes. GUI thread
// only. With a `site` (a build whose installer program is not for this system), the line names the
// version and the site ("Version v1.0.12 is available on the service's site, <site>.") and the
// download button reads "Open the Site in the Browser".
FramelessWindow *showUpdateDialog(const QString &version, const QString &notes,
                                  std::function<void()> download, std::function<void()> skip,
                                  const QString &site = QString());
