#pragma once

#include <boost/unordered/unordered_flat_map.hpp>
#include <cstdint>

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

struct stat;

namespace Velloro {

// An open file descriptor, closed when the holder goes.
class FileDescriptor {
public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd)
      : m_fd(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept
      : m_fd(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  ~FileDescriptor();
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return m_fd; }
  explicit operator bool() const { return m_fd >= 0; }
  int release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
  }
  // Closes now; the close's own error (a delayed write failure) as an errno value, or 0.
  int close();

private:
  int m_fd = -1;
};

// The cache root, opened once, and every file operation below it done relative to that open
// directory, one component at a time and never through a symbolic link: whatever links are
// planted inside the cache, nothing outside the root is created, written, renamed or deleted.
// A root that is itself a link is resolved once, when it is opened.
//
// Every engine on a root holds a shared advisory lock on it; an engine that starts alone holds
// it exclusively while it starts, which is when leftovers of interrupted copies may be deleted.
//
// Threads: all operations are const and may run on several threads at once.
class CacheDirectory {
public:
  // One regular file met by scan(): the open directory it is in, its path relative to the root
  // ("a/b/c.exr") and its size.
  struct ScanEntry {
    int directory;
    std::string_view relativePath;
    const char* name;
    std::uint64_t size;
  };

  // Opens the root; throws boost::filesystem::filesystem_error when it cannot be opened.
  explicit CacheDirectory(const std::string& rootText);

  // Takes the start-up lock: true when no other engine holds the root, so that leftovers of
  // interrupted copies belong to no one. Call finishStartup() afterwards.
  bool startAlone();
  // Turns the start-up lock into the shared lock every running engine holds.
  void finishStartup();

  // The directory at a path relative to the root ("a/b"; empty for the root itself); with
  // create, the missing folders are made. An invalid descriptor with errno set when that fails
  // or when a component is a link (ELOOP) or not a directory (ENOTDIR).
  FileDescriptor openDirectory(const std::string& relative, bool create) const;
  // For reading only: the status of a name (a link is not followed) in the directory at a
  // relative path, through the directory as opened by an earlier read, else opened now and kept
  // (a few dozen at most). 0, or -1 with errno set; directoryOpened tells whether the directory
  // itself was there. A kept directory that another process has deleted since finds no files:
  // call forgetDirectory and look again in a fresh one before believing that a file is missing.
  int statInKeptDirectory(std::string_view relative, const char* name, struct stat& status,
                          bool& directoryOpened) const;
  void forgetDirectory(std::string_view relative) const;
  // Deletes the directory at a relative path and then its parents while they are empty; the
  // root is never deleted. Any failure ends the walk.
  void removeEmptyDirectories(std::string relative) const;
  // Visits every regular file below the root, reading each directory once and asking for at
  // most one status per entry; links are neither followed nor reported. Throws
  // boost::filesystem::filesystem_error when a directory cannot be read.
  void scan(const std::function<void(const ScanEntry&)>& visit) const;

  int fd() const { return m_root.get(); }

private:
  // Each thread reads through the kept directories of its own slot, so that checks on several
  // threads neither share a lock nor the reference count of one open directory.
  static constexpr std::size_t kKeptSlots = 4;
  static constexpr std::size_t kKeptDirectoriesPerSlot = 16;

  // Looked up by std::string_view without making a string.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
  };
  struct TextEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return a == b; }
  };
  struct alignas(64) KeptSlot {
    std::mutex mutex;
    boost::unordered_flat_map<std::string, FileDescriptor, TextHash, TextEqual> directories;
  };

  KeptSlot& slotOfThisThread() const;

  FileDescriptor m_root;
  mutable std::array<KeptSlot, kKeptSlots> m_kept;
};

} // namespace Velloro
