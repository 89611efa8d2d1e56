#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/pixelanalyser/SampleData.h>

#include <QMetaType>
#include <QRect>

namespace KX::Image {
class LUT;
}

namespace Velloro::PixelAnalyser {

// What a sampler found: the selection, its statistics and the curve through which its colours
// are shown. The empty sample has a null region, reset data and no curve. A plain value.
struct VELLORO_EXPORT PixelSample {
  // In image pixels; null when nothing is selected.
  QRect region;
  Image::SampleData data;
  // Null means the SDK's default curve for floating-point data.
  KX::Image::LUT* displayLut = nullptr;
};

} // namespace Velloro::PixelAnalyser

Q_DECLARE_METATYPE(Velloro::PixelAnalyser::PixelSample)
