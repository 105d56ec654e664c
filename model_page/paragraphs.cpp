#include "model_page/paragraphs.h"

#include <bit>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/line_break.h"
#include "model_page/box_style.h"
#include "model_page/inline_runs.h"
#include "model_page/links.h"
#include "model_page/lists.h"
#include "model_page/notes.h"
#include "model_page/pictures.h"
#include "model_page/tabs.h"
#include "model_page/text_encoding.h"

namespace tessarine {

namespace {

// Where the first two spaces in a row in `text` start, from `from` on; npos when there are none.
// Sixteen bytes at a time where the processor compares them so: text has a space every few
// letters, and a search for the space alone would stop at each.
size_t FindTwoSpaces(std::string_view text, size_t from) {
#if defined(__SSE2__)
  const __m128i space = _mm_set1_epi8(' ');
  for (; from + 17 <= text.size(); from += 16) {
    const char* p = text.data() + from;
    const __m128i first = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), space);
    const __m128i second = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1)), space);
    const auto pairs = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(first, second)));
    if (pairs != 0) return from + static_cast<size_t>(std::countr_zero(pairs));
  }
#endif
  return text.find("  ", from);
}


constexpr int64_t kCellMargin = 500;  // the stylesheet's "td p" margins, hundredths of a point
constexpr int kDeepestHeading = 6;

// Link numbers: none, the note's link back to its mark, then one per link of the paragraph.
constexpr int kNoLink = 0;
constexpr int kBackLink = 1;

// Where the word before a note mark starts in `text`: after the last space before its last
// character (the whole text when there is none), as the RTF pages choose the word they link.
size_t WordStart(std::string_view text) {
  if (text.size() < 2) return 0;
  size_t space = text.rfind(' ', text.size() - 2);
  return space == std::string_view::npos ? 0 : space + 1;
}

class ParagraphWriter {
 public:
  ParagraphWriter(PageContext& context, std::string& out, const model::Paragraph& paragraph,
                  const ParagraphOptions& options)
      : context_(context), out_(out), paragraph_(paragraph), options_(options) {
    const int heading = paragraph.format.heading;
    heading_ = heading <= 0 ? 0 : (heading > kDeepestHeading ? kDeepestHeading : heading);
  }

  void Write() {
    ChooseLook();
    Open();
    const auto& items = paragraph_.inlines;
    for (size_t i = 0; i < items.size(); ++i) {
      const model::Inline& item = items[i];
      switch (item.kind) {
        case model::InlineKind::kText:
          if (i + 1 < items.size() && items[i + 1].kind == model::InlineKind::kNoteMark &&
              items[i + 1].index < context_.document.notes.size()) {
            const size_t cut = WordStart(item.text);
            if (cut > 0) Text(item.format, std::string_view(item.text).substr(0, cut));
            NoteMark(items[i + 1].index, &item.format, std::string_view(item.text).substr(cut));
            ++i;
          } else {
            Text(item.format, item.text);
          }
          break;
        case model::InlineKind::kTab:
          EnsureLink();
          Format(item.format);
          AppendTab(out_, TabSize(tab_line_, ++tabs_in_line_));
          after_space_ = false;
          visible_ = true;
          break;
        case model::InlineKind::kLineBreak:
          EnsureLink();
          out_.append("<br>");
          // The next line starts at the left edge, with its own tabs.
          tab_line_.start = tab_line_.edge;
          tab_line_.hanging = false;
          tabs_in_line_ = 0;
          after_space_ = true;
          visible_ = true;
          break;
        case model::InlineKind::kNoteMark:
          NoteMark(item.index, nullptr, {});
          break;
        case model::InlineKind::kLinkStart:
          LinkStart(item);
          break;
        case model::InlineKind::kLinkEnd:
          wanted_link_ = default_link_;
          wanted_tag_ = default_tag_;
          break;
        case model::InlineKind::kBookmark:
          Bookmark(item.text);
          break;
        case model::InlineKind::kPicture:
          if (item.index < context_.document.pictures.size()) {
            EnsureLink();
            AppendPicture(out_, context_.document.pictures[item.index]);
            after_space_ = false;
            visible_ = true;
          }
          break;
      }
    }
    Close();
  }

 private:
  // The paragraph's own font, size and colour: those of its first run.
  void ChooseLook() {
    for (const model::Inline& item : paragraph_.inlines) {
      if (item.kind == model::InlineKind::kText || item.kind == model::InlineKind::kTab) {
        look_ = context_.style.LookOf(item.format);
        break;
      }
    }
    if (options_.place == Place::kNote) look_.size = 0;  // notes are in the notes' size throughout
  }

  void Open() {
    const model::ParagraphFormat& format = paragraph_.format;
    if (const model::ParagraphLook* box = model::FindLook(context_.document, format)) box_ = box;
    const PageStyle& style = context_.style;
    const bool list_item = IsListItem(format);
    const int64_t base_left = options_.place == Place::kCell ? kCellMargin : style.margin_left();
    const int64_t base_right = options_.place == Place::kCell ? kCellMargin : style.margin_right();

    out_.push_back('<');
    if (heading_ > 0) {
      out_.push_back('h');
      out_.push_back(static_cast<char>('0' + heading_));
    } else {
      out_.push_back('p');
    }
    const size_t tag_end = out_.size();
    out_.append(" style=\"");
    const size_t start = out_.size();
    Declarations declarations(out_);
    auto declaration = [&declarations](std::string_view name) { declarations.Add(name); };
    if (list_item) declaration("text-indent:0pt");
    if (options_.place == Place::kNote) {
      declaration("font-size:");
      out_.append(style.settings().fsizessl);
      out_.append("pt");
    }
    // Headings are outside the stylesheet's paragraph rule: they name the font, size and
    // margins, and are bold only where their text is.
    if (look_.font != -1 || heading_ > 0) {
      declaration("font-family:");
      style.AppendFont(out_, look_.font);
    }
    if (look_.size != 0 || (heading_ > 0 && options_.place != Place::kNote)) {
      declaration("font-size:");
      style.AppendSize(out_, look_.size);
    }
    if (heading_ > 0) declaration("font-weight:normal");
    if (look_.colour != model::kNoColour) {
      declaration("color:");
      style.AppendColourOf(out_, look_.colour);
    }
    switch (format.alignment) {
      case model::Alignment::kCenter:
        declaration("text-align:center");
        break;
      case model::Alignment::kRight:
        declaration("text-align:right");
        break;
      case model::Alignment::kJustify:
        declaration("text-align:justify");
        break;
      default:
        break;
    }
    if (list_item || format.left_twips != 0 || heading_ > 0) {
      declaration("margin-left:");
      AppendHundredths(
          out_, list_item ? ListItemMargin(format, base_left) : base_left + int64_t{format.left_twips} * 5);
      out_.append("pt");
    }
    if (format.right_twips != 0 || heading_ > 0) {
      declaration("margin-right:");
      AppendHundredths(out_, base_right + int64_t{format.right_twips} * 5);
      out_.append("pt");
    }
    if (!list_item && format.first_line_twips != 0) {
      declaration("text-indent:");
      AppendHundredths(out_, int64_t{format.first_line_twips} * 5);
      out_.append("pt");
    }
    if (format.space_before_twips > 0) {
      declaration("margin-top:");
      AppendHundredths(out_, int64_t{format.space_before_twips} * 5);
      out_.append("pt");
    }
    if (format.space_after_twips > 0) {
      declaration("margin-bottom:");
      AppendHundredths(out_, int64_t{format.space_after_twips} * 5);
      out_.append("pt");
    }
    AppendLineSpacing(declarations, *box_, look_.size != 0 ? look_.size : style.page_size());
    AppendBorders(declarations, box_->borders, true);
    if (box_->background != model::kNoColour)
      AppendColour(declarations.Add("background-color:"), box_->background);
    if (out_.size() == start) {
      out_.resize(tag_end);
      out_.push_back('>');
    } else {
      out_.append("\">");
    }

    if (options_.note_number != 0) {
      out_.append("<b>");
      AppendNumber(out_, options_.note_number);
      out_.append(".</b>");
      after_space_ = false;
      if (options_.back_link) {
        default_link_ = wanted_link_ = kBackLink;
        default_tag_ = "<a class=\"ht\" href=\"#hts";
        AppendNumber(default_tag_, options_.note_number);
        default_tag_.append("\">");
        wanted_tag_ = default_tag_;
      }
    }
    if (!format.list_marker.empty()) {
      Format(format.marker_format);
      AppendListMarker(out_, format);
      tags_.CloseAll(out_);
      after_space_ = false;
      visible_ = true;
    }
    ChooseTabs(list_item);
  }

  // Where the tabs of the first line go: from the paragraph's left edge as the page places it.
  void ChooseTabs(bool list_item) {
    const model::ParagraphFormat& format = paragraph_.format;
    tab_line_.stops = &box_->tab_stops;
    tab_line_.default_stop = context_.document.default_tab_twips;
    if (list_item) {  // indented by its level, its first line not indented
      tab_line_.edge = static_cast<int32_t>(ListItemMargin(format, 0) / 5);
      tab_line_.start = tab_line_.edge;
    } else {
      tab_line_.edge = format.left_twips;
      tab_line_.start = format.left_twips + format.first_line_twips;
      tab_line_.hanging = format.first_line_twips < 0;
    }
  }

  void Close() {
    if (!visible_) {  // an empty line keeps its height (and a note its link back)
      EnsureLink();
      out_.append("&nbsp;");
    }
    CloseLink();
    tags_.CloseAll(out_);
    if (heading_ > 0) {
      out_.append("</h");
      out_.push_back(static_cast<char>('0' + heading_));
      out_.push_back('>');
    } else {
      out_.append("</p>");
    }
    out_.append(kLineBreak);
  }

  void Format(const model::CharFormat& format) {
    RunLook run = context_.style.LookOf(format);
    if (options_.place == Place::kNote) run.size = look_.size;
    tags_.Apply(out_, format, run, look_, context_.style);
  }

  void Text(const model::CharFormat& format, std::string_view text) {
    if (text.empty()) return;
    EnsureLink();
    Format(format);
    AppendKeepingSpaces(text);
    visible_ = true;
  }

  // Appends `text` with every space that follows a space (or starts a line) as a non-breaking
  // one, so that the browser keeps runs of spaces.
  void AppendKeepingSpaces(std::string_view text) {
    size_t from = 0;
    if (after_space_ && text.front() == ' ') {
      out_.append("&nbsp;");
      from = 1;
    }
    for (size_t pair = FindTwoSpaces(text, from); pair != std::string_view::npos; pair = FindTwoSpaces(text, from)) {
      AppendHtmlText(out_, text.substr(from, pair + 1 - from));
      from = pair + 1;
      size_t spaces = text.find_first_not_of(' ', from);
      if (spaces == std::string_view::npos) spaces = text.size();
      AppendNonBreakingSpaces(spaces - from);
      from = spaces;
    }
    AppendHtmlText(out_, text.substr(from));
    after_space_ = text.back() == ' ';
  }

  // Appends `count` non-breaking spaces at once.
  void AppendNonBreakingSpaces(size_t count) {
    constexpr std::string_view kSpace = "&nbsp;";
    const size_t at = out_.size();
    ReserveOnHugePages(out_, count * kSpace.size());
    out_.resize(at + count * kSpace.size());
    for (char* p = out_.data() + at; count > 0; --count, p += kSpace.size()) kSpace.copy(p, kSpace.size());
  }

  // Opens the link the text stands in, when it is not the open one. Formatting tags stay inside
  // links, so they are closed with the link and opened again inside the next.
  void EnsureLink() {
    if (open_link_ == wanted_link_) return;
    CloseLink();
    if (wanted_link_ == kNoLink) return;
    tags_.CloseAll(out_);
    out_.append(wanted_tag_);
    open_link_ = wanted_link_;
    if (wanted_link_ != kBackLink) context_.flags.has_hyperlinks = true;
  }

  void CloseLink() {
    if (open_link_ == kNoLink) return;
    tags_.CloseAll(out_);
    out_.append("</a>");
    open_link_ = kNoLink;
  }

  void LinkStart(const model::Inline& item) {
    std::string_view target = TrimTarget(item.text);
    wanted_tag_.clear();
    if (item.local || (!target.empty() && target.front() == '#')) {
      AppendLocalLinkOpen(wanted_tag_, target);
    } else if (target.empty() || !AppendLinkOpen(wanted_tag_, target)) {
      // A script or no target: the text stays, as plain text.
      wanted_link_ = default_link_;
      wanted_tag_ = default_tag_;
      return;
    }
    wanted_link_ = ++last_link_;
  }

  // The word before the mark (in `format`, when there is one) becomes the link to the note.
  void NoteMark(uint32_t index, const model::CharFormat* format, std::string_view word) {
    bool first_anchor = false;
    const uint32_t number = context_.notes.Mark(index, first_anchor);
    if (number == 0) return;
    CloseLink();  // anchors and links do not stand inside links
    tags_.CloseAll(out_);
    AppendNoteReferenceOpen(out_, number, first_anchor);
    if (format != nullptr && !word.empty()) {
      Format(*format);
      AppendHtmlText(out_, word);
      tags_.CloseAll(out_);
      AppendNoteReferenceClose(out_, number);
    } else {
      out_.append("<b><sup>");
      AppendNumber(out_, number);
      out_.append("</sup></b></a>");
    }
    after_space_ = false;
    visible_ = true;
  }

  void Bookmark(std::string_view name) {
    std::string anchor;
    AppendAnchorName(anchor, name);
    if (!context_.anchors.insert(anchor).second) return;
    CloseLink();
    out_.append("<a name=\"");
    out_.append(anchor);
    out_.append("\"></a>");
  }

  PageContext& context_;
  std::string& out_;
  const model::Paragraph& paragraph_;
  const ParagraphOptions& options_;
  int heading_ = 0;
  RunLook look_;
  model::ParagraphLook plain_;
  const model::ParagraphLook* box_ = &plain_;  // the look of the paragraph's box
  InlineTags tags_;
  int default_link_ = kNoLink;  // the link text stands in outside the document's links
  int wanted_link_ = kNoLink;   // the link the next text stands in
  int open_link_ = kNoLink;
  int last_link_ = kBackLink;
  std::string default_tag_;
  std::string wanted_tag_;
  bool visible_ = false;     // something shows: an empty paragraph gets a non-breaking space
  bool after_space_ = true;  // the text written last ends in a space, or the line is empty
  TabLine tab_line_;
  int tabs_in_line_ = 0;
};

}  // namespace

void WriteParagraph(PageContext& context, std::string& out, const model::Paragraph& paragraph,
                    const ParagraphOptions& options) {
  ParagraphWriter(context, out, paragraph, options).Write();
}

}  // namespace tessarine
