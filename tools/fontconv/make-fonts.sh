#!/usr/bin/env bash
# Builds the converter and regenerates the two embedded fonts from Debian's
# Liberation Sans (fonts-liberation2), with DejaVu Sans (fonts-dejavu-core) for
# the characters Liberation lacks. Needs libfreetype-dev and zlib1g-dev.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../../apps/grantwell/resources}
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -o "$bin/fontconv" "$here/fontconv.cpp" \
  $(pkg-config --cflags --libs freetype2) -lz

lib=/usr/share/fonts/truetype/liberation2
dv=/usr/share/fonts/truetype/dejavu
common=80,100,180,200,280,300,380,1e00,1e80,2000,2080,2100,2200
# Line height 15: 13-pixel em with the baseline 12 pixels down leaves three
# rows for descenders.
mkdir -p "$out"
"$bin/fontconv" --quotes-from-comma "$out/helv15.gz" 15 13 12 "$common,400,480,500,ff80" \
  "$lib/LiberationSans-Regular.ttf" "$dv/DejaVuSans.ttf"
"$bin/fontconv" "$out/helvB15.gz" 15 13 12 "$common" \
  "$lib/LiberationSans-Bold.ttf" "$dv/DejaVuSans-Bold.ttf"
