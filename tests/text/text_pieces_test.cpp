#include "text/text_pieces.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "tests/text/page_parts.h"
#include "text/convert_text.h"
#include "text/text_lines.h"
#include "text/text_run.h"

namespace tessarine {
namespace {

std::string Repeat(char c, size_t n) {
  return std::string(n, c);
}

TEST(PieceEndTest, CutsOnlyRestsLongerThan12000AndEndsAfterTheNextCrLf) {
  struct Case {
    const char* name;
    std::string text;
    size_t start;
    size_t end;
  };
  const std::string tail = Repeat('y', 3000);
  const Case cases[] = {
      {"exactly 12000 stay whole", Repeat('x', 12000), 0, 12000},
      {"no line break after the head", Repeat('x', 12001), 0, 12001},
      {"line break after the head", Repeat('x', 9999) + "ab\r\n" + tail, 0, 10003},
      {"line break right at the head's end", Repeat('x', 9999) + "\r\n" + tail, 0, 10001},
      {"a line break straddling the head's end does not count", Repeat('x', 9998) + "\r\nzz\r\n" + tail, 0,
       10004},
      {"later start", "ab\r\n" + Repeat('x', 9999) + "c\r\n" + tail, 4, 10006},
      {"short rest after a start", Repeat('x', 20000), 9000, 20000},
      {"start at the end", "abc", 3, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(PieceEnd(c.text, c.start), c.end) << c.name;
}

// The body as the lines of the whole text give it, without cutting it into pieces.
std::string OnePieceBody(std::string_view text) {
  TextRun run;
  std::string out;
  AppendPieceLines(text, run, out);
  out.append("</p>");
  return out;
}

// A text of `blocks` blocks with every kind of line: isolated headings, two headings in a row,
// ten-space headings, indented lines, hyphen joins, sentence ends before lower-case Cyrillic
// and before capitals.
std::string MixedText(int blocks) {
  std::string text;
  for (int i = 0; i < blocks; ++i) {
    std::string n = std::to_string(i);
    text += "\r\nChapter " + n + "\r\n\r\nSection " + n + "\r\n\r\n";
    text += "The text of block " + n + " begins here and runs on with a hyphen-\r\n";
    text += "ated word. Then a sentence ends.\r\n";
    text += "\xD2\xE5\xEA\xF1\xF2 \xE1\xEB\xEE\xEA\xE0 \xE8\xE4\xE5\xF2 \xE4\xE0\xEB\xFC\xF8\xE5.\r\n";
    text += "\xE8 \xEF\xF0\xEE\xE4\xEE\xEB\xE6\xE0\xE5\xF2\xF1\xFF <here>.\r\n";
    text += "  An indented line opens a paragraph:\r\n";
    text += "          A ten-space heading " + n + "\r\n";
    text += "More words after it, ending without a stop\r\n";
  }
  return text;
}

// True when the piece ending at `end` ends as it would inside one piece: it does not end with an
// empty line, and its last line needs no look at the next line: it is not isolated (an empty
// line before it and one after it) and no sentence end followed by lower-case Cyrillic.
bool EndsOrdinarily(std::string_view text, size_t end) {
  if (end >= text.size()) return true;
  if (end >= 4 && text.substr(end - 4, 4) == "\r\n\r\n") return false;
  const size_t previous = text.rfind("\r\n", end - 3);
  const size_t lineStart = previous == std::string_view::npos ? 0 : previous + 2;
  const bool emptyBefore = lineStart == 2 || (lineStart >= 4 && text.substr(lineStart - 4, 4) == "\r\n\r\n");
  if (emptyBefore && text[end] == '\r') return false;
  const std::string_view line = text.substr(lineStart, end - 2 - lineStart);
  const size_t last = line.find_last_not_of(' ');
  const bool sentenceEnd =
      last != std::string_view::npos && std::string_view(".!?:").find(line[last]) != std::string_view::npos;
  return !(sentenceEnd && static_cast<unsigned char>(text[end]) >= 0xE0);
}

TEST(TextPiecesTest, LongTextConvertsAsInOnePiece) {
  const std::string text = MixedText(200);
  std::vector<size_t> ends;
  for (size_t start = 0; start < text.size(); start = ends.back()) ends.push_back(PieceEnd(text, start));
  ASSERT_GE(ends.size(), 4u) << "the text should be over three pieces long";
  for (size_t end : ends) ASSERT_TRUE(EndsOrdinarily(text, end)) << "piece end " << end;

  Conversion c = ConvertText(text, Settings{});
  testing::PageParts parts = testing::SplitPage(c.page);
  EXPECT_EQ(parts.body, OnePieceBody(text));
  EXPECT_EQ(parts.title, "Chapter 0");
}

// Cuts of the piece ending in line `line` of `text`: a filler so that the line ends the first
// piece, followed by the rest.
std::string TextWithLineBeforeTheFirstCut(std::string_view before, std::string_view line,
                                          std::string_view after) {
  std::string text = Repeat('x', 9990) + "\r\n";
  text += before;
  text += line;
  text += "\r\n";
  text += after;
  text += Repeat('z', 3000) + "\r\n";
  return text;
}

TEST(TextPiecesTest, LineBeforeACutDoesNotSeeTheLineAfterIt) {
  // An isolated line ending the first piece: the empty line after it is in the next piece.
  const std::string isolated = TextWithLineBeforeTheFirstCut("\r\n", "Heading", "\r\n");
  ASSERT_EQ(PieceEnd(isolated, 0), 9992 + 2 + 7 + 2);
  EXPECT_NE(OnePieceBody(isolated).find("<h2>Heading</h2>"), std::string::npos);
  std::string body = testing::SplitPage(ConvertText(isolated, Settings{}).page).body;
  EXPECT_EQ(body.find("<h2>Heading</h2>"), std::string::npos);
  EXPECT_NE(body.find("x Heading "), std::string::npos);

  // A sentence end before a cut: the lower-case continuation is in the next piece.
  const std::string sentence = TextWithLineBeforeTheFirstCut("", "End of sentence.", "\xE4\xE0\r\n");
  EXPECT_NE(OnePieceBody(sentence).find("End of sentence. \xE4\xE0 "), std::string::npos);
  body = testing::SplitPage(ConvertText(sentence, Settings{}).page).body;
  EXPECT_NE(body.find("End of sentence. </p>\r\n<p>\xE4\xE0 "), std::string::npos);
}

}  // namespace
}  // namespace tessarine
