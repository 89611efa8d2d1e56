#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QColor>
#include <QWidget>

#include <array>

namespace Tessel::UI {

class ColorDoubleSpinBox;

// Picks a colour as four floating-point channels (red, green, blue, alpha; values above 1 are
// allowed for bright colours), with a swatch over a checkerboard and a draggable field per
// channel. GUI thread only.
class TESSEL_UI_EXPORT ColorPicker : public QWidget {
  Q_OBJECT
public:
  explicit ColorPicker(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

  // Shows the colour; emits colorChanged() when emitSignal is true and the colour changed.
  void setColor(float red, float green, float blue, float alpha, bool emitSignal);
  void getColor(float& red, float& green, float& blue, float& alpha) const;
  // The colour clamped to the displayable range.
  QColor color() const;
  ColorDoubleSpinBox* channelField(int channel) const { return m_fields.at(static_cast<size_t>(channel)); }

signals:
  void colorChanged(float red, float green, float blue, float alpha);

private:
  class Swatch;

  void fieldChanged();

  Swatch* m_swatch;
  std::array<ColorDoubleSpinBox*, 4> m_fields{};
  std::array<float, 4> m_channels{{0.0f, 0.0f, 0.0f, 1.0f}};
};

} // namespace Tessel::UI
