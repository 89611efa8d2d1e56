#include <velloro/localisation/LocalisationQueue.h>
#include <velloro/localisation/internal/FileTaskProcessorTask.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

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
    , m_engine(engine) {}

LocalisationQueue::~LocalisationQueue() {
  m_localiserPool.stop();
  m_checkPool.stop();
  m_localiserPool.waitUntilIdle();
  m_checkPool.waitUntilIdle();
}

void LocalisationQueue::queueTask(FileTask kind, int priority, const std::string& path) {
  // Made before the table is locked: no one can see the task until it is in the table, and the
  // workers completing other tasks wait less for the lock.
  boost::intrusive_ptr<FileTaskProcessorTask> task(new FileTaskProcessorTask(m_engine, *this, path, kind));
  task->setPriority(priority);
  std::lock_guard<std::mutex> lock(m_tableMutex);
  const auto entry = m_pendingTasks.emplace(path, task);
  Tessel::Base::ThreadPoolBoost& pool = kind == eCheckFile ? m_checkPool : m_localiserPool;
  if (!pool.addTask(task.get())) {
    m_pendingTasks.erase(entry);
  }
}

void LocalisationQueue::notifyTaskCompleted(Tessel::Base::Task* task) {
  const auto* fileTask = dynamic_cast<FileTaskProcessorTask*>(task);
  if (!fileTask) {
    return;
  }
  std::lock_guard<std::mutex> lock(m_tableMutex);
  const auto [first, last] = m_pendingTasks.equal_range(fileTask->path().string());
  for (auto entry = first; entry != last;) {
    entry = entry->second.get() == fileTask ? m_pendingTasks.erase(entry) : std::next(entry);
  }
}

void LocalisationQueue::cancelPendingTasks(const std::string& path) {
  std::lock_guard<std::mutex> lock(m_tableMutex);
  const auto [first, last] = m_pendingTasks.equal_range(path);
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second->kind() != eRemoveFile) {
      entry->second->cancel();
    }
  }
}

void LocalisationQueue::cancelRemovalTasks(const std::string& path) {
  std::lock_guard<std::mutex> lock(m_tableMutex);
  const auto [first, last] = m_pendingTasks.equal_range(path);
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second->kind() == eRemoveFile) {
      entry->second->cancel();
    }
  }
}

void LocalisationQueue::cancelAllTasks() {
  std::lock_guard<std::mutex> lock(m_tableMutex);
  m_pendingTasks.clear();
  m_localiserPool.stop();
  m_checkPool.stop();
  m_localiserPool.resume();
  m_checkPool.resume();
}

std::uint64_t LocalisationQueue::pendingTasks() const {
  std::lock_guard<std::mutex> lock(m_tableMutex);
  return m_pendingTasks.size();
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
