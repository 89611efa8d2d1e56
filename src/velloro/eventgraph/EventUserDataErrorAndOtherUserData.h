#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/IEventUserData.h>

#include <memory>

namespace Velloro::UI {

// An error number, followed by the text of other user data when there is some;
// reads "Error=5" or "Error=5, Frame=1001, Image=3".
class VELLORO_EXPORT EventUserDataErrorAndOtherUserData : public Tessel::UI::IEventUserData {
public:
  EventUserDataErrorAndOtherUserData(int error, std::shared_ptr<Tessel::UI::IEventUserData> other);
  QString text() const override;

  int error;
  std::shared_ptr<Tessel::UI::IEventUserData> other;
};

} // namespace Velloro::UI
