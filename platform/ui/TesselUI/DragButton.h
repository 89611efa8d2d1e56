#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QPoint>
#include <QToolButton>

namespace Tessel::UI {

// A tool button that can also be dragged: when the mouse moves past the drag distance with
// the left button held, it emits dragged() instead of a click, and the receiver runs the drag
// (a QDrag) and then calls finishedDrag(). With its own drag switched off it is a plain
// button. GUI thread only.
class TESSEL_UI_EXPORT DragButton : public QToolButton {
  Q_OBJECT
public:
  explicit DragButton(QWidget* parent = nullptr);

  void setDragEnabled(bool enabled) { m_dragEnabled = enabled; }
  bool dragEnabled() const { return m_dragEnabled; }
  bool isDragging() const { return m_dragging; }

public slots:
  // Ends the drag state after the receiver's drag is over.
  void finishedDrag();

signals:
  void dragged();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  QPoint m_pressPosition;
  bool m_pressed = false;
  bool m_dragging = false;
  bool m_dragEnabled = true;
};

} // namespace Tessel::UI
