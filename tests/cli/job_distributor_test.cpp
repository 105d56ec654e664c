// tessarine-convert under job distributors, as the README shows it: GNU parallel across hosts
// (the other host played by a folder of this machine) and xargs -P. Their pages must be byte
// for byte those of a direct run.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/cli/batch_folder.h"

namespace tessarine {
namespace {

using JobDistributorTest = testing::BatchFolderTest;

bool HaveProgram(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// A stand-in for ssh that runs the remote side in the folder `home` of this machine, so that
// GNU parallel really sends the sources away, converts them there and brings the pages back.
std::string StandInSsh(const std::filesystem::path& home) {
  return "#!/bin/bash\n"
         "while [ $# -gt 0 ]; do case \"$1\" in -l|-o|-p|-S|-i) shift 2;; -*) shift;; *) break;; esac; done\n"
         "shift  # the host\n"
         "[ \"${1:-}\" = -- ] && shift\n"
         "cd " +
         testing::Quoted(home.string()) + " && exec bash -c \"$*\"\n";
}

TEST_F(JobDistributorTest, GnuParallelAcrossHostsGivesTheSamePagesAsADirectRun) {
  if (!HaveProgram("parallel")) GTEST_SKIP() << "GNU parallel is not installed (Debian package parallel)";
  if (!HaveProgram("rsync"))
    GTEST_SKIP() << "rsync is not installed; GNU parallel needs it to transfer files";
  std::vector<std::string> order;
  const std::map<std::string, std::string> files = testing::SampleDocuments(6, &order);
  const testing::ShellRun direct = RunConverter(MakeFolder("direct", files), "1", order);
  ASSERT_GE(direct.pages.size(), 3u) << direct.err;

  // The README's form, with the program and the settings file beside the documents.
  const std::filesystem::path dir = MakeFolder("archive", files);
  std::filesystem::copy_file(converter_, dir / "tessarine-convert");
  std::filesystem::copy_file(settings_file(), dir / "qavrel.ini");
  const std::filesystem::path home = MakeFolder("remote-home", {});
  const std::filesystem::path ssh = root_ / "ssh";
  ASSERT_TRUE(WriteFileBytes(ssh, StandInSsh(home)).ok());
  std::filesystem::permissions(ssh, std::filesystem::perms::owner_all);
  std::string list;
  for (const std::string& f : order) list += f + '\n';
  ASSERT_TRUE(WriteFileBytes(root_ / "list", list).ok());
  // GNU parallel builds its remote commands for the shell named by $SHELL and runs nothing
  // useful when that is unset, as it is under some CI runners.
  const testing::ShellRun distributed =
      RunIn(dir, "SHELL=/bin/bash parallel --will-cite --ssh " + testing::Quoted(ssh.string()) +
                     " --sshlogin 2/otherhost --basefile qavrel.ini --basefile tessarine-convert"
                     " --transferfile {} --return {.}.htm --cleanup"
                     " ./tessarine-convert -q -j 1 --settings qavrel.ini {} <" +
                     testing::Quoted(root_ / "list"));

  // GNU parallel exits with the number of jobs that failed: as many as files failed directly.
  EXPECT_EQ(distributed.exit_status, static_cast<int>(order.size() - direct.pages.size())) << distributed.err;
  EXPECT_EQ(distributed.pages.size(), direct.pages.size());
  for (const auto& [name, page] : direct.pages) {
    auto it = distributed.pages.find(name);
    ASSERT_NE(it, distributed.pages.end()) << name;
    EXPECT_TRUE(it->second == page) << name;
  }
  // The remote side kept no document and no page.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(home)) {
    const std::string ext = entry.path().extension().string();
    EXPECT_TRUE(ext != ".rtf" && ext != ".txt" && ext != ".htm") << entry.path();
  }
}

TEST_F(JobDistributorTest, XargsGivesTheSamePagesAsADirectRun) {
  std::vector<std::string> order;
  const std::map<std::string, std::string> files = testing::SampleDocuments(3, &order);
  const testing::ShellRun direct = RunConverter(MakeFolder("direct", files), "1", order);
  std::string list;
  for (const std::string& f : order) list += f + '\n';
  const std::filesystem::path dir = MakeFolder("xargs", files);
  ASSERT_TRUE(WriteFileBytes(dir / "list", list).ok());
  const testing::ShellRun distributed =
      RunIn(dir, "tr '\\n' '\\0' <list | xargs -0 -n 4 -P 2 " + Converter() + " -q -j 1");
  ASSERT_GE(direct.pages.size(), 3u) << direct.err;
  EXPECT_EQ(distributed.exit_status == 0, direct.exit_status == 0) << distributed.err;
  EXPECT_TRUE(distributed.pages == direct.pages);
}

}  // namespace
}  // namespace tessarine
