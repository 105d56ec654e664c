// A small HTML tokenizer over a string: text, start and end tags with their attributes, and
// markup declarations (comments, doctypes, processing instructions). One forward pass, each
// byte looked at a bounded number of times; any input, however broken, gives tokens.

#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tessarine {

enum class HtmlTokenKind : uint8_t { kText, kStartTag, kEndTag, kDeclaration, kEnd };

struct HtmlAttribute {
  std::string_view name;
  std::string_view value;  // without its quotes; empty without a value
};

struct HtmlToken {
  HtmlTokenKind kind = HtmlTokenKind::kEnd;
  std::string_view text;  // kText: the text; otherwise the whole tag or declaration as written
  std::string_view name;  // tags: the element's name as written
  bool self_closing = false;
  bool complete = true;                   // false: the input ends inside the tag or declaration
  std::vector<HtmlAttribute> attributes;  // tags
};

// How a quoted style value ends. kAsBrowsers: at the next quote. kOutlook: Outlook leaves the
// quotes of font names unescaped in its style values (style="font-family:"Arial",serif"), so a
// quote followed by neither a space, "/" nor ">", and the quote that pairs with it, belong to the
// value (within the tag); without such an end, the next quote ends it.
enum class StyleQuotes : uint8_t { kAsBrowsers, kOutlook };

class HtmlScanner {
 public:
  explicit HtmlScanner(std::string_view html, StyleQuotes style_quotes = StyleQuotes::kAsBrowsers)
      : html_(html), style_quotes_(style_quotes) {}

  // Reads the next token into `token` (reusing its storage); kEnd once the input is used up.
  // A "<" that starts no tag (not followed by a letter, "/", "!" or "?") is text.
  void Next(HtmlToken& token);

  // Skips the raw text of an element such as script or style up to and including its end tag
  // "</name" (letter case ignored) and the next ">"; to the end of the input when there is none.
  // Returns the text skipped before the end tag.
  std::string_view SkipRawText(std::string_view name);

 private:
  void ReadTag(HtmlToken& token, size_t name_start);
  size_t QuotedValueEnd(size_t open, bool style);

  std::string_view html_;
  StyleQuotes style_quotes_;
  size_t at_ = 0;
  size_t next_tag_end_ = 0;  // the first ">" at or after the last place it was looked for from
};

// Whether `a` and `b` are equal with ASCII letter case ignored.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tessarine
