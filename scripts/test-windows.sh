#!/usr/bin/env bash
# test-windows.sh [DIR]: cross-builds the Qt-free core, zelko77ctl.exe and
# their tests for 64-bit Windows with mingw-w64, and runs the tests under
# Wine (headless, in a Wine prefix of the build folder's own). Installs what
# is missing first. DIR defaults to build-windows.
#
# Exit 3 (and a line saying why) when the packages cannot be installed; any
# other failure is the build's or the tests'.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/${1:-build-windows}"

PACKAGES=(g++-mingw-w64-x86-64-posix wine64 wine libgtest-dev libgmock-dev cmake make
          libcli11-dev nlohmann-json3-dev)
missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "test-windows: installing ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
  elif command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
  else
    echo "test-windows: cannot install ${missing[*]}: not root and no sudo" >&2
    exit 3
  fi
  export DEBIAN_FRONTEND=noninteractive
  if ! { "${SUDO[@]}" apt-get update -qq &&
         "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
    echo "test-windows: apt-get could not install ${missing[*]}" >&2
    exit 3
  fi
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# -O2 as the Linux tree: GCC 12's -O3 warns falsely (-Wrestrict) inside
# std::string, which -Werror would turn into a failed build.
cmake --no-warn-unused-cli -S "$root" -B "$dir" --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
  -DZELKO_BUILD_GUI=OFF -DZELKO_WARNINGS_AS_ERRORS=ON "${launcher[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"

# A fresh Wine prefix for every run (its registry holds what the tests
# wrote), made before the tests start Wine side by side. No display: Wine
# shows nothing, and offers no Mono or Gecko installer.
export WINEPREFIX="$dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
rm -rf "$WINEPREFIX"
wine wineboot --init >/dev/null 2>&1 || true
wineserver --wait || true
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
