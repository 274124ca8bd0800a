#!/bin/sh
# Seeds for fuzz_probe: one small real file of every container the probe
# meets, made with ffmpeg. Each seed starts with one byte that picks the
# file name's extension (its index in fuzz_probe.cpp's list).
set -eu
out=${1:?usage: make-probe-corpus.sh FOLDER}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

av="-f lavfi -i testsrc=size=32x24:rate=5:duration=0.4 -f lavfi -i sine=duration=0.4:sample_rate=8000"
a="-f lavfi -i sine=duration=0.4:sample_rate=8000"
make() { # index extension ffmpeg-arguments...
    index=$1 ext=$2
    shift 2
    ffmpeg -nostdin -loglevel error -y "$@" "$work/seed.$ext"
    { printf "\\$(printf '%03o' "$index")"; cat "$work/seed.$ext"; } > "$out/seed-$index-$ext"
}

make 0 mp4 $av -c:v mpeg4 -c:a aac
make 1 mkv $av -c:v mpeg4 -c:a flac
make 2 webm $av -c:v libvpx-vp9 -c:a libopus -ac 1
make 3 flv $av -c:v flv -c:a mp3 -ar 11025
make 4 ogg $av -c:v libtheora -c:a libvorbis
make 5 ts $av -c:v mpeg2video -c:a mp2
make 6 avi $av -c:v mjpeg -c:a pcm_s16le
make 7 mov $av -c:v mpeg4 -c:a pcm_s16be
make 8 mp3 $a -c:a libmp3lame
make 9 wav $a -c:a pcm_s16le
make 10 flac $a -c:a flac
make 11 m4a $a -c:a aac -vn
make 12 png -f lavfi -i testsrc=size=32x24 -frames:v 1
printf '\0151\n00:00:00,000 --> 00:00:01,000\nHello\n' > "$out/seed-13-srt"
printf '\016Just a text file, read by the teletype demuxer.\n' > "$out/seed-14-nfo"
make 15 mka $a -c:a libvorbis -f matroska
mv "$out/seed-15-mka" "$out/seed-15-bin"
