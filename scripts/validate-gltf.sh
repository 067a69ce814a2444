#!/usr/bin/env bash
# Checks plandor's glTF export with the Khronos glTF validator (npm gltf-validator, the version
# pinned in scripts/gltf-validator/): the demo drawing and examples/export.scr (every kind of
# light, entity and option, in millimetres under lux and in feet under foot-candles), each
# as .gltf and as .glb. Fails on any error or warning; infos are shown.
# Usage: scripts/validate-gltf.sh [build dir]   (default build/default; plandor built there)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/default}"
plandor="$build/bin/plandor"
[ -x "$plandor" ] || { echo "validate-gltf: no $plandor; build it first (scripts/test.sh)" >&2; exit 2; }
command -v node >/dev/null && command -v npm >/dev/null ||
  { echo "validate-gltf: node and npm are needed (they come with the machine)" >&2; exit 2; }

# The validator, installed once into the build folder from the pinned lock file.
tools="$build/gltf-validator"
if ! cmp -s scripts/gltf-validator/package-lock.json "$tools/package-lock.json" ||
   [ ! -f "$tools/node_modules/gltf-validator/package.json" ]; then
  mkdir -p "$tools"
  cp scripts/gltf-validator/package.json scripts/gltf-validator/package-lock.json "$tools/"
  (cd "$tools" && npm ci --no-audit --no-fund --loglevel=error)
fi

out="$build/gltf-export"
rm -rf "$out"
mkdir -p "$out"
export_drawing() {  # name script [plandor options...]
  local name="$1" script="$2"
  shift 2
  for form in gltf glb; do
    "$plandor" --script "$script" --export "$out/$name.$form" "$@" >"$out/$name.$form.log" ||
      { cat "$out/$name.$form.log" >&2; echo "validate-gltf: plandor failed on $script" >&2; exit 1; }
  done
}
export_drawing demo examples/demo.scr
export_drawing export examples/export.scr
export_drawing export-feet examples/export.scr --set INSUNITS=2 --set LIGHTINGUNITS=1
ls -l "$out"
NODE_PATH="$tools/node_modules" node scripts/gltf-validator/validate.cjs "$out"/*.gltf "$out"/*.glb
