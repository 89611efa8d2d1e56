#pragma once

#include <KXImage/Node.h>

#include <vector>

namespace KX::Image {

// Wraps a pixel op the way the host presents plug-in ops: it adds the "disable" field, which
// passes the input through untouched on both the CPU and the GPU path.
template <class PixelOp> class OrvikWrapper : public PixelOp {
public:
  explicit OrvikWrapper(Node* node)
      : PixelOp(node) {
    this->declareField("disable", std::vector<double>{0.0});
  }

  bool disabled() const { return this->numberField("disable") != 0.0; }
  const char* gpuEngine_decl() const override { return disabled() ? nullptr : PixelOp::gpuEngine_decl(); }
  const char* gpuEngine_body() const override { return disabled() ? nullptr : PixelOp::gpuEngine_body(); }

protected:
  bool enabled() const override { return !disabled() && PixelOp::enabled(); }
};

} // namespace KX::Image
