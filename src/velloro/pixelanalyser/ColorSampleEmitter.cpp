#include <velloro/pixelanalyser/ColorSampleEmitter.h>

namespace Velloro::PixelAnalyser {

ColorSampleEmitter& ColorSampleEmitter::Get() {
  static ColorSampleEmitter* sInstance = new ColorSampleEmitter();
  return *sInstance;
}

void ColorSampleEmitter::emitColorPicked(const float* color) {
  emit colorPicked(color);
}

} // namespace Velloro::PixelAnalyser
