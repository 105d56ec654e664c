#include "pictures/bitmap.h"

#include <cstdint>

namespace tessarine::pictures {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;

uint32_t Little(std::string_view data, size_t at, size_t bytes) {
  uint32_t value = 0;
  for (size_t i = bytes; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(data[at + i]);
  return value;
}

void PutLittle(std::string& out, uint32_t value, size_t bytes) {
  for (size_t i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WithinLimits(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide &&
         width * height <= kMostPixels;
}

// Bytes of one row of `width` pixels of `bits` each, padded to 32 bits as BMP rows are.
int64_t PaddedRow(int64_t width, int64_t bits) {
  return (width * bits + 31) / 32 * 4;
}

void PutFileHeader(std::string& out, size_t file_size, size_t bits_offset) {
  out.append("BM");
  PutLittle(out, static_cast<uint32_t>(file_size), 4);
  PutLittle(out, 0, 4);
  PutLittle(out, static_cast<uint32_t>(bits_offset), 4);
}

}  // namespace

std::optional<std::string> BmpOfDib(std::string_view dib) {
  if (dib.size() < kCoreHeaderSize) return std::nullopt;
  const uint32_t header_size = Little(dib, 0, 4);
  int64_t width = 0, height = 0;
  uint32_t planes = 0, bits = 0, compression = 0, colours_used = 0;
  size_t entry_size = 4;
  if (header_size == kCoreHeaderSize) {
    width = Little(dib, 4, 2);
    height = Little(dib, 6, 2);
    planes = Little(dib, 8, 2);
    bits = Little(dib, 10, 2);
    entry_size = 3;
  } else if (header_size >= kInfoHeaderSize && header_size <= 124 && dib.size() >= header_size) {
    width = static_cast<int32_t>(Little(dib, 4, 4));
    height = static_cast<int32_t>(Little(dib, 8, 4));
    planes = Little(dib, 12, 2);
    bits = Little(dib, 14, 2);
    compression = Little(dib, 16, 4);
    colours_used = Little(dib, 32, 4);
  } else {
    return std::nullopt;
  }
  const int64_t rows = height < 0 ? -height : height;
  if (planes != 1 || !WithinLimits(width, rows)) return std::nullopt;
  // A JPEG or PNG inside a BMP is more than browsers read.
  if (compression == 4 || compression == 5) return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return std::nullopt;
  // The colour table: a palette for up to 8 bits a pixel, the three masks of BI_BITFIELDS
  // after a 40-byte header (later headers hold them), else what biClrUsed says.
  int64_t colours = colours_used;
  if (colours == 0 && bits <= 8) colours = int64_t{1} << bits;
  if (colours > 256 && bits <= 8) return std::nullopt;
  int64_t table = colours * static_cast<int64_t>(entry_size);
  if (header_size == kInfoHeaderSize && (compression == 3 || compression == 6))
    table += compression == 3 ? 12 : 16;
  const int64_t bits_offset = header_size + table;
  if (bits_offset > static_cast<int64_t>(dib.size())) return std::nullopt;
  // Uncompressed rows must all be there; compressed ones (RLE, JPEG, PNG) the browser reads as
  // far as they go.
  if ((compression == 0 || compression == 3 || compression == 6) &&
      PaddedRow(width, bits) * rows > static_cast<int64_t>(dib.size()) - bits_offset) {
    return std::nullopt;
  }
  std::string bmp;
  bmp.reserve(kFileHeaderSize + dib.size());
  PutFileHeader(bmp, kFileHeaderSize + dib.size(), kFileHeaderSize + static_cast<size_t>(bits_offset));
  bmp.append(dib);
  return bmp;
}

BitmapSize DibSize(std::string_view dib) {
  if (dib.size() < kCoreHeaderSize) return {};
  const uint32_t header_size = Little(dib, 0, 4);
  if (header_size == kCoreHeaderSize) return {double(Little(dib, 4, 2)), double(Little(dib, 6, 2))};
  if (header_size < kInfoHeaderSize || dib.size() < kInfoHeaderSize) return {};
  const int64_t height = static_cast<int32_t>(Little(dib, 8, 4));
  return {double(static_cast<int32_t>(Little(dib, 4, 4))), double(height < 0 ? -height : height)};
}

std::optional<std::string> BmpOfDdb(std::string_view bits, const BitmapLayout& layout) {
  const int64_t width = layout.width, height = layout.height, depth = layout.bits_per_pixel;
  if (layout.planes != 1 || (depth != 1 && depth != 24 && depth != 32)) return std::nullopt;
  if (!WithinLimits(width, height)) return std::nullopt;
  // DDB rows are padded to 16 bits unless the document says otherwise.
  const int64_t row = layout.width_bytes > 0 ? layout.width_bytes : (width * depth + 15) / 16 * 2;
  if (row * 8 < width * depth || row * height > static_cast<int64_t>(bits.size())) return std::nullopt;
  const int64_t padded = PaddedRow(width, depth);
  const size_t table = depth == 1 ? 8 : 0;
  const size_t bits_offset = kFileHeaderSize + kInfoHeaderSize + table;
  const size_t file_size = bits_offset + static_cast<size_t>(padded * height);
  std::string bmp;
  bmp.reserve(file_size);
  PutFileHeader(bmp, file_size, bits_offset);
  PutLittle(bmp, kInfoHeaderSize, 4);
  PutLittle(bmp, static_cast<uint32_t>(width), 4);
  PutLittle(bmp, static_cast<uint32_t>(-height), 4);  // rows top first, as the DDB has them
  PutLittle(bmp, 1, 2);
  PutLittle(bmp, static_cast<uint32_t>(depth), 2);
  PutLittle(bmp, 0, 4);  // BI_RGB
  PutLittle(bmp, static_cast<uint32_t>(padded * height), 4);
  PutLittle(bmp, 2835, 4);  // 72 dots an inch
  PutLittle(bmp, 2835, 4);
  PutLittle(bmp, depth == 1 ? 2 : 0, 4);
  PutLittle(bmp, 0, 4);
  if (depth == 1) {
    PutLittle(bmp, 0x000000, 4);  // 0: black
    PutLittle(bmp, 0xFFFFFF, 4);  // 1: white
  }
  const size_t copied = static_cast<size_t>(padded < row ? padded : row);
  for (int64_t y = 0; y < height; ++y) {
    bmp.append(bits.substr(static_cast<size_t>(y * row), copied));
    bmp.append(static_cast<size_t>(padded) - copied, '\0');
  }
  return bmp;
}

}  // namespace tessarine::pictures
