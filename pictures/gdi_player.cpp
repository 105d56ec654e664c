#include "pictures/gdi_player.h"

#include <algorithm>
#include <cmath>

#include "pictures/bitmap.h"

namespace tessarine::pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kStockObject = 0x80000000;
constexpr size_t kMostSavedStates = 1024;

enum : uint32_t {
  kPenNull = 5,
  kBrushNull = 1,
  kTaUpdateCp = 1,
  kTaRight = 2,
  kTaCenter = 6,
  kTaBottom = 8,
  kTaBaseline = 24,
};

}  // namespace

GdiPlayer::GdiPlayer(MappingKind mapping, size_t objects, size_t budget)
    : mapping_(mapping), objects_(std::min<size_t>(objects, 65536)), svg_(budget) {
  dc_.font.height = 0;
}

// Mapping --------------------------------------------------------------------------------------

void GdiPlayer::SetWindowOrg(double x, double y) {
  dc_.window_org = {x, y};
}

void GdiPlayer::SetWindowExt(double x, double y) {
  if (x == 0 || y == 0) return;
  dc_.window_ext = {x, y};
  dc_.window_ext_set = true;
  if (mapping_ == MappingKind::kMetafileFrame && !frame_) frame_ = Point{std::fabs(x), std::fabs(y)};
}

void GdiPlayer::SetViewportOrg(double x, double y) {
  dc_.viewport_org = {x, y};
}

void GdiPlayer::SetViewportExt(double x, double y) {
  if (x == 0 || y == 0) return;
  dc_.viewport_ext = {x, y};
}

void GdiPlayer::SetMapMode(int32_t mode) {
  dc_.map_mode = mode;
}

void GdiPlayer::SetWorldTransform(const double m[6], int32_t mode) {
  for (int i = 0; i < 6; ++i) {
    if (!std::isfinite(m[i]) || std::fabs(m[i]) > 1e6) return;
  }
  double* w = dc_.world;
  if (mode == 1) {
    const double identity[6] = {1, 0, 0, 1, 0, 0};
    std::copy(identity, identity + 6, w);
  } else if (mode == 4) {
    std::copy(m, m + 6, w);
  } else if (mode == 2 || mode == 3) {
    // Row vectors: p' = p * A * B; left multiply puts the new matrix first.
    const double* a = mode == 2 ? m : w;
    const double* b = mode == 2 ? w : m;
    const double r[6] = {a[0] * b[0] + a[1] * b[2],        a[0] * b[1] + a[1] * b[3],
                         a[2] * b[0] + a[3] * b[2],        a[2] * b[1] + a[3] * b[3],
                         a[4] * b[0] + a[5] * b[2] + b[4], a[4] * b[1] + a[5] * b[3] + b[5]};
    std::copy(r, r + 6, w);
  }
}

double GdiPlayer::ScaleX() const {
  if (mapping_ == MappingKind::kMetafileFrame) {
    return frame_ && dc_.window_ext_set ? frame_->x / dc_.window_ext.x : 1;
  }
  if (dc_.map_mode == 7 || dc_.map_mode == 8) return dc_.viewport_ext.x / dc_.window_ext.x;
  return 1;
}

double GdiPlayer::ScaleY() const {
  if (mapping_ == MappingKind::kMetafileFrame) {
    return frame_ && dc_.window_ext_set ? frame_->y / dc_.window_ext.y : 1;
  }
  if (dc_.map_mode == 7 || dc_.map_mode == 8) return dc_.viewport_ext.y / dc_.window_ext.y;
  return 1;
}

Point GdiPlayer::Device(Point p) const {
  const double* w = dc_.world;
  const double x = p.x * w[0] + p.y * w[2] + w[4];
  const double y = p.x * w[1] + p.y * w[3] + w[5];
  if (mapping_ == MappingKind::kMetafileFrame) {
    return {(x - dc_.window_org.x) * ScaleX(), (y - dc_.window_org.y) * ScaleY()};
  }
  return {(x - dc_.window_org.x) * ScaleX() + dc_.viewport_org.x,
          (y - dc_.window_org.y) * ScaleY() + dc_.viewport_org.y};
}

double GdiPlayer::DeviceLength(double logical) const {
  const double* w = dc_.world;
  const double world = std::sqrt(std::fabs(w[0] * w[3] - w[1] * w[2]));
  return std::fabs(logical * ScaleX()) * (world > 0 ? world : 1);
}

// State ----------------------------------------------------------------------------------------

void GdiPlayer::SaveDc() {
  if (saved_.size() < kMostSavedStates) saved_.push_back(dc_);
}

void GdiPlayer::RestoreDc(int32_t which) {
  size_t keep = saved_.size();
  if (which < 0) {
    const size_t back = static_cast<size_t>(-static_cast<int64_t>(which));
    if (back > saved_.size()) return;
    keep = saved_.size() - back;
  } else if (which > 0 && static_cast<size_t>(which) <= saved_.size()) {
    keep = static_cast<size_t>(which) - 1;
  } else {
    return;
  }
  const bool in_path = dc_.in_path;
  dc_ = saved_[keep];
  dc_.in_path = in_path;
  saved_.resize(keep);
  svg_.SetClip(dc_.clipped ? dc_.clip : nullptr);
}

void GdiPlayer::IntersectClipRect(double left, double top, double right, double bottom) {
  const Point a = Device({left, top}), b = Device({right, bottom});
  double rect[4] = {std::fmin(a.x, b.x), std::fmin(a.y, b.y), std::fmax(a.x, b.x), std::fmax(a.y, b.y)};
  if (dc_.clipped) {
    rect[0] = std::fmax(rect[0], dc_.clip[0]);
    rect[1] = std::fmax(rect[1], dc_.clip[1]);
    rect[2] = std::fmin(rect[2], dc_.clip[2]);
    rect[3] = std::fmin(rect[3], dc_.clip[3]);
  }
  std::copy(rect, rect + 4, dc_.clip);
  dc_.clipped = true;
  svg_.SetClip(dc_.clip);
}

// Objects --------------------------------------------------------------------------------------

int32_t GdiPlayer::FreeSlot(int32_t index) {
  if (index >= 0) return static_cast<size_t>(index) < objects_.size() ? index : -1;
  for (size_t i = 0; i < objects_.size(); ++i) {
    if (objects_[i].kind == ObjectKind::kFree) return static_cast<int32_t>(i);
  }
  return -1;
}

GdiPlayer::Object* GdiPlayer::Slot(uint32_t index) {
  return index < objects_.size() ? &objects_[index] : nullptr;
}

void GdiPlayer::CreatePen(int32_t index, uint32_t style, double width, uint32_t colorref) {
  const int32_t slot = FreeSlot(index);
  if (slot < 0) return;
  Object& o = objects_[static_cast<size_t>(slot)];
  o = Object{};
  o.kind = ObjectKind::kPen;
  o.pen = {style, std::fabs(width), colorref};
}

void GdiPlayer::CreateBrush(int32_t index, uint32_t style, uint32_t colorref) {
  const int32_t slot = FreeSlot(index);
  if (slot < 0) return;
  Object& o = objects_[static_cast<size_t>(slot)];
  o = Object{};
  o.kind = ObjectKind::kBrush;
  o.brush.hollow = style == kBrushNull;
  // Patterns are shown as grey: what they draw is not kept.
  o.brush.color = style == 3 || style == 5 ? 0x808080 : colorref;
}

void GdiPlayer::CreateFont(int32_t index, LogFont font) {
  const int32_t slot = FreeSlot(index);
  if (slot < 0) return;
  Object& o = objects_[static_cast<size_t>(slot)];
  o = Object{};
  o.kind = ObjectKind::kFont;
  o.font = std::move(font);
}

void GdiPlayer::CreateOther(int32_t index) {
  const int32_t slot = FreeSlot(index);
  if (slot < 0) return;
  objects_[static_cast<size_t>(slot)] = Object{};
  objects_[static_cast<size_t>(slot)].kind = ObjectKind::kOther;
}

void GdiPlayer::SelectObject(uint32_t index) {
  if (index & kStockObject) {
    switch (index & ~kStockObject) {
      case 0:  // WHITE_BRUSH
        dc_.brush = {false, 0xFFFFFF};
        break;
      case 1:  // LTGRAY_BRUSH
        dc_.brush = {false, 0xC0C0C0};
        break;
      case 2:  // GRAY_BRUSH
        dc_.brush = {false, 0x808080};
        break;
      case 3:  // DKGRAY_BRUSH
        dc_.brush = {false, 0x404040};
        break;
      case 4:  // BLACK_BRUSH
        dc_.brush = {false, 0};
        break;
      case 5:  // NULL_BRUSH
        dc_.brush = {true, 0};
        break;
      case 6:  // WHITE_PEN
        dc_.pen = {0, 0, 0xFFFFFF};
        break;
      case 7:  // BLACK_PEN
        dc_.pen = {0, 0, 0};
        break;
      case 8:  // NULL_PEN
        dc_.pen = {kPenNull, 0, 0};
        break;
      default:  // fonts and palettes: the defaults stand
        break;
    }
    return;
  }
  const Object* o = Slot(index);
  if (o == nullptr) return;
  if (o->kind == ObjectKind::kPen) dc_.pen = o->pen;
  if (o->kind == ObjectKind::kBrush) dc_.brush = o->brush;
  if (o->kind == ObjectKind::kFont) dc_.font = o->font;
}

void GdiPlayer::DeleteObject(uint32_t index) {
  if (Object* o = Slot(index)) *o = Object{};
}

// Drawing --------------------------------------------------------------------------------------

void GdiPlayer::AppendPoint(std::string& d, char command, Point logical) {
  const Point p = Device(logical);
  svg_.Include(p.x, p.y);
  if (command != 0) d.push_back(command);
  AppendNumber(d, p.x);
  d.push_back(' ');
  AppendNumber(d, p.y);
  d.push_back(' ');
}

void GdiPlayer::Draw(std::string_view data, bool fill, bool stroke) {
  if (dc_.in_path) {
    path_.append(data);
    return;
  }
  ShapeStyle style;
  style.fill = fill && !dc_.brush.hollow;
  style.fill_color = dc_.brush.color;
  style.even_odd = !dc_.winding;
  style.stroke = stroke && (dc_.pen.style & 0x0F) != kPenNull;
  style.stroke_color = dc_.pen.color;
  style.stroke_width = dc_.pen.width > 0 ? DeviceLength(dc_.pen.width) : 0;
  if (style.stroke_width > 0 && style.stroke_width < 0.5) style.stroke_width = 0;
  style.dash = dc_.pen.style & 0x0F;
  if (style.dash > 4) style.dash = 0;
  svg_.Path(data, style);
}

void GdiPlayer::MoveTo(Point p) {
  dc_.position = p;
  if (dc_.in_path) {
    std::string d;
    AppendPoint(d, 'M', p);
    path_.append(d);
  }
}

void GdiPlayer::LineTo(Point p) {
  std::string d;
  if (!dc_.in_path || path_.empty()) AppendPoint(d, 'M', dc_.position);
  AppendPoint(d, 'L', p);
  dc_.position = p;
  Draw(d, false, true);
}

void GdiPlayer::Polyline(const std::vector<Point>& points) {
  if (points.size() < 2 && !dc_.in_path) return;
  std::string d;
  for (size_t i = 0; i < points.size(); ++i) AppendPoint(d, i == 0 ? 'M' : 'L', points[i]);
  Draw(d, false, true);
}

void GdiPlayer::PolylineTo(const std::vector<Point>& points) {
  if (points.empty()) return;
  std::string d;
  if (!dc_.in_path || path_.empty()) AppendPoint(d, 'M', dc_.position);
  for (const Point& p : points) AppendPoint(d, 'L', p);
  dc_.position = points.back();
  Draw(d, false, true);
}

void GdiPlayer::PolyBezier(const std::vector<Point>& points, bool from_current) {
  std::string d;
  size_t at = 0;
  if (from_current) {
    if (!dc_.in_path || path_.empty()) AppendPoint(d, 'M', dc_.position);
  } else {
    if (points.empty()) return;
    AppendPoint(d, 'M', points[0]);
    at = 1;
  }
  for (; at + 3 <= points.size(); at += 3) {
    AppendPoint(d, 'C', points[at]);
    AppendPoint(d, 0, points[at + 1]);
    AppendPoint(d, 0, points[at + 2]);
    dc_.position = points[at + 2];
  }
  Draw(d, false, true);
}

void GdiPlayer::Polygons(const std::vector<std::vector<Point>>& polygons) {
  std::string d;
  for (const std::vector<Point>& polygon : polygons) {
    if (polygon.size() < 2) continue;
    for (size_t i = 0; i < polygon.size(); ++i) AppendPoint(d, i == 0 ? 'M' : 'L', polygon[i]);
    d.append("Z ");
  }
  if (!d.empty()) Draw(d, true, true);
}

void GdiPlayer::Rectangle(double left, double top, double right, double bottom) {
  Polygons({{{left, top}, {right, top}, {right, bottom}, {left, bottom}}});
}

void GdiPlayer::RoundRect(double left, double top, double right, double bottom, double width, double height) {
  const Point a = Device({left, top}), b = Device({right, bottom});
  const double x0 = std::fmin(a.x, b.x), x1 = std::fmax(a.x, b.x);
  const double y0 = std::fmin(a.y, b.y), y1 = std::fmax(a.y, b.y);
  const double rx = std::fmin(std::fabs(width * ScaleX()) / 2, (x1 - x0) / 2);
  const double ry = std::fmin(std::fabs(height * ScaleY()) / 2, (y1 - y0) / 2);
  svg_.Include(x0, y0);
  svg_.Include(x1, y1);
  std::string d;
  auto point = [&d](char command, double x, double y) {
    d.push_back(command);
    AppendNumber(d, x);
    d.push_back(' ');
    AppendNumber(d, y);
    d.push_back(' ');
  };
  auto arc = [&](double x, double y) {
    d.push_back('A');
    AppendNumber(d, rx);
    d.push_back(' ');
    AppendNumber(d, ry);
    d.append(" 0 0 1 ");
    AppendNumber(d, x);
    d.push_back(' ');
    AppendNumber(d, y);
    d.push_back(' ');
  };
  point('M', x0 + rx, y0);
  point('L', x1 - rx, y0);
  arc(x1, y0 + ry);
  point('L', x1, y1 - ry);
  arc(x1 - rx, y1);
  point('L', x0 + rx, y1);
  arc(x0, y1 - ry);
  point('L', x0, y0 + ry);
  arc(x0 + rx, y0);
  d.append("Z");
  Draw(d, true, true);
}

void GdiPlayer::Ellipse(double left, double top, double right, double bottom) {
  RoundRect(left, top, right, bottom, right - left, bottom - top);
}

void GdiPlayer::Arc(ArcKind kind, double left, double top, double right, double bottom, Point start,
                    Point end) {
  const Point a = Device({left, top}), b = Device({right, bottom});
  const Point s = Device(start), e = Device(end);
  const double cx = (a.x + b.x) / 2, cy = (a.y + b.y) / 2;
  const double rx = std::fabs(b.x - a.x) / 2, ry = std::fabs(b.y - a.y) / 2;
  if (rx == 0 || ry == 0) return;
  // The points where the rays from the centre cross the ellipse.
  const double t0 = std::atan2((s.y - cy) / ry, (s.x - cx) / rx);
  const double t1 = std::atan2((e.y - cy) / ry, (e.x - cx) / rx);
  // Arcs run counterclockwise as the device shows them; a mirrored mapping turns that round.
  const bool flipped = (ScaleX() < 0) != (ScaleY() < 0);
  double extent = flipped ? t1 - t0 : t0 - t1;
  while (extent <= 0) extent += 2 * kPi;
  while (extent > 2 * kPi) extent -= 2 * kPi;
  const double x0 = cx + rx * std::cos(t0), y0 = cy + ry * std::sin(t0);
  const double x1 = cx + rx * std::cos(t1), y1 = cy + ry * std::sin(t1);
  svg_.Include(a.x, a.y);
  svg_.Include(b.x, b.y);
  std::string d;
  if (kind == ArcKind::kPie) {
    d.push_back('M');
    AppendNumber(d, cx);
    d.push_back(' ');
    AppendNumber(d, cy);
    d.append(" L");
  } else {
    d.push_back('M');
  }
  AppendNumber(d, x0);
  d.push_back(' ');
  AppendNumber(d, y0);
  d.append(" A");
  AppendNumber(d, rx);
  d.push_back(' ');
  AppendNumber(d, ry);
  d.append(extent > kPi ? " 0 1 " : " 0 0 ");
  d.append(flipped ? "1 " : "0 ");
  AppendNumber(d, x1);
  d.push_back(' ');
  AppendNumber(d, y1);
  if (kind != ArcKind::kArc) d.append(" Z");
  Draw(d, kind != ArcKind::kArc, true);
}

std::u32string GdiPlayer::DecodeText(std::string_view bytes) {
  return DecodeFontText(bytes, dc_.font.charset, dc_.font.face, code_pages_);
}

void GdiPlayer::FillRectangle(double left, double top, double right, double bottom) {
  const Pen pen = dc_.pen;
  dc_.pen = {kPenNull, 0, 0};
  Rectangle(left, top, right, bottom);
  dc_.pen = pen;
}

void GdiPlayer::OpaqueRectangle(const double rect[4]) {
  const Brush brush = dc_.brush;
  dc_.brush = {false, dc_.bk_color};
  FillRectangle(rect[0], rect[1], rect[2], rect[3]);
  dc_.brush = brush;
}

void GdiPlayer::Text(Point at, std::u32string_view text, const std::vector<double>& advances) {
  if (text.empty()) return;
  if (dc_.text_align & kTaUpdateCp) at = dc_.position;
  const LogFont& font = dc_.font;
  const double height = font.height == 0 ? 12 / std::fmax(std::fabs(ScaleY()), 1e-9) : std::fabs(font.height);
  // A cell height holds the internal leading too: about a tenth of it for common faces.
  const double em = font.height > 0 ? height * 0.88 : height;
  const double size = em * std::fabs(ScaleY()) * (DeviceLength(1) / std::fmax(std::fabs(ScaleX()), 1e-9));
  TextStyle style;
  style.family = FontFamily(font.face, font.charset);
  style.size = size;
  style.bold = font.weight >= 600;
  style.italic = font.italic;
  style.underline = font.underline;
  style.strike_out = font.strike_out;
  style.color = dc_.text_color;
  const uint32_t horizontal = dc_.text_align & kTaCenter;
  style.anchor = horizontal == kTaCenter ? 1 : horizontal == kTaRight ? 2 : 0;
  // The escapement turns the line counterclockwise; the image's y runs down.
  const bool flipped = (ScaleX() < 0) != (ScaleY() < 0);
  style.angle = (flipped ? 1 : -1) * font.escapement / 10.0;
  // From the reference point to the baseline, along the line's normal.
  double drop = 0;
  const uint32_t vertical = dc_.text_align & kTaBaseline;
  if (vertical == 0) drop = size * 0.89;           // the top
  if (vertical == kTaBottom) drop = -size * 0.22;  // the bottom
  const Point p = Device(at);
  const double radians = style.angle * kPi / 180;
  const double x = p.x - drop * std::sin(radians), y = p.y + drop * std::cos(radians);
  std::vector<double> xs;
  double run = 0;
  if (advances.size() == text.size() && style.angle == 0 && style.anchor == 0) {
    const double step = ScaleX();
    xs.reserve(text.size());
    for (double advance : advances) {
      xs.push_back(x + run * step);
      run += advance;
    }
  } else {
    for (double advance : advances) run += advance;
  }
  svg_.Include(x, y - size);
  svg_.Include(x + run * ScaleX(), y + size * 0.25);
  svg_.Text(x, y, text, xs, style);
  if (dc_.text_align & kTaUpdateCp) dc_.position.x += run;
}

void GdiPlayer::StretchDib(double x, double y, double width, double height, double src_x, double src_y,
                           double src_width, double src_height, std::string_view dib) {
  std::optional<std::string> bmp = BmpOfDib(dib);
  if (!bmp) return;
  const BitmapSize size = DibSize(dib);
  const Point a = Device({x, y}), b = Device({x + width, y + height});
  svg_.Include(a.x, a.y);
  svg_.Include(b.x, b.y);
  const double source[4] = {src_x, src_y, src_width, src_height};
  const bool whole = src_width <= 0 || src_height <= 0 ||
                     (src_x == 0 && src_y == 0 && src_width == size.width && src_height == size.height);
  svg_.Image(a.x, a.y, b.x - a.x, b.y - a.y, *bmp, whole ? nullptr : source, size.width, size.height);
}

void GdiPlayer::BeginPath() {
  dc_.in_path = true;
  path_.clear();
}

void GdiPlayer::CloseFigure() {
  if (dc_.in_path && !path_.empty()) path_.append("Z ");
}

void GdiPlayer::FillPath(bool fill, bool stroke) {
  dc_.in_path = false;
  std::string d = std::move(path_);
  path_.clear();
  Draw(d, fill, stroke);
}

std::optional<std::string> GdiPlayer::Finish(const double* frame) {
  if (svg_.Empty()) return std::nullopt;
  double box[4];
  if (frame != nullptr) {
    std::copy(frame, frame + 4, box);
  } else if (frame_) {
    box[0] = 0;
    box[1] = 0;
    box[2] = frame_->x;
    box[3] = frame_->y;
  } else {
    double bounds[4];
    if (!svg_.Bounds(bounds)) return std::nullopt;
    box[0] = bounds[0];
    box[1] = bounds[1];
    box[2] = bounds[2] - bounds[0];
    box[3] = bounds[3] - bounds[1];
  }
  if (!(box[2] > 0) || !(box[3] > 0)) return std::nullopt;
  return svg_.Finish(box);
}

}  // namespace tessarine::pictures
