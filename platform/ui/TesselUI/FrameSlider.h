#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QWidget>

class QLabel;
class QSlider;

namespace Tessel::UI {

// A horizontal slider over the frames of a clip with the chosen frame written beside it.
// GUI thread only.
class TESSEL_UI_EXPORT FrameSlider : public QWidget {
  Q_OBJECT
public:
  explicit FrameSlider(QWidget* parent = nullptr);

  void setRange(int first, int last);
  int minimum() const;
  int maximum() const;
  int value() const;
  QSlider* slider() const { return m_slider; }

public slots:
  // Moves to the frame (kept within the range) without emitting valueChanged().
  void setValue(int frame);

signals:
  // The user moved to another frame.
  void valueChanged(int frame);

private:
  void showFrame(int frame);

  QSlider* m_slider;
  QLabel* m_frame;
};

} // namespace Tessel::UI
