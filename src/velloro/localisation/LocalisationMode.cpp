#include <velloro/localisation/LocalisationMode.h>

#include <stdexcept>

namespace Velloro {

LocalisationMode localisationModeFromLabel(const std::string& label) {
  if (label == "on") {
    return eModeOn;
  }
  if (label == "manual") {
    return eModeManual;
  }
  if (label == "off") {
    return eModeOff;
  }
  throw std::runtime_error("Unknown Localisation Mode label '" + label + "'");
}

const char* localisationModeLabel(LocalisationMode mode) {
  switch (mode) {
  case eModeOn:
    return "on";
  case eModeManual:
    return "manual";
  default:
    return "off";
  }
}

} // namespace Velloro
