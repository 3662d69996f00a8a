#!/usr/bin/env bash
# Configures a build folder (default: build) once and builds it; later runs are incremental.
# Usage: scripts/configure.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

dir=${1:-build}
shift || true
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DDAYWEAVE_WERROR=ON)
cmake -S . -B "$dir" "${extra[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
