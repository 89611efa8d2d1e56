#include "CursorTestImage.h"

#include <velloro/preview/DrawCursorShaderOp.h>

#include <KXImage/GPUContext.h>
#include <KXImage/Knob.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace KX::Image;

namespace {

// The edges of the cursor's four rectangles (two bars, two borders) at the given centre and
// scale: a pixel on one of them may be inside on one path and outside on the other.
bool onRectangleEdge(int x, int y, float cx, float cy, float s) {
  const float o = 9.0f * s;
  struct Box {
    float left, bottom, width, height;
  };
  for (float margin : {0.0f, s}) {
    for (Box box : {Box{cx - o, cy, 20 * s, 2 * s}, Box{cx, cy - o, 2 * s, 20 * s}}) {
      const float left = box.left - margin;
      const float right = box.left + box.width + margin;
      const float bottom = box.bottom - margin;
      const float top = box.bottom + box.height + margin;
      const bool inColumns = x >= std::floor(left) && x <= std::ceil(right);
      const bool inRows = y >= std::floor(bottom) && y <= std::ceil(top);
      const bool onVertical = std::abs(x - left) <= 1.0f || std::abs(x - right) <= 1.0f;
      const bool onHorizontal = std::abs(y - bottom) <= 1.0f || std::abs(y - top) <= 1.0f;
      if ((onVertical && inRows) || (onHorizontal && inColumns)) {
        return true;
      }
    }
  }
  return false;
}

} // namespace

TEST(CursorGpu, GlslAndCpuPathsAgreeExceptOnRectangleEdges) {
  QOffscreenSurface surface;
  surface.create();
  QOpenGLContext context;
  if (!context.create() || !context.makeCurrent(&surface)) {
    GTEST_SKIP() << "no OpenGL context on this display";
  }
  struct Case {
    float x, y, scale;
  };
  for (Case cursorCase : {Case{0.5f, 0.5f, 1.0f}, Case{0.3f, 0.7f, 3.0f}, Case{0.62f, 0.41f, 2.5f}}) {
    SCOPED_TRACE(cursorCase.scale);
    RampIop source(640, 360);
    std::unique_ptr<Iop> cursor(dynamic_cast<Iop*>(DrawCursorShaderOp::sDescription.build()(nullptr)));
    ASSERT_NE(cursor, nullptr);
    cursor->set_input(0, &source);
    cursor->knob("cursorPosition")->set_values({cursorCase.x, cursorCase.y});
    cursor->knob("displayResolution")->set_values({640, 360});
    cursor->knob("cursorScale")->set_value(cursorCase.scale);
    cursor->knob("cursorInnerColor")->set_values({1, 0.8, 0.2, 0.75});
    cursor->validate();
    const ImagePlane cpu = cursor->renderImage();

    GPUContext gpu;
    ImagePlane glsl;
    std::string error;
    ASSERT_TRUE(gpu.render(*cursor, glsl, &error)) << error;
    ASSERT_EQ(glsl.pixels.size(), cpu.pixels.size());

    const float cx = cursorCase.x * 640;
    const float cy = cursorCase.y * 360;
    int differing = 0;
    int edgePixels = 0;
    for (int y = 0; y < 360; ++y) {
      for (int x = 0; x < 640; ++x) {
        bool same = true;
        for (int c = 0; c < 4; ++c) {
          same = same && std::abs(cpu.pixel(x, y)[c] - glsl.pixel(x, y)[c]) < 1e-5f;
        }
        if (!same) {
          ++differing;
          edgePixels += onRectangleEdge(x, y, cx, cy, cursorCase.scale);
        }
      }
    }
    EXPECT_EQ(differing, edgePixels);
    // The GLSL drew the cursor: inside a bar, 75% of the inner colour over the black border.
    EXPECT_NEAR(glsl.pixel(int(cx) + 1, int(cy) + 1)[1], 0.75f * 0.8f, 1e-5f);
  }
}
