#!/usr/bin/env bash
# The full-screen view driven from outside: Cyrillic text comes in through the clipboard and is
# pasted into the editor, the view is opened from the View menu and shows the text, the main window
# takes no keys meanwhile, the text is edited there, the bar's button leaves the view, and the main
# editor holds the edited text. Pictures of the view, its bar and the main window afterwards go to
# BUILD/e2e/full_screen/.
# Usage (inside xvfb-run): tests/e2e/full_screen_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init full_screen "$1" 120
e2e_profile <<'REG'
"ShowInCaption"="3"
REG
e2e_window_manager
e2e_start
main=$(e2e_wait_window "Quillmark 3.0 Preview")
e2e_focus "$main"

text="Съешь же ещё этих мягких французских булок"
e2e_clip_set "$text"
e2e_keys ctrl+v
[ "$(e2e_editor_text)" = "$text" ] || e2e_fail "the pasted text did not reach the editor"
e2e_shot 1_main_before

# View (the fourth menu) -> "Во весь экран" (its third item), from the keyboard.
e2e_keys F10 Right Right Right Down Down Down Return
bar=$(e2e_wait_window "Полноэкранный режим" 10)
view=$(xdotool search --onlyvisible --name '^$' 2>/dev/null | while read -r id; do
  [ "$(xdotool getwindowpid "$id" 2>/dev/null)" = "$E2E_PID" ] && echo "$id"
done | head -1)
[ -n "$view" ] || e2e_fail "no full-screen window came up with the bar"
eval "$(xdotool getwindowgeometry --shell "$view")"
[ "$WIDTH" -ge 1200 ] && [ "$HEIGHT" -ge 900 ] || e2e_fail "the view is ${WIDTH}x${HEIGHT}, not the screen"
e2e_shot 2_full_screen
e2e_shot_window "$bar" 3_bar

# The view's editor has the text and the keys; the main window takes none.
e2e_focus "$view"
[ "$(e2e_editor_text)" = "$text" ] || e2e_fail "the view does not show the document's text"
e2e_keys End
e2e_clip_set " — и выпей чаю"
e2e_keys ctrl+v
e2e_focus "$main"
e2e_keys ctrl+a Delete
e2e_shot 4_edited

# The bar's button leaves the view; the main editor holds the edited text.
eval "$(xdotool getwindowgeometry --shell "$bar")"
e2e_click "$bar" $((WIDTH / 2)) $((HEIGHT / 2))
e2e_wait_gone "Полноэкранный режим"
e2e_focus "$main"
got=$(e2e_editor_text)
[ "$got" = "$text — и выпей чаю" ] || e2e_fail "the main editor holds \"$got\" after the view closed"
e2e_shot 5_main_after
echo "full screen: the text went out, was edited and came back"
