#pragma once

#include <velloro/localisation/LocalisationEngine.h>

#include <boost/filesystem.hpp>

#include <cstdint>
#include <ctime>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace LocalisationTesting {

// A fresh directory under the system's temporary directory, removed with everything in it.
class TemporaryDirectory {
public:
  TemporaryDirectory()
      : _path(boost::filesystem::temp_directory_path() /
              boost::filesystem::unique_path("velloro-%%%%-%%%%-%%%%")) {
    boost::filesystem::create_directories(_path);
  }
  ~TemporaryDirectory() {
    boost::system::error_code ignored;
    boost::filesystem::remove_all(_path, ignored);
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const boost::filesystem::path& path() const { return _path; }

private:
  boost::filesystem::path _path;
};

// Writes size bytes (a pattern that depends on the seed) and sets the modification time.
inline void writeFile(const boost::filesystem::path& path, std::uint64_t size,
                      std::time_t modified = 1600000000, char seed = 'a') {
  boost::filesystem::create_directories(path.parent_path());
  std::ofstream out(path.string(), std::ios::binary | std::ios::trunc);
  std::string block(1 << 16, seed);
  for (std::size_t index = 0; index < block.size(); ++index) {
    block[index] = static_cast<char>(seed + index % 23);
  }
  for (std::uint64_t written = 0; written < size;) {
    const std::uint64_t chunk = std::min<std::uint64_t>(block.size(), size - written);
    out.write(block.data(), static_cast<std::streamsize>(chunk));
    written += chunk;
  }
  out.close();
  boost::filesystem::last_write_time(path, modified);
}

inline std::string readFile(const boost::filesystem::path& path) {
  std::ifstream in(path.string(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every regular file and directory below a folder, with size and modification time.
inline std::map<std::string, std::pair<std::uint64_t, std::time_t>>
snapshot(const boost::filesystem::path& folder) {
  std::map<std::string, std::pair<std::uint64_t, std::time_t>> entries;
  for (boost::filesystem::recursive_directory_iterator entry(folder), end; entry != end; ++entry) {
    const bool regular = boost::filesystem::is_regular_file(entry->path());
    entries[entry->path().string()] = {regular ? boost::filesystem::file_size(entry->path()) : 0,
                                       boost::filesystem::last_write_time(entry->path())};
  }
  return entries;
}

// Records every file event; safe to call from several threads.
class EventRecorder : public Velloro::LocalisationEngine::FileEventObserver {
public:
  void onFileEvent(const std::string& sourcePath, Velloro::LocalisationEngine::FileEvent event) override {
    std::lock_guard<std::mutex> lock(_mutex);
    _events.emplace_back(sourcePath, event);
  }
  std::vector<std::pair<std::string, Velloro::LocalisationEngine::FileEvent>> take() {
    std::lock_guard<std::mutex> lock(_mutex);
    auto events = std::move(_events);
    _events.clear();
    return events;
  }
  std::size_t count() {
    std::lock_guard<std::mutex> lock(_mutex);
    return _events.size();
  }

private:
  std::mutex _mutex;
  std::vector<std::pair<std::string, Velloro::LocalisationEngine::FileEvent>> _events;
};

} // namespace LocalisationTesting
