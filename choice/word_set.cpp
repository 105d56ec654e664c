#include "choice/word_set.h"

#include <algorithm>

#include "model_page/text_encoding.h"

namespace tessarine {

namespace {

bool IsWordCharacter(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c <= 0xBF) return c == 0xAA || c == 0xBA;
  if (c == 0xD7 || c == 0xF7) return false;
  if (c >= 0x2000 && c <= 0x206F) return false;
  return c != 0xFFFD && c != 0xFEFF;
}

char32_t Fold(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c == 0x401 || c == 0x451) return 0x435;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

uint64_t NonZero(uint64_t hash) {
  return hash == 0 ? 1 : hash;
}

}  // namespace

uint64_t WordSet::HashOf(std::string_view word) {
  uint64_t hash = kOffset;
  for (char c : word) hash = (hash ^ static_cast<unsigned char>(c)) * kPrime;
  return NonZero(hash);
}

bool WordSet::ContainsHash(uint64_t hash) const {
  if (slots_.empty()) return false;
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    if (slots_[i] == hash) return true;
    if (slots_[i] == 0) return false;
  }
}

void WordSet::Grow() {
  std::vector<uint64_t> old;
  old.swap(slots_);
  slots_.assign(old.empty() ? 256 : old.size() * 2, 0);
  const size_t mask = slots_.size() - 1;
  for (uint64_t hash : old) {
    if (hash == 0) continue;
    size_t i = hash & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = hash;
  }
}

void WordSet::Break() {
  if (length_ == 0) return;
  const uint64_t hash = NonZero(hash_);
  if (!ContainsHash(hash)) {
    if ((count_ + 1) * 4 > slots_.size() * 3) Grow();  // at most three quarters full
    const size_t mask = slots_.size() - 1;
    size_t i = hash & mask;
    while (slots_[i] != 0) i = (i + 1) & mask;
    slots_[i] = hash;
    ++count_;
    const std::string_view word(current_, std::min(length_, sizeof current_));
    if (names_ == Names::kKept) words_.emplace_back(hash, word);
    if (length_ <= sizeof current_ && word.find_first_not_of("0123456789") == std::string_view::npos) {
      numbers_.push_back(hash);
    }
  }
  length_ = 0;
  hash_ = kOffset;
}

bool WordSet::IsSubsetOf(const WordSet& other) const {
  for (uint64_t hash : slots_) {
    if (hash != 0 && !other.ContainsHash(hash)) return false;
  }
  return true;
}

bool WordSet::OnlyNumbersNotIn(const WordSet& other) const {
  size_t missing_numbers = 0;
  for (uint64_t hash : numbers_) missing_numbers += other.ContainsHash(hash) ? 0 : 1;
  size_t missing = 0;
  for (uint64_t hash : slots_) missing += hash != 0 && !other.ContainsHash(hash) ? 1 : 0;
  return missing == missing_numbers;
}

std::vector<std::string> WordSet::NotIn(const WordSet& other, size_t most) const {
  std::vector<std::string> missing;
  for (const auto& [hash, word] : words_) {
    if (!other.ContainsHash(hash)) missing.push_back(word);
  }
  std::sort(missing.begin(), missing.end());
  if (missing.size() > most) missing.resize(most);
  return missing;
}

void WordSet::Add(char32_t c) {
  if (!IsWordCharacter(c)) {
    Break();
    return;
  }
  c = Fold(c);
  if (c < 0x80) {
    Append(static_cast<char>(c));
    return;
  }
  char utf8[4];
  size_t n = 0;
  if (c < 0x800) {
    utf8[n++] = static_cast<char>(0xC0 | (c >> 6));
  } else if (c < 0x10000) {
    utf8[n++] = static_cast<char>(0xE0 | (c >> 12));
    utf8[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  } else {
    utf8[n++] = static_cast<char>(0xF0 | (c >> 18));
    utf8[n++] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    utf8[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  utf8[n++] = static_cast<char>(0x80 | (c & 0x3F));
  AppendFolded(std::string_view(utf8, n));
}

void WordSet::AddText(std::string_view utf8) {
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {  // the common cases first, without decoding
      if ((b >= '0' && b <= '9') || (b >= 'a' && b <= 'z')) {
        Append(static_cast<char>(b));
      } else if (b >= 'A' && b <= 'Z') {
        Append(static_cast<char>(b + 0x20));
      } else {
        Break();
      }
      ++i;
      continue;
    }
    if ((b == 0xD0 || b == 0xD1) && i + 1 < utf8.size()) {  // Cyrillic А to я, folded in place
      const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
      const char32_t c = ((b & 0x1Fu) << 6) | (b1 & 0x3Fu);
      if ((b1 & 0xC0) == 0x80 && c >= 0x410 && c <= 0x44F) {
        const char32_t lower = c < 0x430 ? c + 0x20 : c;
        Append(static_cast<char>(0xC0 | (lower >> 6)));
        Append(static_cast<char>(0x80 | (lower & 0x3F)));
        i += 2;
        continue;
      }
    }
    size_t length = 1;
    Add(DecodeUtf8(utf8.substr(i), length));
    i += length;
  }
}

}  // namespace tessarine
