#!/usr/bin/env bash
# Makes the five interface sounds under data/files/Sounds/ with sox (Debian package sox): short,
# quiet tones, 22050 Hz, 16-bit mono PCM, each fading in and out so it starts and ends without a
# click. No dither, so the script always writes the same bytes. Only a person who changes a sound
# runs this; the build uses the committed files.
set -euo pipefail
out="$(dirname "$0")/../files/Sounds"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# tone FILE SECONDS FREQUENCY GAIN_DB: one sine tone, 2 ms fade-in, fading out over its second half.
tone() {
  sox -D -n -r 22050 -b 16 -c 1 "$1" synth "$2" sine "$3" fade q 0.002 "$2" "$(awk "BEGIN { print $2 / 2 }")" gain "$4"
}

# Pointer over a button: the faintest, shortest tick.
tone "$out/ButtonMove.wav" 0.025 2400 -30
# A button pressed: a short, slightly lower click.
tone "$out/ButtonClick.wav" 0.045 1400 -22
# A key pressed: a very short, soft low tick.
tone "$out/KeyDown.wav" 0.02 900 -28
# A window opens: two notes rising (E5, A5).
tone "$work/a.wav" 0.09 659.26 -20
tone "$work/b.wav" 0.16 880 -20
sox -D "$work/a.wav" "$work/b.wav" "$out/FormLoad.wav"
# A window closes: the same two notes falling.
tone "$work/a.wav" 0.09 880 -20
tone "$work/b.wav" 0.16 659.26 -20
sox -D "$work/a.wav" "$work/b.wav" "$out/FormUnload.wav"
