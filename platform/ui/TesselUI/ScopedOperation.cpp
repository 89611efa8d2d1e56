#include <TesselUI/ScopedOperation.h>

#include <TesselUI/OperationTimer.h>

namespace Tessel::Profile {

ScopedOperation::ScopedOperation(OperationTimer* timer)
    : m_timer(timer) {
  if (m_timer) {
    m_timer->addReference();
    m_timer->startOperation();
  }
}

ScopedOperation::~ScopedOperation() {
  if (m_timer) {
    m_timer->endOperation();
    m_timer->removeReference();
  }
}

} // namespace Tessel::Profile
