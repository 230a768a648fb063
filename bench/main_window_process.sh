#!/usr/bin/env bash
# Two figures of the running program that only a look from outside the process gives, so this is a
# script and not a Google Benchmark program (run it inside xvfb-run):
#  - start-up: from starting bin/quillmark to its main window shown on the screen, median of five
#    starts; the floor is the same for bin/Wizard, a bare program of the same toolkit whose only
#    window is a message box.
#  - idle: the CPU time (user + system, from /proc/PID/stat) the program spends in 10 s while its
#    main window holds a 10 MB document with the clipboard watch on; the floor is Wizard's box idle
#    over the same 10 s.
# Each line gives the figure, its floor and their ratio, like the other benchmarks' `ratio`.
# Usage: bench/main_window_process.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_init bench_process "$1" 300
e2e_window_manager

now_ms() { date +%s%3N; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# start_ms PROGRAM: prints the milliseconds from its start to a shown window of its process, and
# the process id (left running).
start_ms() {
  local t0 id=""
  t0=$(now_ms)
  XDG_CONFIG_HOME=$E2E_PROFILE "$1" >>"$E2E_OUT/quillmark.log" 2>&1 &
  started=$!
  while [ -z "$id" ]; do
    id=$(xdotool search --onlyvisible --pid "$started" 2>/dev/null | head -1) || true
    kill -0 "$started" 2>/dev/null || e2e_fail "$1 ended before it showed a window"
    (( $(now_ms) - t0 < 20000 )) || e2e_fail "$1 showed no window within 20 s"
  done
  echo "$(( $(now_ms) - t0 )) $started"
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

e2e_profile <<'REG'
"ShowInCaption"="3"
REG
quill=()
wizard=()
for _ in 1 2 3 4 5; do
  read -r ms pid < <(start_ms "$E2E_BUILD/bin/quillmark")
  quill+=("$ms")
  kill "$pid"; sleep 0.5
  read -r ms pid < <(start_ms "$E2E_BUILD/bin/Wizard")
  wizard+=("$ms")
  kill "$pid"; sleep 0.5
done
q=$(printf '%s\n' "${quill[@]}" | median)
w=$(printf '%s\n' "${wizard[@]}" | median)
echo "startup_to_main_window_ms=$q floor_ms=$w ratio=$(awk -v a="$q" -v b="$w" 'BEGIN {printf "%.2f", a / b}')"

# Idle with a 10 MB document: the clipboard watch takes it from the clipboard at start.
e2e_profile <<'REG'
"ShowInCaption"="3"
"ClipboardDetect"="1"
REG
head -c 10000000 < <(yes "Съешь же еще этих мягких французских булок, да выпей чаю.") > "$E2E_OUT/ten.txt"
e2e_clip_file "$E2E_OUT/ten.txt"
e2e_start
e2e_wait_window "Brannoch Quillmark 3.0 Preview" >/dev/null
registry="$E2E_PROFILE/quillmark/registry.reg"
taken() { [ "$(stat -c %s "$registry")" -gt 9000000 ]; }
e2e_until 60 taken || e2e_fail "the watch did not take the 10 MB text"
sleep 3
a=$(cpu_ticks "$E2E_PID"); sleep 10; b=$(cpu_ticks "$E2E_PID")
hz=$(getconf CLK_TCK)
busy=$(awk -v t=$((b - a)) -v hz="$hz" 'BEGIN {printf "%.2f", t / hz / 10 * 100}')
e2e_shot idle_ten_megabytes

XDG_CONFIG_HOME=$E2E_PROFILE "$E2E_BUILD/bin/Wizard" >/dev/null 2>&1 &
wizard_pid=$!
E2E_PIDS+=("$wizard_pid")
sleep 3
a=$(cpu_ticks "$wizard_pid"); sleep 10; b=$(cpu_ticks "$wizard_pid")
floor=$(awk -v t=$((b - a)) -v hz="$hz" 'BEGIN {printf "%.2f", t / hz / 10 * 100}')
echo "idle_cpu_percent_of_one_core=$busy floor_percent=$floor ratio=$(awk -v a="$busy" -v b="$floor" 'BEGIN {printf "%.1f", a / (b > 0 ? b : 0.1)}') (floor under one tick counts as 0.1 %)"
