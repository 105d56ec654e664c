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

BodyComparison::BodyComparison(const Settings& settings, const std::atomic<const model::Document*>& document,
                               const std::atomic<const model::Document*>* opening)
    : settings_(settings), document_(document), opening_document_(opening) {}

bool BodyComparison::Possible(size_t index, const StylesheetFlags& flags) {
  const bool tables = (index & 4) != 0, links = (index & 2) != 0, notes = (index & 1) != 0;
  // Sections stay; tables may still go (but not come); links and notes may still come.
  if (flags.has_sections ? !tables : (tables && !flags.has_tables)) return false;
  if (flags.has_hyperlinks && !links) return false;
  return !(flags.has_footnotes && !notes);
}

void BodyComparison::Advance(Reading& reading, std::string_view piece, bool opening) {
  if (!reading.reading || reading.agreement->Read(piece)) return;
  reading.reading = false;
  // Past the opening's end the page goes on with what the opening does not hold.
  reading.agrees = opening && reading.agreement->document_ended() &&
                   reading.agreement->disagreement() != Disagreement::kUnreadable;
}

void BodyComparison::Begin(Heads& heads, size_t index) {
  std::string& head = head_texts_[index];
  if (head.empty()) {
    AppendHead(head, settings_.titul, settings_.titulautor);
    AppendRtfStylesheet(head, settings_,
                        StylesheetFlags{(index & 4) != 0, false, (index & 2) != 0, (index & 1) != 0});
  }
  Reading& reading = heads.readings[index];
  reading.agreement.emplace(*heads.document, settings_);
  Advance(reading, head, heads.opening);
  Advance(reading, body_, heads.opening);
}

bool BodyComparison::AnyAgrees(Heads& heads, const StylesheetFlags& flags) {
  bool any = false;
  for (size_t index = 0; index < heads.readings.size(); ++index) {
    Reading& reading = heads.readings[index];
    if (reading.current && !Possible(index, flags)) reading.current = false;
    any = any || (reading.current && reading.agreement && reading.agrees);
  }
  return any;
}

BodyComparison::Heads* BodyComparison::HeadsNow() {
  if (heads_ == &whole_) return heads_;
  if (const model::Document* whole = document_.load(std::memory_order_acquire)) {
    for (Reading& reading : opening_.readings) reading.agreement.reset();
    whole_.document = whole;
    return heads_ = &whole_;
  }
  if (heads_ == nullptr && opening_document_ != nullptr) {
    if (const model::Document* opening = opening_document_->load(std::memory_order_acquire)) {
      opening_.document = opening;
      heads_ = &opening_;
    }
  }
  return heads_;
}

bool BodyComparison::Look(std::string_view body, const StylesheetFlags& flags) {
  if (done_) return true;
  const Heads* const before = heads_;
  Heads* const heads = HeadsNow();
  if (heads == nullptr) return true;
  if (heads != before) {
    // The head the flags give now first; the others only when it disagrees.
    Begin(*heads, IndexOf(flags.has_tables || flags.has_sections, flags.has_hyperlinks, flags.has_footnotes));
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
    for (Reading& reading : heads->readings) {
      if (reading.current && reading.agreement) Advance(reading, piece, heads->opening);
    }
  }

  if (!AnyAgrees(*heads, flags)) {
    // Every head read so far disagrees: the body is read again after each other head the page
    // may still get.
    for (size_t index = 0; index < heads->readings.size(); ++index) {
      if (heads->readings[index].current && !heads->readings[index].agreement) Begin(*heads, index);
    }
    if (!AnyAgrees(*heads, flags)) {
      stopped_ = done_ = true;
      return false;
    }
  }
  done_ = heads == &whole_ && body_.size() >= kComparedBody;
  return true;
}

std::optional<bool> BodyComparison::ShowsDocument(std::string_view page) {
  for (size_t index = 0; index < whole_.readings.size(); ++index) {
    Reading& reading = whole_.readings[index];
    if (!reading.agreement || !page.starts_with(head_texts_[index])) continue;
    const std::string_view rest = page.substr(head_texts_[index].size());
    if (!rest.starts_with(body_)) continue;
    if (!reading.agrees) return false;
    if (!reading.current) continue;
    return reading.agreement->Read(rest.substr(body_.size())) && reading.agreement->Finish();
  }
  return std::nullopt;
}

}  // namespace tessarine
