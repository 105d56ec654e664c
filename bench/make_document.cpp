// tessarine-make-document SHAPE BYTES FILE: writes a generated document for the whole-program
// timings of scripts/bench.sh. SHAPE is a worst-case shape (bench/worst_cases.h) or "list".
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/file_text.h"
#include "bench/worst_cases.h"

int main(int argc, char** argv) {
  using namespace tessarine;
  if (argc == 2 && std::string(argv[1]) == "list") {
    for (worstcase::Shape s : worstcase::kAllShapes) std::printf("%s\n", worstcase::ShapeName(s));
    return 0;
  }
  worstcase::Shape shape;
  if (argc != 4 || !worstcase::ShapeFromName(argv[1], &shape)) {
    std::fprintf(stderr, "usage: tessarine-make-document SHAPE|list BYTES FILE\n");
    return 2;
  }
  const std::string doc = worstcase::Document(shape, std::strtoull(argv[2], nullptr, 10));
  Status written = WriteFileBytes(argv[3], doc);
  if (!written.ok()) {
    std::fprintf(stderr, "%s\n", written.message().c_str());
    return 1;
  }
  return 0;
}
