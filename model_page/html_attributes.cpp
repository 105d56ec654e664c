#include "model_page/html_attributes.h"

#include "base/cp1251.h"
#include "model_page/text_encoding.h"
#include "page/link_target.h"

namespace tessarine {

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool StartsWithIgnoringCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsIgnoringCase(s.substr(0, prefix.size()), prefix);
}

// Attributes through which an element loads, sends or embeds something by itself.
bool IsLoadingAttribute(std::string_view name) {
  static constexpr std::string_view kLoading[] = {
      "src",        "srcset",  "lowsrc",  "dynsrc",     "background",  "poster",         "data",
      "codebase",   "classid", "archive", "profile",    "manifest",    "ping",           "action",
      "formaction", "srcdoc",  "icon",    "xlink:href", "imagesrcset", "attributionsrc",
  };
  for (std::string_view loading : kLoading) {
    if (EqualsIgnoringCase(name, loading)) return true;
  }
  return false;
}

// The characters a named reference stands for, of those that can change how a URL or a style
// is read; 0 for the others, which stay as written.
char NamedCharacter(std::string_view name) {
  struct Named {
    std::string_view name;
    char c;
  };
  static constexpr Named kNamed[] = {
      {"colon", ':'}, {"tab", '\t'},   {"newline", '\n'}, {"lpar", '('}, {"rpar", ')'},
      {"bsol", '\\'}, {"sol", '/'},    {"ast", '*'},      {"amp", '&'},  {"quot", '"'},
      {"apos", '\''}, {"lt", '<'},     {"gt", '>'},       {"semi", ';'}, {"num", '#'},
      {"excl", '!'},  {"period", '.'}, {"comma", ','},    {"nbsp", ' '}, {"commat", '@'},
  };
  for (const Named& named : kNamed) {
    if (EqualsIgnoringCase(name, named.name)) return named.c;
  }
  return 0;
}

// Appends `value` (UTF-8) to `out` with its character references resolved as a browser resolves
// them (numeric ones with or without ";", the named ones NamedCharacter knows); other named
// references stay as written.
void DecodeReferences(std::string_view value, std::string& out) {
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '&') {
      out.push_back(value[i]);
      continue;
    }
    size_t p = i + 1;
    if (p < value.size() && value[p] == '#') {
      ++p;
      const bool hex = p < value.size() && (value[p] == 'x' || value[p] == 'X');
      if (hex) ++p;
      uint32_t code = 0;
      const size_t digits_start = p;
      for (; p < value.size(); ++p) {
        const char d = Lower(value[p]);
        const int digit = (d >= '0' && d <= '9')          ? d - '0'
                          : (hex && d >= 'a' && d <= 'f') ? d - 'a' + 10
                                                          : -1;
        if (digit < 0) break;
        if (code < 0x110000) code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
      }
      if (p == digits_start) {
        out.push_back('&');
        continue;
      }
      if (p < value.size() && value[p] == ';') ++p;
      AppendUtf8(out, code == 0 ? U'\uFFFD' : static_cast<char32_t>(code));
      i = p - 1;
      continue;
    }
    size_t end = p;
    while (end < value.size() && end - p < 8 && IsAsciiLetter(value[end])) ++end;
    const char named = NamedCharacter(value.substr(p, end - p));
    if (named == 0) {
      out.push_back('&');
      continue;
    }
    if (end < value.size() && value[end] == ';') ++end;
    out.push_back(named);
    i = end - 1;
  }
}

// The declarations of the decoded style `decoded` (`lower` lower-cased) but those that load,
// joined by ";" again; empty when nothing but spaces is left.
std::string DeclarationsThatStay(std::string_view decoded, std::string_view lower) {
  std::string kept;
  bool any = false;
  for (size_t start = 0; start <= decoded.size();) {
    size_t end = decoded.find(';', start);
    if (end == std::string_view::npos) end = decoded.size();
    if (!LoadsFromOutside(lower.substr(start, end - start))) {
      if (any) kept.push_back(';');
      kept.append(decoded.substr(start, end - start));
      any = true;
    }
    start = end + 1;
  }
  if (kept.find_first_not_of(" \t\r\n;") == std::string::npos) return {};
  return kept;
}

// Whether `value` is inline image data as a browser reads it: "data:image/" after leading spaces
// and control characters, spelt without references.
bool IsImageData(std::string_view value) {
  size_t first = 0;
  while (first < value.size() && static_cast<unsigned char>(value[first]) <= 0x20) ++first;
  return StartsWithIgnoringCase(value.substr(first), "data:image/");
}

void AppendName(std::string& out, std::string_view name) {
  out.push_back(' ');
  for (char c : name) out.push_back(Lower(c));
  out.append("=\"");
}

}  // namespace

bool IsUnsafeStyle(std::string_view lower) {
  for (std::string_view word :
       {"expression", "javascript", "vbscript", "behavior", "binding", "@import", "\\", "/*"}) {
    if (lower.find(word) != std::string_view::npos) return true;
  }
  return false;
}

bool LoadsFromOutside(std::string_view lower) {
  for (std::string_view function : {"url(", "image(", "image-set(", "cross-fade(", "element(", "src("}) {
    if (lower.find(function) != std::string_view::npos) return true;
  }
  return false;
}

bool AppendSafeAttribute(std::string& out, std::string_view element, const HtmlAttribute& attribute) {
  const std::string_view name = attribute.name;
  if (name.size() >= 2 && Lower(name[0]) == 'o' && Lower(name[1]) == 'n') return false;
  const bool link = EqualsIgnoringCase(element, "a") || EqualsIgnoringCase(element, "area");
  if (EqualsIgnoringCase(name, "src") && EqualsIgnoringCase(element, "img") && IsImageData(attribute.value)) {
    AppendName(out, name);
    AppendConvertedHtml(out, attribute.value, true);
    out.push_back('"');
    return true;
  }
  if (IsLoadingAttribute(name) || (EqualsIgnoringCase(name, "href") && !link)) return false;

  std::string written;
  if (EqualsIgnoringCase(name, "style")) {
    // What the browser will read is written, so what is checked is what it reads.
    std::string decoded;
    DecodeReferences(attribute.value, decoded);
    std::string lower = decoded;
    for (char& c : lower) c = Lower(c);
    if (IsUnsafeStyle(lower)) return false;
    const std::string kept = DeclarationsThatStay(decoded, lower);
    if (kept.empty()) return false;
    AppendHtmlText(written, kept, Escape::kAttribute);
  } else {
    AppendConvertedHtml(written, attribute.value, true);
  }
  if (IsScriptTarget(written)) return false;
  AppendName(out, name);
  out.append(written);
  out.push_back('"');
  return true;
}

}  // namespace tessarine
