#include <velloro/localisation/LocalisationQueue.h>
#include <velloro/localisation/internal/FileTaskProcessorTask.h>
#include <velloro/localisation/internal/PendingTaskTable.h>

#include <boost/intrusive_ptr.hpp>

#include <algorithm>
#include <cstdlib>

namespace Velloro {

namespace {

// ORVIK_LOCALIZATION_NUMWATCHERS as a leading decimal number; unset, unreadable or below 1 gives
// 1, and a number too large for the threads a process can start gives the maximum.
unsigned checkThreadsFromEnvironment() {
  const char* text = std::getenv("ORVIK_LOCALIZATION_NUMWATCHERS");
  const long long requested = text ? std::strtoll(text, nullptr, 10) : 1;
  return static_cast<unsigned>(std::clamp<long long>(requested, 1, LocalisationQueue::kMaximumCheckThreads));
}

} // namespace

LocalisationQueue::LocalisationQueue(LocalisationEngine& engine)
    : m_localiserPool("Localiser", 1)
    , m_checkPool("CheckFile", checkThreadsFromEnvironment())
    , m_pendingTasks(std::make_unique<PendingTaskTable>())
    , m_engine(engine) {}

LocalisationQueue::~LocalisationQueue() {
  m_localiserPool.stop();
  m_checkPool.stop();
  m_localiserPool.waitUntilIdle();
  m_checkPool.waitUntilIdle();
}

void LocalisationQueue::queueTask(FileTask kind, int priority, const std::string& path) {
  // Made before any lock is taken: no one can see the task until it is in the table.
  const boost::intrusive_ptr<FileTaskProcessorTask> task(
      new FileTaskProcessorTask(m_engine, *this, path, kind));
  task->setPriority(priority);
  Tessel::Base::ThreadPoolBoost& pool = kind == eCheckFile ? m_checkPool : m_localiserPool;
  m_pendingTasks->insert(*task, [&pool](FileTaskProcessorTask& added) { return pool.addTask(&added); });
}

void LocalisationQueue::notifyTaskCompleted(Tessel::Base::Task* task) {
  if (auto* fileTask = dynamic_cast<FileTaskProcessorTask*>(task)) {
    m_pendingTasks->erase(*fileTask);
  }
}

void LocalisationQueue::cancelPendingTasks(const std::string& path) {
  m_pendingTasks->forEachOf(path, [](FileTaskProcessorTask& task) {
    if (task.kind() != eRemoveFile) {
      task.cancel();
    }
  });
}

void LocalisationQueue::cancelRemovalTasks(const std::string& path) {
  m_pendingTasks->forEachOf(path, [](FileTaskProcessorTask& task) {
    if (task.kind() == eRemoveFile) {
      task.cancel();
    }
  });
}

void LocalisationQueue::cancelAllTasks() {
  // The pools are stopped before new requests are let in again, so that no task queued meanwhile
  // is dropped by a pool while the table still counts it.
  m_pendingTasks->clear([this] {
    m_localiserPool.stop();
    m_checkPool.stop();
    m_localiserPool.resume();
    m_checkPool.resume();
  });
}

std::uint64_t LocalisationQueue::pendingTasks() const {
  return m_pendingTasks->size();
}

void LocalisationQueue::pause() {
  m_localiserPool.pause();
  m_checkPool.pause();
}

void LocalisationQueue::resume() {
  m_localiserPool.resume();
  m_checkPool.resume();
}

void LocalisationQueue::shutdown() {
  m_localiserPool.stop();
  m_checkPool.stop();
  m_localiserPool.waitUntilIdle();
  m_checkPool.waitUntilIdle();
}

} // namespace Velloro
