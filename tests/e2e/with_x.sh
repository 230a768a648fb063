#!/usr/bin/env bash
# Runs a command with an X server of its own (Xvfb, 1280x1024 at 24 bits): the server takes the
# first free display number itself, so any number of these run side by side without two choosing
# the same. The command sees it through DISPLAY; the server ends with the command, whose exit status
# this script returns. Usage: with_x.sh COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "$0")/server_lib.sh"
server_begin
trap 'exit 143' TERM INT

# -displayfd: the server writes the number it took, with a newline, once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$SERVER_DIR/display" >"$SERVER_DIR/log" 2>&1 &
SERVER_PID=$!
display_written() {
  grep -q . "$SERVER_DIR/display" 2>/dev/null && [ "$(tail -c 1 "$SERVER_DIR/display" | od -An -c | tr -d ' ')" = '\n' ]
}
if ! server_until 60 display_written; then
  echo "with_x.sh: the X server did not start:" >&2
  cat "$SERVER_DIR/log" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$SERVER_DIR/display")"
set +e
"$@"
status=$?
exit "$status"
