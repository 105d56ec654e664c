// Plays the drawing calls of Windows metafiles (the GDI calls both WMF and EMF records stand
// for) into an SVG image: the device context's state, its object table, the mapping from logical
// to image coordinates, and the shapes, texts and bitmaps drawn. The record readers (wmf.h,
// emf.h) decode records into these calls; nothing here reads a record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pictures/font_text.h"
#include "pictures/svg_writer.h"

namespace tessarine::pictures {

struct Point {
  double x = 0, y = 0;
};

// A logical font as CreateFontIndirect gives it.
struct LogFont {
  int32_t height = 0;      // < 0: the character height; > 0: the cell height; 0: a default size
  int32_t escapement = 0;  // tenths of a degree, counterclockwise
  int32_t weight = 400;
  bool italic = false, underline = false, strike_out = false;
  uint8_t charset = 0;
  std::string face;  // the face name's bytes (in the font's charset)
};

enum class MappingKind : uint8_t {
  kMetafileFrame,  // WMF: the first window given is the picture's frame
  kDevice,         // EMF: the device context's map mode, window and viewport
};

class GdiPlayer {
 public:
  // `objects`: the size of the object table (slots for created objects).
  // `budget`: the most bytes of SVG elements drawn (SvgWriter).
  GdiPlayer(MappingKind mapping, size_t objects, size_t budget);

  bool Full() const { return svg_.Full(); }

  // The device context.
  void SetWindowOrg(double x, double y);
  void SetWindowExt(double x, double y);
  void SetViewportOrg(double x, double y);
  void SetViewportExt(double x, double y);
  void SetMapMode(int32_t mode);
  // EMF: the world transform (m11 m12 m21 m22 dx dy); `modify` 1: identity, 2: left multiply,
  // 3: right multiply, 4: set.
  void SetWorldTransform(const double matrix[6], int32_t mode);
  void SetTextColor(uint32_t colorref) { dc_.text_color = colorref; }
  void SetBkColor(uint32_t colorref) { dc_.bk_color = colorref; }
  void SetBkMode(int32_t mode) { dc_.bk_opaque = mode == 2; }
  void SetTextAlign(uint32_t align) { dc_.text_align = align; }
  void SetPolyFillMode(int32_t mode) { dc_.winding = mode == 2; }
  void SaveDc();
  // `which` < 0: that many saved states back; > 0: the state saved as that number.
  void RestoreDc(int32_t which);
  void IntersectClipRect(double left, double top, double right, double bottom);

  // Objects: Create* takes the lowest free slot (WMF) or slot `index` (EMF, index >= 0).
  void CreatePen(int32_t index, uint32_t style, double width, uint32_t colorref);
  void CreateBrush(int32_t index, uint32_t style, uint32_t colorref);
  void CreateFont(int32_t index, LogFont font);
  void CreateOther(int32_t index);    // a palette, region or pattern: a slot and no more
  void SelectObject(uint32_t index);  // EMF stock objects have the top bit set
  void DeleteObject(uint32_t index);

  // Drawing, in logical coordinates.
  void MoveTo(Point p);
  void LineTo(Point p);
  void Polyline(const std::vector<Point>& points);
  void PolylineTo(const std::vector<Point>& points);
  void PolyBezier(const std::vector<Point>& points, bool from_current);
  void Polygons(const std::vector<std::vector<Point>>& polygons);
  void Rectangle(double left, double top, double right, double bottom);
  void RoundRect(double left, double top, double right, double bottom, double width, double height);
  void Ellipse(double left, double top, double right, double bottom);
  enum class ArcKind : uint8_t { kArc, kChord, kPie };
  void Arc(ArcKind kind, double left, double top, double right, double bottom, Point start, Point end);
  // The brush over a rectangle (left, top, right, bottom), without the pen.
  void FillRectangle(double left, double top, double right, double bottom);
  // The background colour over a rectangle (ETO_OPAQUE).
  void OpaqueRectangle(const double rect[4]);
  // `advances`: the advance of each character (logical), or empty.
  void Text(Point at, std::u32string_view text, const std::vector<double>& advances);
  // A DIB drawn into the rectangle (logical), `source` in its pixels (width or height 0: all).
  void StretchDib(double x, double y, double width, double height, double src_x, double src_y,
                  double src_width, double src_height, std::string_view dib);
  // Paths (EMF): drawing between BeginPath and EndPath makes the path instead.
  void BeginPath();
  void EndPath() { dc_.in_path = false; }
  void CloseFigure();
  void FillPath(bool fill, bool stroke);

  const LogFont& SelectedFont() const { return dc_.font; }
  // The characters of a text of the selected font, decoded from its charset.
  std::u32string DecodeText(std::string_view bytes);

  // True once the metafile set its frame (WMF: a window extent).
  bool HasFrame() const { return frame_.has_value(); }

  // The SVG image, sized by the first frame window (WMF), `frame` when given (EMF bounds), or
  // else what was drawn. Nothing when nothing was drawn or the size is no size.
  std::optional<std::string> Finish(const double* frame);

 private:
  struct Pen {
    uint32_t style = 0;
    double width = 0;  // logical; 0: one pixel
    uint32_t color = 0;
  };
  struct Brush {
    bool hollow = false;
    uint32_t color = 0xFFFFFF;
  };
  enum class ObjectKind : uint8_t { kFree, kPen, kBrush, kFont, kOther };
  struct Object {
    ObjectKind kind = ObjectKind::kFree;
    Pen pen;
    Brush brush;
    LogFont font;
  };
  struct DcState {
    Point window_org, window_ext{1, 1}, viewport_org, viewport_ext{1, 1};
    bool window_ext_set = false;
    int32_t map_mode = 1;
    double world[6] = {1, 0, 0, 1, 0, 0};
    Pen pen;
    Brush brush;
    LogFont font;
    uint32_t text_color = 0, bk_color = 0xFFFFFF, text_align = 0;
    bool bk_opaque = true, winding = false, in_path = false;
    Point position;
    bool clipped = false;
    double clip[4] = {0, 0, 0, 0};  // device: left, top, right, bottom
  };

  Point Device(Point logical) const;
  double ScaleX() const;
  double ScaleY() const;
  double DeviceLength(double logical) const;  // of a pen's width
  void Draw(std::string_view path_data, bool fill, bool stroke);
  void AppendPoint(std::string& d, char command, Point logical);
  int32_t FreeSlot(int32_t index);
  Object* Slot(uint32_t index);

  MappingKind mapping_;
  DcState dc_;
  std::vector<DcState> saved_;
  std::vector<Object> objects_;
  std::optional<Point> frame_;  // WMF: the first window extent
  std::string path_;            // the path being made
  SvgWriter svg_;
  CodePages code_pages_;
};

}  // namespace tessarine::pictures
