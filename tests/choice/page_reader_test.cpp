// The reader of the passes' pages: what a browser shows of each shape the pages are made of,
// and the pages it refuses to read.
#include <cstdio>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "choice/page_reader.h"
#include "page/page_head.h"

namespace tessarine {
namespace {

// Writes what the reader gives: words with what differs from the page's 10 pt Arial (bold "b",
// "i", "u", a link's own underline "lu", "s", "sup"/"sub", the size, colour, font and
// alignment, and which of them are the page's own look), one space for any run of spaces, "|"
// for line starts, and the marks.
class Recorder : public PageSink {
 public:
  explicit Recorder(const FontNames& fonts) : fonts_(fonts) {}

  bool Characters(std::u32string_view run, const ShownFormat& f) override {
    const std::string annotation = Annotation(f);
    if (in_word_ && annotation != word_format_) EndWord();
    word_format_ = annotation;
    in_word_ = true;
    for (char32_t c : run) AppendUtf8(word_, c);
    return true;
  }
  bool Item(ShownItem item, std::string_view target) override {
    EndWord();
    static constexpr const char* kMarks[] = {"",    " ",    "|", "[T", "[R",    "[C", "T]",
                                             "<a ", "</a>", "^", "{N", "[pic]", ""};
    const std::string mark = kMarks[static_cast<int>(item)];
    if ((item == ShownItem::kSpace || item == ShownItem::kLineStart) && out_.ends_with(mark)) return true;
    out_ += mark;
    if (item == ShownItem::kLinkStart) out_.append(target).append(">");
    return true;
  }
  // Spaces next to line starts and at the ends left out, and line starts once.
  std::string Text() {
    EndWord();
    std::string text;
    for (size_t i = 0; i < out_.size(); ++i) {
      const bool space = out_[i] == ' ';
      if (space && (i == 0 || i + 1 == out_.size() || out_[i + 1] == '|' || out_[i - 1] == '|')) continue;
      if (out_[i] == '|' && text.ends_with('|')) continue;
      text += out_[i];
    }
    return text;
  }

 private:
  std::string Annotation(const ShownFormat& f) const {
    std::string a;
    auto add = [&a](const std::string& part) { a += (a.empty() ? "" : ",") + part; };
    if (f.bold) add("b");
    if (f.italic) add("i");
    if (f.underline) add("u");
    if (f.link_underline) add("lu");
    if (f.strike) add("s");
    if (f.baseline == model::Baseline::kSuperscript) add("sup");
    if (f.baseline == model::Baseline::kSubscript) add("sub");
    char size[16];
    std::snprintf(size, sizeof size, "%gpt", static_cast<double>(f.points));
    if (std::string(size) != "10pt") add(size);
    if (f.colour != 0) {
      char colour[16];
      std::snprintf(colour, sizeof colour, "#%06x", f.colour);
      add(colour);
    }
    if (f.font < 0) add("default font");
    if (f.font >= 0 && fonts_.Name(f.font) != "arial") add(std::string(fonts_.Name(f.font)));
    static constexpr const char* kAlignments[] = {"", "center", "right", "justify"};
    if (f.alignment != model::Alignment::kLeft) add(kAlignments[static_cast<int>(f.alignment)]);
    if (f.look & kLookBold) add("look b");
    if (f.look & kLookSize) add("look size");
    if (f.look & kLookColour) add("look colour");
    return a;
  }
  void EndWord() {
    if (!in_word_) return;
    out_ += word_;
    if (!word_format_.empty()) out_ += "{" + word_format_ + "}";
    word_.clear();
    in_word_ = false;
  }

  const FontNames& fonts_;
  std::string out_, word_, word_format_;
  bool in_word_ = false;
};

std::string Page(std::string_view body) {
  std::string page;
  AppendHead(page, "", "");
  AppendRtfStylesheet(page, Settings{}, {true, false, true, true});
  page.append(body).append(kPageClose);
  return page;
}

// What the reader gives for the page with `body`, fed `piece` bytes at a time (0: all at once);
// "not read" when it stops.
std::string Shown(std::string_view body, size_t piece = 0) {
  const std::string page = Page(body);
  // The recorder names fonts by the reader's table, which it reaches once the reader exists.
  struct Sink : PageSink {
    Recorder* recorder = nullptr;
    bool Characters(std::u32string_view run, const ShownFormat& f) override {
      return recorder->Characters(run, f);
    }
    bool Item(ShownItem item, std::string_view target) override { return recorder->Item(item, target); }
  } sink;
  PageReader reader(sink);
  Recorder recorder(reader.fonts());
  sink.recorder = &recorder;
  bool read = true;
  if (piece == 0) {
    read = reader.Read(page);
  } else {
    for (size_t i = 0; i < page.size() && read; i += piece)
      read = reader.Read(std::string_view(page).substr(i, piece));
  }
  read = read && reader.Finish();
  return read ? recorder.Text() : "not read";
}

const struct {
  const char* name;
  const char* body;
  const char* shown;
} kPages[] = {
    {"paragraph rule and spans",
     "<p>Plain <span style=\"font-family:Times New Roman;font-size:24pt;font-weight:bold\">Big</span> "
     "<span style=\"color:#FF0000;font-style:italic;text-decoration:underline\">red</span></p>",
     "|Plain Big{b,24pt,times new roman} red{i,u,#ff0000}|"},
    {"paragraph styles and alignment",
     "<p style=\"font-size:12pt;text-align:center\">one</p>\r\n<p align=right>two</p><p "
     "style=\"text-indent:0pt\">x</p>",
     "|one{12pt,center}|two{right}|x|"},
    {"emphasis elements",
     "<p><b>b</b> <i>i</i> <u>u</u> <s>s</s> <strike>k</strike> <sup>p</sup><sub>d</sub></p>",
     "|b{b} i{i} u{u} s{s} k{s} p{sup,8.33333pt}d{sub,8.33333pt}|"},
    {"an unclosed b goes on into the next paragraphs", "<p><b>one</p>\r\n<p>two</p><p>three</p>",
     "|one{b}|two{b}|three{b}|"},
    {"a closing b closes the span inside it", "<p><b>x<span style=\"color:#00FF00\">y</b>z</p>",
     "|x{b}y{b,#00ff00}z|"},
    {"the end of a paragraph closes its spans", "<p><span style=\"font-size:20pt\">x</p><p>y</p>",
     "|x{20pt}|y|"},
    {"font elements", "<p><font face=\"Georgia, serif\" size=5 color=navy>f</font><font size=-1>g</font></p>",
     "|f{18pt,#000080,georgia}g{9.75pt}|"},
    {"headings close paragraphs", "<p>a<h1>Head</h1>b</p>",
     "|a|Head{b,24pt,default font}|b{12pt,default font}|"},
    {"line breaks and references", "<p>caf&#233; &lt;tag&gt; x&nbsp;y&amp;z<br>&#x41;B &nbsp &#150;</p>",
     "|café tag x y z|AB|"},
    {"a table of cells: the text starts afresh but for the font",
     "<p style=\"font-family:Georgia;text-align:right\"><b>a<table border=1 width=90%>\r\n<tr>\r\n"
     "<td>c1<p>p1</p></td>\r\n<td colspan=2><p "
     "style=\"text-align:center\">p2</p></td>\r\n</tr>\r\n</table>\r\n"
     "z</b></p>",
     "|a{b,georgia,right}|[T[R[C|c1{12pt,georgia}|p1|[C|p2{center}|T]|z{b,georgia,right}|"},
    {"a layout of columns is no table",
     "<table border=0 width=90%>\r\n<tr>\r\n<td width=50%><p>a</p></td>"
     "<td width=50%><p>b</p></td></tr></table>",
     "|a|b|"},
    {"rows and cells close themselves", "<table border=1><tr><td><p>a<td><p>b<tr><td><p>c</table><p>d</p>",
     "|[T[R[C|a|[C|b|[R[C|c|T]|d|"},
    {"links take the page's look",
     "<p>See <a href=\"http://example.com/?a=1&amp;b=2\">the <b>site</b></a>.</p>",
     "|See <a http://example.com/?a=1&b=2>the{b,lu,#0000ff,look b,look colour} site{b,lu,#0000ff,look "
     "colour}</a>|"},
    {"a bookmark is no link", "<p><a name=\"place\"></a>here</p>", "|here|"},
    {"a note: its mark and its text",
     "<p><a name=\"hts1\"></a>\r\n<a class=\"sslk\" href=\"#dssl1\">Word</a><b><sup>1</sup></b> "
     "after.</p>\r\n"
     "<hr color=#dc143c width=70%><a name=\"dssl1\"></a><p style=\"font-size:8pt\"><b>1.</b><a  class=\"ht\" "
     "href=\"#hts1\"> Note text.</a></p>\r\n",
     "|Word{b,#dc143c,look b,look colour}^ after|{N|Note{b,8pt,#a0522d,look b,look size,look colour} "
     "text{b,8pt,#a0522d,look b,look size,look colour}|"},
    {"a superscript number after no note link is text", "<p>x<b><sup>2</sup></b></p>",
     "|x2{b,sup,8.33333pt}|"},
    {"tags in any case, unquoted values, the first attribute of a name",
     "<P ALIGN=center STYLE=\"font-size:12pt\" style=\"font-size:20pt\">a &#150; b < c</P>",
     "|a{12pt,center} b{12pt,center} c{12pt,center}|"},
    {"a picture", "<p><img src=\"data:image/png;base64,AAAA\" width=10 height=10></p>", "|[pic]|"},
    {"a stray closing p is an empty paragraph", "<p>a</p>\r\n</p>b", "|a|b{12pt,default font}"},
    // What these pages never hold stops the reading.
    {"a script", "<p>a<script>alert(1)</script></p>", "not read"},
    {"an event attribute", "<p><b onmouseover=\"x()\">a</b></p>", "not read"},
    {"an element the pages do not write", "<p><div>a</div></p>", "not read"},
    {"a property that hides text", "<p><span style=\"display:none\">a</span></p>", "not read"},
    {"a background colour", "<p><span style=\"background-color:#e0e0e0\">a</span></p>", "not read"},
    {"a named reference not known", "<p>&copy 2024</p>", "not read"},
    {"a comment", "<p>a<!-- b --></p>", "not read"},
    {"text where cells should be", "<table border=1><tr>lost<td>a</td></tr></table>", "not read"},
    {"a closing b around a paragraph", "<b><p>a</b>b</p>", "not read"},
    {"a link of another class", "<p><a class=\"x\" href=\"#y\">a</a></p>", "not read"},
    {"a picture from elsewhere", "<p><img src=\"http://example.com/x.png\"></p>", "not read"},
    {"a second body tag that colours the page", "<p>a</p><body text=\"#e0e0e0\">", "not read"},
    {"a script link", "<p><a href=\"java&#x0A;script:alert(1)\">a</a></p>", "not read"},
};

TEST(PageReaderTest, ShowsWhatABrowserShows) {
  for (const auto& c : kPages) EXPECT_EQ(Shown(c.body), c.shown) << c.name;
}

// The reader takes the page in pieces of any size and gives the same.
TEST(PageReaderTest, ReadsAPageInPieces) {
  for (const auto& c : kPages) {
    for (size_t piece : {1, 2, 7})
      EXPECT_EQ(Shown(c.body, piece), c.shown) << c.name << ", pieces of " << piece;
  }
}

TEST(PageReaderTest, NeedsABodyAndAStylesheetItKnows) {
  struct Nothing : PageSink {
    bool Characters(std::u32string_view, const ShownFormat&) override { return true; }
    bool Item(ShownItem, std::string_view) override { return true; }
  } sink;
  for (const char* page : {"<html><head><title>x</title></head>", "<html><body><p>a</p></body",
                           "<html><head><style>p {display:none}</style></head><body>a</body></html>",
                           "<html><head><style>div {color:red}</style></head><body>a</body></html>"}) {
    PageReader reader(sink);
    EXPECT_FALSE(reader.Read(page) && reader.Finish()) << page;
  }
}

}  // namespace
}  // namespace tessarine
