#include "passes/fallback/chunk.h"

#include <string_view>

#include "base/line_break.h"
#include "passes/fallback/flat_group.h"
#include "passes/fallback/tagged_run.h"
#include "passes/paragraphs/run_format.h"
#include "passes/scan/decode_text.h"
#include "passes/scan/next_finder.h"
#include "passes/scan/number.h"
#include "passes/scan/scan.h"
#include "passes/scan/search.h"

namespace tessarine {

namespace {

constexpr size_t kNone = std::string_view::npos;

void SetAlignment(std::string_view chunk, ConversionState& st) {
  size_t q = FindExact(chunk, "\\q");
  if (q == kNone) {
    st.Alignment = "left";
    return;
  }
  if (q + 2 >= chunk.size()) return;
  std::string_view word = AlignmentFor(chunk[q + 2]);
  if (!word.empty()) st.Alignment = word;
}

// Where the runs of the paragraph begin in `rest`, the text after the chunk's first backslash
// (which normally reads "pard..."). When text (a hex escape counting as text, line breaks and
// spaces not) follows the opening word and its delimiter space, the runs begin with that text
// and `leading_text` is set. Otherwise they begin at the first "{" when it comes before the first
// backslash, else at the first backslash; with neither, after the opening word.
size_t RunsStart(std::string_view rest, bool& leading_text) {
  leading_text = false;
  size_t word_end = 0;
  while (word_end < rest.size() && IsLetter(rest[word_end])) ++word_end;
  if (word_end > 0) {
    size_t after = word_end;
    if (after < rest.size() && rest[after] == '-') ++after;
    while (after < rest.size() && IsDigit(rest[after])) ++after;
    if (after < rest.size() && rest[after] == ' ') ++after;
    std::string_view tail = rest.substr(after);
    std::string_view text = CopyLeft(tail, FindTextEnd(tail) - 1);
    if (text.find_first_not_of(" \r\n") != kNone) {
      leading_text = true;
      return after;
    }
    word_end = after;
  }
  size_t s = rest.find('\\');
  size_t b = rest.find('{');
  if (b != kNone && (s == kNone || b < s)) return (s == kNone && word_end == 0) ? 0 : b;
  if (s != kNone) return s;
  return word_end;
}

// The length of the paragraph mark at the front of `rest` (which begins with "\par"): the word
// with its delimiter, or the word alone when a control word or group follows directly, or the
// whole longer word ("\parN...") with its number and delimiter space.
size_t ParMarkLength(std::string_view rest) {
  size_t n = 4;
  if (n >= rest.size()) return rest.size();
  char next = rest[n];
  if (next == '\\' || next == '{') return n;
  if (!IsLetter(next)) return n + 1;
  while (n < rest.size() && IsLetter(rest[n])) ++n;
  if (n < rest.size() && rest[n] == '-') ++n;
  while (n < rest.size() && IsDigit(rest[n])) ++n;
  if (n < rest.size() && rest[n] == ' ') ++n;
  return n;
}

// The walk over one chunk: the working text is `chunk` from `at` on, consumed from the front.
class ChunkWalk {
 public:
  ChunkWalk(std::string& chunk, size_t at, ConversionState& st) : chunk_(chunk), at_(at), st_(st) {}

  size_t Left() const { return chunk_.size() - at_; }
  std::string_view Rest() const { return std::string_view(chunk_).substr(at_); }

  // One step of the walk; every step consumes at least one character, or the paragraph is
  // opened by it.
  void Step(bool leading_text) {
    std::string& out = st_.OutputText;
    while (Left() > 0 && chunk_[at_] == '}') ++at_;  // a stray closing brace is dropped
    if (Left() == 0 && run_count_ > 0) return;
    std::string_view rest = Rest();
    if (!rest.empty() && rest[0] == '{') {
      ConvertFlatGroup(rest, run_count_, st_);
      at_ = chunk_.size() - rest.size();
      return;
    }
    if (rest.starts_with("\\pard")) {
      // "\pard" inside the paragraph must not count as "\par": "\pard" becomes "\rd".
      at_ += 2;
      chunk_[at_] = '\\';
      rest = Rest();
    }
    const long par = par_.Pos(rest);
    const long brace = open_.Pos(rest);
    const bool at_par = rest.starts_with("\\par");
    long text_start;
    if (leading_text || rest.empty() || rest[0] != '\\') {
      text_start = 1;
    } else if (at_par) {
      text_start = -1;
    } else {
      text_start = FindTextStart(rest, &memo_);
    }

    if (at_par) {
      at_ += ParMarkLength(rest);
      if (run_count_ == 0) WriteTaggedRun({}, run_count_, st_);
      out += "<br>";
    } else if (text_start > 0) {
      std::string_view head = CopyLeft(rest, text_start - 1);
      std::string_view text_on = CopyFrom(rest, text_start);
      const long e = FindTextEnd(text_on);
      std::string_view text = CopyLeft(text_on, e - 1);
      at_ = e < static_cast<long>(text_on.size())
                ? chunk_.size() - text_on.size() + static_cast<size_t>(e - 1)
                : chunk_.size();
      WriteTaggedRun(head, run_count_, st_);
      DecodeText(text, out);
    } else if (par > 0 && (brace < 0 || par < brace)) {
      const size_t mark_end =
          static_cast<size_t>(par - 1) + ParMarkLength(rest.substr(static_cast<size_t>(par - 1)));
      if (rest.size() > mark_end + 1) {
        at_ += mark_end;
        WriteTaggedRun(rest.substr(0, mark_end), run_count_, st_);
      } else {
        at_ = chunk_.size();
        WriteTaggedRun(rest, run_count_, st_);
      }
      if (run_count_ > 0) out += "<br>";
    } else if (brace > 0) {
      at_ += static_cast<size_t>(brace - 1);
      WriteTaggedRun(rest.substr(0, static_cast<size_t>(brace - 1)), run_count_, st_);
    } else {
      at_ = chunk_.size();
      WriteTaggedRun(rest, run_count_, st_);
    }
  }

  // The paragraph's end when the source is nearly used up: a short remainder is not converted.
  void DropShortEnd() {
    if (st_.Source.Length() < 10 && Left() < 5) at_ = chunk_.size();
  }

  void Finish() { chunk_.erase(0, at_); }

 private:
  std::string& chunk_;
  size_t at_;
  ConversionState& st_;
  int run_count_ = 0;
  NextFinder par_{"\\par"};
  NextFinder open_{"{"};
  TextStartMemo memo_;
};

void CloseParagraph(ConversionState& st) {
  std::string& out = st.OutputText;
  if (st.SpanOpen) out += "</span>";
  if (st.UnderlineOpen) out += "</u>";
  if (st.ItalicOpen) out += "</i>";
  if (st.BoldOpen) out += "</b>";
  out += "</p>";
  out += kLineBreak;
}

}  // namespace

void ConvertChunk(std::string& chunk, ConversionState& st) {
  SetAlignment(chunk, st);

  size_t at = 0;
  if (size_t bs = chunk.find('\\'); bs != kNone) at = bs + 1;
  std::string_view after_backslash = std::string_view(chunk).substr(at);
  if (after_backslash.starts_with("pard\\plain")) {
    st.ParagraphFont.clear();
    st.ParagraphSize.clear();
    st.ParagraphColour.clear();
    st.BoldOpen = st.ItalicOpen = st.UnderlineOpen = false;
  }
  st.SpanOpen = false;
  bool leading_text = false;
  at += RunsStart(after_backslash, leading_text);

  ChunkWalk walk(chunk, at, st);
  do {
    walk.Step(leading_text);
    leading_text = false;
    walk.DropShortEnd();
  } while (walk.Left() >= 3);
  walk.Finish();

  st.progress.SetFromRemaining(static_cast<size_t>(st.Source.Length()), static_cast<size_t>(st.ProgressStep));
  CloseParagraph(st);
}

}  // namespace tessarine
