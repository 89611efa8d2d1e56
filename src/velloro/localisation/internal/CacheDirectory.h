#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

  // The directory formed by the first count components below the root; with create, the
  // missing ones are made. An invalid descriptor with errno set when that fails or when a
  // component is a link (ELOOP) or not a directory (ENOTDIR).
  FileDescriptor openDirectory(const std::vector<std::string>& components, std::size_t count,
                               bool create) const;
  // Deletes the directories formed by the first count, count - 1, ... 1 components while they
  // are empty; the root is never deleted. Any failure ends the walk.
  void removeEmptyDirectories(const std::vector<std::string>& components, std::size_t count) const;
  // Visits every regular file below the root, reading each directory once and asking for at
  // most one status per entry; links are neither followed nor reported. Throws
  // boost::filesystem::filesystem_error when a directory cannot be read.
  void scan(const std::function<void(const ScanEntry&)>& visit) const;

  int fd() const { return m_root.get(); }

private:
  FileDescriptor m_root;
};

} // namespace Velloro
