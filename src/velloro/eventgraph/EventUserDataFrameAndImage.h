#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/IEventUserData.h>

#include <cstdint>

namespace Velloro::UI {

// A frame and the image made for it; reads "Frame=1001, Image=3".
class VELLORO_EXPORT EventUserDataFrameAndImage : public Tessel::UI::IEventUserData {
public:
  EventUserDataFrameAndImage(std::int64_t frame, int image);
  QString text() const override;

  std::int64_t frame;
  int image;
};

} // namespace Velloro::UI
