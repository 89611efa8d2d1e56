#pragma once

#include <velloro/VelloroExport.h>

namespace Velloro::Image {

// Installs the library's channel and layer registry into the image SDK's nine hooks, so that
// every channel and layer question the SDK asks is answered here. Called by the host once the
// library is loaded, on the GUI thread, before images are processed.
VELLORO_EXPORT void setLayerPointers();

} // namespace Velloro::Image
