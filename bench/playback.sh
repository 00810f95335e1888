#!/usr/bin/env bash
# Playback figures, side by side in one run:
#  1. the gap between the end of one Play List item and the start of the next (target: under 100 ms);
#  2. the CPU time Velmaro uses while playing a 60-second WAV against gst-play-1.0 playing the same
#     file (target: at most 1.2 times its CPU). Both play into a sink that keeps time, so no sound
#     card is needed.
# Usage: bench/playback.sh [release build folder, default build/release]
set -euo pipefail
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seconds=60

echo "== Gap between two Play List items"
"$build/bench/playbackgap_bench" --benchmark_counters_tabular=true | tail -n 2

gst-launch-1.0 -q audiotestsrc num-buffers=$((seconds * 44100 / 1024)) ! audioconvert ! wavenc \
  ! filesink location="$work/minute.wav"

cpu() {  # user + system seconds from GNU time's output file
  awk '{ printf "%.2f", $1 + $2 }' "$1"
}

echo "== CPU while playing a ${seconds}-second WAV"
/usr/bin/time -f "%U %S" -o "$work/gst.time" \
  gst-play-1.0 -q --audiosink="fakesink sync=true" --videosink=fakesink "$work/minute.wav" >/dev/null

mkdir -p "$work/home"
printf '[General]\r\nShowWelcomeScreen=0\r\n[Playlist]\r\nOpenLastPL=0\r\nStartPlaying=0\r\n' > "$work/home/velmaro.ini"
printf '[General]\r\nLastPlayed=\r\n\r\n[Items]\r\n[FILE="%s", L=0]\r\n' "$work/minute.wav" > "$work/minute.vlp"
export VELMARO_HOME="$work/home" VELMARO_AUDIO_SINK="fakesink sync=true" VELMARO_VIDEO_SINK=fakesink
QT_QPA_PLATFORM=offscreen /usr/bin/time -f "%U %S" -o "$work/velmaro.time" \
  "$build/src/velmaro" /play "$work/minute.vlp" 2>/dev/null &
sleep $((seconds + 2))
"$build/src/velmaro" --command exit
wait

gst=$(cpu "$work/gst.time")
velmaro=$(cpu "$work/velmaro.time")
printf 'gst-play-1.0: %s s CPU\nVelmaro:      %s s CPU (with start-up and the main window)\nratio:        %s\n' \
  "$gst" "$velmaro" "$(awk -v a="$velmaro" -v b="$gst" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')"
