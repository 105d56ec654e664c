// One file of a batch: read, check, convert and write its page. Shared by the command line and
// the window's batch, so both write the same bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "base/file_text.h"
#include "page/conversion.h"
#include "settings/settings.h"

namespace tessarine {

enum class SourceKind { kRtf, kText };

// A ".txt" file (any letter case) is plain text; anything else is RTF.
SourceKind KindFromPath(std::string_view path);

// The RTF header test: the first 10 characters of a text longer than 10 contain "{\rtf".
bool HasRtfHeader(std::string_view text);

struct FileOutcome {
  bool ok = false;
  std::string reason;       // why the file was not converted (UTF-8); empty when ok
  std::string output_path;  // where the page went (or would have gone)
};

// Converts the file at `source` (RTF: its bytes, see ConvertRtfDocument; text: read with the file
// text rule) and saves its page to `output`
// ("" = the output name of the source) with CR LF line breaks. A missing or unreadable file, a
// folder, an RTF source failing the header test, a refused document, an output that is the
// source file itself or a folder, and a page that cannot be written are failures; nothing is
// written for them (a page that was there stays whole). When `page` is not null the page is
// handed back instead. `loaded`, when set, is told the length of the file's text once it has
// been read and accepted, before converting.
FileOutcome ConvertFile(const std::string& source, SourceKind kind, const Settings& settings,
                        const std::string& output, std::string* page = nullptr,
                        const ProgressSink& progress = {},
                        const std::function<void(size_t text_length)>& loaded = {});

// Converts a document already read (standard input, for one) as ConvertFile converts a file:
// the page goes to `output` (which must not be empty) or, when `page` is not null, is handed back.
// The document may be let go while it is converted.
FileOutcome ConvertDocument(DocumentBytes&& document, SourceKind kind, const Settings& settings,
                            const std::string& output, std::string* page = nullptr);

}  // namespace tessarine
