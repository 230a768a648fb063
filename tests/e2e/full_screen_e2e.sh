#!/usr/bin/env bash
# The full-screen view driven from outside: Cyrillic text comes in through the clipboard and is
# pasted into the editor; the view is opened from the View menu and shows the text; the main window
# takes no keys meanwhile; the text is edited in the view; the bar's button leaves the view; the
# main editor then holds the edited text, and one Undo gives back the text from before the view.
# Last the time-and-date window puts the time after the text. Pictures of the view with its bar, of
# the bar alone, of the main window before and after and of the time-and-date window go to
# BUILD/e2e/full_screen/.
# Usage (through tests/e2e/with_x.sh): tests/e2e/full_screen_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init full_screen "$1"
e2e_profile <<'REG'
"ShowInCaption"="3"
REG
e2e_window_manager
e2e_start
main=$(e2e_wait_window "Quillmark 3.0 Preview")
e2e_focus "$main"

# The text of the focused editor, selected from the keyboard and copied (Ctrl+Insert).
editor_text() {
  e2e_keys ctrl+Home ctrl+shift+End
  e2e_copy ctrl+Insert
}

text="Съешь же ещё этих мягких французских булок"
e2e_clip_set "$text"
e2e_keys shift+Insert
[ "$(editor_text)" = "$text" ] || e2e_fail "the pasted text did not reach the editor"
e2e_keys ctrl+End
e2e_shot 1_main_before

# View -> "Во весь экран": the menu bar's fourth title, then its third item.
e2e_click "$main" 170 12
e2e_keys Down Down Down Return
bar=$(e2e_wait_window "Полноэкранный режим")
view=""
for id in $(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null); do
  [ "$id" = "$main" ] || [ "$id" = "$bar" ] || [ -n "$view" ] || {
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$WIDTH" -ge 1000 ] && view=$id
  }
done
[ -n "$view" ] || e2e_fail "no full-screen window came up with the bar"
[ "$(xdotool getwindowname "$view")" != "quillmark" ] || e2e_fail "the view's empty caption shows the program's name"
eval "$(xdotool getwindowgeometry --shell "$view")"
[ "$WIDTH" -ge 1260 ] && [ "$HEIGHT" -ge 980 ] || e2e_fail "the view is ${WIDTH}x${HEIGHT}, not the screen"
e2e_shot 2_full_screen
e2e_shot_window "$bar" 3_bar

# The view's editor holds the text and takes the keys.
e2e_focus "$view"
[ "$(editor_text)" = "$text" ] || e2e_fail "the view does not show the document's text"
e2e_keys ctrl+End
e2e_clip_set " — и выпей чаю"
e2e_keys shift+Insert
# The main window takes no keys while the view is open: the window manager makes it the active
# window, and the keys sent to it change nothing.
main_active() { xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | grep -qi "$(printf '0x%x' "$main")\$"; }
xdotool windowactivate "$main" >/dev/null 2>&1 || true
e2e_until 60 main_active || e2e_fail "the window manager did not activate the main window"
e2e_settle
e2e_keys ctrl+Home ctrl+shift+End Delete
e2e_shot 4_edited

# The bar's button leaves the view; the main editor holds the edited text.
eval "$(xdotool getwindowgeometry --shell "$bar")"
e2e_click "$bar" $((WIDTH / 2)) $((HEIGHT / 2))
e2e_wait_gone "Полноэкранный режим"
e2e_focus "$main"
got=$(editor_text)
[ "$got" = "$text — и выпей чаю" ] || e2e_fail "the main editor holds \"$got\" after the view closed"
e2e_keys ctrl+End
e2e_shot 5_main_after
# One Undo takes the whole view back.
e2e_keys ctrl+z
got=$(editor_text)
[ "$got" = "$text" ] || e2e_fail "one Undo after the view gave \"$got\""

# Insert -> "Время и дата": a row of the time, chosen from the keyboard, goes in after the text.
e2e_keys ctrl+End
e2e_click "$main" 213 12
e2e_keys Down Return
dates=$(e2e_wait_window "Время и дата")
e2e_focus "$dates"
e2e_keys Down
e2e_shot_window "$dates" 6_time_and_date
e2e_click "$dates" 160 310
e2e_wait_gone "Время и дата"
e2e_focus "$main"
got=$(editor_text)
[[ "$got" =~ ^"$text"[0-9]{2}.[0-9]{2}(.[0-9]{2})?$ ]] || e2e_fail "after inserting the time the editor holds \"$got\""
echo "full screen: the text went out, was edited there, came back and one Undo took it back"
echo "time and date: the chosen time went in after the text"
