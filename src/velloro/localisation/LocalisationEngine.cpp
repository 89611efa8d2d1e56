#include <velloro/localisation/LocalisationEngine.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/system/error_code.hpp>

#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <shared_mutex>
#include <string_view>
#include <thread>

namespace fs = boost::filesystem;

namespace Velloro {

namespace {

// Narrow text with forward slashes and no single trailing slash (a short root such as "/" or
// "C:/" keeps it).
std::string normalisedText(const fs::path& path) {
  std::string text = path.string();
  std::replace(text.begin(), text.end(), '\\', '/');
  if (text.size() > 2 && text.back() == '/') {
    text.pop_back();
  }
  return text;
}

// The components of a path once "." and ".." are resolved without asking the file system. A
// leading "/" is a component of its own; a ".." that climbs above the start of a relative path
// is kept, so it can only stand at the front.
std::vector<std::string> lexicalComponents(const std::string& text) {
  std::vector<std::string> components;
  if (!text.empty() && text.front() == '/') {
    components.emplace_back("/");
  }
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('/', start);
    if (end == std::string::npos) {
      end = text.size();
    }
    const std::string component = text.substr(start, end - start);
    if (component == "..") {
      if (components.empty() || components.back() == "..") {
        components.push_back(component);
      } else if (components.back() != "/") {
        components.pop_back();
      }
    } else if (!component.empty() && component != ".") {
      components.push_back(component);
    }
    start = end + 1;
  }
  return components;
}

fs::path joinComponents(const std::vector<std::string>& components, std::size_t count) {
  std::string text;
  for (std::size_t index = 0; index < count; ++index) {
    if (!text.empty() && text.back() != '/') {
      text += '/';
    }
    text += components[index];
  }
  return fs::path(text);
}

bool isDeviceFull(const boost::system::error_code& error) {
  return error == boost::system::errc::no_space_on_device;
}

bool isLeftoverCopy(const fs::path& file) {
  return file.extension() == ".tmp";
}

} // namespace

struct LocalisationEngine::FileStat {
  bool exists = false;
  std::uint64_t size = 0;
  std::int64_t modificationTime = 0;

  bool sameAs(const FileStat& other) const {
    return size == other.size && modificationTime == other.modificationTime;
  }
};

LocalisationEngine::LocalisationEngine(const fs::path& root)
    : _root(normalisedText(root))
    , _rootText(normalisedText(root))
    , _rootComponents(lexicalComponents(_rootText)) {
  std::uint64_t total = 0;
  for (const fs::path& file : scanCache()) {
    boost::system::error_code error;
    if (isLeftoverCopy(file)) {
      fs::remove(file, error);
      continue;
    }
    const std::uint64_t size = fs::file_size(file, error);
    if (!error) {
      total += size;
    }
  }
  _usedSpace = total;
}

LocalisationEngine::~LocalisationEngine() = default;

void LocalisationEngine::addFileEventObserver(FileEventObserver* observer) {
  std::unique_lock<std::shared_mutex> lock(_observerMutex);
  if (std::find(_observers.begin(), _observers.end(), observer) == _observers.end()) {
    _observers.push_back(observer);
  }
}

void LocalisationEngine::removeFileEventObserver(FileEventObserver* observer) {
  std::unique_lock<std::shared_mutex> lock(_observerMutex);
  _observers.erase(std::remove(_observers.begin(), _observers.end(), observer), _observers.end());
}

void LocalisationEngine::notifyObservers(const std::string& sourcePath, FileEvent event) {
  std::shared_lock<std::shared_mutex> lock(_observerMutex);
  for (FileEventObserver* observer : _observers) {
    observer->onFileEvent(sourcePath, event);
  }
}

LocalisationEngine::FileStat LocalisationEngine::statFile(const std::string& path) {
  FileStat stat;
#ifdef _WIN32
  struct _stat64 status;
  if (::_stat64(path.c_str(), &status) == 0) {
#else
  struct ::stat status;
  if (::stat(path.c_str(), &status) == 0) {
#endif
    stat.exists = true;
    stat.size = static_cast<std::uint64_t>(status.st_size);
    stat.modificationTime = static_cast<std::int64_t>(status.st_mtime);
  }
  return stat;
}

fs::path LocalisationEngine::localPathFor(const fs::path& source) const {
  return fs::path(localTextFor(source));
}

std::string LocalisationEngine::localTextFor(const fs::path& source) const {
  std::string text = normalisedText(source);
  if (!text.empty() && text.front() == '/') {
    for (std::size_t index = 0; index < std::min<std::size_t>(2, text.size()); ++index) {
      if (text[index] == '/') {
        text[index] = '_';
      }
    }
  } else {
    const std::size_t slash = text.find('/');
    if (slash != std::string::npos && slash > 0 && text[slash - 1] == ':') {
      text[slash - 1] = '_';
    }
  }
  return _rootText + "/" + text;
}

std::string LocalisationEngine::sourcePathFor(const fs::path& localPath) const {
  std::string text = normalisedText(localPath);
  const bool longerThanRoot = text.size() > _rootText.size();
  text.erase(0, std::min(text.size(), _rootText.size()));
  if (longerThanRoot && !text.empty() && text.front() == '/') {
    text.erase(0, 1);
  }
  if (!text.empty() && text.front() == '_') {
    for (std::size_t index = 0; index < std::min<std::size_t>(2, text.size()); ++index) {
      if (text[index] == '_') {
        text[index] = '/';
      }
    }
  } else {
    const std::size_t underscore = text.find('_');
    if (underscore != std::string::npos && underscore + 1 < text.size() && text[underscore + 1] == '/') {
      text[underscore] = ':';
    }
  }
  return text;
}

bool LocalisationEngine::liesInsideRoot(const std::string& text) const {
  // The common case, checked without splitting: root + "/" + a name with no component that
  // starts with a dot, so nothing that "." or ".." could resolve.
  if (text.size() > _rootText.size() + 1 && text.compare(0, _rootText.size(), _rootText) == 0 &&
      text[_rootText.size()] == '/') {
    const std::string_view name = std::string_view(text).substr(_rootText.size() + 1);
    if (name.front() != '.' && name.find("/.") == std::string_view::npos &&
        name.find_first_not_of('/') != std::string_view::npos) {
      return true;
    }
  }
  const std::vector<std::string> local = lexicalComponents(text);
  if (local.size() <= _rootComponents.size() ||
      !std::equal(_rootComponents.begin(), _rootComponents.end(), local.begin())) {
    return false;
  }
  return std::find(local.begin() + static_cast<std::ptrdiff_t>(_rootComponents.size()), local.end(), "..") ==
         local.end();
}

std::pair<LocalisationEngine::StorageLimitMode, std::uint64_t> LocalisationEngine::getDiskSizeLimit() const {
  for (;;) {
    const std::uint64_t before = _limitSequence.load();
    if (before % 2 == 0) {
      const int mode = _limitMode.load();
      const std::uint64_t limit = _sizeLimit.load();
      if (_limitSequence.load() == before) {
        return {static_cast<StorageLimitMode>(mode), limit};
      }
    }
    std::this_thread::yield();
  }
}

void LocalisationEngine::setDiskSizeLimit(StorageLimitMode mode, std::uint64_t bytes) {
  std::uint64_t sequence = _limitSequence.load();
  while (sequence % 2 != 0 || !_limitSequence.compare_exchange_weak(sequence, sequence + 1)) {
    std::this_thread::yield();
    sequence = _limitSequence.load();
  }
  _limitMode.store(mode);
  _sizeLimit.store(bytes);
  _limitSequence.store(sequence + 2);
}

std::uint64_t LocalisationEngine::maximumSpaceUsage() const {
  const auto [mode, limit] = getDiskSizeLimit();
  if (mode != eMinimumFree) {
    return limit;
  }
  const fs::space_info volume = fs::space(_root);
  const std::uint64_t used = _usedSpace.load();
  const std::uint64_t usable = used + std::min<std::uint64_t>(volume.available, UINT64_MAX - used);
  return usable > limit ? usable - limit : 0;
}

std::uint64_t LocalisationEngine::roomFor(std::uint64_t maximumUsage, const FileStat& localCopy) const {
  const std::uint64_t used = _usedSpace.load();
  const std::uint64_t ownCopy = localCopy.exists ? localCopy.size : 0;
  const std::uint64_t usedByOthers = used > ownCopy ? used - ownCopy : 0;
  return maximumUsage > usedByOthers ? maximumUsage - usedByOthers : 0;
}

void LocalisationEngine::releaseUsedSpace(std::uint64_t bytes) {
  std::uint64_t used = _usedSpace.load();
  while (bytes <= used) {
    if (_usedSpace.compare_exchange_weak(used, used - bytes)) {
      return;
    }
  }
  // The file was counted less than it holds (it arrived behind the engine's back).
  _usedSpace = calculateUsedSpace();
}

void LocalisationEngine::checkFile(const fs::path& source) {
  const std::string localPath = localTextFor(source);
  if (!liesInsideRoot(localPath)) {
    notifyObservers(source.string(), eSourceMissing);
    return;
  }
  const FileStat sourceStat = statFile(source.string());
  if (!sourceStat.exists) {
    notifyObservers(source.string(), eSourceMissing);
    return;
  }
  const FileStat localStat = statFile(localPath);
  if (!localStat.exists) {
    notifyObservers(source.string(), eNotLocal);
    return;
  }
  const std::uint64_t maximumUsage = maximumSpaceUsage();
  if (sourceStat.sameAs(localStat) || sourceStat.size > roomFor(maximumUsage, localStat)) {
    // A changed source that could not be copied anyway leaves the copy as good as it gets.
    notifyObservers(source.string(), eUpToDate);
  } else {
    notifyObservers(source.string(), eOutOfDate);
  }
}

void LocalisationEngine::localiseFile(const fs::path& source) {
  const std::string localPath = localTextFor(source);
  if (!liesInsideRoot(localPath)) {
    return;
  }
  const FileStat sourceStat = statFile(source.string());
  const FileStat localStat = statFile(localPath);
  const std::uint64_t maximumUsage = maximumSpaceUsage();
  if (!sourceStat.exists || (localStat.exists && sourceStat.sameAs(localStat))) {
    return;
  }
  if (sourceStat.size > roomFor(maximumUsage, localStat)) {
    notifyObservers(source.string(), eInsufficientSpace);
    return;
  }
  switch (copyIntoCache(source, sourceStat, localPath, localStat)) {
  case eCopied:
    notifyObservers(source.string(), eFileLocalised);
    break;
  case eNoSpaceOnDevice:
    notifyObservers(source.string(), eDiskFull);
    break;
  case eCopyFailed:
    break;
  }
}

LocalisationEngine::CopyOutcome LocalisationEngine::copyIntoCache(const fs::path& source,
                                                                  const FileStat& sourceStat,
                                                                  const fs::path& localPath,
                                                                  const FileStat& localCopy) {
  const fs::path temporary(localPath.string() + ".tmp");
  boost::system::error_code ignored;
  try {
    fs::create_directories(localPath.parent_path());
    fs::remove(temporary);
    if (fs::remove(localPath)) {
      releaseUsedSpace(localCopy.size);
    }
    boost::system::error_code copyError;
    fs::copy_file(source, temporary, fs::copy_options::none, copyError);
    if (copyError) {
      // A partial copy only takes space a full disk needs back.
      fs::remove(temporary, ignored);
      return isDeviceFull(copyError) ? eNoSpaceOnDevice : eCopyFailed;
    }
    // Counting what was copied keeps the total true even if the source changed meanwhile.
    const std::uint64_t copied = fs::file_size(temporary);
    fs::rename(temporary, localPath);
    _usedSpace += copied;
    fs::last_write_time(localPath, static_cast<std::time_t>(sourceStat.modificationTime));
    return eCopied;
  } catch (const fs::filesystem_error& error) {
    fs::remove(temporary, ignored);
    return isDeviceFull(error.code()) ? eNoSpaceOnDevice : eCopyFailed;
  }
}

void LocalisationEngine::removeFile(const fs::path& source) {
  const std::string localText = localTextFor(source);
  if (!liesInsideRoot(localText)) {
    return;
  }
  const fs::path localPath(localText);
  boost::system::error_code sizeError;
  const std::uint64_t size = fs::file_size(localPath, sizeError);
  boost::system::error_code removeError;
  fs::remove(localPath, removeError);
  if (!removeError) {
    if (!sizeError) {
      releaseUsedSpace(size);
    }
    notifyObservers(source.string(), eFileRemoved);
  }
  removeEmptiedDirectories(localPath);
}

void LocalisationEngine::removeEmptiedDirectories(const fs::path& localPath) const {
  const std::vector<std::string> local = lexicalComponents(normalisedText(localPath));
  // Walk from the parent up to, never including, the root.
  for (std::size_t count = local.size() - 1; count > _rootComponents.size(); --count) {
    const fs::path directory = joinComponents(local, count);
    boost::system::error_code error;
    if (!fs::is_directory(directory, error) || error || !fs::is_empty(directory, error) || error) {
      return;
    }
    fs::remove(directory, error);
    if (error) {
      return;
    }
  }
}

std::vector<fs::path> LocalisationEngine::scanCache() const {
  std::vector<fs::path> files;
  for (fs::recursive_directory_iterator entry(_root), end; entry != end; ++entry) {
    boost::system::error_code error;
    const fs::file_status status = entry->status(error);
    if (!error && fs::is_regular_file(status)) {
      files.push_back(entry->path());
    }
  }
  return files;
}

std::uint64_t LocalisationEngine::calculateUsedSpace() const {
  std::uint64_t total = 0;
  for (const fs::path& file : scanCache()) {
    boost::system::error_code error;
    const std::uint64_t size = isLeftoverCopy(file) ? 0 : fs::file_size(file, error);
    if (!error) {
      total += size;
    }
  }
  return total;
}

std::set<std::string> LocalisationEngine::reportLocalFiles() const {
  std::set<std::string> sources;
  for (const fs::path& file : scanCache()) {
    sources.insert(sourcePathFor(file));
  }
  return sources;
}

} // namespace Velloro
