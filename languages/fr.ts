<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>CatalogueFetch</name>
    <message>
        <source>Showing the package list from %1: %2</source>
        <extracomment>%1 is how old the kept list is (&quot;3 days ago&quot;), %2 why no newer one</extracomment>
        <translation>Liste de paquets gardée (%1) affichée : %2</translation>
    </message>
    <message>
        <source>The package list could not be loaded: %1</source>
        <extracomment>%1 is why</extracomment>
        <translation>La liste de paquets n&apos;a pas pu être chargée : %1</translation>
    </message>
    <message>
        <source>less than a minute ago</source>
        <translation>il y a moins d&apos;une minute</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>il y a %n minute</numerusform>
            <numerusform>il y a %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>il y a %n heure</numerusform>
            <numerusform>il y a %n heures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>il y a %n jour</numerusform>
            <numerusform>il y a %n jours</numerusform>
        </translation>
    </message>
    <message>
        <source>the server sent no list</source>
        <translation>le serveur n&apos;a envoyé aucune liste</translation>
    </message>
    <message>
        <source>the answer from %1 is not a package list</source>
        <extracomment>%1 is the host</extracomment>
        <translation>la réponse de %1 n&apos;est pas une liste de paquets</translation>
    </message>
    <message>
        <source>could not reach %1</source>
        <extracomment>%1 is the host</extracomment>
        <translation>impossible de joindre %1</translation>
    </message>
    <message>
        <source>%1 is sending the list too slowly</source>
        <extracomment>%1 is the host</extracomment>
        <translation>%1 envoie la liste trop lentement</translation>
    </message>
</context>
<context>
    <name>CatalogueRows</name>
    <message>
        <source>%1  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1  — %2, installé le %3</translation>
    </message>
    <message>
        <source>%1 (from disk)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1 (depuis le disque)  — %2, installé le %3</translation>
    </message>
    <message>
        <source>%1 (not in the package list)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1 (absent de la liste des paquets)  — %2, installé le %3</translation>
    </message>
</context>
<context>
    <name>CrashReportConsent</name>
    <message>
        <source>Crash Report</source>
        <translation>Rapport de plantage</translation>
    </message>
    <message>
        <source>Zerun Installer closed unexpectedly last time. Send the crash report to help fix it?</source>
        <translation>Zerun Installer s&apos;est fermé de manière inattendue la dernière fois. Envoyer le rapport de plantage pour aider à corriger le problème ?</translation>
    </message>
    <message>
        <source>The report holds:</source>
        <translation>Le rapport contient :</translation>
    </message>
    <message>
        <source>Show report contents</source>
        <translation>Afficher le contenu du rapport</translation>
    </message>
    <message>
        <source>Don&apos;t send</source>
        <translation>Ne pas envoyer</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Envoyer</translation>
    </message>
    <message>
        <source>%1: the installer&apos;s log of that day; it names folders of your home folder</source>
        <extracomment>%1 is a file name in the crash report</extracomment>
        <translation>%1 : le journal de l&apos;installateur de ce jour ; il nomme des dossiers de votre dossier personnel</translation>
    </message>
    <message>
        <source>%1: a screenshot of the installer&apos;s window at the crash</source>
        <translation>%1 : une capture d&apos;écran de la fenêtre de l&apos;installateur au moment du plantage</translation>
    </message>
    <message>
        <source>%1: the state of the installer&apos;s memory at the crash, for the developers</source>
        <translation>%1 : l&apos;état de la mémoire de l&apos;installateur au moment du plantage, pour les développeurs</translation>
    </message>
    <message>
        <source>%1: the time of the crash</source>
        <translation>%1 : l&apos;heure du plantage</translation>
    </message>
    <message>
        <source>Its summary line:</source>
        <translation>Sa ligne de résumé :</translation>
    </message>
</context>
<context>
    <name>DialogCaption</name>
    <message>
        <source>Choose a Database to Open</source>
        <translation>Choisir une base de données à ouvrir</translation>
    </message>
    <message>
        <source>Save Database</source>
        <translation>Enregistrer la base de données</translation>
    </message>
</context>
<context>
    <name>DialogFilter</name>
    <message>
        <source>Images (*.png *.jpg)</source>
        <translation>Images (*.png *.jpg)</translation>
    </message>
    <message>
        <source>Microsoft Access Database (*.mdb); SQLite Database (*.db); Tandel Database (*.tdb)</source>
        <translation>Base de données Microsoft Access (*.mdb); Base de données SQLite (*.db); Base de données Tandel (*.tdb)</translation>
    </message>
    <message>
        <source>Database (*.tdb)</source>
        <translation>Base de données (*.tdb)</translation>
    </message>
</context>
<context>
    <name>FailureWords</name>
    <message>
        <source>bytes</source>
        <translation>octets</translation>
    </message>
    <message>
        <source>%1 of %2 %3</source>
        <translation>%1 sur %2 %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>the server sent a web page instead of the package</source>
        <translation>le serveur a envoyé une page web au lieu du paquet</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>annulé</translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation>connexion refusée</translation>
    </message>
    <message>
        <source>the server closed the connection</source>
        <translation>le serveur a fermé la connexion</translation>
    </message>
    <message>
        <source>the server could not be found</source>
        <translation>le serveur est introuvable</translation>
    </message>
    <message>
        <source>the server stopped sending</source>
        <translation>le serveur a cessé d&apos;envoyer</translation>
    </message>
    <message>
        <source>the secure connection could not be made</source>
        <translation>la connexion sécurisée n&apos;a pas pu être établie</translation>
    </message>
    <message>
        <source>not found on the server (HTTP %1)</source>
        <translation>introuvable sur le serveur (HTTP %1)</translation>
    </message>
    <message>
        <source>the server refused to send it (HTTP %1)</source>
        <translation>le serveur a refusé de l&apos;envoyer (HTTP %1)</translation>
    </message>
    <message>
        <source>the server had a problem (HTTP %1)</source>
        <translation>le serveur a rencontré un problème (HTTP %1)</translation>
    </message>
    <message>
        <source>the server refused the request (HTTP %1)</source>
        <translation>le serveur a refusé la demande (HTTP %1)</translation>
    </message>
    <message>
        <source>; %1 of %2 kept, Retry resumes</source>
        <translation>; %1 sur %2 conservés, Réessayer reprendra le téléchargement</translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip: %1</source>
        <translation>Impossible d&apos;ouvrir le zip : %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file: the archive has no entries</source>
        <translation>Impossible d&apos;aller au premier fichier : l&apos;archive ne contient aucune entrée</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted (self-signed)</source>
        <translation>le certificat de %1 n&apos;est pas fiable (auto-signé)</translation>
    </message>
    <message>
        <source>the certificate of %1 has expired</source>
        <translation>le certificat de %1 a expiré</translation>
    </message>
    <message>
        <source>the certificate of %1 is not valid yet</source>
        <translation>le certificat de %1 n&apos;est pas encore valide</translation>
    </message>
    <message>
        <source>the certificate of %1 is made out for another host</source>
        <translation>le certificat de %1 est établi pour un autre hôte</translation>
    </message>
    <message>
        <source>the certificate of %1 has been revoked</source>
        <translation>le certificat de %1 a été révoqué</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted (unknown issuer)</source>
        <translation>le certificat de %1 n&apos;est pas fiable (émetteur inconnu)</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted</source>
        <translation>le certificat de %1 n&apos;est pas fiable</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>there is no room for more files on the disk</source>
        <translation>le disque n&apos;a plus de place pour d&apos;autres fichiers</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written (read-only)</source>
        <translation>le dossier %1 ne peut pas être modifié (lecture seule)</translation>
    </message>
    <message>
        <source>the archive holds a link, which is not installed: %1</source>
        <translation>l&apos;archive contient un lien, qui n&apos;est pas installé : %1</translation>
    </message>
    <message>
        <source>the archive is damaged or encrypted</source>
        <translation>l&apos;archive est endommagée ou chiffrée</translation>
    </message>
    <message>
        <source>not a readable zip archive</source>
        <translation>ce n&apos;est pas une archive zip lisible</translation>
    </message>
    <message>
        <source>the archive has no entries</source>
        <translation>l&apos;archive ne contient aucune entrée</translation>
    </message>
    <message>
        <source>%1 could not be unpacked: %2</source>
        <extracomment>%1 is the archive&apos;s entry that could not be unpacked, %2 why</extracomment>
        <translation>%1 n&apos;a pas pu être décompressé : %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip</source>
        <translation>Impossible d&apos;ouvrir le zip</translation>
    </message>
    <message>
        <source>Couldn&apos;t extract file</source>
        <translation>Impossible d&apos;extraire le fichier</translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file</source>
        <translation>Impossible d&apos;atteindre le premier fichier</translation>
    </message>
    <message>
        <source>Couldn&apos;t close zip</source>
        <translation>Impossible de fermer le zip</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 is what failed, %2 why</extracomment>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>the file is not there any more</source>
        <translation>le fichier n&apos;est plus là</translation>
    </message>
    <message>
        <source>the archive&apos;s directory is damaged</source>
        <translation>le répertoire de l&apos;archive est endommagé</translation>
    </message>
    <message>
        <source>the records of installed packages are in use by another program</source>
        <translation>les enregistrements des paquets installés sont utilisés par un autre programme</translation>
    </message>
    <message>
        <source>Trying again in %1 s (attempt %2 of %3)</source>
        <extracomment>%1 is the wait in seconds, %2 the attempt coming, %3 the number of attempts</extracomment>
        <translation>Nouvel essai dans %1 s (tentative %2 sur %3)</translation>
    </message>
    <message>
        <source>cancelled; %1 of %2 kept, the next download resumes it</source>
        <extracomment>%1 is the part downloaded, %2 the whole file</extracomment>
        <translation>annulé ; %1 sur %2 conservés, le prochain téléchargement reprendra</translation>
    </message>
    <message>
        <source>the server is sending too slowly</source>
        <translation>le serveur envoie trop lentement</translation>
    </message>
    <message>
        <source>the archive holds a file name that is not allowed (outside the package&apos;s folder, or reserved): %1</source>
        <translation>l&apos;archive contient un nom de fichier interdit (hors du dossier du paquet, ou réservé) : %1</translation>
    </message>
</context>
<context>
    <name>FileReport</name>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>
            <numerusform>Impossible de supprimer %n fichier de %1 dans %2 ; il reste enregistré.</numerusform>
            <numerusform>Impossible de supprimer %n fichiers de %1 dans %2 ; ils restent enregistrés.</numerusform>
        </translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 désinstallé de %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) kept, listed below.</source>
        <translation>
            <numerusform>%n fichier conservé, listé ci-dessous.</numerusform>
            <numerusform>%n fichiers conservés, listés ci-dessous.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not remove (they stay recorded):</source>
        <translation>Impossible de supprimer (ils restent enregistrés) :</translation>
    </message>
    <message>
        <source>Kept, because you changed them:</source>
        <translation>Conservés, car vous les avez modifiés :</translation>
    </message>
    <message>
        <source>Kept, because you added them:</source>
        <translation>Conservés, car vous les avez ajoutés :</translation>
    </message>
    <message>
        <source>Kept, because another package also installed them:</source>
        <translation>Conservés, car un autre paquet les a aussi installés :</translation>
    </message>
    <message numerus="yes">
        <source>%n package(s) verified, %2 with missing or changed files</source>
        <extracomment>%2 is how many of them have missing or changed files</extracomment>
        <translation>
            <numerusform>%n paquet vérifié, %2 avec des fichiers manquants ou modifiés</numerusform>
            <numerusform>%n paquets vérifiés, %2 avec des fichiers manquants ou modifiés</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not put back, because their kept copies are gone:</source>
        <translation>Non remis en place, car leurs copies conservées ont disparu :</translation>
    </message>
</context>
<context>
    <name>FramelessWindow</name>
    <message>
        <source>Frameless Window</source>
        <translation>Fenêtre sans cadre</translation>
    </message>
</context>
<context>
    <name>GameFolder</name>
    <message>
        <source>%1 (in use)</source>
        <translation>%1 (utilisé)</translation>
    </message>
    <message>
        <source>Another Folder…</source>
        <translation>Autre dossier…</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Changer de dossier du jeu</translation>
    </message>
    <message>
        <source>Which TEW2016 install should the packages go into? Each keeps its own list of installed packages.</source>
        <translation>Dans quelle installation de TEW2016 les paquets doivent-ils aller ? Chacune garde sa propre liste de paquets installés.</translation>
    </message>
    <message>
        <source>Default install</source>
        <comment>a launcher&apos;s name</comment>
        <translation>Installation par défaut</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>launcher: path of an install</comment>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Choose the TEW2016 install</source>
        <translation>Choisir l&apos;installation de TEW2016</translation>
    </message>
    <message>
        <source>Set TEW2016 Install folder</source>
        <translation>Indiquer le dossier d&apos;installation de TEW2016</translation>
    </message>
    <message>
        <source>TEW2016 is installed in more than one place. Which one should the packages go into?</source>
        <translation>TEW2016 est installé à plusieurs endroits. Dans quelle installation les paquets doivent-ils aller ?</translation>
    </message>
    <message>
        <source>Games folder</source>
        <comment>a launcher&apos;s name: the folder ~/Games</comment>
        <translation>Dossier Games</translation>
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
        <translation>Où TEW2016 est-il installé ? Choisissez le dossier qui contient TEW2016.exe</translation>
    </message>
    <message>
        <source>It was not found in these places:</source>
        <translation>Il n&apos;a pas été trouvé à ces endroits :</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>&amp;Parcourir…</translation>
    </message>
    <message>
        <source>%1 is not TEW2016.exe. Choose the TEW2016.exe file in the game&apos;s folder.</source>
        <translation>%1 n&apos;est pas TEW2016.exe. Choisissez le fichier TEW2016.exe dans le dossier du jeu.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation>La langue de l&apos;installateur ; un nouveau choix s&apos;applique au prochain démarrage</translation>
    </message>
    <message>
        <source>TEW2016 was found in these places. Choose the one the packages should go into:</source>
        <translation>TEW2016 a été trouvé à ces emplacements. Choisissez celui où iront les paquets :</translation>
    </message>
    <message>
        <source>&amp;Use This Folder</source>
        <translation>&amp;Utiliser ce dossier</translation>
    </message>
</context>
<context>
    <name>InstallBatch</name>
    <message>
        <source>Uninstall</source>
        <translation>Désinstaller</translation>
    </message>
    <message>
        <source>Verify</source>
        <extracomment>%1 is the package, %2 what is wrong with its records</extracomment>
        <translation>Vérifier</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Not enough disk space: needs %1, %2 free</source>
        <extracomment>%1 is the size the package needs, %2 the free space</extracomment>
        <translation>Espace disque insuffisant : %1 nécessaires, %2 libres</translation>
    </message>
    <message>
        <source>Uninstall %1</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin</extracomment>
        <translation>Désinstaller le %1</translation>
    </message>
    <message>
        <source>Uninstall %1 from %2?

Its files are removed; files you changed or added there are kept.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>Désinstaller %1 de %2 ?

Ses fichiers seront supprimés ; les fichiers que vous y avez modifiés ou ajoutés seront conservés.</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>annulé</translation>
    </message>
    <message>
        <source>%1 (%2 of %3)</source>
        <extracomment>%1 is the package, %2 its place in the list, %3 the number of packages in the list</extracomment>
        <translation>%1 (%2 sur %3)</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échec</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>installé</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>ignoré</translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation>Ignoré : %1</translation>
    </message>
    <message>
        <source>no folder chosen</source>
        <translation>aucun dossier choisi</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... et %1 de plus</translation>
    </message>
    <message>
        <source>Install %1</source>
        <translation>Installer le %1</translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation>Garder ma version</translation>
    </message>
    <message>
        <source>Take the Package&apos;s</source>
        <translation>Prendre celle du paquet</translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 %2 into:</source>
        <extracomment>%1 is the package, %2 its kind: Mod, Picture Pack or Skin</extracomment>
        <translation>Choisissez un nom de dossier où installer %1 (%2) :</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; already exists.

Update it with %2? The package&apos;s files replace those of the same name; your other files stay.</source>
        <extracomment>%1 is the folder, %2 the package</extracomment>
        <translation>Le dossier &quot;%1&quot; existe déjà.

Le mettre à jour avec %2 ? Les fichiers du paquet remplacent ceux du même nom ; vos autres fichiers restent en place.</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>Choose Another Name</source>
        <translation>Choisir un autre nom</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Cancelled %1</source>
        <translation>Annulé : %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch and close?</source>
        <translation>Des paquets sont encore en cours d&apos;installation. Ignorer seulement %1, ou arrêter tout le lot et fermer ?</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch?</source>
        <translation>Des paquets sont encore en cours d&apos;installation. Ignorer seulement %1, ou arrêter tout le lot ?</translation>
    </message>
    <message>
        <source>A package being unpacked is undone; a download is kept to be resumed later.</source>
        <translation>Un paquet en cours de décompression est annulé ; un téléchargement est conservé pour être repris plus tard.</translation>
    </message>
    <message>
        <source>Skip This Package</source>
        <translation>Ignorer ce paquet</translation>
    </message>
    <message>
        <source>Stop and Close</source>
        <translation>Arrêter et fermer</translation>
    </message>
    <message>
        <source>Stop the Batch</source>
        <translation>Arrêter le lot</translation>
    </message>
    <message>
        <source>Go On</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>the batch was stopped</source>
        <translation>le lot a été arrêté</translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Installer depuis un fichier</translation>
    </message>
    <message>
        <source>Could not install %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be installed</extracomment>
        <translation>Impossible d&apos;installer %1 :

%2</translation>
    </message>
    <message>
        <source>Packages are being installed. Install %1 when they are done.</source>
        <translation>Des paquets sont en cours d&apos;installation. Installez %1 quand ils seront terminés.</translation>
    </message>
    <message>
        <source>What kind of package is %1?

From what the archive holds it looks like a %2.</source>
        <extracomment>%1 is the package, %2 a kind: Mod, Picture Pack or Skin</extracomment>
        <translation>Quel est le type du paquet %1 ?

D&apos;après le contenu de l&apos;archive, il semble s&apos;agir d&apos;un %2.</translation>
    </message>
    <message>
        <source>A package of the same name and kind from the package list is installed in %1. Rename the archive to install it beside that one.</source>
        <extracomment>%1 is the folder of the package installed from the package list</extracomment>
        <translation>Un paquet de même nom et de même type, issu de la liste des paquets, est installé dans %1. Renommez l&apos;archive pour l&apos;installer à côté de celui-ci.</translation>
    </message>
    <message>
        <source>Installed the %1 %2 into %3.</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin; %2 the package, %3 its folder</extracomment>
        <translation>Le %1 %2 a été installé dans %3.</translation>
    </message>
    <message>
        <source>Installing %1: %2%</source>
        <translation>Installation de %1 : %2 %</translation>
    </message>
    <message>
        <source>Repair %1</source>
        <translation>Réparer le %1</translation>
    </message>
    <message>
        <source>Could not repair %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be repaired</extracomment>
        <translation>Impossible de réparer %1 :

%2</translation>
    </message>
    <message>
        <source>The archive of %1</source>
        <translation>L&apos;archive de %1</translation>
    </message>
    <message>
        <source>Fetching %1 again...</source>
        <translation>Nouveau téléchargement de %1...</translation>
    </message>
    <message>
        <source>the archive could not be fetched from %1: %2</source>
        <extracomment>%1 is the address, %2 why it could not be fetched</extracomment>
        <translation>l&apos;archive n&apos;a pas pu être récupérée depuis %1 : %2</translation>
    </message>
    <message>
        <source>that archive is not the one that was installed. Install it with Install from File to update the package.</source>
        <translation>cette archive n&apos;est pas celle qui a été installée. Installez-la avec Installer depuis un fichier pour mettre à jour le paquet.</translation>
    </message>
    <message>
        <source>The host now serves another file for %1 than the one installed, so it cannot repair it.

Update to the file it serves now?</source>
        <translation>Le serveur propose désormais pour %1 un autre fichier que celui qui a été installé : il ne peut donc pas le réparer.

Mettre à jour avec le fichier proposé désormais ?</translation>
    </message>
    <message>
        <source>the package is not in the package list any more</source>
        <translation>le paquet ne figure plus dans la liste des paquets</translation>
    </message>
    <message>
        <source>Repaired %1 in %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 réparé dans %2.</translation>
    </message>
    <message>
        <source>Fetching %1 again... %2%</source>
        <translation>Nouveau téléchargement de %1... %2%</translation>
    </message>
    <message>
        <source>The records of %1 cannot be read whole, so its files cannot be checked against them:

%2</source>
        <translation>Les enregistrements de %1 ne peuvent pas être lus en entier, ses fichiers ne peuvent donc pas être vérifiés par rapport à eux :

%2</translation>
    </message>
    <message>
        <source>%1 was not installed: an interrupted install or uninstall of it is waiting to be finished (%2)</source>
        <extracomment>%1 is the package, %2 the folder the interrupted change waits for</extracomment>
        <translation>%1 n&apos;a pas été installé : une installation ou désinstallation interrompue attend d&apos;être terminée (%2)</translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 into:</source>
        <extracomment>%1 is the package, whose name ends with its kind (&quot;Gold Skin&quot;)</extracomment>
        <translation>Choisissez un nom de dossier où installer %1 :</translation>
    </message>
    <message>
        <source>A package is still being installed. Stop it and close?

What was unpacked so far is undone.</source>
        <translation>Un paquet est encore en cours d&apos;installation. L&apos;arrêter et fermer ?

Ce qui a déjà été décompressé est annulé.</translation>
    </message>
    <message>
        <source>Installed the %1 into %2.</source>
        <extracomment>%1 is the package, whose name ends with its kind (&quot;Gold Skin&quot;); %2 its folder</extracomment>
        <translation>%1 a été installé dans %2.</translation>
    </message>
    <message>
        <source>Update %1</source>
        <extracomment>%1 is the kind of package: Mod DB, Picture Pack or Skin</extracomment>
        <translation>Mettre à jour le %1</translation>
    </message>
    <message>
        <source>left as it was, as you chose; nothing was changed</source>
        <translation>laissé tel quel, comme vous l&apos;avez choisi ; rien n&apos;a été modifié</translation>
    </message>
    <message>
        <source>%1 was left as it was: nothing was changed.</source>
        <extracomment>%1 is the package</extracomment>
        <translation>%1 est resté tel quel : rien n&apos;a été modifié.</translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that the repair puts back as they were installed:

%2

Keep yours (the package&apos;s versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <translation>
            <numerusform>Vous avez modifié %n fichier de %1 que la réparation remet tel qu&apos;il a été installé :

%2

Garder votre version (celle du paquet est placée à côté sous le nom &lt;fichier&gt;%3), prendre celle du paquet (la vôtre est conservée sous le nom &lt;fichier&gt;%4) ou ne rien changer ?</numerusform>
            <numerusform>Vous avez modifié %n fichiers de %1 que la réparation remet tels qu&apos;ils ont été installés :

%2

Garder vos versions (celles du paquet sont placées à côté sous le nom &lt;fichier&gt;%3), prendre celles du paquet (les vôtres sont conservées sous le nom &lt;fichier&gt;%4) ou ne rien changer ?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that this version replaces:

%2

Keep yours (the package&apos;s new versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <extracomment>%1 is the package, %2 the list of files, %3 and %4 the file name endings the package&apos;s and the player&apos;s versions get</extracomment>
        <translation>
            <numerusform>Vous avez modifié %n fichier de %1 que cette version remplace :

%2

Garder votre version (la nouvelle version du paquet est placée à côté sous le nom &lt;fichier&gt;%3), prendre celle du paquet (la vôtre est conservée sous le nom &lt;fichier&gt;%4) ou ne rien changer ?</numerusform>
            <numerusform>Vous avez modifié %n fichiers de %1 que cette version remplace :

%2

Garder vos versions (les nouvelles versions du paquet sont placées à côté sous le nom &lt;fichier&gt;%3), prendre celles du paquet (les vôtres sont conservées sous le nom &lt;fichier&gt;%4) ou ne rien changer ?</numerusform>
        </translation>
    </message>
    <message>
        <source>Change Nothing</source>
        <translation>Ne rien changer</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message numerus="yes">
        <source>Stopped. Installed %1 of %n package(s).</source>
        <extracomment>%1 is the number of packages installed before the batch was stopped</extracomment>
        <translation>
            <numerusform>Arrêté. Paquets installés : %1 sur %n.</numerusform>
            <numerusform>Arrêté. Paquets installés : %1 sur %n.</numerusform>
        </translation>
    </message>
    <message>
        <source>The partial download is kept: downloading the package again resumes it.</source>
        <translation>Le téléchargement partiel est conservé : télécharger à nouveau le paquet le reprend.</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Terminé</translation>
    </message>
    <message numerus="yes">
        <source>Installed %1 of %n package(s).</source>
        <translation>
            <numerusform>Paquets installés : %1 sur %n.</numerusform>
            <numerusform>Paquets installés : %1 sur %n.</numerusform>
        </translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Mis à jour</translation>
    </message>
    <message>
        <source>Update Completed</source>
        <translation>Mise à jour terminée</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installés</translation>
    </message>
    <message>
        <source>Install Completed</source>
        <translation>Installation terminée</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>mis à jour</translation>
    </message>
    <message>
        <source>you chose to skip it: the folder &quot;%1&quot; already exists</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>ignoré à votre demande : le dossier « %1 » existe déjà</translation>
    </message>
    <message>
        <source>Repairing %1: %2%</source>
        <translation>Réparation de %1 : %2 %</translation>
    </message>
</context>
<context>
    <name>InstallRecovery</name>
    <message>
        <source>An uninstall could not be finished: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Une désinstallation n&apos;a pas pu être terminée : %1</translation>
    </message>
    <message>
        <source>An install is waiting to be finished: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Une installation attend d&apos;être terminée : %1</translation>
    </message>
    <message>
        <source>An interrupted install could not be read: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Une installation interrompue n&apos;a pas pu être lue : %1</translation>
    </message>
    <message>
        <source>%1 in %2 is half changed: a change of it was cut off, and the journal that would finish or undo it is damaged. Its files are checked now, and Repair puts them back.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 dans %2 n&apos;est modifié qu&apos;à moitié : une modification a été interrompue, et le journal qui la terminerait ou l&apos;annulerait est endommagé. Ses fichiers sont vérifiés maintenant, et Réparer les remet en place.</translation>
    </message>
</context>
<context>
    <name>InstallRules</name>
    <message>
        <source>Folder Name can&apos;t be longer than 24 characters</source>
        <translation>Le nom du dossier ne peut pas dépasser 24 caractères</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain illegal characters &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</source>
        <translation>Le nom du dossier ne peut pas contenir les caractères interdits &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain control characters</source>
        <translation>Le nom du dossier ne peut pas contenir de caractères de contrôle</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t end with a blank or a dot</source>
        <translation>Le nom du dossier ne peut pas se terminer par un espace ou un point</translation>
    </message>
    <message>
        <source>Folder Name needs more than dots and blanks</source>
        <translation>Le nom du dossier doit contenir autre chose que des points et des espaces</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a name Windows keeps for itself</source>
        <translation>&apos;%1&apos; est un nom réservé par Windows</translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>Could not create folder: a file of that name is in the way. Choose another name.</source>
        <translation>Impossible de créer le dossier : un fichier de ce nom gêne. Choisissez un autre nom.</translation>
    </message>
    <message>
        <source>Could not create folder: a file named %1 is in the way. Choose another name.</source>
        <translation>Impossible de créer le dossier : un fichier nommé %1 gêne. Choisissez un autre nom.</translation>
    </message>
    <message>
        <source>Could not create folder: %1.</source>
        <translation>Impossible de créer le dossier : %1.</translation>
    </message>
    <message>
        <source>Could not create folder: no permission to write in %1. Choose another name.</source>
        <translation>Impossible de créer le dossier : pas le droit d&apos;écrire dans %1. Choisissez un autre nom.</translation>
    </message>
    <message>
        <source>Could not create folder: the system refused it. Choose another name.</source>
        <translation>Impossible de créer le dossier : le système l&apos;a refusé. Choisissez un autre nom.</translation>
    </message>
    <message>
        <source>no folder can be made: there is no permission to write in %1</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>aucun dossier ne peut être créé : pas d&apos;autorisation d&apos;écrire dans %1</translation>
    </message>
</context>
<context>
    <name>InstalledPackages</name>
    <message>
        <source>the records of installed packages are in use by another program</source>
        <translation>les enregistrements des paquets installés sont utilisés par un autre programme</translation>
    </message>
    <message>
        <source>the records of installed packages are damaged (%1)</source>
        <extracomment>%1 is what SQLite or the check found, in English</extracomment>
        <translation>les enregistrements des paquets installés sont endommagés (%1)</translation>
    </message>
    <message>
        <source>The records of installed packages in %1 are damaged and could not be kept aside; they were left as they are.</source>
        <extracomment>%1 is the file of the records</extracomment>
        <translation>Les enregistrements des paquets installés dans %1 sont endommagés et n&apos;ont pas pu être mis de côté ; ils ont été laissés tels quels.</translation>
    </message>
    <message>
        <source>The records of installed packages are damaged and were kept as %1, but no new record could be started.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>Les enregistrements des paquets installés sont endommagés et ont été gardés en %1, mais aucun nouvel enregistrement n&apos;a pu être commencé.</translation>
    </message>
    <message numerus="yes">
        <source>The records of installed packages were damaged and are kept as %1. New records were started with the %n package(s) that still read whole.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>
            <numerusform>Les enregistrements des paquets installés étaient endommagés et sont gardés en %1. De nouveaux enregistrements ont été commencés avec le %n paquet encore lisible en entier.</numerusform>
            <numerusform>Les enregistrements des paquets installés étaient endommagés et sont gardés en %1. De nouveaux enregistrements ont été commencés avec les %n paquets encore lisibles en entier.</numerusform>
        </translation>
    </message>
    <message>
        <source>Left out, with their files left in the game folder: %1.</source>
        <extracomment>%1 is the list of packages</extracomment>
        <translation>Laissés de côté, avec leurs fichiers restés dans le dossier du jeu : %1.</translation>
    </message>
    <message>
        <source>Some package records could not be read at all.</source>
        <translation>Certains enregistrements de paquets n&apos;ont pas pu être lus du tout.</translation>
    </message>
    <message>
        <source>The records of installed packages in %1 cannot be used.</source>
        <extracomment>%1 is the file of the records</extracomment>
        <translation>Les enregistrements des paquets installés dans %1 ne peuvent pas être utilisés.</translation>
    </message>
    <message>
        <source>The records of installed packages could not be used; new records were started.</source>
        <translation>Les enregistrements des paquets installés n&apos;ont pas pu être utilisés ; de nouveaux enregistrements ont été commencés.</translation>
    </message>
    <message>
        <source>The records of installed packages could not be used and are kept as %1; new records were started.</source>
        <translation>Les enregistrements des paquets installés n&apos;ont pas pu être utilisés et sont gardés en %1 ; de nouveaux enregistrements ont été commencés.</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Applies at the next start.</source>
        <translation>S&apos;applique au prochain démarrage.</translation>
    </message>
</context>
<context>
    <name>ListExchange</name>
    <message>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Package lists (*.txt);;All files (*)</source>
        <translation>Listes de paquets (*.txt);;Tous les fichiers (*)</translation>
    </message>
    <message numerus="yes">
        <source>Wrote %n package(s) to %1.</source>
        <extracomment>%1 is the file</extracomment>
        <translation>
            <numerusform>%n paquet écrit dans %1.</numerusform>
            <numerusform>%n paquets écrits dans %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <extracomment>%1 is the file, %2 why</extracomment>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation>Importer une liste de paquets</translation>
    </message>
    <message>
        <source>Import</source>
        <extracomment>%1 is the file, %2 why</extracomment>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Export the Installed Packages</source>
        <translation>Exporter les paquets installés</translation>
    </message>
</context>
<context>
    <name>LogWindows</name>
    <message>
        <source>Session Log</source>
        <translation>Journal de session</translation>
    </message>
    <message>
        <source>Nothing has been written to today&apos;s log yet. It will be kept in this file:
%1</source>
        <translation>Rien n&apos;a encore été écrit dans le journal du jour. Il sera conservé dans ce fichier :
%1</translation>
    </message>
    <message>
        <source>Today&apos;s log could not be read. Check that this file can be opened:
%1</source>
        <translation>Le journal du jour n&apos;a pas pu être lu. Vérifiez que ce fichier peut être ouvert :
%1</translation>
    </message>
</context>
<context>
    <name>OpenFolder</name>
    <message>
        <source>The folder %1 is not there.</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>Le dossier %1 n’existe pas.</translation>
    </message>
    <message>
        <source>Nothing on this computer could show the folder %1. Open it with a file manager yourself.</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>Rien sur cet ordinateur n’a pu afficher le dossier %1. Ouvrez-le vous-même avec un gestionnaire de fichiers.</translation>
    </message>
</context>
<context>
    <name>PackageInstall</name>
    <message numerus="yes">
        <source>kept your %n changed file(s); the package&apos;s versions are beside them as %1: %2</source>
        <extracomment>%1 is the file name ending the package&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>%n fichier que vous aviez modifié a été conservé ; la version du paquet est placée à côté avec le suffixe %1 : %2</numerusform>
            <numerusform>%n fichiers que vous aviez modifiés ont été conservés ; les versions du paquet sont placées à côté avec le suffixe %1 : %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) of the old version that you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier de l&apos;ancienne version que vous aviez modifié a été conservé : %1</numerusform>
            <numerusform>%n fichiers de l&apos;ancienne version que vous aviez modifiés ont été conservés : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>could not remove %n file(s) of the old version: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>impossible de supprimer %n fichier de l&apos;ancienne version : %1</numerusform>
            <numerusform>impossible de supprimer %n fichiers de l&apos;ancienne version : %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was changed</source>
        <translation>Rien n&apos;a été modifié</translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) that were in the folder before aside; uninstalling the package puts them back: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier qui se trouvait déjà dans le dossier a été mis de côté ; la désinstallation du paquet le remettra en place : %1</numerusform>
            <numerusform>%n fichiers qui se trouvaient déjà dans le dossier ont été mis de côté ; la désinstallation du paquet les remettra en place : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>put back %n file(s) that were in the folder before and that this version no longer replaces: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier qui se trouvait déjà dans le dossier et que cette version ne remplace plus a été remis en place : %1</numerusform>
            <numerusform>%n fichiers qui se trouvaient déjà dans le dossier et que cette version ne remplace plus ont été remis en place : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>took the package&apos;s versions of %n file(s); yours are kept as %1: %2</source>
        <extracomment>%1 is the file name ending the player&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>version du paquet prise pour %n fichier ; la vôtre est gardée en %1 : %2</numerusform>
            <numerusform>versions du paquet prises pour %n fichiers ; les vôtres sont gardées en %1 : %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the archive names %n file(s) more than once in spellings that differ only in case, which the game takes for one file; the last of each was installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>l&apos;archive nomme %n fichier plusieurs fois avec des graphies qui ne diffèrent que par la casse, que le jeu prend pour un seul fichier ; la dernière de chacune a été installée : %1</numerusform>
            <numerusform>l&apos;archive nomme %n fichiers plusieurs fois avec des graphies qui ne diffèrent que par la casse, que le jeu prend pour un seul fichier ; la dernière de chacune a été installée : %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the record could not be written; it is tried again at the next start (the log tells why)</source>
        <translation>l&apos;enregistrement n&apos;a pas pu être écrit ; il sera réessayé au prochain démarrage (le journal en donne la raison)</translation>
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
        <translation>Base de mods</translation>
    </message>
    <message>
        <source> [Pic Pack]</source>
        <translation> [Pack d&apos;images]</translation>
    </message>
    <message>
        <source>Picture Pack</source>
        <translation>Pack d&apos;images</translation>
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
        <translation>Il n&apos;y a rien à exporter : aucun paquet installé ne provient de la liste des paquets.</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... et %n de plus</numerusform>
            <numerusform>... et %n de plus</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Added %n package(s) to the download list.</source>
        <translation>
            <numerusform>%n paquet ajouté à la liste de téléchargement.</numerusform>
            <numerusform>%n paquets ajoutés à la liste de téléchargement.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not in the package list:</source>
        <translation>Absents de la liste des paquets :</translation>
    </message>
    <message>
        <source>Lines that could not be read (nothing was added for them):</source>
        <translation>Lignes illisibles (rien n&apos;a été ajouté pour elles) :</translation>
    </message>
    <message>
        <source>the file is too large to be a package list</source>
        <translation>le fichier est trop grand pour être une liste de paquets</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <extracomment>%1 is the line&apos;s number in the file, %2 the line</extracomment>
        <translation>ligne %1 : %2</translation>
    </message>
</context>
<context>
    <name>PackageRemoval</name>
    <message>
        <source>Could not uninstall %1: %2.</source>
        <extracomment>%1 is the package, %2 why it cannot be uninstalled</extracomment>
        <translation>Impossible de désinstaller %1 : %2.</translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 désinstallé de %2.</translation>
    </message>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded: %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the files</extracomment>
        <translation>
            <numerusform>Impossible de supprimer %n fichier de %1 dans %2 ; il reste enregistré : %3</numerusform>
            <numerusform>Impossible de supprimer %n fichiers de %1 dans %2 ; ils restent enregistrés : %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier que vous avez modifié a été conservé : %1</numerusform>
            <numerusform>%n fichiers que vous avez modifiés ont été conservés : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you added: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier que vous avez ajouté a été conservé : %1</numerusform>
            <numerusform>%n fichiers que vous avez ajoutés ont été conservés : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) another package also installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier également installé par un autre paquet a été conservé : %1</numerusform>
            <numerusform>%n fichiers également installés par un autre paquet ont été conservés : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier qui se trouvait dans le dossier avant l&apos;installation a été conservé : %1</numerusform>
            <numerusform>%n fichiers qui se trouvaient dans le dossier avant l&apos;installation ont été conservés : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) of yours that an update set aside: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n de vos fichiers, mis de côté par une mise à jour, a été conservé : %1</numerusform>
            <numerusform>%n de vos fichiers, mis de côté par une mise à jour, ont été conservés : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier qui se trouvait dans le dossier avant l&apos;installation a été remis en place : %1</numerusform>
            <numerusform>%n fichiers qui se trouvaient dans le dossier avant l&apos;installation ont été remis en place : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install beside your changed ones: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>%n fichier qui se trouvait dans le dossier avant l&apos;installation a été remis à côté de votre version modifiée : %1</numerusform>
            <numerusform>%n fichiers qui se trouvaient dans le dossier avant l&apos;installation ont été remis à côté de vos versions modifiées : %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; they stay kept: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Impossible de remettre en place %n fichier qui se trouvait dans le dossier avant l&apos;installation ; il reste conservé : %1</numerusform>
            <numerusform>Impossible de remettre en place %n fichiers qui se trouvaient dans le dossier avant l&apos;installation ; ils restent conservés : %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the folder %1 is not inside the game folder</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>le dossier %1 n&apos;est pas dans le dossier du jeu</translation>
    </message>
    <message>
        <source>the folder %1 is reached through a link</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>le dossier %1 est atteint par un lien</translation>
    </message>
    <message>
        <source>%1; nothing was removed</source>
        <extracomment>%1 is what is wrong with the records</extracomment>
        <translation>%1 ; rien n&apos;a été supprimé</translation>
    </message>
    <message>
        <source>its folder is not inside the game folder</source>
        <translation>son dossier n&apos;est pas dans le dossier du jeu</translation>
    </message>
    <message>
        <source>the game folder %1 is not there</source>
        <extracomment>%1 is the game folder</extracomment>
        <translation>le dossier du jeu %1 n&apos;existe pas</translation>
    </message>
    <message>
        <source>its folder %1 is a link (or lies behind one); nothing was removed</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>son dossier %1 est un lien (ou se trouve derrière un lien) ; rien n&apos;a été supprimé</translation>
    </message>
    <message>
        <source>the removal could not be recorded</source>
        <translation>la suppression n&apos;a pas pu être enregistrée</translation>
    </message>
    <message>
        <source>The next start finishes the uninstall (the log tells why it could not now).</source>
        <translation>Le prochain démarrage termine la désinstallation (le journal indique pourquoi elle n&apos;a pas pu l&apos;être maintenant).</translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; their kept copies are gone: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Impossible de remettre en place %n fichier qui était dans le dossier avant l’installation ; sa copie conservée a disparu : %1</numerusform>
            <numerusform>Impossible de remettre en place %n fichiers qui étaient dans le dossier avant l’installation ; leurs copies conservées ont disparu : %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageUpdates</name>
    <message>
        <source>&amp;Update all (%1)</source>
        <translation>Tout &amp;mettre à jour (%1)</translation>
    </message>
</context>
<context>
    <name>PackageVerify</name>
    <message numerus="yes">
        <source>All %1 files as installed</source>
        <extracomment>%1 is the number of files</extracomment>
        <translation>
            <numerusform>%1 fichier tel qu&apos;installé</numerusform>
            <numerusform>Les %1 fichiers tels qu&apos;installés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 missing</source>
        <comment>files</comment>
        <translation>
            <numerusform>%1 manquant</numerusform>
            <numerusform>%1 manquants</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 changed</source>
        <comment>files</comment>
        <translation>
            <numerusform>%1 modifié</numerusform>
            <numerusform>%1 modifiés</numerusform>
        </translation>
    </message>
    <message>
        <source>Missing:</source>
        <translation>Manquants :</translation>
    </message>
    <message>
        <source>Changed:</source>
        <translation>Modifiés :</translation>
    </message>
    <message>
        <source>Your own files (not part of the package, left alone):</source>
        <translation>Vos propres fichiers (hors du paquet, laissés tels quels) :</translation>
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
            <numerusform>%n paquet installé retrouvé dans le dossier du jeu ; les détails sont dans le journal.</numerusform>
            <numerusform>%n paquets installés retrouvés dans le dossier du jeu ; les détails sont dans le journal.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) in the game folder are damaged and were not used; the details are in the log.</source>
        <extracomment>One line on the catalogue page</extracomment>
        <translation>
            <numerusform>%n enregistrement du dossier du jeu est endommagé et n’a pas été utilisé ; les détails sont dans le journal.</numerusform>
            <numerusform>%n enregistrements du dossier du jeu sont endommagés et n’ont pas été utilisés ; les détails sont dans le journal.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReportDialog</name>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Copy the whole report</source>
        <translation>Copier tout le rapport</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>To install the archives, use Install from File in the running installer.</source>
        <translation>Pour installer les archives, utilisez « Installer depuis un fichier » dans l’installateur en cours.</translation>
    </message>
    <message>
        <source>The folder Zerun Installer hands over through can be reached by other users, so nothing was handed over to the running installer.</source>
        <translation>Le dossier par lequel Zerun Installer transmet est accessible à d’autres utilisateurs ; rien n’a donc été transmis à l’installateur en cours.</translation>
    </message>
    <message>
        <source>A program of another user holds the name Zerun Installer hands over on, so nothing was handed over to it.</source>
        <translation>Un programme d’un autre utilisateur occupe le nom par lequel Zerun Installer transmet ; rien ne lui a donc été transmis.</translation>
    </message>
    <message>
        <source>Zerun Installer is running with this profile but did not answer in time, so nothing was handed over to it.</source>
        <translation>Zerun Installer fonctionne avec ce profil mais n’a pas répondu à temps ; rien ne lui a donc été transmis.</translation>
    </message>
</context>
<context>
    <name>StandardDialog</name>
    <message>
        <source> (You must enter a value)</source>
        <translation> (Vous devez saisir une valeur)</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Zerun Installer cannot start, because it cannot write to its folder:
%1

Make this folder writable, or free some space on its disk, and start the installer again.</source>
        <translation>Zerun Installer ne peut pas démarrer, car il ne peut pas écrire dans son dossier :
%1

Rendez ce dossier accessible en écriture, ou libérez de l’espace sur son disque, puis relancez l’installateur.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>TsLogging</name>
    <message>
        <source>Fatal</source>
        <translation>Fatal</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Débogage</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Channel Log: %1 |</source>
        <translation>Journal du canal : %1 |</translation>
    </message>
</context>
<context>
    <name>TsMessage</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>Check for Updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>You currently have the latest version.</source>
        <translation>Vous avez déjà la dernière version.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Check for Updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Download in External Browser</source>
        <translation>Télécharger dans le navigateur externe</translation>
    </message>
    <message>
        <source>Version %1 is available.</source>
        <translation>La version %1 est disponible.</translation>
    </message>
    <message>
        <source>A new version is available.</source>
        <translation>Une nouvelle version est disponible.</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Ignorer cette version</translation>
    </message>
    <message>
        <source>A new version is available on the service&apos;s site, %1.</source>
        <translation>Une nouvelle version est disponible sur le site du service, %1.</translation>
    </message>
    <message>
        <source>Version %1 is available on the service&apos;s site, %2.</source>
        <translation>La version %1 est disponible sur le site du service, %2.</translation>
    </message>
    <message>
        <source>Open the Site in the Browser</source>
        <translation>Ouvrir le site dans le navigateur</translation>
    </message>
</context>
<context>
    <name>WindowAccess</name>
    <message>
        <source>Package kind</source>
        <translation>Type de paquet</translation>
    </message>
    <message>
        <source>Shows all packages, one kind of package, or the installed ones</source>
        <translation>Affiche tous les paquets, un seul type de paquet ou les paquets installés</translation>
    </message>
    <message>
        <source>Search packages</source>
        <translation>Rechercher des paquets</translation>
    </message>
    <message>
        <source>Shows only the packages whose names hold this text; Ctrl+F comes here</source>
        <translation>N&apos;affiche que les paquets dont le nom contient ce texte ; Ctrl+F mène ici</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Vider la liste</translation>
    </message>
    <message>
        <source>Takes every package off the download list</source>
        <translation>Retire tous les paquets de la liste de téléchargement</translation>
    </message>
    <message>
        <source>Packages</source>
        <translation>Paquets</translation>
    </message>
    <message>
        <source>Enter adds the selected packages to the download list; Delete uninstalls the selected installed package</source>
        <translation>Entrée ajoute les paquets sélectionnés à la liste de téléchargement ; Suppr désinstalle le paquet installé sélectionné</translation>
    </message>
    <message>
        <source>Download List</source>
        <translation>Liste de téléchargement</translation>
    </message>
    <message>
        <source>Enter starts the download; Delete takes the selected packages off the list</source>
        <translation>Entrée lance le téléchargement ; Suppr retire de la liste les paquets sélectionnés</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Fetches the package list again</source>
        <translation>Recharge la liste des paquets</translation>
    </message>
    <message>
        <source>Update All</source>
        <translation>Tout mettre à jour</translation>
    </message>
    <message>
        <source>Updates every installed package that has a newer archive, each in its folder</source>
        <translation>Met à jour chaque paquet installé qui a une archive plus récente, chacun dans son dossier</translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation>Importer une liste de paquets</translation>
    </message>
    <message>
        <source>Puts the packages of a shared package list on the download list</source>
        <translation>Place les paquets d&apos;une liste de paquets partagée dans la liste de téléchargement</translation>
    </message>
    <message>
        <source>Saves the installed packages from the package list to a file to share</source>
        <translation>Enregistre les paquets installés depuis la liste des paquets dans un fichier à partager</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation>La langue de l&apos;installateur ; un nouveau choix s&apos;applique au prochain démarrage</translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation>Ajouter à la liste de téléchargement</translation>
    </message>
    <message>
        <source>Adds the selected packages to the download list</source>
        <translation>Ajoute les paquets sélectionnés à la liste de téléchargement</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Désinstaller</translation>
    </message>
    <message>
        <source>Removes the selected installed package from the game folder</source>
        <translation>Retire le paquet installé sélectionné du dossier du jeu</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Vérifier</translation>
    </message>
    <message>
        <source>Checks the selected installed packages&apos; files against what was installed</source>
        <translation>Compare les fichiers des paquets installés sélectionnés avec ce qui a été installé</translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Installer depuis un fichier</translation>
    </message>
    <message>
        <source>Installs a package archive (.zip) you have on disk</source>
        <translation>Installe une archive de paquet (.zip) présente sur votre disque</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>Downloads the packages on the download list and installs them</source>
        <translation>Télécharge les paquets de la liste de téléchargement et les installe</translation>
    </message>
    <message>
        <source>Package progress</source>
        <translation>Progression du paquet</translation>
    </message>
    <message>
        <source>How far the current package has come</source>
        <translation>Avancement du paquet en cours</translation>
    </message>
    <message>
        <source>Batch progress</source>
        <translation>Progression du lot</translation>
    </message>
    <message>
        <source>How many packages of the batch are over</source>
        <translation>Nombre de paquets du lot déjà traités</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>How each package of the batch ended</source>
        <translation>Comment chaque paquet du lot s&apos;est terminé</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Back to the package list; Esc does the same</source>
        <translation>Retour à la liste des paquets ; Échap fait de même</translation>
    </message>
    <message>
        <source>Copy Details</source>
        <translation>Copier les détails</translation>
    </message>
    <message>
        <source>Copies the outcome lines to the clipboard</source>
        <translation>Copie les lignes de résultat dans le presse-papiers</translation>
    </message>
    <message>
        <source>Retry Failed</source>
        <translation>Réessayer les échecs</translation>
    </message>
    <message>
        <source>Downloads and installs again the packages that did not install</source>
        <translation>Télécharge et installe de nouveau les paquets qui n&apos;ont pas été installés</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Asks whether to skip the current package or stop the batch; Esc does the same</source>
        <translation>Demande s&apos;il faut ignorer le paquet en cours ou arrêter le lot ; Échap fait de même</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Closes the installer</source>
        <translation>Ferme l&apos;installateur</translation>
    </message>
    <message>
        <source>Game folder</source>
        <translation>Dossier du jeu</translation>
    </message>
    <message>
        <source>The TEW2016 folder the packages go into</source>
        <translation>Le dossier de TEW2016 où vont les paquets</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Changer de dossier du jeu</translation>
    </message>
    <message>
        <source>Chooses another TEW2016 folder; each keeps its own installed packages</source>
        <translation>Choisit un autre dossier de TEW2016 ; chacun garde ses propres paquets installés</translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation>Afficher le journal</translation>
    </message>
    <message>
        <source>Opens today&apos;s log, with every line the installer wrote today</source>
        <translation>Ouvre le journal du jour, avec chaque ligne que l&apos;installateur a écrite aujourd&apos;hui</translation>
    </message>
    <message>
        <source>Export Installed Packages</source>
        <translation>Exporter les paquets installés</translation>
    </message>
</context>
<context>
    <name>WindowQuestions</name>
    <message>
        <source>Repair</source>
        <translation>Réparer</translation>
    </message>
    <message>
        <source>Put back the missing and changed files from the package&apos;s archive</source>
        <translation>Remettre en place les fichiers manquants et modifiés à partir de l&apos;archive du paquet</translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation>Archives de paquets (*.zip);;Tous les fichiers (*)</translation>
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
        <translation>Tout</translation>
    </message>
    <message>
        <source>Mods</source>
        <translation>Mods</translation>
    </message>
    <message>
        <source>Picture Packs</source>
        <translation>Packs d&apos;images</translation>
    </message>
    <message>
        <source>Skins</source>
        <translation>Skins</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installés</translation>
    </message>
    <message>
        <source>Search packages</source>
        <translation>Rechercher des paquets</translation>
    </message>
    <message>
        <source>Download List</source>
        <translation>Liste de téléchargement</translation>
    </message>
    <message>
        <source>Language of the installer</source>
        <translation>Langue de l&apos;installateur</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation>Ajouter à la liste de téléchargement</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Désinstaller</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Vérifier</translation>
    </message>
    <message>
        <source>Check the selected installed packages&apos; files against what was installed</source>
        <translation>Comparer les fichiers des paquets installés sélectionnés avec ce qui a été installé</translation>
    </message>
    <message>
        <source>Install a package archive (.zip) you have on disk; you can also drop it here</source>
        <translation>Installer une archive de paquet (.zip) présente sur votre disque ; vous pouvez aussi la déposer ici</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Télécharger</translation>
    </message>
    <message>
        <source>%v of %m packages</source>
        <translation>%v sur %m paquets</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Update every installed package that has a newer archive, each in its folder</source>
        <translation>Mettre à jour chaque paquet installé qui a une archive plus récente, chacun dans son dossier</translation>
    </message>
    <message>
        <source>Put the packages of a shared package list on the download list</source>
        <translation>Placer les paquets d&apos;une liste de paquets partagée dans la liste de téléchargement</translation>
    </message>
    <message>
        <source>Save the installed packages from the package list to a file to share</source>
        <translation>Enregistrer les paquets installés depuis la liste des paquets dans un fichier à partager</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Installation...</translation>
    </message>
    <message>
        <source>Please wait, this may take a minute...</source>
        <translation>Veuillez patienter, cela peut prendre une minute...</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation>Retirer de la liste</translation>
    </message>
    <message>
        <source>Loading the package list...</source>
        <translation>Chargement de la liste des paquets...</translation>
    </message>
    <message numerus="yes">
        <source>%n package(s)</source>
        <translation>
            <numerusform>%n paquet</numerusform>
            <numerusform>%n paquets</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · %n line(s) could not be read</source>
        <translation>
            <numerusform> · %n ligne n&apos;a pas pu être lue</numerusform>
            <numerusform> · %n lignes n&apos;ont pas pu être lues</numerusform>
        </translation>
    </message>
    <message>
        <source>Installed packages: %1</source>
        <translation>Paquets installés : %1</translation>
    </message>
    <message>
        <source>Installed in %1 on %2 — update available</source>
        <extracomment>%1 is the package&apos;s folder in the game, %2 the day it was installed</extracomment>
        <translation>Installé dans %1 le %2 — mise à jour disponible</translation>
    </message>
    <message>
        <source>Installed in %1 on %2</source>
        <translation>Installé dans %1 le %2</translation>
    </message>
    <message>
        <source>Downloading %1</source>
        <extracomment>%1 is the package and where it stands in the list: &quot;Name (2 of 5)&quot;</extracomment>
        <translation>Téléchargement de %1</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connexion...</translation>
    </message>
    <message>
        <source>Downloaded %1</source>
        <translation>Téléchargé : %1</translation>
    </message>
    <message>
        <source>Downloading..</source>
        <translation>Téléchargement..</translation>
    </message>
    <message>
        <source>Waiting for a folder name for %1</source>
        <translation>En attente d&apos;un nom de dossier pour %1</translation>
    </message>
    <message>
        <source>Installing %1</source>
        <translation>Installation de %1</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>The download list is empty. Pick packages in the list on the left and press Add to Download List (or double-click them), then Download.</source>
        <translation>La liste de téléchargement est vide. Choisissez des paquets dans la liste de gauche et cliquez sur Ajouter à la liste de téléchargement (ou double-cliquez dessus), puis sur Télécharger.</translation>
    </message>
    <message>
        <source>None of the packages on the download list is in the package list any more.</source>
        <translation>Aucun des paquets de la liste de téléchargement ne figure plus dans la liste des paquets.</translation>
    </message>
    <message numerus="yes">
        <source> · about %n min left</source>
        <translation>
            <numerusform> · encore environ %n min</numerusform>
            <numerusform> · encore environ %n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · about %n s left</source>
        <translation>
            <numerusform> · encore environ %n s</numerusform>
            <numerusform> · encore environ %n s</numerusform>
        </translation>
    </message>
    <message>
        <source>Unpacking %1</source>
        <translation>Décompression de %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) · %2</source>
        <extracomment>%1 is the number of files unpacked, %2 the file unpacked last</extracomment>
        <translation>
            <numerusform>%1 sur %Ln fichier · %2</numerusform>
            <numerusform>%1 sur %Ln fichiers · %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Installed %1</source>
        <translation>Installé : %1</translation>
    </message>
    <message numerus="yes">
        <source>Verifying: %1 of %n file(s)</source>
        <translation>
            <numerusform>Vérification : %1 sur %Ln fichier</numerusform>
            <numerusform>Vérification : %1 sur %Ln fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Installer depuis un fichier</translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation>Archives de paquets (*.zip);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>The records of installed packages are in use by another program. They were left as they are; close that program and start the installer again to see your installed packages.</source>
        <translation>Les enregistrements des paquets installés sont utilisés par un autre programme. Ils ont été laissés tels quels ; fermez ce programme et relancez l&apos;installateur pour voir vos paquets installés.</translation>
    </message>
    <message>
        <source>Game folder: %1</source>
        <translation>Dossier du jeu : %1</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Changer de dossier du jeu</translation>
    </message>
    <message>
        <source>Packages are being installed or checked. Change the game folder once they are done.</source>
        <translation>Des paquets sont en cours d’installation ou de vérification. Changez de dossier du jeu une fois qu’ils sont terminés.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Held back: an interrupted install or uninstall of it waits for %1</source>
        <extracomment>%1 is the folder that an interrupted install or uninstall waits for</extracomment>
        <translation>Retenu : une installation ou désinstallation interrompue de ce paquet attend %1</translation>
    </message>
    <message numerus="yes">
        <source>Not downloaded, because an interrupted install or uninstall of it waits for its folder: %1. It is finished at a start of the installer that finds that folder again.</source>
        <extracomment>%1 lists the packages with the folder each waits for</extracomment>
        <translation>
            <numerusform>Non téléchargé, car une installation ou désinstallation interrompue de ce paquet attend son dossier : %1. Elle sera terminée à un démarrage de l’installateur qui retrouve ce dossier.</numerusform>
            <numerusform>Non téléchargés, car une installation ou désinstallation interrompue de chacun attend son dossier : %1. Chacune sera terminée à un démarrage de l’installateur qui retrouve son dossier.</numerusform>
        </translation>
    </message>
    <message>
        <source>Install Complete</source>
        <translation>Installation finie</translation>
    </message>
    <message>
        <source>Getting %1 ready</source>
        <translation>Préparation de %1</translation>
    </message>
    <message>
        <source>Saved; it is installed in its turn</source>
        <translation>Enregistré ; il sera installé à son tour</translation>
    </message>
    <message>
        <source>Updating %1</source>
        <translation>Mise à jour de %1</translation>
    </message>
    <message>
        <source>Downloaded and saved; waiting for your answer</source>
        <translation>Téléchargé et enregistré ; en attente de votre réponse</translation>
    </message>
    <message>
        <source>Could not install %1</source>
        <translation>Impossible d&apos;installer %1</translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation>Ignoré : %1</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Mis à jour : %1</translation>
    </message>
    <message>
        <source>Update Complete</source>
        <translation>Mise à jour finie</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>C&amp;hanger…</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Vider la liste</translation>
    </message>
    <message>
        <source>&amp;Try Again</source>
        <translation>&amp;Réessayer</translation>
    </message>
    <message>
        <source>&amp;Update all (0)</source>
        <translation>Tout &amp;mettre à jour (0)</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importer...</translation>
    </message>
    <message>
        <source>E&amp;xport Installed...</source>
        <translation>E&amp;xporter les installés...</translation>
    </message>
    <message>
        <source>&amp;Add to Download List</source>
        <translation>&amp;Ajouter à la liste</translation>
    </message>
    <message>
        <source>U&amp;ninstall</source>
        <translation>&amp;Désinstaller</translation>
    </message>
    <message>
        <source>&amp;Verify</source>
        <translation>Vérifi&amp;er</translation>
    </message>
    <message>
        <source>Install from &amp;File...</source>
        <translation>Installer un &amp;fichier...</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>Téléchar&amp;ger</translation>
    </message>
    <message>
        <source>&amp;Go Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <source>&amp;Copy Details</source>
        <translation>&amp;Copier les détails</translation>
    </message>
    <message>
        <source>Show &amp;Log</source>
        <translation>Afficher le &amp;journal</translation>
    </message>
    <message>
        <source>&amp;Retry Failed</source>
        <translation>Réessa&amp;yer les échecs</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Stop Verifying</source>
        <translation>Arrê&amp;ter</translation>
    </message>
    <message>
        <source>Add the selected packages to the download list</source>
        <translation>Ajouter les paquets sélectionnés à la liste de téléchargement</translation>
    </message>
    <message>
        <source>Download and install again the packages that did not install</source>
        <translation>Télécharger et installer à nouveau les paquets qui n&apos;ont pas été installés</translation>
    </message>
</context>
</TS>
