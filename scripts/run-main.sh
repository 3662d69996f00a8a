#!/usr/bin/env bash
# Builds dayweave and runs its main job: the dayweave agent's tour of the bundled sample
# calendar (arguments, if any, go to the agent: scripts/run-main.sh free FILE WHEN 30).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The build's progress goes to standard error, so that standard output is the agent's alone.
bash scripts/configure.sh build >&2
exec ./build/agent/dayweave "$@"
