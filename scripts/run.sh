#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the simulated mouse.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ -x "$root/build/shell/zelko77" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run: no display; start it on a virtual one with: xvfb-run scripts/run.sh" >&2
    echo "run: or take pictures of every page: build/shell/zelko77 --simulate --screenshot shots/" >&2
    exit 1
  fi
  exec "$root/build/shell/zelko77" --simulate "$@"
fi
echo "run: the window is not built yet; showing the simulated mouse with zelko77ctl --simulate info"
exec "$root/build/cli/zelko77ctl" --simulate info "$@"
