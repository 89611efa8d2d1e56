#pragma once

#include <velloro/VelloroExport.h>

#include <QObject>

namespace Velloro::PixelAnalyser {

// Broadcasts a colour picked anywhere in the application to whoever listens.
//
// Threads: the GUI thread only; the first Get() must happen there.
class VELLORO_EXPORT ColorSampleEmitter : public QObject {
  Q_OBJECT

public:
  static ColorSampleEmitter& Get();

  // The colour is four floats r, g, b, a, valid only while the signal is delivered.
  void emitColorPicked(const float* color);

signals:
  void colorPicked(const float* color);

private:
  ColorSampleEmitter() = default;
};

} // namespace Velloro::PixelAnalyser
