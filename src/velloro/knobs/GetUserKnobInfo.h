#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/knobs/KnobTypeInfo.h>

#include <vector>

namespace Velloro {

// The knob types a user can add to a node, in the order the knob editor shows them, with
// separators between groups. Built on first call and kept for the life of the process; safe to
// call from any thread.
VELLORO_EXPORT const std::vector<KnobTypeInfo>& GetUserKnobInfo();

} // namespace Velloro
