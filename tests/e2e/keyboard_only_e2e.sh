#!/usr/bin/env bash
# Every window of the program by keyboard alone, on the real program under an X server with a window
# manager (tests/e2e/with_x.sh). Keys go through XTest with real key codes (xte), never a click.
# Each window is opened with its shortcut or through the menus (an Alt tap, then the arrows), and Tab
# is pressed round it: every Tab must move the focus (the window's picture changes) and the focus
# must come back to where it started after exactly as many Tabs as the window has controls to stop
# at (the tab strips among them); a tabbed window shows each page by Ctrl+Tab (Ctrl+Page Down) and
# is gone round on each. Each window is closed again by its keys (Esc, Enter, or its own buttons
# where Esc is not its cancel key); the full-screen view and its bar, tool windows, carry neither
# minimise nor maximise on their frames. On the way: a match of Find gives the editor the keyboard,
# Go to takes "2,5" to the third line, Esc leaves the settings dialog from its tab strip, and the
# first-run notice, a search's end message, the Yes/No save question (which Esc does not answer)
# and the wizard's notice are answered by keys. The open dialog is the toolkit's own: it is opened,
# pictured and closed, not gone round.
# Pictures of each window, and of each focus stop, go to BUILD_DIR/e2e/keyboard_only/.
# Usage: tests/e2e/keyboard_only_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/xtest_lib.sh"
e2e_init keyboard_only "$1" 900

TITLE="Brannoch Quillmark 3.0 Preview"

# --- keys ----------------------------------------------------------------------------------------

# chord MODIFIER... KEY: the modifiers held (Control_L, Shift_L, Alt_L) while KEY is pressed.
chord() {
  local mods=("${@:1:$#-1}") last=${!#} m down=() up=()
  for m in "${mods[@]}"; do down+=("keydown $m" 'usleep 50000'); up=("keyup $m" "${up[@]}"); done
  xte "${down[@]}" "key $last" 'usleep 50000' "${up[@]}"
  e2e_settle
}
# menu COLUMN DOWNS: an Alt tap makes the first menu title hot; COLUMN times Right goes to the
# menu, Down opens it on its first item, DOWNS more times Down goes to the item, Return runs it.
menu() {
  key Alt_L
  local i
  for ((i = 0; i < $1; i++)); do key Right; done
  key Down
  for ((i = 0; i < $2; i++)); do key Down; done
  key Return
}

# --- windows -------------------------------------------------------------------------------------

# opened TITLE: waits for the window whose whole title is TITLE and prints its id.
opened() { e2e_wait_window "^$1\$"; }
# focused_on WID: true when window WID has the keyboard.
focused_on() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
# no_min_max WID WHAT: the window manager offers neither minimise nor maximise for the window.
no_min_max() {
  local actions
  actions=$(xprop -id "$1" _NET_WM_ALLOWED_ACTIONS)
  [[ "$actions" != *_NET_WM_ACTION_MINIMIZE* && "$actions" != *_NET_WM_ACTION_MAXIMIZE* ]] \
    || e2e_fail "$2 can be minimised or maximised: $actions"
}
# shown_windows: the program's shown windows, one id a line.
shown_windows() { xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null | sort; }
# new_window BEFORE: waits for a shown window of the program that is not in the list BEFORE (from
# shown_windows) and prints its id.
another_window() { comm -13 <(echo "$1") <(shown_windows) | head -1; }
has_another() { [ -n "$(another_window "$1")" ]; }
new_window() {
  e2e_until 60 has_another "$1" || e2e_fail "no new window came up"
  another_window "$1"
}
# gone WID: window WID is no longer shown.
not_shown() { ! xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null | grep -qx "$1"; }
gone() { e2e_until 60 not_shown "$1" || e2e_fail "window $1 stayed"; }
# closed TITLE: the window whose whole title is TITLE is gone.
closed() { e2e_wait_gone "^$1\$"; }

# --- pictures ------------------------------------------------------------------------------------

# snap WID NAME: a picture of window WID, E2E_OUT/NAME.png.
snap() { import -window "$1" "$E2E_OUT/$2.png" 2>/dev/null || e2e_fail "no picture of $2"; }
# Pixels that differ between two pictures of one window (many when their sizes differ). A caret
# blinking in a text box changes fewer than kCaret pixels; a focus moved changes more.
kCaret=40
differ() {
  local out
  out=$(compare -metric AE "$E2E_OUT/$1.png" "$E2E_OUT/$2.png" null: 2>&1) || true
  if [[ "$out" =~ ^[0-9.e+]+ ]]; then awk -v n="${BASH_REMATCH[0]}" 'BEGIN { printf "%d\n", n }'; else echo 999999; fi
}
moved_from() { snap "$wid" "$name"; [ "$(differ "$name" "$1")" -gt $kCaret ]; }
back_at() { snap "$wid" "$name"; [ "$(differ "$name" "$1")" -le $kCaret ]; }
# tab_round WID NAME STOPS: after a first Tab (the focus shows once the keyboard moved it), STOPS
# Tabs go round window WID: each moves the focus to a place it was not at, and the last brings it
# back to where it was. Pictures NAME_0 ... NAME_<STOPS - 1>.
tab_round() {
  wid=$1
  local base=$2 stops=$3 i start previous
  start="${base}_0"
  snap "$wid" "${base}_before"
  key Tab
  name=$start
  if ((stops > 1)); then
    e2e_until 60 moved_from "${base}_before" || e2e_fail "$base: the first Tab did not move the focus"
  else
    snap "$wid" "$start"
  fi
  previous=$start
  for ((i = 1; i < stops; i++)); do
    key Tab
    name="${base}_$i"
    e2e_until 60 moved_from "$previous" || e2e_fail "$base: Tab $i did not move the focus"
    [ "$(differ "$name" "$start")" -gt $kCaret ] || e2e_fail "$base: Tab $i came back round after $i stops, not $stops"
    previous=$name
  done
  key Tab
  name="${base}_round"
  e2e_until 60 back_at "$start" || e2e_fail "$base: $stops Tabs did not bring the focus back round"
  # Shift+Tab leaves the focus where the window put it.
  ((stops > 1)) || return 0
  chord Shift_L Tab
  name="${base}_back"
  e2e_until 60 moved_from "$start" || e2e_fail "$base: Shift+Tab did not move the focus back"
}

# --- the start-up windows and the first-run notice -------------------------------------------------

e2e_window_manager
e2e_profile <<'REG'
[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences]
"ShowInCaption"="3"
"FirstRun"="1"
"SaveChange"="1"

[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences\Locked]
"User"="kb"
"Password"="pass"

[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences\Dialogs]
"Welcome"=dword:00000001
"WorkBegin"=dword:00000001
"Printing"=dword:00000001
REG
e2e_start
w=$(e2e_wait_box)
e2e_until 60 focused_on "$w" || e2e_fail "the first-run notice does not have the keyboard"
snap "$w" 01_first_run_notice
key Return
w=$(opened "Brannoch Quillmark 3.0 - Приветствие...")
snap "$w" 02_welcome
tab_round "$w" 02_welcome_tab 2
key Return
w=$(opened "Brannoch Quillmark 3.0 - Приступая к работе...")
snap "$w" 03_work_begin
tab_round "$w" 03_work_begin_tab 4
key Escape
main=$(opened "$TITLE")
e2e_until 60 focused_on "$main" || e2e_fail "the main window does not have the keyboard"
snap "$main" 04_main
typed "one"; key Return; typed "two"; key Return; typed "three"
expect_text "typing" $'one\ntwo\nthree'
chord Control_L Home

# --- find: the match gives the editor the keyboard -----------------------------------------------

chord Control_L f
w=$(opened "Найти")
snap "$w" 05_find
tab_round "$w" 05_find_tab 5
typed "two"
key Return
e2e_until 60 focused_on "$main" || e2e_fail "the match left the keyboard with the find window"
typed "X"
expect_text "a letter typed after the match" $'one\nX\nthree'
chord Control_L f
w=$(opened "Найти")
e2e_until 60 focused_on "$w" || e2e_fail "Ctrl+F did not bring the find window back"
typed "missing"
key Return
b=$(e2e_wait_box)
snap "$b" 06_search_ended
key Return
e2e_until 60 focused_on "$w" || e2e_fail "the find window did not get the keyboard back"
key Escape
closed "Найти"

chord Control_L h
w=$(opened "Найти и заменить")
snap "$w" 07_replace
tab_round "$w" 07_replace_tab 6
key Escape
closed "Найти и заменить"

# --- go to: "2,5" is the third line ---------------------------------------------------------------

chord Control_L g
w=$(opened "Перейти...")
snap "$w" 08_go_to
tab_round "$w" 08_go_to_tab 2
typed "2,5"
key Return
closed "Перейти..."
typed "Y"
expect_text "a letter typed after going to line 2,5" $'one\nX\nYthree'

# --- the insertion, conversion, printing and properties windows ------------------------------------

menu 4 0
w=$(opened "Время и дата")
snap "$w" 09_time_and_date
tab_round "$w" 09_time_and_date_tab 5
key Escape
closed "Время и дата"

key F9
w=$(opened "Перекодирование")
snap "$w" 10_conversion
tab_round "$w" 10_conversion_tab 4
# Esc is not the dialog's: Cancel is the last control, before the first.
chord Shift_L Tab
key space
closed "Перекодирование"

chord Control_L p
w=$(opened "Печать документа")
snap "$w" 11_printing
tab_round "$w" 11_printing_tab 3
key Escape
closed "Печать документа"

menu 0 8
w=$(opened "Свойства документа")
snap "$w" 12_properties
tab_round "$w" 12_properties_tab 3
key Escape
closed "Свойства документа"

# --- the full-screen view and its bar -------------------------------------------------------------

before=$(shown_windows)
menu 3 2
bar=$(opened "     Полноэкранный режим")
view=$(comm -13 <(echo "$before") <(shown_windows) | grep -vx "$bar" | head -1)
[ -n "$view" ] || e2e_fail "no full-screen view came up with its bar"
no_min_max "$bar" "the full-screen bar"
no_min_max "$view" "the full-screen view"
full_screen_focused() { focused_on "$bar" || focused_on "$view"; }
e2e_until 60 full_screen_focused || e2e_fail "neither the full-screen view nor its bar has the keyboard"
e2e_shot 13_full_screen
snap "$bar" 13_full_screen_bar
# The bar's button, or the view's own close, which the bar's window menu lacks.
if focused_on "$bar"; then key space; else chord Alt_L F4; fi
closed "     Полноэкранный режим"
e2e_until 60 focused_on "$main" || e2e_fail "the main window did not get the keyboard back from the full-screen view"

# --- the settings dialog: every page by Ctrl+Tab, Esc from the tab strip ---------------------------

chord Control_L q
w=$(opened "Параметры программы")
# The controls each page holds, with the strip and the enabled buttons below it, on this profile.
page_stops=(12 8 12 8 7 16 8 9)
for page in 1 2 3 4 5 6 7 8; do
  snap "$w" "14_settings_page_$page"
  tab_round "$w" "14_settings_page_${page}_tab" "${page_stops[$((page - 1))]}"
  chord Control_L Tab
done
snap "$w" 14_settings_page_round
[ "$(differ 14_settings_page_round 14_settings_page_1)" -le $kCaret ] || e2e_fail "eight Ctrl+Tab did not come back to the first page"
# The tab strip has the keyboard: Esc still cancels the dialog.
key Escape
closed "Параметры программы"

# --- the toolbar dialog, opened from the View menu's toolbar submenu -------------------------------

key Alt_L; key Right Right Right Down Down Right Down Down Return
w=$(opened "Настройка панелей инструментов...")
snap "$w" 15_toolbars_page_1
tab_round "$w" 15_toolbars_page_1_tab 5
chord Control_L Next
snap "$w" 15_toolbars_page_2
tab_round "$w" 15_toolbars_page_2_tab 6
# No cancel button: OK, two back from the strip (past Reset), changes nothing without a change.
chord Shift_L Tab
chord Shift_L Tab
key space
closed "Настройка панелей инструментов..."

# --- the document font (the settings dialog's font page) and the open dialog ----------------------

menu 5 0
w=$(opened "Параметры программы")
snap "$w" 16_settings_font_page
tab_round "$w" 16_settings_font_page_tab 7
key Escape
closed "Параметры программы"

# The changed document is to be saved or not first: Esc does not answer; No, a Tab away, does.
chord Control_L o
b=$(e2e_wait_box)
e2e_until 60 focused_on "$b" || e2e_fail "the save question does not have the keyboard"
wid=$b
snap "$b" 17_save_question
key Escape
# The question still takes the next key: Tab moves its focus to No.
key Tab
name=17_save_question_no
e2e_until 60 moved_from 17_save_question || e2e_fail "Esc answered the save question"
before=$(shown_windows)
key space
w=$(new_window "$before")
snap "$w" 17_open_dialog
key Escape
gone "$w"

# --- the agreement, the about window and the lock --------------------------------------------------

menu 8 0
w=$(opened "Лицензионное соглашение")
snap "$w" 18_license
tab_round "$w" 18_license_tab 2
key Escape
closed "Лицензионное соглашение"

chord Control_L F1
w=$(opened "О программе")
snap "$w" 19_about
tab_round "$w" 19_about_tab 1
key Return
closed "О программе"

chord Control_L l
w=$(opened "Brannoch Quillmark 3.0")
snap "$w" 20_lock
tab_round "$w" 20_lock_tab 3
# From the user name to the password.
key Tab
typed "pass"
key Return
closed "Brannoch Quillmark 3.0"
e2e_until 60 focused_on "$main" || e2e_fail "the main window did not get the keyboard back from the lock"

# --- the wizard's notice, the save question and the end -------------------------------------------

chord Control_L w
e2e_until 60 e2e_window_shown "^Brannoch Quillmark 3.0\$" || e2e_fail "the wizard's notice did not come up"
w=$(xdotool search --onlyvisible --name "^Brannoch Quillmark 3.0\$" | head -1)
e2e_until 60 focused_on "$w" || e2e_fail "the wizard's notice does not have the keyboard"
snap "$w" 21_wizard_notice
key Return
e2e_wait_gone "^Brannoch Quillmark 3.0\$"

chord Control_L n
b=$(e2e_wait_box)
e2e_until 60 focused_on "$b" || e2e_fail "the save question of New does not have the keyboard"
key Tab space
e2e_until 60 focused_on "$main" || e2e_fail "the main window did not get the keyboard back from the question"
typed "Z"
expect_text "a letter typed into the new document" "Z"
# Leaving asks the question once more: No, and the program ends.
chord Alt_L F4
b=$(e2e_wait_box)
e2e_until 60 focused_on "$b" || e2e_fail "the save question at the end does not have the keyboard"
key Tab space
e2e_wait_exit
echo "keyboard only: every window opened, gone round by Tab, its pages switched by Ctrl+Tab and closed by keys"
