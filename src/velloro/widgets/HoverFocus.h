#pragma once

#include <velloro/VelloroExport.h>

class QWidget;

namespace Velloro {

// Marks widgets that take keyboard focus when the mouse moves over them, through the dynamic
// property "tsHoverFocus" that the host's event handling reads. GUI thread only.
VELLORO_EXPORT void RegisterForHoverFocus(QWidget& widget);
VELLORO_EXPORT void UnregisterForHoverFocus(QWidget& widget);
// False for a widget that was never registered.
VELLORO_EXPORT bool IsHoverFocusWidget(const QWidget& widget);

} // namespace Velloro
