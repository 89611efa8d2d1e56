#include <velloro/preview/DrawCursorShaderOp.h>

#include <KXImage/Channel.h>
#include <KXImage/GPUContext.h>
#include <KXImage/Knob.h>
#include <KXImage/Knob_Closure.h>
#include <KXImage/OrvikWrapper.h>
#include <KXImage/Row.h>

#include <algorithm>
#include <cmath>

namespace KX::Image {

namespace {

constexpr const char* kDeclarations = R"(uniform vec2 $$uCursorPosition;
uniform vec2 $$uDisplayResolution;
uniform vec4 $$uCursorBorderColor;
uniform vec4 $$uCursorInnerColor;
uniform float $$uCursorScale;

struct $$Rect {
  vec2 point;
  vec2 size;
  vec2 pivot;
};

vec2 $$pivoted($$Rect rect) {
  return rect.point - rect.size * rect.pivot;
}

// 1 when p lies in the rectangle grown by margin, edges included.
float $$inside(vec2 p, $$Rect rect, float margin) {
  vec2 low = $$pivoted(rect) - vec2(margin);
  vec2 high = $$pivoted(rect) + rect.size + vec2(margin);
  vec2 within = step(low, p) * step(p, high);
  return within.x * within.y;
}

void $$line(vec2 p, $$Rect rect, float border, inout float crosshair, inout float borderAmount) {
  crosshair += $$inside(p, rect, 0.0);
  borderAmount += $$inside(p, rect, border);
}
)";

constexpr const char* kBody = R"(  float s = $$uCursorScale;
  vec2 c = $$uCursorPosition * $$uDisplayResolution;
  vec2 p = gl_FragCoord.xy;
  vec2 horizontalSize = vec2(20.0 * s, 2.0 * s);
  vec2 verticalSize = vec2(2.0 * s, 20.0 * s);
  float o = horizontalSize.x / 2.0 - horizontalSize.y / 2.0;
  float crosshair = 0.0;
  float border = 0.0;
  $$line(p, $$Rect(c - vec2(o, 0.0), horizontalSize, vec2(0.0)), s, crosshair, border);
  $$line(p, $$Rect(c - vec2(0.0, o), verticalSize, vec2(0.0)), s, crosshair, border);
  crosshair = min(crosshair, 1.0);
  border = min(border, 1.0);
  color.rgb = mix(color.rgb, $$uCursorBorderColor.rgb, border * $$uCursorBorderColor.a);
  color.rgb = mix(color.rgb, $$uCursorInnerColor.rgb, crosshair * $$uCursorInnerColor.a);)";

Op* build(Node* node) {
  return new OrvikWrapper<DrawCursorShaderOp>(node);
}

// Strictly inside the rectangle at (left, bottom) of the size, grown by margin.
float insideOpen(float px, float py, float left, float bottom, float width, float height, float margin) {
  return px > left - margin && px < left + width + margin && py > bottom - margin &&
                 py < bottom + height + margin
             ? 1.0f
             : 0.0f;
}

} // namespace

const Op::Description DrawCursorShaderOp::sDescription(DrawCursorShaderOp::kClassName, build,
                                                       DrawCursorShaderOp::kHelp);

DrawCursorShaderOp::DrawCursorShaderOp(Node* node)
    : PixelIop(node) {}

void DrawCursorShaderOp::knobs(Knob_Closure& f) {
  f(ePositionKnob, m_cursorPosition, "cursorPosition");
  SetFlags(f, eKnobAlwaysSaved);
  f(eSizeKnob, m_displayResolution, "displayResolution");
  SetFlags(f, eKnobAlwaysSaved);
  f(eColourKnob, m_borderColour, "cursorBorderColor");
  SetRange(f, 0.0, 4.0);
  SetFlags(f, eKnobAlwaysSaved | eKnobLogSlider);
  f(eColourKnob, m_innerColour, "cursorInnerColor");
  SetRange(f, 0.0, 4.0);
  SetFlags(f, eKnobAlwaysSaved | eKnobLogSlider);
  f(eFloatKnob, &m_scale, "cursorScale");
  SetRange(f, 1.0, 1000.0);
  SetFlags(f, eKnobAlwaysSaved | eKnobNoAnimation | eKnobLogSlider);
}

int DrawCursorShaderOp::knob_changed(Knob* knob) {
  auto take = [knob](float* member, int count) {
    for (int i = 0; i < count; ++i) {
      member[i] = float(knob->get_value(i));
    }
    return 1;
  };
  if (knob->is("cursorPosition")) {
    return take(m_cursorPosition, 2);
  }
  if (knob->is("displayResolution")) {
    return take(m_displayResolution, 2);
  }
  if (knob->is("cursorBorderColor")) {
    return take(m_borderColour, 4);
  }
  if (knob->is("cursorInnerColor")) {
    return take(m_innerColour, 4);
  }
  if (knob->is("cursorScale")) {
    return take(&m_scale, 1);
  }
  return PixelIop::knob_changed(knob);
}

void DrawCursorShaderOp::_validate(bool forReal) {
  PixelIop::_validate(forReal);
}

const char* DrawCursorShaderOp::gpuEngine_decl() const {
  return kDeclarations;
}

const char* DrawCursorShaderOp::gpuEngine_body() const {
  return kBody;
}

void DrawCursorShaderOp::gpuEngine_GL_begin(GPUContext* context) {
  const std::string& prefix = context->currentOpPrefix();
  context->bind(prefix + "uCursorPosition", 2, 1, m_cursorPosition);
  context->bind(prefix + "uDisplayResolution", 2, 1, m_displayResolution);
  context->bind(prefix + "uCursorBorderColor", 4, 1, m_borderColour);
  context->bind(prefix + "uCursorInnerColor", 4, 1, m_innerColour);
  context->bind(prefix + "uCursorScale", 1, 1, &m_scale);
}

void DrawCursorShaderOp::pixel_engine(const Row& in, int y, int x, int r, const ChannelSet& channels,
                                      Row& out) {
  const float s = m_scale;
  const float cx = m_cursorPosition[0] * m_displayResolution[0];
  const float cy = m_cursorPosition[1] * m_displayResolution[1];
  const float reach = 20.0f * s + s;
  // Rows and columns beyond the cursor's reach keep the copy the driver made.
  if (float(y) < std::floor(cy - reach) || float(y) > std::ceil(cy + reach)) {
    return;
  }
  const int from = std::max(x, int(std::floor(cx - reach)));
  const int to = std::min(r, int(std::ceil(cx + reach)));
  if (from >= to) {
    return;
  }

  const float barLength = 20.0f * s;
  const float barThickness = 2.0f * s;
  const float offset = barLength / 2.0f - barThickness / 2.0f;
  const float py = float(y);

  // The colour channels of each requested channel's layer; only requested ones are written, and
  // alpha never.
  ChannelSet handled;
  for (Channel requested : channels) {
    if (handled & requested) {
      continue;
    }
    handled += requested;
    for (unsigned i = 0; i < 3; ++i) {
      const Channel colour = brother(requested, i);
      if (colour == eChannelNone || (handled & colour && colour != requested) || !(channels & colour)) {
        continue;
      }
      handled += colour;
      const float* source = in[colour];
      float* target = out.writable(colour);
      const float borderColour = m_borderColour[i];
      const float innerColour = m_innerColour[i];
      for (int column = from; column < to; ++column) {
        const float px = float(column);
        const float crosshair =
            std::min(insideOpen(px, py, cx - offset, cy, barLength, barThickness, 0.0f) +
                         insideOpen(px, py, cx, cy - offset, barThickness, barLength, 0.0f),
                     1.0f);
        const float border = std::min(insideOpen(px, py, cx - offset, cy, barLength, barThickness, s) +
                                          insideOpen(px, py, cx, cy - offset, barThickness, barLength, s),
                                      1.0f);
        const float b = border * m_borderColour[3];
        const float inner = crosshair * m_innerColour[3];
        target[column] =
            (b * borderColour + (1.0f - b) * source[column]) * (1.0f - inner) + inner * innerColour;
      }
    }
  }
}

} // namespace KX::Image
