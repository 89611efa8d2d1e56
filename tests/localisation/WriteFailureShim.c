/* Preloaded into a test process, this makes every write into files below the directory named
 * by VELLORO_FAIL_WRITES_UNDER fail with ENOSPC, as on a full device: for machines where the
 * test may not mount a small file system. The variable is read on every call, so a test can
 * switch the failure on after it has prepared its files. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <unistd.h>

/* With VELLORO_TOUCH_WHILE_COPYING naming a file, every write moves that file's modification
 * time on by a nanosecond within its second, as a writer would while the file is copied. */
static void touchWhileCopying(void) {
  const char* path = getenv("VELLORO_TOUCH_WHILE_COPYING");
  struct stat status;
  if (path && *path && stat(path, &status) == 0) {
    const struct timespec times[2] = {{0, UTIME_OMIT},
                                      {status.st_mtim.tv_sec, (status.st_mtim.tv_nsec + 1) % 1000000000}};
    utimensat(AT_FDCWD, path, times, 0);
  }
}

/* Its presence tells the test that the shim is loaded. */
__attribute__((visibility("default"))) int velloro_write_failure_shim = 1;

static int failsWritesTo(int fd) {
  const char* directory = getenv("VELLORO_FAIL_WRITES_UNDER");
  if (!directory || !*directory) {
    return 0;
  }
  char link[64];
  char target[PATH_MAX];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t length = readlink(link, target, sizeof target - 1);
  if (length < 0) {
    return 0;
  }
  target[length] = '\0';
  const size_t prefix = strlen(directory);
  return strncmp(target, directory, prefix) == 0 && target[prefix] == '/';
}

/* The next definition of a function; copied through memcpy because ISO C has no cast from an
 * object pointer to a function pointer. */
#define NEXT(type, name, variable)                                                                           \
  __typeof__(type) variable;                                                                                 \
  do {                                                                                                       \
    void* symbol = dlsym(RTLD_NEXT, name);                                                                   \
    memcpy(&variable, &symbol, sizeof variable);                                                             \
  } while (0)

__attribute__((visibility("default"))) ssize_t write(int fd, const void* buffer, size_t count) {
  touchWhileCopying();
  if (failsWritesTo(fd)) {
    errno = ENOSPC;
    return -1;
  }
  NEXT(ssize_t(*)(int, const void*, size_t), "write", real);
  return real(fd, buffer, count);
}

__attribute__((visibility("default"))) ssize_t sendfile(int out, int in, off_t* offset, size_t count) {
  touchWhileCopying();
  if (failsWritesTo(out)) {
    errno = ENOSPC;
    return -1;
  }
  NEXT(ssize_t(*)(int, int, off_t*, size_t), "sendfile", real);
  return real(out, in, offset, count);
}

__attribute__((visibility("default"))) ssize_t sendfile64(int out, int in, off64_t* offset, size_t count) {
  touchWhileCopying();
  if (failsWritesTo(out)) {
    errno = ENOSPC;
    return -1;
  }
  NEXT(ssize_t(*)(int, int, off64_t*, size_t), "sendfile64", real);
  return real(out, in, offset, count);
}

__attribute__((visibility("default"))) ssize_t
copy_file_range(int in, off64_t* inOffset, int out, off64_t* outOffset, size_t length, unsigned int flags) {
  touchWhileCopying();
  if (failsWritesTo(out)) {
    errno = ENOSPC;
    return -1;
  }
  NEXT(ssize_t(*)(int, off64_t*, int, off64_t*, size_t, unsigned int), "copy_file_range", real);
  return real(in, inOffset, out, outOffset, length, flags);
}

/* Libraries may reach copy_file_range through syscall() when their C library lacked it. */
__attribute__((visibility("default"))) long syscall(long number, ...) {
  va_list arguments;
  long argument[6];
  va_start(arguments, number);
  for (int index = 0; index < 6; ++index) {
    argument[index] = va_arg(arguments, long);
  }
  va_end(arguments);
  if (number == SYS_copy_file_range && failsWritesTo((int)argument[2])) {
    errno = ENOSPC;
    return -1;
  }
  NEXT(long (*)(long, ...), "syscall", real);
  return real(number, argument[0], argument[1], argument[2], argument[3], argument[4], argument[5]);
}
