#include "tests/fidelity/words.h"

#include <algorithm>
#include <cstdlib>

#include "base/cp1251.h"

namespace tessarine::testing {

namespace {

// True for the first byte of a word character: an ASCII letter or digit, or any non-ASCII
// character other than the punctuation and spaces of the general punctuation block and NBSP.
bool IsWordStart(std::string_view s, size_t i, size_t* length) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    *length = 1;
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  }
  size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
  n = std::min(n, s.size() - i);
  *length = n;
  std::string_view ch = s.substr(i, n);
  if (ch == "\xC2\xA0" || ch == "\xC2\xAB" || ch == "\xC2\xBB" || ch == "\xC2\xB7") return false;
  if (n == 3 && static_cast<unsigned char>(ch[0]) == 0xE2 && static_cast<unsigned char>(ch[1]) == 0x80) return false;
  if (ch == "\xEF\xBF\xBD") return false;
  return true;
}

}  // namespace

bool IsWordCharacter(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c == 0xA0 || c == 0xAB || c == 0xBB || c == 0xB7 || c == 0xFFFD) return false;
  return c < 0x2000 || c > 0x203F;
}

char32_t DecodeEntity(std::string_view entity) {
  if (entity == "lt") return '<';
  if (entity == "gt") return '>';
  if (entity == "amp") return '&';
  if (entity == "quot") return '"';
  if (entity == "nbsp") return 0xA0;
  if (entity.size() < 2 || entity[0] != '#') return 0;
  const bool hex = entity[1] == 'x' || entity[1] == 'X';
  const std::string digits(entity.substr(hex ? 2 : 1));
  if (digits.empty()) return 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
  return *end == '\0' && value <= 0x10FFFF ? static_cast<char32_t>(value) : 0;
}

WordCounts WordsOfText(std::string_view utf8) {
  WordCounts words;
  std::string word;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t length = 1;
    if (IsWordStart(utf8, i, &length)) {
      word.append(utf8.substr(i, length));
    } else if (!word.empty()) {
      ++words[word];
      word.clear();
    }
    i += length;
  }
  if (!word.empty()) ++words[word];
  return words;
}

std::string PageText(std::string_view page) {
  const size_t body = page.find("<body");
  const size_t end = page.rfind("</body>");
  if (body == std::string_view::npos) return {};
  page = page.substr(body, end == std::string_view::npos || end < body ? std::string_view::npos : end - body);
  std::string text;
  size_t i = 0;
  while (i < page.size()) {
    const char c = page[i];
    if (c == '<') {
      const size_t close = page.find('>', i);
      i = close == std::string_view::npos ? page.size() : close + 1;
      text.push_back(' ');
      continue;
    }
    if (c == '&') {
      const size_t semi = page.find(';', i);
      if (semi != std::string_view::npos && semi - i <= 10) {
        const char32_t decoded = DecodeEntity(page.substr(i + 1, semi - i - 1));
        if (decoded != 0) {
          AppendUtf8(text, decoded);
          i = semi + 1;
          continue;
        }
      }
    }
    AppendUtf8(text, Cp1251ToUnicode(static_cast<unsigned char>(c)));
    ++i;
  }
  return text;
}

WordCounts WordsOfPage(std::string_view page) {
  return WordsOfText(PageText(page));
}

long WordsKept(const WordCounts& reference, const WordCounts& candidate) {
  long kept = 0;
  for (const auto& [word, count] : reference) {
    auto it = candidate.find(word);
    if (it != candidate.end()) kept += std::min(count, it->second);
  }
  return kept;
}

long DistinctWordsKept(const WordCounts& reference, const WordCounts& candidate) {
  long kept = 0;
  for (const auto& [word, count] : reference) kept += candidate.count(word) > 0 ? 1 : 0;
  return kept;
}

long WordCount(const WordCounts& words) {
  long n = 0;
  for (const auto& [word, count] : words) n += count;
  return n;
}

}  // namespace tessarine::testing
