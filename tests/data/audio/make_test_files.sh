#!/usr/bin/env bash
# Makes the small sound files the audio tests read: the same 1 kHz tone in every
# WAV coding the reader must handle, plus FLAC and Ogg files for the converter.
# Run once by hand (needs sox and ffmpeg); the results are committed so the
# tests need neither tool.
set -euo pipefail
cd "$(dirname "$0")"

ffmpeg_quiet=(ffmpeg -hide_banner -loglevel error -y)

# The reference: 0.2 s of a 1 kHz tone at half scale, 16-bit mono, 14456 Hz.
sox -n -r 14456 -b 16 -c 1 -t wavpcm s16_mono.wav synth 0.2 sine 1000 vol 0.5
# Stored plainly, as 8 bits, and with more bits than the announcer uses.
sox -D s16_mono.wav -b 8 -e unsigned-integer -t wavpcm u8_mono.wav
sox -D s16_mono.wav -b 24 -t wavpcm s24_mono.wav
sox -D s16_mono.wav -b 32 -t wavpcm s32_mono.wav
sox -D s16_mono.wav -b 32 -e floating-point -t wavpcm f32_mono.wav
# Extensible format records: 24-bit, and 16-bit PCM in three channels.
"${ffmpeg_quiet[@]}" -i s16_mono.wav -c:a pcm_s24le s24_extensible.wav
sox -D s16_mono.wav -c 3 s16_3ch_extensible.wav
# Companded and compressed codings.
sox -D s16_mono.wav -e u-law -t wavpcm ulaw.wav
"${ffmpeg_quiet[@]}" -i s16_mono.wav -c:a pcm_alaw alaw.wav
"${ffmpeg_quiet[@]}" -i s16_mono.wav -c:a adpcm_ima_wav ima_adpcm.wav
sox -D s16_mono.wav -e ms-adpcm ms_adpcm.wav
sox -D s16_mono.wav -r 8000 -e gsm-full-rate gsm.wav
# MPEG Layer-3 inside a WAV file, which the reader refuses.
"${ffmpeg_quiet[@]}" -i s16_mono.wav -c:a libmp3lame -b:a 32k -f wav mp3.wav

# For the converter: 0.3 s of a 1 kHz tone, 44.1 kHz stereo, in other containers.
sox -n -r 44100 -b 16 -c 2 stereo_44k.flac synth 0.3 sine 1000 vol 0.5
sox stereo_44k.flac stereo_44k.ogg
