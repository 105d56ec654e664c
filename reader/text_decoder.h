// Characters of RTF text in UTF-8: bytes and "\'hh" escapes read through the code page of their
// font or of the document, and Unicode characters of "\uN". The tables of each code page are
// built when a document first uses it and belong to this decoder (one per reading).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/code_page.h"
#include "reader/code_pages.h"

namespace tessarine::reader {

// True when the plain bytes from 0x80 up in `rtf` are all of multi-byte UTF-8 characters (CR and
// LF may stand between the bytes of one), and there is at least one: writers that put UTF-8
// unescaped into RTF. One pass over the bytes.
bool RawBytesAreUtf8(std::string_view rtf);

// The UTF-8 character whose first byte is at `p` (< `end`), CR and LF inside it skipped: how
// many input bytes it takes, its bytes in `bytes` (`*length` of them, up to four); 0 when no
// valid character starts there.
size_t RawUtf8At(const char* p, const char* end, char bytes[4], size_t* length);

class TextDecoder {
 public:
  TextDecoder();
  ~TextDecoder();
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;

  // Plain bytes from 0x80 up (not "\\'hh" escapes) are read as UTF-8, whatever the code page,
  // when the document `rtf` holds them as UTF-8 (RawBytesAreUtf8), which is found out the first
  // time such a byte is read: a document without one is never scanned for them.
  void SetDocument(std::string_view rtf) {
    rtf_ = rtf;
    raw_utf8_ = kUnknown;
  }
  bool raw_utf8() {
    if (raw_utf8_ == kUnknown) raw_utf8_ = RawBytesAreUtf8(rtf_) ? kYes : kNo;
    return raw_utf8_ == kYes;
  }

  // The code page that kDocumentPage stands for (1252 until the document says otherwise).
  void SetDocumentPage(int32_t page);
  int32_t document_page() const { return document_page_; }

  // Appends the characters of a kText token (reader/tokens.h) read in code page `page` to `out`
  // as UTF-8. Control characters are left out and a tab is a space; bytes the code page does not
  // have give U+FFFD. A double-byte character split between two calls is lost.
  void Append(std::string_view text, int32_t page, std::string& out);

  // Decodes the kText token at the start of `input` as Append does, finding its end while it
  // reads (one pass instead of two); returns how many bytes of `input` the token took.
  size_t AppendTextAt(std::string_view input, int32_t page, std::string& out);

  // Appends the character `c` as UTF-8; nothing for control characters. In a symbol page, the
  // private-use characters U+F020 to U+F0FF ("\u-3913") are that font's characters.
  static void AppendCharacter(char32_t c, int32_t page, std::string& out);

 private:
  struct Page;
  Page& Find(int32_t page);
  Page& Build(int32_t page);
  void AppendDoubleByte(Page& page, std::string_view text, std::string& out, bool raw_utf8);
  static void AppendUtf8Bytes(std::string_view text, std::string& out);

  int32_t document_page_ = 1252;
  enum : uint8_t { kNo, kYes, kUnknown };
  std::string_view rtf_;
  uint8_t raw_utf8_ = kNo;
  std::vector<std::unique_ptr<Page>> pages_;
  Page* last_ = nullptr;  // the page of the last call, found again without a search
  std::string scratch_;   // decoded characters before they are appended in one piece
};

}  // namespace tessarine::reader
