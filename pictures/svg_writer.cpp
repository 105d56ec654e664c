#include "pictures/svg_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/base64.h"
#include "base/cp1251.h"

namespace tessarine::pictures {

namespace {

constexpr double kLargestNumber = 1e7;

// Text as XML character data or attribute value: markup characters as references, characters
// XML cannot hold left out.
void AppendEscaped(std::string& out, std::u32string_view text) {
  for (char32_t c : text) {
    switch (c) {
      case '&':
        out.append("&amp;");
        break;
      case '<':
        out.append("&lt;");
        break;
      case '>':
        out.append("&gt;");
        break;
      case '"':
        out.append("&quot;");
        break;
      default:
        if ((c < 0x20 && c != '\t') || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF ||
            c > 0x10FFFF)
          break;
        AppendUtf8(out, c == '\t' ? U' ' : c);
    }
  }
}

}  // namespace

void AppendNumber(std::string& out, double value) {
  if (!std::isfinite(value)) value = 0;
  if (value > kLargestNumber) value = kLargestNumber;
  if (value < -kLargestNumber) value = -kLargestNumber;
  const long long hundredths = std::llround(value * 100);
  char buffer[32];
  const long long whole = hundredths / 100, part = std::llabs(hundredths % 100);
  char* end = buffer;
  if (hundredths < 0 && whole == 0) *end++ = '-';
  end = std::to_chars(end, buffer + sizeof buffer, whole).ptr;
  if (part != 0) {
    *end++ = '.';
    *end++ = static_cast<char>('0' + part / 10);
    if (part % 10 != 0) *end++ = static_cast<char>('0' + part % 10);
  }
  out.append(buffer, end);
}

void AppendColor(std::string& out, uint32_t colorref) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out.push_back('#');
  for (int shift : {0, 8, 16}) {
    const uint32_t part = (colorref >> shift) & 0xFF;
    out.push_back(kDigits[part >> 4]);
    out.push_back(kDigits[part & 15]);
  }
}

void SvgWriter::SetClip(const double* rect) {
  if (rect == nullptr) {
    clip_id_ = 0;
    return;
  }
  // The same rectangle again (a state restored, say) takes the clip path it had.
  if (clips_ > 0 && std::equal(rect, rect + 4, last_clip_)) {
    clip_id_ = clips_;
    return;
  }
  std::copy(rect, rect + 4, last_clip_);
  clip_id_ = ++clips_;
  defs_.append("<clipPath id=\"c");
  AppendNumber(defs_, clip_id_);
  defs_.append("\"><rect x=\"");
  AppendNumber(defs_, rect[0]);
  defs_.append("\" y=\"");
  AppendNumber(defs_, rect[1]);
  defs_.append("\" width=\"");
  AppendNumber(defs_, std::fmax(0, rect[2] - rect[0]));
  defs_.append("\" height=\"");
  AppendNumber(defs_, std::fmax(0, rect[3] - rect[1]));
  defs_.append("\"/></clipPath>");
}

void SvgWriter::AppendClip() {
  if (clip_id_ == 0) return;
  body_.append(" clip-path=\"url(#c");
  AppendNumber(body_, clip_id_);
  body_.append(")\"");
}

void SvgWriter::Include(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (!bounded_) {
    bounds_[0] = bounds_[2] = x;
    bounds_[1] = bounds_[3] = y;
    bounded_ = true;
    return;
  }
  bounds_[0] = std::fmin(bounds_[0], x);
  bounds_[1] = std::fmin(bounds_[1], y);
  bounds_[2] = std::fmax(bounds_[2], x);
  bounds_[3] = std::fmax(bounds_[3], y);
}

bool SvgWriter::Bounds(double out[4]) const {
  for (int i = 0; i < 4; ++i) out[i] = bounds_[i];
  return bounded_;
}

void SvgWriter::Path(std::string_view data, const ShapeStyle& style) {
  if (Full() || data.empty() || (!style.fill && !style.stroke)) return;
  body_.append("<path d=\"");
  body_.append(data);
  body_.append("\" fill=\"");
  if (style.fill) {
    AppendColor(body_, style.fill_color);
    if (style.even_odd) body_.append("\" fill-rule=\"evenodd");
  } else {
    body_.append("none");
  }
  body_.push_back('"');
  if (style.stroke) {
    body_.append(" stroke=\"");
    AppendColor(body_, style.stroke_color);
    body_.append("\" stroke-width=\"");
    if (style.stroke_width > 0) {
      AppendNumber(body_, style.stroke_width);
    } else {
      body_.append("1\" vector-effect=\"non-scaling-stroke");
    }
    body_.push_back('"');
    if (style.dash >= 1 && style.dash <= 4) {
      static constexpr std::string_view kDashes[] = {"", "6 2", "1 2", "6 2 1 2", "6 2 1 2 1 2"};
      const double unit = style.stroke_width > 0 ? style.stroke_width : 1;
      body_.append(" stroke-dasharray=\"");
      std::string_view pattern = kDashes[style.dash];
      bool first = true;
      for (size_t at = 0; at < pattern.size();) {
        size_t space = pattern.find(' ', at);
        if (space == std::string_view::npos) space = pattern.size();
        if (!first) body_.push_back(' ');
        first = false;
        AppendNumber(body_, (pattern[at] - '0') * unit);
        at = space + 1;
      }
      body_.push_back('"');
    }
  }
  AppendClip();
  body_.append("/>");
}

void SvgWriter::Text(double x, double y, std::u32string_view text, const std::vector<double>& xs,
                     const TextStyle& style) {
  if (Full() || text.empty()) return;
  body_.append("<text x=\"");
  if (xs.size() == text.size()) {
    for (size_t i = 0; i < xs.size(); ++i) {
      if (i > 0) body_.push_back(' ');
      AppendNumber(body_, xs[i]);
    }
  } else {
    AppendNumber(body_, x);
  }
  body_.append("\" y=\"");
  AppendNumber(body_, y);
  body_.append("\" font-family=\"");
  body_.append(style.family.empty() ? std::string_view("serif") : std::string_view(style.family));
  body_.append("\" font-size=\"");
  AppendNumber(body_, style.size);
  body_.append("\" fill=\"");
  AppendColor(body_, style.color);
  body_.push_back('"');
  if (style.bold) body_.append(" font-weight=\"bold\"");
  if (style.italic) body_.append(" font-style=\"italic\"");
  if (style.underline || style.strike_out) {
    body_.append(" text-decoration=\"");
    body_.append(style.underline ? (style.strike_out ? "underline line-through" : "underline")
                                 : "line-through");
    body_.push_back('"');
  }
  if (style.anchor == 1) body_.append(" text-anchor=\"middle\"");
  if (style.anchor == 2) body_.append(" text-anchor=\"end\"");
  if (style.angle != 0) {
    body_.append(" transform=\"rotate(");
    AppendNumber(body_, style.angle);
    body_.push_back(' ');
    AppendNumber(body_, x);
    body_.push_back(' ');
    AppendNumber(body_, y);
    body_.append(")\"");
  }
  body_.append(" xml:space=\"preserve\"");
  AppendClip();
  body_.push_back('>');
  AppendEscaped(body_, text);
  body_.append("</text>");
}

void SvgWriter::Image(double x, double y, double width, double height, std::string_view bmp,
                      const double* source, double bmp_width, double bmp_height) {
  if (Full() || width == 0 || height == 0) return;
  // A negative size mirrors the picture within its box.
  const bool mirror_x = width < 0, mirror_y = height < 0;
  if (mirror_x) x += width, width = -width;
  if (mirror_y) y += height, height = -height;
  std::string transform;
  if (mirror_x || mirror_y) {
    transform.append(" transform=\"translate(");
    AppendNumber(transform, mirror_x ? 2 * x + width : 0);
    transform.push_back(' ');
    AppendNumber(transform, mirror_y ? 2 * y + height : 0);
    transform.append(") scale(");
    transform.append(mirror_x ? "-1 " : "1 ");
    transform.append(mirror_y ? "-1" : "1");
    transform.append(")\"");
  }
  if (!transform.empty()) {
    body_.append("<g");
    body_.append(transform);
    body_.push_back('>');
  }
  body_.append("<svg x=\"");
  AppendNumber(body_, x);
  body_.append("\" y=\"");
  AppendNumber(body_, y);
  body_.append("\" width=\"");
  AppendNumber(body_, width);
  body_.append("\" height=\"");
  AppendNumber(body_, height);
  body_.append("\" viewBox=\"");
  const double whole[4] = {0, 0, bmp_width, bmp_height};
  const double* box = source != nullptr ? source : whole;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) body_.push_back(' ');
    AppendNumber(body_, box[i]);
  }
  body_.append("\" preserveAspectRatio=\"none\" overflow=\"hidden\"");
  AppendClip();
  body_.append("><image width=\"");
  AppendNumber(body_, bmp_width);
  body_.append("\" height=\"");
  AppendNumber(body_, bmp_height);
  body_.append("\" preserveAspectRatio=\"none\" href=\"data:image/bmp;base64,");
  AppendBase64(body_, bmp);
  body_.append("\"/></svg>");
  if (!transform.empty()) body_.append("</g>");
}

std::string SvgWriter::Finish(const double view_box[4]) const {
  std::string svg;
  svg.reserve(body_.size() + defs_.size() + 256);
  svg.append("<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"");
  for (int i = 0; i < 4; ++i) {
    if (i > 0) svg.push_back(' ');
    AppendNumber(svg, view_box[i]);
  }
  svg.append("\" preserveAspectRatio=\"none\">");
  if (!defs_.empty()) {
    svg.append("<defs>");
    svg.append(defs_);
    svg.append("</defs>");
  }
  svg.append(body_);
  svg.append("</svg>");
  return svg;
}

}  // namespace tessarine::pictures
