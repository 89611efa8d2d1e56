#pragma once

#include <velloro/VelloroExport.h>

#include <TesselBase/TimeBase.h>

#include <QStackedWidget>

namespace Velloro {
class EditableFrameRateChooser;
}

namespace Velloro::ViewerUI {

class FPSLabel;

// The playback rate of a viewer. While stopped it offers the desired rate in an editable
// frame-rate chooser (the default rate marked "*"); while playing it shows the rate achieved,
// in red when it falls half a frame per second or more short of the desired one, followed by
// the speed factor when that is not 1. GUI thread only.
class VELLORO_EXPORT FPSControlWidget : public QStackedWidget {
  Q_OBJECT
public:
  FPSControlWidget();

  // The desired rate; 0 with no rate chosen.
  float getRate() const;
  // Marks the default rate; a viewer that was on the default follows it to the new one.
  void setDefaultRate(Tessel::Base::TimeBase timeBase);
  void setTargetFrameRate(Tessel::Base::TimeBase timeBase);
  // Follows a rate set elsewhere without targetFrameRateChanged(); still emits fpsChanged().
  void syncTargetFrameRate(Tessel::Base::TimeBase timeBase);
  void setFieldIndex(int index);
  // Speed 0 means stopped and shows the chooser; any other speed shows the achieved rate.
  void setDisplayedFPSAndSpeed(float fps, float speed);

  EditableFrameRateChooser* chooser() const { return m_chooser; }
  FPSLabel* label() const { return m_label; }

signals:
  void fpsChanged(float fps);
  void targetFrameRateChanged(Tessel::Base::TimeBase targetFrameRate);

private slots:
  void rateChanged();

private:
  void updateLabelText(char format, int precision);

  FPSLabel* m_label;
  EditableFrameRateChooser* m_chooser;
  float m_speed = 0;
  float m_fps = 0;
  bool m_showsWarning = false;
};

} // namespace Velloro::ViewerUI
