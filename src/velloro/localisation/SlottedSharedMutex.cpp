#include <velloro/localisation/internal/SlottedSharedMutex.h>
#include <velloro/localisation/internal/ThreadSlot.h>

namespace Velloro {

void SlottedSharedMutex::lock() {
  // Always in the same order, so that two writers cannot each hold a part.
  for (Slot& slot : m_slots) {
    slot.mutex.lock();
  }
}

void SlottedSharedMutex::unlock() {
  for (Slot& slot : m_slots) {
    slot.mutex.unlock();
  }
}

SlottedSharedMutex::Slot& SlottedSharedMutex::slotOfThisThread() {
  return m_slots[threadSlot() % kSlots];
}

} // namespace Velloro
