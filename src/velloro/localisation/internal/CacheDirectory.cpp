#include <velloro/localisation/internal/CacheDirectory.h>
#include <velloro/localisation/internal/ThreadSlot.h>

#include <boost/filesystem/exception.hpp>
#include <boost/system/error_code.hpp>

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace Velloro {

namespace {

constexpr int kDirectoryFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

boost::filesystem::filesystem_error errorFromErrno(const std::string& what, const std::string& path) {
  return boost::filesystem::filesystem_error(
      what, path, boost::system::error_code(errno, boost::system::system_category()));
}

// The whole relative path in one call, refusing links and anything that climbs out; -1 with
// errno ENOSYS where the kernel (or a sandbox) does not offer it.
int openBeneath(int root, const std::string& relative) {
#ifdef SYS_openat2
  open_how how{};
  how.flags = static_cast<std::uint64_t>(kDirectoryFlags);
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
  return static_cast<int>(::syscall(SYS_openat2, root, relative.c_str(), &how, sizeof how));
#else
  errno = ENOSYS;
  return -1;
#endif
}

struct DirectoryCloser {
  void operator()(DIR* directory) const { ::closedir(directory); }
};

void scanDirectory(int directoryFd, std::string& relative,
                   const std::function<void(const CacheDirectory::ScanEntry&)>& visit) {
  std::unique_ptr<DIR, DirectoryCloser> directory(::fdopendir(directoryFd));
  if (!directory) {
    const int error = errno;
    ::close(directoryFd);
    errno = error;
    throw errorFromErrno("cannot read the cache directory", relative);
  }
  const std::size_t prefixLength = relative.size();
  for (errno = 0; const dirent* entry = ::readdir(directory.get()); errno = 0) {
    const char* name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
      continue;
    }
    unsigned char type = entry->d_type;
    struct stat status {};
    bool haveStatus = false;
    if (type == DT_UNKNOWN || type == DT_REG) {
      if (::fstatat(::dirfd(directory.get()), name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        continue; // gone meanwhile, or unreadable: skipped
      }
      haveStatus = true;
      type = S_ISREG(status.st_mode) ? DT_REG : S_ISDIR(status.st_mode) ? DT_DIR : DT_UNKNOWN;
    }
    if (prefixLength > 0) {
      relative += '/';
    }
    relative += name;
    if (type == DT_REG && haveStatus) {
      visit({::dirfd(directory.get()), relative, name, static_cast<std::uint64_t>(status.st_size)});
    } else if (type == DT_DIR) {
      const int child = ::openat(::dirfd(directory.get()), name, kDirectoryFlags);
      if (child >= 0) {
        scanDirectory(child, relative, visit);
      } else if (errno != ENOENT && errno != ENOTDIR && errno != ELOOP) {
        // Gone or replaced meanwhile (another engine removes the folders it empties) is no error.
        throw errorFromErrno("cannot open the cache directory", relative);
      }
    }
    relative.resize(prefixLength);
  }
  if (errno != 0) {
    throw errorFromErrno("cannot read the cache directory", relative);
  }
}

} // namespace

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    close();
    m_fd = other.release();
  }
  return *this;
}

FileDescriptor::~FileDescriptor() {
  close();
}

int FileDescriptor::close() {
  if (m_fd < 0) {
    return 0;
  }
  const int result = ::close(release());
  return result == 0 ? 0 : errno;
}

CacheDirectory::CacheDirectory(const std::string& rootText)
    : m_root(::open(rootText.empty() ? "." : rootText.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (!m_root) {
    throw errorFromErrno("cannot open the cache", rootText);
  }
}

bool CacheDirectory::startAlone() {
  if (::flock(m_root.get(), LOCK_EX | LOCK_NB) == 0) {
    return true;
  }
  // Another engine runs (or a file system without locks): its copies may be under way.
  return false;
}

void CacheDirectory::finishStartup() {
  while (::flock(m_root.get(), LOCK_SH) != 0 && errno == EINTR) {
  }
}

FileDescriptor CacheDirectory::openDirectory(const std::string& relative, bool create) const {
  if (relative.empty()) {
    return FileDescriptor(::openat(m_root.get(), ".", kDirectoryFlags));
  }
  FileDescriptor direct(openBeneath(m_root.get(), relative));
  if (direct || (errno != ENOSYS && errno != EPERM && errno != EINVAL && errno != E2BIG &&
                 !(create && errno == ENOENT))) {
    return direct;
  }
  FileDescriptor current(::openat(m_root.get(), ".", kDirectoryFlags));
  for (std::size_t start = 0; current && start < relative.size();) {
    const std::size_t end = std::min(relative.find('/', start), relative.size());
    const std::string name = relative.substr(start, end - start);
    start = end + 1;
    int next = ::openat(current.get(), name.c_str(), kDirectoryFlags);
    // Another process may delete an emptied directory between making and opening it.
    for (int attempt = 0; next < 0 && errno == ENOENT && create && attempt < 3; ++attempt) {
      if (::mkdirat(current.get(), name.c_str(), 0777) != 0 && errno != EEXIST) {
        return FileDescriptor();
      }
      next = ::openat(current.get(), name.c_str(), kDirectoryFlags);
    }
    current = FileDescriptor(next);
  }
  return current;
}

CacheDirectory::KeptSlot& CacheDirectory::slotOfThisThread() const {
  return m_kept[threadSlot() % kKeptSlots];
}

int CacheDirectory::statInKeptDirectory(std::string_view relative, const char* name, struct stat& status,
                                        bool& directoryOpened) const {
  KeptSlot& slot = slotOfThisThread();
  std::lock_guard<std::mutex> lock(slot.mutex);
  auto found = slot.directories.find(relative);
  if (found == slot.directories.end()) {
    FileDescriptor opened = openDirectory(std::string(relative), false);
    if (!opened) {
      directoryOpened = false;
      return -1;
    }
    if (slot.directories.size() >= kKeptDirectoriesPerSlot) {
      slot.directories.clear();
    }
    found = slot.directories.try_emplace(std::string(relative), std::move(opened)).first;
  }
  directoryOpened = true;
  return ::fstatat(found->second.get(), name, &status, AT_SYMLINK_NOFOLLOW);
}

void CacheDirectory::forgetDirectory(std::string_view relative) const {
  for (KeptSlot& slot : m_kept) {
    std::lock_guard<std::mutex> lock(slot.mutex);
    const auto found = slot.directories.find(relative);
    if (found != slot.directories.end()) {
      slot.directories.erase(found);
    }
  }
}

void CacheDirectory::removeEmptyDirectories(std::string relative) const {
  while (!relative.empty()) {
    const std::size_t slash = relative.rfind('/');
    const std::string parent = slash == std::string::npos ? std::string() : relative.substr(0, slash);
    const FileDescriptor parentDirectory = openDirectory(parent, false);
    // Deleting a directory never follows a link and fails unless it is empty.
    if (!parentDirectory ||
        ::unlinkat(parentDirectory.get(), relative.c_str() + (parent.empty() ? 0 : slash + 1),
                   AT_REMOVEDIR) != 0) {
      return;
    }
    forgetDirectory(relative);
    relative = parent;
  }
}

void CacheDirectory::scan(const std::function<void(const ScanEntry&)>& visit) const {
  const int root = ::openat(m_root.get(), ".", kDirectoryFlags);
  if (root < 0) {
    throw errorFromErrno("cannot open the cache", ".");
  }
  std::string relative;
  scanDirectory(root, relative, visit);
}

} // namespace Velloro
