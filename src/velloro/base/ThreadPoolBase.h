#pragma once

#include <TesselBase/RefCounter.h>
#include <velloro/VelloroExport.h>
#include <velloro/base/NonCopyable.h>
#include <velloro/base/TaskQueue.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>

namespace Tessel::Base {

class Task;

// A priority queue of tasks and the loop its worker threads run; derived classes own the threads
// (see ThreadPoolBoost). Tasks run highest priority first, in order of arrival within one
// priority, each once it is ready (start time reached, dependencies complete); a task that is not
// ready yet is looked at again at least every kPollInterval.
//
// States: eRunning accepts and runs tasks; ePaused accepts them but starts none; eStopped has
// dropped its queue and refuses tasks until resume() or pause(); eShuttingDown refuses tasks
// while the workers finish the queue and exit; eShutDown has no threads left. A pool that is
// shutting down or shut down stays so: pause(), resume(), stop() and another shutdown() no
// longer change its state.
//
// Threads: every public operation may be called from any thread, including from a task's run()
// (except waitUntilIdle(), shutdown() and destroyThreads(), which would wait for themselves).
class VELLORO_EXPORT ThreadPoolBase : public RefCounter, private NonCopyable {
public:
  enum State { eRunning = 0, ePaused = 1, eStopped = 2, eShuttingDown = 3, eShutDown = 4 };

  static constexpr long kPollIntervalMicroseconds = 100000;

  ~ThreadPoolBase() override;

  // Queues the task by priority and takes the pool's own reference, waking a worker when
  // running; returns true. Adding a task that is already waiting in this pool changes nothing.
  // When stopped, shutting down or shut down, the task is refused and false returned; a task
  // that nobody else holds a reference to is then deleted. Throws Assert (see
  // Task::attachToPool) for a task of another pool or one that is executing or finished.
  bool addTask(Task* task);

  // Running tasks finish; no other starts until resume(). A stopped pool accepts tasks again,
  // to hold them until resume().
  void pause();
  // From paused or stopped: runs queued tasks again.
  void resume();
  // Drops every queued task (they never run) and refuses new ones until resume().
  void stop();
  // Blocks until no task is queued or executing.
  void waitUntilIdle();
  // Refuses new tasks, drops the queued ones if removeQueued (otherwise the workers run them
  // first), then destroys the threads (see destroyThreads()). Called again, for instance by the
  // destructor after an explicit call, it waits for the same threads and the pool stays shut
  // down.
  void shutdown(bool removeQueued, unsigned timeoutSeconds);
  // Joins the workers once they have exited, waiting at most timeoutSeconds in all and throwing
  // Assert "joinSuceeded" when that is not enough; with 0, returns at once and lets the workers
  // finish on their own.
  virtual void destroyThreads(unsigned timeoutSeconds) = 0;

  State state() const { return m_state.load(std::memory_order_acquire); }
  const std::string& name() const { return m_name; }
  unsigned threadCount() const { return m_threadCount; }
  unsigned threadsAlive() const { return m_threadsAlive.load(std::memory_order_acquire); }
  std::size_t queuedCount() const;
  std::size_t outstandingCount() const { return m_outstanding.load(std::memory_order_acquire); }
  std::size_t executingCount() const { return m_executing.load(std::memory_order_acquire); }

protected:
  // threadCount 0 means one thread per hardware thread (1 when that is unknown).
  ThreadPoolBase(std::string name, unsigned threadCount);

  // The body of each worker thread: waits until every worker has started (or the start was
  // abandoned), then runs tasks until the pool shuts down and its queue is empty.
  void runWorker();
  // For a derived constructor that could not start every worker: the pool shuts down and the
  // workers already started leave runWorker() at once, ready to be joined.
  void abandonStart();

  // Waits until every worker has left runWorker(), or until the deadline; true when they have.
  bool waitForWorkersToExit(std::chrono::steady_clock::time_point deadline);

  // Guards threadsAlive and whatever the derived class keeps about its threads' end.
  std::mutex m_threadExitMutex;
  std::condition_variable m_threadExitCondition;

private:
  // Unlinks every queued task and detaches it; the caller releases the returned tasks' queue
  // references once the pool lock is no longer held (a task's destructor may use the pool).
  std::vector<Task*> dropQueuedLocked();
  static void releaseDropped(const std::vector<Task*>& tasks);
  bool isIdle() const;
  void notifyIfIdle();

  const std::string m_name;
  const unsigned m_threadCount;
  std::atomic<unsigned> m_threadsAlive;

  mutable std::mutex m_poolMutex;
  std::condition_variable m_workCondition;
  // Workers wait here, under the pool lock, until all have arrived or the start is abandoned.
  std::condition_variable m_startCondition;
  unsigned m_workersArrived = 0;
  bool m_startAbandoned = false;
  TaskQueue m_queue;
  std::atomic<State> m_state{eRunning};
  std::atomic<std::size_t> m_outstanding{0};
  // Workers change it outside the lock: its own cache line keeps it off the lock's.
  alignas(64) std::atomic<std::size_t> m_executing{0};

  std::mutex m_completionMutex;
  std::condition_variable m_completionCondition;
  // Callers inside waitUntilIdle(): workers only take the completion lock when someone waits.
  std::atomic<unsigned> m_idleWaiters{0};
};

} // namespace Tessel::Base
