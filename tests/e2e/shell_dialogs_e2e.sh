#!/usr/bin/env bash
# The dialog wrapper's shell windows on a desktop (tests/e2e/with_x.sh): the program never
# opens them itself, so the test program opens each under openbox, types real keys into it through
# xdotool (a command run from the Run window, an icon chosen with the arrow keys, the properties
# window closed with Enter, the shut-down question answered No with Tab and Space) and pictures the screen
# with each window up. Pictures go to BUILD/e2e/shell_dialogs/.
# Usage: tests/e2e/shell_dialogs_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init shell_dialogs "$1"
e2e_window_manager
QM_PICTURES="$E2E_OUT" "$E2E_BUILD/bin/test_controls" --gtest_filter='ShellDialogsOnX11.*' \
  >"$E2E_OUT/test_controls.log" 2>&1 || { cat "$E2E_OUT/test_controls.log" >&2; e2e_fail "the windows did not behave"; }
grep -q "SKIPPED" "$E2E_OUT/test_controls.log" && { cat "$E2E_OUT/test_controls.log" >&2; e2e_fail "the tests were skipped"; }
for picture in run_x11 pick_icon_x11 properties_x11 shut_down_x11; do
  [ -s "$E2E_OUT/$picture.png" ] || e2e_fail "no picture $picture.png"
done
echo "shell_dialogs: passed; pictures in $E2E_OUT"
