// The user's page and style settings. Field names are the settings-file keys.
#pragma once

#include <string>

namespace tessarine {

// Every field is text in code page 1251 except `fixed`. The initial values are the start
// values used when no settings file exists.
struct Settings {
  std::string fontname = "Arial";     // fixed at start-up; default paragraph font
  std::string textcolor = "#000000";  // fixed; default text colour
  std::string fontsize = "10";        // fixed; default font size in points
  std::string fontstyle;              // never assigned; font-style of plain-text pages
  std::string textalign = "left";     // fixed; alignment of plain-text pages
  std::string bgimage;                // background picture path; empty = none
  std::string bgcolor = "#e0e0e0";    // page background colour
  std::string textindent = "10";      // first-line indent, points
  std::string marginleft = "10";      // left margin, points
  std::string marginright = "10";     // right margin, points (RTF pages)
  std::string umrazm = "0";           // points taken off every RTF font size
  std::string colorhr = "#dc143c";    // rule above the footnotes
  std::string colorssl = "#a0522d";   // footnote text links (class ht)
  std::string colorslssl = "#dc143c"; // the referring word's link (class sslk)
  bool fixed = false;                 // background picture does not scroll
  std::string titul;                  // page title
  std::string titulautor;             // page author
  std::string fsizessl = "8";         // footnote font size, points
  std::string colorsl = "#9f65c3";    // kept and saved only
  std::string rtfengine = "auto";     // how RTF documents are read: "auto", "passes" or "model"

  bool operator==(const Settings&) const = default;
};

// Gives the fields that are fixed at every start their values, whatever was read.
inline void ApplyFixedFields(Settings& s) {
  s.fontsize = "10";
  s.fontname = "Arial";
  s.textcolor = "#000000";
  s.textalign = "left";
}

}  // namespace tessarine
