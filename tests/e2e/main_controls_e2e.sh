#!/usr/bin/env bash
# The main window's controls do what they show, driven as a user drives them (run it through
# tests/e2e/with_x.sh): on a new profile the toolbars show their buttons; a KOI-8 text pasted in, its
# direction chosen in the toolbar's list by the keyboard and Start pressed comes out readable, and
# the choice is stored; lines copied from the editor reach the clipboard with LF line breaks; a
# paste into an emptied document undone by Ctrl+Z comes back by F4. Pictures go to
# BUILD_DIR/e2e/main_controls/.
# Usage: tests/e2e/main_controls_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init main_controls "$1"
e2e_profile <<REG
[$E2E_KEY\\Preferences]
"ShowInCaption"="3"
"ToolBarStandart"="1"
"ToolBarDecode"="1"
"DefaultCode"="0"
"SaveChange"="0"
REG

# Places inside the main window, in pixels: the conversion toolbar's direction list, a place in its
# open list, and its Start.
DIRECTION_LIST=(90 66)
LIST_OPEN=(90 120)
START=(255 66)
READABLE="Съешь же этих мягких французских булок"
KOI8=$(printf '%s' "$READABLE" | iconv -f UTF-8 -t KOI8-R | iconv -f CP1251 -t UTF-8)

e2e_window_manager
e2e_start_main
e2e_focus "$main"
e2e_shot_window "$main" 1_new_profile

# The KOI-8 text pasted in; "UNIX KOI-8 -> Windows 1251" is the tenth direction of the list.
e2e_clip_set "$KOI8"
e2e_click "$main" 400 300
e2e_keys ctrl+v
e2e_click "$main" "${DIRECTION_LIST[@]}"
e2e_wait_over "$main" "${LIST_OPEN[@]}" "the direction list"
e2e_keys Down Down Down Down Down Down Down Down Down Return
list_closed() { ! e2e_window_over "$main" "${LIST_OPEN[@]}"; }
e2e_until 60 list_closed || e2e_fail "the direction list stayed open after Return"
stored_direction() { [ "$(e2e_value DefaultCode)" = '"9"' ]; }
e2e_until 60 stored_direction || e2e_fail "the direction chosen in the list was not stored: $(e2e_value DefaultCode)"
e2e_shot_window "$main" 2_direction_chosen
e2e_click "$main" "${START[@]}"
e2e_click "$main" 400 300
converted() { [ "$(e2e_editor_text)" = "$READABLE" ]; }
e2e_until 60 converted || e2e_fail "Start did not run the direction the list shows: $(e2e_editor_text)"
e2e_shot_window "$main" 3_converted

# Two lines copied: the clipboard holds them with one LF between, no CR.
e2e_keys ctrl+End Return
e2e_type "second line"
text=$(e2e_editor_text | od -An -c | tr -s ' ')
[[ "$text" == *"\n"* ]] || e2e_fail "the copied lines reached the clipboard without a line break: $text"
[[ "$text" != *"\r"* ]] || e2e_fail "the copied lines reached the clipboard with CR LF: $text"

# A paste into an emptied document, undone and redone by the keys.
e2e_clip_set "$READABLE"
e2e_keys ctrl+n
e2e_keys ctrl+v
e2e_keys ctrl+z
e2e_shot_window "$main" 4_undone
e2e_keys F4
redone() { [ "$(e2e_editor_text)" = "$READABLE" ]; }
e2e_until 60 redone || e2e_fail "F4 did not redo the paste that Ctrl+Z undid: $(e2e_editor_text)"
e2e_shot_window "$main" 5_redone
echo "main controls: Start ran the chosen direction, copies carry LF, and F4 redid the undone paste"
