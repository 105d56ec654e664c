#include "tests/fidelity/words.h"

#include <algorithm>
#include <cstdlib>

#include "base/cp1251.h"
#include "tests/fidelity/page_text.h"

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
