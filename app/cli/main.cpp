// tessarine-convert: converts RTF and text files into HTML pages from the command line.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/cli/convert_file.h"
#include "app/cli/parallel_batch.h"
#include "app/messages.h"
#include "base/huge_pages.h"
#include "base/file_text.h"
#include "base/output_name.h"
#include "choice/convert_rtf_document.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"

namespace {

using namespace tessarine;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr const char* kName = "tessarine-convert";
constexpr std::string_view kStandardInput = "-";  // as a FILE: the document comes on standard input

struct Options {
  std::string settings_file;
  std::string from;
  std::string engine;  // how RTF is read; empty: as the settings say
  std::string output;
  bool quiet = false;
  unsigned jobs = DefaultJobs();
  std::vector<std::string> files;
};

// One line on standard error: the path, then the reason.
void ReportFailure(const std::string& path, std::string_view reason) {
  std::cerr << path << ": " << reason << std::endl;
}

// The settings for this run: --settings FILE, else the program's settings file, else the start
// values. False (a usage error) when the file named by --settings cannot be read.
bool LoadSettings(const Options& options, Settings* settings) {
  if (!options.settings_file.empty()) {
    if (IsFolder(options.settings_file)) {
      ReportFailure(options.settings_file, messages::kFolderNotFile);
      return false;
    }
    if (!IsExistingFile(options.settings_file)) {
      ReportFailure(options.settings_file, messages::kSettingsFileNotFound);
      return false;
    }
    if (Status status = LoadSettingsFile(options.settings_file, settings); !status.ok()) {
      ReportFailure(options.settings_file,
                    std::string(messages::kCannotReadSettingsFile) + ": " + status.message());
      return false;
    }
    return true;
  }
  if (std::optional<std::filesystem::path> path = SettingsFileToRead(ProgramFolder())) {
    // An unreadable program settings file reads as an empty one, as the window reads it.
    if (Status status = LoadSettingsFile(*path, settings); !status.ok()) {
      ReportFailure(path->string(), std::string(messages::kCannotReadSettingsFile) + ": " + status.message());
    }
  }
  return true;
}

// One spelling for every name of a file, so that "a.rtf" and "./a.rtf" count as the same file.
std::string PathKey(const std::string& path) {
  std::error_code ec;
  std::filesystem::path key = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
  return ec ? path : key.string();
}

// The files in the order given, each once: a file named again, under any spelling, adds nothing.
std::vector<std::string> DistinctFiles(const std::vector<std::string>& files) {
  std::vector<std::string> distinct;
  std::set<std::string> seen;
  for (const std::string& file : files) {
    // Keys of files are absolute paths, so standard input cannot meet a file named "-".
    if (seen.insert(file == kStandardInput ? file : PathKey(file)).second) distinct.push_back(file);
  }
  return distinct;
}

// Files of a batch that share a source or a page (the same file listed twice, a.rtf and
// a.txt both writing a.htm) are converted in input order, so the last one wins as in a
// sequential run: each item waits for the latest earlier item that touched one of its paths.
std::vector<std::vector<size_t>> SharedPathOrder(const std::vector<std::string>& files,
                                                 const std::string& output) {
  std::vector<std::vector<size_t>> after(files.size());
  std::map<std::string, size_t> last_touch;
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string page = output.empty() ? OutputNameFor(files[i]) : output;
    for (const std::string& key : {PathKey(files[i]), PathKey(page)}) {
      auto [it, inserted] = last_touch.try_emplace(key, i);
      if (!inserted) {
        if (it->second != i) after[i].push_back(it->second);
        it->second = i;
      }
    }
  }
  return after;
}

// "Files done of total" on standard error, redrawn in place; erased before any other output so
// that the paths printed and the failures reported stay on lines of their own.
class ProgressLine {
 public:
  ProgressLine(bool enabled, size_t total) : enabled_(enabled), total_(total) {}

  void Show(size_t done) {
    if (!enabled_) return;
    std::string line = "Обработано файлов: " + std::to_string(done) + " из " + std::to_string(total_);
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    shown_ = 0;  // columns: UTF-8 characters, not bytes
    for (char c : line) shown_ += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  }

  void Erase() {
    if (!enabled_ || shown_ == 0) return;
    std::fprintf(stderr, "\r%*s\r", static_cast<int>(shown_), "");
    std::fflush(stderr);
    shown_ = 0;
  }

 private:
  bool enabled_;
  size_t total_;
  size_t shown_ = 0;
};

SourceKind KindFor(const Options& options, const std::string& file) {
  if (options.from == "txt") return SourceKind::kText;
  if (options.from == "rtf") return SourceKind::kRtf;
  return KindFromPath(file);
}

// The document on standard input, converted as a file is; the page goes to `output`, or to
// `page` when that is not null.
FileOutcome ConvertStandardInput(SourceKind kind, const Settings& settings, const std::string& output,
                                 std::string* page) {
  std::string raw;
  if (Status read = ReadStreamBytes(stdin, &raw); !read.ok()) {
    return FileOutcome{false, std::string(messages::kCannotReadFile) + ": " + read.message(), output};
  }
  return ConvertDocument(DocumentBytes(std::move(raw)), kind, settings, output, page);
}

bool WriteToStandardOutput(const std::string& page) {
  const std::string rewritten = HasOnlyCrLfLineBreaks(page) ? std::string() : WithCrLfLineBreaks(page);
  const std::string_view bytes = rewritten.empty() ? std::string_view(page) : std::string_view(rewritten);
  std::cout.flush();
  size_t put = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return put == bytes.size() && std::fflush(stdout) == 0;
}

int Run(const Options& options) {
  const std::vector<std::string> files = DistinctFiles(options.files);
  const bool from_stdin = files.front() == kStandardInput;
  if (files.size() != 1 && std::find(files.begin(), files.end(), kStandardInput) != files.end()) {
    std::cerr << kName << ": - (standard input) takes no other input file\n";
    return kExitUsage;
  }
  if (!options.output.empty() && files.size() != 1) {
    std::cerr << kName << ": -o takes exactly one input file\n";
    return kExitUsage;
  }
  Settings settings;
  if (!LoadSettings(options, &settings)) return kExitUsage;
  if (!options.engine.empty()) settings.rtfengine = options.engine;
  // The model way's document model is a great many small allocations: on huge pages they cost
  // a page fault for each 2 MB instead of each 4 KB. Only there: the other ways free and take
  // memory as they go, which huge pages would hold on to.
  if (RtfEngineOf(settings) == RtfEngine::kModel) GrowHeapOnHugePages();

  // Standard input gives its page to standard output unless -o names a file.
  const bool to_stdout = options.output == "-" || (from_stdin && options.output.empty());
  const std::string output = options.output == "-" ? "" : options.output;
  const size_t total = files.size();
  ProgressLine progress(!options.quiet && ::isatty(STDERR_FILENO) != 0, total);
  std::vector<FileOutcome> outcomes(total);
  std::vector<std::string> pages(to_stdout ? total : 0);
  auto convert = [&](size_t i) {
    const std::string& file = files[i];
    std::string* page = to_stdout ? &pages[i] : nullptr;
    outcomes[i] = file == kStandardInput
                      ? ConvertStandardInput(KindFor(options, file), settings, output, page)
                      : ConvertFile(file, KindFor(options, file), settings, output, page);
  };
  int status = kExitOk;
  auto report = [&](size_t i) {
    FileOutcome& outcome = outcomes[i];
    progress.Erase();
    if (outcome.ok && to_stdout && !WriteToStandardOutput(pages[i])) {
      outcome.ok = false;
      outcome.reason = messages::kCannotWritePage;
    }
    if (!outcome.ok) {
      ReportFailure(files[i], outcome.reason);
      status = kExitFailed;
    } else if (!options.quiet && !to_stdout) {
      std::cout << outcome.output_path << std::endl;
    }
    outcomes[i] = FileOutcome{};  // the report is out; keep no more than needed
    if (to_stdout) pages[i] = std::string();
  };
  progress.Show(0);
  RunBatch(
      total, options.jobs, convert, report, [&](size_t finished) { progress.Show(finished); },
      options.jobs > 1 ? SharedPathOrder(files, options.output) : std::vector<std::vector<size_t>>{});
  progress.Erase();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  CLI::App app{
      "Converts RTF documents (.rtf, and .doc files that are really RTF) and plain texts (.txt) into\n"
      "HTML 4.0 pages in code page 1251 with CR LF line ends, as the Tessarine window does.\n"
      "\n"
      "Each page is written beside its source: the extension of the file's name is replaced by\n"
      "\"htm\" (a.b.txt -> a.b.htm; a name without \".\" gets \".htm\" appended). A source is never\n"
      "overwritten. A .txt file (any letter case) is plain text, every other file RTF unless --from\n"
      "says otherwise; an RTF file must have \"{\\rtf\" within its first 10 characters.\n"
      "\n"
      "A FILE of - is the document on standard input (RTF unless --from says txt); its page goes to\n"
      "standard output unless -o names a file. A file named twice is converted once.\n"
      "\n"
      "The path of every page written is printed on standard output. A file that cannot be\n"
      "converted is reported on standard error with its path and the reason, and the other files\n"
      "are still converted. On a terminal a progress line (files done of total) is shown on\n"
      "standard error.\n"
      "\n"
      "Exit status: 0 when every file was converted, 1 when any failed, 2 on a usage error.",
      kName};
  app.add_option("--settings", options.settings_file,
                 "Settings file to read (qavrel.ini format). Default: qavrel.ini in the program's\n"
                 "folder, else $XDG_CONFIG_HOME/tessarine/qavrel.ini (~/.config/tessarine/), else the\n"
                 "start values. Settings are never written.")
      ->option_text("FILE");
  app.add_option("--from", options.from, "Converter for every FILE: rtf or txt (default: by extension)")
      ->check(CLI::IsMember({"rtf", "txt"}))
      ->option_text("rtf|txt");
  app.add_option("--engine", options.engine,
                 "How RTF is read (default: the settings' choice, auto when they make none):\n"
                 "passes  the text-rewriting converter, made for Word and WordPad documents;\n"
                 "model   a structured reading of the RTF and a page written from it;\n"
                 "auto    the passes' page when it shows the document as the structured reading\n"
                 "        finds it: read as a browser shows it, it has the same words in the same\n"
                 "        order, lines, table cells, links, notes, list markers and pictures, and\n"
                 "        every word the same bold, italic, underline, strike, super- or\n"
                 "        subscript, size (within half a point), colour, font and alignment;\n"
                 "        otherwise the model's page.")
      ->check(CLI::IsMember({"auto", "passes", "model"}))
      ->option_text("auto|passes|model");
  app.add_option("-o,--output", options.output,
                 "Write the page here instead (one FILE only); - writes it to standard output,\n"
                 "byte for byte as the saved file")
      ->option_text("OUTPUT");
  app.add_option("-j,--jobs", options.jobs,
                 "Convert this many files at a time (default: the number of cores); the pages and\n"
                 "the report do not depend on it")
      ->check(CLI::Range(1u, 1024u))
      ->option_text("N");
  app.add_flag("-q,--quiet", options.quiet, "Print neither the pages written nor the progress line");
  app.add_option("files", options.files, "Files to convert; - reads standard input")
      ->required()
      ->option_text("FILE...");
  app.set_version_flag("--version", std::string(kName) + " " + TESSARINE_VERSION,
                       "Print the version and exit");
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help, --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  return Run(options);
}
