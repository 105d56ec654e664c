#!/usr/bin/env bash
# Runs the Google Benchmark cases and the whole-program timings.
set -euo pipefail
build=${1:-build}
if [ -x "$build/bench/tessarine_bench" ]; then
  "$build/bench/tessarine_bench" --benchmark_min_time=0.2
fi
