#!/usr/bin/env bash
# Runs a command with a print scheduler of its own: a private cupsd (no root needed) listening on a
# socket in a temporary folder, with two printers that print nothing anywhere: "Hall", a queue
# whose device is ipp://hall.example:631/ipp/print, and "Duplexer", which prints on both sides.
# The command sees it through CUPS_SERVER, and QM_PRIVATE_CUPS=1 tells the tests that need it that
# it is there; the system's own scheduler is never asked. Usage: private_cups.sh COMMAND [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/server_lib.sh"
server_begin
base=$SERVER_DIR
mkdir -p "$base"/{conf,spool,state,cache,tmp,log}
chmod 755 "$base"

cat > "$base/conf/cupsd.conf" <<CONF
LogLevel warn
Listen $base/cups.sock
Browsing Off
DefaultAuthType None
WebInterface No
<Location />
Order allow,deny
Allow all
</Location>
<Policy default>
<Limit All>
Order deny,allow
</Limit>
</Policy>
CONF
{
  echo "ServerRoot $base/conf"
  echo "RequestRoot $base/spool"
  echo "ServerBin /usr/lib/cups"
  echo "DataDir /usr/share/cups"
  echo "StateDir $base/state"
  echo "CacheDir $base/cache"
  echo "TempDir $base/tmp"
  echo "AccessLog $base/log/access_log"
  echo "ErrorLog $base/log/error_log"
  echo "PageLog $base/log/page_log"
  echo "SystemGroup $(id -gn)"
  # The scheduler runs filters as another user only when it runs as root.
  if [ "$(id -u)" -ne 0 ]; then echo "User $(id -un)"; echo "Group $(id -gn)"; fi
} > "$base/conf/cups-files.conf"

/usr/sbin/cupsd -f -c "$base/conf/cupsd.conf" -s "$base/conf/cups-files.conf" >"$base/log/stdout" 2>&1 &
SERVER_PID=$!
export CUPS_SERVER="$base/cups.sock"
# fail WHAT: says what went wrong, with what the scheduler said, and ends the run.
fail() {
  echo "private_cups.sh: $1" >&2
  cat "$base/log/stdout" "$base/log/error_log" "$base/log/lpadmin" >&2 2>/dev/null
  exit 1
}
# until_done COMMAND...: runs COMMAND until the scheduler takes it, its output kept in the log.
until_done() { server_until 60 "$@" >>"$base/log/lpadmin" 2>&1; }
until_done lpstat -r || fail "the scheduler did not start"
until_done lpadmin -p Hall -v ipp://hall.example:631/ipp/print -D "Hall" -E -m raw || fail "no printer Hall"
until_done lpadmin -p Duplexer -v ipp://duplexer.example:631/ipp/print -D "Duplexer" -E -P "$here/duplex_printer.ppd" \
  || fail "no printer Duplexer"
export QM_PRIVATE_CUPS=1
"$@"
