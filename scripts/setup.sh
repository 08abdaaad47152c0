#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, and fetches
# giflib's Debian source package for the MinGW cross build. Safe to run again:
# every step checks first and does nothing when its work is already done.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
third=${QUILLMERE_THIRD_PARTY:-$root/build/third_party}

packages=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev libgif-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine fonts-comic-neue xvfb xdotool imagemagick zip
  dpkg-dev clang-format clang libclang-rt-14-dev
  fp-utils
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

srcList=/etc/apt/sources.list.d/quillmere-deb-src.sources
need_update=0
if [ ! -f "$srcList" ]; then
  # A deb-src twin of the machine's own Debian entry, so that the source
  # package comes from the same mirror and suites as the binaries.
  base=/etc/apt/sources.list.d/debian.sources
  if [ -f "$base" ]; then
    sed -e 's/^Types:.*/Types: deb-src/' "$base" | "${sudo_cmd[@]}" tee "$srcList" >/dev/null
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' \
      | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/quillmere-deb-src.list >/dev/null
    "${sudo_cmd[@]}" touch "$srcList"
  fi
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  echo "setup: installing ${missing[*]:-(source index only)}"
  "${sudo_cmd[@]}" apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi

# giflib's sources for the cross build live under the build tree, never in git.
if ! ls -d "$third"/giflib-*/ >/dev/null 2>&1; then
  mkdir -p "$third"
  (cd "$third" && apt-get source -qq giflib >/dev/null 2>&1 || apt-get source giflib)
fi
gifdir=$(ls -d "$third"/giflib-*/ | head -n1)
ln -sfn "${gifdir%/}" "$third/giflib"
echo "setup: ready (giflib sources in $third/giflib)"
