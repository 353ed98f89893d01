#!/bin/sh
# Loads a configuration at the maxima, 256 sequences of 4094 samples that all
# name one recording, and prints how long each program takes:
#  - liftvox-cli check (read, measure, list the problems); goal: under 3 s;
#  - liftvox --screenshot, off screen: read the file twice (once to pick the
#    memory size the picture shows, once in the window), draw the window and
#    save the picture; an upper bound of the time before the window answers.
#
#   bench/load_maxima.sh [BIN_DIR]
#
# BIN_DIR defaults to build/bin.
set -eu
bin=${1:-build/bin}
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# Half a second of 8-bit mono sound at 14456 Hz.
frames=7228
le32() { printf "\\$(printf '%03o' $(($1 & 255)))\\$(printf '%03o' $(($1 >> 8 & 255)))"
         printf "\\$(printf '%03o' $(($1 >> 16 & 255)))\\$(printf '%03o' $(($1 >> 24 & 255)))"; }
mkdir "$work/Zvuky"
{
  printf 'RIFF'; le32 $((36 + frames)); printf 'WAVEfmt '; le32 16
  printf '\001\000\001\000'; le32 14456; le32 14456; printf '\001\000\010\000'
  printf 'data'; le32 $frames
  head -c $frames /dev/zero | tr '\000' '\200'
} > "$work/Zvuky/a.wav"

# The recording by its full path, which both programs find whatever folder
# they resolve relative paths against.
awk -v wave="$work/Zvuky/a.wav" 'BEGIN {
  printf "[/GENERAL]\r\nID=Elevator player configuration file\r\nVersion=2.00\r\n\r\n"
  printf "[/DIL]\r\nDIL=0,CZ.BMP\r\n\r\n"
  for (s = 0; s < 256; s++) {
    printf "[%d]\r\nCode=%d\r\nName=Patro %d\r\nFloor=1\r\nRepeat=255\r\n", s, s, s
    for (j = 0; j < 4094; j++)
      printf "File%d=%s\r\nDIL%d=0\r\nSamples%d=7228\r\nSilence%d=0\r\n", j, wave, j, j, j
    printf "\r\n"
  }
}' > "$work/max.cfg"
echo "max.cfg: $(wc -c < "$work/max.cfg") bytes, 256 x 4094 samples of one recording"

# Wall-clock time, and the processor time the program took (user + system):
# on a busy machine the first grows with the load, the second hardly.
seconds() (
  start=$(date +%s.%N)
  "$@" > "$work/out.txt" 2>&1 || { echo "failed: $*"; cat "$work/out.txt"; exit 1; }
  end=$(date +%s.%N)
  times > "$work/times.txt"  # not in a pipe, whose subshell has no children of its own
  awk -v s="$start" -v e="$end" 'NR == 2 {
    split($1, user, /[ms]/); split($2, kernel, /[ms]/)
    printf "%.2f s (processor %.2f s)", e - s, 60 * (user[1] + kernel[1]) + user[2] + kernel[2]
  }' "$work/times.txt"
)

echo "liftvox-cli check: $(seconds "$bin/liftvox-cli" --language English check "$work/max.cfg")"
echo "liftvox --screenshot: $(seconds "$bin/liftvox" --screenshot "$work/window.png" "$work/max.cfg")"
