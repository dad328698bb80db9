#pragma once

#include <QString>

#include <functional>

class FramelessWindow;

// Builds and shows the update dialog: "Check for Updates", 640 × 360, the release notes (lines
// separated by "\n") as plain text, "Cancel" and "Download in External Browser". Both buttons
// close it; the download button then runs `download`. A child of the main window, drawn inside
// and centred on it, not modal; closing only hides it, and it lives until its parent goes.
// GUI thread only.
FramelessWindow *showUpdateDialog(const QString &notes, std::function<void()> download);
