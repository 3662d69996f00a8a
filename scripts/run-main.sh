#!/usr/bin/env bash
# Builds dayweave and runs its main job: the dayweave agent's tour of the bundled sample
# calendar (arguments, if any, go to the agent: scripts/run-main.sh free FILE WHEN 30).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/configure.sh build >/dev/null
exec ./build/agent/dayweave "$@"
