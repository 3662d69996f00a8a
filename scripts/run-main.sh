#!/usr/bin/env bash
# Builds dayweave and runs its main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/configure.sh build >/dev/null
exec ./build/examples/dayweave_tour "$@"
