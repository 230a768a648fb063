#!/usr/bin/env bash
# Drives the real program under an X server (tests/e2e/with_x.sh) on a private profile with every
# start-up switch on: the splash picture, then the welcome window, then the getting-started window,
# each left with Enter, must lead to the main window. Writes a picture of the screen at each step
# into BUILD_DIR/e2e/start_road/.
# Usage: tests/e2e/start_road_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init start_road "$1"
e2e_profile <<'REG'
[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences]
"ShowInCaption"="3"

[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences\Dialogs]
"Splash"=dword:00000001
"Welcome"=dword:00000001
"WorkBegin"=dword:00000001
REG

e2e_start
splash_shown() { xdotool search --onlyvisible --pid "$E2E_PID" >/dev/null 2>&1; }
e2e_until 60 splash_shown || e2e_fail "the splash did not come up"
e2e_shot 1_splash
e2e_window_shown "Приветствие" && e2e_fail "the welcome window came before the splash ended"
e2e_wait_window "Приветствие" >/dev/null
e2e_shot 2_welcome
e2e_keys Return
e2e_wait_window "Приступая к работе" >/dev/null
e2e_window_shown "Приветствие" && e2e_fail "the welcome window stayed"
e2e_shot 3_work_begin
e2e_keys Return
e2e_wait_window "Quillmark 3.0 Preview" >/dev/null
e2e_window_shown "Приступая к работе" && e2e_fail "the getting-started window stayed"
e2e_shot 4_main
echo "start road: splash, welcome and getting started led to the main window"
