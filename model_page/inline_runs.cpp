#include "model_page/inline_runs.h"

#include <string_view>

namespace tessarine {

namespace {

constexpr std::string_view kOpenTags[] = {"<b>", "<i>", "<u>", "<strike>", "<sup>", "<sub>"};
constexpr std::string_view kCloseTags[] = {"</b>", "</i>", "</u>", "</strike>", "</sup>", "</sub>"};

}  // namespace

void InlineTags::Apply(std::string& out, const model::CharFormat& format, const RunLook& run,
                       const RunLook& paragraph, const PageStyle& style) {
  Span span;
  span.has_font = run.font != paragraph.font;
  span.font = run.font;
  span.has_size = run.size != paragraph.size;
  span.size = run.size;
  span.has_colour = run.colour != paragraph.colour;
  span.colour = run.colour;
  span.background = format.background == model::kNoColour ? model::kNoColour : format.background & 0xFFFFFF;
  span.caps = format.caps;
  span.small_caps = format.small_caps && !format.caps;
  const bool want_span = !span.Empty();

  Tag levels[5];
  uint8_t count = 0;
  if (format.bold) levels[count++] = kBold;
  if (format.italic) levels[count++] = kItalic;
  if (format.underline) levels[count++] = kUnderline;
  if (format.strike) levels[count++] = kStrike;
  if (format.baseline == model::Baseline::kSuperscript) levels[count++] = kSuperscript;
  if (format.baseline == model::Baseline::kSubscript) levels[count++] = kSubscript;

  // The first position (0: the span, 1 + i: levels[i]) where the open tags and the run's differ.
  int keep = 0;
  if (open_.span == want_span && (!want_span || open_.span_style == span)) {
    keep = 1;
    while (keep - 1 < open_.level_count && keep - 1 < count && open_.levels[keep - 1] == levels[keep - 1])
      ++keep;
    if (keep - 1 == open_.level_count && keep - 1 == count) return;
  }
  CloseFrom(out, keep);
  if (keep == 0 && want_span) OpenSpan(out, span, style);
  for (int i = keep == 0 ? 0 : keep - 1; i < count; ++i) {
    out.append(kOpenTags[levels[i]]);
    open_.levels[open_.level_count++] = levels[i];
  }
}

void InlineTags::CloseFrom(std::string& out, int keep) {
  const int inner = keep == 0 ? 0 : keep - 1;
  while (open_.level_count > inner) out.append(kCloseTags[open_.levels[--open_.level_count]]);
  if (keep == 0 && open_.span) {
    out.append("</span>");
    open_.span = false;
  }
}

void InlineTags::OpenSpan(std::string& out, const Span& span, const PageStyle& style) {
  out.append("<span style=\"");
  const size_t start = out.size();
  auto declaration = [&](std::string_view name) {
    if (out.size() != start) out.push_back(';');
    out.append(name);
  };
  if (span.has_font) {
    declaration("font-family:");
    style.AppendFont(out, span.font);
  }
  if (span.has_size) {
    declaration("font-size:");
    style.AppendSize(out, span.size);
  }
  if (span.has_colour) {
    declaration("color:");
    style.AppendColourOf(out, span.colour);
  }
  if (span.background != model::kNoColour) {
    declaration("background-color:");
    style.AppendColourOf(out, span.background);
  }
  if (span.caps) declaration("text-transform:uppercase");
  if (span.small_caps) declaration("font-variant:small-caps");
  out.append("\">");
  open_.span = true;
  open_.span_style = span;
}

}  // namespace tessarine
