#pragma once

#include <array>
#include <cstddef>
#include <shared_mutex>

namespace Velloro {

// A shared mutex for data read on every operation by several threads and changed rarely: a
// reader locks only the slot of its thread, so readers on different threads touch no common
// cache line; a writer locks every slot. Usable with std::shared_lock and std::unique_lock.
//
// Threads: any thread may lock it either way; a reader unlocks on the thread that locked.
class SlottedSharedMutex {
public:
  void lock();
  void unlock();
  void lock_shared() { slotOfThisThread().mutex.lock_shared(); }
  void unlock_shared() { slotOfThisThread().mutex.unlock_shared(); }

private:
  static constexpr std::size_t kSlots = 4;
  struct alignas(64) Slot {
    std::shared_mutex mutex;
  };

  Slot& slotOfThisThread();

  std::array<Slot, kSlots> m_slots;
};

} // namespace Velloro
