#include <TesselUI/IEventUserData.h>

namespace Tessel::UI {

IEventUserData::~IEventUserData() = default;

} // namespace Tessel::UI
