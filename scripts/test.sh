#!/usr/bin/env bash
# Builds and runs the tests of one preset: default (native, the usual one),
# asan (native with AddressSanitizer and UBSan) or windows (MinGW-w64 cross
# build, export check, tests under wine).
# Usage: scripts/test.sh [default|asan|windows] [extra ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-default}"
[ $# -gt 0 ] && shift
jobs="${PL_JOBS:-$(nproc)}"

case "$preset" in
  default|asan) scripts/install-deps.sh native ;;
  windows) scripts/install-deps.sh windows ;;
  *) echo "test.sh: unknown preset '$preset' (default, asan or windows)" >&2; exit 2 ;;
esac

cmake --preset "$preset"
cmake --build --preset "$preset" -j "$jobs"
if [ "$preset" = windows ]; then
  scripts/check-exports.sh build/windows
  exec scripts/windows-test.sh build/windows "$@"
fi
ctest --preset "$preset" -j "$jobs" "$@"
