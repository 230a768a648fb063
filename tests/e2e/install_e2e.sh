#!/usr/bin/env bash
# Installs the build as a desktop program (cmake --install) into a temporary prefix and checks it:
# every installed file lies under the prefix (and under DESTDIR when staged), the programs lie in
# their own folder with every file they read beside them and links in bin, the icon is in the icon
# theme's sizes, and the desktop entry passes desktop-file-validate and names the installed program.
# Then starts the installed program through its link in bin, from another folder, under an X server
# (tests/e2e/with_x.sh): the splash shows its picture, the main window comes up with the command
# icons in its menu, and Ctrl+W starts the installed Wizard from the program's folder. Pictures go
# into BUILD_DIR/e2e/install/.
# Usage: tests/e2e/install_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init install "$1"

prefix="$E2E_PROFILE/installed"
cmake --install "$E2E_BUILD" --prefix "$prefix" >"$E2E_OUT/install.log" 2>&1 \
  || { cat "$E2E_OUT/install.log" >&2; e2e_fail "cmake --install failed"; }

# Nothing outside the prefix: every file the install wrote is under it.
manifest="$E2E_BUILD/install_manifest.txt"
[ -s "$manifest" ] || e2e_fail "no install manifest"
outside=$(grep -v "^$prefix/" "$manifest" || true)
[ -z "$outside" ] || e2e_fail "installed outside the prefix: $outside"

# Staged with DESTDIR for /opt/quillmark, the files land under the stage and nowhere else.
stage="$E2E_PROFILE/stage"
DESTDIR="$stage" cmake --install "$E2E_BUILD" --prefix /opt/quillmark >/dev/null 2>&1 || e2e_fail "a staged install failed"
strays=$(cd "$stage" && find . -mindepth 1 ! -path "./opt" ! -path "./opt/quillmark" ! -path "./opt/quillmark/*")
[ -z "$strays" ] || e2e_fail "a staged install wrote outside its prefix: $strays"
grep -qx "Exec=/opt/quillmark/bin/quillmark" "$stage/opt/quillmark/share/applications/quillmark.desktop" \
  || e2e_fail "the staged desktop entry does not name /opt/quillmark/bin/quillmark"
rm -rf "$stage"

# The programs and the files they read, in one folder; the links in bin lead there.
dir="$prefix/lib/quillmark"
for f in quillmark Wizard License.rtf Splash.spl Data/icons/About.png Data/icons/menu/New.ico \
         Data/icons/toolbars/small/New.ico Data/icons/toolbars/large/New.ico \
         Sounds/ButtonClick.wav Sounds/ButtonMove.wav Sounds/FormLoad.wav Sounds/FormUnload.wav Sounds/KeyDown.wav; do
  [ -f "$dir/$f" ] || e2e_fail "not installed: lib/quillmark/$f"
done
[ -x "$dir/quillmark" ] && [ -x "$dir/Wizard" ] || e2e_fail "the programs are not executable"
[ "$(readlink -f "$prefix/bin/quillmark")" = "$(readlink -f "$dir/quillmark")" ] || e2e_fail "bin/quillmark does not lead to the program"
[ "$(readlink -f "$prefix/bin/quillmark-wizard")" = "$(readlink -f "$dir/Wizard")" ] || e2e_fail "bin/quillmark-wizard does not lead to the Wizard"
[ "$(readlink "$prefix/bin/quillmark")" = "../lib/quillmark/quillmark" ] || e2e_fail "bin/quillmark is not a relative link"

# The icon in the theme's sizes, and the desktop entry.
for size in 16 22 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/quillmark.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || e2e_fail "no ${size}x${size} icon"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/quillmark.svg" ] || e2e_fail "no scalable icon"
entry="$prefix/share/applications/quillmark.desktop"
desktop-file-validate "$entry" || e2e_fail "the desktop entry is not valid"
grep -qx "Exec=$prefix/bin/quillmark" "$entry" || e2e_fail "the desktop entry does not start the installed program"
grep -qx "Icon=quillmark" "$entry" || e2e_fail "the desktop entry names another icon"
# The program reads no command line: the entry offers it for no file, and passes it none.
grep -q "^MimeType=" "$entry" && e2e_fail "the desktop entry offers the program for files it cannot open"
grep -q "^Exec=.*%[fFuU]" "$entry" && e2e_fail "the desktop entry passes files the program does not read"
grep -q "^GenericName=Перекодировщик кириллицы$" "$entry" || e2e_fail "the desktop entry has no Russian name"
grep -q "^Comment=.*кириллический текст" "$entry" || e2e_fail "the desktop entry has no Russian comment"

# The installed program, started as the desktop entry starts it, from another folder: the splash
# picture read from beside it, then its main window.
e2e_profile <<'REG'
[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences]
"ShowInCaption"="3"

[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences\Dialogs]
"Splash"=dword:00000001
REG
e2e_window_manager
exec_line=$(sed -n 's/^Exec=//p' "$entry")
(cd / && XDG_CONFIG_HOME=$E2E_PROFILE exec $exec_line >>"$E2E_OUT/quillmark.log" 2>&1) &
E2E_PID=$!
shows_a_window() { [ -n "$(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null)" ]; }
e2e_until 60 shows_a_window || e2e_fail "the installed program showed no window"
e2e_shot 1_splash
main=$(e2e_wait_window "Quillmark 3.0 Preview")
[ "$(xprop -id "$main" WM_CLASS)" = 'WM_CLASS(STRING) = "quillmark", "quillmark"' ] \
  || e2e_fail "the main window's class is not the desktop entry's StartupWMClass"
e2e_shot 2_main_window

# The File menu shows the command icons read from Data/icons beside the program.
e2e_focus "$main"
e2e_keys alt
e2e_keys Down
e2e_shot 3_file_menu
e2e_keys Escape Escape

# Ctrl+W starts the Wizard from the program's own folder: its notice comes up.
e2e_focus "$main"
e2e_keys ctrl+w
wizard_window() { xdotool search --onlyvisible --classname "^Wizard$" 2>/dev/null | head -1 | grep .; }
e2e_until 60 wizard_window >/dev/null || e2e_fail "the installed Wizard did not come up"
notice=$(wizard_window)
E2E_PIDS+=("$(xdotool getwindowpid "$notice")")
e2e_settle "$notice"
e2e_shot 4_wizard
xdotool key --window "$notice" Return >/dev/null 2>&1 || true
echo "install: the installed programs run from $prefix, with their files, icon and desktop entry"
