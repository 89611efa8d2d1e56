#include <velloro/views/ViewButton.h>

#include <velloro/views/ViewDataModel.h>

#include <TesselUI/Button.h>
#include <TesselUI/CollapsibleToolbar.h>
#include <TesselUI/Menu.h>

#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>

#include <iterator>

namespace Velloro {

ViewButton::ViewButton(std::weak_ptr<ViewDataModel> model, bool exclusive, bool collapseSingleView,
                       bool titleShowsSelection, QWidget* parent)
    : Tessel::UI::CollapsibleToolbarItem(parent)
    , m_exclusive(exclusive)
    , m_collapseSingleView(collapseSingleView)
    , m_buttonGroup(new QButtonGroup(this))
    , m_overflowMenu(new Tessel::UI::Menu(this))
    , m_actionGroup(new QActionGroup(this))
    , m_titleShowsSelection(titleShowsSelection)
    , m_choice(new QWidget(this))
    , m_choiceLayout(new QHBoxLayout(m_choice)) {
  m_buttonGroup->setExclusive(exclusive);
  m_actionGroup->setExclusionPolicy(exclusive ? QActionGroup::ExclusionPolicy::Exclusive
                                              : QActionGroup::ExclusionPolicy::None);
  m_choiceLayout->setContentsMargins(0, 0, 0, 0);
  m_choiceLayout->setSpacing(0);
  addWidget(m_choice, Qt::AlignCenter);
  if (!titleShowsSelection) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }
  connect(m_actionGroup, &QActionGroup::triggered, this, &ViewButton::overflowOptionSelected);
  connect(m_buttonGroup, &QButtonGroup::idClicked, this, &ViewButton::viewToggled);
  setViewDataModel(std::move(model));
  update(std::set<int>());
}

ViewButton::~ViewButton() = default;

std::shared_ptr<ViewDataModel> ViewButton::lockedModel() const {
  return m_model.lock();
}

void ViewButton::setViewDataModel(std::weak_ptr<ViewDataModel> model) {
  if (const auto previous = lockedModel()) {
    disconnect(previous.get(), &QObject::destroyed, this, nullptr);
  }
  m_model = std::move(model);
  if (const auto current = lockedModel()) {
    // Once the project's model is gone there is nothing left to offer.
    connect(current.get(), &QObject::destroyed, this, [this] { update(std::set<int>()); });
  }
}

void ViewButton::update(int row) {
  update(std::set<int>{row});
}

void ViewButton::update(const std::set<int>& requested) {
  // One view at a time: the first row asked for.
  std::set<int> rows = requested;
  if (m_exclusive && rows.size() > 1) {
    rows.erase(std::next(rows.begin()), rows.end());
  }
  rebuildMenu(rows);
  const auto model = lockedModel();
  const bool pushButtons = !model || (model->displayMode() == ePushButtons && m_exclusive);
  m_menuMode = !pushButtons;
  if (pushButtons) {
    showPushButtons(rows);
  } else {
    showMenuTitleButton();
  }
  showChoice();
}

void ViewButton::rebuildMenu(const std::set<int>& rows) {
  for (QAction* action : m_actionGroup->actions()) {
    m_actionGroup->removeAction(action);
    m_overflowMenu->removeAction(action);
    discard(action);
  }
  if (const auto model = lockedModel()) {
    for (int row = 0; row < model->viewCount(); ++row) {
      auto* action = new QAction(shownName(QString::fromStdString(model->view(row).name())), m_overflowMenu);
      action->setCheckable(true);
      action->setData(row);
      action->setChecked(rows.count(row) != 0);
      m_overflowMenu->addAction(action);
      m_actionGroup->addAction(action);
    }
  }
  setMenuTitleFromActionText();
}

void ViewButton::showPushButtons(const std::set<int>& rows) {
  if (m_titleWidget) {
    discard(m_titleWidget);
  }
  const auto model = lockedModel();
  const int count = model ? model->viewCount() : 0;
  while (m_buttons.size() > count) {
    QPushButton* last = m_buttons.takeLast();
    m_buttonGroup->removeButton(last);
    discard(last);
  }
  while (m_buttons.size() < count) {
    addButton();
  }
  // An exclusive group refuses to uncheck its checked button; the rows say what is checked.
  m_buttonGroup->setExclusive(false);
  for (int row = 0; row < count; ++row) {
    refreshButton(m_buttons[row], row, rows.count(row) != 0);
  }
  m_buttonGroup->setExclusive(m_exclusive);
}

void ViewButton::showMenuTitleButton() {
  for (QPushButton* button : m_buttons) {
    m_buttonGroup->removeButton(button);
    discard(button);
  }
  m_buttons.clear();
  if (!m_titleWidget) {
    m_titleWidget = new Tessel::UI::Button(m_choice);
    m_titleWidget->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_titleWidget->setPopupMode(QToolButton::InstantPopup);
    m_titleWidget->setMenu(m_overflowMenu);
    m_titleWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_choiceLayout->addWidget(m_titleWidget);
    m_titleWidget->setText(m_overflowMenu->title());
  }
}

void ViewButton::addButton() {
  auto* button = new QPushButton(m_choice);
  button->setCheckable(true);
  button->setFocusPolicy(Qt::NoFocus);
  connect(button, &QPushButton::toggled, this, &ViewButton::toggled);
  m_buttonGroup->addButton(button, int(m_buttons.size()));
  m_choiceLayout->addWidget(button, 0, Qt::AlignCenter);
  m_buttons.append(button);
}

void ViewButton::refreshButton(QPushButton* button, int row, bool checked) {
  const auto model = lockedModel();
  const QString name = model ? QString::fromStdString(model->view(row).name()) : QString();
  const QString shown = shownName(name);
  button->setText(shown);
  button->setToolTip(shown == name ? QString() : name);
  button->setChecked(checked);
  // Unchanged check states send no toggled(), yet the colours may have changed.
  recolour(button);
}

void ViewButton::recolour(QPushButton* button) {
  const auto model = lockedModel();
  const int row = m_buttonGroup->id(button);
  QPalette colours;
  if (model && model->showColours() && row >= 0 && row < model->viewCount()) {
    colours.setColor(QPalette::ButtonText, model->view(row).colour());
  } else if (button->isChecked()) {
    colours.setColor(QPalette::ButtonText, Qt::red);
  }
  // Roles left unset are inherited, so an untouched palette is the default look.
  button->setPalette(colours);
}

QString ViewButton::shownName(const QString& name) const {
  return QFontMetrics(font()).elidedText(name, Qt::ElideRight, kMaxNameWidth);
}

QAction* ViewButton::actionForRow(int row) const {
  for (QAction* action : m_actionGroup->actions()) {
    if (action->data().toInt() == row) {
      return action;
    }
  }
  return nullptr;
}

int ViewButton::selectedView() const {
  if (!m_menuMode) {
    return m_buttonGroup->checkedId();
  }
  for (QAction* action : m_actionGroup->actions()) {
    if (action->isChecked()) {
      return action->data().toInt();
    }
  }
  return -1;
}

void ViewButton::setViewChecked(int row) {
  if (m_menuMode) {
    if (QAction* action = actionForRow(row)) {
      action->setChecked(true);
    }
    setMenuTitleFromActionText();
  } else if (row >= 0 && row < m_buttons.size()) {
    m_buttons[row]->setChecked(true);
  }
}

void ViewButton::toggled(bool checked) {
  auto* button = qobject_cast<QPushButton*>(sender());
  if (!button) {
    return;
  }
  recolour(button);
  if (QAction* action = actionForRow(m_buttonGroup->id(button))) {
    action->setChecked(checked);
  }
  setMenuTitleFromActionText();
}

void ViewButton::overflowOptionSelected(QAction* action) {
  const int row = action->data().toInt();
  // In a menu of several choices a second trigger unchecks the view: keep that.
  if (m_exclusive) {
    setViewChecked(row);
  }
  emit viewToggled(row);
  setMenuTitleFromActionText();
}

void ViewButton::toolbarMenuChanged(QAction* action) {
  if (m_titleWidget && action) {
    m_titleWidget->setText(action->text());
  }
}

void ViewButton::setMenuTitleFromActionText() {
  QStringList checked;
  for (QAction* action : m_actionGroup->actions()) {
    if (action->isChecked()) {
      checked.append(action->text());
    }
  }
  QString title;
  if (m_exclusive) {
    if (checked.isEmpty()) {
      title = m_menuTitle;
    } else if (m_titleShowsSelection) {
      title = m_menuTitle + QStringLiteral(" (") + checked.first() + QStringLiteral(")");
    } else {
      title = checked.first();
    }
  } else {
    title = checked.isEmpty() ? QStringLiteral("[none]") : checked.join(QStringLiteral(", "));
  }
  m_overflowMenu->setTitle(title);
  overflowAction()->setText(title);
  if (m_titleWidget) {
    m_titleWidget->setText(title);
  }
}

void ViewButton::setMenuTitle(const QString& title) {
  m_menuTitle = title;
  setMenuTitleFromActionText();
}

bool ViewButton::showOnlyOneView() const {
  const auto model = lockedModel();
  if (!model || model->viewCount() == 0) {
    return true;
  }
  return model->viewCount() == 1 && m_collapseSingleView;
}

void ViewButton::showChoice() {
  m_choice->setVisible(m_permanentVisibility && !showOnlyOneView());
}

void ViewButton::setPermanantVisibility(bool visible) {
  m_permanentVisibility = visible;
  showChoice();
  setVisible(visible);
}

void ViewButton::addToOverflowMenu(Tessel::UI::CollapsibleToolbar* toolbar, int priority) {
  if (!toolbar) {
    return;
  }
  setPriority(priority);
  overflowAction()->setMenu(m_overflowMenu);
  setMenuTitleFromActionText();
  toolbar->addItem(this);
}

void ViewButton::discard(QObject* object) {
  if (auto* widget = qobject_cast<QWidget*>(object)) {
    widget->hide();
    m_choiceLayout->removeWidget(widget);
  }
  object->deleteLater();
}

} // namespace Velloro
