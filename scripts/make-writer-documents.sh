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
#   enscript   GNU enscript from the plain text <name>.txt, and with its highlighting from the
#              code <name>.py, where there is one
#   openjade   OpenJade with the DocBook DSSSL print style sheet, from the DocBook 4 document
#              pandoc makes of <name>.md
#   fop        Apache FOP from the XSL-FO that xsltproc and the DocBook XSL style sheets make of
#              that DocBook document
#   pygments   Pygments' RTF formatter (pygmentize) on the code <name>.py
#   highlight  highlight --out-format=rtf on the code <name>.py (told it is UTF-8)
#   rtf-writer-perl  the Perl library RTF::Writer, driven by scripts/writers/rtf_writer.pl,
#              which writes the garden document
#   wvrtf      wvRTF (wv) from the Word 97 .doc LibreOffice makes of the English <name>.fodt (now
#              and then it crashes, writing nothing; run it again)
#   html-to-rtf  the npm module html-to-rtf (pinned in scripts/writers/package.json, installed
#              into the working folder) from the HTML page <name>.html
#
# The sources hold their pictures (bench.png, timber.jpg, made here with ImageMagick when missing)
# as "@@file@@", replaced by the file's base64 text in a working copy before a writer reads them.
# Usage: scripts/make-writer-documents.sh [writer...]   (default: all of them)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
data="$root/tests/data/writers"
sources="$data/sources"
all_writers=(lo-fodt lo-docx lo-html abiword pandoc swing latex2rtf enscript openjade fop pygments highlight
  rtf-writer-perl wvrtf html-to-rtf)
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
install openjade docbook-dsssl docbook-xml docbook-xsl xsltproc fop python3-pygments highlight \
  librtf-writer-perl wv || true
command -v npm >/dev/null || install npm || true

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

# The DocBook 4 documents pandoc makes of the Markdown texts, for openjade and fop.
docbook() {
  if [ -d "$work/docbook" ]; then return 0; fi
  mkdir -p "$work/docbook"
  for n in "${names[@]}"; do pandoc -s -f markdown -t docbook4 -o "$work/docbook/$n.xml" "$n.md"; done
}

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
      for f in *.py; do
        [ -f "$f" ] || continue
        enscript -q -E --color -w rtf -o "$out/${f%.py}.rtf" "$f" || echo "enscript failed on $f" >&2
      done
      ;;
    openjade)
      command -v openjade >/dev/null || { echo "openjade is not installed" >&2; continue; }
      docbook
      for n in "${names[@]}"; do
        SP_CHARSET_FIXED=YES SP_ENCODING=UTF-8 openjade -wno-valid -t rtf -c /etc/sgml/catalog \
          -d /usr/share/sgml/docbook/stylesheet/dsssl/modular/print/docbook.dsl -o "$out/$n.rtf" \
          /usr/share/sgml/declaration/xml.dcl "$work/docbook/$n.xml" 2>/dev/null || echo "openjade failed on $n" >&2
      done
      ;;
    fop)
      command -v fop >/dev/null || { echo "fop is not installed" >&2; continue; }
      docbook
      for n in "${names[@]}"; do  # the FO beside the pictures, which it names by relative paths
        xsltproc --nonet -o "$n.fo" /usr/share/xml/docbook/stylesheet/docbook-xsl/fo/docbook.xsl \
          "$work/docbook/$n.xml" 2>/dev/null &&
          fop -q -fo "$n.fo" -rtf "$out/$n.rtf" >/dev/null 2>&1 || echo "fop failed on $n" >&2
      done
      ;;
    pygments)
      command -v pygmentize >/dev/null || { echo "pygmentize is not installed" >&2; continue; }
      for f in *.py; do pygmentize -f rtf -o "$out/${f%.py}.rtf" "$f"; done
      ;;
    highlight)
      command -v highlight >/dev/null || { echo "highlight is not installed" >&2; continue; }
      for f in *.py; do highlight --out-format=rtf -u utf-8 -i "$f" -o "$out/${f%.py}.rtf"; done
      ;;
    rtf-writer-perl)
      perl -MRTF::Writer -e 1 2>/dev/null || { echo "RTF::Writer is not installed" >&2; continue; }
      perl "$root/scripts/writers/rtf_writer.pl" "$out/garden_ru.rtf" 2>/dev/null
      ;;
    wvrtf)
      command -v wvRTF >/dev/null || { echo "wvRTF is not installed" >&2; continue; }
      soffice_convert 'doc:MS Word 97' "$work/doc" "${names[@]/%/.fodt}"
      for n in "${names[@]}"; do
        # Of every character it keeps the low byte only (Cyrillic comes out as ASCII letters and
        # signs), so only the English documents are worth keeping.
        [[ "$n" == *_en ]] || continue
        # wvRTF now and then crashes (a segmentation fault) and has written nothing: leave no empty file.
        wvRTF "$work/doc/$n.doc" >"$out/$n.rtf" 2>/dev/null || { rm -f "$out/$n.rtf"; echo "wvRTF failed on $n" >&2; }
      done
      ;;
    html-to-rtf)
      command -v npm >/dev/null || { echo "npm is not installed" >&2; continue; }
      mkdir -p "$work/npm"
      cp "$root/scripts/writers/package.json" "$root/scripts/writers/package-lock.json" "$work/npm/"
      (cd "$work/npm" && npm ci --no-audit --no-fund --silent) || { echo "npm ci failed" >&2; continue; }
      for n in "${names[@]}"; do
        NODE_PATH="$work/npm/node_modules" node "$root/scripts/writers/rtf_from_html.js" "$n.html" "$out/$n.rtf"
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
