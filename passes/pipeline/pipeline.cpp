#include "passes/pipeline/pipeline.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "base/huge_pages.h"
#include "passes/paragraphs/paragraphs.h"
#include "passes/paragraphs/run_format.h"
#include "passes/pipeline/colour_table.h"
#include "passes/scan/escapes.h"
#include "passes/scan/scan.h"
#include "passes/tables/sections.h"
#include "passes/tables/tables.h"

namespace tessarine {

namespace {

constexpr long kShortest = 10;  // the body is done when fewer characters are left

// The colour table and the font table of the header, when it has them.
void ReadHeaderTables(std::string_view header, ConversionState& st) {
  constexpr std::string_view kColourTable = "{\\colortbl;";
  size_t colours = header.find(kColourTable);
  if (colours != std::string_view::npos) {
    std::string_view list = header.substr(colours + kColourTable.size());
    // Cut at the table's "}"; a table closed by the body's "}\pard\plain" runs to the header's end.
    size_t close = list.find('}');
    if (close != std::string_view::npos) list = list.substr(0, close);
    st.ColourList = ParseColourTable(list);
  }
  size_t fonts = header.find("{\\fonttbl");
  if (fonts != std::string_view::npos) {
    std::string_view rest = header.substr(fonts), group;
    int opens = 0;
    ExtractGroup(rest, group, opens);
    ApplyFontTable(st, group);
  }
}

// Takes the whole rest of the source as one chunk of paragraphs.
void ConvertRestAsParagraphs(ConversionState& st) {
  std::string chunk = st.Source.TakeAll();
  ConvertParagraphs(std::move(chunk), st);
}

// One turn of the body loop when tables or sections are about: the front of the source goes to
// the table pass, the section pass or paragraph conversion. Returns false when it removed
// nothing, so the loop would only meet the same front again.
bool ConvertBodyFront(ConversionState& st) {
  SourceBuffer& src = st.Source;
  const size_t size_before = src.Size();
  const long p = src.Find("\\pard", 0);
  const long t = src.Find("\\trowd", 0);
  const long s = src.Find("\\sectd", 0);
  if (t >= 0 && p > t && (s > t || s <= 0)) {
    ConvertTableRegion(st);
  } else if (s >= 0 && p > s && (s < t || t <= 0)) {
    ConvertSection(st);
  } else if (t == 0 && p < 0) {
    ConvertTableRegion(st);  // rows at the front with no paragraph mark after them
  } else if (s == 0 && p < 0) {
    ConvertSection(st);  // a section at the front with no paragraph mark after it
  } else if (s >= 0 && (t < 0 || s < t)) {
    if (s > 0) ConvertParagraphs(src.Cut(0, s), st);  // the text in front of the section
  } else if (t >= 0 && (s < 0 || t < s)) {
    if (t > 0) ConvertParagraphs(src.Cut(0, t), st);  // the text in front of the table
  } else {
    st.PassesDone = true;  // no table and no section left
    ConvertRestAsParagraphs(st);
  }
  return src.Size() < size_before;
}

}  // namespace

void RunPipeline(ConversionState& st) {
  SourceBuffer& src = st.Source;
  {
    std::string text;
    if (NormaliseEscapes(src.Content(), text)) src.Adopt(std::move(text));
  }
  st.OutputText.clear();
  // Room for a page about as long as the source: the body is not copied as it grows, and pages
  // never written are never touched.
  st.OutputText.reserve(src.Size() + src.Size() / 4);
  AdviseHugePages(st.OutputText.data(), st.OutputText.capacity());

  const long p1 = src.Find("}\\pard\\plain", 0);
  const long t = src.Find("\\trowd", 0);
  if (p1 < 0 && t < 0) {
    st.SecondPath = true;  // the fallback path takes the whole document
    return;
  }
  st.HasSections = false;
  st.HasTables = t > 0;
  long body = p1 < 0 ? t : t < 0 ? p1 : std::min(p1, t);
  if (p1 < 0) {
    // Paragraphs of bare control words in front of the first table are body, not header.
    const long pard = src.Find("\\pard", 0);
    if (pard > 0 && pard < t) body = pard;
  }
  const std::string header = src.Cut(0, body);
  st.HasSections = src.Find("\\sectd", 0) > 0;
  ReadHeaderTables(header, st);

  while (!st.PassesDone && !st.Stopped) {
    if (!st.HasTables && !st.HasSections) {
      ConvertRestAsParagraphs(st);
      st.PassesDone = true;
    } else if (!ConvertBodyFront(st)) {
      st.PassesDone = true;
    }
    if (src.Length() < kShortest) st.PassesDone = true;
  }
}

}  // namespace tessarine
