#include "CursorTestImage.h"

#include <velloro/preview/DrawCursorShaderOp.h>

#include <KXImage/Knob.h>
#include <KXImage/Row.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace KX::Image;

namespace {

struct CursorRender {
  RampIop source{1920, 1080};
  std::unique_ptr<Iop> cursor{dynamic_cast<Iop*>(Op::create("DrawCursorShaderOp", &source))};
  ImagePlane in;
  ImagePlane out;

  void render() {
    source.validate();
    in = source.renderImage();
    cursor->validate();
    ASSERT_FALSE(cursor->hasError());
    out = cursor->renderImage();
  }
  std::array<float, 4> at(int x, int y) const {
    const float* p = out.pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
  }
  bool untouched(int x, int y) const {
    return at(x, y) ==
           std::array<float, 4>{in.pixel(x, y)[0], in.pixel(x, y)[1], in.pixel(x, y)[2], in.pixel(x, y)[3]};
  }
  // Inner colour white, border black (alpha always the input's 0.5).
  bool white(int x, int y) const { return at(x, y) == std::array<float, 4>{1, 1, 1, 0.5f}; }
  bool black(int x, int y) const { return at(x, y) == std::array<float, 4>{0, 0, 0, 0.5f}; }
};

} // namespace

TEST(DrawCursorShaderOp, RegisteredWithItsHelpAClampedScaleAndASwitch) {
  const Op::Description* description = Op::Description::Find("DrawCursorShaderOp");
  ASSERT_EQ(description, &DrawCursorShaderOp::sDescription);
  EXPECT_STREQ(description->help(), "Paint a crosshair cursor to the output");

  CursorRender render;
  ASSERT_NE(render.cursor, nullptr);
  EXPECT_STREQ(render.cursor->Class(), "DrawCursorShaderOp");
  // Values beyond the range are held at its ends.
  Knob* scale = render.cursor->knob("cursorScale");
  scale->set_value(5000);
  EXPECT_EQ(scale->get_value(), 1000);
  scale->set_value(0);
  EXPECT_EQ(scale->get_value(), 1);

  // The wrapper the op is registered in can switch it off.
  ASSERT_TRUE(render.cursor->set_field("disable", true));
  render.render();
  EXPECT_TRUE(render.untouched(960, 541));
  EXPECT_EQ(render.cursor->gpuEngine_body(), nullptr);
}

TEST(DrawCursorShaderOp, DrawsTheDefaultCrosshairAroundTheFrameCentre) {
  CursorRender render;
  render.render();
  // The horizontal bar spans x 951 to 971 and y 540 to 542; its edges lie outside (black
  // border), its inside is white. The border reaches one pixel further out on every side.
  for (int x = 952; x <= 970; ++x) {
    EXPECT_TRUE(render.white(x, 541)) << x;
  }
  for (int y : {540, 542}) {
    EXPECT_TRUE(render.black(955, y)) << y;
  }
  EXPECT_TRUE(render.black(951, 541));
  EXPECT_TRUE(render.black(971, 541));
  for (auto [x, y] : {std::pair{950, 541}, {972, 541}, {955, 539}, {955, 543}}) {
    EXPECT_TRUE(render.untouched(x, y)) << x << "," << y;
  }
  // The vertical bar: x 960 to 962, y 531 to 551.
  for (int y = 532; y <= 550; ++y) {
    EXPECT_TRUE(render.white(961, y)) << y;
  }
  EXPECT_TRUE(render.black(961, 531));
  EXPECT_TRUE(render.black(961, 551));
  EXPECT_TRUE(render.untouched(961, 530));
  EXPECT_TRUE(render.untouched(961, 552));
  // Far from the cursor nothing changes, alpha nowhere.
  int changed = 0;
  for (int y = 0; y < 1080; ++y) {
    for (int x = 0; x < 1920; ++x) {
      changed += !render.untouched(x, y);
      ASSERT_EQ(render.at(x, y)[3], 0.5f);
    }
  }
  // Two 21 x 3 rectangles (border included) overlapping in 3 x 3 pixels.
  EXPECT_EQ(changed, 21 * 3 + 3 * 21 - 3 * 3);

  // Asked for green alone, the op paints green and leaves its layer's other channels out.
  Row green(940, 980);
  render.cursor->get(541, 940, 980, ChannelSet(eChannelGreen), green);
  EXPECT_EQ(green[eChannelGreen][955], 1.0f);
  EXPECT_FALSE(green.channels() & eChannelRed);
  EXPECT_FALSE(green.channels() & eChannelBlue);
}

TEST(DrawCursorShaderOp, ScalesAndBlendsByTheColoursAlpha) {
  CursorRender render;
  render.cursor->knob("cursorScale")->set_value(3);
  render.render();
  // Bars of 60 by 6 pixels with a 3-pixel border: open intervals leave 59 by 5 white pixels.
  int whiteInRow = 0;
  for (int x = 900; x < 1020; ++x) {
    whiteInRow += render.white(x, 543);
  }
  EXPECT_EQ(whiteInRow, 59);
  EXPECT_TRUE(render.white(934, 543));
  EXPECT_TRUE(render.black(931, 543));
  EXPECT_TRUE(render.untouched(930, 543));
  EXPECT_TRUE(render.black(940, 538));
  EXPECT_TRUE(render.untouched(940, 537));

  CursorRender blended;
  blended.cursor->knob("cursorBorderColor")->set_values({0, 0, 0, 0});
  blended.cursor->knob("cursorInnerColor")->set_values({1, 1, 1, 0.5});
  blended.render();
  EXPECT_TRUE(blended.untouched(951, 541));
  const float* before = blended.in.pixel(955, 541);
  const auto after = blended.at(955, 541);
  for (int c = 0; c < 3; ++c) {
    EXPECT_FLOAT_EQ(after[std::size_t(c)], 0.5f * before[c] + 0.5f);
  }
  EXPECT_EQ(after[3], 0.5f);
}
