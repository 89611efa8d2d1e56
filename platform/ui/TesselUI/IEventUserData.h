#pragma once

#include <TesselUI/TesselUIExport.h>

#include <QString>

namespace Tessel::UI {

// What an event of the event graph is about, as a line of text for the trace viewer.
// Implementations must be safe to read from any thread once made.
class TESSEL_UI_EXPORT IEventUserData {
public:
  virtual ~IEventUserData();
  virtual QString text() const = 0;

protected:
  IEventUserData() = default;
  IEventUserData(const IEventUserData&) = default;
  IEventUserData(IEventUserData&&) = default;
  IEventUserData& operator=(const IEventUserData&) = default;
  IEventUserData& operator=(IEventUserData&&) = default;
};

} // namespace Tessel::UI
