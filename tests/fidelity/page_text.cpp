#include "tests/fidelity/page_text.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <utility>

#include "base/cp1251.h"

namespace tessarine::testing {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return out;
}

bool IsOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

std::string TagName(std::string_view tag) {
  const size_t start = tag.starts_with('/') ? 1 : 0;
  size_t end = start;
  while (end < tag.size() && IsAsciiLetterOrDigit(tag[end])) ++end;
  if (end == start) return "";
  return (start == 1 ? "/" : "") + Lower(tag.substr(start, end - start));
}

std::string Attribute(std::string_view tag, std::string_view name, bool* found) {
  const std::string lower = Lower(tag);
  *found = false;
  for (size_t at = lower.find(name); at != std::string::npos; at = lower.find(name, at + 1)) {
    const bool starts = at > 0 && IsSpace(lower[at - 1]);
    size_t eq = at + name.size();
    while (eq < lower.size() && lower[eq] == ' ') ++eq;
    if (!starts || eq >= lower.size() || lower[eq] != '=') continue;
    size_t v = eq + 1;
    while (v < tag.size() && tag[v] == ' ') ++v;
    size_t end;
    if (v < tag.size() && (tag[v] == '"' || tag[v] == '\'')) {
      end = tag.find(tag[v], v + 1);
      ++v;
    } else {
      end = v;
      while (end < tag.size() && !IsSpace(tag[end])) ++end;
    }
    const std::string_view value =
        tag.substr(v, end == std::string_view::npos ? std::string_view::npos : end - v);
    std::string decoded;
    for (size_t i = 0; i < value.size();) {
      size_t next = i + 1;
      const char32_t c = value[i] == '&' ? ReferenceAt(value, i, &next) : 0;
      AppendUtf8(decoded, c != 0 ? c : Cp1251ToUnicode(static_cast<unsigned char>(value[i])));
      i = c != 0 ? next : i + 1;
    }
    *found = true;
    return decoded;
  }
  return "";
}

char32_t DecodeEntity(std::string_view entity) {
  // The Latin-1 entities, U+00A0 to U+00FF in order, and the others a page may hold.
  static constexpr std::string_view kLatin1[] = {
      "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",
      "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",
      "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12",
      "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
      "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde",
      "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",
      "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",
      "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
      "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
      "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};
  static constexpr std::pair<std::string_view, char32_t> kOthers[] = {
      {"lt", '<'},        {"gt", '>'},        {"amp", '&'},       {"quot", '"'},      {"apos", '\''},
      {"OElig", 0x152},   {"oelig", 0x153},   {"Scaron", 0x160},  {"scaron", 0x161},  {"Yuml", 0x178},
      {"fnof", 0x192},    {"circ", 0x2C6},    {"tilde", 0x2DC},   {"ensp", 0x2002},   {"emsp", 0x2003},
      {"thinsp", 0x2009}, {"zwnj", 0x200C},   {"zwj", 0x200D},    {"lrm", 0x200E},    {"rlm", 0x200F},
      {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018},  {"rsquo", 0x2019},  {"sbquo", 0x201A},
      {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"bdquo", 0x201E},  {"dagger", 0x2020}, {"Dagger", 0x2021},
      {"bull", 0x2022},   {"hellip", 0x2026}, {"permil", 0x2030}, {"prime", 0x2032},  {"Prime", 0x2033},
      {"lsaquo", 0x2039}, {"rsaquo", 0x203A}, {"euro", 0x20AC},   {"trade", 0x2122},  {"larr", 0x2190},
      {"rarr", 0x2192}};
  for (size_t k = 0; k < std::size(kLatin1); ++k) {
    if (entity == kLatin1[k]) return static_cast<char32_t>(0xA0 + k);
  }
  for (const auto& [name, c] : kOthers) {
    if (entity == name) return c;
  }
  if (entity.size() < 2 || entity[0] != '#') return 0;
  const bool hex = entity[1] == 'x' || entity[1] == 'X';
  const std::string digits(entity.substr(hex ? 2 : 1));
  if (digits.empty()) return 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
  return *end == '\0' && value <= 0x10FFFF ? static_cast<char32_t>(value) : 0;
}

char32_t ReferenceAt(std::string_view s, size_t i, size_t* next) {
  const size_t semi = s.substr(i, 11).find(';');
  if (semi == std::string_view::npos) return 0;
  const char32_t c = DecodeEntity(s.substr(i + 1, semi - 1));
  if (c != 0) *next = i + semi + 1;
  return c;
}

bool StartsLine(std::string_view name) {
  return IsOneOf(name, {"p", "br", "td", "th", "li", "div", "h1", "h2", "h3", "h4", "h5", "h6"});
}

bool WordBreaks::AtTag(std::string_view tag) {
  const std::string name = TagName(tag);
  if (name == "a") {
    bool found = false;
    in_page_link_ = Attribute(tag, "href", &found).starts_with('#');
  } else if (name == "/a") {
    after_link_ = in_page_link_;
    in_page_link_ = false;
    return false;
  } else if (name == "sup" && after_link_) {
    in_mark_ = true;
    return true;
  } else if (name == "/sup" && in_mark_) {
    in_mark_ = false;
    return true;
  }
  std::string_view n = name;
  if (n.starts_with('/')) n.remove_prefix(1);
  return StartsLine(n) || IsOneOf(n, {"tr", "table", "hr", "ul", "ol", "img"});
}

std::string PageText(std::string_view page) {
  const size_t body = page.find("<body");
  const size_t end = page.rfind("</body>");
  if (body == std::string_view::npos) return {};
  page = page.substr(body, end == std::string_view::npos || end < body ? std::string_view::npos : end - body);
  std::string text;
  WordBreaks breaks;
  size_t i = page.find('>');
  i = i == std::string_view::npos ? page.size() : i + 1;
  while (i < page.size()) {
    if (page.substr(i, 4) == "<!--") {
      const size_t close = page.find("-->", i);
      i = close == std::string_view::npos ? page.size() : close + 3;
    } else if (page[i] == '<') {
      const size_t close = page.find('>', i);
      if (close == std::string_view::npos) break;
      if (breaks.AtTag(page.substr(i + 1, close - i - 1))) text.push_back(' ');
      i = close + 1;
    } else {
      size_t next = i + 1;
      const char32_t c = page[i] == '&' ? ReferenceAt(page, i, &next) : 0;
      AppendUtf8(text, c != 0 ? c : Cp1251ToUnicode(static_cast<unsigned char>(page[i])));
      breaks.AtText();
      i = c != 0 ? next : i + 1;
    }
  }
  return text;
}

}  // namespace tessarine::testing
