#include "passes/fallback/tagged_run.h"

#include <string>

#include "base/line_break.h"
#include "passes/paragraphs/run_format.h"
#include "passes/paragraphs/run_span.h"

namespace tessarine {

namespace {

constexpr std::string_view kFontFamily = "font-family:";

// One property of the opening run: the run's own value when it differs from the page default
// (and then it becomes the paragraph's), nothing when it equals the default, and the
// paragraph's inherited value or else the page default when the run names none.
void AppendOpeningProperty(const std::string& value, std::string& paragraph_value,
                           const std::string& page_default, std::string_view prefix, std::string_view suffix,
                           std::string& style) {
  const std::string* written = nullptr;
  if (!value.empty()) {
    if (value == page_default) return;
    paragraph_value = value;
    written = &value;
  } else if (!paragraph_value.empty() && paragraph_value != page_default) {
    written = &paragraph_value;
  } else {
    written = &page_default;
  }
  style.append(prefix);
  if (prefix == kFontFamily && written != &page_default) {
    AppendFontFamily(style, *written);
  } else {
    style.append(*written);
  }
  style.append(suffix);
}

// One property of a later run: written, and taken over by the paragraph, when the run names a
// value other than the paragraph's.
void AppendChangedProperty(const std::string& value, std::string& paragraph_value, std::string_view prefix,
                           std::string_view suffix, std::string& style) {
  if (value.empty() || value == paragraph_value) return;
  paragraph_value = value;
  style.append(prefix);
  if (prefix == kFontFamily) {
    AppendFontFamily(style, value);
  } else {
    style.append(value);
  }
  style.append(suffix);
}

void DropLastSemicolon(std::string& style) {
  if (!style.empty() && style.back() == ';') style.pop_back();
}

void OpenTaggedParagraph(std::string_view head, const RunFormat& f, ConversionState& st) {
  const Settings& set = st.settings;
  std::string& style = st.StyleText;
  style.clear();
  AppendOpeningProperty(f.FontName, st.ParagraphFont, set.fontname, kFontFamily, ";", style);
  AppendOpeningProperty(f.FontSize, st.ParagraphSize, set.fontsize, "font-size:", "pt;", style);
  AppendOpeningProperty(f.Colour, st.ParagraphColour, set.textcolor, "color:", ";", style);
  if (st.Alignment != "left") {
    style += "text-align:";
    style += st.Alignment;
    style += ';';
  }
  std::string& out = st.OutputText;
  if (!style.empty()) {
    DropLastSemicolon(style);
    out += "<p style=\"";
    out += style;
    out += "\">";
  } else {
    out += "<p>";
  }
  const OffWords off = FindOffWords(head);
  if (off.underline) st.UnderlineOpen = false;
  if (off.italic) st.ItalicOpen = false;
  if (off.bold) st.BoldOpen = false;
  OpenEmphasis(f, st);
}

// Writes `tag` followed by a line break, as every tag of a later run is.
void Tag(std::string& out, std::string_view tag) {
  out += tag;
  out += kLineBreak;
}

// Keeps the b, i and u elements of a later run in step with its "\b0", "\i0" and "\ulnone".
void WriteLaterRunTags(std::string_view head, const RunFormat& f, ConversionState& st) {
  const OffWords off = FindOffWords(head);
  const bool b0 = off.bold;
  const bool i0 = off.italic;
  const bool u0 = off.underline;
  bool& bold = st.BoldOpen;
  bool& italic = st.ItalicOpen;
  bool& underline = st.UnderlineOpen;
  std::string& out = st.OutputText;

  auto open_bold_if_new = [&] {
    if (!bold && !f.Bold.empty()) {
      Tag(out, "<b>");
      bold = true;
    }
  };
  auto open_italic_if_new = [&] {
    if (!italic && !f.Italic.empty()) {
      Tag(out, "<i>");
      italic = true;
    }
  };
  auto open_underline_if_new = [&] {
    if (!underline && !f.Underline.empty()) {
      Tag(out, "<u>");
      underline = true;
    }
  };
  auto reopen_italic = [&] {
    if (italic || !f.Italic.empty()) {
      Tag(out, "<i>");
      italic = true;
    }
  };

  if (b0 && i0 && u0) {
    Tag(out, "</u>");
    Tag(out, "</i>");
    Tag(out, "</b>");
    bold = italic = underline = false;
  } else if (b0 && i0) {
    bold = italic = false;
    if (underline) Tag(out, "</u>");
    Tag(out, "</i>");
    Tag(out, "</b>");
    open_underline_if_new();
  } else if (b0 && u0) {
    bold = underline = false;
    Tag(out, "</u>");
    if (italic) Tag(out, "</i>");
    Tag(out, "</b>");
    open_italic_if_new();
  } else if (b0) {
    bold = false;
    if (underline) Tag(out, "</u>");
    if (italic) Tag(out, "</i>");
    Tag(out, "</b>");
    open_italic_if_new();
    open_underline_if_new();
  } else if (i0 && u0) {
    Tag(out, "</u>");
    Tag(out, "</i>");
    underline = italic = false;
    open_bold_if_new();
  } else if (i0) {
    if (underline) Tag(out, "</u>");
    Tag(out, "</i>");
    italic = false;
    open_bold_if_new();
    open_underline_if_new();
  } else if (u0) {
    Tag(out, "</u>");
    underline = false;
    if (!bold && !f.Bold.empty()) {
      if (italic) Tag(out, "</i>");
      Tag(out, "<b>");
      bold = true;
    }
    reopen_italic();
  } else {
    if (underline) Tag(out, "</u>");
    if (italic) Tag(out, "</i>");
    open_bold_if_new();
    reopen_italic();
    if (underline || !f.Underline.empty()) {
      Tag(out, "<u>");
      underline = true;
    }
  }
}

void WriteLaterRun(std::string_view head, const RunFormat& f, ConversionState& st) {
  std::string& style = st.StyleText;
  style.clear();
  AppendChangedProperty(f.FontName, st.ParagraphFont, kFontFamily, ";", style);
  AppendChangedProperty(f.FontSize, st.ParagraphSize, "font-size:", "pt;", style);
  AppendChangedProperty(f.Colour, st.ParagraphColour, "color:", ";", style);
  std::string& out = st.OutputText;
  if (!style.empty()) {
    DropLastSemicolon(style);
    if (st.SpanOpen) out += "</span>";
  }
  WriteLaterRunTags(head, f, st);
  if (!style.empty()) {
    out += "<span style=\"";
    out += style;
    out += "\">";
    st.SpanOpen = true;
  } else {
    st.SpanOpen = false;
  }
}

}  // namespace

void WriteTaggedRun(std::string_view head, int& run_count, ConversionState& st) {
  const RunFormat f = ParseRunFormat(head, st);
  if (run_count == 0) {
    OpenTaggedParagraph(head, f, st);
    ++run_count;
  } else {
    WriteLaterRun(head, f, st);
  }
}

}  // namespace tessarine
