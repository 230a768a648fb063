#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-translations-l10n qt6-multimedia-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core poppler-utils clang libclang-rt-14-dev
          xvfb xauth xdotool xclip imagemagick openbox x11-utils)
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

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"

# Menus under a real X server, clicked with the real pointer.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
  ./bin/test_commandbars --gtest_filter='CommandBarOnX11.*'

# The keyboard stays with shown windows under a real X server.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
  ./bin/test_platform --gtest_filter='FocusOnX11.*'

# The real program's start-up road, every start-up window switched on.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/start_road.sh .

# The toolbar dialog opened from the View menu, items ticked and applied, the toolbars following.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/toolbar_customize_e2e.sh .

# The program lock hides every window and only the password brings them back; about and agreement.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/lock_e2e.sh .

# The full-screen view opened from the View menu: the pasted text goes out, is edited there and
# comes back as one undoable change, while the main window takes no keys.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/full_screen_e2e.sh .

# Ctrl+F finds a word of a pasted Russian text, Ctrl+H replaces all its matches, Ctrl+G goes to a line.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/find_e2e.sh .

# Ctrl+P through the print confirmation to the PDF printer, and the confirmation switched off.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/print_e2e.sh .

# The settings dialog opened from Сервис, every page pictured, a preference applied that survives a
# restart of the program.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/settings_e2e.sh .

# A 60 MB document opened with Ctrl+O: its progress window, Cancel keeping the text typed before,
# and the document opened when left alone.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/open_progress_e2e.sh .

# Copies made by another program reach the clipboard watch of a minimized program, which converts
# them: the watch learns of them from the window system's change notice, not by polling.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/clipboard_watch_e2e.sh .

# The main window driven as a user would: typing, pasting, conversions, progress, undo, the
# clipboard watch, closing through its questions, and a picture per drawing style.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/main_window_e2e.sh .
