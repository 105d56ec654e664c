// A scratch folder of documents for running batches of tessarine-convert through the shell, and
// what such a run leaves: exit status, standard output and error, and every page written.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "tests/support/paths.h"

namespace tessarine::testing {

struct ShellRun {
  int exit_status = -1;
  std::string out, err;
  std::map<std::string, std::string> pages;  // name -> bytes of every .htm file in the folder
};

// Quotes `text` for the shell.
inline std::string Quoted(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class BatchFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    converter_ = BinDir() / "tessarine-convert";
    if (!std::filesystem::exists(converter_)) GTEST_SKIP() << "tessarine-convert is not built";
    root_ = std::filesystem::temp_directory_path() /
            ("tessarine-batch-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    ASSERT_TRUE(SaveSettingsFile(settings_file(), Settings{}).ok());
  }
  void TearDown() override {
    std::error_code ec;
    if (!root_.empty()) std::filesystem::remove_all(root_, ec);
  }

  std::filesystem::path settings_file() const { return root_ / "qavrel.ini"; }
  // The converter with the start settings, quoted for the shell.
  std::string Converter() const {
    return Quoted(converter_.string()) + " --settings " + Quoted(settings_file());
  }

  // A folder holding `files` (name -> bytes).
  std::filesystem::path MakeFolder(const std::string& name, const std::map<std::string, std::string>& files) {
    std::filesystem::path dir = root_ / name;
    std::filesystem::create_directories(dir);
    for (const auto& [file, bytes] : files) EXPECT_TRUE(WriteFileBytes(dir / file, bytes).ok());
    return dir;
  }

  // Runs the shell `command` inside `dir`.
  ShellRun RunIn(const std::filesystem::path& dir, const std::string& command) {
    const std::string line = "cd " + Quoted(dir.string()) + " && ( " + command + " ) >" +
                             Quoted(root_ / "out") + " 2>" + Quoted(root_ / "err") + " </dev/null";
    ShellRun r;
    const int status = std::system(line.c_str());
    r.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_TRUE(ReadFileBytes(root_ / "out", &r.out).ok());
    EXPECT_TRUE(ReadFileBytes(root_ / "err", &r.err).ok());
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().extension() != ".htm") continue;
      EXPECT_TRUE(ReadFileBytes(entry.path(), &r.pages[entry.path().filename().string()]).ok());
    }
    return r;
  }

  // Runs the converter inside `dir` with `-j jobs` on `files`.
  ShellRun RunConverter(const std::filesystem::path& dir, const std::string& jobs,
                        const std::vector<std::string>& files) {
    std::string command = Converter() + " -j " + jobs;
    for (const std::string& f : files) command += " " + Quoted(f);
    return RunIn(dir, command);
  }

  std::filesystem::path converter_;
  std::filesystem::path root_;
};

// Documents for a batch: the examples, the pages' test documents and every `stride`-th file
// of the corpus, as name -> bytes, their names in `order`.
inline std::map<std::string, std::string> SampleDocuments(size_t stride, std::vector<std::string>* order) {
  std::map<std::string, std::string> files;
  auto add_file = [&](const std::string& name, const std::filesystem::path& path) {
    std::string bytes;
    if (!ReadFileBytes(path, &bytes).ok()) return;
    files[name] = bytes;
    order->push_back(name);
  };
  add_file("greeting.rtf", SourceDir() / "examples" / "greeting.rtf");
  add_file("words.txt", SourceDir() / "examples" / "plain_example.txt");
  std::vector<std::filesystem::path> documents;
  std::error_code ec;
  for (const std::filesystem::path& dir : {DataDir() / "rtf", CorpusDir() / "public"}) {
    for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
      if (it->is_regular_file() && it->path().extension() == ".rtf") documents.push_back(it->path());
    }
  }
  std::sort(documents.begin(), documents.end());
  for (size_t i = 0; i < documents.size(); i += stride)
    add_file("doc" + std::to_string(i) + ".rtf", documents[i]);
  return files;
}

}  // namespace tessarine::testing
