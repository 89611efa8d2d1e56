#pragma once

#include <velloro/VelloroExport.h>

#include <QWidget>

namespace Velloro::ViewerUI {

// The playback rate achieved, as one line of text in the palette's window-text colour,
// centred vertically and aligned left. GUI thread only.
class VELLORO_EXPORT FPSLabel : public QWidget {
  Q_OBJECT
public:
  explicit FPSLabel(QWidget* parent = nullptr);

  QString text() const { return m_text; }
  // Repaints with the new text.
  void setText(const QString& text);

  // Wide enough for a rate with two decimals and a speed factor, so that the panel keeps its
  // layout while the figures change.
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QString m_text;
};

} // namespace Velloro::ViewerUI
