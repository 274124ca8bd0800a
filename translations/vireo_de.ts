<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AppDelegate</name>
    <message>
        <source>Show Vireo</source>
        <translation>Vireo anzeigen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>ArgumentBuilder</name>
    <message>
        <source>AAC files cannot hold tags or cover art</source>
        <translation>AAC-Dateien können weder Tags noch Cover enthalten</translation>
    </message>
    <message>
        <source>WAV files cannot hold cover art</source>
        <translation>WAV-Dateien können kein Cover enthalten</translation>
    </message>
    <message>
        <source>WMA files cannot hold cover art</source>
        <translation>WMA-Dateien können kein Cover enthalten</translation>
    </message>
    <message>
        <source>capped for %1×%2</source>
        <translation>begrenzt für %1×%2</translation>
    </message>
    <message>
        <source>capped by the source&apos;s %1k</source>
        <translation>begrenzt auf die %1k der Quelle</translation>
    </message>
    <message>
        <source>video bitrate %1k, %2 (%3k asked)</source>
        <translation>Videobitrate %1k, %2 (%3k verlangt)</translation>
    </message>
</context>
<context>
    <name>BatchPanel</name>
    <message>
        <source>Trim output</source>
        <translation>Ausgabe kürzen</translation>
    </message>
    <message>
        <source>Keep only the range between Start and End in the converted file.</source>
        <translation>Nur den Bereich zwischen Anfang und Ende in die konvertierte Datei übernehmen.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>HH:MM:SS or seconds (e.g. 90 or 00:01:30). Leave a field blank to skip it.</source>
        <translation>HH:MM:SS oder Sekunden (z. B. 90 oder 00:01:30). Ein leeres Feld wird nicht berücksichtigt.</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Skalieren</translation>
    </message>
</context>
<context>
    <name>BatchSettings</name>
    <message>
        <source>&quot;%1&quot; is not a time: use seconds or HH:MM:SS</source>
        <translation>„%1“ ist keine Zeitangabe: Sekunden oder HH:MM:SS verwenden</translation>
    </message>
    <message>
        <source>End must be later than Start</source>
        <translation>Das Ende muss nach dem Anfang liegen</translation>
    </message>
</context>
<context>
    <name>CliSession</name>
    <message>
        <source>not a recognized media file</source>
        <translation>keine erkannte Mediendatei</translation>
    </message>
    <message>
        <source>vireo-cli: the preset &apos;%1&apos; names no known target</source>
        <translation>vireo-cli: die Vorgabe „%1“ nennt kein bekanntes Ziel</translation>
    </message>
    <message>
        <source>vireo-cli: unknown target &apos;%1&apos; (see --list-targets)</source>
        <translation>vireo-cli: unbekanntes Ziel „%1“ (siehe --list-targets)</translation>
    </message>
    <message>
        <source>vireo-cli: say what to convert to with --to TARGET or --preset NAME</source>
        <translation>vireo-cli: das Ziel mit --to ZIEL oder --preset NAME angeben</translation>
    </message>
    <message>
        <source>skipped  %1: %2</source>
        <translation>übersprungen  %1: %2</translation>
    </message>
    <message>
        <source>%1 file; %2 converts %3 files</source>
        <translation>%1 Datei; %2 konvertiert %3 Dateien</translation>
    </message>
    <message>
        <source>vireo-cli: nothing to convert to %1</source>
        <translation>vireo-cli: nichts in %1 zu konvertieren</translation>
    </message>
    <message>
        <source>(PNG from libvips)</source>
        <translation>(PNG über libvips)</translation>
    </message>
    <message>
        <source>loudness measured first, then normalized to %1 LUFS</source>
        <translation>Lautheit wird erst gemessen, dann auf %1 LUFS normalisiert</translation>
    </message>
    <message>
        <source>    would fail: %1</source>
        <translation>    würde fehlschlagen: %1</translation>
    </message>
    <message>
        <source>vireo-cli: cannot create the folder %1</source>
        <translation>vireo-cli: der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>failed   %1: %2</source>
        <translation>fehlgeschlagen   %1: %2</translation>
    </message>
    <message>
        <source> (measuring loudness)</source>
        <translation> (Lautheit wird gemessen)</translation>
    </message>
    <message>
        <source>%1 to convert, %2 skipped (dry run)</source>
        <translation>%1 zu konvertieren, %2 übersprungen (Probelauf)</translation>
    </message>
    <message>
        <source>%1 to convert, %2 would fail, %3 skipped (dry run)</source>
        <translation>%1 zu konvertieren, %2 würden fehlschlagen, %3 übersprungen (Probelauf)</translation>
    </message>
    <message>
        <source>same file as %1</source>
        <translation>dieselbe Datei wie %1</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped</source>
        <translation>%1 konvertiert, %2 fehlgeschlagen, %3 übersprungen</translation>
    </message>
    <message>
        <source>, %1 cancelled</source>
        <translation>, %1 abgebrochen</translation>
    </message>
    <message>
        <source>, %1 not started</source>
        <translation>, %1 nicht begonnen</translation>
    </message>
    <message>
        <source> in %1</source>
        <translation> in %1</translation>
    </message>
    <message>
        <source>the output of %1</source>
        <translation>die Ausgabe von %1</translation>
    </message>
</context>
<context>
    <name>CliText</name>
    <message>
        <source>vireo-cli: %1
Try &apos;vireo-cli --help&apos;.
</source>
        <translation>vireo-cli: %1
Siehe „vireo-cli --help“.
</translation>
    </message>
    <message>
        <source>--normalize takes a loudness in LUFS from -70 to -5</source>
        <translation>--normalize erwartet eine Lautheit in LUFS von -70 bis -5</translation>
    </message>
    <message>
        <source>Converts media files with Vireo&apos;s engine.</source>
        <translation>Konvertiert Mediendateien mit Vireos Konvertierungskern.</translation>
    </message>
    <message>
        <source>Target id, e.g. audio.mp3, video.mp4, video.extract-audio, image.png, subtitle.srt.</source>
        <translation>Kennung des Ziels, z. B. audio.mp3, video.mp4, video.extract-audio, image.png, subtitle.srt.</translation>
    </message>
    <message>
        <source>A built-in or saved preset (name or id): its target unless --to is given, and its settings.</source>
        <translation>Eine eingebaute oder gespeicherte Vorgabe (Name oder Kennung): ihr Ziel, sofern --to fehlt, und ihre Einstellungen.</translation>
    </message>
    <message>
        <source>Destination folder; created if missing. Default: the current folder.</source>
        <translation>Zielordner; wird angelegt, falls er fehlt. Standard: der aktuelle Ordner.</translation>
    </message>
    <message>
        <source>Parallel conversions (default: the &quot;max concurrent jobs&quot; preference).</source>
        <translation>Gleichzeitige Konvertierungen (Standard: die Einstellung „max concurrent jobs“).</translation>
    </message>
    <message>
        <source>Replace existing outputs.</source>
        <translation>Vorhandene Ausgabedateien ersetzen.</translation>
    </message>
    <message>
        <source>Never replace existing outputs.</source>
        <translation>Vorhandene Ausgabedateien nie ersetzen.</translation>
    </message>
    <message>
        <source>Audio bitrate in kbit/s.</source>
        <translation>Audio-Bitrate in kbit/s.</translation>
    </message>
    <message>
        <source>Video codec: h264, hevc or copy.</source>
        <translation>Video-Codec: h264, hevc oder copy.</translation>
    </message>
    <message>
        <source>Video quality, 16 (best) to 32.</source>
        <translation>Videoqualität, 16 (beste) bis 32.</translation>
    </message>
    <message>
        <source>Use the hardware video encoder where one works.</source>
        <translation>Den Hardware-Video-Encoder verwenden, wo einer funktioniert.</translation>
    </message>
    <message>
        <source>Use the software video encoder.</source>
        <translation>Den Software-Video-Encoder verwenden.</translation>
    </message>
    <message>
        <source>Format of video.extract-audio, e.g. mp3, m4a, flac.</source>
        <translation>Format von video.extract-audio, z. B. mp3, m4a, flac.</translation>
    </message>
    <message>
        <source>Keep from this time on (seconds or HH:MM:SS).</source>
        <translation>Ab dieser Zeit behalten (Sekunden oder HH:MM:SS).</translation>
    </message>
    <message>
        <source>Stop at this time of the input (seconds or HH:MM:SS).</source>
        <translation>Bei dieser Zeit der Eingabe aufhören (Sekunden oder HH:MM:SS).</translation>
    </message>
    <message>
        <source>Video height: original, 2160p, 1440p, 1080p, 720p, 480p, 360p.</source>
        <translation>Videohöhe: original, 2160p, 1440p, 1080p, 720p, 480p, 360p.</translation>
    </message>
    <message>
        <source>Recreate the subfolders of each input folder in the output folder instead of writing every output side by side.</source>
        <translation>Die Unterordner jedes Eingabeordners im Ausgabeordner nachbilden, statt alle Ausgaben nebeneinander zu schreiben.</translation>
    </message>
    <message>
        <source>Classify and plan only; convert nothing.</source>
        <translation>Nur einordnen und planen; nichts konvertieren.</translation>
    </message>
    <message>
        <source>Machine-readable output, one JSON object per line.</source>
        <translation>Maschinenlesbare Ausgabe, ein JSON-Objekt pro Zeile.</translation>
    </message>
    <message>
        <source>List the targets.</source>
        <translation>Die Ziele auflisten.</translation>
    </message>
    <message>
        <source>List the built-in and saved presets.</source>
        <translation>Die eingebauten und gespeicherten Vorgaben auflisten.</translation>
    </message>
    <message>
        <source>Print only errors and the summary.</source>
        <translation>Nur Fehler und die Zusammenfassung ausgeben.</translation>
    </message>
    <message>
        <source>Normalize the loudness of audio outputs (EBU R128) to -16 LUFS, or to the level of --normalize=LUFS (-70 to -5; -14 streaming, -23 broadcast).</source>
        <translation>Die Lautheit der Audioausgaben (EBU R128) auf -16 LUFS normalisieren, oder auf den Pegel von --normalize=LUFS (-70 bis -5; -14 Streaming, -23 Rundfunk).</translation>
    </message>
    <message>
        <source>Convert only part K of N of the files (1 &lt;= K &lt;= N), split by a hash of their paths relative to the input folders: the same on every machine.</source>
        <translation>Nur Teil K von N der Dateien konvertieren (1 &lt;= K &lt;= N), aufgeteilt nach einem Hash ihrer Pfade relativ zu den Eingabeordnern: auf jedem Rechner gleich.</translation>
    </message>
    <message>
        <source>Files or folders to convert.</source>
        <translation>Zu konvertierende Dateien oder Ordner.</translation>
    </message>
    <message>
        <source>--jobs takes a whole number</source>
        <translation>--jobs erwartet eine ganze Zahl</translation>
    </message>
    <message>
        <source>--overwrite and --no-overwrite exclude each other</source>
        <translation>--overwrite und --no-overwrite schließen einander aus</translation>
    </message>
    <message>
        <source>--hwaccel and --no-hwaccel exclude each other</source>
        <translation>--hwaccel und --no-hwaccel schließen einander aus</translation>
    </message>
    <message>
        <source>--video-codec takes h264, hevc or copy</source>
        <translation>--video-codec erwartet h264, hevc oder copy</translation>
    </message>
    <message>
        <source>--video-quality takes a number</source>
        <translation>--video-quality erwartet eine Zahl</translation>
    </message>
    <message>
        <source>--audio-format takes one of %1</source>
        <translation>--audio-format erwartet eines von: %1</translation>
    </message>
    <message>
        <source>--trim-start/--trim-end: %1</source>
        <translation>--trim-start/--trim-end: %1</translation>
    </message>
    <message>
        <source>--scale takes original, 2160p, 1440p, 1080p, 720p, 480p or 360p</source>
        <translation>--scale erwartet original, 2160p, 1440p, 1080p, 720p, 480p oder 360p</translation>
    </message>
    <message>
        <source>--shard takes K/N with 1 &lt;= K &lt;= N</source>
        <translation>--shard erwartet K/N mit 1 &lt;= K &lt;= N</translation>
    </message>
    <message>
        <source>no INPUT given</source>
        <translation>keine EINGABE angegeben</translation>
    </message>
    <message>
        <source>Keep running and convert every file that appears in DIR or below once it has stopped growing; files converted before are skipped. Ends with Ctrl+C or SIGTERM.</source>
        <translation>Weiterlaufen und jede Datei konvertieren, die in DIR oder darunter erscheint, sobald sie nicht mehr wächst; bereits konvertierte Dateien werden übersprungen. Endet mit Strg+C oder SIGTERM.</translation>
    </message>
    <message>
        <source>With --watch: how long a file must stay unchanged to count as complete (default 2).</source>
        <translation>Mit --watch: wie lange eine Datei unverändert bleiben muss, um als vollständig zu gelten (Standard 2).</translation>
    </message>
    <message>
        <source>--audio-bitrate takes a number</source>
        <translation>--audio-bitrate erwartet eine Zahl</translation>
    </message>
    <message>
        <source>--watch takes no INPUT, --dry-run or --shard</source>
        <translation>--watch verträgt sich nicht mit INPUT, --dry-run oder --shard</translation>
    </message>
    <message>
        <source>--settle takes 0.1 to 3600 seconds</source>
        <translation>--settle erwartet 0,1 bis 3600 Sekunden</translation>
    </message>
    <message>
        <source>Write each output into its input&apos;s own folder instead of -o&apos;s. An output that would replace its input is refused.</source>
        <translation>Jede Ausgabe in den Ordner ihrer Eingabe schreiben statt in den von -o. Eine Ausgabe, die ihre Eingabe ersetzen würde, wird abgelehnt.</translation>
    </message>
    <message>
        <source>--next-to-source and --output exclude each other</source>
        <translation>--next-to-source und --output schließen einander aus</translation>
    </message>
    <message>
        <source>--next-to-source and --watch exclude each other</source>
        <translation>--next-to-source und --watch schließen einander aus</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select a media group</source>
        <translation>Eine Mediengruppe auswählen</translation>
    </message>
    <message>
        <source>You are going to remove every file in &apos;%1&apos;.</source>
        <translation>Alle Dateien in „%1“ werden aus der Liste entfernt.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>You are going to clear the entire list of files.</source>
        <translation>Die gesamte Dateiliste wird geleert.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
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
        <translation>HEVC-Archiv</translation>
    </message>
    <message>
        <source>Web (small MP4)</source>
        <translation>Web (kleines MP4)</translation>
    </message>
    <message>
        <source>Podcast (MP3 128k)</source>
        <translation>Podcast (MP3 128k)</translation>
    </message>
    <message>
        <source>Hi-Fi (FLAC)</source>
        <translation>Hi-Fi (FLAC)</translation>
    </message>
    <message>
        <source>%1 takes h264, hevc or copy</source>
        <translation>%1 erwartet h264, hevc oder copy</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Konvertierung abgeschlossen</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>Konvertierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>Konvertierung mit Fehlern abgeschlossen</translation>
    </message>
    <message>
        <source>1 file converted.</source>
        <translation>1 Datei konvertiert.</translation>
    </message>
    <message>
        <source>1 file could not be converted.</source>
        <translation>1 Datei konnte nicht konvertiert werden.</translation>
    </message>
    <message>
        <source>%1 of %2 files converted, %3 not.</source>
        <translation>%1 von %2 Dateien konvertiert, %3 nicht.</translation>
    </message>
    <message numerus="yes">
        <source>%n files converted.</source>
        <translation>
            <numerusform>%n Datei konvertiert.</numerusform>
            <numerusform>%n Dateien konvertiert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files could not be converted.</source>
        <translation>
            <numerusform>%n Datei konnte nicht konvertiert werden.</numerusform>
            <numerusform>%n Dateien konnten nicht konvertiert werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DesktopOpen</name>
    <message>
        <source>No program on this desktop opens folders. The folder is:</source>
        <translation>Auf diesem Desktop öffnet kein Programm Ordner. Der Ordner ist:</translation>
    </message>
    <message>
        <source>No mail program is set up on this desktop. Write to:</source>
        <translation>Auf diesem Desktop ist kein E-Mail-Programm eingerichtet. Schreiben Sie an:</translation>
    </message>
    <message>
        <source>No web browser is set up on this desktop. The address is:</source>
        <translation>Auf diesem Desktop ist kein Webbrowser eingerichtet. Die Adresse ist:</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
</context>
<context>
    <name>FFmpegError</name>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>ffmpeg failed</source>
        <translation>ffmpeg ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>FFmpegRun</name>
    <message>
        <source>Could not write %1</source>
        <translation>%1 konnte nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>GroupListModel</name>
    <message>
        <source>%1: 1 file</source>
        <translation>%1: 1 Datei</translation>
    </message>
    <message numerus="yes">
        <source>%1: %Ln files</source>
        <translation>
            <numerusform>%1: %Ln Datei</numerusform>
            <numerusform>%1: %Ln Dateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupSidebar</name>
    <message>
        <source>Media</source>
        <translation>Medien</translation>
    </message>
    <message>
        <source>Add files or a folder</source>
        <translation>Dateien oder einen Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Add Files…</source>
        <translation>Dateien hinzufügen…</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>Remove current group of files</source>
        <translation>Aktuelle Dateigruppe entfernen</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Liste leeren</translation>
    </message>
</context>
<context>
    <name>HardwareProfile</name>
    <message>
        <source>Hardware acceleration (none available, software encoder used)</source>
        <translation>Hardwarebeschleunigung (keine verfügbar, Software-Encoder wird verwendet)</translation>
    </message>
    <message>
        <source>Hardware acceleration (%1, H.264 only)</source>
        <translation>Hardwarebeschleunigung (%1, nur H.264)</translation>
    </message>
    <message>
        <source>Hardware acceleration (%1)</source>
        <translation>Hardwarebeschleunigung (%1)</translation>
    </message>
</context>
<context>
    <name>HeaderBar</name>
    <message>
        <source>Output format</source>
        <translation>Ausgabeformat</translation>
    </message>
    <message>
        <source>Conversion settings</source>
        <translation>Konvertierungseinstellungen</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Preset applied: %1</source>
        <translation>Vorgabe angewendet: %1</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Konvertieren</translation>
    </message>
    <message>
        <source>Convert the files into a folder you choose</source>
        <translation>Die Dateien in einen Ordner Ihrer Wahl konvertieren</translation>
    </message>
    <message>
        <source>Vireo cannot convert the files in “Other”: it does not know their type.</source>
        <translation>Vireo kann die Dateien unter „Andere“ nicht konvertieren: Ihr Typ ist unbekannt.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Formate</translation>
    </message>
    <message>
        <source>Operations</source>
        <translation>Bearbeitung</translation>
    </message>
    <message>
        <source>end</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Trim %1–%2</source>
        <translation>Kürzen %1–%2</translation>
    </message>
    <message>
        <source>Trim &amp; Scale</source>
        <translation>Kürzen &amp; Skalieren</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Kürzen</translation>
    </message>
    <message>
        <source>Scale %1</source>
        <translation>Skalieren %1</translation>
    </message>
    <message>
        <source>Trim the output time range and/or rescale video for this batch</source>
        <translation>Zeitbereich der Ausgabe kürzen und/oder Video für diesen Stapel skalieren</translation>
    </message>
    <message>
        <source>Trim the output time range for this batch</source>
        <translation>Zeitbereich der Ausgabe für diesen Stapel kürzen</translation>
    </message>
    <message>
        <source>In force: %1</source>
        <translation>Aktiv: %1</translation>
    </message>
</context>
<context>
    <name>ImageConversion</name>
    <message>
        <source>File &apos;%1&apos; already exists</source>
        <translation>Die Datei „%1“ existiert bereits</translation>
    </message>
</context>
<context>
    <name>ImagePath</name>
    <message>
        <source>Could not read image</source>
        <translation>Das Bild konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>Unsupported output format: %1</source>
        <translation>Nicht unterstütztes Ausgabeformat: %1</translation>
    </message>
    <message>
        <source>Could not create %1</source>
        <translation>%1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>Could not decode image</source>
        <translation>Das Bild konnte nicht dekodiert werden</translation>
    </message>
    <message>
        <source>Could not write image</source>
        <translation>Das Bild konnte nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>JobQueue</name>
    <message>
        <source>Another file in this batch is also converted to %1: %2</source>
        <translation>Eine andere Datei dieses Stapels wird ebenfalls zu %1 konvertiert: %2</translation>
    </message>
    <message>
        <source>Turn on &quot;Keep folder structure&quot; to give the files of each folder their own folder.</source>
        <translation>Schalten Sie „Ordnerstruktur beibehalten“ ein, damit die Dateien jedes Ordners einen eigenen Ordner bekommen.</translation>
    </message>
</context>
<context>
    <name>MailingListManager</name>
    <message>
        <source>Please enter a valid email address.</source>
        <translation>Bitte eine gültige E-Mail-Adresse eingeben.</translation>
    </message>
    <message>
        <source>This build of Vireo cannot subscribe to the newsletter.</source>
        <translation>Diese Version von Vireo kann den Newsletter nicht abonnieren.</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>Die Anfrage hat zu lange gedauert.</translation>
    </message>
    <message>
        <source>Please check your email address and try again.</source>
        <translation>Bitte die E-Mail-Adresse prüfen und es erneut versuchen.</translation>
    </message>
    <message>
        <source>Server returned %1. Please try again later.</source>
        <translation>Der Server antwortete mit %1. Bitte später erneut versuchen.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Add Files…</source>
        <translation>Dateien &amp;hinzufügen…</translation>
    </message>
    <message>
        <source>Add &amp;Folder…</source>
        <translation>&amp;Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>&amp;Close Window</source>
        <translation>Fenster &amp;schließen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>E&amp;instellungen…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Show &amp;Sidebar</source>
        <translation>&amp;Seitenleiste anzeigen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Contact Support</source>
        <translation>Support kontaktieren</translation>
    </message>
    <message>
        <source>Subscribe to Newsletter…</source>
        <translation>Newsletter abonnieren…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Aktualisierungen suchen…</translation>
    </message>
    <message>
        <source>&amp;About Vireo</source>
        <translation>Ü&amp;ber Vireo</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>About Vireo</source>
        <translation>Über Vireo</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Vireo %1&lt;/h3&gt;&lt;p&gt;Converts batches of audio, video, image and subtitle files with FFmpeg.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Vireo %1&lt;/h3&gt;&lt;p&gt;Konvertiert Audio-, Video-, Bild- und Untertiteldateien stapelweise mit FFmpeg.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Remove from List</source>
        <translation>Aus der Liste &amp;entfernen</translation>
    </message>
    <message>
        <source>&amp;Process…</source>
        <translation>&amp;Konvertieren…</translation>
    </message>
    <message>
        <source>Conversion &amp;Settings</source>
        <translation>Ko&amp;nvertierungseinstellungen</translation>
    </message>
    <message>
        <source>&amp;Trim…</source>
        <translation>K&amp;ürzen…</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
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
        <translation>Video</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstige</translation>
    </message>
</context>
<context>
    <name>MediaJob</name>
    <message>
        <source>The file was removed from the list</source>
        <translation>Die Datei wurde aus der Liste entfernt</translation>
    </message>
    <message>
        <source>The output name &quot;%1&quot; would leave the destination folder &quot;%2&quot;; nothing was written</source>
        <translation>Der Ausgabename „%1“ würde aus dem Zielordner „%2“ hinausführen; es wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>Could not create the folder &quot;%1&quot; for &quot;%2&quot;: %3</source>
        <translation>Der Ordner „%1“ für „%2“ konnte nicht angelegt werden: %3</translation>
    </message>
    <message>
        <source>Could not measure the loudness of &quot;%1&quot;: %2</source>
        <translation>Die Lautheit von „%1“ konnte nicht gemessen werden: %2</translation>
    </message>
    <message>
        <source>Could not measure the loudness of &quot;%1&quot;: ffmpeg reported no figures</source>
        <translation>Die Lautheit von „%1“ konnte nicht gemessen werden: ffmpeg lieferte keine Werte</translation>
    </message>
    <message>
        <source>The output would replace the input file &quot;%1&quot;; choose another destination folder or format</source>
        <translation>Die Ausgabe würde die Eingabedatei „%1“ ersetzen; wählen Sie einen anderen Zielordner oder ein anderes Format</translation>
    </message>
    <message>
        <source>&quot;%1&quot; came out at %2 LUFS instead of %3 LUFS (measured at %4 LUFS before the conversion)</source>
        <translation>„%1“ kam auf %2 LUFS statt %3 LUFS (vor der Konvertierung gemessen: %4 LUFS)</translation>
    </message>
    <message>
        <source>an unknown</source>
        <translation>unbekannte</translation>
    </message>
    <message>
        <source>Reading %1 took too long</source>
        <translation>Das Lesen von %1 hat zu lange gedauert</translation>
    </message>
</context>
<context>
    <name>MediaLoad</name>
    <message>
        <source>Only files on this computer can be imported.</source>
        <translation>Nur Dateien auf diesem Computer können importiert werden.</translation>
    </message>
    <message>
        <source>The path is empty.</source>
        <translation>Der Pfad ist leer.</translation>
    </message>
    <message>
        <source>The folder name is not valid UTF-8. Rename the folder to import the files in it.</source>
        <translation>Der Ordnername ist kein gültiges UTF-8. Benennen Sie den Ordner um, um seine Dateien zu importieren.</translation>
    </message>
    <message>
        <source>The file name is not valid UTF-8. Rename the file to import it.</source>
        <translation>Der Dateiname ist kein gültiges UTF-8. Benennen Sie die Datei um, um sie zu importieren.</translation>
    </message>
    <message>
        <source>Some files of this folder could not be listed: %1</source>
        <translation>Einige Dateien dieses Ordners konnten nicht aufgelistet werden: %1</translation>
    </message>
    <message>
        <source>The folder could not be listed: %1</source>
        <translation>Der Ordner konnte nicht aufgelistet werden: %1</translation>
    </message>
</context>
<context>
    <name>MediaTableModel</name>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>%1 (%2&#xa0;%)</source>
        <translation>%1 (%2&#xa0;%)</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Converting, %1 %</source>
        <translation>Wird konvertiert, %1 %</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Converted, %1</source>
        <translation>Konvertiert, %1</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Konvertiert</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>Unsupported file type</source>
        <translation>Nicht unterstützter Dateityp</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
</context>
<context>
    <name>MediaTarget</name>
    <message>
        <source>Convert to Audio</source>
        <translation>In Audio umwandeln</translation>
    </message>
</context>
<context>
    <name>NewsletterPrompt</name>
    <message>
        <source>Newsletter</source>
        <translation>Newsletter</translation>
    </message>
    <message>
        <source>Stay in the loop</source>
        <translation>Auf dem Laufenden bleiben</translation>
    </message>
    <message>
        <source>Occasional offers, news, and updates about new features.
No spam — I absolutely promise.</source>
        <translation>Gelegentlich Angebote, Neuigkeiten und Infos zu neuen Funktionen.
Kein Spam – versprochen.</translation>
    </message>
    <message>
        <source>you@example.com</source>
        <translation>sie@beispiel.de</translation>
    </message>
    <message>
        <source>Don&apos;t ask again</source>
        <translation>Nicht mehr fragen</translation>
    </message>
    <message>
        <source>Maybe later</source>
        <translation>Vielleicht später</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>Abonnieren</translation>
    </message>
    <message>
        <source>You&apos;re in!</source>
        <translation>Sie sind dabei!</translation>
    </message>
    <message>
        <source>Thanks for subscribing.</source>
        <translation>Danke für Ihr Abonnement.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Datenschutzerklärung</translation>
    </message>
    <message>
        <source>You can unsubscribe any time.</source>
        <translation>Sie können sich jederzeit abmelden.</translation>
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
        <translation>„%1“ enthält keinen Ton zum Konvertieren</translation>
    </message>
    <message>
        <source>The trimmed range is empty: &quot;%1&quot; is shorter than the trim start %2</source>
        <translation>Der gekürzte Bereich ist leer: „%1“ ist kürzer als der Anfang %2</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; cannot be read</source>
        <translation>Die konvertierte Datei „%1“ lässt sich nicht lesen</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; holds no picture</source>
        <translation>Die konvertierte Datei „%1“ enthält kein Bild</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no audio</source>
        <translation>Die konvertierte Datei „%1“ hat keinen Ton</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no video</source>
        <translation>Die konvertierte Datei „%1“ hat kein Video</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no duration</source>
        <translation>Die konvertierte Datei „%1“ hat keine Dauer</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; plays %2 of %3: &quot;%4&quot; itself ends early</source>
        <translation>Die konvertierte Datei „%1“ spielt %2 von %3: „%4“ selbst endet vorzeitig</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; plays %2, but &quot;%3&quot; plays %4</source>
        <translation>Die konvertierte Datei „%1“ spielt %2, „%3“ aber %4</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; holds %2 of the %3 subtitles of &quot;%4&quot;; the others could not be read (a character set that changes within the file?)</source>
        <translation>Die konvertierte Datei „%1“ enthält %2 der %3 Untertitel von „%4“; die übrigen ließen sich nicht lesen (ein Zeichensatz, der innerhalb der Datei wechselt?)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged or cut short: nothing in it could be converted</source>
        <translation>„%1“ ist beschädigt oder unvollständig: nichts darin ließ sich konvertieren</translation>
    </message>
</context>
<context>
    <name>PreferenceControls</name>
    <message>
        <source>Parallel conversions: </source>
        <translation>Gleichzeitige Konvertierungen: </translation>
    </message>
    <message>
        <source>Parallel conversions</source>
        <translation>Gleichzeitige Konvertierungen</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>The settings file %1 is not a regular file; using the default settings, and changes are not saved.</source>
        <translation>Die Einstellungsdatei %1 ist keine normale Datei; es gelten die Standardeinstellungen, und Änderungen werden nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>PreferencesView</name>
    <message>
        <source>-14 LUFS (streaming)</source>
        <translation>-14 LUFS (Streaming)</translation>
    </message>
    <message>
        <source>-16 LUFS (podcast)</source>
        <translation>-16 LUFS (Podcast)</translation>
    </message>
    <message>
        <source>-23 LUFS (broadcast)</source>
        <translation>-23 LUFS (Rundfunk)</translation>
    </message>
    <message>
        <source>Overwrite existing output files</source>
        <translation>Vorhandene Ausgabedateien überschreiben</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>Bereits konvertierte Dateien überspringen</translation>
    </message>
    <message>
        <source>Open destination folder when finished</source>
        <translation>Zielordner nach Abschluss öffnen</translation>
    </message>
    <message>
        <source>Extract audio format</source>
        <translation>Format für extrahiertes Audio</translation>
    </message>
    <message>
        <source>%1 kbps</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source>Audio bitrate</source>
        <translation>Audio-Bitrate</translation>
    </message>
    <message>
        <source>Normalize loudness</source>
        <translation>Lautheit normalisieren</translation>
    </message>
    <message>
        <source>Target level</source>
        <translation>Zielpegel</translation>
    </message>
    <message>
        <source>For audio formats and Convert to Audio. Each file is measured first (EBU R128) and brought to the level, with true peaks at most -1.5 dBTP.</source>
        <translation>Für Audioformate und „In Audio umwandeln“. Jede Datei wird zuerst gemessen (EBU R128) und auf den Pegel gebracht, mit True Peaks von höchstens -1,5 dBTP.</translation>
    </message>
    <message>
        <source>Default codec</source>
        <translation>Standard-Codec</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Hardware acceleration</source>
        <translation>Hardwarebeschleunigung</translation>
    </message>
    <message>
        <source>Keep folder structure</source>
        <translation>Ordnerstruktur beibehalten</translation>
    </message>
    <message>
        <source>How many files to convert at the same time. Higher values use more CPU/GPU.</source>
        <translation>Wie viele Dateien gleichzeitig konvertiert werden. Höhere Werte beanspruchen mehr CPU/GPU.</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Warteschlange</translation>
    </message>
</context>
<context>
    <name>PresetStore</name>
    <message>
        <source>the preset &apos;%1&apos; is refused: %2</source>
        <translation>die Vorgabe „%1“ wird abgelehnt: %2</translation>
    </message>
    <message>
        <source>unknown preset &apos;%1&apos; (see --list-presets)</source>
        <translation>unbekannte Vorgabe „%1“ (siehe --list-presets)</translation>
    </message>
</context>
<context>
    <name>PresetsMenu</name>
    <message>
        <source>Presets</source>
        <translation>Vorgaben</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>No presets for this type</source>
        <translation>Keine Vorgaben für diesen Typ</translation>
    </message>
    <message>
        <source>Built-in</source>
        <translation>Eingebaut</translation>
    </message>
    <message>
        <source>Your presets</source>
        <translation>Eigene Vorgaben</translation>
    </message>
    <message>
        <source>Right-click to delete</source>
        <translation>Rechtsklick zum Löschen</translation>
    </message>
    <message>
        <source>Save current as preset…</source>
        <translation>Aktuelle Einstellungen als Vorgabe speichern…</translation>
    </message>
</context>
<context>
    <name>ProcessError</name>
    <message>
        <source>The tool could not be started</source>
        <translation>Das Werkzeug konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
</context>
<context>
    <name>ProgressMath</name>
    <message>
        <source>Elapsed %1</source>
        <translation>Vergangen %1</translation>
    </message>
    <message>
        <source>ETA %1</source>
        <translation>Noch %1</translation>
    </message>
    <message>
        <source>Finishing…</source>
        <translation>Wird abgeschlossen…</translation>
    </message>
</context>
<context>
    <name>ProgressSheet</name>
    <message>
        <source>Measuring… %1 %</source>
        <translation>Messung… %1 %</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Konvertierung läuft</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%1 von %2 Dateien</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen…</translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fehlgeschlagen</numerusform>
            <numerusform>%n fehlgeschlagen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Choose Files</source>
        <translation>Dateien auswählen</translation>
    </message>
    <message>
        <source>Choose a Folder</source>
        <translation>Einen Ordner auswählen</translation>
    </message>
    <message>
        <source>Choose a Destination</source>
        <translation>Ziel wählen</translation>
    </message>
    <message>
        <source>Next to the originals</source>
        <translation>Neben den Originalen</translation>
    </message>
    <message>
        <source>Write each converted file into its original&apos;s folder</source>
        <translation>Jede konvertierte Datei in den Ordner ihres Originals schreiben</translation>
    </message>
</context>
<context>
    <name>QualityLabel</name>
    <message>
        <source>Excellent</source>
        <translation>Hervorragend</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Moderate</source>
        <translation>Mäßig</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
</context>
<context>
    <name>ResultBar</name>
    <message>
        <source>Show Failures</source>
        <translation>Fehler anzeigen</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <source>%n converted</source>
        <translation>
            <numerusform>%n konvertiert</numerusform>
            <numerusform>%n konvertiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped (already converted)</source>
        <translation>
            <numerusform>%n übersprungen (bereits konvertiert)</numerusform>
            <numerusform>%n übersprungen (bereits konvertiert)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fehlgeschlagen</numerusform>
            <numerusform>%n fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cancelled</source>
        <translation>
            <numerusform>%n abgebrochen</numerusform>
            <numerusform>%n abgebrochen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>Hide Failures</source>
        <translation>Fehler ausblenden</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Failed files</source>
        <translation>Fehlgeschlagene Dateien</translation>
    </message>
</context>
<context>
    <name>SafeOutput</name>
    <message>
        <source>The converter wrote no output file</source>
        <translation>Der Konverter hat keine Ausgabedatei geschrieben</translation>
    </message>
    <message>
        <source>The converter wrote an empty output file</source>
        <translation>Der Konverter hat eine leere Ausgabedatei geschrieben</translation>
    </message>
</context>
<context>
    <name>SavePresetDialog</name>
    <message>
        <source>Save preset</source>
        <translation>Vorgabe speichern</translation>
    </message>
    <message>
        <source>Save the current format and settings as a reusable preset.</source>
        <translation>Das aktuelle Format und die Einstellungen als wiederverwendbare Vorgabe speichern.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SettingRange</name>
    <message>
        <source>%1 takes %2 to %3 %4</source>
        <translation>%1 erwartet %2 bis %3 %4</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Overwrite existing output files</source>
        <translation>Vorhandene Ausgabedateien überschreiben</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>Bereits konvertierte Dateien überspringen</translation>
    </message>
    <message>
        <source>Keep folder structure</source>
        <translation>Ordnerstruktur beibehalten</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>96 kbps</source>
        <translation>96 kbit/s</translation>
    </message>
    <message>
        <source>128 kbps</source>
        <translation>128 kbit/s</translation>
    </message>
    <message>
        <source>192 kbps</source>
        <translation>192 kbit/s</translation>
    </message>
    <message>
        <source>256 kbps</source>
        <translation>256 kbit/s</translation>
    </message>
    <message>
        <source>320 kbps</source>
        <translation>320 kbit/s</translation>
    </message>
    <message>
        <source>Audio bitrate</source>
        <translation>Audio-Bitrate</translation>
    </message>
    <message>
        <source>Video codec</source>
        <translation>Video-Codec</translation>
    </message>
    <message>
        <source>Video quality</source>
        <translation>Videoqualität</translation>
    </message>
    <message>
        <source>Hardware acceleration</source>
        <translation>Hardwarebeschleunigung</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>Audioformat</translation>
    </message>
    <message>
        <source>Normalize loudness</source>
        <translation>Lautheit normalisieren</translation>
    </message>
    <message>
        <source>Bring every file to the same loudness (EBU R128). The level is set in the preferences; each file is read twice.</source>
        <translation>Alle Dateien auf dieselbe Lautheit bringen (EBU R128). Der Pegel wird in den Einstellungen festgelegt; jede Datei wird zweimal gelesen.</translation>
    </message>
    <message>
        <source>Conversion settings</source>
        <translation>Konvertierungseinstellungen</translation>
    </message>
</context>
<context>
    <name>SkippedPathsBanner</name>
    <message>
        <source>Show Details</source>
        <translation>Details anzeigen</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>File or folder</source>
        <translation>Datei oder Ordner</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Details ausblenden</translation>
    </message>
    <message>
        <source>1 file or folder could not be imported.</source>
        <translation>1 Datei oder Ordner konnte nicht importiert werden.</translation>
    </message>
    <message>
        <source>%1 more not listed</source>
        <translation>%1 weitere nicht aufgeführt</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files or folders could not be imported.</source>
        <translation>
            <numerusform>%Ln Datei oder Ordner konnte nicht importiert werden.</numerusform>
            <numerusform>%Ln Dateien oder Ordner konnten nicht importiert werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SnapshotView</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>Remove from list</source>
        <translation>Aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Show Output</source>
        <translation>Ausgabe zeigen</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>Choose Files…</source>
        <translation>Dateien auswählen…</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Ordner auswählen…</translation>
    </message>
    <message>
        <source>Drop media here</source>
        <translation>Medien hierher ziehen</translation>
    </message>
    <message>
        <source>Audio · Video · Images · Subtitles</source>
        <translation>Audio · Video · Bilder · Untertitel</translation>
    </message>
    <message>
        <source>Importing…</source>
        <translation>Wird importiert…</translation>
    </message>
</context>
<context>
    <name>StatusCell</name>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>Converting…</source>
        <translation>Wird konvertiert…</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Konvertiert</translation>
    </message>
    <message>
        <source>Unsupported file type</source>
        <translation>Nicht unterstützter Dateityp</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Measuring loudness…</source>
        <translation>Lautheit wird gemessen…</translation>
    </message>
</context>
<context>
    <name>ToolLocator</name>
    <message>
        <source>%1 was not found. Install it with &quot;sudo apt install ffmpeg&quot; (it comes with the ffmpeg package), or set %2 to its path.</source>
        <translation>%1 wurde nicht gefunden. Installieren Sie es mit „sudo apt install ffmpeg“ (es gehört zum Paket ffmpeg) oder setzen Sie %2 auf seinen Pfad.</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Update checks are turned off in this build of Vireo.</source>
        <translation>Die Suche nach Aktualisierungen ist in dieser Version von Vireo abgeschaltet.</translation>
    </message>
    <message>
        <source>The update feed is too large to be a release feed.</source>
        <translation>Der Aktualisierungs-Feed ist zu groß für einen Versions-Feed.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Der Aktualisierungsserver hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The update feed could not be fetched: %1</source>
        <translation>Der Aktualisierungs-Feed konnte nicht abgerufen werden: %1</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>Der Aktualisierungsserver antwortete mit Status %1.</translation>
    </message>
    <message>
        <source>The update feed does not name a valid version and release page.</source>
        <translation>Der Aktualisierungs-Feed nennt keine gültige Version und Versionsseite.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Softwareaktualisierung</translation>
    </message>
    <message>
        <source>Check for updates automatically once a week</source>
        <translation>Einmal pro Woche automatisch nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Checking for Updates…</source>
        <translation>Suche nach Aktualisierungen…</translation>
    </message>
    <message>
        <source>Vireo is asking its release feed for the newest version.</source>
        <translation>Vireo fragt seinen Versions-Feed nach der neuesten Version.</translation>
    </message>
    <message>
        <source>Vireo %1 is available</source>
        <translation>Vireo %1 ist verfügbar</translation>
    </message>
    <message>
        <source>You have Vireo %1. The release page tells what is new and how to install the new version.</source>
        <translation>Sie haben Vireo %1. Die Versionsseite sagt, was neu ist und wie Sie die neue Version installieren.</translation>
    </message>
    <message>
        <source>Open Release Page</source>
        <translation>Versionsseite öffnen</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message>
        <source>You&apos;re up to date</source>
        <translation>Vireo ist aktuell</translation>
    </message>
    <message>
        <source>Vireo %1 is the newest version available.</source>
        <translation>Vireo %1 ist die neueste verfügbare Version.</translation>
    </message>
    <message>
        <source>Vireo could not check for updates</source>
        <translation>Vireo konnte nicht nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Please try again later.</source>
        <translation>Bitte später erneut versuchen.</translation>
    </message>
    <message>
        <source>Update checks are off</source>
        <translation>Die Suche nach Aktualisierungen ist aus</translation>
    </message>
    <message>
        <source>Your distribution or the package manager you installed it with keeps it up to date.</source>
        <translation>Ihre Distribution bzw. der Paketmanager, mit dem Sie Vireo installiert haben, hält es aktuell.</translation>
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
        <translation>Kopieren (ohne Neukodierung)</translation>
    </message>
</context>
<context>
    <name>VideoQualityBlock</name>
    <message>
        <source>Lower value = higher quality, larger file</source>
        <translation>Niedrigerer Wert = höhere Qualität, größere Datei</translation>
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
        <translation>vireo-cli: %1 kann nicht überwacht werden: kein Ordner</translation>
    </message>
    <message>
        <source>vireo-cli: no inotify watch is left for %1 (see fs.inotify.max_user_watches); looking for new files every %2 s instead</source>
        <translation>vireo-cli: für %1 ist keine inotify-Überwachung mehr frei (siehe fs.inotify.max_user_watches); stattdessen wird alle %2 s nach neuen Dateien gesucht</translation>
    </message>
    <message>
        <source>watching %1, converting to %2 into %3</source>
        <translation>überwache %1, konvertiere zu %2 nach %3</translation>
    </message>
    <message>
        <source>already converted</source>
        <translation>bereits konvertiert</translation>
    </message>
    <message>
        <source>skipped  %1: already converted to %2</source>
        <translation>übersprungen  %1: bereits zu %2 konvertiert</translation>
    </message>
    <message>
        <source>vireo-cli: cannot record converted files in %1: %2</source>
        <translation>vireo-cli: konvertierte Dateien können nicht in %1 vermerkt werden: %2</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Converts batches of audio, video, image and subtitle files.</source>
        <translation>Konvertiert Audio-, Video-, Bild- und Untertiteldateien stapelweise.</translation>
    </message>
    <message>
        <source>Files or folders to import (paths or file: URLs).</source>
        <translation>Zu importierende Dateien oder Ordner (Pfade oder file:-URLs).</translation>
    </message>
</context>
<context>
    <name>vireo-cli</name>
    <message>
        <source>vireo-cli: stopped without waiting for the conversions that did not end (a file that cannot be read any more?)
</source>
        <translation>vireo-cli: beendet, ohne auf die nicht abgeschlossenen Konvertierungen zu warten (eine Datei, die sich nicht mehr lesen lässt?)
</translation>
    </message>
</context>
</TS>
