<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Faults check-translations must find: one each, five in all. -->
<TS version="2.1" language="de">
<context>
    <name>Faults</name>
    <message>
        <source>Empty</source>
        <translation></translation>
    </message>
    <message>
        <source>Unfinished</source>
        <translation type="unfinished">Unfertig</translation>
    </message>
    <message>
        <source>File %1 already exist, overwrite it?</source>
        <translation>Die Datei existiert bereits. Überschreiben?</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2 (%3)</translation>
    </message>
    <message>
        <source>&amp;Job</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>Kept %1 and &amp;&amp; as they are</source>
        <translation>%1 und &amp;&amp; bleiben</translation>
    </message>
</context>
</TS>
