#include "tests/fidelity/page_structure.h"

#include <cstdlib>
#include <map>

#include "base/cp1251.h"

namespace tessarine::testing {

namespace {

bool IsSpace(char32_t c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0;
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return out;
}

// The value of attribute `name` in a tag's text (quoted or not), entities &amp; and &quot;
// decoded; "" when the tag has none. `found` tells whether it is there.
std::string Attribute(std::string_view tag, std::string_view name, bool* found = nullptr) {
  const std::string lower = Lower(tag);
  size_t at = 0;
  if (found != nullptr) *found = false;
  while ((at = lower.find(name, at)) != std::string::npos) {
    const bool starts = at > 0 && (lower[at - 1] == ' ' || lower[at - 1] == '\t' || lower[at - 1] == '\n');
    size_t eq = at + name.size();
    while (eq < lower.size() && lower[eq] == ' ') ++eq;
    if (!starts || eq >= lower.size() || lower[eq] != '=') {
      at += name.size();
      continue;
    }
    size_t v = eq + 1;
    while (v < tag.size() && tag[v] == ' ') ++v;
    std::string value;
    if (v < tag.size() && (tag[v] == '"' || tag[v] == '\'')) {
      const size_t close = tag.find(tag[v], v + 1);
      value = std::string(
          tag.substr(v + 1, close == std::string_view::npos ? std::string_view::npos : close - v - 1));
    } else {
      size_t e = v;
      while (e < tag.size() && tag[e] != ' ' && tag[e] != '>') ++e;
      value = std::string(tag.substr(v, e - v));
    }
    for (const auto& [entity, ch] :
         {std::pair{"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
      size_t p = 0;
      while ((p = value.find(entity, p)) != std::string::npos) {
        value.replace(p, std::string_view(entity).size(), ch);
        p += 1;
      }
    }
    if (found != nullptr) *found = true;
    return value;
  }
  return "";
}

std::string TagName(std::string_view tag) {
  size_t start = tag.starts_with('/') ? 1 : 0;
  size_t end = start;
  while (end < tag.size() && (IsLetter(tag[end]) || (tag[end] >= '0' && tag[end] <= '9'))) ++end;
  return (start == 1 ? "/" : "") + Lower(tag.substr(start, end - start));
}

bool IsParagraphStart(const std::string& name) {
  return name == "p" || name == "li" ||
         (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6');
}

bool IsBreakingTag(const std::string& name) {
  static const char* const kNames[] = {"p",  "br", "td", "th", "tr", "table", "hr", "li", "div",
                                       "ul", "ol", "h1", "h2", "h3", "h4",    "h5", "h6"};
  std::string_view n = name;
  if (n.starts_with('/')) n.remove_prefix(1);
  for (const char* k : kNames) {
    if (n == k) return true;
  }
  return false;
}

// Words with the formatting in force at their first character.
class WordCollector {
 public:
  void Add(char32_t c, bool bold, bool italic, bool underline) {
    if (IsWordCharacter(c)) {
      if (word_.empty()) {
        bold_ = bold;
        italic_ = italic;
        underline_ = underline;
      }
      AppendUtf8(word_, c);
    } else {
      End();
    }
  }
  void End() {
    if (word_.empty()) return;
    if (bold_) ++out_->bold[word_];
    if (italic_) ++out_->italic[word_];
    if (underline_) ++out_->underline[word_];
    word_.clear();
  }
  PageStructure* out_ = nullptr;

 private:
  // The word characters of WordsOfText.
  static bool IsWordCharacter(char32_t c) {
    if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (c == 0xA0 || c == 0xAB || c == 0xBB || c == 0xB7 || c == 0xFFFD) return false;
    return !(c >= 0x2000 && c <= 0x203F);
  }
  std::string word_;
  bool bold_ = false, italic_ = false, underline_ = false;
};

}  // namespace

std::string NormalMarker(std::string_view utf8) {
  std::string s(utf8);
  for (;;) {
    if (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
      s.pop_back();
    } else if (s.ends_with("\xC2\xA0")) {
      s.resize(s.size() - 2);
    } else {
      break;
    }
  }
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.erase(0, 1);
  static const char* const kBullets[] = {"\xE2\x80\xA2",
                                         "\xC2\xB7",
                                         "\xE2\x97\xA6",
                                         "\xE2\x96\xAA",
                                         "\xEF\x82\xB7",
                                         "\xEF\x82\xA7",
                                         "\xE2\x97\x8F",
                                         "\xE2\x96\xA0",
                                         "\xE2\x96\xA1",
                                         "\xE2\x80\x93",
                                         "\xE2\x80\x94",
                                         "-",
                                         "o",
                                         "\xEF\x82\xA8",
                                         "\xEF\x83\x98",
                                         "\xE2\x9E\xA2",
                                         "\xE2\x9C\x93",
                                         "\xC2\xA7",
                                         "*"};
  for (const char* b : kBullets) {
    if (s == b) return "*";
  }
  return s;
}

PageStructure ReadPageStructure(std::string_view page) {
  PageStructure out;
  const size_t body = page.find("<body");
  if (body == std::string_view::npos) return out;
  const size_t notes_start = page.rfind("<hr color=");

  struct Link {
    bool in_notes;
    std::string target;
  };
  std::vector<Link> links;
  std::map<std::string, bool> anchors;  // name -> in notes
  struct OpenTable {
    bool in_cell = false;
  };
  std::vector<OpenTable> tables;
  int bold = 0, italic = 0, underline = 0;
  WordCollector words;
  words.out_ = &out;
  bool capturing_start = false;
  std::string start;
  auto end_start = [&] {
    if (capturing_start && !start.empty()) out.paragraph_starts.push_back(start);
    capturing_start = false;
    start.clear();
  };

  size_t i = page.find('>', body);
  i = i == std::string_view::npos ? page.size() : i + 1;
  while (i < page.size()) {
    const bool in_notes = notes_start != std::string_view::npos && i > notes_start;
    const char c = page[i];
    if (c == '<') {
      const size_t close = page.find('>', i);
      if (close == std::string_view::npos) break;
      const std::string_view tag = page.substr(i + 1, close - i - 1);
      const std::string name = TagName(tag);
      if (IsBreakingTag(name)) {
        words.End();
        end_start();
      }
      if (IsParagraphStart(name)) capturing_start = true;
      if (name == "b" || name == "strong") ++bold;
      if (name == "/b" || name == "/strong") bold = bold > 0 ? bold - 1 : 0;
      if (name == "i" || name == "em") ++italic;
      if (name == "/i" || name == "/em") italic = italic > 0 ? italic - 1 : 0;
      if (name == "u") ++underline;
      if (name == "/u") underline = underline > 0 ? underline - 1 : 0;
      if (name == "sup") ++out.superscripts;
      if (name == "img") ++out.images;
      if (name == "a") {
        bool has_href = false;
        const std::string href = Attribute(tag, "href", &has_href);
        if (has_href) {
          if (href.starts_with('#')) {
            links.push_back({in_notes, href.substr(1)});
          } else {
            out.external_targets.insert(href);
          }
        }
        for (const char* attribute : {"name", "id"}) {
          bool has = false;
          const std::string anchor = Attribute(tag, attribute, &has);
          if (has) anchors.emplace(anchor, in_notes);
        }
      } else {
        bool has_id = false;
        const std::string id = Attribute(tag, "id", &has_id);
        if (has_id) anchors.emplace(id, in_notes);
      }
      if (name == "table") {
        ++out.tables;
        if (!tables.empty() && tables.back().in_cell) ++out.nested_tables;
        tables.push_back({});
      }
      if (name == "/table" && !tables.empty()) tables.pop_back();
      if ((name == "td" || name == "th") && !tables.empty()) {
        tables.back().in_cell = true;
        bool has = false;
        Attribute(tag, "rowspan", &has);
        out.rowspans += has ? 1 : 0;
        Attribute(tag, "colspan", &has);
        out.colspans += has ? 1 : 0;
      }
      if ((name == "/td" || name == "/th") && !tables.empty()) tables.back().in_cell = false;
      i = close + 1;
      continue;
    }
    char32_t ch = Cp1251ToUnicode(static_cast<unsigned char>(c));
    size_t next = i + 1;
    if (c == '&') {
      const size_t semi = page.find(';', i);
      if (semi != std::string_view::npos && semi - i <= 10) {
        const std::string_view entity = page.substr(i + 1, semi - i - 1);
        char32_t decoded = 0;
        if (entity == "lt")
          decoded = '<';
        else if (entity == "gt")
          decoded = '>';
        else if (entity == "amp")
          decoded = '&';
        else if (entity == "quot")
          decoded = '"';
        else if (entity == "nbsp")
          decoded = 0xA0;
        else if (entity.size() > 1 && entity[0] == '#') {
          decoded =
              static_cast<char32_t>(entity[1] == 'x' || entity[1] == 'X'
                                        ? std::strtoul(std::string(entity.substr(2)).c_str(), nullptr, 16)
                                        : std::strtoul(std::string(entity.substr(1)).c_str(), nullptr, 10));
        }
        if (decoded != 0) {
          ch = decoded;
          next = semi + 1;
        }
      }
    }
    words.Add(ch, bold > 0, italic > 0, underline > 0);
    if (capturing_start) {
      if (IsSpace(ch)) {
        if (!start.empty()) end_start();
      } else {
        AppendUtf8(start, ch);
      }
    }
    i = next;
  }
  words.End();
  end_start();

  int to_notes = 0, to_text = 0;
  for (const Link& link : links) {
    auto it = anchors.find(link.target);
    if (it == anchors.end()) {
      ++out.broken_in_page_links;
      continue;
    }
    if (!link.in_notes && it->second) ++to_notes;
    if (link.in_notes && !it->second) ++to_text;
  }
  out.notes_linked_both_ways = std::min(to_notes, to_text);
  return out;
}

namespace {

// True when the control word `word` (with its backslash) stands at `at`, not followed by a letter.
bool WordAt(std::string_view rtf, size_t at, std::string_view word) {
  return rtf.substr(at, word.size()) == word &&
         (at + word.size() >= rtf.size() || !IsLetter(rtf[at + word.size()]));
}

// The end of the group that opens at `open` ("{"), or the end of the text.
size_t GroupEnd(std::string_view rtf, size_t open) {
  int depth = 0;
  for (size_t i = open; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}' && --depth == 0) {
      return i + 1;
    }
  }
  return rtf.size();
}

// The text of a small group: control words left out, "\'hh" read as code page 1251 (the
// documents' own code page for the writers that write list texts), up to its first "\tab".
std::string GroupText(std::string_view group) {
  std::string out;
  for (size_t i = 0; i < group.size(); ++i) {
    const char c = group[i];
    if (c == '{' || c == '}' || c == '\r' || c == '\n') continue;
    if (c != '\\') {
      AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(c)));
      continue;
    }
    if (i + 1 >= group.size()) break;
    const char n = group[i + 1];
    if (n == '\'' && i + 3 < group.size()) {
      const unsigned value = std::strtoul(std::string(group.substr(i + 2, 2)).c_str(), nullptr, 16);
      AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(value)));
      i += 3;
      continue;
    }
    if (!IsLetter(n)) {
      ++i;
      continue;
    }
    size_t e = i + 1;
    while (e < group.size() && IsLetter(group[e])) ++e;
    const std::string_view word = group.substr(i + 1, e - i - 1);
    if (word == "tab") break;
    size_t digits = e;
    if (digits < group.size() && group[digits] == '-') ++digits;
    while (digits < group.size() && group[digits] >= '0' && group[digits] <= '9') ++digits;
    if (word == "u" && digits > e) {
      const long value = std::strtol(std::string(group.substr(e, digits - e)).c_str(), nullptr, 10);
      AppendUtf8(out, static_cast<char32_t>(value < 0 ? value + 65536 : value));
      if (digits < group.size() && group[digits] == ' ') ++digits;
      // One fallback character ("\uc1", as writers use in list texts).
      if (digits < group.size() && group[digits] == '\\' && digits + 1 < group.size() &&
          group[digits + 1] == '\'') {
        digits += 4;
      } else if (digits < group.size() && group[digits] != '\\' && group[digits] != '{' &&
                 group[digits] != '}') {
        ++digits;
      }
      i = digits - 1;
      continue;
    }
    if (digits < group.size() && group[digits] == ' ') ++digits;
    i = digits - 1;
  }
  return out;
}

}  // namespace

SourceFeatures ReadSourceFeatures(std::string_view rtf) {
  SourceFeatures out;
  std::set<std::string> pictures;
  size_t skip_until = 0;  // the end of a "\nonshppict" group being passed over
  for (size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '{' && rtf.substr(i, 12) == "{\\nonshppict") {
      skip_until = GroupEnd(rtf, i);
      continue;
    }
    if (rtf[i] != '\\') continue;
    if (WordAt(rtf, i, "\\footnote")) ++out.footnotes;
    if (WordAt(rtf, i, "\\clmgf")) out.horizontal_merges = true;
    if (WordAt(rtf, i, "\\clvmgf")) out.vertical_merges = true;
    if (WordAt(rtf, i, "\\nesttableprops") || WordAt(rtf, i, "\\nestcell")) out.nested_tables = true;
    if (WordAt(rtf, i, "\\super")) out.superscript = true;
    if ((WordAt(rtf, i, "\\listtext") || WordAt(rtf, i, "\\pntext")) && i > 0 && rtf[i - 1] == '{') {
      const size_t end = GroupEnd(rtf, i - 1);
      const std::string marker = NormalMarker(GroupText(rtf.substr(i, end - i)));
      if (!marker.empty()) out.list_markers.push_back(marker);
    }
    if (i >= skip_until && (WordAt(rtf, i, "\\pngblip") || WordAt(rtf, i, "\\jpegblip"))) {
      // The same picture written twice (a shape and its result) counts once: by its data.
      const size_t end = GroupEnd(rtf, rtf.rfind('{', i));
      const std::string_view group = rtf.substr(i, end - i);
      const size_t data = group.find_first_of(
          "0123456789abcdefABCDEF",
          group.rfind('\\') == std::string_view::npos ? 0 : group.find(' ', group.rfind('\\')));
      pictures.insert(std::string(group.substr(data == std::string_view::npos ? 0 : data, 400)));
    }
  }
  out.pictures = static_cast<int>(pictures.size());
  // Hyperlink targets: the quoted text after the word, across the groups and control words
  // writers put between them; "\l" makes it an in-page anchor.
  for (size_t at = rtf.find("HYPERLINK"); at != std::string_view::npos; at = rtf.find("HYPERLINK", at + 9)) {
    size_t i = at + 9;
    bool local = false;
    while (i < rtf.size()) {
      if (rtf[i] == ' ' || rtf[i] == '{' || rtf[i] == '}' || rtf[i] == '\r' || rtf[i] == '\n') {
        ++i;
      } else if (rtf[i] == '\\') {
        size_t e = i + 1;
        while (e < rtf.size() && rtf[e] == '\\') ++e;
        if (e < rtf.size() && rtf[e] == 'l' && (e + 1 >= rtf.size() || !IsLetter(rtf[e + 1]))) local = true;
        while (e < rtf.size() && (IsLetter(rtf[e]) || (rtf[e] >= '0' && rtf[e] <= '9') || rtf[e] == '*')) ++e;
        i = e;
      } else {
        break;
      }
    }
    if (i >= rtf.size() || rtf[i] != '"' || local) continue;
    const size_t close = rtf.find('"', i + 1);
    if (close == std::string_view::npos) continue;
    std::string target(rtf.substr(i + 1, close - i - 1));
    if (target.find('\\') != std::string::npos || target.empty()) continue;
    const std::string lower = Lower(target);
    if (lower.starts_with("javascript:") || lower.starts_with("vbscript:") || lower.starts_with("data:"))
      continue;
    out.external_targets.push_back(target);
  }
  return out;
}

}  // namespace tessarine::testing
