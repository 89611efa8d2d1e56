#pragma once

#include <velloro/VelloroExport.h>

#include <QStringList>

#include <array>

namespace Velloro::PixelAnalyser {

// How the analyser shows a colour: as r, g, b, a, h, s, v, l in one of the numeric ranges of
// its range menu.

// Index of the range menu.
enum DisplayRange {
  eNativeFloatingPoint = 0,
  e8Bit,
  e10Bit,
  e12Bit,
  e14Bit,
  e16Bit,
  ePercentage,
};

// The labels of the range menu, in index order.
VELLORO_EXPORT const QStringList& DisplayRangeLabels();

struct HSV {
  float h = 0; // 0 to 1
  float s = 0;
  float v = 0;
};

// v is the component of largest magnitude with its sign (on a tie the later component), so that
// negative colours keep a meaningful hue and saturation.
VELLORO_EXPORT HSV ToHSV(float r, float g, float b);
VELLORO_EXPORT float Luminance(float r, float g, float b);

// The eight values r, g, b, a, h, s, v, l of the colour as the range shows them: native values
// (hue in degrees, rounded), or clamped to 0 to 1, scaled and rounded half away from zero.
VELLORO_EXPORT std::array<double, 8> DisplayValues(const float rgba[4], int range);

} // namespace Velloro::PixelAnalyser
