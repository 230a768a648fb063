#!/usr/bin/env bash
# The program lock against the keyboard, on the real program with a window manager (openbox) and
# several copies allowed:
#  1. in the lock window, Tab from control to control with Ctrl+A, Ctrl+C at each stop never puts
#     the stored password on the clipboard; the clipboard pasted into the password box and Enter
#     get a wrong-password notice, and the program stays locked;
#  2. a second copy started while the first is locked: its settings dialog's lock page takes no
#     new password (clicked, selected and typed over, then OK), and the stored one stays;
#  3. the right password still unlocks the first copy.
# Pictures go to BUILD/e2e/lock_keys/. Usage (through tests/e2e/with_x.sh): tests/e2e/lock_keys_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/lock_lib.sh"
e2e_init lock_keys "$1" 150
lock_profile '"ManyCopies"="1"'

# Places inside the windows, in pixels: the Service menu's settings entry; the settings dialog's lock
# tab, its password box and its OK.
MENU_SETTINGS=(360 33)
TAB_LOCKED=(440 20)
SETTINGS_PASSWORD=(300 93)
SETTINGS_OK=(522 420)

stored_password() { e2e_value Password 'Preferences\Locked'; }
no_password_copied() {
  [ "$(e2e_clip_get)" != "$LOCK_PASSWORD" ] || e2e_fail "$1 put the stored password on the clipboard"
}
main_shown() { [ -n "$(xdotool search --all --onlyvisible --pid "$E2E_PID" --name "Quillmark 3.0 Preview" 2>/dev/null)" ]; }

lock_start
lock_program
e2e_focus "$lock"
e2e_shot 1_locked

# 1. Every stop of Tab, selected and copied.
e2e_clip_set "copied before"
for stop in 1 2 3 4; do
  e2e_keys ctrl+a ctrl+c
  no_password_copied "Ctrl+A, Ctrl+C at the Tab stop $stop"
  e2e_keys Tab
done
e2e_shot 2_after_tabs
e2e_click "$lock" "${PASSWORD_BOX[@]}"
e2e_keys ctrl+a ctrl+v Return
lock_notice_answered 3_pasted_refused
main_shown && e2e_fail "the pasted clipboard unlocked the program"
e2e_window_shown "$LOCK_TITLE" || e2e_fail "the lock window went"

# 2. A second copy, started while the first is locked; the steps wait for it ($main) to settle.
first=$main
e2e_spawn env XDG_CONFIG_HOME="$E2E_PROFILE" "$E2E_BUILD/bin/quillmark"
main=$(e2e_wait_window "Quillmark 3.0 Preview")
e2e_focus "$main"
e2e_click "$main" "${MENU_SERVICE[@]}"
e2e_click "$main" "${MENU_SETTINGS[@]}"
dialog=$(e2e_wait_window "Параметры программы")
e2e_focus "$dialog"
e2e_click "$dialog" "${TAB_LOCKED[@]}"
e2e_shot_window "$dialog" 4_second_copy_lock_page
e2e_click "$dialog" "${SETTINGS_PASSWORD[@]}"
e2e_keys ctrl+a ctrl+c
no_password_copied "the second copy's lock page"
e2e_type "Changed1"
e2e_shot_window "$dialog" 5_second_copy_typed
e2e_click "$dialog" "${SETTINGS_OK[@]}"
e2e_wait_gone "Параметры программы"
[ "$(stored_password)" = "\"$LOCK_PASSWORD\"" ] || e2e_fail "the second copy changed the stored password to $(stored_password)"

# 3. The right password unlocks the first copy.
main=$first
e2e_focus "$lock"
e2e_click "$lock" "${PASSWORD_BOX[@]}"
e2e_keys ctrl+a
e2e_type "$LOCK_PASSWORD"
e2e_keys Return
e2e_wait_gone "$LOCK_TITLE"
e2e_until 60 main_shown || e2e_fail "the right password did not bring the main window back"
e2e_shot 6_unlocked
echo "lock_keys: no key or copy in the lock window gave the password or lifted the lock; a second copy could not change it; the right password unlocked"
