#pragma once

#include <velloro/VelloroExport.h>

#include <cstdint>

namespace Velloro {

// How eagerly the files of one host object are localised, most eager first. The value of a
// policy is its index in kLocalisationPolicyNames.
enum LocalisationPolicy : std::int32_t {
  ePolicyOn = 0,
  ePolicyFromAutoLocalizePath = 1,
  ePolicyOnDemand = 2,
  ePolicyOff = 3
};

// The policies' names in value order, ended by a null pointer. An entry holding a tab is the
// script name, a tab, then the label shown to the user; an entry without one serves as both.
VELLORO_EXPORT extern const char* const kLocalisationPolicyNames[5];

} // namespace Velloro
