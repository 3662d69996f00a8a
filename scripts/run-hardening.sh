#!/usr/bin/env bash
# The hardening checks that CI runs after the ordinary and sanitized suites:
#   1. every unit-test binary of build/ once under valgrind's memcheck (no errors, nothing
#      definitely or indirectly lost); dayweave_calendar_exhaustive, which walks every day and
#      month of the years 100 to 9999, is left to the ordinary, sanitized and assertion suites,
#      since under memcheck it would take minutes;
#   2. the whole suite built and run with the standard library's assertions
#      (-D_GLIBCXX_ASSERTIONS) in build-assert;
#   3. every fuzz harness for FUZZ_SECONDS (default 30) with a fixed seed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh valgrind

echo "== unit tests under valgrind memcheck"
bash scripts/configure.sh build >/dev/null
for binary in $(find build -maxdepth 3 -type f -name '*_tests' -perm -u+x | sort); do
  echo "-- $binary"
  valgrind --quiet --error-exitcode=99 --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect "$binary" --gtest_brief=1
done

echo "== unit tests with standard library assertions"
bash scripts/configure.sh build-assert -DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS >/dev/null
ctest --test-dir build-assert --output-on-failure -j "$(nproc)" | tail -n 3

echo "== fuzz harnesses"
bash scripts/run-fuzz.sh "${FUZZ_SECONDS:-30}"
