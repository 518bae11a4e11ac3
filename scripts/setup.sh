#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Idempotent: it
# asks apt only for what is missing, and updates the package lists only then.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  clang libclang-rt-14-dev            # fuzzers and sanitizers
  clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libpixman-1-dev                     # the peer of the raster benchmarks
  libstb-dev                          # stb_image_resize, the peer of the scaling benchmark
  libexpat1-dev                       # expat, the peer of the XML reading benchmark
  zlib1g-dev libpng-dev
  x11proto-dev                        # the keysym header that the keysym tables come from
  locales-all                         # the tests switch between real locales
  libnss-wrapper                      # account look-ups against fake account files
  libx11-dev libxext-dev              # the X layer
  xvfb xfonts-base libxtst-dev openbox xclip xsel  # the X layer's tests: a private server, input, a window manager, clipboard peers
  libxdamage-dev x11-utils            # the run command's window picture (xdpyinfo asks whether a display answers)
  libfltk1.3-dev                      # the peer of the start-up benchmark (x11-utils brings the other, xmessage)
  libxfixes-dev util-linux            # the tool's own tests: seeing it paint and own the clipboard; setpriv
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  # apt's own progress shows: on a fresh machine this takes minutes.
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
