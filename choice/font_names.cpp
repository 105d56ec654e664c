#include "choice/font_names.h"

#include "base/cp1251.h"
#include "choice/word_chars.h"
#include "model_page/text_encoding.h"

namespace tessarine {

namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  return text;
}

}  // namespace

void FontNames::AppendFolded(std::string_view utf8, std::string& out) {
  utf8 = Trimmed(utf8);
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(FoldLetter(b)));
      ++i;
      continue;
    }
    size_t length = 1;
    const char32_t c = DecodeUtf8(utf8.substr(i), length);
    AppendUtf8(out, FoldLetter(c));
    i += length;
  }
}

int32_t FontNames::Intern(std::string_view utf8) {
  key_.clear();
  AppendFolded(utf8, key_);
  if (key_.empty()) return -1;
  const auto found = ids_.find(key_);
  if (found != ids_.end()) return found->second;
  const auto id = static_cast<int32_t>(names_.size());
  names_.push_back(key_);
  ids_.emplace(key_, id);
  return id;
}

std::string_view FontNames::Name(int32_t id) const {
  if (id < 0 || static_cast<size_t>(id) >= names_.size()) return {};
  return names_[static_cast<size_t>(id)];
}

bool FontNames::Same(int32_t id, std::string_view utf8) const {
  const std::string_view name = Name(id);
  if (name.empty()) return false;
  std::string folded;
  AppendFolded(utf8, folded);
  return folded == name;
}

}  // namespace tessarine
