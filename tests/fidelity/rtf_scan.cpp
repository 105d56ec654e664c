#include "tests/fidelity/rtf_scan.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "base/code_page.h"
#include "base/cp1251.h"

namespace tessarine::testing {

namespace {

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return out;
}

}  // namespace

ControlWord ReadControlWord(std::string_view rtf, size_t at) {
  ControlWord w;
  size_t i = at + 1;
  if (i >= rtf.size()) {
    w.end = rtf.size();
    return w;
  }
  if (!IsLetter(rtf[i])) {
    w.word = rtf.substr(i, 1);
    w.end = i + 1;
    return w;
  }
  const size_t start = i;
  while (i < rtf.size() && IsLetter(rtf[i]) && i - start < 32) ++i;
  w.word = rtf.substr(start, i - start);
  const size_t digits = i < rtf.size() && rtf[i] == '-' ? i + 1 : i;
  size_t e = digits;
  while (e < rtf.size() && IsDigit(rtf[e]) && e - digits < 10) ++e;
  if (e > digits) {
    w.has_parameter = true;
    w.parameter = std::strtol(std::string(rtf.substr(i, e - i)).c_str(), nullptr, 10);
    i = e;
  }
  if (i < rtf.size() && rtf[i] == ' ') ++i;
  w.end = i;
  return w;
}

size_t GroupEnd(std::string_view rtf, size_t open) {
  int depth = 0;
  for (size_t i = open; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      const ControlWord w = ReadControlWord(rtf, i);
      i = w.end - 1;
      if (w.word == "bin" && w.parameter > 0) i = std::min(rtf.size() - 1, i + w.parameter);
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}' && --depth == 0) {
      return i + 1;
    }
  }
  return rtf.size();
}

std::string_view GroupWord(std::string_view rtf, size_t open) {
  size_t i = open + 1;
  while (i < rtf.size() && (rtf[i] == '\r' || rtf[i] == '\n' || rtf[i] == ' ')) ++i;
  if (rtf.substr(i, 2) == "\\*") i += 2;
  while (i < rtf.size() && (rtf[i] == '\r' || rtf[i] == '\n' || rtf[i] == ' ')) ++i;
  if (i >= rtf.size() || rtf[i] != '\\') return {};
  return ReadControlWord(rtf, i).word;
}

ByteTable DocumentCodePage(std::string_view rtf) {
  ByteTable table;
  for (int b = 0; b < 256; ++b) table[b] = Cp1251ToUnicode(static_cast<unsigned char>(b));
  const std::string_view header = rtf.substr(0, std::min<size_t>(rtf.size(), 1024));
  long number = 0;
  if (const size_t at = header.find("\\ansicpg"); at != std::string_view::npos) {
    number = std::strtol(std::string(header.substr(at + 8, 6)).c_str(), nullptr, 10);
  } else {
    for (size_t mac = header.find("\\mac"); mac != std::string_view::npos;
         mac = header.find("\\mac", mac + 1)) {
      if (mac + 4 == header.size() || !IsLetter(header[mac + 4])) number = 10000;
    }
  }
  if (number == 0 || number == 1251) return table;
  const std::optional<CodePage> page = CodePage::Open(number);
  if (!page || page->double_byte()) return table;
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
  const std::vector<CodePage::Character> characters = page->Decode(bytes);
  for (size_t b = 0; b < characters.size() && b < 256; ++b) {
    if (characters[b].value) table[b] = *characters[b].value;
  }
  return table;
}

std::string GroupText(std::string_view rtf, size_t open, size_t end, const ByteTable& code_page,
                      AtTab at_tab) {
  std::string out;
  int skip = 0;  // fallback characters of a "\uN" still to pass over
  long uc = 1;
  for (size_t i = open + 1; i < end; ++i) {
    const char c = rtf[i];
    if (c == '{') {
      if (rtf.substr(i, 3) == "{\\*") i = GroupEnd(rtf, i) - 1;
      continue;
    }
    if (c == '}' || c == '\r' || c == '\n') continue;
    if (c != '\\') {
      if (skip > 0) {
        --skip;
      } else {
        AppendUtf8(out, code_page[static_cast<unsigned char>(c)]);
      }
      continue;
    }
    const ControlWord w = ReadControlWord(rtf, i);
    i = w.end - 1;
    char32_t character = 0;
    if (w.word == "'") {
      if (i + 2 < end && IsHexDigit(rtf[i + 1]) && IsHexDigit(rtf[i + 2])) {
        character = code_page[static_cast<unsigned char>(
            std::strtoul(std::string(rtf.substr(i + 1, 2)).c_str(), nullptr, 16))];
        i += 2;
      }
    } else if (w.word == "\\" || w.word == "{" || w.word == "}") {
      character = static_cast<unsigned char>(w.word[0]);
    } else if (w.word == "~") {
      character = 0xA0;
    } else if (w.word == "u" && w.has_parameter) {
      AppendUtf8(out, static_cast<char32_t>(w.parameter < 0 ? w.parameter + 65536 : w.parameter));
      skip = static_cast<int>(std::clamp(uc, 0L, 8L));
      continue;
    } else if (w.word == "uc") {
      uc = w.parameter;
    } else if (w.word == "tab") {
      if (at_tab == AtTab::kStop) break;
      character = '\t';
    } else if (w.word == "bullet") {
      character = 0x2022;
    } else if (w.word == "endash") {
      character = 0x2013;
    } else if (w.word == "emdash") {
      character = 0x2014;
    } else if (w.word == "bin") {
      i += std::max(0L, w.parameter);
    }
    if (character == 0) continue;
    if (skip > 0) {
      --skip;
    } else {
      AppendUtf8(out, character);
    }
  }
  return out;
}

std::string HyperlinkTarget(std::string_view instruction) {
  std::vector<std::pair<std::string, bool>> arguments;  // text, is a switch
  size_t i = 0;
  while (i < instruction.size()) {
    const char c = instruction[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    std::string text;
    if (c == '"') {
      // A field's quoted text doubles its backslashes and escapes its quotes.
      for (++i; i < instruction.size() && instruction[i] != '"'; ++i) {
        if (instruction[i] == '\\' && i + 1 < instruction.size() &&
            (instruction[i + 1] == '\\' || instruction[i + 1] == '"')) {
          ++i;
        }
        text.push_back(instruction[i]);
      }
      ++i;
      arguments.push_back({text, false});
      continue;
    }
    const size_t e = std::min(instruction.find_first_of(" \t\r\n\"", i), instruction.size());
    text = instruction.substr(i, e - i);
    arguments.push_back({text, text.starts_with('\\')});
    i = e;
  }
  if (arguments.empty() || Lower(arguments[0].first) != "hyperlink") return "";
  std::string url, anchor;
  for (size_t k = 1; k < arguments.size(); ++k) {
    const auto& [text, is_switch] = arguments[k];
    if (is_switch) {
      const std::string name = Lower(text);
      if ((name == "\\l" || name == "\\o" || name == "\\t") && k + 1 < arguments.size()) {
        if (name == "\\l") anchor = arguments[k + 1].first;
        ++k;
      }
    } else if (url.empty()) {
      url = text;
    }
  }
  if (url.empty() || url.starts_with('#') || IsScriptTarget(url)) return "";
  return anchor.empty() ? url : url + "#" + anchor;
}

bool IsScriptTarget(std::string_view target) {
  const std::string lower = Lower(target);
  return lower.starts_with("javascript:") || lower.starts_with("vbscript:") || lower.starts_with("data:");
}

}  // namespace tessarine::testing
