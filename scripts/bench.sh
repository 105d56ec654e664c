#!/usr/bin/env bash
# Runs the Google Benchmark cases and the whole-program timings:
#  1. every benchmark, then the 1 -> 16 MB scaling of every worst-case shape;
#  2. tessarine-convert on every worst-case shape at 1, 16 and 100 MB, with --engine auto (the
#     default) and --engine model: CPU time, MB/s and peak memory (the 100 MB documents are
#     deleted after their run);
#  2b. tessarine-convert with each --engine (passes, model, auto) on a Word-style and a
#     LibreOffice-style document of 16 MB;
#  2c. tessarine-convert (auto and model) on a document of 200 metafile pictures, which must
#     take under a second;
#  3. an ordinary document of 16 and 100 MB through tessarine-convert and through the other
#     converters that are installed (unrtf, pandoc, LibreOffice's headless HTML export;
#     scripts/install-bench-deps.sh installs them), with MB/s, peak memory and how many times
#     faster ours is. pandoc and LibreOffice take only the 16 MB document: pandoc needs about
#     350 bytes of memory per input byte;
#  4. a batch of 16 documents with -j 1 and with one job per core;
#  5. the corpus documents in one call;
#  6. the structured reader as a whole program (tessarine-read-document) on a Word-style and a
#     LibreOffice-style document of 16 and 100 MB and on every worst-case shape at 1 and 16 MB.
#  0. first, the speed targets, each figure measured in this run against its target (best of
#     three runs, whole program: wall-clock and CPU seconds, peak memory): unrtf's time over
#     ours on the 16 MB Word-style document (auto, passes, model), auto over the model way on
#     the 16 MB LibreOffice-style one, the model way over the structured reader alone on both,
#     peak memory over the input, and every worst-case shape at 16 MB against 1 MB (16 times
#     the input in at most 18 times the time) with each way of reading.
# Usage: bench.sh [BUILD]. BENCH_QUICK=1 skips the 100 MB documents and LibreOffice;
# BENCH_TARGETS=1 runs only the targets.
set -euo pipefail
build=${1:-build}
bin="$build/bin"
data="$build/bench-data"
mkdir -p "$data"

convert="$bin/tessarine-convert"
make_document="$bin/tessarine-make-document"
read_document="$bin/tessarine-read-document"

# Writes the generated document SHAPE of MB megabytes (once) and prints its path.
document() {
  local file="$data/$1-$2.rtf"
  [ -f "$file" ] || "$make_document" "$1" $(($2 * 1048576)) "$file"
  echo "$file"
}

# Runs a command three times; prints "wall cpu peak_kb": the best wall-clock and CPU seconds
# (user + system time of every thread, to the millisecond) and the largest peak memory, or
# "failed".
best_of_three() {
  local wall cpu user sys peak best_wall="" best_cpu="" best_peak=0 TIMEFORMAT='%3R %3U %3S'
  for _ in 1 2 3; do
    if ! { time /usr/bin/time -f '%M' -o "$data/peak.out" "$@" >/dev/null 2>"$data/stderr.out"; } \
        2>"$data/times.out"; then
      echo failed
      return
    fi
    read -r wall user sys <"$data/times.out"
    cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
    peak=$(tail -n 1 "$data/peak.out")
    if [ -z "$best_wall" ] || awk -v a="$wall" -v b="$best_wall" 'BEGIN { exit !(a < b) }'; then best_wall=$wall; fi
    if [ -z "$best_cpu" ] || awk -v a="$cpu" -v b="$best_cpu" 'BEGIN { exit !(a < b) }'; then best_cpu=$cpu; fi
    [ "$peak" -le "$best_peak" ] || best_peak=$peak
  done
  echo "$best_wall $best_cpu $best_peak"
}

# Prints one target line: WHAT, the FIGURE, the comparison (">=" or "<=") and the TARGET, with
# "met" or "MISSED".
target() {
  local what=$1 figure=$2 compare=$3 goal=$4 verdict
  verdict=$(awk -v f="$figure" -v g="$goal" -v c="$compare" \
    'BEGIN { ok = (c == ">=") ? (f >= g) : (f <= g); print ok ? "met" : "MISSED" }')
  printf '  %-58s %7.2f  (target %s %s)  %s\n' "$what" "$figure" "$compare" "$goal" "$verdict"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) b = 0.001; printf "%.3f", a / b }'; }

# The speed targets, every figure from this run. Each converter writes its page to standard
# output (/dev/null), as unrtf does: a page saved as a file is flushed to the disk first, which
# the disk's speed decides (shown once, for the passes).
targets() {
  local word lo input wall cpu peak
  echo "Speed targets (whole program, best of three; wall-clock and CPU seconds, peak MB; pages to"
  echo "standard output, as unrtf writes them):"
  word=$(document word_document 16)
  lo=$(document libreoffice_document 16)
  declare -A w c p
  for doc in word lo; do
    for engine in auto passes model; do
      [ "$doc" = word ] || [ "$engine" != passes ] || continue
      read -r wall cpu peak < <(best_of_three "$convert" -q --engine "$engine" -o - "${!doc}")
      w[$doc.$engine]=$wall c[$doc.$engine]=$cpu p[$doc.$engine]=$peak
      printf '  %-26s %8s s wall %8s s CPU %9.1f MB\n' "$doc 16 MB $engine" "$wall" "$cpu" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
    done
    if [ -x "$read_document" ]; then
      read -r wall cpu peak < <(best_of_three "$read_document" "${!doc}")
      w[$doc.read]=$wall c[$doc.read]=$cpu
      printf '  %-26s %8s s wall %8s s CPU %9.1f MB\n' "$doc 16 MB reader alone" "$wall" "$cpu" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
    fi
  done
  read -r wall cpu peak < <(best_of_three "$convert" -q --engine passes -o "$data/out.htm" "$word")
  printf '  %-26s %8s s wall %8s s CPU %9.1f MB\n' "word 16 MB passes, to a file" "$wall" "$cpu" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
  if command -v unrtf >/dev/null; then
    read -r wall cpu peak < <(best_of_three unrtf --html "$word")
    w[word.unrtf]=$wall
    printf '  %-26s %8s s wall %8s s CPU %9.1f MB\n' "word 16 MB unrtf" "$wall" "$cpu" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')"
    target "Word-style 16 MB: unrtf's time over auto's" "$(ratio "${w[word.unrtf]}" "${w[word.auto]}")" ">=" 25
    target "Word-style 16 MB: unrtf's time over the passes'" "$(ratio "${w[word.unrtf]}" "${w[word.passes]}")" ">=" 27
    target "Word-style 16 MB: unrtf's time over the model way's" "$(ratio "${w[word.unrtf]}" "${w[word.model]}")" ">=" 60
  else
    echo "  (unrtf is not installed: make bench-deps)"
  fi
  target "LibreOffice-style 16 MB: auto's time over the model way's" "$(ratio "${w[lo.auto]}" "${w[lo.model]}")" "<=" 1.5
  for doc in word lo; do
    [ -n "${w[$doc.read]:-}" ] || continue
    target "$doc 16 MB: the model way's time over the reader alone" "$(ratio "${w[$doc.model]}" "${w[$doc.read]}")" "<=" 1.3
  done
  for doc in word lo; do
    input=$(stat -c %s "${!doc}")
    target "$doc 16 MB: the model way's peak memory over the input" "$(ratio $((p[$doc.model] * 1024)) "$input")" "<=" 2.5
    target "$doc 16 MB: auto's peak memory over the input" "$(ratio $((p[$doc.auto] * 1024)) "$input")" "<=" 4
  done
  echo "  Worst-case shapes, CPU seconds at 1 and 16 MB and their ratio (target <= 18):"
  local missed=() small large shape engine
  for shape in $("$make_document" list); do
    local line
    line=$(printf '    %-26s' "$shape")
    for engine in auto passes model; do
      read -r _ small _ < <(best_of_three "$convert" -q --engine "$engine" -o - "$(document "$shape" 1)")
      read -r _ large _ < <(best_of_three "$convert" -q --engine "$engine" -o - "$(document "$shape" 16)")
      local r
      r=$(ratio "$large" "$small")
      line+=$(printf ' %-6s %6s %6s x%-6.1f' "$engine" "$small" "$large" "$r")
      if awk -v r="$r" 'BEGIN { exit !(r > 18) }'; then missed+=("$shape ($engine x$r)"); fi
    done
    echo "$line"
  done
  if [ ${#missed[@]} -eq 0 ]; then
    echo "  Every worst-case shape linear: met"
  else
    echo "  Worst-case shapes not linear: MISSED: ${missed[*]}"
  fi
}

if [ -x "$convert" ] && [ -x "$make_document" ]; then
  targets
  echo
fi
[ -z "${BENCH_TARGETS:-}" ] || exit 0

if [ -x "$bin/tessarine_bench" ]; then
  "$bin/tessarine_bench" --benchmark_min_time=0.2 --benchmark_out="$data/benchmarks.csv" --benchmark_out_format=csv
  echo
  echo "Scaling from 1 to 16 MB (time per byte at 16 MB / at 1 MB; 1.0 is linear):"
  # CSV: name,iterations,real_time,cpu_time,time_unit,bytes_per_second,...,label,...
  awk -F, '/WorstCase\/(1|16)\// {
      gsub(/"/, "", $1); split($1, part, "/"); size = part[2]; label = $(NF-2); gsub(/"/, "", label)
      key = part[1] "/" label; cpu[key, size] = $4; keys[key] = 1 }
    END { for (k in keys) if (cpu[k, 1] > 0 && cpu[k, 16] > 0)
            printf "  %-42s %8.2f ms  %9.2f ms  x%.2f\n", k, cpu[k, 1], cpu[k, 16], cpu[k, 16] / cpu[k, 1] / 16 }' \
    "$data/benchmarks.csv" | sort
fi

[ -x "$convert" ] && [ -x "$make_document" ] || exit 0

# Runs a command under /usr/bin/time; prints "cpu_seconds peak_kb wall_seconds" (CPU seconds are
# user + system time of every thread).
measure() {
  local stats="$data/time.out"
  if ! /usr/bin/time -f '%U %S %M %e' -o "$stats" "$@" >/dev/null 2>"$data/stderr.out"; then
    echo "failed"
    return
  fi
  awk '{ printf "%.2f %d %.2f\n", $1 + $2, $3, $4 }' "$stats"
}
mbs() { awk -v b="$1" -v s="$2" 'BEGIN { if (s <= 0) s = 0.005; printf "%.1f", b / 1048576 / s }'; }

sizes="1 16 100"
[ -z "${BENCH_QUICK:-}" ] || sizes="1 16"

# Prints one row of a whole-program table: NAME MB FILE SECONDS PEAK_KB [RATIO].
row() {
  local name=$1 mb=$2 file=$3 seconds=$4 peak=$5 ratio=${6:-}
  if [ "$seconds" = failed ]; then
    printf '  %-26s %6s %8s\n' "$name" "$mb" failed
    return
  fi
  local bytes
  bytes=$(stat -c %s "$file")
  printf '  %-26s %6s %8s %8s %9.1f %7.1f %s\n' "$name" "$mb" "$seconds" "$(mbs "$bytes" "$seconds")" \
    "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "$(awk -v k="$peak" -v b="$bytes" 'BEGIN { print k * 1024 / b }')" \
    "$ratio"
}

for engine in auto model; do
  echo
  echo "Whole program --engine $engine, worst-case shapes (CPU seconds, MB/s, peak memory / input size):"
  printf '  %-26s %6s %8s %8s %9s %7s\n' shape MB seconds 'MB/s' 'peak MB' 'x input'
  for shape in $("$make_document" list); do
    for mb in $sizes; do
      file=$(document "$shape" "$mb")
      read -r seconds peak _ < <(measure "$convert" -q --engine "$engine" -o "$data/out.htm" "$file")
      row "$shape" "$mb" "$file" "$seconds" "$peak"
      [ "$mb" -lt 100 ] || [ "$engine" != model ] || rm -f "$file"
    done
  done
done

echo
echo "Whole program, 200 metafile pictures (formulas as WMF, drawings as EMF), drawn into the page;"
echo "each way must take under a second (wall clock):"
printf '  %-26s %6s %8s %8s %9s %7s %s\n' document MB seconds 'MB/s' 'peak MB' 'x input' 'wall s'
pictures_file="$data/metafile-pictures.rtf"
[ -f "$pictures_file" ] || "$make_document" metafile_pictures 200 "$pictures_file"
pictures_mb=$(awk -v b="$(stat -c %s "$pictures_file")" 'BEGIN { printf "%.1f", b / 1048576 }')
for engine in auto model; do
  read -r seconds peak wall < <(measure "$convert" -q --engine "$engine" -o "$data/out.htm" "$pictures_file")
  verdict=$(awk -v w="${wall:-9}" 'BEGIN { print (w < 1 ? "" : "  OVER A SECOND") }')
  row "200 pictures $engine" "$pictures_mb" "$pictures_file" "$seconds" "$peak" "$wall$verdict"
done

echo
echo "Whole program by way of reading, documents of two writers (CPU seconds, MB/s, peak memory;"
echo "auto reads on two threads, so its wall-clock seconds and MB/s follow in the last columns):"
printf '  %-26s %6s %8s %8s %9s %7s %s\n' document MB seconds 'MB/s' 'peak MB' 'x input' 'wall s, MB/s'
for shape in word_document libreoffice_document; do
  file=$(document "$shape" 16)
  for engine in passes model auto; do
    read -r seconds peak wall < <(measure "$convert" -q --engine "$engine" -o "$data/out.htm" "$file")
    [ "$seconds" = failed ] || wall="$wall $(mbs "$(stat -c %s "$file")" "$wall")"
    row "$shape $engine" 16 "$file" "$seconds" "$peak" "$wall"
  done
done

# The other converters, each as "NAME LARGEST_MB": the largest document it is given.
others=()
command -v unrtf >/dev/null && others+=("unrtf 100")
command -v pandoc >/dev/null && others+=("pandoc 16")
[ -n "${BENCH_QUICK:-}" ] || ! command -v soffice >/dev/null || others+=("libreoffice 16")

# Sets `cmd` to the command line that converts FILE to HTML with the converter NAME.
command_for() {
  local name=$1 file=$2
  case "$name" in
    tessarine) cmd=("$convert" -q -o "$data/out.htm" "$file") ;;
    unrtf) cmd=(unrtf --html "$file") ;;
    pandoc) cmd=(pandoc -f rtf -t html -o "$data/out.pandoc.html" "$file") ;;
    libreoffice)
      cmd=(soffice --headless --norestore "-env:UserInstallation=file://$(realpath "$data")/lo-profile"
        --convert-to html --outdir "$data/lo" "$file") ;;
  esac
}

echo
echo "Whole program, an ordinary document (Russian paragraphs, formatted runs, tables, lists);"
echo "the last column is how many times faster tessarine-convert is on the same document:"
printf '  %-26s %6s %8s %8s %9s %7s %s\n' converter MB seconds 'MB/s' 'peak MB' 'x input' 'ours faster'
# LibreOffice sets up its profile on the first run: not part of the timing.
if [[ " ${others[*]} " == *" libreoffice "* ]]; then
  command_for libreoffice "$(document run_of_letters 1)"
  "${cmd[@]}" >/dev/null 2>&1 || true
fi
for mb in $sizes; do
  [ "$mb" -gt 1 ] || continue
  file=$(document ordinary_document "$mb")
  for engine in passes model; do
    read -r seconds peak _ < <(measure "$convert" -q --engine "$engine" -o "$data/out.htm" "$file")
    row "tessarine-convert $engine" "$mb" "$file" "$seconds" "$peak"
  done
  command_for tessarine "$file"
  read -r ours ours_peak _ < <(measure "${cmd[@]}")
  row "tessarine-convert auto" "$mb" "$file" "$ours" "$ours_peak"
  for other in "${others[@]}"; do
    read -r name largest <<<"$other"
    [ "$mb" -le "$largest" ] || continue
    command_for "$name" "$file"
    read -r seconds peak _ < <(measure "${cmd[@]}")
    ratio=""
    [ "$seconds" = failed ] || ratio=$(awk -v t="$seconds" -v o="$ours" 'BEGIN { if (o <= 0) o = 0.005; printf "x%.1f", t / o }')
    row "$name" "$mb" "$file" "$seconds" "$peak" "$ratio"
  done
  [ "$mb" -lt 100 ] || rm -f "$file"
done

# A batch of 16 ordinary 4 MB documents on one thread and on every core (wall-clock seconds).
batch="$data/batch"
mkdir -p "$batch"
for i in $(seq -w 1 16); do cp "$(document ordinary_document 4)" "$batch/document-$i.rtf"; done
echo
echo "Whole program, a batch of 16 ordinary 4 MB documents (wall-clock seconds):"
for jobs in 1 "$(nproc)"; do
  /usr/bin/time -f '%e' -o "$data/time.out" "$convert" -q -j "$jobs" "$batch"/*.rtf
  printf '  -j %-3s %6.2f s %8s MB/s\n' "$jobs" "$(cat "$data/time.out")" "$(mbs $((64 * 1048576)) "$(cat "$data/time.out")")"
done
rm -rf "$batch"

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

# The structured reader on its own: CPU seconds, MB/s and peak memory of tessarine-read-document
# (reading the file included).
if [ -x "$read_document" ]; then
  echo
  echo "Whole program, the structured reader (tessarine-read-document):"
  printf '  %-26s %6s %8s %8s %9s %7s\n' document MB seconds 'MB/s' 'peak MB' 'x input'
  for shape in word_document libreoffice_document; do
    for mb in $sizes; do
      [ "$mb" -gt 1 ] || continue
      file=$(document "$shape" "$mb")
      read -r seconds peak _ < <(measure "$read_document" "$file")
      row "$shape" "$mb" "$file" "$seconds" "$peak"
      [ "$mb" -lt 100 ] || rm -f "$file"
    done
  done
  for shape in $("$make_document" list); do
    for mb in 1 16; do
      file=$(document "$shape" "$mb")
      read -r seconds peak _ < <(measure "$read_document" "$file")
      row "$shape" "$mb" "$file" "$seconds" "$peak"
    done
  done
fi
