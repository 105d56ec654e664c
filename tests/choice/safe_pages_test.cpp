// Documents that try to put script, event attributes or loads from outside into their pages,
// read every way (automatically, by the passes, by the model): every spelling of the markup
// characters, quotes in font names, control characters in link schemes, fields, notes, tables,
// the fallback path and Outlook's encapsulated HTML. Each page is checked by its tags, and, when
// Chromium is installed, in the browser with a server on 127.0.0.1 that records every request.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "choice/convert_rtf_document.h"
#include "fuzz/page_markup.h"
#include "tests/support/chromium.h"
#include "tests/support/http_recorder.h"

namespace tessarine {
namespace {

using namespace testing;

struct Attack {
  const char* name;
  std::string rtf;      // "@PORT@" stands for the recording server's port
  std::string shown{};  // text the page must show (UTF-8), as proof that the text was kept
};

constexpr char kRun[] = "document.title='pwned';fetch('http://127.0.0.1:@PORT@/ran')";
constexpr char kImg[] = "img src=x onerror=document.title='pwned'";  // no ";": it fits in a font name

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A document of the passes' main path: the body starts with "}\pard\plain".
std::string Body(const std::string& body) {
  return R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\fnil X"><)" + std::string(kImg) +
         R"(>;}{\f2\fnil Y\u34?><)" + kImg + R"(>;}{\f3\fnil Z\'22\'3e\'3c)" + kImg +
         R"(\'3e;}{\f4\fnil W\u34?\u62?\u60?img src=x onerror=\u34?document.title='pwned'\u34?\u62?;}})"
         R"({\colortbl;\red0\green0\blue0;}{\stylesheet{\s1 S"><)" +
         kImg + R"(>;}}\pard\plain )" + body + "\\par\r\n}";
}

// A link field with `target` as its instruction's quoted text.
std::string Link(const std::string& target, const std::string& text = "link") {
  return R"({\field{\*\fldinst {HYPERLINK ")" + target + R"("}}{\fldrslt {)" + text + "}}}";
}

// Outlook's encapsulated HTML: each piece of `html` becomes an HTML tag group.
std::string Encapsulated(const std::vector<std::string>& html) {
  std::string rtf =
      R"({\rtf1\ansi\ansicpg1251\fromhtml1 \deff0{\fonttbl{\f0\fswiss Arial;}})"
      R"({\*\htmltag19 <html>}{\*\htmltag34 <head>}{\*\htmltag41 </head>}{\*\htmltag50 <body>})";
  for (const std::string& piece : html) rtf += "{\\*\\htmltag84 " + piece + "}\\htmlrtf x\\htmlrtf0 ";
  return rtf + R"(safe{\*\htmltag58 </body>}{\*\htmltag27 </html>}})";
}

// `css` as RTF text: its backslashes and braces escaped.
std::string Css(const std::string& css) {
  std::string rtf;
  for (char c : css) {
    if (c == '\\' || c == '{' || c == '}') rtf.push_back('\\');
    rtf.push_back(c);
  }
  return rtf;
}

std::vector<Attack> Attacks() {
  const std::string run = kRun;
  const std::string img = kImg;
  const std::string url = "http://127.0.0.1:@PORT@/";
  return {
      {"hex escapes", Body(R"(a\'3cscript\'3e)" + run + R"(\'3c/script\'3e \'3C)" + img + R"(\'3E)"),
       "a<script>document.title"},
      {"\\uN with its fallback", Body(R"(\u60?script\u62?)" + run + R"(\u60?/script\u62?)"), "<script>"},
      {"\\uN without a fallback", Body(R"(\uc0 a\u60 )" + img + R"(\u62 b)"), "a<img src=x"},
      {"\\uN with two fallback characters", Body(R"(\uc2 a\u60??)" + img + R"(\u62??)"), "a<img src=x"},
      {"negative \\uN", Body(R"(\u-65476?)" + img + R"(\u-65474?)"), "<img src=x"},
      {"quotes and ampersands", Body(R"(\'22\'26\'3c\'3e \u34?\u38?amp; &copy 2024 &lt; AT&T & co)"),
       "\"&<> \"&amp; &copy 2024 &lt; AT&T & co"},
      {"split across groups", Body(R"({\'3c}{)" + img + R"(}{\'3e} {\'3c}{\b script\'3e})" + run),
       "<img src=x"},
      {"field result", Body(Link(url + "click", R"(\'3c)" + img + R"(\'3e)")), "<img src=x"},
      {"nested fields", Body(R"({\field{\*\fldinst {HYPERLINK "http://x/"}}{\fldrslt {)" +
                             Link("java\\'00script:" + run) + "}}}")},
      {"footnote",
       Body(R"(word{\super\chftn}{\footnote \pard\plain {\super\chftn}{ \'3c)" + img + R"(\'3e}})"),
       "<img src=x"},
      {"comment",
       Body(R"(word{\*\atnid A}{\*\atnauthor B}\chatn{\*\annotation \pard\plain \'3c)" + img + R"(\'3e})")},
      {"list numbers", Body(R"({\pntext \'3c)" + img +
                            R"(\'3e\tab}{\*\pn\pnlvlblt{\pntxtb \'3cscript\'3e}}item\par)"
                            R"(\pard\plain{\listtext \u60?)" +
                            img + R"(\u62?\tab}second)")},
      {"table cells",
       Body(R"(before\par\trowd\cellx2000\cellx4000\pard\plain\intbl\f1 \'3c)" + img +
            R"(\'3e\cell {\f2 \u60?b\u62?}\cell\row\pard\plain after)"),
       "<img src=x"},
      {"fallback path",
       R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fnil X"><)" + img + R"(>;}}\viewkind4\pard\f1 \'3c)" + img +
           R"(\'3e {\b\f0 \'3cscript\'3e)" + run +
           R"(\'3c/script\'3e}\par)"
           "\r\n"
           R"(\pard {\f1 two}\par})",
       "<img src=x"},
      {"font and style names", Body(R"(\s1\f1 one {\f2 two} {\f3 three} {\f4 four} {\f0 five})")},
      {"bookmark names", Body(R"({\*\bkmkstart a"><)" + img + R"(>}text{\*\bkmkend a"><)" + img + R"(>} )" +
                              Link(R"(\\l "a\'22><)" + img + R"(>)"))},
      {"link schemes with control characters",
       Body(Link("java\\'00script:" + run, "a") + Link("java\\u0?script:" + run, "b") +
            Link("\\'0bjava\\'0cscript:" + run, "c") + Link("\\'6aava\\'09script:" + run, "d") +
            Link("ja\\u118?ascript:" + run, "e") + Link("java\\u-65535?script:" + run, "f") +
            Link("\\'20JaVaScRiPt:" + run, "g") + Link("java\\'7fscript:" + run, "h") +
            Link("vbscript:msgbox(1)", "i") + Link("livescript:x", "j") +
            Link("data:text/html,\\'3cscript\\'3e" + run + "\\'3c/script\\'3e", "k") +
            Link("java&#09;script:" + run, "l") + Link("\\'26#106;avascript:" + run, "m") +
            Link("javascript&colon;" + run, "n") + R"({\field{\*\fldinst {HYPERLINK "java}{script:)" + run +
            R"("}}{\fldrslt {o}}})")},
      {"attributes broken out of",
       Body(Link("x\\'22 onmouseover=\\'22" + run, "a") + Link("x\\u34? onclick=" + run, "b") +
            Link("x\\'22\\'3e\\'3c" + img + "\\'3e", "c"))},
      {"html tags",
       Encapsulated({"<script>" + run + "</script>", "<" + img + ">", "<p onclick=\"" + run + "\">",
                     "<a href=\"java&#x09;script:" + run + "\">a</a>",
                     "<a href=\"&#106;avascript:" + run + "\">b</a>", "<svg onload=\"" + run + "\"></svg>",
                     "<iframe srcdoc=\"<script>" + run + "</script>\"></iframe>"}),
       "safe"},
      {"html loads",
       Encapsulated(
           {"<img src=\"" + url + "img\">",
            "<img srcset=\"" + url + "srcset 2x\">",
            "<input type=image src=\"" + url + "input\">",
            "<video poster=\"" + url + "poster\">",
            "</video><audio autoplay src=\"" + url + "audio\"></audio>",
            "<table background=\"" + url + "background\"><tr><td>cell</td></tr></table>",
            "<p style=\"color:red;background:url(" + url + "style)\">p</p>",
            "<p style=\"background-image:u&#114;l(" + url + "reference)\">q</p>",
            "<style>@import url(" + url + "import); p{background:url(" + url + "sheet)}</style>",
            "<link rel=stylesheet href=\"" + url + "link\">",
            "<img src=\"file://127.0.0.1/share/file\">",
            "<img src=\"\\\\127.0.0.1\\share\\unc\">",
            "<img src=\"//127.0.0.1:@PORT@/scheme-relative\">",
            "<iframe src=\"" + url + "iframe\"></iframe>",
            "<object data=\"" + url + "object\"></object>",
            "<embed src=\"" + url + "embed\">",
            "<image src=\"" + url + "image\">",
            "<meta http-equiv=refresh content=\"0;url=" + url + "refresh\">",
            "<base href=\"" + url + "\"><img src=\"relative\">",
            "<a href=\"" + url + "click\" ping=\"" + url + "ping\">stays</a>",
            "<img src=\"data:image/gif;base64,R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7\">"}),
       "stays"},
      {"html style sheets",
       Encapsulated(
           {Css("<style>p{background:\\75 rl(" + url + "escape)} q{background:u/**/rl(" + url +
                "comment)} b{background:url/**/(" + url + "comment2)} i{background:&#117;rl(" + url +
                "reference)}</style>"),
            Css("<style>@import url(" + url + "import); @IMPORT '" + url + "import2'; @iMpOrT url(" + url +
                "import3) screen; p{color:red}</style>"),
            Css("<style>@font-face{font-family:F; src:url(" + url + "font)} p{font-family:F}</style>"),
            Css("<style>p{width:expression(fetch('" + url + "expression'))} p{behavior:url(" + url +
                "htc)} p{-moz-binding:url(" + url + "xbl)} p{background:image-set('" + url +
                "set' 1x)}</style>"),
            Css("<style>p{font-family:\"</style><script>" + run + "</script>\"}</style>"),
            Css("<STYLE>body{background:url(" + url + "body)} html{background-image:url(" + url +
                "html)} *{list-style-image:url(" + url + "list)} p::before{content:url(" + url +
                "content)} a[href^=h]{background:u\\rl(" + url + "attribute)}</STYLE>"),
            Css("<style><!--\n/* Font Definitions */\np.MsoNormal {margin:0cm; font-size:11pt}\n--></style>"),
            "<p class=MsoNormal>styled</p>"}),
       "styled"},
  };
}

Settings SettingsFor(const char* engine) {
  Settings settings;
  settings.titul = "Safe";
  settings.rtfengine = engine;
  return settings;
}

constexpr const char* kEngines[] = {"auto", "passes", "model"};

TEST(SafePagesTest, NoAttackPutsMarkupIntoAPage) {
  for (const Attack& attack : Attacks()) {
    const std::string rtf = Replace(attack.rtf, "@PORT@", "9");
    for (const char* engine : kEngines) {
      const Conversion conversion = ConvertRtfDocument(rtf, SettingsFor(engine));
      EXPECT_EQ(fuzzing::CheckPageMarkup(conversion.page), "") << attack.name << ", " << engine;
    }
  }
}

// The checks the browser runs on every page after it has loaded: the title the settings give,
// no script, frame, object, style sheet or event attribute in the body, nothing loaded but the
// page's own pictures, no link that a click would run, and the text the document shows.
constexpr char kCheckScript[] = R"(<script>
var banned = /^(script|iframe|frame|frameset|object|embed|applet|link|meta|base|style|svg|math|noscript|template|form)$/i;
var loading = ['src', 'srcset', 'background', 'poster', 'data', 'action', 'formaction', 'ping', 'lowsrc', 'dynsrc'];
function checkPage(frame) {
  var doc = frame.contentDocument;
  if (!doc || !doc.body) return 'none';
  var out = [];
  if (doc.title !== 'Safe') out.push('title:' + doc.title);
  var all = doc.body.getElementsByTagName('*');
  for (var i = 0; i < all.length; i++) {
    var e = all[i], tag = e.tagName.toLowerCase();
    if (banned.test(tag)) out.push('element:' + tag);
    for (var a = 0; a < e.attributes.length; a++) {
      var name = e.attributes[a].name.toLowerCase(), value = e.attributes[a].value;
      if (name.indexOf('on') === 0) out.push('event:' + tag + '.' + name);
      if (loading.indexOf(name) >= 0 && !(tag === 'img' && name === 'src' && /^\s*data:image\//i.test(value)))
        out.push('load:' + tag + '.' + name);
    }
    var background = frame.contentWindow.getComputedStyle(e).backgroundImage;
    if (background && background !== 'none') out.push('background:' + tag);
    if (tag === 'a' && e.hasAttribute('href') && /^(javascript|vbscript|livescript|data):$/i.test(e.protocol))
      out.push('link:' + e.protocol);
  }
  var loads = frame.contentWindow.performance.getEntriesByType('resource');
  for (var r = 0; r < loads.length; r++)
    if (!/^(data|file):/.test(loads[r].name)) out.push('request:' + loads[r].name);
  var shown = frame.getAttribute('data-shown');
  if (shown && doc.body.textContent.replace(/\s+/g, ' ').indexOf(shown) < 0) out.push('text-lost');
  return out.length ? out.join(' ') : 'ok';
}
window.addEventListener('load', function() {
  setTimeout(function() {
    var frames = document.getElementsByTagName('iframe'), out = [];
    for (var f = 0; f < frames.length; f++) out.push(checkPage(frames[f]));
    var pre = document.createElement('pre');
    pre.id = 'pagecheck';
    pre.textContent = out.join('\n');
    document.body.appendChild(pre);
  }, 500);
});
</script>)";

std::string AttributeText(const std::string& utf8) {
  std::string out;
  for (char c : utf8)
    out += c == '"'   ? std::string("&quot;")
           : c == '&' ? std::string("&amp;")
           : c == '<' ? "&lt;"
                      : std::string(1, c);
  return out;
}

TEST(SafePagesTest, NoAttackRunsOrLoadsAnythingInTheBrowser) {
  const auto chromium = FindChromium();
  if (chromium.empty()) GTEST_SKIP() << "Chromium is not installed; the browser check is skipped";
  HttpRecorder server;
  ASSERT_NE(server.port(), 0) << "no socket on 127.0.0.1";

  std::vector<std::string> names;
  std::vector<std::pair<std::string, std::string>> files = {
      {"index.htm", "<html><head><meta charset=utf-8></head><body>\n"}};
  for (const Attack& attack : Attacks()) {
    const std::string rtf = Replace(attack.rtf, "@PORT@", std::to_string(server.port()));
    for (const char* engine : kEngines) {
      const std::string file = "page" + std::to_string(names.size()) + ".htm";
      names.push_back(std::string(attack.name) + ", " + engine);
      files.emplace_back(file, ConvertRtfDocument(rtf, SettingsFor(engine)).page);
      files.front().second +=
          "<iframe src=\"" + file + "\" data-shown=\"" + AttributeText(attack.shown) + "\"></iframe>\n";
    }
  }
  files.front().second += std::string(kCheckScript) + "</body></html>\n";
  const std::string dom = DumpDomOfFiles(chromium, files, "--virtual-time-budget=3000");

  const std::string open = "<pre id=\"pagecheck\">";
  const size_t at = dom.find(open);
  ASSERT_NE(at, std::string::npos) << "no result from the browser";
  std::stringstream lines(dom.substr(at + open.size(), dom.find("</pre>", at) - at - open.size()));
  std::string line;
  for (const std::string& name : names) {
    ASSERT_TRUE(std::getline(lines, line)) << name;
    EXPECT_EQ(line, "ok") << name;
  }
  EXPECT_EQ(server.Requests(), std::vector<std::string>()) << "the pages sent requests";
}

}  // namespace
}  // namespace tessarine
