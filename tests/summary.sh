#!/usr/bin/env bash
# Sums up a CTest run from its JUnit results (ctest --output-junit FILE), and the sanitizer passes
# from the output of tests/sanitizers.sh when given: for each kind of test how many passed, failed
# and were skipped, the names of those that failed or were skipped, and a last line
# "N passed, N failed". Exits 1 when a test failed, or when there are no results at all.
# Usage: tests/summary.sh RESULTS.xml [SANITIZERS.log]
set -uo pipefail
results=${1:?usage: summary.sh RESULTS.xml [SANITIZERS.log]}
sanitizers=${2:-/dev/null}
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
  # A program of a sanitizer pass ("address: test_core passed"), or a pass that did not build.
  FILENAME != results && /^(address|thread): test_[a-z]+ (passed|FAILED)/ {
    k = "sanitizer passes"; kinds[k] = 1
    name = $1 " " $2; sub(/:/, "", name)
    if ($3 == "passed") passed[k]++; else { failed[k]++; failures = failures "\n  failed: " name }
    next
  }
  FILENAME != results && /build FAILED/ {
    k = "sanitizer passes"; kinds[k] = 1
    failed[k]++; failures = failures "\n  failed: the build of a sanitizer pass"
    next
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
    n = split("unit tests|test programs whole and shuffled|tests in a place of their own|end-to-end scripts|fuzz runs|sanitizer passes", order, "|")
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
' results="$results" "$results" "$sanitizers"
