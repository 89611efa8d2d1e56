#include <velloro/localisation/FileTaskProcessorTask.h>
#include <velloro/localisation/LocalisationQueue.h>

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
    : _localiserPool("Localiser", 1)
    , _checkPool("CheckFile", checkThreadsFromEnvironment())
    , _engine(engine) {}

LocalisationQueue::~LocalisationQueue() {
  _localiserPool.stop();
  _checkPool.stop();
  _localiserPool.waitUntilIdle();
  _checkPool.waitUntilIdle();
}

void LocalisationQueue::queueTask(FileTask kind, int priority, const std::string& path) {
  // Made before the table is locked: no one can see the task until it is in the table, and the
  // workers completing other tasks wait less for the lock.
  boost::intrusive_ptr<FileTaskProcessorTask> task(new FileTaskProcessorTask(_engine, *this, path, kind));
  task->setPriority(priority);
  std::lock_guard<std::mutex> lock(_tableMutex);
  const auto entry = _pendingTasks.emplace(path, task);
  Tessel::Base::ThreadPoolBoost& pool = kind == eCheckFile ? _checkPool : _localiserPool;
  if (!pool.addTask(task.get())) {
    _pendingTasks.erase(entry);
  }
}

void LocalisationQueue::notifyTaskCompleted(Tessel::Base::Task* task) {
  const auto* fileTask = dynamic_cast<FileTaskProcessorTask*>(task);
  if (!fileTask) {
    return;
  }
  std::lock_guard<std::mutex> lock(_tableMutex);
  const auto [first, last] = _pendingTasks.equal_range(fileTask->path().string());
  for (auto entry = first; entry != last;) {
    entry = entry->second.get() == fileTask ? _pendingTasks.erase(entry) : std::next(entry);
  }
}

void LocalisationQueue::cancelPendingTasks(const std::string& path) {
  std::lock_guard<std::mutex> lock(_tableMutex);
  const auto [first, last] = _pendingTasks.equal_range(path);
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second->kind() != eRemoveFile) {
      entry->second->cancel();
    }
  }
}

void LocalisationQueue::cancelRemovalTasks(const std::string& path) {
  std::lock_guard<std::mutex> lock(_tableMutex);
  const auto [first, last] = _pendingTasks.equal_range(path);
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second->kind() == eRemoveFile) {
      entry->second->cancel();
    }
  }
}

void LocalisationQueue::cancelAllTasks() {
  std::lock_guard<std::mutex> lock(_tableMutex);
  _pendingTasks.clear();
  _localiserPool.stop();
  _checkPool.stop();
  _localiserPool.resume();
  _checkPool.resume();
}

std::uint64_t LocalisationQueue::pendingTasks() const {
  std::lock_guard<std::mutex> lock(_tableMutex);
  return _pendingTasks.size();
}

void LocalisationQueue::pause() {
  _localiserPool.pause();
  _checkPool.pause();
}

void LocalisationQueue::resume() {
  _localiserPool.resume();
  _checkPool.resume();
}

void LocalisationQueue::shutdown() {
  _localiserPool.stop();
  _checkPool.stop();
  _localiserPool.waitUntilIdle();
  _checkPool.waitUntilIdle();
}

} // namespace Velloro
