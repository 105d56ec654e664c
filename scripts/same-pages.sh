#!/usr/bin/env bash
# Checks that a refactor changed no page: converts a fixed set of inputs with two builds of
# tessarine-convert and compares the pages byte for byte.
#   scripts/same-pages.sh OLD_CONVERT NEW_CONVERT [EXTRA_ARGS...]
# Inputs: ../shared/corpus, tests/data, examples/, every generated shape of bench/ at 64 KB, and
# mutated copies of the corpus documents (cut at a third and at two thirds, every 97th byte
# flipped, then every 53rd byte left out). EXTRA_ARGS go to both converters (for example "--engine passes").
set -euo pipefail
old=$1
new=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in"

n=0
add() {  # add FILE NAME: copies one input
  n=$((n + 1))
  cp "$1" "$work/in/$(printf '%05d' $n)-$2"
}
shopt -s nullglob globstar
for f in "$root"/../shared/corpus/**/*.rtf "$root"/tests/data/**/*.rtf "$root"/tests/data/**/*.txt \
         "$root"/examples/*.rtf "$root"/examples/*.txt; do
  add "$f" "$(basename "$f")"
done
maker="$(dirname "$new")/tessarine-make-document"
if [ -x "$maker" ]; then
  for shape in $("$maker" list); do
    "$maker" "$shape" 65536 "$work/shape.rtf"
    add "$work/shape.rtf" "$shape.rtf"
  done
fi
for f in "$root"/../shared/corpus/**/*.rtf; do
  size=$(stat -c %s "$f")
  head -c $((size / 3)) "$f" >"$work/cut.rtf" && add "$work/cut.rtf" "third-$(basename "$f")"
  head -c $((size * 2 / 3)) "$f" >"$work/cut.rtf" && add "$work/cut.rtf" "twothirds-$(basename "$f")"
  python3 - "$f" "$work/cut.rtf" <<'EOF'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
for i in range(10, len(data), 97):
    data[i] ^= 0x20
open(sys.argv[2], 'wb').write(bytes(data))
del data[10::53]
open(sys.argv[2] + '.2', 'wb').write(bytes(data))
EOF
  add "$work/cut.rtf" "flipped-$(basename "$f")"
  add "$work/cut.rtf.2" "thinned-$(basename "$f")"
done

differ=0
for f in "$work"/in/*; do
  from=rtf
  case "$f" in *.txt) from=txt ;; esac
  # A refused document writes no page: then both must refuse it.
  old_rc=0 new_rc=0
  "$old" -q --from "$from" "$@" -o "$work/old.htm" "$f" >/dev/null 2>&1 || old_rc=$?
  "$new" -q --from "$from" "$@" -o "$work/new.htm" "$f" >/dev/null 2>&1 || new_rc=$?
  touch "$work/old.htm" "$work/new.htm"
  if [ "$old_rc" != "$new_rc" ] || ! cmp -s "$work/old.htm" "$work/new.htm"; then
    echo "differs: $(basename "$f")"
    differ=$((differ + 1))
  fi
  rm -f "$work/old.htm" "$work/new.htm"
done
echo "$n inputs, $differ pages differ"
[ "$differ" -eq 0 ]
