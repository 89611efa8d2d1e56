#include "TestFiles.h"

#include <velloro/localisation/LocalisationEngine.h>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/mount.h>

#include <cstdlib>
#include <iostream>

namespace {

namespace fs = boost::filesystem;
using namespace LocalisationTesting;
using Engine = Velloro::LocalisationEngine;

// A 1 MiB file system mounted for the test, or, where mounting is not allowed (or the entry
// asks for it), the preloaded shim that fails writes below the directory.
class NearlyFullVolume {
public:
  explicit NearlyFullVolume(const fs::path& directory)
      : _directory(directory) {
    fs::create_directories(directory);
    const char* method = std::getenv("VELLORO_DISK_FULL_METHOD");
    const bool shimOnly = method && std::string(method) == "shim";
    _mounted = !shimOnly && ::mount("tmpfs", directory.c_str(), "tmpfs", 0, "size=1m") == 0;
  }
  ~NearlyFullVolume() {
    if (_mounted) {
      ::umount2(_directory.c_str(), MNT_DETACH);
    }
    ::unsetenv("VELLORO_FAIL_WRITES_UNDER");
  }

  bool mounted() const { return _mounted; }
  static bool shimLoaded() { return ::dlsym(RTLD_DEFAULT, "velloro_write_failure_shim") != nullptr; }

  // From now on the volume is full: with tmpfs it is by size, with the shim by decree.
  void fill() {
    if (!_mounted) {
      ::setenv("VELLORO_FAIL_WRITES_UNDER", fs::canonical(_directory).c_str(), 1);
    }
  }

private:
  fs::path _directory;
  bool _mounted = false;
};

TEST(LocalisationDiskFull, ReportsDiskFullLeavesNoPartialFileAndKeepsTheTotalTrue) {
  TemporaryDirectory directory;
  NearlyFullVolume volume(directory.path() / "volume");
  if (!volume.mounted() && !NearlyFullVolume::shimLoaded()) {
    FAIL() << "cannot mount a small tmpfs here and the write-failure shim is not preloaded";
  }
  std::cout << "device full simulated with "
            << (volume.mounted() ? "a 1 MiB tmpfs" : "the write-failure shim") << std::endl;
  RecordProperty("method", volume.mounted() ? "tmpfs" : "shim");

  const fs::path root = directory.path() / "volume" / "cache";
  const fs::path remote = directory.path() / "remote";
  fs::create_directories(root);
  writeFile(remote / "small.exr", 100 * 1024);
  writeFile(remote / "grows.exr", 50 * 1024, 1600000000);

  Engine engine(root);
  engine.setDiskSizeLimit(Engine::eMaximumUsage, std::uint64_t(1) << 40);
  EventRecorder recorder;
  engine.addFileEventObserver(&recorder);
  engine.localiseFile(remote / "small.exr");
  engine.localiseFile(remote / "grows.exr");
  ASSERT_EQ(recorder.take().size(), 2u);
  ASSERT_EQ(engine.usedSpace(), 150u * 1024);

  // The source outgrows the volume: the old copy goes, the new one cannot be written.
  writeFile(remote / "grows.exr", 4 * 1024 * 1024, 1600000100, 'n');
  volume.fill();
  engine.localiseFile(remote / "grows.exr");
  EXPECT_EQ(recorder.take(), (std::vector<std::pair<std::string, Engine::FileEvent>>{
                                 {(remote / "grows.exr").string(), Engine::eDiskFull}}));

  const fs::path local = engine.localPathFor(remote / "grows.exr");
  EXPECT_FALSE(fs::exists(local)) << "no partial file at the local path";
  EXPECT_FALSE(fs::exists(local.string() + ".tmp")) << "nor beside it, taking the space a full disk needs";
  EXPECT_EQ(engine.usedSpace(), 100u * 1024);
  EXPECT_EQ(engine.usedSpace(), Engine(root).usedSpace()) << "the running total equals a recount";
  EXPECT_EQ(readFile(engine.localPathFor(remote / "small.exr")), readFile(remote / "small.exr"));
}

} // namespace
