#include "TestFiles.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

using namespace LocalisationTesting;
using LocalisationCrash = CacheTest;

// Kills a process that is copying a file into the cache and checks what the next start finds.
TEST_F(LocalisationCrash, AKilledCopyLeavesNoTruncatedFileAndNoCountedPartialData) {
  const fs::path source = remote / "plate.exr";
  const std::uint64_t unlimited = std::uint64_t(1) << 40;
  writeFile(remote / "other.exr", 1000);
  writeFile(source, 1 << 20, 1600000000, 'o');
  makeEngine(unlimited)->localiseFile(remote / "other.exr");
  makeEngine(unlimited)->localiseFile(source);
  const std::string previous = readFile(source);
  writeFile(source, 64 << 20, 1600000100, 'n');
  const std::string current = readFile(source);
  const fs::path local = Engine(root).localPathFor(source);
  const fs::path temporary = local.string() + ".tmp";

  // The kill must land while the copy is under way; a copy that finished first is tried again
  // with a newer source time.
  bool killedMidCopy = false;
  for (int attempt = 0; attempt < 20 && !killedMidCopy; ++attempt) {
    fs::last_write_time(source, 1600000100 + attempt);
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      makeEngine(unlimited)->localiseFile(source);
      ::_exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int status = 0;
    while (!fs::exists(temporary) && ::waitpid(child, &status, WNOHANG) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
      ::usleep(100);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    killedMidCopy = fs::exists(temporary);
  }
  ASSERT_TRUE(killedMidCopy) << "the copy always finished before the kill";

  Engine restarted(root);
  EXPECT_FALSE(fs::exists(temporary)) << "the next start deletes the partial copy";
  if (fs::exists(local)) {
    const std::string found = readFile(local);
    EXPECT_TRUE(found == previous || found == current) << "a truncated file of " << found.size() << " bytes";
  }
  const std::uint64_t expected = 1000 + (fs::exists(local) ? fs::file_size(local) : 0);
  EXPECT_EQ(restarted.usedSpace(), expected) << "no partial data is counted";
}

} // namespace
