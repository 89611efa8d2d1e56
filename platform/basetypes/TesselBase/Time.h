#pragma once

#include <cstdint>
#include <limits>

namespace Tessel::Base {

// A frame number on a time line. The smallest value marks "no time" (for example a cleared
// in point), so that every real frame, negative ones included, stays representable.
using Time = std::int64_t;

constexpr Time kInvalidTime = std::numeric_limits<Time>::min();

constexpr bool IsValidTime(Time time) {
  return time != kInvalidTime;
}

} // namespace Tessel::Base
