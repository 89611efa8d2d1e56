#include <TesselBase/RefCounter.h>

namespace Tessel::Base {

RefCounter::~RefCounter() = default;

void RefCounter::release() noexcept {
  delete this;
}

} // namespace Tessel::Base
