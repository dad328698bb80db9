#pragma once

#include <QString>

// The installer's start-up, in the pieces the entry point runs one after the other. Everything
// before runInstaller's application object works on static toolkit state and the file system only.

// Name the application goes by, passed to initialiseApplication.
inline const char *const installerApplicationName = "Zerun Installer";

// Sets the installer's identity: organisation "Tandel Orvik", its domain, the application name
// given and the version of zerunversion.h. Every folder path is built from it, so anything that
// asks for a path (the tests too) sets it first.
void setInstallerIdentity(
    const QString &applicationName = QString::fromLatin1(installerApplicationName));

// Sets the identity, creates the folder tree under that identity, installs the crash handler,
// then sets the application attributes. Call it once, before the application object exists.
void initialiseApplication(const QString &applicationName);

// Hands the lower layers the windows they show: the log's viewer and alert dialog, and the
// update dialog, whose download button opens the installer's download address. Call it on the
// GUI thread once the application object exists.
void installWindowHooks();

// Empties the logs folder when it holds more than 10 dump and text files, all but a crash report
// that has not been offered to the player yet; true when it did. The
// installer calls it only once it holds the profile's single-instance lock: the logs of a running
// installer (crash dumps waiting for consent among them) are never its to empty.
bool clearLogsFolderIfFull();

// The whole start-up, event loop and teardown; returns the exit code. argc must outlive the
// call (the application object keeps a reference to it).
int runInstaller(int &argc, char **argv);
