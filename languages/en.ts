<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
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
        <source>Installed %1 of %n package(s).</source>
        <translation>
            <numerusform>Installed %1 of %n package.</numerusform>
            <numerusform>Installed %1 of %n packages.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n file(s) · </source>
        <translation>
            <numerusform>%1 of %n file · </numerusform>
            <numerusform>%1 of %n files · </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You changed %n file(s) of </source>
        <translation>
            <numerusform>You changed %n file of </numerusform>
            <numerusform>You changed %n files of </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Verifying: %1 of %n file(s)</source>
        <translation>
            <numerusform>Verifying: %1 of %n file</numerusform>
            <numerusform>Verifying: %1 of %n files</numerusform>
        </translation>
    </message>
</context>
</TS>
