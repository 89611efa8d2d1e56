#pragma once

#include <velloro/VelloroExport.h>

#include <QColor>
#include <QPushButton>
#include <QString>

#include <optional>

namespace KX::Image {
class LUT;
}

namespace Tessel::UI {

// A colour swatch of the pixel analyser: a label over a patch of the colour as the display
// shows it, with a warning when the colour holds NaN, infinite or out-of-range values. The
// colour can be dragged away as "application/x-color" (r, g, b, a and 1, through QDataStream).
//
// Threads: the GUI thread only.
class VELLORO_EXPORT ColorSampleButton : public QPushButton {
  Q_OBJECT

public:
  // The no-colour text is shown in the patch when there is no colour; it may be empty.
  ColorSampleButton(const QString& label, const QString& toolTip, const QString& noColourText = QString(),
                    QWidget* parent = nullptr);

  // The colour is four floats that stay valid while they are shown, or null for none; a null
  // curve means the SDK's default one for floating-point data.
  virtual void setColor(const float* rgba, KX::Image::LUT* lut);

  const float* color() const { return m_colour; }
  // "NaN", "Inf", empty for an out-of-range value, or none.
  const std::optional<QString>& warning() const { return m_warning; }
  QColor displayColor() const { return m_displayColour; }

  // Whether the swatch is drawn as the chosen one; repaints on a change.
  void setCheckedLook(bool checked);
  bool checkedLook() const { return m_checkedLook; }

  void setVisible(bool visible) override;

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  void startColourDrag();

  QString m_label;
  QString m_noColourText;
  const float* m_colour = nullptr;
  KX::Image::LUT* m_lut = nullptr;
  std::optional<QString> m_warning;
  QColor m_displayColour;
  bool m_checkedLook = false;
};

} // namespace Tessel::UI
