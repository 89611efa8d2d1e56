#pragma once

#include <TesselBase/TesselBaseExport.h>

#include <atomic>
#include <cstdint>

namespace Tessel::Base {

// An intrusive, atomic reference count, usable with boost::intrusive_ptr. A new object holds no
// reference; when the last reference is removed, release() is called, which deletes the object,
// so counted objects must be created with new. Tasks, pools and operation timers share it.
//
// Threads: any thread may add and remove references.
class TESSEL_BASE_EXPORT RefCounter {
public:
  RefCounter() = default;
  // A copy is a new object: it starts without references of its own.
  RefCounter(const RefCounter&) noexcept {}
  RefCounter& operator=(const RefCounter&) noexcept { return *this; }
  virtual ~RefCounter();

  void addReference() noexcept { m_references.fetch_add(1, std::memory_order_relaxed); }
  // Returns true when this call removed the last reference (and so released the object).
  bool removeReference() noexcept {
    if (m_references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
      release();
      return true;
    }
    return false;
  }
  std::int32_t referenceCount() const noexcept { return m_references.load(std::memory_order_acquire); }

protected:
  // Called when the last reference goes; deletes the object.
  virtual void release() noexcept;

private:
  std::atomic<std::int32_t> m_references{0};
};

inline void intrusive_ptr_add_ref(RefCounter* object) noexcept {
  object->addReference();
}

inline void intrusive_ptr_release(RefCounter* object) noexcept {
  object->removeReference();
}

} // namespace Tessel::Base
