#!/usr/bin/env bash
# Keys typed into the file dialogs of the real program (with a window manager, openbox) belong to
# the dialog, not to the document behind it: with the whole document selected,
#  1. Save As (Ctrl+Shift+S): Ctrl+V pastes a file name copied by another program into the name
#     box, Enter saves; the file holds the document, not the name, and the document is unchanged;
#  2. Open (Ctrl+O): Ctrl+V, Ctrl+A, Ctrl+X in the name box, then Esc: the document is unchanged and
#     the clipboard holds the name cut from the box;
#  3. Open again: Ctrl+V pastes another file's name, Enter opens that file.
# Pictures go to BUILD/e2e/modal_keys/. Usage (through tests/e2e/with_x.sh): tests/e2e/modal_keys_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init modal_keys "$1" 150
docs="$E2E_PROFILE/Документы"
mkdir -p "$docs"
printf 'Another file\r\n' > "$docs/another.txt"
e2e_profile <<REG
"ShowInCaption"="3"
"SaveChange"="0"
"FolderDocuments"="$docs"
REG

DOCUMENT="Document typed by the user"
SAVE_TITLE="Сохранение документа"
OPEN_TITLE="Открытие документа"

# document_is TEXT: the editor holds exactly TEXT.
document_is() { [ "$(e2e_editor_text)" = "$1" ]; }
# saved_file: the saved file is there and complete.
saved_file() { [ -s "$docs/pasted-name.txt" ] && grep -q . "$docs/pasted-name.txt"; }

e2e_window_manager
e2e_start_main
e2e_focus "$main"
e2e_type "$DOCUMENT"
document_is "$DOCUMENT" || e2e_fail "the typed document did not arrive"

# 1. Save As: the name pasted into the name box, the file written with the document.
e2e_clip_set "pasted-name.txt"
e2e_keys ctrl+shift+s
dialog=$(e2e_wait_window "$SAVE_TITLE")
e2e_focus "$dialog"
e2e_keys ctrl+v
e2e_shot 1_save_as_name_pasted
e2e_keys Return
e2e_wait_gone "$SAVE_TITLE"
e2e_until 60 saved_file || e2e_fail "Save As wrote no file under the pasted name: $(ls "$docs" | tr '\n' ' ')"
e2e_focus "$main"
[ "$(tr -d '\r\n' < "$docs/pasted-name.txt")" = "$DOCUMENT" ] \
  || e2e_fail "the saved file holds \"$(cat "$docs/pasted-name.txt")\", not the document"
document_is "$DOCUMENT" || e2e_fail "the paste in the Save As dialog changed the document"
e2e_shot 2_saved

# 2. Open: paste, select all and cut in the name box, then cancel.
e2e_clip_set "pasted-name.txt"
e2e_keys ctrl+o
dialog=$(e2e_wait_window "$OPEN_TITLE")
e2e_focus "$dialog"
e2e_keys ctrl+v ctrl+a ctrl+x
e2e_shot 3_open_name_cut
[ "$(e2e_clip_get)" = "pasted-name.txt" ] || e2e_fail "Ctrl+X in the Open dialog did not cut its name box"
e2e_keys Escape
e2e_wait_gone "$OPEN_TITLE"
e2e_focus "$main"
document_is "$DOCUMENT" || e2e_fail "Ctrl+V, Ctrl+A, Ctrl+X in the Open dialog changed the document"

# 3. Open: the pasted name opens that file.
e2e_clip_set "another.txt"
e2e_keys ctrl+o
dialog=$(e2e_wait_window "$OPEN_TITLE")
e2e_focus "$dialog"
e2e_keys ctrl+v
e2e_shot 4_open_name_pasted
e2e_keys Return
e2e_wait_gone "$OPEN_TITLE"
e2e_focus "$main"
opened() { document_is "Another file"; }
e2e_until 60 opened || e2e_fail "the file named in the Open dialog was not opened: \"$(e2e_editor_text)\""
e2e_shot 5_opened
e2e_running || e2e_fail "the program ended"
echo "modal_keys: Ctrl+V, Ctrl+A and Ctrl+X in the Save As and Open dialogs worked on their name box; the document stayed and the saved file holds it"
