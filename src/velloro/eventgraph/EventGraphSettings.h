#pragma once

#include <velloro/VelloroExport.h>

#include <atomic>

namespace Velloro {

// The process-wide switch for recording profiling events, off until the host turns it on.
// Any thread may read or set it; it is read without ordering so that hot paths pay no more
// than for a plain flag.
class VELLORO_EXPORT EventGraphSettings {
public:
  static bool IsEnabled() { return s_enabled.load(std::memory_order_relaxed); }
  static void SetEnabled(bool enabled) { s_enabled.store(enabled, std::memory_order_relaxed); }

private:
  static std::atomic<bool> s_enabled;
};

} // namespace Velloro
