// SourceBuffer: the working text that holds the RTF source while the passes run.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tessarine {

// Positions are 0-based, -1 means not found. Line breaks (CR LF, a lone CR, a lone LF) are
// stored as one CR; Length() counts each as two characters and ReadAll() gives them back as
// CR LF. Cutting from the front moves an offset, so consuming the source front to back is
// linear; repeated searches for the same pattern are remembered.
class SourceBuffer {
 public:
  // Replaces the whole content with `text`.
  void Load(std::string_view text);

  // Number of characters, a line break counting as two.
  long Length() const { return static_cast<long>(Size() + cr_count_); }

  // Number of stored characters (a line break counting as one).
  size_t Size() const { return End() - front_; }

  // First occurrence of `pattern` at or after `from`, ignoring the letter case of ASCII letters;
  // its position, or -1.
  long Find(std::string_view pattern, long from) const;

  // Removes the `count` characters from `start` and returns them (line breaks as one CR).
  std::string Cut(long start, long count);

  // Puts `text` (stored as given) in place of the `count` characters from `start`.
  void Replace(long start, long count, std::string_view text);

  // The whole content with line breaks as CR LF; the content stays.
  std::string ReadAll() const;

  // The stored content (line breaks as one CR), valid until the next change.
  std::string_view Content() const { return std::string_view(text_).substr(front_, Size()); }

  // Puts `text` in front of the content (its line breaks stored as one CR each), as loading
  // `text` followed by the whole content would, without copying the content.
  void PutBack(std::string_view text);

  // Empties the content (a hidden tail stays hidden).
  void Clear();

  // Sets the content from position `start` on aside: until ShowHidden() the buffer holds only
  // the text in front of `start`, as loading that text would make it.
  void HideFrom(long start);

  // Replaces whatever the buffer holds by the text set aside by HideFrom(); without a hidden
  // tail the buffer is emptied.
  void ShowHidden();

  // Counts every change other than a cut from the front. While it stays the same, a position
  // remembered as its distance from the end of the content still names the same character.
  unsigned long Revision() const { return revision_; }

 private:
  struct Memo {
    std::string pattern;
    size_t searched_from = 0;  // absolute offset the search started at
    size_t found = 0;          // absolute offset of the match, or npos
    bool used = false;
  };

  void ForgetSearches() const;
  size_t Search(std::string_view pattern, size_t abs_from) const;
  Memo& SlotFor(std::string_view pattern) const;  // where a new search result is remembered
  size_t End() const { return hidden_ ? limit_ : text_.size(); }

  std::string text_;
  size_t front_ = 0;     // offset of the first live character in text_
  size_t cr_count_ = 0;  // line breaks among the live characters
  bool hidden_ = false;  // text_ from limit_ on is set aside
  size_t limit_ = 0;
  size_t hidden_cr_count_ = 0;
  unsigned long revision_ = 0;
  mutable std::array<Memo, 8> memo_;
  mutable size_t memo_next_ = 0;
};

}  // namespace tessarine
