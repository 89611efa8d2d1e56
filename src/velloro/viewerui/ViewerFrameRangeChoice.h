#pragma once

#include <velloro/VelloroExport.h>
#include <velloro/viewerui/FrameMode.h>

#include <TesselBase/Time.h>
#include <TesselUI/ChoiceButton.h>
#include <TesselUI/TimeSliderModel.h>

#include <QPointer>

namespace Tessel::UI {
class TimeSlider;
}

namespace Velloro::ViewerUI {

// Chooses which frames the time slider spans ("Global", "Input", "In/Out", "Visible") and
// keeps the slider's view in line with the choice. Zooming or panning the slider switches to
// "Visible" with the range the user zoomed to; a right or middle click on the slider toggles
// between "Visible" and the mode before it. The slider is not owned. GUI thread only.
class VELLORO_EXPORT ViewerFrameRangeChoice : public Tessel::UI::ChoiceButton {
  Q_OBJECT
public:
  explicit ViewerFrameRangeChoice(QWidget* parent = nullptr);

  FrameMode mode() const { return m_mode; }
  // Follows a new slider (or none); every connection to the previous one and its model is cut.
  void setTimeSlider(Tessel::UI::TimeSlider* slider);
  // Enables and shows, or disables and hides, the "Input" entry.
  void setInputModeEnabled(bool enabled);

signals:
  void frameModeChanged(Velloro::ViewerUI::FrameMode mode);

private slots:
  void newCustomRangeMode();
  void toggleFrameMode();
  void setFrameMode(int mode);
  void updateInOutTimes();
  void rangeChanged(Tessel::Base::Time first, Tessel::Base::Time last);
  void modelChanged(Tessel::UI::TimeSliderModel::TimeFlags flags);
  void startTimeSliderDrag();
  void endTimeSliderDrag();
  void sliderDeleted();

private:
  void disconnectSlider();

  FrameMode m_mode = Global;
  FrameMode m_previousMode = Global;
  Tessel::Base::Time m_customFirst = Tessel::Base::kInvalidTime;
  Tessel::Base::Time m_customLast = Tessel::Base::kInvalidTime;
  Tessel::UI::TimeSlider* m_timeSlider = nullptr;
  // The slider's model as connected: a dying slider can no longer say which it was.
  QPointer<Tessel::UI::TimeSliderModel> m_sliderModel;
  QAction* m_inOutAction = nullptr;
  QAction* m_inputAction = nullptr;
  bool m_dragging = false;
};

} // namespace Velloro::ViewerUI
