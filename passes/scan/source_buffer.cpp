#include "passes/scan/source_buffer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/huge_pages.h"
#include "passes/scan/search.h"

namespace tessarine {

namespace {

constexpr size_t kNone = std::string::npos;
// Clear keeps storage up to this size for the next text; larger storage is given back.
constexpr size_t kKeptCapacity = size_t{1} << 20;

// Line breaks are few among the characters: memchr leaps from one to the next.
size_t CountCr(std::string_view text) {
  size_t count = 0;
  const char* at = text.data();
  const char* const end = at + text.size();
  while ((at = static_cast<const char*>(std::memchr(at, '\r', static_cast<size_t>(end - at)))) != nullptr) {
    ++count;
    ++at;
  }
  return count;
}

// Appends `text` to `out` with every line break (CR LF, lone CR, lone LF) as one CR; returns
// the number of line breaks.
size_t AppendWithSingleCr(std::string_view text, std::string& out) {
  size_t breaks = 0;
  size_t i = 0;
  while (i < text.size()) {
    size_t brk = FindEither(text, '\r', '\n', i);
    if (brk == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, brk - i));
    out.push_back('\r');
    ++breaks;
    i = brk + 1;
    if (text[brk] == '\r' && i < text.size() && text[i] == '\n') ++i;
  }
  return breaks;
}

// The same in place: every line break of `text` made one CR; returns the number of line breaks.
size_t MakeSingleCr(std::string& text) {
  char* const data = text.data();
  const std::string_view view = text;
  size_t breaks = 0;
  size_t kept = 0;  // the text before here is done; what follows it is still to be read
  size_t i = 0;
  while (i < view.size()) {
    const size_t brk = FindEither(view, '\r', '\n', i);
    const size_t end = brk == std::string_view::npos ? view.size() : brk;
    if (kept != i) std::memmove(data + kept, data + i, end - i);
    kept += end - i;
    if (brk == std::string_view::npos) break;
    const char c = data[brk];
    data[kept++] = '\r';
    ++breaks;
    i = brk + 1;
    if (c == '\r' && i < view.size() && data[i] == '\n') ++i;
  }
  text.resize(kept);
  return breaks;
}

}  // namespace

void SourceBuffer::Adopt(std::string&& text) {
  text_ = std::move(text);
  AdviseHugePages(text_.data(), text_.capacity());
  cr_count_ = MakeSingleCr(text_);
  front_ = 0;
  hidden_ = false;
  hidden_cr_count_ = 0;
  ++revision_;
  ForgetSearches();
}

void SourceBuffer::Load(std::string_view text) {
  text_.clear();
  text_.reserve(text.size());
  AdviseHugePages(text_.data(), text_.capacity());
  cr_count_ = AppendWithSingleCr(text, text_);
  front_ = 0;
  hidden_ = false;
  hidden_cr_count_ = 0;
  ++revision_;
  ForgetSearches();
}

void SourceBuffer::PutBack(std::string_view text) {
  std::string stored;
  stored.reserve(text.size());
  cr_count_ += AppendWithSingleCr(text, stored);
  const size_t at = front_;
  if (stored.size() <= front_) {
    front_ -= stored.size();
    std::memcpy(text_.data() + front_, stored.data(), stored.size());
    AdjustMemos(at, 0, stored.size(), false);
  } else {
    text_.insert(front_, stored);
    if (hidden_) limit_ += stored.size();
    AdjustMemos(at, 0, stored.size(), true);
  }
  ++revision_;
}

void SourceBuffer::Clear() {
  if (!hidden_ && text_.capacity() > kKeptCapacity) {
    std::string().swap(text_);  // a large text taken out whole is not held twice
  }
  front_ = End();
  cr_count_ = 0;
  ++revision_;
  ForgetSearches();
}

void SourceBuffer::HideFrom(long start) {
  const size_t size = Size();
  const size_t s = start < 0 ? 0 : std::min(static_cast<size_t>(start), size);
  const size_t kept_cr = CountCr(std::string_view(text_).substr(front_, s));
  hidden_cr_count_ = (hidden_ ? hidden_cr_count_ : 0) + cr_count_ - kept_cr;
  hidden_ = true;
  limit_ = front_ + s;
  cr_count_ = kept_cr;
  ++revision_;
  ForgetSearches();
}

void SourceBuffer::ShowHidden() {
  if (!hidden_) {
    Clear();
    return;
  }
  front_ = limit_;
  cr_count_ = hidden_cr_count_;
  hidden_ = false;
  hidden_cr_count_ = 0;
  ++revision_;
  ForgetSearches();
}

void SourceBuffer::ForgetSearches() const {
  for (Memo& m : memo_) m.used = false;
}

SourceBuffer::Memo* SourceBuffer::MemoFor(std::string_view pattern) const {
  for (Memo& m : memo_) {
    if (m.used && m.pattern == pattern) return &m;
  }
  return nullptr;
}

SourceBuffer::Memo& SourceBuffer::FreeMemo() const {
  Memo* oldest = &memo_[0];
  for (Memo& m : memo_) {
    if (!m.used) return m;
    if (m.last_use < oldest->last_use) oldest = &m;
  }
  return *oldest;
}

void SourceBuffer::AdjustMemos(size_t at, size_t removed, size_t inserted, bool tail_moves) {
  const size_t tail = at + removed;  // the first unchanged character after the change
  for (Memo& m : memo_) {
    if (!m.used) continue;
    if (m.found != kNone && m.found + m.pattern.size() <= at) continue;  // wholly before the change
    if (m.found != kNone && m.found < tail) {
      m.used = false;  // the match itself was changed
      continue;
    }
    // What was learnt about the unchanged tail still holds; the changed part must be searched
    // again.
    size_t from = std::max(m.searched_from, tail);
    if (tail_moves) {
      from = from - removed + inserted;
      if (m.found != kNone) m.found = m.found - removed + inserted;
    }
    m.searched_from = from;
  }
}

size_t SourceBuffer::Search(std::string_view pattern, size_t abs_from, size_t start_limit) const {
  const size_t end = End();
  if (pattern.size() > end || abs_from > end - pattern.size()) return kNone;
  const size_t stop = std::min(start_limit, end - pattern.size() + 1);  // starts before this
  if (abs_from >= stop) return kNone;
  // A match starting before `stop` ends by stop - 1 + pattern.size().
  return FindFolded(std::string_view(text_).substr(0, stop - 1 + pattern.size()), pattern, abs_from);
}

long SourceBuffer::Find(std::string_view pattern, long from) const {
  if (from < 0) from = 0;
  if (static_cast<size_t>(from) > Size()) return -1;
  const size_t abs_from = front_ + static_cast<size_t>(from);
  Memo* memo = MemoFor(pattern);
  size_t found;
  if (memo != nullptr && abs_from >= memo->searched_from &&
      (memo->found == kNone || memo->found >= abs_from)) {
    found = memo->found;  // known: nothing starts between here and there
  } else {
    if (memo != nullptr && abs_from < memo->searched_from) {
      // Only the stretch before what is known needs a look.
      found = Search(pattern, abs_from, memo->searched_from);
      if (found == kNone) found = memo->found;
    } else {
      found = Search(pattern, abs_from, kNone);
      if (memo == nullptr) {
        memo = &FreeMemo();
        memo->pattern.assign(pattern);
        memo->used = true;
      }
    }
    memo->searched_from = abs_from;
    memo->found = found;
  }
  memo->last_use = ++clock_;
  return found == kNone ? -1 : static_cast<long>(found - front_);
}

std::string SourceBuffer::Cut(long start, long count) {
  const size_t size = Size();
  const size_t s = start < 0 ? 0 : std::min(static_cast<size_t>(start), size);
  const size_t n = count < 0 ? 0 : std::min(static_cast<size_t>(count), size - s);
  const size_t abs = front_ + s;
  std::string out = text_.substr(abs, n);
  cr_count_ -= CountCr(out);
  if (s == 0) {
    front_ += n;
    AdjustMemos(abs, n, 0, false);
  } else {
    text_.erase(abs, n);
    if (hidden_) limit_ -= n;
    ++revision_;
    AdjustMemos(abs, n, 0, true);
  }
  return out;
}

void SourceBuffer::Replace(long start, long count, std::string_view text) {
  const size_t size = Size();
  const size_t s = start < 0 ? 0 : std::min(static_cast<size_t>(start), size);
  const size_t n = count < 0 ? 0 : std::min(static_cast<size_t>(count), size - s);
  const size_t abs = front_ + s;
  cr_count_ -= CountCr(std::string_view(text_).substr(abs, n));
  cr_count_ += CountCr(text);
  if (s == 0 && text.size() <= n) {
    // At the front, in place: the new text ends where the old one ended.
    front_ += n - text.size();
    std::memcpy(text_.data() + front_, text.data(), text.size());
    AdjustMemos(abs, n, text.size(), false);
  } else {
    text_.replace(abs, n, text);
    if (hidden_) limit_ = limit_ - n + text.size();
    AdjustMemos(abs, n, text.size(), true);
  }
  ++revision_;
}

long SourceBuffer::ReplaceAll(std::string_view pattern, std::string_view replacement, long from) {
  if (pattern.empty()) return 0;
  const size_t abs_from = front_ + std::min(static_cast<size_t>(from < 0 ? 0 : from), Size());
  size_t hit = Search(pattern, abs_from, kNone);
  if (hit == kNone) return 0;
  const size_t end = End();
  std::string out;
  out.reserve(text_.size() - front_ + (end - front_) / 8);
  size_t copied = front_;
  long replaced = 0;
  while (hit != kNone) {
    out.append(text_, copied, hit - copied);
    out.append(replacement);
    copied = hit + pattern.size();
    ++replaced;
    hit = Search(pattern, copied, kNone);
  }
  out.append(text_, copied, end - copied);
  const size_t visible = out.size();
  out.append(text_, end, std::string::npos);  // a hidden tail stays as it is
  text_ = std::move(out);
  front_ = 0;
  if (hidden_) limit_ = visible;
  cr_count_ = CountCr(std::string_view(text_).substr(0, visible));
  ++revision_;
  ForgetSearches();
  return replaced;
}

std::string SourceBuffer::ReadAll() const {
  std::string out;
  std::string_view content = Content();
  out.reserve(content.size() + cr_count_);
  size_t i = 0;
  while (i < content.size()) {
    size_t cr = content.find('\r', i);
    if (cr == std::string_view::npos) {
      out.append(content.substr(i));
      break;
    }
    out.append(content.substr(i, cr - i));
    out.append("\r\n");
    i = cr + 1;
  }
  return out;
}

std::string SourceBuffer::TakeAll() {
  if (hidden_) {
    std::string all = ReadAll();
    Clear();
    return all;
  }
  text_.erase(0, front_);
  cr_count_ = CountCr(text_);
  // Each stored CR becomes CR LF again, from the back, so that nothing is moved twice.
  size_t from = text_.size();
  size_t to = from + cr_count_;
  text_.resize(to);
  char* data = text_.data();
  while (to > from) {
    const auto* cr = static_cast<const char*>(memrchr(data, '\r', from));
    const size_t tail = cr == nullptr ? 0 : static_cast<size_t>(cr - data) + 1;
    std::memmove(data + to - (from - tail), data + tail, from - tail);
    to -= from - tail;
    from = tail;
    if (cr == nullptr) break;
    data[--to] = '\n';
    data[--to] = '\r';
    --from;
  }
  std::string all = std::move(text_);
  text_ = std::string();
  front_ = 0;
  cr_count_ = 0;
  ++revision_;
  ForgetSearches();
  return all;
}

}  // namespace tessarine
