#pragma once

#include <QMetaType>

namespace Velloro::ViewerUI {

// Which frames a viewer's time slider spans: the index of the frame-range chooser.
enum FrameMode {
  Global = 0,  // the whole frame range
  Input = 1,   // the whole range of the viewer's input
  InOut = 2,   // the in/out range
  Visible = 3, // a range the user zoomed or panned to
};

} // namespace Velloro::ViewerUI

Q_DECLARE_METATYPE(Velloro::ViewerUI::FrameMode)
