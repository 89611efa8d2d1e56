#pragma once

#include <velloro/VelloroExport.h>

class QWidget;
class QWindow;

namespace Velloro {

// Switches for drawing beyond the standard dynamic range. This platform has no extended range
// output, so each is accepted and has no effect; null widgets and windows are fine.
VELLORO_EXPORT void SetHDREnabled(bool enabled);
VELLORO_EXPORT void setExtendedDynamicRangeForWidget(QWidget* widget, bool enabled);
VELLORO_EXPORT void setExtendedDynamicRangeForWindow(QWindow* window, bool enabled);

} // namespace Velloro
