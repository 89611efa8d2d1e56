// Localising through the queue against a plain one-thread copy of the same files, and checking
// cached files through the queue against a plain loop of two stat calls per file.
// VELLORO_BENCH_TINY shrinks 1,000 files of 1 MiB to 16 files of 64 KiB, and 10,000 checked
// files to 200.

#include <velloro/localisation/LocalisationEngine.h>
#include <velloro/localisation/LocalisationQueue.h>

#include <benchmark/benchmark.h>

#include <boost/filesystem.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
  // Files to check, each with a current copy in checkCache(): 10,000 (tiny: 200).
  const std::vector<std::string>& checkSources() {
    if (_checkSources.empty()) {
      _checkSources = makeFiles(_directory / "remote" / "frames", tiny() ? 200 : 10000, 256);
      fs::create_directories(checkCache());
      LocalisationEngine engine(checkCache());
      engine.setDiskSizeLimit(LocalisationEngine::eMaximumUsage, std::uint64_t(1) << 40);
      for (const std::string& source : _checkSources) {
        engine.localiseFile(source);
      }
    }
    return _checkSources;
  }
  fs::path checkCache() const { return _directory / "check-cache"; }
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
  std::vector<std::string> _checkSources;
};

void waitForQueue(const LocalisationQueue& queue) {
  while (queue.pendingTasks() != 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
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

void BM_CheckThroughQueue(benchmark::State& state) {
  Workspace& workspace = Workspace::get();
  const std::vector<std::string>& sources = workspace.checkSources();
  LocalisationEngine engine(workspace.checkCache());
  engine.setDiskSizeLimit(LocalisationEngine::eMaximumUsage, std::uint64_t(1) << 40);
  CountingObserver observer;
  engine.addFileEventObserver(&observer);
  ::setenv("ORVIK_LOCALIZATION_NUMWATCHERS", "2", 1);
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

void BM_PlainStatLoop(benchmark::State& state) {
  Workspace& workspace = Workspace::get();
  const std::vector<std::string>& sources = workspace.checkSources();
  LocalisationEngine engine(workspace.checkCache());
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

// Whole-batch runs: a few iterations each, timed by the wall clock since the queue's work runs
// on its own threads.
BENCHMARK(BM_LocaliseThroughQueue)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainCopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CheckThroughQueue)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainStatLoop)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
