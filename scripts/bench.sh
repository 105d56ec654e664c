#!/usr/bin/env bash
# Runs the Google Benchmark cases and the whole-program timings.
set -euo pipefail
build=${1:-build}
# Programs are built into $build/bin.
if [ -x "$build/bin/tessarine_bench" ]; then
  "$build/bin/tessarine_bench" --benchmark_min_time=0.2
fi
