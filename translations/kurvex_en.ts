<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Chart</name>
    <message>
        <source>Sie ist keine Kurvex-Erfassung: sie enthält keinen vollständigen Datensatz.</source>
        <translation>It is not a Kurvex acquisition: it holds no complete record.</translation>
    </message>
    <message>
        <source>Sie ist keine Kurvex-Erfassung, sondern eine Textdatei.</source>
        <translation>It is not a Kurvex acquisition but a text file.</translation>
    </message>
</context>
<context>
    <name>Csv</name>
    <message>
        <source>Spalte %1</source>
        <translation>Column %1</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Statusleiste</source>
        <translation>Status bar</translation>
    </message>
</context>
<context>
    <name>Intake</name>
    <message>
        <source>Gleitkommaüberlauf</source>
        <translation>Floating point overflow</translation>
    </message>
</context>
<context>
    <name>NumberField</name>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Gleitkommawert</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
</context>
<context>
    <name>Serial</name>
    <message>
        <source>Unbekannter Fehler</source>
        <translation>Unknown error</translation>
    </message>
</context>
</TS>
