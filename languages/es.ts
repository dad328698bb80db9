<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>CatalogueFetch</name>
    <message>
        <source>Showing the package list from %1: %2</source>
        <extracomment>%1 is how old the kept list is (&quot;3 days ago&quot;), %2 why no newer one</extracomment>
        <translation>Se muestra la lista de paquetes guardada (%1): %2</translation>
    </message>
    <message>
        <source>The package list could not be loaded: %1</source>
        <extracomment>%1 is why</extracomment>
        <translation>No se pudo cargar la lista de paquetes: %1</translation>
    </message>
    <message>
        <source>less than a minute ago</source>
        <translation>hace menos de un minuto</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>hace %n minuto</numerusform>
            <numerusform>hace %n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>hace %n hora</numerusform>
            <numerusform>hace %n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>hace %n día</numerusform>
            <numerusform>hace %n días</numerusform>
        </translation>
    </message>
    <message>
        <source>the server sent no list</source>
        <translation>el servidor no envió ninguna lista</translation>
    </message>
    <message>
        <source>the answer from %1 is not a package list</source>
        <extracomment>%1 is the host</extracomment>
        <translation>la respuesta de %1 no es una lista de paquetes</translation>
    </message>
    <message>
        <source>could not reach %1</source>
        <extracomment>%1 is the host</extracomment>
        <translation>no se pudo contactar con %1</translation>
    </message>
    <message>
        <source>%1 is sending the list too slowly</source>
        <extracomment>%1 is the host</extracomment>
        <translation>%1 envía la lista demasiado despacio</translation>
    </message>
</context>
<context>
    <name>CatalogueRows</name>
    <message>
        <source>%1  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1  — %2, instalado el %3</translation>
    </message>
    <message>
        <source>%1 (from disk)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1 (desde el disco)  — %2, instalado el %3</translation>
    </message>
    <message>
        <source>%1 (not in the package list)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1 (no está en la lista de paquetes)  — %2, instalado el %3</translation>
    </message>
</context>
<context>
    <name>CrashReportConsent</name>
    <message>
        <source>Crash Report</source>
        <translation>Informe de fallo</translation>
    </message>
    <message>
        <source>Zerun Installer closed unexpectedly last time. Send the crash report to help fix it?</source>
        <translation>Zerun Installer se cerró inesperadamente la última vez. ¿Enviar el informe de fallo para ayudar a corregirlo?</translation>
    </message>
    <message>
        <source>The report holds:</source>
        <translation>El informe contiene:</translation>
    </message>
    <message>
        <source>Show report contents</source>
        <translation>Mostrar el contenido del informe</translation>
    </message>
    <message>
        <source>Don&apos;t send</source>
        <translation>No enviar</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>%1: the installer&apos;s log of that day; it names folders of your home folder</source>
        <extracomment>%1 is a file name in the crash report</extracomment>
        <translation>%1: el registro del instalador de ese día; nombra carpetas de su carpeta personal</translation>
    </message>
    <message>
        <source>%1: a screenshot of the installer&apos;s window at the crash</source>
        <translation>%1: una captura de pantalla de la ventana del instalador en el momento del fallo</translation>
    </message>
    <message>
        <source>%1: the state of the installer&apos;s memory at the crash, for the developers</source>
        <translation>%1: el estado de la memoria del instalador en el momento del fallo, para los desarrolladores</translation>
    </message>
    <message>
        <source>%1: the time of the crash</source>
        <translation>%1: la hora del fallo</translation>
    </message>
    <message>
        <source>Its summary line:</source>
        <translation>Su línea de resumen:</translation>
    </message>
</context>
<context>
    <name>DialogCaption</name>
    <message>
        <source>Choose a Database to Open</source>
        <translation>Elegir una base de datos para abrir</translation>
    </message>
    <message>
        <source>Save Database</source>
        <translation>Guardar base de datos</translation>
    </message>
</context>
<context>
    <name>DialogFilter</name>
    <message>
        <source>Images (*.png *.jpg)</source>
        <translation>Imágenes (*.png *.jpg)</translation>
    </message>
    <message>
        <source>Microsoft Access Database (*.mdb); SQLite Database (*.db); Tandel Database (*.tdb)</source>
        <translation>Base de datos de Microsoft Access (*.mdb); Base de datos SQLite (*.db); Base de datos Tandel (*.tdb)</translation>
    </message>
    <message>
        <source>Database (*.tdb)</source>
        <translation>Base de datos (*.tdb)</translation>
    </message>
</context>
<context>
    <name>FailureWords</name>
    <message>
        <source>bytes</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>%1 of %2 %3</source>
        <translation>%1 de %2 %3</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>the server sent a web page instead of the package</source>
        <translation>el servidor envió una página web en lugar del paquete</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>cancelado</translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation>conexión rechazada</translation>
    </message>
    <message>
        <source>the server closed the connection</source>
        <translation>el servidor cerró la conexión</translation>
    </message>
    <message>
        <source>the server could not be found</source>
        <translation>no se encontró el servidor</translation>
    </message>
    <message>
        <source>the server stopped sending</source>
        <translation>el servidor dejó de enviar datos</translation>
    </message>
    <message>
        <source>the secure connection could not be made</source>
        <translation>no se pudo establecer la conexión segura</translation>
    </message>
    <message>
        <source>not found on the server (HTTP %1)</source>
        <translation>no se encontró en el servidor (HTTP %1)</translation>
    </message>
    <message>
        <source>the server refused to send it (HTTP %1)</source>
        <translation>el servidor se negó a enviarlo (HTTP %1)</translation>
    </message>
    <message>
        <source>the server had a problem (HTTP %1)</source>
        <translation>el servidor tuvo un problema (HTTP %1)</translation>
    </message>
    <message>
        <source>the server refused the request (HTTP %1)</source>
        <translation>el servidor rechazó la solicitud (HTTP %1)</translation>
    </message>
    <message>
        <source>; %1 of %2 kept, Retry resumes</source>
        <translation>; se conservan %1 de %2; al reintentar, la descarga continúa</translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip: %1</source>
        <translation>No se pudo abrir el zip: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file: the archive has no entries</source>
        <translation>No se pudo ir al primer archivo: el archivo comprimido no tiene entradas</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted (self-signed)</source>
        <translation>el certificado de %1 no es de confianza (autofirmado)</translation>
    </message>
    <message>
        <source>the certificate of %1 has expired</source>
        <translation>el certificado de %1 ha caducado</translation>
    </message>
    <message>
        <source>the certificate of %1 is not valid yet</source>
        <translation>el certificado de %1 aún no es válido</translation>
    </message>
    <message>
        <source>the certificate of %1 is made out for another host</source>
        <translation>el certificado de %1 está emitido para otro servidor</translation>
    </message>
    <message>
        <source>the certificate of %1 has been revoked</source>
        <translation>el certificado de %1 ha sido revocado</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted (unknown issuer)</source>
        <translation>el certificado de %1 no es de confianza (emisor desconocido)</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted</source>
        <translation>el certificado de %1 no es de confianza</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>el disco está lleno</translation>
    </message>
    <message>
        <source>there is no room for more files on the disk</source>
        <translation>no queda sitio para más archivos en el disco</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written (read-only)</source>
        <translation>no se puede escribir en la carpeta %1 (solo lectura)</translation>
    </message>
    <message>
        <source>the archive holds a link, which is not installed: %1</source>
        <translation>el archivo comprimido contiene un enlace, que no se instala: %1</translation>
    </message>
    <message>
        <source>the archive is damaged or encrypted</source>
        <translation>el archivo comprimido está dañado o cifrado</translation>
    </message>
    <message>
        <source>not a readable zip archive</source>
        <translation>no es un archivo zip legible</translation>
    </message>
    <message>
        <source>the archive has no entries</source>
        <translation>el archivo comprimido no tiene entradas</translation>
    </message>
    <message>
        <source>%1 could not be unpacked: %2</source>
        <extracomment>%1 is the archive&apos;s entry that could not be unpacked, %2 why</extracomment>
        <translation>%1 no se pudo descomprimir: %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip</source>
        <translation>No se pudo abrir el zip</translation>
    </message>
    <message>
        <source>Couldn&apos;t extract file</source>
        <translation>No se pudo extraer el archivo</translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file</source>
        <translation>No se pudo ir al primer archivo</translation>
    </message>
    <message>
        <source>Couldn&apos;t close zip</source>
        <translation>No se pudo cerrar el zip</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 is what failed, %2 why</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the file is not there any more</source>
        <translation>el archivo ya no está</translation>
    </message>
    <message>
        <source>the archive&apos;s directory is damaged</source>
        <translation>el directorio del archivo comprimido está dañado</translation>
    </message>
    <message>
        <source>the records of installed packages are in use by another program</source>
        <translation>otro programa está usando los registros de los paquetes instalados</translation>
    </message>
    <message>
        <source>Trying again in %1 s (attempt %2 of %3)</source>
        <extracomment>%1 is the wait in seconds, %2 the attempt coming, %3 the number of attempts</extracomment>
        <translation>Nuevo intento en %1 s (intento %2 de %3)</translation>
    </message>
    <message>
        <source>cancelled; %1 of %2 kept, the next download resumes it</source>
        <extracomment>%1 is the part downloaded, %2 the whole file</extracomment>
        <translation>cancelado; se conservan %1 de %2, la próxima descarga continúa</translation>
    </message>
    <message>
        <source>the server is sending too slowly</source>
        <translation>el servidor envía demasiado despacio</translation>
    </message>
    <message>
        <source>the archive holds a file name that is not allowed (outside the package&apos;s folder, or reserved): %1</source>
        <translation>el archivo contiene un nombre de archivo no permitido (fuera de la carpeta del paquete, o reservado): %1</translation>
    </message>
</context>
<context>
    <name>FileReport</name>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>
            <numerusform>No se pudo quitar %n archivo de %1 en %2; sigue registrado.</numerusform>
            <numerusform>No se pudieron quitar %n archivos de %1 en %2; siguen registrados.</numerusform>
        </translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>Se desinstaló %1 de %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) kept, listed below.</source>
        <translation>
            <numerusform>Se conservó %n archivo, listado abajo.</numerusform>
            <numerusform>Se conservaron %n archivos, listados abajo.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not remove (they stay recorded):</source>
        <translation>No se pudieron quitar (siguen registrados):</translation>
    </message>
    <message>
        <source>Kept, because you changed them:</source>
        <translation>Conservados, porque usted los modificó:</translation>
    </message>
    <message>
        <source>Kept, because you added them:</source>
        <translation>Conservados, porque usted los añadió:</translation>
    </message>
    <message>
        <source>Kept, because another package also installed them:</source>
        <translation>Conservados, porque otro paquete también los instaló:</translation>
    </message>
    <message numerus="yes">
        <source>%n package(s) verified, %2 with missing or changed files</source>
        <extracomment>%2 is how many of them have missing or changed files</extracomment>
        <translation>
            <numerusform>%n paquete verificado, %2 con archivos que faltan o modificados</numerusform>
            <numerusform>%n paquetes verificados, %2 con archivos que faltan o modificados</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not put back, because their kept copies are gone:</source>
        <translation>No se devolvieron porque sus copias guardadas ya no están:</translation>
    </message>
</context>
<context>
    <name>FramelessWindow</name>
    <message>
        <source>Frameless Window</source>
        <translation>Ventana sin marco</translation>
    </message>
</context>
<context>
    <name>GameFolder</name>
    <message>
        <source>%1 (in use)</source>
        <translation>%1 (en uso)</translation>
    </message>
    <message>
        <source>Another Folder…</source>
        <translation>Otra carpeta…</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Cambiar carpeta del juego</translation>
    </message>
    <message>
        <source>Which TEW2016 install should the packages go into? Each keeps its own list of installed packages.</source>
        <translation>¿En qué instalación de TEW2016 deben ir los paquetes? Cada una guarda su propia lista de paquetes instalados.</translation>
    </message>
    <message>
        <source>Default install</source>
        <comment>a launcher&apos;s name</comment>
        <translation>Instalación predeterminada</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>launcher: path of an install</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Choose the TEW2016 install</source>
        <translation>Elegir la instalación de TEW2016</translation>
    </message>
    <message>
        <source>Set TEW2016 Install folder</source>
        <translation>Indicar la carpeta de instalación de TEW2016</translation>
    </message>
    <message>
        <source>TEW2016 is installed in more than one place. Which one should the packages go into?</source>
        <translation>TEW2016 está instalado en más de un lugar. ¿En cuál deben instalarse los paquetes?</translation>
    </message>
    <message>
        <source>Games folder</source>
        <comment>a launcher&apos;s name: the folder ~/Games</comment>
        <translation>Carpeta Games</translation>
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
        <translation>¿Dónde está instalado TEW2016? Elija la carpeta que contiene TEW2016.exe</translation>
    </message>
    <message>
        <source>It was not found in these places:</source>
        <translation>No se encontró en estos lugares:</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>&amp;Examinar…</translation>
    </message>
    <message>
        <source>%1 is not TEW2016.exe. Choose the TEW2016.exe file in the game&apos;s folder.</source>
        <translation>%1 no es TEW2016.exe. Elija el archivo TEW2016.exe de la carpeta del juego.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation>El idioma del instalador; un cambio se aplica en el próximo inicio</translation>
    </message>
    <message>
        <source>TEW2016 was found in these places. Choose the one the packages should go into:</source>
        <translation>TEW2016 se encontró en estos lugares. Elija aquel donde deben ir los paquetes:</translation>
    </message>
    <message>
        <source>&amp;Use This Folder</source>
        <translation>&amp;Usar esta carpeta</translation>
    </message>
</context>
<context>
    <name>InstallBatch</name>
    <message>
        <source>Uninstall</source>
        <translation>Desinstalar</translation>
    </message>
    <message>
        <source>Verify</source>
        <extracomment>%1 is the package, %2 what is wrong with its records</extracomment>
        <translation>Verificar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Not enough disk space: needs %1, %2 free</source>
        <extracomment>%1 is the size the package needs, %2 the free space</extracomment>
        <translation>No hay espacio suficiente en el disco: se necesitan %1, hay %2 libres</translation>
    </message>
    <message>
        <source>Uninstall %1</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin</extracomment>
        <translation>Desinstalar %1</translation>
    </message>
    <message>
        <source>Uninstall %1 from %2?

Its files are removed; files you changed or added there are kept.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>¿Desinstalar %1 de %2?

Se quitan sus archivos; los archivos que usted modificó o añadió allí se conservan.</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>cancelado</translation>
    </message>
    <message>
        <source>%1 (%2 of %3)</source>
        <extracomment>%1 is the package, %2 its place in the list, %3 the number of packages in the list</extracomment>
        <translation>%1 (%2 de %3)</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fallido</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>instalado</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>omitido</translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation>Omitido %1</translation>
    </message>
    <message>
        <source>no folder chosen</source>
        <translation>no se eligió ninguna carpeta</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... y %1 más</translation>
    </message>
    <message>
        <source>Install %1</source>
        <translation>Instalar %1</translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation>Conservar los míos</translation>
    </message>
    <message>
        <source>Take the Package&apos;s</source>
        <translation>Usar los del paquete</translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 %2 into:</source>
        <extracomment>%1 is the package, %2 its kind: Mod, Picture Pack or Skin</extracomment>
        <translation>Elija un nombre de carpeta donde instalar %1 (%2):</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; already exists.

Update it with %2? The package&apos;s files replace those of the same name; your other files stay.</source>
        <extracomment>%1 is the folder, %2 the package</extracomment>
        <translation>La carpeta &quot;%1&quot; ya existe.

¿Actualizarla con %2? Los archivos del paquete reemplazan a los que tienen el mismo nombre; sus demás archivos se quedan.</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>Choose Another Name</source>
        <translation>Elegir otro nombre</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Omitir</translation>
    </message>
    <message>
        <source>Cancelled %1</source>
        <translation>Cancelado %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch and close?</source>
        <translation>Todavía se están instalando paquetes. ¿Omitir solo %1 o detener todo el lote y cerrar?</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch?</source>
        <translation>Todavía se están instalando paquetes. ¿Omitir solo %1 o detener todo el lote?</translation>
    </message>
    <message>
        <source>A package being unpacked is undone; a download is kept to be resumed later.</source>
        <translation>Un paquete que se esté descomprimiendo se deshace; una descarga se conserva para reanudarla más tarde.</translation>
    </message>
    <message>
        <source>Skip This Package</source>
        <translation>Omitir este paquete</translation>
    </message>
    <message>
        <source>Stop and Close</source>
        <translation>Detener y cerrar</translation>
    </message>
    <message>
        <source>Stop the Batch</source>
        <translation>Detener el lote</translation>
    </message>
    <message>
        <source>Go On</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>the batch was stopped</source>
        <translation>se detuvo el lote</translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Instalar desde archivo</translation>
    </message>
    <message>
        <source>Could not install %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be installed</extracomment>
        <translation>No se pudo instalar %1:

%2</translation>
    </message>
    <message>
        <source>Packages are being installed. Install %1 when they are done.</source>
        <translation>Se están instalando paquetes. Instale %1 cuando terminen.</translation>
    </message>
    <message>
        <source>What kind of package is %1?

From what the archive holds it looks like a %2.</source>
        <extracomment>%1 is the package, %2 a kind: Mod, Picture Pack or Skin</extracomment>
        <translation>¿Qué tipo de paquete es %1?

Por lo que contiene el archivo, parece de tipo %2.</translation>
    </message>
    <message>
        <source>A package of the same name and kind from the package list is installed in %1. Rename the archive to install it beside that one.</source>
        <extracomment>%1 is the folder of the package installed from the package list</extracomment>
        <translation>Un paquete de la lista de paquetes con el mismo nombre y tipo está instalado en %1. Cambie el nombre del archivo para instalarlo junto a ese.</translation>
    </message>
    <message>
        <source>Installed the %1 %2 into %3.</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin; %2 the package, %3 its folder</extracomment>
        <translation>Se instaló %2 (%1) en %3.</translation>
    </message>
    <message>
        <source>Installing %1: %2%</source>
        <translation>Instalando %1: %2%</translation>
    </message>
    <message>
        <source>Repair %1</source>
        <translation>Reparar %1</translation>
    </message>
    <message>
        <source>Could not repair %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be repaired</extracomment>
        <translation>No se pudo reparar %1:

%2</translation>
    </message>
    <message>
        <source>The archive of %1</source>
        <translation>El archivo de %1</translation>
    </message>
    <message>
        <source>Fetching %1 again...</source>
        <translation>Volviendo a descargar %1...</translation>
    </message>
    <message>
        <source>the archive could not be fetched from %1: %2</source>
        <extracomment>%1 is the address, %2 why it could not be fetched</extracomment>
        <translation>no se pudo descargar el archivo desde %1: %2</translation>
    </message>
    <message>
        <source>that archive is not the one that was installed. Install it with Install from File to update the package.</source>
        <translation>ese archivo no es el que se instaló. Instálelo con «Instalar desde archivo» para actualizar el paquete.</translation>
    </message>
    <message>
        <source>The host now serves another file for %1 than the one installed, so it cannot repair it.

Update to the file it serves now?</source>
        <translation>El servidor ofrece ahora para %1 un archivo distinto del instalado, así que no se puede reparar.

¿Actualizar al archivo que ofrece ahora?</translation>
    </message>
    <message>
        <source>the package is not in the package list any more</source>
        <translation>el paquete ya no está en la lista de paquetes</translation>
    </message>
    <message>
        <source>Repaired %1 in %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>Se reparó %1 en %2.</translation>
    </message>
    <message>
        <source>Fetching %1 again... %2%</source>
        <translation>Descargando %1 de nuevo... %2%</translation>
    </message>
    <message>
        <source>The records of %1 cannot be read whole, so its files cannot be checked against them:

%2</source>
        <translation>Los registros de %1 no se pueden leer completos, así que sus archivos no se pueden comprobar con ellos:

%2</translation>
    </message>
    <message>
        <source>%1 was not installed: an interrupted install or uninstall of it is waiting to be finished (%2)</source>
        <extracomment>%1 is the package, %2 the folder the interrupted change waits for</extracomment>
        <translation>%1 no se instaló: una instalación o desinstalación interrumpida espera a terminarse (%2)</translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 into:</source>
        <extracomment>%1 is the package, whose name ends with its kind (&quot;Gold Skin&quot;)</extracomment>
        <translation>Elija un nombre de carpeta donde instalar %1:</translation>
    </message>
    <message>
        <source>A package is still being installed. Stop it and close?

What was unpacked so far is undone.</source>
        <translation>Todavía se está instalando un paquete. ¿Detenerlo y cerrar?

Lo que se haya descomprimido hasta ahora se deshace.</translation>
    </message>
    <message>
        <source>Installed the %1 into %2.</source>
        <extracomment>%1 is the package, whose name ends with its kind (&quot;Gold Skin&quot;); %2 its folder</extracomment>
        <translation>%1 se instaló en %2.</translation>
    </message>
    <message>
        <source>Update %1</source>
        <extracomment>%1 is the kind of package: Mod DB, Picture Pack or Skin</extracomment>
        <translation>Actualizar %1</translation>
    </message>
    <message>
        <source>left as it was, as you chose; nothing was changed</source>
        <translation>se dejó como estaba, como eligió; no se cambió nada</translation>
    </message>
    <message>
        <source>%1 was left as it was: nothing was changed.</source>
        <extracomment>%1 is the package</extracomment>
        <translation>%1 se dejó como estaba: no se cambió nada.</translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that the repair puts back as they were installed:

%2

Keep yours (the package&apos;s versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <translation>
            <numerusform>Ha modificado %n archivo de %1 que la reparación devuelve a como se instaló:

%2

¿Conservar el suyo (la versión del paquete se guarda a su lado como &lt;archivo&gt;%3), usar la del paquete (el suyo se guarda como &lt;archivo&gt;%4) o no cambiar nada?</numerusform>
            <numerusform>Ha modificado %n archivos de %1 que la reparación devuelve a como se instalaron:

%2

¿Conservar los suyos (las versiones del paquete se guardan a su lado como &lt;archivo&gt;%3), usar las del paquete (los suyos se guardan como &lt;archivo&gt;%4) o no cambiar nada?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that this version replaces:

%2

Keep yours (the package&apos;s new versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <extracomment>%1 is the package, %2 the list of files, %3 and %4 the file name endings the package&apos;s and the player&apos;s versions get</extracomment>
        <translation>
            <numerusform>Ha modificado %n archivo de %1 que esta versión reemplaza:

%2

¿Conservar el suyo (la nueva versión del paquete se guarda a su lado como &lt;archivo&gt;%3), usar la del paquete (el suyo se guarda como &lt;archivo&gt;%4) o no cambiar nada?</numerusform>
            <numerusform>Ha modificado %n archivos de %1 que esta versión reemplaza:

%2

¿Conservar los suyos (las nuevas versiones del paquete se guardan a su lado como &lt;archivo&gt;%3), usar las del paquete (los suyos se guardan como &lt;archivo&gt;%4) o no cambiar nada?</numerusform>
        </translation>
    </message>
    <message>
        <source>Change Nothing</source>
        <translation>No cambiar nada</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message numerus="yes">
        <source>Stopped. Installed %1 of %n package(s).</source>
        <extracomment>%1 is the number of packages installed before the batch was stopped</extracomment>
        <translation>
            <numerusform>Detenido. Instalados: %1 de %n paquete.</numerusform>
            <numerusform>Detenido. Instalados: %1 de %n paquetes.</numerusform>
        </translation>
    </message>
    <message>
        <source>The partial download is kept: downloading the package again resumes it.</source>
        <translation>La descarga parcial se conserva: al descargar el paquete de nuevo, continúa.</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Terminado</translation>
    </message>
    <message numerus="yes">
        <source>Installed %1 of %n package(s).</source>
        <translation>
            <numerusform>Instalados: %1 de %n paquete.</numerusform>
            <numerusform>Instalados: %1 de %n paquetes.</numerusform>
        </translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Actualizados</translation>
    </message>
    <message>
        <source>Update Completed</source>
        <translation>Actualización completada</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Instalados</translation>
    </message>
    <message>
        <source>Install Completed</source>
        <translation>Instalación completada</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>actualizado</translation>
    </message>
    <message>
        <source>you chose to skip it: the folder &quot;%1&quot; already exists</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>omitido por su elección: la carpeta «%1» ya existe</translation>
    </message>
    <message>
        <source>Repairing %1: %2%</source>
        <translation>Reparando %1: %2%</translation>
    </message>
</context>
<context>
    <name>InstallRecovery</name>
    <message>
        <source>An uninstall could not be finished: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>No se pudo terminar una desinstalación: %1</translation>
    </message>
    <message>
        <source>An install is waiting to be finished: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Una instalación espera a terminarse: %1</translation>
    </message>
    <message>
        <source>An interrupted install could not be read: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>No se pudo leer una instalación interrumpida: %1</translation>
    </message>
    <message>
        <source>%1 in %2 is half changed: a change of it was cut off, and the journal that would finish or undo it is damaged. Its files are checked now, and Repair puts them back.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 en %2 está cambiado a medias: un cambio se interrumpió y el diario que lo terminaría o desharía está dañado. Ahora se comprueban sus archivos, y Reparar los devuelve a su sitio.</translation>
    </message>
</context>
<context>
    <name>InstallRules</name>
    <message>
        <source>Folder Name can&apos;t be longer than 24 characters</source>
        <translation>El nombre de la carpeta no puede tener más de 24 caracteres</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain illegal characters &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</source>
        <translation>El nombre de la carpeta no puede contener los caracteres no permitidos &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain control characters</source>
        <translation>El nombre de la carpeta no puede contener caracteres de control</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t end with a blank or a dot</source>
        <translation>El nombre de la carpeta no puede terminar en espacio ni en punto</translation>
    </message>
    <message>
        <source>Folder Name needs more than dots and blanks</source>
        <translation>El nombre de la carpeta necesita algo más que puntos y espacios</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a name Windows keeps for itself</source>
        <translation>&apos;%1&apos; es un nombre que Windows se reserva</translation>
    </message>
    <message>
        <source> and </source>
        <translation> y </translation>
    </message>
    <message>
        <source>Could not create folder: a file of that name is in the way. Choose another name.</source>
        <translation>No se pudo crear la carpeta: un archivo con ese nombre lo impide. Elija otro nombre.</translation>
    </message>
    <message>
        <source>Could not create folder: a file named %1 is in the way. Choose another name.</source>
        <translation>No se pudo crear la carpeta: un archivo llamado %1 lo impide. Elija otro nombre.</translation>
    </message>
    <message>
        <source>Could not create folder: %1.</source>
        <translation>No se pudo crear la carpeta: %1.</translation>
    </message>
    <message>
        <source>Could not create folder: no permission to write in %1. Choose another name.</source>
        <translation>No se pudo crear la carpeta: no hay permiso para escribir en %1. Elija otro nombre.</translation>
    </message>
    <message>
        <source>Could not create folder: the system refused it. Choose another name.</source>
        <translation>No se pudo crear la carpeta: el sistema lo rechazó. Elija otro nombre.</translation>
    </message>
    <message>
        <source>no folder can be made: there is no permission to write in %1</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>no se puede crear ninguna carpeta: no hay permiso para escribir en %1</translation>
    </message>
</context>
<context>
    <name>InstalledPackages</name>
    <message>
        <source>the records of installed packages are in use by another program</source>
        <translation>otro programa está usando los registros de los paquetes instalados</translation>
    </message>
    <message>
        <source>the records of installed packages are damaged (%1)</source>
        <extracomment>%1 is what SQLite or the check found, in English</extracomment>
        <translation>los registros de los paquetes instalados están dañados (%1)</translation>
    </message>
    <message>
        <source>The records of installed packages in %1 are damaged and could not be kept aside; they were left as they are.</source>
        <extracomment>%1 is the file of the records</extracomment>
        <translation>Los registros de los paquetes instalados en %1 están dañados y no se pudieron apartar; se dejaron como estaban.</translation>
    </message>
    <message>
        <source>The records of installed packages are damaged and were kept as %1, but no new record could be started.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>Los registros de los paquetes instalados están dañados y se guardaron como %1, pero no se pudieron empezar registros nuevos.</translation>
    </message>
    <message numerus="yes">
        <source>The records of installed packages were damaged and are kept as %1. New records were started with the %n package(s) that still read whole.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>
            <numerusform>Los registros de los paquetes instalados estaban dañados y se guardan como %1. Se empezaron registros nuevos con el %n paquete que aún se leía entero.</numerusform>
            <numerusform>Los registros de los paquetes instalados estaban dañados y se guardan como %1. Se empezaron registros nuevos con los %n paquetes que aún se leían enteros.</numerusform>
        </translation>
    </message>
    <message>
        <source>Left out, with their files left in the game folder: %1.</source>
        <extracomment>%1 is the list of packages</extracomment>
        <translation>Omitidos, con sus archivos en la carpeta del juego: %1.</translation>
    </message>
    <message>
        <source>Some package records could not be read at all.</source>
        <translation>Algunos registros de paquetes no se pudieron leer en absoluto.</translation>
    </message>
    <message>
        <source>The records of installed packages in %1 cannot be used.</source>
        <extracomment>%1 is the file of the records</extracomment>
        <translation>Los registros de los paquetes instalados en %1 no se pueden usar.</translation>
    </message>
    <message>
        <source>The records of installed packages could not be used; new records were started.</source>
        <translation>No se pudieron usar los registros de los paquetes instalados; se empezaron registros nuevos.</translation>
    </message>
    <message>
        <source>The records of installed packages could not be used and are kept as %1; new records were started.</source>
        <translation>No se pudieron usar los registros de los paquetes instalados y se guardan como %1; se empezaron registros nuevos.</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Applies at the next start.</source>
        <translation>Se aplica en el próximo inicio.</translation>
    </message>
</context>
<context>
    <name>ListExchange</name>
    <message>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Package lists (*.txt);;All files (*)</source>
        <translation>Listas de paquetes (*.txt);;Todos los archivos (*)</translation>
    </message>
    <message numerus="yes">
        <source>Wrote %n package(s) to %1.</source>
        <extracomment>%1 is the file</extracomment>
        <translation>
            <numerusform>Se escribió %n paquete en %1.</numerusform>
            <numerusform>Se escribieron %n paquetes en %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <extracomment>%1 is the file, %2 why</extracomment>
        <translation>No se pudo escribir %1: %2</translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation>Importar lista de paquetes</translation>
    </message>
    <message>
        <source>Import</source>
        <extracomment>%1 is the file, %2 why</extracomment>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>No se pudo leer %1: %2</translation>
    </message>
    <message>
        <source>Export the Installed Packages</source>
        <translation>Exportar los paquetes instalados</translation>
    </message>
</context>
<context>
    <name>LogWindows</name>
    <message>
        <source>Session Log</source>
        <translation>Registro de la sesión</translation>
    </message>
    <message>
        <source>Nothing has been written to today&apos;s log yet. It will be kept in this file:
%1</source>
        <translation>Todavía no se ha escrito nada en el registro de hoy. Se guardará en este archivo:
%1</translation>
    </message>
    <message>
        <source>Today&apos;s log could not be read. Check that this file can be opened:
%1</source>
        <translation>No se pudo leer el registro de hoy. Compruebe que este archivo se puede abrir:
%1</translation>
    </message>
</context>
<context>
    <name>OpenFolder</name>
    <message>
        <source>The folder %1 is not there.</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>La carpeta %1 no existe.</translation>
    </message>
    <message>
        <source>Nothing on this computer could show the folder %1. Open it with a file manager yourself.</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>Nada en este equipo pudo mostrar la carpeta %1. Ábrala usted mismo con un gestor de archivos.</translation>
    </message>
</context>
<context>
    <name>PackageInstall</name>
    <message numerus="yes">
        <source>kept your %n changed file(s); the package&apos;s versions are beside them as %1: %2</source>
        <extracomment>%1 is the file name ending the package&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>se conservó %n archivo modificado por usted; la versión del paquete está a su lado como %1: %2</numerusform>
            <numerusform>se conservaron %n archivos modificados por usted; las versiones del paquete están a su lado como %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) of the old version that you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>se conservó %n archivo de la versión anterior que usted modificó: %1</numerusform>
            <numerusform>se conservaron %n archivos de la versión anterior que usted modificó: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>could not remove %n file(s) of the old version: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>no se pudo quitar %n archivo de la versión anterior: %1</numerusform>
            <numerusform>no se pudieron quitar %n archivos de la versión anterior: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was changed</source>
        <translation>No se cambió nada</translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) that were in the folder before aside; uninstalling the package puts them back: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>se apartó %n archivo que ya estaba en la carpeta; desinstalar el paquete lo devuelve a su sitio: %1</numerusform>
            <numerusform>se apartaron %n archivos que ya estaban en la carpeta; desinstalar el paquete los devuelve a su sitio: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>put back %n file(s) that were in the folder before and that this version no longer replaces: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>se devolvió a su sitio %n archivo que ya estaba en la carpeta y que esta versión ya no reemplaza: %1</numerusform>
            <numerusform>se devolvieron a su sitio %n archivos que ya estaban en la carpeta y que esta versión ya no reemplaza: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>took the package&apos;s versions of %n file(s); yours are kept as %1: %2</source>
        <extracomment>%1 is the file name ending the player&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>se tomó la versión del paquete de %n archivo; la suya se guarda como %1: %2</numerusform>
            <numerusform>se tomaron las versiones del paquete de %n archivos; las suyas se guardan como %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the archive names %n file(s) more than once in spellings that differ only in case, which the game takes for one file; the last of each was installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>el archivo comprimido nombra %n archivo varias veces con grafías que solo difieren en mayúsculas y minúsculas, que el juego toma por un solo archivo; se instaló la última de cada uno: %1</numerusform>
            <numerusform>el archivo comprimido nombra %n archivos varias veces con grafías que solo difieren en mayúsculas y minúsculas, que el juego toma por un solo archivo; se instaló la última de cada uno: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the record could not be written; it is tried again at the next start (the log tells why)</source>
        <translation>no se pudo escribir el registro; se volverá a intentar en el próximo inicio (el registro de eventos indica el motivo)</translation>
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
        <translation>BD de mod</translation>
    </message>
    <message>
        <source> [Pic Pack]</source>
        <translation> [Paquete de imágenes]</translation>
    </message>
    <message>
        <source>Picture Pack</source>
        <translation>Paquete de imágenes</translation>
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
        <translation>No hay nada que exportar: ningún paquete instalado procede de la lista de paquetes.</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... y %n más</numerusform>
            <numerusform>... y %n más</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Added %n package(s) to the download list.</source>
        <translation>
            <numerusform>Se añadió %n paquete a la lista de descargas.</numerusform>
            <numerusform>Se añadieron %n paquetes a la lista de descargas.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not in the package list:</source>
        <translation>No están en la lista de paquetes:</translation>
    </message>
    <message>
        <source>Lines that could not be read (nothing was added for them):</source>
        <translation>Líneas que no se pudieron leer (no se añadió nada por ellas):</translation>
    </message>
    <message>
        <source>the file is too large to be a package list</source>
        <translation>el archivo es demasiado grande para ser una lista de paquetes</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <extracomment>%1 is the line&apos;s number in the file, %2 the line</extracomment>
        <translation>línea %1: %2</translation>
    </message>
</context>
<context>
    <name>PackageRemoval</name>
    <message>
        <source>Could not uninstall %1: %2.</source>
        <extracomment>%1 is the package, %2 why it cannot be uninstalled</extracomment>
        <translation>No se pudo desinstalar %1: %2.</translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>Se desinstaló %1 de %2.</translation>
    </message>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded: %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the files</extracomment>
        <translation>
            <numerusform>No se pudo quitar %n archivo de %1 en %2; sigue registrado: %3</numerusform>
            <numerusform>No se pudieron quitar %n archivos de %1 en %2; siguen registrados: %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Se conservó %n archivo que usted modificó: %1</numerusform>
            <numerusform>Se conservaron %n archivos que usted modificó: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you added: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Se conservó %n archivo que usted añadió: %1</numerusform>
            <numerusform>Se conservaron %n archivos que usted añadió: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) another package also installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Se conservó %n archivo que otro paquete también instaló: %1</numerusform>
            <numerusform>Se conservaron %n archivos que otro paquete también instaló: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Se conservó %n archivo que ya estaba en la carpeta antes de la instalación: %1</numerusform>
            <numerusform>Se conservaron %n archivos que ya estaban en la carpeta antes de la instalación: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) of yours that an update set aside: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Se conservó %n archivo suyo que una actualización apartó: %1</numerusform>
            <numerusform>Se conservaron %n archivos suyos que una actualización apartó: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Se devolvió a su sitio %n archivo que estaba en la carpeta antes de la instalación: %1</numerusform>
            <numerusform>Se devolvieron a su sitio %n archivos que estaban en la carpeta antes de la instalación: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install beside your changed ones: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Se devolvió %n archivo que estaba en la carpeta antes de la instalación, junto al que usted modificó: %1</numerusform>
            <numerusform>Se devolvieron %n archivos que estaban en la carpeta antes de la instalación, junto a los que usted modificó: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; they stay kept: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>No se pudo devolver %n archivo que estaba en la carpeta antes de la instalación; sigue guardado: %1</numerusform>
            <numerusform>No se pudieron devolver %n archivos que estaban en la carpeta antes de la instalación; siguen guardados: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the folder %1 is not inside the game folder</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>la carpeta %1 no está dentro de la carpeta del juego</translation>
    </message>
    <message>
        <source>the folder %1 is reached through a link</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>a la carpeta %1 se llega a través de un enlace</translation>
    </message>
    <message>
        <source>%1; nothing was removed</source>
        <extracomment>%1 is what is wrong with the records</extracomment>
        <translation>%1; no se eliminó nada</translation>
    </message>
    <message>
        <source>its folder is not inside the game folder</source>
        <translation>su carpeta no está dentro de la carpeta del juego</translation>
    </message>
    <message>
        <source>the game folder %1 is not there</source>
        <extracomment>%1 is the game folder</extracomment>
        <translation>la carpeta del juego %1 no existe</translation>
    </message>
    <message>
        <source>its folder %1 is a link (or lies behind one); nothing was removed</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>su carpeta %1 es un enlace (o está detrás de uno); no se eliminó nada</translation>
    </message>
    <message>
        <source>the removal could not be recorded</source>
        <translation>no se pudo registrar la eliminación</translation>
    </message>
    <message>
        <source>The next start finishes the uninstall (the log tells why it could not now).</source>
        <translation>El próximo inicio termina la desinstalación (el registro de eventos indica por qué no se pudo ahora).</translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; their kept copies are gone: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>No se pudo devolver %n archivo que estaba en la carpeta antes de la instalación; su copia guardada ya no está: %1</numerusform>
            <numerusform>No se pudieron devolver %n archivos que estaban en la carpeta antes de la instalación; sus copias guardadas ya no están: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageUpdates</name>
    <message>
        <source>&amp;Update all (%1)</source>
        <translation>Actualizar &amp;todo (%1)</translation>
    </message>
</context>
<context>
    <name>PackageVerify</name>
    <message numerus="yes">
        <source>All %1 files as installed</source>
        <extracomment>%1 is the number of files</extracomment>
        <translation>
            <numerusform>%1 archivo, tal como se instaló</numerusform>
            <numerusform>Los %1 archivos, tal como se instalaron</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 missing</source>
        <comment>files</comment>
        <translation>
            <numerusform>%1 ausente</numerusform>
            <numerusform>%1 ausentes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 changed</source>
        <comment>files</comment>
        <translation>
            <numerusform>%1 modificado</numerusform>
            <numerusform>%1 modificados</numerusform>
        </translation>
    </message>
    <message>
        <source>Missing:</source>
        <translation>Ausentes:</translation>
    </message>
    <message>
        <source>Changed:</source>
        <translation>Modificados:</translation>
    </message>
    <message>
        <source>Your own files (not part of the package, left alone):</source>
        <translation>Sus propios archivos (no forman parte del paquete; no se tocan):</translation>
    </message>
</context>
<context>
    <name>QuestionQueue</name>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>RecordRebuild</name>
    <message numerus="yes">
        <source>Found %n installed package(s) again in the game folder; the details are in the log.</source>
        <extracomment>One line on the catalogue page</extracomment>
        <translation>
            <numerusform>Se encontró de nuevo %n paquete instalado en la carpeta del juego; los detalles están en el registro.</numerusform>
            <numerusform>Se encontraron de nuevo %n paquetes instalados en la carpeta del juego; los detalles están en el registro.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) in the game folder are damaged and were not used; the details are in the log.</source>
        <extracomment>One line on the catalogue page</extracomment>
        <translation>
            <numerusform>%n registro de la carpeta del juego está dañado y no se usó; los detalles están en el registro.</numerusform>
            <numerusform>%n registros de la carpeta del juego están dañados y no se usaron; los detalles están en el registro.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReportDialog</name>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Copy the whole report</source>
        <translation>Copiar todo el informe</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>To install the archives, use Install from File in the running installer.</source>
        <translation>Para instalar los archivos comprimidos, use «Instalar desde archivo» en el instalador en ejecución.</translation>
    </message>
    <message>
        <source>The folder Zerun Installer hands over through can be reached by other users, so nothing was handed over to the running installer.</source>
        <translation>Otros usuarios pueden acceder a la carpeta a través de la que Zerun Installer entrega, así que no se entregó nada al instalador en ejecución.</translation>
    </message>
    <message>
        <source>A program of another user holds the name Zerun Installer hands over on, so nothing was handed over to it.</source>
        <translation>Un programa de otro usuario ocupa el nombre por el que Zerun Installer entrega, así que no se le entregó nada.</translation>
    </message>
    <message>
        <source>Zerun Installer is running with this profile but did not answer in time, so nothing was handed over to it.</source>
        <translation>Zerun Installer se está ejecutando con este perfil, pero no respondió a tiempo, así que no se le entregó nada.</translation>
    </message>
</context>
<context>
    <name>StandardDialog</name>
    <message>
        <source> (You must enter a value)</source>
        <translation> (Debe introducir un valor)</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Zerun Installer cannot start, because it cannot write to its folder:
%1

Make this folder writable, or free some space on its disk, and start the installer again.</source>
        <translation>Zerun Installer no puede iniciarse porque no puede escribir en su carpeta:
%1

Haga que esta carpeta admita escritura, o libere espacio en su disco, y vuelva a iniciar el instalador.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
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
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Depuración</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Channel Log: %1 |</source>
        <translation>Registro del canal: %1 |</translation>
    </message>
</context>
<context>
    <name>TsMessage</name>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>Check for Updates</source>
        <translation>Buscar actualizaciones</translation>
    </message>
    <message>
        <source>You currently have the latest version.</source>
        <translation>Ya tiene la versión más reciente.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Check for Updates</source>
        <translation>Buscar actualizaciones</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Download in External Browser</source>
        <translation>Descargar en el navegador externo</translation>
    </message>
    <message>
        <source>Version %1 is available.</source>
        <translation>La versión %1 está disponible.</translation>
    </message>
    <message>
        <source>A new version is available.</source>
        <translation>Hay una nueva versión disponible.</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Omitir esta versión</translation>
    </message>
    <message>
        <source>A new version is available on the service&apos;s site, %1.</source>
        <translation>Hay una nueva versión disponible en el sitio del servicio, %1.</translation>
    </message>
    <message>
        <source>Version %1 is available on the service&apos;s site, %2.</source>
        <translation>La versión %1 está disponible en el sitio del servicio, %2.</translation>
    </message>
    <message>
        <source>Open the Site in the Browser</source>
        <translation>Abrir el sitio en el navegador</translation>
    </message>
</context>
<context>
    <name>WindowAccess</name>
    <message>
        <source>Package kind</source>
        <translation>Tipo de paquete</translation>
    </message>
    <message>
        <source>Shows all packages, one kind of package, or the installed ones</source>
        <translation>Muestra todos los paquetes, un tipo de paquete o los instalados</translation>
    </message>
    <message>
        <source>Search packages</source>
        <translation>Buscar paquetes</translation>
    </message>
    <message>
        <source>Shows only the packages whose names hold this text; Ctrl+F comes here</source>
        <translation>Muestra solo los paquetes cuyo nombre contiene este texto; Ctrl+F lleva aquí</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Vaciar lista</translation>
    </message>
    <message>
        <source>Takes every package off the download list</source>
        <translation>Quita todos los paquetes de la lista de descargas</translation>
    </message>
    <message>
        <source>Packages</source>
        <translation>Paquetes</translation>
    </message>
    <message>
        <source>Enter adds the selected packages to the download list; Delete uninstalls the selected installed package</source>
        <translation>Intro añade los paquetes seleccionados a la lista de descargas; Supr desinstala el paquete instalado seleccionado</translation>
    </message>
    <message>
        <source>Download List</source>
        <translation>Lista de descargas</translation>
    </message>
    <message>
        <source>Enter starts the download; Delete takes the selected packages off the list</source>
        <translation>Intro inicia la descarga; Supr quita de la lista los paquetes seleccionados</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Fetches the package list again</source>
        <translation>Vuelve a cargar la lista de paquetes</translation>
    </message>
    <message>
        <source>Update All</source>
        <translation>Actualizar todo</translation>
    </message>
    <message>
        <source>Updates every installed package that has a newer archive, each in its folder</source>
        <translation>Actualiza cada paquete instalado que tenga un archivo más reciente, cada uno en su carpeta</translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation>Importar lista de paquetes</translation>
    </message>
    <message>
        <source>Puts the packages of a shared package list on the download list</source>
        <translation>Pone los paquetes de una lista de paquetes compartida en la lista de descargas</translation>
    </message>
    <message>
        <source>Saves the installed packages from the package list to a file to share</source>
        <translation>Guarda en un archivo para compartir los paquetes instalados de la lista de paquetes</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation>El idioma del instalador; un cambio se aplica en el próximo inicio</translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation>Añadir a la lista de descargas</translation>
    </message>
    <message>
        <source>Adds the selected packages to the download list</source>
        <translation>Añade los paquetes seleccionados a la lista de descargas</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Desinstalar</translation>
    </message>
    <message>
        <source>Removes the selected installed package from the game folder</source>
        <translation>Quita el paquete instalado seleccionado de la carpeta del juego</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Verificar</translation>
    </message>
    <message>
        <source>Checks the selected installed packages&apos; files against what was installed</source>
        <translation>Comprueba los archivos de los paquetes instalados seleccionados con lo que se instaló</translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Instalar desde archivo</translation>
    </message>
    <message>
        <source>Installs a package archive (.zip) you have on disk</source>
        <translation>Instala un archivo de paquete (.zip) que tenga en el disco</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>Downloads the packages on the download list and installs them</source>
        <translation>Descarga los paquetes de la lista de descargas y los instala</translation>
    </message>
    <message>
        <source>Package progress</source>
        <translation>Progreso del paquete</translation>
    </message>
    <message>
        <source>How far the current package has come</source>
        <translation>Cuánto ha avanzado el paquete actual</translation>
    </message>
    <message>
        <source>Batch progress</source>
        <translation>Progreso del lote</translation>
    </message>
    <message>
        <source>How many packages of the batch are over</source>
        <translation>Cuántos paquetes del lote han terminado</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>How each package of the batch ended</source>
        <translation>Cómo terminó cada paquete del lote</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Volver</translation>
    </message>
    <message>
        <source>Back to the package list; Esc does the same</source>
        <translation>Vuelve a la lista de paquetes; Esc hace lo mismo</translation>
    </message>
    <message>
        <source>Copy Details</source>
        <translation>Copiar detalles</translation>
    </message>
    <message>
        <source>Copies the outcome lines to the clipboard</source>
        <translation>Copia las líneas del resultado al portapapeles</translation>
    </message>
    <message>
        <source>Retry Failed</source>
        <translation>Reintentar fallidos</translation>
    </message>
    <message>
        <source>Downloads and installs again the packages that did not install</source>
        <translation>Vuelve a descargar e instalar los paquetes que no se instalaron</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Asks whether to skip the current package or stop the batch; Esc does the same</source>
        <translation>Pregunta si omitir el paquete actual o detener el lote; Esc hace lo mismo</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Closes the installer</source>
        <translation>Cierra el instalador</translation>
    </message>
    <message>
        <source>Game folder</source>
        <translation>Carpeta del juego</translation>
    </message>
    <message>
        <source>The TEW2016 folder the packages go into</source>
        <translation>La carpeta de TEW2016 donde van los paquetes</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Cambiar carpeta del juego</translation>
    </message>
    <message>
        <source>Chooses another TEW2016 folder; each keeps its own installed packages</source>
        <translation>Elige otra carpeta de TEW2016; cada una guarda sus propios paquetes instalados</translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation>Mostrar registro</translation>
    </message>
    <message>
        <source>Opens today&apos;s log, with every line the installer wrote today</source>
        <translation>Abre el registro de hoy, con cada línea que el instalador escribió hoy</translation>
    </message>
    <message>
        <source>Export Installed Packages</source>
        <translation>Exportar los paquetes instalados</translation>
    </message>
</context>
<context>
    <name>WindowQuestions</name>
    <message>
        <source>Repair</source>
        <translation>Reparar</translation>
    </message>
    <message>
        <source>Put back the missing and changed files from the package&apos;s archive</source>
        <translation>Restaurar los archivos ausentes y modificados desde el archivo del paquete</translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation>Archivos de paquete (*.zip);;Todos los archivos (*)</translation>
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
        <translation>Todos</translation>
    </message>
    <message>
        <source>Mods</source>
        <translation>Mods</translation>
    </message>
    <message>
        <source>Picture Packs</source>
        <translation>Paquetes de imágenes</translation>
    </message>
    <message>
        <source>Skins</source>
        <translation>Skins</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Instalados</translation>
    </message>
    <message>
        <source>Search packages</source>
        <translation>Buscar paquetes</translation>
    </message>
    <message>
        <source>Download List</source>
        <translation>Lista de descargas</translation>
    </message>
    <message>
        <source>Language of the installer</source>
        <translation>Idioma del instalador</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation>Añadir a la lista de descargas</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Desinstalar</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Verificar</translation>
    </message>
    <message>
        <source>Check the selected installed packages&apos; files against what was installed</source>
        <translation>Comprobar los archivos de los paquetes instalados seleccionados con lo que se instaló</translation>
    </message>
    <message>
        <source>Install a package archive (.zip) you have on disk; you can also drop it here</source>
        <translation>Instalar un archivo de paquete (.zip) que tenga en el disco; también puede soltarlo aquí</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Descargar</translation>
    </message>
    <message>
        <source>%v of %m packages</source>
        <translation>%v de %m paquetes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Update every installed package that has a newer archive, each in its folder</source>
        <translation>Actualizar cada paquete instalado que tenga un archivo más reciente, cada uno en su carpeta</translation>
    </message>
    <message>
        <source>Put the packages of a shared package list on the download list</source>
        <translation>Poner los paquetes de una lista de paquetes compartida en la lista de descargas</translation>
    </message>
    <message>
        <source>Save the installed packages from the package list to a file to share</source>
        <translation>Guardar en un archivo para compartir los paquetes instalados de la lista de paquetes</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Instalando...</translation>
    </message>
    <message>
        <source>Please wait, this may take a minute...</source>
        <translation>Espere, por favor; esto puede tardar un minuto...</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation>Quitar de la lista</translation>
    </message>
    <message>
        <source>Loading the package list...</source>
        <translation>Cargando la lista de paquetes...</translation>
    </message>
    <message numerus="yes">
        <source>%n package(s)</source>
        <translation>
            <numerusform>%n paquete</numerusform>
            <numerusform>%n paquetes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · %n line(s) could not be read</source>
        <translation>
            <numerusform> · no se pudo leer %n línea</numerusform>
            <numerusform> · no se pudieron leer %n líneas</numerusform>
        </translation>
    </message>
    <message>
        <source>Installed packages: %1</source>
        <translation>Paquetes instalados: %1</translation>
    </message>
    <message>
        <source>Installed in %1 on %2 — update available</source>
        <extracomment>%1 is the package&apos;s folder in the game, %2 the day it was installed</extracomment>
        <translation>Instalado en %1 el %2 — hay una actualización disponible</translation>
    </message>
    <message>
        <source>Installed in %1 on %2</source>
        <translation>Instalado en %1 el %2</translation>
    </message>
    <message>
        <source>Downloading %1</source>
        <extracomment>%1 is the package and where it stands in the list: &quot;Name (2 of 5)&quot;</extracomment>
        <translation>Descargando %1</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
    <message>
        <source>Downloaded %1</source>
        <translation>Descargado %1</translation>
    </message>
    <message>
        <source>Downloading..</source>
        <translation>Descargando..</translation>
    </message>
    <message>
        <source>Waiting for a folder name for %1</source>
        <translation>Esperando un nombre de carpeta para %1</translation>
    </message>
    <message>
        <source>Installing %1</source>
        <translation>Instalando %1</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Terminado</translation>
    </message>
    <message>
        <source>The download list is empty. Pick packages in the list on the left and press Add to Download List (or double-click them), then Download.</source>
        <translation>La lista de descargas está vacía. Elija paquetes en la lista de la izquierda y pulse «Añadir a la lista de descargas» (o haga doble clic en ellos); después, «Descargar».</translation>
    </message>
    <message>
        <source>None of the packages on the download list is in the package list any more.</source>
        <translation>Ninguno de los paquetes de la lista de descargas sigue en la lista de paquetes.</translation>
    </message>
    <message numerus="yes">
        <source> · about %n min left</source>
        <translation>
            <numerusform> · queda aprox. %n min</numerusform>
            <numerusform> · quedan aprox. %n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · about %n s left</source>
        <translation>
            <numerusform> · queda aprox. %n s</numerusform>
            <numerusform> · quedan aprox. %n s</numerusform>
        </translation>
    </message>
    <message>
        <source>Unpacking %1</source>
        <translation>Descomprimiendo %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) · %2</source>
        <extracomment>%1 is the number of files unpacked, %2 the file unpacked last</extracomment>
        <translation>
            <numerusform>%1 de %Ln archivo · %2</numerusform>
            <numerusform>%1 de %Ln archivos · %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Installed %1</source>
        <translation>Instalado %1</translation>
    </message>
    <message numerus="yes">
        <source>Verifying: %1 of %n file(s)</source>
        <translation>
            <numerusform>Verificando: %1 de %Ln archivo</numerusform>
            <numerusform>Verificando: %1 de %Ln archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Instalar desde archivo</translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation>Archivos de paquete (*.zip);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>The records of installed packages are in use by another program. They were left as they are; close that program and start the installer again to see your installed packages.</source>
        <translation>Los registros de los paquetes instalados están en uso por otro programa. Se dejaron como estaban; cierre ese programa y vuelva a iniciar el instalador para ver sus paquetes instalados.</translation>
    </message>
    <message>
        <source>Game folder: %1</source>
        <translation>Carpeta del juego: %1</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Cambiar carpeta del juego</translation>
    </message>
    <message>
        <source>Packages are being installed or checked. Change the game folder once they are done.</source>
        <translation>Se están instalando o comprobando paquetes. Cambie la carpeta del juego cuando terminen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Held back: an interrupted install or uninstall of it waits for %1</source>
        <extracomment>%1 is the folder that an interrupted install or uninstall waits for</extracomment>
        <translation>Retenido: una instalación o desinstalación interrumpida de este paquete espera a %1</translation>
    </message>
    <message numerus="yes">
        <source>Not downloaded, because an interrupted install or uninstall of it waits for its folder: %1. It is finished at a start of the installer that finds that folder again.</source>
        <extracomment>%1 lists the packages with the folder each waits for</extracomment>
        <translation>
            <numerusform>No descargado, porque una instalación o desinstalación interrumpida de este paquete espera a su carpeta: %1. Se terminará en un inicio del instalador que vuelva a encontrar esa carpeta.</numerusform>
            <numerusform>No descargados, porque una instalación o desinstalación interrumpida de cada uno espera a su carpeta: %1. Cada una se terminará en un inicio del instalador que vuelva a encontrar su carpeta.</numerusform>
        </translation>
    </message>
    <message>
        <source>Install Complete</source>
        <translation>Instalación lista</translation>
    </message>
    <message>
        <source>Getting %1 ready</source>
        <translation>Preparando %1</translation>
    </message>
    <message>
        <source>Saved; it is installed in its turn</source>
        <translation>Guardado; se instalará cuando le toque</translation>
    </message>
    <message>
        <source>Updating %1</source>
        <translation>Actualizando %1</translation>
    </message>
    <message>
        <source>Downloaded and saved; waiting for your answer</source>
        <translation>Descargado y guardado; esperando su respuesta</translation>
    </message>
    <message>
        <source>Could not install %1</source>
        <translation>No se pudo instalar %1</translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation>Omitido %1</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>Actualizado %1</translation>
    </message>
    <message>
        <source>Update Complete</source>
        <translation>Actualización lista</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>&amp;Cambiar…</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Vaciar lista</translation>
    </message>
    <message>
        <source>&amp;Try Again</source>
        <translation>&amp;Reintentar</translation>
    </message>
    <message>
        <source>&amp;Update all (0)</source>
        <translation>Actualizar &amp;todo (0)</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importar...</translation>
    </message>
    <message>
        <source>E&amp;xport Installed...</source>
        <translation>E&amp;xportar instalados...</translation>
    </message>
    <message>
        <source>&amp;Add to Download List</source>
        <translation>Añadir a la &amp;lista</translation>
    </message>
    <message>
        <source>U&amp;ninstall</source>
        <translation>&amp;Desinstalar</translation>
    </message>
    <message>
        <source>&amp;Verify</source>
        <translation>V&amp;erificar</translation>
    </message>
    <message>
        <source>Install from &amp;File...</source>
        <translation>Instalar desde &amp;archivo...</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>De&amp;scargar</translation>
    </message>
    <message>
        <source>&amp;Go Back</source>
        <translation>&amp;Volver</translation>
    </message>
    <message>
        <source>&amp;Copy Details</source>
        <translation>&amp;Copiar detalles</translation>
    </message>
    <message>
        <source>Show &amp;Log</source>
        <translation>Mostrar &amp;registro</translation>
    </message>
    <message>
        <source>&amp;Retry Failed</source>
        <translation>Reintentar &amp;fallidos</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Stop Verifying</source>
        <translation>Dete&amp;ner</translation>
    </message>
    <message>
        <source>Add the selected packages to the download list</source>
        <translation>Añadir los paquetes seleccionados a la lista de descargas</translation>
    </message>
    <message>
        <source>Download and install again the packages that did not install</source>
        <translation>Descargar e instalar de nuevo los paquetes que no se instalaron</translation>
    </message>
</context>
</TS>
