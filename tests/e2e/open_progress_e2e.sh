#!/usr/bin/env bash
# Opening a large document (about 150 MB) from the File menu's Open (Ctrl+O): after half a second
# its progress window comes up over the main window; Escape (its Cancel) stops the open and the
# editor keeps the text typed before, the caption its title; opened again and left alone, the
# document fills the editor and its path goes into the caption. Pictures of the progress window,
# of the screen while it shows and of the opened document go to BUILD/e2e/open_progress/.
# Usage (through tests/e2e/with_x.sh): tests/e2e/open_progress_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init open_progress "$1"
e2e_profile <<'REG'
"SaveChange"="0"
"ShowInCaption"="2"
REG

# Windows-1251 lines ("Привет, мир!" and an English sentence), 150 MB of them: the editor takes
# them in a second or two, long enough to see its progress and press Cancel.
big="$E2E_OUT/big.txt"
perl -e 'my $l = "\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0! The quick brown fox jumps over the lazy dog.\r\n";
         my $b = $l x 16384; print $b for 1 .. int(150 * 1048576 / length $b)' > "$big"

e2e_window_manager
e2e_start
main=$(e2e_wait_window "Quillmark 3.0 Preview")
e2e_focus "$main"
e2e_type "kept text"
caption=$(xdotool getwindowname "$main")

open_big() {
  e2e_focus "$main"
  e2e_keys ctrl+o
  local dialog
  dialog=$(e2e_wait_window "Открытие документа")
  e2e_focus "$dialog"
  e2e_type "$big"
  e2e_keys Return
}

open_big
progress=$(e2e_wait_window "Загрузка документа")
# The program is held while the pictures are taken and Escape is pressed, so that the open, which
# takes a second or two, is still going when it reads the key at its next pass of events.
kill -STOP "$E2E_PID"
import -window "$progress" "$E2E_OUT/1_progress.png"
import -window root "$E2E_OUT/2_progress_over_main.png"
xdotool windowactivate --sync "$progress" >/dev/null 2>&1 || xdotool windowfocus --sync "$progress"
xdotool key --clearmodifiers Escape
kill -CONT "$E2E_PID"
e2e_wait_gone "Загрузка документа"
e2e_focus "$main"
got=$(e2e_editor_text)
[ "$got" = "kept text" ] || e2e_fail "after Cancel the editor holds \"${got:0:80}\""
[ "$(xdotool getwindowname "$main")" = "$caption" ] || e2e_fail "after Cancel the caption changed"
e2e_shot 3_after_cancel

open_big
e2e_wait_window "Загрузка документа" >/dev/null
e2e_wait_gone "Загрузка документа"
e2e_until 60 bash -c "xdotool getwindowname $main | grep -q big.txt" \
  || e2e_fail "the opened document's path is not in the caption"
e2e_focus "$main"
e2e_keys ctrl+End
e2e_shot 4_opened
rm -f "$big"
echo "open_progress: the progress window showed, Escape kept the typed text, and the document opened"
