#include <TesselUI/Menu.h>

#include <QMouseEvent>

namespace Tessel::UI {

Menu::Menu(QWidget* parent)
    : QMenu(parent) {}

Menu::Menu(const QString& title, QWidget* parent)
    : QMenu(title, parent) {}

void Menu::mouseReleaseEvent(QMouseEvent* event) {
  QAction* action = actionAt(event->position().toPoint());
  if (m_staysOpenOnToggle && action && action->isEnabled() && action->isCheckable() && !action->menu()) {
    action->trigger();
    event->accept();
    return;
  }
  QMenu::mouseReleaseEvent(event);
}

} // namespace Tessel::UI
