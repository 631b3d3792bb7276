#!/bin/sh
# Usage: ./run.sh [DIRECTORY]
#
# Installs the build tools that are missing (Debian's packages, through apt-get), builds quorvel
# in release mode and writes the tree listing of DIRECTORY, the current directory by default,
# with sizes and dates, to standard output. Everything else goes to standard error, so
# "./run.sh DIR > listing.txt" captures the listing alone.
set -eu

repo=$(cd "$(dirname "$0")" && pwd)
directory=${1:-.}

missing=""
command -v cmake >/dev/null 2>&1 || missing="$missing cmake"
command -v g++ >/dev/null 2>&1 || missing="$missing g++"
command -v ninja >/dev/null 2>&1 || missing="$missing ninja-build"

if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then
        as_root=""
    elif command -v sudo >/dev/null 2>&1; then
        as_root="sudo"
    else
        echo "run.sh: needs$missing; run it as root to install them" >&2
        exit 1
    fi
    echo "run.sh: installing$missing" >&2
    $as_root apt-get update >&2
    # shellcheck disable=SC2086 # one word per package
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y --no-install-recommends $missing >&2
fi

(cd "$repo" && cmake --preset release && cmake --build --preset release) >&2

exec "$repo/build/release/cli/quorvel" --tree --size --date "$directory"
