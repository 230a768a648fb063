#!/usr/bin/env bash
# Sums up a CTest run from its JUnit results (ctest --output-junit FILE): for each kind of test how
# many passed, failed and were skipped, the names of those that failed or were skipped, and a last
# line "N passed, N failed". Exits 1 when a test failed, or when there are no results at all.
# Usage: tests/summary.sh RESULTS.xml
set -uo pipefail
results=${1:?usage: summary.sh RESULTS.xml}
if [ ! -s "$results" ]; then
  echo "tests: no results in $results (did CTest run?)"
  echo "0 passed, 1 failed"
  exit 1
fi
awk '
  function kind(name) {
    if (name ~ /^e2e\./) return "end-to-end scripts"
    if (name ~ /\.(whole|shuffled)$/) return "test programs whole and shuffled"
    if (name ~ /^(x11|cups|bus)\./) return "tests in a place of their own"
    if (name ~ /^fuzz_/) return "fuzz runs"
    return "unit tests"
  }
  /<testcase / {
    name = $0; sub(/.*<testcase name="/, "", name); sub(/".*/, "", name)
    status = $0; sub(/.*status="/, "", status); sub(/".*/, "", status)
    k = kind(name); kinds[k] = 1
    if (status == "run") passed[k]++
    else if (status == "fail") { failed[k]++; failures = failures "\n  failed: " name }
    else { skipped[k]++; skips = skips "\n  skipped: " name }
  }
  END {
    n = split("unit tests|test programs whole and shuffled|tests in a place of their own|end-to-end scripts|fuzz runs", order, "|")
    for (i = 1; i <= n; ++i) {
      k = order[i]
      if (!(k in kinds)) continue
      printf "%s: %d passed, %d failed", k, passed[k], failed[k]
      if (skipped[k]) printf ", %d skipped", skipped[k]
      printf "\n"
      p += passed[k]; f += failed[k]
    }
    if (failures skips != "") print substr(failures skips, 2)
    printf "%d passed, %d failed\n", p, f
    exit f > 0
  }
' "$results"
