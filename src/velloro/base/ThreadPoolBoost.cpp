#include <velloro/base/ThreadPoolBoost.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Log.h>

#include <boost/exception/diagnostic_information.hpp>

#include <algorithm>
#include <cstdlib>
#include <iostream>

#if defined(__linux__)
#include <pthread.h>
#endif

namespace Tessel::Base {

namespace {

// Names the calling thread for debuggers and process listings. Linux keeps 15 characters; a
// longer name is cut rather than refused.
void nameCurrentThread(const std::string& name) {
#if defined(__linux__)
  constexpr std::size_t kMaximumLength = 15;
  pthread_setname_np(pthread_self(), name.substr(0, kMaximumLength).c_str());
#else
  (void)name;
#endif
}

} // namespace

ThreadPoolBoost::ThreadPoolBoost(const std::string& name, unsigned threadCount)
    : ThreadPoolBase(name, threadCount) {
  try {
    for (unsigned index = 0; index < this->threadCount(); ++index) {
      const std::string threadName = "tsBTP_" + name + "_" + std::to_string(index);
      m_workers.create_thread([this, threadName] {
        nameCurrentThread(threadName);
        runWorker();
      });
    }
  } catch (...) {
    // The workers already started would otherwise wait for the others for ever, on a pool
    // that no longer exists.
    abandonStart();
    m_workers.join_all();
    throw;
  }
}

ThreadPoolBoost::ThreadPoolBoost(unsigned threadCount)
    : ThreadPoolBoost("UnnamedThreadPoolBoost", threadCount) {}

ThreadPoolBoost::~ThreadPoolBoost() {
  try {
    shutdown(false, kDestructionTimeoutSeconds);
  } catch (...) {
    // The workers still use this pool; letting it go would leave them running on freed memory.
    Log::LogLine(Log::eError, 0) << "Thread pool \"" << name() << "\" could not join its threads:\n"
                                 << boost::current_exception_diagnostic_information();
    std::cerr << "fatal: thread pool \"" << name() << "\" is destroyed while its threads still run"
              << std::endl;
    std::abort();
  }
}

void ThreadPoolBoost::destroyThreads(unsigned timeoutSeconds) {
  {
    std::lock_guard<std::mutex> lock(m_threadExitMutex);
    if (!m_closingStarted) {
      m_closingStarted = true;
      m_closingThread = boost::thread([this] { closeThreads(); });
    }
  }
  if (timeoutSeconds == 0) {
    if (m_closingThread.joinable()) {
      m_closingThread.detach();
    }
    return;
  }

  // The timeout bounds the whole wait, so that a task that never ends cannot hang the caller.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  bool joinSuceeded = waitForWorkersToExit(deadline);
  if (joinSuceeded) {
    std::unique_lock<std::mutex> lock(m_threadExitMutex);
    joinSuceeded = m_threadExitCondition.wait_until(lock, deadline, [this] { return m_closingFinished; });
  }
  if (joinSuceeded && m_closingThread.joinable()) {
    const auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    joinSuceeded =
        m_closingThread.try_join_for(boost::chrono::milliseconds(std::max<long long>(0, remaining.count())));
  }
  if (!joinSuceeded) {
    TESSEL_THROW_AT_LINE(Assert, 81, .decorate("AssertCondition", "joinSuceeded"));
  }
}

void ThreadPoolBoost::closeThreads() {
  nameCurrentThread("tsBTPClosingThread_" + name());
  m_workers.join_all();
  std::lock_guard<std::mutex> lock(m_threadExitMutex);
  m_closingFinished = true;
  m_threadExitCondition.notify_all();
}

} // namespace Tessel::Base
