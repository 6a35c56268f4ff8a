#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine (run as root).
# Idempotent: packages already present are not fetched again.
set -euo pipefail

packages=(
    cmake g++ make python3 git
    googletest libgtest-dev
    clang libclang-rt-14-dev clang-format
    mingw-w64 g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64
    wine64 wine32:i386 xvfb x11-apps imagemagick fonts-ipafont-gothic
    util-linux locales
)

# The shipped SETUP.EXE is a 32-bit program: Wine runs it with its 32-bit loader
# (/usr/lib/wine/wine, package wine32 of the i386 architecture).
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup-machine: adding the i386 architecture (for wine32:i386)"
    dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup-machine: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/tmp/aofude-apt.log 2>&1 ||
        { tail -20 /tmp/aofude-apt.log; exit 1; }
fi
echo "setup-machine: all packages present"
