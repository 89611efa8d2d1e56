// Localising through the queue against a plain one-thread copy of the same files; checking
// cached files through the queue (1 and 2 watchers, 10,000 and 100,000 files) against a plain
// loop of two stat calls per file; and the engine's start-up scan and the cache listing against
// an nftw walk of the same 100,000-file cache.
// VELLORO_BENCH_TINY shrinks 1,000 files of 1 MiB to 16 files of 64 KiB, the checked files to
// 200 and 400, and the scanned cache to 2,000 files.

#include <velloro/localisation/LocalisationEngine.h>
#include <velloro/localisation/LocalisationQueue.h>

#include <benchmark/benchmark.h>

#include <boost/filesystem.hpp>

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = boost::filesystem;
using Velloro::LocalisationEngine;
using Velloro::LocalisationQueue;

bool tiny() {
  return std::getenv("VELLORO_BENCH_TINY") != nullptr;
}

// The bench's files, made once per process and removed at exit.
class Workspace {
public:
  static Workspace& get() {
    static Workspace workspace;
    return workspace;
  }
  ~Workspace() {
    boost::system::error_code ignored;
    fs::remove_all(_directory, ignored);
  }

  const fs::path& directory() const { return _directory; }
  // Files to copy: 1 GiB in 1,000 files (tiny: 1 MiB in 16 files).
  const std::vector<std::string>& copySources() {
    if (_copySources.empty()) {
      const std::size_t count = tiny() ? 16 : 1000;
      const std::size_t size = tiny() ? 64 * 1024 : 1024 * 1024;
      _copySources = makeFiles(_directory / "remote" / "plates", count, size);
    }
    return _copySources;
  }
  // Files to check, each with a current copy in checkCache(count): count files of 256 bytes
  // (tiny: count / 50).
  const std::vector<std::string>& checkSources(std::size_t count) {
    std::vector<std::string>& sources = _checkSources[count];
    if (sources.empty()) {
      const fs::path folder = _directory / "remote" / ("frames" + std::to_string(count));
      sources = makeFiles(folder, tiny() ? count / 50 : count, 256);
      fs::create_directories(checkCache(count));
      LocalisationEngine engine(checkCache(count));
      engine.setDiskSizeLimit(LocalisationEngine::eMaximumUsage, std::uint64_t(1) << 40);
      for (const std::string& source : sources) {
        engine.localiseFile(source);
      }
      ::sync(); // the write-back of the new files does not compete with the checks
    }
    return sources;
  }
  fs::path checkCache(std::size_t count) const {
    return _directory / ("check-cache" + std::to_string(count));
  }
  // A cache of 100,000 files of 16 bytes in 100 folders (tiny: 2,000), written directly.
  const fs::path& scanCache() {
    if (_scanCache.empty()) {
      _scanCache = _directory / "scan-cache";
      const std::size_t count = tiny() ? 2000 : 100000;
      for (std::size_t index = 0; index < count; ++index) {
        const fs::path folder = _scanCache / "_mnt" / "shows" / ("shot" + std::to_string(index % 100));
        if (index < 100) {
          fs::create_directories(folder);
        }
        const std::string file = (folder / ("frame." + std::to_string(index) + ".exr")).string();
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, "0123456789abcdef", 16));
        ::close(fd);
      }
    }
    return _scanCache;
  }
  std::uint64_t totalSize(const std::vector<std::string>& files) const {
    std::uint64_t total = 0;
    for (const std::string& file : files) {
      total += fs::file_size(file);
    }
    return total;
  }

private:
  Workspace()
      : _directory(fs::temp_directory_path() / fs::unique_path("velloro-bench-%%%%-%%%%")) {
    fs::create_directories(_directory);
  }

  static std::vector<std::string> makeFiles(const fs::path& folder, std::size_t count, std::size_t size) {
    std::vector<std::string> files;
    std::mt19937_64 random(42);
    std::string block(size, '\0');
    for (std::size_t index = 0; index < count; ++index) {
      for (char& byte : block) {
        byte = static_cast<char>(random());
      }
      const fs::path file =
          folder / ("shot" + std::to_string(index / 100)) / ("f" + std::to_string(index) + ".exr");
      fs::create_directories(file.parent_path());
      std::ofstream(file.string(), std::ios::binary)
          .write(block.data(), static_cast<std::streamsize>(block.size()));
      files.push_back(file.string());
    }
    return files;
  }

  fs::path _directory;
  std::vector<std::string> _copySources;
  std::map<std::size_t, std::vector<std::string>> _checkSources;
  fs::path _scanCache;
};

// Polled finely enough that the wait adds little to a batch of a few tens of milliseconds.
void waitForQueue(const LocalisationQueue& queue) {
  while (queue.pendingTasks() != 0) {
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
}

class CountingObserver : public LocalisationEngine::FileEventObserver {
public:
  void onFileEvent(const std::string&, LocalisationEngine::FileEvent event) override {
    if (event == LocalisationEngine::eFileLocalised || event == LocalisationEngine::eUpToDate) {
      ++succeeded;
    }
  }
  std::atomic<std::size_t> succeeded{0};
};

void BM_LocaliseThroughQueue(benchmark::State& state) {
  Workspace& workspace = Workspace::get();
  const std::vector<std::string>& sources = workspace.copySources();
  const fs::path cache = workspace.directory() / "localised";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(cache);
    fs::create_directories(cache);
    ::sync(); // neither side pays for the other's write-back
    state.ResumeTiming();
    LocalisationEngine engine(cache);
    engine.setDiskSizeLimit(LocalisationEngine::eMaximumUsage, std::uint64_t(1) << 40);
    CountingObserver observer;
    engine.addFileEventObserver(&observer);
    LocalisationQueue queue(engine);
    for (const std::string& source : sources) {
      queue.queueTask(LocalisationQueue::eLocaliseFile, 0, source);
    }
    waitForQueue(queue);
    if (observer.succeeded != sources.size()) {
      state.SkipWithError("not every file was localised");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * workspace.totalSize(sources)));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * sources.size()));
}

void BM_PlainCopy(benchmark::State& state) {
  Workspace& workspace = Workspace::get();
  const std::vector<std::string>& sources = workspace.copySources();
  const fs::path target = workspace.directory() / "copied";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(target);
    ::sync();
    state.ResumeTiming();
    for (const std::string& source : sources) {
      const std::filesystem::path destination = target.string() + source;
      std::filesystem::create_directories(destination.parent_path());
      std::filesystem::copy_file(source, destination);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * workspace.totalSize(sources)));
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * sources.size()));
}

// Arguments: the number of cached files, the number of watchers.
void BM_CheckThroughQueue(benchmark::State& state) {
  Workspace& workspace = Workspace::get();
  const std::size_t count = static_cast<std::size_t>(state.range(0));
  const std::vector<std::string>& sources = workspace.checkSources(count);
  LocalisationEngine engine(workspace.checkCache(count));
  engine.setDiskSizeLimit(LocalisationEngine::eMaximumUsage, std::uint64_t(1) << 40);
  CountingObserver observer;
  engine.addFileEventObserver(&observer);
  ::setenv("ORVIK_LOCALIZATION_NUMWATCHERS", std::to_string(state.range(1)).c_str(), 1);
  LocalisationQueue queue(engine);
  for (auto _ : state) {
    observer.succeeded = 0;
    for (const std::string& source : sources) {
      queue.queueTask(LocalisationQueue::eCheckFile, 0, source);
    }
    waitForQueue(queue);
    if (observer.succeeded != sources.size()) {
      state.SkipWithError("not every copy was current");
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * sources.size()));
}

// The engine's own part of a check, on the calling thread without the queue: what the queue
// adds is the difference to BM_CheckThroughQueue with 1 watcher. Argument: the number of files.
void BM_CheckFileDirectly(benchmark::State& state) {
  Workspace& workspace = Workspace::get();
  const std::size_t count = static_cast<std::size_t>(state.range(0));
  const std::vector<std::string>& sources = workspace.checkSources(count);
  std::vector<fs::path> paths(sources.begin(), sources.end());
  LocalisationEngine engine(workspace.checkCache(count));
  engine.setDiskSizeLimit(LocalisationEngine::eMaximumUsage, std::uint64_t(1) << 40);
  CountingObserver observer;
  engine.addFileEventObserver(&observer);
  for (auto _ : state) {
    observer.succeeded = 0;
    for (const fs::path& path : paths) {
      engine.checkFile(path);
    }
    if (observer.succeeded != sources.size()) {
      state.SkipWithError("not every copy was current");
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * sources.size()));
}

// Argument: the number of cached files.
void BM_PlainStatLoop(benchmark::State& state) {
  Workspace& workspace = Workspace::get();
  const std::size_t count = static_cast<std::size_t>(state.range(0));
  const std::vector<std::string>& sources = workspace.checkSources(count);
  LocalisationEngine engine(workspace.checkCache(count));
  std::vector<std::string> locals;
  for (const std::string& source : sources) {
    locals.push_back(engine.localPathFor(source).string());
  }
  for (auto _ : state) {
    std::size_t current = 0;
    for (std::size_t index = 0; index < sources.size(); ++index) {
      struct stat source;
      struct stat local;
      if (::stat(sources[index].c_str(), &source) == 0 && ::stat(locals[index].c_str(), &local) == 0 &&
          source.st_size == local.st_size && source.st_mtime == local.st_mtime) {
        ++current;
      }
    }
    benchmark::DoNotOptimize(current);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * sources.size()));
}

// The start-up scan: every file of the cache counted, leftovers looked for.
void BM_CacheStartupScan(benchmark::State& state) {
  const fs::path& cache = Workspace::get().scanCache();
  for (auto _ : state) {
    LocalisationEngine engine(cache);
    benchmark::DoNotOptimize(engine.usedSpace());
  }
}

// The listing: the source and size of every cached file, as text lines.
void BM_CacheListing(benchmark::State& state) {
  LocalisationEngine engine(Workspace::get().scanCache());
  for (auto _ : state) {
    std::string lines;
    for (const auto& [source, size] : engine.reportLocalFileSizes()) {
      lines.append(std::to_string(size)).append(" ").append(source).append("\n");
    }
    benchmark::DoNotOptimize(lines.data());
  }
}

// What `find CACHE -type f -printf '%s\n'` and `-printf '%s %p\n'` do, without starting a
// process: one nftw walk, one lstat per entry.
std::uint64_t s_walkTotal = 0;
std::string* s_walkLines = nullptr;

int addSize(const char*, const struct stat* status, int type, FTW*) {
  if (type == FTW_F && S_ISREG(status->st_mode)) {
    s_walkTotal += static_cast<std::uint64_t>(status->st_size);
  }
  return 0;
}

int addLine(const char* path, const struct stat* status, int type, FTW*) {
  if (type == FTW_F && S_ISREG(status->st_mode)) {
    s_walkLines->append(std::to_string(status->st_size)).append(" ").append(path).append("\n");
  }
  return 0;
}

void BM_NftwSizes(benchmark::State& state) {
  const fs::path& cache = Workspace::get().scanCache();
  for (auto _ : state) {
    s_walkTotal = 0;
    ::nftw(cache.c_str(), addSize, 64, FTW_PHYS);
    benchmark::DoNotOptimize(s_walkTotal);
  }
}

void BM_NftwListing(benchmark::State& state) {
  const fs::path& cache = Workspace::get().scanCache();
  for (auto _ : state) {
    std::string lines;
    s_walkLines = &lines;
    ::nftw(cache.c_str(), addLine, 64, FTW_PHYS);
    benchmark::DoNotOptimize(lines.data());
  }
}

// Whole-batch runs: a few iterations each, timed by the wall clock since the queue's work runs
// on its own threads.
BENCHMARK(BM_LocaliseThroughQueue)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CheckThroughQueue)
    ->Args({10000, 1})
    ->Args({10000, 2})
    ->Args({100000, 1})
    ->Args({100000, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_CheckFileDirectly)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainStatLoop)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CacheStartupScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NftwSizes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CacheListing)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_NftwListing)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
