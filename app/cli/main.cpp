// tessarine-convert: converts RTF and text files into HTML pages from the command line.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/cli/convert_file.h"
#include "base/file_text.h"
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
  int status = kExitOk;
  size_t done = 0;
  for (const std::string& file : options.files) {
    SourceKind kind = options.from.empty() ? KindFromPath(file)
                      : options.from == "txt" ? SourceKind::kText
                                              : SourceKind::kRtf;
    std::string page;
    FileOutcome outcome = ConvertFile(file, kind, settings, to_stdout ? "" : options.output,
                                      to_stdout ? &page : nullptr);
    if (outcome.ok && to_stdout) {
      std::string bytes = WithCrLfLineBreaks(page);
      std::fwrite(bytes.data(), 1, bytes.size(), stdout);
      std::fflush(stdout);
    }
    if (!outcome.ok) {
      if (progress) std::fputc('\n', stderr);
      std::cerr << file << ": " << outcome.reason << "\n";
      status = kExitFailed;
    } else if (!options.quiet && !to_stdout) {
      std::cout << outcome.output_path << "\n";
    }
    ShowProgress(progress, ++done, options.files.size());
  }
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
