#!/usr/bin/env bash
# build.sh DIR [cmake options…]: configure and build one tree.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"; shift
cmake -S "$root" -B "$root/$dir" "$@" >/dev/null
cmake --build "$root/$dir" -j "$(nproc)"
