<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CatalogueFetch</name>
    <message numerus="yes">
        <source>%n minute(s) ago</source>
        <translation>
            <numerusform>%n minute ago</numerusform>
            <numerusform>%n minutes ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hour(s) ago</source>
        <translation>
            <numerusform>%n hour ago</numerusform>
            <numerusform>%n hours ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n day(s) ago</source>
        <translation>
            <numerusform>%n day ago</numerusform>
            <numerusform>%n days ago</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileReport</name>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded.</source>
        <extracomment>%1 is the package, %2 its folder in the game</extracomment>
        <translation>
            <numerusform>Could not remove %n of the files of %1 from %2; it stays recorded.</numerusform>
            <numerusform>Could not remove %n of the files of %1 from %2; they stay recorded.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) kept, listed below.</source>
        <translation>
            <numerusform>%n file kept, listed below.</numerusform>
            <numerusform>%n files kept, listed below.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n package(s) verified, %2 with missing or changed files</source>
        <extracomment>%2 is how many of them have missing or changed files</extracomment>
        <translation>
            <numerusform>%n package verified, %2 with missing or changed files</numerusform>
            <numerusform>%n packages verified, %2 with missing or changed files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>InstallBatch</name>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that the repair puts back as they were installed:

%2

Keep yours (the package&apos;s versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <translation>
            <numerusform>You changed %n file of %1 that the repair puts back as it was installed:

%2

Keep yours (the package&apos;s version goes beside it as &lt;file&gt;%3), take the package&apos;s (yours is kept as &lt;file&gt;%4), or change nothing?</numerusform>
            <numerusform>You changed %n files of %1 that the repair puts back as they were installed:

%2

Keep yours (the package&apos;s versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of %1 that this version replaces:

%2

Keep yours (the package&apos;s new versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</source>
        <extracomment>%1 is the package, %2 the list of files, %3 and %4 the file name endings the package&apos;s and the player&apos;s versions get</extracomment>
        <translation>
            <numerusform>You changed %n file of %1 that this version replaces:

%2

Keep yours (the package&apos;s new version goes beside it as &lt;file&gt;%3), take the package&apos;s (yours is kept as &lt;file&gt;%4), or change nothing?</numerusform>
            <numerusform>You changed %n files of %1 that this version replaces:

%2

Keep yours (the package&apos;s new versions go beside them as &lt;file&gt;%3), take the package&apos;s (yours are kept as &lt;file&gt;%4), or change nothing?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped. Installed %1 of %n package(s).</source>
        <extracomment>%1 is the number of packages installed before the batch was stopped</extracomment>
        <translation>
            <numerusform>Stopped. Installed %1 of %n package.</numerusform>
            <numerusform>Stopped. Installed %1 of %n packages.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Installed %1 of %n package(s).</source>
        <translation>
            <numerusform>Installed %1 of %n package.</numerusform>
            <numerusform>Installed %1 of %n packages.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>InstalledPackages</name>
    <message numerus="yes">
        <source>The records of installed packages were damaged and are kept as %1. New records were started with the %n package(s) that still read whole.</source>
        <extracomment>%1 is the copy the damaged records were kept as</extracomment>
        <translation>
            <numerusform>The records of installed packages were damaged and are kept as %1. New records were started with the %n package that still read whole.</numerusform>
            <numerusform>The records of installed packages were damaged and are kept as %1. New records were started with the %n packages that still read whole.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ListExchange</name>
    <message numerus="yes">
        <source>Wrote %n package(s) to %1.</source>
        <extracomment>%1 is the file</extracomment>
        <translation>
            <numerusform>Wrote %n package to %1.</numerusform>
            <numerusform>Wrote %n packages to %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageInstall</name>
    <message numerus="yes">
        <source>kept your %n changed file(s); the package&apos;s versions are beside them as %1: %2</source>
        <extracomment>%1 is the file name ending the package&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>kept your %n changed file; the package&apos;s versions are beside them as %1: %2</numerusform>
            <numerusform>kept your %n changed files; the package&apos;s versions are beside them as %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) of the old version that you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>kept %n file of the old version that you changed: %1</numerusform>
            <numerusform>kept %n files of the old version that you changed: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>could not remove %n file(s) of the old version: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>could not remove %n file of the old version: %1</numerusform>
            <numerusform>could not remove %n files of the old version: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>kept %n file(s) that were in the folder before aside; uninstalling the package puts them back: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>kept %n file that was in the folder before aside; uninstalling the package puts it back: %1</numerusform>
            <numerusform>kept %n files that were in the folder before aside; uninstalling the package puts them back: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>put back %n file(s) that were in the folder before and that this version no longer replaces: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>put back %n file that was in the folder before and that this version no longer replaces: %1</numerusform>
            <numerusform>put back %n files that were in the folder before and that this version no longer replaces: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>took the package&apos;s versions of %n file(s); yours are kept as %1: %2</source>
        <extracomment>%1 is the file name ending the player&apos;s versions get, %2 the list of files</extracomment>
        <translation>
            <numerusform>took the package&apos;s version of %n file; yours is kept as %1: %2</numerusform>
            <numerusform>took the package&apos;s versions of %n files; yours are kept as %1: %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the archive names %n file(s) more than once in spellings that differ only in case, which the game takes for one file; the last of each was installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>the archive names %n file more than once in spellings that differ only in case, which the game takes for one file; the last of each was installed: %1</numerusform>
            <numerusform>the archive names %n files more than once in spellings that differ only in case, which the game takes for one file; the last of each was installed: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageListFile</name>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... and %n more</numerusform>
            <numerusform>... and %n more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Added %n package(s) to the download list.</source>
        <translation>
            <numerusform>Added %n package to the download list.</numerusform>
            <numerusform>Added %n packages to the download list.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageRemoval</name>
    <message numerus="yes">
        <source>Could not remove %n of the files of %1 from %2; they stay recorded: %3</source>
        <extracomment>%1 is the package, %2 its folder in the game, %3 the files</extracomment>
        <translation>
            <numerusform>Could not remove %n of the files of %1 from %2; they stay recorded: %3</numerusform>
            <numerusform>Could not remove %n of the files of %1 from %2; they stay recorded: %3</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you changed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Kept %n file you changed: %1</numerusform>
            <numerusform>Kept %n files you changed: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) you added: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Kept %n file you added: %1</numerusform>
            <numerusform>Kept %n files you added: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) another package also installed: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Kept %n file another package also installed: %1</numerusform>
            <numerusform>Kept %n files another package also installed: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Kept %n file that was in the folder before the install: %1</numerusform>
            <numerusform>Kept %n files that were in the folder before the install: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Kept %n file(s) of yours that an update set aside: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Kept %n file of yours that an update set aside: %1</numerusform>
            <numerusform>Kept %n files of yours that an update set aside: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Put back %n file that was in the folder before the install: %1</numerusform>
            <numerusform>Put back %n files that were in the folder before the install: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %n file(s) that were in the folder before the install beside your changed ones: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Put back %n file that was in the folder before the install beside your changed one: %1</numerusform>
            <numerusform>Put back %n files that were in the folder before the install beside your changed ones: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; they stay kept: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Could not put back %n file that was in the folder before the install; it stays kept: %1</numerusform>
            <numerusform>Could not put back %n files that were in the folder before the install; they stay kept: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Could not put back %n file(s) that were in the folder before the install; their kept copies are gone: %1</source>
        <extracomment>%1 is the list of files</extracomment>
        <translation>
            <numerusform>Could not put back %n file that was in the folder before the install; its kept copy is gone: %1</numerusform>
            <numerusform>Could not put back %n files that were in the folder before the install; their kept copies are gone: %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackageVerify</name>
    <message numerus="yes">
        <source>All %1 files as installed</source>
        <extracomment>%1 is the number of files</extracomment>
        <translation>
            <numerusform>The %1 file as installed</numerusform>
            <numerusform>All %1 files as installed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 missing</source>
        <comment>files</comment>
        <translation>
            <numerusform>%1 missing</numerusform>
            <numerusform>%1 missing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 changed</source>
        <comment>files</comment>
        <translation>
            <numerusform>%1 changed</numerusform>
            <numerusform>%1 changed</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordRebuild</name>
    <message numerus="yes">
        <source>Found %n installed package(s) again in the game folder; the details are in the log.</source>
        <extracomment>One line on the catalogue page</extracomment>
        <translation>
            <numerusform>Found %n installed package again in the game folder; the details are in the log.</numerusform>
            <numerusform>Found %n installed packages again in the game folder; the details are in the log.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record(s) in the game folder are damaged and were not used; the details are in the log.</source>
        <extracomment>One line on the catalogue page</extracomment>
        <translation>
            <numerusform>%n record in the game folder is damaged and was not used; the details are in the log.</numerusform>
            <numerusform>%n records in the game folder are damaged and were not used; the details are in the log.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Zerun</name>
    <message numerus="yes">
        <source>%n package(s)</source>
        <translation>
            <numerusform>%n package</numerusform>
            <numerusform>%n packages</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · %n line(s) could not be read</source>
        <translation>
            <numerusform> · %n line could not be read</numerusform>
            <numerusform> · %n lines could not be read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · about %n min left</source>
        <translation>
            <numerusform> · about %n min left</numerusform>
            <numerusform> · about %n min left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> · about %n s left</source>
        <translation>
            <numerusform> · about %n s left</numerusform>
            <numerusform> · about %n s left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Verifying: %1 of %n file(s)</source>
        <translation>
            <numerusform>Verifying: %1 of %Ln file</numerusform>
            <numerusform>Verifying: %1 of %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) · %2</source>
        <extracomment>%1 is the number of files unpacked, %2 the file unpacked last</extracomment>
        <translation>
            <numerusform>%1 of %Ln file · %2</numerusform>
            <numerusform>%1 of %Ln files · %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Not downloaded, because an interrupted install or uninstall of it waits for its folder: %1. It is finished at a start of the installer that finds that folder again.</source>
        <extracomment>%1 lists the packages with the folder each waits for</extracomment>
        <translation>
            <numerusform>Not downloaded, because an interrupted install or uninstall of it waits for its folder: %1. It is finished at a start of the installer that finds that folder again.</numerusform>
            <numerusform>Not downloaded, because an interrupted install or uninstall of each waits for its folder: %1. Each is finished at a start of the installer that finds its folder again.</numerusform>
        </translation>
    </message>
</context>
</TS>
