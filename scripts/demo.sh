#!/usr/bin/env bash
# Builds plandor with the module and runs it on the bundled demo script; the build also
# draws the demo drawing (build/default/demo/plan.svg).
# Usage: scripts/demo.sh [script]   (default: examples/demo.scr)
set -euo pipefail
cd "$(dirname "$0")/.."

script="${1:-examples/demo.scr}"
scripts/install-deps.sh native
cmake --preset default
# plandor loads the module, the light-entity module and the resource module by
# file name, so they are built with it.
cmake --build --preset default -j "${PL_JOBS:-$(nproc)}" --target plandor PlZuredUD PlSceneOE PlSceneRes demo_plan
build/default/bin/plandor --script "$script"
echo "The demo drawing in plan and front elevation: build/default/demo/plan.svg"
