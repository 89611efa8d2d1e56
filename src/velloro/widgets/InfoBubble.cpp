#include <velloro/widgets/InfoBubble.h>

#include <QKeyEvent>

namespace Velloro::UI {

InfoBubble::InfoBubble()
    : InfoBubble(nullptr) {}

InfoBubble::InfoBubble(QWidget* parent)
    : Tessel::UI::BubbleWidget(parent) {}

void InfoBubble::keyPressEvent(QKeyEvent* event) {
  event->ignore();
  close();
}

} // namespace Velloro::UI
