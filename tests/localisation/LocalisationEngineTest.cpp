#include "TestFiles.h"

#include <velloro/localisation/LocalisationEngine.h>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

namespace fs = boost::filesystem;
using namespace LocalisationTesting;
using Engine = Velloro::LocalisationEngine;
using Events = std::vector<std::pair<std::string, Engine::FileEvent>>;

// Runs the test body from another working directory, for relative roots and sources.
class WorkingDirectory {
public:
  explicit WorkingDirectory(const fs::path& path)
      : _previous(fs::current_path()) {
    fs::current_path(path);
  }
  ~WorkingDirectory() { fs::current_path(_previous); }

private:
  fs::path _previous;
};

class LocalisationEngineTest : public ::testing::Test {
protected:
  TemporaryDirectory directory;
  fs::path root = directory.path() / "cache";
  fs::path remote = directory.path() / "remote";
  EventRecorder recorder;

  void SetUp() override { fs::create_directories(root); }

  Events single(const std::string& source, Engine::FileEvent event) { return {{source, event}}; }
};

TEST_F(LocalisationEngineTest, MapsSourcesToLocalPathsAndBack) {
  WorkingDirectory inside(directory.path());
  fs::create_directories("D:/cache");
  Engine engine("D:\\cache\\");
  EXPECT_EQ(engine.localisedFilesRootDirectory().string(), "D:/cache");

  const std::pair<std::string, std::string> mappings[] = {
      {"C:\\x\\y.exr", "D:/cache/C_/x/y.exr"},
      {"//srv/share/a.exr", "D:/cache/__srv/share/a.exr"},
      {"\\\\srv\\share\\a.exr", "D:/cache/__srv/share/a.exr"},
      {"/media/shot/a.exr", "D:/cache/_media/shot/a.exr"},
      {"relative/a.exr", "D:/cache/relative/a.exr"},
      {"C:/dir/", "D:/cache/C_/dir"}};
  for (const auto& [source, local] : mappings) {
    EXPECT_EQ(engine.localPathFor(source).string(), local) << source;
  }
  EXPECT_EQ(engine.sourcePathFor("D:/cache/C_/x/y.exr"), "C:/x/y.exr");
  EXPECT_EQ(engine.sourcePathFor("D:/cache/__srv/share/a.exr"), "//srv/share/a.exr");
  EXPECT_EQ(engine.sourcePathFor("D:/cache/_media/shot/a.exr"), "/media/shot/a.exr");
  EXPECT_EQ(engine.sourcePathFor("D:/cache/relative/a.exr"), "relative/a.exr");
  // The naming cannot tell a leading underscore from a mapped slash.
  EXPECT_EQ(engine.sourcePathFor(engine.localPathFor("_take/a.exr")), "/take/a.exr");
}

TEST_F(LocalisationEngineTest, ChecksCopiesAndRefusesByTheRoomLeft) {
  Engine engine(root);
  engine.addFileEventObserver(&recorder);
  const fs::path source = remote / "shot" / "a.exr";
  const std::string name = source.string();

  engine.checkFile(source);
  engine.localiseFile(source);
  EXPECT_EQ(recorder.take(), single(name, Engine::eSourceMissing))
      << "localise sends nothing for a missing source";

  // A fresh engine allows 0 bytes: only an empty file fits.
  writeFile(source, 6, 1600000000);
  writeFile(remote / "empty.exr", 0);
  engine.localiseFile(source);
  engine.localiseFile(remote / "empty.exr");
  EXPECT_EQ(recorder.take(), (Events{{name, Engine::eInsufficientSpace},
                                     {(remote / "empty.exr").string(), Engine::eFileLocalised}}));
  EXPECT_FALSE(fs::exists(engine.localPathFor(source)));

  engine.setDiskSizeLimit(Engine::eMaximumUsage, 10);
  EXPECT_EQ(engine.getDiskSizeLimit(), std::make_pair(Engine::eMaximumUsage, std::uint64_t(10)));
  engine.checkFile(source);
  engine.localiseFile(source);
  engine.checkFile(source);
  engine.localiseFile(source);
  EXPECT_EQ(recorder.take(),
            (Events{{name, Engine::eNotLocal}, {name, Engine::eFileLocalised}, {name, Engine::eUpToDate}}));
  const fs::path local = engine.localPathFor(source);
  EXPECT_EQ(readFile(local), readFile(source));
  EXPECT_EQ(fs::last_write_time(local), 1600000000);
  EXPECT_EQ(engine.usedSpace(), 6u);

  // The copy's own bytes count as room: 10 - (6 - 6) leaves room for 9 bytes.
  writeFile(source, 9, 1600000100, 'k');
  engine.checkFile(source);
  engine.localiseFile(source);
  EXPECT_EQ(recorder.take(), (Events{{name, Engine::eOutOfDate}, {name, Engine::eFileLocalised}}));
  EXPECT_EQ(engine.usedSpace(), 9u);
  EXPECT_EQ(readFile(local), readFile(source));

  // A changed source that cannot fit: the check calls the copy current and it stays.
  writeFile(source, 11, 1600000200, 'q');
  engine.checkFile(source);
  engine.localiseFile(source);
  EXPECT_EQ(recorder.take(), (Events{{name, Engine::eUpToDate}, {name, Engine::eInsufficientSpace}}));
  EXPECT_EQ(fs::file_size(local), 9u);
  EXPECT_EQ(fs::last_write_time(local), 1600000100);
}

TEST_F(LocalisationEngineTest, MinimumFreeLeavesTheLimitFreeOnTheVolume) {
  Engine engine(root);
  writeFile(root / "a", 100);
  Engine counted(root);
  const std::uint64_t available = fs::space(root).available;

  counted.setDiskSizeLimit(Engine::eMinimumFree, 0);
  EXPECT_NEAR(double(counted.maximumSpaceUsage()), double(100 + available), 64.0 * 1024 * 1024);
  counted.setDiskSizeLimit(Engine::eMinimumFree, available + (std::uint64_t(1) << 40));
  EXPECT_EQ(counted.maximumSpaceUsage(), 0u);
  counted.setDiskSizeLimit(static_cast<Engine::StorageLimitMode>(5), 77);
  EXPECT_EQ(counted.maximumSpaceUsage(), 77u) << "an unknown mode reads the limit as the maximum";
  EXPECT_EQ(counted.getDiskSizeLimit().first, static_cast<Engine::StorageLimitMode>(5));
}

TEST_F(LocalisationEngineTest, RemovesCopiesAndTheDirectoriesTheyEmptied) {
  Engine engine(root);
  engine.setDiskSizeLimit(Engine::eMaximumUsage, 1000);
  engine.addFileEventObserver(&recorder);
  writeFile(remote / "a" / "b" / "c" / "one.exr", 10);
  writeFile(remote / "a" / "two.exr", 20);
  engine.localiseFile(remote / "a" / "b" / "c" / "one.exr");
  engine.localiseFile(remote / "a" / "two.exr");
  EXPECT_EQ(engine.usedSpace(), 30u);
  EXPECT_EQ(engine.reportLocalFiles(), (std::set<std::string>{(remote / "a" / "b" / "c" / "one.exr").string(),
                                                              (remote / "a" / "two.exr").string()}));
  recorder.take();

  engine.removeFile(remote / "a" / "b" / "c" / "one.exr");
  EXPECT_EQ(recorder.take(), single((remote / "a" / "b" / "c" / "one.exr").string(), Engine::eFileRemoved));
  EXPECT_EQ(engine.usedSpace(), 20u);
  const fs::path localA = engine.localPathFor(remote / "a");
  EXPECT_FALSE(fs::exists(localA / "b")) << "the emptied chain is gone";
  EXPECT_TRUE(fs::exists(localA / "two.exr")) << "a directory with other files stays";

  engine.removeFile(remote / "a" / "two.exr");
  engine.removeFile(remote / "never-cached.exr");
  EXPECT_EQ(recorder.take().size(), 2u) << "a file that was not cached still counts as removed";
  EXPECT_TRUE(fs::is_directory(root)) << "the root stays";
  EXPECT_TRUE(fs::is_empty(root));
  EXPECT_EQ(engine.usedSpace(), 0u);
}

TEST_F(LocalisationEngineTest, StartUpDeletesLeftoverCopiesAndCountsTheRest) {
  writeFile(root / "_srv" / "a.exr", 40);
  writeFile(root / "_srv" / "a.exr.tmp", 1000);
  writeFile(root / "deep" / "b.exr.tmp", 1000);
  Engine engine(root);
  EXPECT_EQ(engine.usedSpace(), 40u);
  EXPECT_FALSE(fs::exists(root / "_srv" / "a.exr.tmp"));
  EXPECT_FALSE(fs::exists(root / "deep" / "b.exr.tmp"));
  EXPECT_EQ(engine.reportLocalFiles(), std::set<std::string>{"/srv/a.exr"});

  EXPECT_THROW(Engine(directory.path() / "no-such-root"), fs::filesystem_error);
}

TEST_F(LocalisationEngineTest, CopiesMadeBehindTheEnginesBackNeverWrapTheTotal) {
  Engine engine(root);
  engine.setDiskSizeLimit(Engine::eMaximumUsage, 1000);
  engine.addFileEventObserver(&recorder);
  writeFile(remote / "counted.exr", 50);
  engine.localiseFile(remote / "counted.exr");
  ASSERT_EQ(engine.usedSpace(), 50u);

  // Someone drops a 300-byte file into the cache; the engine does not know it.
  writeFile(remote / "stranger.exr", 300, 1600000000);
  writeFile(engine.localPathFor(remote / "stranger.exr"), 300, 1500000000);
  engine.removeFile(remote / "stranger.exr");
  EXPECT_EQ(engine.usedSpace(), 50u) << "recounted after the deletion, not wrapped below zero";
  EXPECT_EQ(engine.usedSpace(), Engine(root).usedSpace());

  // The same when a re-localisation replaces the unknown copy.
  writeFile(engine.localPathFor(remote / "stranger.exr"), 300, 1500000000);
  engine.localiseFile(remote / "stranger.exr");
  EXPECT_EQ(engine.usedSpace(), 350u);
  EXPECT_EQ(engine.usedSpace(), Engine(root).usedSpace());

  // And later copies are still judged by a sane total.
  writeFile(remote / "next.exr", 100);
  engine.localiseFile(remote / "next.exr");
  EXPECT_EQ(recorder.take().back(), std::make_pair((remote / "next.exr").string(), Engine::eFileLocalised));
}

TEST_F(LocalisationEngineTest, NothingOutsideTheRootIsCreatedReadOrDeleted) {
  Engine engine(root);
  engine.setDiskSizeLimit(Engine::eMaximumUsage, 1 << 20);
  engine.addFileEventObserver(&recorder);
  // From remote/sub, "../file.exr" and "a/../../file.exr" name remote/file.exr, and their local
  // paths, resolved, name <directory>/file.exr beside the cache.
  writeFile(remote / "file.exr", 64);
  fs::create_directories(remote / "sub" / "a");
  writeFile(directory.path() / "file.exr", 32, 1500000000, 'v');
  writeFile(root / "kept.exr", 5);
  const auto before = snapshot(directory.path());

  WorkingDirectory inside(remote / "sub");
  for (const std::string source : {"../file.exr", "a/../../file.exr"}) {
    ASSERT_EQ(engine.localPathFor(source).lexically_normal(),
              (directory.path() / "file.exr").lexically_normal());
    engine.checkFile(source);
    EXPECT_EQ(recorder.take(), single(source, Engine::eSourceMissing));
    engine.localiseFile(source);
    engine.removeFile(source);
    EXPECT_TRUE(recorder.take().empty());
  }
  // A source that names the root itself is refused too: the root is never removed.
  engine.removeFile("kept.exr/..");
  engine.removeFile(".");
  EXPECT_TRUE(recorder.take().empty());
  EXPECT_EQ(snapshot(directory.path()), before);

  // A name that stays inside once resolved is used as written.
  writeFile(remote / "sub" / "x.exr", 8);
  engine.localiseFile("a/../x.exr");
  EXPECT_EQ(recorder.take(), single("a/../x.exr", Engine::eFileLocalised));
  EXPECT_EQ(engine.localPathFor("a/../x.exr").string(), root.string() + "/a/../x.exr");
  EXPECT_TRUE(fs::exists(root / "x.exr"));
}

TEST_F(LocalisationEngineTest, ObserversAreRegisteredOnce) {
  Engine engine(root);
  EventRecorder other;
  engine.addFileEventObserver(&recorder);
  engine.addFileEventObserver(&recorder);
  engine.addFileEventObserver(&other);
  engine.checkFile(remote / "missing");
  EXPECT_EQ(recorder.take().size(), 1u);
  EXPECT_EQ(other.take().size(), 1u);
  engine.removeFileEventObserver(&recorder);
  engine.removeFileEventObserver(nullptr);
  engine.checkFile(remote / "missing");
  EXPECT_EQ(recorder.count(), 0u);
  EXPECT_EQ(other.count(), 1u);
}

} // namespace
