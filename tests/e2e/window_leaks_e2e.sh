#!/usr/bin/env bash
# Opens and closes every dialog of the program many times, each by its command and its close box,
# under a leak checker (heaptrack), and finds that closing a window keeps no memory. Each dialog runs
# twice in the test program's WindowLeaks cases (tests/preferences/window_leaks_test.cpp): a few
# rounds and many more rounds, each run ending while the main window and every object of the
# program still live, so memory kept reachable counts as well as memory no pointer reaches. The
# leak checker's report of what the extra rounds left unfreed, divided by their number, must stay
# under a fraction of what one window's widgets take; a window that kept its pictures, records or
# widgets would keep kilobytes a round. Run it through tests/e2e/with_x.sh. Reports go to
# BUILD/e2e/window_leaks/.
# Usage: tests/e2e/window_leaks_e2e.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh"
e2e_init window_leaks "$1" 1200
command -v heaptrack >/dev/null && command -v heaptrack_print >/dev/null \
  || e2e_fail "heaptrack is not installed (./test.sh installs it)"

FEW=5
MANY=45
# Bytes a round. A window that kept its widgets or drawings kept 8 KB and more a round; what the
# X client library holds in flight for the server at the moment a run ends comes to some hundreds.
MOST_PER_ROUND=4096
DIALOGS=(Settings Find Replace GoTo InsertTimeAndDate Conversion PrintConfirmation About License
         DocumentProperties ToolbarCustomisation)

# heaptrack_print's size ("-1.5K", "10.13K", "0B", "2.1M") in bytes.
bytes() {
  awk -v s="$1" 'BEGIN {
    n = s + 0; u = substr(s, length(s), 1)
    if (u == "B") u = substr(s, length(s) - 1, 1)
    if (u == "K") n *= 1000; else if (u == "M") n *= 1000000; else if (u == "G") n *= 1000000000
    printf "%d\n", n }'
}

run() {  # dialog rounds
  QM_WINDOW_ROUNDS=$2 heaptrack -o "$E2E_OUT/$1.$2" "$E2E_BUILD/bin/test_preferences" \
    --gtest_filter="WindowLeaks.$1" >"$E2E_OUT/$1.$2.log" 2>&1
}

# measure DIALOG: what the extra rounds of DIALOG kept, a round, written to E2E_OUT/DIALOG.result as
# "BYTES_A_ROUND KEPT", or "failed WHY".
measure() {
  local dialog=$1 kept
  if ! run "$dialog" "$FEW" || ! run "$dialog" "$MANY"; then
    echo "failed the rounds failed (see $E2E_OUT/$dialog.*.log)" >"$E2E_OUT/$dialog.result"
    return
  fi
  heaptrack_print -f "$E2E_OUT/$dialog.$MANY.zst" -d "$E2E_OUT/$dialog.$FEW.zst" --print-leaks 1 --print-peaks 0 \
    --print-allocators 0 --print-temporary 0 >"$E2E_OUT/$dialog.kept.txt" 2>/dev/null
  kept=$(sed -n 's/^total memory leaked: //p' "$E2E_OUT/$dialog.kept.txt")
  if [ -z "$kept" ]; then
    echo "failed heaptrack gave no report" >"$E2E_OUT/$dialog.result"
  else
    echo "$(( $(bytes "$kept") / (MANY - FEW) )) $kept" >"$E2E_OUT/$dialog.result"
  fi
}

# The dialogs are measured side by side, a few at a time: each run is a program of its own.
at_once=$(( $(nproc) / 2 > 1 ? $(nproc) / 2 : 1 ))
measuring=()
for dialog in "${DIALOGS[@]}"; do
  while (( ${#measuring[@]} >= at_once )); do
    wait -n "${measuring[@]}" || true
    for i in "${!measuring[@]}"; do kill -0 "${measuring[$i]}" 2>/dev/null || unset "measuring[$i]"; done
    measuring=("${measuring[@]}")
  done
  measure "$dialog" &
  measuring+=($!)
done
wait "${measuring[@]}" || true

failed=()
for dialog in "${DIALOGS[@]}"; do
  read -r per_round kept <"$E2E_OUT/$dialog.result"
  if [ "$per_round" = failed ]; then
    failed+=("$dialog: $kept")
    continue
  fi
  echo "window leaks: $dialog keeps $per_round bytes a round ($kept over $((MANY - FEW)) rounds)"
  (( per_round <= MOST_PER_ROUND )) || failed+=("$dialog ($per_round bytes a round; see $E2E_OUT/$dialog.kept.txt)")
done
(( ${#failed[@]} == 0 )) || e2e_fail "closed windows keep memory: ${failed[*]}"
echo "window leaks: no dialog keeps memory after it closes, over $MANY rounds each"
