#!/bin/sh
# Installs the Debian packages that make run, make test, make bench,
# make fuzz, make windows and make package need on a bare Debian 12
# (tools/fresh_check.sh proves it). As root it installs what is missing;
# otherwise it prints the command.
set -eu

# Recommends stay off, so what a tool only recommends is named here: SDL's
# message box on X draws with the X core fonts (xfonts-base), which Xvfb only
# recommends. The Debian package's library dependencies are found by
# dpkg-shlibdeps (dpkg-dev), which CPack runs only where `file` is there.
# 32-bit Wine (wine32:i386, after dpkg --add-architecture i386) is left out:
# 157 packages more, 150 MB and about 160 s to install, for a Wine that
# cannot start where the kernel runs no 32-bit programs, as on our machines.
# The 32-bit Windows program is built; the smoke test runs it where 32-bit
# Wine is there. The web build's compiler is Debian's emscripten, whose
# optimizer needs node-acorn; its browser test drives Debian's chromium
# through chromium-driver with python3-selenium.
packages="g++ cmake ninja-build make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libpng-dev zlib1g-dev \
libsdl2-dev libimgui-dev console-setup-linux clang libclang-rt-14-dev xvfb xfonts-base xdotool x11-apps x11-utils \
imagemagick time \
g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
wine wine64 dpkg-dev file desktop-file-utils unzip \
emscripten node-acorn chromium chromium-driver python3-selenium"

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y$missing" >&2
  exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing
