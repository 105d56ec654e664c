#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for FUZZ_SECONDS (default 60) with a per-input time limit of 5 s and 4 GB of memory.
# The seed corpus comes from examples/, tests/data/ and ../shared/corpus/ and lives in the build
# folder, where it grows from run to run. Inputs that crash, hang, leak or trip a sanitizer are
# saved under BUILD/fuzz/findings/; the script then exits 1 (keep each one in tests/data/fuzz/).
# FUZZ_ONLY=name runs that target alone.
# Usage: fuzz.sh [BUILD] (default build-fuzz).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-$(nproc)}
cd "$root"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARINE_FUZZ=ON \
  -DTESSARINE_BUILD_APP=OFF -DTESSARINE_BUILD_BENCH=OFF ${CMAKE_FLAGS:-} >/dev/null
cmake --build "$build" -j "$jobs" --target fuzz_targets

out="$build/fuzz"
mkdir -p "$out/findings" "$out/logs"

# Copies the files that `find` lists into a corpus folder, named by their content.
seed() {
  local dir=$1
  shift
  mkdir -p "$dir"
  { find "$@" -type f -print0 2>/dev/null || true; } | while IFS= read -r -d '' f; do
    cp -n "$f" "$dir/$(sha1sum <"$f" | cut -c1-40)"
  done
}
shared="$root/../shared/corpus"
seed "$out/corpus/rtf" examples tests/data "$shared" tests/data/fuzz/rtf \( -name '*.rtf' -o -name '*.doc' -o -path '*/fuzz/rtf/*' \)
seed "$out/corpus/reader" examples tests/data "$shared" tests/data/fuzz/reader \( -name '*.rtf' -o -name '*.doc' -o -path '*/fuzz/reader/*' \)
# The choice also reads its input as a page: the expected pages of tests/data seed that.
seed "$out/corpus/choice" examples tests/data "$shared" tests/data/fuzz/choice \( -name '*.rtf' -o -name '*.doc' -o -name '*.htm' -o -path '*/fuzz/choice/*' \)
seed "$out/corpus/text" examples tests/data tests/data/fuzz/text \( -name '*.txt' -o -path '*/fuzz/text/*' \)
# Pictures: the documents that hold metafiles and bitmaps, and the sample pictures each behind
# the byte that names its kind (a DDB also behind its layout).
mkdir -p "$out/corpus/pictures"
{ grep -rlE --include='*.rtf' 'wmetafile|emfblip|dibitmap|wbitmap' examples tests/data "$shared" 2>/dev/null || true; } |
  while IFS= read -r f; do cp -n "$f" "$out/corpus/pictures/$(sha1sum <"$f" | cut -c1-40)"; done
seed "$out/corpus/pictures" tests/data/fuzz/pictures -type f
for f in tests/data/pictures/*.wmf; do { printf '\0\0\0\0\0'; cat "$f"; } >"$out/corpus/pictures/$(basename "$f")"; done
for f in tests/data/pictures/*.emf; do { printf '\1\0\0\0\0'; cat "$f"; } >"$out/corpus/pictures/$(basename "$f")"; done
for f in tests/data/pictures/*.dib; do { printf '\2\0\0\0\0'; cat "$f"; } >"$out/corpus/pictures/$(basename "$f")"; done
for f in tests/data/pictures/*.ddb; do { printf '\3\4\2\1\2'; cat "$f"; } >"$out/corpus/pictures/$(basename "$f")"; done
seed "$out/corpus/settings" tests/data tests/data/fuzz/settings \( -name '*.ini' -o -path '*/fuzz/settings/*' \)
# The settings file as the program writes it with the start values.
printf '%s\r\n' 'This is ini-file for program "Tessarine v1.0"' '[Parameters]' marginright=10 fsizessl=8 \
  fontsize=10 fontname=Arial textindent=10 marginleft=10 umrazm=0 bgimage= 'bgcolor=#e0e0e0' titul= \
  fixed=false titulautor= 'colorssl=#a0522d' 'colorsl=#9f65c3' 'colorslssl=#dc143c' 'colorhr=#dc143c' rtfengine=auto \
  'end;' >"$out/corpus/settings/start-values"

status=0
passed=0
failed=0
# The automatic choice runs both readers: the words of both dictionaries.
cat fuzz/passes/rtf.dict fuzz/reader/reader.dict >"$out/choice.dict"

run() {
  local target=$1 corpus=$2 dict=$3 max_len=$4  # dict: a path
  local log="$out/logs/$target.log"
  if [ -n "${FUZZ_ONLY:-}" ] && [ "$FUZZ_ONLY" != "$target" ]; then return; fi
  echo "== $target: ${seconds} s"
  set +e
  "$out/$target" "$out/corpus/$corpus" -dict="$dict" -max_len="$max_len" -max_total_time="$seconds" \
    -timeout=5 -rss_limit_mb=4096 -artifact_prefix="$out/findings/$target-" -print_final_stats=1 \
    >"$log" 2>&1
  local rc=$?
  set -e
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  echo "   ${runs:-?} executions, corpus $(find "$out/corpus/$corpus" -type f | wc -l) files, exit $rc"
  if [ $rc -ne 0 ]; then
    grep -E 'ERROR|SUMMARY|Test unit written|==[0-9]+==' "$log" | head -20
    echo "   full log: $log"
    status=1
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
}
run convert_rtf_fuzzer rtf fuzz/passes/rtf.dict 16384
run read_rtf_fuzzer reader fuzz/reader/reader.dict 16384
run convert_rtf_document_fuzzer choice "$out/choice.dict" 16384
run draw_picture_fuzzer pictures fuzz/pictures/pictures.dict 65536
run convert_text_fuzzer text fuzz/text/text.dict 65536
run settings_file_fuzzer settings fuzz/settings/settings.dict 4096

if [ $status -ne 0 ]; then
  echo "findings in $out/findings/:"
  ls -1 "$out/findings"
fi
echo "fuzz: $passed passed, $failed failed"
exit $status
