#!/usr/bin/env bash
# Runs the Windows build's tests under wine, headless.
# Usage: scripts/windows-test.sh [build dir] [extra ctest arguments]
#
# The wine prefix lives in the build folder and is created once, before any
# test runs, so parallel tests never race to create it. Wine's server is
# started persistently: otherwise it holds the callers' output pipes open and
# ctest waits on them.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build/windows}"
[ $# -gt 0 ] && shift
[ -f "$build/CTestTestfile.cmake" ] || { echo "windows-test.sh: $build is not a configured build folder" >&2; exit 2; }
command -v wine >/dev/null || { echo "windows-test.sh: wine is missing (scripts/install-deps.sh windows)" >&2; exit 2; }

export WINEPREFIX="$(cd "$build" && pwd)/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all,err+module   # keeps missing-DLL errors visible
export WINEDLLOVERRIDES="mscoree=;mshtml="
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "windows-test.sh: creating the wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 </dev/null
  wineserver -w
fi

wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine cmd /c ver >/dev/null 2>&1 </dev/null   # starts the services once, output discarded

ctest --test-dir "$build" --output-on-failure --no-tests=error -j "${PL_JOBS:-$(nproc)}" "$@" </dev/null
