#!/usr/bin/env bash
# Builds dayweave and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/configure.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"
