#!/usr/bin/env bash
# Runs a command with an X server of its own (Xvfb, 1280x1024 at 24 bits): the server takes the
# first free display number itself, so any number of these run side by side without two choosing
# the same. The command sees it through DISPLAY; the server ends with the command, whose exit status
# this script returns. Usage: with_x.sh COMMAND [ARGS...]
set -euo pipefail
base=$(mktemp -d)
server=""
finish() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$base"
}
trap finish EXIT
trap 'exit 143' TERM INT

# -displayfd: the server writes the number it took, with a newline, once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$base/display" >"$base/log" 2>&1 &
server=$!
end=$((SECONDS + 60))
until grep -q . "$base/display" 2>/dev/null && [ "$(tail -c 1 "$base/display" | od -An -c | tr -d ' ')" = '\n' ]; do
  if ! kill -0 "$server" 2>/dev/null || ((SECONDS > end)); then
    echo "with_x.sh: the X server did not start:" >&2
    cat "$base/log" >&2
    exit 1
  fi
  sleep 0.05
done
export DISPLAY=":$(head -n 1 "$base/display")"
set +e
"$@"
status=$?
exit "$status"
