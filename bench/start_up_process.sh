#!/usr/bin/env bash
# What a start costs until the main window is on the screen (the first drawing in it), beside
# the bare Qt main window (a menu bar over a plain text editor) that bench/outside/bare_qt.cpp
# builds: the CPU time of all the process's threads (from /proc), the instructions it ran (counted
# by valgrind's callgrind, which a loaded machine does not disturb), and the shared libraries it has
# loaded by then. The program starts with both toolbars showing every button. Each program is
# started RUNS times in turns; a line per run, then the medians with their ratio, like the other
# benchmarks' `ratio`. Without valgrind the instructions are left out.
# Run it inside an X server of its own: tests/e2e/with_x.sh bench/start_up_process.sh build
# Usage: bench/start_up_process.sh BUILD_DIR [RUNS]
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_init bench_start_up "$1" 3600
source "$(dirname "$0")/process_lib.sh"
RUNS=${2:-5}
e2e_window_manager
full_toolbars_profile ShowInCaption 2

# start WHO [WRAPPER...]: starts the program or the bare window (through WRAPPER) and returns once its
# window is on the screen (bench_screen_watch sees it drawn in); sets pid.
start() {
  local who=$1 command wid
  shift
  command=("$@" "$BARE" editor)
  [ "$who" = quillmark ] && command=(env XDG_CONFIG_HOME="$E2E_PROFILE" "$@" "$E2E_BUILD/bin/quillmark")
  coproc WATCHER { "$WATCH" start "${command[@]}" 2>>"$E2E_OUT/programs.log"; }
  read -r pid <&"${WATCHER[0]}" || e2e_fail "$who did not start"
  E2E_PIDS+=("$pid")
  read -r wid <&"${WATCHER[0]}" || e2e_fail "$who showed no window"
  wait "$WATCHER_PID" 2>/dev/null || true
}

libraries() { grep -o '[^/]*\.so[.0-9]*$' /proc/"$1"/maps | sort -u | wc -l; }

# cpu WHO: "CPU_MS LIBRARIES" of one start.
cpu() {
  start "$1"
  awk -v ns="$(cpu_ns "$pid")" -v libs="$(libraries "$pid")" 'BEGIN {printf "%.1f %d\n", ns / 1e6, libs}'
  stop "$pid"
}

# instructions WHO: the instructions of one start, counted by callgrind up to the shown window.
instructions() {
  local out="$E2E_OUT/callgrind.$1"
  rm -f "$out"*
  start "$1" valgrind --tool=callgrind --callgrind-out-file="$out" --dump-instr=no
  callgrind_control -d "$pid" >/dev/null 2>&1
  e2e_until 600 test -s "$out.1" || e2e_fail "callgrind wrote no counts for $1"
  stop "$pid"
  awk '/^(summary|totals):/ {print $2; exit}' "$out.1"
}

: > "$E2E_OUT/runs"
for run in $(seq "$RUNS"); do
  for who in quillmark bare; do
    read -r ms libs <<<"$(cpu "$who")"
    ir=-
    command -v valgrind >/dev/null && ir=$(instructions "$who")
    echo "$who $ms $libs $ir" >> "$E2E_OUT/runs"
    echo "run $run $who: cpu_ms=$ms shared_libraries=$libs instructions=$ir load_average=$(load_average)"
  done
done

field() { awk -v w="$1" -v f="$2" '$1 == w {print $f}' "$E2E_OUT/runs" | median; }
for line in "start_up_cpu_ms 2" "shared_libraries 3" "start_up_instructions 4"; do
  read -r name f <<<"$line"
  [ "$f" = 4 ] && ! command -v valgrind >/dev/null && continue
  q=$(field quillmark "$f")
  b=$(field bare "$f")
  echo "$name=$q bare_qt=$b ratio=$(ratio "$q" "$b")"
done
