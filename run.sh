#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds the program and starts it on your display.
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display to show the program on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  exit 1
fi

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-translations-l10n qt6-multimedia-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core libcups2-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target quillmark Wizard qm_data
exec build/bin/quillmark
