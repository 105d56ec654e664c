#include "choice/document_opening.h"

#include <algorithm>

namespace tessarine {

DocumentOpening::DocumentOpening(const OpeningSize& size) : BodyHandoff(1), size_(size) {}

void DocumentOpening::BodyGrew(model::Document& document, size_t read) {
  if (done_ || (document.body.size() <= size_.blocks && read < size_.bytes)) return;
  done_ = true;
  if (read / 2 > size_.bytes || document.from_html) return;
  try {
    auto copy = std::make_unique<model::Document>();
    copy->fonts = document.fonts;
    copy->body.assign(document.body.begin(), document.body.end() - 1);  // the last one may still change
    copy->pictures.reserve(document.pictures.size());
    for (const model::Picture& picture : document.pictures) {
      model::Picture& shown = copy->pictures.emplace_back();
      shown.format = picture.format;
    }
    copy_ = std::move(copy);
    published_.store(copy_.get(), std::memory_order_release);
  } catch (...) {  // out of memory: the passes are compared with the whole document only
  }
}

bool DocumentOpening::HoldsFor(const model::Document& whole) const {
  if (copy_ == nullptr) return true;
  const std::vector<std::string>& fonts = copy_->fonts;
  return whole.fonts.size() >= fonts.size() && std::equal(fonts.begin(), fonts.end(), whole.fonts.begin());
}

}  // namespace tessarine
