#pragma once

#include <velloro/localisation/LocalisationEngine.h>

#include <boost/filesystem.hpp>

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <fstream>
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
