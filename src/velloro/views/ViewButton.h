#pragma once

#include <velloro/VelloroExport.h>

#include <QObject>

namespace Velloro {

// The toolbar control that lets the user pick views. For now it only names how views are
// shown; the view model stores this choice so that every control of a project agrees.
class VELLORO_EXPORT ViewButton {
  Q_GADGET

public:
  enum Mode {
    ePushButtons = 0, // one checkable push button per view
    eDropDownMenu = 1 // one menu listing the views (any value other than 0 means a menu)
  };
  Q_ENUM(Mode)
};

} // namespace Velloro
