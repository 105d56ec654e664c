// tessarine-make-document SHAPE BYTES FILE: writes a generated document for the whole-program
// timings of scripts/bench.sh. SHAPE is a worst-case shape (bench/worst_cases.h), "word_document"
// or "libreoffice_document" (bench/rtf_documents.h, bench/libreoffice_documents.h), or
// "metafile_pictures", for which BYTES is the number of pictures (bench/picture_documents.h);
// "list" prints the worst-case shapes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/file_text.h"
#include "bench/libreoffice_documents.h"
#include "bench/picture_documents.h"
#include "bench/rtf_documents.h"
#include "bench/worst_cases.h"

int main(int argc, char** argv) {
  using namespace tessarine;
  if (argc == 2 && std::string(argv[1]) == "list") {
    for (worstcase::Shape s : worstcase::kAllShapes) std::printf("%s\n", worstcase::ShapeName(s));
    return 0;
  }
  worstcase::Shape shape = worstcase::Shape::kOrdinaryDocument;
  const std::string name = argc == 4 ? argv[1] : "";
  const bool writer =
      name == "word_document" || name == "libreoffice_document" || name == "metafile_pictures";
  if (argc != 4 || (!writer && !worstcase::ShapeFromName(name, &shape))) {
    std::fprintf(
        stderr,
        "usage: tessarine-make-document SHAPE|word_document|libreoffice_document|metafile_pictures|list "
        "BYTES FILE\n");
    return 2;
  }
  const size_t bytes = std::strtoull(argv[2], nullptr, 10);
  const std::string doc = name == "word_document"          ? rtfgen::WordStyleDocument(bytes)
                          : name == "libreoffice_document" ? rtfgen::LibreOfficeStyleDocument(bytes)
                          : name == "metafile_pictures"    ? rtfgen::MetafilePicturesDocument(bytes)
                                                           : worstcase::Document(shape, bytes);
  Status written = WriteFileBytes(argv[3], doc);
  if (!written.ok()) {
    std::fprintf(stderr, "%s\n", written.message().c_str());
    return 1;
  }
  return 0;
}
