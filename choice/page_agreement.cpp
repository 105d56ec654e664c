#include "choice/page_agreement.h"

#include <cmath>

#include "choice/word_chars.h"

namespace tessarine {

namespace {

constexpr int32_t kNotSeen = -2;
constexpr int32_t kAnyFont = -3;  // a font of the document without a name

// The settings' number (an optional sign and digits), 0 when there is none.
float SettingPoints(std::string_view text) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  float value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 1e6f; ++i) {
    value = value * 10 + static_cast<float>(text[i] - '0');
  }
  return negative ? -value : value;
}

bool SameTarget(std::string_view page, const DocumentItem& item) {
  if (!item.local) return page == item.target;
  return page.size() == item.target.size() + 1 && page[0] == '#' && page.substr(1) == item.target;
}

}  // namespace

PageAgreement::PageAgreement(const model::Document& document, const Settings& settings)
    : document_(document),
      items_(document),
      reader_(*this),
      size_reduction_(SettingPoints(settings.umrazm)),
      page_fonts_(document.fonts.size(), kNotSeen) {}

bool PageAgreement::Read(std::string_view piece) {
  if (reader_.Read(piece)) return true;
  if (disagreement_ == Disagreement::kNone) disagreement_ = Disagreement::kUnreadable;
  return false;
}

bool PageAgreement::Finish() {
  if (disagreement_ != Disagreement::kNone) return false;
  if (!reader_.Finish()) {
    if (disagreement_ == Disagreement::kNone) disagreement_ = Disagreement::kUnreadable;
    return false;
  }
  return NextDocumentItem().kind == ShownItem::kEnd || Disagree(Disagreement::kRest);
}

const DocumentItem& PageAgreement::NextDocumentItem() {
  while (true) {
    const DocumentItem& item = items_.Next();
    if (item.kind == ShownItem::kSpace) {
      document_space_ = true;
    } else if (item.kind == ShownItem::kLineStart) {
      document_space_ = true;
      document_line_ = true;
    } else {
      document_ended_ = document_ended_ || item.kind == ShownItem::kEnd;
      return item;
    }
  }
}

bool PageAgreement::Characters(std::u32string_view run, const ShownFormat& format) {
  if (!Character(run[0], format)) return false;
  for (size_t i = 1; i < run.size(); ++i) {
    // Most characters go on a run of the document's text, of the format just found alike.
    const DocumentItem* item = items_.NextInRun();
    if (item == nullptr) {
      if (!Character(run[i], format)) return false;
    } else if (FoldLetter(run[i]) != FoldLetter(item->character)) {
      return Disagree(Disagreement::kText);
    } else {
      ++characters_;
    }
  }
  return true;
}

bool PageAgreement::Character(char32_t c, const ShownFormat& format) {
  const DocumentItem* next = items_.NextInRun();
  if (next == nullptr && items_.SpaceInRun()) {
    document_space_ = true;
    next = items_.NextInRun();
  }
  const DocumentItem& item = next != nullptr ? *next : NextDocumentItem();
  if (item.kind != ShownItem::kCharacter && item.kind != ShownItem::kEnd)
    return Disagree(Disagreement::kStructure);
  if (item.kind == ShownItem::kEnd || FoldLetter(c) != FoldLetter(item.character)) {
    return Disagree(Disagreement::kText);
  }
  if (page_space_ != document_space_ || page_line_ != document_line_) return Disagree(Disagreement::kSpacing);
  page_space_ = page_line_ = document_space_ = document_line_ = false;
  ++characters_;
  if (item.format == nullptr) return true;
  if (format.id != 0 && format.id == alike_page_ && item.format == alike_document_ &&
      item.alignment == alike_alignment_) {
    return true;
  }
  const Disagreement difference = FormatDifference(format, item);
  if (difference != Disagreement::kNone) return Disagree(difference);
  alike_page_ = format.id;
  alike_document_ = item.format;
  alike_alignment_ = item.alignment;
  return true;
}

bool PageAgreement::Item(ShownItem kind, std::string_view target) {
  if (kind == ShownItem::kSpace) {
    page_space_ = true;
    return true;
  }
  if (kind == ShownItem::kLineStart) {
    page_space_ = true;
    page_line_ = true;
    return true;
  }
  const DocumentItem& item = NextDocumentItem();
  if (item.kind != kind) return Disagree(Disagreement::kStructure);
  return kind != ShownItem::kLinkStart || SameTarget(target, item) || Disagree(Disagreement::kTarget);
}

Disagreement PageAgreement::FormatDifference(const ShownFormat& page, const DocumentItem& item) {
  const model::CharFormat& format = *item.format;
  if ((page.look & kLookBold) == 0 && page.bold != format.bold) return Disagreement::kBold;
  if (page.italic != format.italic) return Disagreement::kItalic;
  if (page.underline ? !format.underline : !page.link_underline && format.underline) {
    return Disagreement::kUnderline;
  }
  if (page.strike != format.strike) return Disagreement::kStrike;
  if (page.baseline != format.baseline) return Disagreement::kBaseline;
  if (page.alignment != item.alignment) return Disagreement::kAlignment;
  if ((page.look & kLookSize) == 0 && page.baseline == model::Baseline::kNormal) {
    const float expected =
        format.half_points > 0 ? static_cast<float>(format.half_points) / 2 - size_reduction_ : 12;
    if (std::fabs(page.points - expected) > 0.5f) return Disagreement::kSize;
  }
  if ((page.look & kLookColour) == 0) {
    const uint32_t expected =
        format.colour == model::kNoColour ? reader_.text_colour() : format.colour & 0xFFFFFF;
    if (page.colour != expected) return Disagreement::kColour;
  }
  return SameFont(page.font, format.font) ? Disagreement::kNone : Disagreement::kFont;
}

bool PageAgreement::SameFont(int32_t page_font, int32_t font) {
  if (font < 0 || static_cast<size_t>(font) >= page_fonts_.size()) return true;  // none given
  int32_t& seen = page_fonts_[static_cast<size_t>(font)];
  if (seen != kNotSeen) return seen == page_font || seen == kAnyFont;
  std::string_view name = document_.fonts[static_cast<size_t>(font)];
  name = name.substr(0, name.find(" Cyr"));
  if (name.find_first_not_of(' ') == std::string_view::npos) {
    seen = kAnyFont;
    return true;
  }
  if (page_font < 0 || !reader_.fonts().Same(page_font, name)) return false;
  seen = page_font;
  return true;
}

}  // namespace tessarine
