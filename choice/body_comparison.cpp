#include "choice/body_comparison.h"

#include <algorithm>

#include "page/page_head.h"

namespace tessarine {

namespace {

// What the page keeps of a piece of the body: every byte but the control characters (all
// below 0x20 but tab, CR and LF), which the passes drop when they put the page together.
void AppendKept(std::string_view piece, std::string& out) {
  for (const char c : piece) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 || byte == '\t' || byte == '\r' || byte == '\n') out.push_back(c);
  }
}

}  // namespace

BodyComparison::BodyComparison(const Settings& settings, const std::atomic<const model::Document*>& document)
    : settings_(settings), document_(document) {}

bool BodyComparison::Possible(size_t index, const StylesheetFlags& flags) {
  const bool tables = (index & 4) != 0, links = (index & 2) != 0, notes = (index & 1) != 0;
  // Sections stay; tables may still go (but not come); links and notes may still come.
  if (flags.has_sections ? !tables : (tables && !flags.has_tables)) return false;
  if (flags.has_hyperlinks && !links) return false;
  return !(flags.has_footnotes && !notes);
}

void BodyComparison::Begin(size_t index, const model::Document& document) {
  Reading& reading = readings_[index];
  AppendHead(reading.head, settings_.titul, settings_.titulautor);
  AppendRtfStylesheet(reading.head, settings_,
                      StylesheetFlags{(index & 4) != 0, false, (index & 2) != 0, (index & 1) != 0});
  reading.agreement.emplace(document, settings_);
  reading.agrees = reading.agreement->Read(reading.head) && reading.agreement->Read(body_);
}

bool BodyComparison::AnyAgrees(const StylesheetFlags& flags) {
  bool any = false;
  for (size_t index = 0; index < readings_.size(); ++index) {
    Reading& reading = readings_[index];
    if (reading.current && !Possible(index, flags)) reading.current = false;
    any = any || (reading.current && reading.agreement && reading.agrees);
  }
  return any;
}

bool BodyComparison::Look(std::string_view body, const StylesheetFlags& flags) {
  if (done_) return true;
  const model::Document* document = document_.load(std::memory_order_acquire);
  if (document == nullptr) return true;
  if (!started_) {
    // The head the flags give now first; the others only when it disagrees.
    started_ = true;
    Begin(IndexOf(flags.has_tables || flags.has_sections, flags.has_hyperlinks, flags.has_footnotes),
          *document);
  }

  // The new bytes that stay: through the last '>' written since the last look.
  searched_ = std::min(searched_, body.size());
  const size_t close = body.substr(searched_).rfind('>');
  if (close != std::string_view::npos) final_ = std::max(final_, searched_ + close + 1);
  searched_ = body.size();
  const size_t end = std::min(final_, taken_ + (kComparedBody - std::min(kComparedBody, body_.size())));
  if (end > taken_) {
    const size_t from = body_.size();
    AppendKept(body.substr(taken_, end - taken_), body_);
    taken_ = end;
    const std::string_view piece = std::string_view(body_).substr(from);
    for (Reading& reading : readings_) {
      if (!reading.current || !reading.agreement || !reading.agrees) continue;
      reading.agrees = reading.agreement->Read(piece);
    }
  }

  if (!AnyAgrees(flags)) {
    // Every head read so far disagrees: the body is read again after each other head the page
    // may still get.
    for (size_t index = 0; index < readings_.size(); ++index) {
      if (readings_[index].current && !readings_[index].agreement) Begin(index, *document);
    }
    if (!AnyAgrees(flags)) {
      stopped_ = done_ = true;
      return false;
    }
  }
  done_ = body_.size() >= kComparedBody;
  return true;
}

std::optional<bool> BodyComparison::ShowsDocument(std::string_view page) {
  for (Reading& reading : readings_) {
    if (!reading.agreement || !page.starts_with(reading.head)) continue;
    const std::string_view rest = page.substr(reading.head.size());
    if (!rest.starts_with(body_)) continue;
    if (!reading.agrees) return false;
    if (!reading.current) continue;
    return reading.agreement->Read(rest.substr(body_.size())) && reading.agreement->Finish();
  }
  return std::nullopt;
}

}  // namespace tessarine
