#pragma once

#include <velloro/VelloroExport.h>

#include <string>

// A display transform is named "<display>/<view>", or "<view>" alone for the display "default".
namespace Velloro::OpenColorIO {

VELLORO_EXPORT std::string BuildDisplayTransformName(const std::string& display, const std::string& view);

// Splits a display transform name at its last "/"; a name without "/" is a view of the display
// "default".
VELLORO_EXPORT void GetDisplayAndViewFromDisplayTransformName(std::string& display, std::string& view,
                                                              const std::string& name);

} // namespace Velloro::OpenColorIO
