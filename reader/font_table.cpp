#include "reader/font_table.h"

#include "reader/code_pages.h"

namespace tessarine::reader {

void FontTable::BeginEntry(int32_t number) {
  in_entry_ = true;
  name_done_ = false;
  number_ = number;
  charset_ = -1;
  code_page_ = 0;
  name_.clear();
}

void FontTable::SetCharset(int32_t charset) {
  charset_ = charset;
}

void FontTable::SetCodePage(int32_t page) {
  code_page_ = page > 0 ? page : 0;
}

int32_t FontTable::EntryNamePage() const {
  if (code_page_ > 0) return code_page_;
  const int32_t page = CodePageOfCharset(charset_);
  return IsSymbolPage(page) ? kDocumentPage : page;
}

void FontTable::EndEntry(std::vector<std::string>& fonts) {
  if (!in_entry_) return;
  in_entry_ = false;
  const size_t first = name_.find_first_not_of(' ');
  const size_t last = name_.find_last_not_of(' ');
  std::string name = first == std::string::npos ? std::string() : name_.substr(first, last - first + 1);
  int32_t page = code_page_ > 0 ? code_page_ : CodePageOfCharset(charset_);
  if (page == kSymbolPage) page = SymbolFontPage(name);
  // Past kMostFonts numbers a table is no document's: later numbers are left out (their text
  // is read in the document's code page), so a hostile table costs bounded memory.
  if (fonts_.size() >= kMostFonts && fonts_.find(number_) == fonts_.end()) return;
  Font& font = fonts_[number_];
  if (font.index >= 0) {
    fonts[static_cast<size_t>(font.index)] = std::move(name);
  } else if (!name.empty()) {  // a font without a name is none for the model, but has a code page
    font.index = static_cast<int32_t>(fonts.size());
    fonts.push_back(std::move(name));
  }
  font.page = page;
}

const FontTable::Font* FontTable::Find(int32_t number) const {
  auto it = fonts_.find(number);
  return it == fonts_.end() ? nullptr : &it->second;
}

}  // namespace tessarine::reader
