#!/usr/bin/env bash
# Builds the benchmarks in Release mode (build-bench) and runs them: the library's questions
# beside libical, then the agent's slot search, then the KQML service under load. Arguments
# are passed to Google Benchmark (for instance --benchmark_filter=OccursOn or
# --benchmark_repetitions=5), not to the service's load program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh libical-dev pkg-config
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DDAYWEAVE_BUILD_BENCHMARKS=ON \
  -DDAYWEAVE_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" >/dev/null
./build-bench/bench/dayweave_benchmarks "$@"
./build-bench/agent/dayweave_agent_benchmark "$@"
./build-bench/agent/dayweave_serve_benchmark
