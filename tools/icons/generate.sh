#!/usr/bin/env bash
# Regenerates the embedded icons in apps/grantwell/resources/ from the SVG
# drawings in tools/icons/svg/. Each drawing is rendered at its pixel size by
# rsvg-convert; palette icons are then reduced by pngquant (no dithering, so the
# result is repeatable), and every file is rewritten by pngnorm.py into one
# canonical 8-bit form without metadata. Running it twice gives the same bytes.
#
# Needs: rsvg-convert (librsvg2-bin), pngquant, python3.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here/../../apps/grantwell/resources}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

for tool in rsvg-convert pngquant python3; do
  command -v "$tool" >/dev/null || { echo "generate.sh: $tool is missing (see tools/icons/README.md)" >&2; exit 1; }
done

# file name                     kind     pixels  options
icons=(
  "statusError@2x.png           palette  96"
  "statusWarning@2x.png         rgba     96"
  "statusInfo@2x.png            palette  96"
  "statusQuestion@2x.png        rgba     96"
  "infoframe_success@2x.png     palette  32"
  "infoframe_warning@2x.png     palette  32"
  "infoframe_error@2x.png       palette  32"
  "infoframe_locked@2x.png      palette  32"
  "infoframe_notify@2x.png      palette  32"
  "infoframe_preference@2x.png  palette  32"
  "infoframe_default@2x.png     palette  32"
  "accept@2x.png                palette  32"
  "deny@2x.png                  palette  32"
  "prompt@2x.png                palette  32"
  "entryup@2x.png               palette  32"
  "entrydown@2x.png             palette  32"
  "user@2x.png                  palette  32"
  "group@2x.png                 palette  32"
  "global@2x.png                palette  32"
  "guest@2x.png                 palette  32"
  "noguest@2x.png               palette  32"
  "grantwell16x16.png           palette  16  --binary-alpha"
  "grantwell48x48.png           palette  48  --binary-alpha"
)

mkdir -p "$out"
for row in "${icons[@]}"; do
  read -r file kind px opts <<<"$row"
  base="${file%.png}"
  svg="$here/svg/$base.svg"
  rsvg-convert --width "$px" --height "$px" --format png -o "$tmp/$base.rgba.png" "$svg"
  src="$tmp/$base.rgba.png"
  if [ "$kind" = palette ]; then
    pngquant --force --nofs --speed 1 --strip --output "$tmp/$base.pal.png" 256 -- "$src"
    src="$tmp/$base.pal.png"
  fi
  # shellcheck disable=SC2086  # opts is a list of flags or nothing
  python3 "$here/pngnorm.py" "$src" "$out/$file" --kind "$kind" --size "${px}x${px}" $opts
  echo "$file: $kind ${px}x${px}, $(stat -c %s "$out/$file") bytes"
done
