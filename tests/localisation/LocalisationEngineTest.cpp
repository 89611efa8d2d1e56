#include "TestFiles.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>

namespace {

using namespace LocalisationTesting;
using LocalisationEngineTest = CacheTest;

// Runs body in a child process; its exit status is what body returns.
pid_t runInChild(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::_exit(body());
  }
  return child;
}

int exitStatus(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the test body from another working directory, for relative roots and sources.
struct WorkingDirectory {
  const fs::path previous = fs::current_path();
  explicit WorkingDirectory(const fs::path& path) { fs::current_path(path); }
  ~WorkingDirectory() { fs::current_path(previous); }
};

TEST_F(LocalisationEngineTest, MapsSourcesToLocalPathsAndBack) {
  WorkingDirectory inside(directory);
  fs::create_directories("D:/cache");
  Engine engine("D:\\cache\\");
  EXPECT_EQ(engine.localisedFilesRootDirectory().string(), "D:/cache");

  // Source, local path, and the source the local path maps back to.
  const std::string mappings[][3] = {
      {"C:\\x\\y.exr", "D:/cache/C_/x/y.exr", "C:/x/y.exr"},
      {"//srv/share/a.exr", "D:/cache/__srv/share/a.exr", "//srv/share/a.exr"},
      {"\\\\srv\\share\\a.exr", "D:/cache/__srv/share/a.exr", "//srv/share/a.exr"},
      {"/media/shot/a.exr", "D:/cache/_media/shot/a.exr", "/media/shot/a.exr"},
      {"relative/a.exr", "D:/cache/relative/a.exr", "relative/a.exr"},
      {"C:/dir/", "D:/cache/C_/dir", "C:/dir"},
      // The naming cannot tell a leading underscore from a mapped slash.
      {"_take/a.exr", "D:/cache/_take/a.exr", "/take/a.exr"}};
  for (const auto& [source, local, back] : mappings) {
    EXPECT_EQ(engine.localPathFor(source).string(), local) << source;
    EXPECT_EQ(engine.sourcePathFor(local), back) << local;
  }
}

TEST_F(LocalisationEngineTest, ChecksCopiesAndRefusesByTheRoomLeft) {
  auto engine = makeEngine(0);             // only an empty file fits
  engine->addFileEventObserver(&recorder); // a second registration changes nothing
  const fs::path source = remote / "shot" / "a.exr";
  const std::string name = source.string();

  engine->checkFile(source);
  engine->localiseFile(source);
  EXPECT_EQ(recorder.take(), (Events{{name, Engine::eSourceMissing}}))
      << "localise is silent on a missing source";

  writeFile(source, 6, 1600000000);
  writeFile(remote / "empty.exr", 0);
  engine->localiseFile(source);
  engine->localiseFile(remote / "empty.exr");
  EXPECT_EQ(recorder.take(), (Events{{name, Engine::eInsufficientSpace},
                                     {(remote / "empty.exr").string(), Engine::eFileLocalised}}));
  EXPECT_FALSE(fs::exists(engine->localPathFor(source)));

  engine->setDiskSizeLimit(Engine::eMaximumUsage, 10);
  EXPECT_EQ(engine->getDiskSizeLimit(), std::make_pair(Engine::eMaximumUsage, std::uint64_t(10)));
  for (int round = 0; round < 2; ++round) {
    engine->checkFile(source);
    engine->localiseFile(source);
  }
  EXPECT_EQ(recorder.take(),
            (Events{{name, Engine::eNotLocal}, {name, Engine::eFileLocalised}, {name, Engine::eUpToDate}}));
  const fs::path local = engine->localPathFor(source);
  EXPECT_EQ(readFile(local), readFile(source));
  EXPECT_EQ(fs::last_write_time(local), 1600000000);
  EXPECT_EQ(engine->usedSpace(), 6u);

  // The copy's own bytes count as room: 10 - (6 - 6) leaves room for 9 bytes.
  writeFile(source, 9, 1600000100, 'k');
  engine->checkFile(source);
  engine->localiseFile(source);
  EXPECT_EQ(recorder.take(), (Events{{name, Engine::eOutOfDate}, {name, Engine::eFileLocalised}}));
  EXPECT_EQ(engine->usedSpace(), 9u);
  EXPECT_EQ(readFile(local), readFile(source));

  // A changed source that cannot fit: the check calls the copy current and it stays.
  writeFile(source, 11, 1600000200, 'q');
  engine->checkFile(source);
  engine->localiseFile(source);
  EXPECT_EQ(recorder.take(), (Events{{name, Engine::eUpToDate}, {name, Engine::eInsufficientSpace}}));
  EXPECT_EQ(fs::file_size(local), 9u);
  EXPECT_EQ(fs::last_write_time(local), 1600000100);

  // With a minimum to leave free, the cache may grow into what the volume has free beyond it.
  const std::uint64_t available = fs::space(root).available;
  engine->setDiskSizeLimit(Engine::eMinimumFree, 0);
  EXPECT_NEAR(double(engine->maximumSpaceUsage()), double(9 + available), 64.0 * 1024 * 1024);
  engine->setDiskSizeLimit(Engine::eMinimumFree, available + (std::uint64_t(1) << 40));
  EXPECT_EQ(engine->maximumSpaceUsage(), 0u);
}

TEST_F(LocalisationEngineTest, RemovesCopiesAndTheDirectoriesTheyEmptied) {
  auto engine = makeEngine(1000);
  const fs::path deep = remote / "a" / "b" / "c" / "one.exr";
  const fs::path shallow = remote / "a" / "two.exr";
  writeFile(deep, 10);
  writeFile(shallow, 20);
  engine->localiseFile(deep);
  engine->localiseFile(shallow);
  EXPECT_EQ(engine->usedSpace(), 30u);
  EXPECT_EQ(engine->reportLocalFiles(), (std::set<std::string>{deep.string(), shallow.string()}));
  recorder.take();

  engine->removeFile(deep);
  EXPECT_EQ(recorder.take(), (Events{{deep.string(), Engine::eFileRemoved}}));
  EXPECT_EQ(engine->usedSpace(), 20u);
  EXPECT_FALSE(fs::exists(engine->localPathFor(remote / "a" / "b"))) << "the emptied chain is gone";
  EXPECT_TRUE(fs::exists(engine->localPathFor(shallow))) << "a directory with other files stays";

  EventRecorder other;
  engine->addFileEventObserver(&other);
  engine->removeFileEventObserver(&recorder);
  engine->removeFileEventObserver(nullptr);
  engine->removeFile(shallow);
  engine->removeFile(remote / "never-cached.exr");
  EXPECT_EQ(other.take().size(), 2u) << "a file that was not cached still counts as removed";
  EXPECT_TRUE(recorder.take().empty()) << "a removed observer hears nothing";
  EXPECT_TRUE(fs::is_directory(root) && fs::is_empty(root)) << "the root stays, empty";
  EXPECT_EQ(engine->usedSpace(), 0u);

  // A folder that another engine deleted and made anew since the last check is looked at anew.
  engine->localiseFile(deep);
  engine->checkFile(deep);
  Engine second(root);
  second.setDiskSizeLimit(Engine::eMaximumUsage, 1000);
  second.removeFile(deep);
  second.localiseFile(deep);
  engine->checkFile(deep);
  EXPECT_EQ(other.take().back(), std::make_pair(deep.string(), Engine::eUpToDate));
}

TEST_F(LocalisationEngineTest, StartsFromARecountAndNeverWrapsTheTotal) {
  EXPECT_THROW(Engine(directory / "no-such-root"), fs::filesystem_error);
  writeFile(root / "deep" / "b.exr.tmp", 1000); // left by a copy that never finished: deleted, not counted
  auto engine = makeEngine(1000);
  EXPECT_FALSE(fs::exists(root / "deep" / "b.exr.tmp"));
  writeFile(remote / "counted.exr", 50);
  engine->localiseFile(remote / "counted.exr");
  ASSERT_EQ(engine->usedSpace(), 50u);

  // Someone drops a 300-byte copy into the cache behind the engine's back; the engine removes it,
  // then a re-localisation replaces it.
  const fs::path stranger = remote / "stranger.exr";
  writeFile(stranger, 300, 1600000000);
  writeFile(engine->localPathFor(stranger), 300, 1500000000);
  engine->removeFile(stranger);
  EXPECT_EQ(engine->usedSpace(), 50u) << "recounted after the deletion, not wrapped below zero";
  EXPECT_EQ(engine->usedSpace(), Engine(root).usedSpace());
  writeFile(engine->localPathFor(stranger), 300, 1500000000);
  engine->localiseFile(stranger);
  EXPECT_EQ(engine->usedSpace(), 350u);
  EXPECT_EQ(engine->usedSpace(), Engine(root).usedSpace());

  // Later copies are still judged by a sane total.
  writeFile(remote / "next.exr", 100);
  engine->localiseFile(remote / "next.exr");
  EXPECT_EQ(recorder.take().back(), std::make_pair((remote / "next.exr").string(), Engine::eFileLocalised));

  // An empty folder where a copy goes was never counted, so replacing it takes nothing off.
  engine->setDiskSizeLimit(Engine::eMaximumUsage, 1 << 20);
  writeFile(remote / "large.exr", 20000);
  engine->localiseFile(remote / "large.exr");
  fs::create_directories(engine->localPathFor(remote / "was-a-folder.exr"));
  writeFile(remote / "was-a-folder.exr", 6);
  engine->localiseFile(remote / "was-a-folder.exr");
  EXPECT_EQ(engine->usedSpace(), 20456u);
  EXPECT_EQ(engine->usedSpace(), Engine(root).usedSpace());
}

TEST_F(LocalisationEngineTest, NothingOutsideTheRootIsCreatedWrittenOrDeleted) {
  writeFile(root / "kept.exr", 5);
  auto engine = makeEngine(1 << 20);
  // From remote/sub, "../file.exr" and "a/../../file.exr" name remote/file.exr, and their local
  // paths, resolved, name <directory>/file.exr beside the cache.
  writeFile(remote / "file.exr", 64);
  fs::create_directories(remote / "sub" / "a");
  writeFile(directory / "file.exr", 32, 1500000000, 'v');
  // Links planted in the cache: a folder on the way to copies of media/shots, leading to the
  // sources themselves, and a copy's own name leading to a file beside the cache.
  const fs::path media = directory / "media";
  writeFile(media / "shots" / "s.exr", 40);
  writeFile(media / "shots" / "t.exr", 41);
  fs::create_directories(engine->localPathFor(media).parent_path());
  fs::create_symlink(media, engine->localPathFor(media));
  writeFile(remote / "linked.exr", 7);
  fs::create_directories(engine->localPathFor(remote));
  fs::create_symlink(directory / "file.exr", engine->localPathFor(remote / "linked.exr"));
  const auto before = snapshot(directory, root);

  WorkingDirectory inside(remote / "sub");
  for (const std::string source : {"../file.exr", "a/../../file.exr", "a/../x.exr", "kept.exr/..", "."}) {
    EXPECT_FALSE(engine->acceptsSource(source)) << source;
    engine->checkFile(source);
    EXPECT_EQ(recorder.take(), (Events{{source, Engine::eSourceMissing}}));
    engine->localiseFile(source);
    engine->removeFile(source);
    EXPECT_TRUE(recorder.take().empty());
  }
  for (const fs::path& source : {media / "shots" / "s.exr", media / "shots" / "t.exr"}) {
    engine->removeFile(source);
    engine->localiseFile(source);
    engine->removeFile(source);
  }
  EXPECT_TRUE(recorder.take().empty()) << "a link in the way is neither followed nor reported";
  engine->localiseFile(remote / "linked.exr");
  EXPECT_EQ(recorder.take(), (Events{{(remote / "linked.exr").string(), Engine::eFileLocalised}}));
  EXPECT_FALSE(fs::is_symlink(engine->localPathFor(remote / "linked.exr"))) << "the link was replaced";
  EXPECT_EQ(snapshot(directory, root), before);
  EXPECT_EQ(engine->usedSpace(), Engine(root).usedSpace());

  // A root that is itself a link is resolved once.
  fs::create_symlink(root, directory / "root-link");
  Engine throughLink(directory / "root-link");
  EXPECT_EQ(throughLink.usedSpace(), engine->usedSpace());
  writeFile(remote / "sub" / "x.exr", 8);
  throughLink.setDiskSizeLimit(Engine::eMaximumUsage, 1 << 20);
  throughLink.localiseFile(remote / "sub" / "x.exr");
  EXPECT_TRUE(fs::exists(engine->localPathFor(remote / "sub" / "x.exr")));
}

// A crafted name must not reach another file's copy, nor be mistaken for a copy under way; a
// name as long as a file name may be still has room for its temporary name.
TEST_F(LocalisationEngineTest, RefusesNamesThatWouldReachAnotherCopyOrLookTemporary) {
  auto engine = makeEngine(1 << 20);
  const fs::path shot = remote / "shot.exr";
  writeFile(shot, 10, 1600000000, 'g');
  engine->localiseFile(shot);
  // One file name whose backslashes, read as slashes, climb back to the copy of the shot.
  std::string crafted = "x\\..\\_" + shot.string().substr(1);
  std::replace(crafted.begin(), crafted.end(), '/', '\\');
  ASSERT_EQ(engine->localPathFor(crafted).lexically_normal(), engine->localPathFor(shot).lexically_normal());
  writeFile(remote / crafted, 10, 1600000000, 'p');
  writeFile(remote / "v.exr.tmp", 3);
  const std::string longName(251, 'n');
  writeFile(remote / (longName + ".exr"), 4);
  recorder.take();

  WorkingDirectory inside(remote);
  for (const std::string& source : {crafted, std::string("v.exr.tmp")}) {
    EXPECT_FALSE(engine->acceptsSource(source)) << source;
    engine->localiseFile(source);
    engine->checkFile(source);
    EXPECT_EQ(recorder.take(), (Events{{source, Engine::eSourceMissing}})) << source;
  }
  engine->localiseFile(longName + ".exr");
  EXPECT_EQ(recorder.take(), (Events{{longName + ".exr", Engine::eFileLocalised}}));
  engine->checkFile(shot);
  EXPECT_EQ(recorder.take(), (Events{{shot.string(), Engine::eUpToDate}}));
  EXPECT_EQ(readFile(engine->localPathFor(shot)), readFile(shot)) << "the copy was not poisoned";
}

// Only regular files are copied, by the bytes they really hold, and a copy never carries
// privileges: no setuid, setgid or sticky bit, and no execution by others the owner lacks.
TEST_F(LocalisationEngineTest, CopiesRegularFilesByTheirBytesAndNeverTheirPrivileges) {
  auto engine = makeEngine(1 << 20);
  const fs::path program = remote / "program";
  const fs::path odd = remote / "odd.exr";
  writeFile(program, 16);
  writeFile(odd, 16);
  ASSERT_EQ(::chmod(program.c_str(), 07755), 0);
  ASSERT_EQ(::chmod(odd.c_str(), 0645), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  engine->localiseFile(program);
  engine->localiseFile(odd);
  struct stat status {};
  ASSERT_EQ(::stat(engine->localPathFor(program).c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0755 & ~mask);
  ASSERT_EQ(::stat(engine->localPathFor(odd).c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0644 & ~mask);

  // A FIFO is refused without being opened (opening it would wait for a writer), and the
  // failed copy leaves no folder behind.
  fs::create_directories(remote / "pipes");
  ASSERT_EQ(::mkfifo((remote / "pipes" / "p.exr").c_str(), 0644), 0);
  engine->localiseFile(remote / "pipes" / "p.exr");
  EXPECT_FALSE(fs::exists(engine->localPathFor(remote / "pipes")));

  // A file whose size the file system does not tell is measured by what was copied.
  const fs::path proc("/proc/self/mountinfo");
  engine->setDiskSizeLimit(Engine::eMaximumUsage, engine->usedSpace());
  engine->localiseFile(proc);
  EXPECT_FALSE(fs::exists(engine->localPathFor(proc)));
  EXPECT_FALSE(fs::exists(engine->localPathFor(proc.parent_path().parent_path())));
  engine->setDiskSizeLimit(Engine::eMaximumUsage, 1 << 20);
  engine->localiseFile(proc);
  EXPECT_GT(fs::file_size(engine->localPathFor(proc)), 0u);
  EXPECT_EQ(recorder.take(), (Events{{program.string(), Engine::eFileLocalised},
                                     {odd.string(), Engine::eFileLocalised},
                                     {proc.string(), Engine::eInsufficientSpace},
                                     {proc.string(), Engine::eFileLocalised}}));
  EXPECT_EQ(engine->usedSpace(), Engine(root).usedSpace());
}

// Kills a process that is copying a file into the cache and checks what the next start finds.
TEST_F(LocalisationEngineTest, AKilledCopyLeavesNoTruncatedFileAndNoCountedPartialData) {
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
  const auto copying = [&] { return !temporaryFiles(local.parent_path()).empty(); };

  // The kill must land while the copy is under way; a copy that finished first is tried again
  // with a newer source time.
  bool killedMidCopy = false;
  for (int attempt = 0; attempt < 20 && !killedMidCopy; ++attempt) {
    fs::last_write_time(source, 1600000100 + attempt);
    const pid_t child = runInChild([&] {
      makeEngine(unlimited)->localiseFile(source);
      return 0;
    });
    ASSERT_NE(child, -1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int status = 0;
    while (!copying() && ::waitpid(child, &status, WNOHANG) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
      ::usleep(100);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    killedMidCopy = copying();
  }
  ASSERT_TRUE(killedMidCopy) << "the copy always finished before the kill";

  Engine restarted(root);
  EXPECT_FALSE(copying()) << "the next start deletes the partial copy";
  if (fs::exists(local)) {
    const std::string found = readFile(local);
    EXPECT_TRUE(found == previous || found == current) << "a truncated file of " << found.size() << " bytes";
  }
  const std::uint64_t expected = 1000 + (fs::exists(local) ? fs::file_size(local) : 0);
  EXPECT_EQ(restarted.usedSpace(), expected) << "no partial data is counted";
}

// Two processes copy the same sources into one cache while a third keeps starting engines on
// it: no copy under way is deleted, every copy reported is current, and a recount is true.
TEST_F(LocalisationEngineTest, ProcessesSharingOneCacheNeverSpoilEachOthersCopies) {
  std::vector<fs::path> sources;
  std::uint64_t total = 0;
  for (int index = 0; index < 24; ++index) {
    sources.push_back(remote / ("f" + std::to_string(index) + ".exr"));
    writeFile(sources.back(), (1 << 20) + index, 1600000000 + index, char('a' + index % 20));
    total += (1 << 20) + index;
  }
  // Each copier counts the files it left neither copied nor found current.
  const auto copier = [&](bool reversed) {
    return [&, reversed] {
      auto engine = makeEngine(std::uint64_t(1) << 40);
      int failures = 0;
      for (std::size_t step = 0; step < sources.size(); ++step) {
        const fs::path& source = sources[reversed ? sources.size() - 1 - step : step];
        recorder.take();
        engine->localiseFile(source);
        engine->checkFile(source);
        const Events events = recorder.take();
        failures += events.back().second != Engine::eUpToDate ||
                    (events.size() == 2 && events.front().second != Engine::eFileLocalised);
      }
      return std::min(failures, 100);
    };
  };
  const pid_t starter = runInChild([&] {
    while (!fs::exists(directory / "done")) {
      Engine restarted(root);
    }
    return 0;
  });
  const pid_t forward = runInChild(copier(false));
  const pid_t backward = runInChild(copier(true));
  EXPECT_EQ(exitStatus(forward), 0);
  EXPECT_EQ(exitStatus(backward), 0);
  writeFile(directory / "done", 0);
  EXPECT_EQ(exitStatus(starter), 0);

  Engine engine(root);
  for (const fs::path& source : sources) {
    EXPECT_EQ(fs::last_write_time(engine.localPathFor(source)), fs::last_write_time(source)) << source;
    EXPECT_EQ(readFile(engine.localPathFor(source)), readFile(source)) << source;
  }
  EXPECT_TRUE(temporaryFiles(root).empty());
  EXPECT_EQ(engine.usedSpace(), total);
}

// Generated names (backslashes, dots, underscores, ".tmp", long names) and links planted in the
// cache: after every step nothing outside the cache has changed and the total is a recount.
TEST_F(LocalisationEngineTest, RandomNamesAndPlantedLinksNeitherEscapeNorMiscount) {
  const fs::path outside = directory / "outside";
  writeFile(outside / "victim.exr", 11);
  fs::create_directories(remote);
  auto engine = makeEngine(4000);
  std::mt19937 random(20261206);
  const std::vector<std::string> pieces = {"a",  "b",    "_", ".",     "..",
                                           "\\", ".tmp", "/", "x.exr", std::string(120, 'l')};
  const auto pick = [&](std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
  };
  std::vector<std::string> names;
  WorkingDirectory inside(remote);
  auto before = snapshot(directory, root);
  for (int step = 0; step < 400; ++step) {
    if (names.empty() || pick(3) == 0) {
      std::string name;
      for (std::size_t count = 1 + pick(5); count > 0; --count) {
        name += pieces[pick(pieces.size())];
      }
      names.push_back(pick(4) == 0 ? (remote / name).string() : name);
      boost::system::error_code ignored;
      fs::create_directories(fs::path(names.back()).parent_path(), ignored);
      std::ofstream(names.back()) << std::string(pick(300), 'r');
      before = snapshot(directory, root);
    }
    const std::string& source = names[pick(names.size())];
    const fs::path local = engine->localPathFor(source).lexically_normal();
    boost::system::error_code ignored;
    switch (pick(5)) {
    case 0:
      engine->localiseFile(source);
      break;
    case 1:
      engine->removeFile(source);
      break;
    case 2:
      engine->checkFile(source);
      break;
    case 3: // a link where the copy's folder or the copy itself would be
      if (local.string().rfind(root.string() + "/", 0) == 0) {
        const fs::path at = pick(2) ? local : local.parent_path();
        fs::create_directories(at.parent_path(), ignored);
        fs::create_symlink(pick(2) ? outside : outside / "victim.exr", at, ignored);
      }
      break;
    default:
      engine->localiseFile(names[pick(names.size())]);
      engine->removeFile(names[pick(names.size())]);
    }
    ASSERT_EQ(snapshot(directory, root), before) << "step " << step << ": " << source;
    ASSERT_EQ(engine->usedSpace(), Engine(root).usedSpace()) << "step " << step << ": " << source;
  }
  EXPECT_GT(engine->usedSpace(), 0u);
}

} // namespace
