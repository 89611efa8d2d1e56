#pragma once

#include <velloro/VelloroExport.h>

namespace Velloro {

// Whether a quad-buffered stereo OpenGL context can be made. False while no application object
// exists (there is no platform to ask yet); probed on the first call after it exists (which
// should come from the GUI thread) and cached for the process; later calls from any thread read
// the cached answer.
VELLORO_EXPORT bool IsOpenGLStereoAvailable();

} // namespace Velloro
