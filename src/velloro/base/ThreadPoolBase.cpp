#include <velloro/base/ThreadPoolBase.h>

#include <velloro/base/Exceptions.h>
#include <velloro/base/Task.h>

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
    , _threadsAlive(_threadCount) {}

ThreadPoolBase::~ThreadPoolBase() = default;

bool ThreadPoolBase::addTask(Task* task) {
  if (!task) {
    TESSEL_THROW(Assert, .decorate("AssertCondition", "task"));
  }
  bool accepted = false;
  bool wake = false;
  {
    std::lock_guard<std::mutex> lock(_poolMutex);
    const State state = _state.load(std::memory_order_relaxed);
    if (state == eRunning || state == ePaused) {
      // Queued here means waiting in the queue or just taken by a worker: either way it runs.
      const bool queuedHere = task->pool() == this && task->state() == Task::eQueued;
      task->attachToPool(this);
      if (queuedHere) {
        return true;
      }
      task->addReference();
      _queue.push(*task);
      // Every change of the count happens under the pool lock.
      _outstanding.store(_outstanding.load(std::memory_order_relaxed) + 1, std::memory_order_release);
      accepted = true;
      wake = state == eRunning;
    }
  }
  if (wake) {
    _workCondition.notify_one();
  }
  if (!accepted) {
    // The caller's reference is released, outside the lock: a task nobody else holds goes.
    task->addReference();
    task->removeReference();
  }
  return accepted;
}

void ThreadPoolBase::pause() {
  std::lock_guard<std::mutex> lock(_poolMutex);
  const State state = _state.load(std::memory_order_relaxed);
  if (state == eRunning || state == eStopped) {
    _state.store(ePaused, std::memory_order_release);
  }
}

void ThreadPoolBase::resume() {
  {
    std::lock_guard<std::mutex> lock(_poolMutex);
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
    std::lock_guard<std::mutex> lock(_poolMutex);
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
  std::unique_lock<std::mutex> lock(_completionMutex);
  ++_idleWaiters;
  // Sequentially consistent with notifyIfIdle(): either this sees the pool idle, or the worker
  // that made it idle sees a waiter and notifies under the lock.
  _completionCondition.wait(lock, [this] { return isIdle(); });
  --_idleWaiters;
}

void ThreadPoolBase::shutdown(bool removeQueued, unsigned timeoutSeconds) {
  std::vector<Task*> dropped;
  {
    std::lock_guard<std::mutex> lock(_poolMutex);
    const State state = _state.load(std::memory_order_relaxed);
    if (state != eShuttingDown && state != eShutDown) {
      _state.store(eShuttingDown, std::memory_order_release);
    }
    if (removeQueued) {
      dropped = dropQueuedLocked();
    }
  }
  _workCondition.notify_all();
  releaseDropped(dropped);
  notifyIfIdle();
  destroyThreads(timeoutSeconds);
  std::lock_guard<std::mutex> lock(_poolMutex);
  _state.store(eShutDown, std::memory_order_release);
}

std::size_t ThreadPoolBase::queuedCount() const {
  std::lock_guard<std::mutex> lock(_poolMutex);
  return _queue.size();
}

void ThreadPoolBase::runWorker() {
  std::unique_lock<std::mutex> lock(_poolMutex);
  if (++_workersArrived == _threadCount) {
    _startCondition.notify_all();
  }
  _startCondition.wait(lock, [this] { return _workersArrived == _threadCount || _startAbandoned; });
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
      _workCondition.wait_for(lock, std::chrono::microseconds(kPollIntervalMicroseconds));
      continue;
    }
    // The release orders the rise of the executing count before the fall of the outstanding one.
    _executing.fetch_add(1, std::memory_order_relaxed);
    _outstanding.store(_outstanding.load(std::memory_order_relaxed) - 1, std::memory_order_release);
    lock.unlock();
    task->execute();
    // The queue's reference goes before the task stops counting as executing, so that an idle
    // pool holds no task.
    task->removeReference();
    _executing.fetch_sub(1);
    notifyIfIdle();
    lock.lock();
  }
  lock.unlock();

  std::lock_guard<std::mutex> exitLock(_threadExitMutex);
  if (_threadsAlive.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    _threadExitCondition.notify_all();
  }
}

void ThreadPoolBase::abandonStart() {
  {
    std::lock_guard<std::mutex> lock(_poolMutex);
    _startAbandoned = true;
    _state.store(eShuttingDown, std::memory_order_release);
  }
  _startCondition.notify_all();
}

bool ThreadPoolBase::waitForWorkersToExit(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(_threadExitMutex);
  return _threadExitCondition.wait_until(
      lock, deadline, [this] { return _threadsAlive.load(std::memory_order_acquire) == 0; });
}

std::vector<Task*> ThreadPoolBase::dropQueuedLocked() {
  std::vector<Task*> dropped = _queue.takeAll();
  for (Task* task : dropped) {
    task->detachFromPool();
  }
  _outstanding.store(_outstanding.load(std::memory_order_relaxed) - dropped.size());
  return dropped;
}

void ThreadPoolBase::releaseDropped(const std::vector<Task*>& tasks) {
  for (Task* task : tasks) {
    task->removeReference();
  }
}

bool ThreadPoolBase::isIdle() const {
  // Outstanding first: a worker raises the executing count before it lowers the outstanding one,
  // so a task being taken is always seen in one of them.
  const std::size_t outstanding = _outstanding.load();
  return outstanding + _executing.load() == 0;
}

void ThreadPoolBase::notifyIfIdle() {
  if (isIdle() && _idleWaiters.load() != 0) {
    // Taking the lock orders the notification after a waiter's check of the counts.
    { std::lock_guard<std::mutex> lock(_completionMutex); }
    _completionCondition.notify_all();
  }
}

} // namespace Tessel::Base
