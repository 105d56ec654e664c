#include "page/page_head.h"

#include <initializer_list>

#include "base/line_break.h"

namespace tessarine {

namespace {

void Line(std::string& out, std::initializer_list<std::string_view> parts) {
  for (std::string_view p : parts) out.append(p);
  out.append(kLineBreak);
}

}  // namespace

void AppendHead(std::string& out, std::string_view title, std::string_view author) {
  out.append(kHeadOpen);
  out.append(title);
  out.append(kHeadMeta);
  out.append(author);
  out.append(kHeadStyleOpen);
}

void AppendRtfStylesheet(std::string& out, const Settings& s, const StylesheetFlags& flags) {
  Line(out, {"p {font-size:", s.fontsize, "pt;"});
  Line(out, {"   font-family:", s.fontname, ";"});
  Line(out, {"   margin-left:", s.marginleft, "pt;"});
  Line(out, {"   margin-right:", s.marginright, "pt;"});
  Line(out, {"   text-indent:", s.textindent, "pt}"});
  if (flags.has_tables || flags.has_sections) {
    Line(out, {"td {vertical-align:top;"});
    Line(out, {"    padding:5pt}"});
    Line(out, {"td p {text-indent:0pt;"});
    Line(out, {"      margin-left:5pt;"});
    Line(out, {"      margin-right:5pt}"});
  }
  if (flags.has_hyperlinks) {
    Line(out, {"A:link {COLOR:blue;font-weight: bold}"});
    Line(out, {"A:visited {COLOR:blue;font-weight: bold}"});
    Line(out, {"A:active {COLOR:green;font-weight: bold}"});
    Line(out, {"A:hover {COLOR:red;font-weight: bold}"});
  }
  if (flags.has_footnotes) {
    for (std::string_view state : {"link", "visited", "active", "hover"}) {
      Line(out, {"A.sslk:", state, " {COLOR:", s.colorslssl, ";text-decoration:none}"});
    }
    for (std::string_view state : {"link", "visited", "active", "hover"}) {
      Line(out, {"A.ht:", state, " {COLOR:", s.colorssl, ";text-decoration:none}"});
    }
  }
  if (!s.bgimage.empty()) {
    if (s.fixed) {
      Line(out, {"body {background-image:url(", s.bgimage, ");"});
      Line(out, {"      background-attachment:fixed}"});
    } else {
      Line(out, {"body {background-image:url(", s.bgimage, ")}"});
    }
  }
  out.append(flags.more_rules);
  out.append(kHeadBodyOpen);
  Line(out, {" bgcolor=\"", s.bgcolor, "\">"});
}

}  // namespace tessarine
