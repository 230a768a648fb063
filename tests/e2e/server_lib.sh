# Shared steps of the scripts that run a command beside a server of their own (an X server, a print
# scheduler, a mock login manager): a temporary folder, the server ended and the folder removed
# however the script ends, and a wait for the server to be ready that gives up at once when the
# server has ended. Source it, then call server_begin.

# server_begin: makes the temporary folder SERVER_DIR; on exit the server (SERVER_PID, once the
# script sets it) is ended and the folder removed.
server_begin() {
  SERVER_DIR=$(mktemp -d)
  SERVER_PID=""
  trap server_finish EXIT
}
# The server's own exit status (it was ended) is not the script's.
server_finish() {
  if [ -n "$SERVER_PID" ] && kill "$SERVER_PID" 2>/dev/null; then wait "$SERVER_PID" 2>/dev/null || true; fi
  rm -rf "$SERVER_DIR"
}

# server_until SECONDS COMMAND...: runs COMMAND until it succeeds (a server that has just started
# may refuse a request for a moment); false after SECONDS, or at once when the server has ended.
server_until() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    kill -0 "$SERVER_PID" 2>/dev/null && ((SECONDS <= end)) || return 1
    sleep 0.05
  done
}
