#!/usr/bin/env bash
# Takes the README's pictures of the real window under a virtual X server (Xvfb):
# docs/window-html.png (a converted Cyrillic document in the Html pane) and
# docs/window-rtf.png (a Cyrillic RTF document formatted in the RTF pane) and
# docs/settings-dialog.png (the settings dialog after a first start);
# docs/window-libreoffice-rtf.png and docs/window-libreoffice-html.png (a LibreOffice document in
# the RTF pane, and its page, made the model way, in the Html pane) and
# docs/page-libreoffice.png (that page in a browser, headless Chromium, when it is installed).
# Usage: scripts/screenshot.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
cd "$root"
bash scripts/install-deps.sh --screenshot
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j 2 --target tessarine-screenshot
mkdir -p docs

display=":$((200 + $$ % 500))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
app_pid=""
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# shot NAME TITLE COMMAND...: starts COMMAND, waits for its window titled TITLE, saves it.
shot() {
  local name=$1 title=$2
  shift 2
  "$@" 2>/dev/null &
  app_pid=$!
  local info=""
  for _ in $(seq 300); do
    info=$(xwininfo -name "$title" 2>/dev/null) && break
    sleep 0.1
  done
  [ -n "$info" ] || { echo "no window \"$title\"" >&2; exit 1; }
  sleep 1  # let it paint
  local x y w h
  x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  w=$(awk '/Width:/ {print $2}' <<<"$info")
  h=$(awk '/Height:/ {print $2}' <<<"$info")
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "docs/$name.png"
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
  echo "docs/$name.png"
}

shot window-html "Tessarine v1.1" "$build/bin/tessarine-screenshot" window examples/river.txt html
shot window-rtf "Tessarine v1.1" "$build/bin/tessarine-screenshot" window examples/letter.rtf rtf
shot settings-dialog "Предварительные установки преобразования RTF в Html" "$build/bin/tessarine-screenshot" settings
libreoffice=tests/data/writers/lo-fodt/garden_ru.rtf
shot window-libreoffice-rtf "Tessarine v1.1" "$build/bin/tessarine-screenshot" window "$libreoffice" rtf
shot window-libreoffice-html "Tessarine v1.1" "$build/bin/tessarine-screenshot" window "$libreoffice" html
if command -v chromium >/dev/null; then
  page=$(mktemp -d)
  cmake --build "$build" -j 2 --target tessarine-convert >/dev/null
  "$build/bin/tessarine-convert" -q -o "$page/garden_ru.htm" "$libreoffice"
  chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$page/profile" --hide-scrollbars \
    --window-size=900,1300 --screenshot="$root/docs/page-libreoffice.png" "file://$page/garden_ru.htm" >/dev/null 2>&1
  rm -rf "$page"
  echo docs/page-libreoffice.png
fi
