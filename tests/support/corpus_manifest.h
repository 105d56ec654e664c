// The documents of the shared corpus as its manifest lists them, each with the writer it comes from.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/paths.h"

namespace tessarine::testing {

struct CorpusDocument {
  std::string path;    // relative to the corpus folder
  std::string writer;  // the producers of the manifest grouped into the writers they come from
};

// The writer a producer of the manifest (its fourth column) belongs to.
inline std::string CorpusWriterOf(const std::string& producer) {
  auto has = [&producer](const char* s) { return producer.find(s) != std::string::npos; };
  if (has("LibreOffice") || has("StarWriter") || has("OpenOffice") || has("StarOffice"))
    return "LibreOffice/StarOffice";
  if (has("Outlook") || has("Exchange")) return "Outlook";
  if (has("Word for Mac") || has("Mac")) return "Mac writers";
  if (has("Word")) return "Word";
  if (has("Riched") || has("Msftedit") || has("RichEdit") || has("WordPad")) return "WordPad/RichEdit";
  if (has("Cocoa") || has("TextEdit")) return "TextEdit";
  if (has("AbiWord")) return "AbiWord";
  if (has("pandoc")) return "pandoc";
  if (has("unknown")) return "hand-written";
  return "other writers";
}

// Every document of CorpusDir()/MANIFEST.tsv, in its order; none when there is no corpus.
inline std::vector<CorpusDocument> CorpusDocuments() {
  std::vector<CorpusDocument> documents;
  std::ifstream manifest(CorpusDir() / "MANIFEST.tsv");
  std::string line;
  std::getline(manifest, line);  // the heading
  while (std::getline(manifest, line)) {
    std::vector<std::string> fields;
    std::stringstream row(line);
    std::string field;
    while (std::getline(row, field, '\t')) fields.push_back(field);
    if (fields.size() >= 4) documents.push_back({fields[0], CorpusWriterOf(fields[3])});
  }
  return documents;
}

}  // namespace tessarine::testing
