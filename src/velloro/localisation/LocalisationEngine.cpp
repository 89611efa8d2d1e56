#include <velloro/localisation/LocalisationEngine.h>
#include <velloro/localisation/internal/CacheDirectory.h>
#include <velloro/localisation/internal/SlottedSharedMutex.h>

#include <boost/filesystem/operations.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// The source's name below the root: a leading "/" or "//" becomes "_" or "__", a drive "X:"
// becomes "X_".
std::string mappedName(const fs::path& source) {
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
  return text;
}

// Left behind by a copy that never finished (or under way in another engine).
bool isLeftoverName(std::string_view name) {
  return name.size() >= 4 && name.compare(name.size() - 4, 4, ".tmp") == 0;
}

bool sameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Copies what the input holds into the output, stopping once more than limit bytes went over.
// The number of bytes written, or -1 with errno set.
std::int64_t copyContents(int input, int output, bool knownSize, std::uint64_t limit) {
  constexpr std::size_t kRangeChunk = std::size_t(8) << 20;
  constexpr std::size_t kBufferSize = std::size_t(1) << 20;
  std::uint64_t copied = 0;
  // Files whose size is unknown (such as those in /proc) may not support copy_file_range.
  bool useRange = knownSize;
  std::unique_ptr<char[]> buffer;
  while (copied <= limit) {
    ssize_t count = 0;
    if (useRange) {
      count = ::copy_file_range(input, nullptr, output, nullptr, kRangeChunk, 0);
      if (count < 0 && copied == 0 &&
          (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
        useRange = false;
        continue;
      }
    } else {
      if (!buffer) {
        buffer.reset(new char[kBufferSize]);
      }
      count = ::read(input, buffer.get(), kBufferSize);
      for (ssize_t written = 0; count > 0 && written < count;) {
        const ssize_t step =
            ::write(output, buffer.get() + written, static_cast<std::size_t>(count - written));
        if (step < 0 && errno != EINTR) {
          return -1;
        }
        written += std::max<ssize_t>(step, 0);
      }
    }
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      return -1;
    }
    if (count == 0 && useRange) {
      // Some file systems end copy_file_range early; a read tells whether more is there.
      char probe = 0;
      count = ::read(input, &probe, 1);
      if (count > 0 && ::write(output, &probe, 1) != 1) {
        return -1;
      }
      useRange = false;
      if (count < 0 && errno == EINTR) {
        continue;
      }
    }
    if (count < 0) {
      return -1;
    }
    if (count == 0) {
      break;
    }
    copied += static_cast<std::uint64_t>(count);
  }
  return static_cast<std::int64_t>(copied);
}

} // namespace

struct LocalisationEngine::FileStat {
  bool exists = false;
  bool regular = false;
  std::uint64_t size = 0;
  timespec modified{};

  // A copy matches its source with the same size and modification time. Copies stamped by
  // earlier versions carry whole seconds only, so a copy without a fraction compares by seconds.
  bool matchedBy(const FileStat& copy) const {
    return size == copy.size && modified.tv_sec == copy.modified.tv_sec &&
           (copy.modified.tv_nsec == 0 || copy.modified.tv_nsec == modified.tv_nsec);
  }
};

namespace {

template <typename Stat> void fillFrom(Stat& stat, const struct ::stat& status) {
  stat.exists = true;
  stat.regular = S_ISREG(status.st_mode);
  stat.size = static_cast<std::uint64_t>(status.st_size);
  stat.modified = status.st_mtim;
}

} // namespace

LocalisationEngine::LocalisationEngine(const fs::path& root)
    : m_root(normalisedText(root))
    , m_rootText(normalisedText(root))
    , m_cache(std::make_unique<CacheDirectory>(m_rootText))
    , m_observerMutex(std::make_unique<SlottedSharedMutex>()) {
  const bool alone = m_cache->startAlone();
  std::uint64_t total = 0;
  m_cache->scan([&](const CacheDirectory::ScanEntry& entry) {
    if (!isLeftoverName(entry.name)) {
      total += entry.size;
    } else if (alone) {
      ::unlinkat(entry.directory, entry.name, 0);
    }
  });
  m_cache->finishStartup();
  m_usedSpace = total;
}

LocalisationEngine::~LocalisationEngine() = default;

void LocalisationEngine::addFileEventObserver(FileEventObserver* observer) {
  std::unique_lock<SlottedSharedMutex> lock(*m_observerMutex);
  if (std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
    m_observers.push_back(observer);
  }
}

void LocalisationEngine::removeFileEventObserver(FileEventObserver* observer) {
  std::unique_lock<SlottedSharedMutex> lock(*m_observerMutex);
  m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void LocalisationEngine::notifyObservers(const std::string& sourcePath, FileEvent event) {
  std::shared_lock<SlottedSharedMutex> lock(*m_observerMutex);
  for (FileEventObserver* observer : m_observers) {
    observer->onFileEvent(sourcePath, event);
  }
}

LocalisationEngine::FileStat LocalisationEngine::statSource(const fs::path& source) {
  FileStat stat;
  struct ::stat status {};
  if (::stat(source.c_str(), &status) == 0) {
    fillFrom(stat, status);
  }
  return stat;
}

LocalisationEngine::FileStat LocalisationEngine::statLocal(const CachePath& path, bool keptFolder) const {
  FileStat stat;
  struct ::stat status {};
  int result = -1;
  if (keptFolder) {
    bool folderOpened = false;
    result = m_cache->statInKeptDirectory(path.folder(), path.name(), status, folderOpened);
    if (result != 0 && folderOpened) {
      // The kept folder may have been deleted and made anew since: only a fresh one can tell.
      m_cache->forgetDirectory(path.folder());
      keptFolder = false;
    }
  }
  if (!keptFolder) {
    const FileDescriptor folder = m_cache->openDirectory(std::string(path.folder()), false);
    result = folder ? ::fstatat(folder.get(), path.name(), &status, AT_SYMLINK_NOFOLLOW) : -1;
  }
  // A link at the copy's name is not a copy: it is never followed.
  if (result == 0 && !S_ISLNK(status.st_mode)) {
    fillFrom(stat, status);
  }
  return stat;
}

fs::path LocalisationEngine::localPathFor(const fs::path& source) const {
  return fs::path(localTextFor(source));
}

std::string LocalisationEngine::localTextFor(const fs::path& source) const {
  return m_rootText + "/" + mappedName(source);
}

bool LocalisationEngine::acceptsSource(const fs::path& source) const {
  CachePath path;
  return cachePathFor(source, path);
}

bool LocalisationEngine::cachePathFor(const fs::path& source, CachePath& path) const {
  path.text.clear();
  path.nameStart = 0;
  if (source.native().find('\\') != std::string::npos) {
    return false;
  }
  // The mapped name's components that name something, joined by single slashes, compacted in
  // place: each is moved left over what was dropped before it.
  std::string text = mappedName(source);
  std::size_t length = 0;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('/', start), text.size());
    const std::string_view component(text.data() + start, end - start);
    start = end + 1;
    if (component == "..") {
      return false;
    }
    if (component.empty() || component == ".") {
      continue;
    }
    if (length != 0) {
      text[length++] = '/';
    }
    path.nameStart = length;
    std::copy(component.begin(), component.end(), text.begin() + static_cast<std::ptrdiff_t>(length));
    length += component.size();
  }
  text.resize(length);
  path.text = std::move(text);
  return length != 0 && !isLeftoverName(path.name());
}

std::string LocalisationEngine::sourcePathFor(const fs::path& localPath) const {
  std::string text = normalisedText(localPath);
  const bool longerThanRoot = text.size() > m_rootText.size();
  text.erase(0, std::min(text.size(), m_rootText.size()));
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

std::pair<LocalisationEngine::StorageLimitMode, std::uint64_t> LocalisationEngine::getDiskSizeLimit() const {
  for (;;) {
    const std::uint64_t before = m_limitSequence.load();
    if (before % 2 == 0) {
      const int mode = m_limitMode.load();
      const std::uint64_t limit = m_sizeLimit.load();
      if (m_limitSequence.load() == before) {
        return {static_cast<StorageLimitMode>(mode), limit};
      }
    }
    std::this_thread::yield();
  }
}

void LocalisationEngine::setDiskSizeLimit(StorageLimitMode mode, std::uint64_t bytes) {
  std::uint64_t sequence = m_limitSequence.load();
  while (sequence % 2 != 0 || !m_limitSequence.compare_exchange_weak(sequence, sequence + 1)) {
    std::this_thread::yield();
    sequence = m_limitSequence.load();
  }
  m_limitMode.store(mode);
  m_sizeLimit.store(bytes);
  m_limitSequence.store(sequence + 2);
}

std::uint64_t LocalisationEngine::maximumSpaceUsage() const {
  const auto [mode, limit] = getDiskSizeLimit();
  if (mode != eMinimumFree) {
    return limit;
  }
  const fs::space_info volume = fs::space(m_root);
  const std::uint64_t used = m_usedSpace.load();
  const std::uint64_t usable = used + std::min<std::uint64_t>(volume.available, UINT64_MAX - used);
  return usable > limit ? usable - limit : 0;
}

std::uint64_t LocalisationEngine::roomFor(std::uint64_t maximumUsage, const FileStat& localCopy) const {
  const std::uint64_t used = m_usedSpace.load();
  const std::uint64_t ownCopy = localCopy.regular ? localCopy.size : 0;
  const std::uint64_t usedByOthers = used > ownCopy ? used - ownCopy : 0;
  return maximumUsage > usedByOthers ? maximumUsage - usedByOthers : 0;
}

void LocalisationEngine::releaseUsedSpace(std::uint64_t bytes) {
  std::uint64_t used = m_usedSpace.load();
  while (bytes <= used) {
    if (m_usedSpace.compare_exchange_weak(used, used - bytes)) {
      return;
    }
  }
  // The file was counted less than it holds (it arrived behind the engine's back).
  m_usedSpace = calculateUsedSpace();
}

void LocalisationEngine::checkFile(const fs::path& source) {
  CachePath path;
  const FileStat sourceStat = cachePathFor(source, path) ? statSource(source) : FileStat();
  if (!sourceStat.exists) {
    notifyObservers(source.string(), eSourceMissing);
    return;
  }
  const FileStat localStat = statLocal(path, true);
  if (!localStat.exists) {
    notifyObservers(source.string(), eNotLocal);
    return;
  }
  const std::uint64_t maximumUsage = maximumSpaceUsage();
  if (sourceStat.matchedBy(localStat) || sourceStat.size > roomFor(maximumUsage, localStat)) {
    // A changed source that could not be copied anyway leaves the copy as good as it gets.
    notifyObservers(source.string(), eUpToDate);
  } else {
    notifyObservers(source.string(), eOutOfDate);
  }
}

void LocalisationEngine::localiseFile(const fs::path& source) {
  CachePath path;
  if (!cachePathFor(source, path)) {
    return;
  }
  const FileStat sourceStat = statSource(source);
  const FileStat localStat = statLocal(path, false);
  const std::uint64_t maximumUsage = maximumSpaceUsage();
  if (!sourceStat.exists || (localStat.exists && sourceStat.matchedBy(localStat))) {
    return;
  }
  const std::uint64_t room = roomFor(maximumUsage, localStat);
  if (sourceStat.size > room) {
    notifyObservers(source.string(), eInsufficientSpace);
    return;
  }
  switch (copyIntoCache(source, sourceStat, path, localStat, room)) {
  case eCopied:
    notifyObservers(source.string(), eFileLocalised);
    break;
  case eNoSpaceOnDevice:
    notifyObservers(source.string(), eDiskFull);
    break;
  case eOverran:
    notifyObservers(source.string(), eInsufficientSpace);
    break;
  case eCopyFailed:
    break;
  }
}

LocalisationEngine::CopyOutcome
LocalisationEngine::copyIntoCache(const fs::path& source, const FileStat& sourceStat, const CachePath& path,
                                  const FileStat& localCopy, std::uint64_t room) {
  // Reading a FIFO or a device could block or never end.
  if (!sourceStat.regular) {
    return eCopyFailed;
  }
  FileDescriptor input(::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct ::stat before {};
  if (!input || ::fstat(input.get(), &before) != 0 || !S_ISREG(before.st_mode)) {
    return eCopyFailed;
  }
  const char* name = path.name();
  FileDescriptor directory = m_cache->openDirectory(std::string(path.folder()), true);
  std::string temporary;
  FileDescriptor output;
  // Undoes what the attempt left: the temporary file and the folders made for it.
  const auto fail = [&](int error, CopyOutcome outcome = eCopyFailed) {
    if (!temporary.empty()) {
      ::unlinkat(directory.get(), temporary.c_str(), 0);
    }
    output.close();
    directory.close();
    m_cache->removeEmptyDirectories(std::string(path.folder()));
    return error == ENOSPC ? eNoSpaceOnDevice : outcome;
  };
  if (!directory) {
    return fail(errno);
  }
  if (localCopy.exists) {
    if (::unlinkat(directory.get(), name, localCopy.regular ? 0 : AT_REMOVEDIR) == 0) {
      if (localCopy.regular) {
        releaseUsedSpace(localCopy.size);
      }
    } else if (errno != ENOENT) {
      return fail(errno);
    }
  }

  // A name of this engine's own, short enough for any directory, never another's copy.
  static std::atomic<std::uint64_t> s_copyNumber{0};
  // The owner's execute bit decides for everyone; the special bits never pass.
  const mode_t mode = (before.st_mode & S_IXUSR) ? (before.st_mode & 0777) : (before.st_mode & 0666);
  for (int attempt = 0; !output && attempt < 8; ++attempt) {
    temporary = ".copy-" + std::to_string(::getpid()) + "-" + std::to_string(++s_copyNumber) + ".tmp";
    output = FileDescriptor(::openat(directory.get(), temporary.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!output && errno != EEXIST) {
      const int error = errno;
      temporary.clear();
      return fail(error);
    }
  }
  if (!output) {
    temporary.clear();
    return fail(EEXIST);
  }

  const std::int64_t copied = copyContents(input.get(), output.get(), before.st_size > 0, room);
  if (copied < 0) {
    return fail(errno);
  }
  if (std::uint64_t(copied) > room) {
    return fail(0, eOverran);
  }
  // A source written to while it was copied leaves a copy that is no version of it.
  struct ::stat after {};
  if (::fstat(input.get(), &after) != 0 || after.st_size != before.st_size ||
      !sameTime(after.st_mtim, before.st_mtim) || (before.st_size > 0 && copied != before.st_size)) {
    return fail(0);
  }
  // Stamped before it takes its name, so that no one ever sees the copy with another time.
  const timespec times[2] = {{0, UTIME_OMIT}, before.st_mtim};
  if (::futimens(output.get(), times) != 0) {
    return fail(errno);
  }
  if (const int error = output.close()) {
    return fail(error);
  }
  if (::renameat(directory.get(), temporary.c_str(), directory.get(), name) != 0) {
    return fail(errno);
  }
  m_usedSpace += std::uint64_t(copied);
  return eCopied;
}

void LocalisationEngine::removeFile(const fs::path& source) {
  CachePath path;
  if (!cachePathFor(source, path)) {
    return;
  }
  FileDescriptor directory = m_cache->openDirectory(std::string(path.folder()), false);
  if (!directory) {
    // Nothing is cached there; a link in the way (ELOOP) leads out of the cache and is left.
    if (errno == ENOENT || errno == ENOTDIR) {
      notifyObservers(source.string(), eFileRemoved);
    }
  } else {
    const char* name = path.name();
    struct ::stat status {};
    const bool statusRead = ::fstatat(directory.get(), name, &status, AT_SYMLINK_NOFOLLOW) == 0;
    const bool isDirectory = statusRead && S_ISDIR(status.st_mode);
    if (::unlinkat(directory.get(), name, isDirectory ? AT_REMOVEDIR : 0) == 0) {
      if (!statusRead) {
        // What was deleted was never measured: only a recount knows the total now.
        m_usedSpace = calculateUsedSpace();
      } else if (S_ISREG(status.st_mode)) {
        releaseUsedSpace(static_cast<std::uint64_t>(status.st_size));
      }
      notifyObservers(source.string(), eFileRemoved);
    } else if (errno == ENOENT) {
      notifyObservers(source.string(), eFileRemoved);
    }
    directory.close();
  }
  m_cache->removeEmptyDirectories(std::string(path.folder()));
}

std::uint64_t LocalisationEngine::calculateUsedSpace() const {
  std::uint64_t total = 0;
  m_cache->scan([&total](const CacheDirectory::ScanEntry& entry) {
    if (!isLeftoverName(entry.name)) {
      total += entry.size;
    }
  });
  return total;
}

std::set<std::string> LocalisationEngine::reportLocalFiles() const {
  std::set<std::string> sources;
  for (auto& [source, size] : reportLocalFileSizes()) {
    sources.insert(sources.end(), source);
  }
  return sources;
}

std::map<std::string, std::uint64_t> LocalisationEngine::reportLocalFileSizes() const {
  std::map<std::string, std::uint64_t> sources;
  const std::string prefix = m_rootText + "/";
  std::string local;
  m_cache->scan([&](const CacheDirectory::ScanEntry& entry) {
    if (!isLeftoverName(entry.name)) {
      local.assign(prefix).append(entry.relativePath);
      sources.emplace(sourcePathFor(local), entry.size);
    }
  });
  return sources;
}

} // namespace Velloro
