# Shared helpers of the scripts that measure the running program from outside (bench/*_process.sh),
# on top of tests/e2e/lib.sh: the bare Qt programs set beside it (bench/outside/bare_qt.cpp, built
# as bin/bench_bare_qt), the screen watcher (bench/outside/screen_watch.cpp, bin/bench_screen_watch),
# readings from /proc, medians and ratios. Source it after lib.sh, once
# e2e_init has run. Every wait has a deadline that only a stuck program reaches; none decides a
# figure.

BARE="$E2E_BUILD/bin/bench_bare_qt"
WATCH="$E2E_BUILD/bin/bench_screen_watch"
[ -x "$BARE" ] && [ -x "$WATCH" ] || e2e_fail "build the targets bench_bare_qt and bench_screen_watch first"

# CPU time of all the process's threads, in nanoseconds (printed whole: awk's %d stops at 2^31).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f\n", s}'; }
# Voluntary context switches of all its threads: each is a sleep the process woke from.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s}'; }
rss_kb() { awk '/^VmRSS:/ {print $2}' /proc/"$1"/status; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "inf"}'; }
median() { sort -g | awk '{a[NR] = $1} END {if (NR % 2) print a[(NR + 1) / 2]; else printf "%g\n", (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
load_average() { cut -d' ' -f1-3 /proc/loadavg; }

# shown_window PID: waits (120 s) for a shown window of the process and prints its id.
shown_window() {
  local end=$((SECONDS + 120)) id=""
  while [ -z "$id" ]; do
    id=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1) || true
    [ -n "$id" ] && break
    kill -0 "$1" 2>/dev/null || e2e_fail "process $1 ended before it showed a window"
    ((SECONDS <= end)) || e2e_fail "process $1 showed no window within 120 s"
    sleep 0.02
  done
  echo "$id"
}

# start_bare ARGS...: starts the bare program (bench_bare_qt ARGS), sets pid.
start_bare() {
  "$BARE" "$@" >/dev/null 2>&1 &
  pid=$!
  E2E_PIDS+=("$pid")
}

# stop PID: ends the process and waits for it.
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }

# settle PID: waits until the process has used no more than 20 ms of CPU in a second (120 s at most).
settle() {
  local a b
  for _ in $(seq 120); do
    a=$(cpu_ns "$1"); sleep 1; b=$(cpu_ns "$1")
    (( b - a < 20000000 )) && return 0
  done
  e2e_fail "process $1 did not come to rest within 120 s"
}

# full_toolbars_profile [NAME VALUE]...: the profile's settings: both toolbars shown with every button,
# as a user who keeps them sees the window, and the given text values under Preferences.
full_toolbars_profile() {
  {
    echo "[$E2E_KEY\\Preferences]"
    printf '"%s"="%s"\n' ToolBarStandart 1 ToolBarDecode 1 "$@"
    echo "[$E2E_KEY\\Preferences\\ToolBars\\Standart]"
    for i in $(seq 0 39); do printf '"%02d"=dword:00000001\n' "$i"; done
    echo "[$E2E_KEY\\Preferences\\ToolBars\\Decode]"
    for i in $(seq 0 7); do printf '"%02d"=dword:00000001\n' "$i"; done
  } | e2e_profile
}
