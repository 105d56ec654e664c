#include "choice/page_tokens.h"

#include <algorithm>
#include <utility>

#include "base/cp1251.h"

namespace tessarine {

namespace {

constexpr size_t kLongestReference = 40;
constexpr size_t kMostAttributes = 64;
constexpr size_t kLongestRawText = 1 << 20;
constexpr size_t kLongestKeptTag = 512;  // tags kept, read once, as their bytes
constexpr size_t kMostKeptTags = 4096;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiAlnum(char c) {
  return IsAsciiLetter(c) || (c >= '0' && c <= '9');
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c;
}

char32_t Character(char c) {
  return Cp1251ToUnicode(static_cast<unsigned char>(c));
}

// What a browser makes of a numeric reference's value.
char32_t NumericCharacter(uint32_t value) {
  // C1 controls stand for the characters of windows-1252.
  static constexpr char32_t kC1[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                       0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0xFFFD;
  if (value >= 0x80 && value <= 0x9F) return kC1[value - 0x80];
  return value;
}

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  c = Lower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Appends what the reference `ref` stands for: it starts with '&', holds the letters, digits and
// '#' read after it, and its ';' when one ended it. False for a named reference not known.
bool AppendReference(std::string_view ref, std::u32string& out) {
  std::string_view body = ref.substr(1);
  const bool semicolon = !body.empty() && body.back() == ';';
  if (semicolon) body.remove_suffix(1);
  if (body.empty()) {
    for (char c : ref) out.push_back(Character(c));
    return true;
  }
  if (body.front() == '#') {
    size_t i = 1;
    const bool hex = i < body.size() && (body[i] == 'x' || body[i] == 'X');
    if (hex) ++i;
    const size_t first = i;
    uint32_t value = 0;
    for (; i < body.size() && DigitValue(body[i], hex) >= 0; ++i) {
      if (value <= 0x10FFFF)
        value = value * (hex ? 16 : 10) + static_cast<uint32_t>(DigitValue(body[i], hex));
    }
    if (i == first) {  // no digits: the text as it stands
      for (char c : ref) out.push_back(Character(c));
      return true;
    }
    out.push_back(NumericCharacter(value));
    // What follows the digits is text; a ';' right after them belonged to the reference.
    for (size_t k = i; k < body.size(); ++k) out.push_back(Character(body[k]));
    if (semicolon && i < body.size()) out.push_back(U';');
    return true;
  }
  static constexpr std::pair<std::string_view, char32_t> kNamed[] = {
      {"lt", U'<'}, {"gt", U'>'}, {"amp", U'&'}, {"quot", U'"'}, {"nbsp", 0xA0},
      {"LT", U'<'}, {"GT", U'>'}, {"AMP", U'&'}, {"QUOT", U'"'}};
  for (const auto& [name, c] : kNamed) {
    if (body == name) {
      out.push_back(c);
      return true;
    }
  }
  return false;
}

void AppendUtf8Text(std::u32string_view text, std::string& out) {
  for (char32_t c : text) AppendUtf8(out, c);
}

}  // namespace

const std::string* PageTag::Find(std::string_view wanted) const {
  for (size_t i = 0; i < count; ++i) {
    if (attributes[i].name == wanted) return &attributes[i].value;
  }
  return nullptr;
}

bool DecodePageText(std::string_view raw, std::string& out) {
  bool plain = true;  // ASCII without references: the bytes are the text
  for (char c : raw) plain = plain && c != '&' && static_cast<unsigned char>(c) < 0x80;
  if (plain) {
    out.append(raw);
    return true;
  }
  std::u32string decoded;
  for (size_t i = 0; i < raw.size();) {
    if (raw[i] != '&') {
      AppendUtf8(out, Character(raw[i]));
      ++i;
      continue;
    }
    size_t end = i + 1;
    while (end < raw.size() && end - i < kLongestReference &&
           (IsAsciiAlnum(raw[end]) || (end == i + 1 && raw[end] == '#'))) {
      ++end;
    }
    if (end < raw.size() && raw[end] == ';') ++end;
    decoded.clear();
    if (!AppendReference(raw.substr(i, end - i), decoded)) return false;
    AppendUtf8Text(decoded, out);
    i = end;
  }
  return true;
}

PageTokenizer::PageTokenizer(PageTokenHandler& handler) : handler_(handler) {
  for (size_t b = 1; b < text_characters_.size(); ++b) text_characters_[b] = Character(static_cast<char>(b));
  text_characters_[0] = U'\uFFFD';
}

bool PageTokenizer::Read(std::string_view piece) {
  if (state_ == State::kStopped) return false;
  for (size_t i = 0; i < piece.size(); ++i) {
    // Runs of text and of quoted attribute values are taken whole.
    if (state_ == State::kData) {
      size_t end = std::min(piece.find('<', i), piece.size());
      end = std::min(piece.substr(0, end).find('&', i), end);
      if (end > i) {
        const size_t held = text_.size();
        text_.resize(held + end - i);
        char32_t* out = text_.data() + held;
        for (; i < end; ++i) *out++ = text_characters_[static_cast<unsigned char>(piece[i])];
      }
      if (i == piece.size()) break;
      if (piece[i] == '<') {
        // The bytes of a tag read before are the same tag again.
        if (const KeptTags::value_type* known = FindKept(piece.substr(i))) {
          if (!FlushText() || !Deliver(known->second)) {
            state_ = State::kStopped;
            return false;
          }
          i += known->first.size() - 1;
          continue;
        }
        piece_ = piece;
        tag_start_ = i;
      }
    } else if (state_ == State::kQuotedValue) {
      const size_t end = std::min(piece.find(quote_, i), piece.size());
      value_.append(piece.substr(i, end - i));
      if (value_.size() > kLongestRawText) {
        state_ = State::kStopped;
        return false;
      }
      i = end;
      if (i == piece.size()) break;
    }
    at_ = i;
    if (!Step(piece[i])) {
      state_ = State::kStopped;
      return false;
    }
  }
  tag_start_ = std::string_view::npos;  // a tag that goes on into the next piece is not kept
  if (!FlushText()) {
    state_ = State::kStopped;
    return false;
  }
  return true;
}

bool PageTokenizer::Finish() {
  if (state_ == State::kReference && !EndReference()) state_ = State::kStopped;
  if (state_ != State::kData || !FlushText()) {
    state_ = State::kStopped;
    return false;
  }
  return true;
}

bool PageTokenizer::FlushText() {
  if (text_.empty()) return true;
  const bool go_on = handler_.Text(text_);
  text_.clear();
  return go_on;
}

bool PageTokenizer::EndReference() {
  const bool known = AppendReference(reference_, text_);
  reference_.clear();
  state_ = State::kData;
  return known;
}

void PageTokenizer::StartAttribute() {
  if (tag_.count == tag_.attributes.size()) tag_.attributes.emplace_back();
  tag_.attributes[tag_.count].name.clear();
  tag_.attributes[tag_.count].value.clear();
  ++tag_.count;
  value_.clear();
}

bool PageTokenizer::EndAttributeValue() {
  PageAttribute& attribute = tag_.attributes[tag_.count - 1];
  if (!DecodePageText(value_, attribute.value)) return false;
  value_.clear();
  return true;
}

bool PageTokenizer::EmitTag() {
  // An attribute named twice keeps its first value.
  size_t kept = 0;
  for (size_t i = 0; i < tag_.count; ++i) {
    bool seen = false;
    for (size_t k = 0; k < kept && !seen; ++k) seen = tag_.attributes[k].name == tag_.attributes[i].name;
    if (seen) continue;
    if (kept != i) std::swap(tag_.attributes[kept], tag_.attributes[i]);
    ++kept;
  }
  tag_.count = kept;
  state_ = State::kData;
  tag_.id = 0;
  if (tag_start_ != std::string_view::npos && at_ - tag_start_ < kLongestKeptTag &&
      tags_.size() < kMostKeptTags) {
    const auto [entry, added] =
        tags_.try_emplace(std::string(piece_.substr(tag_start_, at_ - tag_start_ + 1)), tag_);
    if (added) entry->second.id = static_cast<uint32_t>(tags_.size());
    tag_.id = entry->second.id;
  }
  tag_start_ = std::string_view::npos;
  return Deliver(tag_);
}

const PageTokenizer::KeptTags::value_type* PageTokenizer::FindKept(std::string_view rest) {
  for (size_t i = 0; i < recent_.size() && recent_[i] != nullptr; ++i) {
    const KeptTags::value_type* kept = recent_[i];
    const std::string& bytes = kept->first;
    // Its last bytes first ("...">): tags that differ most often differ there.
    if (bytes.size() <= rest.size() && rest[bytes.size() - 1] == '>' &&
        rest[bytes.size() - 2] == bytes[bytes.size() - 2] && rest.starts_with(bytes)) {
      for (; i > 0; --i) recent_[i] = recent_[i - 1];
      recent_[0] = kept;
      return kept;
    }
  }
  // Else the bytes to the first '>': a tag kept that holds an earlier '>' is not found.
  const size_t close = rest.find('>');
  if (close == std::string_view::npos || close >= kLongestKeptTag) return nullptr;
  const auto found = tags_.find(rest.substr(0, close + 1));
  if (found == tags_.end()) return nullptr;
  for (size_t i = recent_.size() - 1; i > 0; --i) recent_[i] = recent_[i - 1];
  recent_[0] = &*found;
  return recent_[0];
}

bool PageTokenizer::Deliver(const PageTag& tag) {
  if (!handler_.Tag(tag)) return false;
  if (!tag.end && (tag.name == "style" || tag.name == "title")) {
    state_ = State::kRawText;
    raw_end_ = "</" + tag.name;
    raw_is_style_ = tag.name == "style";
    raw_matched_ = 0;
    raw_text_.clear();
  }
  return true;
}

bool PageTokenizer::RawTextByte(char c) {
  if (raw_matched_ < raw_end_.size()) {
    if (Lower(c) == raw_end_[raw_matched_]) {
      ++raw_matched_;
      return true;
    }
    if (raw_is_style_) raw_text_.append(raw_end_, 0, raw_matched_);
    raw_matched_ = 0;
    if (c == '<') {
      raw_matched_ = 1;
      return true;
    }
    if (raw_is_style_) {
      AppendUtf8(raw_text_, Character(c));
      if (raw_text_.size() > kLongestRawText) return false;
    }
    return true;
  }
  // "</style" matched: it is the end tag when a space, '/' or '>' follows.
  if (IsSpace(c) || c == '/' || c == '>') {
    if (raw_is_style_ && !handler_.StyleText(raw_text_)) return false;
    raw_text_.clear();
    tag_.name = raw_end_.substr(2);
    tag_.end = true;
    tag_.count = 0;
    state_ = State::kTagName;
    return Step(c);
  }
  if (raw_is_style_) raw_text_.append(raw_end_);
  raw_matched_ = 0;
  return RawTextByte(c);
}

bool PageTokenizer::Step(char c) {
  switch (state_) {
    case State::kData:
      if (c == '<') {
        if (!FlushText()) return false;
        state_ = State::kTagOpen;
      } else if (c == '&') {
        reference_.assign(1, '&');
        state_ = State::kReference;
      } else {
        text_.push_back(c == 0 ? U'\uFFFD' : Character(c));
      }
      return true;
    case State::kReference:
      if (reference_.size() < kLongestReference &&
          (IsAsciiAlnum(c) || (reference_.size() == 1 && c == '#'))) {
        reference_.push_back(c);
        return true;
      }
      if (c == ';') {
        reference_.push_back(c);
        return EndReference();
      }
      if (!EndReference()) return false;
      return Step(c);
    case State::kTagOpen:
      if (IsAsciiLetter(c)) {
        tag_.name.assign(1, Lower(c));
        tag_.end = false;
        tag_.count = 0;
        state_ = State::kTagName;
      } else if (c == '/') {
        state_ = State::kEndTagOpen;
      } else if (c == '!') {
        markup_.clear();
        state_ = State::kMarkup;
      } else if (c == '?') {
        return false;
      } else {  // a '<' that starts no tag is text
        tag_start_ = std::string_view::npos;
        text_.push_back(U'<');
        state_ = State::kData;
        return Step(c);
      }
      return true;
    case State::kEndTagOpen:
      if (IsAsciiLetter(c)) {
        tag_.name.assign(1, Lower(c));
        tag_.end = true;
        tag_.count = 0;
        state_ = State::kTagName;
        return true;
      }
      if (c == '>') {  // "</>" is dropped
        tag_start_ = std::string_view::npos;
        state_ = State::kData;
        return true;
      }
      return false;  // a bogus comment
    case State::kTagName:
      if (IsSpace(c)) {
        state_ = State::kBeforeAttributeName;
      } else if (c == '/') {
        state_ = State::kSelfClosing;
      } else if (c == '>') {
        return EmitTag();
      } else {
        tag_.name.push_back(Lower(c));
      }
      return true;
    case State::kBeforeAttributeName:
      if (IsSpace(c)) return true;
      if (c == '/') {
        state_ = State::kSelfClosing;
        return true;
      }
      if (c == '>') return EmitTag();
      if (tag_.count >= kMostAttributes) return false;
      StartAttribute();
      tag_.attributes[tag_.count - 1].name.push_back(Lower(c));
      state_ = State::kAttributeName;
      return true;
    case State::kAttributeName:
      if (IsSpace(c) || c == '/' || c == '>') {
        state_ = State::kAfterAttributeName;
        return Step(c);
      }
      if (c == '=') {
        state_ = State::kBeforeAttributeValue;
        return true;
      }
      tag_.attributes[tag_.count - 1].name.push_back(Lower(c));
      return true;
    case State::kAfterAttributeName:
      if (IsSpace(c)) return true;
      if (c == '/') {
        state_ = State::kSelfClosing;
        return true;
      }
      if (c == '=') {
        state_ = State::kBeforeAttributeValue;
        return true;
      }
      if (c == '>') return EmitTag();
      state_ = State::kBeforeAttributeName;
      return Step(c);
    case State::kBeforeAttributeValue:
      if (IsSpace(c)) return true;
      if (c == '"' || c == '\'') {
        quote_ = c;
        state_ = State::kQuotedValue;
        return true;
      }
      if (c == '>') return EmitTag();
      state_ = State::kUnquotedValue;
      return Step(c);
    case State::kQuotedValue:
      if (c == quote_) {
        state_ = State::kAfterQuotedValue;
        return EndAttributeValue();
      }
      value_.push_back(c);
      return value_.size() <= kLongestRawText;
    case State::kUnquotedValue:
      if (IsSpace(c)) {
        state_ = State::kBeforeAttributeName;
        return EndAttributeValue();
      }
      if (c == '>') return EndAttributeValue() && EmitTag();
      value_.push_back(c);
      return value_.size() <= kLongestRawText;
    case State::kAfterQuotedValue:
      if (IsSpace(c)) {
        state_ = State::kBeforeAttributeName;
        return true;
      }
      if (c == '/') {
        state_ = State::kSelfClosing;
        return true;
      }
      if (c == '>') return EmitTag();
      state_ = State::kBeforeAttributeName;
      return Step(c);
    case State::kSelfClosing:
      if (c == '>') return EmitTag();
      state_ = State::kBeforeAttributeName;
      return Step(c);
    case State::kMarkup:
      if (c != '>') {
        markup_.push_back(Lower(c));
        return markup_.size() < 200 &&
               (markup_.size() > 7 || std::string_view("doctype").starts_with(markup_));
      }
      tag_start_ = std::string_view::npos;
      state_ = State::kData;
      return markup_.starts_with("doctype");
    case State::kRawText:
      return RawTextByte(c);
    case State::kStopped:
      return false;
  }
  return false;
}

}  // namespace tessarine
