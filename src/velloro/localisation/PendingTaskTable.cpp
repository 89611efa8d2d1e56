#include <velloro/localisation/internal/PendingTaskTable.h>

namespace Velloro {

PendingTaskTable::~PendingTaskTable() {
  for (Stripe& stripe : m_stripes) {
    std::lock_guard<std::mutex> lock(stripe.mutex);
    releaseAll(stripe);
  }
}

bool PendingTaskTable::insert(FileTaskProcessorTask& task,
                              const std::function<bool(FileTaskProcessorTask&)>& handOver) {
  std::shared_lock<std::shared_mutex> gate(m_insertGate);
  Stripe& stripe = stripeOf(task.pathHash());
  std::lock_guard<std::mutex> lock(stripe.mutex);
  task.addReference();
  stripe.tasks.push_back(task);
  m_size.fetch_add(1, std::memory_order_release);
  if (handOver(task)) {
    return true;
  }
  stripe.tasks.erase(stripe.tasks.iterator_to(task));
  m_size.fetch_sub(1, std::memory_order_release);
  // The caller still holds a reference: this one is never the last.
  task.removeReference();
  return false;
}

void PendingTaskTable::erase(FileTaskProcessorTask& task) {
  Stripe& stripe = stripeOf(task.pathHash());
  {
    std::lock_guard<std::mutex> lock(stripe.mutex);
    if (!task.m_tableHook.is_linked()) {
      return;
    }
    stripe.tasks.erase(stripe.tasks.iterator_to(task));
    m_size.fetch_sub(1, std::memory_order_release);
  }
  // The completing task is still held by its pool while it reports, so this is not the last
  // reference either.
  task.removeReference();
}

void PendingTaskTable::forEachOf(std::string_view path,
                                 const std::function<void(FileTaskProcessorTask&)>& visit) {
  const std::size_t hash = FileTaskProcessorTask::hashOf(path);
  Stripe& stripe = stripeOf(hash);
  std::lock_guard<std::mutex> lock(stripe.mutex);
  for (FileTaskProcessorTask& task : stripe.tasks) {
    if (task.pathHash() == hash && task.path().native() == path) {
      visit(task);
    }
  }
}

void PendingTaskTable::clear(const std::function<void()>& whileLocked) {
  std::unique_lock<std::shared_mutex> gate(m_insertGate);
  for (Stripe& stripe : m_stripes) {
    std::lock_guard<std::mutex> lock(stripe.mutex);
    releaseAll(stripe);
  }
  whileLocked();
}

void PendingTaskTable::releaseAll(Stripe& stripe) {
  stripe.tasks.clear_and_dispose([this](FileTaskProcessorTask* task) {
    m_size.fetch_sub(1, std::memory_order_release);
    task->removeReference();
  });
}

} // namespace Velloro
