#!/bin/sh
# Programs a memory image into the paced virtual announcer and prints the
# elapsed time divided by the time 115200 baud 8N1 needs for the bytes that
# cross the line both ways. Goal: 1.05 or less.
#
#   bench/program_speed.sh [BIN_DIR] [MEMORY_CODE]
#
# BIN_DIR defaults to build/bin; MEMORY_CODE 4 (1 MB, about 95 s).
set -eu
bin=${1:-build/bin}
code=${2:-4}
work=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

. "$(dirname "$0")/full_image.sh"
full_image "$code" "$work/image.bin"
pages=$((size / page))

"$bin/liftvox-sim" --pace --memory "$code" --interface 1 > "$work/device" &
sim_pid=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do
  [ -s "$work/device" ] && break
  sleep 0.2
done
device=$(head -n 1 "$work/device")

start=$(date +%s.%N)
"$bin/liftvox-cli" program "$work/image.bin" --device "$device" --yes --max-retries 0
end=$(date +%s.%N)

# Per page: command, 'W', page number (2), page, sum (2); then the end byte.
awk -v s="$start" -v e="$end" -v pages="$pages" -v page="$page" 'BEGIN {
  bytes = pages * (page + 6) + 1
  line = bytes * 10 / 115200
  elapsed = e - s
  printf "pages %d of %d B, %d bytes on the line\n", pages, page, bytes
  printf "elapsed %.2f s, line time %.2f s, ratio %.4f\n", elapsed, line, elapsed / line
}'
