#include "text/text_blocks.h"

#include "base/line_break.h"
#include "text/text_escape.h"

namespace tessarine {

namespace {

// Leading spaces at which a line is a heading wherever it stands.
constexpr size_t kHeadingIndent = 10;
// Leading spaces at which a line opens a new paragraph.
constexpr size_t kParagraphIndent = 2;

bool EndsSentence(char c) {
  return c == '.' || c == '!' || c == '?' || c == ':';
}

// Lower-case Cyrillic letters are the bytes 0xE0 to 0xFF of code page 1251.
bool StartsWithLowerCyrillic(std::string_view text) {
  return !text.empty() && static_cast<unsigned char>(text.front()) >= 0xE0;
}

}  // namespace

void AppendLineBlock(std::string_view line, std::string_view next, TextRun& run, std::string& out) {
  const size_t firstNonSpace = line.find_first_not_of(' ');
  const size_t leadingSpaces = firstNonSpace == std::string_view::npos ? line.size() : firstNonSpace;

  if (run.closePara) {
    out.append("</p>");
    out.append(kLineBreak);
  }
  if (leadingSpaces >= kHeadingIndent || run.inHeading) {
    out.append("<h2>");
    AppendEscapedText(out, line);
    out.append("</h2>");
    out.append(kLineBreak);
    run.newPara = true;
    run.closePara = false;
    return;
  }

  if (leadingSpaces >= kParagraphIndent || run.newPara) out.append("<p>");
  // A line of spaces only ends neither a sentence nor with a hyphen.
  const size_t last = line.find_last_not_of(' ');
  const char lastChar = last == std::string_view::npos ? ' ' : line[last];
  const bool paragraphEnds = EndsSentence(lastChar) && !StartsWithLowerCyrillic(next);
  run.closePara = paragraphEnds;
  run.newPara = paragraphEnds;
  if (lastChar == '-') {
    // A hyphenated word is joined with the next line. The line's final character goes, which is
    // the hyphen itself unless spaces follow it.
    line.remove_suffix(1);
    AppendEscapedText(out, line);
  } else {
    AppendEscapedText(out, line);
    out.push_back(' ');
  }
}

void AppendFinalLine(std::string_view rest, const TextRun& run, std::string& out) {
  if (run.closePara) {
    out.append("</p>");
    out.append(kLineBreak);
  }
  if (run.newPara) out.append("<p>");
  AppendEscapedText(out, rest);
  out.append("</p>");
  out.append(kLineBreak);
}

}  // namespace tessarine
