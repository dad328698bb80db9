#pragma once

#include <QString>

// The windows of the log: the "Session Log" viewer and the alert dialog. The log itself lives
// below the window layer and writes only its file; install() hands it these windows, and
// start-up calls it once the application object exists. GUI thread only.
namespace LogWindows {

// Sets both as the log's hooks (TsLogging::setSessionLogViewer, TsLogging::setAlertPresenter).
void install();

// Opens a new frameless "Session Log" window, 640 × 360 (smaller over a smaller main window),
// holding `logText` as plain text, centred on the main window (on the screen without one) and
// active. Esc closes it; the window deletes itself when closed.
void showSessionLog(const QString &logText);

// Opens that window on today's log file (TsLogging::dailyLogFileFor at TsLogging::now()). When
// the file holds nothing yet or cannot be read, the window says so and names the file instead.
void showTodaysLog();

// Prepares the toolkit's shared error dialog with `title`, the window icon, the "errors" skin
// style sheet and no close or help button; it is not shown. Does nothing without a widget
// application.
void configureAlertDialog(const QString &title);

} // namespace LogWindows
