#!/usr/bin/env bash
# What only a look from outside the process gives, side by side with the bare Qt programs of
# bench/outside/bare_qt.cpp: an empty window, and a main window with a menu bar over a plain text
# editor (QPlainTextEdit) holding the same text as the program:
#  - idle: CPU time and wake-ups (voluntary context switches of all its threads) a second over 20 s
#    from /proc, with a 10 MB document open and the clipboard watch on, against the bare editor
#    holding the same text (and the empty window): once with the editor focused (both carets blink)
#    and once with another window active, when nothing happens on the screen;
#  - keys: CPU time per key over 200 keys typed at the end of that document (XTest, by xte),
#    against the same keys typed into the bare editor;
#  - memory: resident memory with a 10 MB and with a 50 MB document opened (Ctrl+O) in a fresh
#    program, against the bare editor started on the same file, and what the open added as a
#    multiple of the file's size.
# Start-up is bench/start_up_process.sh, and the time from a click or a key to the screen
# bench/input_latency_process.sh. Each line gives the figure, the bare program's and their ratio, like
# the other benchmarks' `ratio`. Every wait is for a state (a window shown, the keys handled, the
# program at rest) with a deadline only a stuck program reaches; the 20 s of the idle readings are a
# measuring span, not a wait.
# Run it inside an X server of its own: tests/e2e/with_x.sh bench/main_window_process.sh build
# Usage: bench/main_window_process.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_init bench_process "$1" 3600
source "$(dirname "$0")/process_lib.sh"
command -v xte >/dev/null || e2e_fail "xte (xautomation) is needed to type the keys"
e2e_window_manager

# --- The documents -----------------------------------------------------------------------------------
# The same text as a Windows-1251 document for the program and as UTF-8 for the bare editor.
make_document() {  # MEGABYTES NAME
  local one="$E2E_OUT/$2.1251"
  printf '%s\r\n' "Съешь же еще этих мягких французских булок, да выпей чаю. The quick brown fox 1234567890." \
    | iconv -f UTF-8 -t CP1251 > "$E2E_OUT/line.1251"
  perl -e 'local $/; open(my $f, "<", $ARGV[0]) or die; my $block = <$f> x 16384; my $left = $ARGV[1];
           while ($left > 0) { my $part = substr($block, 0, $left); print $part; $left -= length $part; }' \
    "$E2E_OUT/line.1251" "$(( $1 * 1000000 ))" > "$one"
  iconv -f CP1251 -t UTF-8 "$one" > "$E2E_OUT/$2.utf8"
}
make_document 10 ten
make_document 50 fifty

# idle PID: "CPU_PERCENT WAKEUPS_PER_SECOND" over 20 s.
idle() {
  local c0 w0 c1 w1
  c0=$(cpu_ns "$1"); w0=$(wakeups "$1")
  sleep 20
  c1=$(cpu_ns "$1"); w1=$(wakeups "$1")
  awk -v c=$((c1 - c0)) -v w=$((w1 - w0)) 'BEGIN {printf "%.3f %.2f\n", c / 20e9 * 100, w / 20}'
}

# keys PID WID: milliseconds of CPU per key over 200 keys typed at the end of the window's text,
# from the first key sent to the last one handled.
keys() {
  local c0 c1 args=()
  e2e_focus "$2"
  xdotool key --clearmodifiers ctrl+End
  e2e_settle "$2"
  for _ in $(seq 200); do args+=("key a" "usleep 15000"); done
  c0=$(cpu_ns "$1")
  xte "${args[@]}"
  e2e_settle "$2"
  c1=$(cpu_ns "$1")
  awk -v c=$((c1 - c0)) 'BEGIN {printf "%.3f\n", c / 200 / 1e6}'
}

e2e_profile <<'REG'
"ShowInCaption"="2"
"SaveChange"="0"
"ClipboardDetect"="1"
REG

# open_document PATH: opens the document in the program through Ctrl+O and waits for it.
open_document() {
  e2e_focus "$main"
  e2e_keys ctrl+o
  e2e_wait_active "Открытие документа" 120 >/dev/null
  e2e_type "$1"
  e2e_keys Return
  e2e_until 600 bash -c "xdotool getwindowname $main | grep -q '$(basename "$1")'" \
    || e2e_fail "the program did not open $1 within 600 s"
  settle "$E2E_PID"
}

# --- The program with 10 MB: memory, idle, keys ---------------------------------------------------------
# Idle twice: with the editor focused (its caret blinks, as the bare editor's does) and with another
# program's window active, when nothing at all happens on the screen.
idle_behind() {  # PID: idle while the empty window has the keyboard
  local other
  "$BARE" window >/dev/null 2>&1 &
  other=$!
  E2E_PIDS+=("$other")
  e2e_focus "$(shown_window "$other")"
  settle "$1"
  idle "$1"
  kill "$other"; wait "$other" 2>/dev/null || true
}

e2e_start_main
settle "$E2E_PID"
quill_before=$(rss_kb "$E2E_PID")
open_document "$E2E_OUT/ten.1251"
e2e_focus "$main"
settle "$E2E_PID"
quill_rss10=$(rss_kb "$E2E_PID")
read -r quill_cpu quill_wake < <(idle "$E2E_PID")
e2e_shot idle_ten_megabytes
read -r quill_cpu_behind quill_wake_behind < <(idle_behind "$E2E_PID")
quill_key=$(keys "$E2E_PID" "$main")
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null || true; E2E_PID=""

start_bare editor "$E2E_OUT/ten.utf8"
editor=$pid
wid=$(shown_window "$editor")
e2e_focus "$wid"
settle "$editor"
bare_rss10=$(rss_kb "$editor")
read -r bare_cpu bare_wake < <(idle "$editor")
read -r bare_cpu_behind bare_wake_behind < <(idle_behind "$editor")
bare_key=$(keys "$editor" "$wid")
kill "$editor"; wait "$editor" 2>/dev/null || true

start_bare window
shown_window "$pid" >/dev/null
settle "$pid"
read -r window_cpu window_wake < <(idle "$pid")
kill "$pid"; wait "$pid" 2>/dev/null || true

echo "idle_cpu_percent=$quill_cpu bare_editor=$bare_cpu ratio=$(ratio "$quill_cpu" "$bare_cpu") bare_window=$window_cpu"
echo "idle_wakeups_per_second=$quill_wake bare_editor=$bare_wake ratio=$(ratio "$quill_wake" "$bare_wake") bare_window=$window_wake"
echo "idle_behind_another_window_cpu_percent=$quill_cpu_behind bare_editor=$bare_cpu_behind" \
     "ratio=$(ratio "$quill_cpu_behind" "$bare_cpu_behind")"
echo "idle_behind_another_window_wakeups_per_second=$quill_wake_behind bare_editor=$bare_wake_behind" \
     "ratio=$(ratio "$quill_wake_behind" "$bare_wake_behind")"
echo "cpu_ms_per_key=$quill_key bare_editor=$bare_key ratio=$(ratio "$quill_key" "$bare_key")"

# --- Memory with 50 MB, each program fresh ----------------------------------------------------------------
e2e_start_main
settle "$E2E_PID"
quill_before50=$(rss_kb "$E2E_PID")
open_document "$E2E_OUT/fifty.1251"
quill_rss50=$(rss_kb "$E2E_PID")
kill "$E2E_PID"; wait "$E2E_PID" 2>/dev/null || true; E2E_PID=""
start_bare editor "$E2E_OUT/fifty.utf8"
shown_window "$pid" >/dev/null
settle "$pid"
bare_rss50=$(rss_kb "$pid")
kill "$pid"; wait "$pid" 2>/dev/null || true

# The growth is what opening the document added to the program's own memory, as a multiple of the
# file's size.
for size in 10 50; do
  q=quill_rss$size; b=bare_rss$size; before=quill_before
  [ "$size" = 50 ] && before=quill_before50
  echo "resident_mb_with_${size}_mb=$(( ${!q} / 1024 )) bare_editor=$(( ${!b} / 1024 )) ratio=$(ratio "${!q}" "${!b}")" \
       "growth_times_file_size=$(awk -v r=$(( ${!q} - ${!before} )) -v s="$size" 'BEGIN {printf "%.2f", r * 1024 / (s * 1e6)}')"
done
rm -f "$E2E_OUT"/*.1251 "$E2E_OUT"/*.utf8
