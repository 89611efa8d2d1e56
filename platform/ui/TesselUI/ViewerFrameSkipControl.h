#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QWidget>

class QSpinBox;

namespace Tessel::UI {

class Button;

// Two skip buttons around the frame increment that the jump buttons use. GUI thread only.
class TESSEL_UI_EXPORT ViewerFrameSkipControl : public QWidget {
  Q_OBJECT
public:
  explicit ViewerFrameSkipControl(QWidget* parent = nullptr);

  int frameIncrement() const;
  QSpinBox* incrementField() const { return m_increment; }

public slots:
  // Shows an increment set elsewhere without emitting incrementFieldValueChanged().
  void frameIncrementChanged(int increment);

signals:
  void skipBackwardsButtonClicked();
  void skipForwardsButtonClicked();
  void incrementFieldValueChanged(int value);

private:
  Button* m_skipBackwards;
  QSpinBox* m_increment;
  Button* m_skipForwards;
};

} // namespace Tessel::UI
