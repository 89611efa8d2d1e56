#pragma once

#include <KXImage/KXImageExport.h>

namespace KX::Image {

class Op;

// What an op renders for: the frame, and what the SDK knows about the script.
//
// Threads: an OutputContext is a plain value. The host replaces hasMultipleViews before it
// renders and never while images are processed; calling it is safe from any thread.
class KXIMAGE_EXPORT OutputContext {
public:
  double frame() const { return m_frame; }
  void setFrame(double frame) { m_frame = frame; }

  // True when the script of op (or, for a null op, the current script) has more than one view.
  // The SDK answers false until the host installs its own function.
  static bool (*hasMultipleViews)(const Op* op);

private:
  double m_frame = 1.0;
};

} // namespace KX::Image
