<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AppDelegate</name>
    <message>
        <source>Show Vireo</source>
        <translation>Afficher Vireo</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
</context>
<context>
    <name>ArgumentBuilder</name>
    <message>
        <source>AAC files cannot hold tags or cover art</source>
        <translation>Les fichiers AAC ne peuvent contenir ni tags ni pochette</translation>
    </message>
    <message>
        <source>WAV files cannot hold cover art</source>
        <translation>Les fichiers WAV ne peuvent pas contenir de pochette</translation>
    </message>
    <message>
        <source>WMA files cannot hold cover art</source>
        <translation>Les fichiers WMA ne peuvent pas contenir de pochette</translation>
    </message>
    <message>
        <source>capped for %1×%2</source>
        <translation>plafonné pour %1×%2</translation>
    </message>
    <message>
        <source>capped by the source&apos;s %1k</source>
        <translation>plafonné aux %1k de la source</translation>
    </message>
    <message>
        <source>video bitrate %1k, %2 (%3k asked)</source>
        <translation>débit vidéo %1k, %2 (%3k demandés)</translation>
    </message>
</context>
<context>
    <name>BatchPanel</name>
    <message>
        <source>Trim output</source>
        <translation>Raccourcir la sortie</translation>
    </message>
    <message>
        <source>Keep only the range between Start and End in the converted file.</source>
        <translation>Ne garder que la plage entre Début et Fin dans le fichier converti.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>HH:MM:SS or seconds (e.g. 90 or 00:01:30). Leave a field blank to skip it.</source>
        <translation>HH:MM:SS ou secondes (par ex. 90 ou 00:01:30). Un champ laissé vide est ignoré.</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>Mise à l’échelle</translation>
    </message>
</context>
<context>
    <name>BatchSettings</name>
    <message>
        <source>&quot;%1&quot; is not a time: use seconds or HH:MM:SS</source>
        <translation>« %1 » n’est pas une durée : utilisez des secondes ou HH:MM:SS</translation>
    </message>
    <message>
        <source>End must be later than Start</source>
        <translation>La fin doit être postérieure au début</translation>
    </message>
</context>
<context>
    <name>CliSession</name>
    <message>
        <source>not a recognized media file</source>
        <translation>fichier multimédia non reconnu</translation>
    </message>
    <message>
        <source>vireo-cli: the preset &apos;%1&apos; names no known target</source>
        <translation>vireo-cli : le préréglage « %1 » ne désigne aucune cible connue</translation>
    </message>
    <message>
        <source>vireo-cli: unknown target &apos;%1&apos; (see --list-targets)</source>
        <translation>vireo-cli : cible inconnue « %1 » (voir --list-targets)</translation>
    </message>
    <message>
        <source>vireo-cli: say what to convert to with --to TARGET or --preset NAME</source>
        <translation>vireo-cli : indiquez le format voulu avec --to CIBLE ou --preset NOM</translation>
    </message>
    <message>
        <source>skipped  %1: %2</source>
        <translation>ignoré  %1 : %2</translation>
    </message>
    <message>
        <source>%1 file; %2 converts %3 files</source>
        <translation>%1 fichier ; %2 convertit %3 fichiers</translation>
    </message>
    <message>
        <source>vireo-cli: nothing to convert to %1</source>
        <translation>vireo-cli : rien à convertir en %1</translation>
    </message>
    <message>
        <source>(PNG from libvips)</source>
        <translation>(PNG via libvips)</translation>
    </message>
    <message>
        <source>loudness measured first, then normalized to %1 LUFS</source>
        <translation>sonie mesurée d’abord, puis normalisée à %1 LUFS</translation>
    </message>
    <message>
        <source>    would fail: %1</source>
        <translation>    échouerait : %1</translation>
    </message>
    <message>
        <source>vireo-cli: cannot create the folder %1</source>
        <translation>vireo-cli : impossible de créer le dossier %1</translation>
    </message>
    <message>
        <source>failed   %1: %2</source>
        <translation>échec   %1 : %2</translation>
    </message>
    <message>
        <source> (measuring loudness)</source>
        <translation> (mesure de la sonie)</translation>
    </message>
    <message>
        <source>%1 to convert, %2 skipped (dry run)</source>
        <translation>%1 à convertir, %2 ignorés (simulation)</translation>
    </message>
    <message>
        <source>%1 to convert, %2 would fail, %3 skipped (dry run)</source>
        <translation>%1 à convertir, %2 échoueraient, %3 ignorés (simulation)</translation>
    </message>
    <message>
        <source>same file as %1</source>
        <translation>même fichier que %1</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed, %3 skipped</source>
        <translation>%1 convertis, %2 en échec, %3 ignorés</translation>
    </message>
    <message>
        <source>, %1 cancelled</source>
        <translation>, %1 annulés</translation>
    </message>
    <message>
        <source>, %1 not started</source>
        <translation>, %1 non commencés</translation>
    </message>
    <message>
        <source> in %1</source>
        <translation> en %1</translation>
    </message>
    <message>
        <source>the output of %1</source>
        <translation>la sortie de %1</translation>
    </message>
</context>
<context>
    <name>CliText</name>
    <message>
        <source>vireo-cli: %1
Try &apos;vireo-cli --help&apos;.
</source>
        <translation>vireo-cli : %1
Essayez « vireo-cli --help ».
</translation>
    </message>
    <message>
        <source>--normalize takes a loudness in LUFS from -70 to -5</source>
        <translation>--normalize attend une sonie en LUFS de -70 à -5</translation>
    </message>
    <message>
        <source>Converts media files with Vireo&apos;s engine.</source>
        <translation>Convertit des fichiers multimédias avec le moteur de Vireo.</translation>
    </message>
    <message>
        <source>Target id, e.g. audio.mp3, video.mp4, video.extract-audio, image.png, subtitle.srt.</source>
        <translation>Identifiant de la cible, par ex. audio.mp3, video.mp4, video.extract-audio, image.png, subtitle.srt.</translation>
    </message>
    <message>
        <source>A built-in or saved preset (name or id): its target unless --to is given, and its settings.</source>
        <translation>Un préréglage intégré ou enregistré (nom ou identifiant) : sa cible, sauf si --to est donné, et ses réglages.</translation>
    </message>
    <message>
        <source>Destination folder; created if missing. Default: the current folder.</source>
        <translation>Dossier de destination, créé s’il n’existe pas. Par défaut : le dossier courant.</translation>
    </message>
    <message>
        <source>Parallel conversions (default: the &quot;max concurrent jobs&quot; preference).</source>
        <translation>Conversions simultanées (par défaut : la préférence « max concurrent jobs »).</translation>
    </message>
    <message>
        <source>Replace existing outputs.</source>
        <translation>Remplacer les fichiers de sortie existants.</translation>
    </message>
    <message>
        <source>Never replace existing outputs.</source>
        <translation>Ne jamais remplacer les fichiers de sortie existants.</translation>
    </message>
    <message>
        <source>Audio bitrate in kbit/s.</source>
        <translation>Débit audio en kbit/s.</translation>
    </message>
    <message>
        <source>Video codec: h264, hevc or copy.</source>
        <translation>Codec vidéo : h264, hevc ou copy.</translation>
    </message>
    <message>
        <source>Video quality, 16 (best) to 32.</source>
        <translation>Qualité vidéo, de 16 (la meilleure) à 32.</translation>
    </message>
    <message>
        <source>Use the hardware video encoder where one works.</source>
        <translation>Utiliser l’encodeur vidéo matériel s’il y en a un qui fonctionne.</translation>
    </message>
    <message>
        <source>Use the software video encoder.</source>
        <translation>Utiliser l’encodeur vidéo logiciel.</translation>
    </message>
    <message>
        <source>Format of video.extract-audio, e.g. mp3, m4a, flac.</source>
        <translation>Format de video.extract-audio, par ex. mp3, m4a, flac.</translation>
    </message>
    <message>
        <source>Keep from this time on (seconds or HH:MM:SS).</source>
        <translation>Garder à partir de ce moment (secondes ou HH:MM:SS).</translation>
    </message>
    <message>
        <source>Stop at this time of the input (seconds or HH:MM:SS).</source>
        <translation>S’arrêter à ce moment de l’entrée (secondes ou HH:MM:SS).</translation>
    </message>
    <message>
        <source>Video height: original, 2160p, 1440p, 1080p, 720p, 480p, 360p.</source>
        <translation>Hauteur de la vidéo : original, 2160p, 1440p, 1080p, 720p, 480p, 360p.</translation>
    </message>
    <message>
        <source>Recreate the subfolders of each input folder in the output folder instead of writing every output side by side.</source>
        <translation>Recréer les sous-dossiers de chaque dossier d’entrée dans le dossier de sortie au lieu d’écrire toutes les sorties côte à côte.</translation>
    </message>
    <message>
        <source>Classify and plan only; convert nothing.</source>
        <translation>Classer et planifier seulement ; ne rien convertir.</translation>
    </message>
    <message>
        <source>Machine-readable output, one JSON object per line.</source>
        <translation>Sortie lisible par machine, un objet JSON par ligne.</translation>
    </message>
    <message>
        <source>List the targets.</source>
        <translation>Lister les cibles.</translation>
    </message>
    <message>
        <source>List the built-in and saved presets.</source>
        <translation>Lister les préréglages intégrés et enregistrés.</translation>
    </message>
    <message>
        <source>Print only errors and the summary.</source>
        <translation>N’afficher que les erreurs et le résumé.</translation>
    </message>
    <message>
        <source>Normalize the loudness of audio outputs (EBU R128) to -16 LUFS, or to the level of --normalize=LUFS (-70 to -5; -14 streaming, -23 broadcast).</source>
        <translation>Normaliser la sonie des sorties audio (EBU R128) à -16 LUFS, ou au niveau de --normalize=LUFS (-70 à -5 ; -14 streaming, -23 diffusion).</translation>
    </message>
    <message>
        <source>Convert only part K of N of the files (1 &lt;= K &lt;= N), split by a hash of their paths relative to the input folders: the same on every machine.</source>
        <translation>Ne convertir que la partie K sur N des fichiers (1 &lt;= K &lt;= N), répartis selon un hachage de leurs chemins relatifs aux dossiers d’entrée : identique sur chaque machine.</translation>
    </message>
    <message>
        <source>Files or folders to convert.</source>
        <translation>Fichiers ou dossiers à convertir.</translation>
    </message>
    <message>
        <source>--jobs takes a whole number</source>
        <translation>--jobs attend un nombre entier</translation>
    </message>
    <message>
        <source>--overwrite and --no-overwrite exclude each other</source>
        <translation>--overwrite et --no-overwrite s’excluent mutuellement</translation>
    </message>
    <message>
        <source>--hwaccel and --no-hwaccel exclude each other</source>
        <translation>--hwaccel et --no-hwaccel s’excluent mutuellement</translation>
    </message>
    <message>
        <source>--video-codec takes h264, hevc or copy</source>
        <translation>--video-codec attend h264, hevc ou copy</translation>
    </message>
    <message>
        <source>--video-quality takes a number</source>
        <translation>--video-quality attend un nombre</translation>
    </message>
    <message>
        <source>--audio-format takes one of %1</source>
        <translation>--audio-format attend l’une des valeurs : %1</translation>
    </message>
    <message>
        <source>--trim-start/--trim-end: %1</source>
        <translation>--trim-start/--trim-end : %1</translation>
    </message>
    <message>
        <source>--scale takes original, 2160p, 1440p, 1080p, 720p, 480p or 360p</source>
        <translation>--scale attend original, 2160p, 1440p, 1080p, 720p, 480p ou 360p</translation>
    </message>
    <message>
        <source>--shard takes K/N with 1 &lt;= K &lt;= N</source>
        <translation>--shard attend K/N avec 1 &lt;= K &lt;= N</translation>
    </message>
    <message>
        <source>no INPUT given</source>
        <translation>aucune ENTRÉE indiquée</translation>
    </message>
    <message>
        <source>Keep running and convert every file that appears in DIR or below once it has stopped growing; files converted before are skipped. Ends with Ctrl+C or SIGTERM.</source>
        <translation>Rester actif et convertir chaque fichier qui apparaît dans DIR ou en dessous dès qu’il cesse de grossir ; les fichiers déjà convertis sont ignorés. Se termine par Ctrl+C ou SIGTERM.</translation>
    </message>
    <message>
        <source>With --watch: how long a file must stay unchanged to count as complete (default 2).</source>
        <translation>Avec --watch : durée pendant laquelle un fichier doit rester inchangé pour être considéré comme complet (2 par défaut).</translation>
    </message>
    <message>
        <source>--audio-bitrate takes a number</source>
        <translation>--audio-bitrate attend un nombre</translation>
    </message>
    <message>
        <source>--watch takes no INPUT, --dry-run or --shard</source>
        <translation>--watch n’accepte ni INPUT, ni --dry-run, ni --shard</translation>
    </message>
    <message>
        <source>--settle takes 0.1 to 3600 seconds</source>
        <translation>--settle attend de 0,1 à 3600 secondes</translation>
    </message>
    <message>
        <source>Write each output into its input&apos;s own folder instead of -o&apos;s. An output that would replace its input is refused.</source>
        <translation>Écrire chaque sortie dans le dossier de son entrée au lieu de celui de -o. Une sortie qui remplacerait son entrée est refusée.</translation>
    </message>
    <message>
        <source>--next-to-source and --output exclude each other</source>
        <translation>--next-to-source et --output s&apos;excluent mutuellement</translation>
    </message>
    <message>
        <source>--next-to-source and --watch exclude each other</source>
        <translation>--next-to-source et --watch s&apos;excluent mutuellement</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select a media group</source>
        <translation>Choisissez un groupe de médias</translation>
    </message>
    <message>
        <source>You are going to remove every file in &apos;%1&apos;.</source>
        <translation>Tous les fichiers de « %1 » vont être retirés.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>You are going to clear the entire list of files.</source>
        <translation>La liste entière des fichiers va être vidée.</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vider</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Êtes-vous sûr ?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Archive HEVC</translation>
    </message>
    <message>
        <source>Web (small MP4)</source>
        <translation>Web (MP4 léger)</translation>
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
        <translation>%1 attend h264, hevc ou copy</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Conversion terminée</translation>
    </message>
    <message>
        <source>Conversion failed</source>
        <translation>La conversion a échoué</translation>
    </message>
    <message>
        <source>Conversion finished with errors</source>
        <translation>Conversion terminée avec des erreurs</translation>
    </message>
    <message>
        <source>1 file converted.</source>
        <translation>1 fichier converti.</translation>
    </message>
    <message>
        <source>1 file could not be converted.</source>
        <translation>1 fichier n’a pas pu être converti.</translation>
    </message>
    <message>
        <source>%1 of %2 files converted, %3 not.</source>
        <translation>%1 fichiers sur %2 convertis, %3 non.</translation>
    </message>
    <message numerus="yes">
        <source>%n files converted.</source>
        <translation>
            <numerusform>%n fichier converti.</numerusform>
            <numerusform>%n fichiers convertis.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n files could not be converted.</source>
        <translation>
            <numerusform>%n fichier n’a pas pu être converti.</numerusform>
            <numerusform>%n fichiers n’ont pas pu être convertis.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DesktopOpen</name>
    <message>
        <source>No program on this desktop opens folders. The folder is:</source>
        <translation>Aucun programme de ce bureau n’ouvre les dossiers. Le dossier est :</translation>
    </message>
    <message>
        <source>No mail program is set up on this desktop. Write to:</source>
        <translation>Aucun logiciel de messagerie n’est configuré sur ce bureau. Écrivez à :</translation>
    </message>
    <message>
        <source>No web browser is set up on this desktop. The address is:</source>
        <translation>Aucun navigateur web n’est configuré sur ce bureau. L’adresse est :</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
</context>
<context>
    <name>FFmpegError</name>
    <message>
        <source>Cancelled</source>
        <translation>Annulée</translation>
    </message>
    <message>
        <source>ffmpeg failed</source>
        <translation>ffmpeg a échoué</translation>
    </message>
</context>
<context>
    <name>FFmpegRun</name>
    <message>
        <source>Could not write %1</source>
        <translation>Impossible d’écrire %1</translation>
    </message>
</context>
<context>
    <name>GroupListModel</name>
    <message>
        <source>%1: 1 file</source>
        <translation>%1 : 1 fichier</translation>
    </message>
    <message numerus="yes">
        <source>%1: %Ln files</source>
        <translation>
            <numerusform>%1 : %Ln fichier</numerusform>
            <numerusform>%1 : %Ln fichiers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupSidebar</name>
    <message>
        <source>Media</source>
        <translation>Médias</translation>
    </message>
    <message>
        <source>Add files or a folder</source>
        <translation>Ajouter des fichiers ou un dossier</translation>
    </message>
    <message>
        <source>Add Files…</source>
        <translation>Ajouter des fichiers…</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Ajouter un dossier…</translation>
    </message>
    <message>
        <source>Remove current group of files</source>
        <translation>Retirer le groupe de fichiers actuel</translation>
    </message>
    <message>
        <source>Clear list</source>
        <translation>Vider la liste</translation>
    </message>
</context>
<context>
    <name>HardwareProfile</name>
    <message>
        <source>Hardware acceleration (none available, software encoder used)</source>
        <translation>Accélération matérielle (aucune disponible, encodeur logiciel utilisé)</translation>
    </message>
    <message>
        <source>Hardware acceleration (%1, H.264 only)</source>
        <translation>Accélération matérielle (%1, H.264 uniquement)</translation>
    </message>
    <message>
        <source>Hardware acceleration (%1)</source>
        <translation>Accélération matérielle (%1)</translation>
    </message>
</context>
<context>
    <name>HeaderBar</name>
    <message>
        <source>Output format</source>
        <translation>Format de sortie</translation>
    </message>
    <message>
        <source>Conversion settings</source>
        <translation>Réglages de conversion</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Préréglages</translation>
    </message>
    <message>
        <source>Preset applied: %1</source>
        <translation>Préréglage appliqué : %1</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>Convertir</translation>
    </message>
    <message>
        <source>Convert the files into a folder you choose</source>
        <translation>Convertir les fichiers dans un dossier de votre choix</translation>
    </message>
    <message>
        <source>Vireo cannot convert the files in “Other”: it does not know their type.</source>
        <translation>Vireo ne peut pas convertir les fichiers de « Autres » : leur type est inconnu.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 fichier</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n fichier</numerusform>
            <numerusform>%n fichiers</numerusform>
        </translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Formats</translation>
    </message>
    <message>
        <source>Operations</source>
        <translation>Opérations</translation>
    </message>
    <message>
        <source>end</source>
        <translation>fin</translation>
    </message>
    <message>
        <source>Trim %1–%2</source>
        <translation>Raccourcir %1–%2</translation>
    </message>
    <message>
        <source>Trim &amp; Scale</source>
        <translation>Raccourcir &amp; redimensionner</translation>
    </message>
    <message>
        <source>Trim</source>
        <translation>Raccourcir</translation>
    </message>
    <message>
        <source>Scale %1</source>
        <translation>Redimensionner %1</translation>
    </message>
    <message>
        <source>Trim the output time range and/or rescale video for this batch</source>
        <translation>Raccourcir la plage de temps de sortie et/ou redimensionner la vidéo pour ce lot</translation>
    </message>
    <message>
        <source>Trim the output time range for this batch</source>
        <translation>Raccourcir la plage de temps de sortie pour ce lot</translation>
    </message>
    <message>
        <source>In force: %1</source>
        <translation>En vigueur : %1</translation>
    </message>
</context>
<context>
    <name>ImageConversion</name>
    <message>
        <source>File &apos;%1&apos; already exists</source>
        <translation>Le fichier « %1 » existe déjà</translation>
    </message>
</context>
<context>
    <name>ImagePath</name>
    <message>
        <source>Could not read image</source>
        <translation>Impossible de lire l’image</translation>
    </message>
    <message>
        <source>Unsupported output format: %1</source>
        <translation>Format de sortie non pris en charge : %1</translation>
    </message>
    <message>
        <source>Could not create %1</source>
        <translation>Impossible de créer %1</translation>
    </message>
    <message>
        <source>Could not decode image</source>
        <translation>Impossible de décoder l’image</translation>
    </message>
    <message>
        <source>Could not write image</source>
        <translation>Impossible d’écrire l’image</translation>
    </message>
</context>
<context>
    <name>JobQueue</name>
    <message>
        <source>Another file in this batch is also converted to %1: %2</source>
        <translation>Un autre fichier de ce lot est aussi converti en %1 : %2</translation>
    </message>
    <message>
        <source>Turn on &quot;Keep folder structure&quot; to give the files of each folder their own folder.</source>
        <translation>Activez « Conserver l’arborescence » pour que les fichiers de chaque dossier aient leur propre dossier.</translation>
    </message>
</context>
<context>
    <name>MailingListManager</name>
    <message>
        <source>Please enter a valid email address.</source>
        <translation>Veuillez saisir une adresse e-mail valide.</translation>
    </message>
    <message>
        <source>This build of Vireo cannot subscribe to the newsletter.</source>
        <translation>Cette version de Vireo ne peut pas s’abonner à la lettre d’information.</translation>
    </message>
    <message>
        <source>The request timed out.</source>
        <translation>La requête a expiré.</translation>
    </message>
    <message>
        <source>Please check your email address and try again.</source>
        <translation>Vérifiez votre adresse e-mail et réessayez.</translation>
    </message>
    <message>
        <source>Server returned %1. Please try again later.</source>
        <translation>Le serveur a répondu %1. Veuillez réessayer plus tard.</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Add Files…</source>
        <translation>&amp;Ajouter des fichiers…</translation>
    </message>
    <message>
        <source>Add &amp;Folder…</source>
        <translation>Ajouter un &amp;dossier…</translation>
    </message>
    <message>
        <source>&amp;Close Window</source>
        <translation>&amp;Fermer la fenêtre</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Préférences…</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>Show &amp;Sidebar</source>
        <translation>Afficher la &amp;barre latérale</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>Contact Support</source>
        <translation>Contacter l’assistance</translation>
    </message>
    <message>
        <source>Subscribe to Newsletter…</source>
        <translation>S’abonner à la lettre d’information…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>&amp;About Vireo</source>
        <translation>À &amp;propos de Vireo</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>About Vireo</source>
        <translation>À propos de Vireo</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Vireo %1&lt;/h3&gt;&lt;p&gt;Converts batches of audio, video, image and subtitle files with FFmpeg.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Vireo %1&lt;/h3&gt;&lt;p&gt;Convertit par lots des fichiers audio, vidéo, image et sous-titres avec FFmpeg.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Remove from List</source>
        <translation>&amp;Retirer de la liste</translation>
    </message>
    <message>
        <source>&amp;Process…</source>
        <translation>&amp;Convertir…</translation>
    </message>
    <message>
        <source>Conversion &amp;Settings</source>
        <translation>Ré&amp;glages de conversion</translation>
    </message>
    <message>
        <source>&amp;Trim…</source>
        <translation>Racc&amp;ourcir…</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
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
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Subtitles</source>
        <translation>Sous-titres</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autres</translation>
    </message>
</context>
<context>
    <name>MediaJob</name>
    <message>
        <source>The file was removed from the list</source>
        <translation>Le fichier a été retiré de la liste</translation>
    </message>
    <message>
        <source>The output name &quot;%1&quot; would leave the destination folder &quot;%2&quot;; nothing was written</source>
        <translation>Le nom de sortie « %1 » sortirait du dossier de destination « %2 » ; rien n’a été écrit</translation>
    </message>
    <message>
        <source>Could not create the folder &quot;%1&quot; for &quot;%2&quot;: %3</source>
        <translation>Impossible de créer le dossier « %1 » pour « %2 » : %3</translation>
    </message>
    <message>
        <source>Could not measure the loudness of &quot;%1&quot;: %2</source>
        <translation>Impossible de mesurer la sonie de « %1 » : %2</translation>
    </message>
    <message>
        <source>Could not measure the loudness of &quot;%1&quot;: ffmpeg reported no figures</source>
        <translation>Impossible de mesurer la sonie de « %1 » : ffmpeg n’a fourni aucune valeur</translation>
    </message>
    <message>
        <source>The output would replace the input file &quot;%1&quot;; choose another destination folder or format</source>
        <translation>La sortie remplacerait le fichier d’entrée « %1 » ; choisissez un autre dossier de destination ou un autre format</translation>
    </message>
    <message>
        <source>&quot;%1&quot; came out at %2 LUFS instead of %3 LUFS (measured at %4 LUFS before the conversion)</source>
        <translation>« %1 » est sorti à %2 LUFS au lieu de %3 LUFS (%4 LUFS mesurés avant la conversion)</translation>
    </message>
    <message>
        <source>an unknown</source>
        <translation>un nombre inconnu de</translation>
    </message>
    <message>
        <source>Reading %1 took too long</source>
        <translation>La lecture de %1 a pris trop de temps</translation>
    </message>
</context>
<context>
    <name>MediaLoad</name>
    <message>
        <source>Only files on this computer can be imported.</source>
        <translation>Seuls les fichiers de cet ordinateur peuvent être importés.</translation>
    </message>
    <message>
        <source>The path is empty.</source>
        <translation>Le chemin est vide.</translation>
    </message>
    <message>
        <source>The folder name is not valid UTF-8. Rename the folder to import the files in it.</source>
        <translation>Le nom du dossier n’est pas de l’UTF-8 valide. Renommez le dossier pour importer ses fichiers.</translation>
    </message>
    <message>
        <source>The file name is not valid UTF-8. Rename the file to import it.</source>
        <translation>Le nom du fichier n’est pas de l’UTF-8 valide. Renommez le fichier pour l’importer.</translation>
    </message>
    <message>
        <source>Some files of this folder could not be listed: %1</source>
        <translation>Certains fichiers de ce dossier n’ont pas pu être listés : %1</translation>
    </message>
    <message>
        <source>The folder could not be listed: %1</source>
        <translation>Le dossier n’a pas pu être listé : %1</translation>
    </message>
</context>
<context>
    <name>MediaTableModel</name>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>%1 (%2&#xa0;%)</source>
        <translation>%1 (%2&#xa0;%)</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Converting, %1 %</source>
        <translation>Conversion, %1 %</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Échec : %1</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>Converted, %1</source>
        <translation>Converti, %1</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converti</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>Unsupported file type</source>
        <translation>Type de fichier non pris en charge</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
</context>
<context>
    <name>MediaTarget</name>
    <message>
        <source>Convert to Audio</source>
        <translation>Convertir en audio</translation>
    </message>
</context>
<context>
    <name>NewsletterPrompt</name>
    <message>
        <source>Newsletter</source>
        <translation>Lettre d’information</translation>
    </message>
    <message>
        <source>Stay in the loop</source>
        <translation>Restez informé</translation>
    </message>
    <message>
        <source>Occasional offers, news, and updates about new features.
No spam — I absolutely promise.</source>
        <translation>Des offres, des nouvelles et des informations sur les nouveautés, de temps en temps.
Pas de spam, c’est promis.</translation>
    </message>
    <message>
        <source>you@example.com</source>
        <translation>vous@exemple.fr</translation>
    </message>
    <message>
        <source>Don&apos;t ask again</source>
        <translation>Ne plus demander</translation>
    </message>
    <message>
        <source>Maybe later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>Subscribe</source>
        <translation>S’abonner</translation>
    </message>
    <message>
        <source>You&apos;re in!</source>
        <translation>C’est fait !</translation>
    </message>
    <message>
        <source>Thanks for subscribing.</source>
        <translation>Merci de votre abonnement.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Privacy policy</source>
        <translation>Politique de confidentialité</translation>
    </message>
    <message>
        <source>You can unsubscribe any time.</source>
        <translation>Vous pouvez vous désabonner à tout moment.</translation>
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
        <translation>« %1 » ne contient aucun son à convertir</translation>
    </message>
    <message>
        <source>The trimmed range is empty: &quot;%1&quot; is shorter than the trim start %2</source>
        <translation>La plage raccourcie est vide : « %1 » est plus court que le début %2</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; cannot be read</source>
        <translation>Le fichier converti « %1 » est illisible</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; holds no picture</source>
        <translation>Le fichier converti « %1 » ne contient aucune image</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no audio</source>
        <translation>Le fichier converti « %1 » n’a pas de son</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no video</source>
        <translation>Le fichier converti « %1 » n’a pas de vidéo</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; has no duration</source>
        <translation>Le fichier converti « %1 » n’a pas de durée</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; plays %2 of %3: &quot;%4&quot; itself ends early</source>
        <translation>Le fichier converti « %1 » dure %2 sur %3 : « %4 » lui-même s’arrête trop tôt</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; plays %2, but &quot;%3&quot; plays %4</source>
        <translation>Le fichier converti « %1 » dure %2, mais « %3 » dure %4</translation>
    </message>
    <message>
        <source>The converted file &quot;%1&quot; holds %2 of the %3 subtitles of &quot;%4&quot;; the others could not be read (a character set that changes within the file?)</source>
        <translation>Le fichier converti « %1 » contient %2 des %3 sous-titres de « %4 » ; les autres n’ont pas pu être lus (un jeu de caractères qui change au sein du fichier ?)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged or cut short: nothing in it could be converted</source>
        <translation>« %1 » est endommagé ou tronqué : rien n’a pu en être converti</translation>
    </message>
</context>
<context>
    <name>PreferenceControls</name>
    <message>
        <source>Parallel conversions: </source>
        <translation>Conversions simultanées : </translation>
    </message>
    <message>
        <source>Parallel conversions</source>
        <translation>Conversions simultanées</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>The settings file %1 is not a regular file; using the default settings, and changes are not saved.</source>
        <translation>Le fichier de réglages %1 n’est pas un fichier ordinaire ; les réglages par défaut sont utilisés et les modifications ne sont pas enregistrées.</translation>
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
        <translation>-16 LUFS (podcast)</translation>
    </message>
    <message>
        <source>-23 LUFS (broadcast)</source>
        <translation>-23 LUFS (diffusion)</translation>
    </message>
    <message>
        <source>Overwrite existing output files</source>
        <translation>Écraser les fichiers de sortie existants</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>Ignorer les fichiers déjà convertis</translation>
    </message>
    <message>
        <source>Open destination folder when finished</source>
        <translation>Ouvrir le dossier de destination à la fin</translation>
    </message>
    <message>
        <source>Extract audio format</source>
        <translation>Format de l’audio extrait</translation>
    </message>
    <message>
        <source>%1 kbps</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source>Audio bitrate</source>
        <translation>Débit audio</translation>
    </message>
    <message>
        <source>Normalize loudness</source>
        <translation>Normaliser la sonie</translation>
    </message>
    <message>
        <source>Target level</source>
        <translation>Niveau cible</translation>
    </message>
    <message>
        <source>For audio formats and Convert to Audio. Each file is measured first (EBU R128) and brought to the level, with true peaks at most -1.5 dBTP.</source>
        <translation>Pour les formats audio et « Convertir en audio ». Chaque fichier est d’abord mesuré (EBU R128) puis amené au niveau, avec des crêtes réelles d’au plus -1,5 dBTP.</translation>
    </message>
    <message>
        <source>Default codec</source>
        <translation>Codec par défaut</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>Hardware acceleration</source>
        <translation>Accélération matérielle</translation>
    </message>
    <message>
        <source>Keep folder structure</source>
        <translation>Conserver l’arborescence</translation>
    </message>
    <message>
        <source>How many files to convert at the same time. Higher values use more CPU/GPU.</source>
        <translation>Nombre de fichiers à convertir en même temps. Des valeurs plus élevées sollicitent davantage le CPU/GPU.</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>File d’attente</translation>
    </message>
</context>
<context>
    <name>PresetStore</name>
    <message>
        <source>the preset &apos;%1&apos; is refused: %2</source>
        <translation>le préréglage « %1 » est refusé : %2</translation>
    </message>
    <message>
        <source>unknown preset &apos;%1&apos; (see --list-presets)</source>
        <translation>préréglage inconnu « %1 » (voir --list-presets)</translation>
    </message>
</context>
<context>
    <name>PresetsMenu</name>
    <message>
        <source>Presets</source>
        <translation>Préréglages</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>No presets for this type</source>
        <translation>Aucun préréglage pour ce type</translation>
    </message>
    <message>
        <source>Built-in</source>
        <translation>Intégrés</translation>
    </message>
    <message>
        <source>Your presets</source>
        <translation>Vos préréglages</translation>
    </message>
    <message>
        <source>Right-click to delete</source>
        <translation>Clic droit pour supprimer</translation>
    </message>
    <message>
        <source>Save current as preset…</source>
        <translation>Enregistrer comme préréglage…</translation>
    </message>
</context>
<context>
    <name>ProcessError</name>
    <message>
        <source>The tool could not be started</source>
        <translation>L’outil n’a pas pu être lancé</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
</context>
<context>
    <name>ProgressMath</name>
    <message>
        <source>Elapsed %1</source>
        <translation>Écoulé %1</translation>
    </message>
    <message>
        <source>ETA %1</source>
        <translation>Reste %1</translation>
    </message>
    <message>
        <source>Finishing…</source>
        <translation>Finalisation…</translation>
    </message>
</context>
<context>
    <name>ProgressSheet</name>
    <message>
        <source>Measuring… %1 %</source>
        <translation>Mesure… %1 %</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Conversion en cours</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%1 fichiers sur %2</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Annulation…</translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n en échec</numerusform>
            <numerusform>%n en échec</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Choose Files</source>
        <translation>Choisir des fichiers</translation>
    </message>
    <message>
        <source>Choose a Folder</source>
        <translation>Choisir un dossier</translation>
    </message>
    <message>
        <source>Choose a Destination</source>
        <translation>Choisir une destination</translation>
    </message>
    <message>
        <source>Next to the originals</source>
        <translation>À côté des originaux</translation>
    </message>
    <message>
        <source>Write each converted file into its original&apos;s folder</source>
        <translation>Écrire chaque fichier converti dans le dossier de son original</translation>
    </message>
</context>
<context>
    <name>QualityLabel</name>
    <message>
        <source>Excellent</source>
        <translation>Excellente</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Élevée</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Moderate</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Faible</translation>
    </message>
</context>
<context>
    <name>ResultBar</name>
    <message>
        <source>Show Failures</source>
        <translation>Afficher les échecs</translation>
    </message>
    <message>
        <source>Show in File Manager</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message numerus="yes">
        <source>%n converted</source>
        <translation>
            <numerusform>%n converti</numerusform>
            <numerusform>%n convertis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n skipped (already converted)</source>
        <translation>
            <numerusform>%n ignoré (déjà converti)</numerusform>
            <numerusform>%n ignorés (déjà convertis)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n en échec</numerusform>
            <numerusform>%n en échec</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n cancelled</source>
        <translation>
            <numerusform>%n annulé</numerusform>
            <numerusform>%n annulés</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>Hide Failures</source>
        <translation>Masquer les échecs</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>Failed files</source>
        <translation>Fichiers en échec</translation>
    </message>
</context>
<context>
    <name>SafeOutput</name>
    <message>
        <source>The converter wrote no output file</source>
        <translation>Le convertisseur n’a écrit aucun fichier de sortie</translation>
    </message>
    <message>
        <source>The converter wrote an empty output file</source>
        <translation>Le convertisseur a écrit un fichier de sortie vide</translation>
    </message>
</context>
<context>
    <name>SavePresetDialog</name>
    <message>
        <source>Save preset</source>
        <translation>Enregistrer le préréglage</translation>
    </message>
    <message>
        <source>Save the current format and settings as a reusable preset.</source>
        <translation>Enregistrer le format et les réglages actuels comme préréglage réutilisable.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>SettingRange</name>
    <message>
        <source>%1 takes %2 to %3 %4</source>
        <translation>%1 attend de %2 à %3 %4</translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Overwrite existing output files</source>
        <translation>Écraser les fichiers de sortie existants</translation>
    </message>
    <message>
        <source>Skip files already converted</source>
        <translation>Ignorer les fichiers déjà convertis</translation>
    </message>
    <message>
        <source>Keep folder structure</source>
        <translation>Conserver l’arborescence</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
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
        <translation>Débit audio</translation>
    </message>
    <message>
        <source>Video codec</source>
        <translation>Codec vidéo</translation>
    </message>
    <message>
        <source>Video quality</source>
        <translation>Qualité vidéo</translation>
    </message>
    <message>
        <source>Hardware acceleration</source>
        <translation>Accélération matérielle</translation>
    </message>
    <message>
        <source>Audio format</source>
        <translation>Format audio</translation>
    </message>
    <message>
        <source>Normalize loudness</source>
        <translation>Normaliser la sonie</translation>
    </message>
    <message>
        <source>Bring every file to the same loudness (EBU R128). The level is set in the preferences; each file is read twice.</source>
        <translation>Amener chaque fichier à la même sonie (EBU R128). Le niveau se règle dans les préférences ; chaque fichier est lu deux fois.</translation>
    </message>
    <message>
        <source>Conversion settings</source>
        <translation>Réglages de conversion</translation>
    </message>
</context>
<context>
    <name>SkippedPathsBanner</name>
    <message>
        <source>Show Details</source>
        <translation>Afficher les détails</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>File or folder</source>
        <translation>Fichier ou dossier</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>Hide Details</source>
        <translation>Masquer les détails</translation>
    </message>
    <message>
        <source>1 file or folder could not be imported.</source>
        <translation>1 fichier ou dossier n’a pas pu être importé.</translation>
    </message>
    <message>
        <source>%1 more not listed</source>
        <translation>%1 autres non listés</translation>
    </message>
    <message numerus="yes">
        <source>%Ln files or folders could not be imported.</source>
        <translation>
            <numerusform>%Ln fichier ou dossier n’a pas pu être importé.</numerusform>
            <numerusform>%Ln fichiers ou dossiers n’ont pas pu être importés.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SnapshotView</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Remove from list</source>
        <translation>Retirer de la liste</translation>
    </message>
    <message>
        <source>Show Output</source>
        <translation>Afficher la sortie</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>Choose Files…</source>
        <translation>Choisir des fichiers…</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Choisir un dossier…</translation>
    </message>
    <message>
        <source>Drop media here</source>
        <translation>Déposez des médias ici</translation>
    </message>
    <message>
        <source>Audio · Video · Images · Subtitles</source>
        <translation>Audio · Vidéo · Images · Sous-titres</translation>
    </message>
    <message>
        <source>Importing…</source>
        <translation>Importation…</translation>
    </message>
</context>
<context>
    <name>StatusCell</name>
    <message>
        <source>Waiting</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>Converting…</source>
        <translation>Conversion…</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converti</translation>
    </message>
    <message>
        <source>Unsupported file type</source>
        <translation>Type de fichier non pris en charge</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>Measuring loudness…</source>
        <translation>Mesure de la sonie…</translation>
    </message>
</context>
<context>
    <name>ToolLocator</name>
    <message>
        <source>%1 was not found. Install it with &quot;sudo apt install ffmpeg&quot; (it comes with the ffmpeg package), or set %2 to its path.</source>
        <translation>%1 est introuvable. Installez-le avec « sudo apt install ffmpeg » (il fait partie du paquet ffmpeg) ou indiquez son chemin dans %2.</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Update checks are turned off in this build of Vireo.</source>
        <translation>La recherche de mises à jour est désactivée dans cette version de Vireo.</translation>
    </message>
    <message>
        <source>The update feed is too large to be a release feed.</source>
        <translation>Le flux de mises à jour est trop volumineux pour être un flux de versions.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Le serveur de mises à jour n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The update feed could not be fetched: %1</source>
        <translation>Le flux de mises à jour n’a pas pu être récupéré : %1</translation>
    </message>
    <message>
        <source>The update server answered with status %1.</source>
        <translation>Le serveur de mises à jour a répondu avec le statut %1.</translation>
    </message>
    <message>
        <source>The update feed does not name a valid version and release page.</source>
        <translation>Le flux de mises à jour n’indique pas de version ni de page de publication valides.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software Update</source>
        <translation>Mise à jour du logiciel</translation>
    </message>
    <message>
        <source>Check for updates automatically once a week</source>
        <translation>Rechercher automatiquement les mises à jour une fois par semaine</translation>
    </message>
    <message>
        <source>Checking for Updates…</source>
        <translation>Recherche de mises à jour…</translation>
    </message>
    <message>
        <source>Vireo is asking its release feed for the newest version.</source>
        <translation>Vireo interroge son flux de versions pour connaître la plus récente.</translation>
    </message>
    <message>
        <source>Vireo %1 is available</source>
        <translation>Vireo %1 est disponible</translation>
    </message>
    <message>
        <source>You have Vireo %1. The release page tells what is new and how to install the new version.</source>
        <translation>Vous avez Vireo %1. La page de publication indique les nouveautés et comment installer la nouvelle version.</translation>
    </message>
    <message>
        <source>Open Release Page</source>
        <translation>Ouvrir la page de publication</translation>
    </message>
    <message>
        <source>Not Now</source>
        <translation>Pas maintenant</translation>
    </message>
    <message>
        <source>You&apos;re up to date</source>
        <translation>Vireo est à jour</translation>
    </message>
    <message>
        <source>Vireo %1 is the newest version available.</source>
        <translation>Vireo %1 est la version la plus récente.</translation>
    </message>
    <message>
        <source>Vireo could not check for updates</source>
        <translation>Vireo n’a pas pu rechercher de mises à jour</translation>
    </message>
    <message>
        <source>Please try again later.</source>
        <translation>Veuillez réessayer plus tard.</translation>
    </message>
    <message>
        <source>Update checks are off</source>
        <translation>La recherche de mises à jour est désactivée</translation>
    </message>
    <message>
        <source>Your distribution or the package manager you installed it with keeps it up to date.</source>
        <translation>Votre distribution ou le gestionnaire de paquets avec lequel vous l’avez installé le tient à jour.</translation>
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
        <translation>Copie (sans réencodage)</translation>
    </message>
</context>
<context>
    <name>VideoQualityBlock</name>
    <message>
        <source>Lower value = higher quality, larger file</source>
        <translation>Valeur plus basse = meilleure qualité, fichier plus gros</translation>
    </message>
</context>
<context>
    <name>VideoScale</name>
    <message>
        <source>Original</source>
        <translation>Originale</translation>
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
        <translation>vireo-cli : impossible de surveiller %1 : ce n’est pas un dossier</translation>
    </message>
    <message>
        <source>vireo-cli: no inotify watch is left for %1 (see fs.inotify.max_user_watches); looking for new files every %2 s instead</source>
        <translation>vireo-cli : plus aucune surveillance inotify disponible pour %1 (voir fs.inotify.max_user_watches) ; recherche de nouveaux fichiers toutes les %2 s à la place</translation>
    </message>
    <message>
        <source>watching %1, converting to %2 into %3</source>
        <translation>surveillance de %1, conversion en %2 dans %3</translation>
    </message>
    <message>
        <source>already converted</source>
        <translation>déjà converti</translation>
    </message>
    <message>
        <source>skipped  %1: already converted to %2</source>
        <translation>ignoré  %1 : déjà converti en %2</translation>
    </message>
    <message>
        <source>vireo-cli: cannot record converted files in %1: %2</source>
        <translation>vireo-cli : impossible d’enregistrer les fichiers convertis dans %1 : %2</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Converts batches of audio, video, image and subtitle files.</source>
        <translation>Convertit par lots des fichiers audio, vidéo, image et sous-titres.</translation>
    </message>
    <message>
        <source>Files or folders to import (paths or file: URLs).</source>
        <translation>Fichiers ou dossiers à importer (chemins ou URL file:).</translation>
    </message>
</context>
<context>
    <name>vireo-cli</name>
    <message>
        <source>vireo-cli: stopped without waiting for the conversions that did not end (a file that cannot be read any more?)
</source>
        <translation>vireo-cli : arrêté sans attendre les conversions qui ne se terminaient pas (un fichier devenu illisible ?)
</translation>
    </message>
</context>
</TS>
