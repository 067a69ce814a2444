#!/usr/bin/env bash
# Checks what the scene-and-lighting module exports: the two entry points
# unmangled, plus only the names of its public surface; prints them all.
# For a Windows build it also checks that no program or DLL imports the
# compiler's runtime DLLs and that the resource module imports nothing.
# Usage: scripts/check-exports.sh <build dir>     (Linux or Windows build)
set -euo pipefail

build="${1:?usage: check-exports.sh <build dir>}"
bin="$build/bin"
module="$bin/PlZuredUD.vmx"
max_exports="${PL_MAX_EXPORTS:-200}"

# The public surface, as demangled names. A new exported class or function
# belongs here; anything else exported is an internal name that leaked.
public_classes='ZuredUDKMX|CPlAppDefaults|PlApHostIESFileNavParams|PlApHostDialogIESFileNav|JigUtil'
public_functions='getTurnOffDefaultLighting|DistantLightCheckBoxCallBack'
allowed="^(plrxEntryPoint|plrxGetApiVersion)\$|^(${public_classes})::|^(typeinfo for|typeinfo name for|vtable for) (${public_classes})\$|^(${public_functions})\\("
# Left by the sanitizers, or gcc's coverage counters, in an instrumented build.
tooling='^(__odr_asan|__asan_|___asan_|__gcov_|mangle_path$)'

fail=0
problem() { echo "check-exports: $*" >&2; fail=1; }

[ -f "$module" ] || { echo "check-exports: $module is missing (build it first)" >&2; exit 1; }

if [ "$(head -c 2 "$module")" = "MZ" ]; then
  system=windows
  objdump="${OBJDUMP:-x86_64-w64-mingw32-objdump}"
  command -v "$objdump" >/dev/null || { echo "check-exports: $objdump is missing" >&2; exit 1; }
  # Names of the export table: the lines after "[Ordinal/Name Pointer] Table".
  exports="$("$objdump" -p "$module" | awk '/\[Ordinal\/Name Pointer\] Table/ {t=1; next} t && /^[ \t]*\[ *[0-9]+\]/ {print $NF; next} t && NF==0 {t=0}')"
else
  system=linux
  exports="$(nm -D --defined-only "$module" | awk 'NF>=3 {print $3}')"
  # Weak instantiations of std templates over the host's (visible) types are
  # emitted with default visibility wherever they are used; they are not the
  # module's interface, and a Windows build does not export them.
  weak_std="$(nm -D --defined-only "$module" | awk 'NF>=3 && ($2=="W" || $2=="V") && $3 ~ /^_ZN(K)?St|^_ZNSt/ {print $3}')"
fi

demangle() { if command -v c++filt >/dev/null; then c++filt; else cat; fi; }
count=$(printf '%s\n' "$exports" | grep -c . || true)
echo "== $module ($system): $count exported names"
printf '%s\n' "$exports" | while read -r name; do
  [ -n "$name" ] && printf '  %-50s %s\n' "$name" "$(printf '%s\n' "$name" | demangle)"
done

for entry in plrxEntryPoint plrxGetApiVersion; do
  printf '%s\n' "$exports" | grep -qx "$entry" || problem "$entry is not exported unmangled"
done
[ "$count" -le "$max_exports" ] || problem "$count exported names (at most $max_exports): is the hidden default visibility lost?"
own="$(printf '%s\n' "$exports" | grep . | grep -Ev "$tooling" | grep -vxF -e "${weak_std:-}" || true)"
unexpected="$(printf '%s\n' "$own" | grep . | demangle | grep -Ev "$allowed" || true)"
if [ -n "$unexpected" ]; then
  problem "exported names outside the public surface (mark them hidden, or add them to the list in this script if they are meant to be public):"
  printf '%s\n' "$unexpected" | sed 's/^/    /' >&2
fi
if [ -n "${weak_std:-}" ]; then
  echo "== tolerated: $(printf '%s\n' "$weak_std" | grep -c .) weak std template instantiations (visible because their argument types are)"
fi

if [ "$system" = windows ]; then
  # Linked with -static, nothing may need the compiler's runtime DLLs.
  for file in "$bin"/*.exe "$bin"/*.dll "$bin"/*.vmx "$bin"/*.dbx; do
    [ -f "$file" ] || continue
    imports="$("$objdump" -p "$file" | awk '/DLL Name:/ {print $3}')"
    bad="$(printf '%s\n' "$imports" | grep -Ei '^(libstdc\+\+|libgcc|libwinpthread)' || true)"
    [ -z "$bad" ] || problem "$(basename "$file") imports the compiler runtime: $(echo $bad)"
  done
  res="$bin/PlSceneRes.dll"
  if [ -f "$res" ]; then
    res_imports="$("$objdump" -p "$res" | awk '/DLL Name:/ {print $3}')"
    [ -z "$res_imports" ] || problem "PlSceneRes.dll must be resource-only but imports: $(echo $res_imports)"
  else
    problem "$res is missing"
  fi
  echo "== imports of $(basename "$module"): $("$objdump" -p "$module" | awk '/DLL Name:/ {printf "%s ", $3}')"
fi

if [ "$fail" -ne 0 ]; then
  echo "check-exports: FAILED" >&2
  exit 1
fi
echo "check-exports: ok ($system, $count exported names)"
