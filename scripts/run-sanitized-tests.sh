#!/usr/bin/env bash
# Builds dayweave and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-san and runs every test; any report stops the test that made it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/configure.sh build-san -DDAYWEAVE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir build-san --output-on-failure -j "$(nproc)"
