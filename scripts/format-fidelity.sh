#!/usr/bin/env bash
# How well each word keeps its formatting on the pages of tessarine-convert, as headless Chromium
# renders them: runs ../shared/tools/format.py (read its docstring) on the writer documents
# (tests/data/writers/<writer>/*.rtf, a line per writer) and on the shared corpus
# (../shared/corpus/public/**/*.rtf, a line per producer group of its MANIFEST.tsv), for every
# engine asked for, then prints the lines of all writer documents, all corpus documents and both.
# Figures are format.py's: means over documents of the agreement per attribute (over the
# documents whose RTF uses it), the coverage of matched words and the score.
# A developer's tool: make test does not run it. It needs Chromium and a built tessarine-convert.
#
# Usage: scripts/format-fidelity.sh [--engine E]... [--json DIR] [FILES...]
#   --engine E  auto, passes or model, repeated for several (default: auto and model)
#   --json DIR  also writes DIR/<engine>.json: every document's figures and every line's
#   FILES       the RTF documents to measure (default: every writer document and the corpus);
#               a file outside both is counted under its folder's name
# TESSARINE_CONVERT names another tessarine-convert (default: build/bin/tessarine-convert).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
shared="$root/../shared"
format_py="$shared/tools/format.py"
corpus="$shared/corpus"
convert="${TESSARINE_CONVERT:-$root/build/bin/tessarine-convert}"

usage() { sed -n '11,16p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }

engines=()
json_dir=""
files=()
while [ $# -gt 0 ]; do
  case "$1" in
    --engine) [ $# -ge 2 ] || usage; engines+=("$2"); shift 2 ;;
    --engine=*) engines+=("${1#--engine=}"); shift ;;
    --json) [ $# -ge 2 ] || usage; json_dir="$2"; shift 2 ;;
    --json=*) json_dir="${1#--json=}"; shift ;;
    -h|--help) usage ;;
    --) shift; files+=("$@"); break ;;
    -*) echo "unknown option $1" >&2; usage ;;
    *) files+=("$1"); shift ;;
  esac
done
if [ ${#engines[@]} -eq 0 ]; then engines=(auto model); fi
for engine in "${engines[@]}"; do
  case "$engine" in
    auto|passes|model) ;;
    *) echo "unknown engine $engine (auto, passes or model)" >&2; exit 2 ;;
  esac
done
[ -f "$format_py" ] || { echo "no $format_py" >&2; exit 1; }
[ -x "$convert" ] || { echo "no $convert: build tessarine-convert first" >&2; exit 1; }
if [ ${#files[@]} -eq 0 ]; then
  while IFS= read -r f; do files+=("$f"); done < <(
    find "$root/tests/data/writers" -mindepth 2 -maxdepth 2 -name '*.rtf' -not -path '*/sources/*' | sort
    if [ -d "$corpus/public" ]; then find "$corpus/public" -name '*.rtf' | sort; fi)
fi
[ ${#files[@]} -gt 0 ] || { echo "no documents to measure" >&2; exit 1; }
if [ -n "$json_dir" ]; then mkdir -p "$json_dir"; fi

exec python3 - "$format_py" "$convert" "$root/tests/data/writers" "$corpus" "$json_dir" \
  "${engines[*]}" "${files[@]}" <<'EOF'
import importlib.util, json, os, shlex, subprocess, sys

format_py, convert, writers_dir, corpus, json_dir, engines = sys.argv[1:7]
files = [os.path.abspath(f) for f in sys.argv[7:]]
tool_source = importlib.util.spec_from_file_location("format_tool", format_py)
tool = importlib.util.module_from_spec(tool_source)
tool_source.loader.exec_module(tool)


def corpus_group(producer):
    """The producers of the corpus manifest grouped into the writers they come from."""
    has = lambda *names: any(n in producer for n in names)
    if has("LibreOffice", "StarWriter", "OpenOffice", "StarOffice"): return "LibreOffice/StarOffice"
    if has("Outlook", "Exchange"): return "Outlook"
    if has("Word for Mac", "Mac"): return "Mac writers"
    if has("Word"): return "Word"
    if has("Riched", "Msftedit", "RichEdit", "WordPad"): return "WordPad/RichEdit"
    if has("Cocoa", "TextEdit"): return "TextEdit"
    if has("AbiWord"): return "AbiWord"
    if has("pandoc"): return "pandoc"
    if has("unknown"): return "hand-written"
    return "other writers"


producers = {}
manifest = os.path.join(corpus, "MANIFEST.tsv")
if os.path.exists(manifest):
    with open(manifest, encoding="utf-8") as rows:
        next(rows, None)
        for row in rows:
            fields = row.rstrip("\n").split("\t")
            if len(fields) >= 4:
                producers[os.path.realpath(os.path.join(corpus, fields[0]))] = fields[3]

writers_dir = os.path.realpath(writers_dir)


def group_of(path):
    """("writers", writer), ("corpus", producer group) or ("other", folder) for a document."""
    real = os.path.realpath(path)
    if os.path.dirname(os.path.dirname(real)) == writers_dir:
        return "writers", os.path.basename(os.path.dirname(real))
    if real in producers:
        return "corpus", corpus_group(producers[real])
    return "other", os.path.basename(os.path.dirname(real))


def cell(x):
    return "  n/a" if x is None else "%5.1f" % (100 * x)


def row(label, s):
    attrs = " ".join("%s %s" % (tool.SHORT[k], cell(s[k])) for k in tool.ATTRS)
    scored = "%3d" % s["documents"] if s["scored"] == s["documents"] else "%d/%d" % (s["scored"], s["documents"])
    return "%-36s %s docs  cov %s  %s  score %s  all %s" % (
        label, scored, cell(s["coverage"]), attrs, cell(s["score"]), cell(s["score_all"]))


groups = {}
for f in files:
    groups.setdefault(group_of(f), []).append(f)
kind_order = {"writers": 0, "corpus": 1, "other": 2}
order = sorted(groups, key=lambda g: (kind_order[g[0]], g[1].lower()))

for engine in engines.split():
    command = "%s -q --engine %s -o {out} {in}" % (shlex.quote(convert), engine)
    print("engine %s: %d documents ..." % (engine, len(files)), file=sys.stderr, flush=True)
    done = subprocess.run([sys.executable, format_py, "--quiet", "--json", "--convert", command] + files,
                          stdout=subprocess.PIPE, check=True)
    docs = json.loads(done.stdout)["documents"]
    if len(docs) != len(files):
        sys.exit("format.py measured %d documents of %d" % (len(docs), len(files)))
    by_file = dict(zip(files, docs))
    lines = {}
    print("engine %s (b i u s sup col size font al: agreement %%; n/a: no document uses it)" % engine)
    for g in order:
        lines["/".join(g)] = tool.summary([by_file[f] for f in groups[g]])
        print(row("  " + "/".join(g), lines["/".join(g)]))
    for kind in ("writers", "corpus", "other"):
        ds = [by_file[f] for f in files if group_of(f)[0] == kind]
        if ds and any(g[0] != kind for g in groups):
            lines[kind] = tool.summary(ds)
            print(row("  %s, all" % kind, lines[kind]))
    lines["all"] = tool.summary(docs)
    print(row("  all documents", lines["all"]))
    if json_dir:
        for f, d in by_file.items():
            d["path"] = f
            d["group"] = "/".join(group_of(f))
        with open(os.path.join(json_dir, engine + ".json"), "w", encoding="utf-8") as out:
            json.dump({"engine": engine, "lines": lines, "documents": docs}, out, indent=1)
EOF
