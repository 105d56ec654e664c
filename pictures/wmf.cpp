#include "pictures/wmf.h"

#include <vector>

#include "pictures/gdi_player.h"

namespace tessarine::pictures {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kHeaderSize = 18;

// One record's parameters: 16-bit words after the size and function.
class Params {
 public:
  explicit Params(std::string_view data) : data_(data) {}
  size_t words() const { return data_.size() / 2; }
  int16_t S(size_t word) const { return static_cast<int16_t>(U(word)); }
  uint16_t U(size_t word) const {
    if (word * 2 + 2 > data_.size()) return 0;
    return static_cast<uint16_t>(static_cast<unsigned char>(data_[word * 2]) |
                                 (static_cast<unsigned char>(data_[word * 2 + 1]) << 8));
  }
  uint32_t U32(size_t word) const { return U(word) | (uint32_t{U(word + 1)} << 16); }
  std::string_view Bytes(size_t word, size_t count) const {
    if (word * 2 >= data_.size()) return {};
    return data_.substr(word * 2, count);
  }

 private:
  std::string_view data_;
};

std::vector<Point> Points(const Params& p, size_t word, size_t count) {
  std::vector<Point> points;
  if (word + count * 2 > p.words()) return points;
  points.reserve(count);
  for (size_t i = 0; i < count; ++i)
    points.push_back({double(p.S(word + 2 * i)), double(p.S(word + 2 * i + 1))});
  return points;
}

LogFont FontOf(const Params& p) {
  LogFont font;
  font.height = p.S(0);
  font.escapement = p.S(2);
  font.weight = p.S(4);
  const std::string_view flags = p.Bytes(5, 4);
  if (flags.size() == 4) {
    font.italic = flags[0] != 0;
    font.underline = flags[1] != 0;
    font.strike_out = flags[2] != 0;
    font.charset = static_cast<uint8_t>(flags[3]);
  }
  std::string_view face = p.Bytes(9, 32);
  face = face.substr(0, face.find('\0'));
  font.face = std::string(face);
  return font;
}

void Text(GdiPlayer& player, Point at, std::string_view bytes, const Params& p, size_t dx_word) {
  std::u32string text = player.DecodeText(bytes);
  std::vector<double> advances;
  // The advances are one for each byte; they stay only when each byte made one character.
  if (dx_word + bytes.size() <= p.words() && text.size() == bytes.size()) {
    advances.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) advances.push_back(p.S(dx_word + i));
  }
  player.Text(at, text, advances);
}

void Play(GdiPlayer& player, uint16_t function, const Params& p) {
  switch (function) {
    case 0x020B:  // SETWINDOWORG
      player.SetWindowOrg(p.S(1), p.S(0));
      break;
    case 0x020C:  // SETWINDOWEXT
      player.SetWindowExt(p.S(1), p.S(0));
      break;
    case 0x0201:  // SETBKCOLOR
      player.SetBkColor(p.U32(0));
      break;
    case 0x0102:  // SETBKMODE
      player.SetBkMode(p.S(0));
      break;
    case 0x0106:  // SETPOLYFILLMODE
      player.SetPolyFillMode(p.S(0));
      break;
    case 0x0209:  // SETTEXTCOLOR
      player.SetTextColor(p.U32(0));
      break;
    case 0x012E:  // SETTEXTALIGN
      player.SetTextAlign(p.U(0));
      break;
    case 0x001E:  // SAVEDC
      player.SaveDc();
      break;
    case 0x0127:  // RESTOREDC
      player.RestoreDc(p.S(0));
      break;
    case 0x0416:  // INTERSECTCLIPRECT
      player.IntersectClipRect(p.S(3), p.S(2), p.S(1), p.S(0));
      break;
    case 0x02FA:  // CREATEPENINDIRECT
      player.CreatePen(-1, p.U(0), p.S(1), p.U32(3));
      break;
    case 0x02FC:  // CREATEBRUSHINDIRECT
      player.CreateBrush(-1, p.U(0), p.U32(1));
      break;
    case 0x02FB:  // CREATEFONTINDIRECT
      player.CreateFont(-1, FontOf(p));
      break;
    case 0x00F7:  // CREATEPALETTE
    case 0x01F9:  // CREATEPATTERNBRUSH
    case 0x06FF:  // CREATEREGION
      player.CreateOther(-1);
      break;
    case 0x0142:  // DIBCREATEPATTERNBRUSH
      player.CreateBrush(-1, 5, 0);
      break;
    case 0x012D:  // SELECTOBJECT
      player.SelectObject(p.U(0));
      break;
    case 0x01F0:  // DELETEOBJECT
      player.DeleteObject(p.U(0));
      break;
    case 0x0214:  // MOVETO
      player.MoveTo({double(p.S(1)), double(p.S(0))});
      break;
    case 0x0213:  // LINETO
      player.LineTo({double(p.S(1)), double(p.S(0))});
      break;
    case 0x0325:  // POLYLINE
      player.Polyline(Points(p, 1, p.U(0)));
      break;
    case 0x0324:  // POLYGON
      player.Polygons({Points(p, 1, p.U(0))});
      break;
    case 0x0538: {  // POLYPOLYGON
      const size_t count = p.U(0);
      if (1 + count > p.words()) break;
      std::vector<std::vector<Point>> polygons;
      size_t at = 1 + count;
      for (size_t i = 0; i < count; ++i) {
        const size_t n = p.U(1 + i);
        polygons.push_back(Points(p, at, n));
        at += 2 * n;
      }
      player.Polygons(polygons);
      break;
    }
    case 0x041B:  // RECTANGLE
      player.Rectangle(p.S(3), p.S(2), p.S(1), p.S(0));
      break;
    case 0x061C:  // ROUNDRECT
      player.RoundRect(p.S(5), p.S(4), p.S(3), p.S(2), p.S(1), p.S(0));
      break;
    case 0x0418:  // ELLIPSE
      player.Ellipse(p.S(3), p.S(2), p.S(1), p.S(0));
      break;
    case 0x0817:  // ARC
    case 0x081A:  // PIE
    case 0x0830:  // CHORD
      player.Arc(function == 0x0817   ? GdiPlayer::ArcKind::kArc
                 : function == 0x081A ? GdiPlayer::ArcKind::kPie
                                      : GdiPlayer::ArcKind::kChord,
                 p.S(7), p.S(6), p.S(5), p.S(4), {double(p.S(3)), double(p.S(2))},
                 {double(p.S(1)), double(p.S(0))});
      break;
    case 0x061D: {  // PATBLT: the brush over a rectangle
      const double x = p.S(5), y = p.S(4), w = p.S(3), h = p.S(2);
      player.FillRectangle(x, y, x + w, y + h);
      break;
    }
    case 0x0521: {  // TEXTOUT
      const size_t length = p.U(0);
      const size_t words = (length + 1) / 2;
      if (1 + words + 2 > p.words()) break;
      Text(player, {double(p.S(1 + words + 1)), double(p.S(1 + words))}, p.Bytes(1, length), p, p.words());
      break;
    }
    case 0x0A32: {  // EXTTEXTOUT
      const Point at{double(p.S(1)), double(p.S(0))};
      const size_t length = p.U(2);
      const uint16_t options = p.U(3);
      size_t word = 4;
      double rect[4];
      const bool has_rect = (options & 0x0006) != 0;
      if (has_rect) {
        for (int i = 0; i < 4; ++i) rect[i] = p.S(word + static_cast<size_t>(i));
        word += 4;
      }
      const std::string_view bytes = p.Bytes(word, length);
      if (bytes.size() < length) break;
      if ((options & 0x0002) != 0) player.OpaqueRectangle(rect);
      Text(player, at, bytes, p, word + (length + 1) / 2);
      break;
    }
    case 0x0F43: {  // STRETCHDIB
      player.StretchDib(p.S(10), p.S(9), p.S(8), p.S(7), p.S(6), p.S(5), p.S(4), p.S(3),
                        p.Bytes(11, SIZE_MAX));
      break;
    }
    case 0x0B41: {                 // DIBSTRETCHBLT
      if (p.words() <= 10) break;  // no bitmap: a fill of the brush
      player.StretchDib(p.S(9), p.S(8), p.S(7), p.S(6), p.S(5), p.S(4), p.S(3), p.S(2),
                        p.Bytes(10, SIZE_MAX));
      break;
    }
    case 0x0940: {  // DIBBITBLT
      if (p.words() <= 8) break;
      player.StretchDib(p.S(7), p.S(6), p.S(5), p.S(4), p.S(3), p.S(2), p.S(5), p.S(4), p.Bytes(8, SIZE_MAX));
      break;
    }
    default:
      break;
  }
}

}  // namespace

std::optional<std::string> WmfToSvg(std::string_view data, size_t budget) {
  double placeable[4];
  bool has_placeable = false;
  if (data.size() >= kPlaceableSize && Params(data).U32(0) == kPlaceableKey) {
    // The box in logical units: the frame when the metafile sets no window.
    const Params header(data);
    placeable[0] = header.S(3);
    placeable[1] = header.S(4);
    placeable[2] = header.S(5) - header.S(3);
    placeable[3] = header.S(6) - header.S(4);
    has_placeable = placeable[2] != 0 && placeable[3] != 0;
    if (placeable[2] < 0) placeable[0] += placeable[2], placeable[2] = -placeable[2];
    if (placeable[3] < 0) placeable[1] += placeable[3], placeable[3] = -placeable[3];
    data.remove_prefix(kPlaceableSize);
  }
  if (data.size() < kHeaderSize) return std::nullopt;
  const Params header(data);
  const uint16_t type = header.U(0), header_words = header.U(1);
  if ((type != 1 && type != 2) || header_words != 9) return std::nullopt;
  GdiPlayer player(MappingKind::kMetafileFrame, header.U(5), budget);
  size_t at = kHeaderSize;
  while (at + 6 <= data.size() && !player.Full()) {
    const Params record(data.substr(at));
    const uint64_t size = uint64_t{record.U32(0)} * 2;
    const uint16_t function = record.U(2);
    if (function == 0 || size < 6 || size > data.size() - at) break;
    Play(player, function, Params(data.substr(at + 6, static_cast<size_t>(size) - 6)));
    at += static_cast<size_t>(size);
  }
  return player.Finish(has_placeable && !player.HasFrame() ? placeable : nullptr);
}

}  // namespace tessarine::pictures
