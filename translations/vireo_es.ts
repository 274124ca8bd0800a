<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AppDelegate</name>
    <message>
        <source>Show Vireo</source>
        <translation>Mostrar Vireo</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>ArgumentBuilder</name>
    <message>
        <source>AAC files cannot hold tags or cover art</source>
        <translation>Los archivos AAC no pueden contener etiquetas ni carátula</translation>
    </message>
    <message>
        <source>WAV files cannot hold cover art</source>
        <translation>Los archivos WAV no pueden contener carátula</translation>
    </message>
    <message>
        <source>WMA files cannot hold cover art</source>
        <translation>Los archivos WMA no pueden contener carátula</translation>
    </message>
    <message>
        <source>capped for %1×%2</source>
        <translation>limitado para %1×%2</translation>
    </message>
    <message>
        <source>capped by the source&apos;s %1k</source>
        <translation>limitado a los %1k del original</translation>
    </message>
    <message>
        <source>video bitrate %1k, %2 (%3k asked)</source>
        <translation>tasa de bits de vídeo %1k, %2 (%3k pedidos)</translation>
    </message>
</context>
<context>
    <name>BatchPanel</name>
    <message>
        <source>Trim output</source>
        <translation>Recortar la salida</translation>
    </message>
    <message>
        <source>Keep only the range between Start and End in the converted file.</source>
        <translation>Conservar solo el intervalo entre Inicio y Fin en el archivo convertido.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>HH:MM:SS or seconds (e.g. 90 or 00:01:30). Leave a field blank to skip it.</source>
        <translation>HH:MM:SS o segundos (p. ej. 90 o 00:01:30). Un campo vacío no se tiene en cuenta.</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Escalar</translation>
    </message>
</context>
<context>
    <name>BatchSettings</name>
    <message>
        <source>&quot;%1&quot; is not a time: use seconds or HH:MM:SS</source>
        <translation>«%1» no es un tiempo: use segundos o HH:MM:SS</translation>
    </message>
    <message>
        <source>End must be later than Start</source>
        <translation>El fin debe ser posterior al inicio</translation>
    </message>
</context>
<context>
    <name>CliSession</name>
    <message>
        <source>not a recognized media file</source>
        <translation>no es un archivo multimedia reconocido</translation>
    </message>
    <message>
        <source>vireo-cli: the preset &apos;%1&apos; names no known target</source>
        <translation>vireo-cli: el ajuste predefinido «%1» no indica ningún destino conocido</translation>
    </message>
    <message>
        <source>vireo-cli: unknown target &apos;%1&apos; (see --list-targets)</source>
        <translation>vireo-cli: destino desconocido «%1» (vea --list-targets)</translation>
    </message>
    <message>
        <source>vireo-cli: say what to convert to with --to TARGET or --preset NAME</source>
        <translation>vireo-cli: indique a qué convertir con --to DESTINO o --preset NOMBRE</translation>
    </message>
    <message>
        <source>skipped  %1: %2</source>
        <translation>omitido  %1: %2</translation>
    </message>
    <message>
        <source>%1 file; %2 converts %3 files</source>
        <translation>%1 archivo; %2 convierte %3 archivos</translation>
    </message>
    <message>
        <source>vireo-cli: nothing to convert to %1</source>
        <translation>vireo-cli: nada que convertir a %1</translation>
    </message>
    <message>
        <source>(PNG from libvips)</source>
        <translation>(PNG mediante libvips)</translation>
    </message>
    <message>
        <source>loudness measured first, then normalized to %1 LUFS</source>
        <translation>sonoridad medida primero, después normalizada a %1 LUFS</translation>
    </message>
    <message>
        <source>    would fail: %1</source>
        <translation>    fallaría: %1</translation>
    </message>
    <message>
        <source>vireo-cli: cannot create the folder %1</source>
        <translation>vireo-cli: no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>failed   %1: %2</source>
        <translation>fallido   %1: %2</translation>
    </message>
    <message>
        <source> (measuring loudness)</source>
        <translation> (midiendo la sonoridad)</translation>
    </message>
    <message>
        <source>%1 to convert, %2 skipped (dry run)</source>
        <translation>%1 por convertir, %2 omitidos (simulación)</translation>
    </message>
    <message>
        <source>%1 to convert, %2 would fail, %3 skipped (dry run)</source>
        <translation>%1 por convertir, %2 fallarían, %3 omitidos (simulación)</translation>
    </message>
    <message>
        <source>same file as %1</source>
        <translation>el mismo archivo que %1</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped</source>
        <translation>%1 convertidos, %2 fallidos, %3 omitidos</translation>
    </message>
    <message>
        <source>, %1 cancelled</source>
        <translation>, %1 cancelados</translation>
    </message>
    <message>
        <source>, %1 not started</source>
        <translation>, %1 sin empezar</translation>
    </message>
    <message>
        <source> in %1</source>
        <translation> en %1</translation>
    </message>
    <message>
        <source>the output of %1</source>
        <translation>la salida de %1</translation>
    </message>
</context>
<context>
    <name>CliText</name>
    <message>
        <source>vireo-cli: %1
Try &apos;vireo-cli --help&apos;.
</source>
        <translation>vireo-cli: %1
Pruebe «vireo-cli --help».
</translation>
    </message>
    <message>
        <source>--normalize takes a loudness in LUFS from -70 to -5</source>
        <translation>--normalize requiere una sonoridad en LUFS de -70 a -5</translation>
    </message>
    <message>
        <source>Converts media files with Vireo&apos;s engine.</source>
        <translation>Convierte archivos multimedia con el motor de Vireo.</translation>
    </message>
    <message>
        <source>Target id, e.g. audio.mp3, video.mp4, video.extract-audio, image.png, subtitle.srt.</source>
        <translation>Identificador del destino, p. ej. audio.mp3, video.mp4, video.extract-audio, image.png, subtitle.srt.</translation>
    </message>
    <message>
        <source>A built-in or saved preset (name or id): its target unless --to is given, and its settings.</source>
        <translation>Un ajuste predefinido integrado o guardado (nombre o identificador): su destino, salvo que se indique --to, y sus ajustes.</translation>
    </message>
    <message>
        <source>Destination folder; created if missing. Default: the current folder.</source>
        <translation>Carpeta de destino; se crea si no existe. Predeterminada: la carpeta actual.</translation>
    </message>
    <message>
        <source>Parallel conversions (default: the &quot;max concurrent jobs&quot; preference).</source>
        <translation>Conversiones simultáneas (predeterminado: la preferencia «max concurrent jobs»).</translation>
    </message>
    <message>
        <source>Replace existing outputs.</source>
        <translation>Reemplazar los archivos de salida existentes.</translation>
    </message>
    <message>
        <source>Never replace existing outputs.</source>
        <translation>No reemplazar nunca los archivos de salida existentes.</translation>
    </message>
    <message>
        <source>Audio bitrate in kbit/s.</source>
        <translation>Tasa de bits de audio en kbit/s.</translation>
    </message>
    <message>
        <source>Video codec: h264, hevc or copy.</source>
        <translation>Códec de vídeo: h264, hevc o copy.</translation>
    </message>
    <message>
        <source>Video quality, 16 (best) to 32.</source>
        <translation>Calidad de vídeo, de 16 (la mejor) a 32.</translation>
    </message>
    <message>
        <source>Use the hardware video encoder where one works.</source>
        <translation>Usar el codificador de vídeo por hardware donde funcione uno.</translation>
    </message>
    <message>
        <source>Use the software video encoder.</source>
        <translation>Usar el codificador de vídeo por software.</translation>
    </message>
    <message>
        <source>Format of video.extract-audio, e.g. mp3, m4a, flac.</source>
        <translation>Formato de video.extract-audio, p. ej. mp3, m4a, flac.</translation>
    </message>
    <message>
        <source>Keep from this time on (seconds or HH:MM:SS).</source>
        <translation>Conservar a partir de este momento (segundos o HH:MM:SS).</translation>
    </message>
    <message>
        <source>Stop at this time of the input (seconds or HH:MM:SS).</source>
        <translation>Detenerse en este momento de la entrada (segundos o HH:MM:SS).</translation>
    </message>
    <message>
        <source>Video height: original, 2160p, 1440p, 1080p, 720p, 480p, 360p.</source>
        <translation>Altura del vídeo: original, 2160p, 1440p, 1080p, 720p, 480p, 360p.</translation>
    </message>
    <message>
        <source>Recreate the subfolders of each input folder in the output folder instead of writing every output side by side.</source>
        <translation>Recrear las subcarpetas de cada carpeta de entrada en la carpeta de salida en lugar de escribir todas las salidas juntas.</translation>
    </message>
    <message>
        <source>Classify and plan only; convert nothing.</source>
        <translation>Solo clasificar y planificar; no convertir nada.</translation>
    </message>
    <message>
        <source>Machine-readable output, one JSON object per line.</source>
        <translation>Salida legible por máquina, un objeto JSON por línea.</translation>
    </message>
    <message>
        <source>List the targets.</source>
        <translation>Listar los destinos.</translation>
    </message>
    <message>
        <source>List the built-in and saved presets.</source>
        <translation>Listar los ajustes predefinidos integrados y guardados.</translation>
    </message>
    <message>
        <source>Print only errors and the summary.</source>
        <translation>Mostrar solo los errores y el resumen.</translation>
    </message>
    <message>
        <source>Normalize the loudness of audio outputs (EBU R128) to -16 LUFS, or to the level of --normalize=LUFS (-70 to -5; -14 streaming, -23 broadcast).</source>
        <translation>Normalizar la sonoridad de las salidas de audio (EBU R128) a -16 LUFS, o al nivel de --normalize=LUFS (-70 a -5; -14 streaming, -23 radiodifusión).</translation>
    </message>
    <message>
        <source>Convert only part K of N of the files (1 &lt;= K &lt;= N), split by a hash of their paths relative to the input folders: the same on every machine.</source>
        <translation>Convertir solo la parte K de N de los archivos (1 &lt;= K &lt;= N), repartidos según un hash de sus rutas relativas a las carpetas de entrada: igual en cada máquina.</translation>
    </message>
    <message>
        <source>Files or folders to convert.</source>
        <translation>Archivos o carpetas que convertir.</translation>
    </message>
    <message>
        <source>--jobs takes a whole number</source>
        <translation>--jobs requiere un número entero</translation>
    </message>
    <message>
        <source>--overwrite and --no-overwrite exclude each other</source>
        <translation>--overwrite y --no-overwrite se excluyen mutuamente</translation>
    </message>
    <message>
        <source>--hwaccel and --no-hwaccel exclude each other</source>
        <translation>--hwaccel y --no-hwaccel se excluyen mutuamente</translation>
    </message>
    <message>
        <source>--video-codec takes h264, hevc or copy</source>
        <translation>--video-codec requiere h264, hevc o copy</translation>
    </message>
    <message>
        <source>--video-quality takes a number</source>
        <translation>--video-quality requiere un número</translation>
    </message>
    <message>
        <source>--audio-format takes one of %1</source>
        <translation>--audio-format requiere uno de: %1</translation>
    </message>
    <message>
        <source>--trim-start/--trim-end: %1</source>
        <translation>--trim-start/--trim-end: %1</translation>
    </message>
    <message>
        <source>--scale takes original, 2160p, 1440p, 1080p, 720p, 480p or 360p</source>
        <translation>--scale requiere original, 2160p, 1440p, 1080p, 720p, 480p o 360p</translation>
    </message>
    <message>
        <source>--shard takes K/N with 1 &lt;= K &lt;= N</source>
        <translation>--shard requiere K/N con 1 &lt;= K &lt;= N</translation>
    </message>
    <message>
        <source>no INPUT given</source>
        <translation>no se indicó ninguna ENTRADA</translation>
    </message>
    <message>
        <source>Keep running and convert every file that appears in DIR or below once it has stopped growing; files converted before are skipped. Ends with Ctrl+C or SIGTERM.</source>
        <translation>Seguir en marcha y convertir cada archivo que aparezca en DIR o por debajo en cuanto deje de crecer; los archivos ya convertidos se omiten. Termina con Ctrl+C o SIGTERM.</translation>
    </message>
    <message>
        <source>With --watch: how long a file must stay unchanged to count as complete (default 2).</source>
        <translation>Con --watch: cuánto tiempo debe permanecer un archivo sin cambios para considerarse completo (2 por defecto).</translation>
    </message>
    <message>
        <source>--audio-bitrate takes a number</source>
        <translation>--audio-bitrate espera un número</translation>
    </message>
    <message>
        <source>--watch takes no INPUT, --dry-run or --shard</source>
        <translation>--watch no admite INPUT, --dry-run ni --shard</translation>
    </message>
    <message>
        <source>--settle takes 0.1 to 3600 seconds</source>
        <translation>--settle espera de 0,1 a 3600 segundos</translation>
    </message>
    <message>
        <source>Write each output into its input&apos;s own folder instead of -o&apos;s. An output that would replace its input is refused.</source>
        <translation>Escribir cada salida en la carpeta de su entrada en lugar de la de -o. Se rechaza una salida que reemplazaría su entrada.</translation>
    </message>
    <message>
        <source>--next-to-source and --output exclude each other</source>
        <translation>--next-to-source y --output se excluyen mutuamente</translation>
    </message>
    <message>
        <source>--next-to-source and --watch exclude each other</source>
        <translation>--next-to-source y --watch se excluyen mutuamente</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select a media group</source>
        <translation>Seleccione un grupo de medios</translation>
    </message>
    <message>
        <source>You are going to remove every file in &apos;%1&apos;.</source>
        <translation>Se quitarán todos los archivos de «%1».</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>You are going to clear the entire list of files.</source>
        <translation>Se vaciará la lista completa de archivos.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>¿Está seguro?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>ConversionPreset</name>
    <message>
        <source>iPhone (H.264)</source>
        <translation>iPhone (H.264)</translation>
    </message>
    <message>
        <source>HEVC Archive</source>
        <translation>Archivo HEVC</translation>
    </message>
    <message>
        <source>Web (small MP4)</source>
        <translation>Web (MP4 ligero)</translation>
    </message>
    <message>
        <source>Podcast (MP3 128k)</source>
        <translation>Pódcast (MP3 128k)</translation>
    </message>
    <message>
        <source>Hi-Fi (FLAC)</source>
        <translation>Hi-Fi (FLAC)</translation>
    </message>
    <message>
        <source>%1 takes h264, hevc or copy</source>
        <translation>%1 espera h264, hevc o copy</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Conversión terminada</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>La conversión ha fallado</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>Conversión terminada con errores</translation>
    </message>
    <message>
        <source>1 file converted.</source>
        <translation>1 archivo convertido.</translation>
    </message>
    <message>
        <source>1 file could not be converted.</source>
        <translation>No se pudo convertir 1 archivo.</translation>
    </message>
    <message>
        <source>%1 of %2 files converted, %3 not.</source>
        <translation>%1 de %2 archivos convertidos, %3 no.</translation>
    </message>
    <message numerus="yes">
        <source>%n files converted.</source>
        <translation>
            <numerusform>%n archivo convertido.</numerusform>
            <numerusform>%n archivos convertidos.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files could not be converted.</source>
        <translation>
            <numerusform>No se pudo convertir %n archivo.</numerusform>
            <numerusform>No se pudieron convertir %n archivos.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DesktopOpen</name>
    <message>
        <source>No program on this desktop opens folders. The folder is:</source>
        <translation>Ningún programa de este escritorio abre carpetas. La carpeta es:</translation>
    </message>
    <message>
        <source>No mail program is set up on this desktop. Write to:</source>
        <translation>No hay ningún programa de correo configurado en este escritorio. Escriba a:</translation>
    </message>
    <message>
        <source>No web browser is set up on this desktop. The address is:</source>
        <translation>No hay ningún navegador web configurado en este escritorio. La dirección es:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
</context>
<context>
    <name>FFmpegError</name>
    <message>
        <source>Cancelled</source>
        <translation>Cancelada</translation>
    </message>
    <message>
        <source>ffmpeg failed</source>
        <translation>ffmpeg ha fallado</translation>
    </message>
</context>
<context>
    <name>FFmpegRun</name>
    <message>
        <source>Could not write %1</source>
        <translation>No se pudo escribir %1</translation>
    </message>
</context>
<context>
    <name>GroupListModel</name>
    <message>
        <source>%1: 1 file</source>
        <translation>%1: 1 archivo</translation>
    </message>
    <message numerus="yes">
        <source>%1: %Ln files</source>
        <translation>
            <numerusform>%1: %Ln archivo</numerusform>
            <numerusform>%1: %Ln archivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupSidebar</name>
    <message>
        <source>Media</source>
        <translation>Medios</translation>
    </message>
    <message>
        <source>Add files or a folder</source>
        <translation>Añadir archivos o una carpeta</translation>
    </message>
    <message>
        <source>Add Files…</source>
        <translation>Añadir archivos…</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Añadir carpeta…</translation>
    </message>
    <message>
        <source>Remove current group of files</source>
        <translation>Quitar el grupo de archivos actual</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Vaciar la lista</translation>
    </message>
</context>
<context>
    <name>HardwareProfile</name>
    <message>
        <source>Hardware acceleration (none available, software encoder used)</source>
        <translation>Aceleración por hardware (ninguna disponible, se usa el codificador por software)</translation>
    </message>
    <message>
        <source>Hardware acceleration (%1, H.264 only)</source>
        <translation>Aceleración por hardware (%1, solo H.264)</translation>
    </message>
    <message>
        <source>Hardware acceleration (%1)</source>
        <translation>Aceleración por hardware (%1)</translation>
    </message>
</context>
<context>
    <name>HeaderBar</name>
    <message>
        <source>Output format</source>
        <translation>Formato de salida</translation>
    </message>
    <message>
        <source>Conversion settings</source>
        <translation>Ajustes de conversión</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Ajustes predefinidos</translation>
    </message>
    <message>
        <source>Preset applied: %1</source>
        <translation>Ajuste predefinido aplicado: %1</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>Convert the files into a folder you choose</source>
        <translation>Convertir los archivos en una carpeta que elija</translation>
    </message>
    <message>
        <source>Vireo cannot convert the files in “Other”: it does not know their type.</source>
        <translation>Vireo no puede convertir los archivos de «Otros»: no conoce su tipo.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 archivo</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n archivo</numerusform>
            <numerusform>%n archivos</numerusform>
        </translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Formatos</translation>
    </message>
    <message>
        <source>Operations</source>
        <translation>Operaciones</translation>
    </message>
    <message>
        <source>end</source>
        <translation>final</translation>
    </message>
    <message>
        <source>Trim %1–%2</source>
        <translation>Recortar %1–%2</translation>
    </message>
    <message>
        <source>Trim &amp; Scale</source>
        <translation>Recortar &amp; escalar</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Scale %1</source>
        <translation>Escalar %1</translation>
    </message>
    <message>
        <source>Trim the output time range and/or rescale video for this batch</source>
        <translation>Recortar el intervalo de tiempo de la salida y/o reescalar el vídeo de este lote</translation>
    </message>
    <message>
        <source>Trim the output time range for this batch</source>
        <translation>Recortar el intervalo de tiempo de la salida de este lote</translation>
    </message>
    <message>
        <source>In force: %1</source>
        <translation>Activo: %1</translation>
    </message>
</context>
<context>
    <name>ImageConversion</name>
    <message>
        <source>File &apos;%1&apos; already exists</source>
        <translation>El archivo «%1» ya existe</translation>
    </message>
</context>
<context>
    <name>ImagePath</name>
    <message>
        <source>Could not read image</source>
        <translation>No se pudo leer la imagen</translation>
    </message>
    <message>
        <source>Unsupported output format: %1</source>
        <translation>Formato de salida no compatible: %1</translation>
    </message>
    <message>
        <source>Could not create %1</source>
        <translation>No se pudo crear %1</translation>
    </message>
    <message>
        <source>Could not decode image</source>
        <translation>No se pudo decodificar la imagen</translation>
    </message>
    <message>
        <source>Could not write image</source>
        <translation>No se pudo escribir la imagen</translation>
    </message>
</context>
<context>
    <name>JobQueue</name>
    <message>
        <source>Another file in this batch is also converted to %1: %2</source>
        <translation>Otro archivo de este lote también se convierte en %1: %2</translation>
    </message>
    <message>
        <source>Turn on &quot;Keep folder structure&quot; to give the files of each folder their own folder.</source>
        <translation>Active «Mantener la estructura de carpetas» para que los archivos de cada carpeta tengan su propia carpeta.</translation>
    </message>
</context>
<context>
    <name>MailingListManager</name>
    <message>
        <source>Please enter a valid email address.</source>
        <translation>Introduzca una dirección de correo electrónico válida.</translation>
    </message>
    <message>
        <source>This build of Vireo cannot subscribe to the newsletter.</source>
        <translation>Esta versión de Vireo no puede suscribirse al boletín.</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>Se agotó el tiempo de espera de la solicitud.</translation>
    </message>
    <message>
        <source>Please check your email address and try again.</source>
        <translation>Compruebe su dirección de correo electrónico e inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Server returned %1. Please try again later.</source>
        <translation>El servidor respondió %1. Inténtelo de nuevo más tarde.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Add Files…</source>
        <translation>&amp;Añadir archivos…</translation>
    </message>
    <message>
        <source>Add &amp;Folder…</source>
        <translation>Añadir &amp;carpeta…</translation>
    </message>
    <message>
        <source>&amp;Close Window</source>
        <translation>Ce&amp;rrar ventana</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Editar</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Preferencias…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Show &amp;Sidebar</source>
        <translation>Mostrar la barra &amp;lateral</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>Contact Support</source>
        <translation>Contactar con el soporte</translation>
    </message>
    <message>
        <source>Subscribe to Newsletter…</source>
        <translation>Suscribirse al boletín…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Buscar actualizaciones…</translation>
    </message>
    <message>
        <source>&amp;About Vireo</source>
        <translation>&amp;Acerca de Vireo</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>About Vireo</source>
        <translation>Acerca de Vireo</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Vireo %1&lt;/h3&gt;&lt;p&gt;Converts batches of audio, video, image and subtitle files with FFmpeg.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Vireo %1&lt;/h3&gt;&lt;p&gt;Convierte por lotes archivos de audio, vídeo, imagen y subtítulos con FFmpeg.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Remove from List</source>
        <translation>&amp;Quitar de la lista</translation>
    </message>
    <message>
        <source>&amp;Process…</source>
        <translation>&amp;Convertir…</translation>
    </message>
    <message>
        <source>Conversion &amp;Settings</source>
        <translation>&amp;Ajustes de conversión</translation>
    </message>
    <message>
        <source>&amp;Trim…</source>
        <translation>&amp;Recortar…</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Archivos</translation>
    </message>
</context>
<context>
    <name>MediaGroup</name>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Vídeo</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Imágenes</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Subtítulos</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Otros</translation>
    </message>
</context>
<context>
    <name>MediaJob</name>
    <message>
        <source>The file was removed from the list</source>
        <translation>El archivo se quitó de la lista</translation>
    </message>
    <message>
        <source>The output name &quot;%1&quot; would leave the destination folder &quot;%2&quot;; nothing was written</source>
        <translation>El nombre de salida «%1» saldría de la carpeta de destino «%2»; no se escribió nada</translation>
    </message>
    <message>
        <source>Could not create the folder &quot;%1&quot; for &quot;%2&quot;: %3</source>
        <translation>No se pudo crear la carpeta «%1» para «%2»: %3</translation>
    </message>
    <message>
        <source>Could not measure the loudness of &quot;%1&quot;: %2</source>
        <translation>No se pudo medir la sonoridad de «%1»: %2</translation>
    </message>
    <message>
        <source>Could not measure the loudness of &quot;%1&quot;: ffmpeg reported no figures</source>
        <translation>No se pudo medir la sonoridad de «%1»: ffmpeg no devolvió ningún valor</translation>
    </message>
    <message>
        <source>The output would replace the input file &quot;%1&quot;; choose another destination folder or format</source>
        <translation>La salida reemplazaría el archivo de entrada «%1»; elija otra carpeta de destino u otro formato</translation>
    </message>
    <message>
        <source>&quot;%1&quot; came out at %2 LUFS instead of %3 LUFS (measured at %4 LUFS before the conversion)</source>
        <translation>«%1» ha salido con %2 LUFS en lugar de %3 LUFS (medido en %4 LUFS antes de la conversión)</translation>
    </message>
    <message>
        <source>an unknown</source>
        <translation>un número desconocido de</translation>
    </message>
    <message>
        <source>Reading %1 took too long</source>
        <translation>Leer %1 ha tardado demasiado</translation>
    </message>
</context>
<context>
    <name>MediaLoad</name>
    <message>
        <source>Only files on this computer can be imported.</source>
        <translation>Solo se pueden importar archivos de este equipo.</translation>
    </message>
    <message>
        <source>The path is empty.</source>
        <translation>La ruta está vacía.</translation>
    </message>
    <message>
        <source>The folder name is not valid UTF-8. Rename the folder to import the files in it.</source>
        <translation>El nombre de la carpeta no es UTF-8 válido. Cambie el nombre de la carpeta para importar sus archivos.</translation>
    </message>
    <message>
        <source>The file name is not valid UTF-8. Rename the file to import it.</source>
        <translation>El nombre del archivo no es UTF-8 válido. Cambie el nombre del archivo para importarlo.</translation>
    </message>
    <message>
        <source>Some files of this folder could not be listed: %1</source>
        <translation>No se pudieron listar algunos archivos de esta carpeta: %1</translation>
    </message>
    <message>
        <source>The folder could not be listed: %1</source>
        <translation>No se pudo listar la carpeta: %1</translation>
    </message>
</context>
<context>
    <name>MediaTableModel</name>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Salida</translation>
    </message>
    <message>
        <source>%1 (%2&#xa0;%)</source>
        <translation>%1 (%2&#xa0;%)</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Converting, %1 %</source>
        <translation>Convirtiendo, %1 %</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fallido: %1</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fallido</translation>
    </message>
    <message>
        <source>Converted, %1</source>
        <translation>Convertido, %1</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Convertido</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>En espera</translation>
    </message>
    <message>
        <source>Unsupported file type</source>
        <translation>Tipo de archivo no compatible</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Cancelado</translation>
    </message>
</context>
<context>
    <name>MediaTarget</name>
    <message>
        <source>Convert to Audio</source>
        <translation>Convertir a audio</translation>
    </message>
</context>
<context>
    <name>NewsletterPrompt</name>
    <message>
        <source>Newsletter</source>
        <translation>Boletín</translation>
    </message>
    <message>
        <source>Stay in the loop</source>
        <translation>Manténgase al día</translation>
    </message>
    <message>
        <source>Occasional offers, news, and updates about new features.
No spam — I absolutely promise.</source>
        <translation>Ofertas, noticias y novedades de vez en cuando.
Nada de spam, se lo prometo.</translation>
    </message>
    <message>
        <source>you@example.com</source>
        <translation>usted@ejemplo.es</translation>
    </message>
    <message>
        <source>Don&apos;t ask again</source>
        <translation>No volver a preguntar</translation>
    </message>
    <message>
        <source>Maybe later</source>
        <translation>Quizá más tarde</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>Suscribirse</translation>
    </message>
    <message>
        <source>You&apos;re in!</source>
        <translation>¡Ya está suscrito!</translation>
    </message>
    <message>
        <source>Thanks for subscribing.</source>
        <translation>Gracias por suscribirse.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Política de privacidad</translation>
    </message>
    <message>
        <source>You can unsubscribe any time.</source>
        <translation>Puede darse de baja en cualquier momento.</translation>
    </message>
</context>
<context>
    <name>OutputCheck</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no audio to convert</source>
        <translation>«%1» no tiene audio que convertir</translation>
    </message>
    <message>
        <source>The trimmed range is empty: &quot;%1&quot; is shorter than the trim start %2</source>
        <translation>El intervalo recortado está vacío: «%1» es más corto que el inicio %2</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; cannot be read</source>
        <translation>No se puede leer el archivo convertido «%1»</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; holds no picture</source>
        <translation>El archivo convertido «%1» no contiene ninguna imagen</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no audio</source>
        <translation>El archivo convertido «%1» no tiene audio</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no video</source>
        <translation>El archivo convertido «%1» no tiene vídeo</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no duration</source>
        <translation>El archivo convertido «%1» no tiene duración</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; plays %2 of %3: &quot;%4&quot; itself ends early</source>
        <translation>El archivo convertido «%1» dura %2 de %3: el propio «%4» termina antes de tiempo</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; plays %2, but &quot;%3&quot; plays %4</source>
        <translation>El archivo convertido «%1» dura %2, pero «%3» dura %4</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; holds %2 of the %3 subtitles of &quot;%4&quot;; the others could not be read (a character set that changes within the file?)</source>
        <translation>El archivo convertido «%1» contiene %2 de los %3 subtítulos de «%4»; los demás no se pudieron leer (¿un juego de caracteres que cambia dentro del archivo?)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged or cut short: nothing in it could be converted</source>
        <translation>«%1» está dañado o incompleto: no se pudo convertir nada de su contenido</translation>
    </message>
</context>
<context>
    <name>PreferenceControls</name>
    <message>
        <source>Parallel conversions: </source>
        <translation>Conversiones simultáneas: </translation>
    </message>
    <message>
        <source>Parallel conversions</source>
        <translation>Conversiones simultáneas</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>The settings file %1 is not a regular file; using the default settings, and changes are not saved.</source>
        <translation>El archivo de ajustes %1 no es un archivo normal; se usan los ajustes predeterminados y los cambios no se guardan.</translation>
    </message>
</context>
<context>
    <name>PreferencesView</name>
    <message>
        <source>-14 LUFS (streaming)</source>
        <translation>-14 LUFS (streaming)</translation>
    </message>
    <message>
        <source>-16 LUFS (podcast)</source>
        <translation>-16 LUFS (pódcast)</translation>
    </message>
    <message>
        <source>-23 LUFS (broadcast)</source>
        <translation>-23 LUFS (radiodifusión)</translation>
    </message>
    <message>
        <source>Overwrite existing output files</source>
        <translation>Sobrescribir los archivos de salida existentes</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>Omitir los archivos ya convertidos</translation>
    </message>
    <message>
        <source>Open destination folder when finished</source>
        <translation>Abrir la carpeta de destino al terminar</translation>
    </message>
    <message>
        <source>Extract audio format</source>
        <translation>Formato del audio extraído</translation>
    </message>
    <message>
        <source>%1 kbps</source>
        <translation>%1 kbps</translation>
    </message>
    <message>
        <source>Audio bitrate</source>
        <translation>Tasa de bits de audio</translation>
    </message>
    <message>
        <source>Normalize loudness</source>
        <translation>Normalizar la sonoridad</translation>
    </message>
    <message>
        <source>Target level</source>
        <translation>Nivel objetivo</translation>
    </message>
    <message>
        <source>For audio formats and Convert to Audio. Each file is measured first (EBU R128) and brought to the level, with true peaks at most -1.5 dBTP.</source>
        <translation>Para los formatos de audio y «Convertir a audio». Cada archivo se mide primero (EBU R128) y se lleva al nivel, con picos reales de como máximo -1,5 dBTP.</translation>
    </message>
    <message>
        <source>Default codec</source>
        <translation>Códec predeterminado</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Calidad</translation>
    </message>
    <message>
        <source>Hardware acceleration</source>
        <translation>Aceleración por hardware</translation>
    </message>
    <message>
        <source>Keep folder structure</source>
        <translation>Mantener la estructura de carpetas</translation>
    </message>
    <message>
        <source>How many files to convert at the same time. Higher values use more CPU/GPU.</source>
        <translation>Cuántos archivos convertir a la vez. Los valores altos usan más CPU/GPU.</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Vídeo</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Cola</translation>
    </message>
</context>
<context>
    <name>PresetStore</name>
    <message>
        <source>the preset &apos;%1&apos; is refused: %2</source>
        <translation>el ajuste predefinido «%1» se rechaza: %2</translation>
    </message>
    <message>
        <source>unknown preset &apos;%1&apos; (see --list-presets)</source>
        <translation>ajuste predefinido desconocido «%1» (véase --list-presets)</translation>
    </message>
</context>
<context>
    <name>PresetsMenu</name>
    <message>
        <source>Presets</source>
        <translation>Ajustes predefinidos</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>No presets for this type</source>
        <translation>No hay ajustes predefinidos para este tipo</translation>
    </message>
    <message>
        <source>Built-in</source>
        <translation>Integrados</translation>
    </message>
    <message>
        <source>Your presets</source>
        <translation>Sus ajustes predefinidos</translation>
    </message>
    <message>
        <source>Right-click to delete</source>
        <translation>Clic derecho para eliminar</translation>
    </message>
    <message>
        <source>Save current as preset…</source>
        <translation>Guardar los ajustes actuales como predefinidos…</translation>
    </message>
</context>
<context>
    <name>ProcessError</name>
    <message>
        <source>The tool could not be started</source>
        <translation>No se pudo iniciar la herramienta</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Cancelado</translation>
    </message>
</context>
<context>
    <name>ProgressMath</name>
    <message>
        <source>Elapsed %1</source>
        <translation>Transcurrido %1</translation>
    </message>
    <message>
        <source>ETA %1</source>
        <translation>Restante %1</translation>
    </message>
    <message>
        <source>Finishing…</source>
        <translation>Finalizando…</translation>
    </message>
</context>
<context>
    <name>ProgressSheet</name>
    <message>
        <source>Measuring… %1 %</source>
        <translation>Midiendo… %1 %</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Convirtiendo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%1 de %2 archivos</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Cancelando…</translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fallido</numerusform>
            <numerusform>%n fallidos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Choose Files</source>
        <translation>Elegir archivos</translation>
    </message>
    <message>
        <source>Choose a Folder</source>
        <translation>Elegir una carpeta</translation>
    </message>
    <message>
        <source>Choose a Destination</source>
        <translation>Elegir un destino</translation>
    </message>
    <message>
        <source>Next to the originals</source>
        <translation>Junto a los originales</translation>
    </message>
    <message>
        <source>Write each converted file into its original&apos;s folder</source>
        <translation>Escribir cada archivo convertido en la carpeta de su original</translation>
    </message>
</context>
<context>
    <name>QualityLabel</name>
    <message>
        <source>Excellent</source>
        <translation>Excelente</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Alta</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>Moderate</source>
        <translation>Moderada</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Baja</translation>
    </message>
</context>
<context>
    <name>ResultBar</name>
    <message>
        <source>Show Failures</source>
        <translation>Mostrar los fallos</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fallido</translation>
    </message>
    <message numerus="yes">
        <source>%n converted</source>
        <translation>
            <numerusform>%n convertido</numerusform>
            <numerusform>%n convertidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped (already converted)</source>
        <translation>
            <numerusform>%n omitido (ya convertido)</numerusform>
            <numerusform>%n omitidos (ya convertidos)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fallido</numerusform>
            <numerusform>%n fallidos</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cancelled</source>
        <translation>
            <numerusform>%n cancelado</numerusform>
            <numerusform>%n cancelados</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>Hide Failures</source>
        <translation>Ocultar los fallos</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Failed files</source>
        <translation>Archivos fallidos</translation>
    </message>
</context>
<context>
    <name>SafeOutput</name>
    <message>
        <source>The converter wrote no output file</source>
        <translation>El conversor no escribió ningún archivo de salida</translation>
    </message>
    <message>
        <source>The converter wrote an empty output file</source>
        <translation>El conversor escribió un archivo de salida vacío</translation>
    </message>
</context>
<context>
    <name>SavePresetDialog</name>
    <message>
        <source>Save preset</source>
        <translation>Guardar ajuste predefinido</translation>
    </message>
    <message>
        <source>Save the current format and settings as a reusable preset.</source>
        <translation>Guardar el formato y los ajustes actuales como ajuste predefinido reutilizable.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>SettingRange</name>
    <message>
        <source>%1 takes %2 to %3 %4</source>
        <translation>%1 espera de %2 a %3 %4</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Overwrite existing output files</source>
        <translation>Sobrescribir los archivos de salida existentes</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>Omitir los archivos ya convertidos</translation>
    </message>
    <message>
        <source>Keep folder structure</source>
        <translation>Mantener la estructura de carpetas</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>96 kbps</source>
        <translation>96 kbps</translation>
    </message>
    <message>
        <source>128 kbps</source>
        <translation>128 kbps</translation>
    </message>
    <message>
        <source>192 kbps</source>
        <translation>192 kbps</translation>
    </message>
    <message>
        <source>256 kbps</source>
        <translation>256 kbps</translation>
    </message>
    <message>
        <source>320 kbps</source>
        <translation>320 kbps</translation>
    </message>
    <message>
        <source>Audio bitrate</source>
        <translation>Tasa de bits de audio</translation>
    </message>
    <message>
        <source>Video codec</source>
        <translation>Códec de vídeo</translation>
    </message>
    <message>
        <source>Video quality</source>
        <translation>Calidad de vídeo</translation>
    </message>
    <message>
        <source>Hardware acceleration</source>
        <translation>Aceleración por hardware</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>Formato de audio</translation>
    </message>
    <message>
        <source>Normalize loudness</source>
        <translation>Normalizar la sonoridad</translation>
    </message>
    <message>
        <source>Bring every file to the same loudness (EBU R128). The level is set in the preferences; each file is read twice.</source>
        <translation>Llevar todos los archivos a la misma sonoridad (EBU R128). El nivel se ajusta en las preferencias; cada archivo se lee dos veces.</translation>
    </message>
    <message>
        <source>Conversion settings</source>
        <translation>Ajustes de conversión</translation>
    </message>
</context>
<context>
    <name>SkippedPathsBanner</name>
    <message>
        <source>Show Details</source>
        <translation>Mostrar detalles</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>File or folder</source>
        <translation>Archivo o carpeta</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Ocultar detalles</translation>
    </message>
    <message>
        <source>1 file or folder could not be imported.</source>
        <translation>No se pudo importar 1 archivo o carpeta.</translation>
    </message>
    <message>
        <source>%1 more not listed</source>
        <translation>%1 más sin listar</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files or folders could not be imported.</source>
        <translation>
            <numerusform>No se pudo importar %Ln archivo o carpeta.</numerusform>
            <numerusform>No se pudieron importar %Ln archivos o carpetas.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SnapshotView</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Mostrar en el gestor de archivos</translation>
    </message>
    <message>
        <source>Remove from list</source>
        <translation>Quitar de la lista</translation>
    </message>
    <message>
        <source>Show Output</source>
        <translation>Mostrar salida</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>Choose Files…</source>
        <translation>Elegir archivos…</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Elegir carpeta…</translation>
    </message>
    <message>
        <source>Drop media here</source>
        <translation>Suelte aquí los archivos</translation>
    </message>
    <message>
        <source>Audio · Video · Images · Subtitles</source>
        <translation>Audio · Vídeo · Imágenes · Subtítulos</translation>
    </message>
    <message>
        <source>Importing…</source>
        <translation>Importando…</translation>
    </message>
</context>
<context>
    <name>StatusCell</name>
    <message>
        <source>Waiting</source>
        <translation>En espera</translation>
    </message>
    <message>
        <source>Converting…</source>
        <translation>Convirtiendo…</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fallido</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Convertido</translation>
    </message>
    <message>
        <source>Unsupported file type</source>
        <translation>Tipo de archivo no compatible</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Cancelado</translation>
    </message>
    <message>
        <source>Measuring loudness…</source>
        <translation>Midiendo la sonoridad…</translation>
    </message>
</context>
<context>
    <name>ToolLocator</name>
    <message>
        <source>%1 was not found. Install it with &quot;sudo apt install ffmpeg&quot; (it comes with the ffmpeg package), or set %2 to its path.</source>
        <translation>No se encontró %1. Instálelo con «sudo apt install ffmpeg» (viene con el paquete ffmpeg) o indique su ruta en %2.</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Update checks are turned off in this build of Vireo.</source>
        <translation>La búsqueda de actualizaciones está desactivada en esta versión de Vireo.</translation>
    </message>
    <message>
        <source>The update feed is too large to be a release feed.</source>
        <translation>El canal de actualizaciones es demasiado grande para ser un canal de versiones.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>El servidor de actualizaciones no respondió a tiempo.</translation>
    </message>
    <message>
        <source>The update feed could not be fetched: %1</source>
        <translation>No se pudo obtener el canal de actualizaciones: %1</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>El servidor de actualizaciones respondió con el estado %1.</translation>
    </message>
    <message>
        <source>The update feed does not name a valid version and release page.</source>
        <translation>El canal de actualizaciones no indica una versión ni una página de publicación válidas.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Actualización de software</translation>
    </message>
    <message>
        <source>Check for updates automatically once a week</source>
        <translation>Buscar actualizaciones automáticamente una vez por semana</translation>
    </message>
    <message>
        <source>Checking for Updates…</source>
        <translation>Buscando actualizaciones…</translation>
    </message>
    <message>
        <source>Vireo is asking its release feed for the newest version.</source>
        <translation>Vireo consulta su canal de versiones para conocer la más reciente.</translation>
    </message>
    <message>
        <source>Vireo %1 is available</source>
        <translation>Vireo %1 está disponible</translation>
    </message>
    <message>
        <source>You have Vireo %1. The release page tells what is new and how to install the new version.</source>
        <translation>Tiene Vireo %1. La página de publicación explica las novedades y cómo instalar la nueva versión.</translation>
    </message>
    <message>
        <source>Open Release Page</source>
        <translation>Abrir la página de publicación</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Ahora no</translation>
    </message>
    <message>
        <source>You&apos;re up to date</source>
        <translation>Vireo está actualizado</translation>
    </message>
    <message>
        <source>Vireo %1 is the newest version available.</source>
        <translation>Vireo %1 es la versión más reciente disponible.</translation>
    </message>
    <message>
        <source>Vireo could not check for updates</source>
        <translation>Vireo no pudo buscar actualizaciones</translation>
    </message>
    <message>
        <source>Please try again later.</source>
        <translation>Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Update checks are off</source>
        <translation>La búsqueda de actualizaciones está desactivada</translation>
    </message>
    <message>
        <source>Your distribution or the package manager you installed it with keeps it up to date.</source>
        <translation>Su distribución o el gestor de paquetes con el que lo instaló lo mantiene actualizado.</translation>
    </message>
</context>
<context>
    <name>VideoCodec</name>
    <message>
        <source>H.264</source>
        <translation>H.264</translation>
    </message>
    <message>
        <source>H.265 / HEVC</source>
        <translation>H.265 / HEVC</translation>
    </message>
    <message>
        <source>Copy (no re-encode)</source>
        <translation>Copiar (sin recodificar)</translation>
    </message>
</context>
<context>
    <name>VideoQualityBlock</name>
    <message>
        <source>Lower value = higher quality, larger file</source>
        <translation>Valor más bajo = más calidad, archivo más grande</translation>
    </message>
</context>
<context>
    <name>VideoScale</name>
    <message>
        <source>Original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>2160p (4K)</source>
        <translation>2160p (4K)</translation>
    </message>
    <message>
        <source>1440p</source>
        <translation>1440p</translation>
    </message>
    <message>
        <source>1080p</source>
        <translation>1080p</translation>
    </message>
    <message>
        <source>720p</source>
        <translation>720p</translation>
    </message>
    <message>
        <source>480p</source>
        <translation>480p</translation>
    </message>
    <message>
        <source>360p</source>
        <translation>360p</translation>
    </message>
</context>
<context>
    <name>WatchSession</name>
    <message>
        <source>vireo-cli: cannot watch %1: not a folder</source>
        <translation>vireo-cli: no se puede vigilar %1: no es una carpeta</translation>
    </message>
    <message>
        <source>vireo-cli: no inotify watch is left for %1 (see fs.inotify.max_user_watches); looking for new files every %2 s instead</source>
        <translation>vireo-cli: no queda ninguna vigilancia inotify para %1 (véase fs.inotify.max_user_watches); se buscarán archivos nuevos cada %2 s</translation>
    </message>
    <message>
        <source>watching %1, converting to %2 into %3</source>
        <translation>vigilando %1, convirtiendo a %2 en %3</translation>
    </message>
    <message>
        <source>already converted</source>
        <translation>ya convertido</translation>
    </message>
    <message>
        <source>skipped  %1: already converted to %2</source>
        <translation>omitido  %1: ya convertido a %2</translation>
    </message>
    <message>
        <source>vireo-cli: cannot record converted files in %1: %2</source>
        <translation>vireo-cli: no se pueden registrar los archivos convertidos en %1: %2</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Converts batches of audio, video, image and subtitle files.</source>
        <translation>Convierte por lotes archivos de audio, vídeo, imagen y subtítulos.</translation>
    </message>
    <message>
        <source>Files or folders to import (paths or file: URLs).</source>
        <translation>Archivos o carpetas que importar (rutas o URL file:).</translation>
    </message>
</context>
<context>
    <name>vireo-cli</name>
    <message>
        <source>vireo-cli: stopped without waiting for the conversions that did not end (a file that cannot be read any more?)
</source>
        <translation>vireo-cli: detenido sin esperar a las conversiones que no terminaban (¿un archivo que ya no se puede leer?)
</translation>
    </message>
</context>
</TS>
