#pragma once

#include <velloro/VelloroExport.h>

#include <cstdint>
#include <string>

namespace Velloro {

// The application-wide localisation mode.
enum LocalisationMode : std::int32_t { eModeOn = 0, eModeManual = 1, eModeOff = 2 };

// "on", "manual" or "off", matched exactly and case-sensitively; any other text throws
// std::runtime_error naming the label.
VELLORO_EXPORT LocalisationMode localisationModeFromLabel(const std::string& label);

// The label of a mode; a value outside the enumeration reads as "off".
VELLORO_EXPORT const char* localisationModeLabel(LocalisationMode mode);

} // namespace Velloro
