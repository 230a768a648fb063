#!/usr/bin/env bash
# The keyboard layout switched as Russian users switch it, on an X server with a window manager (run
# it inside xvfb-run): with the US and Russian layouts and grp:alt_shift_toggle, Alt+Shift and then
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
e2e_init keyboard_layout "$1" 240

# chord FIRST SECOND: FIRST held, SECOND pressed and released, FIRST released.
chord() {
  xte "keydown $1" 'usleep 80000' "keydown $2" 'usleep 80000' "keyup $2" 'usleep 80000' "keyup $1"
  sleep 0.3
}
# with_ctrl KEY: Ctrl+KEY by its key code, in whatever layout is active.
with_ctrl() { xte 'keydown Control_L' "key $1" 'keyup Control_L'; sleep 0.3; }
# typed KEYS: the letters of KEYS typed by their keys on a US keyboard.
typed() { xte "str $1"; sleep 0.3; }
# editor_text: the editor's text read as a user would, select all and copy, without xdotool. What
# another program put on the clipboard before is no answer: keys that never arrived copy nothing.
editor_text() {
  e2e_clip_set "(nothing copied)"
  with_ctrl a
  with_ctrl c
  e2e_clip_get
}
# layouts OPTION: the US and Russian layouts, switched by OPTION; the group in force stays as it
# was (a new layout list does not reset it, and the US layout is in force at the start).
layouts() { setxkbmap -layout us,ru -option '' -option "$1"; sleep 0.3; }
# expect_russian WHAT: the keys of "ghbdtn" typed now arrive as "привет", replacing the text.
expect_russian() {
  with_ctrl a
  typed ghbdtn
  expect_text "$1" "привет"
}
# Visible windows of the program.
program_windows() { xdotool search --onlyvisible --class quillmark 2>/dev/null | sort; }
# menu_opened: a right click in the editor shows a window of the program that was not there.
menu_opened() {
  local before
  before=$(program_windows)
  xdotool mousemove --window "$wid" 300 200 sleep 0.1 click 3
  sleep 0.5
  opened=$(comm -13 <(echo "$before") <(program_windows))
  [ -n "$opened" ] || e2e_fail "the right click opened no menu"
}
# menu_closed WHAT: the menu that menu_opened (or menu_by_keys) saw is no longer shown.
menu_closed() {
  local still
  still=$(comm -12 <(echo "$opened") <(program_windows))
  [ -z "$still" ] || e2e_fail "$1 left the menu on the screen"
}
# expect_text WHAT TEXT: the editor holds exactly TEXT.
expect_text() {
  local got
  got=$(editor_text)
  [ "$got" = "$2" ] || e2e_fail "$1: the editor holds \"$got\", not \"$2\""
}

e2e_window_manager
e2e_profile <<'REG'
"ShowInCaption"="3"
REG
e2e_start
wid=$(e2e_wait_window "Brannoch Quillmark 3.0 Preview")
sleep 1
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
e2e_until 5 e2e_window_shown "Сохранение документа" || e2e_fail "Ctrl+Shift+S under grp:ctrl_shift_toggle did not open Save As"
e2e_shot 03a_ctrl_shift_s_save_as
xte 'key Escape'
e2e_wait_gone "Сохранение документа"
e2e_focus "$wid"
chord Control_L Shift_L

# --- A shortcut typed quickly, in the Russian layout: Ctrl is up again before the program reads F,
# and Ctrl+F still opens Find ---------------------------------------------------------------------------
xte 'keydown Control_L' 'key f' 'keyup Control_L'
e2e_until 5 e2e_window_shown "Найти" || e2e_fail "Ctrl+F typed quickly did not open Find"
e2e_shot 03b_quick_ctrl_f_find
xte 'key Escape'
e2e_wait_gone "Найти"
e2e_focus "$wid"

# --- An Alt tap still makes "Файл" hot, in the Russian layout ----------------------------------------
layouts grp:alt_shift_toggle
e2e_shot_window "$wid" 04_before_alt
xte 'key Alt_L'
sleep 0.5
e2e_shot_window "$wid" 05_alt_tap_file_hot
# "Файл" is the first item of the menu bar, at the top left of the window's client area.
changed=$(compare -metric AE -crop 60x22+0+0 "$E2E_OUT/04_before_alt.png" "$E2E_OUT/05_alt_tap_file_hot.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 50 ] 2>/dev/null || e2e_fail "an Alt tap did not make \"Файл\" hot (${changed} pixels changed)"
xte 'key Escape'
sleep 0.3
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
xte 'key Escape'
sleep 0.5
e2e_shot 08_context_menu_closed
menu_closed "Escape"
typed xyz
e2e_shot 09_typed_after_escape
expect_text "letters typed after Escape closed the right-click menu" "helloxyz"

# --- The right-click menu closed by a click in the editor: the click puts the caret, keys arrive ----
# The caret goes to the start of the text; the click below the text puts it back at the end.
xte 'key Home'
menu_opened
e2e_shot 10_context_menu_again
xdotool mousemove --window "$wid" 100 450 sleep 0.1 click 1
sleep 0.5
e2e_shot 11_clicked_in_the_editor
menu_closed "A click in the editor"
typed uvw
e2e_shot 12_typed_after_the_click
expect_text "letters typed after a click in the editor closed the right-click menu" "helloxyzuvw"

# --- A drop-down open when the desktop gives the keyboard to another window of the program (Find):
# the menus close and the keys typed next reach that window --------------------------------------------
# menu_by_keys: an Alt tap and Down open the "Файл" menu, a window of the program that was not there.
menu_by_keys() {
  local before
  before=$(program_windows)
  xte 'key Alt_L' 'usleep 100000' 'key Down'
  sleep 0.5
  opened=$(comm -13 <(echo "$before") <(program_windows))
  [ -n "$opened" ] || e2e_fail "Alt, Down opened no menu"
}
with_ctrl f
e2e_until 5 e2e_window_shown "Найти" || e2e_fail "Ctrl+F did not open Find"
find=$(xdotool search --onlyvisible --name "Найти" | head -1)
e2e_focus "$wid"
menu_by_keys
e2e_shot 13_file_menu_open
e2e_focus "$find"
sleep 0.3
e2e_shot 14_find_activated
menu_closed "Find taking the keyboard"
with_ctrl a
typed abc
expect_text "letters typed in Find after it took the keyboard from the open menu" "abc"
xte 'key Escape'
e2e_wait_gone "Найти"

# --- A drop-down open when the window is minimised: the menus go with it ------------------------------
e2e_focus "$wid"
menu_by_keys
xdotool windowminimize "$wid"
sleep 0.7
e2e_shot 15_minimised
menu_closed "Minimising the window"
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
for _ in 1 2 3 4 5; do xdotool mousemove_relative 10 10; sleep 0.05; done
xdotool mouseup 1
xte 'keyup Alt_L'
sleep 0.5
e2e_shot 17_alt_dragged
[ "$(e2e_geometry "$wid")" != "$was" ] || e2e_fail "Alt+drag did not move the window (the window manager has no such binding)"
typed after
expect_text "letters typed after Alt+drag moved the window" "beforeafter"

# --- A drop-down open when the window is moved: it closes with its menus -------------------------------
menu_by_keys
xdotool windowmove "$wid" 150 120
sleep 0.5
e2e_shot 18_moved_with_a_menu_open
menu_closed "Moving the window"
typed moved
expect_text "letters typed after the window moved" "moved"
echo "keyboard_layout: passed"
