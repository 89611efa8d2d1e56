#include <velloro/base/ThreadPoolBase.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Task.h>

#include <boost/smart_ptr/intrusive_ptr.hpp>
#include <boost/thread/lock_guard.hpp>
#include <boost/thread/thread.hpp>

#include <algorithm>

namespace Tessel::Base {

namespace {

unsigned resolvedThreadCount(unsigned requested) {
  return requested != 0 ? requested : std::max(1u, boost::thread::hardware_concurrency());
}

} // namespace

ThreadPoolBase::ThreadPoolBase(std::string name, unsigned threadCount)
    : _name(std::move(name))
    , _threadCount(resolvedThreadCount(threadCount))
    , _threadsAlive(_threadCount)
    , _startBarrier(_threadCount) {}

ThreadPoolBase::~ThreadPoolBase() = default;

bool ThreadPoolBase::addTask(Task* task) {
  if (!task) {
    TESSEL_THROW(Assert, .decorate("AssertCondition", "task"));
  }
  // Held for the call: a refused task that nobody else holds is released (deleted) on return,
  // outside the pool lock.
  const boost::intrusive_ptr<Task> caller(task);
  bool wake = false;
  {
    boost::lock_guard<boost::mutex> lock(_poolMutex);
    const State state = _state.load(std::memory_order_relaxed);
    if (state != eRunning && state != ePaused) {
      task = nullptr;
    } else {
      task->attachToPool(this);
      if (TaskQueue::isQueued(*task)) {
        return true;
      }
      task->addReference();
      _queue.push(*task);
      _outstanding.fetch_add(1, std::memory_order_acq_rel);
      wake = state == eRunning;
    }
  }
  if (wake) {
    _workCondition.notify_one();
  }
  return task != nullptr;
}

void ThreadPoolBase::pause() {
  boost::lock_guard<boost::mutex> lock(_poolMutex);
  if (_state.load(std::memory_order_relaxed) == eRunning) {
    _state.store(ePaused, std::memory_order_release);
  }
}

void ThreadPoolBase::resume() {
  {
    boost::lock_guard<boost::mutex> lock(_poolMutex);
    const State state = _state.load(std::memory_order_relaxed);
    if (state != ePaused && state != eStopped) {
      return;
    }
    _state.store(eRunning, std::memory_order_release);
  }
  _workCondition.notify_all();
}

void ThreadPoolBase::stop() {
  std::vector<Task*> dropped;
  {
    boost::lock_guard<boost::mutex> lock(_poolMutex);
    const State state = _state.load(std::memory_order_relaxed);
    if (state == eShuttingDown || state == eShutDown) {
      return;
    }
    _state.store(eStopped, std::memory_order_release);
    dropped = dropQueuedLocked();
  }
  releaseDropped(dropped);
  notifyIfIdle();
}

void ThreadPoolBase::waitUntilIdle() {
  boost::unique_lock<boost::mutex> lock(_completionMutex);
  while (_outstanding.load(std::memory_order_acquire) + _executing.load(std::memory_order_acquire) != 0) {
    _completionCondition.wait(lock);
  }
}

void ThreadPoolBase::shutdown(bool removeQueued, unsigned timeoutSeconds) {
  std::vector<Task*> dropped;
  {
    boost::lock_guard<boost::mutex> lock(_poolMutex);
    _state.store(eShuttingDown, std::memory_order_release);
    if (removeQueued) {
      dropped = dropQueuedLocked();
    }
  }
  _workCondition.notify_all();
  releaseDropped(dropped);
  notifyIfIdle();
  destroyThreads(timeoutSeconds);
  boost::lock_guard<boost::mutex> lock(_poolMutex);
  _state.store(eShutDown, std::memory_order_release);
}

std::size_t ThreadPoolBase::queuedCount() const {
  boost::lock_guard<boost::mutex> lock(_poolMutex);
  return _queue.size();
}

void ThreadPoolBase::runWorker() {
  _startBarrier.wait();
  boost::unique_lock<boost::mutex> lock(_poolMutex);
  for (;;) {
    const State state = _state.load(std::memory_order_relaxed);
    // eShutDown counts too: after destroyThreads(0) the workers still finish the queue.
    const bool finishing = state == eShuttingDown || state == eShutDown;
    if (state != eRunning && !finishing) {
      _workCondition.wait(lock);
      continue;
    }
    if (_queue.empty()) {
      if (finishing) {
        break;
      }
      _workCondition.wait(lock);
      continue;
    }
    Task* const task = _queue.takeFirstReady();
    if (!task) {
      // Readiness changes with the clock and with other pools' work, without a wake-up.
      _workCondition.wait_for(lock, boost::chrono::microseconds(kPollIntervalMicroseconds));
      continue;
    }
    _outstanding.fetch_sub(1, std::memory_order_acq_rel);
    _executing.fetch_add(1, std::memory_order_acq_rel);
    lock.unlock();
    task->execute();
    // The queue's reference goes before the task stops counting as executing, so that an idle
    // pool holds no task.
    task->removeReference();
    _executing.fetch_sub(1, std::memory_order_acq_rel);
    notifyIfIdle();
    lock.lock();
  }
  lock.unlock();

  boost::lock_guard<boost::mutex> exitLock(_threadExitMutex);
  if (_threadsAlive.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    _threadExitCondition.notify_all();
  }
}

bool ThreadPoolBase::waitForWorkersToExit(boost::chrono::steady_clock::time_point deadline) {
  boost::unique_lock<boost::mutex> lock(_threadExitMutex);
  return _threadExitCondition.wait_until(
      lock, deadline, [this] { return _threadsAlive.load(std::memory_order_acquire) == 0; });
}

std::vector<Task*> ThreadPoolBase::dropQueuedLocked() {
  std::vector<Task*> dropped = _queue.takeAll();
  for (Task* task : dropped) {
    task->detachFromPool();
  }
  _outstanding.fetch_sub(dropped.size(), std::memory_order_acq_rel);
  return dropped;
}

void ThreadPoolBase::releaseDropped(const std::vector<Task*>& tasks) {
  for (Task* task : tasks) {
    task->removeReference();
  }
}

void ThreadPoolBase::notifyIfIdle() {
  if (_outstanding.load(std::memory_order_acquire) + _executing.load(std::memory_order_acquire) == 0) {
    // Taking the lock orders the notification after a waiter's check of the counts.
    { boost::lock_guard<boost::mutex> lock(_completionMutex); }
    _completionCondition.notify_all();
  }
}

} // namespace Tessel::Base
