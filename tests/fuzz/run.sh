#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, one after the other, starting from
# the checked-in seeds, and prints executions, rate and findings per target.
# Usage: tests/fuzz/run.sh BUILD_DIR SECONDS [TARGET ...]
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
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1:malloc_context_size=10:quarantine_size_mb=16:max_malloc_fill_size=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

printf '%-15s %12s %8s %10s %s\n' target executions seconds "exec/s" findings
failed=0
for t in "${targets[@]}"; do
  program=$build/fuzz/fuzz_$t
  work=$build/fuzz/work/$t
  findings=$build/fuzz/findings/$t
  mkdir -p "$work" "$findings"
  log=$build/fuzz/$t.log
  start=$(date +%s.%N)
  # The work folder keeps what earlier runs learnt; the seeds are read-only input.
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$work" "$here/corpus/$t" >"$log" 2>&1
  code=$?
  end=$(date +%s.%N)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  elapsed=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.1f", b - a }')
  rate=$(awk -v n="${runs:-0}" -v s="$elapsed" 'BEGIN { printf "%d", n / s }')
  found=$(find "$findings" -type f | wc -l)
  printf '%-15s %12s %8.0f %10s %s\n' "$t" "${runs:-?}" "$elapsed" "$rate" "$found"
  if [ "$code" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    grep -m3 -E 'ERROR|broken:|runtime error' "$log" | sed 's/^/    /'
  fi
done
exit $failed
