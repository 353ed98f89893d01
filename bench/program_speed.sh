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

case $code in
  0|1|2|3|4) page=256 ;;
  5|6) page=512 ;;
  7) page=1024 ;;
  *) echo "memory code 0..7" >&2; exit 2 ;;
esac
size=$((65536 << code))
pages=$((size / page))

# A full image: random bytes, a header whose parameter block is page 1 with
# interface 1, and the memory code in place of the last byte (file rule for a
# full image).
head -c $((size - 1)) /dev/urandom > "$work/image.bin"
printf '\001\000' | dd of="$work/image.bin" bs=1 seek=0 conv=notrunc 2>/dev/null
# An empty directory: random entries would point anywhere, and such an image is
# refused before the port is opened.
printf '\377\377' | dd of="$work/image.bin" bs=1 seek=4 conv=notrunc 2>/dev/null
printf '\044\000\000\000\001' | dd of="$work/image.bin" bs=1 seek=$page conv=notrunc 2>/dev/null
printf "\\$(printf '%03o' "$code")" >> "$work/image.bin"

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
