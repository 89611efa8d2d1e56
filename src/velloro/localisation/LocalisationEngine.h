#pragma once

#include <velloro/VelloroExport.h>

#include <boost/filesystem/path.hpp>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Velloro {

class CacheDirectory;
class SlottedSharedMutex;

// One local cache directory (the root) and the three operations of localisation on one source
// file at a time: check whether the local copy is current, copy the source in, delete the copy.
// It keeps a running total of the bytes the cache holds, refuses copies that would exceed the
// storage limit, and reports each outcome to its observers. It never evicts on its own.
//
// A source maps to root + "/" + its path with slashes, where a leading "/" or "//" turns into
// "_" or "__" and a drive "X:" into "X_". Some sources have no place in the cache (see
// acceptsSource) and are never touched: checkFile reports eSourceMissing for them,
// localiseFile and removeFile ignore them.
//
// Files are reached relative to the root opened once at construction, never through a link
// planted inside the cache. A copy is written under a temporary name of its own that ends in
// ".tmp", stamped with the source's modification time and then renamed into place, so several
// engines (also in other processes) may share one root; each one's total may lag the others'
// work, but a recount is always true. A copy never carries setuid, setgid or sticky bits, and a
// source that changes while it is copied, or is not a regular file, is not copied. Copies and
// their folders are POSIX files reached through open directories (openat and its kin).
//
// Threads: checkFile may run on several threads at once, alongside one thread that runs
// localiseFile and removeFile (the queue's "Localiser" thread). Used space, limit and mode are
// atomics (the mode and limit read as one consistent pair), so any thread may read them and
// the host may set the limit at any time. Checks read through folders kept open for reading,
// a set for each of a few slots that threads are spread over, each under a lock of its own.
// Observers are called on the thread that did the operation, under a shared lock: they must be
// thread-safe and must not add or remove observers from inside onFileEvent.
class VELLORO_EXPORT LocalisationEngine {
public:
  enum StorageLimitMode : std::int32_t {
    eMaximumUsage = 0, // the limit is the most the cache may hold
    eMinimumFree = 1   // the limit is the space to leave free on the cache's volume
  };

  enum FileEvent : std::int32_t {
    eSourceMissing = 0,     // checkFile: the source cannot be examined
    eNotLocal = 1,          // checkFile: there is no local copy
    eUpToDate = 2,          // checkFile: the copy is current, or the changed source would not fit
    eOutOfDate = 3,         // checkFile: the copy differs and the source fits
    eFileLocalised = 4,     // localiseFile: the source was copied in
    eInsufficientSpace = 5, // localiseFile: the source is larger than the room left
    eDiskFull = 6,          // localiseFile: the device ran out of space while copying
    eFileRemoved = 7        // removeFile: the copy is gone (also when there was none)
  };

  // Implemented by the host; the engine never deletes an observer.
  class FileEventObserver {
  public:
    virtual ~FileEventObserver() = default;
    virtual void onFileEvent(const std::string& sourcePath, FileEvent event) = 0;
  };

  // Scans the root, deletes the ".tmp" files an interrupted copy left behind and counts the
  // rest. Throws boost::filesystem::filesystem_error if the root cannot be scanned. The limit
  // starts at 0 bytes of eMaximumUsage: nothing but empty files fits until setDiskSizeLimit.
  explicit LocalisationEngine(const boost::filesystem::path& root = boost::filesystem::path());
  virtual ~LocalisationEngine();
  LocalisationEngine(const LocalisationEngine&) = delete;
  LocalisationEngine& operator=(const LocalisationEngine&) = delete;

  void addFileEventObserver(FileEventObserver* observer);
  void removeFileEventObserver(FileEventObserver* observer);

  // Sends exactly one of eSourceMissing, eNotLocal, eUpToDate, eOutOfDate.
  void checkFile(const boost::filesystem::path& source);
  // Copies when the copy is missing or differs; sends eFileLocalised, eInsufficientSpace,
  // eDiskFull, or nothing (missing source, current copy, failed copy).
  void localiseFile(const boost::filesystem::path& source);
  // Deletes the local copy and the directories that deletion emptied; sends eFileRemoved when
  // the copy is gone.
  void removeFile(const boost::filesystem::path& source);

  // Whether the source has a copy of its own in the cache. Refused: names whose mapped path has
  // a ".." component or is empty, names with a backslash (on this platform a backslash is part
  // of a name, and the mapping would make it another file's copy), and names ending in ".tmp",
  // which could not be told from an interrupted copy.
  bool acceptsSource(const boost::filesystem::path& source) const;

  // Where the copy of a source lives; pure computation.
  boost::filesystem::path localPathFor(const boost::filesystem::path& source) const;
  // The source a local path stands for (the inverse of localPathFor, as far as names allow).
  std::string sourcePathFor(const boost::filesystem::path& localPath) const;

  boost::filesystem::path localisedFilesRootDirectory() const { return m_root; }
  std::pair<StorageLimitMode, std::uint64_t> getDiskSizeLimit() const;
  // Applies from the next check or copy; nothing is re-evaluated or deleted.
  void setDiskSizeLimit(StorageLimitMode mode, std::uint64_t bytes);
  // The limit itself, or in eMinimumFree: used + available on the root's volume - limit, at
  // least 0 (throws boost::filesystem::filesystem_error if the volume cannot be asked).
  std::uint64_t maximumSpaceUsage() const;
  std::uint64_t usedSpace() const { return m_usedSpace.load(); }
  // The source path of every file in the cache.
  std::set<std::string> reportLocalFiles() const;
  // The same with the size of each copy, from the same single walk of the cache.
  std::map<std::string, std::uint64_t> reportLocalFileSizes() const;

private:
  enum CopyOutcome { eCopied, eCopyFailed, eNoSpaceOnDevice, eOverran };
  struct FileStat;
  // A copy's place below the root, as one text "a/b/name": its folder ("a/b", empty for the
  // root) and its name.
  struct CachePath {
    std::string text;
    std::size_t nameStart = 0;
    std::string_view folder() const {
      return std::string_view(text).substr(0, nameStart ? nameStart - 1 : 0);
    }
    const char* name() const { return text.c_str() + nameStart; }
  };

  static FileStat statSource(const boost::filesystem::path& source);
  // For checks, through the folders kept open for reading; otherwise opened afresh.
  FileStat statLocal(const CachePath& path, bool keptFolder) const;
  std::string localTextFor(const boost::filesystem::path& source) const;
  // Where the copy goes below the root; false for a refused source.
  bool cachePathFor(const boost::filesystem::path& source, CachePath& path) const;
  std::uint64_t calculateUsedSpace() const;
  // Subtracts from the used space; a total that would fall below zero cannot be trusted, so
  // the cache is recounted instead.
  void releaseUsedSpace(std::uint64_t bytes);
  std::uint64_t roomFor(std::uint64_t maximumUsage, const FileStat& localCopy) const;
  CopyOutcome copyIntoCache(const boost::filesystem::path& source, const FileStat& sourceStat,
                            const CachePath& path, const FileStat& localCopy, std::uint64_t room);
  void notifyObservers(const std::string& sourcePath, FileEvent event);

  boost::filesystem::path m_root;
  std::string m_rootText;
  std::unique_ptr<CacheDirectory> m_cache;
  // Read by every check, on several threads: each reads through a slot of its own.
  std::unique_ptr<SlottedSharedMutex> m_observerMutex;
  std::vector<FileEventObserver*> m_observers;
  std::atomic<std::uint64_t> m_usedSpace{0};
  // The limit pair behind a sequence counter: odd while a writer changes it, so a reader that
  // saw the same even count before and after has read a consistent pair.
  mutable std::atomic<std::uint64_t> m_limitSequence{0};
  std::atomic<std::int32_t> m_limitMode{eMaximumUsage};
  std::atomic<std::uint64_t> m_sizeLimit{0};
};

} // namespace Velloro
