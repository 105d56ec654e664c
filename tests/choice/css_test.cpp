// The CSS of the pages as the page reader reads it: declarations, colours, the stylesheet.
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "choice/css_declarations.h"
#include "choice/page_stylesheet.h"

namespace tessarine {
namespace {

// The declarations of `css` in short ("b", "i-" for not italic, "u", "s", "sup", "12pt", "x1.5",
// "#ff0000", the font, "center"), or "refused".
std::string Read(const char* css) {
  FontNames fonts;
  Declarations d;
  if (!ParseDeclarations(css, fonts, d)) return "refused";
  std::string out;
  auto add = [&out](const std::string& part) { out += (out.empty() ? "" : " ") + part; };
  if (d.set & kDeclaredBold) add(d.bold ? "b" : "b-");
  if (d.set & kDeclaredItalic) add(d.italic ? "i" : "i-");
  if (d.set & kDeclaredDecoration) add(std::string(d.underline ? "u" : "") + (d.strike ? "s" : "") + "|");
  if (d.set & kDeclaredBaseline) add(d.baseline == model::Baseline::kSuperscript ? "sup" : "base");
  char number[32];
  if (d.set & kDeclaredSize) {
    std::snprintf(number, sizeof number, d.size.kind == FontSize::Kind::kPoints ? "%gpt" : "x%g",
                  static_cast<double>(d.size.value));
    add(number);
  }
  if (d.set & kDeclaredColour) {
    std::snprintf(number, sizeof number, "#%06x", d.colour);
    add(number);
  }
  if (d.set & kDeclaredFont) add(std::string(fonts.Name(d.font)));
  if (d.set & kDeclaredAlignment) add(d.alignment == model::Alignment::kCenter ? "center" : "aligned");
  if (d.cell_layout) add("cell");
  return out;
}

TEST(CssTest, Declarations) {
  const struct {
    const char* css;
    const char* read;
  } cases[] = {
      {"font-family:Times New Roman;font-size:10.5pt;color:#FF0000", "10.5pt #ff0000 times new roman"},
      {" FONT-WEIGHT : bold ; font-style:normal; ", "b i-"},
      {"font-weight:400;font-weight:700", "b"},
      {"font-size:16px", "12pt"},
      {"font-size:150%", "x1.5"},
      {"font-size:x-large", "18pt"},
      {"font-family:'Courier New', monospace", "courier new"},
      {"font-family:inherit;color:inherit", ""},
      {"text-decoration:underline line-through", "us|"},
      {"text-decoration:none", "|"},
      {"vertical-align:super", "sup"},
      {"vertical-align:top", "cell"},
      {"text-align:center;margin-left:20pt;text-indent:0pt;padding:5pt", "center"},
      {"color:#abc", "#aabbcc"},
      {"color:rgb(0, 128, 255)", "#0080ff"},
      {"color:navy", "#000080"},
      // What changes the look and is not known, or cannot be read.
      {"display:none", "refused"},
      {"visibility:hidden", "refused"},
      {"background-color:#e0e0e0", "refused"},
      {"font:12pt Arial", "refused"},
      {"color:#e0e0e0 !important", "refused"},
      {"color:hsl(0,0%,0%)", "refused"},
      {"font-size:12", "refused"},
      {"text-decoration:overline", "refused"},
      {"font-weight", "refused"},
      {"letter-spacing:inherit", "refused"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.css), c.read) << c.css;
}

TEST(CssTest, Stylesheets) {
  const struct {
    const char* css;
    bool read;
  } cases[] = {
      {"p {font-size:10pt;\r\n   font-family:Arial}\r\ntd {vertical-align:top;\r\n    padding:5pt}\r\n"
       "td p {text-indent:0pt}\r\nA:link {COLOR:blue;font-weight: bold}\r\nA:hover {COLOR:red}\r\n"
       "A.sslk:link {COLOR:#dc143c;text-decoration:none}\r\nbody {background-image:url(c:/x.jpg)}",
       true},
      {"div {color:red}", false},
      {"p {color:red", false},
      {"@import url(x.css);", false},
      {"p {background-image:url(x.png)}", false},  // only the body has a background
      {"p {vertical-align:top}", false},           // only cells lay out vertically
      {"a.x:focus {color:red}", false},
      {"p /* a comment */ {color:red}", false},
  };
  for (const auto& c : cases) {
    FontNames fonts;
    PageStylesheet sheet;
    EXPECT_EQ(ParseStylesheet(c.css, fonts, sheet), c.read) << c.css;
  }
  FontNames fonts;
  PageStylesheet sheet;
  ASSERT_TRUE(ParseStylesheet("p {font-size:10pt} A.HT:visited {color:#a0522d}", fonts, sheet));
  ASSERT_EQ(sheet.link_classes.size(), 1u);
  EXPECT_EQ(sheet.link_classes[0].first, "ht");
  EXPECT_EQ(sheet.link_classes[0].second.colour, 0xA0522Du);
  EXPECT_EQ(sheet.p.size.value, 10);
}

TEST(CssTest, FontElementSizes) {
  const struct {
    const char* size;
    float points;
  } cases[] = {{"1", 7.5f}, {"3", 12}, {"+1", 13.5f}, {"-2", 7.5f}, {"7", 36}, {"+9", 36}};
  for (const auto& c : cases) {
    float points = 0;
    ASSERT_TRUE(FontElementPoints(c.size, points)) << c.size;
    EXPECT_EQ(points, c.points) << c.size;
  }
  float points = 0;
  EXPECT_FALSE(FontElementPoints("big", points));
}

}  // namespace
}  // namespace tessarine
