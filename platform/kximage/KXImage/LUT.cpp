#include <KXImage/LUT.h>

#include <algorithm>
#include <cmath>

namespace KX::Image {

namespace {

float SrgbEncode(double linear) {
  const double encoded = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
  return float(encoded * 255.0);
}

} // namespace

LUT::LUT() {
  for (int step = 0; step <= kSteps; ++step) {
    m_table[std::size_t(step)] = SrgbEncode(double(step) / kSteps);
  }
  // White must give 255 exactly, since callers truncate.
  m_table.back() = 255.0f;
}

LUT* LUT::GetDefaultLutForType(int dataType) {
  static LUT sSrgb;
  return dataType == 0 ? &sSrgb : nullptr;
}

float LUT::toByte(float value) const {
  if (!(value > 0.0f)) {
    return m_table.front();
  }
  if (value >= 1.0f) {
    return m_table.back();
  }
  const float position = value * kSteps;
  const int below = std::min(int(position), kSteps - 1);
  const float fraction = position - float(below);
  return m_table[std::size_t(below)] +
         fraction * (m_table[std::size_t(below) + 1] - m_table[std::size_t(below)]);
}

} // namespace KX::Image
