#!/usr/bin/env bash
# Makes the RTF documents of real writers that the reader tests read: every source document of
# tests/data/writers/sources/ through every writer below, into tests/data/writers/<writer>/<name>.rtf.
# Run it by hand when a source changes; the tests read the committed RTF files and need none of
# these programs. Writers whose package does not install are left out with a message.
#
#   lo-fodt    LibreOffice Writer (headless) from the flat ODF document <name>.fodt
#   lo-docx    LibreOffice Writer from the .docx it first makes of <name>.fodt
#   lo-html    LibreOffice Writer from the HTML page <name>.html
#   abiword    AbiWord from the .odt LibreOffice makes of <name>.fodt (its HTML import keeps
#              neither footnotes nor comments)
#   pandoc     pandoc from the Markdown text <name>.md
#   swing      Swing's RTF editor kit (scripts/writers/SwingRtf.java) from <name>.html
#   latex2rtf  latex2rtf from the LaTeX text <name>.tex, where there is one
#   enscript   GNU enscript from the plain text <name>.txt, where there is one
#
# The sources hold their pictures (bench.png, timber.jpg, made here with ImageMagick when missing)
# as "@@file@@", replaced by the file's base64 text in a working copy before a writer reads them.
# Usage: scripts/make-writer-documents.sh [writer...]   (default: all of them)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
data="$root/tests/data/writers"
sources="$data/sources"
all_writers=(lo-fodt lo-docx lo-html abiword pandoc swing latex2rtf enscript)
writers=("$@")
if [ ${#writers[@]} -eq 0 ]; then writers=("${all_writers[@]}"); fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

install() {
  local missing=()
  for p in "$@"; do installed "$p" || missing+=("$p"); done
  if [ ${#missing[@]} -eq 0 ]; then return 0; fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
    echo "could not install ${missing[*]}" >&2
}

install libreoffice-writer-nogui abiword pandoc imagemagick
command -v python3 >/dev/null || install python3
install latex2rtf enscript || true

# The pictures: a 64 × 48 PNG and an 80 × 60 JPEG at 96 dpi, so 48 × 36 pt and 60 × 45 pt.
if [ ! -f "$sources/bench.png" ]; then
  convert -size 64x48 xc:'#f4e8c8' -fill '#8b5a2b' -draw 'rectangle 8,20 56,26' \
    -draw 'rectangle 12,26 16,42' -draw 'rectangle 48,26 52,42' -units PixelsPerInch -density 96 \
    -define png:exclude-chunks=date,time,tEXt,zTXt,gAMA,cHRM,bKGD PNG24:"$sources/bench.png"
fi
if [ ! -f "$sources/timber.jpg" ]; then
  convert -size 80x60 gradient:'#c89858-#6b4423' -fill '#3b2413' -draw 'rectangle 10,10 70,18' \
    -draw 'rectangle 10,26 70,34' -draw 'rectangle 10,42 70,50' -units PixelsPerInch -density 96 \
    -strip -quality 80 "$sources/timber.jpg"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home"  # LibreOffice and AbiWord keep their profiles there, not in the user's
mkdir -p "$HOME"

# Copies the sources into the working folder with every "@@file@@" replaced by the file's base64.
python3 - "$sources" "$work/src" <<'EOF'
import base64, os, re, shutil, sys
source, target = sys.argv[1], sys.argv[2]
os.makedirs(target)
for name in sorted(os.listdir(source)):
    path = os.path.join(source, name)
    if name.endswith((".fodt", ".html")):
        text = open(path, encoding="utf-8").read()
        text = re.sub(r"@@([\w.]+)@@",
                      lambda m: base64.b64encode(open(os.path.join(source, m.group(1)), "rb").read()).decode(), text)
        open(os.path.join(target, name), "w", encoding="utf-8").write(text)
    else:
        shutil.copy(path, target)
EOF
src="$work/src"
cd "$src"
names=()
for f in *.fodt; do names+=("${f%.fodt}"); done

soffice_convert() {  # FORMAT OUTDIR [--infilter=...] FILE...
  local format="$1" outdir="$2"
  shift 2
  soffice --headless --norestore --convert-to "$format" --outdir "$outdir" "$@" >/dev/null 2>&1
}

# Writes $1's output files (in $work/$1) to tests/data/writers/$1/, replacing what was there.
keep() {
  local writer="$1"
  rm -rf "${data:?}/$writer"
  mkdir -p "$data/$writer"
  for f in "$work/$writer"/*.rtf; do
    if [ -f "$f" ]; then cp "$f" "$data/$writer/"; fi
  done
  echo "$writer: $(ls "$data/$writer" | wc -l) documents"
}

for writer in "${writers[@]}"; do
  out="$work/$writer"
  mkdir -p "$out"
  case "$writer" in
    lo-fodt)
      soffice_convert 'rtf:Rich Text Format' "$out" "${names[@]/%/.fodt}"
      ;;
    lo-docx)
      soffice_convert 'docx:MS Word 2007 XML' "$work/docx" "${names[@]/%/.fodt}"
      soffice_convert 'rtf:Rich Text Format' "$out" "$work/docx"/*.docx
      ;;
    lo-html)
      soffice_convert 'rtf:Rich Text Format' "$out" --infilter='HTML (StarWriter)' "${names[@]/%/.html}"
      ;;
    abiword)
      soffice_convert odt "$work/odt" "${names[@]/%/.fodt}"
      for n in "${names[@]}"; do
        timeout 120 abiword --to=rtf --to-name="$out/$n.rtf" "$work/odt/$n.odt" >/dev/null 2>&1 ||
          echo "abiword failed on $n" >&2
      done
      ;;
    pandoc)
      for n in "${names[@]}"; do
        pandoc -s -f markdown -t rtf --resource-path="$src" -o "$out/$n.rtf" "$n.md"
      done
      ;;
    swing)
      for n in "${names[@]}"; do
        java "$root/scripts/writers/SwingRtf.java" "$n.html" "$out/$n.rtf"
      done
      ;;
    latex2rtf)
      command -v latex2rtf >/dev/null || { echo "latex2rtf is not installed" >&2; continue; }
      for f in *.tex; do
        [ -f "$f" ] || continue
        latex2rtf -o "$out/${f%.tex}.rtf" "$f" >/dev/null 2>&1 || echo "latex2rtf failed on $f" >&2
      done
      ;;
    enscript)
      command -v enscript >/dev/null || { echo "enscript is not installed" >&2; continue; }
      for f in *.txt; do
        [ -f "$f" ] || continue
        enscript -q -w rtf -o "$out/${f%.txt}.rtf" "$f" || echo "enscript failed on $f" >&2
      done
      ;;
    *)
      echo "unknown writer $writer (known: ${all_writers[*]})" >&2
      exit 2
      ;;
  esac
  keep "$writer"
done

# Each document stays small: the tests and the fuzz seeds read them all.
find "$data" -name '*.rtf' -size +200k -exec echo "over 200 KB: {}" \; >&2
