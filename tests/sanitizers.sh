#!/usr/bin/env bash
# The sanitizer passes: every test program built with AddressSanitizer and UndefinedBehaviorSanitizer
# (leaks included) in BUILD_ROOT/build-asan, and with ThreadSanitizer in BUILD_ROOT/build-tsan (the
# threads: the sound player's, the event pacing's frame thread, and the toolkit's own, such as its
# file-information thread and thread pool). Each program runs whole, in one process, offscreen,
# the programs side by side. Any report fails its program and its pass; the last line says which
# pass failed and how long each pass's build and run took.
#
#   tests/sanitizers.sh BUILD_ROOT                        both passes
#   tests/sanitizers.sh BUILD_ROOT address|thread         one pass
#   tests/sanitizers.sh BUILD_ROOT address|thread PROGRAM [ARGUMENT...]
#                                                         builds that one test program (or the
#                                                         program quillmark or Wizard) of the pass
#                                                         and runs it with the pass's options and
#                                                         the arguments, e.g. --gtest_filter=Sound*
#
# Built with clang: its UndefinedBehaviorSanitizer instruments our sources about half again as fast
# as gcc's, which keeps the two builds within the time the passes may take.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
usage() { echo "usage: $0 BUILD_ROOT [address|thread [PROGRAM [ARGUMENT...]]]" >&2; exit 2; }
[ $# -ge 1 ] || usage
[ $# -lt 2 ] || [ "$2" = address ] || [ "$2" = thread ] || usage
mkdir -p "$1"
root=$(cd "$1" && pwd)
jobs=$(nproc)

folder_of() { [ "$1" = address ] && echo "$root/build-asan" || echo "$root/build-tsan"; }

# Options of each pass: stop at the first report, with a failing exit code, and the toolkit's own
# findings (only those) suppressed by the files beside this script. The thread pass lets a forked
# child start threads: the kill tests' children save (waiting with threads of their own) and are
# killed or end, and the race detector would refuse them.
export_options() {
  export QT_QPA_PLATFORM=offscreen
  export ASAN_OPTIONS="halt_on_error=1:exitcode=86:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
  export LSAN_OPTIONS="exitcode=86:suppressions=$here/sanitizers/leaks.supp:print_suppressions=0"
  export UBSAN_OPTIONS="halt_on_error=1:exitcode=86:print_stacktrace=1"
  export TSAN_OPTIONS="halt_on_error=1:exitcode=86:suppressions=$here/sanitizers/threads.supp:print_suppressions=0:second_deadlock_stack=1:die_after_fork=0"
}

configure() {
  local kind=$1 sanitize=address\;undefined dir
  [ "$kind" = thread ] && sanitize=thread
  dir=$(folder_of "$kind")
  mkdir -p "$dir"
  cmake -S "$source_dir" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        "-DQM_SANITIZE=$sanitize" > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; return 1; }
}

build() {  # build KIND [TARGET...]
  local kind=$1
  shift
  configure "$kind" || return 1
  local targets=()
  for t in "$@"; do targets+=(--target "$t"); done
  cmake --build "$(folder_of "$kind")" -j"$jobs" "${targets[@]}"
}

# Runs the pass's programs side by side, each whole with its output in a log of its own; prints the
# log of each that failed and returns the count of failures.
run_pass() {  # run_pass KIND PROGRAM...
  local kind=$1 dir
  shift
  dir=$(folder_of "$kind")
  mkdir -p "$dir/logs"
  local pids=() names=() failed=0
  for p in "$@"; do
    (cd "$dir" && timeout 900 "bin/$p" --gtest_brief=1) > "$dir/logs/$p.log" 2>&1 &
    pids+=($!)
    names+=("$p")
  done
  for i in "${!pids[@]}"; do
    if wait "${pids[$i]}"; then
      echo "$kind: ${names[$i]} passed"
    else
      echo "$kind: ${names[$i]} FAILED; its output ($dir/logs/${names[$i]}.log) ends:"
      tail -n 80 "$dir/logs/${names[$i]}.log"
      failed=$((failed + 1))
    fi
  done
  return "$failed"
}

test_programs() { (cd "$(folder_of "$1")/bin" && ls test_*); }

export_options

if [ $# -ge 3 ]; then
  kind=$2 program=$3
  shift 3
  build "$kind" "$program" || exit 1
  cd "$(folder_of "$kind")" && exec "bin/$program" "$@"
fi

passes=(address thread)
[ $# -eq 2 ] && passes=("$2")
# Each pass's result, with the seconds its build and its run took.
result=()
for kind in "${passes[@]}"; do
  start=$SECONDS
  if ! build "$kind"; then
    result+=("$kind build FAILED")
    continue
  fi
  built=$SECONDS
  mapfile -t programs < <(test_programs "$kind")
  outcome=passed
  run_pass "$kind" "${programs[@]}" || outcome=FAILED
  result+=("$kind $outcome (build $((built - start)) s, run $((SECONDS - built)) s)")
done

summary=$(printf '%s; ' "${result[@]}")
echo "Sanitizer passes: ${summary%; }"
[[ "$summary" != *FAILED* ]]
