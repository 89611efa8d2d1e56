#include <velloro/viewerui/ViewerInOutObject.h>

#include <TesselUI/TimeSlider.h>

#include <QSignalBlocker>

namespace Velloro::ViewerUI {

using Tessel::UI::TimeField;
using Tessel::UI::TimeSlider;
using Tessel::UI::TimeSliderModel;

ViewerInOutObject::ViewerInOutObject(TimeSliderModel* model, Mode mode)
    : QObject(model)
    , m_field(new TimeField(false, false))
    , m_button(new ViewerInOutButton)
    , m_model(model)
    , m_mode(mode) {
  m_field->setContentsMargins(0, 0, 0, 0);
  m_button->setText(mode == In ? QStringLiteral("I") : QStringLiteral("O"));
  m_button->setContentsMargins(0, 0, 0, 0);
  m_button->setFocusPolicy(Qt::NoFocus);
  m_button->setContextMenuPolicy(Qt::PreventContextMenu);
  if (mode == In) {
    m_field->setToolTip(QStringLiteral("The in point of the clip/sequence."));
    m_button->setToolTip(
        QStringLiteral("Toggle the in point at the current frame (I)\nRight click to clear (Alt+I)"));
  } else {
    m_field->setToolTip(QStringLiteral("The out point of the clip/sequence."));
    m_button->setToolTip(
        QStringLiteral("Toggle the out point at the current frame (O)\nRight click to clear (Alt+O)"));
  }

  m_buttonNormalPalette = m_button->palette();
  m_buttonLockedPalette = m_buttonNormalPalette;
  m_buttonLockedPalette.setBrush(QPalette::All, QPalette::ButtonText,
                                 QBrush(TimeSlider::InOutMarkerColor().lighter(115)));
  m_fieldLockedPalette = m_field->palette();
  m_fieldUnlockedPalette = m_fieldLockedPalette;
  m_fieldUnlockedPalette.setBrush(QPalette::All, QPalette::Text,
                                  QBrush(m_fieldLockedPalette.color(QPalette::Text).darker(150)));

  connect(model, &TimeSliderModel::timeChanged, this, &ViewerInOutObject::handleTimeChanged);
  // The field shows the model's range from the start, not only after its first change.
  updateInOutVisibility();
}

ViewerInOutObject::~ViewerInOutObject() {
  if (m_field && !m_field->parent()) {
    delete m_field;
  }
  if (m_button && !m_button->parent()) {
    delete m_button;
  }
}

void ViewerInOutObject::handleTimeChanged(TimeSliderModel::TimeFlags flags) {
  if (!m_field) {
    return;
  }
  if (flags & 0x45) {
    handleInOrStartTimeChange();
  }
  if (flags & 0x8A) {
    handleOutOrEndTimeChange();
  }
}

void ViewerInOutObject::updateInOutVisibility() {
  if (!m_field) {
    return;
  }
  if (m_mode == In) {
    handleInOrStartTimeChange();
  } else {
    handleOutOrEndTimeChange();
  }
}

void ViewerInOutObject::handleInOrStartTimeChange() {
  const QSignalBlocker blocker(m_field);
  markerVisiblityChanged();
  if (m_mode == In) {
    m_field->setTime(m_model->playbackStartTime(), false);
  } else {
    m_field->setMinTime(m_model->playbackStartTime());
  }
}

void ViewerInOutObject::handleOutOrEndTimeChange() {
  const QSignalBlocker blocker(m_field);
  markerVisiblityChanged();
  if (m_mode == Out) {
    m_field->setTime(m_model->playbackEndTime(), false);
  } else {
    m_field->setMaxTime(m_model->playbackEndTime());
  }
}

void ViewerInOutObject::markerVisiblityChanged() {
  const bool locked = m_model->inOutLocked();
  m_field->setPalette(locked ? m_fieldLockedPalette : m_fieldUnlockedPalette);
  if (m_button) {
    m_button->setPalette(locked ? m_buttonLockedPalette : m_buttonNormalPalette);
  }
}

} // namespace Velloro::ViewerUI
