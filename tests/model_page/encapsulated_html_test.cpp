// Outlook's encapsulated HTML: the body of the original HTML, in code page 1251, without
// scripts, event attributes, script URLs or anything that could run code.
#include <string>

#include <gtest/gtest.h>

#include "model_page/encapsulated_html.h"
#include "model_page/html_scanner.h"
#include "tests/model_page/document_builder.h"
#include "tests/support/time_bound.h"

namespace tessarine {
namespace {

using namespace testing;

std::string Sanitized(const std::string& html, StylesheetFlags* flags = nullptr) {
  std::string out;
  StylesheetFlags ignored;
  AppendEncapsulatedHtml(out, html, flags != nullptr ? *flags : ignored);
  return out;
}

struct Case {
  const char* html;
  const char* body;  // UTF-8, without the final line end
};

TEST(ModelEncapsulatedHtmlTest, BodyMadeSafe) {
  const Case cases[] = {
      {"<html><head><title>T</title><meta charset=utf-8><style>p{color:red}</style></head>"
       "<body bgcolor=red><p class=MsoNormal>Привет € 中</p></body></html>",
       "<p class=\"MsoNormal\">Привет € &#20013;</p>"},
      {"<script>alert(1)</script>x", "x"},
      {"<SCRIPT type=x>a</b><\\/script></SCRIPT >y", "y"},
      {"<script>never ended", ""},
      {"<img src=x onerror=alert(1) ONLOAD=\"y\">", "<img>"},
      // Nothing loads from outside the page: no source but an image's own data, no style url().
      {"<img src=\"http://h/a.png\" srcset=\"http://h/b.png 2x\" lowsrc=x alt=a>", "<img alt=\"a\">"},
      {"<img src=\"file://host/s/x.png\"><img src=\"\\\\host\\s\\x.png\"><img src=//host/x>",
       "<img><img><img>"},
      {"<img src=\" DATA:image/gif;base64,R0\">", "<img src=\" DATA:image/gif;base64,R0\">"},
      {"<img src=\"data&colon;image/png,x\"><iframe src=\"data:image/png,x\"></iframe>", "<img>"},
      {"<input type=image src=http://h/><image src=http://h/>", "<input type=\"image\"><image>"},
      {"<video poster=http://h/p src=http://h/v><source src=x srcset=y><track src=z></video>",
       "<video><source><track></video>"},
      {"<table background=http://h/t><tr><td background=\"x.png\">c</td></tr></table>",
       "<table><tr><td>c</td></tr></table>"},
      {"<p style=\"color:red;background:url(http://h/x);font-weight:bold\">t</p>",
       "<p style=\"color:red;font-weight:bold\">t</p>"},
      {"<p style=\"background-image:URL(//host/x)\">t</p>", "<p>t</p>"},
      {"<p style=\"background:u&#114;l(x);color:red\">t</p>", "<p style=\"color:red\">t</p>"},
      {"<p style=\"background:-webkit-image-set(&quot;x&quot; 1x)\">t</p>", "<p>t</p>"},
      {"<style>@import url(http://h/s.css); p{background:url(x)}</style><link rel=stylesheet "
       "href=http://h/>x",
       "x"},
      {"<a href=\"http://example.com/\" ping=\"http://h/\">x</a><div href=http://h/>d</div>",
       "<a href=\"http://example.com/\">x</a><div>d</div>"},
      {"<p/onclick=alert(1)>t", "<p>t"},
      {"<a href=\"javascript:alert(1)\">x</a>", "<a>x</a>"},
      {"<a href=javascript:alert(1)>x</a>", "<a>x</a>"},
      {"<a href=\" \x01JaVaScRiPt:alert(1)\">x</a>", "<a>x</a>"},
      {"<a href=\"jav&#x61;script:x\">x</a>", "<a>x</a>"},
      {"<a href=\"&#106;avascript:x\">x</a>", "<a>x</a>"},
      {"<a href=\"&#0000106avascript:x\">x</a>", "<a>x</a>"},
      {"<a href=\"java&Tab;script:x\">x</a>", "<a>x</a>"},
      {"<a href=\"javascript&colon;x\">x</a>", "<a>x</a>"},
      {"<a href=\"vbscript:x\" title=ok>x</a>", "<a title=\"ok\">x</a>"},
      {"<a href=\"data:text/html,<script>x</script>\">x</a>", "<a>x</a>"},
      {"<form action=\"javascript:x\"><button formaction=javascript:y>b</button></form>",
       "<form><button>b</button></form>"},
      {"<img src=\"data:image/png;base64,AAAA\">", "<img src=\"data:image/png;base64,AAAA\">"},
      {"<a href=\"http://example.com/?a=1&amp;b=2\">ok</a>",
       "<a href=\"http://example.com/?a=1&amp;b=2\">ok</a>"},
      {"<iframe src=x>inner</iframe>after", "after"},
      {"<object data=x><param name=a value=b><embed src=x><object></object></object>z", "z"},
      {"<svg onload=alert(1)><script>alert(1)</script></svg>after", "after"},
      {"<svg><a>never closed", ""},
      {"<math><mi xlink:href=javascript:x>m</mi></math>n", "n"},
      {"<meta http-equiv=refresh content=\"0;url=javascript:alert(1)\"><base href=\"http://evil/\">x", "x"},
      {"<link rel=stylesheet href=x.css>x", "x"},
      {"<noscript><p>no</p></noscript>x", "x"},
      {"<p style=\"width:expression(alert(1))\">t</p>", "<p>t</p>"},
      {"<p style=\"width:expr/**/ession(alert(1))\">t</p>", "<p>t</p>"},
      {"<p style=\"width:expr\\65ssion(alert(1))\">t</p>", "<p>t</p>"},
      {"<p style=\"background:url(jav&#x61;script:x)\">t</p>", "<p>t</p>"},
      {"<p style=\"-moz-binding:url(x)\">t</p>", "<p>t</p>"},
      {"<p style='color:red;font-family:\"Arial\"'>t</p>",
       "<p style=\"color:red;font-family:&quot;Arial&quot;\">t</p>"},
      {"<!-- <script>alert(1)</script> -->visible", "visible"},
      {"<!--[if gte mso 9]><xml><o:OfficeDocumentSettings></o:OfficeDocumentSettings></xml><![endif]-->x",
       "x"},
      {"<![if !supportLists]>1.<![endif]>item", "1.item"},
      {"<xml><w:WordDocument>data</w:WordDocument></xml><o:p>kept</o:p>", "<o:p>kept</o:p>"},
      {"<p>ok</p><a href=\"x", "<p>ok</p>"},
      {"<b>text <!-- never ended", "<b>text "},
      {"<p>ok</p><a href=x title", "<p>ok</p>"},
      {"a < b > c & d", "a &lt; b &gt; c & d"},
      {"<a title='say \"hi\"'>x</a>", "<a title=\"say &quot;hi&quot;\">x</a>"},
      {"<P CLASS=x>Up</P>", "<p class=\"x\">Up</p>"},
      {"<p a\"b=1 c=2>x", "<p c=\"2\">x"},
      {"</script></iframe>x", "x"},
      {"<plaintext><p>all of this is text", ""},
      {"line one\nline two\rline three\r\n", "line one\r\nline two\r\nline three"},
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string expected = Cp1251(c.body) + "\r\n";
    if (std::string(c.body).empty()) expected = "\r\n";
    EXPECT_EQ(Sanitized(c.html), expected) << c.html;
  }
}

TEST(ModelEncapsulatedHtmlTest, TablesAndLinksChooseTheirRules) {
  StylesheetFlags flags;
  Sanitized("<table><tr><td><a href=\"http://x/\">x</a></td></tr></table>", &flags);
  EXPECT_TRUE(flags.has_tables);
  EXPECT_TRUE(flags.has_hyperlinks);
  StylesheetFlags none;
  Sanitized("<p>plain <a name=x>anchor</a></p>", &none);
  EXPECT_FALSE(none.has_tables);
  EXPECT_FALSE(none.has_hyperlinks);
}

TEST(ModelEncapsulatedHtmlTest, PageOfAnEncapsulatedDocument) {
  model::Document document = Document({Para("RTF reading of the same")});
  document.from_html = true;
  document.html = "<html><body><p>From HTML</p><script>x</script></body></html>";
  const std::string page = PageOf(document);
  EXPECT_EQ(BodyOf(page), "<p>From HTML</p>\r\n");
  EXPECT_NE(page.find("<TITLE></TITLE>"), std::string::npos);
  // Without its HTML the document's blocks make the page.
  document.html.clear();
  EXPECT_EQ(BodyOf(PageOf(document)), "<p>RTF reading of the same</p>\r\n");
}

// Hostile shapes stay linear: many unterminated constructs, deep nesting of dropped elements.
TEST(ModelEncapsulatedHtmlTest, HostileShapesTakeLinearTime) {
  TimeBound bound(60);
  const std::string shapes[] = {
      std::string(1 << 20, '<'),
      [] {
        std::string s;
        for (int i = 0; i < 100000; ++i) s += "<svg>";
        return s;
      }(),
      [] {
        std::string s;
        for (int i = 0; i < 100000; ++i) s += "<script></scrip";
        return s;
      }(),
      [] {
        std::string s;
        for (int i = 0; i < 100000; ++i) s += "<a b=c d='e' f=\"g\" ";
        return s;
      }(),
      [] {
        std::string s;
        for (int i = 0; i < 200000; ++i) s += "<!-";
        return s;
      }(),
      [] {
        std::string s = "<p style=\"";
        for (int i = 0; i < 100000; ++i) s += "color:red;background:url(x);&#117;rl(";
        return s + "\">";
      }(),
  };
  for (const std::string& html : shapes) {
    const std::string out = Sanitized(html);
    EXPECT_LE(out.size(), html.size() * 4 + 2);
  }
}

TEST(ModelEncapsulatedHtmlTest, ScannerTokens) {
  HtmlScanner scanner("a<b c=\"d e\" f g='h'>x</b ><!-- c --><?p?>< y");
  HtmlToken token;
  std::string seen;
  for (scanner.Next(token); token.kind != HtmlTokenKind::kEnd; scanner.Next(token)) {
    seen += std::to_string(static_cast<int>(token.kind)) + ":" + std::string(token.text) + "[";
    for (const HtmlAttribute& attribute : token.attributes) {
      seen += std::string(attribute.name) + "=" + std::string(attribute.value) + ";";
    }
    seen += "] ";
  }
  EXPECT_EQ(seen,
            "0:a[] 1:<b c=\"d e\" f g='h'>[c=d e;f=;g=h;] 0:x[] 2:</b >[] 3:<!-- c -->[] 3:<?p?>[] 0:< y[] ");
}

}  // namespace
}  // namespace tessarine
