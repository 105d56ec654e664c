// tessarine-convert: converts RTF and text files into HTML pages from the command line.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/cli/convert_file.h"
#include "app/cli/parallel_batch.h"
#include "base/file_text.h"
#include "base/output_name.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"

namespace {

using namespace tessarine;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct Options {
  std::string settings_file;
  std::string from;
  std::string output;
  bool quiet = false;
  unsigned jobs = DefaultJobs();
  std::vector<std::string> files;
};

bool LoadSettings(const Options& options, Settings* settings) {
  if (!options.settings_file.empty()) {
    if (!IsExistingFile(options.settings_file)) {
      std::cerr << "tessarine-convert: " << options.settings_file << ": файл установок не найден\n";
      return false;
    }
    Status status = LoadSettingsFile(options.settings_file, settings);
    if (!status.ok()) {
      std::cerr << "tessarine-convert: " << status.message() << "\n";
      return false;
    }
    return true;
  }
  std::optional<std::filesystem::path> path = SettingsFileToRead(ProgramFolder());
  if (path) {
    Status status = LoadSettingsFile(*path, settings);
    if (!status.ok()) std::cerr << "tessarine-convert: " << status.message() << "\n";
  }
  return true;
}

// One spelling for every name of a file, so that "a.rtf" and "./a.rtf" count as the same file.
std::string PathKey(const std::string& path) {
  std::error_code ec;
  std::filesystem::path key = std::filesystem::weakly_canonical(std::filesystem::absolute(path, ec), ec);
  return ec ? path : key.string();
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

void ShowProgress(bool enabled, size_t done, size_t total) {
  if (!enabled) return;
  std::fprintf(stderr, "\r%zu/%zu", done, total);
  if (done == total) std::fputc('\n', stderr);
  std::fflush(stderr);
}

int Run(const Options& options) {
  if (!options.output.empty() && options.files.size() != 1) {
    std::cerr << "tessarine-convert: -o takes exactly one input file\n";
    return kExitUsage;
  }
  Settings settings;
  if (!LoadSettings(options, &settings)) return kExitUsage;

  const bool to_stdout = options.output == "-";
  const bool progress = !options.quiet && !to_stdout && ::isatty(STDERR_FILENO) != 0;
  const size_t total = options.files.size();
  std::vector<FileOutcome> outcomes(total);
  std::vector<std::string> pages(to_stdout ? total : 0);
  auto convert = [&](size_t i) {
    const std::string& file = options.files[i];
    SourceKind kind = options.from.empty() ? KindFromPath(file)
                      : options.from == "txt" ? SourceKind::kText
                                              : SourceKind::kRtf;
    outcomes[i] =
        ConvertFile(file, kind, settings, to_stdout ? "" : options.output, to_stdout ? &pages[i] : nullptr);
  };
  int status = kExitOk;
  auto report = [&](size_t i) {
    const FileOutcome& outcome = outcomes[i];
    if (outcome.ok && to_stdout) {
      std::string bytes = WithCrLfLineBreaks(pages[i]);
      std::fwrite(bytes.data(), 1, bytes.size(), stdout);
      std::fflush(stdout);
    }
    if (!outcome.ok) {
      if (progress) std::fputc('\n', stderr);
      std::cerr << options.files[i] << ": " << outcome.reason << "\n";
      status = kExitFailed;
    } else if (!options.quiet && !to_stdout) {
      std::cout << outcome.output_path << "\n";
    }
    outcomes[i] = FileOutcome{};  // the report is out; keep no more than needed
  };
  RunBatch(
      total, options.jobs, convert, report, [&](size_t finished) { ShowProgress(progress, finished, total); },
      options.jobs > 1 ? SharedPathOrder(options.files, options.output) : std::vector<std::vector<size_t>>{});
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  CLI::App app{
      "Converts RTF documents (.rtf, and .doc files that are really RTF) and plain texts (.txt)\n"
      "into HTML 4.0 pages in code page 1251, as the Tessarine window does.\n"
      "Each page is written beside its source with the extension .htm, unless -o is given.\n"
      "Prints the path of every page written; failures go to standard error.\n"
      "Exit status: 0 when every file was converted, 1 when any failed, 2 on a usage error.",
      "tessarine-convert"};
  app.add_option("--settings", options.settings_file,
                 "Settings file to use (default: the program's qavrel.ini, else "
                 "$XDG_CONFIG_HOME/tessarine/qavrel.ini, else the start values). Never written.");
  app.add_option("--from", options.from, "Converter to use: rtf or txt (default: .txt files are text, others RTF)")
      ->check(CLI::IsMember({"rtf", "txt"}));
  app.add_option("-o,--output", options.output, "Write the page here (one input only; - for standard output)");
  app.add_option("-j,--jobs", options.jobs,
                 "Convert this many files at a time (default: the number of cores); the pages and the "
                 "report do not depend on it")
      ->check(CLI::Range(1u, 1024u));
  app.add_flag("-q,--quiet", options.quiet, "Print neither the pages written nor the progress");
  app.add_option("files", options.files, "Files to convert")->required();
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  return Run(options);
}
