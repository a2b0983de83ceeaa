#!/usr/bin/env bash
# Runs a command again and again while CPU-bound processes keep the cores
# busy, as on a classroom PC where other programs run, and counts the runs
# that failed. A fault that shows only under load shows here.
#
#   tools/under-load.sh [-l LOAD] [-n RUNS] [-k] command [args...]
#
# LOAD busy processes (default: the number of cores), RUNS runs (default 10);
# -k keeps going after a failed run (default: stop at the first). Each failed
# run's output is kept in under-load-<n>.log in the current folder.
set -uo pipefail

load="$(nproc)"
runs=10
keep_going=0
while getopts "l:n:k" option; do
  case "$option" in
    l) load="$OPTARG" ;;
    n) runs="$OPTARG" ;;
    k) keep_going=1 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ $# -gt 0 ] || { echo "usage: $0 [-l LOAD] [-n RUNS] [-k] command [args...]" >&2; exit 2; }

busy=()
stop_load() {
  [ ${#busy[@]} -gt 0 ] && kill "${busy[@]}" 2>/dev/null
  wait "${busy[@]}" 2>/dev/null
  busy=()
}
trap stop_load EXIT
trap 'exit 130' INT TERM
for _ in $(seq "$load"); do
  (while :; do :; done) &
  busy+=("$!")
done

failed=0
for run in $(seq "$runs"); do
  log="$(mktemp)"
  start=$EPOCHREALTIME
  if "$@" >"$log" 2>&1; then
    result="ok"
    rm -f "$log"
  else
    result="FAILED (output in under-load-$run.log)"
    mv "$log" "under-load-$run.log"
    failed=$((failed + 1))
  fi
  printf 'run %d of %d under %d busy processes: %s, %.1f s\n' "$run" "$runs" "$load" "$result" \
    "$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }')"
  [ "$failed" -gt 0 ] && [ "$keep_going" = 0 ] && break
done
echo "under load: $((run - failed)) of $run runs passed"
[ "$failed" -eq 0 ]
