#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need,
# when any is missing. Safe to run again: it installs nothing when all are there.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev zlib1g-dev libfreetype-dev
  qt6-base-dev libgl-dev
  libcli11-dev nlohmann-json3-dev
  fonts-wqy-microhei
  xvfb xauth
  libx11-dev libxi-dev xdotool x11-xkb-utils
  libsystemd-dev dbus-daemon
  help2man desktop-file-utils appstream lintian dpkg-dev
  clang libclang-rt-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "setup: these Debian packages are missing: ${missing[*]}" >&2
  echo "setup: install them as root (apt-get install ${missing[*]}) and run again." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
