#include "choice/model_way.h"

#include <optional>
#include <utility>

#include "choice/page_beside_reading.h"
#include "model_page/write_page.h"
#include "reader/read_rtf.h"

namespace tessarine {

namespace {

Conversion Written(Conversion page) {
  page.reading = RtfReading::kModel;
  return page;
}

}  // namespace

Conversion ConvertByModel(std::string_view rtf, const Settings& settings, const ProgressSink& progress,
                          const BesideReading& options) {
  if (rtf.size() < options.from_size)
    return Written(WriteModelPage(ReadRtfDocument(rtf), settings, progress));
  std::optional<model::Document> end;
  {
    PageBesideReading beside(settings, rtf.size(), options.piece_blocks, progress);
    end = ReadRtfDocument(rtf, beside);
    if (!beside.took()) return Written(WriteModelPage(std::move(*end), settings, progress));
    Conversion page;
    if (beside.Finish(*end, &page)) return Written(std::move(page));
  }
  // What the body was written with changed after its start: the whole document again.
  end.reset();
  return Written(WriteModelPage(ReadRtfDocument(rtf), settings, progress));
}

}  // namespace tessarine
