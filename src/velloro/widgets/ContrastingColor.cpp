#include <velloro/widgets/ContrastingColor.h>

#include <algorithm>
#include <cmath>

namespace Velloro {

namespace {

constexpr double kMinimumContrast = 3.0;
// Backgrounds darker than this contrast more with white than with black.
constexpr double kDarkBackgroundLuminance = 0.17916667;

double Linear(float channel) {
  return channel <= 0.03928f ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

} // namespace

QColor ContrastingColor(const QColor& colour, const QColor& background) {
  const double foregroundLuminance = RelativeLuminance(colour);
  const double backgroundLuminance = RelativeLuminance(background);
  const double ratio = (std::max(foregroundLuminance, backgroundLuminance) + 0.05) /
                       (std::min(foregroundLuminance, backgroundLuminance) + 0.05);
  if (ratio >= kMinimumContrast) {
    return colour;
  }
  return backgroundLuminance < kDarkBackgroundLuminance ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace Velloro
