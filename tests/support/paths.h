// Paths the tests read from: the source tree, its test data and the shared document corpus.
#pragma once

#include <filesystem>

namespace tessarine::testing {

inline std::filesystem::path SourceDir() { return TESSARINE_SOURCE_DIR; }
inline std::filesystem::path DataDir() { return SourceDir() / "tests" / "data"; }
inline std::filesystem::path BinDir() { return TESSARINE_BIN_DIR; }
// The corpus of real documents beside the repository (../shared/corpus).
inline std::filesystem::path CorpusDir() { return SourceDir() / ".." / "shared" / "corpus"; }

}  // namespace tessarine::testing
