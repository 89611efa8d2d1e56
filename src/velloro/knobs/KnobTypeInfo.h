#pragma once

#include <velloro/VelloroExport.h>

#include <cstdint>
#include <string>

namespace Velloro {

// One kind of user knob that the knob editor offers: its shown name, its script name (which
// also names its icon) and the image SDK's number for the knob class. Separator entries only
// divide the list.
struct VELLORO_EXPORT KnobTypeInfo {
  static constexpr std::uint8_t kSkipDialog = 0x01;
  static constexpr std::uint8_t kSeparator = 0x02;

  std::string label;
  std::string typeName;
  std::int32_t knobType = 0;
  std::uint8_t flags = 0;

  // The knob is made at once, without asking the user for its name first.
  bool skipDialog() const { return (flags & kSkipDialog) != 0; }
  bool isSeperator() const { return (flags & kSeparator) != 0; }
};

} // namespace Velloro
