<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AlbumGain</name>
    <message>
        <source>Album %1: %2 of %3 jobs did not complete, its results keep track loudness values only</source>
        <translation>Album %1: %2 von %3 Aufträgen wurden nicht abgeschlossen, seine Ergebnisse behalten nur die Lautheitswerte der Titel</translation>
    </message>
    <message>
        <source>Album %1 has no measurable loudness, no album values written</source>
        <translation>Album %1 hat keine messbare Lautheit, keine Albumwerte geschrieben</translation>
    </message>
    <message>
        <source>Album %1: album gain %2, peak %3 written to %4 of %5 results</source>
        <translation>Album %1: Albumverstärkung %2, Spitze %3 in %4 von %5 Ergebnisse geschrieben</translation>
    </message>
    <message>
        <source>Album values could not be written to %1, it keeps its track values</source>
        <translation>Albumwerte konnten nicht in %1 geschrieben werden, die Datei behält ihre Titelwerte</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message>
        <source>%1/%2 files done, about %3 left</source>
        <translation>%1/%2 Dateien fertig, noch etwa %3</translation>
    </message>
    <message>
        <source>%1/%2 files done</source>
        <translation>%1/%2 Dateien fertig</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>Vorlanta: all jobs done</source>
        <translation>Vorlanta: alle Aufträge erledigt</translation>
    </message>
</context>
<context>
    <name>BatchSummary</name>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 stopped, %5 not started in %6</source>
        <translation>%1 konvertiert, %2 fehlgeschlagen, %3 übersprungen, %4 gestoppt, %5 nicht begonnen in %6</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 stopped in %5</source>
        <translation>%1 konvertiert, %2 fehlgeschlagen, %3 übersprungen, %4 gestoppt in %5</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 not started in %5</source>
        <translation>%1 konvertiert, %2 fehlgeschlagen, %3 übersprungen, %4 nicht begonnen in %5</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped in %4</source>
        <translation>%1 konvertiert, %2 fehlgeschlagen, %3 übersprungen in %4</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>kein Grund angegeben</translation>
    </message>
    <message>
        <source>Failed: %1 — %2 (in %3)</source>
        <translation>Fehlgeschlagen: %1 — %2 (in %3)</translation>
    </message>
    <message>
        <source>Failed: %1 — %2</source>
        <translation>Fehlgeschlagen: %1 — %2</translation>
    </message>
    <message>
        <source>Not started: %1</source>
        <translation>Nicht begonnen: %1</translation>
    </message>
    <message>
        <source>Not searched: %1</source>
        <translation>Nicht durchsucht: %1</translation>
    </message>
    <message>
        <source>%1 is </source>
        <extracomment>The start of a reason line naming its file (%1) that the summary&apos;s failure line leaves out, its file named at the end instead: &quot;Failed: not an MP3 file (...) - x.mp3&quot;. Only the words that line reads well without: keep just &quot;%1 &quot; where leaving out more would change the meaning.</extracomment>
        <translation>%1 ist </translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>About Vorlanta</source>
        <translation>Über Vorlanta</translation>
    </message>
    <message>
        <source>Version 1.0</source>
        <translation>Version 1.0</translation>
    </message>
    <message>
        <source>Vorlanta Help</source>
        <translation>Vorlanta-Hilfe</translation>
    </message>
    <message>
        <source>An MP3 bitrate converter by the Vorlanta developers.</source>
        <translation>Ein MP3-Bitraten-Konverter der Vorlanta-Entwickler.</translation>
    </message>
</context>
<context>
    <name>CFolderChooser</name>
    <message>
        <source>Browse for Folder</source>
        <translation>Ordner suchen</translation>
    </message>
    <message>
        <source>The folder:

%1

does not exist. Do you want the folder to be created?</source>
        <translation>Der Ordner

%1

existiert nicht. Soll er angelegt werden?</translation>
    </message>
    <message>
        <source>The folder:

%1

is invalid. Please reenter.</source>
        <translation>Der Ordner

%1

ist ungültig. Bitte geben Sie ihn neu ein.</translation>
    </message>
    <message>
        <source>The folder:

%1

can not be created. Please double check.</source>
        <translation>Der Ordner

%1

kann nicht angelegt werden. Bitte prüfen Sie die Angabe.</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Vorlanta Help</source>
        <translation>Vorlanta-Hilfe</translation>
    </message>
    <message>
        <source>&lt;p&gt;The help page &lt;b&gt;%1&lt;/b&gt; was not found.&lt;/p&gt;&lt;p&gt;The help pages belong in the folder &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Hilfeseite &lt;b&gt;%1&lt;/b&gt; wurde nicht gefunden.&lt;/p&gt;&lt;p&gt;Die Hilfeseiten gehören in den Ordner &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CItemPropP</name>
    <message>
        <source>Source File:</source>
        <translation>Quelle:</translation>
    </message>
    <message>
        <source>Result File:</source>
        <translation>Ergebnis:</translation>
    </message>
    <message>
        <source>BitRate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualität:</translation>
    </message>
    <message>
        <source>Job Property</source>
        <translation>Auftragseigenschaften</translation>
    </message>
    <message>
        <source>Change Setting of a processing job need restart the job, are you sure to restart this job?</source>
        <translation>Wenn Sie die Einstellungen eines laufenden Auftrags ändern, muss er neu gestartet werden. Soll der Auftrag wirklich neu gestartet werden?</translation>
    </message>
    <message>
        <source>This job has already finished; its settings were not changed.</source>
        <translation>Dieser Auftrag ist bereits abgeschlossen; seine Einstellungen wurden nicht geändert.</translation>
    </message>
    <message>
        <source>The source file

%1

does not exist or is not a file. The job was not changed.</source>
        <translation>Die Quelldatei

%1

existiert nicht oder ist keine Datei. Der Auftrag wurde nicht geändert.</translation>
    </message>
</context>
<context>
    <name>CItemPropSheet</name>
    <message>
        <source>Job %1: %2</source>
        <translation>Auftrag %1: %2</translation>
    </message>
</context>
<context>
    <name>CJobAddDialog</name>
    <message>
        <source>%1.

Please choose another result file.</source>
        <translation>%1.

Bitte wählen Sie eine andere Ergebnisdatei.</translation>
    </message>
    <message>
        <source>source</source>
        <translation>Quell</translation>
    </message>
    <message>
        <source>result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Source File</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Result File</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Bitrate(Result File)</source>
        <translation>Bitrate (Ergebnis)</translation>
    </message>
    <message>
        <source>Use Same Settings for this batch of files</source>
        <translation>Gleiche Einstellungen für alle Dateien dieses Stapels</translation>
    </message>
    <message>
        <source>Save as Default Settings</source>
        <translation>Als Standardeinstellungen speichern</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Variable quality:</source>
        <translation>Variable Qualität:</translation>
    </message>
    <message>
        <source>Add Job</source>
        <translation>Auftrag hinzufügen</translation>
    </message>
    <message>
        <source>You Must Enter File Name of Result File</source>
        <translation>Bitte geben Sie den Namen der Ergebnisdatei ein.</translation>
    </message>
    <message>
        <source>Result File must different from Source File!</source>
        <translation>Die Ergebnisdatei muss sich von der Quelldatei unterscheiden!</translation>
    </message>
    <message>
        <source>File %1 already exist, overwrite it?</source>
        <translation>Die Datei %1 existiert bereits. Überschreiben?</translation>
    </message>
    <message>
        <source>The path of the %1 file is longer than %2 bytes:

%3

Please choose a shorter name.</source>
        <translation>Der Pfad der %1datei ist länger als %2 Bytes:

%3

Bitte wählen Sie einen kürzeren Namen.</translation>
    </message>
    <message>
        <source>Choose Result File Folder</source>
        <translation>Ordner der Ergebnisdatei wählen</translation>
    </message>
    <message>
        <source>Result file save to ...</source>
        <translation>Ergebnisdatei speichern in ...</translation>
    </message>
    <message>
        <source>The default settings could not be saved.</source>
        <translation>Die Standardeinstellungen konnten nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>ToolBar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>&amp;Job</source>
        <translation>&amp;Auftrag</translation>
    </message>
    <message>
        <source>&amp;Add	F2</source>
        <translation>&amp;Hinzufügen	F2</translation>
    </message>
    <message>
        <source>Add &amp;Folder...	Ctrl+Shift+O</source>
        <translation>&amp;Ordner hinzufügen...	Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>&amp;Löschen	Del</translation>
    </message>
    <message>
        <source>&amp;Property</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <source>&amp;Exit	ALT+F4</source>
        <translation>&amp;Beenden	ALT+F4</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>A&amp;nsicht</translation>
    </message>
    <message>
        <source>&amp;Customize...</source>
        <translation>&amp;Anpassen...</translation>
    </message>
    <message>
        <source>&amp;Settings	F4</source>
        <translation>&amp;Einstellungen	F4</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help Topics	F1</source>
        <translation>&amp;Hilfethemen	F1</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Are you sure to exit?</source>
        <translation>Wirklich beenden?</translation>
    </message>
</context>
<context>
    <name>CMyApp</name>
    <message>
        <source>%1: not an audio file this program converts, not added</source>
        <translation>%1: keine Audiodatei, die dieses Programm umwandelt, nicht hinzugefügt</translation>
    </message>
    <message>
        <source>%1: no such file or folder, not added</source>
        <translation>%1: Datei oder Ordner nicht vorhanden, nicht hinzugefügt</translation>
    </message>
    <message>
        <source>%1: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
Vorlanta is a desktop program and needs a graphical session. To run it
without one, start it under a virtual X server:
    xvfb-run -a %1
or choose a Qt platform plugin explicitly, for example:
    QT_QPA_PLATFORM=offscreen %1
</source>
        <translation>%1: keine Anzeige gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).
Vorlanta ist ein Desktop-Programm und braucht eine grafische Sitzung. Um es
ohne eine solche zu starten, verwenden Sie einen virtuellen X-Server:
    xvfb-run -a %1
oder wählen Sie ausdrücklich ein Qt-Plattform-Plugin, zum Beispiel:
    QT_QPA_PLATFORM=offscreen %1
</translation>
    </message>
</context>
<context>
    <name>CMyListView</name>
    <message>
        <source>%1: %2, not added</source>
        <translation>%1: %2, nicht hinzugefügt</translation>
    </message>
    <message>
        <source>Are you sure to STOP and DELETE an unfinished job?</source>
        <translation>Soll ein unfertiger Auftrag wirklich ANGEHALTEN und GELÖSCHT werden?</translation>
    </message>
    <message>
        <source>%1 had finished before it could be stopped; nothing was deleted</source>
        <translation>%1 war fertig, bevor er angehalten werden konnte; nichts wurde gelöscht</translation>
    </message>
</context>
<context>
    <name>CSettingProp</name>
    <message>
        <source>The folder:

%1

is too long. A default folder may have at most %2 bytes.</source>
        <translation>Der Ordner

%1

ist zu lang. Ein Standardordner darf höchstens %2 Bytes lang sein.</translation>
    </message>
    <message>
        <source> (best)</source>
        <translation> (beste)</translation>
    </message>
    <message>
        <source> (smallest)</source>
        <translation> (kleinste)</translation>
    </message>
    <message>
        <source>Source File Location:</source>
        <translation>Ordner der Quelldateien:</translation>
    </message>
    <message>
        <source>Destination File Location</source>
        <translation>Ordner der Ergebnisdateien</translation>
    </message>
    <message>
        <source>Default Destination File Bitrate:</source>
        <translation>Standard-Bitrate der Ergebnisdateien:</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>Gleichzeitige Umwandlungen:</translation>
    </message>
    <message>
        <source>With more than one simultaneous conversion, a file of 20 seconds or more is encoded in parts on the cores no other job needs, and the parts are joined into one gapless result.</source>
        <translation>Bei mehr als einer gleichzeitigen Umwandlung wird eine Datei ab 20 Sekunden in Teilen auf den Kernen kodiert, die kein anderer Auftrag braucht, und die Teile werden zu einem lückenlosen Ergebnis zusammengefügt.</translation>
    </message>
    <message>
        <source>Write loudness tags:</source>
        <translation>Lautheits-Tags:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Please Choose Folder</source>
        <translation>Bitte wählen Sie einen Ordner</translation>
    </message>
    <message>
        <source>Skip sources at or below the target bitrate</source>
        <translation>Quellen mit höchstens der Ziel-Bitrate überspringen</translation>
    </message>
    <message>
        <source>Keep unfinished jobs for the next start</source>
        <translation>Unfertige Aufträge für den nächsten Start aufbewahren</translation>
    </message>
    <message>
        <source>Encode a long file on every free core</source>
        <translation>Lange Dateien auf allen freien Kernen kodieren</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Per track</source>
        <translation>Je Titel</translation>
    </message>
    <message>
        <source>Per track and album</source>
        <translation>Je Titel und Album</translation>
    </message>
    <message>
        <source>Constant bitrate</source>
        <translation>Konstante Bitrate</translation>
    </message>
    <message>
        <source>Variable bitrate</source>
        <translation>Variable Bitrate</translation>
    </message>
    <message>
        <source>Average bitrate</source>
        <translation>Durchschnittliche Bitrate</translation>
    </message>
</context>
<context>
    <name>CToolBarCustomizeDlg</name>
    <message>
        <source>Available toolbar buttons:</source>
        <translation>Verfügbare Schaltflächen:</translation>
    </message>
    <message>
        <source>Current toolbar buttons:</source>
        <translation>Aktuelle Schaltflächen:</translation>
    </message>
    <message>
        <source>&amp;Add -&gt;</source>
        <translation>Hin&amp;zufügen -&gt;</translation>
    </message>
    <message>
        <source>&lt;- &amp;Remove</source>
        <translation>&lt;- &amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Nach &amp;unten</translation>
    </message>
    <message>
        <source>Customize Toolbar</source>
        <translation>Symbolleiste anpassen</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennlinie</translation>
    </message>
</context>
<context>
    <name>CliOptions</name>
    <message>
        <source>Usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>Converts MP3 files to another bitrate, keeping their ID3 tags, and FLAC,
WAV, AIFF, Ogg Vorbis, Opus, M4A, WMA, APE and WavPack files to MP3 with
their tags and covers. A SOURCE that is a folder stands for every audio
file below it (.mp3 .flac .wav .aiff .ogg .opus .m4a .wma .ape .wv ...).
</source>
        <translation>Wandelt MP3-Dateien in eine andere Bitrate um und behält ihre ID3-Tags, und
wandelt FLAC-, WAV-, AIFF-, Ogg-Vorbis-, Opus-, M4A-, WMA-, APE- und
WavPack-Dateien mit ihren Tags und Covern in MP3 um. Eine SOURCE, die ein
Ordner ist, steht für jede Audiodatei darunter
(.mp3 .flac .wav .aiff .ogg .opus .m4a .wma .ape .wv ...).
</translation>
    </message>
    <message>
        <source>  -b, --bitrate=KBPS  bitrate of the results: 32 40 48 56 64 80 96 112 128
                   160 192 224 256 320 (default 128)
  -V, --vbr=N      variable bitrate at LAME&apos;s quality N, 0 (best) to 9
  --abr=KBPS       average bitrate KBPS, one of the rates of -b
  --replaygain=track|album
                   write ReplayGain 2.0 loudness tags; album: also the
                   album values of the sources that share a folder
  -o, --output=RESULT  the result file (only with one SOURCE file)
  -d, --directory=DIR  put the results in DIR, keeping the sub-folders of a
                   SOURCE folder (default: beside each source)
  -j, --jobs=N     convert N files at once (default: one a processor core)
  --overwrite      replace results that exist already
  --skip-existing  skip sources whose result exists already
  --skip-lower     skip sources whose bitrate is at or below KBPS (with -V,
                   the quality&apos;s typical rate: V0 245 ... V2 190 ... V9 65)
  --no-split       never encode one long file on several cores (by default
                   a CBR file of 20 s or more is, when fewer files than N are left)
  --files-from=FILE  read further sources from FILE, one a line
                   (- for standard input)
  -0, --null       the paths in FILE end in NUL bytes, not newlines
  -h, --help       show this help
  --version        show the version
Values follow an option as the next word or attached: -b 64, -b64,
--bitrate 64, --bitrate=64. Options without a value may be grouped (-0h).
</source>
        <translation>  -b, --bitrate=KBPS  Bitrate der Ergebnisse: 32 40 48 56 64 80 96 112 128
                   160 192 224 256 320 (Vorgabe 128)
  -V, --vbr=N      variable Bitrate mit LAMEs Qualität N, 0 (beste) bis 9
  --abr=KBPS       durchschnittliche Bitrate KBPS, eine der Raten von -b
  --replaygain=track|album
                   ReplayGain-2.0-Lautheits-Tags schreiben; album: auch die
                   Albumwerte der Quellen, die einen Ordner teilen
  -o, --output=RESULT  die Ergebnisdatei (nur mit einer SOURCE-Datei)
  -d, --directory=DIR  die Ergebnisse in DIR ablegen, mit den Unterordnern
                   eines SOURCE-Ordners (Vorgabe: neben jeder Quelle)
  -j, --jobs=N     N Dateien gleichzeitig umwandeln (Vorgabe: eine je
                   Prozessorkern)
  --overwrite      vorhandene Ergebnisse ersetzen
  --skip-existing  Quellen überspringen, deren Ergebnis schon vorhanden ist
  --skip-lower     Quellen überspringen, deren Bitrate höchstens KBPS ist
                   (mit -V die typische Rate der Qualität: V0 245 ... V2 190
                   ... V9 65)
  --no-split       eine lange Datei nie auf mehreren Kernen kodieren (sonst
                   geschieht das mit einer CBR-Datei ab 20 s, wenn weniger
                   Dateien als N übrig sind)
  --files-from=FILE  weitere Quellen aus FILE lesen, eine je Zeile
                   (- für die Standardeingabe)
  -0, --null       die Pfade in FILE enden mit NUL-Bytes statt Zeilenumbrüchen
  -h, --help       diese Hilfe zeigen
  --version        die Version zeigen
Werte folgen einer Option als nächstes Wort oder direkt angehängt: -b 64,
-b64, --bitrate 64, --bitrate=64. Optionen ohne Wert lassen sich bündeln (-0h).
</translation>
    </message>
    <message>
        <source>A result is named after its source: TITLE_KBPS.mp3, TITLE_VN.mp3 or
TITLE_AKBPS.mp3. Every result starts with an Info frame for gapless
playback. Ctrl-C stops every
running job and removes its half-written result. The exit status is 0
when no job failed (skipped ones do not count as failed).
</source>
        <translation>Ein Ergebnis wird nach seiner Quelle benannt: TITEL_KBPS.mp3, TITEL_VN.mp3
oder TITEL_AKBPS.mp3. Jedes Ergebnis beginnt mit einem Info-Frame für
lückenlose Wiedergabe. Strg-C hält jeden laufenden Auftrag an und entfernt
sein halb geschriebenes Ergebnis. Der Rückgabewert ist 0, wenn kein Auftrag
fehlgeschlagen ist (übersprungene zählen nicht als fehlgeschlagen).
</translation>
    </message>
    <message>
        <source>-j &apos;%1&apos; is not a number of conversions from 1 to %2</source>
        <translation>-j &apos;%1&apos; ist keine Anzahl von Umwandlungen von 1 bis %2</translation>
    </message>
    <message>
        <source>-V &apos;%1&apos; is not a quality from 0 to 9</source>
        <translation>-V &apos;%1&apos; ist keine Qualität von 0 bis 9</translation>
    </message>
    <message>
        <source>average bitrate &apos;%1&apos; is not one of %2</source>
        <translation>die durchschnittliche Bitrate &apos;%1&apos; ist keine von %2</translation>
    </message>
    <message>
        <source>bitrate &apos;%1&apos; is not one of %2</source>
        <translation>die Bitrate &apos;%1&apos; ist keine von %2</translation>
    </message>
    <message>
        <source>--replaygain &apos;%1&apos; is neither track nor album</source>
        <translation>--replaygain &apos;%1&apos; ist weder track noch album</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; is ambiguous: %2</source>
        <translation>die Option &apos;%1&apos; ist mehrdeutig: %2</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>no source file given</source>
        <translation>keine Quelldatei angegeben</translation>
    </message>
    <message>
        <source>-o and -d cannot be used together</source>
        <translation>-o und -d lassen sich nicht zusammen verwenden</translation>
    </message>
    <message>
        <source>-o names one result, but there are several sources</source>
        <translation>-o nennt ein Ergebnis, aber es gibt mehrere Quellen</translation>
    </message>
    <message>
        <source>--overwrite and --skip-existing cannot be used together</source>
        <translation>--overwrite und --skip-existing lassen sich nicht zusammen verwenden</translation>
    </message>
    <message>
        <source>-o names one result, but the source is a folder</source>
        <translation>-o nennt ein Ergebnis, aber die Quelle ist ein Ordner</translation>
    </message>
    <message>
        <source>the log could not be written: %1</source>
        <translation>das Protokoll konnte nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>CliRunner</name>
    <message>
        <source>interrupted, %1 left as it was</source>
        <translation>unterbrochen, %1 blieb unverändert</translation>
    </message>
    <message>
        <source>interrupted, %1 not written</source>
        <translation>unterbrochen, %1 nicht geschrieben</translation>
    </message>
    <message>
        <source>interrupted, result left as it was</source>
        <translation>unterbrochen, Ergebnis blieb unverändert</translation>
    </message>
    <message>
        <source>interrupted, result not written</source>
        <translation>unterbrochen, Ergebnis nicht geschrieben</translation>
    </message>
</context>
<context>
    <name>CommandStrings</name>
    <message>
        <source>Add Job
Add New Job</source>
        <translation>Auftrag hinzufügen
Neuen Auftrag hinzufügen</translation>
    </message>
    <message>
        <source>Delete Job
Delete</source>
        <translation>Auftrag löschen
Löschen</translation>
    </message>
    <message>
        <source>Job Property
Property</source>
        <translation>Auftragseigenschaften
Eigenschaften</translation>
    </message>
    <message>
        <source>ToolBar Customize
 ToolBar Customize</source>
        <translation>Symbolleiste anpassen
Symbolleiste anpassen</translation>
    </message>
    <message>
        <source>Delete Job
Delete Job</source>
        <translation>Auftrag löschen
Auftrag löschen</translation>
    </message>
    <message>
        <source>System Settings
 System Settings</source>
        <translation>Einstellungen
Einstellungen</translation>
    </message>
    <message>
        <source>System Settings
Settings</source>
        <translation>Einstellungen
Einstellungen</translation>
    </message>
    <message>
        <source>Add New Job
Add New Job</source>
        <translation>Neuen Auftrag hinzufügen
Neuen Auftrag hinzufügen</translation>
    </message>
    <message>
        <source>Add every MP3 file of a folder and its sub-folders
Add Folder</source>
        <translation>Jede MP3-Datei eines Ordners und seiner Unterordner hinzufügen
Ordner hinzufügen</translation>
    </message>
    <message>
        <source>About
About</source>
        <translation>Über
Über</translation>
    </message>
    <message>
        <source>Job Property
Job Property</source>
        <translation>Auftragseigenschaften
Auftragseigenschaften</translation>
    </message>
    <message>
        <source>Help Topics
Help Topics</source>
        <translation>Hilfethemen
Hilfethemen</translation>
    </message>
    <message>
        <source>Exit
Exit</source>
        <translation>Beenden
Beenden</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
</context>
<context>
    <name>DecodedSource</name>
    <message>
        <source>it is encrypted (DRM)</source>
        <translation>die Datei ist verschlüsselt (DRM)</translation>
    </message>
    <message>
        <source>no decoder for it is installed</source>
        <translation>kein Decoder dafür installiert</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>nicht genug Arbeitsspeicher</translation>
    </message>
    <message>
        <source>it could not be read</source>
        <translation>die Datei konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>its header is damaged (%1)</source>
        <translation>ihr Dateikopf ist beschädigt (%1)</translation>
    </message>
    <message>
        <source>it holds no audio stream</source>
        <translation>die Datei enthält keinen Audiostrom</translation>
    </message>
    <message>
        <source>its audio codec %1 is not supported</source>
        <translation>ihr Audio-Codec %1 wird nicht unterstützt</translation>
    </message>
    <message>
        <source>no decoder for %1 is installed</source>
        <translation>kein Decoder für %1 installiert</translation>
    </message>
    <message>
        <source>its %1 stream cannot be decoded: %2</source>
        <translation>ihr %1-Strom kann nicht dekodiert werden: %2</translation>
    </message>
    <message>
        <source>its %1 stream names no sample rate or channels</source>
        <translation>ihr %1-Strom nennt weder Abtastrate noch Kanäle</translation>
    </message>
    <message>
        <source>FFmpeg&apos;s libraries could not be loaded (%1)</source>
        <translation>die Bibliotheken von FFmpeg konnten nicht geladen werden (%1)</translation>
    </message>
</context>
<context>
    <name>EncoderSession</name>
    <message>
        <source>The encoder library %1 found in %2 lacks %3</source>
        <translation>Der Encoder-Bibliothek %1 in %2 fehlt %3</translation>
    </message>
    <message>
        <source>The encoder library %1 was looked for in %2: %3</source>
        <translation>Die Encoder-Bibliothek %1 wurde in %2 gesucht: %3</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>Init Lame Encoder Error!</source>
        <translation>Fehler beim Starten des LAME-Encoders!</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>The encoder lacks %1</source>
        <translation>Dem Encoder fehlt %1</translation>
    </message>
    <message>
        <source>Init Lame Stream Failed in Lame</source>
        <translation>LAME konnte den Encoder-Strom nicht starten</translation>
    </message>
</context>
<context>
    <name>FolderScan</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Reading %1
%2 MP3 files found</source>
        <translation>Lese %1
%2 MP3-Dateien gefunden</translation>
    </message>
</context>
<context>
    <name>JobColumns</name>
    <message>
        <source>Jod ID</source>
        <translation>Auftrags-ID</translation>
    </message>
    <message>
        <source>Job Type</source>
        <translation>Auftragsart</translation>
    </message>
    <message>
        <source>Source File</source>
        <translation>Quelldatei</translation>
    </message>
    <message>
        <source>Dest File</source>
        <translation>Zieldatei</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>JobCommands</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Audio files (%1);;mp3 file (*.mp3);;All files (*)</source>
        <translation>Audiodateien (%1);;MP3-Datei (*.mp3);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>The path

%1

is longer than %2 bytes. The file is not added.</source>
        <translation>Der Pfad

%1

ist länger als %2 Bytes. Die Datei wird nicht hinzugefügt.</translation>
    </message>
    <message>
        <source>%1: the path is longer than %2 bytes, not added</source>
        <translation>%1: der Pfad ist länger als %2 Bytes, nicht hinzugefügt</translation>
    </message>
    <message>
        <source>%1 exists already: kept, its job not added</source>
        <translation>%1 ist bereits vorhanden: behalten, sein Auftrag nicht hinzugefügt</translation>
    </message>
    <message>
        <source>No MP3 file was found in

%1</source>
        <translation>In

%1

wurde keine MP3-Datei gefunden.</translation>
    </message>
</context>
<context>
    <name>JobConversion</name>
    <message>
        <source>%1 bytes at byte %2 of %3 are an ID3v2 tag, skipped</source>
        <translation>%1 Bytes ab Byte %2 von %3 sind ein ID3v2-Tag, übersprungen</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are an APE tag, skipped</source>
        <translation>%1 Bytes ab Byte %2 von %3 sind ein APE-Tag, übersprungen</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are an ID3v1 tag, skipped</source>
        <translation>%1 Bytes ab Byte %2 von %3 sind ein ID3v1-Tag, übersprungen</translation>
    </message>
    <message>
        <source>%1 PCM data created, %2 Mp3 data created</source>
        <translation>%1 PCM-Daten erzeugt, %2 MP3-Daten erzeugt</translation>
    </message>
    <message>
        <source>%1 BYTEs Read</source>
        <translation>%1 Bytes gelesen</translation>
    </message>
    <message>
        <source>%1 BYTEs Write</source>
        <translation>%1 Bytes geschrieben</translation>
    </message>
    <message>
        <source>%1 convert begin</source>
        <translation>%1: Konvertierung beginnt</translation>
    </message>
    <message>
        <source>%1 not converted, nothing written to %2</source>
        <translation>%1 nicht konvertiert, nichts in %2 geschrieben</translation>
    </message>
    <message>
        <source>Source file open failed in file %1</source>
        <translation>Quelldatei %1 konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1 File Size is 0, Invalid MP3 File</source>
        <translation>%1: Dateigröße ist 0, ungültige MP3-Datei</translation>
    </message>
    <message>
        <source>no MPEG audio found</source>
        <translation>kein MPEG-Audio gefunden</translation>
    </message>
    <message>
        <source>%1 is not an MP3 file (%2), not converted</source>
        <translation>%1 ist keine MP3-Datei (%2), nicht konvertiert</translation>
    </message>
    <message>
        <source>RIFF data</source>
        <translation>RIFF-Daten</translation>
    </message>
    <message>
        <source>Failed to init lame!</source>
        <translation>LAME konnte nicht gestartet werden!</translation>
    </message>
    <message>
        <source>%1: %2 kbit/s cannot be encoded at %3 Hz, resampled to %4 Hz</source>
        <translation>%1: %2 kbit/s lassen sich bei %3 Hz nicht kodieren, auf %4 Hz umgetastet</translation>
    </message>
    <message>
        <source>Dest file create failed in file %1</source>
        <translation>Zieldatei %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are not MPEG audio, skipped</source>
        <translation>%1 Bytes ab Byte %2 von %3 sind kein MPEG-Audio, übersprungen</translation>
    </message>
    <message>
        <source>Job Stopped by user</source>
        <translation>Auftrag vom Benutzer gestoppt</translation>
    </message>
    <message>
        <source>Job restart by user</source>
        <translation>Auftrag vom Benutzer neu gestartet</translation>
    </message>
    <message>
        <source>mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>%1 changes to free-format %2 at byte %3, converted to %4 Hz %5</source>
        <translation>%1 wechselt ab Byte %3 zu %2 im freien Format, konvertiert zu %4 Hz %5</translation>
    </message>
    <message>
        <source>%1 changes to %2 at byte %3, converted to %4 Hz %5</source>
        <translation>%1 wechselt ab Byte %3 zu %2, konvertiert zu %4 Hz %5</translation>
    </message>
    <message>
        <source>%1 changes to %2 Hz %3 at byte %4, converted to %5 Hz %6</source>
        <translation>%1 wechselt ab Byte %4 zu %2 Hz %3, konvertiert zu %5 Hz %6</translation>
    </message>
    <message>
        <source>%1 changes to free-format %2 %3 Hz %4 at byte %5, converted to %6 Hz %7</source>
        <translation>%1 wechselt ab Byte %5 zu %2 im freien Format mit %3 Hz %4, konvertiert zu %6 Hz %7</translation>
    </message>
    <message>
        <source>%1 changes to %2 %3 Hz %4 at byte %5, converted to %6 Hz %7</source>
        <translation>%1 wechselt ab Byte %5 zu %2 mit %3 Hz %4, konvertiert zu %6 Hz %7</translation>
    </message>
    <message>
        <source>The encoder could not finish the Info frame of %1</source>
        <translation>Der Encoder konnte den Info-Frame von %1 nicht fertigstellen</translation>
    </message>
    <message>
        <source>%1 encoded in %2 segments on %3 threads and joined</source>
        <translation>%1 in %2 Abschnitten auf %3 Threads kodiert und zusammengefügt</translation>
    </message>
    <message>
        <source>No MP3 frame could be decoded in file %1, nothing converted</source>
        <translation>In %1 konnte kein MP3-Frame dekodiert werden, nichts konvertiert</translation>
    </message>
    <message>
        <source>%1: writing to disk</source>
        <translation>%1: wird auf die Platte geschrieben</translation>
    </message>
    <message>
        <source>%1 replaces a file of another owner: %2</source>
        <translation>%1 ersetzt eine Datei eines anderen Besitzers: %2</translation>
    </message>
    <message>
        <source>%1 Created</source>
        <translation>%1 erstellt</translation>
    </message>
    <message>
        <source>%1 track gain %2, peak %3</source>
        <translation>%1 Titelverstärkung %2, Spitze %3</translation>
    </message>
    <message>
        <source>%1 has no measurable loudness (silent or shorter than 0.4 s), no loudness tags written</source>
        <translation>%1 hat keine messbare Lautheit (still oder kürzer als 0,4 s), keine Lautheits-Tags geschrieben</translation>
    </message>
    <message>
        <source>Dest file write failed in file %1</source>
        <translation>Schreiben in die Zieldatei %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>Encoder failed in file %1, no result written</source>
        <translation>Encoder bei %1 fehlgeschlagen, kein Ergebnis geschrieben</translation>
    </message>
    <message>
        <source>Source file read failed in file %1, it changed while converting</source>
        <translation>Lesen der Quelldatei %1 fehlgeschlagen, sie hat sich während der Konvertierung geändert</translation>
    </message>
    <message>
        <source>Memory Not Enough for converting MP3</source>
        <translation>Nicht genug Arbeitsspeicher, um die MP3 zu konvertieren</translation>
    </message>
    <message>
        <source>%1 (%2) not converted: %3</source>
        <translation>%1 (%2) nicht konvertiert: %3</translation>
    </message>
    <message>
        <source>%1 has %2 channels, mixed down to stereo</source>
        <translation>%1 hat %2 Kanäle, auf Stereo heruntergemischt</translation>
    </message>
    <message>
        <source>%1 is sampled at %2 Hz, resampled to %3 Hz</source>
        <translation>%1 ist mit %2 Hz abgetastet, auf %3 Hz umgetastet</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 could not be decoded, skipped</source>
        <translation>%1 Bytes ab Byte %2 von %3 konnten nicht dekodiert werden, übersprungen</translation>
    </message>
    <message>
        <source>No audio could be decoded in file %1, nothing converted</source>
        <translation>In %1 konnte kein Audio dekodiert werden, nichts konvertiert</translation>
    </message>
</context>
<context>
    <name>JobPlanner</name>
    <message>
        <source>Dest folder %1 cannot be created: %2</source>
        <translation>Zielordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>der Ordner kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>No audio file found in folder %1</source>
        <translation>Keine Audiodatei im Ordner %1 gefunden</translation>
    </message>
    <message>
        <source>%1 is the result of %2 in this run: skipped</source>
        <translation>%1 ist in diesem Lauf das Ergebnis von %2: übersprungen</translation>
    </message>
    <message>
        <source>the same file as %1, a source already</source>
        <translation>dieselbe Datei wie %1, schon eine Quelle</translation>
    </message>
    <message>
        <source>%1 is the result of %2 already</source>
        <translation>%1 ist schon das Ergebnis von %2</translation>
    </message>
    <message>
        <source>the result would replace the source</source>
        <translation>das Ergebnis würde die Quelle ersetzen</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file name</source>
        <translation>%1 ist ein Ordner, kein Dateiname</translation>
    </message>
    <message>
        <source>%1 exists already: skipped</source>
        <translation>%1 existiert bereits: übersprungen</translation>
    </message>
    <message>
        <source>%1 exists already, a link to a missing file</source>
        <translation>%1 existiert bereits, eine Verknüpfung auf eine fehlende Datei</translation>
    </message>
    <message>
        <source>%1 exists already</source>
        <translation>%1 existiert bereits</translation>
    </message>
    <message>
        <source>%1: %2, not converted</source>
        <translation>%1: %2, nicht konvertiert</translation>
    </message>
</context>
<context>
    <name>JobPrompts</name>
    <message>
        <source>Yes to all</source>
        <translation>Ja, alle</translation>
    </message>
    <message>
        <source>No to all</source>
        <translation>Nein, keine</translation>
    </message>
    <message>
        <source>Yes to &amp;all</source>
        <translation>Ja, &amp;alle</translation>
    </message>
    <message>
        <source>No &amp;to all</source>
        <translation>Nein, &amp;keine</translation>
    </message>
</context>
<context>
    <name>JobThreads</name>
    <message>
        <source>The encoder library loads now: the waiting jobs start</source>
        <translation>Die Encoder-Bibliothek lässt sich jetzt laden: Die wartenden Aufträge beginnen</translation>
    </message>
    <message>
        <source>%1 could not be loaded, so no further job starts: install LAME (the Debian package libmp3lame0) or reinstall Vorlanta; the waiting jobs start once it loads</source>
        <translation>%1 konnte nicht geladen werden, daher beginnt kein weiterer Auftrag: Installieren Sie LAME (das Debian-Paket libmp3lame0) oder installieren Sie Vorlanta neu; die wartenden Aufträge beginnen, sobald sie sich laden lässt</translation>
    </message>
</context>
<context>
    <name>KeptJobs</name>
    <message>
        <source>Resume %1 waiting jobs?</source>
        <translation>%1 wartende Aufträge fortsetzen?</translation>
    </message>
    <message>
        <source>The waiting jobs of the last run could not be read. The file has been kept as

%1</source>
        <translation>Die wartenden Aufträge des letzten Laufs konnten nicht gelesen werden. Die Datei wurde aufbewahrt als

%1</translation>
    </message>
    <message>
        <source>The waiting jobs of the last run could not be read; the file has been kept as %1</source>
        <translation>Die wartenden Aufträge des letzten Laufs konnten nicht gelesen werden; die Datei wurde aufbewahrt als %1</translation>
    </message>
    <message>
        <source>Not resumed: %1 (%2)</source>
        <translation>Nicht fortgesetzt: %1 (%2)</translation>
    </message>
    <message>
        <source>%1: %2; not resumed</source>
        <translation>%1: %2; nicht fortgesetzt</translation>
    </message>
    <message>
        <source>the result %1 is not named .mp3</source>
        <translation>das Ergebnis %1 endet nicht auf .mp3</translation>
    </message>
    <message>
        <source>the result %1 exists and is not a regular file</source>
        <translation>das Ergebnis %1 existiert und ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the path %1 is longer than %2 bytes</source>
        <translation>der Pfad %1 ist länger als %2 Bytes</translation>
    </message>
</context>
<context>
    <name>Mp3FolderWalk</name>
    <message>
        <source>Folder %1 skipped: a symbolic link leads back to a folder searched already</source>
        <translation>Ordner %1 übersprungen: Eine symbolische Verknüpfung führt zurück zu einem schon durchsuchten Ordner</translation>
    </message>
    <message>
        <source>Folder %1 skipped: it cannot be read (%2)</source>
        <translation>Ordner %1 übersprungen: Er kann nicht gelesen werden (%2)</translation>
    </message>
</context>
<context>
    <name>PathList</name>
    <message>
        <source>the list on standard input cannot be read: %1</source>
        <translation>die Liste auf der Standardeingabe kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>the list %1 cannot be read: %2</source>
        <translation>die Liste %1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>ResultFile</name>
    <message>
        <source>its owner (user %1) could not be kept: %2</source>
        <translation>ihr Besitzer (Benutzer %1) konnte nicht beibehalten werden: %2</translation>
    </message>
    <message>
        <source>its owner (user %1, group %2) could not be kept: %3</source>
        <translation>ihr Besitzer (Benutzer %1, Gruppe %2) konnte nicht beibehalten werden: %3</translation>
    </message>
    <message>
        <source>its group (%1) could not be kept: %2</source>
        <translation>ihre Gruppe (%1) konnte nicht beibehalten werden: %2</translation>
    </message>
    <message>
        <source>%1 when its folder was synced; the file is in place, but a crash may still lose it</source>
        <translation>%1 beim Synchronisieren ihres Ordners; die Datei ist an ihrem Platz, kann bei einem Absturz aber noch verloren gehen</translation>
    </message>
</context>
<context>
    <name>SharedLibrary</name>
    <message>
        <source>the library search path</source>
        <translation>dem Suchpfad für Bibliotheken</translation>
    </message>
</context>
<context>
    <name>SourceBitrate</name>
    <message>
        <source>%1 is %2 kbit/s, not above %3 kbit/s: skipped</source>
        <translation>%1 hat %2 kbit/s, nicht mehr als %3 kbit/s: übersprungen</translation>
    </message>
</context>
<context>
    <name>SourceFormats</name>
    <message>
        <source>FLAC audio</source>
        <translation>FLAC-Audio</translation>
    </message>
    <message>
        <source>WAVE audio</source>
        <translation>WAVE-Audio</translation>
    </message>
    <message>
        <source>RF64 audio</source>
        <translation>RF64-Audio</translation>
    </message>
    <message>
        <source>BW64 audio</source>
        <translation>BW64-Audio</translation>
    </message>
    <message>
        <source>Wave64 audio</source>
        <translation>Wave64-Audio</translation>
    </message>
    <message>
        <source>AIFF audio</source>
        <translation>AIFF-Audio</translation>
    </message>
    <message>
        <source>Ogg audio</source>
        <translation>Ogg-Audio</translation>
    </message>
    <message>
        <source>MP4/M4A audio</source>
        <translation>MP4/M4A-Audio</translation>
    </message>
    <message>
        <source>WMA audio</source>
        <translation>WMA-Audio</translation>
    </message>
    <message>
        <source>Monkey&apos;s Audio</source>
        <translation>Monkey&apos;s Audio</translation>
    </message>
    <message>
        <source>WavPack audio</source>
        <translation>WavPack-Audio</translation>
    </message>
</context>
<context>
    <name>SystemReason</name>
    <message>
        <source>Is a named pipe (FIFO), not a regular file</source>
        <translation>Ist eine benannte Pipe (FIFO), keine reguläre Datei</translation>
    </message>
    <message>
        <source>Is a device, not a regular file</source>
        <translation>Ist ein Gerät, keine reguläre Datei</translation>
    </message>
    <message>
        <source>Is a socket, not a regular file</source>
        <translation>Ist ein Socket, keine reguläre Datei</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
</context>
<context>
    <name>TagCarryOver</name>
    <message>
        <source>Not Enough Memory when Read ID3 TAG V2</source>
        <translation>Nicht genug Arbeitsspeicher beim Lesen des ID3v2-Tags</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version zeigen und beenden.</translation>
    </message>
    <message>
        <source>Keep the settings (config.ini) beside the program
instead of in $XDG_CONFIG_HOME/vorlanta.</source>
        <translation>Die Einstellungen (config.ini) neben dem Programm
statt in $XDG_CONFIG_HOME/vorlanta aufbewahren.</translation>
    </message>
    <message>
        <source>Converts MP3 files to another bitrate, and FLAC, WAV, AIFF, Ogg, Opus, M4A,
WMA, APE and WavPack files to MP3. The FILEs are added to the job
table as if they had been chosen with Job &gt; Add, FOLDERs as with
Job &gt; Add Folder (every audio file below them).</source>
        <translation>Wandelt MP3-Dateien in eine andere Bitrate und FLAC-, WAV-, AIFF-, Ogg-, Opus-,
M4A-, WMA-, APE- und WavPack-Dateien in MP3 um. Die FILEs kommen in die
Auftragstabelle, als wären sie mit Auftrag &gt; Hinzufügen gewählt, FOLDERs
wie mit Auftrag &gt; Ordner hinzufügen (jede Audiodatei darunter).</translation>
    </message>
    <message>
        <source>Audio files or folders to add.</source>
        <translation>Hinzuzufügende Audiodateien oder Ordner.</translation>
    </message>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos;.
</source>
        <translation>%1: %2
&apos;%1 --help&apos; zeigt die Hilfe.
</translation>
    </message>
</context>
</TS>
