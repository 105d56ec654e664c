#include "text/text_escape.h"

namespace tessarine {

void AppendEscapedText(std::string& out, std::string_view text) {
  size_t run = 0;  // start of the run not yet appended
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '<' && c != '>') continue;
    out.append(text.substr(run, i - run));
    out.append(c == '<' ? "&lt;" : "&gt;");
    run = i + 1;
  }
  out.append(text.substr(run));
}

}  // namespace tessarine
