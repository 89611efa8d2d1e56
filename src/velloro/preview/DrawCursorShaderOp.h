#pragma once

#include <velloro/VelloroExport.h>

#include <KXImage/PixelIop.h>

namespace KX::Image {

// Paints a crosshair cursor over its input: a horizontal and a vertical bar, each with a border,
// centred on a position given as a fraction of a display resolution. The GPU path (GLSL) and the
// CPU path (pixel_engine) draw the same shape; on the CPU a pixel exactly on a bar's edge counts
// as outside, on the GPU as inside. Registered with the image SDK as "DrawCursorShaderOp".
//
// Threads: knobs change on the editing thread; pixel_engine() runs for different rows on
// several threads at once and only reads the members.
class VELLORO_EXPORT DrawCursorShaderOp : public PixelIop {
public:
  static constexpr const char* kClassName = "DrawCursorShaderOp";
  static constexpr const char* kHelp = "Paint a crosshair cursor to the output";

  explicit DrawCursorShaderOp(Node* node);

  const char* Class() const override { return kClassName; }
  const char* node_help() const override { return kHelp; }

  void knobs(Knob_Closure& f) override;
  int knob_changed(Knob* knob) override;

  const char* gpuEngine_decl() const override;
  const char* gpuEngine_body() const override;
  void gpuEngine_GL_begin(GPUContext* context) override;

  static const Op::Description sDescription;

protected:
  void _validate(bool forReal) override;
  void pixel_engine(const Row& in, int y, int x, int r, const ChannelSet& channels, Row& out) override;

private:
  float m_cursorPosition[2] = {0.5f, 0.5f};
  float m_displayResolution[2] = {1920.0f, 1080.0f};
  float m_borderColour[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float m_innerColour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float m_scale = 1.0f;
};

} // namespace KX::Image
