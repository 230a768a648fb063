#!/usr/bin/env bash
# The keyboard layout switched as Russian users switch it, on an X server with a window manager (run
# it inside xvfb-run): with the US and Russian layouts and grp:alt_shift_toggle, Alt+Shift and then
# Shift+Alt switch to Russian and the keys typed next arrive in the editor as Russian letters; so do
# they after Ctrl+Shift with grp:ctrl_shift_toggle. An Alt tap still makes "Файл" hot, and Escape in
# the editor's right-click menu closes it. Keys go through XTest with real key codes (xte): xdotool
# resets the layout group after each command and cannot show any of this. The layout is a property
# of this script's own X server. Pictures go to BUILD_DIR/e2e/keyboard_layout/.
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
# editor_text: the editor's text read as a user would, select all and copy, without xdotool.
editor_text() {
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
  local got
  got=$(editor_text)
  [ "$got" = "привет" ] || e2e_fail "$1: the editor holds \"$got\", not \"привет\""
}
# Visible windows of the program.
program_windows() { xdotool search --onlyvisible --class quillmark 2>/dev/null | sort; }

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

# --- Escape in the editor's right-click menu closes it ---------------------------------------------
before=$(program_windows)
xdotool mousemove --window "$wid" 300 200 sleep 0.1 click 3
sleep 0.5
opened=$(comm -13 <(echo "$before") <(program_windows))
[ -n "$opened" ] || e2e_fail "the right click opened no menu"
e2e_shot 07_context_menu
xte 'key Escape'
sleep 0.5
e2e_shot 08_context_menu_closed
still=$(comm -12 <(echo "$opened") <(program_windows))
[ -z "$still" ] || e2e_fail "Escape left the right-click menu on the screen"
echo "keyboard_layout: passed"
