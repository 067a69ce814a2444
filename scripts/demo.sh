#!/usr/bin/env bash
# Builds plandor with the module and runs it on the bundled demo script.
# Usage: scripts/demo.sh [script]   (default: examples/demo.scr)
set -euo pipefail
cd "$(dirname "$0")/.."

script="${1:-examples/demo.scr}"
scripts/install-deps.sh native
cmake --preset default
# plandor loads the module, the light-entity module and the resource module by
# file name, so they are built with it.
cmake --build --preset default -j "${PL_JOBS:-$(nproc)}" --target plandor PlZuredUD PlSceneOE PlSceneRes
build/default/bin/plandor --script "$script"
