// The tokens of an HTML page as a browser's tokenizer reads them, from bytes in code page 1251
// that come piece by piece: tags with their attributes, text with its character references
// decoded, and the raw text of style elements (that of a title is passed over).
//
// Only the references this product's pages write are known: &lt; &gt; &amp; &quot; &nbsp; (with
// or without the ';') and numeric ones. A page with any other named reference, a comment, a
// processing instruction or a tag cut off by the page's end is not understood: the tokenizer
// stops there.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessarine {

struct PageAttribute {
  std::string name;   // lower case
  std::string value;  // UTF-8, references decoded
};

struct PageTag {
  std::string name;  // lower case
  bool end = false;
  std::vector<PageAttribute> attributes;  // the first of each name; size() counts only `count`
  size_t count = 0;
  // The same number every time the same bytes make the tag (at most a few thousand numbers, from
  // 1 on); 0 for a tag without one.
  uint32_t id = 0;

  // The value of attribute `name`, or null.
  const std::string* Find(std::string_view wanted) const;
};

class PageTokenHandler {
 public:
  virtual ~PageTokenHandler() = default;
  // Each returns false to stop the tokenizer.
  virtual bool Tag(const PageTag& tag) = 0;
  // Text between tags, decoded; a run of text may come in several calls.
  virtual bool Text(std::u32string_view text) = 0;
  // The content of a style element (UTF-8), in pieces; the end tag follows as a Tag.
  virtual bool StyleText(std::string_view utf8) = 0;
};

class PageTokenizer {
 public:
  explicit PageTokenizer(PageTokenHandler& handler);

  // Reads the next piece of the page. False once the tokenizer has stopped (the handler said so,
  // or the page holds what it does not understand); later calls do nothing.
  bool Read(std::string_view piece);
  // The page has ended: hands on the text still held. False when stopped or the page ends
  // inside a tag or a reference.
  bool Finish();

 private:
  enum class State {
    kData,
    kReference,
    kTagOpen,
    kEndTagOpen,
    kTagName,
    kBeforeAttributeName,
    kAttributeName,
    kAfterAttributeName,
    kBeforeAttributeValue,
    kQuotedValue,
    kUnquotedValue,
    kAfterQuotedValue,
    kSelfClosing,
    kMarkup,
    kRawText,
    kStopped,
  };

  bool Step(char c);
  bool FlushText();
  bool EmitTag();
  bool Deliver(const PageTag& tag);
  bool EndReference();
  void StartAttribute();
  bool EndAttributeValue();
  bool RawTextByte(char c);

  PageTokenHandler& handler_;
  State state_ = State::kData;
  std::u32string text_;    // text not yet handed on
  std::string reference_;  // the reference being read, from its '&'
  PageTag tag_;
  std::string value_;  // the raw value of the attribute being read
  char quote_ = 0;
  std::string markup_;  // what follows "<!" up to its '>'
  // Raw text: whose end tag ends it, how much of "</name" has been matched, and the bytes held
  // back while they might begin it.
  std::string raw_end_;
  bool raw_is_style_ = false;
  size_t raw_matched_ = 0;
  std::string raw_text_;
  // Tags read, by their bytes from '<' to '>': a page repeats a few tags many times. The tag
  // being read began at `tag_start_` of `piece_` (npos: not in this piece); `at_` is the byte
  // being read.
  struct BytesHash {
    using is_transparent = void;
    size_t operator()(std::string_view bytes) const { return std::hash<std::string_view>{}(bytes); }
  };
  using KeptTags = std::unordered_map<std::string, PageTag, BytesHash, std::equal_to<>>;
  // The tag kept whose bytes begin `rest`, or null.
  const KeptTags::value_type* FindKept(std::string_view rest);
  KeptTags tags_;
  std::array<const KeptTags::value_type*, 8> recent_{};  // the tags found last, the latest first
  std::string_view piece_;
  // The character of each byte in a text (a NUL as U+FFFD).
  std::array<char32_t, 256> text_characters_{};
  size_t tag_start_ = std::string_view::npos;
  size_t at_ = 0;
};

// Decodes `raw` (code page 1251 with character references, as an attribute's value or a text
// stands in a page) as UTF-8 into `out`. False when it holds a named reference not known.
bool DecodePageText(std::string_view raw, std::string& out);

}  // namespace tessarine
