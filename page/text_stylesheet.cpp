#include "page/text_stylesheet.h"

#include <initializer_list>
#include <string_view>

#include "base/line_break.h"
#include "page/page_head.h"

namespace tessarine {

namespace {

void Line(std::string& out, std::initializer_list<std::string_view> parts) {
  for (std::string_view p : parts) out.append(p);
  out.append(kLineBreak);
}

}  // namespace

void AppendTextStylesheet(std::string& out, const Settings& s) {
  Line(out, {"p {font-size:", s.fontsize, "pt;"});
  // The font style is never assigned, so this declaration is always written empty.
  Line(out, {"   font-style:", s.fontstyle, ";"});
  Line(out, {"   color:", s.textcolor, ";"});
  Line(out, {"   font-family:", s.fontname, ";"});
  Line(out, {"   text-align:", s.textalign, ";"});
  Line(out, {"   margin-left:", s.marginleft, "pt;"});
  Line(out, {"   text-indent:", s.textindent, "pt}"});
  if (!s.bgimage.empty()) Line(out, {"body {background-image:url(", s.bgimage, ")}"});
  Line(out, {kHeadBodyOpen, " bgcolor=\"", s.bgcolor, "\">"});
}

}  // namespace tessarine
