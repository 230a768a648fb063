#!/usr/bin/env bash
# Drives the real program under an X server (tests/e2e/with_x.sh) on a profile whose settings file
# holds a remembered clipboard text of 2 M characters (3.7 MB), the clipboard watch on: the settings
# dialog opens from the Service menu, a box is ticked and applied, and the program answers at once:
# its event loop answers the next ping (the deadline, 60 s, is a generous failure bound, not a
# measure; the time taken is printed), the value is stored, the big text kept, and the dialog's OK
# closes it. The program is then closed from the File menu, which forgets the remembered text.
# Pictures go to BUILD/e2e/settings_store/.
# Usage: tests/e2e/settings_store_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init settings_store "$1"

# 2 M characters of Russian text in lines (\r\n in the file's quoted form), 3.7 MB as UTF-8.
line='Съешь же ещё этих мягких французских булок, да выпей чаю.\r\n'
big=$line
while [ ${#big} -lt 2200000 ]; do big=$big$big; done
big=${big:0:2200000}
big=${big%\\*}
e2e_profile <<REG
[$E2E_KEY\\Preferences]
"ClipboardDetect"="1"
"ShowInCaption"="3"
[$E2E_KEY\\Clipboard]
"ClipboardText"="$big"
REG
reg="$E2E_PROFILE/quillmark/registry.reg"
size=$(stat -c %s "$reg")
[ "$size" -gt 3500000 ] || e2e_fail "the profile's settings file is only $size bytes"
remembered_bytes() { e2e_value ClipboardText Clipboard | wc -c; }
kept=$(remembered_bytes)

# Places inside the windows, in pixels (the layout is fixed; as in settings_e2e.sh).
MENU_FILE=(18 10)
MENU_SERVICE=(320 10)
ITEM_SETTINGS=(360 33)
CHECK_CLEAR=(100 268)
BUTTON_Y=420
APPLY_X=330
OK_X=522
TITLE="Параметры программы"

e2e_start_main
e2e_click "$main" "${MENU_SERVICE[@]}"
e2e_click "$main" "${ITEM_SETTINGS[@]}"
dialog=$(e2e_wait_active "$TITLE")
e2e_click "$dialog" "${CHECK_CLEAR[@]}"
[ -z "$(e2e_value ClearClipboard)" ] || e2e_fail "a click stored the value before Apply"

# The click returns once the program's event loop has answered after it (e2e_settle).
applied() { [ "$(e2e_value ClearClipboard)" = '"1"' ]; }
start=$EPOCHREALTIME
e2e_click "$dialog" "$APPLY_X" "$BUTTON_Y"
answered=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')
applied || e2e_fail "Apply did not store \"ClearClipboard\" as \"1\""
e2e_shot_window "$dialog" applied_dialog
e2e_click "$dialog" "$OK_X" "$BUTTON_Y"
e2e_wait_gone "$TITLE"
e2e_shot_window "$main" closed_dialog
[ "$(remembered_bytes)" = "$kept" ] || e2e_fail "Apply lost the remembered clipboard text"

# Closed from the File menu (its last item, Up from the top): the remembered text is forgotten and
# the stored value stays.
e2e_focus "$main"
e2e_click "$main" "${MENU_FILE[@]}"
e2e_keys Up Return
e2e_wait_exit
applied || e2e_fail "the stored value did not survive the close"
[ "$(e2e_value ClipboardText Clipboard)" = '""' ] || e2e_fail "the close did not forget the remembered clipboard text"
echo "settings_store: with a $size-byte settings file, the program answered $answered s after the Apply click"
