#!/usr/bin/env bash
# The clipboard watch learns of a copy made by another program from the window system's own change
# notice, with nothing else happening in the program: its main window minimized, another window
# active, no key or pointer reaching it. Another program (xclip) copies text in DOS 866 shown as
# Windows 1251; the watch converts it into the editor, and does so again for a second copy, which
# stays there when its program quits and when a picture is copied after it. Pictures
# go to BUILD_DIR/e2e/clipboard_watch/.
# Usage (through tests/e2e/with_x.sh): tests/e2e/clipboard_watch_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/clipboard_lib.sh"
e2e_init clipboard_watch "$1"
clip_watch_profile

e2e_window_manager
e2e_start_main
# Another program's window takes the keyboard, and the main window goes out of sight.
e2e_spawn xmessage -geometry +600+600 "another program"
other=$(e2e_wait_window "xmessage")
xdotool windowminimize --sync "$main"
e2e_focus "$other"
e2e_shot 1_minimized

clip_copied_garbled "$CLIP_FIRST" "the text another program copied"

second=$CLIP_SECOND
# This copy's program stays in the foreground, so that it can quit below.
as_866_shown_as_1251 "$second" > "$E2E_OUT/second.txt"
xclip -quiet -selection clipboard -i "$E2E_OUT/second.txt" >/dev/null 2>&1 &
owner=$!
E2E_PIDS+=("$owner")
e2e_until 60 remembered "$(as_866_shown_as_1251 "$second")" \
  || e2e_fail "the clipboard watch did not see the second copy"
# The watch takes the text in at its next tick, before the program that copied it quits.
e2e_settle

# The program that copied quits, which empties the clipboard; then another copies a picture. Neither
# is text, and the converted copy stays in the editor.
clipboard_empty() { [ -z "$(e2e_clip_get)" ]; }
kill "$owner"
e2e_until 60 clipboard_empty || e2e_fail "the clipboard kept its text after its owner quit"
e2e_settle
timeout 30 xclip -selection clipboard -t image/png -i "$E2E_OUT/1_minimized.png" >/dev/null 2>&1 \
  || e2e_fail "xclip could not copy a picture"
picture_copied() { timeout 30 xclip -selection clipboard -o -t TARGETS 2>/dev/null | grep -q image/png; }
e2e_until 60 picture_copied || e2e_fail "the picture did not reach the clipboard"
e2e_settle

xdotool windowactivate --sync "$main" >/dev/null 2>&1 || xdotool windowmap --sync "$main"
e2e_focus "$main"
e2e_shot 2_converted
got=$(e2e_editor_text)
[ "$got" = "$second" ] || e2e_fail "the editor holds \"${got:0:80}\", not the second copy converted"
echo "clipboard_watch: copies by another program reached the minimized program and were converted; pictures in $E2E_OUT"
