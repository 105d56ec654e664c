#include "model_page/lists.h"

#include "model_page/text_encoding.h"

namespace tessarine {

namespace {

constexpr int64_t kLevelIndent = 1800;  // hundredths of a point
constexpr int kDeepestLevel = 8;

}  // namespace

int64_t ListItemMargin(const model::ParagraphFormat& format, int64_t base) {
  if (format.left_twips != 0) return base + int64_t{format.left_twips} * 5;
  int level =
      format.list_level < 0 ? 0 : (format.list_level > kDeepestLevel ? kDeepestLevel : format.list_level);
  return base + kLevelIndent * (level + 1);
}

void AppendListMarker(std::string& out, const model::ParagraphFormat& format) {
  if (format.list_marker.empty()) return;
  AppendHtmlText(out, format.list_marker);
  out.append("&nbsp;&nbsp;");
}

}  // namespace tessarine
