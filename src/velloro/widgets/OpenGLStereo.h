#pragma once

#include <velloro/VelloroExport.h>

namespace Velloro {

// Whether a quad-buffered stereo OpenGL context can be made. Probed once, on the first call
// (which should come from the GUI thread, after the application object exists), and cached
// for the process; later calls from any thread read the cached answer.
VELLORO_EXPORT bool IsOpenGLStereoAvailable();

} // namespace Velloro
