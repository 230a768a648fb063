#!/usr/bin/env bash
# The buttons on the frames of the real program's windows under a window manager (openbox), which
# keeps a close box on every framed window and drops minimise only by a window's type:
#  1. the save question (Yes/No) shows no close box: it stands without the window manager's frame,
#     under a title bar of its own that writes its caption; Esc leaves it up, No answers it;
#  2. Find offers neither minimise nor maximise; the message that a search ended has the manager's
#     frame with its title and close box and neither of them, and Enter on it gives the keyboard
#     back to Find;
#  2b. a Yes/No question over the replace window, answered, gives the keyboard straight back to it;
#  3. Go to, and its message that a line is not there, offer neither minimise nor maximise, and Enter
#     on the message gives the keyboard back to Go to, whose frame's close box closes it;
#  4. the full-screen view and its bar offer neither minimise nor maximise (a picture of the bar with
#     its frame shows whether its title bar writes the caption whole).
# Pictures go to BUILD/e2e/frame_buttons/. Usage (through tests/e2e/with_x.sh): tests/e2e/frame_buttons_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/search_lib.sh"
e2e_init frame_buttons "$1"
e2e_profile <<'REG'
"ShowInCaption"="3"
"SaveChange"="1"
REG

# actions WID: what the window manager offers for the window.
actions() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS; }
# no_min_max WID WHAT: the window manager offers neither minimise nor maximise for the window.
no_min_max() {
  local a
  a=$(actions "$1")
  [[ "$a" != *_NET_WM_ACTION_MINIMIZE* && "$a" != *_NET_WM_ACTION_MAXIMIZE* ]] || e2e_fail "$2 can be minimised or maximised: $a"
}
# frame_top WID: the height of the window manager's frame above the window (0: no frame).
frame_top() { xprop -id "$1" _NET_FRAME_EXTENTS | awk -F'[=,]' '/=/{gsub(/ /, "", $4); print $4 + 0}'; }
# caption_pixels PICTURE: how many pixels of the top rows (the box's own title bar) are the caption's
# dark blue, as the desktop's caption colour is.
caption_pixels() {
  convert "$1" -crop "x16+0+2" +repage -depth 8 txt:- |
    sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | awk '$1 < 40 && $2 < 40 && $3 > 100 { n++ } END { print n + 0 }'
}

e2e_window_manager
e2e_start_main
e2e_focus "$main"
e2e_type "one two"

# 1. New asks whether to save the changed document.
e2e_keys ctrl+n
box=$(e2e_wait_box)
e2e_shot 1_save_question
e2e_shot_window "$box" 1_save_question_box
[ "$(frame_top "$box")" = 0 ] || e2e_fail "the save question has the window manager's frame, with its close box: $(xprop -id "$box" _NET_FRAME_EXTENTS)"
(($(caption_pixels "$E2E_OUT/1_save_question_box.png") > 100)) || e2e_fail "the save question shows no title bar of its own"
e2e_keys Escape
e2e_box >/dev/null || e2e_fail "Esc answered the save question"
e2e_keys Tab Return
e2e_until 60 e2e_no_window_id "$box" || e2e_fail "No did not answer the save question"
e2e_focus "$main"
e2e_type "three"
[ "$(e2e_editor_text)" = "three" ] || e2e_fail "No to the save question did not give a new document"

# 2. A search for what is not there ends with a message.
e2e_keys ctrl+Home ctrl+f
find=$(e2e_wait_active "Найти")
no_min_max "$find" "Find"
e2e_type "missing"
e2e_keys Return
box=$(e2e_wait_box)
e2e_shot 2_search_ended
(($(frame_top "$box") > 0)) || e2e_fail "the message that the search ended has no frame"
[[ "$(actions "$box")" == *_NET_WM_ACTION_CLOSE* ]] || e2e_fail "the message that the search ended cannot be closed"
no_min_max "$box" "the message that the search ended"
e2e_keys Return
e2e_until 60 e2e_no_window_id "$box" || e2e_fail "the message that the search ended stayed"
e2e_until 60 e2e_has_focus "$find" || e2e_fail "Find did not get the keyboard back from the message"
e2e_keys Escape
e2e_wait_gone "Найти"

# 2b. Replace All asks a Yes/No question over the replace window, a window the window manager would
# not give the keyboard back to: answered, the keyboard goes straight back to the replace window,
# never through the main window (where a key typed meanwhile would have gone).
e2e_keys ctrl+h
replace=$(e2e_wait_active "Найти и заменить")
no_min_max "$replace" "Replace"
fill_box "$replace" "${REPLACE_FIND_BOX[@]}" "three"
fill_box "$replace" "${REPLACE_WITH_BOX[@]}" "four"
e2e_keys Return  # found: Replace All is enabled
e2e_focus "$replace"
e2e_click "$replace" "${REPLACE_ALL[@]}"
box=$(e2e_wait_box)
e2e_focus "$box"
xprop -spy -root _NET_ACTIVE_WINDOW > "$E2E_OUT/active_windows" 2>/dev/null &
spy=$!
E2E_PIDS+=("$spy")
e2e_until 60 test -s "$E2E_OUT/active_windows" || e2e_fail "no report of the active window"
e2e_keys Tab space  # No
e2e_until 60 e2e_no_window_id "$box" || e2e_fail "No did not answer the Replace All question"
e2e_until 60 e2e_has_focus "$replace" || e2e_fail "the replace window did not get the keyboard back from the question"
e2e_settle_wm
kill "$spy"
if grep -q "$(printf '0x%x' "$main")\b" "$E2E_OUT/active_windows"; then
  e2e_fail "the keyboard went to the main window between the question and the replace window: $(tr '\n' ' ' < "$E2E_OUT/active_windows")"
fi
e2e_keys Escape
e2e_wait_gone "Найти и заменить"

# 3. Go to a line that is not there: a message over Go to.
e2e_focus "$main"
e2e_keys ctrl+g
go_to=$(e2e_wait_active "Перейти")
no_min_max "$go_to" "Go to"
e2e_type "9"
e2e_keys Return
box=$(e2e_wait_box)
e2e_shot 3_no_such_line
no_min_max "$box" "the message that the line is not there"
e2e_keys Return
e2e_until 60 e2e_no_window_id "$box" || e2e_fail "the message that the line is not there stayed"
e2e_until 60 e2e_has_focus "$go_to" || e2e_fail "Go to did not get the keyboard back from the message"
e2e_close "$go_to"  # its frame's close box: Go to has no cancel key
e2e_wait_gone "Перейти"

# 4. View -> "Во весь экран": the menu bar's fourth title, then its third item.
e2e_focus "$main"
e2e_click "$main" 170 12
e2e_keys Down Down Down Return
bar=$(e2e_wait_window "Полноэкранный режим")
view=""
for id in $(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null); do
  [ "$id" = "$main" ] || [ "$id" = "$bar" ] || view=$id
done
[ -n "$view" ] || e2e_fail "no full-screen window came up with the bar"
e2e_shot 4_full_screen
frame=$(xwininfo -children -id "$bar" | awk '/Parent window id/{print $4}')
e2e_shot_window "$frame" 5_full_screen_bar
no_min_max "$bar" "the full-screen bar"
no_min_max "$view" "the full-screen view"
echo "frame_buttons: the save question shows no close box; Find, Go to, their messages and the full-screen windows offer neither minimise nor maximise; a message closed gives the keyboard back to the window under it"
