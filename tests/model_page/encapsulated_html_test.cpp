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
  const char* body;  // UTF-8, without the final line end; put in the message's element unless it starts it
                     // (style sheets: the rules, "$" for ".from-html ")
};

constexpr char kOpen[] = "<div class=\"from-html\"";

TEST(ModelEncapsulatedHtmlTest, BodyMadeSafe) {
  const Case cases[] = {
      {"<html><head><title>T</title><meta charset=utf-8><style>p{color:red}</style></head>"
       "<body bgcolor=red><p class=MsoNormal>Привет € 中</p></body></html>",
       "<div class=\"from-html\" style=\"background-color:red;\"><p class=\"MsoNormal\">Привет € "
       "&#20013;</p></div>"},
      // The body tag's look goes to the message's element; the message's div end tags never close it.
      {"<body text=navy bgcolor=\"#FFFFFF\" style=\"margin:0\" lang=ru dir=ltr link=red onload=x>t</body>",
       "<div class=\"from-html\" lang=\"ru\" dir=\"ltr\" "
       "style=\"color:navy;background-color:#FFFFFF;margin:0\">t</div>"},
      {"<body text=\"red;background:url(x)\" bgcolor=\"#1;x\">t", "t"},
      {"</div>x<div>y</div></div></DIV>z", "x<div>y</div>z"},
      // Outlook's style values with their font names' quotes unescaped.
      {"<span style=\"font-family:\"Verdana\",sans-serif;color:#2B3B46\">t</span>",
       "<span style=\"font-family:&quot;Verdana&quot;,sans-serif;color:#2B3B46\">t</span>"},
      {"<p style=\"color:red\"onclick=\"alert(1)\">t",
       "<p style=\"color:red&quot;onclick=&quot;alert(1)\">t"},
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
      {"line one\nline two\rline three\r\n", "line one\r\nline two\r\nline three\r\n"},
      {"", ""},
  };
  for (const Case& c : cases) {
    const std::string body = c.body;
    std::string expected = "\r\n";
    if (body.starts_with(kOpen)) {
      expected = Cp1251(body) + expected;
    } else if (!body.empty()) {
      expected = std::string(kOpen) + ">" + Cp1251(body) + "</div>" + expected;
    }
    EXPECT_EQ(Sanitized(c.html), expected) << c.html;
  }
}

// The message's style sheets: what stays, scoped to the message's element, one rule a line.
TEST(ModelEncapsulatedHtmlTest, StyleSheetsKeepTheirSafeRules) {
  const Case cases[] = {
      {"<style><!--\n/* Font Definitions */\n@font-face\n\t{font-family:Calibri;\n\tpanose-1:2 15 5 2 2 2 4 "
       "3 2 4;}\n"
       "p.MsoNormal, "
       "li.MsoNormal\n\t{margin:0cm;\n\tfont-size:11.0pt;\n\tfont-family:\"Calibri\",sans-serif;}\n"
       "@page WordSection1 {size:612.0pt 792.0pt;}\n--></style>",
       ".from-html p.MsoNormal, .from-html li.MsoNormal {margin:0cm; font-size:11.0pt; "
       "font-family:\"Calibri\",sans-serif}\n"},
      {"<STYLE type=\"text/css\">body {color:navy} html  body   p {x:y} html {a:b} :hover > .c~d+e, "
       "*{z:1}</STYLE>",
       ".from-html {color:navy}\n.from-html p {x:y}\n.from-html {a:b}\n.from-html :hover > .c~d+e, "
       ".from-html * {z:1}\n"},
      {"<style>p{font-family:\"Тахома\";color:red}q{font-family:\"中文\";color:red}</style>",
       "$p {font-family:\"Тахома\"; color:red}\n$q {color:red}\n"},
      // Nothing that loads, runs or hides from the checks; no selector of other characters.
      {"<style>@import url(http://h/a.css); @IMPORT \"b.css\"; @media screen {p{color:red}} "
       "@font-face {font-family:X; src:url(http://h/f.woff)} p{color:red; background:url(http://h/x)} "
       "q{background:u\\72l(x); background:u/**/rl(x); width:expression(alert(1)); behavior:url(x.htc); "
       "-moz-binding:url(x); background:image-set(\"x\" 1x); list-style:x&#x75;rl(x)}</style>",
       "$p {color:red}\n"},
      {"<style>v\\:* {behavior:url(#default#VML)} a[href^=x] {color:red} a{b}c{d:e} p:not(.x) {color:red} "
       ", p {color:red} p {font-family:\"<\\/style>\"; color:blue}</style>",
       "$c {d:e}\n$p {color:blue}\n"},
      {"<style>p{color:red}}}};{p{color:green</style>", "$p {color:red}\n"},
      {"<style>p{font-family:\"x\n;color:red}q{font-family:'a\"b';color:blue}</style>",
       "$p {color:red}\n$q {font-family:'a\"b'; color:blue}\n"},
      {"<style>p{color:red\"}\"}q{color:blue}</style>", "$q {color:blue}\n"},
      {"<style media=print>p{color:red}</style><style type=text/x>q{color:red}</style>"
       "<style media=\"Screen, print\">r{color:red}</style>",
       "$r {color:red}\n"},
      {"<!--[if !mso]><style>p{color:red}</style><![endif]--><svg><style>q{color:red}</style></svg>", ""},
      {"<style>p{color:red}</style><p>after</p><style>q{color:blue}", "$p {color:red}\n$q {color:blue}\n"},
      {"<body link=\"#7C5828\" vlink=red alink=\"url(x)\">",
       ":where(.from-html) a:link {color:#7C5828}\n:where(.from-html) a:visited {color:red}\n"},
  };
  for (const Case& c : cases) {
    StylesheetFlags flags;
    Sanitized(c.html, &flags);
    std::string expected =
        ":where(.from-html) p {font-size:inherit; font-family:inherit; margin-left:0; "
        "margin-right:0; text-indent:0}\r\n";
    for (char ch : Cp1251(c.body))
      expected += ch == '\n' ? "\r\n" : ch == '$' ? ".from-html " : std::string(1, ch);
    EXPECT_EQ(flags.more_rules, expected) << c.html;
  }
}

TEST(ModelEncapsulatedHtmlTest, TablesAndLinksChooseTheirRules) {
  StylesheetFlags flags;
  Sanitized("<table><tr><td><a href=\"http://x/\">x</a></td></tr></table>", &flags);
  EXPECT_FALSE(flags.has_tables);  // the message's tables keep their own cell padding and alignment
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
  EXPECT_EQ(BodyOf(page), "<div class=\"from-html\"><p>From HTML</p></div>\r\n");
  EXPECT_NE(page.find("<TITLE></TITLE>"), std::string::npos);
  EXPECT_NE(page.find("text-indent:10pt}\r\n:where(.from-html) p {"), std::string::npos);
  // Without its HTML, or with HTML of no markup, the document's blocks make the page.
  for (const char* html : {"", "text alone &amp; no tag"}) {
    document.html = html;
    EXPECT_EQ(BodyOf(PageOf(document)), "<p>RTF reading of the same</p>\r\n") << html;
  }
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
      [] {
        std::string s;
        for (int i = 0; i < 100000; ++i) s += "<p style=\"a\"b\" ";
        return s;
      }(),
      [] {
        std::string s = "<style>";
        for (int i = 0; i < 100000; ++i) s += "a{\"@x{/**/p,q:hover{c:d}";
        return s;
      }(),
      [] {
        std::string s = "<style>";
        for (int i = 0; i < 100000; ++i) s += "a,b>c,";
        return s + "d{e:f;g:h;\"i\":j}";
      }(),
  };
  for (const std::string& html : shapes) {
    StylesheetFlags flags;
    const std::string out = Sanitized(html, &flags);
    EXPECT_LE(out.size(), html.size() * 4 + 64);
    EXPECT_LE(flags.more_rules.size(), html.size() * 8 + 256);
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
