// A pool whose constructor cannot start every worker. This program's pthread_create stands in
// for the C library's (the program exports its symbols, so the Boost thread library calls it)
// and fails on request. Sanitizers bring their own pthread_create, which comes first: there the
// case is skipped.
#include <velloro/base/ThreadPoolBoost.h>

#include <gtest/gtest.h>

#include <boost/thread/exceptions.hpp>

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <iterator>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELLORO_OWN_PTHREAD_CREATE 0
#else
#define VELLORO_OWN_PTHREAD_CREATE 1
#endif

namespace {

// How many more threads may start; negative means no limit.
std::atomic<int> sThreadsLeft{-1};

long threadsOfThisProcess() {
  const std::filesystem::directory_iterator tasks("/proc/self/task");
  return std::distance(begin(tasks), end(tasks));
}

} // namespace

#if VELLORO_OWN_PTHREAD_CREATE
extern "C" __attribute__((visibility("default"))) int
pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*), void* argument) {
  using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
  static const auto create = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
  int left = sThreadsLeft.load();
  while (left >= 0 && !sThreadsLeft.compare_exchange_weak(left, left - 1)) {
  }
  return left == 0 ? EAGAIN : create(thread, attributes, start, argument);
}
#endif

TEST(ThreadPoolStart, AWorkerThatCannotStartReleasesTheOthersBeforeTheErrorLeaves) {
  if (!VELLORO_OWN_PTHREAD_CREATE) {
    GTEST_SKIP() << "the sanitizer's pthread_create cannot be replaced";
  }
  const long before = threadsOfThisProcess();
  sThreadsLeft = 2;
  EXPECT_THROW(Tessel::Base::ThreadPoolBoost("Failing", 4), boost::thread_resource_error);
  sThreadsLeft = -1;
  EXPECT_EQ(threadsOfThisProcess(), before) << "the two workers started were joined";

  Tessel::Base::ThreadPoolBoost working("Working", 2);
  EXPECT_EQ(threadsOfThisProcess(), before + 2);
}
