#pragma once

#include <TesselUI/TesselUIExport.h>

#include <TesselBase/RefCounter.h>

namespace Tessel::Profile {

// Told when an operation (a decode, a read) starts and ends, for profiling. Shared between
// the operation and its owner by intrusive reference count.
class TESSEL_UI_EXPORT OperationTimer : public Base::RefCounter {
public:
  ~OperationTimer() override;
  virtual void startOperation() = 0;
  virtual void endOperation() = 0;

protected:
  OperationTimer() = default;
  OperationTimer(const OperationTimer&) = default;
  OperationTimer& operator=(const OperationTimer&) = default;
};

} // namespace Tessel::Profile
