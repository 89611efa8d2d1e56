#pragma once

#include <velloro/base/Task.h>
#include <velloro/localisation/LocalisationQueue.h>

#include <boost/filesystem/path.hpp>
#include <boost/intrusive/list_hook.hpp>

#include <atomic>
#include <cstddef>
#include <functional>
#include <string_view>

namespace Velloro {

class LocalisationEngine;

// One request of the localisation queue: runs the engine operation of its kind on its path,
// unless cancelled first, and then tells the queue it has completed, also when the operation
// threw (the exception then goes on to the task's result).
//
// Threads: the cancelled flag may be set from any thread; run() runs on a pool worker.
class FileTaskProcessorTask : public Tessel::Base::Task {
public:
  FileTaskProcessorTask(LocalisationEngine& engine, LocalisationQueue& queue,
                        const boost::filesystem::path& path, LocalisationQueue::FileTask kind);

  void cancel() { m_cancelled.store(true); }
  bool cancelled() const { return m_cancelled.load(); }
  const boost::filesystem::path& path() const { return m_path; }
  // The hash of the path's text, computed once for the queue's table.
  std::size_t pathHash() const { return m_pathHash; }
  static std::size_t hashOf(std::string_view path) { return std::hash<std::string_view>()(path); }
  LocalisationQueue::FileTask kind() const { return m_kind; }

protected:
  void run() override;

private:
  friend class PendingTaskTable;

  // Links the task into the queue's table of pending tasks.
  boost::intrusive::list_member_hook<> m_tableHook;
  std::atomic<bool> m_cancelled{false};
  LocalisationEngine* m_engine;
  LocalisationQueue* m_queue;
  boost::filesystem::path m_path;
  std::size_t m_pathHash;
  LocalisationQueue::FileTask m_kind;
};

} // namespace Velloro
