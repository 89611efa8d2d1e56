#pragma once

#include <TesselBase/RefCounter.h>
#include <velloro/VelloroExport.h>

#include <boost/date_time/posix_time/ptime.hpp>
#include <boost/exception_ptr.hpp>
#include <boost/intrusive/list_hook.hpp>
#include <boost/thread/future.hpp>

#include <atomic>
#include <memory>
#include <vector>

namespace Tessel::Base {

class TaskQueue;
class ThreadPoolBase;

// A reference-counted unit of work for a thread pool: derived classes override run(). A task has
// a priority (higher runs first), an optional earliest start time (UTC), optional dependencies on
// other tasks' results, and a result of its own that completes when the run ends and carries, with
// its type, any exception the run threw.
//
// Lifetime: create tasks with new; a pool holds its own reference while the task waits or runs.
// A task dropped by stop() (or by a shutdown that removes queued work) returns to eUnqueued, is
// detached from its pool and loses the pool's reference; it may be added again. Destroying a task
// that is eQueued or eExecuting ends the process.
//
// A run that throws while nobody has asked for the result yet is logged at Error (it might never
// be looked at), and its exception is kept for a later result(); nothing escapes to the worker.
//
// Threads: priority, start time, dependencies and repeat are set by the owner before the task is
// added to a pool (or from its own run(), for the repeat flag); isReady() and execute() are the
// pool's, under its lock and on one worker. state(), pool(), result() and the reference count may
// be used from any thread.
class VELLORO_EXPORT Task : public RefCounter {
public:
  enum State { eUnqueued = 0, eQueued = 1, eExecuting = 2, eFinished = 3 };

  // The name is kept as given (it must outlive the task, as a literal does) for diagnostics.
  explicit Task(const char* name = "Task");
  ~Task() override;
  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;

  // Called by a pool, under its lock, before it queues the task. Throws Assert for a null pool,
  // a task attached to another pool, or a task that is neither unqueued nor already queued in
  // this pool.
  void attachToPool(ThreadPoolBase* pool);

  // Runs the task once (see run()); a finished task returns at once, a task that is not ready
  // throws TaskNotReadyException. Called by the worker that took the task from its pool's queue,
  // or directly for a task that is in no pool. A run that throws RetryTaskException is queued again in its
  // pool; a task whose repeat flag is set is reset (see reset()) and queued again.
  void execute();

  // True when the start time has passed and every dependency is complete. A dependency that
  // completed with an exception makes the task ready at once and sets dependencyFailed(): the
  // task will then not run, and its result carries that exception.
  bool isReady();
  bool dependencyFailed() const { return m_dependencyFailed.load(std::memory_order_acquire); }

  State state() const { return m_state.load(std::memory_order_acquire); }
  ThreadPoolBase* pool() const { return m_pool.load(std::memory_order_acquire); }
  const char* name() const { return m_name; }

  int priority() const { return m_priority.load(std::memory_order_relaxed); }
  void setPriority(int priority) { m_priority.store(priority, std::memory_order_relaxed); }

  // Not-a-date-time (the default) means "as soon as possible".
  boost::posix_time::ptime startTime() const { return m_startTime; }
  void setStartTime(boost::posix_time::ptime startTime) { m_startTime = startTime; }

  // Typically another task's result(): this task waits until it completes.
  void addDependency(boost::shared_future<void> dependency);

  // Asks for one more run after the current or next one; the flag is cleared when that run is
  // queued, so run() or reset() may ask again.
  void setRepeat(bool repeat) { m_repeat.store(repeat, std::memory_order_release); }
  bool repeat() const { return m_repeat.load(std::memory_order_acquire); }

  // The outcome of the current run: ready when it ends, with the exception run() threw (or the
  // failed dependency's), if any. A task released without ever running breaks its result
  // (boost::broken_promise). May be asked before or after the run.
  boost::shared_future<void> result();

protected:
  // The work itself.
  virtual void run() = 0;
  // Called before a repeating task is queued again.
  virtual void reset();

private:
  friend class TaskQueue;
  friend class ThreadPoolBase;
  struct ResultSlot;
  class ResultLock;

  // Completes the result, or keeps the outcome for a later result() call.
  void complete(const boost::exception_ptr& failure);
  bool resultRequested();
  boost::exception_ptr firstFailedDependency();
  // Queues the task in its pool again; on refusal the task is left unqueued and detached.
  void requeue(ThreadPoolBase* pool);
  // Called by a pool that drops the task from its queue.
  void detachFromPool();

  boost::intrusive::list_member_hook<> m_queueHook;
  std::atomic<ThreadPoolBase*> m_pool{nullptr};
  std::atomic<State> m_state{eUnqueued};
  std::atomic<bool> m_dependencyFailed{false};
  std::atomic<bool> m_repeat{false};
  std::atomic<int> m_priority{0};
  const char* m_name;

  // Guards the result: a one-byte lock, as tasks are small and many (see ResultLock).
  std::atomic_flag m_resultLock = ATOMIC_FLAG_INIT;
  // Ended well before anyone asked for the result.
  bool m_succeeded = false;
  // Created when the result is asked for, or to keep a failure nobody has asked for yet.
  std::unique_ptr<ResultSlot> m_result;

  std::vector<boost::shared_future<void>> m_dependencies;
  boost::posix_time::ptime m_startTime;
};

} // namespace Tessel::Base
