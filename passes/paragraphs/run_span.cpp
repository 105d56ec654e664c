#include "passes/paragraphs/run_span.h"

#include <string>

#include "base/line_break.h"
#include "passes/paragraphs/run_format.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"

namespace tessarine {

namespace {

void AppendValue(std::string& out, std::string_view value) {
  out.append(value);
}

void DropLastSemicolon(std::string& style) {
  if (!style.empty() && style.back() == ';') style.pop_back();
}

// Steps shared by both openers; `indent` adds the "\li" margin after the alignment.
void WriteParagraphOpening(std::string_view s, bool indent, ConversionState& st) {
  const Settings& set = st.settings;
  RunFormat f = ParseRunFormat(s, st);
  std::string& style = st.StyleText;
  style.clear();
  if (!f.FontName.empty() && f.FontName != set.fontname) {
    st.ParagraphFont = f.FontName;
    style += "font-family:";
    AppendFontFamily(style, f.FontName);
    style += ';';
  }
  if (!f.FontSize.empty() && f.FontSize != set.fontsize) {
    st.ParagraphSize = f.FontSize;
    style += "font-size:" + f.FontSize + "pt;";
  }
  if (!f.Colour.empty() && f.Colour != set.textcolor) {
    st.ParagraphColour = f.Colour;
    style += "color:" + f.Colour + ";";
  }
  if (st.Alignment != "left") style += "text-align:" + st.Alignment + ";";
  if (indent) {
    long p = FindNumberedWord(s, "\\li");
    if (p > 0) {
      std::string_view t = CopyFrom(s, p + 3);
      size_t bs = t.find('\\');
      t = bs == std::string_view::npos ? std::string_view{} : t.substr(0, bs);
      if (!t.empty() && t.back() == ' ') t.remove_suffix(1);
      long n = ValueOf(t) / 10;
      if (n > 0) style += "margin-left:" + std::to_string(ValueOf(set.marginleft) + n) + "pt;";
    }
  }
  std::string& out = st.OutputText;
  if (!style.empty()) {
    DropLastSemicolon(style);
    out += st.InListItem ? "<p style=\"text-indent:0pt;" : "<p style=\"";
    out += style;
    out += "\">";
  } else {
    out += st.InListItem ? "<p style=\"text-indent:0pt\">" : "<p>";
  }
  OpenEmphasis(f, st);
}

}  // namespace

void OpenEmphasis(const RunFormat& f, ConversionState& st) {
  std::string& out = st.OutputText;
  if (st.BoldOpen || !f.Bold.empty()) {
    out += "<b>";
    st.BoldOpen = true;
  }
  if (st.ItalicOpen || !f.Italic.empty()) {
    out += "<i>";
    st.ItalicOpen = true;
  }
  if (st.UnderlineOpen || !f.Underline.empty()) {
    out += "<u>";
    st.UnderlineOpen = true;
  }
}

void OpenParagraph(std::string_view s, int& run_count, ConversionState& st) {
  if (run_count != 0) {
    WriteRunSpan(s, run_count, st);
    return;
  }
  WriteParagraphOpening(s, false, st);
  ++run_count;
}

void OpenIndentedParagraph(std::string_view s, int& run_count, ConversionState& st) {
  if (run_count != 0) {
    WriteRunSpan(s, run_count, st);
    return;
  }
  WriteParagraphOpening(s, true, st);
  ++run_count;
}

void WriteRunSpan(std::string_view s, int& run_count, ConversionState& st) {
  RunFormat f = ParseRunFormat(s, st);
  std::string& style = st.StyleText;
  style.clear();
  if (st.SpanOpen) {
    bool changed = false;
    auto take = [&changed](std::string& field, const std::string& value) {
      if (field != value) {
        field = value;
        changed = true;
      }
    };
    take(st.SpanFont, f.FontName);
    take(st.SpanSize, f.FontSize);
    take(st.SpanColour, f.Colour);
    take(st.SpanBold, f.Bold);
    take(st.SpanItalic, f.Italic);
    take(st.SpanUnderline, f.Underline);
    if (!changed) {
      ++run_count;
      return;
    }
    st.OutputText += "</span>";
    st.OutputText += kLineBreak;
    st.SpanOpen = false;
  }
  auto declare = [&style](const std::string& value, const std::string& paragraph_value,
                          std::string& span_field, const char* name, const char* unit,
                          void (*append)(std::string&, std::string_view) = AppendValue) {
    if (!value.empty() && value != paragraph_value) {
      style += name;
      append(style, value);
      style += unit;
      span_field = value;
    } else {
      span_field.clear();
    }
  };
  declare(f.FontName, st.ParagraphFont, st.SpanFont, "font-family:", ";", AppendFontFamily);
  declare(f.FontSize, st.ParagraphSize, st.SpanSize, "font-size:", "pt;");
  declare(f.Colour, st.ParagraphColour, st.SpanColour, "color:", ";");
  auto flag = [&style](const std::string& value, std::string& span_field, const char* declaration) {
    if (!value.empty()) {
      style += declaration;
      span_field = value;
    } else {
      span_field.clear();
    }
  };
  flag(f.Bold, st.SpanBold, "font-weight:bold;");
  flag(f.Italic, st.SpanItalic, "font-style:italic;");
  flag(f.Underline, st.SpanUnderline, "text-decoration:underline;");
  if (!style.empty()) {
    DropLastSemicolon(style);
    st.OutputText += "<span style=\"";
    st.OutputText += style;
    st.OutputText += "\">";
    st.SpanOpen = true;
  }
  ++run_count;
}

}  // namespace tessarine
