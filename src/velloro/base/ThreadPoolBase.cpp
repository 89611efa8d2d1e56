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
    : m_name(std::move(name))
    , m_threadCount(resolvedThreadCount(threadCount))
    , m_threadsAlive(m_threadCount) {}

ThreadPoolBase::~ThreadPoolBase() = default;

bool ThreadPoolBase::addTask(Task* task) {
  if (!task) {
    TESSEL_THROW(Assert, .decorate("AssertCondition", "task"));
  }
  bool accepted = false;
  bool wake = false;
  {
    std::lock_guard<std::mutex> lock(m_poolMutex);
    const State state = m_state.load(std::memory_order_relaxed);
    if (state == eRunning || state == ePaused) {
      // Queued here means waiting in the queue or just taken by a worker: either way it runs.
      const bool queuedHere = task->pool() == this && task->state() == Task::eQueued;
      task->attachToPool(this);
      if (queuedHere) {
        return true;
      }
      task->addReference();
      m_queue.push(*task);
      // Every change of the count happens under the pool lock.
      m_outstanding.store(m_outstanding.load(std::memory_order_relaxed) + 1, std::memory_order_release);
      accepted = true;
      wake = state == eRunning;
    }
  }
  if (wake) {
    m_workCondition.notify_one();
  }
  if (!accepted) {
    // The caller's reference is released, outside the lock: a task nobody else holds goes.
    task->addReference();
    task->removeReference();
  }
  return accepted;
}

void ThreadPoolBase::pause() {
  std::lock_guard<std::mutex> lock(m_poolMutex);
  const State state = m_state.load(std::memory_order_relaxed);
  if (state == eRunning || state == eStopped) {
    m_state.store(ePaused, std::memory_order_release);
  }
}

void ThreadPoolBase::resume() {
  {
    std::lock_guard<std::mutex> lock(m_poolMutex);
    const State state = m_state.load(std::memory_order_relaxed);
    if (state != ePaused && state != eStopped) {
      return;
    }
    m_state.store(eRunning, std::memory_order_release);
  }
  m_workCondition.notify_all();
}

void ThreadPoolBase::stop() {
  std::vector<Task*> dropped;
  {
    std::lock_guard<std::mutex> lock(m_poolMutex);
    const State state = m_state.load(std::memory_order_relaxed);
    if (state == eShuttingDown || state == eShutDown) {
      return;
    }
    m_state.store(eStopped, std::memory_order_release);
    dropped = dropQueuedLocked();
  }
  releaseDropped(dropped);
  notifyIfIdle();
}

void ThreadPoolBase::waitUntilIdle() {
  std::unique_lock<std::mutex> lock(m_completionMutex);
  ++m_idleWaiters;
  // Sequentially consistent with notifyIfIdle(): either this sees the pool idle, or the worker
  // that made it idle sees a waiter and notifies under the lock.
  m_completionCondition.wait(lock, [this] { return isIdle(); });
  --m_idleWaiters;
}

void ThreadPoolBase::shutdown(bool removeQueued, unsigned timeoutSeconds) {
  std::vector<Task*> dropped;
  {
    std::lock_guard<std::mutex> lock(m_poolMutex);
    const State state = m_state.load(std::memory_order_relaxed);
    if (state != eShuttingDown && state != eShutDown) {
      m_state.store(eShuttingDown, std::memory_order_release);
    }
    if (removeQueued) {
      dropped = dropQueuedLocked();
    }
  }
  m_workCondition.notify_all();
  releaseDropped(dropped);
  notifyIfIdle();
  destroyThreads(timeoutSeconds);
  std::lock_guard<std::mutex> lock(m_poolMutex);
  m_state.store(eShutDown, std::memory_order_release);
}

std::size_t ThreadPoolBase::queuedCount() const {
  std::lock_guard<std::mutex> lock(m_poolMutex);
  return m_queue.size();
}

void ThreadPoolBase::runWorker() {
  std::unique_lock<std::mutex> lock(m_poolMutex);
  if (++m_workersArrived == m_threadCount) {
    m_startCondition.notify_all();
  }
  m_startCondition.wait(lock, [this] { return m_workersArrived == m_threadCount || m_startAbandoned; });
  for (;;) {
    const State state = m_state.load(std::memory_order_relaxed);
    // eShutDown counts too: after destroyThreads(0) the workers still finish the queue.
    const bool finishing = state == eShuttingDown || state == eShutDown;
    if (state != eRunning && !finishing) {
      m_workCondition.wait(lock);
      continue;
    }
    if (m_queue.empty()) {
      if (finishing) {
        break;
      }
      m_workCondition.wait(lock);
      continue;
    }
    Task* const task = m_queue.takeFirstReady();
    if (!task) {
      // Readiness changes with the clock and with other pools' work, without a wake-up.
      m_workCondition.wait_for(lock, std::chrono::microseconds(kPollIntervalMicroseconds));
      continue;
    }
    // The release orders the rise of the executing count before the fall of the outstanding one.
    m_executing.fetch_add(1, std::memory_order_relaxed);
    m_outstanding.store(m_outstanding.load(std::memory_order_relaxed) - 1, std::memory_order_release);
    lock.unlock();
    task->execute();
    // The queue's reference goes before the task stops counting as executing, so that an idle
    // pool holds no task.
    task->removeReference();
    m_executing.fetch_sub(1);
    notifyIfIdle();
    lock.lock();
  }
  lock.unlock();

  std::lock_guard<std::mutex> exitLock(m_threadExitMutex);
  if (m_threadsAlive.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    m_threadExitCondition.notify_all();
  }
}

void ThreadPoolBase::abandonStart() {
  {
    std::lock_guard<std::mutex> lock(m_poolMutex);
    m_startAbandoned = true;
    m_state.store(eShuttingDown, std::memory_order_release);
  }
  m_startCondition.notify_all();
}

bool ThreadPoolBase::waitForWorkersToExit(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(m_threadExitMutex);
  return m_threadExitCondition.wait_until(
      lock, deadline, [this] { return m_threadsAlive.load(std::memory_order_acquire) == 0; });
}

std::vector<Task*> ThreadPoolBase::dropQueuedLocked() {
  std::vector<Task*> dropped = m_queue.takeAll();
  for (Task* task : dropped) {
    task->detachFromPool();
  }
  m_outstanding.store(m_outstanding.load(std::memory_order_relaxed) - dropped.size());
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
  const std::size_t outstanding = m_outstanding.load();
  return outstanding + m_executing.load() == 0;
}

void ThreadPoolBase::notifyIfIdle() {
  if (isIdle() && m_idleWaiters.load() != 0) {
    // Taking the lock orders the notification after a waiter's check of the counts.
    { std::lock_guard<std::mutex> lock(m_completionMutex); }
    m_completionCondition.notify_all();
  }
}

} // namespace Tessel::Base
