#pragma once

#include <velloro/VelloroExport.h>

#include <TesselUI/BubbleWidget.h>

namespace Velloro::UI {

// A bubble with a note that any key closes, the key still reaching the widget underneath.
// GUI thread only.
class VELLORO_EXPORT InfoBubble : public Tessel::UI::BubbleWidget {
  Q_OBJECT
public:
  InfoBubble();
  explicit InfoBubble(QWidget* parent);

protected:
  void keyPressEvent(QKeyEvent* event) override;
};

} // namespace Velloro::UI
