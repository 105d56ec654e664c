#!/usr/bin/env bash
# Runs the Google Benchmark cases and the whole-program timings:
#  1. every benchmark, then the 1 -> 16 MB scaling of every worst-case shape;
#  2. tessarine-convert on every worst-case shape at 1 and 16 MB and on a 100 MB document:
#     time, MB/s and peak memory;
#  3. the same large inputs through the other converters that are installed (unrtf, pandoc,
#     LibreOffice; scripts/install-bench-deps.sh installs them), with MB/s and the ratio to ours.
# Usage: bench.sh [BUILD]. BENCH_QUICK=1 skips the 100 MB document and LibreOffice.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
data="$build/bench-data"
mkdir -p "$data"

if [ -x "$bin/tessarine_bench" ]; then
  "$bin/tessarine_bench" --benchmark_min_time=0.2 --benchmark_out="$data/benchmarks.csv" --benchmark_out_format=csv
  echo
  echo "Scaling from 1 to 16 MB (time per byte at 16 MB / at 1 MB; 1.0 is linear):"
  # CSV: name,iterations,real_time,cpu_time,time_unit,bytes_per_second,...,label,...
  awk -F, '/WorstCase\/(1|16)\// {
      split($1, part, "/"); size = part[2]; label = $(NF-2); gsub(/"/, "", label)
      key = part[1] "/" label; cpu[key, size] = $4; keys[key] = 1 }
    END { for (k in keys) if (cpu[k, 1] > 0 && cpu[k, 16] > 0)
            printf "  %-42s %8.2f ms  %9.2f ms  x%.2f\n", k, cpu[k, 1], cpu[k, 16], cpu[k, 16] / cpu[k, 1] / 16 }' \
    "$data/benchmarks.csv" | sort
fi

convert="$bin/tessarine-convert"
make_document="$bin/tessarine-make-document"
[ -x "$convert" ] && [ -x "$make_document" ] || exit 0

# Runs a command under /usr/bin/time; prints "cpu_seconds peak_kb" (user + system time).
measure() {
  local stats="$data/time.out"
  if ! /usr/bin/time -f '%U %S %M' -o "$stats" "$@" >/dev/null 2>"$data/stderr.out"; then
    echo "failed"
    return
  fi
  awk '{ printf "%.2f %d\n", $1 + $2, $3 }' "$stats"
}
mbs() { awk -v b="$1" -v s="$2" 'BEGIN { if (s <= 0) s = 0.005; printf "%.1f", b / 1048576 / s }'; }

echo
echo "Whole program, worst-case shapes (CPU seconds, MB/s, peak memory / input size):"
printf '  %-26s %6s %8s %8s %9s %7s\n' shape MB seconds 'MB/s' 'peak MB' 'x input'
for shape in $("$make_document" list); do
  for mb in 1 16; do
    file="$data/$shape-$mb.rtf"
    [ -f "$file" ] || "$make_document" "$shape" $((mb * 1048576)) "$file"
    bytes=$(stat -c %s "$file")
    read -r seconds peak < <(measure "$convert" -q -o "$data/out.htm" "$file")
    printf '  %-26s %6s %8s %8s %9.1f %7.1f\n' "$shape" "$mb" "$seconds" "$(mbs "$bytes" "$seconds")" \
      "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "$(awk -v k="$peak" -v b="$bytes" 'BEGIN { print k * 1024 / b }')"
  done
done

# The corpus documents, copied to a temporary folder (nothing is written beside the corpus),
# converted in one call: best wall-clock seconds of three runs.
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -d "$root/../shared/corpus" ]; then
  work=$(mktemp -d "${TMPDIR:-/tmp}/tessarine-bench.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  corpus=$(cd "$root/../shared/corpus" && pwd)
  while IFS= read -r -d '' f; do
    rel=${f#"$corpus"/}
    cp "$f" "$work/${rel//\//__}"
  done < <(find "$corpus" -type f \( -iname '*.rtf' -o -iname '*.txt' -o -iname '*.doc' \) -print0)
  mapfile -t inputs < <(find "$work" -type f ! -name '*.htm')
  if [ ${#inputs[@]} -gt 0 ]; then
    total=0
    for f in "${inputs[@]}"; do total=$((total + $(stat -c %s "$f"))); done
    best=""
    for _ in 1 2 3; do
      start=$(date +%s.%N)
      "$convert" -q "${inputs[@]}" >/dev/null 2>&1 || true  # refused files are timed as well
      end=$(date +%s.%N)
      t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }')
      if [ -z "$best" ] || awk -v t="$t" -v b="$best" 'BEGIN { exit !(t < b) }'; then best=$t; fi
    done
    echo
    printf 'Whole program, the %d corpus documents in one call: %.2f MB in %s s, %s MB/s\n' \
      "${#inputs[@]}" "$(awk -v n="$total" 'BEGIN { print n / 1048576 }')" "$best" "$(mbs "$total" "$best")"
  fi
fi
