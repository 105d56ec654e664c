#include "engine/source_buffer.h"

#include <algorithm>
#include <cstring>

namespace tessarine {

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool EqualsFolded(const char* a, std::string_view b) {
  for (size_t i = 0; i < b.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// Appends `text` to `out` with every line break (CR LF, lone CR, lone LF) as one CR; returns
// the number of line breaks.
size_t AppendWithSingleCr(std::string_view text, std::string& out) {
  size_t breaks = 0;
  size_t i = 0;
  while (i < text.size()) {
    size_t brk = text.find_first_of("\r\n", i);
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

}  // namespace

void SourceBuffer::Load(std::string_view text) {
  text_.clear();
  text_.reserve(text.size());
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
  if (stored.size() <= front_) {
    front_ -= stored.size();
    std::memcpy(text_.data() + front_, stored.data(), stored.size());
  } else {
    text_.insert(front_, stored);
    if (hidden_) limit_ += stored.size();
  }
  ++revision_;
  ForgetSearches();
}

void SourceBuffer::Clear() {
  front_ = End();
  cr_count_ = 0;
  ++revision_;
  ForgetSearches();
}

void SourceBuffer::HideFrom(long start) {
  const size_t size = Size();
  const size_t s = start < 0 ? 0 : std::min(static_cast<size_t>(start), size);
  const size_t kept_cr = static_cast<size_t>(std::count(text_.begin() + static_cast<long>(front_),
                                                        text_.begin() + static_cast<long>(front_ + s), '\r'));
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

size_t SourceBuffer::Search(std::string_view pattern, size_t abs_from) const {
  const size_t end = End();
  if (pattern.empty()) return abs_from <= end ? abs_from : std::string::npos;
  if (abs_from > end || end - abs_from < pattern.size()) return std::string::npos;
  const char first = pattern[0];
  const char* data = text_.data();
  const size_t last_start = end - pattern.size();
  size_t i = abs_from;
  if (!IsLetter(first)) {
    while (i <= last_start) {
      const void* hit = std::memchr(data + i, first, last_start - i + 1);
      if (hit == nullptr) return std::string::npos;
      i = static_cast<size_t>(static_cast<const char*>(hit) - data);
      if (EqualsFolded(data + i, pattern)) return i;
      ++i;
    }
    return std::string::npos;
  }
  for (; i <= last_start; ++i) {
    if (Lower(data[i]) == Lower(first) && EqualsFolded(data + i, pattern)) return i;
  }
  return std::string::npos;
}

SourceBuffer::Memo& SourceBuffer::SlotFor(std::string_view pattern) const {
  // The pattern's own slot first: the newest search of a pattern supersedes its older one, and
  // other patterns' results (a pattern that no longer occurs, above all) stay remembered.
  for (Memo& m : memo_) {
    if (m.used && m.pattern == pattern) return m;
  }
  for (Memo& m : memo_) {
    if (!m.used) return m;
  }
  Memo& slot = memo_[memo_next_];
  memo_next_ = (memo_next_ + 1) % memo_.size();
  return slot;
}

long SourceBuffer::Find(std::string_view pattern, long from) const {
  if (from < 0) from = 0;
  const size_t abs_from = front_ + static_cast<size_t>(from);
  if (abs_from > End()) return -1;
  for (Memo& m : memo_) {
    if (m.used && m.pattern == pattern && m.searched_from <= abs_from &&
        (m.found == std::string::npos || m.found >= abs_from)) {
      return m.found == std::string::npos ? -1 : static_cast<long>(m.found - front_);
    }
  }
  size_t found = Search(pattern, abs_from);
  Memo& slot = SlotFor(pattern);
  slot.pattern.assign(pattern);
  slot.searched_from = abs_from;
  slot.found = found;
  slot.used = true;
  return found == std::string::npos ? -1 : static_cast<long>(found - front_);
}

std::string SourceBuffer::Cut(long start, long count) {
  const size_t size = Size();
  size_t s = start < 0 ? 0 : std::min(static_cast<size_t>(start), size);
  size_t n = count < 0 ? 0 : std::min(static_cast<size_t>(count), size - s);
  std::string out = text_.substr(front_ + s, n);
  cr_count_ -= static_cast<size_t>(std::count(out.begin(), out.end(), '\r'));
  if (s == 0) {
    front_ += n;  // searches that started before the cut and found beyond it stay valid
    for (Memo& m : memo_) {
      if (m.used && m.found != std::string::npos && m.found < front_) m.used = false;
      if (m.used && m.searched_from < front_) m.searched_from = front_;
    }
  } else {
    text_.erase(front_ + s, n);
    if (hidden_) limit_ -= n;
    ++revision_;
    ForgetSearches();
  }
  return out;
}

void SourceBuffer::Replace(long start, long count, std::string_view text) {
  const size_t size = Size();
  size_t s = start < 0 ? 0 : std::min(static_cast<size_t>(start), size);
  size_t n = count < 0 ? 0 : std::min(static_cast<size_t>(count), size - s);
  const size_t abs = front_ + s;
  cr_count_ -= static_cast<size_t>(
      std::count(text_.begin() + static_cast<long>(abs), text_.begin() + static_cast<long>(abs + n), '\r'));
  cr_count_ += static_cast<size_t>(std::count(text.begin(), text.end(), '\r'));
  if (s == 0 && text.size() <= n) {
    // Front replacement in place: the new text ends where the old one ended.
    front_ += n - text.size();
    std::memcpy(text_.data() + front_, text.data(), text.size());
  } else {
    text_.replace(abs, n, text);
    if (hidden_) limit_ = limit_ - n + text.size();
  }
  ++revision_;
  ForgetSearches();
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

}  // namespace tessarine
