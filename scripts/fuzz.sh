#!/usr/bin/env bash
# Builds the fuzz targets (preset fuzz: clang, libFuzzer, AddressSanitizer and UBSan) and
# runs each for a number of seconds, starting from its seed corpus in tests/fuzz/corpus/.
# Fails when a target finds an input that crashes it, leaks, hangs or trips a sanitizer; the
# input is kept in build/fuzz/findings/<target>/. New inputs found go to build/fuzz/corpus/,
# never into the seed corpus.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target...]   (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
[ $# -gt 0 ] && shift
case "$seconds" in ''|*[!0-9]*) echo "fuzz.sh: seconds must be a whole number, not '$seconds'" >&2; exit 2 ;; esac

scripts/install-deps.sh fuzz
cmake --preset fuzz
cmake --build --preset fuzz -j "${PL_JOBS:-$(nproc)}"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
shopt -s nullglob
programs=(build/fuzz/bin/fuzz_*)
[ ${#programs[@]} -gt 0 ] || { echo "fuzz.sh: no fuzz targets were built" >&2; exit 1; }

failed=()
ran=0
for program in "${programs[@]}"; do
  name="${program##*/fuzz_}"
  if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then continue; fi
  seeds="tests/fuzz/corpus/$name"
  [ -d "$seeds" ] || { echo "fuzz.sh: $name has no seed corpus in $seeds" >&2; exit 1; }
  work="build/fuzz/corpus/$name"
  findings="build/fuzz/findings/$name"
  mkdir -p "$work" "$findings"
  args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1
        -artifact_prefix="$findings/")
  [ -f "tests/fuzz/$name.dict" ] && args+=(-dict="tests/fuzz/$name.dict")
  log="build/fuzz/$name.log"
  echo "== fuzz_$name for $seconds s (its output: $log)"
  ran=$((ran + 1))
  if "$program" "${args[@]}" "$work" "$seeds" </dev/null >"$log" 2>&1; then
    grep -E '^(Done|stat::)' "$log" || true
  else
    failed+=("$name")
    tail -n 80 "$log" >&2
    echo "fuzz.sh: fuzz_$name found a fault; the input is in $findings/" >&2
  fi
done

[ "$ran" -gt 0 ] || { echo "fuzz.sh: no fuzz target is called $*" >&2; exit 2; }
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: FAILED: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz.sh: $ran targets ran $seconds s each without a finding"
