#include "reader/read_rtf.h"

#include "reader/reader.h"

namespace tessarine {

model::Document ReadRtfDocument(std::string_view rtf) {
  reader::Reader reader(rtf);
  return reader.Run();
}

model::Document ReadRtfDocument(std::string_view rtf, reader::BodyHandoff& handoff) {
  reader::Reader reader(rtf, &handoff);
  return reader.Run();
}

}  // namespace tessarine
