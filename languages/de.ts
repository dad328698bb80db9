<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>DialogCaption</name>
    <message>
        <source>Choose a Database to Open</source>
        <translation>Zu öffnende Datenbank wählen</translation>
    </message>
    <message>
        <source>Save Database</source>
        <translation>Datenbank speichern</translation>
    </message>
</context>
<context>
    <name>DialogFilter</name>
    <message>
        <source>Images (*.png *.jpg)</source>
        <translation>Bilder (*.png *.jpg)</translation>
    </message>
    <message>
        <source>Microsoft Access Database (*.mdb); SQLite Database (*.db); Tandel Database (*.tdb)</source>
        <translation>Microsoft-Access-Datenbank (*.mdb); SQLite-Datenbank (*.db); Tandel-Datenbank (*.tdb)</translation>
    </message>
    <message>
        <source>Database (*.tdb)</source>
        <translation>Datenbank (*.tdb)</translation>
    </message>
</context>
<context>
    <name>FailureWords</name>
    <message>
        <source>bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the server sent a web page instead of the package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the server closed the connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the server could not be found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the server stopped sending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the secure connection could not be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not found on the server (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the server refused to send it (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the server had a problem (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the server refused the request (HTTP %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; %1 of %2 kept, Retry resumes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file: the archive has no entries</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FramelessWindow</name>
    <message>
        <source>Frameless Window</source>
        <translation>Rahmenloses Fenster</translation>
    </message>
</context>
<context>
    <name>InstallRules</name>
    <message>
        <source>Folder Name can&apos;t be longer than 24 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain illegal characters &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain control characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder Name can&apos;t end with a blank or a dot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder Name needs more than dots and blanks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a name Windows keeps for itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Applies at the next start.</source>
        <translation>Gilt ab dem nächsten Start.</translation>
    </message>
</context>
<context>
    <name>LogWindows</name>
    <message>
        <source>Session Log</source>
        <translation>Sitzungsprotokoll</translation>
    </message>
</context>
<context>
    <name>PackageInstall</name>
    <message numerus="yes">
        <source>kept your %n changed file(s); the package&apos;s versions are beside them as %1: %2</source>
        <extracomment>%1 is the file name ending the package&apos;s versions get, %2 the list of files</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>took the package&apos;s versions; yours are kept as %1: %2</source>
        <extracomment>%1 is the file name ending the player&apos;s versions get, %2 the list of files</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) of the old version that you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>could not remove %n file(s) of the old version: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>the record could not be written (%1); it is tried again at the next start</source>
        <extracomment>%1 is why the record could not be written</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PackageRemoval</name>
    <message>
        <source>Could not uninstall %1: %2.</source>
        <extracomment>%1 is the package, %2 why it cannot be uninstalled</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded: %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the files</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you added: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) another package also installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageVerify</name>
    <message numerus="yes">
        <source>All %1 files as installed</source>
        <extracomment>%1 is the number of files</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 missing</source>
        <comment>files</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 changed</source>
        <comment>files</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Missing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your own files (not part of the package, left alone):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QuestionQueue</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StandardDialog</name>
    <message>
        <source> (You must enter a value)</source>
        <translation> (Sie müssen einen Wert eingeben)</translation>
    </message>
</context>
<context>
    <name>TsLogging</name>
    <message>
        <source>Fatal</source>
        <translation>Schwerwiegend</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Fehlersuche</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Channel Log: %1 |</source>
        <translation>Kanalprotokoll: %1 |</translation>
    </message>
</context>
<context>
    <name>TsMessage</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>You currently have the latest version.</source>
        <translation>Sie haben bereits die neueste Version.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Download in External Browser</source>
        <translation>Im externen Browser herunterladen</translation>
    </message>
    <message>
        <source>Version %1 is available.</source>
        <translation>Version %1 ist verfügbar.</translation>
    </message>
    <message>
        <source>A new version is available.</source>
        <translation>Eine neue Version ist verfügbar.</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Diese Version überspringen</translation>
    </message>
</context>
<context>
    <name>WindowAccess</name>
    <message>
        <source>Package kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows all packages, one kind of package, or the installed ones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search packages</source>
        <translation type="unfinished">Pakete suchen</translation>
    </message>
    <message>
        <source>Shows only the packages whose names hold this text; Ctrl+F comes here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation type="unfinished">Liste leeren</translation>
    </message>
    <message>
        <source>Takes every package off the download list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter adds the selected packages to the download list; Delete uninstalls the selected installed package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download List</source>
        <translation type="unfinished">Download-Liste</translation>
    </message>
    <message>
        <source>Enter starts the download; Delete takes the selected packages off the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation type="unfinished">Erneut versuchen</translation>
    </message>
    <message>
        <source>Fetches the package list again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updates every installed package that has a newer archive, each in its folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Puts the packages of a shared package list on the download list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Package List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saves the installed packages from the package list to a file to share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished">Sprache</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation type="unfinished">Zur Download-Liste hinzufügen</translation>
    </message>
    <message>
        <source>Adds the selected packages to the download list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation type="unfinished">Deinstallieren</translation>
    </message>
    <message>
        <source>Removes the selected installed package from the game folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify</source>
        <translation type="unfinished">Prüfen</translation>
    </message>
    <message>
        <source>Checks the selected installed packages&apos; files against what was installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installs a package archive (.zip) you have on disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished">Herunterladen</translation>
    </message>
    <message>
        <source>Downloads the packages on the download list and installs them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How far the current package has come</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Batch progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many packages of the batch are over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How each package of the batch ended</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation type="unfinished">Zurück</translation>
    </message>
    <message>
        <source>Back to the package list; Esc does the same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Details</source>
        <translation type="unfinished">Details kopieren</translation>
    </message>
    <message>
        <source>Copies the outcome lines to the clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry Failed</source>
        <translation type="unfinished">Fehlgeschlagene wiederholen</translation>
    </message>
    <message>
        <source>Downloads and installs again the packages that did not install</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Abbrechen</translation>
    </message>
    <message>
        <source>Asks whether to skip the current package or stop the batch; Esc does the same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished">Beenden</translation>
    </message>
    <message>
        <source>Closes the installer</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Zerun</name>
    <message>
        <source>Zerun</source>
        <translation>Zerun</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Mods</source>
        <translation>Mods</translation>
    </message>
    <message>
        <source>Picture Packs</source>
        <translation>Bilderpakete</translation>
    </message>
    <message>
        <source>Skins</source>
        <translation>Skins</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installiert</translation>
    </message>
    <message>
        <source>Search packages</source>
        <translation>Pakete suchen</translation>
    </message>
    <message>
        <source>Download List</source>
        <translation>Download-Liste</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Language of the installer</source>
        <translation>Sprache des Installationsprogramms</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation>Zur Download-Liste hinzufügen</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Check the selected installed packages&apos; files against what was installed</source>
        <translation>Die Dateien der gewählten installierten Pakete mit dem Installierten vergleichen</translation>
    </message>
    <message>
        <source>Install from File...</source>
        <translation>Aus Datei installieren...</translation>
    </message>
    <message>
        <source>Install a package archive (.zip) you have on disk; you can also drop it here</source>
        <translation>Ein Paketarchiv (.zip) von Ihrem Datenträger installieren; Sie können es auch hierher ziehen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>%v of %m packages</source>
        <translation>%v von %m Paketen</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Copy Details</source>
        <translation>Details kopieren</translation>
    </message>
    <message>
        <source>Retry Failed</source>
        <translation>Fehlgeschlagene wiederholen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Update all (0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update every installed package that has a newer archive, each in its folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the packages of a shared package list on the download list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the installed packages from the package list to a file to share</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait, this may take a minute...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not enough disk space: needs %1, %2 free</source>
        <extracomment>%1 is the size the package needs, %2 the free space</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading the package list...</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n package(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · %n line(s) could not be read</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Installed packages: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (from disk)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed in %1 on %2 — update available</source>
        <extracomment>%1 is the package&apos;s folder in the game, %2 the day it was installed</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed in %1 on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall %1</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Uninstall %1 from %2?

Its files are removed; files you changed or added there are kept.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading %1</source>
        <extracomment>%1 is the package and where it stands in the list: &quot;Name (2 of 5)&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloaded %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting for a folder name for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>redirected, not downloaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The download list is empty. Pick packages in the list on the left and press Add to Download List (or double-click them), then Download.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None of the packages on the download list is in the package list any more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2 of %3)</source>
        <extracomment>%1 is the package, %2 its place in the list, %3 the number of packages in the list</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source> · about %n min left</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · about %n s left</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Installed %1 of %n package(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no folder chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file: the archive has no entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unpacking %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) · %2</source>
        <extracomment>%1 is the number of files unpacked, %2 what the unpacking last did, in English</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that this version replaces:

%2

Keep yours (the package&apos;s new versions go beside them as &lt;file&gt;%3), or take the package&apos;s (yours are kept as &lt;file&gt;%4)?</source>
        <extracomment>%1 is the package, %2 the list of files, %3 and %4 the file name endings the package&apos;s and the player&apos;s versions get</extracomment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the Package&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 %2 into:</source>
        <extracomment>%1 is the package, %2 its kind: Mod, Picture Pack or Skin</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; already exists.

Update it with %2? The package&apos;s files replace those of the same name; your other files stay.</source>
        <extracomment>%1 is the folder, %2 the package</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Another Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished">Schließen</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch and close?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A package being unpacked is undone; a download is kept to be resumed later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip This Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop and Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the Batch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the batch was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Verifying: %1 of %n file(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Stop Verifying</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put back the missing and changed files from the package&apos;s archive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not install %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be installed</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packages are being installed. Install %1 when they are done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What kind of package is %1?

From what the archive holds it looks like a %2.</source>
        <extracomment>%1 is the package, %2 a kind: Mod, Picture Pack or Skin</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A package of the same name and kind from the package list is installed in %1. Rename the archive to install it beside that one.</source>
        <extracomment>%1 is the folder of the package installed from the package list</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed the %1 %2 into %3.</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin; %2 the package, %3 its folder</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing %1: %2%</source>
        <extracomment>%1 is the package, %2 the share unpacked</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not repair %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be repaired</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no room for the archive in the downloads folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fetching %1 again...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the archive could not be fetched from %1: %2</source>
        <extracomment>%1 is the address, %2 why it could not be fetched</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the archive could not be saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>that archive is not the one that was installed. Install it with Install from File to update the package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The host now serves another file for %1 than the one installed, so it cannot repair it.

Update to the file it serves now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the package is not in the package list any more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repaired %1 in %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
