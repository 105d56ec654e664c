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
  size_t body = page.find("<body");
  size_t end = page.rfind("</body>");
  if (body == std::string_view::npos) return {};
  page = page.substr(body, end == std::string_view::npos ? std::string_view::npos : end - body);
  std::string text;
  size_t i = 0;
  while (i < page.size()) {
    char c = page[i];
    if (c == '<') {
      size_t close = page.find('>', i);
      i = close == std::string_view::npos ? page.size() : close + 1;
      text.push_back(' ');
      continue;
    }
    if (c == '&') {
      size_t semi = page.find(';', i);
      if (semi != std::string_view::npos && semi - i <= 10) {
        std::string_view entity = page.substr(i + 1, semi - i - 1);
        char32_t decoded = 0;
        if (entity == "lt") decoded = '<';
        else if (entity == "gt") decoded = '>';
        else if (entity == "amp") decoded = '&';
        else if (entity == "quot") decoded = '"';
        else if (entity == "nbsp") decoded = ' ';
        else if (!entity.empty() && entity[0] == '#') decoded = static_cast<char32_t>(std::strtoul(std::string(entity.substr(1)).c_str(), nullptr, 10));
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
  return WordsOfText(text);
}

long WordsKept(const WordCounts& reference, const WordCounts& candidate) {
  long kept = 0;
  for (const auto& [word, count] : reference) {
    auto it = candidate.find(word);
    if (it != candidate.end()) kept += std::min(count, it->second);
  }
  return kept;
}

long WordCount(const WordCounts& words) {
  long n = 0;
  for (const auto& [word, count] : words) n += count;
  return n;
}

}  // namespace tessarine::testing
