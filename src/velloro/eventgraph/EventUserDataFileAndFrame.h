#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/IEventUserData.h>

#include <cstdint>
#include <string>

namespace Velloro::UI {

// A file and a frame of it; reads File="/shots/a.exr", Frame=7.
class VELLORO_EXPORT EventUserDataFileAndFrame : public Tessel::UI::IEventUserData {
public:
  // The file name is taken as UTF-8.
  EventUserDataFileAndFrame(const std::string& file, std::int64_t frame);
  QString text() const override;

  QString file;
  std::int64_t frame;
};

} // namespace Velloro::UI
