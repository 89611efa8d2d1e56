#pragma once

#include <KXImage/KXImageExport.h>

#include <array>

namespace KX::Image {

// A curve from linear floating-point values to 8-bit display values, as the SDK applies it
// when it shows pixels on screen.
//
// Threads: the default tables are built on first use (thread-safe) and never change; any
// thread may read them.
class KXIMAGE_EXPORT LUT {
public:
  // The display curve for a pixel data type; 0, floating point, gives the sRGB curve. Null for
  // a type the SDK does not know.
  static LUT* GetDefaultLutForType(int dataType);

  // The display value of a linear value, from 0 to 255 (not rounded); values outside 0 to 1
  // give the ends of the curve.
  float toByte(float value) const;

private:
  LUT();

  // The curve sampled at kSteps + 1 evenly spaced inputs from 0 to 1, interpolated between.
  static constexpr int kSteps = 4096;
  std::array<float, kSteps + 1> m_table{};
};

} // namespace KX::Image
