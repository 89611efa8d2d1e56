#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/base/ThreadPoolBase.h>

#include <boost/thread/thread.hpp>

#include <string>

namespace Tessel::Base {

// A thread pool whose workers are Boost threads, started by the constructor. Worker i is named
// "tsBTP_" + name + "_" + i, cut to the platform's 15 characters.
//
// Destruction shuts the pool down without dropping queued work: the workers run what is queued,
// then they are joined, for at most 30 seconds; a worker still busy after that ends the process
// with a message, since it would outlive the pool it uses.
//
// When a worker cannot be started, the constructor joins those already started and lets the
// exception (boost::thread_resource_error) through.
//
// Threads: see ThreadPoolBase. Destroy the pool from a thread that is not one of its workers.
class VELLORO_EXPORT ThreadPoolBoost : public ThreadPoolBase {
public:
  static constexpr unsigned kDestructionTimeoutSeconds = 30;

  ThreadPoolBoost(const std::string& name, unsigned threadCount);
  explicit ThreadPoolBoost(unsigned threadCount);
  ~ThreadPoolBoost() override;

  // One closing thread (named "tsBTPClosingThread_" + name) joins the workers, so that the wait
  // can be bounded. Calling this again waits for the same closing thread.
  void destroyThreads(unsigned timeoutSeconds) override;

private:
  void closeThreads();

  boost::thread_group m_workers;
  boost::thread m_closingThread;
  bool m_closingStarted = false;  // guarded by _threadExitMutex
  bool m_closingFinished = false; // guarded by _threadExitMutex
};

} // namespace Tessel::Base
