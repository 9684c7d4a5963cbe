#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, FUZZ_JOBS at a time (default 1),
# starting from the checked-in seeds, and prints executions, rate and findings per target.
# Usage: [FUZZ_JOBS=2] tests/fuzz/run.sh BUILD_DIR SECONDS [TARGET ...]
# A finding is kept as BUILD_DIR/fuzz/findings/TARGET/crash-… (or leak-…, timeout-…); copy it
# into tests/fuzz/corpus/TARGET/ with the fix, so that fuzz_replay runs it from then on.
set -uo pipefail
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for d in "$here"/corpus/*/; do targets+=("$(basename "$d")"); done
fi
# Two frames of allocation stack: storing ten for every allocation took a third of the time of
# the string-heavy targets. For a finding's whole stacks, run its program on the finding with
# ASAN_OPTIONS=malloc_context_size=30.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1:malloc_context_size=2:quarantine_size_mb=16:max_malloc_fill_size=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

# One target: its run, then one result line in BUILD/fuzz/TARGET.result, and the log's first
# error lines when it failed or found something.
run_one() {
  local t=$1
  local program=$build/fuzz/fuzz_$t
  local work=$build/fuzz/work/$t
  local findings=$build/fuzz/findings/$t
  local log=$build/fuzz/$t.log
  local result=$build/fuzz/$t.result
  mkdir -p "$work" "$findings"
  # The script target runs Qt's event loop, whose caches grow across runs: libFuzzer took that
  # for a leak after every input and scanned the whole heap each time. Leaks are still looked
  # for at the end of the run. Its inputs are four short lines: every typed character is a
  # key through Qt's own key handling, so long lines only made it slower.
  # The table readers' cost grows with the input; a kilobyte holds a header and some rows.
  local options=(-max_len=4096)
  case $t in
    driver_script) options=(-max_len=160 -detect_leaks=0) ;;
    csv_file | translation) options=(-max_len=1024) ;;
  esac
  local start end code runs elapsed rate found
  start=$(date +%s.%N)
  # The work folder keeps what earlier runs learnt; the seeds are read-only input.
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 "${options[@]}" \
    -print_final_stats=1 -artifact_prefix="$findings/" "$work" "$here/corpus/$t" >"$log" 2>&1
  code=$?
  end=$(date +%s.%N)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  elapsed=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
  rate=$(awk -v n="${runs:-0}" -v s="$elapsed" 'BEGIN { printf "%d", n / s }')
  found=$(find "$findings" -type f | wc -l)
  {
    printf '%-15s %12s %8.0f %10s %s\n' "$t" "${runs:-?}" "$elapsed" "$rate" "$found"
    if [ "$code" -ne 0 ] || [ "$found" -ne 0 ]; then
      grep -m3 -E 'ERROR|broken:|runtime error' "$log" | sed 's/^/    /'
      echo FAILED
    fi
  } >"$result"
}

# FUZZ_JOBS targets at a time (one per core is the most that helps).
jobs=${FUZZ_JOBS:-1}
running=0
for t in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/fuzz_$t" ]; then
    echo "no fuzz program $build/fuzz/fuzz_$t: build it with make fuzz-build" >&2
    exit 2
  fi
done
for t in "${targets[@]}"; do
  run_one "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

printf '%-15s %12s %8s %10s %s\n' target executions seconds "exec/s" findings
failed=0
for t in "${targets[@]}"; do
  result=$build/fuzz/$t.result
  if [ ! -f "$result" ]; then
    echo "$t: no result" && failed=1 && continue
  fi
  grep -v '^FAILED$' "$result"
  grep -q '^FAILED$' "$result" && failed=1
done
exit $failed
