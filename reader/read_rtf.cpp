#include "reader/read_rtf.h"

#include "reader/reader.h"

namespace tessarine {

model::Document ReadRtfDocument(std::string_view rtf) {
  reader::Reader reader(rtf);
  return reader.Run();
}

}  // namespace tessarine
