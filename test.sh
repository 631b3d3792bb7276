#!/bin/bash
# Builds everything and runs every test: natively, and the Windows build under Wine.
# Installs what is missing first (as root, with apt-get). Usage: ./test.sh
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ googletest python3 util-linux tzdata mingw-w64 wine wine64 xvfb xauth)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== installing: ${missing[*]}"
  [ "$(id -u)" = 0 ] || { echo "run as root (or with sudo) to install: ${missing[*]}" >&2; exit 1; }
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

jobs=$(nproc)
echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
ctest --preset native

echo "== Windows builds (x86_64 tested under Wine, i686 compiled)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$jobs"
cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686 -j"$jobs"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# One display and one wineserver for the whole run: Wine's start-up would dominate otherwise.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -e
  [ -f "${WINEPREFIX:-$HOME/.wine}/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
  wineserver -p
  trap "wineserver -k || true" EXIT
  ctest --preset windows
'
