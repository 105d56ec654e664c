#include "choice/page_reader.h"

#include <initializer_list>

#include "choice/word_chars.h"
#include "page/link_target.h"

namespace tessarine {

namespace {

constexpr size_t kDeepest = 256;               // elements open at once
constexpr size_t kMostFormatting = 64;         // entries of the active formatting list
constexpr size_t kMostStyles = 4096;           // style attributes kept read
constexpr uint32_t kUnvisitedLink = 0x0000EE;  // a browser's own colour of links

bool IsSpaceCharacter(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f';
}

bool EqualsLower(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    if (c != lower[i]) return false;
  }
  return true;
}

bool StartsWithLower(std::string_view text, std::string_view lower) {
  return text.size() >= lower.size() && EqualsLower(text.substr(0, lower.size()), lower);
}

bool AlignmentOf(std::string_view value, model::Alignment& alignment) {
  if (EqualsLower(value, "left")) {
    alignment = model::Alignment::kLeft;
  } else if (EqualsLower(value, "center") || EqualsLower(value, "middle")) {
    alignment = model::Alignment::kCenter;
  } else if (EqualsLower(value, "right")) {
    alignment = model::Alignment::kRight;
  } else if (EqualsLower(value, "justify")) {
    alignment = model::Alignment::kJustify;
  } else {
    return false;
  }
  return true;
}

// Whether every attribute of `tag` is one of `allowed`.
bool OnlyAttributes(const PageTag& tag, std::initializer_list<std::string_view> allowed) {
  for (size_t i = 0; i < tag.count; ++i) {
    bool known = false;
    for (std::string_view name : allowed) known = known || tag.attributes[i].name == name;
    if (!known) return false;
  }
  return true;
}

}  // namespace

PageReader::PageReader(PageSink& sink) : sink_(sink), tokenizer_(*this) {
  stack_.reserve(kDeepest + 1);
  active_.reserve(kMostFormatting + 1);
}

bool PageReader::Read(std::string_view piece) {
  if (!ok_) return false;
  if (!tokenizer_.Read(piece)) ok_ = false;
  return ok_;
}

bool PageReader::Finish() {
  if (!ok_) return false;
  if (!tokenizer_.Finish() || !in_body_) return Fail();
  while (ok_ && stack_.size() > 1) Pop();
  return ok_;
}

void PageReader::Emit(ShownItem item, std::string_view target) {
  if (ok_ && !sink_.Item(item, target)) ok_ = false;
}

// --- The head -----------------------------------------------------------------------------

bool PageReader::StyleText(std::string_view utf8) {
  if (in_body_) return Fail();
  style_text_.append(utf8);
  return true;
}

bool PageReader::HeadTag(const PageTag& tag) {
  const std::string& name = tag.name;
  if (tag.end) {
    if (name == "style") {
      const bool read = ParseStylesheet(style_text_, fonts_, stylesheet_);
      style_text_.clear();
      return read || Fail();
    }
    return name == "html" || name == "head" || name == "title" || Fail();
  }
  if (name == "body") return StartBody(tag);
  return name == "html" || name == "head" || name == "title" || name == "meta" || name == "style" || Fail();
}

bool PageReader::StartBody(const PageTag& tag) {
  if (!OnlyAttributes(tag, {"bgcolor", "text"})) return Fail();
  Element body;
  body.kind = Kind::kBody;
  if (const std::string* text = tag.Find("text");
      text != nullptr && !ParseColour(*text, body.format.colour)) {
    return Fail();
  }
  body.format = Computed(body.format, stylesheet_.body);
  body.serial = next_serial_++;
  body.format.id = body.serial;
  text_colour_ = body.format.colour;
  stack_.push_back(body);
  in_body_ = true;
  return true;
}

// --- Tags in the body ---------------------------------------------------------------------

PageReader::Kind PageReader::KindOf(std::string_view name) {
  switch (name.size()) {
    case 1:
      switch (name[0]) {
        case 'p':
          return Kind::kP;
        case 'b':
          return Kind::kB;
        case 'i':
          return Kind::kI;
        case 'u':
          return Kind::kU;
        case 's':
          return Kind::kS;
        case 'a':
          return Kind::kA;
        default:
          return Kind::kUnknown;
      }
    case 2:
      if (name[0] == 'h' && name[1] >= '1' && name[1] <= '6') return Kind::kHeading;
      if (name == "br") return Kind::kBr;
      if (name == "tr") return Kind::kTr;
      if (name == "td") return Kind::kTd;
      if (name == "hr") return Kind::kHr;
      return Kind::kUnknown;
    default:
      break;
  }
  static constexpr std::pair<std::string_view, Kind> kKinds[] = {
      {"span", Kind::kSpan},  {"strike", Kind::kS},    {"sup", Kind::kSup},     {"sub", Kind::kSub},
      {"font", Kind::kFont},  {"table", Kind::kTable}, {"img", Kind::kImg},     {"html", Kind::kHtml},
      {"body", Kind::kBody},  {"head", Kind::kHead},   {"title", Kind::kTitle}, {"meta", Kind::kMeta},
      {"style", Kind::kStyle}};
  for (const auto& [known, kind] : kKinds) {
    if (name == known) return kind;
  }
  return Kind::kUnknown;
}

bool PageReader::Tag(const PageTag& tag) {
  if (!ok_) return false;
  if (!in_body_) return HeadTag(tag);
  const Kind kind = KindOf(tag.name);
  if (kind == Kind::kUnknown) return Fail();
  const bool done = tag.end ? EndTag(kind) : StartTag(kind, tag);
  if (!done) ok_ = false;
  return ok_ && stack_.size() <= kDeepest && active_.size() <= kMostFormatting ? true : Fail();
}

bool PageReader::StartTag(Kind kind, const PageTag& tag) {
  const Mode mode = CurrentMode();
  if (mode == Mode::kTable || mode == Mode::kRow) {
    switch (kind) {
      case Kind::kTr:
        if (mode == Mode::kRow) PopThrough(Kind::kTr);
        Push(Kind::kTr, {}, LinkKind::kNone, {});
        return OnlyAttributes(tag, {});
      case Kind::kTd:
        if (mode == Mode::kTable) Push(Kind::kTr, {}, LinkKind::kNone, {});
        break;
      case Kind::kTable:
        PopThrough(Kind::kTable);
        return StartTag(kind, tag);
      case Kind::kHtml:
      case Kind::kBody:
        return tag.count == 0;
      default:
        return false;  // a browser would move it out in front of the table
    }
  } else if (mode == Mode::kCell && (kind == Kind::kTd || kind == Kind::kTr)) {
    CloseCell();
    return StartTag(kind, tag);
  }

  const Declarations* own = nullptr;
  switch (kind) {
    case Kind::kHtml:
    case Kind::kBody:
      return tag.count == 0;  // a browser would give the page's own its attributes
    case Kind::kHead:
    case Kind::kTitle:
    case Kind::kMeta:
    case Kind::kStyle:
      return false;
    case Kind::kP:
    case Kind::kHeading:
      own = OwnOf(kind, tag, {"style", "align"});
      if (own == nullptr) return false;
      ClosePInButtonScope();
      if (kind == Kind::kHeading && stack_.back().kind == Kind::kHeading) Pop();
      Push(kind, *own, LinkKind::kNone, {});
      return true;
    case Kind::kBr:
      if (!OnlyAttributes(tag, {})) return false;
      Reconstruct();
      Emit(ShownItem::kLineStart);
      return true;
    case Kind::kHr:
      if (!OnlyAttributes(tag, {"color", "width", "size", "noshade", "align"})) return false;
      ClosePInButtonScope();
      Emit(ShownItem::kLineStart);
      return true;
    case Kind::kImg: {
      if (!OnlyAttributes(tag, {"src", "width", "height", "alt", "border"})) return false;
      const std::string* src = tag.Find("src");
      if (src == nullptr ||
          !(StartsWithLower(*src, "data:image/png;") || StartsWithLower(*src, "data:image/jpeg;"))) {
        return false;
      }
      Reconstruct();
      Emit(ShownItem::kPicture);
      return true;
    }
    case Kind::kTable: {
      if (!OnlyAttributes(tag, {"border", "width", "cellpadding", "cellspacing"})) return false;
      const std::string* border = tag.Find("border");
      Push(Kind::kTable, {}, LinkKind::kNone, {});
      stack_.back().marks = border == nullptr || *border != "0";
      Emit(ShownItem::kLineStart);
      if (stack_.back().marks) Emit(ShownItem::kTableStart);
      return true;
    }
    case Kind::kTr:
      return true;  // outside a table a browser drops it
    case Kind::kTd:
      if (mode == Mode::kBody) return true;
      own = OwnOf(kind, tag, {"width", "colspan", "rowspan", "valign"});
      if (own == nullptr) return false;
      Push(Kind::kTd, *own, LinkKind::kNone, {});
      active_.push_back({});
      active_.back().marker = true;
      return true;
    case Kind::kA:
      return StartA(tag);
    case Kind::kB:
    case Kind::kI:
    case Kind::kU:
    case Kind::kS:
    case Kind::kFont:
      own = kind == Kind::kFont ? OwnOf(kind, tag, {"face", "size", "color", "style"})
                                : OwnOf(kind, tag, {"style"});
      if (own == nullptr) return false;
      Reconstruct();
      Push(kind, *own, LinkKind::kNone, {});
      AddFormatting(kind, *own, LinkKind::kNone, {});
      return true;
    case Kind::kSpan:
    case Kind::kSup:
    case Kind::kSub:
      own = OwnOf(kind, tag, {"style"});
      if (own == nullptr) return false;
      Reconstruct();
      Push(kind, *own, LinkKind::kNone, {});
      return true;
    case Kind::kUnknown:
      break;
  }
  return false;
}

bool PageReader::StartA(const PageTag& tag) {
  if (!OnlyAttributes(tag, {"href", "name", "class"})) return false;
  // A link inside a link: a browser closes the first.
  for (size_t i = active_.size(); i > 0 && !active_[i - 1].marker; --i) {
    if (active_[i - 1].kind != Kind::kA) continue;
    const uint32_t serial = active_[i - 1].serial;
    if (!AdoptionAgency(Kind::kA)) return false;
    for (size_t k = 0; k < active_.size(); ++k) {
      if (active_[k].marker || active_[k].serial != serial) continue;
      // Out of scope, the browser would take it off the stack and leave it around the text.
      if (active_[k].open) return false;
      active_.erase(active_.begin() + static_cast<std::ptrdiff_t>(k));
      break;
    }
    break;
  }
  const std::string* href = tag.Find("href");
  const std::string* name = tag.Find("name");
  const std::string* css_class = tag.Find("class");
  LinkKind link = LinkKind::kNone;
  Declarations own;
  if (href != nullptr) {
    if (IsScriptTarget(*href)) return false;  // such a page shows nothing it should
    link = LinkKind::kLink;
    if (css_class != nullptr) {
      if (EqualsLower(*css_class, "sslk") && href->starts_with("#dssl")) {
        link = LinkKind::kNoteReference;
      } else if (EqualsLower(*css_class, "ht") && href->starts_with("#hts")) {
        link = LinkKind::kNoteBack;
      } else {
        return false;
      }
    }
    // The look of links: the browser's own, then the page's rules for links and their class.
    Declarations look;
    look.set = kDeclaredColour | kDeclaredDecoration;
    look.colour = kUnvisitedLink;
    look.underline = true;
    Merge(look, true, own);
    Merge(stylesheet_.link, true, own);
    if (css_class != nullptr) {
      for (const auto& [known, rule] : stylesheet_.link_classes) {
        if (EqualsLower(*css_class, known)) Merge(rule, true, own);
      }
    }
  } else if (css_class != nullptr) {
    return false;
  }
  if (name != nullptr && name->starts_with("dssl") && href == nullptr) {
    in_notes_ = true;
    note_number_pending_ = true;
    Emit(ShownItem::kNoteStart);
  }
  if (link == LinkKind::kNoteBack) note_number_pending_ = false;
  Reconstruct();
  const std::string_view target = link == LinkKind::kLink ? std::string_view(*href) : std::string_view();
  Push(Kind::kA, own, link, target);
  AddFormatting(Kind::kA, own, link, target);
  return ok_;
}

bool PageReader::EndTag(Kind kind) {
  switch (kind) {
    case Kind::kP:
      if (!InScope(Kind::kP, false)) {  // "</p>" alone: an empty paragraph
        Emit(ShownItem::kLineStart);
        return true;
      }
      PopThrough(Kind::kP);
      return true;
    case Kind::kHeading:
      if (InScope(Kind::kHeading, false)) PopThrough(Kind::kHeading);
      return true;
    case Kind::kBr:
      Reconstruct();
      Emit(ShownItem::kLineStart);
      return true;
    case Kind::kB:
    case Kind::kI:
    case Kind::kU:
    case Kind::kS:
    case Kind::kFont:
    case Kind::kA:
      return AdoptionAgency(kind);
    case Kind::kSpan:
    case Kind::kSup:
    case Kind::kSub:
      return AnyOtherEndTag(kind);
    case Kind::kTd:
      if (CurrentMode() == Mode::kCell) CloseCell();
      return true;
    case Kind::kTr:
      if (CurrentMode() == Mode::kCell) CloseCell();
      if (CurrentMode() == Mode::kRow) PopThrough(Kind::kTr);
      return true;
    case Kind::kTable:
      if (!InScope(Kind::kTable, true)) return true;
      while (stack_.back().kind != Kind::kTable) {
        if (stack_.back().kind == Kind::kTd) {
          CloseCell();
        } else {
          Pop();
        }
      }
      Pop();
      return true;
    case Kind::kHtml:
    case Kind::kBody:
    case Kind::kHead:
      return true;
    default:
      return false;
  }
}

// --- Text ---------------------------------------------------------------------------------

bool PageReader::Text(std::u32string_view text) {
  if (!ok_) return false;
  if (!in_body_) {
    for (char32_t c : text) {
      if (!IsSpaceCharacter(c)) return Fail();
    }
    return true;
  }
  const Mode mode = CurrentMode();
  if (mode == Mode::kTable || mode == Mode::kRow) {
    for (char32_t c : text) {
      if (!IsSpaceCharacter(c)) return Fail();  // a browser would move it out in front of the table
    }
    return true;
  }
  Reconstruct();
  const ShownFormat& format = stack_.back().format;
  if (!note_number_pending_ && !mark_pending_) {
    for (size_t i = 0; i < text.size();) {
      size_t end = i;
      while (end < text.size() && IsWordCharacter(text[end])) ++end;
      if (end > i && !sink_.Characters(text.substr(i, end - i), format)) return Fail();
      if (end == text.size()) break;
      Emit(ShownItem::kSpace);
      for (i = end + 1; i < text.size() && !IsWordCharacter(text[i]);) ++i;
    }
    return ok_;
  }
  bool space = false;
  for (char32_t c : text) {
    if (note_number_pending_) {
      if ((c >= U'0' && c <= U'9') || c == U'.' || IsSpaceCharacter(c)) continue;
      return Fail();
    }
    if (mark_pending_) {
      if (sup_open_ > 0 && c >= U'0' && c <= U'9') {
        ++mark_digits_;
        continue;
      }
      mark_pending_ = false;
      mark_digits_ = 0;
    }
    if (IsWordCharacter(c)) {
      space = false;
      if (!sink_.Characters(std::u32string_view(&c, 1), format)) return Fail();
    } else if (!space) {
      space = true;
      Emit(ShownItem::kSpace);
    }
  }
  return ok_;
}

// --- Formatting ---------------------------------------------------------------------------

const Declarations* PageReader::OwnOf(Kind kind, const PageTag& tag,
                                      std::initializer_list<std::string_view> attributes) {
  const bool in_cell = kind == Kind::kP && InsideCell();
  if (tag.id == 0) {
    own_ = {};
    return OnlyAttributes(tag, attributes) && OwnDeclarations(kind, tag, in_cell, own_) ? &own_ : nullptr;
  }
  if (tag.id >= tags_.size()) tags_.resize(tag.id + 1);
  KnownTag& known = tags_[tag.id];
  if (!known.read[in_cell]) {
    if (!OnlyAttributes(tag, attributes) || !OwnDeclarations(kind, tag, in_cell, known.own[in_cell]))
      return nullptr;
    known.read[in_cell] = true;
  }
  return &known.own[in_cell];
}

bool PageReader::OwnDeclarations(Kind kind, const PageTag& tag, bool in_cell, Declarations& own) {
  switch (kind) {
    case Kind::kB:
      own.set |= kDeclaredBold;
      own.bold = true;
      break;
    case Kind::kI:
      own.set |= kDeclaredItalic;
      own.italic = true;
      break;
    case Kind::kU:
      own.set |= kDeclaredDecoration;
      own.underline = true;
      break;
    case Kind::kS:
      own.set |= kDeclaredDecoration;
      own.strike = true;
      break;
    case Kind::kSup:
    case Kind::kSub:
      own.set |= kDeclaredBaseline | kDeclaredSize;
      own.baseline = kind == Kind::kSup ? model::Baseline::kSuperscript : model::Baseline::kSubscript;
      own.size = {FontSize::Kind::kScale, 1 / 1.2f};
      break;
    case Kind::kHeading: {
      static constexpr float kScale[] = {2, 1.5f, 1.17f, 1, 0.83f, 0.67f};
      own.set |= kDeclaredBold | kDeclaredSize;
      own.bold = true;
      own.size = {FontSize::Kind::kScale, kScale[tag.name[1] - '1']};
      break;
    }
    case Kind::kP:
      Merge(stylesheet_.p, false, own);
      if (in_cell) Merge(stylesheet_.td_p, false, own);
      break;
    case Kind::kTd:
      Merge(stylesheet_.td, false, own);
      break;
    default:
      break;
  }
  if (const std::string* align = tag.Find("align"); align != nullptr) {
    if (!AlignmentOf(*align, own.alignment)) return false;
    own.set |= kDeclaredAlignment;
  }
  if (kind == Kind::kFont) {
    if (const std::string* face = tag.Find("face"); face != nullptr) {
      own.font = fonts_.Intern(face->substr(0, face->find(',')));
      if (own.font < 0) return false;
      own.set |= kDeclaredFont;
    }
    if (const std::string* size = tag.Find("size"); size != nullptr) {
      float points = 0;
      if (!FontElementPoints(*size, points)) return false;
      own.size = {FontSize::Kind::kPoints, points};
      own.set |= kDeclaredSize;
    }
    if (const std::string* colour = tag.Find("color"); colour != nullptr) {
      if (!ParseColour(*colour, own.colour)) return false;
      own.set |= kDeclaredColour;
    }
  }
  if (const std::string* style = tag.Find("style"); style != nullptr) {
    // The pages repeat a few styles many times: each is read once.
    const auto known = styles_.find(*style);
    if (known != styles_.end()) {
      Merge(known->second, false, own);
    } else {
      Declarations inline_style;
      if (!ParseDeclarations(*style, fonts_, inline_style)) return false;
      if (styles_.size() < kMostStyles) styles_.emplace(*style, inline_style);
      Merge(inline_style, false, own);
    }
  }
  const bool block = kind == Kind::kP || kind == Kind::kHeading || kind == Kind::kTd;
  if ((own.set & kDeclaredAlignment) != 0 && !block) return false;
  if (own.background || (own.cell_layout && kind != Kind::kTd)) return false;
  return true;
}

ShownFormat PageReader::Computed(const ShownFormat& parent, const Declarations& own) const {
  ShownFormat f = parent;
  const uint16_t set = own.set;
  auto look = [&own, &f](uint16_t declared, uint8_t bit) {
    if ((own.look & declared) != 0) {
      f.look |= bit;
    } else {
      f.look &= static_cast<uint8_t>(~bit);
    }
  };
  if (set & kDeclaredBold) {
    f.bold = own.bold;
    look(kDeclaredBold, kLookBold);
  }
  if (set & kDeclaredItalic) f.italic = own.italic;
  if (set & kDeclaredDecoration) {
    if (own.look & kDeclaredDecoration) {
      f.link_underline = f.link_underline || own.underline;
    } else {
      f.underline = f.underline || own.underline;
    }
    f.strike = f.strike || own.strike;
  }
  if (set & kDeclaredBaseline) f.baseline = own.baseline;
  if (set & kDeclaredAlignment) f.alignment = own.alignment;
  if (set & kDeclaredSize) {
    f.points = own.size.kind == FontSize::Kind::kPoints ? own.size.value : parent.points * own.size.value;
    look(kDeclaredSize, kLookSize);
  }
  if (set & kDeclaredColour) {
    f.colour = own.colour;
    look(kDeclaredColour, kLookColour);
  }
  if (set & kDeclaredFont) f.font = own.font;
  return f;
}

void PageReader::Push(Kind kind, const Declarations& own, LinkKind link, std::string_view target) {
  const Element& parent = stack_.back();
  Element e;
  e.kind = kind;
  e.link = link;
  e.serial = next_serial_++;
  ShownFormat base = parent.format;
  if (kind == Kind::kTable) {
    // In quirks mode a table's text takes the page's size, weight, style, colour and alignment
    // afresh; the font family and the lines drawn through or under the text go on.
    base = ShownFormat{};
    base.font = parent.format.font;
    base.colour = text_colour_;
    base.underline = parent.format.underline;
    base.link_underline = parent.format.link_underline;
    base.strike = parent.format.strike;
  }
  e.format = Computed(base, own);
  e.format.id = e.serial;
  if (kind == Kind::kP && in_notes_ && (own.set & kDeclaredSize) != 0) e.format.look |= kLookSize;
  if (kind == Kind::kTr || kind == Kind::kTd) e.marks = TableMarks();
  stack_.push_back(e);
  switch (kind) {
    case Kind::kP:
    case Kind::kHeading:
      Emit(ShownItem::kLineStart);
      break;
    case Kind::kTr:
      if (e.marks) Emit(ShownItem::kRowStart);
      break;
    case Kind::kTd:
      if (e.marks) Emit(ShownItem::kCellStart);
      Emit(ShownItem::kLineStart);
      break;
    case Kind::kSup:
      ++sup_open_;
      break;
    case Kind::kA:
      if (link == LinkKind::kLink) Emit(ShownItem::kLinkStart, target);
      break;
    default:
      break;
  }
}

void PageReader::AddFormatting(Kind kind, const Declarations& own, LinkKind link, std::string_view target) {
  // At most three equal entries after the last marker: the earliest goes.
  size_t equal = 0, earliest = 0;
  for (size_t i = active_.size(); i > 0 && !active_[i - 1].marker; --i) {
    const Formatting& f = active_[i - 1];
    if (f.kind == kind && f.link == link && f.own == own && f.target == target) {
      ++equal;
      earliest = i - 1;
    }
  }
  if (equal >= 3) active_.erase(active_.begin() + static_cast<std::ptrdiff_t>(earliest));
  Formatting entry;
  entry.kind = kind;
  entry.open = true;
  entry.serial = stack_.back().serial;
  entry.link = link;
  entry.own = own;
  entry.target = target;
  active_.push_back(std::move(entry));
}

void PageReader::Pop() {
  const Element e = stack_.back();
  stack_.pop_back();
  if (e.kind == Kind::kB || e.kind == Kind::kI || e.kind == Kind::kU || e.kind == Kind::kS ||
      e.kind == Kind::kFont || e.kind == Kind::kA) {
    for (size_t i = active_.size(); i > 0; --i) {
      if (!active_[i - 1].marker && active_[i - 1].serial == e.serial) {
        active_[i - 1].open = false;
        break;
      }
    }
  }
  switch (e.kind) {
    case Kind::kP:
    case Kind::kHeading:
    case Kind::kTd:
      Emit(ShownItem::kLineStart);
      break;
    case Kind::kTable:
      if (e.marks) Emit(ShownItem::kTableEnd);
      Emit(ShownItem::kLineStart);
      break;
    case Kind::kA:
      if (e.link == LinkKind::kLink) Emit(ShownItem::kLinkEnd);
      if (e.link == LinkKind::kNoteReference) {
        mark_pending_ = true;
        mark_digits_ = 0;
      }
      break;
    case Kind::kSup:
      --sup_open_;
      if (mark_pending_ && mark_digits_ > 0) {
        Emit(ShownItem::kNoteMark);
        mark_pending_ = false;
        mark_digits_ = 0;
      }
      break;
    default:
      break;
  }
}

void PageReader::PopThrough(Kind kind) {
  while (stack_.size() > 1) {
    const Kind top = stack_.back().kind;
    Pop();
    if (top == kind) return;
  }
}

void PageReader::Reconstruct() {
  size_t i = active_.size();
  if (i == 0 || active_[i - 1].marker || active_[i - 1].open) return;
  while (i > 0 && !active_[i - 1].marker && !active_[i - 1].open) --i;
  for (; i < active_.size(); ++i) {
    Formatting& f = active_[i];
    Push(f.kind, f.own, f.link, f.target);
    f.serial = stack_.back().serial;
    f.open = true;
  }
}

void PageReader::CloseCell() {
  PopThrough(Kind::kTd);
  while (!active_.empty()) {
    const bool marker = active_.back().marker;
    active_.pop_back();
    if (marker) break;
  }
}

void PageReader::ClosePInButtonScope() {
  if (InScope(Kind::kP, false)) PopThrough(Kind::kP);
}

bool PageReader::AdoptionAgency(Kind kind) {
  const Element& top = stack_.back();
  size_t entry = active_.size();
  for (size_t i = active_.size(); i > 0 && !active_[i - 1].marker; --i) {
    if (active_[i - 1].kind == kind) {
      entry = i - 1;
      break;
    }
  }
  if (top.kind == kind && (entry == active_.size() || active_[entry].serial != top.serial)) {
    Pop();
    return true;
  }
  if (entry == active_.size()) return AnyOtherEndTag(kind);
  if (!active_[entry].open) {
    active_.erase(active_.begin() + static_cast<std::ptrdiff_t>(entry));
    return true;
  }
  size_t at = stack_.size();
  for (size_t i = stack_.size(); i > 0; --i) {
    if (stack_[i - 1].serial == active_[entry].serial) {
      at = i - 1;
      break;
    }
  }
  // Out of scope (a table or cell between): the end tag is dropped.
  for (size_t i = stack_.size(); i > at + 1; --i) {
    const Kind k = stack_[i - 1].kind;
    if (k == Kind::kTable || k == Kind::kTd) return true;
  }
  // A paragraph, heading or table opened inside the element: the browser would rebuild the tree
  // around it, which these pages never ask for.
  for (size_t i = at + 1; i < stack_.size(); ++i) {
    const Kind k = stack_[i].kind;
    if (k == Kind::kP || k == Kind::kHeading || k == Kind::kTable || k == Kind::kTr || k == Kind::kTd)
      return false;
  }
  active_.erase(active_.begin() + static_cast<std::ptrdiff_t>(entry));
  while (stack_.size() > at) Pop();
  return true;
}

bool PageReader::AnyOtherEndTag(Kind kind) {
  for (size_t i = stack_.size(); i > 1; --i) {
    const Kind k = stack_[i - 1].kind;
    if (k == kind) {
      while (stack_.size() >= i) Pop();
      return true;
    }
    if (k == Kind::kP || k == Kind::kHeading || k == Kind::kTable || k == Kind::kTr || k == Kind::kTd) {
      return true;  // a block in between: the end tag is dropped
    }
  }
  return true;
}

bool PageReader::InScope(Kind kind, bool table_scope) const {
  for (size_t i = stack_.size(); i > 0; --i) {
    const Kind k = stack_[i - 1].kind;
    if (k == kind) return true;
    if (k == Kind::kTable || (!table_scope && k == Kind::kTd)) return false;
  }
  return false;
}

PageReader::Mode PageReader::CurrentMode() const {
  for (size_t i = stack_.size(); i > 0; --i) {
    switch (stack_[i - 1].kind) {
      case Kind::kTd:
        return Mode::kCell;
      case Kind::kTr:
        return Mode::kRow;
      case Kind::kTable:
        return Mode::kTable;
      default:
        break;
    }
  }
  return Mode::kBody;
}

bool PageReader::InsideCell() const {
  for (size_t i = stack_.size(); i > 0; --i) {
    if (stack_[i - 1].kind == Kind::kTd) return true;
  }
  return false;
}

bool PageReader::TableMarks() const {
  for (size_t i = stack_.size(); i > 0; --i) {
    if (stack_[i - 1].kind == Kind::kTable) return stack_[i - 1].marks;
  }
  return false;
}

}  // namespace tessarine
