#include <velloro/localisation/internal/ThreadSlot.h>

#include <atomic>

namespace Velloro {

unsigned threadSlot() {
  static std::atomic<unsigned> s_nextThread{0};
  thread_local const unsigned t_slot = s_nextThread.fetch_add(1, std::memory_order_relaxed);
  return t_slot;
}

} // namespace Velloro
