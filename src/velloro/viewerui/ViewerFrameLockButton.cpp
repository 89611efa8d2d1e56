#include <velloro/viewerui/ViewerFrameLockButton.h>

#include <TesselUI/CoreUIUtils.h>

namespace Velloro::ViewerUI {

using Tessel::UI::TimeSliderModel;

ViewerFrameLockButton::ViewerFrameLockButton(TimeSliderModel* model, QWidget* parent)
    : QToolButton(parent)
    , m_model(model) {
  setIcon(Tessel::UI::CreateToolButtonIcon(QStringLiteral("icons:FrameRangeLock.png"), false));
  setCheckable(true);
  setAutoRaise(true);
  setChecked(model->inOutLocked());
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QToolButton::clicked, model, &TimeSliderModel::enableInOutLock);
  connect(model, &TimeSliderModel::timeChanged, this, &ViewerFrameLockButton::timeChanged);
  setToolTip(QStringLiteral("Lock the playback range to the In/Out point range. Otherwise the playback range "
                            "will be set according to the 'FrameSlider Range' knob."));
}

void ViewerFrameLockButton::updateStateFromModel() {
  if (m_model) {
    setChecked(m_model->inOutLocked());
  }
}

void ViewerFrameLockButton::timeChanged(TimeSliderModel::TimeFlags flags) {
  if (flags & (TimeSliderModel::InTimeChanged | TimeSliderModel::OutTimeChanged)) {
    updateStateFromModel();
  }
}

} // namespace Velloro::ViewerUI
