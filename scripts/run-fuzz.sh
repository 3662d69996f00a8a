#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang in build-fuzz and runs each one.
# Usage: scripts/run-fuzz.sh [SECONDS_EACH] [HARNESS...]
#   SECONDS_EACH defaults to 30; the seed is fixed so a run is repeatable. New inputs go to a
#   scratch folder; the corpus kept in fuzz/corpus/ is only read. A finding is written to
#   build-fuzz/findings/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
bash scripts/deps.sh clang libclang-rt-14-dev
CXX=clang++ cmake -S . -B build-fuzz -DDAYWEAVE_BUILD_FUZZERS=ON -DDAYWEAVE_BUILD_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" >/dev/null

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for source in fuzz/*_fuzz.cpp; do harnesses+=("$(basename "$source" .cpp)"); done
fi
mkdir -p build-fuzz/findings
for harness in "${harnesses[@]}"; do
  name=${harness%_fuzz}
  scratch=$(mktemp -d)
  dict=()
  [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
  echo "== fuzzing $name for ${seconds}s"
  status=0
  ./build-fuzz/fuzz/"$harness" -seed=1 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/"$name"- "${dict[@]}" "$scratch" "fuzz/corpus/$name" \
    >build-fuzz/"$name".log 2>&1 || status=$?
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==[0-9]+==|SUMMARY)' \
    build-fuzz/"$name".log || true
  rm -rf "$scratch"
  if [ "$status" -ne 0 ]; then
    echo "dayweave: fuzz harness $name found a fault (see build-fuzz/findings/)" >&2
    exit 1
  fi
done
