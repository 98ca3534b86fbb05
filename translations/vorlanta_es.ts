<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AlbumGain</name>
    <message>
        <source>Album %1: %2 of %3 jobs did not complete, its results keep track loudness values only</source>
        <translation>Álbum %1: %2 de %3 trabajos no terminaron, sus resultados conservan solo los valores de sonoridad por pista</translation>
    </message>
    <message>
        <source>Album %1 has no measurable loudness, no album values written</source>
        <translation>El álbum %1 no tiene sonoridad medible, no se escribieron valores de álbum</translation>
    </message>
    <message>
        <source>Album %1: album gain %2, peak %3 written to %4 of %5 results</source>
        <translation>Álbum %1: ganancia de álbum %2, pico %3 escritos en %4 de %5 resultados</translation>
    </message>
    <message>
        <source>Album values could not be written to %1, it keeps its track values</source>
        <translation>No se pudieron escribir los valores de álbum en %1, conserva sus valores de pista</translation>
    </message>
</context>
<context>
    <name>BatchProgress</name>
    <message>
        <source>%1/%2 files done, about %3 left</source>
        <translation>%1/%2 archivos terminados, quedan unos %3</translation>
    </message>
    <message>
        <source>%1/%2 files done</source>
        <translation>%1/%2 archivos terminados</translation>
    </message>
</context>
<context>
    <name>BatchReport</name>
    <message>
        <source>Vorlanta: all jobs done</source>
        <translation>Vorlanta: todos los trabajos terminados</translation>
    </message>
</context>
<context>
    <name>BatchSummary</name>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 stopped, %5 not started in %6</source>
        <translation>Convertidos: %1, con error: %2, omitidos: %3, detenidos: %4, sin empezar: %5 en %6</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 stopped in %5</source>
        <translation>Convertidos: %1, con error: %2, omitidos: %3, detenidos: %4 en %5</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped, %4 not started in %5</source>
        <translation>Convertidos: %1, con error: %2, omitidos: %3, sin empezar: %4 en %5</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped in %4</source>
        <translation>Convertidos: %1, con error: %2, omitidos: %3 en %4</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>sin motivo indicado</translation>
    </message>
    <message>
        <source>Failed: %1 — %2 (in %3)</source>
        <translation>Error: %1 — %2 (en %3)</translation>
    </message>
    <message>
        <source>Failed: %1 — %2</source>
        <translation>Error: %1 — %2</translation>
    </message>
    <message>
        <source>Not started: %1</source>
        <translation>Sin empezar: %1</translation>
    </message>
    <message>
        <source>Not searched: %1</source>
        <translation>Sin explorar: %1</translation>
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
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>About Vorlanta</source>
        <translation>Acerca de Vorlanta</translation>
    </message>
    <message>
        <source>Version 1.0</source>
        <translation>Versión 1.0</translation>
    </message>
    <message>
        <source>Vorlanta Help</source>
        <translation>Ayuda de Vorlanta</translation>
    </message>
    <message>
        <source>An MP3 bitrate converter by the Vorlanta developers.</source>
        <translation>Un conversor de tasa de bits MP3 de los desarrolladores de Vorlanta.</translation>
    </message>
</context>
<context>
    <name>CFolderChooser</name>
    <message>
        <source>Browse for Folder</source>
        <translation>Buscar carpeta</translation>
    </message>
    <message>
        <source>The folder:

%1

does not exist. Do you want the folder to be created?</source>
        <translation>La carpeta:

%1

no existe. ¿Desea crearla?</translation>
    </message>
    <message>
        <source>The folder:

%1

is invalid. Please reenter.</source>
        <translation>La carpeta:

%1

no es válida. Vuelva a introducirla.</translation>
    </message>
    <message>
        <source>The folder:

%1

can not be created. Please double check.</source>
        <translation>La carpeta:

%1

no se puede crear. Compruébela.</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Vorlanta Help</source>
        <translation>Ayuda de Vorlanta</translation>
    </message>
    <message>
        <source>&lt;p&gt;The help page &lt;b&gt;%1&lt;/b&gt; was not found.&lt;/p&gt;&lt;p&gt;The help pages belong in the folder &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;No se encontró la página de ayuda &lt;b&gt;%1&lt;/b&gt;.&lt;/p&gt;&lt;p&gt;Las páginas de ayuda deben estar en la carpeta &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CItemPropP</name>
    <message>
        <source>Source File:</source>
        <translation>Origen:</translation>
    </message>
    <message>
        <source>Result File:</source>
        <translation>Resultado:</translation>
    </message>
    <message>
        <source>BitRate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Calidad:</translation>
    </message>
    <message>
        <source>Job Property</source>
        <translation>Propiedades del trabajo</translation>
    </message>
    <message>
        <source>Change Setting of a processing job need restart the job, are you sure to restart this job?</source>
        <translation>Cambiar los ajustes de un trabajo en curso obliga a reiniciarlo. ¿Seguro que desea reiniciar este trabajo?</translation>
    </message>
    <message>
        <source>This job has already finished; its settings were not changed.</source>
        <translation>Este trabajo ya ha terminado; sus ajustes no se han cambiado.</translation>
    </message>
    <message>
        <source>The source file

%1

does not exist or is not a file. The job was not changed.</source>
        <translation>El archivo de origen

%1

no existe o no es un archivo. El trabajo no se ha cambiado.</translation>
    </message>
</context>
<context>
    <name>CItemPropSheet</name>
    <message>
        <source>Job %1: %2</source>
        <translation>Trabajo %1: %2</translation>
    </message>
</context>
<context>
    <name>CJobAddDialog</name>
    <message>
        <source>%1.

Please choose another result file.</source>
        <translation>%1.

Elija otro archivo de resultado.</translation>
    </message>
    <message>
        <source>source</source>
        <translation>origen</translation>
    </message>
    <message>
        <source>result</source>
        <translation>resultado</translation>
    </message>
    <message>
        <source>Source File</source>
        <translation>Origen</translation>
    </message>
    <message>
        <source>Result File</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>Bitrate(Result File)</source>
        <translation>Bitrate (resultado)</translation>
    </message>
    <message>
        <source>Use Same Settings for this batch of files</source>
        <translation>Usar los mismos ajustes para todo este lote</translation>
    </message>
    <message>
        <source>Save as Default Settings</source>
        <translation>Guardar como ajustes predeterminados</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Variable quality:</source>
        <translation>Calidad variable:</translation>
    </message>
    <message>
        <source>Add Job</source>
        <translation>Añadir trabajo</translation>
    </message>
    <message>
        <source>You Must Enter File Name of Result File</source>
        <translation>Debe introducir el nombre del archivo de resultado</translation>
    </message>
    <message>
        <source>Result File must different from Source File!</source>
        <translation>¡El archivo de resultado debe ser distinto del de origen!</translation>
    </message>
    <message>
        <source>File %1 already exist, overwrite it?</source>
        <translation>El archivo %1 ya existe. ¿Desea sobrescribirlo?</translation>
    </message>
    <message>
        <source>The path of the %1 file is longer than %2 bytes:

%3

Please choose a shorter name.</source>
        <translation>La ruta del archivo de %1 tiene más de %2 bytes:

%3

Elija un nombre más corto.</translation>
    </message>
    <message>
        <source>Choose Result File Folder</source>
        <translation>Elegir la carpeta del archivo de resultado</translation>
    </message>
    <message>
        <source>Result file save to ...</source>
        <translation>Guardar el archivo de resultado en ...</translation>
    </message>
    <message>
        <source>The default settings could not be saved.</source>
        <translation>No se pudieron guardar los ajustes predeterminados.</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>ToolBar</source>
        <translation>Barra de herramientas</translation>
    </message>
    <message>
        <source>&amp;Job</source>
        <translation>&amp;Trabajo</translation>
    </message>
    <message>
        <source>&amp;Add	F2</source>
        <translation>&amp;Añadir	F2</translation>
    </message>
    <message>
        <source>Add &amp;Folder...	Ctrl+Shift+O</source>
        <translation>Añadir &amp;carpeta...	Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>&amp;Delete	Del</source>
        <translation>&amp;Eliminar	Del</translation>
    </message>
    <message>
        <source>&amp;Property</source>
        <translation>&amp;Propiedades</translation>
    </message>
    <message>
        <source>&amp;Exit	ALT+F4</source>
        <translation>&amp;Salir	ALT+F4</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>&amp;Customize...</source>
        <translation>&amp;Personalizar...</translation>
    </message>
    <message>
        <source>&amp;Settings	F4</source>
        <translation>&amp;Configuración	F4</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Help Topics	F1</source>
        <translation>&amp;Temas de ayuda	F1</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>Are you sure to exit?</source>
        <translation>¿Seguro que desea salir?</translation>
    </message>
</context>
<context>
    <name>CMyApp</name>
    <message>
        <source>%1: not an audio file this program converts, not added</source>
        <translation>%1: no es un archivo de audio que este programa convierta, no añadido</translation>
    </message>
    <message>
        <source>%1: no such file or folder, not added</source>
        <translation>%1: no existe el archivo o la carpeta, no añadido</translation>
    </message>
    <message>
        <source>%1: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).
Vorlanta is a desktop program and needs a graphical session. To run it
without one, start it under a virtual X server:
    xvfb-run -a %1
or choose a Qt platform plugin explicitly, for example:
    QT_QPA_PLATFORM=offscreen %1
</source>
        <translation>%1: no se encontró ninguna pantalla (no está definido DISPLAY ni WAYLAND_DISPLAY).
Vorlanta es un programa de escritorio y necesita una sesión gráfica. Para
ejecutarlo sin ella, arránquelo en un servidor X virtual:
    xvfb-run -a %1
o elija explícitamente un complemento de plataforma de Qt, por ejemplo:
    QT_QPA_PLATFORM=offscreen %1
</translation>
    </message>
</context>
<context>
    <name>CMyListView</name>
    <message>
        <source>%1: %2, not added</source>
        <translation>%1: %2, no añadido</translation>
    </message>
    <message>
        <source>Are you sure to STOP and DELETE an unfinished job?</source>
        <translation>¿Seguro que desea DETENER y ELIMINAR un trabajo sin terminar?</translation>
    </message>
    <message>
        <source>%1 had finished before it could be stopped; nothing was deleted</source>
        <translation>%1 había terminado antes de poder detenerse; no se eliminó nada</translation>
    </message>
</context>
<context>
    <name>CSettingProp</name>
    <message>
        <source>The folder:

%1

is too long. A default folder may have at most %2 bytes.</source>
        <translation>La carpeta:

%1

es demasiado larga. Una carpeta predeterminada puede tener como máximo %2 bytes.</translation>
    </message>
    <message>
        <source> (best)</source>
        <translation> (mejor)</translation>
    </message>
    <message>
        <source> (smallest)</source>
        <translation> (más pequeño)</translation>
    </message>
    <message>
        <source>Source File Location:</source>
        <translation>Carpeta de los archivos de origen:</translation>
    </message>
    <message>
        <source>Destination File Location</source>
        <translation>Carpeta de los archivos de resultado</translation>
    </message>
    <message>
        <source>Default Destination File Bitrate:</source>
        <translation>Bitrate predeterminado de los resultados:</translation>
    </message>
    <message>
        <source>Simultaneous conversions:</source>
        <translation>Conversiones simultáneas:</translation>
    </message>
    <message>
        <source>With more than one simultaneous conversion, a file of 20 seconds or more is encoded in parts on the cores no other job needs, and the parts are joined into one gapless result.</source>
        <translation>Con más de una conversión simultánea, un archivo de 20 segundos o más se codifica por partes en los núcleos que ningún otro trabajo necesita, y las partes se unen en un resultado sin pausas.</translation>
    </message>
    <message>
        <source>Write loudness tags:</source>
        <translation>Etiquetas de sonoridad:</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Please Choose Folder</source>
        <translation>Elija una carpeta</translation>
    </message>
    <message>
        <source>Skip sources at or below the target bitrate</source>
        <translation>Omitir orígenes con bitrate igual o inferior al de destino</translation>
    </message>
    <message>
        <source>Keep unfinished jobs for the next start</source>
        <translation>Conservar los trabajos sin terminar para el próximo inicio</translation>
    </message>
    <message>
        <source>Encode a long file on every free core</source>
        <translation>Codificar un archivo largo en todos los núcleos libres</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Per track</source>
        <translation>Por pista</translation>
    </message>
    <message>
        <source>Per track and album</source>
        <translation>Por pista y álbum</translation>
    </message>
    <message>
        <source>Constant bitrate</source>
        <translation>Bitrate constante</translation>
    </message>
    <message>
        <source>Variable bitrate</source>
        <translation>Bitrate variable</translation>
    </message>
    <message>
        <source>Average bitrate</source>
        <translation>Bitrate medio</translation>
    </message>
</context>
<context>
    <name>CToolBarCustomizeDlg</name>
    <message>
        <source>Available toolbar buttons:</source>
        <translation>Botones disponibles:</translation>
    </message>
    <message>
        <source>Current toolbar buttons:</source>
        <translation>Botones de la barra:</translation>
    </message>
    <message>
        <source>&amp;Add -&gt;</source>
        <translation>&amp;Añadir -&gt;</translation>
    </message>
    <message>
        <source>&lt;- &amp;Remove</source>
        <translation>&lt;- &amp;Quitar</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Move &amp;Up</source>
        <translation>&amp;Subir</translation>
    </message>
    <message>
        <source>Move &amp;Down</source>
        <translation>&amp;Bajar</translation>
    </message>
    <message>
        <source>Customize Toolbar</source>
        <translation>Personalizar la barra de herramientas</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separador</translation>
    </message>
</context>
<context>
    <name>CliOptions</name>
    <message>
        <source>Usage:</source>
        <translation>Uso:</translation>
    </message>
    <message>
        <source>Converts MP3 files to another bitrate, keeping their ID3 tags, and FLAC,
WAV, AIFF, Ogg Vorbis, Opus, M4A, WMA, APE and WavPack files to MP3 with
their tags and covers. A SOURCE that is a folder stands for every audio
file below it (.mp3 .flac .wav .aiff .ogg .opus .m4a .wma .ape .wv ...).
</source>
        <translation>Convierte archivos MP3 a otra tasa de bits conservando sus etiquetas ID3, y
archivos FLAC, WAV, AIFF, Ogg Vorbis, Opus, M4A, WMA, APE y WavPack a MP3 con
sus etiquetas y portadas. Un SOURCE que es una carpeta representa todos los
archivos de audio que contiene
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
        <translation>  -b, --bitrate=KBPS  tasa de bits de los resultados: 32 40 48 56 64 80 96 112
                   128 160 192 224 256 320 (predeterminada 128)
  -V, --vbr=N      tasa variable con la calidad N de LAME, de 0 (mejor) a 9
  --abr=KBPS       tasa media KBPS, una de las tasas de -b
  --replaygain=track|album
                   escribir etiquetas de sonoridad ReplayGain 2.0; album:
                   también los valores de álbum de los orígenes de una carpeta
  -o, --output=RESULT  el archivo de resultado (un solo SOURCE, un archivo)
  -d, --directory=DIR  poner los resultados en DIR, conservando las subcarpetas
                   de un SOURCE que sea carpeta (predeterminado: junto a cada
                   origen)
  -j, --jobs=N     convertir N archivos a la vez (predeterminado: uno por
                   núcleo)
  --overwrite      reemplazar los resultados que ya existen
  --skip-existing  omitir los orígenes cuyo resultado ya existe
  --skip-lower     omitir los orígenes cuya tasa es igual o inferior a KBPS
                   (con -V, la tasa típica de la calidad: V0 245 ... V2 190
                   ... V9 65)
  --no-split       no codificar nunca un archivo largo en varios núcleos (por
                   omisión se hace con un archivo CBR de 20 s o más cuando
                   quedan menos archivos que N)
  --files-from=FILE  leer más orígenes de FILE, uno por línea
                   (- para la entrada estándar)
  -0, --null       las rutas de FILE terminan en bytes NUL, no en saltos
                   de línea
  -h, --help       mostrar esta ayuda
  --version        mostrar la versión
Los valores siguen a la opción como palabra siguiente o unidos: -b 64, -b64,
--bitrate 64, --bitrate=64. Las opciones sin valor se pueden agrupar (-0h).
</translation>
    </message>
    <message>
        <source>A result is named after its source: TITLE_KBPS.mp3, TITLE_VN.mp3 or
TITLE_AKBPS.mp3. Every result starts with an Info frame for gapless
playback. Ctrl-C stops every
running job and removes its half-written result. The exit status is 0
when no job failed (skipped ones do not count as failed).
</source>
        <translation>Un resultado se nombra según su origen: TITULO_KBPS.mp3, TITULO_VN.mp3 o
TITULO_AKBPS.mp3. Cada resultado empieza con una trama Info para una
reproducción sin pausas. Ctrl-C detiene todos los trabajos en curso y borra
sus resultados a medio escribir. El código de salida es 0 si ningún trabajo
ha fallado (los omitidos no cuentan como fallidos).
</translation>
    </message>
    <message>
        <source>-j &apos;%1&apos; is not a number of conversions from 1 to %2</source>
        <translation>-j &apos;%1&apos; no es un número de conversiones de 1 a %2</translation>
    </message>
    <message>
        <source>-V &apos;%1&apos; is not a quality from 0 to 9</source>
        <translation>-V &apos;%1&apos; no es una calidad de 0 a 9</translation>
    </message>
    <message>
        <source>average bitrate &apos;%1&apos; is not one of %2</source>
        <translation>la tasa media &apos;%1&apos; no es una de %2</translation>
    </message>
    <message>
        <source>bitrate &apos;%1&apos; is not one of %2</source>
        <translation>la tasa de bits &apos;%1&apos; no es una de %2</translation>
    </message>
    <message>
        <source>--replaygain &apos;%1&apos; is neither track nor album</source>
        <translation>--replaygain &apos;%1&apos; no es ni track ni album</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 necesita un valor</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 no admite ningún valor</translation>
    </message>
    <message>
        <source>option &apos;%1&apos; is ambiguous: %2</source>
        <translation>la opción &apos;%1&apos; es ambigua: %2</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción desconocida &apos;%1&apos;</translation>
    </message>
    <message>
        <source>no source file given</source>
        <translation>no se indicó ningún archivo de origen</translation>
    </message>
    <message>
        <source>-o and -d cannot be used together</source>
        <translation>-o y -d no se pueden usar juntos</translation>
    </message>
    <message>
        <source>-o names one result, but there are several sources</source>
        <translation>-o indica un solo resultado, pero hay varios orígenes</translation>
    </message>
    <message>
        <source>--overwrite and --skip-existing cannot be used together</source>
        <translation>--overwrite y --skip-existing no se pueden usar juntos</translation>
    </message>
    <message>
        <source>-o names one result, but the source is a folder</source>
        <translation>-o indica un solo resultado, pero el origen es una carpeta</translation>
    </message>
    <message>
        <source>the log could not be written: %1</source>
        <translation>no se pudo escribir el registro: %1</translation>
    </message>
</context>
<context>
    <name>CliRunner</name>
    <message>
        <source>interrupted, %1 left as it was</source>
        <translation>interrumpido, %1 se dejó como estaba</translation>
    </message>
    <message>
        <source>interrupted, %1 not written</source>
        <translation>interrumpido, %1 no se escribió</translation>
    </message>
    <message>
        <source>interrupted, result left as it was</source>
        <translation>interrumpido, el resultado se dejó como estaba</translation>
    </message>
    <message>
        <source>interrupted, result not written</source>
        <translation>interrumpido, el resultado no se escribió</translation>
    </message>
</context>
<context>
    <name>CommandStrings</name>
    <message>
        <source>Add Job
Add New Job</source>
        <translation>Añadir trabajo
Añadir un trabajo nuevo</translation>
    </message>
    <message>
        <source>Delete Job
Delete</source>
        <translation>Eliminar trabajo
Eliminar</translation>
    </message>
    <message>
        <source>Job Property
Property</source>
        <translation>Propiedades del trabajo
Propiedades</translation>
    </message>
    <message>
        <source>ToolBar Customize
 ToolBar Customize</source>
        <translation>Personalizar la barra de herramientas
Personalizar la barra de herramientas</translation>
    </message>
    <message>
        <source>Delete Job
Delete Job</source>
        <translation>Eliminar trabajo
Eliminar trabajo</translation>
    </message>
    <message>
        <source>System Settings
 System Settings</source>
        <translation>Configuración
Configuración</translation>
    </message>
    <message>
        <source>System Settings
Settings</source>
        <translation>Configuración
Configuración</translation>
    </message>
    <message>
        <source>Add New Job
Add New Job</source>
        <translation>Añadir un trabajo nuevo
Añadir un trabajo nuevo</translation>
    </message>
    <message>
        <source>Add every MP3 file of a folder and its sub-folders
Add Folder</source>
        <translation>Añadir todos los archivos MP3 de una carpeta y sus subcarpetas
Añadir carpeta</translation>
    </message>
    <message>
        <source>About
About</source>
        <translation>Acerca de
Acerca de</translation>
    </message>
    <message>
        <source>Job Property
Job Property</source>
        <translation>Propiedades del trabajo
Propiedades del trabajo</translation>
    </message>
    <message>
        <source>Help Topics
Help Topics</source>
        <translation>Temas de ayuda
Temas de ayuda</translation>
    </message>
    <message>
        <source>Exit
Exit</source>
        <translation>Salir
Salir</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Listo</translation>
    </message>
</context>
<context>
    <name>DecodedSource</name>
    <message>
        <source>it is encrypted (DRM)</source>
        <translation>está cifrado (DRM)</translation>
    </message>
    <message>
        <source>no decoder for it is installed</source>
        <translation>no hay ningún decodificador instalado para él</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>memoria insuficiente</translation>
    </message>
    <message>
        <source>it could not be read</source>
        <translation>no se pudo leer</translation>
    </message>
    <message>
        <source>its header is damaged (%1)</source>
        <translation>su cabecera está dañada (%1)</translation>
    </message>
    <message>
        <source>it holds no audio stream</source>
        <translation>no contiene ningún flujo de audio</translation>
    </message>
    <message>
        <source>its audio codec %1 is not supported</source>
        <translation>su códec de audio %1 no es compatible</translation>
    </message>
    <message>
        <source>no decoder for %1 is installed</source>
        <translation>no hay ningún decodificador para %1 instalado</translation>
    </message>
    <message>
        <source>its %1 stream cannot be decoded: %2</source>
        <translation>su flujo %1 no se puede decodificar: %2</translation>
    </message>
    <message>
        <source>its %1 stream names no sample rate or channels</source>
        <translation>su flujo %1 no indica frecuencia de muestreo ni canales</translation>
    </message>
    <message>
        <source>FFmpeg&apos;s libraries could not be loaded (%1)</source>
        <translation>no se pudieron cargar las bibliotecas de FFmpeg (%1)</translation>
    </message>
</context>
<context>
    <name>EncoderSession</name>
    <message>
        <source>The encoder library %1 found in %2 lacks %3</source>
        <translation>A la biblioteca del codificador %1 encontrada en %2 le falta %3</translation>
    </message>
    <message>
        <source>The encoder library %1 was looked for in %2: %3</source>
        <translation>Se buscó la biblioteca del codificador %1 en %2: %3</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>no encontrada</translation>
    </message>
    <message>
        <source>Init Lame Encoder Error!</source>
        <translation>¡Error al iniciar el codificador LAME!</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 y %2</translation>
    </message>
    <message>
        <source>The encoder lacks %1</source>
        <translation>Al codificador le falta %1</translation>
    </message>
    <message>
        <source>Init Lame Stream Failed in Lame</source>
        <translation>LAME no pudo iniciar el flujo de codificación</translation>
    </message>
</context>
<context>
    <name>FolderScan</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Añadir carpeta</translation>
    </message>
    <message>
        <source>Reading %1
%2 MP3 files found</source>
        <translation>Leyendo %1
%2 archivos MP3 encontrados</translation>
    </message>
</context>
<context>
    <name>JobColumns</name>
    <message>
        <source>Jod ID</source>
        <translation>N.º de trabajo</translation>
    </message>
    <message>
        <source>Job Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Source File</source>
        <translation>Archivo de origen</translation>
    </message>
    <message>
        <source>Dest File</source>
        <translation>Archivo de resultado</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
</context>
<context>
    <name>JobCommands</name>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Añadir carpeta</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Propiedades</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Audio files (%1);;mp3 file (*.mp3);;All files (*)</source>
        <translation>Archivos de audio (%1);;Archivo MP3 (*.mp3);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>The path

%1

is longer than %2 bytes. The file is not added.</source>
        <translation>La ruta

%1

tiene más de %2 bytes. El archivo no se añade.</translation>
    </message>
    <message>
        <source>%1: the path is longer than %2 bytes, not added</source>
        <translation>%1: la ruta tiene más de %2 bytes, no añadido</translation>
    </message>
    <message>
        <source>%1 exists already: kept, its job not added</source>
        <translation>%1 ya existe: se conserva, su trabajo no se añade</translation>
    </message>
    <message>
        <source>No MP3 file was found in

%1</source>
        <translation>No se encontró ningún archivo MP3 en

%1</translation>
    </message>
</context>
<context>
    <name>JobConversion</name>
    <message>
        <source>%1 bytes at byte %2 of %3 are an ID3v2 tag, skipped</source>
        <translation>%1 bytes en el byte %2 de %3 son una etiqueta ID3v2, omitidos</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are an APE tag, skipped</source>
        <translation>%1 bytes en el byte %2 de %3 son una etiqueta APE, omitidos</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are an ID3v1 tag, skipped</source>
        <translation>%1 bytes en el byte %2 de %3 son una etiqueta ID3v1, omitidos</translation>
    </message>
    <message>
        <source>%1 PCM data created, %2 Mp3 data created</source>
        <translation>%1 datos PCM creados, %2 datos MP3 creados</translation>
    </message>
    <message>
        <source>%1 BYTEs Read</source>
        <translation>%1 bytes leídos</translation>
    </message>
    <message>
        <source>%1 BYTEs Write</source>
        <translation>%1 bytes escritos</translation>
    </message>
    <message>
        <source>%1 convert begin</source>
        <translation>%1: comienza la conversión</translation>
    </message>
    <message>
        <source>%1 not converted, nothing written to %2</source>
        <translation>%1 no convertido, no se escribió nada en %2</translation>
    </message>
    <message>
        <source>Source file open failed in file %1</source>
        <translation>No se pudo abrir el archivo de origen %1</translation>
    </message>
    <message>
        <source>%1 File Size is 0, Invalid MP3 File</source>
        <translation>%1: el tamaño del archivo es 0, archivo MP3 no válido</translation>
    </message>
    <message>
        <source>no MPEG audio found</source>
        <translation>no se encontró audio MPEG</translation>
    </message>
    <message>
        <source>%1 is not an MP3 file (%2), not converted</source>
        <translation>%1 no es un archivo MP3 (%2), no convertido</translation>
    </message>
    <message>
        <source>RIFF data</source>
        <translation>datos RIFF</translation>
    </message>
    <message>
        <source>Failed to init lame!</source>
        <translation>¡No se pudo iniciar LAME!</translation>
    </message>
    <message>
        <source>%1: %2 kbit/s cannot be encoded at %3 Hz, resampled to %4 Hz</source>
        <translation>%1: %2 kbit/s no se pueden codificar a %3 Hz, remuestreado a %4 Hz</translation>
    </message>
    <message>
        <source>Dest file create failed in file %1</source>
        <translation>No se pudo crear el archivo de destino %1</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 are not MPEG audio, skipped</source>
        <translation>%1 bytes en el byte %2 de %3 no son audio MPEG, omitidos</translation>
    </message>
    <message>
        <source>Job Stopped by user</source>
        <translation>Trabajo detenido por el usuario</translation>
    </message>
    <message>
        <source>Job restart by user</source>
        <translation>Trabajo reiniciado por el usuario</translation>
    </message>
    <message>
        <source>mono</source>
        <translation>mono</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>estéreo</translation>
    </message>
    <message>
        <source>%1 changes to free-format %2 at byte %3, converted to %4 Hz %5</source>
        <translation>%1 cambia a %2 de formato libre en el byte %3, convertido a %4 Hz %5</translation>
    </message>
    <message>
        <source>%1 changes to %2 at byte %3, converted to %4 Hz %5</source>
        <translation>%1 cambia a %2 en el byte %3, convertido a %4 Hz %5</translation>
    </message>
    <message>
        <source>%1 changes to %2 Hz %3 at byte %4, converted to %5 Hz %6</source>
        <translation>%1 cambia a %2 Hz %3 en el byte %4, convertido a %5 Hz %6</translation>
    </message>
    <message>
        <source>%1 changes to free-format %2 %3 Hz %4 at byte %5, converted to %6 Hz %7</source>
        <translation>%1 cambia a %2 de formato libre %3 Hz %4 en el byte %5, convertido a %6 Hz %7</translation>
    </message>
    <message>
        <source>%1 changes to %2 %3 Hz %4 at byte %5, converted to %6 Hz %7</source>
        <translation>%1 cambia a %2 %3 Hz %4 en el byte %5, convertido a %6 Hz %7</translation>
    </message>
    <message>
        <source>The encoder could not finish the Info frame of %1</source>
        <translation>El codificador no pudo terminar la trama Info de %1</translation>
    </message>
    <message>
        <source>%1 encoded in %2 segments on %3 threads and joined</source>
        <translation>%1 codificado en %2 segmentos en %3 hilos y unido</translation>
    </message>
    <message>
        <source>No MP3 frame could be decoded in file %1, nothing converted</source>
        <translation>No se pudo decodificar ninguna trama MP3 en %1, no se convirtió nada</translation>
    </message>
    <message>
        <source>%1: writing to disk</source>
        <translation>%1: escribiendo en el disco</translation>
    </message>
    <message>
        <source>%1 replaces a file of another owner: %2</source>
        <translation>%1 reemplaza un archivo de otro propietario: %2</translation>
    </message>
    <message>
        <source>%1 Created</source>
        <translation>%1 creado</translation>
    </message>
    <message>
        <source>%1 track gain %2, peak %3</source>
        <translation>%1 ganancia de pista %2, pico %3</translation>
    </message>
    <message>
        <source>%1 has no measurable loudness (silent or shorter than 0.4 s), no loudness tags written</source>
        <translation>%1 no tiene sonoridad medible (silencio o menos de 0,4 s), no se escribieron etiquetas de sonoridad</translation>
    </message>
    <message>
        <source>Dest file write failed in file %1</source>
        <translation>Error al escribir el archivo de destino %1</translation>
    </message>
    <message>
        <source>Encoder failed in file %1, no result written</source>
        <translation>El codificador falló en %1, no se escribió ningún resultado</translation>
    </message>
    <message>
        <source>Source file read failed in file %1, it changed while converting</source>
        <translation>Error al leer el archivo de origen %1, cambió durante la conversión</translation>
    </message>
    <message>
        <source>Memory Not Enough for converting MP3</source>
        <translation>Memoria insuficiente para convertir el MP3</translation>
    </message>
    <message>
        <source>%1 (%2) not converted: %3</source>
        <translation>%1 (%2) no convertido: %3</translation>
    </message>
    <message>
        <source>%1 has %2 channels, mixed down to stereo</source>
        <translation>%1 tiene %2 canales, mezclado a estéreo</translation>
    </message>
    <message>
        <source>%1 is sampled at %2 Hz, resampled to %3 Hz</source>
        <translation>%1 está muestreado a %2 Hz, remuestreado a %3 Hz</translation>
    </message>
    <message>
        <source>%1 bytes at byte %2 of %3 could not be decoded, skipped</source>
        <translation>%1 bytes en el byte %2 de %3 no se pudieron decodificar, omitidos</translation>
    </message>
    <message>
        <source>No audio could be decoded in file %1, nothing converted</source>
        <translation>No se pudo decodificar audio en %1, no se convirtió nada</translation>
    </message>
</context>
<context>
    <name>JobPlanner</name>
    <message>
        <source>Dest folder %1 cannot be created: %2</source>
        <translation>No se puede crear la carpeta de destino %1: %2</translation>
    </message>
    <message>
        <source>the folder cannot be read</source>
        <translation>la carpeta no se puede leer</translation>
    </message>
    <message>
        <source>No audio file found in folder %1</source>
        <translation>No se encontró ningún archivo de audio en la carpeta %1</translation>
    </message>
    <message>
        <source>%1 is the result of %2 in this run: skipped</source>
        <translation>%1 es el resultado de %2 en esta ejecución: omitido</translation>
    </message>
    <message>
        <source>the same file as %1, a source already</source>
        <translation>el mismo archivo que %1, que ya es un origen</translation>
    </message>
    <message>
        <source>%1 is the result of %2 already</source>
        <translation>%1 ya es el resultado de %2</translation>
    </message>
    <message>
        <source>the result would replace the source</source>
        <translation>el resultado reemplazaría el origen</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file name</source>
        <translation>%1 es una carpeta, no un nombre de archivo</translation>
    </message>
    <message>
        <source>%1 exists already: skipped</source>
        <translation>%1 ya existe: omitido</translation>
    </message>
    <message>
        <source>%1 exists already, a link to a missing file</source>
        <translation>%1 ya existe, un enlace a un archivo que falta</translation>
    </message>
    <message>
        <source>%1 exists already</source>
        <translation>%1 ya existe</translation>
    </message>
    <message>
        <source>%1: %2, not converted</source>
        <translation>%1: %2, no convertido</translation>
    </message>
</context>
<context>
    <name>JobPrompts</name>
    <message>
        <source>Yes to all</source>
        <translation>Sí a todo</translation>
    </message>
    <message>
        <source>No to all</source>
        <translation>No a todo</translation>
    </message>
    <message>
        <source>Yes to &amp;all</source>
        <translation>Sí a &amp;todo</translation>
    </message>
    <message>
        <source>No &amp;to all</source>
        <translation>No a t&amp;odo</translation>
    </message>
</context>
<context>
    <name>JobThreads</name>
    <message>
        <source>The encoder library loads now: the waiting jobs start</source>
        <translation>La biblioteca del codificador ya se carga: los trabajos en espera empiezan</translation>
    </message>
    <message>
        <source>%1 could not be loaded, so no further job starts: install LAME (the Debian package libmp3lame0) or reinstall Vorlanta; the waiting jobs start once it loads</source>
        <translation>%1 no se pudo cargar, así que no empieza ningún trabajo más: instale LAME (el paquete de Debian libmp3lame0) o reinstale Vorlanta; los trabajos en espera empezarán en cuanto se cargue</translation>
    </message>
</context>
<context>
    <name>KeptJobs</name>
    <message>
        <source>Resume %1 waiting jobs?</source>
        <translation>¿Reanudar %1 trabajos en espera?</translation>
    </message>
    <message>
        <source>The waiting jobs of the last run could not be read. The file has been kept as

%1</source>
        <translation>No se pudieron leer los trabajos en espera de la última sesión. El archivo se ha conservado como

%1</translation>
    </message>
    <message>
        <source>The waiting jobs of the last run could not be read; the file has been kept as %1</source>
        <translation>No se pudieron leer los trabajos en espera de la última sesión; el archivo se ha conservado como %1</translation>
    </message>
    <message>
        <source>Not resumed: %1 (%2)</source>
        <translation>No reanudado: %1 (%2)</translation>
    </message>
    <message>
        <source>%1: %2; not resumed</source>
        <translation>%1: %2; no reanudado</translation>
    </message>
    <message>
        <source>the result %1 is not named .mp3</source>
        <translation>el resultado %1 no termina en .mp3</translation>
    </message>
    <message>
        <source>the result %1 exists and is not a regular file</source>
        <translation>el resultado %1 existe y no es un archivo normal</translation>
    </message>
    <message>
        <source>the path %1 is longer than %2 bytes</source>
        <translation>la ruta %1 tiene más de %2 bytes</translation>
    </message>
</context>
<context>
    <name>Mp3FolderWalk</name>
    <message>
        <source>Folder %1 skipped: a symbolic link leads back to a folder searched already</source>
        <translation>Carpeta %1 omitida: un enlace simbólico lleva de vuelta a una carpeta ya explorada</translation>
    </message>
    <message>
        <source>Folder %1 skipped: it cannot be read (%2)</source>
        <translation>Carpeta %1 omitida: no se puede leer (%2)</translation>
    </message>
</context>
<context>
    <name>PathList</name>
    <message>
        <source>the list on standard input cannot be read: %1</source>
        <translation>la lista de la entrada estándar no se puede leer: %1</translation>
    </message>
    <message>
        <source>the list %1 cannot be read: %2</source>
        <translation>la lista %1 no se puede leer: %2</translation>
    </message>
</context>
<context>
    <name>ResultFile</name>
    <message>
        <source>its owner (user %1) could not be kept: %2</source>
        <translation>no se pudo conservar su propietario (usuario %1): %2</translation>
    </message>
    <message>
        <source>its owner (user %1, group %2) could not be kept: %3</source>
        <translation>no se pudo conservar su propietario (usuario %1, grupo %2): %3</translation>
    </message>
    <message>
        <source>its group (%1) could not be kept: %2</source>
        <translation>no se pudo conservar su grupo (%1): %2</translation>
    </message>
    <message>
        <source>%1 when its folder was synced; the file is in place, but a crash may still lose it</source>
        <translation>%1 al sincronizar su carpeta; el archivo está en su sitio, pero un fallo aún podría perderlo</translation>
    </message>
</context>
<context>
    <name>SharedLibrary</name>
    <message>
        <source>the library search path</source>
        <translation>la ruta de búsqueda de bibliotecas</translation>
    </message>
</context>
<context>
    <name>SourceBitrate</name>
    <message>
        <source>%1 is %2 kbit/s, not above %3 kbit/s: skipped</source>
        <translation>%1 tiene %2 kbit/s, no más de %3 kbit/s: omitido</translation>
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
        <translation>Es una tubería con nombre (FIFO), no un archivo normal</translation>
    </message>
    <message>
        <source>Is a device, not a regular file</source>
        <translation>Es un dispositivo, no un archivo normal</translation>
    </message>
    <message>
        <source>Is a socket, not a regular file</source>
        <translation>Es un socket, no un archivo normal</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>No es un archivo normal</translation>
    </message>
</context>
<context>
    <name>TagCarryOver</name>
    <message>
        <source>Not Enough Memory when Read ID3 TAG V2</source>
        <translation>Memoria insuficiente al leer la etiqueta ID3v2</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Show this help and exit.</source>
        <translation>Mostrar esta ayuda y salir.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Mostrar la versión y salir.</translation>
    </message>
    <message>
        <source>Keep the settings (config.ini) beside the program
instead of in $XDG_CONFIG_HOME/vorlanta.</source>
        <translation>Guardar la configuración (config.ini) junto al programa
en lugar de en $XDG_CONFIG_HOME/vorlanta.</translation>
    </message>
    <message>
        <source>Converts MP3 files to another bitrate, and FLAC, WAV, AIFF, Ogg, Opus, M4A,
WMA, APE and WavPack files to MP3. The FILEs are added to the job
table as if they had been chosen with Job &gt; Add, FOLDERs as with
Job &gt; Add Folder (every audio file below them).</source>
        <translation>Convierte archivos MP3 a otra tasa de bits, y archivos FLAC, WAV, AIFF, Ogg,
Opus, M4A, WMA, APE y WavPack a MP3. Los FILE se añaden a la tabla de trabajos
como si se hubieran elegido con Trabajo &gt; Añadir, las FOLDER como con
Trabajo &gt; Añadir carpeta (todos los archivos de audio que contienen).</translation>
    </message>
    <message>
        <source>Audio files or folders to add.</source>
        <translation>Archivos de audio o carpetas que añadir.</translation>
    </message>
    <message>
        <source>%1: %2
Try &apos;%1 --help&apos;.
</source>
        <translation>%1: %2
Pruebe &apos;%1 --help&apos;.
</translation>
    </message>
</context>
</TS>
