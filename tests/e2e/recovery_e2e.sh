#!/usr/bin/env bash
# Saves that rewrite a document in place (it has a second name), and names a folder cannot take, on
# the real program with a window manager (openbox):
#  1. Save As with a name of 252 letters, which only the ".txt" the save adds makes too long: the
#     dialog says why under the name field, and Enter leaves it open;
#  2. another program holds the document (flock, as another copy of the program rewriting it does):
#     a save waits, the window repainting meanwhile, then says another program is writing the file
#     and leaves it as it was; once the other program lets go, the save writes it;
#  3. the same for an open: it says why, the typed text kept; after, it opens the file;
#  4. no room for the recovery copy (a file where the state folder should be, and a document folder
#     that takes no new file): the save says which folders and why, the file as it was.
# Pictures go to BUILD/e2e/recovery/. Usage (through tests/e2e/with_x.sh): tests/e2e/recovery_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init recovery "$1"
e2e_window_manager

MAIN='^Brannoch Quillmark 3\.0$'
export XDG_STATE_HOME="$E2E_PROFILE/state"
e2e_profile <<'REG'
"SaveChange"="0"
REG

# start: starts the program and waits for its main window; sets $main.
start() {
  e2e_start
  main=$(e2e_wait_window "$MAIN")
  e2e_focus "$main"
}

# file_dialog TITLE PATH: in the file dialog TITLE, the path is typed and taken.
file_dialog() {
  local dialog
  dialog=$(e2e_wait_window "$1")
  e2e_focus "$dialog"
  e2e_type "$2"
  e2e_keys Return
}

# answer_box NAME: the program's message box is pictured and answered with Enter.
answer_box() {
  local box
  box=$(e2e_wait_box)
  e2e_shot "$1"
  e2e_focus "$box"
  e2e_keys Return
  e2e_until 60 no_box || e2e_fail "the message box stayed"
  e2e_focus "$main"
}

no_box() { ! e2e_box >/dev/null; }

# hold FILE / let_go: another program takes the file's lock and keeps it until let go.
release="$E2E_OUT/release"
hold() {
  mkfifo "$release"
  e2e_spawn flock "$1" cat "$release"
  e2e_until 60 test_held "$1" || e2e_fail "the other program did not take the file"
}
test_held() { ! flock -n "$1" true; }
let_go() {
  echo >"$release"
  e2e_until 60 flock -n "$1" true || e2e_fail "the other program kept the file"
  rm -f "$release"
}

holds() { [ "$(cat "$1")" = "$2" ]; }

doc="$E2E_OUT/doc.txt"
printf 'old text\r\n' >"$doc"
ln "$doc" "$E2E_OUT/second name.txt"

# 1. A name that only the added ".txt" makes too long.
start
e2e_type "typed"
e2e_keys ctrl+shift+s
dialog=$(e2e_wait_window "Сохранение документа")
e2e_focus "$dialog"
e2e_type "$(printf 'a%.0s' $(seq 252))"
e2e_keys Return
e2e_shot_window "$dialog" 1_save_as_name_too_long_with_its_extension
e2e_window_shown "Сохранение документа" || e2e_fail "the dialog took a name the folder cannot take"
e2e_keys Escape
e2e_wait_gone "Сохранение документа"

# 2. A save while another program holds the document.
hold "$doc"
e2e_focus "$main"
e2e_keys ctrl+a
e2e_type "mine"
e2e_keys ctrl+shift+s
file_dialog "Сохранение документа" "$doc"
# The window is made larger while the save waits: it paints its new part.
xdotool windowsize "$main" 900 700
e2e_shot 2_save_waits_window_resized
answer_box 2_save_told_another_program_writes
holds "$doc" $'old text\r' || e2e_fail "the held document was written"
let_go "$doc"
e2e_keys ctrl+shift+s
file_dialog "Сохранение документа" "$doc"
e2e_until 60 holds "$doc" $'mine\r' || e2e_fail "the save did not write the document once it was let go"
[ "$(stat -c %h "$doc")" = 2 ] || e2e_fail "the document lost its second name"

# 3. An open while another program holds the document.
hold "$doc"
e2e_keys ctrl+a
e2e_type "typed again"
e2e_keys ctrl+o
file_dialog "Открытие документа" "$E2E_OUT/second name.txt"
answer_box 3_open_told_another_program_writes
[ "$(e2e_editor_text)" = "typed again" ] || e2e_fail "the refused open changed the document"
let_go "$doc"
e2e_keys ctrl+o
file_dialog "Открытие документа" "$E2E_OUT/second name.txt"
editor_holds() { [ "$(e2e_editor_text)" = "$1" ]; }
e2e_until 60 editor_holds "mine" || e2e_fail "the document did not open once it was let go"
kill "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
E2E_PID=""

# 4. No room for the recovery copy in either place.
rm -rf "$XDG_STATE_HOME"
mkdir -p "$XDG_STATE_HOME"
echo "a file where the folder should be" >"$XDG_STATE_HOME/quillmark"
folder="$E2E_OUT/locked"
mkdir "$folder"
printf 'kept\r\n' >"$folder/doc.txt"
ln "$folder/doc.txt" "$folder/doc2.txt"
freeze() { if [ "$(id -u)" = 0 ]; then chattr "$1i" "$folder"; else chmod "$2" "$folder"; fi; }
freeze + 555
trap 'freeze - 755; e2e_cleanup' EXIT
start
e2e_type "new text"
e2e_keys ctrl+shift+s
file_dialog "Сохранение документа" "$folder/doc.txt"
answer_box 4_no_room_for_the_copy
holds "$folder/doc.txt" $'kept\r' || e2e_fail "the document was written with no copy made"
freeze - 755
echo "recovery: a long name explained, a save and an open that waited for another program and said why, then wrote and opened, and a save with no room for its copy refused with the folders named; pictures in $E2E_OUT"
