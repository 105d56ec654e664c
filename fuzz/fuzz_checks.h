// What the fuzz targets demand of every input, shared with the test that runs the kept findings
// (tests/fuzz/) so that a finding checks in the test exactly what it broke in the fuzzer. Each
// check returns "" when the input passes, otherwise what went wrong. Crashes, hangs, leaks and
// sanitizer reports need no check: the sanitizers and the time limits catch them.
#pragma once

#include <algorithm>
#include <atomic>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_text.h"
#include "fuzz/page_markup.h"
#include "choice/body_comparison.h"
#include "choice/convert_rtf_document.h"
#include "choice/document_opening.h"
#include "choice/model_way.h"
#include "choice/page_agreement.h"
#include "model/document.h"
#include "model_page/pictures.h"
#include "passes/pipeline/convert_rtf.h"
#include "passes/scan/unicode_escapes.h"
#include "pictures/draw_picture.h"
#include "reader/read_rtf.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "text/convert_text.h"

namespace tessarine::fuzzing {

// Convert RTF on the bytes as they come and as the file text rule hands them over: both give a
// complete page, even for a refused document, and no page carries forbidden markup; the escape
// rewrite passing over what cannot change gives the rewrite walked step by step.
inline std::string CheckConvertRtf(std::string_view bytes) {
  const Settings settings;
  for (const std::string& input : {std::string(bytes), JoinLinesWithCrLf(bytes)}) {
    std::string passing_over, step_by_step;
    if (RewriteEscapes(input, passing_over) != RewriteEscapesStepByStep(input, step_by_step) ||
        passing_over != step_by_step) {
      return "the escape rewrite passing over gives another text";
    }
    const Conversion c = ConvertRtf(input, settings);
    if (c.page.find("<HTML>") == std::string::npos || !c.page.ends_with("</html>")) return "incomplete page";
    if (const std::string markup = CheckPageMarkup(c.page); !markup.empty()) return "forbidden markup " + markup;
  }
  return "";
}

// What every page must be: complete, and code page 1251 text without control characters but
// CR, LF and tab. "" when it is, else what is wrong.
inline std::string CheckPageText(std::string_view page) {
  if (page.find("<HTML>") == std::string_view::npos || !page.ends_with("</html>")) return "incomplete page";
  for (const char c : page) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && byte != '\r' && byte != '\n' && byte != '\t') {
      return "control character " + std::to_string(byte) + " in the page";
    }
  }
  return "";
}

// Whether `page` shows `document`, the page read in two pieces cut at `cut` ("whole" when the cut
// is past its end) — the answer is the same wherever the page is cut.
inline bool Agrees(std::string_view page, const model::Document& document, size_t cut) {
  PageAgreement agreement(document, Settings{});
  cut = std::min(cut, page.size());
  return agreement.Read(page.substr(0, cut)) && agreement.Read(page.substr(cut)) && agreement.Finish();
}

// The passes' body compared on the way, the document read before they start: they are stopped
// only when their whole page does not show the document (and then give no page), and a page not
// stopped is the same and gets the whole page's answer. `stopped` and `shows`, when given, tell
// whether the passes were stopped and whether the whole page shows the document.
inline std::string CheckBodyComparison(std::string_view input, const Settings& settings,
                                       bool* stopped = nullptr, bool* shows_document = nullptr) {
  const DocumentBytes document{std::string(input)};
  const model::Document read = ReadRtfDocument(document.bytes());
  const std::atomic<const model::Document*> ready{&read};
  BodyComparison comparison(settings, ready);
  const Conversion watched = ConvertRtf(document.text(), settings, {}, &comparison);
  const Conversion whole = ConvertRtf(document.text(), settings);
  const bool shows = whole.refusal != Refusal::kNotRtf && PassesPageShowsDocument(whole.page, read, settings);
  if (stopped != nullptr) *stopped = comparison.stopped();
  if (shows_document != nullptr) *shows_document = shows;
  if (comparison.stopped()) {
    if (shows) return "the passes were stopped, but their page shows the document";
    return watched.page.empty() ? "" : "the passes were stopped, but gave a page";
  }
  if (watched.page != whole.page) return "the passes watched give another page";
  if (comparison.ShowsDocument(watched.page).value_or(shows) != shows) {
    return "the comparison on the way gives another answer";
  }
  return "";
}

// The passes' body compared on the way with the document's opening alone, its first `blocks`
// blocks: they are stopped only when their whole page does not show the whole document (or the
// opening no longer holds for it), and then give no page. `stopped`, when given, tells whether
// they were.
inline std::string CheckOpeningComparison(std::string_view input, const Settings& settings, size_t blocks,
                                          bool* stopped = nullptr) {
  const DocumentBytes document{std::string(input)};
  DocumentOpening opening(OpeningSize{blocks, std::string_view::npos / 4});
  const model::Document read = ReadRtfDocument(document.bytes(), opening);
  const std::atomic<const model::Document*> not_yet{nullptr};
  BodyComparison comparison(settings, not_yet, &opening.opening());
  const Conversion watched = ConvertRtf(document.text(), settings, {}, &comparison);
  if (stopped != nullptr) *stopped = comparison.stopped();
  if (!comparison.stopped()) return "";
  if (!comparison.stopped_by_opening()) return "the passes were stopped, but not by the opening";
  const Conversion whole = ConvertRtf(document.text(), settings);
  if (whole.refusal != Refusal::kNotRtf && PassesPageShowsDocument(whole.page, read, settings) &&
      opening.HoldsFor(read)) {
    return "the passes were stopped by the opening, but their page shows the document";
  }
  return watched.page.empty() ? "" : "the passes were stopped by the opening, but gave a page";
}

// An RTF document through each engine of ConvertRtfDocument, on the bytes as they come and
// through the file text rule: every page passes CheckPageText and CheckPageMarkup, and the
// automatic choice gives exactly the passes' page or the model's, as its `reading` says. The
// model's page is the same written beside the reading. The
// comparison of the automatic choice gives the same answer on the passes' page and on the bytes
// themselves read as a page, whole and cut anywhere; and the passes' body compared on the way
// with it (CheckBodyComparison), and with its opening alone (CheckOpeningComparison).
inline std::string CheckConvertRtfDocument(std::string_view bytes) {
  Settings settings;
  for (const std::string& input : {std::string(bytes), JoinLinesWithCrLf(bytes)}) {
    settings.rtfengine = "passes";
    const Conversion passes = ConvertRtfDocument(input, settings);
    settings.rtfengine = "model";
    const Conversion model = ConvertRtfDocument(input, settings);
    // Written beside the reading, from pieces of one block each: the same page.
    if (ConvertByModel(input, settings, {}, BesideReading{0, 1}).page != model.page) {
      return "the model's page written beside the reading differs";
    }
    settings.rtfengine = "auto";
    const Conversion automatic = ConvertRtfDocument(input, settings);
    for (const auto& [engine, conversion] :
         {std::pair{"passes", &passes}, std::pair{"model", &model}, std::pair{"auto", &automatic}}) {
      const std::string problem = CheckPageText(conversion->page);
      if (!problem.empty()) return std::string(engine) + ": " + problem;
      const std::string markup = CheckPageMarkup(conversion->page);
      if (!markup.empty()) return std::string(engine) + ": forbidden markup " + markup;
    }
    if (automatic.reading == RtfReading::kPasses
            ? automatic.page != passes.page
            : automatic.reading != RtfReading::kModel || automatic.page != model.page) {
      return "auto gives neither the passes' page nor the model's";
    }
    const model::Document document = ReadRtfDocument(input);
    for (std::string_view page : {std::string_view(passes.page), std::string_view(input)}) {
      if (Agrees(page, document, std::string_view::npos) != Agrees(page, document, bytes.size() % (page.size() + 1))) {
        return "the comparison's answer depends on where the page is cut";
      }
    }
    const std::string early = CheckBodyComparison(input, settings);
    if (!early.empty()) return early;
    const std::string opening = CheckOpeningComparison(input, settings, 1 + bytes.size() % 4);
    if (!opening.empty()) return opening;
  }
  return "";
}

// Convert text on the bytes as they come and through the file text rule: a refused text comes
// back unchanged, any other gives a complete page.
inline std::string CheckConvertText(std::string_view bytes) {
  const Settings settings;
  for (const std::string& input : {std::string(bytes), JoinLinesWithCrLf(bytes)}) {
    const Conversion c = ConvertText(input, settings);
    if (c.refusal != Refusal::kNone) {
      if (c.page != input) return "refused text changed";
    } else if (c.page.find("<HTML>") == std::string::npos || !c.page.ends_with("</html>")) {
      return "incomplete page";
    }
  }
  return "";
}

// The bytes as a settings file: the settings read, written and read again are the same.
inline std::string CheckSettingsFile(std::string_view bytes) {
  auto any_file_exists = [](const std::string&) { return true; };
  (void)SettingsFromText(bytes, {});  // a text that skipped the file text rule
  const Settings read = SettingsFromText(JoinLinesWithCrLf(bytes), any_file_exists);
  const Settings again = SettingsFromText(JoinLinesWithCrLf(SettingsFileText(read)), any_file_exists);
  if (!(again == read)) return "settings written and read again differ";
  return "";
}

// True when `s` is valid UTF-8: shortest forms, no surrogates, nothing above U+10FFFF.
inline bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    char32_t v = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < n; ++k) {
      const auto next = static_cast<unsigned char>(s[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      v = (v << 6) | (next & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (v < least[n] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return false;
    i += n;
  }
  return true;
}

// The promises of the document model (model/document.h) for one document: all text valid UTF-8,
// text items neither empty nor holding control characters nor following one of the same format,
// note marks, pictures and paragraph looks that exist, tab stops ascending, tables at most
// kMaxTableDepth deep, and in every paragraph links that close and do not nest.
inline std::string CheckModel(const model::Document& document) {
  std::string problem;
  auto text = [&problem](std::string_view s, const char* what) {
    if (problem.empty() && !IsValidUtf8(s)) problem = std::string(what) + ": invalid UTF-8";
  };
  auto paragraph = [&](const model::Paragraph& p) {
    text(p.format.list_marker, "list marker");
    if (p.format.look >= document.looks.size() && problem.empty()) problem = "paragraph look out of range";
    bool in_link = false;
    const model::Inline* previous = nullptr;
    for (const model::Inline& item : p.inlines) {
      if (previous != nullptr && previous->kind == model::InlineKind::kText &&
          item.kind == model::InlineKind::kText && previous->format == item.format && problem.empty()) {
        problem = "adjacent text items of one format";
      }
      previous = &item;
      switch (item.kind) {
        case model::InlineKind::kText:
          text(item.text, "text");
          if (item.text.empty() && problem.empty()) problem = "empty text item";
          for (char c : item.text) {
            if (static_cast<unsigned char>(c) < 0x20 && problem.empty())
              problem = "control character in text";
          }
          break;
        case model::InlineKind::kNoteMark:
          if (item.index >= document.notes.size() && problem.empty()) problem = "note mark out of range";
          break;
        case model::InlineKind::kPicture:
          if (item.index >= document.pictures.size() && problem.empty()) problem = "picture out of range";
          break;
        case model::InlineKind::kLinkStart:
          text(item.text, "link target");
          if (in_link && problem.empty()) problem = "nested link";
          in_link = true;
          break;
        case model::InlineKind::kLinkEnd:
          if (!in_link && problem.empty()) problem = "link end without start";
          in_link = false;
          break;
        case model::InlineKind::kBookmark:
          text(item.text, "bookmark");
          break;
        default:
          break;
      }
    }
    if (in_link && problem.empty()) problem = "link not closed in its paragraph";
  };
  // Blocks with the table depth they stand at; a stack instead of recursion.
  std::vector<std::pair<const std::vector<model::Block>*, int>> pending = {{&document.body, 0}};
  for (const model::Note& note : document.notes) {
    pending.push_back({&note.blocks, 0});
    text(note.author, "note author");
  }
  while (!pending.empty() && problem.empty()) {
    const auto [blocks, depth] = pending.back();
    pending.pop_back();
    for (const model::Block& block : *blocks) {
      if (const auto* p = std::get_if<model::Paragraph>(&block.content)) {
        paragraph(*p);
      } else if (const auto* table = std::get_if<model::Table>(&block.content)) {
        if (depth + 1 > model::kMaxTableDepth) return "tables nested too deep";
        for (const model::Row& row : table->rows) {
          for (const model::Cell& cell : row.cells) pending.push_back({&cell.blocks, depth + 1});
        }
      }
    }
  }
  if (document.looks.empty() && problem.empty()) problem = "no plain paragraph look";
  for (const model::ParagraphLook& look : document.looks) {
    for (size_t i = 1; i < look.tab_stops.size(); ++i) {
      if (look.tab_stops[i - 1] >= look.tab_stops[i] && problem.empty()) problem = "tab stops out of order";
    }
  }
  for (const std::string& font : document.fonts) text(font, "font name");
  text(document.info.title, "title");
  text(document.info.author, "author");
  text(document.html, "html");
  return problem;
}

// Read RTF on the bytes as they come and through the file text rule: the models keep their
// promises (CheckModel).
inline std::string CheckReadRtf(std::string_view bytes) {
  for (const std::string& input : {std::string(bytes), JoinLinesWithCrLf(bytes)}) {
    const std::string problem = CheckModel(ReadRtfDocument(input));
    if (!problem.empty()) return problem;
  }
  return "";
}

// A drawn image holds drawing only: one SVG element of the elements the drawing writes, every
// attribute value quoted and the only links "data:" bitmaps; or a BMP whose header gives its size.
inline std::string CheckImage(const pictures::Image& image) {
  const std::string_view data = image.data;
  if (image.type == pictures::ImageType::kBmp) {
    if (data.size() < 14 || data.substr(0, 2) != "BM") return "a BMP without its signature";
    uint32_t size = 0;
    for (size_t i = 6; i-- > 2;) size = (size << 8) | static_cast<unsigned char>(data[i]);
    return size == data.size() ? "" : "a BMP of another size than its header says";
  }
  if (!data.starts_with("<svg xmlns=\"http://www.w3.org/2000/svg\" ") || !data.ends_with("</svg>"))
    return "no SVG element around the drawing";
  static constexpr std::string_view kElements[] = {"svg",  "defs", "clipPath", "rect",
                                                   "path", "text", "g",        "image"};
  for (size_t at = data.find('<'); at != std::string_view::npos; at = data.find('<', at + 1)) {
    size_t name = at + 1 + (at + 1 < data.size() && data[at + 1] == '/' ? 1 : 0);
    size_t end = name;
    while (end < data.size() && std::isalpha(static_cast<unsigned char>(data[end]))) ++end;
    if (std::find(std::begin(kElements), std::end(kElements), data.substr(name, end - name)) ==
        std::end(kElements))
      return "an element the drawing does not write: " + std::string(data.substr(at, 16));
    const size_t close = data.find('>', at);
    if (close == std::string_view::npos) return "a tag without its end";
    const std::string_view tag = data.substr(at, close - at);
    if (std::count(tag.begin(), tag.end(), '"') % 2 != 0) return "an attribute value broken out of";
    for (size_t href = tag.find("href="); href != std::string_view::npos;
         href = tag.find("href=", href + 1)) {
      if (!tag.substr(href).starts_with("href=\"data:image/bmp;base64,")) return "a link that is no bitmap";
    }
  }
  return "";
}

// Every picture of an RTF document drawn as the page draws it, or, for bytes that are no RTF,
// the bytes after the first drawn as the picture the first names (0 WMF, 1 EMF, 2 DIB, 3 DDB of
// the layout the next four bytes give): each image passes CheckImage.
inline std::string CheckDrawPicture(std::string_view bytes) {
  if (bytes.starts_with("{")) {
    for (const model::Picture& picture : ReadRtfDocument(bytes).pictures) {
      if (const std::optional<pictures::Image> image = DrawnPicture(picture)) {
        const std::string problem = CheckImage(*image);
        if (!problem.empty()) return problem;
      }
    }
    return "";
  }
  if (bytes.size() < 5) return "";
  const auto source = static_cast<pictures::Source>(static_cast<unsigned char>(bytes[0]) % 4);
  const auto byte = [&](size_t i) { return static_cast<int32_t>(static_cast<unsigned char>(bytes[i])); };
  const pictures::BitmapLayout layout{byte(1) * 4, byte(2), byte(3) % 33, 1, byte(4)};
  const std::optional<pictures::Image> image = pictures::DrawPicture(source, bytes.substr(5), layout);
  return image ? CheckImage(*image) : "";
}

}  // namespace tessarine::fuzzing
