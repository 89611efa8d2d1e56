#include <TesselBase/RefCounter.h>

namespace Tessel {
namespace Base {

RefCounter::~RefCounter() = default;

void RefCounter::release() const {
  delete this;
}

bool RefCounter::removeReference() const {
  if (m_count.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    release();
    return true;
  }
  return false;
}

} // namespace Base
} // namespace Tessel
