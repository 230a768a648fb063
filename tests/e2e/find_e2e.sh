#!/usr/bin/env bash
# Drives the real program under an X server (tests/e2e/with_x.sh): a Russian text pasted through
# the clipboard; Ctrl+F opens the find window, whose search selects the first match in the editor
# (read back through Copy); Ctrl+H opens the replace window, whose Replace All, after its question,
# replaces every match (the text read back); Ctrl+G opens the go-to window, which puts the caret at
# the start of the third line. Pictures of the three windows go to BUILD/e2e/find/.
# Usage: tests/e2e/find_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/search_lib.sh"
e2e_init find "$1"
e2e_profile <<'REG'
"ShowInCaption"="3"
REG

TEXT=$'Белеет парус одинокий\nВ тумане моря голубом!\nЧто ищет он в стране далёкой?\nЧто кинул он в краю родном?'
REPLACED=$'Белеет парус одинокий\nВ тумане моря голубом!\nЧего ищет он в стране далёкой?\nЧего кинул он в краю родном?'

# Selects with KEYS, then copies with Ctrl+Insert; prints what was copied.
copy() {
  e2e_keys "$@"
  e2e_copy ctrl+Insert | tr -d '\r'
}
# The editor's whole text, selected and copied.
editor_text() { copy ctrl+Home ctrl+shift+End; }
# Gives the main window the keyboard (its editor has the focus inside it).
to_main() { e2e_focus "$main"; }

e2e_window_manager
e2e_start_main
to_main
e2e_clip_set "$TEXT"
e2e_keys shift+Insert
[ "$(editor_text)" = "$TEXT" ] || e2e_fail "the pasted text did not arrive"
e2e_keys ctrl+Home

# Find: the first "Что" (the case is ignored) is selected.
e2e_keys ctrl+f
find=$(e2e_wait_active "Найти")
fill_box "$find" "${FIND_BOX[@]}" "что"
e2e_keys Return
e2e_shot 1_find_found
e2e_shot_window "$find" 2_find_window
to_main
got=$(copy)
[ "$got" = "Что" ] || e2e_fail "the search did not select the match (copied: $got)"
e2e_focus "$find"
e2e_click "$find" "${FIND_CANCEL[@]}"
e2e_wait_gone "Найти"

# Replace All: every "Что" becomes "Чего", after the question and before the count.
replace_all_answered "Что" "Чего" 3_replace
to_main
got=$(editor_text)
[ "$got" = "$REPLACED" ] || e2e_fail "Replace All left another text: $got"

# Go to line 3: the caret at its first character; Shift+End selects the line.
e2e_keys ctrl+Home
e2e_keys ctrl+g
goto=$(e2e_wait_active "Перейти")
e2e_type 3
e2e_shot_window "$goto" 6_go_to_window
e2e_keys Return
e2e_wait_gone "Перейти"
to_main
got=$(copy shift+End)
[ "$got" = "Чего ищет он в стране далёкой?" ] || e2e_fail "Go To did not reach the third line (copied: $got)"
e2e_shot 7_after_go_to
echo "find: Ctrl+F found the word, Ctrl+H replaced every match, Ctrl+G reached the third line"
