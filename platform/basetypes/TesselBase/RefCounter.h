#pragma once

#include <TesselBase/TesselBaseExport.h>

#include <atomic>

namespace Tessel {
namespace Base {

// An intrusive reference count; the object deletes itself when the last reference goes.
// The count is atomic, so references may be taken and dropped on any thread.
class TESSEL_BASE_EXPORT RefCounter {
public:
  RefCounter() = default;
  RefCounter(const RefCounter&) {}
  RefCounter& operator=(const RefCounter&) { return *this; }
  virtual ~RefCounter();

  void addReference() const { m_count.fetch_add(1, std::memory_order_relaxed); }
  // Returns true when this call dropped the last reference.
  bool removeReference() const;
  int referenceCount() const { return m_count.load(std::memory_order_acquire); }

protected:
  // Called when the last reference goes; objects that live in a pool may recycle themselves.
  virtual void release() const;

private:
  mutable std::atomic<int> m_count{0};
};

} // namespace Base
} // namespace Tessel
