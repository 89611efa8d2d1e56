#include <TesselUI/OperationTimer.h>

namespace Tessel::Profile {

OperationTimer::~OperationTimer() = default;

} // namespace Tessel::Profile
