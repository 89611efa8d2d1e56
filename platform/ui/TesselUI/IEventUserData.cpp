#include <TesselUI/IEventUserData.h>

namespace Tessel {
namespace UI {

IEventUserData::~IEventUserData() = default;

} // namespace UI
} // namespace Tessel
