// The inline tags of a paragraph: a span for the run's font, size, colour, background and
// capitals where they differ from the paragraph's, then <b>, <i>, <u>, <strike> and <sup> or
// <sub>, always nested in this order, so that changing runs close and reopen them in order.
#pragma once

#include <cstdint>
#include <string>

#include "model/document.h"
#include "model_page/page_style.h"

namespace tessarine {

class InlineTags {
 public:
  // Makes the open tags those of a run in `format` with look `run`, in a paragraph of look
  // `paragraph`: closes, innermost first, every open tag from the first one that differs, and
  // opens the run's tags from there.
  void Apply(std::string& out, const model::CharFormat& format, const RunLook& run, const RunLook& paragraph,
             const PageStyle& style);

  // Closes every open tag, innermost first.
  void CloseAll(std::string& out) { CloseFrom(out, 0); }

  bool AnyOpen() const { return open_.span || open_.level_count > 0; }

 private:
  // What a span says; every field "not said" when equal to the paragraph's.
  struct Span {
    bool has_font = false, has_size = false, has_colour = false;
    int font = -1, size = 0;
    model::Colour colour = model::kNoColour;
    model::Colour background = model::kNoColour;
    bool caps = false, small_caps = false;

    bool Empty() const {
      return !has_font && !has_size && !has_colour && background == model::kNoColour && !caps && !small_caps;
    }
    bool operator==(const Span&) const = default;
  };
  // The element tags inside the span, outermost first.
  enum Tag : uint8_t { kBold, kItalic, kUnderline, kStrike, kSuperscript, kSubscript };
  struct State {
    bool span = false;
    Span span_style;
    uint8_t level_count = 0;
    Tag levels[5] = {};
  };

  // Closes the open tags from level `keep` on (0: the span and everything inside it).
  void CloseFrom(std::string& out, int keep);
  void OpenSpan(std::string& out, const Span& span, const PageStyle& style);

  State open_;
};

}  // namespace tessarine
