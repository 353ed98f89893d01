#!/bin/sh
# Programs one image into one paced virtual announcer, then into N of them at
# once, each without and with --verify, and prints the times and the ratio
# N / one. Goal: the ratio at most 1.25 (the work is on the wire).
#
#   bench/parallel_program_speed.sh [BIN_DIR] [MEMORY_CODE] [N]
#
# BIN_DIR defaults to build/bin; MEMORY_CODE 0 (64 kB: about 6 s a run, 12 s
# verified; 4 is 1 MB, about 95 s); N 3.
set -eu
bin=${1:-build/bin}
code=${2:-0}
count=${3:-3}
work=$(mktemp -d)
pids=
cleanup() {
  for pid in $pids; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

. "$(dirname "$0")/full_image.sh"
full_image "$code" "$work/image.bin"

devices=
for i in $(seq "$count"); do
  "$bin/liftvox-sim" --pace --memory "$code" --interface 1 > "$work/device$i" &
  pids="$pids $!"
done
for i in $(seq "$count"); do
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    [ -s "$work/device$i" ] && break
    sleep 0.2
  done
  devices="$devices --device $(head -n 1 "$work/device$i")"
done
first=$(echo "$devices" | cut -d' ' -f2-3)

# Seconds one programming run takes: run TARGETS [--verify]
run() {
  start=$(date +%s.%N)
  # shellcheck disable=SC2086
  "$bin/liftvox-cli" program "$work/image.bin" $1 ${2:-} --yes --max-retries 0 > /dev/null 2>&1
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { print e - s }'
}

awk -v size="$size" -v page="$page" -v n="$count" 'BEGIN {
  printf "%d kB image, %d announcers, line time %.1f s per pass\n", size / 1024, n,
    size / page * (page + 6) * 10 / 115200
}'
for verify in "" --verify; do
  one=$(run "$first" $verify)
  all=$(run "$devices" $verify)
  awk -v what="${verify:-write}" -v one="$one" -v all="$all" -v n="$count" 'BEGIN {
    printf "%-10s one %6.1f s   %d at once %6.1f s   ratio %.3f\n", what, one, n, all, all / one
  }'
done
