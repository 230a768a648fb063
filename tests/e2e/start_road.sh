#!/usr/bin/env bash
# Drives the real program under an X server (run it inside xvfb-run with QT_QPA_PLATFORM=xcb) on a
# private profile with every start-up switch on: the splash picture, then the welcome window, then
# the getting-started window, each left with Enter, must lead to the main window. Writes a picture
# of the screen at each step into the build tree.
# Usage: tests/e2e/start_road.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
profile=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$profile"' EXIT
mkdir -p "$profile/quillmark"
cat > "$profile/quillmark/registry.reg" <<'REG'
[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences]
"ShowInCaption"="3"

[HKEY_CURRENT_USER\Software\Brannoch Tovin\Quillmark 3.0\Preferences\Dialogs]
"Splash"=dword:00000001
"Welcome"=dword:00000001
"WorkBegin"=dword:00000001
REG

# Waits up to 30 s for a shown window whose title holds $1.
wait_for() {
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "no window \"$1\" came up" >&2
  return 1
}
shot() { import -window root "$build/start_road_$1.png"; }
fail() { echo "start road: $1" >&2; exit 1; }

XDG_CONFIG_HOME=$profile "$build/bin/quillmark" &
pid=$!
sleep 1
shot 1_splash
xdotool search --onlyvisible --name "Приветствие" >/dev/null 2>&1 && fail "the welcome window came before the splash ended"
wait_for "Приветствие"
shot 2_welcome
xdotool key Return
wait_for "Приступая к работе"
xdotool search --onlyvisible --name "Приветствие" >/dev/null 2>&1 && fail "the welcome window stayed"
shot 3_work_begin
xdotool key Return
wait_for "Quillmark 3.0 Preview"
xdotool search --onlyvisible --name "Приступая к работе" >/dev/null 2>&1 && fail "the getting-started window stayed"
shot 4_main
echo "start road: splash, welcome and getting started led to the main window"
