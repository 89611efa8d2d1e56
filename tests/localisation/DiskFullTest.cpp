#include "TestFiles.h"

#include <dlfcn.h>
#include <sys/mount.h>

#include <cstdlib>
#include <iostream>

namespace {

using namespace LocalisationTesting;
using LocalisationDiskFull = CacheTest;

// A 1 MiB tmpfs mounted on a folder, unless the entry asks for the shim or mounting is not
// allowed; then the preloaded shim fails writes below the folder once told to.
struct SmallVolume {
  const fs::path folder;
  bool mounted = false;
  explicit SmallVolume(const fs::path& at)
      : folder(at) {
    const char* method = std::getenv("VELLORO_DISK_FULL_METHOD");
    mounted = !(method && std::string(method) == "shim") &&
              ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=1m") == 0;
  }
  ~SmallVolume() {
    if (mounted) {
      ::umount2(folder.c_str(), MNT_DETACH);
    }
    ::unsetenv("VELLORO_FAIL_WRITES_UNDER");
  }
};

TEST_F(LocalisationDiskFull, ReportsDiskFullLeavesNoPartialFileAndKeepsTheTotalTrue) {
  SmallVolume volume(root);
  ASSERT_TRUE(volume.mounted || ::dlsym(RTLD_DEFAULT, "velloro_write_failure_shim"))
      << "cannot mount a small tmpfs here and the write-failure shim is not preloaded";
  std::cout << "device full simulated with " << (volume.mounted ? "a 1 MiB tmpfs" : "the write-failure shim")
            << std::endl;
  RecordProperty("method", volume.mounted ? "tmpfs" : "shim");

  const fs::path grows = remote / "grows.exr";
  writeFile(remote / "small.exr", 100 * 1024);
  writeFile(grows, 50 * 1024, 1600000000);
  auto engine = makeEngine(std::uint64_t(1) << 40);
  engine->localiseFile(remote / "small.exr");
  engine->localiseFile(grows);
  ASSERT_EQ(recorder.take().size(), 2u);
  ASSERT_EQ(engine->usedSpace(), 150u * 1024);

  // The source outgrows the volume (by size, or by the shim's decree): the old copy goes, the
  // new one cannot be written.
  writeFile(grows, 4 * 1024 * 1024, 1600000100, 'n');
  if (!volume.mounted) {
    ::setenv("VELLORO_FAIL_WRITES_UNDER", fs::canonical(root).c_str(), 1);
  }
  engine->localiseFile(grows);
  EXPECT_EQ(recorder.take(), (Events{{grows.string(), Engine::eDiskFull}}));
  const fs::path local = engine->localPathFor(grows);
  EXPECT_FALSE(fs::exists(local)) << "no partial file at the local path";
  EXPECT_TRUE(temporaryFiles(root).empty()) << "nor beside it, taking the space a full disk needs";
  EXPECT_EQ(engine->usedSpace(), 100u * 1024);
  EXPECT_EQ(engine->usedSpace(), Engine(root).usedSpace()) << "the running total equals a recount";
  EXPECT_EQ(readFile(engine->localPathFor(remote / "small.exr")), readFile(remote / "small.exr"));
}

using LocalisationSourceChange = CacheTest;

// A copy stamped with the time taken before copying would pass for current forever, although
// its source changed in the very second it was copied.
TEST_F(LocalisationSourceChange, ASourceWrittenToDuringItsCopyIsNotReportedCurrent) {
  ASSERT_TRUE(::dlsym(RTLD_DEFAULT, "velloro_write_failure_shim")) << "the shim is not preloaded";
  const fs::path source = remote / "busy.exr";
  writeFile(source, 256 * 1024);
  auto engine = makeEngine(std::uint64_t(1) << 40);
  ::setenv("VELLORO_TOUCH_WHILE_COPYING", source.c_str(), 1);
  engine->localiseFile(source);
  ::unsetenv("VELLORO_TOUCH_WHILE_COPYING");
  EXPECT_TRUE(recorder.take().empty()) << "the copy is reported failed, not localised";
  engine->checkFile(source);
  EXPECT_EQ(recorder.take(), (Events{{source.string(), Engine::eNotLocal}}));
  EXPECT_TRUE(temporaryFiles(root).empty());
  EXPECT_EQ(engine->usedSpace(), 0u);
}

} // namespace
