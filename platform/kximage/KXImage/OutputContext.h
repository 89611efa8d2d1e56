#pragma once

#include <KXImage/KXImageExport.h>

namespace KX::Image {

class Op;

// What the SDK knows about the script an op renders for.
//
// Threads: the host replaces the function before it renders and never while images are
// processed; calling it is safe from any thread.
class KXIMAGE_EXPORT OutputContext {
public:
  // True when the script of op (or, for a null op, the current script) has more than one view.
  // The SDK answers false until the host installs its own function.
  static bool (*hasMultipleViews)(const Op* op);
};

} // namespace KX::Image
