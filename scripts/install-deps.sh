#!/usr/bin/env bash
# Installs the Debian packages Velmaro needs to build, run and test.
# Idempotent: asks dpkg what is there and only calls apt-get for what is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  # the toolbar's pictures are SVG: Qt's SVG icon plugin draws them
  libqt6svg6
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  # audio CD: libcdio reads the disc and moves the tray; -ugly (below) holds cdiocddasrc
  libcdio-dev
  # lengths read from the files' headers
  libtag1-dev
  # installing: the icons are drawn from their SVG; the desktop entry and the AppStream file are checked
  librsvg2-bin desktop-file-utils appstream
  # playing every file family: MIDI through fluidsynth with a General MIDI SoundFont, tracker
  # modules, MPEG audio, video, and the sinks of the desktop
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly
  gstreamer1.0-libav gstreamer1.0-x gstreamer1.0-gl gstreamer1.0-alsa gstreamer1.0-pulseaudio
  timgm6mb-soundfont gstreamer1.0-plugins-base-apps
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core
  # the tray icon's tests: a notification area on the virtual display
  trayer
  # benchmarks: GNU time and gst-launch-1.0
  time gstreamer1.0-tools
  # fuzz targets: clang and its libFuzzer runtime (libclang_rt.fuzzer)
  clang libclang-rt-dev
  # the tests of the desktop's media-player remote control start a session bus of their own
  dbus-daemon
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
