#!/usr/bin/env bash
# The silence between two Play List items of one continuous tone, heard through a real sound server:
# a private PulseAudio with a null sink, its monitor recorded with parec while the program's controller
# and GStreamer device (bench/gapless_driver) play the two items into it. Prints the longest run of
# silence between the first sound and the last, with the items handed over without a gap and, for
# comparison, with each item opened after the one before ended (target: 0 ms with the handover).
# Needs pulseaudio and pulseaudio-utils, installed here when missing (the tests do not need them).
# With --program, the program itself plays the two items from a Play List instead (offscreen), so
# that two builds can be compared: bench/gapless.sh --program OTHER_BUILD; bench/gapless.sh --program.
# Usage: bench/gapless.sh [--program] [build folder, default build/release] [runs, default 5]
set -euo pipefail
program=
if [ "${1:-}" = --program ]; then program=1; shift; fi
build=$(realpath "${1:-build/release}")
runs=${2:-5}
seconds=4  # each item
rate=44100

if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
  sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y --no-install-recommends pulseaudio pulseaudio-utils gstreamer1.0-pulseaudio >/dev/null
fi

work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# One tone across both files: the second goes on with the phase where the first stopped.
python3 - "$work" "$seconds" "$rate" <<'PY'
import math, struct, sys, wave
folder, seconds, rate = sys.argv[1], float(sys.argv[2]), int(sys.argv[3])
n = int(seconds * rate)
for index, name in enumerate(("first.wav", "second.wav")):
    with wave.open(f"{folder}/{name}", "wb") as w:
        w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
        w.writeframes(b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * 440 * (index * n + i) / rate)))
                               for i in range(n)))
PY

# A sound server of our own, whatever the session runs: no card, one null sink.
mkdir -p "$work/runtime" "$work/home"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" PULSE_SERVER="unix:$work/pulse.socket"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr --log-level=error \
  -L "module-native-protocol-unix socket=$work/pulse.socket auth-anonymous=1" \
  -L "module-null-sink sink_name=bench rate=$rate" 2>"$work/pulse.log" &
server=$!
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink bench

unset VELMARO_AUDIO_SINK VELMARO_VIDEO_SINK

# The longest quiet run between the first sound and the last, in ms.
silence() {
  python3 - "$1" "$rate" "$((2 * seconds))" <<'PY'
import array, sys
samples = array.array("h", open(sys.argv[1], "rb").read())
rate, expected = int(sys.argv[2]), float(sys.argv[3])
loud = [i for i, v in enumerate(samples) if abs(v) > 64]
if not loud:
    print("nothing-heard"); sys.exit()
heard = (loud[-1] - loud[0]) / rate
if heard < expected - 0.05:  # an item missing is no gap of 0 ms
    print(f"only-{heard:.2f}s-heard"); sys.exit()
# The tone passes zero for a sample or two each half wave; a gap is a longer quiet run.
longest, run = 0, 0
for v in samples[loud[0]:loud[-1] + 1]:
    run = run + 1 if abs(v) <= 64 else 0
    longest = max(longest, run)
print(f"{(longest if longest > 2 else 0) * 1000 / rate:.1f}")
PY
}

measure() {  # label, driver options
  local label=$1; shift
  local gaps=()
  for run in $(seq "$runs"); do
    parec -d bench.monitor --raw --format=s16le --rate=$rate --channels=1 --latency-msec=10 > "$work/heard.raw" &
    local recorder=$!
    sleep 0.5
    if [ -n "$program" ]; then
      "$build/src/velmaro" /play "$work/tones.vlp" 2>/dev/null &
      local player=$!
      sleep $((2 * seconds + 3))
      "$build/src/velmaro" --command exit >/dev/null 2>&1 || kill "$player"
      wait "$player" || true
    else
      timeout $((2 * seconds + 20)) "$build/bench/gapless_driver" "$@" "$work/first.wav" "$work/second.wav" 2>/dev/null
    fi
    sleep 0.5
    kill "$recorder"; wait "$recorder" 2>/dev/null || true
    gaps+=("$(silence "$work/heard.raw")")
  done
  printf '%s: %s ms of silence between the items (runs: %s)\n' "$label" \
    "$(printf '%s\n' "${gaps[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')" "${gaps[*]}"
}

echo "== Silence between two items of one tone, through PulseAudio (median of $runs)"
if [ -n "$program" ]; then
  mkdir -p "$work/velmaro"
  printf '[Playlist]\r\nOpenLastPL=0\r\nStartPlaying=0\r\n' > "$work/velmaro/velmaro.ini"
  printf '[General]\r\nLastPlayed=\r\n\r\n[Items]\r\n[FILE="%s", L=0]\r\n[FILE="%s", L=0]\r\n' \
    "$work/first.wav" "$work/second.wav" > "$work/tones.vlp"
  export VELMARO_HOME="$work/velmaro" QT_QPA_PLATFORM=offscreen
  measure "Velmaro of $build"
else
  measure "each item opened after the last" --no-handover
  measure "handed over without a gap      "
fi
