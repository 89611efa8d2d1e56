#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/TimeSliderModel.h>

#include <QPointer>
#include <QToolButton>

namespace Velloro::ViewerUI {

// Locks the playback range to the in/out range, and shows whether the model's range is locked.
// GUI thread only.
class VELLORO_EXPORT ViewerFrameLockButton : public QToolButton {
  Q_OBJECT
public:
  ViewerFrameLockButton(Tessel::UI::TimeSliderModel* model, QWidget* parent = nullptr);

private slots:
  void updateStateFromModel();
  void timeChanged(Tessel::UI::TimeSliderModel::TimeFlags flags);

private:
  QPointer<Tessel::UI::TimeSliderModel> m_model;
};

} // namespace Velloro::ViewerUI
