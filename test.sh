#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-translations-l10n qt6-multimedia-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core poppler-utils clang libclang-rt-14-dev llvm
          xvfb xauth xdotool xclip imagemagick openbox xautomation x11-xkb-utils x11-utils
          dbus python3-dbusmock libcups2-dev xdg-utils desktop-file-utils libxcb1-dev)
# The print scheduler and its tools, for a private scheduler the printer tests start, and the sound
# server the windows test plays through: without what they recommend, which would browse the
# network for printers and bring a whole desktop's sound setup.
bare_packages=(cups-daemon cups-client pulseaudio)
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
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"

# Each test program whole in one process, in its own order and shuffled: no test may lean on what
# another left behind (ctest runs every test in a process of its own).
for program in bin/test_*; do
  QT_QPA_PLATFORM=offscreen "$program" --gtest_brief=1
  QT_QPA_PLATFORM=offscreen "$program" --gtest_brief=1 --gtest_shuffle
done

# Printers of a private print scheduler: their ports, and the duplex through the real print dialog.
QT_QPA_PLATFORM=offscreen ../tests/e2e/private_cups.sh ./bin/test_platform --gtest_filter='*OnCups*'
QT_QPA_PLATFORM=offscreen ../tests/e2e/private_cups.sh ./bin/test_controls --gtest_filter='*OnCups*'

# Menus under a real X server, clicked with the real pointer.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
  ./bin/test_commandbars --gtest_filter='CommandBarOnX11.*'

# The keyboard stays with shown windows under a real X server; a help file opens in the desktop's
# program for its type; owned windows are transient for their owner, and a window destroyed by
# another client is closed as by its close box.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
  ./bin/test_platform --gtest_filter='FocusOnX11.*:DesktopOnX11.*:FormsOnX11.*'

# The shut-down and restart questions answered Yes reach a mock login manager on a private bus.
../tests/controls/shut_down_bus.sh .

# The dialog wrapper's Run, pick-icon, properties and shut-down windows worked with real keys under
# openbox, each pictured as the screen shows it.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/shell_dialogs_e2e.sh .

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

# A 150 MB document opened with Ctrl+O: its progress window, Cancel keeping the text typed before,
# and the document opened when left alone.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/open_progress_e2e.sh .

# The editor driven with the mouse and keys: clicks that select, the middle button's paste, text
# dragged elsewhere, moves by words and lines, and the right button's Edit menu alone.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/editor_e2e.sh .

# Sounds that cannot be played freeze nothing (through a sound server of the script's own), find
# stays above the main window, a modal window destroyed from outside lets the program go on, the PDF
# printer makes the desktop's documents folder, and the windows open centred and close by Esc.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/windows_e2e.sh .

# Copies made by another program reach the clipboard watch of a minimized program, which converts
# them: the watch learns of them from the window system's change notice, not by polling.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/clipboard_watch_e2e.sh .

# Installed into a temporary prefix as a desktop program: its files, icon and desktop entry, and the
# installed program and its Wizard started from there.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/install_e2e.sh .

# The main window driven as a user would: typing, pasting, conversions, progress, undo, the
# clipboard watch, closing through its questions, and a picture per drawing style.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/main_window_e2e.sh .

# Every dialog with a disabled control, and every window whose text must fit, pictured at the
# default font and a large one: disabled controls grey, the message boxes on the screen.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/dialog_looks_e2e.sh .

# The keyboard layout switched by Alt+Shift, Shift+Alt and Ctrl+Shift with real key codes: the
# keys typed next arrive as Russian letters, an Alt tap still opens the menu bar, and Escape closes
# the editor's right-click menu.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/keyboard_layout_e2e.sh .

# Bad files and settings: a named pipe opened and imported, starts with a pipe as the settings file,
# font size 0 maximised, placements off every edge, and a settings file with one bad line.
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb ../tests/e2e/files_e2e.sh .

# The sanitizer passes (build-asan/, build-tsan/): every test program with AddressSanitizer,
# UndefinedBehaviorSanitizer and the leak checker, and with ThreadSanitizer; the last line says
# which pass failed.
../tests/sanitizers.sh ..
