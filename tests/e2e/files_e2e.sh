#!/usr/bin/env bash
# Bad files and settings on the real program, each start with a window manager (openbox):
#  1. a named pipe opened (Ctrl+O) and imported (File > Import): a message each time, the typed text
#     kept, the program answering throughout; Save As with a 300-letter name says why it cannot, and
#     Save As over a 4 GB file with backups on is refused at once with the reason;
#  2. starts with a named pipe as the settings file, with a link to a device as the settings file
#     (the device stays), with a folder in its place (told why it cannot be read), with font size 0
#     and a maximised window, and with stored placements off every edge and of no usable size: each
#     time a usable main window within 5 s, whole on the screen, that takes typed text;
#  3. a settings file with one bad line: the user told where its copy is, the other values kept;
#     the same file in a folder that takes no change: told, the values that read well used, the
#     file never written over.
# Pictures go to BUILD/e2e/files/. Usage (through tests/e2e/with_x.sh): tests/e2e/files_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init files "$1"
e2e_window_manager

# Window titles: the main window keeps its design caption on these profiles; message boxes carry
# the program title.
MAIN='^Brannoch Quillmark 3\.0$'
BOX='Quillmark 3\.0 Preview$'
read -r SCREEN_W SCREEN_H < <(xdpyinfo 2>/dev/null | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

# start_main NAME: starts the program on the profile as it stands and waits for a usable main window
# (answering the message box that comes first, when $1 is "told"); sets $main.
start_main() {
  e2e_start
  if [ "${1:-}" = told ]; then
    local box
    box=$(e2e_wait_window "$BOX")
    e2e_shot "$2_told"
    e2e_focus "$box"
    e2e_keys Return
  fi
  main=$(e2e_wait_window "$MAIN")
}

# place WID: "X Y WIDTH HEIGHT" of the window's inside on the screen, as the X server has it.
place() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                           /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF } END { print x, y, w, h }'
}

# usable NAME: the main window lies whole on the screen, is big enough to use, and takes typed text.
usable() {
  local x y w h
  read -r x y w h < <(place "$main")
  ((x >= 0 && y >= 0 && x + w <= SCREEN_W && y + h <= SCREEN_H)) \
    || e2e_fail "$1: the main window is not whole on the screen ($x $y $w $h)"
  ((w >= 500 && h >= 300)) || e2e_fail "$1: the main window is too small to use ($w x $h)"
  e2e_focus "$main"
  e2e_type "typed $1"
  [ "$(e2e_editor_text)" = "typed $1" ] || e2e_fail "$1: the typed text did not arrive"
  e2e_shot "$1"
}

# stop: ends the program and waits for it.
stop() {
  kill "$E2E_PID"
  wait "$E2E_PID" 2>/dev/null || true
  E2E_PID=""
}

# pipe_refused TITLE NAME: in the file dialog TITLE, the pipe is chosen; the message that refuses it
# is pictured and answered, and the keyboard goes back to the main window.
pipe_refused() {
  local dialog box
  dialog=$(e2e_wait_window "$1")
  e2e_focus "$dialog"
  e2e_type "$pipe"
  e2e_keys Return
  box=$(e2e_wait_window "$BOX")
  e2e_shot "$2"
  e2e_focus "$box"
  e2e_keys Return
  e2e_wait_gone "$BOX"
  e2e_focus "$main"
}

reg="$E2E_PROFILE/quillmark/registry.reg"
pipe="$E2E_OUT/pipe.txt"
mkfifo "$pipe"

# 1. A named pipe opened and imported.
e2e_profile <<'REG'
"SaveChange"="0"
REG
start_main
e2e_focus "$main"
e2e_type "keep me"
e2e_keys ctrl+o
pipe_refused "Открытие документа" 1_open_pipe
[ "$(e2e_editor_text)" = "keep me" ] || e2e_fail "opening the pipe changed the document"
# File > Import > "Импортировать текст из *.rtf файла" (places in the main window, in pixels).
e2e_click "$main" 20 11
e2e_click "$main" 53 206
e2e_click "$main" 365 207
pipe_refused "Импорт текста" 2_import_pipe
e2e_keys End
e2e_type " still here"
[ "$(e2e_editor_text)" = "keep me still here" ] || e2e_fail "importing the pipe changed the document"
# Save As with a name longer than the folder takes: the dialog says why it cannot save.
e2e_keys End ctrl+shift+s
dialog=$(e2e_wait_window "Сохранение документа")
e2e_focus "$dialog"
e2e_type "$(printf 'a%.0s' $(seq 300))"
e2e_shot_window "$dialog" 2_save_as_long_name
e2e_keys Escape
e2e_wait_gone "Сохранение документа"
stop

# Save As over a 4 GB file with backups on: the file is too large to be read for its backup, so the
# save is refused at once with the reason, the file and the typed text kept.
big="$E2E_OUT/big.txt"
truncate -s 4G "$big"
e2e_profile <<'REG'
"SaveChange"="0"
"CreateBackup"="1"
"CreateBackupIn"="1"
REG
start_main
e2e_focus "$main"
e2e_type "unsaved"
e2e_keys ctrl+shift+s
dialog=$(e2e_wait_window "Сохранение документа")
e2e_focus "$dialog"
e2e_type "$big"
e2e_keys Return
box=$(e2e_wait_window "$BOX")
e2e_shot 2_save_over_large_file
e2e_focus "$box"
e2e_keys Return
e2e_wait_gone "$BOX"
[ "$(stat -c %s "$big")" = $((4 << 30)) ] || e2e_fail "the large file was changed"
[ ! -e "$big.bak" ] || e2e_fail "a backup of the large file was written"
e2e_focus "$main"
[ "$(e2e_editor_text)" = "unsaved" ] || e2e_fail "the typed text was lost"
stop
rm -f "$big"

# 2. A named pipe where the settings file should be: set aside as a damaged file, and said.
rm -f "$reg"
mkfifo "$reg"
start_main told 3_pipe_as_settings
usable 3_pipe_as_settings
[ ! -p "$reg" ] || e2e_fail "the pipe is still in the settings file's place"
ls "$reg".damaged-* >/dev/null 2>&1 || e2e_fail "the pipe was not set aside"
stop

# A link to a device (a zero device of the script's own where it may make one, else a pipe) as the
# settings file: the link is set aside, and what it points to stays where and what it is.
rm -f "$reg".damaged-*
device="$E2E_OUT/zero"
mknod "$device" c 1 5 2>/dev/null || mkfifo "$device"
ln -s "$device" "$reg"
start_main told 3_device_link_as_settings
usable 3_device_link_as_settings
[ -c "$device" ] || [ -p "$device" ] || e2e_fail "the device the settings file pointed to was moved"
[ -L "$(ls -d "$reg".damaged-*)" ] || e2e_fail "the link was not set aside"
stop
rm -f "$device"

# A folder where the settings file should be: the start says it cannot be read and why, and the
# folder stays as it is.
rm -f "$reg".damaged-*
mkdir "$reg"
start_main told 3_folder_as_settings
usable 3_folder_as_settings
[ -d "$reg" ] || e2e_fail "the folder in the settings file's place was moved"
stop
rmdir "$reg"

# 3. Font size 0 and a maximised window.
e2e_profile <<'REG'
"FontSize"="0"
"WindowState"="2"
REG
start_main
read -r _ _ w h < <(place "$main")
((w >= SCREEN_W - 10 && h >= SCREEN_H - 60)) || e2e_fail "the window is not maximised ($w x $h)"
[ "$(xdotool search --onlyvisible --name "$BOX" 2>/dev/null | wc -l)" = 0 ] || e2e_fail "a message box came up"
usable 4_font_size_0_maximised
stop

# 4. Stored placements off every edge, and of no usable size.
for case in "-3000 -3000 200000 200000" "30000 30000 225 800" "-1e9 1e9 9000 12000"; do
  read -r left top height width <<<"$case"
  e2e_profile <<REG
"SaveWindowPositionAndSize"="1"
"MainLeft"="$left"
"MainTop"="$top"
"MainHeight"="$height"
"MainWidth"="$width"
REG
  start_main
  usable "5_placement_${left}_${top}_${height}_${width}"
  stop
done

# 5. A settings file with one bad line: the user is told where its copy is, the other values stay.
e2e_profile <<'REG'
"ShowInCaption"="3"
this line is no settings line
"SaveChange"="0"
[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences\Locked]
"User"="Анна"
REG
cp "$reg" "$E2E_OUT/damaged.reg"
# The kept "ShowInCaption" gives the main window the program title as its caption.
MAIN='^Brannoch Quillmark 3\.0 Preview$'
start_main told 6_damaged_settings
usable 6_damaged_settings
[ "$(e2e_value ShowInCaption)" = '"3"' ] || e2e_fail "the value before the bad line was lost"
[ "$(e2e_value SaveChange)" = '"0"' ] || e2e_fail "the value after the bad line was lost"
[ "$(e2e_value User 'Preferences\Locked')" = '"Анна"' ] || e2e_fail "the value of another key was lost"
grep -q "this line is no settings line" "$reg".damaged-* || e2e_fail "the damaged file was not kept"
stop

# The same damaged file in a settings folder that takes no change (immutable for the superuser,
# whom permissions do not stop): it cannot be set aside, so the user is told, the values that read
# well are used all the same, and the file is never written over.
rm -f "$reg".damaged-*
cp "$E2E_OUT/damaged.reg" "$reg"
freeze() { if [ "$(id -u)" = 0 ]; then chattr "$1i" "$(dirname "$reg")"; else chmod "$2" "$(dirname "$reg")"; fi; }
if freeze + 555 2>/dev/null; then
  trap 'freeze - 700; e2e_cleanup' EXIT
  start_main told 7_damaged_settings_in_frozen_folder
  usable 7_damaged_settings_in_frozen_folder
  stop
  cmp -s "$reg" "$E2E_OUT/damaged.reg" || e2e_fail "the damaged settings file was written over"
  freeze - 700
else
  echo "files: the settings folder cannot be made unwritable here; its step is left out"
fi
rm -f "$pipe"
echo "files: pipes refused at open and import, long names explained, a save over a 4 GB file refused, starts on a pipe, a link to a device and a folder as settings, a zero font size, placements off every edge and a damaged settings file (also in a folder that takes no change) each gave a usable window; pictures in $E2E_OUT"
