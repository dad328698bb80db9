#pragma once

#include <QString>

#include <functional>

class FramelessWindow;

// Builds and shows the update dialog: "Check for Updates", 640 × 360, a line naming the version
// offered ("Version v1.0.12 is available."; without a version "A new version is available."), the
// release notes (lines separated by "\n") as plain text, and "Skip This Version", "Cancel" and
// "Download in External Browser". Every button closes it; the download button then runs
// `download`, the skip button `skip`. A child of the main window, drawn inside and centred on it,
// not modal; closing only hides it, and it lives until its parent goes. GUI thread only.
FramelessWindow *showUpdateDialog(const QString &version, const QString &notes,
                                  std::function<void()> download, std::function<void()> skip);
