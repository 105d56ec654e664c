#include "page/rtf_page.h"

namespace tessarine {

void AssembleRtfPage(std::string& page, const Settings& settings, const StylesheetFlags& flags,
                     std::string& body, std::string_view notes) {
  std::string head;
  AppendHead(head, settings.titul, settings.titulautor);
  AppendRtfStylesheet(head, settings, flags);
  if (page.empty()) {
    // The body becomes the page in place: a large document's page is never held twice.
    page.swap(body);
    page.insert(0, head);
  } else {
    page.append(head);
    page.append(body);
  }
  if (!notes.empty()) {
    page.append("<hr color=");
    page.append(settings.colorhr);
    page.append(" width=70%>");
    page.append(notes);
  }
  page.append(kPageClose);
}

}  // namespace tessarine
