<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>CatalogueFetch</name>
    <message>
        <source>Showing the package list from %1: %2</source>
        <extracomment>%1 is how old the kept list is (&quot;3 days ago&quot;), %2 why no newer one</extracomment>
        <translation>Mostrando a lista de pacotes guardada (%1): %2</translation>
    </message>
    <message>
        <source>The package list could not be loaded: %1</source>
        <extracomment>%1 is why</extracomment>
        <translation>Não foi possível carregar a lista de pacotes: %1</translation>
    </message>
    <message>
        <source>less than a minute ago</source>
        <translation>há menos de um minuto</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>há %n minuto</numerusform>
            <numerusform>há %n minutos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>há %n hora</numerusform>
            <numerusform>há %n horas</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>há %n dia</numerusform>
            <numerusform>há %n dias</numerusform>
        </translation>
    </message>
    <message>
        <source>the server sent no list</source>
        <translation>o servidor não enviou nenhuma lista</translation>
    </message>
    <message>
        <source>the answer from %1 is not a package list</source>
        <extracomment>%1 is the host</extracomment>
        <translation>a resposta de %1 não é uma lista de pacotes</translation>
    </message>
    <message>
        <source>could not reach %1</source>
        <extracomment>%1 is the host</extracomment>
        <translation>não foi possível alcançar %1</translation>
    </message>
    <message>
        <source>%1 is sending the list too slowly</source>
        <extracomment>%1 is the host</extracomment>
        <translation>%1 está enviando a lista devagar demais</translation>
    </message>
</context>
<context>
    <name>CatalogueRows</name>
    <message>
        <source>%1  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1  — %2, instalado em %3</translation>
    </message>
    <message>
        <source>%1 (from disk)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1 (do disco)  — %2, instalado em %3</translation>
    </message>
    <message>
        <source>%1 (not in the package list)  — %2, installed %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the day it was installed</extracomment>
        <translation>%1 (fora da lista de pacotes)  — %2, instalado em %3</translation>
    </message>
</context>
<context>
    <name>CrashReportConsent</name>
    <message>
        <source>Crash Report</source>
        <translation>Relatório de falha</translation>
    </message>
    <message>
        <source>Zerun Installer closed unexpectedly last time. Send the crash report to help fix it?</source>
        <translation>O Zerun Installer fechou inesperadamente da última vez. Enviar o relatório de falha para ajudar a corrigir?</translation>
    </message>
    <message>
        <source>The report holds:</source>
        <translation>O relatório contém:</translation>
    </message>
    <message>
        <source>Show report contents</source>
        <translation>Mostrar o conteúdo do relatório</translation>
    </message>
    <message>
        <source>Don&apos;t send</source>
        <translation>Não enviar</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Enviar</translation>
    </message>
    <message>
        <source>%1: the installer&apos;s log of that day; it names folders of your home folder</source>
        <extracomment>%1 is a file name in the crash report</extracomment>
        <translation>%1: o registro do instalador daquele dia; ele cita pastas da sua pasta pessoal</translation>
    </message>
    <message>
        <source>%1: a screenshot of the installer&apos;s window at the crash</source>
        <translation>%1: uma captura de tela da janela do instalador no momento da falha</translation>
    </message>
    <message>
        <source>%1: the state of the installer&apos;s memory at the crash, for the developers</source>
        <translation>%1: o estado da memória do instalador no momento da falha, para os desenvolvedores</translation>
    </message>
    <message>
        <source>%1: the time of the crash</source>
        <translation>%1: a hora da falha</translation>
    </message>
    <message>
        <source>Its summary line:</source>
        <translation>Sua linha de resumo:</translation>
    </message>
</context>
<context>
    <name>DialogCaption</name>
    <message>
        <source>Choose a Database to Open</source>
        <translation>Escolha um banco de dados para abrir</translation>
    </message>
    <message>
        <source>Save Database</source>
        <translation>Salvar banco de dados</translation>
    </message>
</context>
<context>
    <name>DialogFilter</name>
    <message>
        <source>Images (*.png *.jpg)</source>
        <translation>Imagens (*.png *.jpg)</translation>
    </message>
    <message>
        <source>Microsoft Access Database (*.mdb); SQLite Database (*.db); Tandel Database (*.tdb)</source>
        <translation>Banco de dados do Microsoft Access (*.mdb); Banco de dados SQLite (*.db); Banco de dados Tandel (*.tdb)</translation>
    </message>
    <message>
        <source>Database (*.tdb)</source>
        <translation>Banco de dados (*.tdb)</translation>
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
        <translation>o servidor enviou uma página da web em vez do pacote</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>cancelado</translation>
    </message>
    <message>
        <source>connection refused</source>
        <translation>conexão recusada</translation>
    </message>
    <message>
        <source>the server closed the connection</source>
        <translation>o servidor fechou a conexão</translation>
    </message>
    <message>
        <source>the server could not be found</source>
        <translation>o servidor não foi encontrado</translation>
    </message>
    <message>
        <source>the server stopped sending</source>
        <translation>o servidor parou de enviar</translation>
    </message>
    <message>
        <source>the secure connection could not be made</source>
        <translation>não foi possível estabelecer a conexão segura</translation>
    </message>
    <message>
        <source>not found on the server (HTTP %1)</source>
        <translation>não encontrado no servidor (HTTP %1)</translation>
    </message>
    <message>
        <source>the server refused to send it (HTTP %1)</source>
        <translation>o servidor se recusou a enviá-lo (HTTP %1)</translation>
    </message>
    <message>
        <source>the server had a problem (HTTP %1)</source>
        <translation>o servidor teve um problema (HTTP %1)</translation>
    </message>
    <message>
        <source>the server refused the request (HTTP %1)</source>
        <translation>o servidor recusou a solicitação (HTTP %1)</translation>
    </message>
    <message>
        <source>; %1 of %2 kept, Retry resumes</source>
        <translation>; %1 de %2 guardados, Repetir falhas retoma o download</translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip: %1</source>
        <translation>Não foi possível abrir o zip: %1</translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file: the archive has no entries</source>
        <translation>Não foi possível ir ao primeiro arquivo: o arquivo compactado está vazio</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted (self-signed)</source>
        <translation>o certificado de %1 não é confiável (autoassinado)</translation>
    </message>
    <message>
        <source>the certificate of %1 has expired</source>
        <translation>o certificado de %1 expirou</translation>
    </message>
    <message>
        <source>the certificate of %1 is not valid yet</source>
        <translation>o certificado de %1 ainda não é válido</translation>
    </message>
    <message>
        <source>the certificate of %1 is made out for another host</source>
        <translation>o certificado de %1 foi emitido para outro servidor</translation>
    </message>
    <message>
        <source>the certificate of %1 has been revoked</source>
        <translation>o certificado de %1 foi revogado</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted (unknown issuer)</source>
        <translation>o certificado de %1 não é confiável (emissor desconhecido)</translation>
    </message>
    <message>
        <source>the certificate of %1 is not trusted</source>
        <translation>o certificado de %1 não é confiável</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>o disco está cheio</translation>
    </message>
    <message>
        <source>there is no room for more files on the disk</source>
        <translation>não há espaço para mais arquivos no disco</translation>
    </message>
    <message>
        <source>the folder %1 cannot be written (read-only)</source>
        <translation>não é possível gravar na pasta %1 (somente leitura)</translation>
    </message>
    <message>
        <source>the archive holds a link, which is not installed: %1</source>
        <translation>o arquivo compactado contém um link, que não é instalado: %1</translation>
    </message>
    <message>
        <source>the archive is damaged or encrypted</source>
        <translation>o arquivo compactado está danificado ou criptografado</translation>
    </message>
    <message>
        <source>not a readable zip archive</source>
        <translation>não é um arquivo zip legível</translation>
    </message>
    <message>
        <source>the archive has no entries</source>
        <translation>o arquivo compactado não tem entradas</translation>
    </message>
    <message>
        <source>%1 could not be unpacked: %2</source>
        <extracomment>%1 is the archive&apos;s entry that could not be unpacked, %2 why</extracomment>
        <translation>Não foi possível descompactar %1: %2</translation>
    </message>
    <message>
        <source>Couldn&apos;t open zip</source>
        <translation>Não foi possível abrir o zip</translation>
    </message>
    <message>
        <source>Couldn&apos;t extract file</source>
        <translation>Não foi possível extrair o arquivo</translation>
    </message>
    <message>
        <source>Couldn&apos;t go to first file</source>
        <translation>Não foi possível ir ao primeiro arquivo</translation>
    </message>
    <message>
        <source>Couldn&apos;t close zip</source>
        <translation>Não foi possível fechar o zip</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 is what failed, %2 why</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>the file is not there any more</source>
        <translation>o arquivo não está mais lá</translation>
    </message>
    <message>
        <source>the archive&apos;s directory is damaged</source>
        <translation>o diretório do arquivo compactado está danificado</translation>
    </message>
    <message>
        <source>the records of installed packages are in use by another program</source>
        <translation>os registros dos pacotes instalados estão em uso por outro programa</translation>
    </message>
    <message>
        <source>Trying again in %1 s (attempt %2 of %3)</source>
        <extracomment>%1 is the wait in seconds, %2 the attempt coming, %3 the number of attempts</extracomment>
        <translation>Nova tentativa em %1 s (tentativa %2 de %3)</translation>
    </message>
    <message>
        <source>cancelled; %1 of %2 kept, the next download resumes it</source>
        <extracomment>%1 is the part downloaded, %2 the whole file</extracomment>
        <translation>cancelado; %1 de %2 guardados, o próximo download retoma</translation>
    </message>
    <message>
        <source>the server is sending too slowly</source>
        <translation>o servidor está enviando devagar demais</translation>
    </message>
    <message>
        <source>the archive holds a file name that is not allowed (outside the package&apos;s folder, or reserved): %1</source>
        <translation>o arquivo contém um nome de arquivo não permitido (fora da pasta do pacote, ou reservado): %1</translation>
    </message>
</context>
<context>
    <name>FileReport</name>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>
            <numerusform>Não foi possível remover %n dos arquivos de %1 em %2; ele continua registrado.</numerusform>
            <numerusform>Não foi possível remover %n dos arquivos de %1 em %2; eles continuam registrados.</numerusform>
        </translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 foi desinstalado de %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) kept, listed below.</source>
        <translation>
            <numerusform>Mantido %n arquivo, listado abaixo.</numerusform>
            <numerusform>Mantidos %n arquivos, listados abaixo.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not remove (they stay recorded):</source>
        <translation>Não foi possível remover (continuam registrados):</translation>
    </message>
    <message>
        <source>Kept, because you changed them:</source>
        <translation>Mantidos, porque você os alterou:</translation>
    </message>
    <message>
        <source>Kept, because you added them:</source>
        <translation>Mantidos, porque você os adicionou:</translation>
    </message>
    <message>
        <source>Kept, because another package also installed them:</source>
        <translation>Mantidos, porque outro pacote também os instalou:</translation>
    </message>
    <message numerus="yes">
        <source>%n package(s) verified, %2 with missing or changed files</source>
        <extracomment>%2 is how many of them have missing or changed files</extracomment>
        <translation>
            <numerusform>%n pacote verificado, %2 com arquivos ausentes ou alterados</numerusform>
            <numerusform>%n pacotes verificados, %2 com arquivos ausentes ou alterados</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not put back, because their kept copies are gone:</source>
        <translation>Não recolocados, porque suas cópias guardadas sumiram:</translation>
    </message>
</context>
<context>
    <name>FramelessWindow</name>
    <message>
        <source>Frameless Window</source>
        <translation>Janela sem moldura</translation>
    </message>
</context>
<context>
    <name>GameFolder</name>
    <message>
        <source>%1 (in use)</source>
        <translation>%1 (em uso)</translation>
    </message>
    <message>
        <source>Another Folder…</source>
        <translation>Outra pasta…</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Trocar pasta do jogo</translation>
    </message>
    <message>
        <source>Which TEW2016 install should the packages go into? Each keeps its own list of installed packages.</source>
        <translation>Em qual instalação do TEW2016 os pacotes devem entrar? Cada uma mantém sua própria lista de pacotes instalados.</translation>
    </message>
    <message>
        <source>Default install</source>
        <comment>a launcher&apos;s name</comment>
        <translation>Instalação padrão</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>launcher: path of an install</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Choose the TEW2016 install</source>
        <translation>Escolher a instalação do TEW2016</translation>
    </message>
    <message>
        <source>Set TEW2016 Install folder</source>
        <translation>Indicar a pasta de instalação do TEW2016</translation>
    </message>
    <message>
        <source>TEW2016 is installed in more than one place. Which one should the packages go into?</source>
        <translation>O TEW2016 está instalado em mais de um lugar. Em qual deles os pacotes devem ser instalados?</translation>
    </message>
    <message>
        <source>Games folder</source>
        <comment>a launcher&apos;s name: the folder ~/Games</comment>
        <translation>Pasta Games</translation>
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
        <translation>Onde o TEW2016 está instalado? Escolha a pasta que contém o TEW2016.exe</translation>
    </message>
    <message>
        <source>It was not found in these places:</source>
        <translation>Não foi encontrado nestes lugares:</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>&amp;Procurar…</translation>
    </message>
    <message>
        <source>%1 is not TEW2016.exe. Choose the TEW2016.exe file in the game&apos;s folder.</source>
        <translation>%1 não é o TEW2016.exe. Escolha o arquivo TEW2016.exe na pasta do jogo.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation>O idioma do instalador; uma nova escolha vale a partir da próxima inicialização</translation>
    </message>
    <message>
        <source>TEW2016 was found in these places. Choose the one the packages should go into:</source>
        <translation>O TEW2016 foi encontrado nestes lugares. Escolha aquele onde os pacotes devem ir:</translation>
    </message>
    <message>
        <source>&amp;Use This Folder</source>
        <translation>&amp;Usar esta pasta</translation>
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
        <translation>Espaço em disco insuficiente: precisa de %1, há %2 livres</translation>
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
        <translation>Desinstalar %1 de %2?

Os arquivos dele são removidos; os arquivos que você alterou ou adicionou lá são mantidos.</translation>
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
        <translation>falhou</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>instalado</translation>
    </message>
    <message>
        <source>skipped</source>
        <translation>pulado</translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation>%1 pulado</translation>
    </message>
    <message>
        <source>no folder chosen</source>
        <translation>nenhuma pasta escolhida</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... e mais %1</translation>
    </message>
    <message>
        <source>Install %1</source>
        <translation>Instalar %1</translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation>Manter os meus</translation>
    </message>
    <message>
        <source>Take the Package&apos;s</source>
        <translation>Usar os do pacote</translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 %2 into:</source>
        <extracomment>%1 is the package, %2 its kind: Mod, Picture Pack or Skin</extracomment>
        <translation>Escolha um nome de pasta para instalar %1 (%2):</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; already exists.

Update it with %2? The package&apos;s files replace those of the same name; your other files stay.</source>
        <extracomment>%1 is the folder, %2 the package</extracomment>
        <translation>A pasta &quot;%1&quot; já existe.

Atualizá-la com %2? Os arquivos do pacote substituem os de mesmo nome; seus outros arquivos ficam.</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Atualizar</translation>
    </message>
    <message>
        <source>Choose Another Name</source>
        <translation>Escolher outro nome</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Pular</translation>
    </message>
    <message>
        <source>Cancelled %1</source>
        <translation>%1 cancelado</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch and close?</source>
        <translation>Ainda há pacotes sendo instalados. Pular só %1 ou parar o lote inteiro e fechar?</translation>
    </message>
    <message>
        <source>Packages are still being installed. Skip only %1, or stop the whole batch?</source>
        <translation>Ainda há pacotes sendo instalados. Pular só %1 ou parar o lote inteiro?</translation>
    </message>
    <message>
        <source>A package being unpacked is undone; a download is kept to be resumed later.</source>
        <translation>Um pacote que está sendo descompactado é desfeito; um download é guardado para ser retomado depois.</translation>
    </message>
    <message>
        <source>Skip This Package</source>
        <translation>Pular este pacote</translation>
    </message>
    <message>
        <source>Stop and Close</source>
        <translation>Parar e fechar</translation>
    </message>
    <message>
        <source>Stop the Batch</source>
        <translation>Parar o lote</translation>
    </message>
    <message>
        <source>Go On</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>the batch was stopped</source>
        <translation>o lote foi interrompido</translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Instalar de arquivo</translation>
    </message>
    <message>
        <source>Could not install %1:

%2</source>
        <extracomment>%1 is the package, %2 why it could not be installed</extracomment>
        <translation>Não foi possível instalar %1:

%2</translation>
    </message>
    <message>
        <source>Packages are being installed. Install %1 when they are done.</source>
        <translation>Há pacotes sendo instalados. Instale %1 quando eles terminarem.</translation>
    </message>
    <message>
        <source>What kind of package is %1?

From what the archive holds it looks like a %2.</source>
        <extracomment>%1 is the package, %2 a kind: Mod, Picture Pack or Skin</extracomment>
        <translation>Que tipo de pacote é %1?

Pelo conteúdo do arquivo compactado, parece ser do tipo %2.</translation>
    </message>
    <message>
        <source>A package of the same name and kind from the package list is installed in %1. Rename the archive to install it beside that one.</source>
        <extracomment>%1 is the folder of the package installed from the package list</extracomment>
        <translation>Um pacote da lista de pacotes com o mesmo nome e tipo está instalado em %1. Renomeie o arquivo compactado para instalá-lo ao lado dele.</translation>
    </message>
    <message>
        <source>Installed the %1 %2 into %3.</source>
        <extracomment>%1 is the kind of package: Mod, Picture Pack or Skin; %2 the package, %3 its folder</extracomment>
        <translation>%2 (%1) foi instalado em %3.</translation>
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
        <translation>Não foi possível reparar %1:

%2</translation>
    </message>
    <message>
        <source>The archive of %1</source>
        <translation>Arquivo compactado de %1</translation>
    </message>
    <message>
        <source>Fetching %1 again...</source>
        <translation>Buscando %1 de novo...</translation>
    </message>
    <message>
        <source>the archive could not be fetched from %1: %2</source>
        <extracomment>%1 is the address, %2 why it could not be fetched</extracomment>
        <translation>não foi possível buscar o arquivo compactado em %1: %2</translation>
    </message>
    <message>
        <source>that archive is not the one that was installed. Install it with Install from File to update the package.</source>
        <translation>esse arquivo compactado não é o que foi instalado. Instale-o com Instalar de arquivo para atualizar o pacote.</translation>
    </message>
    <message>
        <source>The host now serves another file for %1 than the one installed, so it cannot repair it.

Update to the file it serves now?</source>
        <translation>O servidor agora oferece para %1 um arquivo diferente do que foi instalado, então não é possível repará-lo.

Atualizar para o arquivo que ele oferece agora?</translation>
    </message>
    <message>
        <source>the package is not in the package list any more</source>
        <translation>o pacote não está mais na lista de pacotes</translation>
    </message>
    <message>
        <source>Repaired %1 in %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 foi reparado em %2.</translation>
    </message>
    <message>
        <source>Fetching %1 again... %2%</source>
        <translation>Baixando %1 novamente... %2%</translation>
    </message>
    <message>
        <source>The records of %1 cannot be read whole, so its files cannot be checked against them:

%2</source>
        <translation>Os registros de %1 não podem ser lidos por inteiro, então seus arquivos não podem ser conferidos com eles:

%2</translation>
    </message>
    <message>
        <source>%1 was not installed: an interrupted install or uninstall of it is waiting to be finished (%2)</source>
        <extracomment>%1 is the package, %2 the folder the interrupted change waits for</extracomment>
        <translation>%1 não foi instalado: uma instalação ou desinstalação interrompida está esperando para ser concluída (%2)</translation>
    </message>
    <message>
        <source>Choose a folder name to install the %1 into:</source>
        <extracomment>%1 is the package, whose name ends with its kind (&quot;Gold Skin&quot;)</extracomment>
        <translation>Escolha um nome de pasta para instalar %1:</translation>
    </message>
    <message>
        <source>A package is still being installed. Stop it and close?

What was unpacked so far is undone.</source>
        <translation>Um pacote ainda está sendo instalado. Interromper e fechar?

O que foi descompactado até agora é desfeito.</translation>
    </message>
    <message>
        <source>Installed the %1 into %2.</source>
        <extracomment>%1 is the package, whose name ends with its kind (&quot;Gold Skin&quot;); %2 its folder</extracomment>
        <translation>%1 foi instalado em %2.</translation>
    </message>
    <message>
        <source>Update %1</source>
        <extracomment>%1 is the kind of package: Mod DB, Picture Pack or Skin</extracomment>
        <translation>Atualizar %1</translation>
    </message>
    <message>
        <source>left as it was, as you chose; nothing was changed</source>
        <translation>deixado como estava, como você escolheu; nada foi alterado</translation>
    </message>
    <message>
        <source>%1 was left as it was: nothing was changed.</source>
        <extracomment>%1 is the package</extracomment>
        <translation>%1 ficou como estava: nada foi alterado.</translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that the repair puts back as they were installed:

%2

Keep yours (the package&apos;s versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <translation>
            <numerusform>Você alterou %n arquivo de %1 que o reparo devolve como foi instalado:

%2

Manter o seu (o arquivo do pacote fica ao lado dele como &lt;arquivo&gt;%3), usar o do pacote (o seu é guardado como &lt;arquivo&gt;%4) ou não alterar nada?</numerusform>
            <numerusform>Você alterou %n arquivos de %1 que o reparo devolve como foram instalados:

%2

Manter os seus (os arquivos do pacote ficam ao lado deles como &lt;arquivo&gt;%3), usar os do pacote (os seus são guardados como &lt;arquivo&gt;%4) ou não alterar nada?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that this version replaces:

%2

Keep yours (the package&apos;s new versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <extracomment>%1 is the package, %2 the list of files, %3 and %4 the file name endings the package&apos;s and the player&apos;s versions get</extracomment>
        <translation>
            <numerusform>Você alterou %n arquivo de %1 que esta versão substitui:

%2

Manter o seu (o novo arquivo do pacote fica ao lado dele como &lt;arquivo&gt;%3), usar o do pacote (o seu é guardado como &lt;arquivo&gt;%4) ou não alterar nada?</numerusform>
            <numerusform>Você alterou %n arquivos de %1 que esta versão substitui:

%2

Manter os seus (os novos arquivos do pacote ficam ao lado deles como &lt;arquivo&gt;%3), usar os do pacote (os seus são guardados como &lt;arquivo&gt;%4) ou não alterar nada?</numerusform>
        </translation>
    </message>
    <message>
        <source>Change Nothing</source>
        <translation>Não alterar nada</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Interrompido</translation>
    </message>
    <message numerus="yes">
        <source>Stopped. Installed %1 of %n package(s).</source>
        <extracomment>%1 is the number of packages installed before the batch was stopped</extracomment>
        <translation>
            <numerusform>Interrompido. %1 de %n pacote instalado.</numerusform>
            <numerusform>Interrompido. %1 de %n pacotes instalados.</numerusform>
        </translation>
    </message>
    <message>
        <source>The partial download is kept: downloading the package again resumes it.</source>
        <translation>O download parcial foi guardado: baixar o pacote de novo o retoma.</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Concluído</translation>
    </message>
    <message numerus="yes">
        <source>Installed %1 of %n package(s).</source>
        <translation>
            <numerusform>%1 de %n pacote instalado.</numerusform>
            <numerusform>%1 de %n pacotes instalados.</numerusform>
        </translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Atualizados</translation>
    </message>
    <message>
        <source>Update Completed</source>
        <translation>Atualização concluída</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Instalados</translation>
    </message>
    <message>
        <source>Install Completed</source>
        <translation>Instalação concluída</translation>
    </message>
    <message>
        <source>updated</source>
        <translation>atualizado</translation>
    </message>
    <message>
        <source>you chose to skip it: the folder &quot;%1&quot; already exists</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>pulado por sua escolha: a pasta “%1” já existe</translation>
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
        <translation>Uma desinstalação não pôde ser concluída: %1</translation>
    </message>
    <message>
        <source>An install is waiting to be finished: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Uma instalação aguarda para ser concluída: %1</translation>
    </message>
    <message>
        <source>An interrupted install could not be read: %1</source>
        <extracomment>%1 is what happened, as the log says it</extracomment>
        <translation>Uma instalação interrompida não pôde ser lida: %1</translation>
    </message>
    <message>
        <source>%1 in %2 is half changed: a change of it was cut off, and the journal that would finish or undo it is damaged. Its files are checked now, and Repair puts them back.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 em %2 está alterado pela metade: uma alteração foi interrompida, e o diário que a terminaria ou desfaria está danificado. Os arquivos dele são verificados agora, e Reparar os coloca de volta.</translation>
    </message>
</context>
<context>
    <name>InstallRules</name>
    <message>
        <source>Folder Name can&apos;t be longer than 24 characters</source>
        <translation>O nome da pasta não pode ter mais de 24 caracteres</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain illegal characters &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</source>
        <translation>O nome da pasta não pode conter os caracteres proibidos &apos;&lt;&apos; &apos;&gt;&apos; &apos;:&apos; &apos;&quot;&apos; &apos;/&apos; &apos;\&apos; &apos;|&apos; &apos;?&apos; &apos;*&apos;</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t contain control characters</source>
        <translation>O nome da pasta não pode conter caracteres de controle</translation>
    </message>
    <message>
        <source>Folder Name can&apos;t end with a blank or a dot</source>
        <translation>O nome da pasta não pode terminar com espaço ou ponto</translation>
    </message>
    <message>
        <source>Folder Name needs more than dots and blanks</source>
        <translation>O nome da pasta precisa ter mais do que pontos e espaços</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a name Windows keeps for itself</source>
        <translation>&apos;%1&apos; é um nome reservado pelo Windows</translation>
    </message>
    <message>
        <source> and </source>
        <translation> e </translation>
    </message>
    <message>
        <source>Could not create folder: a file of that name is in the way. Choose another name.</source>
        <translation>Não foi possível criar a pasta: um arquivo com esse nome está no caminho. Escolha outro nome.</translation>
    </message>
    <message>
        <source>Could not create folder: a file named %1 is in the way. Choose another name.</source>
        <translation>Não foi possível criar a pasta: um arquivo chamado %1 está no caminho. Escolha outro nome.</translation>
    </message>
    <message>
        <source>Could not create folder: %1.</source>
        <translation>Não foi possível criar a pasta: %1.</translation>
    </message>
    <message>
        <source>Could not create folder: no permission to write in %1. Choose another name.</source>
        <translation>Não foi possível criar a pasta: sem permissão para gravar em %1. Escolha outro nome.</translation>
    </message>
    <message>
        <source>Could not create folder: the system refused it. Choose another name.</source>
        <translation>Não foi possível criar a pasta: o sistema recusou. Escolha outro nome.</translation>
    </message>
    <message>
        <source>no folder can be made: there is no permission to write in %1</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>nenhuma pasta pode ser criada: não há permissão para escrever em %1</translation>
    </message>
</context>
<context>
    <name>InstalledPackages</name>
    <message>
        <source>the records of installed packages are in use by another program</source>
        <translation>os registros dos pacotes instalados estão em uso por outro programa</translation>
    </message>
    <message>
        <source>the records of installed packages are damaged (%1)</source>
        <extracomment>%1 is what SQLite or the check found, in English</extracomment>
        <translation>os registros dos pacotes instalados estão danificados (%1)</translation>
    </message>
    <message>
        <source>The records of installed packages in %1 are damaged and could not be kept aside; they were left as they are.</source>
        <extracomment>%1 is the file of the records</extracomment>
        <translation>Os registros dos pacotes instalados em %1 estão danificados e não puderam ser guardados à parte; foram deixados como estão.</translation>
    </message>
    <message>
        <source>The records of installed packages are damaged and were kept as %1, but no new record could be started.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>Os registros dos pacotes instalados estão danificados e foram guardados como %1, mas não foi possível iniciar novos registros.</translation>
    </message>
    <message numerus="yes">
        <source>The records of installed packages were damaged and are kept as %1. New records were started with the %n package(s) that still read whole.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>
            <numerusform>Os registros dos pacotes instalados estavam danificados e estão guardados como %1. Novos registros foram iniciados com o %n pacote que ainda podia ser lido inteiro.</numerusform>
            <numerusform>Os registros dos pacotes instalados estavam danificados e estão guardados como %1. Novos registros foram iniciados com os %n pacotes que ainda podiam ser lidos inteiros.</numerusform>
        </translation>
    </message>
    <message>
        <source>Left out, with their files left in the game folder: %1.</source>
        <extracomment>%1 is the list of packages</extracomment>
        <translation>Deixados de fora, com seus arquivos na pasta do jogo: %1.</translation>
    </message>
    <message>
        <source>Some package records could not be read at all.</source>
        <translation>Alguns registros de pacotes não puderam ser lidos.</translation>
    </message>
    <message>
        <source>The records of installed packages in %1 cannot be used.</source>
        <extracomment>%1 is the file of the records</extracomment>
        <translation>Os registros dos pacotes instalados em %1 não podem ser usados.</translation>
    </message>
    <message>
        <source>The records of installed packages could not be used; new records were started.</source>
        <translation>Os registros dos pacotes instalados não puderam ser usados; novos registros foram iniciados.</translation>
    </message>
    <message>
        <source>The records of installed packages could not be used and are kept as %1; new records were started.</source>
        <translation>Os registros dos pacotes instalados não puderam ser usados e estão guardados como %1; novos registros foram iniciados.</translation>
    </message>
</context>
<context>
    <name>LanguageChoice</name>
    <message>
        <source>Applies at the next start.</source>
        <translation>Vale a partir da próxima inicialização.</translation>
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
        <translation>OK</translation>
    </message>
    <message>
        <source>Package lists (*.txt);;All files (*)</source>
        <translation>Listas de pacotes (*.txt);;Todos os arquivos (*)</translation>
    </message>
    <message numerus="yes">
        <source>Wrote %n package(s) to %1.</source>
        <extracomment>%1 is the file</extracomment>
        <translation>
            <numerusform>%n pacote gravado em %1.</numerusform>
            <numerusform>%n pacotes gravados em %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not write %1: %2</source>
        <extracomment>%1 is the file, %2 why</extracomment>
        <translation>Não foi possível gravar %1: %2</translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation>Importar lista de pacotes</translation>
    </message>
    <message>
        <source>Import</source>
        <extracomment>%1 is the file, %2 why</extracomment>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Could not read %1: %2</source>
        <translation>Não foi possível ler %1: %2</translation>
    </message>
    <message>
        <source>Export the Installed Packages</source>
        <translation>Exportar os pacotes instalados</translation>
    </message>
</context>
<context>
    <name>LogWindows</name>
    <message>
        <source>Session Log</source>
        <translation>Registro da sessão</translation>
    </message>
    <message>
        <source>Nothing has been written to today&apos;s log yet. It will be kept in this file:
%1</source>
        <translation>Nada foi escrito no registro de hoje ainda. Ele será guardado neste arquivo:
%1</translation>
    </message>
    <message>
        <source>Today&apos;s log could not be read. Check that this file can be opened:
%1</source>
        <translation>Não foi possível ler o registro de hoje. Verifique se este arquivo pode ser aberto:
%1</translation>
    </message>
</context>
<context>
    <name>OpenFolder</name>
    <message>
        <source>The folder %1 is not there.</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>A pasta %1 não existe.</translation>
    </message>
    <message>
        <source>Nothing on this computer could show the folder %1. Open it with a file manager yourself.</source>
        <extracomment>%1 is the folder</extracomment>
        <translation>Nada neste computador conseguiu mostrar a pasta %1. Abra-a você mesmo com um gerenciador de arquivos.</translation>
    </message>
</context>
<context>
    <name>PackageInstall</name>
    <message numerus="yes">
        <source>kept your %n changed file(s); the package&apos;s versions are beside them as %1: %2</source>
        <extracomment>%1 is the file name ending the package&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>mantido %n arquivo que você alterou; a versão do pacote fica ao lado dele, com a terminação %1: %2</numerusform>
            <numerusform>mantidos %n arquivos que você alterou; as versões do pacote ficam ao lado deles, com a terminação %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) of the old version that you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>mantido %n arquivo da versão antiga que você alterou: %1</numerusform>
            <numerusform>mantidos %n arquivos da versão antiga que você alterou: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>could not remove %n file(s) of the old version: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>não foi possível remover %n arquivo da versão antiga: %1</numerusform>
            <numerusform>não foi possível remover %n arquivos da versão antiga: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was changed</source>
        <translation>Nada foi alterado</translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) that were in the folder before aside; uninstalling the package puts them back: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>guardado à parte %n arquivo que já estava na pasta; desinstalar o pacote o devolve ao lugar: %1</numerusform>
            <numerusform>guardados à parte %n arquivos que já estavam na pasta; desinstalar o pacote os devolve ao lugar: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>put back %n file(s) that were in the folder before and that this version no longer replaces: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>devolvido ao lugar %n arquivo que já estava na pasta e que esta versão não substitui mais: %1</numerusform>
            <numerusform>devolvidos ao lugar %n arquivos que já estavam na pasta e que esta versão não substitui mais: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>took the package&apos;s versions of %n file(s); yours are kept as %1: %2</source>
        <extracomment>%1 is the file name ending the player&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>a versão do pacote de %n arquivo foi usada; a sua fica guardada como %1: %2</numerusform>
            <numerusform>as versões do pacote de %n arquivos foram usadas; as suas ficam guardadas como %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the archive names %n file(s) more than once in spellings that differ only in case, which the game takes for one file; the last of each was installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>o arquivo compactado nomeia %n arquivo mais de uma vez com grafias que diferem só em maiúsculas e minúsculas, que o jogo toma por um só arquivo; foi instalada a última de cada um: %1</numerusform>
            <numerusform>o arquivo compactado nomeia %n arquivos mais de uma vez com grafias que diferem só em maiúsculas e minúsculas, que o jogo toma por um só arquivo; foi instalada a última de cada um: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the record could not be written; it is tried again at the next start (the log tells why)</source>
        <translation>o registro não pôde ser gravado; isso será tentado de novo na próxima inicialização (o log diz o motivo)</translation>
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
        <translation> [Pacote de imagens]</translation>
    </message>
    <message>
        <source>Picture Pack</source>
        <translation>Pacote de imagens</translation>
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
        <translation>Não há nada para exportar: nenhum pacote instalado veio da lista de pacotes.</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... e mais %n</numerusform>
            <numerusform>... e mais %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Added %n package(s) to the download list.</source>
        <translation>
            <numerusform>%n pacote adicionado à lista de downloads.</numerusform>
            <numerusform>%n pacotes adicionados à lista de downloads.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not in the package list:</source>
        <translation>Fora da lista de pacotes:</translation>
    </message>
    <message>
        <source>Lines that could not be read (nothing was added for them):</source>
        <translation>Linhas que não puderam ser lidas (nada foi adicionado por elas):</translation>
    </message>
    <message>
        <source>the file is too large to be a package list</source>
        <translation>o arquivo é grande demais para ser uma lista de pacotes</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <extracomment>%1 is the line&apos;s number in the file, %2 the line</extracomment>
        <translation>linha %1: %2</translation>
    </message>
</context>
<context>
    <name>PackageRemoval</name>
    <message>
        <source>Could not uninstall %1: %2.</source>
        <extracomment>%1 is the package, %2 why it cannot be uninstalled</extracomment>
        <translation>Não foi possível desinstalar %1: %2.</translation>
    </message>
    <message>
        <source>Uninstalled %1 from %2.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>%1 foi desinstalado de %2.</translation>
    </message>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded: %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the files</extracomment>
        <translation>
            <numerusform>Não foi possível remover %n dos arquivos de %1 em %2; ele continua registrado: %3</numerusform>
            <numerusform>Não foi possível remover %n dos arquivos de %1 em %2; eles continuam registrados: %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Mantido %n arquivo que você alterou: %1</numerusform>
            <numerusform>Mantidos %n arquivos que você alterou: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you added: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Mantido %n arquivo que você adicionou: %1</numerusform>
            <numerusform>Mantidos %n arquivos que você adicionou: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) another package also installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Mantido %n arquivo que outro pacote também instalou: %1</numerusform>
            <numerusform>Mantidos %n arquivos que outro pacote também instalou: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Mantido %n arquivo que já estava na pasta antes da instalação: %1</numerusform>
            <numerusform>Mantidos %n arquivos que já estavam na pasta antes da instalação: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) of yours that an update set aside: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Mantido %n arquivo seu que uma atualização guardou à parte: %1</numerusform>
            <numerusform>Mantidos %n arquivos seus que uma atualização guardou à parte: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Devolvido ao lugar %n arquivo que estava na pasta antes da instalação: %1</numerusform>
            <numerusform>Devolvidos ao lugar %n arquivos que estavam na pasta antes da instalação: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install beside your changed ones: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Devolvido %n arquivo que estava na pasta antes da instalação, ao lado do que você alterou: %1</numerusform>
            <numerusform>Devolvidos %n arquivos que estavam na pasta antes da instalação, ao lado dos que você alterou: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; they stay kept: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Não foi possível devolver %n arquivo que estava na pasta antes da instalação; ele continua guardado: %1</numerusform>
            <numerusform>Não foi possível devolver %n arquivos que estavam na pasta antes da instalação; eles continuam guardados: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the folder %1 is not inside the game folder</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>a pasta %1 não está dentro da pasta do jogo</translation>
    </message>
    <message>
        <source>the folder %1 is reached through a link</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>a pasta %1 é alcançada por um link</translation>
    </message>
    <message>
        <source>%1; nothing was removed</source>
        <extracomment>%1 is what is wrong with the records</extracomment>
        <translation>%1; nada foi removido</translation>
    </message>
    <message>
        <source>its folder is not inside the game folder</source>
        <translation>a pasta dele não está dentro da pasta do jogo</translation>
    </message>
    <message>
        <source>the game folder %1 is not there</source>
        <extracomment>%1 is the game folder</extracomment>
        <translation>a pasta do jogo %1 não existe</translation>
    </message>
    <message>
        <source>its folder %1 is a link (or lies behind one); nothing was removed</source>
        <extracomment>%1 is the package&apos;s folder</extracomment>
        <translation>a pasta dele %1 é um link (ou fica atrás de um); nada foi removido</translation>
    </message>
    <message>
        <source>the removal could not be recorded</source>
        <translation>a remoção não pôde ser registrada</translation>
    </message>
    <message>
        <source>The next start finishes the uninstall (the log tells why it could not now).</source>
        <translation>A próxima inicialização termina a desinstalação (o log diz por que não foi possível agora).</translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; their kept copies are gone: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Não foi possível recolocar %n arquivo que estava na pasta antes da instalação; sua cópia guardada sumiu: %1</numerusform>
            <numerusform>Não foi possível recolocar %n arquivos que estavam na pasta antes da instalação; suas cópias guardadas sumiram: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageUpdates</name>
    <message>
        <source>&amp;Update all (%1)</source>
        <translation>Atualizar t&amp;udo (%1)</translation>
    </message>
</context>
<context>
    <name>PackageVerify</name>
    <message numerus="yes">
        <source>All %1 files as installed</source>
        <extracomment>%1 is the number of files</extracomment>
        <translation>
            <numerusform>O %1 arquivo está como foi instalado</numerusform>
            <numerusform>Todos os %1 arquivos estão como foram instalados</numerusform>
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
            <numerusform>%1 alterado</numerusform>
            <numerusform>%1 alterados</numerusform>
        </translation>
    </message>
    <message>
        <source>Missing:</source>
        <translation>Ausentes:</translation>
    </message>
    <message>
        <source>Changed:</source>
        <translation>Alterados:</translation>
    </message>
    <message>
        <source>Your own files (not part of the package, left alone):</source>
        <translation>Seus próprios arquivos (não fazem parte do pacote, deixados como estão):</translation>
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
            <numerusform>%n pacote instalado encontrado de novo na pasta do jogo; os detalhes estão no registro.</numerusform>
            <numerusform>%n pacotes instalados encontrados de novo na pasta do jogo; os detalhes estão no registro.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) in the game folder are damaged and were not used; the details are in the log.</source>
        <extracomment>One line on the catalogue page</extracomment>
        <translation>
            <numerusform>%n registro na pasta do jogo está danificado e não foi usado; os detalhes estão no registro.</numerusform>
            <numerusform>%n registros na pasta do jogo estão danificados e não foram usados; os detalhes estão no registro.</numerusform>
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
        <translation>Copiar o relatório inteiro</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>To install the archives, use Install from File in the running installer.</source>
        <translation>Para instalar os arquivos compactados, use “Instalar de arquivo” no instalador em execução.</translation>
    </message>
    <message>
        <source>The folder Zerun Installer hands over through can be reached by other users, so nothing was handed over to the running installer.</source>
        <translation>A pasta pela qual o Zerun Installer faz a entrega pode ser acessada por outros usuários, por isso nada foi entregue ao instalador em execução.</translation>
    </message>
    <message>
        <source>A program of another user holds the name Zerun Installer hands over on, so nothing was handed over to it.</source>
        <translation>Um programa de outro usuário ocupa o nome pelo qual o Zerun Installer faz a entrega, por isso nada lhe foi entregue.</translation>
    </message>
    <message>
        <source>Zerun Installer is running with this profile but did not answer in time, so nothing was handed over to it.</source>
        <translation>O Zerun Installer está em execução com este perfil, mas não respondeu a tempo, por isso nada lhe foi entregue.</translation>
    </message>
</context>
<context>
    <name>StandardDialog</name>
    <message>
        <source> (You must enter a value)</source>
        <translation> (Você precisa digitar um valor)</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Zerun Installer cannot start, because it cannot write to its folder:
%1

Make this folder writable, or free some space on its disk, and start the installer again.</source>
        <translation>O Zerun Installer não pode iniciar porque não consegue gravar em sua pasta:
%1

Torne essa pasta gravável, ou libere espaço no disco dela, e inicie o instalador novamente.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
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
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Depuração</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informação</translation>
    </message>
    <message>
        <source>Channel Log: %1 |</source>
        <translation>Registro do canal: %1 |</translation>
    </message>
</context>
<context>
    <name>TsMessage</name>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informação</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>Check for Updates</source>
        <translation>Verificar atualizações</translation>
    </message>
    <message>
        <source>You currently have the latest version.</source>
        <translation>Você já tem a versão mais recente.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Check for Updates</source>
        <translation>Verificar atualizações</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Download in External Browser</source>
        <translation>Baixar no navegador externo</translation>
    </message>
    <message>
        <source>Version %1 is available.</source>
        <translation>A versão %1 está disponível.</translation>
    </message>
    <message>
        <source>A new version is available.</source>
        <translation>Uma nova versão está disponível.</translation>
    </message>
    <message>
        <source>Skip This Version</source>
        <translation>Ignorar esta versão</translation>
    </message>
    <message>
        <source>A new version is available on the service&apos;s site, %1.</source>
        <translation>Uma nova versão está disponível no site do serviço, %1.</translation>
    </message>
    <message>
        <source>Version %1 is available on the service&apos;s site, %2.</source>
        <translation>A versão %1 está disponível no site do serviço, %2.</translation>
    </message>
    <message>
        <source>Open the Site in the Browser</source>
        <translation>Abrir o site no navegador</translation>
    </message>
</context>
<context>
    <name>WindowAccess</name>
    <message>
        <source>Package kind</source>
        <translation>Tipo de pacote</translation>
    </message>
    <message>
        <source>Shows all packages, one kind of package, or the installed ones</source>
        <translation>Mostra todos os pacotes, um tipo de pacote ou os instalados</translation>
    </message>
    <message>
        <source>Search packages</source>
        <translation>Pesquisar pacotes</translation>
    </message>
    <message>
        <source>Shows only the packages whose names hold this text; Ctrl+F comes here</source>
        <translation>Mostra só os pacotes cujo nome contém este texto; Ctrl+F vem para cá</translation>
    </message>
    <message>
        <source>Clear List</source>
        <translation>Limpar lista</translation>
    </message>
    <message>
        <source>Takes every package off the download list</source>
        <translation>Tira todos os pacotes da lista de downloads</translation>
    </message>
    <message>
        <source>Packages</source>
        <translation>Pacotes</translation>
    </message>
    <message>
        <source>Enter adds the selected packages to the download list; Delete uninstalls the selected installed package</source>
        <translation>Enter adiciona os pacotes selecionados à lista de downloads; Delete desinstala o pacote instalado selecionado</translation>
    </message>
    <message>
        <source>Download List</source>
        <translation>Lista de downloads</translation>
    </message>
    <message>
        <source>Enter starts the download; Delete takes the selected packages off the list</source>
        <translation>Enter inicia o download; Delete tira os pacotes selecionados da lista</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Tentar novamente</translation>
    </message>
    <message>
        <source>Fetches the package list again</source>
        <translation>Busca a lista de pacotes de novo</translation>
    </message>
    <message>
        <source>Update All</source>
        <translation>Atualizar tudo</translation>
    </message>
    <message>
        <source>Updates every installed package that has a newer archive, each in its folder</source>
        <translation>Atualiza todos os pacotes instalados que têm um arquivo compactado mais novo, cada um na sua pasta</translation>
    </message>
    <message>
        <source>Import Package List</source>
        <translation>Importar lista de pacotes</translation>
    </message>
    <message>
        <source>Puts the packages of a shared package list on the download list</source>
        <translation>Coloca os pacotes de uma lista de pacotes compartilhada na lista de downloads</translation>
    </message>
    <message>
        <source>Saves the installed packages from the package list to a file to share</source>
        <translation>Salva os pacotes instalados da lista de pacotes em um arquivo para compartilhar</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>The installer&apos;s language; a new choice applies at the next start</source>
        <translation>O idioma do instalador; uma nova escolha vale a partir da próxima inicialização</translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation>Adicionar à lista de downloads</translation>
    </message>
    <message>
        <source>Adds the selected packages to the download list</source>
        <translation>Adiciona os pacotes selecionados à lista de downloads</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Desinstalar</translation>
    </message>
    <message>
        <source>Removes the selected installed package from the game folder</source>
        <translation>Remove o pacote instalado selecionado da pasta do jogo</translation>
    </message>
    <message>
        <source>Verify</source>
        <translation>Verificar</translation>
    </message>
    <message>
        <source>Checks the selected installed packages&apos; files against what was installed</source>
        <translation>Compara os arquivos dos pacotes instalados selecionados com o que foi instalado</translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Instalar de arquivo</translation>
    </message>
    <message>
        <source>Installs a package archive (.zip) you have on disk</source>
        <translation>Instala um arquivo de pacote (.zip) que você tem no disco</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Baixar</translation>
    </message>
    <message>
        <source>Downloads the packages on the download list and installs them</source>
        <translation>Baixa os pacotes da lista de downloads e os instala</translation>
    </message>
    <message>
        <source>Package progress</source>
        <translation>Progresso do pacote</translation>
    </message>
    <message>
        <source>How far the current package has come</source>
        <translation>Quanto do pacote atual já foi feito</translation>
    </message>
    <message>
        <source>Batch progress</source>
        <translation>Progresso do lote</translation>
    </message>
    <message>
        <source>How many packages of the batch are over</source>
        <translation>Quantos pacotes do lote já terminaram</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>How each package of the batch ended</source>
        <translation>Como terminou cada pacote do lote</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Voltar</translation>
    </message>
    <message>
        <source>Back to the package list; Esc does the same</source>
        <translation>Volta para a lista de pacotes; Esc faz o mesmo</translation>
    </message>
    <message>
        <source>Copy Details</source>
        <translation>Copiar detalhes</translation>
    </message>
    <message>
        <source>Copies the outcome lines to the clipboard</source>
        <translation>Copia as linhas do resultado para a área de transferência</translation>
    </message>
    <message>
        <source>Retry Failed</source>
        <translation>Repetir falhas</translation>
    </message>
    <message>
        <source>Downloads and installs again the packages that did not install</source>
        <translation>Baixa e instala de novo os pacotes que não foram instalados</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Asks whether to skip the current package or stop the batch; Esc does the same</source>
        <translation>Pergunta se deve pular o pacote atual ou parar o lote; Esc faz o mesmo</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Closes the installer</source>
        <translation>Fecha o instalador</translation>
    </message>
    <message>
        <source>Game folder</source>
        <translation>Pasta do jogo</translation>
    </message>
    <message>
        <source>The TEW2016 folder the packages go into</source>
        <translation>A pasta do TEW2016 onde os pacotes entram</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Trocar pasta do jogo</translation>
    </message>
    <message>
        <source>Chooses another TEW2016 folder; each keeps its own installed packages</source>
        <translation>Escolhe outra pasta do TEW2016; cada uma mantém seus próprios pacotes instalados</translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation>Mostrar registro</translation>
    </message>
    <message>
        <source>Opens today&apos;s log, with every line the installer wrote today</source>
        <translation>Abre o registro de hoje, com cada linha que o instalador escreveu hoje</translation>
    </message>
    <message>
        <source>Export Installed Packages</source>
        <translation>Exportar os pacotes instalados</translation>
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
        <translation>Repor os arquivos ausentes e alterados a partir do arquivo compactado do pacote</translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation>Arquivos de pacote (*.zip);;Todos os arquivos (*)</translation>
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
        <translation>Pacotes de imagens</translation>
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
        <translation>Pesquisar pacotes</translation>
    </message>
    <message>
        <source>Download List</source>
        <translation>Lista de downloads</translation>
    </message>
    <message>
        <source>Language of the installer</source>
        <translation>Idioma do instalador</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>Add to Download List</source>
        <translation>Adicionar à lista de downloads</translation>
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
        <translation>Comparar os arquivos dos pacotes instalados selecionados com o que foi instalado</translation>
    </message>
    <message>
        <source>Install a package archive (.zip) you have on disk; you can also drop it here</source>
        <translation>Instalar um arquivo de pacote (.zip) que você tem no disco; você também pode soltá-lo aqui</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Baixar</translation>
    </message>
    <message>
        <source>%v of %m packages</source>
        <translation>%v de %m pacotes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Update every installed package that has a newer archive, each in its folder</source>
        <translation>Atualizar todos os pacotes instalados que têm um arquivo compactado mais novo, cada um na sua pasta</translation>
    </message>
    <message>
        <source>Put the packages of a shared package list on the download list</source>
        <translation>Colocar os pacotes de uma lista de pacotes compartilhada na lista de downloads</translation>
    </message>
    <message>
        <source>Save the installed packages from the package list to a file to share</source>
        <translation>Salvar os pacotes instalados da lista de pacotes em um arquivo para compartilhar</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Instalando...</translation>
    </message>
    <message>
        <source>Please wait, this may take a minute...</source>
        <translation>Aguarde, isso pode levar um minuto...</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir pasta</translation>
    </message>
    <message>
        <source>Remove from List</source>
        <translation>Remover da lista</translation>
    </message>
    <message>
        <source>Loading the package list...</source>
        <translation>Carregando a lista de pacotes...</translation>
    </message>
    <message numerus="yes">
        <source>%n package(s)</source>
        <translation>
            <numerusform>%n pacote</numerusform>
            <numerusform>%n pacotes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · %n line(s) could not be read</source>
        <translation>
            <numerusform> · %n linha não pôde ser lida</numerusform>
            <numerusform> · %n linhas não puderam ser lidas</numerusform>
        </translation>
    </message>
    <message>
        <source>Installed packages: %1</source>
        <translation>Pacotes instalados: %1</translation>
    </message>
    <message>
        <source>Installed in %1 on %2 — update available</source>
        <extracomment>%1 is the package&apos;s folder in the game, %2 the day it was installed</extracomment>
        <translation>Instalado na pasta %1 em %2 — atualização disponível</translation>
    </message>
    <message>
        <source>Installed in %1 on %2</source>
        <translation>Instalado na pasta %1 em %2</translation>
    </message>
    <message>
        <source>Downloading %1</source>
        <extracomment>%1 is the package and where it stands in the list: &quot;Name (2 of 5)&quot;</extracomment>
        <translation>Baixando %1</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Conectando...</translation>
    </message>
    <message>
        <source>Downloaded %1</source>
        <translation>%1 baixado</translation>
    </message>
    <message>
        <source>Downloading..</source>
        <translation>Baixando..</translation>
    </message>
    <message>
        <source>Waiting for a folder name for %1</source>
        <translation>Aguardando um nome de pasta para %1</translation>
    </message>
    <message>
        <source>Installing %1</source>
        <translation>Instalando %1</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Concluído</translation>
    </message>
    <message>
        <source>The download list is empty. Pick packages in the list on the left and press Add to Download List (or double-click them), then Download.</source>
        <translation>A lista de downloads está vazia. Escolha pacotes na lista à esquerda e clique em Adicionar à lista de downloads (ou clique duas vezes neles) e depois em Baixar.</translation>
    </message>
    <message>
        <source>None of the packages on the download list is in the package list any more.</source>
        <translation>Nenhum dos pacotes da lista de downloads está mais na lista de pacotes.</translation>
    </message>
    <message numerus="yes">
        <source> · about %n min left</source>
        <translation>
            <numerusform> · falta cerca de %n min</numerusform>
            <numerusform> · faltam cerca de %n min</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · about %n s left</source>
        <translation>
            <numerusform> · falta cerca de %n s</numerusform>
            <numerusform> · faltam cerca de %n s</numerusform>
        </translation>
    </message>
    <message>
        <source>Unpacking %1</source>
        <translation>Descompactando %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) · %2</source>
        <extracomment>%1 is the number of files unpacked, %2 the file unpacked last</extracomment>
        <translation>
            <numerusform>%1 de %Ln arquivo · %2</numerusform>
            <numerusform>%1 de %Ln arquivos · %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Installed %1</source>
        <translation>%1 instalado</translation>
    </message>
    <message numerus="yes">
        <source>Verifying: %1 of %n file(s)</source>
        <translation>
            <numerusform>Verificando: %1 de %Ln arquivo</numerusform>
            <numerusform>Verificando: %1 de %Ln arquivos</numerusform>
        </translation>
    </message>
    <message>
        <source>Install from File</source>
        <translation>Instalar de arquivo</translation>
    </message>
    <message>
        <source>Package archives (*.zip);;All files (*)</source>
        <translation>Arquivos de pacote (*.zip);;Todos os arquivos (*)</translation>
    </message>
    <message>
        <source>The records of installed packages are in use by another program. They were left as they are; close that program and start the installer again to see your installed packages.</source>
        <translation>Os registros dos pacotes instalados estão em uso por outro programa. Eles foram deixados como estavam; feche esse programa e inicie o instalador novamente para ver seus pacotes instalados.</translation>
    </message>
    <message>
        <source>Game folder: %1</source>
        <translation>Pasta do jogo: %1</translation>
    </message>
    <message>
        <source>Change Game Folder</source>
        <translation>Trocar pasta do jogo</translation>
    </message>
    <message>
        <source>Packages are being installed or checked. Change the game folder once they are done.</source>
        <translation>Há pacotes sendo instalados ou verificados. Troque a pasta do jogo quando terminarem.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Held back: an interrupted install or uninstall of it waits for %1</source>
        <extracomment>%1 is the folder that an interrupted install or uninstall waits for</extracomment>
        <translation>Retido: uma instalação ou desinstalação interrompida dele aguarda %1</translation>
    </message>
    <message numerus="yes">
        <source>Not downloaded, because an interrupted install or uninstall of it waits for its folder: %1. It is finished at a start of the installer that finds that folder again.</source>
        <extracomment>%1 lists the packages with the folder each waits for</extracomment>
        <translation>
            <numerusform>Não baixado, porque uma instalação ou desinstalação interrompida dele aguarda sua pasta: %1. Ela será concluída em uma inicialização do instalador que encontre essa pasta de novo.</numerusform>
            <numerusform>Não baixados, porque uma instalação ou desinstalação interrompida de cada um aguarda sua pasta: %1. Cada uma será concluída em uma inicialização do instalador que encontre sua pasta de novo.</numerusform>
        </translation>
    </message>
    <message>
        <source>Install Complete</source>
        <translation>Instalação pronta</translation>
    </message>
    <message>
        <source>Getting %1 ready</source>
        <translation>Preparando %1</translation>
    </message>
    <message>
        <source>Saved; it is installed in its turn</source>
        <translation>Salvo; será instalado na sua vez</translation>
    </message>
    <message>
        <source>Updating %1</source>
        <translation>Atualizando %1</translation>
    </message>
    <message>
        <source>Downloaded and saved; waiting for your answer</source>
        <translation>Baixado e salvo; aguardando sua resposta</translation>
    </message>
    <message>
        <source>Could not install %1</source>
        <translation>Não foi possível instalar %1</translation>
    </message>
    <message>
        <source>Skipped %1</source>
        <translation>%1 pulado</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>%1 atualizado</translation>
    </message>
    <message>
        <source>Update Complete</source>
        <translation>Atualização pronta</translation>
    </message>
    <message>
        <source>C&amp;hange…</source>
        <translation>T&amp;rocar…</translation>
    </message>
    <message>
        <source>&amp;Clear List</source>
        <translation>&amp;Limpar lista</translation>
    </message>
    <message>
        <source>&amp;Try Again</source>
        <translation>&amp;Tentar novamente</translation>
    </message>
    <message>
        <source>&amp;Update all (0)</source>
        <translation>Atualizar t&amp;udo (0)</translation>
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
        <translation>&amp;Adicionar à lista</translation>
    </message>
    <message>
        <source>U&amp;ninstall</source>
        <translation>&amp;Desinstalar</translation>
    </message>
    <message>
        <source>&amp;Verify</source>
        <translation>&amp;Verificar</translation>
    </message>
    <message>
        <source>Install from &amp;File...</source>
        <translation>Instalar de ar&amp;quivo...</translation>
    </message>
    <message>
        <source>&amp;Download</source>
        <translation>&amp;Baixar</translation>
    </message>
    <message>
        <source>&amp;Go Back</source>
        <translation>&amp;Voltar</translation>
    </message>
    <message>
        <source>&amp;Copy Details</source>
        <translation>&amp;Copiar detalhes</translation>
    </message>
    <message>
        <source>Show &amp;Log</source>
        <translation>Mostrar &amp;registro</translation>
    </message>
    <message>
        <source>&amp;Retry Failed</source>
        <translation>Repetir &amp;falhas</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Stop Verifying</source>
        <translation>&amp;Parar</translation>
    </message>
    <message>
        <source>Add the selected packages to the download list</source>
        <translation>Adicionar os pacotes selecionados à lista de downloads</translation>
    </message>
    <message>
        <source>Download and install again the packages that did not install</source>
        <translation>Baixar e instalar novamente os pacotes que não foram instalados</translation>
    </message>
</context>
</TS>
