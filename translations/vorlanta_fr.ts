<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AlbumGain</name>
    <message>
        <source>Album %1: %2 of %3 jobs did not complete, its results keep track loudness values only</source>
        <translation>Album %1 : %2 tâches sur %3 ne se sont pas terminées, ses résultats ne gardent que les valeurs de sonie par piste</translation>
    </message>
    <message>
        <source>Album %1 has no measurable loudness, no album values written</source>
        <translation>L&apos;album %1 n&apos;a pas de sonie mesurable, aucune valeur d&apos;album écrite</translation>
    </message>
    <message>
        <source>Album %1: album gain %2, peak %3 written to %4 of %5 results</source>
        <translation>Album %1 : gain d&apos;album %2, crête %3 écrits dans %4 résultats sur %5</translation>
    </message>
    <message>
        <source>Album values could not be written to %1, it keeps its track values</source>
        <translation>Les valeurs d&apos;album n&apos;ont pas pu être écrites dans %1, il garde ses valeurs par piste</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message>
        <source>%1/%2 files done, about %3 left</source>
        <translation>%1/%2 fichiers terminés, environ %3 restantes</translation>
    </message>
    <message>
        <source>%1/%2 files done</source>
        <translation>%1/%2 fichiers terminés</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>Vorlanta: all jobs done</source>
        <translation>Vorlanta : toutes les tâches sont terminées</translation>
    </message>
</context>
<context>
    <name>BatchSummary</name>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 stopped, %5 not started in %6</source>
        <translation>Convertis : %1, en échec : %2, ignorés : %3, arrêtés : %4, non démarrés : %5 en %6</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 stopped in %5</source>
        <translation>Convertis : %1, en échec : %2, ignorés : %3, arrêtés : %4 en %5</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 not started in %5</source>
        <translation>Convertis : %1, en échec : %2, ignorés : %3, non démarrés : %4 en %5</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped in %4</source>
        <translation>Convertis : %1, en échec : %2, ignorés : %3 en %4</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>aucune raison donnée</translation>
    </message>
    <message>
        <source>Failed: %1 — %2 (in %3)</source>
        <translation>Échec : %1 — %2 (dans %3)</translation>
    </message>
    <message>
        <source>Failed: %1 — %2</source>
        <translation>Échec : %1 — %2</translation>
    </message>
    <message>
        <source>Not started: %1</source>
        <translation>Non démarré : %1</translation>
    </message>
    <message>
        <source>Not searched: %1</source>
        <translation>Non parcouru : %1</translation>
    </message>
    <message>
        <source>%1 is </source>
        <extracomment>The start of a reason line naming its file (%1) that the summary&apos;s failure line leaves out, its file named at the end instead: &quot;Failed: not an MP3 file (...) - x.mp3&quot;. Only the words that line reads well without: keep just &quot;%1 &quot; where leaving out more would change the meaning.</extracomment>
        <translation>%1 </translation>
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
        <translation>À propos de Vorlanta</translation>
    </message>
    <message>
        <source>Version 1.0</source>
        <translation>Version 1.0</translation>
    </message>
    <message>
        <source>Vorlanta Help</source>
        <translation>Aide de Vorlanta</translation>
    </message>
    <message>
        <source>An MP3 bitrate converter by the Vorlanta developers.</source>
        <translation>Un convertisseur de débit MP3 par les développeurs de Vorlanta.</translation>
    </message>
</context>
<context>
    <name>CFolderChooser</name>
    <message>
        <source>Browse for Folder</source>
        <translation>Choisir un dossier</translation>
    </message>
    <message>
        <source>The folder:

%1

does not exist. Do you want the folder to be created?</source>
        <translation>Le dossier :

%1

n’existe pas. Voulez-vous le créer ?</translation>
    </message>
    <message>
        <source>The folder:

%1

is invalid. Please reenter.</source>
        <translation>Le dossier :

%1

n’est pas valide. Veuillez le saisir à nouveau.</translation>
    </message>
    <message>
        <source>The folder:

%1

can not be created. Please double check.</source>
        <translation>Le dossier :

%1

ne peut pas être créé. Veuillez vérifier.</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Vorlanta Help</source>
        <translation>Aide de Vorlanta</translation>
    </message>
    <message>
        <source>&lt;p&gt;The help page &lt;b&gt;%1&lt;/b&gt; was not found.&lt;/p&gt;&lt;p&gt;The help pages belong in the folder &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;La page d’aide &lt;b&gt;%1&lt;/b&gt; est introuvable.&lt;/p&gt;&lt;p&gt;Les pages d’aide doivent se trouver dans le dossier &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CItemPropP</name>
    <message>
        <source>Source File:</source>
        <translation>Source :</translation>
    </message>
    <message>
        <source>Result File:</source>
        <translation>Résultat :</translation>
    </message>
    <message>
        <source>BitRate:</source>
        <translation>Débit :</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualité :</translation>
    </message>
    <message>
        <source>Job Property</source>
        <translation>Propriétés de la tâche</translation>
    </message>
    <message>
        <source>Change Setting of a processing job need restart the job, are you sure to restart this job?</source>
        <translation>Modifier les réglages d’une tâche en cours oblige à la relancer. Voulez-vous vraiment relancer cette tâche ?</translation>
    </message>
    <message>
        <source>This job has already finished; its settings were not changed.</source>
        <translation>Cette tâche est déjà terminée ; ses réglages n’ont pas été modifiés.</translation>
    </message>
    <message>
        <source>The source file

%1

does not exist or is not a file. The job was not changed.</source>
        <translation>Le fichier source

%1

n’existe pas ou n’est pas un fichier. La tâche n’a pas été modifiée.</translation>
    </message>
</context>
<context>
    <name>CItemPropSheet</name>
    <message>
        <source>Job %1: %2</source>
        <translation>Tâche %1 : %2</translation>
    </message>
</context>
<context>
    <name>CJobAddDialog</name>
    <message>
        <source>%1.

Please choose another result file.</source>
        <translation>%1.

Veuillez choisir un autre fichier résultat.</translation>
    </message>
    <message>
        <source>source</source>
        <translation>source</translation>
    </message>
    <message>
        <source>result</source>
        <translation>résultat</translation>
    </message>
    <message>
        <source>Source File</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Result File</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Bitrate(Result File)</source>
        <translation>Débit (résultat)</translation>
    </message>
    <message>
        <source>Use Same Settings for this batch of files</source>
        <translation>Mêmes réglages pour tout ce lot de fichiers</translation>
    </message>
    <message>
        <source>Save as Default Settings</source>
        <translation>Enregistrer comme réglages par défaut</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Variable quality:</source>
        <translation>Qualité variable :</translation>
    </message>
    <message>
        <source>Add Job</source>
        <translation>Ajouter une tâche</translation>
    </message>
    <message>
        <source>You Must Enter File Name of Result File</source>
        <translation>Vous devez saisir le nom du fichier résultat</translation>
    </message>
    <message>
        <source>Result File must different from Source File!</source>
        <translation>Le fichier résultat doit être différent du fichier source !</translation>
    </message>
    <message>
        <source>File %1 already exist, overwrite it?</source>
        <translation>Le fichier %1 existe déjà. Le remplacer ?</translation>
    </message>
    <message>
        <source>The path of the %1 file is longer than %2 bytes:

%3

Please choose a shorter name.</source>
        <translation>Le chemin du fichier %1 dépasse %2 octets :

%3

Veuillez choisir un nom plus court.</translation>
    </message>
    <message>
        <source>Choose Result File Folder</source>
        <translation>Choisir le dossier du fichier résultat</translation>
    </message>
    <message>
        <source>Result file save to ...</source>
        <translation>Enregistrer le fichier résultat dans ...</translation>
    </message>
    <message>
        <source>The default settings could not be saved.</source>
        <translation>Les réglages par défaut n’ont pas pu être enregistrés.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>ToolBar</source>
        <translation>Barre d’outils</translation>
    </message>
    <message>
        <source>&amp;Job</source>
        <translation>&amp;Tâche</translation>
    </message>
    <message>
        <source>&amp;Add	F2</source>
        <translation>&amp;Ajouter	F2</translation>
    </message>
    <message>
        <source>Add &amp;Folder...	Ctrl+Shift+O</source>
        <translation>Ajouter un &amp;dossier...	Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>&amp;Supprimer	Del</translation>
    </message>
    <message>
        <source>&amp;Property</source>
        <translation>&amp;Propriétés</translation>
    </message>
    <message>
        <source>&amp;Exit	ALT+F4</source>
        <translation>&amp;Quitter	ALT+F4</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Customize...</source>
        <translation>&amp;Personnaliser...</translation>
    </message>
    <message>
        <source>&amp;Settings	F4</source>
        <translation>&amp;Réglages	F4</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>&amp;Help Topics	F1</source>
        <translation>&amp;Rubriques d’aide	F1</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>Are you sure to exit?</source>
        <translation>Voulez-vous vraiment quitter ?</translation>
    </message>
</context>
<context>
    <name>CMyApp</name>
    <message>
        <source>%1: not an audio file this program converts, not added</source>
        <translation>%1 : pas un fichier audio que ce programme convertit, non ajouté</translation>
    </message>
    <message>
        <source>%1: no such file or folder, not added</source>
        <translation>%1 : fichier ou dossier introuvable, non ajouté</translation>
    </message>
    <message>
        <source>%1: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
Vorlanta is a desktop program and needs a graphical session. To run it
without one, start it under a virtual X server:
    xvfb-run -a %1
or choose a Qt platform plugin explicitly, for example:
    QT_QPA_PLATFORM=offscreen %1
</source>
        <translation>%1 : aucun affichage trouvé (ni DISPLAY ni WAYLAND_DISPLAY n’est défini).
Vorlanta est un programme de bureau et a besoin d’une session graphique.
Pour le lancer sans, utilisez un serveur X virtuel :
    xvfb-run -a %1
ou choisissez explicitement un module de plateforme Qt, par exemple :
    QT_QPA_PLATFORM=offscreen %1
</translation>
    </message>
</context>
<context>
    <name>CMyListView</name>
    <message>
        <source>%1: %2, not added</source>
        <translation>%1 : %2, non ajouté</translation>
    </message>
    <message>
        <source>Are you sure to STOP and DELETE an unfinished job?</source>
        <translation>Voulez-vous vraiment ARRÊTER et SUPPRIMER une tâche inachevée ?</translation>
    </message>
    <message>
        <source>%1 had finished before it could be stopped; nothing was deleted</source>
        <translation>%1 était terminé avant de pouvoir être arrêté ; rien n’a été supprimé</translation>
    </message>
</context>
<context>
    <name>CSettingProp</name>
    <message>
        <source>The folder:

%1

is too long. A default folder may have at most %2 bytes.</source>
        <translation>Le dossier :

%1

est trop long. Un dossier par défaut ne peut dépasser %2 octets.</translation>
    </message>
    <message>
        <source> (best)</source>
        <translation> (meilleure)</translation>
    </message>
    <message>
        <source> (smallest)</source>
        <translation> (plus petit)</translation>
    </message>
    <message>
        <source>Source File Location:</source>
        <translation>Dossier des fichiers source :</translation>
    </message>
    <message>
        <source>Destination File Location</source>
        <translation>Dossier des fichiers résultat</translation>
    </message>
    <message>
        <source>Default Destination File Bitrate:</source>
        <translation>Débit par défaut des fichiers résultat :</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>Conversions simultanées :</translation>
    </message>
    <message>
        <source>With more than one simultaneous conversion, a file of 20 seconds or more is encoded in parts on the cores no other job needs, and the parts are joined into one gapless result.</source>
        <translation>Avec plus d’une conversion simultanée, un fichier de 20 secondes ou plus est encodé par morceaux sur les cœurs dont aucune autre tâche n’a besoin, puis les morceaux sont réunis en un résultat sans blanc.</translation>
    </message>
    <message>
        <source>Write loudness tags:</source>
        <translation>Tags de sonie :</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Please Choose Folder</source>
        <translation>Veuillez choisir un dossier</translation>
    </message>
    <message>
        <source>Skip sources at or below the target bitrate</source>
        <translation>Ignorer les sources au débit cible ou en dessous</translation>
    </message>
    <message>
        <source>Keep unfinished jobs for the next start</source>
        <translation>Garder les tâches inachevées pour le prochain lancement</translation>
    </message>
    <message>
        <source>Encode a long file on every free core</source>
        <translation>Encoder un long fichier sur tous les cœurs libres</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>Per track</source>
        <translation>Par piste</translation>
    </message>
    <message>
        <source>Per track and album</source>
        <translation>Par piste et par album</translation>
    </message>
    <message>
        <source>Constant bitrate</source>
        <translation>Débit constant</translation>
    </message>
    <message>
        <source>Variable bitrate</source>
        <translation>Débit variable</translation>
    </message>
    <message>
        <source>Average bitrate</source>
        <translation>Débit moyen</translation>
    </message>
</context>
<context>
    <name>CToolBarCustomizeDlg</name>
    <message>
        <source>Available toolbar buttons:</source>
        <translation>Boutons disponibles :</translation>
    </message>
    <message>
        <source>Current toolbar buttons:</source>
        <translation>Boutons de la barre d’outils :</translation>
    </message>
    <message>
        <source>&amp;Add -&gt;</source>
        <translation>&amp;Ajouter -&gt;</translation>
    </message>
    <message>
        <source>&lt;- &amp;Remove</source>
        <translation>&lt;- &amp;Retirer</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>Vers le &amp;haut</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>Vers le &amp;bas</translation>
    </message>
    <message>
        <source>Customize Toolbar</source>
        <translation>Personnaliser la barre d’outils</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Séparateur</translation>
    </message>
</context>
<context>
    <name>CliOptions</name>
    <message>
        <source>Usage:</source>
        <translation>Utilisation :</translation>
    </message>
    <message>
        <source>Converts MP3 files to another bitrate, keeping their ID3 tags, and FLAC,
WAV, AIFF, Ogg Vorbis, Opus, M4A, WMA, APE and WavPack files to MP3 with
their tags and covers. A SOURCE that is a folder stands for every audio
file below it (.mp3 .flac .wav .aiff .ogg .opus .m4a .wma .ape .wv ...).
</source>
        <translation>Convertit des fichiers MP3 à un autre débit en gardant leurs tags ID3, et des
fichiers FLAC, WAV, AIFF, Ogg Vorbis, Opus, M4A, WMA, APE et WavPack en MP3
avec leurs tags et pochettes. Une SOURCE qui est un dossier désigne chaque
fichier audio qu’il contient (.mp3 .flac .wav .aiff .ogg .opus .m4a .wma
.ape .wv ...).
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
        <translation>  -b, --bitrate=KBPS  débit des résultats : 32 40 48 56 64 80 96 112 128
                   160 192 224 256 320 (par défaut 128)
  -V, --vbr=N      débit variable à la qualité N de LAME, de 0 (meilleure) à 9
  --abr=KBPS       débit moyen KBPS, l’un des débits de -b
  --replaygain=track|album
                   écrire les tags de sonie ReplayGain 2.0 ; album : aussi
                   les valeurs d’album des sources d’un même dossier
  -o, --output=RESULT  le fichier résultat (une seule SOURCE, un fichier)
  -d, --directory=DIR  placer les résultats dans DIR, en gardant les
                   sous-dossiers d’une SOURCE qui est un dossier (par défaut :
                   à côté de chaque source)
  -j, --jobs=N     convertir N fichiers à la fois (par défaut : un par cœur)
  --overwrite      remplacer les résultats qui existent déjà
  --skip-existing  ignorer les sources dont le résultat existe déjà
  --skip-lower     ignorer les sources dont le débit est inférieur ou égal à
                   KBPS (avec -V, le débit typique de la qualité : V0 245
                   ... V2 190 ... V9 65)
  --no-split       ne jamais encoder un long fichier sur plusieurs cœurs (par
                   défaut, c’est le cas d’un fichier CBR de 20 s ou plus
                   quand il reste moins de N fichiers)
  --files-from=FILE  lire d’autres sources dans FILE, une par ligne
                   (- pour l’entrée standard)
  -0, --null       les chemins de FILE finissent par un octet NUL, non par
                   un saut de ligne
  -h, --help       afficher cette aide
  --version        afficher la version
Une valeur suit son option comme mot suivant ou accolée : -b 64, -b64,
--bitrate 64, --bitrate=64. Les options sans valeur peuvent être groupées (-0h).
</translation>
    </message>
    <message>
        <source>A result is named after its source: TITLE_KBPS.mp3, TITLE_VN.mp3 or
TITLE_AKBPS.mp3. Every result starts with an Info frame for gapless
playback. Ctrl-C stops every
running job and removes its half-written result. The exit status is 0
when no job failed (skipped ones do not count as failed).
</source>
        <translation>Un résultat porte le nom de sa source : TITRE_KBPS.mp3, TITRE_VN.mp3 ou
TITRE_AKBPS.mp3. Chaque résultat commence par une trame Info pour une
lecture sans blanc. Ctrl-C arrête toutes les tâches en cours et supprime
leurs résultats à moitié écrits. Le code de sortie est 0 si aucune tâche
n’a échoué (les tâches ignorées ne comptent pas comme échouées).
</translation>
    </message>
    <message>
        <source>-j &apos;%1&apos; is not a number of conversions from 1 to %2</source>
        <translation>-j &apos;%1&apos; n’est pas un nombre de conversions de 1 à %2</translation>
    </message>
    <message>
        <source>-V &apos;%1&apos; is not a quality from 0 to 9</source>
        <translation>-V &apos;%1&apos; n’est pas une qualité de 0 à 9</translation>
    </message>
    <message>
        <source>average bitrate &apos;%1&apos; is not one of %2</source>
        <translation>le débit moyen &apos;%1&apos; n’est pas l’un de %2</translation>
    </message>
    <message>
        <source>bitrate &apos;%1&apos; is not one of %2</source>
        <translation>le débit &apos;%1&apos; n’est pas l’un de %2</translation>
    </message>
    <message>
        <source>--replaygain &apos;%1&apos; is neither track nor album</source>
        <translation>--replaygain &apos;%1&apos; n’est ni track ni album</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 demande une valeur</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 ne prend pas de valeur</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; is ambiguous: %2</source>
        <translation>l’option &apos;%1&apos; est ambiguë : %2</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option inconnue &apos;%1&apos;</translation>
    </message>
    <message>
        <source>no source file given</source>
        <translation>aucun fichier source indiqué</translation>
    </message>
    <message>
        <source>-o and -d cannot be used together</source>
        <translation>-o et -d ne peuvent pas être utilisés ensemble</translation>
    </message>
    <message>
        <source>-o names one result, but there are several sources</source>
        <translation>-o désigne un seul résultat, mais il y a plusieurs sources</translation>
    </message>
    <message>
        <source>--overwrite and --skip-existing cannot be used together</source>
        <translation>--overwrite et --skip-existing ne peuvent pas être utilisés ensemble</translation>
    </message>
    <message>
        <source>-o names one result, but the source is a folder</source>
        <translation>-o désigne un seul résultat, mais la source est un dossier</translation>
    </message>
    <message>
        <source>the log could not be written: %1</source>
        <translation>le journal n’a pas pu être écrit : %1</translation>
    </message>
</context>
<context>
    <name>CliRunner</name>
    <message>
        <source>interrupted, %1 left as it was</source>
        <translation>interrompu, %1 laissé tel quel</translation>
    </message>
    <message>
        <source>interrupted, %1 not written</source>
        <translation>interrompu, %1 non écrit</translation>
    </message>
    <message>
        <source>interrupted, result left as it was</source>
        <translation>interrompu, résultat laissé tel quel</translation>
    </message>
    <message>
        <source>interrupted, result not written</source>
        <translation>interrompu, résultat non écrit</translation>
    </message>
</context>
<context>
    <name>CommandStrings</name>
    <message>
        <source>Add Job
Add New Job</source>
        <translation>Ajouter une tâche
Ajouter une nouvelle tâche</translation>
    </message>
    <message>
        <source>Delete Job
Delete</source>
        <translation>Supprimer la tâche
Supprimer</translation>
    </message>
    <message>
        <source>Job Property
Property</source>
        <translation>Propriétés de la tâche
Propriétés</translation>
    </message>
    <message>
        <source>ToolBar Customize
 ToolBar Customize</source>
        <translation>Personnaliser la barre d’outils
Personnaliser la barre d’outils</translation>
    </message>
    <message>
        <source>Delete Job
Delete Job</source>
        <translation>Supprimer la tâche
Supprimer la tâche</translation>
    </message>
    <message>
        <source>System Settings
 System Settings</source>
        <translation>Réglages
Réglages</translation>
    </message>
    <message>
        <source>System Settings
Settings</source>
        <translation>Réglages
Réglages</translation>
    </message>
    <message>
        <source>Add New Job
Add New Job</source>
        <translation>Ajouter une nouvelle tâche
Ajouter une nouvelle tâche</translation>
    </message>
    <message>
        <source>Add every MP3 file of a folder and its sub-folders
Add Folder</source>
        <translation>Ajouter chaque fichier MP3 d’un dossier et de ses sous-dossiers
Ajouter un dossier</translation>
    </message>
    <message>
        <source>About
About</source>
        <translation>À propos
À propos</translation>
    </message>
    <message>
        <source>Job Property
Job Property</source>
        <translation>Propriétés de la tâche
Propriétés de la tâche</translation>
    </message>
    <message>
        <source>Help Topics
Help Topics</source>
        <translation>Rubriques d’aide
Rubriques d’aide</translation>
    </message>
    <message>
        <source>Exit
Exit</source>
        <translation>Quitter
Quitter</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
</context>
<context>
    <name>DecodedSource</name>
    <message>
        <source>it is encrypted (DRM)</source>
        <translation>il est chiffré (DRM)</translation>
    </message>
    <message>
        <source>no decoder for it is installed</source>
        <translation>aucun décodeur n&apos;est installé pour lui</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>mémoire insuffisante</translation>
    </message>
    <message>
        <source>it could not be read</source>
        <translation>il n&apos;a pas pu être lu</translation>
    </message>
    <message>
        <source>its header is damaged (%1)</source>
        <translation>son en-tête est endommagé (%1)</translation>
    </message>
    <message>
        <source>it holds no audio stream</source>
        <translation>il ne contient aucun flux audio</translation>
    </message>
    <message>
        <source>its audio codec %1 is not supported</source>
        <translation>son codec audio %1 n&apos;est pas pris en charge</translation>
    </message>
    <message>
        <source>no decoder for %1 is installed</source>
        <translation>aucun décodeur pour %1 n&apos;est installé</translation>
    </message>
    <message>
        <source>its %1 stream cannot be decoded: %2</source>
        <translation>son flux %1 ne peut pas être décodé : %2</translation>
    </message>
    <message>
        <source>its %1 stream names no sample rate or channels</source>
        <translation>son flux %1 n&apos;indique ni fréquence d&apos;échantillonnage ni canaux</translation>
    </message>
    <message>
        <source>FFmpeg&apos;s libraries could not be loaded (%1)</source>
        <translation>les bibliothèques de FFmpeg n&apos;ont pas pu être chargées (%1)</translation>
    </message>
</context>
<context>
    <name>EncoderSession</name>
    <message>
        <source>The encoder library %1 found in %2 lacks %3</source>
        <translation>Il manque %3 à la bibliothèque d&apos;encodage %1 trouvée dans %2</translation>
    </message>
    <message>
        <source>The encoder library %1 was looked for in %2: %3</source>
        <translation>La bibliothèque d&apos;encodage %1 a été cherchée dans %2 : %3</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>Init Lame Encoder Error!</source>
        <translation>Erreur à l&apos;initialisation de l&apos;encodeur LAME !</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>The encoder lacks %1</source>
        <translation>Il manque %1 à l&apos;encodeur</translation>
    </message>
    <message>
        <source>Init Lame Stream Failed in Lame</source>
        <translation>LAME n&apos;a pas pu démarrer le flux d&apos;encodage</translation>
    </message>
</context>
<context>
    <name>FolderScan</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>Reading %1
%2 MP3 files found</source>
        <translation>Lecture de %1
%2 fichiers MP3 trouvés</translation>
    </message>
</context>
<context>
    <name>JobColumns</name>
    <message>
        <source>Jod ID</source>
        <translation>N° de tâche</translation>
    </message>
    <message>
        <source>Job Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Source File</source>
        <translation>Fichier source</translation>
    </message>
    <message>
        <source>Dest File</source>
        <translation>Fichier résultat</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Débit</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
</context>
<context>
    <name>JobCommands</name>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Audio files (%1);;mp3 file (*.mp3);;All files (*)</source>
        <translation>Fichiers audio (%1);;Fichier MP3 (*.mp3);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>The path

%1

is longer than %2 bytes. The file is not added.</source>
        <translation>Le chemin

%1

dépasse %2 octets. Le fichier n’est pas ajouté.</translation>
    </message>
    <message>
        <source>%1: the path is longer than %2 bytes, not added</source>
        <translation>%1 : le chemin dépasse %2 octets, non ajouté</translation>
    </message>
    <message>
        <source>%1 exists already: kept, its job not added</source>
        <translation>%1 existe déjà : conservé, sa tâche n’est pas ajoutée</translation>
    </message>
    <message>
        <source>No MP3 file was found in

%1</source>
        <translation>Aucun fichier MP3 n’a été trouvé dans

%1</translation>
    </message>
</context>
<context>
    <name>JobConversion</name>
    <message>
        <source>%1 bytes at byte %2 of %3 are an ID3v2 tag, skipped</source>
        <translation>%1 octets à l&apos;octet %2 de %3 sont une balise ID3v2, ignorés</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are an APE tag, skipped</source>
        <translation>%1 octets à l&apos;octet %2 de %3 sont une balise APE, ignorés</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are an ID3v1 tag, skipped</source>
        <translation>%1 octets à l&apos;octet %2 de %3 sont une balise ID3v1, ignorés</translation>
    </message>
    <message>
        <source>%1 PCM data created, %2 Mp3 data created</source>
        <translation>%1 données PCM créées, %2 données MP3 créées</translation>
    </message>
    <message>
        <source>%1 BYTEs Read</source>
        <translation>%1 octets lus</translation>
    </message>
    <message>
        <source>%1 BYTEs Write</source>
        <translation>%1 octets écrits</translation>
    </message>
    <message>
        <source>%1 convert begin</source>
        <translation>%1 : début de la conversion</translation>
    </message>
    <message>
        <source>%1 not converted, nothing written to %2</source>
        <translation>%1 non converti, rien n&apos;a été écrit dans %2</translation>
    </message>
    <message>
        <source>Source file open failed in file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier source %1</translation>
    </message>
    <message>
        <source>%1 File Size is 0, Invalid MP3 File</source>
        <translation>%1 : taille de fichier 0, fichier MP3 non valide</translation>
    </message>
    <message>
        <source>no MPEG audio found</source>
        <translation>aucun audio MPEG trouvé</translation>
    </message>
    <message>
        <source>%1 is not an MP3 file (%2), not converted</source>
        <translation>%1 n&apos;est pas un fichier MP3 (%2), non converti</translation>
    </message>
    <message>
        <source>RIFF data</source>
        <translation>données RIFF</translation>
    </message>
    <message>
        <source>Failed to init lame!</source>
        <translation>Impossible d&apos;initialiser LAME !</translation>
    </message>
    <message>
        <source>%1: %2 kbit/s cannot be encoded at %3 Hz, resampled to %4 Hz</source>
        <translation>%1 : %2 kbit/s ne peuvent pas être encodés à %3 Hz, rééchantillonné à %4 Hz</translation>
    </message>
    <message>
        <source>Dest file create failed in file %1</source>
        <translation>Impossible de créer le fichier de destination %1</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are not MPEG audio, skipped</source>
        <translation>%1 octets à l&apos;octet %2 de %3 ne sont pas de l&apos;audio MPEG, ignorés</translation>
    </message>
    <message>
        <source>Job Stopped by user</source>
        <translation>Tâche arrêtée par l&apos;utilisateur</translation>
    </message>
    <message>
        <source>Job restart by user</source>
        <translation>Tâche redémarrée par l&apos;utilisateur</translation>
    </message>
    <message>
        <source>mono</source>
        <translation>mono</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>stéréo</translation>
    </message>
    <message>
        <source>%1 changes to free-format %2 at byte %3, converted to %4 Hz %5</source>
        <translation>%1 passe au %2 en format libre à l&apos;octet %3, converti en %4 Hz %5</translation>
    </message>
    <message>
        <source>%1 changes to %2 at byte %3, converted to %4 Hz %5</source>
        <translation>%1 passe au %2 à l&apos;octet %3, converti en %4 Hz %5</translation>
    </message>
    <message>
        <source>%1 changes to %2 Hz %3 at byte %4, converted to %5 Hz %6</source>
        <translation>%1 passe à %2 Hz %3 à l&apos;octet %4, converti en %5 Hz %6</translation>
    </message>
    <message>
        <source>%1 changes to free-format %2 %3 Hz %4 at byte %5, converted to %6 Hz %7</source>
        <translation>%1 passe au %2 en format libre %3 Hz %4 à l&apos;octet %5, converti en %6 Hz %7</translation>
    </message>
    <message>
        <source>%1 changes to %2 %3 Hz %4 at byte %5, converted to %6 Hz %7</source>
        <translation>%1 passe au %2 %3 Hz %4 à l&apos;octet %5, converti en %6 Hz %7</translation>
    </message>
    <message>
        <source>The encoder could not finish the Info frame of %1</source>
        <translation>L&apos;encodeur n&apos;a pas pu terminer la trame Info de %1</translation>
    </message>
    <message>
        <source>%1 encoded in %2 segments on %3 threads and joined</source>
        <translation>%1 encodé en %2 segments sur %3 threads puis assemblé</translation>
    </message>
    <message>
        <source>No MP3 frame could be decoded in file %1, nothing converted</source>
        <translation>Aucune trame MP3 n&apos;a pu être décodée dans %1, rien n&apos;a été converti</translation>
    </message>
    <message>
        <source>%1: writing to disk</source>
        <translation>%1 : écriture sur le disque</translation>
    </message>
    <message>
        <source>%1 replaces a file of another owner: %2</source>
        <translation>%1 remplace un fichier d&apos;un autre propriétaire : %2</translation>
    </message>
    <message>
        <source>%1 Created</source>
        <translation>%1 créé</translation>
    </message>
    <message>
        <source>%1 track gain %2, peak %3</source>
        <translation>%1 gain de piste %2, crête %3</translation>
    </message>
    <message>
        <source>%1 has no measurable loudness (silent or shorter than 0.4 s), no loudness tags written</source>
        <translation>%1 n&apos;a pas de sonie mesurable (silencieux ou plus court que 0,4 s), aucune balise de sonie écrite</translation>
    </message>
    <message>
        <source>Dest file write failed in file %1</source>
        <translation>Échec de l&apos;écriture du fichier de destination %1</translation>
    </message>
    <message>
        <source>Encoder failed in file %1, no result written</source>
        <translation>L&apos;encodeur a échoué sur %1, aucun résultat écrit</translation>
    </message>
    <message>
        <source>Source file read failed in file %1, it changed while converting</source>
        <translation>Échec de la lecture du fichier source %1, il a changé pendant la conversion</translation>
    </message>
    <message>
        <source>Memory Not Enough for converting MP3</source>
        <translation>Mémoire insuffisante pour convertir le MP3</translation>
    </message>
    <message>
        <source>%1 (%2) not converted: %3</source>
        <translation>%1 (%2) non converti : %3</translation>
    </message>
    <message>
        <source>%1 has %2 channels, mixed down to stereo</source>
        <translation>%1 a %2 canaux, mixé en stéréo</translation>
    </message>
    <message>
        <source>%1 is sampled at %2 Hz, resampled to %3 Hz</source>
        <translation>%1 est échantillonné à %2 Hz, rééchantillonné à %3 Hz</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 could not be decoded, skipped</source>
        <translation>%1 octets à l&apos;octet %2 de %3 n&apos;ont pas pu être décodés, ignorés</translation>
    </message>
    <message>
        <source>No audio could be decoded in file %1, nothing converted</source>
        <translation>Aucun audio n&apos;a pu être décodé dans %1, rien n&apos;a été converti</translation>
    </message>
</context>
<context>
    <name>JobPlanner</name>
    <message>
        <source>Dest folder %1 cannot be created: %2</source>
        <translation>Le dossier de destination %1 ne peut pas être créé : %2</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>le dossier ne peut pas être lu</translation>
    </message>
    <message>
        <source>No audio file found in folder %1</source>
        <translation>Aucun fichier audio trouvé dans le dossier %1</translation>
    </message>
    <message>
        <source>%1 is the result of %2 in this run: skipped</source>
        <translation>%1 est le résultat de %2 dans cette exécution : ignoré</translation>
    </message>
    <message>
        <source>the same file as %1, a source already</source>
        <translation>le même fichier que %1, déjà une source</translation>
    </message>
    <message>
        <source>%1 is the result of %2 already</source>
        <translation>%1 est déjà le résultat de %2</translation>
    </message>
    <message>
        <source>the result would replace the source</source>
        <translation>le résultat remplacerait la source</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file name</source>
        <translation>%1 est un dossier, pas un nom de fichier</translation>
    </message>
    <message>
        <source>%1 exists already: skipped</source>
        <translation>%1 existe déjà : ignoré</translation>
    </message>
    <message>
        <source>%1 exists already, a link to a missing file</source>
        <translation>%1 existe déjà, un lien vers un fichier manquant</translation>
    </message>
    <message>
        <source>%1 exists already</source>
        <translation>%1 existe déjà</translation>
    </message>
    <message>
        <source>%1: %2, not converted</source>
        <translation>%1 : %2, non converti</translation>
    </message>
</context>
<context>
    <name>JobPrompts</name>
    <message>
        <source>Yes to all</source>
        <translation>Oui pour tout</translation>
    </message>
    <message>
        <source>No to all</source>
        <translation>Non pour tout</translation>
    </message>
    <message>
        <source>Yes to &amp;all</source>
        <translation>Oui pour &amp;tout</translation>
    </message>
    <message>
        <source>No &amp;to all</source>
        <translation>Non pour to&amp;ut</translation>
    </message>
</context>
<context>
    <name>JobThreads</name>
    <message>
        <source>The encoder library loads now: the waiting jobs start</source>
        <translation>La bibliothèque d&apos;encodage se charge maintenant : les tâches en attente démarrent</translation>
    </message>
    <message>
        <source>%1 could not be loaded, so no further job starts: install LAME (the Debian package libmp3lame0) or reinstall Vorlanta; the waiting jobs start once it loads</source>
        <translation>%1 n&apos;a pas pu être chargée, aucune autre tâche ne démarre donc : installez LAME (le paquet Debian libmp3lame0) ou réinstallez Vorlanta ; les tâches en attente démarreront dès qu&apos;elle se chargera</translation>
    </message>
</context>
<context>
    <name>KeptJobs</name>
    <message>
        <source>Resume %1 waiting jobs?</source>
        <translation>Reprendre les %1 tâches en attente ?</translation>
    </message>
    <message>
        <source>The waiting jobs of the last run could not be read. The file has been kept as

%1</source>
        <translation>Les tâches en attente de la dernière session n’ont pas pu être lues. Le fichier a été conservé sous

%1</translation>
    </message>
    <message>
        <source>The waiting jobs of the last run could not be read; the file has been kept as %1</source>
        <translation>Les tâches en attente de la dernière session n’ont pas pu être lues ; le fichier a été conservé sous %1</translation>
    </message>
    <message>
        <source>Not resumed: %1 (%2)</source>
        <translation>Non reprise : %1 (%2)</translation>
    </message>
    <message>
        <source>%1: %2; not resumed</source>
        <translation>%1 : %2 ; non reprise</translation>
    </message>
    <message>
        <source>the result %1 is not named .mp3</source>
        <translation>le résultat %1 ne se termine pas par .mp3</translation>
    </message>
    <message>
        <source>the result %1 exists and is not a regular file</source>
        <translation>le résultat %1 existe et n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the path %1 is longer than %2 bytes</source>
        <translation>le chemin %1 dépasse %2 octets</translation>
    </message>
</context>
<context>
    <name>Mp3FolderWalk</name>
    <message>
        <source>Folder %1 skipped: a symbolic link leads back to a folder searched already</source>
        <translation>Dossier %1 ignoré : un lien symbolique ramène à un dossier déjà parcouru</translation>
    </message>
    <message>
        <source>Folder %1 skipped: it cannot be read (%2)</source>
        <translation>Dossier %1 ignoré : il ne peut pas être lu (%2)</translation>
    </message>
</context>
<context>
    <name>PathList</name>
    <message>
        <source>the list on standard input cannot be read: %1</source>
        <translation>la liste sur l&apos;entrée standard ne peut pas être lue : %1</translation>
    </message>
    <message>
        <source>the list %1 cannot be read: %2</source>
        <translation>la liste %1 ne peut pas être lue : %2</translation>
    </message>
</context>
<context>
    <name>ResultFile</name>
    <message>
        <source>its owner (user %1) could not be kept: %2</source>
        <translation>son propriétaire (utilisateur %1) n&apos;a pas pu être conservé : %2</translation>
    </message>
    <message>
        <source>its owner (user %1, group %2) could not be kept: %3</source>
        <translation>son propriétaire (utilisateur %1, groupe %2) n&apos;a pas pu être conservé : %3</translation>
    </message>
    <message>
        <source>its group (%1) could not be kept: %2</source>
        <translation>son groupe (%1) n&apos;a pas pu être conservé : %2</translation>
    </message>
    <message>
        <source>%1 when its folder was synced; the file is in place, but a crash may still lose it</source>
        <translation>%1 lors de la synchronisation de son dossier ; le fichier est en place, mais un plantage peut encore le faire perdre</translation>
    </message>
</context>
<context>
    <name>SharedLibrary</name>
    <message>
        <source>the library search path</source>
        <translation>le chemin de recherche des bibliothèques</translation>
    </message>
</context>
<context>
    <name>SourceBitrate</name>
    <message>
        <source>%1 is %2 kbit/s, not above %3 kbit/s: skipped</source>
        <translation>%1 est à %2 kbit/s, pas au-dessus de %3 kbit/s : ignoré</translation>
    </message>
</context>
<context>
    <name>SourceFormats</name>
    <message>
        <source>FLAC audio</source>
        <translation>audio FLAC</translation>
    </message>
    <message>
        <source>WAVE audio</source>
        <translation>audio WAVE</translation>
    </message>
    <message>
        <source>RF64 audio</source>
        <translation>audio RF64</translation>
    </message>
    <message>
        <source>BW64 audio</source>
        <translation>audio BW64</translation>
    </message>
    <message>
        <source>Wave64 audio</source>
        <translation>audio Wave64</translation>
    </message>
    <message>
        <source>AIFF audio</source>
        <translation>audio AIFF</translation>
    </message>
    <message>
        <source>Ogg audio</source>
        <translation>audio Ogg</translation>
    </message>
    <message>
        <source>MP4/M4A audio</source>
        <translation>audio MP4/M4A</translation>
    </message>
    <message>
        <source>WMA audio</source>
        <translation>audio WMA</translation>
    </message>
    <message>
        <source>Monkey&apos;s Audio</source>
        <translation>Monkey&apos;s Audio</translation>
    </message>
    <message>
        <source>WavPack audio</source>
        <translation>audio WavPack</translation>
    </message>
</context>
<context>
    <name>SystemReason</name>
    <message>
        <source>Is a named pipe (FIFO), not a regular file</source>
        <translation>Est un tube nommé (FIFO), pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Is a device, not a regular file</source>
        <translation>Est un périphérique, pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Is a socket, not a regular file</source>
        <translation>Est un socket, pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Pas un fichier ordinaire</translation>
    </message>
</context>
<context>
    <name>TagCarryOver</name>
    <message>
        <source>Not Enough Memory when Read ID3 TAG V2</source>
        <translation>Mémoire insuffisante pour lire la balise ID3v2</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
    <message>
        <source>Keep the settings (config.ini) beside the program
instead of in $XDG_CONFIG_HOME/vorlanta.</source>
        <translation>Garder les réglages (config.ini) à côté du programme
au lieu de $XDG_CONFIG_HOME/vorlanta.</translation>
    </message>
    <message>
        <source>Converts MP3 files to another bitrate, and FLAC, WAV, AIFF, Ogg, Opus, M4A,
WMA, APE and WavPack files to MP3. The FILEs are added to the job
table as if they had been chosen with Job &gt; Add, FOLDERs as with
Job &gt; Add Folder (every audio file below them).</source>
        <translation>Convertit des fichiers MP3 à un autre débit, et des fichiers FLAC, WAV, AIFF,
Ogg, Opus, M4A, WMA, APE et WavPack en MP3. Les FILE sont ajoutés au tableau
des tâches comme s’ils avaient été choisis avec Tâche &gt; Ajouter, les FOLDER
comme avec Tâche &gt; Ajouter un dossier (chaque fichier audio qu’ils contiennent).</translation>
    </message>
    <message>
        <source>Audio files or folders to add.</source>
        <translation>Fichiers audio ou dossiers à ajouter.</translation>
    </message>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos;.
</source>
        <translation>%1 : %2
Essayez « %1 --help ».
</translation>
    </message>
</context>
</TS>
