#include "passes/notes/list_number.h"

#include <string>

#include "passes/paragraphs/run_span.h"
#include "passes/paragraphs/run_text.h"
#include "passes/scan/scan.h"

namespace tessarine {

void ConvertListNumberGroup(std::string_view group, int run_count, ConversionState& st) {
  if (Pos("\\*\\", group) > 0) return;
  st.ListPardPending = false;
  std::string head, html;
  // Every round consumes: a leading "{", the text before a "{", or all of the group.
  do {
    if (!group.empty() && group[0] == '{') group.remove_prefix(1);
    const long b = Pos("{", group);
    const long k = Pos("}", group);
    if (b > 0 && k > b) {
      head = b == 1 ? std::string() : "{ " + std::string(CopyLeft(group, b - 1)) + "}";
      group = CopyFrom(group, b);
    } else if (b < 0 && k > 0) {
      head = "{ " + std::string(group);
      group = {};
    } else {
      break;
    }
    if (!head.empty()) {
      OpenParagraph(head, run_count, st);
      ConvertRunText(head, html, st);
      st.OutputText += html;
    }
    st.InListItem = false;
    if (group.size() > 4) {
      std::string_view sub;
      int opens = 0;
      ExtractGroup(group, sub, opens);
      if (st.ListItemParagraphs > 0) {
        OpenParagraph(sub, run_count, st);
        if (ConvertRunText(sub, html, st) > 0) {
          const size_t br = html.find("<br>");
          if (br != std::string::npos) html.erase(br, 4);
          st.OutputText.append(html).append("&nbsp;&nbsp;");
        }
      } else {
        st.ListCarryText = sub;
      }
      st.InListItem = true;
      st.ListPardPending = true;
    }
  } while (group.size() >= 5);
}

}  // namespace tessarine
