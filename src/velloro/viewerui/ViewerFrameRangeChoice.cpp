#include <velloro/viewerui/ViewerFrameRangeChoice.h>

#include <TesselUI/TimeSlider.h>

namespace Velloro::ViewerUI {

using Tessel::Base::IsValidTime;
using Tessel::Base::kInvalidTime;
using Tessel::Base::Time;
using Tessel::UI::TimeSlider;
using Tessel::UI::TimeSliderModel;

ViewerFrameRangeChoice::ViewerFrameRangeChoice(QWidget* parent)
    : ChoiceButton(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setAutoRaise(true);
  addItem(QStringLiteral("Global"), nullptr, nullptr, true);
  m_inputAction = addItem(QStringLiteral("Input"), nullptr, nullptr, true);
  m_inOutAction = addItem(QStringLiteral("In/Out"), nullptr, nullptr, true);
  addItem(QStringLiteral("Visible"), nullptr, nullptr, true);
  setToolTip(QStringLiteral("FrameSlider Range"));
  setFocusPolicy(Qt::NoFocus);
  adjustSize();
  connect(this, &ChoiceButton::currentIndexChanged, this, &ViewerFrameRangeChoice::setFrameMode);
}

void ViewerFrameRangeChoice::setTimeSlider(TimeSlider* slider) {
  disconnectSlider();
  m_timeSlider = slider;
  if (!slider) {
    return;
  }
  m_sliderModel = slider->model();
  connect(slider, &TimeSlider::zoomOrPanChanged, this, &ViewerFrameRangeChoice::newCustomRangeMode);
  connect(slider, &TimeSlider::rightOrMidClicked, this, &ViewerFrameRangeChoice::toggleFrameMode);
  connect(slider, &TimeSlider::rangeChanged, this, &ViewerFrameRangeChoice::rangeChanged);
  connect(slider, &TimeSlider::endTimeDrag, this, &ViewerFrameRangeChoice::endTimeSliderDrag);
  connect(slider, &TimeSlider::beginTimeDrag, this, &ViewerFrameRangeChoice::startTimeSliderDrag);
  if (m_sliderModel) {
    connect(m_sliderModel, &TimeSliderModel::timeChanged, this, &ViewerFrameRangeChoice::modelChanged);
  }
  connect(slider, &QObject::destroyed, this, &ViewerFrameRangeChoice::sliderDeleted);
}

void ViewerFrameRangeChoice::setInputModeEnabled(bool enabled) {
  m_inputAction->setEnabled(enabled);
  m_inputAction->setVisible(enabled);
}

void ViewerFrameRangeChoice::newCustomRangeMode() {
  if (m_mode != Visible) {
    m_customFirst = kInvalidTime;
    m_customLast = kInvalidTime;
    setCurrentIndex(Visible);
  }
}

void ViewerFrameRangeChoice::toggleFrameMode() {
  setCurrentIndex(m_mode == Visible ? m_previousMode : Visible);
}

void ViewerFrameRangeChoice::setFrameMode(int mode) {
  if (m_mode != Visible) {
    m_previousMode = m_mode;
  }
  m_mode = static_cast<FrameMode>(mode);
  if (m_timeSlider) {
    switch (m_mode) {
    case Global:
    case Input:
      m_timeSlider->zoomToFit();
      break;
    case InOut:
      m_timeSlider->zoomToFitInOut();
      break;
    case Visible:
      if (!IsValidTime(m_customFirst)) {
        m_customFirst = m_timeSlider->firstVisibleTime();
      }
      if (!IsValidTime(m_customLast)) {
        m_customLast = m_timeSlider->lastVisibleTime();
      }
      m_timeSlider->setTimeRange(m_customFirst, m_customLast);
      break;
    }
  }
  emit frameModeChanged(m_mode);
}

void ViewerFrameRangeChoice::updateInOutTimes() {
  if (m_mode == InOut && !m_dragging && m_timeSlider) {
    m_timeSlider->zoomToFitInOut();
  }
}

void ViewerFrameRangeChoice::rangeChanged(Time first, Time last) {
  if (m_mode == Visible) {
    m_customFirst = first;
    m_customLast = last;
  }
}

void ViewerFrameRangeChoice::modelChanged(TimeSliderModel::TimeFlags flags) {
  if (!m_timeSlider) {
    return;
  }
  if ((m_mode == Global || m_mode == Input) &&
      (flags & (TimeSliderModel::StartTimeChanged | TimeSliderModel::EndTimeChanged))) {
    m_timeSlider->zoomToFit();
  } else if (m_mode == InOut && !m_dragging && (flags & 0x0F)) {
    m_timeSlider->zoomToFitInOut();
  }
}

void ViewerFrameRangeChoice::startTimeSliderDrag() {
  m_dragging = true;
}

void ViewerFrameRangeChoice::endTimeSliderDrag() {
  m_dragging = false;
  updateInOutTimes();
}

void ViewerFrameRangeChoice::sliderDeleted() {
  m_timeSlider = nullptr;
  disconnectSlider();
}

void ViewerFrameRangeChoice::disconnectSlider() {
  if (m_timeSlider) {
    disconnect(m_timeSlider, nullptr, this, nullptr);
  }
  if (m_sliderModel) {
    disconnect(m_sliderModel, nullptr, this, nullptr);
  }
  m_sliderModel = nullptr;
  m_dragging = false;
}

} // namespace Velloro::ViewerUI
