#include "pictures/emf.h"

#include <cstring>
#include <vector>

#include "pictures/gdi_player.h"

namespace tessarine::pictures {

namespace {

constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr size_t kHeaderSize = 88;

// One record: its bytes from the type on; reads past the end give 0.
class Record {
 public:
  explicit Record(std::string_view data) : data_(data) {}
  size_t size() const { return data_.size(); }
  uint32_t U32(size_t at) const {
    if (at + 4 > data_.size()) return 0;
    uint32_t v = 0;
    for (size_t i = 4; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(data_[at + i]);
    return v;
  }
  int32_t S32(size_t at) const { return static_cast<int32_t>(U32(at)); }
  int16_t S16(size_t at) const {
    if (at + 2 > data_.size()) return 0;
    return static_cast<int16_t>(static_cast<unsigned char>(data_[at]) |
                                (static_cast<unsigned char>(data_[at + 1]) << 8));
  }
  uint8_t U8(size_t at) const { return at < data_.size() ? static_cast<uint8_t>(data_[at]) : 0; }
  float F32(size_t at) const {
    const uint32_t bits = U32(at);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  std::string_view Bytes(size_t at, size_t count) const {
    if (at >= data_.size()) return {};
    return data_.substr(at, count);
  }
  Point P32(size_t at) const { return {double(S32(at)), double(S32(at + 4))}; }
  Point P16(size_t at) const { return {double(S16(at)), double(S16(at + 2))}; }

 private:
  std::string_view data_;
};

// `count` points from `at`, 32- or 16-bit; none when they run past the record.
std::vector<Point> Points(const Record& r, size_t at, uint64_t count, bool wide) {
  const size_t step = wide ? 8 : 4;
  std::vector<Point> points;
  if (count > (r.size() - std::min(at, r.size())) / step) return points;
  points.reserve(static_cast<size_t>(count));
  for (uint64_t i = 0; i < count; ++i) {
    points.push_back(wide ? r.P32(at + i * step) : r.P16(at + i * step));
  }
  return points;
}

LogFont FontOf(const Record& r) {
  LogFont font;
  font.height = r.S32(12);
  font.escapement = r.S32(20);
  font.weight = r.S32(28);
  font.italic = r.U8(32) != 0;
  font.underline = r.U8(33) != 0;
  font.strike_out = r.U8(34) != 0;
  font.charset = r.U8(35);
  // The face's UTF-16 name: its ASCII characters are all an SVG family keeps.
  for (size_t i = 0; i < 32; ++i) {
    const int16_t c = r.S16(40 + 2 * i);
    if (c == 0) break;
    if (c > 0 && c < 0x80) font.face.push_back(static_cast<char>(c));
  }
  return font;
}

void TextOut(GdiPlayer& player, const Record& r, bool wide) {
  const Point at = r.P32(36);
  const uint32_t count = r.U32(44), offset = r.U32(48), options = r.U32(52);
  const uint32_t dx_offset = r.U32(72);
  if (count > r.size()) return;
  std::u32string text;
  if (wide) {
    const std::string_view bytes = r.Bytes(offset, size_t{count} * 2);
    if (bytes.size() < size_t{count} * 2) return;
    const bool symbol = IsSymbolFace(player.SelectedFont().face);
    const Record units(bytes);
    for (size_t i = 0; i < count; ++i) {
      char32_t c = static_cast<uint16_t>(units.S16(2 * i));
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count) {
        const char32_t low = static_cast<uint16_t>(units.S16(2 * (i + 1)));
        if (low >= 0xDC00 && low <= 0xDFFF) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
      // A symbol font's characters come as themselves or in the private-use block.
      if (symbol && (c < 0x100 || (c >= 0xF020 && c <= 0xF0FF))) c = SymbolCharacter(c & 0xFF);
      if (c != 0) text.push_back(c);
    }
  } else {
    const std::string_view bytes = r.Bytes(offset, count);
    if (bytes.size() < count) return;
    text = player.DecodeText(bytes);
  }
  if ((options & 0x0002) != 0) {  // ETO_OPAQUE
    const double rect[4] = {double(r.S32(56)), double(r.S32(60)), double(r.S32(64)), double(r.S32(68))};
    player.OpaqueRectangle(rect);
  }
  std::vector<double> advances;
  const size_t step = (options & 0x2000) != 0 ? 8 : 4;  // ETO_PDY: x and y for each character
  if (dx_offset != 0 && text.size() == count && r.Bytes(dx_offset, count * step).size() == count * step) {
    advances.reserve(count);
    for (size_t i = 0; i < count; ++i) advances.push_back(r.S32(dx_offset + i * step));
  }
  player.Text(at, text, advances);
}

// The DIB of a bitmap record: its BITMAPINFO and bits, which need not lie together.
std::string DibOf(const Record& r, size_t info_at) {
  const uint32_t bmi = r.U32(info_at), bmi_size = r.U32(info_at + 4);
  const uint32_t bits = r.U32(info_at + 8), bits_size = r.U32(info_at + 12);
  const std::string_view header = r.Bytes(bmi, bmi_size), body = r.Bytes(bits, bits_size);
  if (header.size() < bmi_size || body.size() < bits_size || bmi_size == 0) return {};
  std::string dib;
  dib.reserve(header.size() + body.size());
  dib.append(header);
  dib.append(body);
  return dib;
}

void Play(GdiPlayer& player, uint32_t type, const Record& r) {
  switch (type) {
    case 2:   // POLYBEZIER
    case 85:  // POLYBEZIER16
      player.PolyBezier(Points(r, 28, r.U32(24), type == 2), false);
      break;
    case 5:   // POLYBEZIERTO
    case 88:  // POLYBEZIERTO16
      player.PolyBezier(Points(r, 28, r.U32(24), type == 5), true);
      break;
    case 3:   // POLYGON
    case 86:  // POLYGON16
      player.Polygons({Points(r, 28, r.U32(24), type == 3)});
      break;
    case 4:   // POLYLINE
    case 87:  // POLYLINE16
      player.Polyline(Points(r, 28, r.U32(24), type == 4));
      break;
    case 6:   // POLYLINETO
    case 89:  // POLYLINETO16
      player.PolylineTo(Points(r, 28, r.U32(24), type == 6));
      break;
    case 7:     // POLYPOLYLINE
    case 8:     // POLYPOLYGON
    case 90:    // POLYPOLYLINE16
    case 91: {  // POLYPOLYGON16
      const bool wide = type == 7 || type == 8;
      const uint64_t polygons = r.U32(24);
      if (polygons > r.size() / 4) break;
      size_t at = 32 + static_cast<size_t>(polygons) * 4;
      std::vector<std::vector<Point>> shapes;
      for (size_t i = 0; i < polygons; ++i) {
        const uint32_t n = r.U32(32 + 4 * i);
        shapes.push_back(Points(r, at, n, wide));
        if (shapes.back().size() != n) break;
        at += size_t{n} * (wide ? 8 : 4);
      }
      if (type == 8 || type == 91) {
        player.Polygons(shapes);
      } else {
        for (const std::vector<Point>& line : shapes) player.Polyline(line);
      }
      break;
    }
    case 9:
      player.SetWindowExt(r.S32(8), r.S32(12));
      break;
    case 10:
      player.SetWindowOrg(r.S32(8), r.S32(12));
      break;
    case 11:
      player.SetViewportExt(r.S32(8), r.S32(12));
      break;
    case 12:
      player.SetViewportOrg(r.S32(8), r.S32(12));
      break;
    case 17:
      player.SetMapMode(r.S32(8));
      break;
    case 18:
      player.SetBkMode(r.S32(8));
      break;
    case 19:
      player.SetPolyFillMode(r.S32(8));
      break;
    case 22:
      player.SetTextAlign(r.U32(8));
      break;
    case 24:
      player.SetTextColor(r.U32(8));
      break;
    case 25:
      player.SetBkColor(r.U32(8));
      break;
    case 27:
      player.MoveTo(r.P32(8));
      break;
    case 54:
      player.LineTo(r.P32(8));
      break;
    case 30:
      player.IntersectClipRect(r.S32(8), r.S32(12), r.S32(16), r.S32(20));
      break;
    case 33:
      player.SaveDc();
      break;
    case 34:
      player.RestoreDc(r.S32(8));
      break;
    case 35:
    case 36: {
      const double m[6] = {r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28)};
      player.SetWorldTransform(m, type == 35 ? 4 : static_cast<int32_t>(r.U32(32)));
      break;
    }
    case 37:
      player.SelectObject(r.U32(8));
      break;
    case 40:
      player.DeleteObject(r.U32(8));
      break;
    case 38:  // CREATEPEN
      player.CreatePen(static_cast<int32_t>(r.U32(8)), r.U32(12), r.S32(16), r.U32(24));
      break;
    case 95:  // EXTCREATEPEN
      player.CreatePen(static_cast<int32_t>(r.U32(8)), r.U32(28), r.U32(32), r.U32(40));
      break;
    case 39:  // CREATEBRUSHINDIRECT
      player.CreateBrush(static_cast<int32_t>(r.U32(8)), r.U32(12), r.U32(16));
      break;
    case 93:  // CREATEMONOBRUSH
    case 94:  // CREATEDIBPATTERNBRUSHPT
      player.CreateBrush(static_cast<int32_t>(r.U32(8)), 5, 0);
      break;
    case 49:  // CREATEPALETTE
      player.CreateOther(static_cast<int32_t>(r.U32(8)));
      break;
    case 82:  // EXTCREATEFONTINDIRECTW
      player.CreateFont(static_cast<int32_t>(r.U32(8)), FontOf(r));
      break;
    case 42:
      player.Ellipse(r.S32(8), r.S32(12), r.S32(16), r.S32(20));
      break;
    case 43:
      player.Rectangle(r.S32(8), r.S32(12), r.S32(16), r.S32(20));
      break;
    case 44:
      player.RoundRect(r.S32(8), r.S32(12), r.S32(16), r.S32(20), r.S32(24), r.S32(28));
      break;
    case 45:
    case 46:
    case 47:
      player.Arc(type == 45   ? GdiPlayer::ArcKind::kArc
                 : type == 46 ? GdiPlayer::ArcKind::kChord
                              : GdiPlayer::ArcKind::kPie,
                 r.S32(8), r.S32(12), r.S32(16), r.S32(20), r.P32(24), r.P32(32));
      break;
    case 83:
    case 84:
      TextOut(player, r, type == 84);
      break;
    case 59:
      player.BeginPath();
      break;
    case 60:
      player.EndPath();
      break;
    case 61:
      player.CloseFigure();
      break;
    case 62:
      player.FillPath(true, false);
      break;
    case 63:
      player.FillPath(true, true);
      break;
    case 64:
      player.FillPath(false, true);
      break;
    case 68:  // ABORTPATH
      player.BeginPath();
      player.EndPath();
      break;
    case 81: {  // STRETCHDIBITS
      const std::string dib = DibOf(r, 48);
      player.StretchDib(r.S32(24), r.S32(28), r.S32(72), r.S32(76), r.S32(32), r.S32(36), r.S32(40),
                        r.S32(44), dib);
      break;
    }
    case 76:    // BITBLT
    case 77: {  // STRETCHBLT
      const double x = r.S32(24), y = r.S32(28), w = r.S32(32), h = r.S32(36);
      const std::string dib = DibOf(r, 84);
      if (dib.empty()) {
        player.FillRectangle(x, y, x + w, y + h);
        break;
      }
      const double sw = type == 77 ? r.S32(100) : w, sh = type == 77 ? r.S32(104) : h;
      player.StretchDib(x, y, w, h, r.S32(44), r.S32(48), sw, sh, dib);
      break;
    }
    default:
      break;
  }
}

}  // namespace

std::optional<std::string> EmfToSvg(std::string_view data, size_t budget) {
  const Record header(data);
  if (data.size() < kHeaderSize || header.U32(0) != 1 || header.U32(40) != kSignature) return std::nullopt;
  const uint32_t header_size = header.U32(4);
  if (header_size < kHeaderSize || header_size > data.size()) return std::nullopt;
  // The bounds are inclusive device pixels.
  double frame[4] = {double(header.S32(8)), double(header.S32(12)),
                     double(header.S32(16)) - header.S32(8) + 1, double(header.S32(20)) - header.S32(12) + 1};
  const bool bounded = frame[2] > 1 && frame[3] > 1;
  GdiPlayer player(MappingKind::kDevice, header.U32(56) & 0xFFFF, budget);
  size_t at = header_size;
  while (at + 8 <= data.size() && !player.Full()) {
    const Record record(data.substr(at));
    const uint32_t type = record.U32(0), size = record.U32(4);
    if (size < 8 || size > data.size() - at || type == 14) break;  // 14: EOF
    Play(player, type, Record(data.substr(at, size)));
    at += size;
  }
  return player.Finish(bounded ? frame : nullptr);
}

}  // namespace tessarine::pictures
