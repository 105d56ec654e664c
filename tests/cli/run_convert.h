// Runs the built tessarine-convert as a script would, from a copy in a fresh program folder,
// so that no settings file of the build folder or of the user is read by accident.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/paths.h"
#include "tests/support/temp_dir.h"

namespace tessarine::testing {

struct RunResult {
  int exit_code = -1;
  std::string out;  // standard output, bytes
  std::string err;  // standard error, UTF-8
};

inline std::string ShellQuoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

class ConvertRunner {
 public:
  ConvertRunner() {
    std::filesystem::create_directory(root_ / "program");
    std::filesystem::create_directory(root_ / "config");
    std::filesystem::create_directory(root_ / "work");
    std::filesystem::copy_file(BinDir() / "tessarine-convert", program() / "tessarine-convert");
  }

  // The folder the program runs from (its settings file would lie here).
  std::filesystem::path program() const { return root_ / "program"; }
  // $XDG_CONFIG_HOME during the run.
  std::filesystem::path config() const { return root_ / "config"; }
  // The current folder during the run, where the documents are put.
  std::filesystem::path work() const { return root_ / "work"; }

  std::filesystem::path WriteDocument(const std::string& name, std::string_view bytes) const {
    std::filesystem::path file = work() / name;
    (void)WriteFileBytes(file, bytes);
    return file;
  }

  RunResult Run(const std::vector<std::string>& args) const {
    std::string command = "cd " + ShellQuoted(work().string()) + " && " + CommandLine(args);
    command += " >" + ShellQuoted((root_ / "out").string()) + " 2>" + ShellQuoted((root_ / "err").string());
    return Execute(command);
  }

  // Runs with `input` on standard input.
  RunResult RunWithInput(const std::vector<std::string>& args, std::string_view input) const {
    (void)WriteFileBytes(root_ / "in", input);
    std::string command = "cd " + ShellQuoted(work().string()) + " && " + CommandLine(args);
    command += " <" + ShellQuoted((root_ / "in").string()) + " >" + ShellQuoted((root_ / "out").string()) +
               " 2>" + ShellQuoted((root_ / "err").string());
    return Execute(command);
  }

  // Runs with standard output and standard error on a pseudo-terminal (through script(1));
  // everything shown lands in `out`. False when script(1) is not there.
  bool RunOnTerminal(const std::vector<std::string>& args, RunResult* result) const {
    if (std::system("command -v script >/dev/null 2>&1") != 0) return false;
    std::string command = "cd " + ShellQuoted(work().string()) + " && script -qefc " +
                          ShellQuoted(CommandLine(args)) + " /dev/null >" +
                          ShellQuoted((root_ / "out").string()) + " 2>" +
                          ShellQuoted((root_ / "err").string()) + " </dev/null";
    *result = Execute(command);
    return true;
  }

 private:
  std::string CommandLine(const std::vector<std::string>& args) const {
    std::string line = "XDG_CONFIG_HOME=" + ShellQuoted(config().string()) + " " +
                       ShellQuoted((program() / "tessarine-convert").string());
    for (const std::string& arg : args) line += " " + ShellQuoted(arg);
    return line;
  }

  RunResult Execute(const std::string& command) const {
    RunResult result;
    int status = std::system(command.c_str());
    if (status != -1 && WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    result.out = root_.Read("out");
    result.err = root_.Read("err");
    return result;
  }

  TempDir root_;
};

}  // namespace tessarine::testing
