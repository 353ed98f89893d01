#!/usr/bin/env bash
# Makes the speech sample the ADPCM tests measure against: a short announcement
# spoken by espeak-ng, converted by sox to the announcer's format (mono, 8-bit
# unsigned, 14456 Hz). Run once by hand; the result is committed.
set -euo pipefail
cd "$(dirname "$0")"
spoken=$(mktemp --suffix=.wav)
trap 'rm -f "$spoken"' EXIT
espeak-ng -v en -s 160 -w "$spoken" "Third floor. Doors opening. Going up."
sox "$spoken" -r 14456 -c 1 -b 8 -e unsigned-integer -t wavpcm speech_u8_14456.wav
