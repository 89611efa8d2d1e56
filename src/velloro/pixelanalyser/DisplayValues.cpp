#include <velloro/pixelanalyser/DisplayValues.h>

#include <algorithm>
#include <cmath>

namespace Velloro::PixelAnalyser {

namespace {

// The largest shown value of each range; 0 for the native range.
constexpr double kRangeScale[] = {0, 255, 1023, 4095, 16383, 65535, 100};
constexpr int kHueIndex = 4;

} // namespace

const QStringList& DisplayRangeLabels() {
  static const QStringList sLabels = {QStringLiteral("native floating point"),
                                      QStringLiteral("8 bit"),
                                      QStringLiteral("10 bit"),
                                      QStringLiteral("12 bit"),
                                      QStringLiteral("14 bit"),
                                      QStringLiteral("16 bit"),
                                      QStringLiteral("percentage")};
  return sLabels;
}

HSV ToHSV(float r, float g, float b) {
  HSV hsv;
  hsv.v = r;
  for (float component : {g, b}) {
    if (std::fabs(component) >= std::fabs(hsv.v)) {
      hsv.v = component;
    }
  }
  const float delta = std::max({r, g, b}) - std::min({r, g, b});
  if (delta == 0.0f || hsv.v == 0.0f) {
    return hsv;
  }
  const float d = hsv.v < 0.0f ? -delta : delta;
  hsv.s = d / hsv.v;
  float h;
  if (r == hsv.v) {
    h = (g - b) / d;
  } else if (g == hsv.v) {
    h = (b - r) / d + 2.0f;
  } else {
    h = (r - g) / d + 4.0f;
  }
  if (h < 0.0f) {
    h += 6.0f;
  }
  hsv.h = h / 6.0f;
  return hsv;
}

float Luminance(float r, float g, float b) {
  // Summed in double precision so that a grey gives back its own value (0.5, not 0.49999997).
  return float(0.2125 * r + 0.7154 * g + 0.0721 * b);
}

std::array<double, 8> DisplayValues(const float rgba[4], int range) {
  const HSV hsv = ToHSV(rgba[0], rgba[1], rgba[2]);
  std::array<double, 8> values = {rgba[0], rgba[1], rgba[2], rgba[3],
                                  hsv.h,   hsv.s,   hsv.v,   Luminance(rgba[0], rgba[1], rgba[2])};
  if (range <= eNativeFloatingPoint || range > ePercentage) {
    values[kHueIndex] = std::round(values[kHueIndex] * 360.0);
    return values;
  }
  for (double& value : values) {
    value = std::round(std::clamp(value, 0.0, 1.0) * kRangeScale[range]);
  }
  return values;
}

} // namespace Velloro::PixelAnalyser
