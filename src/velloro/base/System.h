#pragma once

#include <velloro/VelloroExport.h>

#include <QVariant>

// Process-wide switches taken from the environment.
//
// Threads: LoadEnvironmentVariables writes the value table without a lock and must run before
// other threads read it; EnvironmentVariableValue and IsEnvTruthy only read, on any thread.
namespace Velloro::System {

enum EnvironmentVariable {
  ORVIK_TIMELINE_EXR_THREAD_POOL_SIZE = 0,
  ORVIK_TIMELINE_GL_DOWNLOAD_METHOD = 1,
  ORVIK_TIMELINE_MEMCPY_CHUNK_SIZE = 2,
  ORVIK_TIMELINE_MEMCPY_THREAD_POOL_SIZE = 3,
  ORVIK_TIMELINE_NUMA_NODE_MEMCPY_THREAD_POOL = 4,
  ORVIK_TIMELINE_NUMA_NODE_PBO_CREATE = 5,
  ORVIK_TIMELINE_NUMA_NODE_PLAYBACK_CACHE = 6,
  ORVIK_TIMELINE_NUMA_PRINT_THREAD_AFFINITY = 7,
  ORVIK_TIMELINE_PIN_THREAD_POOLS = 8,
  ORVIK_TIMELINE_SHARED_THREAD_POOL_SIZE = 9,
  ORVIK_TIMELINE_USE_DEFAULT_EXR_THREAD_POOL = 10,
  ORVIK_TIMELINE_USE_SHARED_THREAD_POOL = 11,
  ORVIK_TIMELINE_VSYNC_SWAP_WAIT_ADJUSTMENT = 12,
  ORVIK_MONITOR_OUT_DISALLOW_DISPLAY_MODE_SORTING = 13,
  ORVIK_MONITOR_OUT_ENABLE_3D_SCOPE = 14,
  ORVIK_OCIO_ROLES = 15,
  ORVIK_MXF_READER_ENFORCE_ARRI7 = 16,
  ORVIK_TIMELINE_ENABLE_OPVIEW = 17,
  ORVIK_DISABLE_SOFT_SELECTION = 18,
  ORVIK_TIMELINE_TEXTURE_UPLOAD_THREAD_POOL_SIZE = 19,
  ORVIK_ENABLE_WINDOWS_INK = 20
};

// Reads all 21 variables into the value table (again on every call). A set, non-empty value
// becomes an int when its whole text is a base-10 integer, else the text; it is echoed to
// standard output. An unset or empty value takes the variable's default.
VELLORO_EXPORT void LoadEnvironmentVariables();

// A copy of the variable's entry: invalid before LoadEnvironmentVariables, and for a value
// outside the enumeration.
VELLORO_EXPORT QVariant EnvironmentVariableValue(EnvironmentVariable variable);

// Whether the variable is set to "1", "true", "on" or "yes", in any case and without blanks.
VELLORO_EXPORT bool IsEnvTruthy(const char* name);

// The thread-pool default: the share of the hardware threads, truncated, and at least 1.
VELLORO_EXPORT int HardwareThreadShare(double share, unsigned hardwareThreads);

} // namespace Velloro::System
