#!/usr/bin/env bash
# Configures a build folder (default: build) once and builds it; later runs are incremental.
# The first configuration and every build show their progress; a configuration that only
# confirms an existing folder stays quiet.
# Usage: scripts/configure.sh BUILD_DIR [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

dir=${1:-build}
shift || true
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DDAYWEAVE_WERROR=ON)
if [ -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${extra[@]}" "$@" >/dev/null
else
  cmake -S . -B "$dir" "${extra[@]}" "$@"
fi
cmake --build "$dir" -j "$(nproc)"
