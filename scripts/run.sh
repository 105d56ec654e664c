#!/usr/bin/env bash
# Opens the window when there is a display; otherwise converts the bundled examples with
# tessarine-convert and prints the pages it wrote.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$build/bin/tessarine" ]; then
  exec "$build/bin/tessarine"
fi
shopt -s nullglob
examples=("$root"/examples/*.rtf "$root"/examples/*.txt)
if [ ${#examples[@]} -eq 0 ]; then
  echo "no examples to convert" >&2
  exit 0
fi
"$build/bin/tessarine-convert" "${examples[@]}"
