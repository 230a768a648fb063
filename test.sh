#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-translations-l10n qt6-multimedia-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core poppler-utils clang libclang-rt-14-dev llvm
          xvfb xauth xdotool xclip imagemagick openbox xautomation x11-xkb-utils x11-utils
          dbus python3-dbusmock libcups2-dev xdg-utils desktop-file-utils libxcb1-dev heaptrack)
# The print scheduler and its tools, for a private scheduler the printer tests start, and the sound
# server the windows test plays through: without what they recommend, which would browse the
# network for printers and bring a whole desktop's sound setup. Mousepad is the peer editor the
# latency benchmark (bench/input_latency_process.sh) sets beside the program.
bare_packages=(cups-daemon cups-client pulseaudio mousepad)
missing=()
missing_bare=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
for p in "${bare_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing_bare+=("$p")
done
if ((${#missing[@]} + ${#missing_bare[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  if ((${#missing[@]})); then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
  fi
  if ((${#missing_bare[@]})); then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing_bare[@]}"
  fi
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

# Every test through CTest, side by side on every core: each unit test in a process of its own, each
# test program whole and shuffled, the groups that need an X server, a print scheduler or a private
# bus, and the end-to-end scripts, each with an X server and profile of its own (see
# tests/CMakeLists.txt). A failure ends nothing: every test runs, and the summary says what failed.
cd build
rm -f ctest-results.xml
ctest -j"$(nproc)" --output-on-failure --output-junit ctest-results.xml || true
# The sanitizer passes (build-asan/, build-tsan/): every test program with AddressSanitizer,
# UndefinedBehaviorSanitizer and the leak checker, and with ThreadSanitizer; their line says which
# pass failed, and a failed pass fails the run.
../tests/sanitizers.sh .. 2>&1 | tee sanitizers.log || true
../tests/summary.sh ctest-results.xml sanitizers.log
