#include <TesselUI/ChoiceButton.h>

#include <TesselUI/Menu.h>

#include <QStyleOptionToolButton>

namespace Tessel::UI {

ChoiceButton::ChoiceButton(QWidget* parent)
    : QToolButton(parent)
    , m_menu(new Menu(this)) {
  setToolButtonStyle(Qt::ToolButtonTextOnly);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QToolButton::clicked, this, &ChoiceButton::popUpMenu);
}

QAction* ChoiceButton::addItem(const QString& label, const QIcon* icon, const QVariant* data,
                               bool isTextItem) {
  auto* action = new QAction(label, m_menu);
  if (icon) {
    action->setIcon(*icon);
  }
  if (data) {
    action->setData(*data);
  }
  action->setCheckable(true);
  const int index = static_cast<int>(m_items.size());
  connect(action, &QAction::triggered, this,
          [this, action] { setCurrentIndex(static_cast<int>(m_items.indexOf(action))); });
  m_menu->addAction(action);
  m_items.append(action);
  m_isTextItem.append(isTextItem || !icon);
  if (index == 0) {
    setCurrentIndex(0);
  }
  updateGeometry();
  return action;
}

QAction* ChoiceButton::addItem(const QString& label, const QIcon& icon) {
  return addItem(label, &icon, nullptr, false);
}

int ChoiceButton::count() const {
  return static_cast<int>(m_items.size());
}

QAction* ChoiceButton::itemAction(int index) const {
  return m_items.value(index);
}

QString ChoiceButton::itemText(int index) const {
  QAction* action = itemAction(index);
  return action ? action->text() : QString();
}

QVariant ChoiceButton::itemData(int index) const {
  QAction* action = itemAction(index);
  return action ? action->data() : QVariant();
}

void ChoiceButton::setCurrentIndex(int index) {
  if (index < 0 || index >= count()) {
    return;
  }
  const bool changed = index != m_currentIndex;
  m_currentIndex = index;
  showItem();
  if (changed) {
    emit currentIndexChanged(index);
  }
}

void ChoiceButton::showItem() {
  for (int index = 0; index < count(); ++index) {
    m_items[index]->setChecked(index == m_currentIndex);
  }
  QAction* current = itemAction(m_currentIndex);
  if (!current) {
    return;
  }
  if (m_isTextItem[m_currentIndex]) {
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setText(current->text());
    setIcon(QIcon());
  } else {
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setText(current->text());
    setIcon(current->icon());
  }
}

void ChoiceButton::popUpMenu() {
  if (count() > 0) {
    m_menu->popup(mapToGlobal(rect().bottomLeft()), itemAction(m_currentIndex));
  }
}

QSize ChoiceButton::sizeHint() const {
  // Wide enough for the longest text item, so that the button keeps its size as items change.
  QSize size = QToolButton::sizeHint();
  QStyleOptionToolButton option;
  initStyleOption(&option);
  for (int index = 0; index < count(); ++index) {
    if (m_isTextItem[index]) {
      const QSize text = fontMetrics().size(Qt::TextShowMnemonic, m_items[index]->text());
      size = size.expandedTo(style()->sizeFromContents(QStyle::CT_ToolButton, &option, text, this));
    }
  }
  return size;
}

} // namespace Tessel::UI
