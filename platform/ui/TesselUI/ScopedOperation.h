#pragma once

#include <TesselUI/TesselUIExport.h>

namespace Tessel::Profile {

class OperationTimer;

// Starts an operation on a timer for its lifetime; a null timer is allowed.
class TESSEL_UI_EXPORT ScopedOperation {
public:
  explicit ScopedOperation(OperationTimer* timer);
  ~ScopedOperation();
  ScopedOperation(const ScopedOperation&) = delete;
  ScopedOperation& operator=(const ScopedOperation&) = delete;

private:
  OperationTimer* m_timer;
};

} // namespace Tessel::Profile
