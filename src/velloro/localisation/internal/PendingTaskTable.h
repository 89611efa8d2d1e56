#pragma once

#include <velloro/localisation/internal/FileTaskProcessorTask.h>

#include <boost/intrusive/list.hpp>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <shared_mutex>
#include <string_view>

namespace Velloro {

// The queue's tasks that are queued or executing and not yet completed, each held by a
// reference. Tasks are linked through their own hook into one of a fixed number of stripes,
// chosen by the hash of the path, each under a lock of its own: adding and completing a task
// neither allocates nor searches, and the thread queueing requests and the workers completing
// others seldom wait for one another. Finding the tasks of a path walks one stripe.
//
// Threads: every operation may be called from any thread. insert() and forEachOf() run their
// function under the lock of the path's stripe alone. insert() also holds a gate shared, which
// clear() holds exclusively, so that nothing is added while the table is cleared.
class PendingTaskTable {
public:
  PendingTaskTable() = default;
  // Releases the tasks still held.
  ~PendingTaskTable();
  PendingTaskTable(const PendingTaskTable&) = delete;
  PendingTaskTable& operator=(const PendingTaskTable&) = delete;

  // Adds the task, then calls handOver(task) under its stripe's lock; when that returns false
  // the task is taken out again. Returns what handOver returned.
  bool insert(FileTaskProcessorTask& task, const std::function<bool(FileTaskProcessorTask&)>& handOver);
  // Takes the task out, if the table still holds it.
  void erase(FileTaskProcessorTask& task);
  // Calls visit on each task of the path.
  void forEachOf(std::string_view path, const std::function<void(FileTaskProcessorTask&)>& visit);
  // Forgets every task; then, with no task added meanwhile, calls whileLocked.
  void clear(const std::function<void()>& whileLocked);

  std::uint64_t size() const { return m_size.load(std::memory_order_acquire); }

private:
  using Hook = boost::intrusive::member_hook<FileTaskProcessorTask, boost::intrusive::list_member_hook<>,
                                             &FileTaskProcessorTask::m_tableHook>;
  using TaskList =
      boost::intrusive::list<FileTaskProcessorTask, Hook, boost::intrusive::constant_time_size<false>>;
  // A stripe holds about a hundred tasks when a hundred thousand wait (64 KiB of stripes).
  static constexpr std::size_t kStripeCount = 1024;
  struct alignas(64) Stripe {
    std::mutex mutex;
    TaskList tasks;
  };

  Stripe& stripeOf(std::size_t hash) { return m_stripes[hash % kStripeCount]; }
  // Unlinks every task of the stripe, under its lock, and releases the table's references.
  void releaseAll(Stripe& stripe);

  std::shared_mutex m_insertGate;
  std::array<Stripe, kStripeCount> m_stripes;
  std::atomic<std::uint64_t> m_size{0};
};

} // namespace Velloro
