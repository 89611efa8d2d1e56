#include <velloro/pixelanalyser/DisplayValues.h>

#include <gtest/gtest.h>

#include <array>

using namespace Velloro::PixelAnalyser;

namespace {

using Values = std::array<double, 8>;

Values shown(float r, float g, float b, float a, int range) {
  const float rgba[4] = {r, g, b, a};
  return DisplayValues(rgba, range);
}

TEST(DisplayValuesTest, HueSaturationAndValueKeepTheSignOfTheLargestComponent) {
  struct Case {
    float r, g, b;
    float h, s, v;
  };
  const Case cases[] = {
      {0.5f, 0.5f, 0.5f, 0, 0, 0.5f}, // grey
      {1, 0, 0, 0, 1, 1},             // red
      {0, 1, 0, 1.0f / 3, 1, 1},      // green
      {0, 0, -1, 4.0f / 6, 1, -1},    // the largest magnitude is negative
      {-1, 1, 0, 2.5f / 6, 2, 1},     // a tie in magnitude goes to the later component
      {0.2f, 0.4f, 0.8f, 0.6111111f, 0.75f, 0.8f},
  };
  for (const Case& c : cases) {
    const HSV hsv = ToHSV(c.r, c.g, c.b);
    EXPECT_FLOAT_EQ(hsv.h, c.h) << c.r << " " << c.g << " " << c.b;
    EXPECT_FLOAT_EQ(hsv.s, c.s) << c.r << " " << c.g << " " << c.b;
    EXPECT_FLOAT_EQ(hsv.v, c.v) << c.r << " " << c.g << " " << c.b;
  }
  EXPECT_FLOAT_EQ(Luminance(0.5f, 0.5f, 0.5f), 0.5f);
  EXPECT_FLOAT_EQ(Luminance(0, 1, 0), 0.7154f);
}

TEST(DisplayValuesTest, RangesClampScaleAndRoundHalvesAwayFromZero) {
  EXPECT_EQ(shown(0.5f, 0.5f, 0.5f, 1, e8Bit), (Values{128, 128, 128, 255, 0, 0, 128, 128}));
  EXPECT_EQ(shown(0, 1, 0, 1, eNativeFloatingPoint)[4], 120);
  EXPECT_EQ(shown(0, 1, 0, 1, e8Bit)[4], 85);
  EXPECT_EQ(shown(1.5f, -0.2f, 0.25f, 1, e16Bit),
            (Values{65535, 0, 16384, 65535, 62644, 65535, 65535, 12694}));
  EXPECT_EQ(shown(0.5f, 0, 0, 0.125f, ePercentage)[3], 13);
  EXPECT_EQ(shown(1, 1, 1, 1, e10Bit)[0], 1023);
  EXPECT_EQ(shown(1, 1, 1, 1, e12Bit)[0], 4095);
  EXPECT_EQ(shown(1, 1, 1, 1, e14Bit)[0], 16383);
  // The native range shows values as they are, negative and above 1 included.
  const Values native = shown(-0.25f, 2, 0, 0.5f, eNativeFloatingPoint);
  EXPECT_EQ(native[0], -0.25);
  EXPECT_EQ(native[1], 2);
  EXPECT_EQ(DisplayRangeLabels().size(), 7);
}

} // namespace
