#include "base/code_page.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace tessarine {

namespace {

// iconv's name for a Windows or Mac code page number.
std::string IconvName(long number) {
  switch (number) {
    case 10000: return "MACINTOSH";
    case 10007: return "MAC-CYRILLIC";
    case 10029: return "MAC-CENTRALEUROPE";
    case 20866: return "KOI8-R";
    case 21866: return "KOI8-U";
    case 28591: return "ISO-8859-1";
    case 28595: return "ISO-8859-5";
    case 65001: return "UTF-8";
    default: return "CP" + std::to_string(number);
  }
}

// Converts `in` from `from` into UTF-32LE characters; false when iconv rejects it.
bool ToCharacters(iconv_t cd, std::string_view in, std::vector<char32_t>& out, size_t* consumed) {
  out.clear();
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  std::array<char32_t, 8> buffer{};
  char* dst = reinterpret_cast<char*>(buffer.data());
  size_t dst_left = sizeof(buffer);
  size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  size_t produced = (sizeof(buffer) - dst_left) / sizeof(char32_t);
  out.assign(buffer.begin(), buffer.begin() + static_cast<long>(produced));
  *consumed = in.size() - src_left;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  return rc != static_cast<size_t>(-1);
}

struct Iconv {
  iconv_t cd;
  explicit Iconv(const std::string& from) : cd(iconv_open("UTF-32LE", from.c_str())) {}
  ~Iconv() {
    if (ok()) iconv_close(cd);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

}  // namespace

std::optional<CodePage> CodePage::Open(long number) {
  CodePage page;
  page.name_ = IconvName(number);
  Iconv cv(page.name_);
  if (!cv.ok()) return std::nullopt;
  page.double_byte_ = number == 932 || number == 936 || number == 949 || number == 950 || number == 65001;
  if (!page.double_byte_) {
    page.single_.resize(256);
    for (int b = 0; b < 256; ++b) {
      char byte = static_cast<char>(b);
      std::vector<char32_t> chars;
      size_t consumed = 0;
      if (ToCharacters(cv.cd, std::string_view(&byte, 1), chars, &consumed) && chars.size() == 1) {
        page.single_[b] = chars[0];
      }
    }
  }
  return page;
}

std::vector<CodePage::Character> CodePage::Decode(std::string_view bytes) const {
  std::vector<Character> out;
  if (!double_byte_) {
    for (char b : bytes) out.push_back(Character{single_[static_cast<unsigned char>(b)], 1});
    return out;
  }
  Iconv cv(name_);
  size_t i = 0;
  std::vector<char32_t> chars;
  while (i < bytes.size()) {
    size_t consumed = 0;
    // Try one byte, then a lead byte with the one after it.
    bool decoded = false;
    for (size_t len = 1; len <= 2 && i + len <= bytes.size() && !decoded; ++len) {
      if (cv.ok() && ToCharacters(cv.cd, bytes.substr(i, len), chars, &consumed) && consumed == len &&
          chars.size() == 1) {
        out.push_back(Character{chars[0], len});
        i += len;
        decoded = true;
      }
    }
    if (!decoded) {
      out.push_back(Character{std::nullopt, 1});
      ++i;
    }
  }
  return out;
}

std::vector<std::optional<char32_t>> CodePage::DecodeEach(const std::vector<std::string>& sequences) const {
  std::vector<std::optional<char32_t>> out(sequences.size());
  Iconv cv(name_);
  if (!cv.ok()) return out;
  std::vector<char32_t> chars;
  for (size_t i = 0; i < sequences.size(); ++i) {
    size_t consumed = 0;
    if (ToCharacters(cv.cd, sequences[i], chars, &consumed) && consumed == sequences[i].size() &&
        chars.size() == 1) {
      out[i] = chars[0];
    }
  }
  return out;
}

}  // namespace tessarine
