#pragma once

#include "FrameSequence.h"

#include <QWidget>

#include <memory>

class QLabel;
class QTableWidget;

namespace Velloro::Example {

// The values of every channel of the shown frame at the selected pixel, grouped by layer, with
// the displayed colour beside them.
//
// Threads: the GUI thread only.
class PixelPanel : public QWidget {
  Q_OBJECT
public:
  explicit PixelPanel(QWidget* parent = nullptr);

  void show(const std::shared_ptr<const Frame>& frame, const QPoint& pixel, const QColor& displayed);
  // The value shown for a channel ("R", "depth.Z"), as text; empty when it is not shown.
  QString shownValue(const QString& channel) const;

private:
  QLabel* m_position = nullptr;
  QLabel* m_swatch = nullptr;
  QTableWidget* m_table = nullptr;
};

} // namespace Velloro::Example
