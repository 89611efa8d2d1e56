#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/base/ThreadPoolBoost.h>
#include <velloro/localisation/LocalisationEngine.h>

#include <cstdint>
#include <memory>
#include <string>

namespace Tessel::Base {
class Task;
}

namespace Velloro {

class PendingTaskTable;

// Runs the host's requests to check, localise or remove one file as tasks over one engine:
// checks on the "CheckFile" pool (n threads, n from ORVIK_LOCALIZATION_NUMWATCHERS, from 1 to
// kMaximumCheckThreads),
// copies and removals one at a time on the one-thread "Localiser" pool, which keeps the engine's
// space accounting to a single writer. A table of the tasks queued and not yet completed, by
// path, lets the host count them and cancel them per file. The table holds a reference to each
// task, so a task dropped by a pool stays valid for as long as its entry does.
//
// The host creates the queue after the engine and destroys it before the engine.
//
// Threads: every operation may be called from any thread. The table is split into shards, each
// under a lock of its own; a task is handed to its pool under its shard's lock (the pool's lock
// nests inside it), and no shard's lock is held while an engine operation runs. Pool control (pause, resume,
// start, shutdown) takes only the pools' own locks.
class VELLORO_EXPORT LocalisationQueue {
public:
  enum FileTask : std::int32_t { eCheckFile = 0, eLocaliseFile = 1, eRemoveFile = 2 };
  // More check threads than this are never started, whatever the environment asks for.
  static constexpr int kMaximumCheckThreads = 256;

  explicit LocalisationQueue(LocalisationEngine& engine);
  // Drops the queued tasks, waits for the executing ones, then joins the threads.
  virtual ~LocalisationQueue();
  LocalisationQueue(const LocalisationQueue&) = delete;
  LocalisationQueue& operator=(const LocalisationQueue&) = delete;

  // Queues one request; equal requests are not merged. Within a pool, higher priorities run
  // first, equal ones in order of arrival. A request that a stopped pool refuses is forgotten.
  void queueTask(FileTask kind, int priority, const std::string& path);
  // Called by a task when it has run (or was cancelled, or its engine operation threw).
  void notifyTaskCompleted(Tessel::Base::Task* task);

  // Cancelled tasks still run, but skip the engine and send no event; a task already in its
  // engine operation finishes it.
  void cancelPendingTasks(const std::string& path); // checks and copies of the path
  void cancelRemovalTasks(const std::string& path); // removals of the path
  // Forgets every task and drops the queued ones; both pools are left running.
  void cancelAllTasks();

  // Tasks queued or executing and not yet completed, including those dropped by shutdown.
  std::uint64_t pendingTasks() const;

  // Queued tasks wait (new ones are still taken); executing ones finish.
  void pause();
  void resume();
  void start() { resume(); }
  // Drops the queued tasks and refuses new ones, then waits until no task is executing. The
  // dropped tasks stay in the table.
  void shutdown();

  LocalisationEngine& engine() const { return m_engine; }
  // The number of check threads.
  unsigned checkThreadCount() const { return m_checkPool.threadCount(); }

private:
  Tessel::Base::ThreadPoolBoost m_localiserPool;
  Tessel::Base::ThreadPoolBoost m_checkPool;
  const std::unique_ptr<PendingTaskTable> m_pendingTasks;
  LocalisationEngine& m_engine;
};

} // namespace Velloro
