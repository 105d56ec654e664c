#include "reader/reader.h"

#include <algorithm>

namespace tessarine::reader {

Reader::Reader(std::string_view rtf, BodyHandoff* handoff)
    : tokens_(rtf), builder_(document_, rows_, lists_, handoff, &tokens_) {
  stack_.reserve(kMaxGroupDepth);
  stack_.emplace_back();
  decoder_.SetDocument(rtf);
  // Room for the body at once, as many blocks as a document of this size may well have: a body
  // grown by doubling moves every block again each time, into memory never touched before.
  document_.body.reserve(rtf.size() / 512);
}

model::Document Reader::Run() {
  for (;;) {
    const Tokenizer::Peeked peeked = tokens_.Peek();
    if (peeked == Tokenizer::Peeked::kText && ReadTextInPlace()) continue;
    if (peeked == Tokenizer::Peeked::kControlWord && ReadWordInPlace()) continue;
    const Token token = tokens_.Next();
    if (token.kind == TokenKind::kEnd) break;
    switch (token.kind) {
      case TokenKind::kGroupOpen:
        OpenGroup();
        break;
      case TokenKind::kGroupClose:
        CloseGroup();
        break;
      case TokenKind::kWord:
        Word(token);
        break;
      case TokenKind::kSymbol:
        Symbol(token.symbol);
        break;
      case TokenKind::kText:
        Text(token.text);
        break;
      case TokenKind::kBinary:
        Binary(token.text);
        break;
      case TokenKind::kEnd:
        break;
    }
  }
  // A truncated document: every group still open ends here.
  overflow_ = 0;
  while (stack_.size() > 1) CloseGroup();
  while (!endings_.empty()) {
    const Ending ending = endings_.back();
    endings_.pop_back();
    End(ending);
  }
  builder_.Finish(state().paragraph);
  return std::move(document_);
}

void Reader::OpenGroup() {
  skip_ = 0;
  if (stack_.size() >= kMaxGroupDepth) {
    ++overflow_;
    return;
  }
  const GroupState copy = stack_.back();
  stack_.push_back(copy);
  GroupState& s = state();
  s.ignorable = false;
  if (s.destination == Destination::kStyleSheet && s.style_entry == -1) {
    // An entry of the style sheet: a style starts from the defaults.
    ResetCharacterFormatting(s, Tables());
    ResetParagraphFormatting(s);
    s.style_entry = 0;
    s.character_style = false;
    style_name_.clear();
    style_based_on_ = -1;
    PushEnding(EndingKind::kStyleEntry);
  }
}

void Reader::CloseGroup() {
  skip_ = 0;
  if (overflow_ > 0) {
    --overflow_;
    return;
  }
  if (stack_.size() <= 1) return;  // a "}" that closes nothing
  while (!endings_.empty() && endings_.back().depth >= stack_.size()) {
    const Ending ending = endings_.back();
    endings_.pop_back();
    End(ending);
  }
  stack_.pop_back();
}

void Reader::SkipRestOfGroup() {
  if (stack_.size() <= 1 && overflow_ == 0) return;  // no group to skip
  tokens_.SkipGroup();
  CloseGroup();
}

std::string* Reader::CollectedText() {
  GroupState& s = state();
  switch (s.destination) {
    case Destination::kTitle:
      return &document_.info.title;
    case Destination::kAuthor:
      return &document_.info.author;
    case Destination::kFieldInstruction:
      return s.field >= 0 && static_cast<size_t>(s.field) < fields_.size() ? &fields_[s.field].instruction
                                                                           : nullptr;
    case Destination::kBookmarkName:
      return &bookmark_;
    case Destination::kCommentId:
      return &comment_id_;
    case Destination::kCommentAuthor:
      return &comment_author_;
    case Destination::kShapePropertyName:
      return &shape_property_;
    case Destination::kShapeValue:
      return &shape_value_;
    case Destination::kHtmlTag:
      return &document_.html;
    case Destination::kLevelText:
      return lists_.LevelText();
    default:
      return nullptr;
  }
}

bool Reader::WritesHtml() const {
  const GroupState& s = stack_.back();
  return document_.from_html && s.destination == Destination::kText && !s.html_rtf && !s.hidden &&
         !s.in_marker;
}

template <typename Decode>
void Reader::AppendToFlow(Decode&& decode) {
  const GroupState& s = state();
  if (s.hidden || s.deleted) return;
  std::string& out = builder_.Text(FlowFormat());
  const size_t before = out.size();
  decode(out);
  if (WritesHtml()) document_.html.append(out, before);
  builder_.DropEmptyText();
}

void Reader::Text(std::string_view text) {
  if (skip_ > 0) {
    // Only a byte from 0x80 up in the fallback asks whether the document's raw bytes are UTF-8.
    const bool high = std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    DropFallback(&text, &skip_, high && decoder_.raw_utf8());
  }
  if (text.empty()) return;
  high_surrogate_ = 0;  // a first half without its second is no character
  GroupState& s = state();
  switch (s.destination) {
    case Destination::kText:
      return AppendToFlow([&](std::string& out) { decoder_.Append(text, s.page, out); });
    case Destination::kFontTable:
      // Names end at ";"; an entry's text after it is no part of its name.
      for (size_t semicolon = text.find(';'); !text.empty(); semicolon = text.find(';')) {
        std::string* name = fonts_.EntryName();
        if (name != nullptr) decoder_.Append(text.substr(0, semicolon), fonts_.EntryNamePage(), *name);
        if (semicolon == std::string_view::npos) break;
        fonts_.EndName();
        text.remove_prefix(semicolon + 1);
      }
      return;
    case Destination::kColourTable:
      for (char c : text) {
        if (c == ';') colours_.EndEntry();
      }
      return;
    case Destination::kStyleSheet:
      for (size_t semicolon = text.find(';'); !text.empty(); semicolon = text.find(';')) {
        decoder_.Append(text.substr(0, semicolon), s.page, style_name_);
        if (semicolon == std::string_view::npos) break;
        if (s.style_entry >= 0) styles_.Define(s.style_entry, s, style_name_, style_based_on_);
        s.style_entry = -2;  // defined: the end of the group defines nothing more
        style_name_.clear();
        text.remove_prefix(semicolon + 1);
      }
      return;
    case Destination::kLevelText:
      LevelText(text);
      return;
    case Destination::kPicture:
      picture_.AppendHex(text);
      return;
    default:
      if (std::string* collected = CollectedText()) decoder_.Append(text, s.page, *collected);
      return;
  }
}

bool Reader::ReadTextInPlace() {
  // The common case, text of the running flow, is decoded as it is scanned.
  const GroupState& s = state();
  if (!s.ShowsText() || skip_ > 0 || WritesHtml()) return false;
  high_surrogate_ = 0;
  std::string& out = builder_.Text(FlowFormat());
  tokens_.Advance(decoder_.AppendTextAt(tokens_.Rest(), s.page, out));
  builder_.DropEmptyText();
  return true;
}

void Reader::LevelText(std::string_view text) {
  std::string* pattern = lists_.LevelText();
  if (pattern == nullptr) return;
  const int32_t page = state().page;
  TextUnits(text, [&](unsigned char b) {
    if (pattern->empty() || b < 9) {
      pattern->push_back(static_cast<char>(b));  // the length, or the number of a level
    } else {
      decoder_.Append(std::string_view(reinterpret_cast<const char*>(&b), 1), page, *pattern);
    }
  });
}

void Reader::Binary(std::string_view bytes) {
  if (skip_ > 0) {
    --skip_;
    return;
  }
  if (state().destination == Destination::kPicture) picture_.AppendBinary(bytes);
}

void Reader::Character(char32_t c) {
  GroupState& s = state();
  switch (s.destination) {
    case Destination::kText:
      return AppendToFlow([&](std::string& out) { TextDecoder::AppendCharacter(c, s.page, out); });
    case Destination::kFontTable:
      if (std::string* name = fonts_.EntryName()) TextDecoder::AppendCharacter(c, kDocumentPage, *name);
      return;
    case Destination::kStyleSheet:
      TextDecoder::AppendCharacter(c, s.page, style_name_);
      return;
    default:
      if (std::string* collected = CollectedText()) TextDecoder::AppendCharacter(c, s.page, *collected);
      return;
  }
}

void Reader::Unicode(int32_t value) {
  char32_t c = value < 0 ? static_cast<char32_t>(value + 65536) : static_cast<char32_t>(value);
  const char32_t high = high_surrogate_;
  high_surrogate_ = 0;
  if (c >= 0xD800 && c <= 0xDBFF) {
    if (high != 0) Character(0xFFFD);
    high_surrogate_ = c;
  } else {
    if (c >= 0xDC00 && c <= 0xDFFF && high != 0) {
      c = 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00);
    } else if (high != 0) {
      Character(0xFFFD);
    }
    Character(c);
  }
  skip_ = state().unicode_skip;
}

}  // namespace tessarine::reader
