#include "tests/support/reference_reader/rtf_reader.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/reference_reader/rtf_tokenizer.h"
#include "base/code_page.h"
#include "base/cp1251.h"

namespace tessarine::reference {

namespace {

// Groups whose content is not part of the visible text when the word opens the group.
constexpr std::string_view kSkippedDestinations[] = {
    "annotation",
    "atnauthor",
    "atndate",
    "atnid",
    "atnref",
    "atntime",
    "author",
    "background",
    "bkmkend",
    "bkmkstart",
    "category",
    "colorschememapping",
    "comment",
    "company",
    "datafield",
    "datastore",
    "do",
    "doccomm",
    "falt",
    "ffdeftext",
    "ffname",
    "filetbl",
    "fldinst",
    "fontemb",
    "fontfile",
    "fonttbl",
    "footer",
    "footerf",
    "footerl",
    "footerr",
    "footnote",
    "formfield",
    "generator",
    "header",
    "headerf",
    "headerl",
    "headerr",
    "info",
    "keywords",
    "latentstyles",
    "listoverridetable",
    "listtable",
    "manager",
    "nonshppict",
    "objclass",
    "objdata",
    "objname",
    "operator",
    "pgdsctbl",
    "pict",
    "pn",
    "pnseclvl",
    "revtbl",
    "rsidtbl",
    "stylesheet",
    "subject",
    "tc",
    "themedata",
    "title",
    "txe",
    "userprops",
    "xe",
    "xmlnstbl",
};

bool IsSkippedDestination(std::string_view word) {
  return std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), word) !=
         std::end(kSkippedDestinations);
}

bool IsUnderlineWord(std::string_view word) {
  return word.size() >= 2 && word.substr(0, 2) == "ul" && word != "ulnone" && word != "ulc";
}

enum class Destination { kText, kSkipped, kColourTable };

struct GroupState {
  Destination destination = Destination::kText;
  CharStyle style;
  long colour_index = 0;  // "\cf"; 0 is the default colour
  bool hidden = false;    // "\v"
  Alignment alignment = Alignment::kLeft;
  int fallback_count = 1;  // "\uc"
};

class Reader {
 public:
  Reader(std::string_view rtf, Sink& sink) : tokens_(rtf), sink_(sink) { groups_.emplace_back(); }

  void Run() {
    for (Token token = tokens_.Next(); token.kind != TokenKind::kEnd; token = tokens_.Next()) {
      switch (token.kind) {
        case TokenKind::kGroupOpen:
          OpenGroup();
          break;
        case TokenKind::kGroupClose:
          CloseGroup();
          break;
        case TokenKind::kControlWord:
          ControlWord(token);
          break;
        case TokenKind::kControlSymbol:
          ControlSymbol(token.symbol);
          break;
        case TokenKind::kHexByte:
          Byte(token.byte);
          break;
        case TokenKind::kText:
          TextRun(token.text);
          break;
        case TokenKind::kEnd:
          break;
      }
    }
    Flush();
    sink_.End(state().alignment);
  }

 private:
  GroupState& state() { return groups_.back(); }
  bool Skipping() const { return groups_.back().destination == Destination::kSkipped; }

  void OpenGroup() {
    GroupState copy = state();
    groups_.push_back(copy);
    group_start_ = true;
    skip_fallback_ = 0;
  }

  void CloseGroup() {
    group_start_ = false;
    skip_fallback_ = 0;
    if (groups_.size() <= 1) return;  // a stray "}" closes nothing
    Flush();
    Destination closed = state().destination;
    groups_.pop_back();
    if (closed == Destination::kColourTable && state().destination != Destination::kColourTable) {
      colour_component_seen_ = false;
    }
  }

  // True when the fallback text of a "\u" swallows this token.
  bool SwallowedAsFallback() {
    if (skip_fallback_ == 0) return false;
    --skip_fallback_;
    return true;
  }

  void ControlWord(const Token& token) {
    std::string_view word = token.word;
    bool first_in_group = group_start_;
    group_start_ = false;
    if (word == "bin") {
      tokens_.SkipBytes(token.has_param ? token.param : 0);
      return;
    }
    if (Skipping()) return;
    if (first_in_group) {
      if (word == "colortbl") {
        state().destination = Destination::kColourTable;
        return;
      }
      if (IsSkippedDestination(word)) {
        state().destination = Destination::kSkipped;
        return;
      }
    }
    if (state().destination == Destination::kColourTable) {
      ColourComponent(word, token.param);
      return;
    }
    if (SwallowedAsFallback()) return;
    const bool on = !token.has_param || token.param != 0;
    GroupState& g = state();
    if (word == "par" || word == "row" || word == "sect" || word == "page") {
      EndParagraph();
    } else if (word == "line") {
      Flush();
      sink_.LineBreak();
    } else if (word == "tab" || word == "cell" || word == "nestcell") {
      Append(U'\t');
    } else if (word == "u" && token.has_param) {
      Unicode(token.param);
    } else if (word == "uc") {
      g.fallback_count = token.param < 0 ? 0 : static_cast<int>(std::min(token.param, 16L));
    } else if (word == "pard") {
      g.alignment = Alignment::kLeft;
    } else if (word == "ql") {
      g.alignment = Alignment::kLeft;
    } else if (word == "qc") {
      g.alignment = Alignment::kCenter;
    } else if (word == "qr") {
      g.alignment = Alignment::kRight;
    } else if (word == "qj") {
      g.alignment = Alignment::kJustify;
    } else if (word == "plain") {
      ChangeStyle([](GroupState& s) {
        s.style = CharStyle();
        s.colour_index = 0;
        s.hidden = false;
      });
    } else if (word == "b") {
      ChangeStyle([on](GroupState& s) { s.style.bold = on; });
    } else if (word == "i") {
      ChangeStyle([on](GroupState& s) { s.style.italic = on; });
    } else if (word == "ulnone") {
      ChangeStyle([](GroupState& s) { s.style.underline = false; });
    } else if (IsUnderlineWord(word)) {
      ChangeStyle([on](GroupState& s) { s.style.underline = on; });
    } else if (word == "v") {
      ChangeStyle([on](GroupState& s) { s.hidden = on; });
    } else if (word == "fs") {
      long size = token.param > 0 ? std::min(token.param, 3276L) : 24L;
      ChangeStyle([size](GroupState& s) { s.style.half_points = static_cast<int>(size); });
    } else if (word == "cf") {
      long index = token.param;
      ChangeStyle([index](GroupState& s) { s.colour_index = index; });
    } else if (word == "ansicpg") {
      UseCodePage(token.param);
    } else {
      Special(word);
    }
  }

  // Bytes of a document declared in a code page other than 1251 are read in that code page.
  void UseCodePage(long number) {
    page_.reset();
    has_lead_ = false;
    if (number > 0 && number != 1251) page_ = CodePage::Open(number);
  }

  void Special(std::string_view word) {
    struct Named {
      std::string_view word;
      char32_t c;
    };
    static constexpr std::array<Named, 10> kNamed = {{
        {"emdash", 0x2014},
        {"endash", 0x2013},
        {"bullet", 0x2022},
        {"lquote", 0x2018},
        {"rquote", 0x2019},
        {"ldblquote", 0x201C},
        {"rdblquote", 0x201D},
        {"emspace", 0x2003},
        {"enspace", 0x2002},
        {"qmspace", 0x2005},
    }};
    for (const Named& n : kNamed) {
      if (n.word == word) {
        Append(n.c);
        return;
      }
    }
  }

  void ControlSymbol(char symbol) {
    bool first_in_group = group_start_;
    group_start_ = false;
    if (Skipping()) return;
    if (symbol == '*') {
      if (first_in_group) state().destination = Destination::kSkipped;
      return;
    }
    if (state().destination == Destination::kColourTable) return;
    if (SwallowedAsFallback()) return;
    switch (symbol) {
      case '\\':
      case '{':
      case '}':
        Append(static_cast<unsigned char>(symbol));
        break;
      case '~':
        Append(0x00A0);
        break;
      case '_':
        Append(0x2011);
        break;
      case '\n':
        EndParagraph();
        break;
      default:
        break;  // "\-" optional hyphen, "\:" and unknown symbols show nothing
    }
  }

  void Byte(unsigned char b) {
    group_start_ = false;
    if (Skipping() || state().destination == Destination::kColourTable) return;
    if (SwallowedAsFallback()) return;
    AppendByte(b);
  }

  void TextRun(std::string_view text) {
    group_start_ = false;
    if (Skipping()) return;
    if (state().destination == Destination::kColourTable) {
      for (char c : text) {
        if (c == ';') EndColourEntry();
      }
      return;
    }
    size_t skip = std::min<size_t>(skip_fallback_, text.size());
    skip_fallback_ -= static_cast<int>(skip);
    for (size_t i = skip; i < text.size(); ++i) AppendByte(static_cast<unsigned char>(text[i]));
  }

  void AppendByte(unsigned char b) {
    if (b < 0x20 && b != '\t') return;  // control bytes are not text
    if (!page_ || (b < 0x80 && !has_lead_)) {
      Append(Cp1251ToUnicode(b));
      return;
    }
    std::string bytes;
    if (has_lead_) bytes.push_back(static_cast<char>(lead_));
    bytes.push_back(static_cast<char>(b));
    has_lead_ = false;
    std::vector<CodePage::Character> chars = page_->Decode(bytes);
    if (page_->double_byte() && bytes.size() == 1 && !chars.empty() && !chars[0].value) {
      lead_ = b;  // a lead byte: its character needs the next byte
      has_lead_ = true;
      return;
    }
    for (const CodePage::Character& c : chars) Append(c.value.value_or(0xFFFD));
  }

  void Unicode(long param) {
    char32_t c = static_cast<char32_t>(param < 0 ? param + 65536 : param) & 0xFFFF;
    skip_fallback_ = state().fallback_count;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (high_surrogate_ != 0) {
        high_surrogate_ = 0;
        Append(0xFFFD);
      }
      high_surrogate_ = c;
      return;
    }
    if (c >= 0xDC00 && c <= 0xDFFF && high_surrogate_ != 0) {
      c = 0x10000 + ((high_surrogate_ - 0xD800) << 10) + (c - 0xDC00);
      high_surrogate_ = 0;
    }
    Append(c);
  }

  void Append(char32_t c) {
    if (high_surrogate_ != 0) {
      high_surrogate_ = 0;
      AppendUtf8(pending_, 0xFFFD);
    }
    if (state().hidden) return;
    AppendUtf8(pending_, c);
  }

  template <typename Change>
  void ChangeStyle(Change change) {
    Flush();
    change(state());
  }

  void Flush() {
    if (pending_.empty()) return;
    CharStyle style = state().style;
    long index = state().colour_index;
    style.colour = (index > 0 && static_cast<size_t>(index) < colours_.size()) ? colours_[index] : -1;
    sink_.Text(pending_, style);
    pending_.clear();
  }

  void EndParagraph() {
    Flush();
    sink_.ParagraphEnd(state().alignment);
  }

  void ColourComponent(std::string_view word, long value) {
    long v = std::clamp(value, 0L, 255L);
    if (word == "red") {
      colour_ = (colour_ & 0x00FFFF) | (v << 16);
    } else if (word == "green") {
      colour_ = (colour_ & 0xFF00FF) | (v << 8);
    } else if (word == "blue") {
      colour_ = (colour_ & 0xFFFF00) | v;
    } else {
      return;
    }
    colour_component_seen_ = true;
  }

  void EndColourEntry() {
    colours_.push_back(colour_component_seen_ ? colour_ : -1);
    colour_ = 0;
    colour_component_seen_ = false;
  }

  Tokenizer tokens_;
  Sink& sink_;
  std::vector<GroupState> groups_;
  std::vector<long> colours_;  // the colour table; -1 for the automatic entry
  long colour_ = 0;
  bool colour_component_seen_ = false;
  bool group_start_ = false;  // the previous token opened a group
  int skip_fallback_ = 0;     // fallback characters of a "\u" still to skip
  char32_t high_surrogate_ = 0;
  std::optional<CodePage> page_;  // the declared code page, when it is not 1251
  unsigned char lead_ = 0;         // a double-byte character's first byte
  bool has_lead_ = false;
  std::string pending_;  // text not yet reported, all in the current style
};

}  // namespace

void ReadRtf(std::string_view rtf, Sink& sink) {
  Reader reader(rtf, sink);
  reader.Run();
}

}  // namespace tessarine::reference
