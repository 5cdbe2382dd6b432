#!/bin/sh
# Write the spoken field prompts and the voice-navigation announcements to data/prompts/
# with espeak-ng.
# espeak-ng already writes 22050 Hz mono 16-bit PCM, which is what we ship.
set -eu

out="$(cd "$(dirname "$0")/.." && pwd)/data/prompts"
mkdir -p "$out"

say() {
    espeak-ng -v en -w "$out/$1.wav" "$2"
}

say Call "Call"
say Country "Country"
say Points "Points"
say Prefix "Prefix"
say RstRcvd "Report received"
say RstSnt "Report sent"
say SerNum "Serial number"
say Dupe "Dupe"
say NavEn "Voice navigation enabled"
say NavDis "Voice navigation disabled"
