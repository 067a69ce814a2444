#!/usr/bin/env bash
# Builds the tests with gcc's coverage counters (preset coverage), runs them all, and reports
# the lines they run, file by file: of the module's folders and of the stand-in host. Fails
# when the tests fail or when a share of lines falls below its floor; the floors sit a little
# below today's figures, so a change that leaves code unrun is noticed without flaking.
# The reports stay in build/coverage/report/ (text, and HTML pages with the lines marked).
# Usage: scripts/coverage.sh [extra ctest arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

module_floor="${PL_COVERAGE_MODULE_FLOOR:-95}"
host_floor="${PL_COVERAGE_HOST_FLOOR:-93}"
jobs="${PL_JOBS:-$(nproc)}"

scripts/install-deps.sh native coverage
cmake --preset coverage
# Counters of an earlier build would clash with the new objects (the build runs plandor).
[ -d build/coverage ] && find build/coverage -name '*.gcda' -delete
cmake --build --preset coverage -j "$jobs"
find build/coverage -name '*.gcda' -delete
ctest --preset coverage -j "$jobs" "$@"

report=build/coverage/report
rm -rf "$report"
mkdir -p "$report"
# One pass over the counters; each share is then read from its result.
gcovr --root . --object-directory build/coverage --exclude-throw-branches \
  --filter 'app/' --filter 'common/' --filter 'lights/' --filter 'lightedit/' --filter 'reserved/' \
  --filter 'contextmenu/' --filter 'reactors/' --filter 'hostsim/' \
  --json "$report/all.json" >/dev/null

failed=0
share() {
  local name="$1" floor="$2"
  shift 2
  local filters=()
  for folder in "$@"; do filters+=(--filter "$folder/"); done
  echo
  echo "== Lines run by the tests: $name (floor $floor %)"
  if ! gcovr --root . --add-tracefile "$report/all.json" "${filters[@]}" --txt "$report/$name.txt" \
       --html-details "$report/$name.html" --print-summary --fail-under-line "$floor" >"$report/$name.summary"; then
    failed=1
    echo "coverage: $name is below its floor of $floor % of lines" >&2
  fi
  cat "$report/$name.txt"
  grep '^lines:' "$report/$name.summary"
}
share module "$module_floor" app common lights lightedit reserved contextmenu reactors
share stand-in "$host_floor" hostsim
exit "$failed"
