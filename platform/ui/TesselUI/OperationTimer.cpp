#include <TesselUI/OperationTimer.h>

namespace Tessel {
namespace Profile {

OperationTimer::~OperationTimer() = default;

} // namespace Profile
} // namespace Tessel
