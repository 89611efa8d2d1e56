// Linked into every OpenGL test program: they need a real display, which the test command
// provides under Xvfb, and so the xcb platform rather than offscreen. Without a display (when
// the build lists the tests) the offscreen default stays.
#include <cstdlib>

namespace {

const bool kUsesXcb = std::getenv("DISPLAY") && setenv("QT_QPA_PLATFORM", "xcb", 0) == 0;

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// Mesa's software rasteriser and D-Bus keep allocations, made from JIT-compiled frames that no
// suppression can name, until the process ends. Memory errors are still caught.
// The sanitizer runtime finds this through the program's exported symbols.
extern "C" __attribute__((visibility("default"))) const char* __asan_default_options() {
  return "detect_leaks=0";
}
#endif
