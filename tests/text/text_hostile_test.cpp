// Texts of hostile shapes: every one converts in linear time into a well-formed page.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "settings/settings.h"
#include "text/convert_text.h"

namespace tessarine {
namespace {

constexpr size_t kMegabyte = 1 << 20;

// `unit` repeated until the text holds at least `bytes` bytes.
std::string Repeated(std::string_view unit, size_t bytes) {
  std::string text;
  text.reserve(bytes + unit.size());
  while (text.size() < bytes) text.append(unit);
  return text;
}

void ExpectWellFormed(const std::string& page) {
  EXPECT_EQ(page.rfind("<!DOCTYPE HTML", 0), 0u);
  const std::string close = "</p></body>\r\n</html>";
  ASSERT_GE(page.size(), close.size());
  EXPECT_EQ(page.substr(page.size() - close.size()), close);
}

TEST(TextHostileTest, PathologicalShapesConvertQuickly) {
  struct Shape {
    const char* name;
    std::string text;
  };
  const Shape shapes[] = {
      {"only line breaks", Repeated("\r\n", kMegabyte)},
      {"one long line", std::string(kMegabyte, 'w') + "\r\n"},
      {"long line of spaces", std::string(kMegabyte, ' ') + "\r\n"},
      {"lone carriage returns", std::string(kMegabyte, '\r') + "\r\n"},
      {"lone line feeds", "\r\n" + std::string(kMegabyte, '\n')},
      {"angle brackets", std::string(kMegabyte, '<') + "\r\n" + std::string(kMegabyte, '>')},
      {"isolated lines", Repeated("\r\nx\r\n", kMegabyte)},
      {"hyphens", Repeated("-\r\n", kMegabyte)},
  };
  for (const Shape& s : shapes) {
    const auto start = std::chrono::steady_clock::now();
    Conversion c = ConvertText(s.text, Settings{});
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(c.refusal, Refusal::kNone) << s.name;
    ExpectWellFormed(c.page);
    // About a millisecond in an optimised build; generous for sanitizers and a busy machine.
    EXPECT_LT(elapsed, std::chrono::seconds(5)) << s.name;
  }
}

TEST(TextHostileTest, RandomBytesNeverBreakThePage) {
  uint32_t seed = 7;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  // Bytes drawn mostly from the characters that decide structure.
  const std::string alphabet = "\r\n\r\n   -.!?:<>a\xE0\xFF\xC0\xB8";
  for (int round = 0; round < 200; ++round) {
    std::string text(next() % 40000, ' ');
    for (char& c : text) c = alphabet[next() % alphabet.size()];
    text += "\r\n";
    Conversion c = ConvertText(text, Settings{});
    ASSERT_EQ(c.refusal, Refusal::kNone);
    ExpectWellFormed(c.page);
    // The text's own angle brackets never reach the page as mark-up of their own.
    EXPECT_EQ(c.page.find("<<"), std::string::npos);
    EXPECT_EQ(c.page.find(">>"), std::string::npos);
  }
}

}  // namespace
}  // namespace tessarine
