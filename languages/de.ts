<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CatalogueFetch</name>
    <message>
        <source>Showing the package list from %1: %2</source>
        <extracomment>%1 is how old the kept list is (&quot;3 days ago&quot;), %2 why no newer one</extracomment>
        <translation>Die gespeicherte Paketliste (%1) wird angezeigt: %2</translation>
    </message>
    <message>
        <source>The package list could not be loaded: %1</source>
        <extracomment>%1 is why</extracomment>
        <translation>Die Paketliste konnte nicht geladen werden: %1</translation>
    </message>
    <message>
        <source>less than a minute ago</source>
        <translation>vor weniger als einer Minute</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>vor %n Minute</numerusform>
            <numerusform>vor %n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>vor %n Stunde</numerusform>
            <numerusform>vor %n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>vor %n Tag</numerusform>
            <numerusform>vor %n Tagen</numerusform>
        </translation>
    </message>
    <message>
        <source>the server sent no list</source>
        <translation>der Server hat keine Liste gesendet</translation>
    </message>
    <message>
        <source>the answer from %1 is not a package list</source>
        <extracomment>%1 is the host</extracomment>
        <translation>die Antwort von %1 ist keine Paketliste</translation>
    </message>
    <message>
        <source>could not reach %1</source>
        <extracomment>%1 is the host</extracomment>
        <translation>%1 war nicht erreichbar</translation>
    </message>
    <message>
        <source>%1 is sending the list too slowly</source>
        <extracomment>%1 is the host</extracomment>
        <translation>%1 sendet die Liste zu langsam</translation>
    </message>
</context>
<context>
    <name>CatalogueRows</name>
    <message>
        <source>%1  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1  — %2, installiert am %3</translation>
    </message>
    <message>
        <source>%1 (from disk)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1 (vom Datenträger)  — %2, installiert am %3</translation>
    </message>
    <message>
        <source>%1 (not in the package list)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1 (nicht in der Paketliste)  — %2, installiert am %3</translation>
    </message>
</context>
<context>
    <name>CrashReportConsent</name>
    <message>
        <source>Crash Report</source>
        <translation>Absturzbericht</translation>
    </message>
    <message>
        <source>Zerun Installer closed unexpectedly last time. Send the crash report to help fix it?</source>
        <translation>Zerun Installer wurde beim letzten Mal unerwartet beendet. Den Absturzbericht senden, um bei der Behebung zu helfen?</translation>
    </message>
    <message>
        <source>The report holds:</source>
        <translation>Der Bericht enthält:</translation>
    </message>
    <message>
        <source>Show report contents</source>
        <translation>Inhalt des Berichts anzeigen</translation>
    </message>
    <message>
        <source>Don&apos;t send</source>
        <translation>Nicht senden</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>%1: the installer&apos;s log of that day; it names folders of your home folder</source>
        <extracomment>%1 is a file name in the crash report</extracomment>
        <translation>%1: das Protokoll des Installationsprogramms von diesem Tag; es nennt Ordner in Ihrem Persönlichen Ordner</translation>
    </message>
    <message>
        <source>%1: a screenshot of the installer&apos;s window at the crash</source>
        <translation>%1: ein Bildschirmfoto des Fensters beim Absturz</translation>
    </message>
    <message>
        <source>%1: the state of the installer&apos;s memory at the crash, for the developers</source>
        <translation>%1: der Speicherzustand des Installationsprogramms beim Absturz, für die Entwickler</translation>
    </message>
    <message>
        <source>%1: the time of the crash</source>
        <translation>%1: der Zeitpunkt des Absturzes</translation>
    </message>
    <message>
        <source>Its summary line:</source>
        <translation>Seine Zusammenfassungszeile:</translation>
    </message>
</context>
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
        <translation>Bytes</translation>
    </message>
    <message>
        <source>%1 of %2 %3</source>
        <translation>%1 von %2 %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>the server sent a web page instead of the package</source>
        <translation>der Server hat eine Webseite statt des Pakets geschickt</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>the server closed the connection</source>
        <translation>der Server hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>the server could not be found</source>
        <translation>der Server wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the server stopped sending</source>
        <translation>der Server hat aufgehört zu senden</translation>
    </message>
    <message>
        <source>the secure connection could not be made</source>
        <translation>die sichere Verbindung konnte nicht hergestellt werden</translation>
    </message>
    <message>
        <source>not found on the server (HTTP %1)</source>
        <translation>auf dem Server nicht gefunden (HTTP %1)</translation>
    </message>
    <message>
        <source>the server refused to send it (HTTP %1)</source>
        <translation>der Server verweigert den Zugriff (HTTP %1)</translation>
    </message>
    <message>
        <source>the server had a problem (HTTP %1)</source>
        <translation>der Server hatte ein Problem (HTTP %1)</translation>
    </message>
    <message>
        <source>the server refused the request (HTTP %1)</source>
        <translation>der Server hat die Anfrage abgelehnt (HTTP %1)</translation>
    </message>
    <message>
        <source>; %1 of %2 kept, Retry resumes</source>
        <translation>; %1 von %2 behalten, ein erneuter Versuch macht dort weiter</translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip: %1</source>
        <translation>Zip-Datei konnte nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file: the archive has no entries</source>
        <translation>Erste Datei nicht erreichbar: Das Archiv enthält keine Einträge</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted (self-signed)</source>
        <translation>dem Zertifikat von %1 wird nicht vertraut (selbst signiert)</translation>
    </message>
    <message>
        <source>the certificate of %1 has expired</source>
        <translation>das Zertifikat von %1 ist abgelaufen</translation>
    </message>
    <message>
        <source>the certificate of %1 is not valid yet</source>
        <translation>das Zertifikat von %1 ist noch nicht gültig</translation>
    </message>
    <message>
        <source>the certificate of %1 is made out for another host</source>
        <translation>das Zertifikat von %1 ist für einen anderen Server ausgestellt</translation>
    </message>
    <message>
        <source>the certificate of %1 has been revoked</source>
        <translation>das Zertifikat von %1 wurde widerrufen</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted (unknown issuer)</source>
        <translation>dem Zertifikat von %1 wird nicht vertraut (unbekannter Aussteller)</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted</source>
        <translation>dem Zertifikat von %1 wird nicht vertraut</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>there is no room for more files on the disk</source>
        <translation>auf dem Datenträger ist kein Platz für weitere Dateien</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written (read-only)</source>
        <translation>in den Ordner %1 kann nicht geschrieben werden (schreibgeschützt)</translation>
    </message>
    <message>
        <source>the archive holds a link, which is not installed: %1</source>
        <translation>das Archiv enthält eine Verknüpfung, die nicht installiert wird: %1</translation>
    </message>
    <message>
        <source>the archive is damaged or encrypted</source>
        <translation>das Archiv ist beschädigt oder verschlüsselt</translation>
    </message>
    <message>
        <source>not a readable zip archive</source>
        <translation>kein lesbares Zip-Archiv</translation>
    </message>
    <message>
        <source>the archive has no entries</source>
        <translation>das Archiv ist leer</translation>
    </message>
    <message>
        <source>%1 could not be unpacked: %2</source>
        <extracomment>%1 is the archive&apos;s entry that could not be unpacked, %2 why</extracomment>
        <translation>%1 konnte nicht entpackt werden: %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip</source>
        <translation>Zip-Datei konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Couldn&apos;t extract file</source>
        <translation>Datei konnte nicht entpackt werden</translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file</source>
        <translation>Erste Datei konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>Couldn&apos;t close zip</source>
        <translation>Zip-Datei konnte nicht geschlossen werden</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 is what failed, %2 why</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the file is not there any more</source>
        <translation>die Datei ist nicht mehr da</translation>
    </message>
    <message>
        <source>the archive&apos;s directory is damaged</source>
        <translation>das Inhaltsverzeichnis des Archivs ist beschädigt</translation>
    </message>
    <message>
        <source>the records of installed packages are in use by another program</source>
        <translation>die Aufzeichnungen der installierten Pakete werden von einem anderen Programm verwendet</translation>
    </message>
    <message>
        <source>Trying again in %1 s (attempt %2 of %3)</source>
        <extracomment>%1 is the wait in seconds, %2 the attempt coming, %3 the number of attempts</extracomment>
        <translation>Neuer Versuch in %1 s (Versuch %2 von %3)</translation>
    </message>
    <message>
        <source>cancelled; %1 of %2 kept, the next download resumes it</source>
        <extracomment>%1 is the part downloaded, %2 the whole file</extracomment>
        <translation>abgebrochen; %1 von %2 behalten, der nächste Download macht dort weiter</translation>
    </message>
    <message>
        <source>the server is sending too slowly</source>
        <translation>der Server sendet zu langsam</translation>
    </message>
    <message>
        <source>the archive holds a file name that is not allowed (outside the package&apos;s folder, or reserved): %1</source>
        <translation>das Archiv enthält einen unzulässigen Dateinamen (außerhalb des Paketordners oder reserviert): %1</translation>
    </message>
</context>
<context>
    <name>FileReport</name>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>
            <numerusform>%n Datei von %1 konnte nicht aus %2 entfernt werden; sie bleibt verzeichnet.</numerusform>
            <numerusform>%n der Dateien von %1 konnten nicht aus %2 entfernt werden; sie bleiben verzeichnet.</numerusform>
        </translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 wurde aus %2 deinstalliert.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) kept, listed below.</source>
        <translation>
            <numerusform>%n Datei behalten, unten aufgeführt.</numerusform>
            <numerusform>%n Dateien behalten, unten aufgeführt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not remove (they stay recorded):</source>
        <translation>Nicht entfernt (sie bleiben verzeichnet):</translation>
    </message>
    <message>
        <source>Kept, because you changed them:</source>
        <translation>Behalten, weil Sie sie geändert haben:</translation>
    </message>
    <message>
        <source>Kept, because you added them:</source>
        <translation>Behalten, weil Sie sie hinzugefügt haben:</translation>
    </message>
    <message>
        <source>Kept, because another package also installed them:</source>
        <translation>Behalten, weil ein anderes Paket sie ebenfalls installiert hat:</translation>
    </message>
    <message numerus="yes">
        <source>%n package(s) verified, %2 with missing or changed files</source>
        <extracomment>%2 is how many of them have missing or changed files</extracomment>
        <translation>
            <numerusform>%n Paket geprüft, %2 mit fehlenden oder geänderten Dateien</numerusform>
            <numerusform>%n Pakete geprüft, %2 mit fehlenden oder geänderten Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not put back, because their kept copies are gone:</source>
        <translation>Nicht zurückgelegt, weil ihre aufbewahrten Kopien fehlen:</translation>
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
    <name>GameFolder</name>
    <message>
        <source>%1 (in use)</source>
        <translation>%1 (in Verwendung)</translation>
    </message>
    <message>
        <source>Another Folder…</source>
        <translation>Anderer Ordner…</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Spielordner wechseln</translation>
    </message>
    <message>
        <source>Which TEW2016 install should the packages go into? Each keeps its own list of installed packages.</source>
        <translation>In welche TEW2016-Installation sollen die Pakete? Jede führt ihre eigene Liste installierter Pakete.</translation>
    </message>
    <message>
        <source>Default install</source>
        <comment>a launcher&apos;s name</comment>
        <translation>Standardinstallation</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>launcher: path of an install</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Choose the TEW2016 install</source>
        <translation>TEW2016-Installation wählen</translation>
    </message>
    <message>
        <source>Set TEW2016 Install folder</source>
        <translation>TEW2016-Installationsordner festlegen</translation>
    </message>
    <message>
        <source>TEW2016 is installed in more than one place. Which one should the packages go into?</source>
        <translation>TEW2016 ist an mehr als einem Ort installiert. In welche Installation sollen die Pakete?</translation>
    </message>
    <message>
        <source>Games folder</source>
        <comment>a launcher&apos;s name: the folder ~/Games</comment>
        <translation>Ordner „Games“</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>a launcher&apos;s name and the bottle or prefix</comment>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>GameFolderPage</name>
    <message>
        <source>Where is TEW2016 installed? Choose the folder that holds TEW2016.exe</source>
        <translation>Wo ist TEW2016 installiert? Wählen Sie den Ordner, der TEW2016.exe enthält</translation>
    </message>
    <message>
        <source>It was not found in these places:</source>
        <translation>An diesen Orten wurde es nicht gefunden:</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>&amp;Durchsuchen…</translation>
    </message>
    <message>
        <source>%1 is not TEW2016.exe. Choose the TEW2016.exe file in the game&apos;s folder.</source>
        <translation>%1 ist nicht TEW2016.exe. Wählen Sie die Datei TEW2016.exe im Ordner des Spiels.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation>Die Sprache des Installationsprogramms; eine neue Wahl gilt ab dem nächsten Start</translation>
    </message>
    <message>
        <source>TEW2016 was found in these places. Choose the one the packages should go into:</source>
        <translation>TEW2016 wurde an diesen Orten gefunden. Wählen Sie den Ort, an den die Pakete sollen:</translation>
    </message>
    <message>
        <source>&amp;Use This Folder</source>
        <translation>Diesen Ordner &amp;verwenden</translation>
    </message>
</context>
<context>
    <name>InstallBatch</name>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
    <message>
        <source>Verify</source>
        <extracomment>%1 is the package, %2 what is wrong with its records</extracomment>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Not enough disk space: needs %1, %2 free</source>
        <extracomment>%1 is the size the package needs, %2 the free space</extracomment>
        <translation>Nicht genug Speicherplatz: %1 nötig, %2 frei</translation>
    </message>
    <message>
        <source>Uninstall %1</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin</extracomment>
        <translation>%1 deinstallieren</translation>
    </message>
    <message>
        <source>Uninstall %1 from %2?

Its files are removed; files you changed or added there are kept.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 aus %2 deinstallieren?

Die Dateien des Pakets werden entfernt; Dateien, die Sie dort geändert oder hinzugefügt haben, bleiben erhalten.</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>%1 (%2 of %3)</source>
        <extracomment>%1 is the package, %2 its place in the list, %3 the number of packages in the list</extracomment>
        <translation>%1 (%2 von %3)</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>installiert</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>übersprungen</translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation>%1 übersprungen</translation>
    </message>
    <message>
        <source>no folder chosen</source>
        <translation>kein Ordner gewählt</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... und %1 weitere</translation>
    </message>
    <message>
        <source>Install %1</source>
        <translation>%1 installieren</translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation>Meine behalten</translation>
    </message>
    <message>
        <source>Take the Package&apos;s</source>
        <translation>Die des Pakets übernehmen</translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 %2 into:</source>
        <extracomment>%1 is the package, %2 its kind: Mod, Picture Pack or Skin</extracomment>
        <translation>Wählen Sie einen Ordnernamen, um %1 (%2) darin zu installieren:</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; already exists.

Update it with %2? The package&apos;s files replace those of the same name; your other files stay.</source>
        <extracomment>%1 is the folder, %2 the package</extracomment>
        <translation>Der Ordner „%1“ existiert bereits.

Mit %2 aktualisieren? Die Dateien des Pakets ersetzen gleichnamige Dateien; Ihre übrigen Dateien bleiben erhalten.</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Choose Another Name</source>
        <translation>Anderen Namen wählen</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Cancelled %1</source>
        <translation>%1 abgebrochen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch and close?</source>
        <translation>Es werden noch Pakete installiert. Nur %1 überspringen oder den ganzen Durchlauf stoppen und schließen?</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch?</source>
        <translation>Es werden noch Pakete installiert. Nur %1 überspringen oder den ganzen Durchlauf stoppen?</translation>
    </message>
    <message>
        <source>A package being unpacked is undone; a download is kept to be resumed later.</source>
        <translation>Ein Paket, das gerade entpackt wird, wird rückgängig gemacht; ein Download bleibt erhalten und kann später fortgesetzt werden.</translation>
    </message>
    <message>
        <source>Skip This Package</source>
        <translation>Dieses Paket überspringen</translation>
    </message>
    <message>
        <source>Stop and Close</source>
        <translation>Stoppen und schließen</translation>
    </message>
    <message>
        <source>Stop the Batch</source>
        <translation>Durchlauf stoppen</translation>
    </message>
    <message>
        <source>Go On</source>
        <translation>Weitermachen</translation>
    </message>
    <message>
        <source>the batch was stopped</source>
        <translation>der Durchlauf wurde gestoppt</translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Aus Datei installieren</translation>
    </message>
    <message>
        <source>Could not install %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be installed</extracomment>
        <translation>%1 konnte nicht installiert werden:

%2</translation>
    </message>
    <message>
        <source>Packages are being installed. Install %1 when they are done.</source>
        <translation>Es werden gerade Pakete installiert. Installieren Sie %1, wenn sie fertig sind.</translation>
    </message>
    <message>
        <source>What kind of package is %1?

From what the archive holds it looks like a %2.</source>
        <extracomment>%1 is the package, %2 a kind: Mod, Picture Pack or Skin</extracomment>
        <translation>Welche Art von Paket ist %1?

Nach dem Inhalt des Archivs ist es wahrscheinlich: %2.</translation>
    </message>
    <message>
        <source>A package of the same name and kind from the package list is installed in %1. Rename the archive to install it beside that one.</source>
        <extracomment>%1 is the folder of the package installed from the package list</extracomment>
        <translation>Ein Paket gleichen Namens und gleicher Art aus der Paketliste ist in %1 installiert. Benennen Sie das Archiv um, um es daneben zu installieren.</translation>
    </message>
    <message>
        <source>Installed the %1 %2 into %3.</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin; %2 the package, %3 its folder</extracomment>
        <translation>%2 (%1) wurde in %3 installiert.</translation>
    </message>
    <message>
        <source>Installing %1: %2%</source>
        <translation>%1 wird installiert: %2%</translation>
    </message>
    <message>
        <source>Repair %1</source>
        <translation>%1 reparieren</translation>
    </message>
    <message>
        <source>Could not repair %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be repaired</extracomment>
        <translation>%1 konnte nicht repariert werden:

%2</translation>
    </message>
    <message>
        <source>The archive of %1</source>
        <translation>Das Archiv von %1</translation>
    </message>
    <message>
        <source>Fetching %1 again...</source>
        <translation>%1 wird erneut geladen...</translation>
    </message>
    <message>
        <source>the archive could not be fetched from %1: %2</source>
        <extracomment>%1 is the address, %2 why it could not be fetched</extracomment>
        <translation>das Archiv konnte nicht von %1 geladen werden: %2</translation>
    </message>
    <message>
        <source>that archive is not the one that was installed. Install it with Install from File to update the package.</source>
        <translation>dieses Archiv ist nicht das installierte. Installieren Sie es mit „Aus Datei installieren“, um das Paket zu aktualisieren.</translation>
    </message>
    <message>
        <source>The host now serves another file for %1 than the one installed, so it cannot repair it.

Update to the file it serves now?</source>
        <translation>Der Server bietet für %1 jetzt eine andere Datei an als die installierte, daher kann das Paket nicht repariert werden.

Auf die jetzt angebotene Datei aktualisieren?</translation>
    </message>
    <message>
        <source>the package is not in the package list any more</source>
        <translation>das Paket ist nicht mehr in der Paketliste</translation>
    </message>
    <message>
        <source>Repaired %1 in %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 in %2 repariert.</translation>
    </message>
    <message>
        <source>Fetching %1 again... %2%</source>
        <translation>%1 wird erneut geladen... %2%</translation>
    </message>
    <message>
        <source>The records of %1 cannot be read whole, so its files cannot be checked against them:

%2</source>
        <translation>Die Aufzeichnungen von %1 lassen sich nicht vollständig lesen, daher können seine Dateien nicht mit ihnen verglichen werden:

%2</translation>
    </message>
    <message>
        <source>%1 was not installed: an interrupted install or uninstall of it is waiting to be finished (%2)</source>
        <extracomment>%1 is the package, %2 the folder the interrupted change waits for</extracomment>
        <translation>%1 wurde nicht installiert: eine unterbrochene Installation oder Deinstallation wartet darauf, abgeschlossen zu werden (%2)</translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 into:</source>
        <extracomment>%1 is the package, whose name ends with its kind (&quot;Gold Skin&quot;)</extracomment>
        <translation>Wählen Sie einen Ordnernamen, um %1 darin zu installieren:</translation>
    </message>
    <message>
        <source>A package is still being installed. Stop it and close?

What was unpacked so far is undone.</source>
        <translation>Ein Paket wird noch installiert. Abbrechen und schließen?

Was bisher entpackt wurde, wird rückgängig gemacht.</translation>
    </message>
    <message>
        <source>Installed the %1 into %2.</source>
        <extracomment>%1 is the package, whose name ends with its kind (&quot;Gold Skin&quot;); %2 its folder</extracomment>
        <translation>%1 wurde in %2 installiert.</translation>
    </message>
    <message>
        <source>Update %1</source>
        <extracomment>%1 is the kind of package: Mod DB, Picture Pack or Skin</extracomment>
        <translation>%1 aktualisieren</translation>
    </message>
    <message>
        <source>left as it was, as you chose; nothing was changed</source>
        <translation>unverändert gelassen, wie Sie es gewählt haben; nichts wurde geändert</translation>
    </message>
    <message>
        <source>%1 was left as it was: nothing was changed.</source>
        <extracomment>%1 is the package</extracomment>
        <translation>%1 bleibt, wie es war: Nichts wurde geändert.</translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that the repair puts back as they were installed:

%2

Keep yours (the package&apos;s versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <translation>
            <numerusform>Sie haben %n Datei von %1 geändert, die die Reparatur so zurücklegt, wie sie installiert wurde:

%2

Ihre behalten (die Version des Pakets kommt daneben als &lt;Datei&gt;%3), die des Pakets übernehmen (Ihre wird als &lt;Datei&gt;%4 aufbewahrt) oder nichts ändern?</numerusform>
            <numerusform>Sie haben %n Dateien von %1 geändert, die die Reparatur so zurücklegt, wie sie installiert wurden:

%2

Ihre behalten (die Versionen des Pakets kommen daneben als &lt;Datei&gt;%3), die des Pakets übernehmen (Ihre werden als &lt;Datei&gt;%4 aufbewahrt) oder nichts ändern?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that this version replaces:

%2

Keep yours (the package&apos;s new versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <extracomment>%1 is the package, %2 the list of files, %3 and %4 the file name endings the package&apos;s and the player&apos;s versions get</extracomment>
        <translation>
            <numerusform>Sie haben %n Datei von %1 geändert, die diese Version ersetzt:

%2

Ihre behalten (die neue Version des Pakets kommt daneben als &lt;Datei&gt;%3), die des Pakets übernehmen (Ihre wird als &lt;Datei&gt;%4 aufbewahrt) oder nichts ändern?</numerusform>
            <numerusform>Sie haben %n Dateien von %1 geändert, die diese Version ersetzt:

%2

Ihre behalten (die neuen Versionen des Pakets kommen daneben als &lt;Datei&gt;%3), die des Pakets übernehmen (Ihre werden als &lt;Datei&gt;%4 aufbewahrt) oder nichts ändern?</numerusform>
        </translation>
    </message>
    <message>
        <source>Change Nothing</source>
        <translation>Nichts ändern</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message numerus="yes">
        <source>Stopped. Installed %1 of %n package(s).</source>
        <extracomment>%1 is the number of packages installed before the batch was stopped</extracomment>
        <translation>
            <numerusform>Gestoppt. %1 von %n Paket installiert.</numerusform>
            <numerusform>Gestoppt. %1 von %n Paketen installiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>The partial download is kept: downloading the package again resumes it.</source>
        <translation>Der angefangene Download bleibt erhalten: Wenn Sie das Paket erneut herunterladen, geht er dort weiter.</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Fertig</translation>
    </message>
    <message numerus="yes">
        <source>Installed %1 of %n package(s).</source>
        <translation>
            <numerusform>%1 von %n Paket installiert.</numerusform>
            <numerusform>%1 von %n Paketen installiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Aktualisiert</translation>
    </message>
    <message>
        <source>Update Completed</source>
        <translation>Aktualisierung abgeschlossen</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installiert</translation>
    </message>
    <message>
        <source>Install Completed</source>
        <translation>Installation abgeschlossen</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>aktualisiert</translation>
    </message>
    <message>
        <source>you chose to skip it: the folder &quot;%1&quot; already exists</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>auf Ihren Wunsch übersprungen: Der Ordner „%1“ existiert bereits</translation>
    </message>
    <message>
        <source>Repairing %1: %2%</source>
        <translation>%1 wird repariert: %2%</translation>
    </message>
</context>
<context>
    <name>InstallRecovery</name>
    <message>
        <source>An uninstall could not be finished: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Eine Deinstallation konnte nicht abgeschlossen werden: %1</translation>
    </message>
    <message>
        <source>An install is waiting to be finished: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Eine Installation wartet darauf, abgeschlossen zu werden: %1</translation>
    </message>
    <message>
        <source>An interrupted install could not be read: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Eine unterbrochene Installation konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>%1 in %2 is half changed: a change of it was cut off, and the journal that would finish or undo it is damaged. Its files are checked now, and Repair puts them back.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 in %2 ist nur halb geändert: Eine Änderung daran wurde unterbrochen, und das Journal, das sie abschließen oder rückgängig machen würde, ist beschädigt. Seine Dateien werden jetzt geprüft, und „Reparieren“ stellt sie wieder her.</translation>
    </message>
</context>
<context>
    <name>InstallRules</name>
    <message>
        <source>Folder Name can&apos;t be longer than 24 characters</source>
        <translation>Ordnername darf höchstens 24 Zeichen lang sein</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain illegal characters &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</source>
        <translation>Ordnername darf keine unzulässigen Zeichen enthalten: &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain control characters</source>
        <translation>Ordnername darf keine Steuerzeichen enthalten</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t end with a blank or a dot</source>
        <translation>Ordnername darf nicht mit einem Leerzeichen oder Punkt enden</translation>
    </message>
    <message>
        <source>Folder Name needs more than dots and blanks</source>
        <translation>Ordnername braucht mehr als Punkte und Leerzeichen</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a name Windows keeps for itself</source>
        <translation>„%1“ ist ein von Windows reservierter Name</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>Could not create folder: a file of that name is in the way. Choose another name.</source>
        <translation>Ordner konnte nicht angelegt werden: Eine Datei mit diesem Namen ist im Weg. Wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>Could not create folder: a file named %1 is in the way. Choose another name.</source>
        <translation>Ordner konnte nicht angelegt werden: Eine Datei namens %1 ist im Weg. Wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>Could not create folder: %1.</source>
        <translation>Ordner konnte nicht angelegt werden: %1.</translation>
    </message>
    <message>
        <source>Could not create folder: no permission to write in %1. Choose another name.</source>
        <translation>Ordner konnte nicht angelegt werden: Keine Berechtigung, in %1 zu schreiben. Wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>Could not create folder: the system refused it. Choose another name.</source>
        <translation>Ordner konnte nicht angelegt werden: Das System hat es abgelehnt. Wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>no folder can be made: there is no permission to write in %1</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>es kann kein Ordner angelegt werden: Es fehlt die Berechtigung, in %1 zu schreiben</translation>
    </message>
</context>
<context>
    <name>InstalledPackages</name>
    <message>
        <source>the records of installed packages are in use by another program</source>
        <translation>die Aufzeichnungen der installierten Pakete werden von einem anderen Programm verwendet</translation>
    </message>
    <message>
        <source>the records of installed packages are damaged (%1)</source>
        <extracomment>%1 is what SQLite or the check found, in English</extracomment>
        <translation>die Aufzeichnungen der installierten Pakete sind beschädigt (%1)</translation>
    </message>
    <message>
        <source>The records of installed packages in %1 are damaged and could not be kept aside; they were left as they are.</source>
        <extracomment>%1 is the file of the records</extracomment>
        <translation>Die Aufzeichnungen der installierten Pakete in %1 sind beschädigt und konnten nicht beiseitegelegt werden; sie wurden unverändert gelassen.</translation>
    </message>
    <message>
        <source>The records of installed packages are damaged and were kept as %1, but no new record could be started.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>Die Aufzeichnungen der installierten Pakete sind beschädigt und wurden als %1 aufbewahrt, aber neue Aufzeichnungen konnten nicht begonnen werden.</translation>
    </message>
    <message numerus="yes">
        <source>The records of installed packages were damaged and are kept as %1. New records were started with the %n package(s) that still read whole.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>
            <numerusform>Die Aufzeichnungen der installierten Pakete waren beschädigt und sind als %1 aufbewahrt. Neue Aufzeichnungen wurden mit dem %n Paket begonnen, das noch vollständig lesbar war.</numerusform>
            <numerusform>Die Aufzeichnungen der installierten Pakete waren beschädigt und sind als %1 aufbewahrt. Neue Aufzeichnungen wurden mit den %n Paketen begonnen, die noch vollständig lesbar waren.</numerusform>
        </translation>
    </message>
    <message>
        <source>Left out, with their files left in the game folder: %1.</source>
        <extracomment>%1 is the list of packages</extracomment>
        <translation>Weggelassen, ihre Dateien bleiben im Spielordner: %1.</translation>
    </message>
    <message>
        <source>Some package records could not be read at all.</source>
        <translation>Einige Paketaufzeichnungen konnten gar nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The records of installed packages in %1 cannot be used.</source>
        <extracomment>%1 is the file of the records</extracomment>
        <translation>Die Aufzeichnungen der installierten Pakete in %1 können nicht verwendet werden.</translation>
    </message>
    <message>
        <source>The records of installed packages could not be used; new records were started.</source>
        <translation>Die Aufzeichnungen der installierten Pakete konnten nicht verwendet werden; neue Aufzeichnungen wurden begonnen.</translation>
    </message>
    <message>
        <source>The records of installed packages could not be used and are kept as %1; new records were started.</source>
        <translation>Die Aufzeichnungen der installierten Pakete konnten nicht verwendet werden und sind als %1 aufbewahrt; neue Aufzeichnungen wurden begonnen.</translation>
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
    <name>ListExchange</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Package lists (*.txt);;All files (*)</source>
        <translation>Paketlisten (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message numerus="yes">
        <source>Wrote %n package(s) to %1.</source>
        <extracomment>%1 is the file</extracomment>
        <translation>
            <numerusform>%n Paket in %1 geschrieben.</numerusform>
            <numerusform>%n Pakete in %1 geschrieben.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <extracomment>%1 is the file, %2 why</extracomment>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation>Paketliste importieren</translation>
    </message>
    <message>
        <source>Import</source>
        <extracomment>%1 is the file, %2 why</extracomment>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Export the Installed Packages</source>
        <translation>Installierte Pakete exportieren</translation>
    </message>
</context>
<context>
    <name>LogWindows</name>
    <message>
        <source>Session Log</source>
        <translation>Sitzungsprotokoll</translation>
    </message>
    <message>
        <source>Nothing has been written to today&apos;s log yet. It will be kept in this file:
%1</source>
        <translation>In das heutige Protokoll wurde noch nichts geschrieben. Es wird in dieser Datei gespeichert:
%1</translation>
    </message>
    <message>
        <source>Today&apos;s log could not be read. Check that this file can be opened:
%1</source>
        <translation>Das heutige Protokoll konnte nicht gelesen werden. Prüfen Sie, ob sich diese Datei öffnen lässt:
%1</translation>
    </message>
</context>
<context>
    <name>OpenFolder</name>
    <message>
        <source>The folder %1 is not there.</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>Der Ordner %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>Nothing on this computer could show the folder %1. Open it with a file manager yourself.</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>Nichts auf diesem Computer konnte den Ordner %1 anzeigen. Öffnen Sie ihn bitte selbst mit einem Dateimanager.</translation>
    </message>
</context>
<context>
    <name>PackageInstall</name>
    <message numerus="yes">
        <source>kept your %n changed file(s); the package&apos;s versions are beside them as %1: %2</source>
        <extracomment>%1 is the file name ending the package&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>Ihre %n geänderte Datei behalten; die Version des Pakets liegt daneben als %1: %2</numerusform>
            <numerusform>Ihre %n geänderten Dateien behalten; die Versionen des Pakets liegen daneben als %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) of the old version that you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n von Ihnen geänderte Datei der alten Version behalten: %1</numerusform>
            <numerusform>%n von Ihnen geänderte Dateien der alten Version behalten: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>could not remove %n file(s) of the old version: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei der alten Version konnte nicht entfernt werden: %1</numerusform>
            <numerusform>%n Dateien der alten Version konnten nicht entfernt werden: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was changed</source>
        <translation>Es wurde nichts geändert</translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) that were in the folder before aside; uninstalling the package puts them back: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei, die schon vorher im Ordner lag, beiseitegelegt; die Deinstallation des Pakets legt sie zurück: %1</numerusform>
            <numerusform>%n Dateien, die schon vorher im Ordner lagen, beiseitegelegt; die Deinstallation des Pakets legt sie zurück: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>put back %n file(s) that were in the folder before and that this version no longer replaces: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei zurückgelegt, die vorher im Ordner lag und die diese Version nicht mehr ersetzt: %1</numerusform>
            <numerusform>%n Dateien zurückgelegt, die vorher im Ordner lagen und die diese Version nicht mehr ersetzt: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>took the package&apos;s versions of %n file(s); yours are kept as %1: %2</source>
        <extracomment>%1 is the file name ending the player&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>die Version des Pakets für %n Datei übernommen; Ihre ist als %1 aufbewahrt: %2</numerusform>
            <numerusform>die Versionen des Pakets für %n Dateien übernommen; Ihre sind als %1 aufbewahrt: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the archive names %n file(s) more than once in spellings that differ only in case, which the game takes for one file; the last of each was installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>das Archiv nennt %n Datei mehrfach in Schreibweisen, die sich nur in Groß- und Kleinschreibung unterscheiden und die das Spiel für eine Datei hält; installiert wurde jeweils die letzte: %1</numerusform>
            <numerusform>das Archiv nennt %n Dateien mehrfach in Schreibweisen, die sich nur in Groß- und Kleinschreibung unterscheiden und die das Spiel für eine Datei hält; installiert wurde jeweils die letzte: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the record could not be written; it is tried again at the next start (the log tells why)</source>
        <translation>die Aufzeichnung konnte nicht geschrieben werden; das wird beim nächsten Start erneut versucht (das Protokoll nennt den Grund)</translation>
    </message>
</context>
<context>
    <name>PackageKind</name>
    <message>
        <source> [Mod]</source>
        <translation> [Mod]</translation>
    </message>
    <message>
        <source>Mod DB</source>
        <translation>Mod-Datenbank</translation>
    </message>
    <message>
        <source> [Pic Pack]</source>
        <translation> [Bilderpaket]</translation>
    </message>
    <message>
        <source>Picture Pack</source>
        <translation>Bilderpaket</translation>
    </message>
    <message>
        <source> [Skin]</source>
        <translation> [Skin]</translation>
    </message>
    <message>
        <source>Skin</source>
        <translation>Skin</translation>
    </message>
</context>
<context>
    <name>PackageListFile</name>
    <message>
        <source>There is nothing to export: no installed package came from the package list.</source>
        <translation>Es gibt nichts zu exportieren: Kein installiertes Paket stammt aus der Paketliste.</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... und %n weiterer</numerusform>
            <numerusform>... und %n weitere</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Added %n package(s) to the download list.</source>
        <translation>
            <numerusform>%n Paket zur Download-Liste hinzugefügt.</numerusform>
            <numerusform>%n Pakete zur Download-Liste hinzugefügt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not in the package list:</source>
        <translation>Nicht in der Paketliste:</translation>
    </message>
    <message>
        <source>Lines that could not be read (nothing was added for them):</source>
        <translation>Zeilen, die nicht gelesen werden konnten (für sie wurde nichts hinzugefügt):</translation>
    </message>
    <message>
        <source>the file is too large to be a package list</source>
        <translation>die Datei ist zu groß für eine Paketliste</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <extracomment>%1 is the line&apos;s number in the file, %2 the line</extracomment>
        <translation>Zeile %1: %2</translation>
    </message>
</context>
<context>
    <name>PackageRemoval</name>
    <message>
        <source>Could not uninstall %1: %2.</source>
        <extracomment>%1 is the package, %2 why it cannot be uninstalled</extracomment>
        <translation>%1 konnte nicht deinstalliert werden: %2.</translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 wurde aus %2 deinstalliert.</translation>
    </message>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded: %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the files</extracomment>
        <translation>
            <numerusform>%n Datei von %1 konnte nicht aus %2 entfernt werden; sie bleibt verzeichnet: %3</numerusform>
            <numerusform>%n der Dateien von %1 konnten nicht aus %2 entfernt werden; sie bleiben verzeichnet: %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n von Ihnen geänderte Datei behalten: %1</numerusform>
            <numerusform>%n von Ihnen geänderte Dateien behalten: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you added: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n von Ihnen hinzugefügte Datei behalten: %1</numerusform>
            <numerusform>%n von Ihnen hinzugefügte Dateien behalten: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) another package also installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei behalten, die auch ein anderes Paket installiert hat: %1</numerusform>
            <numerusform>%n Dateien behalten, die auch ein anderes Paket installiert hat: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei behalten, die schon vor der Installation im Ordner lag: %1</numerusform>
            <numerusform>%n Dateien behalten, die schon vor der Installation im Ordner lagen: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) of yours that an update set aside: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei von Ihnen behalten, die ein Update beiseitegelegt hat: %1</numerusform>
            <numerusform>%n Dateien von Ihnen behalten, die ein Update beiseitegelegt hat: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei zurückgelegt, die vor der Installation im Ordner lag: %1</numerusform>
            <numerusform>%n Dateien zurückgelegt, die vor der Installation im Ordner lagen: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install beside your changed ones: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei, die vor der Installation im Ordner lag, neben Ihre geänderte zurückgelegt: %1</numerusform>
            <numerusform>%n Dateien, die vor der Installation im Ordner lagen, neben Ihre geänderten zurückgelegt: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; they stay kept: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei, die vor der Installation im Ordner lag, konnte nicht zurückgelegt werden; sie bleibt aufbewahrt: %1</numerusform>
            <numerusform>%n Dateien, die vor der Installation im Ordner lagen, konnten nicht zurückgelegt werden; sie bleiben aufbewahrt: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the folder %1 is not inside the game folder</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>der Ordner %1 liegt nicht im Spielordner</translation>
    </message>
    <message>
        <source>the folder %1 is reached through a link</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>der Ordner %1 wird über eine Verknüpfung erreicht</translation>
    </message>
    <message>
        <source>%1; nothing was removed</source>
        <extracomment>%1 is what is wrong with the records</extracomment>
        <translation>%1; es wurde nichts entfernt</translation>
    </message>
    <message>
        <source>its folder is not inside the game folder</source>
        <translation>sein Ordner liegt nicht im Spielordner</translation>
    </message>
    <message>
        <source>the game folder %1 is not there</source>
        <extracomment>%1 is the game folder</extracomment>
        <translation>der Spielordner %1 ist nicht vorhanden</translation>
    </message>
    <message>
        <source>its folder %1 is a link (or lies behind one); nothing was removed</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>sein Ordner %1 ist eine Verknüpfung (oder liegt hinter einer); es wurde nichts entfernt</translation>
    </message>
    <message>
        <source>the removal could not be recorded</source>
        <translation>das Entfernen konnte nicht aufgezeichnet werden</translation>
    </message>
    <message>
        <source>The next start finishes the uninstall (the log tells why it could not now).</source>
        <translation>Der nächste Start schließt die Deinstallation ab (das Protokoll nennt den Grund, warum es jetzt nicht ging).</translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; their kept copies are gone: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n Datei, die vor der Installation im Ordner war, konnte nicht zurückgelegt werden; ihre aufbewahrte Kopie fehlt: %1</numerusform>
            <numerusform>%n Dateien, die vor der Installation im Ordner waren, konnten nicht zurückgelegt werden; ihre aufbewahrten Kopien fehlen: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageUpdates</name>
    <message>
        <source>&amp;Update all (%1)</source>
        <translation>Alle &amp;aktualisieren (%1)</translation>
    </message>
</context>
<context>
    <name>PackageVerify</name>
    <message numerus="yes">
        <source>All %1 files as installed</source>
        <extracomment>%1 is the number of files</extracomment>
        <translation>
            <numerusform>Die %1 Datei ist wie installiert</numerusform>
            <numerusform>Alle %1 Dateien sind wie installiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 missing</source>
        <comment>files</comment>
        <translation>
            <numerusform>%1 fehlt</numerusform>
            <numerusform>%1 fehlen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 changed</source>
        <comment>files</comment>
        <translation>
            <numerusform>%1 geändert</numerusform>
            <numerusform>%1 geändert</numerusform>
        </translation>
    </message>
    <message>
        <source>Missing:</source>
        <translation>Fehlend:</translation>
    </message>
    <message>
        <source>Changed:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Your own files (not part of the package, left alone):</source>
        <translation>Ihre eigenen Dateien (nicht Teil des Pakets, unangetastet):</translation>
    </message>
</context>
<context>
    <name>QuestionQueue</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>RecordRebuild</name>
    <message numerus="yes">
        <source>Found %n installed package(s) again in the game folder; the details are in the log.</source>
        <extracomment>One line on the catalogue page</extracomment>
        <translation>
            <numerusform>%n installiertes Paket im Spielordner wiedergefunden; Einzelheiten stehen im Protokoll.</numerusform>
            <numerusform>%n installierte Pakete im Spielordner wiedergefunden; Einzelheiten stehen im Protokoll.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) in the game folder are damaged and were not used; the details are in the log.</source>
        <extracomment>One line on the catalogue page</extracomment>
        <translation>
            <numerusform>%n Aufzeichnung im Spielordner ist beschädigt und wurde nicht verwendet; Einzelheiten stehen im Protokoll.</numerusform>
            <numerusform>%n Aufzeichnungen im Spielordner sind beschädigt und wurden nicht verwendet; Einzelheiten stehen im Protokoll.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReportDialog</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy the whole report</source>
        <translation>Den ganzen Bericht kopieren</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>To install the archives, use Install from File in the running installer.</source>
        <translation>Um die Archive zu installieren, verwenden Sie „Aus Datei installieren“ im laufenden Installer.</translation>
    </message>
    <message>
        <source>The folder Zerun Installer hands over through can be reached by other users, so nothing was handed over to the running installer.</source>
        <translation>Der Ordner, über den Zerun Installer übergibt, ist für andere Benutzer erreichbar; daher wurde dem laufenden Installer nichts übergeben.</translation>
    </message>
    <message>
        <source>A program of another user holds the name Zerun Installer hands over on, so nothing was handed over to it.</source>
        <translation>Ein Programm eines anderen Benutzers belegt den Namen, über den Zerun Installer übergibt; daher wurde ihm nichts übergeben.</translation>
    </message>
    <message>
        <source>Zerun Installer is running with this profile but did not answer in time, so nothing was handed over to it.</source>
        <translation>Zerun Installer läuft mit diesem Profil, hat aber nicht rechtzeitig geantwortet; daher wurde ihm nichts übergeben.</translation>
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
    <name>Startup</name>
    <message>
        <source>Zerun Installer cannot start, because it cannot write to its folder:
%1

Make this folder writable, or free some space on its disk, and start the installer again.</source>
        <translation>Zerun Installer kann nicht starten, weil er nicht in seinen Ordner schreiben kann:
%1

Machen Sie diesen Ordner beschreibbar oder schaffen Sie Platz auf seinem Laufwerk, und starten Sie den Installer erneut.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
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
    <message>
        <source>A new version is available on the service&apos;s site, %1.</source>
        <translation>Eine neue Version ist auf der Website des Dienstes verfügbar: %1.</translation>
    </message>
    <message>
        <source>Version %1 is available on the service&apos;s site, %2.</source>
        <translation>Version %1 ist auf der Website des Dienstes verfügbar: %2.</translation>
    </message>
    <message>
        <source>Open the Site in the Browser</source>
        <translation>Website im Browser öffnen</translation>
    </message>
</context>
<context>
    <name>WindowAccess</name>
    <message>
        <source>Package kind</source>
        <translation>Paketart</translation>
    </message>
    <message>
        <source>Shows all packages, one kind of package, or the installed ones</source>
        <translation>Zeigt alle Pakete, eine Paketart oder die installierten</translation>
    </message>
    <message>
        <source>Search packages</source>
        <translation>Pakete suchen</translation>
    </message>
    <message>
        <source>Shows only the packages whose names hold this text; Ctrl+F comes here</source>
        <translation>Zeigt nur die Pakete, deren Name diesen Text enthält; Strg+F springt hierher</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Takes every package off the download list</source>
        <translation>Nimmt alle Pakete von der Download-Liste</translation>
    </message>
    <message>
        <source>Packages</source>
        <translation>Pakete</translation>
    </message>
    <message>
        <source>Enter adds the selected packages to the download list; Delete uninstalls the selected installed package</source>
        <translation>Eingabe fügt die gewählten Pakete zur Download-Liste hinzu; Entf deinstalliert das gewählte installierte Paket</translation>
    </message>
    <message>
        <source>Download List</source>
        <translation>Download-Liste</translation>
    </message>
    <message>
        <source>Enter starts the download; Delete takes the selected packages off the list</source>
        <translation>Eingabe startet den Download; Entf nimmt die gewählten Pakete von der Liste</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Fetches the package list again</source>
        <translation>Lädt die Paketliste erneut</translation>
    </message>
    <message>
        <source>Update All</source>
        <translation>Alle aktualisieren</translation>
    </message>
    <message>
        <source>Updates every installed package that has a newer archive, each in its folder</source>
        <translation>Aktualisiert jedes installierte Paket, für das es ein neueres Archiv gibt, jeweils in seinem Ordner</translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation>Paketliste importieren</translation>
    </message>
    <message>
        <source>Puts the packages of a shared package list on the download list</source>
        <translation>Setzt die Pakete einer geteilten Paketliste auf die Download-Liste</translation>
    </message>
    <message>
        <source>Saves the installed packages from the package list to a file to share</source>
        <translation>Speichert die installierten Pakete aus der Paketliste in eine Datei zum Teilen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation>Die Sprache des Installationsprogramms; eine neue Wahl gilt ab dem nächsten Start</translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation>Zur Download-Liste hinzufügen</translation>
    </message>
    <message>
        <source>Adds the selected packages to the download list</source>
        <translation>Fügt die gewählten Pakete zur Download-Liste hinzu</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
    <message>
        <source>Removes the selected installed package from the game folder</source>
        <translation>Entfernt das gewählte installierte Paket aus dem Spielordner</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Prüfen</translation>
    </message>
    <message>
        <source>Checks the selected installed packages&apos; files against what was installed</source>
        <translation>Vergleicht die Dateien der gewählten installierten Pakete mit dem Installierten</translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Aus Datei installieren</translation>
    </message>
    <message>
        <source>Installs a package archive (.zip) you have on disk</source>
        <translation>Installiert ein Paketarchiv (.zip) von Ihrem Datenträger</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Downloads the packages on the download list and installs them</source>
        <translation>Lädt die Pakete der Download-Liste herunter und installiert sie</translation>
    </message>
    <message>
        <source>Package progress</source>
        <translation>Paketfortschritt</translation>
    </message>
    <message>
        <source>How far the current package has come</source>
        <translation>Wie weit das aktuelle Paket ist</translation>
    </message>
    <message>
        <source>Batch progress</source>
        <translation>Gesamtfortschritt</translation>
    </message>
    <message>
        <source>How many packages of the batch are over</source>
        <translation>Wie viele Pakete des Durchlaufs fertig sind</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>How each package of the batch ended</source>
        <translation>Wie jedes Paket des Durchlaufs ausgegangen ist</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Back to the package list; Esc does the same</source>
        <translation>Zurück zur Paketliste; Esc tut dasselbe</translation>
    </message>
    <message>
        <source>Copy Details</source>
        <translation>Details kopieren</translation>
    </message>
    <message>
        <source>Copies the outcome lines to the clipboard</source>
        <translation>Kopiert die Ergebniszeilen in die Zwischenablage</translation>
    </message>
    <message>
        <source>Retry Failed</source>
        <translation>Fehlgeschlagene wiederholen</translation>
    </message>
    <message>
        <source>Downloads and installs again the packages that did not install</source>
        <translation>Lädt die nicht installierten Pakete erneut herunter und installiert sie</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Asks whether to skip the current package or stop the batch; Esc does the same</source>
        <translation>Fragt, ob das aktuelle Paket übersprungen oder der Durchlauf gestoppt werden soll; Esc tut dasselbe</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Closes the installer</source>
        <translation>Schließt das Installationsprogramm</translation>
    </message>
    <message>
        <source>Game folder</source>
        <translation>Spielordner</translation>
    </message>
    <message>
        <source>The TEW2016 folder the packages go into</source>
        <translation>Der TEW2016-Ordner, in den die Pakete kommen</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Spielordner wechseln</translation>
    </message>
    <message>
        <source>Chooses another TEW2016 folder; each keeps its own installed packages</source>
        <translation>Wählt einen anderen TEW2016-Ordner; jeder behält seine eigenen installierten Pakete</translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation>Protokoll anzeigen</translation>
    </message>
    <message>
        <source>Opens today&apos;s log, with every line the installer wrote today</source>
        <translation>Öffnet das heutige Protokoll mit jeder Zeile, die das Installationsprogramm heute geschrieben hat</translation>
    </message>
    <message>
        <source>Export Installed Packages</source>
        <translation>Installierte Pakete exportieren</translation>
    </message>
</context>
<context>
    <name>WindowQuestions</name>
    <message>
        <source>Repair</source>
        <translation>Reparieren</translation>
    </message>
    <message>
        <source>Put back the missing and changed files from the package&apos;s archive</source>
        <translation>Die fehlenden und geänderten Dateien aus dem Archiv des Pakets wiederherstellen</translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation>Paketarchive (*.zip);;Alle Dateien (*)</translation>
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
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Update every installed package that has a newer archive, each in its folder</source>
        <translation>Jedes installierte Paket, für das es ein neueres Archiv gibt, aktualisieren, jeweils in seinem Ordner</translation>
    </message>
    <message>
        <source>Put the packages of a shared package list on the download list</source>
        <translation>Die Pakete einer geteilten Paketliste auf die Download-Liste setzen</translation>
    </message>
    <message>
        <source>Save the installed packages from the package list to a file to share</source>
        <translation>Die installierten Pakete aus der Paketliste in eine Datei zum Teilen speichern</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Installation läuft...</translation>
    </message>
    <message>
        <source>Please wait, this may take a minute...</source>
        <translation>Bitte warten, das kann eine Minute dauern...</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation>Von der Liste entfernen</translation>
    </message>
    <message>
        <source>Loading the package list...</source>
        <translation>Paketliste wird geladen...</translation>
    </message>
    <message numerus="yes">
        <source>%n package(s)</source>
        <translation>
            <numerusform>%n Paket</numerusform>
            <numerusform>%n Pakete</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · %n line(s) could not be read</source>
        <translation>
            <numerusform> · %n Zeile konnte nicht gelesen werden</numerusform>
            <numerusform> · %n Zeilen konnten nicht gelesen werden</numerusform>
        </translation>
    </message>
    <message>
        <source>Installed packages: %1</source>
        <translation>Installierte Pakete: %1</translation>
    </message>
    <message>
        <source>Installed in %1 on %2 — update available</source>
        <extracomment>%1 is the package&apos;s folder in the game, %2 the day it was installed</extracomment>
        <translation>Installiert in %1 am %2 — Update verfügbar</translation>
    </message>
    <message>
        <source>Installed in %1 on %2</source>
        <translation>Installiert in %1 am %2</translation>
    </message>
    <message>
        <source>Downloading %1</source>
        <extracomment>%1 is the package and where it stands in the list: &quot;Name (2 of 5)&quot;</extracomment>
        <translation>%1 wird heruntergeladen</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbindung wird hergestellt...</translation>
    </message>
    <message>
        <source>Downloaded %1</source>
        <translation>%1 heruntergeladen</translation>
    </message>
    <message>
        <source>Downloading..</source>
        <translation>Herunterladen..</translation>
    </message>
    <message>
        <source>Waiting for a folder name for %1</source>
        <translation>Warten auf einen Ordnernamen für %1</translation>
    </message>
    <message>
        <source>Installing %1</source>
        <translation>%1 wird installiert</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>The download list is empty. Pick packages in the list on the left and press Add to Download List (or double-click them), then Download.</source>
        <translation>Die Download-Liste ist leer. Wählen Sie links in der Liste Pakete aus und klicken Sie auf „Zur Download-Liste hinzufügen“ (oder doppelklicken Sie sie), dann auf „Herunterladen“.</translation>
    </message>
    <message>
        <source>None of the packages on the download list is in the package list any more.</source>
        <translation>Keines der Pakete auf der Download-Liste ist noch in der Paketliste.</translation>
    </message>
    <message numerus="yes">
        <source> · about %n min left</source>
        <translation>
            <numerusform> · noch etwa %n min</numerusform>
            <numerusform> · noch etwa %n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · about %n s left</source>
        <translation>
            <numerusform> · noch etwa %n s</numerusform>
            <numerusform> · noch etwa %n s</numerusform>
        </translation>
    </message>
    <message>
        <source>Unpacking %1</source>
        <translation>%1 wird entpackt</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) · %2</source>
        <extracomment>%1 is the number of files unpacked, %2 the file unpacked last</extracomment>
        <translation>
            <numerusform>%1 von %Ln Datei · %2</numerusform>
            <numerusform>%1 von %Ln Dateien · %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Installed %1</source>
        <translation>%1 installiert</translation>
    </message>
    <message numerus="yes">
        <source>Verifying: %1 of %n file(s)</source>
        <translation>
            <numerusform>Wird geprüft: %1 von %Ln Datei</numerusform>
            <numerusform>Wird geprüft: %1 von %Ln Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Aus Datei installieren</translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation>Paketarchive (*.zip);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The records of installed packages are in use by another program. They were left as they are; close that program and start the installer again to see your installed packages.</source>
        <translation>Die Aufzeichnungen der installierten Pakete werden von einem anderen Programm verwendet. Sie wurden unverändert gelassen; schließen Sie dieses Programm und starten Sie den Installer erneut, um Ihre installierten Pakete zu sehen.</translation>
    </message>
    <message>
        <source>Game folder: %1</source>
        <translation>Spielordner: %1</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Spielordner wechseln</translation>
    </message>
    <message>
        <source>Packages are being installed or checked. Change the game folder once they are done.</source>
        <translation>Pakete werden gerade installiert oder geprüft. Wechseln Sie den Spielordner, wenn sie fertig sind.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Held back: an interrupted install or uninstall of it waits for %1</source>
        <extracomment>%1 is the folder that an interrupted install or uninstall waits for</extracomment>
        <translation>Zurückgehalten: eine unterbrochene Installation oder Deinstallation davon wartet auf %1</translation>
    </message>
    <message numerus="yes">
        <source>Not downloaded, because an interrupted install or uninstall of it waits for its folder: %1. It is finished at a start of the installer that finds that folder again.</source>
        <extracomment>%1 lists the packages with the folder each waits for</extracomment>
        <translation>
            <numerusform>Nicht heruntergeladen, weil eine unterbrochene Installation oder Deinstallation davon auf ihren Ordner wartet: %1. Sie wird bei einem Start des Installers abgeschlossen, der diesen Ordner wiederfindet.</numerusform>
            <numerusform>Nicht heruntergeladen, weil eine unterbrochene Installation oder Deinstallation jedes dieser Pakete auf ihren Ordner wartet: %1. Jede wird bei einem Start des Installers abgeschlossen, der ihren Ordner wiederfindet.</numerusform>
        </translation>
    </message>
    <message>
        <source>Install Complete</source>
        <translation>Installation fertig</translation>
    </message>
    <message>
        <source>Getting %1 ready</source>
        <translation>%1 wird vorbereitet</translation>
    </message>
    <message>
        <source>Saved; it is installed in its turn</source>
        <translation>Gespeichert; es wird installiert, sobald es an der Reihe ist</translation>
    </message>
    <message>
        <source>Updating %1</source>
        <translation>%1 wird aktualisiert</translation>
    </message>
    <message>
        <source>Downloaded and saved; waiting for your answer</source>
        <translation>Heruntergeladen und gespeichert; wartet auf Ihre Antwort</translation>
    </message>
    <message>
        <source>Could not install %1</source>
        <translation>%1 konnte nicht installiert werden</translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation>%1 übersprungen</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>%1 aktualisiert</translation>
    </message>
    <message>
        <source>Update Complete</source>
        <translation>Aktualisierung fertig</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>&amp;Wechseln…</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>Liste &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Try Again</source>
        <translation>Erneut &amp;versuchen</translation>
    </message>
    <message>
        <source>&amp;Update all (0)</source>
        <translation>Alle &amp;aktualisieren (0)</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>E&amp;xport Installed...</source>
        <translation>Installierte e&amp;xportieren...</translation>
    </message>
    <message>
        <source>&amp;Add to Download List</source>
        <translation>Hin&amp;zufügen</translation>
    </message>
    <message>
        <source>U&amp;ninstall</source>
        <translation>&amp;Deinstallieren</translation>
    </message>
    <message>
        <source>&amp;Verify</source>
        <translation>&amp;Prüfen</translation>
    </message>
    <message>
        <source>Install from &amp;File...</source>
        <translation>Da&amp;tei installieren...</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Herunterladen</translation>
    </message>
    <message>
        <source>&amp;Go Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Copy Details</source>
        <translation>&amp;Details kopieren</translation>
    </message>
    <message>
        <source>Show &amp;Log</source>
        <translation>&amp;Protokoll anzeigen</translation>
    </message>
    <message>
        <source>&amp;Retry Failed</source>
        <translation>&amp;Erneut versuchen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Stop Verifying</source>
        <translation>Prüfung &amp;stoppen</translation>
    </message>
    <message>
        <source>Add the selected packages to the download list</source>
        <translation>Die ausgewählten Pakete zur Download-Liste hinzufügen</translation>
    </message>
    <message>
        <source>Download and install again the packages that did not install</source>
        <translation>Die nicht installierten Pakete erneut herunterladen und installieren</translation>
    </message>
</context>
</TS>
