#include <velloro/eventgraph/EventGraphSettings.h>

namespace Velloro {

std::atomic<bool> EventGraphSettings::s_enabled{false};

} // namespace Velloro
