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
// linear. What each search found is remembered per pattern and kept true through changes, so
// looking again for a marker (present or absent) while the front is consumed or rewritten only
// searches the text that changed.
class SourceBuffer {
 public:
  // Replaces the whole content with `text` (a line break of CR LF, lone CR or lone LF stored as
  // one CR).
  void Load(std::string_view text);
  // Load(text) in the storage of `text`, taken over instead of copied (`text` is left empty).
  void Adopt(std::string&& text);

  // Number of characters, a line break counting as two.
  long Length() const { return static_cast<long>(Size() + cr_count_); }

  // Number of stored characters (a line break counting as one).
  size_t Size() const { return End() - front_; }

  // First occurrence of `pattern` at or after `from`, ignoring the letter case of ASCII letters;
  // its position, or -1.
  long Find(std::string_view pattern, long from) const;

  // Removes the `count` characters from `start` and returns them (line breaks as one CR).
  // `start` and `count` are clamped to the content. Cutting at the front costs only the copy
  // returned; away from the front it moves the rest of the text.
  std::string Cut(long start, long count);

  // Puts `text` (stored as given) in place of the `count` characters from `start`. Away from
  // the front this moves the rest of the text: for many replacements use ReplaceAll.
  void Replace(long start, long count, std::string_view text);

  // Replaces every occurrence of `pattern` at or after `from` (letter case ignored) with
  // `replacement` (stored as given), front to back in one linear pass, and returns how many
  // were replaced. The search goes on after each inserted replacement, which gives the same
  // result as a loop of Find and Replace resuming at the replacement whenever no match can
  // begin inside one. A hidden tail is left as it is.
  long ReplaceAll(std::string_view pattern, std::string_view replacement, long from = 0);

  // The whole content with line breaks as CR LF; the content stays.
  std::string ReadAll() const;

  // ReadAll() followed by Clear(), in the buffer's own storage when no tail is hidden: a large
  // text taken out whole is neither copied nor held twice.
  std::string TakeAll();

  // The stored content (line breaks as one CR), valid until the next change.
  std::string_view Content() const { return std::string_view(text_).substr(front_, Size()); }

  // Puts `text` in front of the content (its line breaks stored as one CR each), as loading
  // `text` followed by the whole content would, without copying the content.
  void PutBack(std::string_view text);

  // Empties the content (a hidden tail stays hidden). Without a hidden tail, storage above 1 MB
  // is given back.
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
  // What one search taught: no match of `pattern` starts in [searched_from, found), and one
  // starts at `found` (npos: none up to End()). Offsets are absolute in text_.
  struct Memo {
    std::string pattern;
    size_t searched_from = 0;
    size_t found = 0;
    unsigned long last_use = 0;
    bool used = false;
  };

  // Keeps every memo true after the stored characters [at, at + removed) were changed into
  // `inserted` characters. With `tail_moves` the text after the change moves by
  // inserted - removed; otherwise it stays where it was (a change at the front, made in place).
  void AdjustMemos(size_t at, size_t removed, size_t inserted, bool tail_moves);
  void ForgetSearches() const;
  // First match starting in [abs_from, start_limit) and ending by End(), or npos.
  size_t Search(std::string_view pattern, size_t abs_from, size_t start_limit) const;
  Memo* MemoFor(std::string_view pattern) const;
  Memo& FreeMemo() const;
  size_t End() const { return hidden_ ? limit_ : text_.size(); }

  std::string text_;
  size_t front_ = 0;     // offset of the first live character in text_
  size_t cr_count_ = 0;  // line breaks among the live characters
  bool hidden_ = false;  // text_ from limit_ on is set aside
  size_t limit_ = 0;
  size_t hidden_cr_count_ = 0;
  unsigned long revision_ = 0;
  mutable std::array<Memo, 16> memo_;
  mutable unsigned long clock_ = 0;
};

}  // namespace tessarine
