#!/usr/bin/env bash
# Builds the libFuzzer targets in build-fuzz (clang, ASan + UBSan) and runs
# each for the given seconds over a copy of its seed corpus in fuzz/corpus,
# so the tree is never changed; FUZZ_PARALLEL targets (default 2) run at a
# time. Exits non-zero when any target found a
# crash, a leak or a timeout; what it found is kept in build-fuzz/fuzz-findings/.
#
#   tools/fuzz.sh [seconds-per-target] [target…]     e.g. tools/fuzz.sh 20 results roster
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
FUZZ_BUILD="${FUZZ_BUILD:-$ROOT/build-fuzz}"
SECONDS_PER_TARGET="${1:-20}"
shift || true

# The longest input worth trying per target: room for hundreds of records or
# lines, as a school's real files have, while every input still runs quickly.
# Inputs are tried at every length from the start (-len_control=0), not grown
# slowly from the seeds.
declare -A MAX_LEN=(
  [cp932]=2048
  [levelstandard]=8192   # far past 35 levels of twelve values
  [problemstat]=12928    # eight levels of 100 16-byte records, and more
  [results]=22000        # 500 records of 44 bytes
  [roster]=32768         # about a thousand students
  [settings]=1024
  [soundcues]=4096
  [teacher]=22000        # 500 records; read as a statistics file as well
  [wavfile]=8192
)
ALL_TARGETS=(cp932 levelstandard problemstat results roster settings soundcues teacher wavfile)

if [ $# -gt 0 ]; then
  TARGETS=("${@#fuzz_}")
else
  TARGETS=("${ALL_TARGETS[@]}")
fi
for t in "${TARGETS[@]}"; do
  [ -n "${MAX_LEN[$t]:-}" ] || { echo "unknown fuzz target: $t (known: ${ALL_TARGETS[*]})" >&2; exit 2; }
done

# The compiler and its fuzzing runtime come with the project's packages.
SETUP_PACKAGES_ONLY=1 source "$ROOT/tools/setup.sh"

if [ ! -f "$FUZZ_BUILD/build.ninja" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ROOT" -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKAZUDORI_FUZZ=ON "${launcher[@]}"
fi
cmake --build "$FUZZ_BUILD" -j "${FUZZ_JOBS:-2}" --target "${TARGETS[@]/#/fuzz_}"

FINDINGS="$FUZZ_BUILD/fuzz-findings"
LOGS="$FUZZ_BUILD/fuzz-logs"
mkdir -p "$FINDINGS" "$LOGS"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

# One target's run; its result line goes to $LOGS/<target>.result.
run_target() {
  local t="$1" work log started status ran executions per_second corpus result
  work="$(mktemp -d "${TMPDIR:-/tmp}/kazudori-fuzz-$t.XXXXXX")"
  cp -r "$ROOT/fuzz/corpus/$t" "$work/corpus"
  local dict=()
  [ -f "$ROOT/fuzz/dict/$t.dict" ] && dict=(-dict="$ROOT/fuzz/dict/$t.dict")
  log="$LOGS/$t.log"
  started=$(date +%s)
  status=0
  # The target's temporary school goes into the work folder, which is
  # removed afterwards even when the target died.
  (cd "$work" && TMPDIR="$work" "$FUZZ_BUILD/fuzz/fuzz_$t" -max_total_time="$SECONDS_PER_TARGET" \
    -max_len="${MAX_LEN[$t]}" -len_control=0 -timeout=25 -print_final_stats=1 -artifact_prefix="$work/" \
    "${dict[@]}" "$work/corpus") >"$log" 2>&1 || status=$?
  ran=$(( $(date +%s) - started ))
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  per_second=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  corpus=$(find "$work/corpus" -type f | wc -l)
  result=ok
  if [ "$status" -ne 0 ]; then
    result="FAILED (exit $status, log $log)"
    for artifact in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* "$work"/slow-unit-*; do
      [ -e "$artifact" ] && cp "$artifact" "$FINDINGS/$t-$(basename "$artifact")"
    done
  fi
  printf '%-14s %8s %12s %8s %8s  %s\n' "$t" "$ran" "${executions:-?}" "${per_second:-?}" "$corpus" "$result" \
    >"$LOGS/$t.result"
  rm -rf "$work"
}

running=()
# Stopped early, the runs and their fuzzers go too, by process id.
stop_running() {
  local pid
  for pid in "${running[@]}"; do
    pkill -TERM -P "$pid" 2>/dev/null
    kill "$pid" 2>/dev/null
  done
  wait 2>/dev/null
}
trap stop_running EXIT
trap 'exit 130' INT TERM
for t in "${TARGETS[@]}"; do
  rm -f "$LOGS/$t.result"
  while [ "$(jobs -rp | wc -l)" -ge "${FUZZ_PARALLEL:-2}" ]; do
    wait -n || true
  done
  run_target "$t" &
  running+=("$!")
done
wait
running=()

failed=()
printf '%-14s %8s %12s %8s %8s  %s\n' target seconds executions exec/s corpus result
for t in "${TARGETS[@]}"; do
  if [ -f "$LOGS/$t.result" ]; then
    cat "$LOGS/$t.result"
    grep -q ' ok$' "$LOGS/$t.result" || failed+=("$t")
  else
    echo "$t: no result (the run was stopped)"
    failed+=("$t")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $FINDINGS)" >&2
  for t in "${failed[@]}"; do
    echo "== $t" >&2
    grep -E -m 8 'ERROR|SUMMARY|runtime error|differs|does not|names another|impossible|cut a character' \
      "$LOGS/$t.log" >&2 || tail -20 "$LOGS/$t.log" >&2
  done
  exit 1
fi
