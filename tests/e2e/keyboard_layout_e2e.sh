#!/usr/bin/env bash
# The keyboard layout switched as Russian users switch it, on an X server with a window manager (run
# it through tests/e2e/with_x.sh): with the US and Russian layouts and grp:alt_shift_toggle, Alt+Shift and then
# Shift+Alt switch to Russian and the keys typed next arrive in the editor as Russian letters; so do
# they after Ctrl+Shift with grp:ctrl_shift_toggle, where Ctrl+Shift+S is still "Save As". Ctrl+F
# typed quickly, Ctrl up again before the program reads F, still opens Find. An Alt tap still makes
# "Файл" hot, and Escape in the editor's right-click menu closes it; the letters typed next reach
# the editor, and so do they after the menu is closed by a click in the editor, which also puts the
# caret where it was made. A drop-down left open when the desktop activates another window of the
# program, or minimises or moves the window, closes, and the keys go to the window that has the
# keyboard; Alt+drag, which moves the window, is no Alt tap.
# Keys go through XTest with real key codes (xte): xdotool resets the layout group after each
# command and cannot show any of this. The layout is a property of this script's own X server.
# Pictures go to BUILD_DIR/e2e/keyboard_layout/.
# Usage: tests/e2e/keyboard_layout_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/xtest_lib.sh"
e2e_init keyboard_layout "$1"

# chord FIRST SECOND: FIRST held, SECOND pressed and released, FIRST released (each a moment apart,
# as fingers press them).
chord() {
  xte "keydown $1" 'usleep 80000' "keydown $2" 'usleep 80000' "keyup $2" 'usleep 80000' "keyup $1"
  e2e_settle
}
# layouts OPTION: the US and Russian layouts, switched by OPTION; the group in force stays as it
# was (a new layout list does not reset it, and the US layout is in force at the start).
layouts() { setxkbmap -layout us,ru -option '' -option "$1"; e2e_settle; }
# expect_russian WHAT: the keys of "ghbdtn" typed now arrive as "привет", replacing the text.
expect_russian() {
  with_ctrl a
  typed ghbdtn
  expect_text "$1" "привет"
}
# Visible windows of the program.
program_windows() { xdotool search --onlyvisible --class quillmark 2>/dev/null | sort; }
# new_windows BEFORE: the program's visible windows that are not in the list BEFORE.
new_windows() { comm -13 <(echo "$1") <(program_windows) | grep .; }
# await_menu WHAT BEFORE: waits for a window of the program that was not there; sets opened.
await_menu() {
  e2e_until 60 new_windows "$2" >/dev/null || e2e_fail "$1 opened no menu"
  e2e_settle
  opened=$(new_windows "$2")
}
# menu_opened: a right click in the editor shows a window of the program that was not there.
menu_opened() {
  local before
  before=$(program_windows)
  e2e_click "$wid" 300 200 3
  await_menu "the right click" "$before"
}
# menu_gone: true when no window that menu_opened (or menu_by_keys) saw is shown.
menu_gone() { [ -z "$(comm -12 <(echo "$opened") <(program_windows))" ]; }
# menu_closed WHAT: the menu that menu_opened (or menu_by_keys) saw goes from the screen.
menu_closed() {
  e2e_until 60 menu_gone || e2e_fail "$1 left the menu on the screen"
  e2e_settle
}

e2e_window_manager
e2e_profile <<'REG'
"ShowInCaption"="3"
REG
e2e_start
wid=$(e2e_wait_window "Brannoch Quillmark 3.0 Preview")
main=$wid
e2e_focus "$wid"
e2e_shot_window "$wid" 00_started

# --- Alt+Shift, then Shift+Alt, under grp:alt_shift_toggle --------------------------------------
layouts grp:alt_shift_toggle
chord Alt_L Shift_L
expect_russian "after Alt+Shift"
e2e_shot_window "$wid" 01_alt_shift_russian
chord Alt_L Shift_L  # back to US

chord Shift_L Alt_L
expect_russian "after Shift+Alt"
e2e_shot_window "$wid" 02_shift_alt_russian
chord Shift_L Alt_L  # back to US

# --- Ctrl+Shift under grp:ctrl_shift_toggle ---------------------------------------------------------
layouts grp:ctrl_shift_toggle
chord Control_L Shift_L
expect_russian "after Ctrl+Shift"
e2e_shot_window "$wid" 03_ctrl_shift_russian
# Ctrl+Shift+S switches the layout as well (the server reports no Shift with S), and is still
# "Save As"; the switch is undone after.
xte 'keydown Control_L' 'keydown Shift_L' 'key s' 'keyup Shift_L' 'keyup Control_L'
e2e_until 60 e2e_window_shown "Сохранение документа" || e2e_fail "Ctrl+Shift+S under grp:ctrl_shift_toggle did not open Save As"
e2e_shot 03a_ctrl_shift_s_save_as
key Escape
e2e_wait_gone "Сохранение документа"
e2e_focus "$wid"
chord Control_L Shift_L

# --- A shortcut typed quickly, in the Russian layout: Ctrl is up again before the program reads F,
# and Ctrl+F still opens Find ---------------------------------------------------------------------------
xte 'keydown Control_L' 'key f' 'keyup Control_L'
e2e_until 60 e2e_window_shown "Найти" || e2e_fail "Ctrl+F typed quickly did not open Find"
e2e_shot 03b_quick_ctrl_f_find
key Escape
e2e_wait_gone "Найти"
e2e_focus "$wid"

# --- An Alt tap still makes "Файл" hot, in the Russian layout ----------------------------------------
layouts grp:alt_shift_toggle
e2e_shot_window "$wid" 04_before_alt
key Alt_L
e2e_shot_window "$wid" 05_alt_tap_file_hot
# "Файл" is the first item of the menu bar, at the top left of the window's client area.
changed=$(compare -metric AE -crop 60x22+0+0 "$E2E_OUT/04_before_alt.png" "$E2E_OUT/05_alt_tap_file_hot.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 50 ] 2>/dev/null || e2e_fail "an Alt tap did not make \"Файл\" hot (${changed} pixels changed)"
key Escape
e2e_shot_window "$wid" 06_escape_left_menu_mode
typed q
# The whole text is still selected from the last reading: the key replaces it.
[ "$(editor_text)" = "й" ] || e2e_fail "after Escape the keys do not reach the editor"

# --- The editor's right-click menu: Escape closes it, and the keys typed next reach the editor ----
chord Alt_L Shift_L  # back to US
with_ctrl a
typed hello
menu_opened
e2e_shot 07_context_menu
key Escape
menu_closed "Escape"
e2e_shot 08_context_menu_closed
typed xyz
e2e_shot 09_typed_after_escape
expect_text "letters typed after Escape closed the right-click menu" "helloxyz"

# --- The right-click menu closed by a click in the editor: the click puts the caret, keys arrive ----
# The caret goes to the start of the text; the click below the text puts it back at the end.
key Home
menu_opened
e2e_shot 10_context_menu_again
e2e_click "$wid" 100 450
menu_closed "A click in the editor"
e2e_shot 11_clicked_in_the_editor
typed uvw
e2e_shot 12_typed_after_the_click
expect_text "letters typed after a click in the editor closed the right-click menu" "helloxyzuvw"

# --- A drop-down open when the desktop gives the keyboard to another window of the program (Find):
# the menus close and the keys typed next reach that window --------------------------------------------
# menu_by_keys: an Alt tap and Down open the "Файл" menu, a window of the program that was not there.
menu_by_keys() {
  local before
  before=$(program_windows)
  key Alt_L
  key Down
  await_menu "Alt, Down" "$before"
}
with_ctrl f
e2e_until 60 e2e_window_shown "Найти" || e2e_fail "Ctrl+F did not open Find"
find=$(xdotool search --onlyvisible --name "Найти" | head -1)
e2e_focus "$wid"
menu_by_keys
e2e_shot 13_file_menu_open
e2e_focus "$find"
menu_closed "Find taking the keyboard"
e2e_shot 14_find_activated
with_ctrl a
typed abc
expect_text "letters typed in Find after it took the keyboard from the open menu" "abc"
key Escape
e2e_wait_gone "Найти"

# --- A drop-down open when the window is minimised: the menus go with it ------------------------------
e2e_focus "$wid"
menu_by_keys
xdotool windowminimize "$wid"
menu_closed "Minimising the window"
e2e_shot 15_minimised
e2e_focus "$wid"
with_ctrl a
typed restored
e2e_shot 16_typed_after_restoring
expect_text "letters typed after the window came back" "restored"

# --- Alt+drag: the desktop moves the window and keeps the click to itself; Alt's release is no tap,
# and the keys typed next reach the editor --------------------------------------------------------------
typed before  # replaces the text, all selected by the last reading
was=$(e2e_geometry "$wid")
xte 'keydown Alt_L'
xdotool mousemove --window "$wid" 300 300 mousedown 1
for _ in 1 2 3 4 5; do xdotool mousemove_relative --sync 10 10; done
xdotool mouseup 1
xte 'keyup Alt_L'
moved() { [ "$(e2e_geometry "$wid")" != "$was" ]; }
e2e_until 60 moved || e2e_fail "Alt+drag did not move the window (the window manager has no such binding)"
e2e_settle
e2e_shot 17_alt_dragged
typed after
expect_text "letters typed after Alt+drag moved the window" "beforeafter"

# --- A drop-down open when the window is moved: it closes with its menus -------------------------------
menu_by_keys
xdotool windowmove "$wid" 150 120
menu_closed "Moving the window"
e2e_shot 18_moved_with_a_menu_open
typed moved
expect_text "letters typed after the window moved" "moved"
echo "keyboard_layout: passed"
