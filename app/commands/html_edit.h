// Editing the page source in the Html pane: where a picture block or a background rule goes.
// Texts are the pane's characters (UTF-16, a line break one character); offsets are 0-based
// and the same as the pane's positions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessarine {

// Offset of the first `pattern` (ASCII; letters match either case) at or after `from`, or npos.
size_t FindIgnoringCase(std::u16string_view text, std::string_view pattern, size_t from = 0);

enum class PicturePlacement {
  kFloatRight,  // "Обтекать текстом слева": the text flows on the picture's left
  kFloatLeft,   // "Обтекать текстом справа"
  kNoFloat,     // "Без обтекания текстом"
};

// The picture block: its prefix, `<img src="` + path + `"></div>` and CR LF.
std::u16string PictureBlock(PicturePlacement placement, std::u16string_view path);

// Where the picture block goes for the caret at `caret`: the start of the nearest "<p" (either
// case) that starts at or before the caret. None when the caret stands before the first "<p"
// or the text has no "<p".
std::optional<size_t> PictureInsertionPoint(std::u16string_view text, size_t caret);

// How to set the page background: remove [remove_from, remove_from + remove_count), then insert
// the new rule at insert_at (an offset into the text after the removal).
struct BackgroundEdit {
  size_t remove_from = 0;
  size_t remove_count = 0;
  size_t insert_at = 0;
  bool own_style_block = false;  // the rule needs a style block of its own around it
};

// An earlier "body {background-image:url(" declaration (either case) is removed through its ")"
// and the one character after, and the new rule takes its place. Without one the rule goes
// before "</style>"; without that, in a style block of its own before "</head>"; without that,
// at `caret`.
BackgroundEdit PlanBackground(std::u16string_view text, size_t caret);

// "body {background-image:url(" + path + ")}" and CR LF, wrapped in a style block when asked.
std::u16string BackgroundRule(std::u16string_view path, bool own_style_block);

// True when the text contains "</html>" (either case) anywhere but at its very start.
bool IsHtmlText(std::u16string_view text);

// Where Save HTML writes a chosen name: the name itself when it ends in ".htm" or ".html" (any
// letter case), else the name with ".htm" appended.
std::string SaveTargetFor(std::string_view chosen);

}  // namespace tessarine
