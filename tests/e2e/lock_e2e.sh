#!/usr/bin/env bash
# Drives the real program under an X server (tests/e2e/with_x.sh) on a private profile with a
# lock user and password: with the replace and go-to windows open beside the main window, the Service
# menu's lock hides every window of the program but the lock window; the lock window's frame close,
# the window manager's close and Alt+F4 leave it open; a wrong password is refused with a notice;
# the right one brings every window back. Then the Help menu's about and agreement windows open and
# close with their button. Pictures go to BUILD/e2e/lock/.
# Usage: tests/e2e/lock_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lock_lib.sh"
e2e_init lock "$1"
lock_profile

# Places inside the windows, in pixels: the Help menu's entries; the agreement's OK.
MENU_HELP=(492 10)
MENU_LICENSE=(573 31)
MENU_ABOUT=(533 109)
LICENSE_OK=(495 392)

# The program's shown windows, one title a line, sorted.
shown_titles() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$E2E_PID" 2>/dev/null); do
    xdotool getwindowname "$id" 2>/dev/null
  done | sort
}
only_lock_shown() { [ "$(shown_titles)" = "Brannoch Quillmark 3.0" ]; }

# A document: the search windows need text.
lock_start
e2e_keys ctrl+h
e2e_wait_window "Найти и заменить" >/dev/null
e2e_focus "$main"
e2e_keys ctrl+g
e2e_wait_window "Перейти..." >/dev/null
e2e_focus "$main"
before=$(shown_titles)
[ "$(echo "$before" | wc -l)" -ge 3 ] || e2e_fail "the replace and go-to windows did not open: $before"
e2e_shot 1_before_lock

lock_program
e2e_until 60 only_lock_shown || e2e_fail "windows of the program stayed visible while locked: $(shown_titles | tr '\n' ',')"
e2e_shot 2_locked

# Closing as the frame's close button asks (the window manager's request to close) and by Alt+F4.
e2e_close "$lock"
e2e_shot 3_after_frame_close
e2e_focus "$lock"
e2e_keys alt+F4
e2e_running || e2e_fail "the program ended when the lock window was asked to close"
only_lock_shown || e2e_fail "the lock window closed or another window came back: $(shown_titles | tr '\n' ',')"

# A wrong password: a notice, and the program stays locked.
e2e_focus "$lock"
e2e_click "$lock" "${PASSWORD_BOX[@]}"
e2e_type "secret7"
e2e_shot 4_password_masked
e2e_keys Return
lock_notice_answered 5_wrong_password
only_lock_shown || e2e_fail "a wrong password lifted the lock: $(shown_titles | tr '\n' ',')"

# The right password brings every window back.
e2e_focus "$lock"
e2e_click "$lock" "${PASSWORD_BOX[@]}"
e2e_type "$LOCK_PASSWORD"
e2e_keys Return
e2e_wait_gone "$LOCK_TITLE"
all_back() { [ "$(shown_titles)" = "$before" ]; }
e2e_until 60 all_back || e2e_fail "not every window came back: $(shown_titles | tr '\n' ',') instead of $(echo "$before" | tr '\n' ',')"
e2e_shot 6_unlocked
# The editor's first line, as the screen shows it, is what it was before the lock.
first_line() { convert "$E2E_OUT/$1.png" -crop 130x16+261+260 +repage "$E2E_OUT/$1_line.png"; }
first_line 1_before_lock
first_line 6_unlocked
[ "$(convert "$E2E_OUT/1_before_lock_line.png" -format "%[fx:standard_deviation]" info:)" != 0 ] \
  || e2e_fail "the document's line is not where the script looks for it"
[ "$(compare -metric AE "$E2E_OUT/1_before_lock_line.png" "$E2E_OUT/6_unlocked_line.png" null: 2>&1)" = 0 ] \
  || e2e_fail "the document looks different after the lock"
main=$(e2e_wait_window "Quillmark 3.0 Preview")

# The about and agreement windows of the Help menu, each closed by its button: Enter presses the
# about window's Ok; the agreement's text takes Enter itself, so its OK is clicked.
e2e_click "$main" "${MENU_HELP[@]}"
e2e_click "$main" "${MENU_ABOUT[@]}"
about=$(e2e_wait_active "О программе")
e2e_shot 7_about
e2e_shot_window "$about" about_window
e2e_focus "$about"
e2e_keys Return
e2e_wait_gone "О программе"

e2e_focus "$main"
e2e_click "$main" "${MENU_HELP[@]}"
e2e_click "$main" "${MENU_LICENSE[@]}"
license=$(e2e_wait_active "Лицензионное соглашение")
e2e_shot 8_license
e2e_shot_window "$license" license_window
e2e_click "$license" "${LICENSE_OK[@]}"
e2e_wait_gone "Лицензионное соглашение"
e2e_running || e2e_fail "the program ended"
echo "lock: every window hidden while locked, the lock window kept open against closing, a wrong password refused, the right one brought every window back; about and agreement opened and closed"
