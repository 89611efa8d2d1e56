#pragma once

#include <TesselUI/DragButton.h>

namespace Velloro {

class UserKnobEditor;

// The knob editor's "Edit" button: switches user-knob editing on and off (also by its
// shortcut), says so in its tool tip, and floats the editor when dragged from an embedded tool
// bar. It follows the editor's signals for the lifetime of both.
//
// Threads: the GUI thread only.
class UserKnobEditButton : public Tessel::UI::DragButton {
public:
  UserKnobEditButton(UserKnobEditor& editor, QWidget* parent);

protected:
  // No hover highlight: the button keeps its look until clicked.
  void enterEvent(QEnterEvent* event) override;

private:
  void setIcons();
  void setToolTipFor(bool editing);
};

} // namespace Velloro
