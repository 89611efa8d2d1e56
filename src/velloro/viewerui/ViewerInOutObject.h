#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/TimeSliderModel.h>

#include <velloro/viewerui/ViewerInOutButton.h>

#include <TesselUI/TimeField.h>

#include <QObject>
#include <QPalette>
#include <QPointer>

namespace Velloro::ViewerUI {

// The time field and button of the in point or the out point. The field shows the start (or
// end) of the playback range and bounds the other side's field; the button's letter takes the
// in/out marker colour while the range is locked, and the field's text is dimmed while it is
// not. A child of the model; the field and button have no parent until laid out.
// GUI thread only.
class VELLORO_EXPORT ViewerInOutObject : public QObject {
  Q_OBJECT
public:
  enum Mode { In = 0, Out = 1 };

  ViewerInOutObject(Tessel::UI::TimeSliderModel* model, Mode mode);

  // Deletes the field and button unless a layout has taken them.
  ~ViewerInOutObject() override;

  Tessel::UI::TimeField* field() const { return m_field; }
  ViewerInOutButton* button() const { return m_button; }

private slots:
  void handleTimeChanged(Tessel::UI::TimeSliderModel::TimeFlags flags);
  void updateInOutVisibility();

private:
  void handleInOrStartTimeChange();
  void handleOutOrEndTimeChange();
  void markerVisiblityChanged();

  // Guarded: the panel that lays them out may go before the model that owns this object.
  QPointer<Tessel::UI::TimeField> m_field;
  QPointer<ViewerInOutButton> m_button;
  Tessel::UI::TimeSliderModel* m_model;
  QPalette m_buttonNormalPalette;
  QPalette m_fieldUnlockedPalette;
  QPalette m_buttonLockedPalette;
  QPalette m_fieldLockedPalette;
  Mode m_mode;
};

} // namespace Velloro::ViewerUI
