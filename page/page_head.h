// The fixed head pieces of every page and the RTF page's stylesheet.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"

namespace tessarine {

// The five constant pieces; the title, the author and the body tag's attributes complete them.
inline constexpr std::string_view kHeadOpen =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n<TITLE>";
inline constexpr std::string_view kHeadMeta =
    "</TITLE>\r\n"
    "<META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">\r\n"
    "<META NAME=\"Description\" CONTENT=\"\">\r\n"
    "<META NAME=\"keywords\" content=\"\">\r\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; Charset=Windows-1251\">\r\n"
    "<META NAME=\"author\" content=\"";
inline constexpr std::string_view kHeadStyleOpen = "\">\r\n<STYLE TYPE=\"text/css\">\r\n";
inline constexpr std::string_view kHeadBodyOpen = "</STYLE>\r\n</HEAD>\r\n<body";
inline constexpr std::string_view kPageClose = "</body>\r\n</html>";

// Appends HeadOpen, `title`, HeadMeta, `author`, HeadStyleOpen (inserted as they are).
void AppendHead(std::string& out, std::string_view title, std::string_view author);

// Which rule groups the RTF stylesheet carries.
struct StylesheetFlags {
  bool has_tables = false;
  bool has_sections = false;
  bool has_hyperlinks = false;
  bool has_footnotes = false;
  std::string more_rules{};  // CSS lines (code page 1251, CR LF) put after the stylesheet's own rules
};

// Appends the RTF stylesheet lines (paragraph, cell, link, footnote and background rules, each
// when its condition holds, then the flags' more rules) and the body tag with the background
// colour, ending with CR LF.
void AppendRtfStylesheet(std::string& out, const Settings& settings, const StylesheetFlags& flags);

}  // namespace tessarine
