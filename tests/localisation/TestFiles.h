#pragma once

#include <velloro/localisation/LocalisationEngine.h>

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace LocalisationTesting {

namespace fs = boost::filesystem;
using Engine = Velloro::LocalisationEngine;
using Events = std::vector<std::pair<std::string, Engine::FileEvent>>;

// Writes size bytes (a pattern that depends on the seed) and sets the modification time.
inline void writeFile(const fs::path& path, std::uint64_t size, std::time_t modified = 1600000000,
                      char seed = 'a') {
  fs::create_directories(path.parent_path());
  std::string content(size, seed);
  for (std::size_t index = 0; index < content.size(); ++index) {
    content[index] = static_cast<char>(seed + index % 23);
  }
  std::ofstream(path.string(), std::ios::binary | std::ios::trunc) << content;
  fs::last_write_time(path, modified);
}

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path.string(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every entry below a folder but outside the excluded one, links as links, with size and
// modification time: what a test compares to show that nothing there changed.
inline std::map<std::string, std::pair<std::uint64_t, std::time_t>> snapshot(const fs::path& folder,
                                                                             const fs::path& excluded = {}) {
  std::map<std::string, std::pair<std::uint64_t, std::time_t>> entries;
  for (fs::recursive_directory_iterator entry(folder), end; entry != end; ++entry) {
    if (entry->path() == excluded) {
      entry.disable_recursion_pending();
      continue;
    }
    const fs::file_status status = fs::symlink_status(entry->path());
    entries[entry->path().string()] = {fs::is_regular_file(status) ? fs::file_size(entry->path()) : 0,
                                       fs::is_symlink(status) ? 0 : fs::last_write_time(entry->path())};
  }
  return entries;
}

// The files below a folder whose names end in ".tmp": copies under way or interrupted.
inline std::vector<fs::path> temporaryFiles(const fs::path& folder) {
  std::vector<fs::path> found;
  for (fs::recursive_directory_iterator entry(folder), end; entry != end; ++entry) {
    if (entry->path().extension() == ".tmp") {
      found.push_back(entry->path());
    }
  }
  return found;
}

// Records every file event; safe to call from several threads.
class EventRecorder : public Engine::FileEventObserver {
public:
  void onFileEvent(const std::string& sourcePath, Engine::FileEvent event) override {
    std::lock_guard<std::mutex> lock(_mutex);
    _events.emplace_back(sourcePath, event);
  }
  Events take() {
    std::lock_guard<std::mutex> lock(_mutex);
    return std::exchange(_events, {});
  }

private:
  std::mutex _mutex;
  Events _events;
};

// A cache root and a folder of "remote" sources side by side in a fresh temporary directory,
// removed with everything in it.
class CacheTest : public ::testing::Test {
protected:
  const fs::path directory = fs::temp_directory_path() / fs::unique_path("velloro-%%%%-%%%%-%%%%");
  const fs::path root = directory / "cache";
  const fs::path remote = directory / "remote";
  EventRecorder recorder;

  CacheTest() { fs::create_directories(root); }
  ~CacheTest() override {
    boost::system::error_code ignored;
    fs::remove_all(directory, ignored);
  }
  // An engine over the root with a maximum-usage limit, reporting to the recorder.
  std::unique_ptr<Engine> makeEngine(std::uint64_t limit) {
    auto engine = std::make_unique<Engine>(root);
    engine->setDiskSizeLimit(Engine::eMaximumUsage, limit);
    engine->addFileEventObserver(&recorder);
    return engine;
  }
};

} // namespace LocalisationTesting
